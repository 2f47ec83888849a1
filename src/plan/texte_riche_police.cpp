#include "plan/texte_riche_police.h"

#include "engine/texte_casse.h"
#include "plan/barre_rtf.h"
#include "plan/boite_riche.h"

namespace korv::plan {

const std::vector<std::string>& TexteRichePolice::Tailles() {
    static const std::vector<std::string> tailles{"8", "12", "14", "16", "18", "20", "24", "48"};
    return tailles;
}

const std::vector<std::string>& TexteRichePolice::Alignements() {
    static const std::vector<std::string> a{"Align\xe9 \xe0 gauche", "Align\xe9 \xe0 droite", "Centr\xe9"};
    return a;
}

void TexteRichePolice::FormInit(BoiteTexteRiche& cible, const std::vector<std::string>& polices) {
    cible_ = &cible;
    ouvert_ = true;
    const auto nom = cible.SelPolice();
    police_.nom = nom.value_or(std::string());
    polices_ = polices;
    if (const auto c = cible.SelCouleur()) {
        couleurTexte_ = std::to_string(*c);
        couleurFond_ = *c;
    } else {
        couleurTexte_.clear();
    }
    policeTexte_.clear();
    if (nom) {
        const std::string cherche = engine::MajusculeCp1252(*nom);
        int trouve = -1;
        for (std::size_t i = 0; i < polices_.size() && trouve < 0; ++i) {
            if (engine::MajusculeCp1252(polices_[i]) == cherche) trouve = static_cast<int>(i);
        }
        // A font the list lacks is shown as written, as the toolbar does.
        if (trouve >= 0) {
            ListePoliceClick(trouve);
        } else {
            ListePoliceChange(*nom);
        }
    }
    const auto taille = cible.SelTaille();
    ListeTailleChange(taille ? BarresRTF::TailleTexte(*taille) : std::string());
    const auto etat = [](std::optional<bool> v) { return !v ? 2 : (*v ? 1 : 0); };
    PoliceGrasClick(etat(cible.SelGras()));
    PoliceItaliqueClick(etat(cible.SelItalique()));
    PoliceSouligneClick(etat(cible.SelSouligne()));
    alignementTexte_.clear();
    alignementIndex_ = -1;
    if (const auto a = cible.SelAlignement()) ParagrapheAlignementClick(*a);
    FonteMaj();
}

void TexteRichePolice::ListePoliceChange(std::string_view texte) {
    policeTexte_ = std::string(texte);
    police_.nom = policeTexte_;
    FonteMaj();
}

void TexteRichePolice::ListePoliceClick(int index) {
    if (index < 0 || index >= static_cast<int>(polices_.size())) return;
    ListePoliceChange(polices_[static_cast<std::size_t>(index)]);
}

void TexteRichePolice::ListeTailleChange(std::string_view texte) {
    tailleTexte_ = std::string(texte);
    // A size under one point is no size.
    if (const auto t = BarresRTF::TailleLue(texte); t && *t >= 1.0) police_.taille = *t;
    FonteMaj();
}

void TexteRichePolice::ListeTailleClick(int index) {
    if (index < 0 || index >= static_cast<int>(Tailles().size())) return;
    ListeTailleChange(Tailles()[static_cast<std::size_t>(index)]);
}

void TexteRichePolice::PoliceGrasClick(int valeur) {
    gras_ = valeur;
    police_.gras = valeur != 0;
    FonteMaj();
}

void TexteRichePolice::PoliceItaliqueClick(int valeur) {
    italique_ = valeur;
    police_.italique = valeur != 0;
    FonteMaj();
}

void TexteRichePolice::PoliceSouligneClick(int valeur) {
    souligne_ = valeur;
    police_.souligne = valeur != 0;
    FonteMaj();
}

void TexteRichePolice::ParagrapheAlignementClick(int index) {
    if (index < 0 || index >= static_cast<int>(Alignements().size())) return;
    alignementIndex_ = index;
    alignementTexte_ = Alignements()[static_cast<std::size_t>(index)];
}

void TexteRichePolice::CouleurClick() {
    std::int32_t c = couleurTexte_.empty() ? 0 : couleurFond_;
    if (choisirCouleur && choisirCouleur(c)) {
        couleurTexte_ = std::to_string(c);
        couleurFond_ = c;
    }
}

void TexteRichePolice::BtnOkClick() {
    ouvert_ = false;
    if (!cible_) return;
    BoiteTexteRiche& c = *cible_;
    if (gras_ != 2) c.SelGrasFixer(police_.gras);
    if (souligne_ != 2) c.SelSouligneFixer(police_.souligne);
    if (italique_ != 2) c.SelItaliqueFixer(police_.italique);
    if (!policeTexte_.empty()) c.SelPoliceFixer(police_.nom);
    if (!tailleTexte_.empty()) c.SelTailleFixer(police_.taille);
    if (!alignementTexte_.empty()) c.SelAlignementFixer(alignementIndex_);
    if (!couleurTexte_.empty()) c.SelCouleurFixer(couleurFond_);
}

}  // namespace korv::plan
