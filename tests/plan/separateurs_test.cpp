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

}  // namespace
}  // namespace korv::plan
