#pragma once
// The main window as the page display sees it, with the writing panel kept
// over its placeholder when the window is laid out or the page scrolled:
// everything else goes to the platform's window.

#include <functional>

#include "display/fenetre.h"

namespace korv::programme {

class FenetreAffichageProgramme final : public display::FenetreAffichage {
public:
    explicit FenetreAffichageProgramme(display::FenetreAffichage* fenetre) : f_(fenetre ? *fenetre : neutre_) {}

    // The writing panel: shown, and placed again.
    std::function<bool()> redactionVisible;
    std::function<void()> panneauxMethodeMaj;
    // The method-text boxes placed again.
    std::function<void()> menuSavTexteMetPlacer;
    // The edit box placed again over what it edits.
    std::function<void()> decaleAscenseurs;
    // The sprites that follow the method text.
    std::function<void()> spritesMethodeMaj;

    display::MesuresFenetre Mesures() const override { return f_.Mesures(); }
    void Appliquer(const display::DispositionFenetre& d) override { f_.Appliquer(d); }
    void MontrerPage(const QImage* image) override { f_.MontrerPage(image); }
    void Rafraichir(const QRect& zone) override { f_.Rafraichir(zone); }
    bool RedactionVisible() const override { return redactionVisible ? redactionVisible() : f_.RedactionVisible(); }
    void PanneauxMethodeMaj() override {
        if (panneauxMethodeMaj) panneauxMethodeMaj();
    }
    void MenuSavTexteMetPlacer() override {
        if (menuSavTexteMetPlacer) {
            menuSavTexteMetPlacer();
        } else {
            f_.MenuSavTexteMetPlacer();
        }
    }
    void ObjetsSpriteMethodeMaj() override {
        if (spritesMethodeMaj) spritesMethodeMaj();
    }
    void TexteEditeParUtilisateurDecaleAscenseurs() override {
        if (decaleAscenseurs) decaleAscenseurs();
    }
    std::int32_t TexteMethodeHauteurTwips() override { return f_.TexteMethodeHauteurTwips(); }
    void MessageOuvrir(std::string_view titre, std::string_view texte) override { f_.MessageOuvrir(titre, texte); }
    void MessagePourcentage(std::int32_t valeur) override { f_.MessagePourcentage(valeur); }
    void MessageFermer() override { f_.MessageFermer(); }

private:
    display::FenetreAffichage neutre_;
    display::FenetreAffichage& f_;
};

}  // namespace korv::programme
