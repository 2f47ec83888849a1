#include <gtest/gtest.h>

#include "plan/regle_bulle.h"
#include "platform/clock.h"
#include "platform/tooltip.h"

namespace korv::plan {
namespace {

// Shown at 1000 ms: a move up to 1100 keeps it, a move after hides it.
TEST(RegleBulle, CacheeAuPremierDeplacementPlusDeCentMsApres) {
    struct Cas {
        std::int64_t deplacement;
        bool visible;
    };
    const Cas cas[] = {{1000, true}, {1050, true}, {1100, true}, {1101, false}, {5000, false}};
    for (const Cas& c : cas) {
        platform::HorlogeFactice horloge(1000);
        platform::FenetreBulleFactice bulle;
        RegleBulle regle(&bulle, &horloge);
        bulle.Afficher(10, 10, "aide");
        regle.Montree();
        horloge.Regler(c.deplacement);
        regle.Deplacement();
        EXPECT_EQ(bulle.visible, c.visible) << c.deplacement;
    }
}

TEST(RegleBulle, MontreeDeNouveauRepartDeZero) {
    platform::HorlogeFactice horloge(1000);
    platform::FenetreBulleFactice bulle;
    RegleBulle regle(&bulle, &horloge);
    bulle.Afficher(10, 10, "aide");
    regle.Montree();
    horloge.Regler(1090);
    bulle.Afficher(20, 20, "autre");  // shown again over another cell
    regle.Montree();
    horloge.Regler(1150);
    regle.Deplacement();
    EXPECT_TRUE(bulle.visible) << "60 ms after it was shown again";
    horloge.Regler(1191);
    regle.Deplacement();
    EXPECT_FALSE(bulle.visible);
}

TEST(RegleBulle, SansMomentNoteOuSansBulle) {
    platform::HorlogeFactice horloge(50);
    platform::FenetreBulleFactice bulle;
    // Shown by a path that never noted the moment: the first move hides it.
    RegleBulle regle(&bulle, &horloge);
    bulle.Afficher(0, 0, "aide");
    regle.Deplacement();
    EXPECT_FALSE(bulle.visible);
    // Nothing to hide, nothing to fail.
    RegleBulle vide(nullptr, nullptr);
    vide.Montree();
    vide.Deplacement();
}

}  // namespace
}  // namespace korv::plan
