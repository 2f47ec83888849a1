#include <gtest/gtest.h>

#include "plan/separateurs.h"

namespace korv::plan {
namespace {

using P = PointeurSeparateur;

// Plan panel right edge at 3000, page frame from 3060; page frame bottom at
// 6000, writing panel from 6060; client 9000 high; 15 twips per pixel.
BandesSeparateurs Bandes(bool plan, bool redaction) {
    BandesSeparateurs b;
    b.planVisible = plan;
    b.planDroite = 3000;
    b.sceneGauche = 3060;
    b.redactionVisible = redaction;
    b.sceneBas = 6000;
    b.redactionHaut = 6060;
    b.clientHauteur = 9000;
    return b;
}

TEST(Separateurs, PointeurSelonLesBandes) {
    struct Cas {
        bool plan, redaction;
        P avant;
        int x, y;
        P apres;
    };
    const Cas cas[] = {
        {true, false, P::Defaut, 3000, 100, P::OuestEst},   // band's ends included
        {true, false, P::Defaut, 3060, 100, P::OuestEst},
        {true, false, P::OuestEst, 3061, 100, P::Defaut},
        {true, false, P::Defaut, 2999, 100, P::Defaut},
        {false, false, P::OuestEst, 3030, 100, P::Defaut},   // panel hidden
        {false, true, P::Defaut, 100, 6000, P::NordSud},
        {false, true, P::NordSud, 100, 6061, P::Defaut},
        {false, false, P::NordSud, 100, 6030, P::Defaut},
        {true, true, P::Defaut, 3030, 6030, P::NordSud},     // where both meet, north-south wins
        {true, true, P::NordSud, 3030, 100, P::OuestEst},
    };
    for (const Cas& c : cas) {
        EXPECT_EQ(PointeurApresDeplacement(Bandes(c.plan, c.redaction), c.avant, c.x, c.y), c.apres)
            << c.x << "," << c.y;
    }
}

TEST(Separateurs, GlissementAuMoinsQuatrePixels) {
    const BandesSeparateurs b = Bandes(true, true);
    auto t = TailleApresGlissement(b, P::OuestEst, 4500, 0);
    ASSERT_TRUE(t);
    EXPECT_TRUE(t->plan);
    EXPECT_EQ(t->valeur, 4500);
    t = TailleApresGlissement(b, P::OuestEst, 0, 0);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->valeur, 60);
    t = TailleApresGlissement(b, P::NordSud, 0, 7000);
    ASSERT_TRUE(t);
    EXPECT_FALSE(t->plan);
    EXPECT_EQ(t->valeur, 2000);
    t = TailleApresGlissement(b, P::NordSud, 0, 9000);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->valeur, 60);
    EXPECT_FALSE(TailleApresGlissement(b, P::Defaut, 100, 100));
    EXPECT_FALSE(TailleApresGlissement(Bandes(false, false), P::OuestEst, 100, 100));
    EXPECT_FALSE(TailleApresGlissement(Bandes(false, false), P::NordSud, 100, 100));
}

// The client area's move handler as a whole, on geometry only: the pointer
// without a button, the size with the left button alone, nothing with any
// other buttons. The writing panel's drag is the same rule as the plan
// panel's, from the bottom edge.
TEST(Separateurs, DeplacementDessousSelonLesBoutons) {
    using D = DeplacementSeparateurs;
    using T = TailleGlissee;
    struct Cas {
        P avant;
        int boutons, x, y;
        D attendu;
    };
    const Cas cas[] = {
        {P::Defaut, 0, 3030, 6030, {P::NordSud, std::nullopt}},   // both bands: north-south wins
        {P::NordSud, 1, 3030, 7000, {P::NordSud, T{false, 2000}}},
        {P::NordSud, 1, 3030, 8950, {P::NordSud, T{false, 60}}},  // within 4 pixels of the bottom
        {P::NordSud, 1, 3030, 9000, {P::NordSud, T{false, 60}}},
        {P::NordSud, 1, 3030, 8939, {P::NordSud, T{false, 61}}},
        {P::OuestEst, 1, 4500, 100, {P::OuestEst, T{true, 4500}}},
        {P::OuestEst, 1, 60, 100, {P::OuestEst, T{true, 60}}},   // 4 pixels wide at least
        {P::OuestEst, 1, 0, 100, {P::OuestEst, T{true, 60}}},
        {P::OuestEst, 1, 61, 100, {P::OuestEst, T{true, 61}}},
        {P::Defaut, 1, 3030, 100, {P::Defaut, std::nullopt}},     // no band shown: no drag
        {P::OuestEst, 3, 4500, 100, {P::OuestEst, std::nullopt}}, // left and right together
        {P::OuestEst, 2, 4500, 100, {P::OuestEst, std::nullopt}},
        {P::NordSud, 4, 3030, 7000, {P::NordSud, std::nullopt}},
        {P::OuestEst, 2, 100, 100, {P::OuestEst, std::nullopt}},  // a button held: the pointer stays
    };
    for (const Cas& c : cas) {
        EXPECT_EQ(DeplacementDessous(Bandes(true, true), c.avant, c.boutons, c.x, c.y), c.attendu)
            << static_cast<int>(c.avant) << " " << c.boutons << " " << c.x << "," << c.y;
    }
    // A hidden writing panel is never sized, whatever the pointer showed.
    EXPECT_EQ(DeplacementDessous(Bandes(true, false), P::NordSud, 1, 3030, 7000), (D{P::NordSud, std::nullopt}));
}

}  // namespace
}  // namespace korv::plan
