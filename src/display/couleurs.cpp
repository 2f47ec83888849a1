#include "display/couleurs.h"

#include <algorithm>

namespace korv::display {

namespace {

std::uint8_t Borne(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

}  // namespace

Couleur CouleurPlusSombre(Couleur c, std::uint8_t ecart) {
    return Rgb(Borne(CouleurComposanteRouge(c) - ecart), Borne(CouleurComposanteVerte(c) - ecart),
               Borne(CouleurComposanteBleue(c) - ecart));
}

Couleur CouleurPlusClaire(Couleur c, std::uint8_t ecart) {
    return Rgb(Borne(CouleurComposanteRouge(c) + ecart), Borne(CouleurComposanteVerte(c) + ecart),
               Borne(CouleurComposanteBleue(c) + ecart));
}

}  // namespace korv::display
