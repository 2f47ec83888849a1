// User entries in play, source edits, resets of cells and the cell
// scripts' events.

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "formula/expression.h"
#include "formula/mois.h"
#include "formula/nombres.h"
#include "formula/services.h"
#include "formula/valeur.h"
#include "grid/tableau.h"
#include "grid/valeur_formatee.h"

namespace korv::grid {

namespace {

bool EstFormule(const std::string& texte) { return !texte.empty() && texte.front() == '='; }

// Background codes of the action-plan cells, whose entry may begin with a
// control character that the entry keeps.
bool FondPlanAction(std::int32_t fond) { return fond >= -23 && fond <= -18; }

bool CommenceParControle(const std::string& texte) {
    return !texte.empty() && static_cast<unsigned char>(texte.front()) < 32;
}

void Remplace(std::string& s, char de, char vers) { std::replace(s.begin(), s.end(), de, vers); }

// Entry of a date cell: the day number of what was typed.
std::string TexteDate(const std::string& texte, int sousFormat) {
    return std::to_string(formula::MoisTexteVersDate(texte, sousFormat, formula::DateDuJour()));
}

}  // namespace

bool TableauClasse::DeclencheSur(int c, int r, std::string_view evenement) {
    if (!DansGrille(c, r)) return false;
    CaseTableau& x = CaseInterne(c, r);
    if (x.Attribut().Script.empty()) return false;
    if (!x.ScriptCompileCourant()) {
        ScriptRecoder(c, r);
        if (!DansGrille(c, r)) return false;
    }
    // Held while it runs: the script may change its own cell's script.
    const std::shared_ptr<ScriptCase> script = CaseInterne(c, r).ScriptCompileCourant();
    if (!script) return false;
    ContexteCalcul& contexte = Contexte();
    const std::int16_t resultat = script->Execute(evenement);
    if (resultat <= 0) contexte.MajFenetreJeu();
    return resultat < 0;
}

void TableauClasse::ScriptRecoder(int c, int r) {
    if (!DansGrille(c, r)) return;
    const std::string script = CaseInterne(c, r).Attribut().Script;
    if (script.empty()) return;
    std::shared_ptr<ScriptCase> compile = Contexte().ScriptCaseCompile(script);
    // Compiling may have shown messages; the cell is looked up again.
    if (!DansGrille(c, r)) return;
    CaseInterne(c, r).ScriptCompileGarde(std::move(compile), script);
}

void TableauClasse::ScriptRecoderTous() {
    for (int c = 1; c <= colonneNb_; ++c) {
        for (int r = 1; r <= ligneNb_; ++r) ScriptRecoder(c, r);
    }
}

void TableauClasse::CaseUtilisateurChange(std::uint8_t colonne, std::uint8_t ligne, std::string_view texte,
                                          bool drapeau) {
    std::string t(texte);
    CaseUtilisateurChangeRef(colonne, ligne, t, drapeau);
}

void TableauClasse::CaseUtilisateurChangeRef(int c, int r, std::string& texte, bool complet) {
    if (!DansGrille(c, r)) return;
    // Two sum cells that clear each other's entries would take turns for
    // ever: an entry already being taken into a cell is not taken again.
    const std::pair<int, int> cle{c, r};
    if (std::find(saisiesEnCours_.begin(), saisiesEnCours_.end(), cle) != saisiesEnCours_.end()) return;
    saisiesEnCours_.push_back(cle);
    struct Fin {
        std::vector<std::pair<int, int>>& v;
        ~Fin() { v.pop_back(); }
    } fin{saisiesEnCours_};

    {
        const CaseTableau& x = CaseInterne(c, r);
        if (FondPlanAction(x.Attribut().CouleurFond) && CommenceParControle(x.Texte)) {
            texte.insert(texte.begin(), x.Texte.front());
        }
    }
    const std::uint8_t type = CaseInterne(c, r).Attribut().TypeAffichage;
    const std::int16_t sousFormat = CaseInterne(c, r).Attribut().SousFormat;
    if (!texte.empty() && texte.front() == '=' && type != 0) {
        texte = EntreeUtilisateurEvalueExpression(std::string_view(texte).substr(1));
    }
    // No tooltip comes up over a cell being changed.
    InfoBulleGere(0, 0);

    switch (type) {
    case 3:
        if (!texte.empty() || !EstFormule(CaseInterne(c, r).Texte)) texte = TexteDate(texte, sousFormat);
        break;
    case 1:
        Remplace(texte, '.', ',');
        if (!texte.empty() && texte.back() == '%') {
            // A percentage of no number is kept as typed, so that the cell
            // shows it as an error instead of going blank.
            const auto n = formula::LitNombre(std::string_view(texte).substr(0, texte.size() - 1));
            if (n) texte = formula::FormatNombre(*n / 100);
        }
        break;
    case 2:
        Remplace(texte, '.', ',');
        texte.erase(std::remove(texte.begin(), texte.end(), '%'), texte.end());
        break;
    case 0:
        if (sousFormat == 5) {
            const std::string_view net = formula::Trim(texte);
            if (formula::Majuscules(net).starts_with("DONT ")) texte = std::string(net.substr(5));
        }
        break;
    default: break;
    }

    const bool conversion = calcul_ && calcul_->ConversionMonnaieEnCours();
    if (EstFormule(CaseInterne(c, r).Texte)) {
        CaseTableau& x = CaseInterne(c, r);
        if (!texte.empty()) {
            x.Valeur = texte;
            if (!conversion) {
                x.ResultatType = resultat::kEntreeSurFormule;
                if (DeclencheSur(c, r, "SUR CALCULVERSENTREE")) return;
            }
        } else {
            x.Valeur.clear();
            if (!conversion) {
                x.ResultatType = resultat::kACalculer;
                LigneACalculer(r);
                if (DeclencheSur(c, r, "SUR ENTREEVERSCALCUL")) return;
            }
        }
    } else {
        CaseTableau& x = CaseInterne(c, r);
        const auto premier = texte.find_first_not_of('=');
        x.Texte = premier == std::string::npos ? std::string() : texte.substr(premier);
        x.ResultatType = resultat::kEntree;
    }
    if (!DansGrille(c, r)) return;

    // An entry may give a sum cell back to calculation.
    if (!conversion && (CaseInvalidationParEntree(c, r) || (complet && CaseInvalidationEditionEffaceEntree(c, r)))) {
        int dc = 0, dr = 0;
        switch (CaseInvalidationParEntreeSens(c, r)) {
        case 32: dr = -1; break;
        case 48: dr = 1; break;
        case 16: dc = 1; break;
        default: dc = -1; break;
        }
        for (int cc = c + dc, rr = r + dr; DansGrille(cc, rr); cc += dc, rr += dr) {
            if (!CaseInvalidationParSomme(cc, rr)) continue;
            std::string vide;
            CaseUtilisateurChangeRef(cc, rr, vide, true);
            ResetMarquesToutes();
            RecalculInvaliderRecursivement(cc, rr, true);
            break;
        }
    }
    if (!DansGrille(c, r)) return;

    if (!initialisationEnCours_ && Colonne(c).Marque3 != 0) ColonneTrierAutomatiquement(c);
    ResetMarquesToutes();
    RecalculInvaliderRecursivement(c, r, true);
}

void TableauClasse::CaseEditeurChange(int c, int r, std::string_view texte) {
    if (!DansGrille(c, r)) return;
    CaseTableau& x = CaseInterne(c, r);
    x.Formule.reset();
    x.Texte = std::string(texte);
    const bool formule = EstFormule(x.Texte);
    if (formule) {
        auto f = std::make_unique<formula::ExpressionClasse>();
        (void)f->Code(x.Texte.substr(1), Contexte().Formules());
        f->ReferenceVersCree();
        CaseInterne(c, r).Formule = std::move(f);
    }
    CaseTableau& y = CaseInterne(c, r);
    if (y.ResultatType != resultat::kEntreeSurFormule) {
        y.ResultatType = formule ? resultat::kACalculer : resultat::kEntree;
        if (formule) LigneACalculer(r);
    }
}

void TableauClasse::InitialiseCaseUtilisateur(int c, int r, bool declencher) {
    if (!DansGrille(c, r)) return;
    {
        CaseTableau& x = CaseInterne(c, r);
        const std::int32_t fond = x.Attribut().CouleurFond;
        if (FondPlanAction(fond)) {
            if (fond != -18 || x.Attribut().Fusion != 0) {
                auto& a = x.AttributModifiable();
                a.CouleurFond = -18;
                a.Fusion = 0;
            }
        } else if (fond == -14) {
            x.Valeur.clear();
            CaseEstEditableChange(c, r, false);
            x.Texte = "0";
        }
    }
    CaseInvalidationStockeeChange(c, r, 1);
    auto retirerEntree = [&] {
        std::string vide;
        CaseUtilisateurChangeRef(c, r, vide, true);
        return CaseUtilisateurChangeDeclenche(c, r);
    };
    if (!EstFormule(CaseInterne(c, r).Texte)) {
        if (!CaseEstEditable(c, r)) return;
        if (declencher) {
            if (retirerEntree() || !DansGrille(c, r)) return;
        } else {
            CaseInterne(c, r).ResultatType = resultat::kEntree;
        }
        CaseTableau& x = CaseInterne(c, r);
        x.Texte.clear();
        x.Valeur.clear();
        if (x.Attribut().SousFormat == 2 && x.Attribut().TypeAffichage == 1) {
            x.Texte = "5";
            x.Valeur = "0";
        }
    } else {
        if (declencher && (retirerEntree() || !DansGrille(c, r))) return;
        CaseTableau& x = CaseInterne(c, r);
        x.ResultatType = resultat::kACalculer;
        x.Valeur.clear();
        LigneACalculer(r);
    }
}

void TableauClasse::InitialiseUtilisateur() {
    for (int r = 1; r <= ligneNb_; ++r) {
        for (int c = 1; c <= colonneNb_; ++c) InitialiseCaseUtilisateur(c, r, false);
    }
    struct Drapeau {
        bool& b;
        explicit Drapeau(bool& x) : b(x) { b = true; }
        ~Drapeau() { b = false; }
    } enCours(initialisationEnCours_);
    (void)DeclencheSur(1, 1, "SUR INIT");
}

void TableauClasse::ZoneSaisieOuCalculFixe(int c1, int r1, int c2, int r2) {
    for (int c = std::max(c1, 1); c <= std::min(c2, colonneNb_); ++c) {
        for (int r = std::max(r1, 1); r <= std::min(r2, ligneNb_); ++r) {
            if (!CaseEstEditable(c, r) || CaseInterne(c, r).ResultatType == resultat::kEntreeSurFormule) continue;
            // A plain cell's entry is its text, and it has no computed value
            // to fix: entering that empty value would erase the entry.
            if (!EstFormule(CaseInterne(c, r).Texte)) continue;
            std::string valeur = CaseInterne(c, r).Valeur;
            CaseUtilisateurChangeRef(c, r, valeur, true);
        }
    }
}

}  // namespace korv::grid

namespace korv::grid {

std::optional<TableauClasse::EditionCase> TableauClasse::CaseEditer(int c, int r) {
    if (c < 1 || r < 1 || !DansGrille(c, r)) return std::nullopt;
    const bool jeu = EnJeu();
    if (jeu) {
        if (CaseInvisible(c, r) != 0 || !CaseEstEditable(c, r)) return std::nullopt;
        // An edit on a -16 cell goes to the nearest cell on its left shown
        // with the currency sign; with none, no edit opens.
        if (CaseCouleurFond(c, r) == -16 && c >= 2) {
            int cible = 0;
            for (int k = c - 1; k >= 1; --k) {
                if (CaseValeurFormatee(CaseInterne(k, r)).starts_with('\xA4')) {
                    cible = k;
                    break;
                }
            }
            if (cible == 0) return std::nullopt;
            c = cible;
        }
    }
    const CaseTableau& x = CaseInterne(c, r);
    std::string texte = jeu && EstFormule(x.Texte) ? x.Valeur : x.Texte;
    if (jeu) {
        const auto& a = x.Attribut();
        if (FondPlanAction(a.CouleurFond) && CommenceParControle(x.Texte) && !texte.empty()) texte.erase(0, 1);
        const auto n = formula::LitNombre(texte);
        switch (a.TypeAffichage) {
        case 0:
            if (!texte.empty() && texte.front() == '\xA4') texte.erase(0, 1);
            break;
        case 3:
            if (n && formula::DateDansLimites(*n)) texte = formula::FormatDateMotif(*n, "dd/mm/yyyy");
            break;
        case 1:
        case 2:
            if (n && *n != std::floor(*n)) texte = formula::FormatNombre(*n);
            break;
        default: break;
        }
    }
    return EditionCase{c, r, std::move(texte)};
}

}  // namespace korv::grid
