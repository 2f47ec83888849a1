#pragma once
// What the trigger routines need from the modules around the engine, as the
// program provides it: the saved page picture from the page display, the
// scripts' pass value, the plan panel from the main window, and the sprite
// table (stood in for until sprites are built).

#include <string>

#include "engine/declenchement_services.h"

namespace korv::engine {
class Moteur;
}
namespace korv::display {
class AffichagePage;
}

namespace korv::programme {

class ModulesAVenir;

class VoisinsProgramme final : public engine::ServicesDeclencheurs {
public:
    VoisinsProgramme(engine::Moteur& moteur, display::AffichagePage& affichage, ModulesAVenir& modules);

    bool TamponVersPermanent(int x, int y, int largeur, int hauteur) override;
    bool PermanentVersTampon() override;
    int SpriteNombre() override { return 0; }
    engine::SpriteVue Sprite(int) override { return {}; }
    int SpriteNObjetVersNSprite(int, int) override { return 0; }
    int PolyligneCheminQuelSprite(int, int) override { return 0; }
    bool SpriteFondSauver(int) override { return true; }
    std::string PasseValeur() override;
    bool PlanVisible() override;

private:
    engine::Moteur& moteur_;
    display::AffichagePage& affichage_;
};

}  // namespace korv::programme
