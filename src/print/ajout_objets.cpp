#include "print/ajout_objets.h"

#include <string>
#include <utility>

#include "platform/cp1252.h"
#include "rtf/ecrivain.h"
#include "rtf/marqueurs.h"

namespace korv::print {

namespace {

constexpr int kGrille = 12;
constexpr int kTexteRiche = 13;
constexpr int kGraphique = 14;
constexpr int kTexteDansChamp = 2;

char32_t Minuscule(char32_t c) { return c >= U'A' && c <= U'Z' ? c + (U'a' - U'A') : c; }

// Position of `motif` in `texte` from `depuis`, ASCII letters in any case.
std::size_t ChercheSansCasse(std::u32string_view texte, std::u32string_view motif, std::size_t depuis) {
    if (motif.empty() || texte.size() < motif.size()) return std::u32string_view::npos;
    for (std::size_t i = depuis; i + motif.size() <= texte.size(); ++i) {
        std::size_t k = 0;
        while (k < motif.size() && Minuscule(texte[i + k]) == Minuscule(motif[k])) ++k;
        if (k == motif.size()) return i;
    }
    return std::u32string_view::npos;
}

std::string OptionPremiere(std::span<const formula::Valeur> options) {
    return options.empty() ? std::string() : options.front().EnTexte();
}

// A grid's print title as the working box holds it: Arial 9 points, bold.
std::string TitreRtf(std::string_view titre) {
    rtf::Document d;
    d.polices.push_back(rtf::Police{0, "fswiss", 0, "Arial"});
    rtf::Paragraphe p;
    rtf::FormatCaractere f;
    f.police = 0;
    f.taille = 18;
    f.gras = true;
    p.morceaux.push_back({f, platform::Cp1252VersU32(titre)});
    d.paragraphes.push_back(std::move(p));
    return rtf::EcrireRtf(d);
}

}  // namespace

void AjoutObjets::Ajoute(std::string entree) { t_.TextesAImprimer.emplace_back(std::move(entree)); }

void AjoutObjets::ImprimeAjouteObjet(int page, int objet, std::string_view titre,
                                     std::span<const formula::Valeur> options) {
    if (page == -1) {
        CommandePage(objet, titre);
        return;
    }
    const auto o = sources_.ObjetPage(page, objet);
    if (!o) return;
    switch (o->type) {
    case kTexteRiche: TexteRiche(*o, options); break;
    case kGrille: Grille(page, objet); break;
    case kGraphique: Graphique(page, objet); break;
    default: break;
    }
}

void AjoutObjets::TexteRiche(const SourcesImpression::Objet& o, std::span<const formula::Valeur> options) {
    // A text without a text of its own prints nothing, not what the box
    // held last (a grid's title, a page's commentary).
    boite_.Vider();
    if ((o.drapeaux & kTexteDansChamp) != 0) {
        boite_.DefinirRtf(o.texte);
    } else if (!o.fichier.empty()) {
        if (const auto contenu = sources_.FichierLu(o.fichier)) boite_.DefinirRtf(*contenu);
    }
    // Screen pages are not turned on paper.
    rtf::MarqueursRetirer(boite_.Document());
    const std::string option = OptionPremiere(options);
    if (option == "TITRE") {
        ++t_.NumeroTitre;
        boite_.Remplacer(0, 0, platform::Cp1252VersU32(std::to_string(t_.NumeroTitre) + ". "));
    }
    if (!boite_.TexteBrut().empty()) {
        ReferencesRemplacer();
        const std::u32string brut = boite_.TexteBrut();
        const std::u32string marqueur = platform::Cp1252VersU32(kMarqueurNouvellePage);
        std::size_t debut = 0;
        for (std::size_t pos = ChercheSansCasse(brut, marqueur, 0); pos != std::u32string::npos;
             pos = ChercheSansCasse(brut, marqueur, debut)) {
            if (pos > debut) {
                Ajoute(boite_.RtfPlage(static_cast<std::int32_t>(debut), static_cast<std::int32_t>(pos)));
            }
            CommandePage(0, {});
            debut = pos + marqueur.size();
        }
        Ajoute(boite_.RtfPlage(static_cast<std::int32_t>(debut), -1));
        if (option == "SAUTEPAGE") CommandePage(0, {});
    }
    boite_.Vider();
}

void AjoutObjets::ReferencesRemplacer() {
    print::ReferencesRemplacer(boite_, 0, [this](const std::string& r) { return sources_.CaseReferenceValeur(r); });
}

void AjoutObjets::Grille(int page, int objet) {
    auto copie = sources_.CopierGrille(page, objet);
    if (!copie || !copie->feuille) return;
    // A copy of fewer than two rows is not printed.
    if (copie->feuille->DerniereLigne() < 2) return;
    t_.feuilles.push_back(std::move(copie->feuille));
    Ajoute(std::string(marqueur::TitreTableau));
    Ajoute(TitreRtf(copie->titre));
    t_.TextesAImprimer.emplace_back(EntreeTableau{static_cast<int>(t_.feuilles.size())});
    if (!t_.SommaireActif) return;
    const auto [p, o] = PageTexteRicheCherche(page);
    if (p != 0 && (p != t_.SommaireDernierePage || o != t_.SommaireDernierObjet)) {
        ImprimeAjouteObjet(p, o, {}, {});
        t_.SommaireDernierePage = p;
        t_.SommaireDernierObjet = o;
    }
}

void AjoutObjets::Graphique(int page, int objet) {
    GraphiqueImprime g;
    g.contenu = sources_.CopierGraphique(page, objet);
    std::pair<int, int> commentaire{0, 0};
    bool avecCommentaire = false;
    if (t_.SommaireActif) {
        commentaire = PageTexteRicheCherche(page);
        avecCommentaire = commentaire.first != 0 && commentaire.second != 0 &&
                          (commentaire.first != t_.SommaireDernierePage ||
                           commentaire.second != t_.SommaireDernierObjet);
        if (avecCommentaire) g.Tag = "75% PAGE";
    }
    t_.graphiques.push_back(std::move(g));
    t_.TextesAImprimer.emplace_back(EntreeGraphique{static_cast<int>(t_.graphiques.size())});
    if (avecCommentaire) {
        ImprimeAjouteObjet(commentaire.first, commentaire.second, {}, {});
        t_.SommaireDernierePage = commentaire.first;
        t_.SommaireDernierObjet = commentaire.second;
    }
}

std::pair<int, int> AjoutObjets::PageTexteRicheCherche(int page) { return print::PageTexteRicheCherche(sources_, page); }

std::pair<int, int> PageTexteRicheCherche(SourcesImpression& sources, int page) {
    const int n = sources.NombreObjets(page);
    for (int k = 1; k <= n; ++k) {
        const auto o = sources.ObjetPage(page, k);
        if (!o || o->type != kTexteRiche || (o->drapeaux & kTexteDansChamp) == 0) continue;
        if (o->texte.empty()) return {0, 0};
        TexteTravail t;
        t.DefinirRtf(o->texte);
        if (!t.TexteBrut().empty()) return {page, k};
        return {0, 0};
    }
    return {0, 0};
}

void AjoutObjets::CommandePage(int code, std::string_view titre) {
    switch (code) {
    case 0: Ajoute(std::string(marqueur::SautDePage)); break;
    case 1: Ajoute(std::string(marqueur::DebutCentrageVertical)); break;
    case 2: Ajoute(std::string(marqueur::FinCentrageVertical)); break;
    case 3: t_.SommaireActif = true; break;
    case 4: t_.SommaireActif = false; break;
    case 5:
        Ajoute(std::string(marqueur::Sommaire) + " <" + std::string(marqueur::NumeroRubrique) + " " +
               std::string(titre) + ">");
        break;
    case 6: Ajoute(std::string(marqueur::DebutCentrageHorizontal)); break;
    case 7: Ajoute(std::string(marqueur::FinCentrageHorizontal)); break;
    case 8: Ajoute(std::string(marqueur::SansBords)); break;
    case 9: Ajoute(std::string(marqueur::AvecBords)); break;
    default: break;
    }
}

void SautsDePageFinalsRetirer(ImpressionTravail& t) {
    auto& l = t.TextesAImprimer;
    std::size_t i = l.size();
    while (i >= 1) {
        const auto* s = std::get_if<std::string>(&l[i - 1]);
        if (s == nullptr) return;
        if (*s == marqueur::DebutCentrageVertical || *s == marqueur::FinCentrageVertical ||
            *s == marqueur::DebutCentrageHorizontal || *s == marqueur::FinCentrageHorizontal ||
            *s == marqueur::AvecBords || *s == marqueur::SansBords) {
            --i;
        } else if (*s == marqueur::SautDePage) {
            l.erase(l.begin() + static_cast<std::ptrdiff_t>(i - 1));
            i = l.size();
        } else {
            return;
        }
    }
}

}  // namespace korv::print
