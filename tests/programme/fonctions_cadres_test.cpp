// Frames and merges of plan-action cells in the composed program: cells
// chosen with the mouse, buttons whose scripts merge and frame them, and
// the merged run then taken whole by a click on any of its cells.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/affichage.h"
#include "display/couleurs.h"
#include "grid/tableau.h"
#include "programme/pilote_programme.h"
#include "support/entree_jeu.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

// Five columns of 1200 twips and three rows of 300 from (600, 600): at 15
// twips a pixel, cell (c, r) starts at pixel x 41 + 80 (c - 1), y 41 + 20 (r - 1).
// Every cell is a plan-action cell but (3, 2).
constexpr const char* kScene = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="T1" rect=600,600,6000,900
  grid cols=5 rows=3 coloffset=1 rowoffset=1
  column 1 width=1200
  column 2 width=1200
  column 3 width=1200
  column 4 width=1200
  column 5 width=1200
  row 1 height=300
  row 2 height=300
  row 3 height=300
  cell col=2 row=1 text="Objectif"
  cell col=4 row=2 text="Suite"
  attribute col=1 row=1 bg=-23
  attribute col=2 row=1 bg=-20
  attribute col=3 row=1 bg=-20
  attribute col=4 row=1 bg=-20
  attribute col=5 row=1 bg=-18
  attribute col=1 row=2 bg=-20
  attribute col=2 row=2 bg=-20
  attribute col=3 row=2 bg=16777215
  attribute col=4 row=2 bg=-20
  attribute col=5 row=2 bg=-20
  attribute col=1 row=3 bg=-20
  attribute col=2 row=3 bg=-20
  attribute col=3 row=3 bg=-20
  attribute col=4 row=3 bg=-20
  attribute col=5 row=3 bg=-20
object kind=action name="FUSION" A1=11 text="QUE PASSEVALEUR = ZONEFUSIONMETTRE('DEBUT';'T1')"
object kind=action name="CADRE" A1=11 text="QUE PASSEVALEUR = CADREZONECHANGER('DEBUT';'T1')"
object kind=bouton name="BFUSION" rect=600,3000,1200,600 C1=1 D1=12632256
  element page=1 object=3 param=0 events=2
object kind=bouton name="BCADRE" rect=3000,3000,1200,600 C1=1 D1=12632256
  element page=1 object=4 param=0 events=2
)S";

int Tx(int c) { return 600 + 1200 * (c - 1) + 300; }
int Ty(int r) { return 600 + 300 * (r - 1) + 150; }
int Gx(int c) { return 41 + 80 * (c - 1); }
int Gy(int r) { return 41 + 20 * (r - 1); }

class FonctionsCadres : public ::testing::Test {
protected:
    void SetUp() override {
        p.ChargerScene(kScene);
        p.ExecuterJusqua(50);
    }
    grid::TableauClasse& G() {
        auto* g = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 2));
        EXPECT_NE(g, nullptr);
        return *g;
    }
    std::vector<int> Marques(int r) {
        std::vector<int> v;
        for (int c = 1; c <= 5; ++c) v.push_back(G().CaseFusion(c, r));
        return v;
    }
    std::string Contenu(int c, int r) {
        const grid::CaseTableau* x = G().Case(c, r);
        return x ? x->Texte : std::string();
    }
    PiloteProgramme p;
};

TEST_F(FonctionsCadres, ButtonsMergeAndFrameTheCellsChosenWithTheMouse) {
    // Cells (2, 1) to (4, 2) chosen by a drag; the button press outside the
    // grid then clears the selection shown, not the cells chosen.
    p.Souris(100, testsupport::genre_souris::Enfonce, 1, 0, Tx(2), Ty(1));
    p.Souris(150, testsupport::genre_souris::Deplace, 1, 0, Tx(4), Ty(2));
    p.Souris(200, testsupport::genre_souris::Relache, 1, 0, Tx(4), Ty(2));
    p.Clic(300, 900, 3300);
    p.ExecuterJusqua(400);
    EXPECT_EQ(Marques(1), (std::vector<int>{0, 1, 2, 2, 0}));
    EXPECT_EQ(Marques(2), (std::vector<int>(5, 0))) << "row 2 holds a cell of another kind";
    EXPECT_EQ(Marques(3), (std::vector<int>(5, 0)));

    p.Clic(500, 3300, 3300);
    p.ExecuterJusqua(600);
    EXPECT_EQ(Contenu(2, 1), "\x09" "Objectif");
    EXPECT_EQ(Contenu(3, 1), "\x01");
    EXPECT_EQ(Contenu(4, 1), "\x03");
    EXPECT_EQ(Contenu(2, 2), "\x0C");
    EXPECT_EQ(Contenu(3, 2), "") << "not a plan-action cell";
    EXPECT_EQ(Contenu(4, 2), "\x06" "Suite");
    EXPECT_EQ(Contenu(5, 1), "");
    EXPECT_EQ(Contenu(1, 2), "");
    EXPECT_EQ(p.JournalErreurs(), "");

    // In play a click on a continuation cell takes the whole run; the
    // grid drawn again shows the frame's left side in grey on (2, 2).
    p.Clic(700, Tx(3), Ty(1));
    p.ExecuterJusqua(800);
    const grid::SelectionTableau& s = G().Selection();
    EXPECT_EQ(s.HautGaucheColonne, 2);
    EXPECT_EQ(s.BasDroiteColonne, 4);
    EXPECT_EQ(s.HautGaucheLigne, 1);
    EXPECT_EQ(s.BasDroiteLigne, 1);
    const display::Surface& tampon = p.Programme().Affichage().PageTampon;
    // Drawn with the grid lines' dotted pen: every other pixel.
    EXPECT_EQ(tampon.Pixel(Gx(2), Gy(2)), display::Rgb(100, 100, 100));
    EXPECT_EQ(tampon.Pixel(Gx(2) + 40, Gy(2) + 10), display::Rgb(210, 210, 210)) << "inside: the -20 fill";

    // The same button again acts on the run clicked: its frame goes, row
    // 2's stays.
    p.Clic(900, 3300, 3300);
    p.ExecuterJusqua(1000);
    EXPECT_EQ(Contenu(2, 1), "Objectif");
    EXPECT_EQ(Contenu(3, 1), "");
    EXPECT_EQ(Contenu(4, 1), "");
    EXPECT_EQ(Contenu(2, 2), "\x0C");
    EXPECT_EQ(Contenu(4, 2), "\x06" "Suite");
}

// Scripts grey a zone from the states of another and change the
// background code of the cells chosen with the mouse.
TEST(FonctionsCadresGrise, ScriptsGreyAZoneAndChangeTheBackgroundOfTheSelection) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="T1" rect=600,600,4800,600
  grid cols=4 rows=2 coloffset=1 rowoffset=1
  column 1 width=1200
  column 2 width=1200
  column 3 width=1200
  column 4 width=1200
  row 1 height=300
  row 2 height=300
  cell col=1 row=1 text="5"
  cell col=2 row=1 text="x"
  attribute col=2 row=1 invalidation=2
  attribute col=3 row=1 invalidation=1
  attribute col=4 row=1 invalidation=1
  attribute col=4 row=2 invalidation=1
  attribute col=1 row=2 bg=-20
  attribute col=2 row=2 bg=-14
object kind=action name="GRISE" A1=11 text="QUE PASSEVALEUR = ZONEGRISEAUTO('DEBUT';'T1';2;1;2;1;4;1;4;2;1)"
object kind=action name="FOND" A1=11 text="QUE PASSEVALEUR = ZONECHANGEFOND('DEBUT';'T1';19)"
object kind=bouton name="BGRISE" rect=600,3000,1200,600 C1=1 D1=12632256
  element page=1 object=3 param=0 events=2
object kind=bouton name="BFOND" rect=3000,3000,1200,600 C1=1 D1=12632256
  element page=1 object=4 param=0 events=2
)S");
    p.ExecuterJusqua(50);
    auto* g = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 2));
    ASSERT_NE(g, nullptr);
    // The page's actions already ran as it showed; the target back to valid.
    EXPECT_EQ(g->CaseInvalidationStockee(4, 1) & 7, 2);
    for (int r = 1; r <= 2; ++r) g->CaseInvalidationStockeeChange(4, r, 1);
    p.Clic(100, 900, 3300);
    p.ExecuterJusqua(200);
    EXPECT_EQ(g->CaseInvalidationStockee(4, 1) & 7, 2);
    EXPECT_EQ(g->CaseInvalidationStockee(4, 2) & 7, 2);
    EXPECT_EQ(g->CaseInvalidationStockee(3, 1) & 7, 1) << "outside the target";

    // Row 2, columns 1..2 chosen by a drag: 19 is a plan-action code, so
    // only the plan-action cell takes it.
    p.Souris(300, testsupport::genre_souris::Enfonce, 1, 0, Tx(1), Ty(2));
    p.Souris(350, testsupport::genre_souris::Deplace, 1, 0, Tx(2), Ty(2));
    p.Souris(400, testsupport::genre_souris::Relache, 1, 0, Tx(2), Ty(2));
    p.Clic(500, 3300, 3300);
    p.ExecuterJusqua(600);
    EXPECT_EQ(g->CaseCouleurFond(1, 2), -19);
    EXPECT_EQ(g->CaseCouleurFond(2, 2), -14);
    EXPECT_EQ(p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::programme
