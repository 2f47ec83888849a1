// A grid built from its record in the scene file (complete and quick
// forms, checked by the scene reader), the formulas of the page's formula
// block, the normalisation after a load and the older text form.

#include <algorithm>
#include <cmath>

#include "formula/expression.h"
#include "formula/nombres.h"
#include "grid/grid_record.h"
#include "grid/tableau.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"

namespace korv::grid {

namespace {

bool EstFormule(const std::string& texte) { return !texte.empty() && texte.front() == '='; }

void Remplace(std::string& s, std::string_view de, std::string_view vers) {
    for (std::size_t p = s.find(de); p != std::string::npos; p = s.find(de, p + vers.size())) {
        s.replace(p, de.size(), vers);
    }
}

void RemplaceCar(std::string& s, char de, char vers) { std::replace(s.begin(), s.end(), de, vers); }

}  // namespace

void TableauClasse::Charge(const GrilleEnregistrement& g, std::span<const formula::ExpressionUDT> formules) {
    const bool rapide = g.forme == FormeGrille::Rapide;
    TailleChange(g.colonneNb, g.ligneNb);
    decalageColonne_ = g.decalageColonne;
    decalageLigne_ = g.decalageLigne;
    DecalageLimiteSimple();
    lignesBasColleesEnBas_ = rapide ? static_cast<std::int16_t>(g.lignesBasColleesEnBas != 0 ? -1 : 0)
                                    : g.lignesBasColleesEnBas;

    const int nc = std::min<int>(colonneNb_, static_cast<int>(g.colonnes.size()));
    for (int c = 1; c <= nc; ++c) {
        const ColonneFichier& f = g.colonnes[static_cast<std::size_t>(c - 1)];
        auto& x = C(c);
        x.Taille = f.taille;
        x.Pliee = f.pliee;
        x.Marque1 = f.verrou;
        x.Marque3 = f.marqueTri;
        x.AttributImpression.ChampsChange(f.impression);
    }
    const int nl = std::min<int>(ligneNb_, static_cast<int>(g.lignes.size()));
    for (int r = 1; r <= nl; ++r) {
        const LigneFichier& f = g.lignes[static_cast<std::size_t>(r - 1)];
        auto& x = L(r);
        x.Taille = f.taille;
        x.Pliee = f.pliee;
        x.Marque2 = f.verrou;
        x.AttributImpression.ChampsChange(f.impression);
    }

    for (const auto& t : g.textes) {
        if (!DansGrille(t.colonne, t.ligne)) continue;
        CaseTableau& x = CaseInterne(t.colonne, t.ligne);
        x.Texte = t.contenu;
        x.Formule = t.formule ? std::make_unique<formula::ExpressionClasse>(*t.formule) : nullptr;
    }
    for (const auto& r : g.resultats) {
        if (!DansGrille(r.colonne, r.ligne)) continue;
        CaseTableau& x = CaseInterne(r.colonne, r.ligne);
        x.ResultatType = r.type;
        x.Valeur = r.valeur;
    }
    for (const auto& a : g.attributs) {
        if (!DansGrille(a.colonne, a.ligne)) continue;
        TableauCaseAttributClasse& x = CaseInterne(a.colonne, a.ligne).AttributModifiable();
        // The quick form stores the editable flag in a byte: non-zero is true.
        const auto editable = rapide ? static_cast<std::int16_t>(a.editable != 0 ? -1 : 0) : a.editable;
        switch (a.genre) {
        case GenreAttribut::Complet:
            x.Editable = editable;
            x.TypeAffichage = a.typeAffichage;
            x.CouleurFond = a.couleurFond;
            x.CouleurTexte = a.couleurTexte;
            x.Invalidation = a.invalidation;
            x.Script = a.script;
            x.Fichier = a.fichier;
            x.Nom = a.nom;
            x.SousFormat = a.sousFormat;
            x.Invisible = a.invisible;
            x.Bulle = a.bulle;
            x.Fusion = a.fusion;
            break;
        case GenreAttribut::Reduit:
            x.TypeAffichage = a.typeAffichage;
            x.CouleurFond = a.couleurFond;
            x.SousFormat = a.sousFormat;
            x.Nom = a.nom;
            break;
        case GenreAttribut::Partiel:
            x.Editable = editable;
            x.TypeAffichage = a.typeAffichage;
            x.CouleurFond = a.couleurFond;
            x.Invalidation = a.invalidation;
            x.SousFormat = a.sousFormat;
            break;
        }
    }
    if (rapide) LitExprDansUDT(formules);
    TableauInitialiseApresChargement();
    TailleCalculMaj();
}

// A formula cell of the block form holds its compiled formula only: its
// entry reads "=#", whatever text the record gave it.
void TableauClasse::LitExprDansUDT(std::span<const formula::ExpressionUDT> formules) {
    for (const auto& u : formules) {
        if (!DansGrille(u.colonne, u.ligne)) continue;
        CaseTableau& x = CaseInterne(u.colonne, u.ligne);
        x.Texte = "=#";
        x.Formule = std::make_unique<formula::ExpressionClasse>();
        x.Formule->LitValeursDansUDT(u);
    }
    ToutesLignesACalculer();
}

void TableauClasse::TableauInitialiseApresChargement() {
    ToutesLignesACalculer();
    for (int r = 1; r <= ligneNb_; ++r) {
        for (int c = 1; c <= colonneNb_; ++c) {
            CaseTableau& x = CaseInterne(c, r);
            const auto& a = x.Attribut();
            if (std::string nom = formula::Majuscules(a.Nom); nom != a.Nom) x.AttributModifiable().Nom = std::move(nom);
            if (!EstFormule(x.Texte)) {
                if (x.Attribut().TypeAffichage != 0) {
                    // The decimal comma of display.
                    RemplaceCar(x.Valeur, '.', ',');
                    RemplaceCar(x.Texte, '.', ',');
                }
                if (x.Attribut().Editable == 0) {
                    x.Valeur = x.Texte;
                    x.ResultatType = resultat::kEntree;
                }
            } else if (x.Attribut().Editable == 0) {
                x.Valeur.clear();
                x.ResultatType = resultat::kACalculer;
            }
            // Settings equal to the defaults go back to sharing them.
            if (x.AttributPropre() && x.Attribut().EstStandard()) x.AttributPartage();
        }
    }
}

std::int32_t TableauClasse::TailleEnOctets() const { return 42 + 22 * ligneNb_ + 26 * colonneNb_; }

// ------------------------------------------------------ older text form

namespace {

std::vector<std::string> Elements(std::string_view liste) {
    std::vector<std::string> e;
    std::size_t debut = 0;
    for (;;) {
        const std::size_t v = liste.find(',', debut);
        e.emplace_back(liste.substr(debut, v == std::string_view::npos ? std::string_view::npos : v - debut));
        if (v == std::string_view::npos) return e;
        debut = v + 1;
    }
}

int Entier(std::string_view texte, int min, int max) {
    const double v = formula::Val(texte);
    if (!std::isfinite(v)) return min;
    return static_cast<int>(std::clamp(std::round(v), static_cast<double>(min), static_cast<double>(max)));
}

// "<column>L<row>#": the column and row of a cell line after its prefix,
// and where the rest begins; nullopt when the line is not of that form.
struct Adresse {
    int colonne = 0;
    int ligne = 0;
    std::size_t suite = 0;
};

std::optional<Adresse> LitAdresse(std::string_view ligne) {
    const std::size_t l = ligne.find('L', 3);
    const std::size_t diese = ligne.find('#', 3);
    if (l == std::string_view::npos || diese == std::string_view::npos || diese < l) return std::nullopt;
    auto nombre = [](std::string_view s) -> std::optional<int> {
        if (s.empty() || s.size() > 6) return std::nullopt;
        int n = 0;
        for (char ch : s) {
            if (ch < '0' || ch > '9') return std::nullopt;
            n = n * 10 + (ch - '0');
        }
        return n;
    };
    const auto c = nombre(ligne.substr(3, l - 3));
    const auto r = nombre(ligne.substr(l + 1, diese - l - 1));
    if (!c || !r) return std::nullopt;
    return Adresse{*c, *r, diese + 1};
}

}  // namespace

void TableauClasse::DeCodageTxtAncien(std::string_view liste, platform::BoiteMessage* messages) {
    auto message = [messages](std::string_view texteUtf8) {
        if (messages) messages->Afficher(platform::Utf8VersCp1252(texteUtf8), platform::style::Ok);
    };
    const auto e = Elements(liste);
    auto element = [&e](std::size_t i) -> std::string_view {  // 1-based
        return i >= 1 && i <= e.size() ? std::string_view(e[i - 1]) : std::string_view();
    };
    const int nc = Entier(element(1), 0, kMaxLignesColonnes);
    const int nl = Entier(element(2), 0, kMaxLignesColonnes);
    TailleChangePreserve(nc, nl);
    for (int c = 1; c <= colonneNb_; ++c) {
        C(c).Taille = static_cast<std::int16_t>(Entier(element(static_cast<std::size_t>(3 * (c - 1) + 4)), INT16_MIN, INT16_MAX));
    }
    for (int r = 1; r <= ligneNb_; ++r) {
        L(r).Taille = static_cast<std::int16_t>(
            Entier(element(static_cast<std::size_t>(3 * colonneNb_ + 3 * (r - 1) + 4)), INT16_MIN, INT16_MAX));
    }
    for (int c = 1; c <= colonneNb_; ++c) {
        for (int r = 1; r <= ligneNb_; ++r) {
            auto& a = CaseInterne(c, r).AttributModifiable();
            a.Editable = 0;
            a.CouleurFond = kBlanc;
            a.CouleurTexte = 0;
            a.Fichier.clear();
            a.Script.clear();
            a.TypeAffichage = 0;
        }
    }

    const std::string paragraphe(1, static_cast<char>(0xA7));
    for (std::size_t i = static_cast<std::size_t>(3 * colonneNb_ + 3 * ligneNb_ + 4); i <= e.size(); ++i) {
        std::string ligne = e[i - 1];
        Remplace(ligne, paragraphe, ".");
        Remplace(ligne, "CHANGEATTRIBUT", "CaseChangeFichier");
        const std::string prefixe = ligne.substr(0, 3);
        const bool connu = prefixe == "#TC" || prefixe == "#RC" || prefixe == "#AC" || prefixe == "#PL";
        if (prefixe == "#PL") {
            const int r = Entier(std::string_view(ligne).substr(3), 0, 1000);
            if (r >= 1 && r <= ligneNb_) L(r).Pliee = -1;
            continue;
        }
        if (prefixe == "#TC") RemplaceCar(ligne, '.', ',');
        if (prefixe == "#AC") RemplaceCar(ligne, '!', ',');
        const auto adresse = connu ? LitAdresse(ligne) : std::nullopt;
        if (!adresse) {
            message("Import tableau.Contenu de case non compris:'" + platform::Cp1252VersUtf8(ligne) +
                    "'\r\nContenu ignoré.");
            continue;
        }
        if (!DansGrille(adresse->colonne, adresse->ligne)) continue;
        CaseTableau& x = CaseInterne(adresse->colonne, adresse->ligne);
        const std::string reste = ligne.substr(adresse->suite);
        if (prefixe == "#TC") {
            std::string contenu = reste;
            RemplaceCar(contenu, ',', '.');
            x.Texte = std::move(contenu);
        } else if (prefixe == "#RC") {
            const char lettre = reste.empty() ? '\0' : reste.front();
            const std::string valeur = reste.empty() ? std::string() : reste.substr(1);
            std::uint8_t type = 0;
            switch (lettre) {
            case 'E': type = 1; break;
            case 'C': type = 2; break;
            case 'T': type = 3; break;
            case 'A': type = 4; break;
            default: message("Import tableau.Type de résultat inconnu"); continue;
            }
            x.Valeur = valeur;
            x.ResultatType = type;
        } else {
            for (const auto& item : Elements(reste)) {
                const char lettre = item.empty() ? '\0' : formula::Majuscules(item.substr(0, 1)).front();
                const std::string v = item.empty() ? std::string() : item.substr(1);
                auto& a = x.AttributModifiable();
                switch (lettre) {
                case 'E': a.Editable = static_cast<std::int16_t>(formula::Val(v) != 0 ? -1 : 0); break;
                case 'F': a.CouleurFond = Entier(v, INT32_MIN, INT32_MAX); break;
                case 'T': a.CouleurTexte = Entier(v, INT32_MIN, INT32_MAX); break;
                case 'C': a.Fichier = v; break;
                case 'S': a.Script = v; break;
                case 'R': {
                    const auto n = formula::LitNombre(v);
                    if (n && (*n == 1 || *n == 2 || *n == 3)) {
                        a.TypeAffichage = static_cast<std::uint8_t>(*n);
                    } else {
                        message("Import tableau.Attribut de type d'affichage inconnu");
                    }
                    break;
                }
                default: message("Import tableau.Attribut inconnu"); break;
                }
            }
        }
    }
}

}  // namespace korv::grid
