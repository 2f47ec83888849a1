#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "plan/entree_surface.h"
#include "plan/recepteur_trace.h"

namespace korv::plan {
namespace {

using test::EvenementSouris;
using test::RecepteurTrace;
using test::Touche;

TEST(EntreeSurface, PositionPageTwips) {
    struct Cas {
        double surface;
        int twipsParPixel;
        int origine;
        int attendu;
    };
    const Cas cas[] = {
        {100, 15, 10, 250},
        {200, 15, 20, 500},
        {2.5, 15, 0, 2},  // halves to the even neighbour
        {3.5, 15, 0, 4},
        {-2.5, 15, 0, -2},
        {7.5, 15, 1, 22},
        {0, 15, 3000, 45000},  // beyond 16 bits: the true position
        {0, 12, -4, -48},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.surface);
        EXPECT_EQ(PositionPageTwips(c.surface, c.twipsParPixel, c.origine), c.attendu);
    }
}

TEST(EntreeSurface, EnfonceAvecOrigineDeDefilement) {
    RecepteurTrace r;
    EntreeSurface e(15, 15);
    e.DefinirRecepteur(&r);
    e.Enfonce(kBoutonGauche, kMajShift, 100, 200, {10, 20});
    e.Relache(kBoutonGauche, 0, 3.5, 2.5, {});
    EXPECT_EQ(r.souris, (std::vector<EvenementSouris>{{1, 1, 1, 250, 500}, {2, 1, 0, 4, 2}}));
}

TEST(EntreeSurface, DoubleClicRejoueLEnfonce) {
    RecepteurTrace r;
    EntreeSurface e(15, 15);
    e.DefinirRecepteur(&r);
    // Down, up, the double-click in place of the second down, up.
    e.Enfonce(kBoutonDroit, kMajCtrl, 30, 45, {});
    e.Relache(kBoutonDroit, kMajCtrl, 30, 45, {});
    e.DoubleClic({});
    e.Relache(kBoutonDroit, kMajCtrl, 30, 45, {});
    EXPECT_EQ(r.souris, (std::vector<EvenementSouris>{
                            {1, 2, 2, 30, 45}, {2, 2, 2, 30, 45}, {1, 2, 2, 30, 45}, {2, 2, 2, 30, 45}}));
}

TEST(EntreeSurface, DeplacementsRepetesFiltresSurLaSurface) {
    RecepteurTrace r;
    EntreeSurface e(15, 15);
    e.DefinirRecepteur(&r);
    e.Deplace(0, 0, 150, 300, {});
    e.Deplace(0, 0, 150, 300, {5, 5});  // same surface position, scrolled: filtered
    e.Deplace(kBoutonGauche, 0, 165, 300, {5, 5});
    e.Deplace(0, 0, 150, 300, {5, 5});  // back where it was: a move again
    EXPECT_EQ(r.souris, (std::vector<EvenementSouris>{
                            {3, 0, 0, 150, 300}, {3, 1, 0, 240, 375}, {3, 0, 0, 225, 375}}));
}

// The tooltip's rule: on each move of the surface that passes the filter,
// before its kind-3 event; on the tree's moves alone; never outside play.
TEST(EntreeSurface, RegleDeLaBulleAvantChaqueDeplacementEnJeu) {
    RecepteurTrace r;
    EntreeSurface e(15, 15);
    e.DefinirRecepteur(&r);
    e.Deplace(0, 0, 150, 300, {});
    e.Deplace(0, 0, 150, 300, {});  // filtered: no rule either
    e.DeplacementArbre();
    e.Deplace(0, 0, 165, 300, {});
    EXPECT_EQ(r.bulles, (std::vector<int>{0, 1, 1}));
    EXPECT_EQ(r.souris.size(), 2u);

    r.enJeu = false;
    e.Deplace(0, 0, 180, 300, {});
    e.DeplacementArbre();
    EXPECT_EQ(r.bulles.size(), 3u);
    // A rule that fails stops at the boundary; the move still reaches the page.
    r.enJeu = true;
    struct Recepteur final : RecepteurTrace {
        void DeplacementBulle() override { throw std::runtime_error("bulle"); }
    } lanceur;
    e.DefinirRecepteur(&lanceur);
    e.Deplace(0, 0, 195, 300, {});
    EXPECT_EQ(lanceur.erreurs, std::vector<std::string>{"bulle"});
    EXPECT_EQ(lanceur.souris.size(), 1u);
}

TEST(EntreeSurface, HorsDuJeuRienNePasseSaufFermetureEtQuitter) {
    RecepteurTrace r;
    r.enJeu = false;
    EntreeSurface e(15, 15);
    e.DefinirRecepteur(&r);
    e.Enfonce(kBoutonGauche, 0, 15, 30, {});
    e.Relache(kBoutonGauche, 0, 15, 30, {});
    e.Deplace(0, 0, 45, 60, {});
    e.ToucheEnfoncee(kToucheEchap, 0);
    e.ToucheRelachee(kToucheEchap, 0);
    EXPECT_TRUE(r.souris.empty());
    EXPECT_TRUE(r.enfoncees.empty());
    EXPECT_TRUE(r.relachees.empty());
    EXPECT_TRUE(e.DemandeFermeture());
    e.MenuQuitter();
    EXPECT_EQ(r.demandesFermeture, 1);
    EXPECT_EQ(r.quitter, 1);

    // The mouse-down made outside play is still the one a double-click replays,
    // and the filter kept the last move.
    r.enJeu = true;
    e.DoubleClic({});
    e.Deplace(0, 0, 45, 60, {});
    EXPECT_EQ(r.souris, (std::vector<EvenementSouris>{{1, 1, 0, 15, 30}}));
}

TEST(EntreeSurface, ToucheEnfonceeReentranteAbandonnee) {
    RecepteurTrace r;
    EntreeSurface e(15, 15);
    e.DefinirRecepteur(&r);
    int appels = 0;
    r.surTouche = [&] {
        if (++appels == 1) e.ToucheEnfoncee(66, 0);  // arrives while the first is handled
    };
    e.ToucheEnfoncee(65, kMajShift);
    e.ToucheEnfoncee(67, 0);
    EXPECT_EQ(r.enfoncees, (std::vector<Touche>{{65, 1}, {67, 0}}));
}

TEST(EntreeSurface, DemandeFermeture) {
    RecepteurTrace r;
    EntreeSurface e(15, 15);
    e.DefinirRecepteur(&r);
    r.accepteFermeture = false;
    EXPECT_FALSE(e.DemandeFermeture());
    r.accepteFermeture = true;
    // A second close arriving while the first is being answered asks nothing.
    bool interieure = true;
    r.surFermeture = [&] {
        if (r.demandesFermeture == 2) interieure = e.DemandeFermeture();
    };
    EXPECT_TRUE(e.DemandeFermeture());
    EXPECT_FALSE(interieure);
    EXPECT_EQ(r.demandesFermeture, 2);
    r.surFermeture = nullptr;

    // Without a receiver the window may close.
    EntreeSurface seule(15, 15);
    EXPECT_TRUE(seule.DemandeFermeture());
}

TEST(EntreeSurface, ErreursArreteesALaFrontiere) {
    RecepteurTrace r;
    EntreeSurface e(15, 15);
    e.DefinirRecepteur(&r);
    r.surSouris = [] { throw std::runtime_error("souris"); };
    r.surFermeture = [] { throw std::runtime_error("fermeture"); };
    EXPECT_NO_THROW(e.Enfonce(1, 0, 0, 0, {}));
    // An answer that failed keeps the window open.
    EXPECT_FALSE(e.DemandeFermeture());
    EXPECT_EQ(r.erreurs, (std::vector<std::string>{"souris", "fermeture"}));
}

TEST(EntreeSurface, DefilementEtRedimensionnementTransmis) {
    RecepteurTrace r;
    r.enJeu = false;  // not gated by play mode: the layout follows the window
    EntreeSurface e(15, 15);
    e.DefinirRecepteur(&r);
    e.Defilement({12, 34});
    e.Redimensionnement();
    EXPECT_EQ(r.defilements, (std::vector<Touche>{{12, 34}}));
    EXPECT_EQ(r.redimensionnements, 1);
}

}  // namespace
}  // namespace korv::plan
