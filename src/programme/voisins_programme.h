#pragma once
// What the trigger routines need from the modules around the engine, as the
// program provides it: the saved page picture from the page display, the
// scripts' pass value and the plan panel from the main window. The sprite
// table's own services (display::VoisinsSprites) sit in front of these.

#include <functional>
#include <string>

#include "engine/declenchement_services.h"

namespace korv::engine {
class Moteur;
}
namespace korv::display {
class AffichagePage;
}
namespace korv::grid {
class MagasinGrilles;
}

namespace korv::programme {

class VoisinsProgramme final : public engine::ServicesDeclencheurs {
public:
    VoisinsProgramme(engine::Moteur& moteur, display::AffichagePage& affichage, grid::MagasinGrilles& grilles);

    bool TamponVersPermanent(int x, int y, int largeur, int hauteur) override;
    bool PermanentVersTampon() override;
    // Answered by the sprite table in front; no sprite reaches here.
    int SpriteNombre() override { return 0; }
    engine::SpriteVue Sprite(int) override { return {}; }
    int SpriteNObjetVersNSprite(int, int) override { return 0; }
    int PolyligneCheminQuelSprite(int, int) override { return 0; }
    bool SpriteFondSauver(int) override { return true; }
    // Grid objects: shown and erased by the engine, scrolled and folded by
    // their grid.
    void DeclencheTableau(engine::Moteur& moteur, int page, int objet, std::string& valeur, int action, int mode,
                          int source) override;
    std::string PasseValeur() override;
    bool PlanVisible() override;
    // The sprites that follow the method text, moved by the guided method.
    void ObjetsSpriteMethodeMaj() override {
        if (spritesMethodeMaj) spritesMethodeMaj();
    }
    std::function<void()> spritesMethodeMaj;

private:
    engine::Moteur& moteur_;
    display::AffichagePage& affichage_;
    grid::MagasinGrilles& grilles_;
};

}  // namespace korv::programme
