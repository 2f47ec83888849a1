#include "print/apercu.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korv::print {
namespace {

// A window of 600 x 500 pixels at 15 twips a pixel, a tool band of 30
// pixels, bars 16 pixels thick, an A4 page image.
MesuresApercu Fenetre() {
    MesuresApercu m;
    m.largeurInterne = 600 * 15;
    m.hauteurInterne = 500 * 15;
    m.hauteurOutils = 30 * 15;
    m.largeurBarreVerticale = 16 * 15;
    m.hauteurBarreHorizontale = 16 * 15;
    m.largeurPage = 11000;
    m.hauteurPage = 16000;
    return m;
}

TEST(ApercuDisposition, ThePageTakesTheClampedZoomAndKeepsItsProportions) {
    struct Cas {
        const char* zoom;
        double pourcent;
    };
    for (const Cas c : {Cas{"0", 1}, Cas{"-5", 1}, Cas{"abc", 1}, Cas{"1500", 1000}, Cas{"100", 100}, Cas{"50", 50},
                        Cas{"200", 200}}) {
        const DispositionApercu d = ApercuDisposer(Fenetre(), c.zoom);
        EXPECT_DOUBLE_EQ(d.zoom, c.pourcent) << c.zoom;
        EXPECT_DOUBLE_EQ(d.affichage.largeur, 11000 * c.pourcent / 100) << c.zoom;
        EXPECT_DOUBLE_EQ(d.affichage.hauteur, 16000 * c.pourcent / 100) << c.zoom;
    }
}

TEST(ApercuDisposition, ThePageSitsBelowTheToolBandAndTheBarsAlongTheEdges) {
    const DispositionApercu d = ApercuDisposer(Fenetre(), "100");
    EXPECT_EQ(d.outils, (RectangleApercu{0, 0, 9000, 450}));
    EXPECT_DOUBLE_EQ(d.affichage.gauche, 75);  // 5 pixels
    EXPECT_DOUBLE_EQ(d.affichage.haut, 525);   // 5 pixels below the band
    // The vertical bar from the page's top down to the horizontal bar; the
    // horizontal one from the left to the vertical one; the corner between.
    EXPECT_EQ(d.barreVerticale, (RectangleApercu{8760, 525, 240, 7260 - 525}));
    EXPECT_EQ(d.barreHorizontale, (RectangleApercu{0, 7260, 8760, 240}));
    EXPECT_EQ(d.coin, (RectangleApercu{8760, 7260, 240, 240}));
}

TEST(ApercuDisposition, BarsCountTenTwipUnitsAndStartAtTheTopLeft) {
    struct Cas {
        const char* zoom;
        BarreApercu horizontale, verticale;
    };
    // Visible: 9000 - 240 = 8760 wide, 7500 - 240 - 525 = 6735 high.
    const Cas cas[] = {
        // Narrower than the window: the horizontal bar is off.
        // (8000 - 6735) / 10 = 126.5: halves go to the even neighbour.
        {"50", {false, 0, 0, 15, 150, 0}, {true, 0, 126, 15, 150, 0}},
        {"100", {true, 0, 224, 15, 150, 0}, {true, 0, 926, 15, 150, 0}},
        {"1000", {true, 0, 10124, 15, 150, 0}, {true, 0, 15326, 15, 150, 0}},
    };
    for (const Cas& c : cas) {
        const DispositionApercu d = ApercuDisposer(Fenetre(), c.zoom);
        EXPECT_EQ(d.horizontale, c.horizontale) << c.zoom;
        EXPECT_EQ(d.verticale, c.verticale) << c.zoom;
    }
}

TEST(ApercuDisposition, APageImageOfNoWidthOrAHugeOneStaysWithinBounds) {
    MesuresApercu m = Fenetre();
    m.largeurPage = 0;
    DispositionApercu d = ApercuDisposer(m, "100");
    EXPECT_DOUBLE_EQ(d.affichage.largeur, 0);
    EXPECT_DOUBLE_EQ(d.affichage.hauteur, 0);
    EXPECT_FALSE(d.horizontale.active);
    EXPECT_FALSE(d.verticale.active);
    // A page so long at 1000 % that its range leaves 16 bits keeps the
    // largest range instead of failing.
    m = Fenetre();
    m.hauteurPage = 400000;
    d = ApercuDisposer(m, "1000");
    EXPECT_EQ(d.verticale.maximum, 32767);
}

TEST(ApercuDisposition, AWindowTooSmallForTheBarsKeepsTheirLengths) {
    MesuresApercu m = Fenetre();
    m.hauteurInterne = 600;  // less than the band and the page's margin
    m.largeurInterne = 200;  // less than the vertical bar
    m.hauteurBarreVerticale = 1234;
    m.largeurBarreHorizontale = 4321;
    const DispositionApercu d = ApercuDisposer(m, "100");
    EXPECT_DOUBLE_EQ(d.barreVerticale.hauteur, 1234);
    EXPECT_DOUBLE_EQ(d.barreHorizontale.largeur, 4321);
}

TEST(ApercuDisposition, OneUnitOfScrollingIsTenTwipsOfTheScreen) {
    EXPECT_DOUBLE_EQ(DefilementPixels(1, 15), 10.0 / 15);
    EXPECT_DOUBLE_EQ(DefilementPixels(30, 15), 20);
    EXPECT_DOUBLE_EQ(DefilementPixels(30, 0), 0);
}

}  // namespace
}  // namespace korv::print
