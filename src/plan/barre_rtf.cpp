#include "plan/barre_rtf.h"

#include <cmath>
#include <cstdio>

#include "engine/texte_casse.h"
#include "plan/boite_riche.h"

namespace korv::plan {

const std::vector<std::string>& BarresRTF::Tailles() {
    static const std::vector<std::string> tailles{"8", "9", "10", "11", "12", "14", "16", "18", "20", "24", "48"};
    return tailles;
}

void BarresRTF::Enregistrer(int n, BoiteTexteRiche* boite) { boites_[Index(n)] = boite; }
BoiteTexteRiche* BarresRTF::Boite(int n) const { return boites_[Index(n)]; }

void BarresRTF::Visible(int n, bool visible) {
    E(n).visible = visible;
    Montrer(n);
}

void BarresRTF::PolicesListesRemplir() {
    if (policesRemplies_) return;
    policesRemplies_ = true;
    if (familles) polices_ = familles();
    Montrer(0);
    Montrer(1);
}

std::optional<double> BarresRTF::TailleLue(std::string_view texte) {
    std::string nombre;
    bool point = false;
    for (const char c : texte) {
        if (c >= '0' && c <= '9') {
            nombre.push_back(c);
        } else if (c == '.' && !point) {
            point = true;
            nombre.push_back(c);
        } else {
            break;
        }
    }
    if (nombre.empty()) return std::nullopt;
    if (nombre == ".") return 0.0;
    return std::strtod(nombre.c_str(), nullptr);
}

std::string BarresRTF::TailleTexte(double taille) {
    char tampon[32];
    if (std::floor(taille) == taille && std::fabs(taille) < 1e9) {
        std::snprintf(tampon, sizeof tampon, "%.0f", taille);
    } else {
        std::snprintf(tampon, sizeof tampon, "%g", taille);
    }
    return tampon;
}

void BarresRTF::FocusRendre(int n) {
    BoiteTexteRiche* b = Boite(n);
    if (!b || !b->Visible()) return;
    // Back in a box that kept the focus, no focus event shows the state:
    // it is shown here.
    if (b->AFocus()) {
        MAJMenuRTF(n);
    } else {
        b->FocusDonner();
    }
}

void BarresRTF::Style(int n, BoutonRTF EtatBarreRTF::*bouton, void (BoiteTexteRiche::*fixer)(bool)) {
    BoiteTexteRiche* b = Boite(n);
    if (!b) return;
    BoutonRTF& x = E(n).*bouton;
    const int v = x.valeur;
    // A pressed button takes the style away; a released one (a mixed one
    // too) gives it to the whole selection.
    (b->*fixer)(v != 1);
    x.valeur = v == 1 ? 0 : 1;  // the check box's own click
    Montrer(n);
    FocusRendre(n);
}

void BarresRTF::GrasMouseDown(int n) { Style(n, &EtatBarreRTF::gras, &BoiteTexteRiche::SelGrasFixer); }
void BarresRTF::ItaliqueMouseDown(int n) {
    Style(n, &EtatBarreRTF::italique, &BoiteTexteRiche::SelItaliqueFixer);
}
void BarresRTF::SouligneMouseDown(int n) {
    Style(n, &EtatBarreRTF::souligne, &BoiteTexteRiche::SelSouligneFixer);
}

void BarresRTF::Alignement(int n, int alignement, BoutonRTF EtatBarreRTF::*presse) {
    EtatBarreRTF& e = E(n);
    for (BoutonRTF EtatBarreRTF::*autre : {&EtatBarreRTF::aligGauche, &EtatBarreRTF::aligCentre,
                                           &EtatBarreRTF::aligDroite}) {
        if (autre != presse) (e.*autre).valeur = 0;
    }
    BoiteTexteRiche* b = Boite(n);
    if (!b) return;
    b->SelAlignementFixer(alignement);
    (e.*presse).valeur = (e.*presse).valeur == 1 ? 0 : 1;
    Montrer(n);
    FocusRendre(n);
}

void BarresRTF::AligGaucheMouseDown(int n) { Alignement(n, kAligneGauche, &EtatBarreRTF::aligGauche); }
void BarresRTF::AligCentreMouseDown(int n) { Alignement(n, kAligneCentre, &EtatBarreRTF::aligCentre); }
void BarresRTF::AligDroiteMouseDown(int n) { Alignement(n, kAligneDroite, &EtatBarreRTF::aligDroite); }

void BarresRTF::CouleurMouseUp(int n) {
    BoiteTexteRiche* b = Boite(n);
    if (!b) return;
    std::int32_t c = b->SelCouleur().value_or(0);
    if (choisirCouleur && choisirCouleur(c)) b->SelCouleurFixer(c);
    FocusRendre(n);
}

void BarresRTF::PoliceChange(int n, std::string_view texte) {
    E(n).police = std::string(texte);
    E(n).policeIndex = -1;
    BoiteTexteRiche* b = Boite(n);
    if (b && !texte.empty()) b->SelPoliceFixer(texte);
}

void BarresRTF::PoliceClick(int n, int index) {
    if (index < 0 || index >= static_cast<int>(polices_.size())) return;
    E(n).policeIndex = index;
    E(n).police = polices_[static_cast<std::size_t>(index)];
    BoiteTexteRiche* b = Boite(n);
    if (b && !E(n).police.empty()) b->SelPoliceFixer(E(n).police);
    if (!enMiseAJour_) FocusRendre(n);
}

void BarresRTF::PoliceKeyPress(int n, int touche) {
    if (touche == 13) FocusRendre(n);
}

void BarresRTF::TailleAppliquer(int n, std::string_view texte) {
    BoiteTexteRiche* b = Boite(n);
    if (!b || texte.empty()) return;
    const auto t = TailleLue(texte);
    // A size under one point ("0", ".") is not applied.
    if (t && *t >= 1.0) b->SelTailleFixer(*t);
}

void BarresRTF::TailleChange(int n, std::string_view texte) {
    E(n).taille = std::string(texte);
    TailleAppliquer(n, texte);
}

void BarresRTF::TailleClick(int n, int index) {
    if (index < 0 || index >= static_cast<int>(Tailles().size())) return;
    E(n).taille = Tailles()[static_cast<std::size_t>(index)];
    TailleAppliquer(n, E(n).taille);
    FocusRendre(n);
}

void BarresRTF::TailleKeyPress(int n, int touche) {
    if (touche == 13) FocusRendre(n);
}

void BarresRTF::SautePageClick(int n) {
    BoiteTexteRiche* b = Boite(n);
    if (!b || b->Verrouille() || !b->Visible()) return;
    b->FocusDonner();
    b->SelectionFixer(b->SelectionDebut(), 0);
    b->SelectionTexteFixer(kMarqueurNouvellePage);
}

void BarresRTF::MAJMenuRTF(int n) {
    BoiteTexteRiche* b = Boite(n);
    if (!b || enMiseAJour_) return;
    // The controls' own events, raised by what is shown, come back here.
    enMiseAJour_ = true;
    struct Fin {
        bool& drapeau;
        ~Fin() { drapeau = false; }
    } fin{enMiseAJour_};
    EtatBarreRTF& e = E(n);
    if (b->SelectionDebut() >= b->Longueur()) b->SelectionFixer(b->SelectionDebut(), 0);

    // What each list shows is written back into the selection, as its
    // Change or Click does.
    const auto tailleMontrer = [&] {
        const auto t = b->SelTaille();
        TailleChange(n, t ? TailleTexte(*t) : std::string());
    };
    tailleMontrer();
    if (const auto police = b->SelPolice()) {
        int trouve = -1;
        const std::string cherche = engine::MajusculeCp1252(*police);
        for (std::size_t i = 0; i < polices_.size() && trouve < 0; ++i) {
            if (engine::MajusculeCp1252(polices_[i]) == cherche) trouve = static_cast<int>(i);
        }
        if (trouve >= 0) {
            PoliceClick(n, trouve);
        } else {
            PoliceChange(n, *police);
        }
    } else {
        PoliceChange(n, "");
    }
    tailleMontrer();

    const auto alignement = b->SelAlignement();
    for (BoutonRTF* x : {&e.aligGauche, &e.aligCentre, &e.aligDroite}) x->mixte = !alignement;
    if (alignement) {
        const int a = *alignement;
        if (a == kAligneGauche || a == kAligneCentre || a == kAligneDroite) {
            e.aligGauche.valeur = a == kAligneGauche ? 1 : 0;
            e.aligCentre.valeur = a == kAligneCentre ? 1 : 0;
            e.aligDroite.valeur = a == kAligneDroite ? 1 : 0;
        }
    }
    if (const auto c = b->SelCouleur()) {
        e.couleur = 0;
        e.couleurFond = *c;
    } else {
        e.couleur = 1;
        e.couleurFond = 0;
    }
    const auto style = [](BoutonRTF& x, std::optional<bool> v) {
        x.mixte = !v;
        x.valeur = v && *v ? 1 : 0;
    };
    style(e.gras, b->SelGras());
    style(e.italique, b->SelItalique());
    style(e.souligne, b->SelSouligne());
    Montrer(n);
}

}  // namespace korv::plan
