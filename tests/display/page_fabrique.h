#pragma once
// Objects appended to page 1 of a test scene, as the drawing tests need them.

#include <cstdint>

#include "display/dessin_champs.h"
#include "engine/scene.h"

namespace korv::display::test {

// Appended with its drawing position and a frame style that paints nothing
// unless a test says; the reference holds until the next append.
inline engine::ObjetPage& AjouterObjet(engine::Scene& scene, engine::TypeObjet type, int g, int h, int l, int ht) {
    auto& objets = scene.Page(1).objets;
    engine::ObjetPage o;
    o.type = static_cast<std::uint8_t>(type);
    o.gauche = static_cast<std::int16_t>(g);
    o.haut = static_cast<std::int16_t>(h);
    o.largeur = static_cast<std::int16_t>(l);
    o.hauteur = static_cast<std::int16_t>(ht);
    o.decoupe = champs::kFormeRectangle;
    o.C1 = 6;
    o.G[0] = static_cast<std::int16_t>(objets.size() + 1);
    objets.push_back(o);
    return objets.back();
}

}  // namespace korv::display::test
