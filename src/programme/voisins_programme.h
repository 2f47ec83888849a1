#pragma once
// What the trigger routines need from the modules around the engine, as the
// program provides it: the saved page picture from the page display, the
// scripts' pass value and the plan panel from the main window. The sprite
// table's own services (display::VoisinsSprites) sit in front of these.

#include <string>

#include "engine/declenchement_services.h"

namespace korv::engine {
class Moteur;
}
namespace korv::display {
class AffichagePage;
}

namespace korv::programme {

class VoisinsProgramme final : public engine::ServicesDeclencheurs {
public:
    VoisinsProgramme(engine::Moteur& moteur, display::AffichagePage& affichage);

    bool TamponVersPermanent(int x, int y, int largeur, int hauteur) override;
    bool PermanentVersTampon() override;
    // Answered by the sprite table in front; no sprite reaches here.
    int SpriteNombre() override { return 0; }
    engine::SpriteVue Sprite(int) override { return {}; }
    int SpriteNObjetVersNSprite(int, int) override { return 0; }
    int PolyligneCheminQuelSprite(int, int) override { return 0; }
    bool SpriteFondSauver(int) override { return true; }
    std::string PasseValeur() override;
    bool PlanVisible() override;
    // The method panels' sprites come with the guided method: no method
    // panel exists to follow yet.
    void ObjetsSpriteMethodeMaj() override {}

private:
    engine::Moteur& moteur_;
    display::AffichagePage& affichage_;
};

}  // namespace korv::programme
