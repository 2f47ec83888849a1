#include "display/couleurs.h"

#include <gtest/gtest.h>

namespace korv::display {
namespace {

TEST(Couleurs, ComposantesEtTeintes) {
    const Couleur c = Rgb(250, 10, 128);
    EXPECT_EQ(c, 0x800AFAu);
    EXPECT_EQ(CouleurComposanteRouge(c), 250);
    EXPECT_EQ(CouleurComposanteVerte(c), 10);
    EXPECT_EQ(CouleurComposanteBleue(c), 128);
    EXPECT_EQ(CouleurPlusClaire(c, 50), Rgb(255, 60, 178));
    EXPECT_EQ(CouleurPlusSombre(c, 50), Rgb(200, 0, 78));
    EXPECT_EQ(CouleurComposanteRouge(0xFF0000FF), 255);  // the high byte is ignored
    EXPECT_EQ(VersQRgb(c), 0xFFFA0A80u);
    EXPECT_EQ(DepuisQRgb(0x12FA0A80u), c);
}

}  // namespace
}  // namespace korv::display
