// The scene's grids in the composed program: drawn into the page buffer,
// selected with the mouse and the keys, check cells toggled.

#include <gtest/gtest.h>

#include <string>

#include "display/affichage.h"
#include "display/couleurs.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"
#include "plan/etat_plan.h"
#include "platform/message_box.h"
#include "programme/pilote_programme.h"
#include "support/entree_jeu.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

// Four columns of 1200 twips and five rows of 300 from (600, 600), laid
// out with one pixel between cells: at 15 twips a pixel, cell (c, r)
// covers pixels x 41 + 80 (c - 1) .. +78, y 41 + 20 (r - 1) .. +18.
constexpr const char* kScene = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,4800,1500
  grid cols=4 rows=6 coloffset=1 rowoffset=1
  column 1 width=1200
  column 2 width=1200
  column 3 width=1200
  column 4 width=1200
  row 1 height=300
  row 2 height=300
  row 3 height=300
  row 4 height=300
  row 5 height=300
  row 6 height=300 fold=-1
  cell col=2 row=1 text="0"
  cell col=3 row=1 text="1"
  cell col=1 row=2 text="¤Un long titre qui passe"
  cell col=1 row=3 text="x"
  cell col=3 row=3 text="10"
  cell col=4 row=3 text="20"
  cell col=1 row=4 text="Fusion"
  cell col=1 row=5 text="1"
  cell col=2 row=5 text="2"
  cell col=3 row=5 text="3"
  cell col=4 row=5 text="4"
  cell col=1 row=6 text="plie"
  attribute col=1 row=1 bg=-20
  attribute col=2 row=1 bg=-14
  attribute col=3 row=1 bg=-14
  attribute col=4 row=1 bg=-7
  attribute col=2 row=2 bg=-16
  attribute col=3 row=2 bg=-16
  attribute col=2 row=3 bg=-16
  attribute col=3 row=3 editable=-1 type=1 bg=16777215
  attribute col=4 row=3 editable=-1 type=1 bg=16777215
  attribute col=1 row=4 bg=-20 merge=1
  attribute col=2 row=4 bg=-20 merge=2
  attribute col=3 row=4 bg=-20 merge=2
  attribute col=1 row=5 editable=-1 bg=16777215
  attribute col=2 row=5 editable=-1 bg=16777215
  attribute col=3 row=5 editable=-1 bg=16777215
  attribute col=4 row=5 editable=-1 bg=16777215
)S";

int Gx(int c) { return 41 + 80 * (c - 1); }
int Gy(int r) { return 41 + 20 * (r - 1); }
int Tx(int c) { return 600 + 1200 * (c - 1) + 300; }
int Ty(int r) { return 600 + 300 * (r - 1) + 150; }

class Grilles : public ::testing::Test {
protected:
    void SetUp() override {
        p.ChargerScene(kScene);
        p.ExecuterJusqua(50);
    }
    display::Couleur Pixel(int x, int y) { return p.Programme().Affichage().PageTampon.Pixel(x, y); }
    // Pixels of a cell's inside (one pixel in from its edges) unlike white.
    int Encre(int c, int r) {
        int n = 0;
        for (int y = Gy(r) + 1; y < Gy(r) + 17; ++y) {
            for (int x = Gx(c) + 1; x < Gx(c) + 77; ++x) n += Pixel(x, y) != display::kBlanc;
        }
        return n;
    }
    grid::TableauClasse& G() {
        auto* g = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 2));
        EXPECT_NE(g, nullptr);
        return *g;
    }
    PiloteProgramme p;
};

TEST_F(Grilles, CellsShowTheirFillCodesMergesAndOwners) {
    EXPECT_EQ(Pixel(Gx(1) + 60, Gy(1) + 10), display::Rgb(210, 210, 210)) << "-20";
    EXPECT_EQ(Pixel(Gx(2) + 40, Gy(1) + 10), display::kBlanc) << "check cell 0: white box";
    // Drawn with the grid lines' dotted pen: every other pixel from the corner.
    EXPECT_EQ(Pixel(Gx(2) + 40, Gy(1)), display::Rgb(200, 200, 200)) << "check cell 0: light outline";
    EXPECT_EQ(Pixel(Gx(2) + 41, Gy(1)), display::kBlanc) << "check cell 0: light outline";
    EXPECT_EQ(Pixel(Gx(3) + 40, Gy(1) + 10), display::Rgb(120, 120, 120)) << "check cell 1: grey box";
    EXPECT_EQ(Pixel(Gx(4) + 40, Gy(1) + 10), display::Rgb(242, 252, 237)) << "-7 without an entry over a formula";
    // The "¤" owner's text runs into its -16 cells, without the "¤".
    EXPECT_GT(Encre(2, 2), 10);
    EXPECT_EQ(Encre(4, 2), 0);
    // A -16 cell with no owner to its left draws nothing.
    EXPECT_EQ(Encre(2, 3), 0);
    // The merged run is one cell: its fill over the three, its text centred on the middle one.
    EXPECT_EQ(Pixel(Gx(3) + 60, Gy(4) + 10), display::Rgb(210, 210, 210));
    EXPECT_GT(Encre(2, 4), 10);
    // The folded row is not shown: below row 5 the grid's white ground.
    EXPECT_EQ(Encre(1, 6), 0);
    EXPECT_EQ(p.JournalErreurs().find("Code:51\r\nErreur module:Ec"), std::string::npos) << p.JournalErreurs();
}

TEST_F(Grilles, PressDragReleaseSelectsAndShowsTheSelection) {
    p.Souris(100, testsupport::genre_souris::Enfonce, 1, 0, Tx(2), Ty(5));
    p.Souris(150, testsupport::genre_souris::Deplace, 1, 0, Tx(4), Ty(5));
    p.Souris(200, testsupport::genre_souris::Relache, 1, 0, Tx(4), Ty(5));
    p.ExecuterJusqua(300);
    const grid::SelectionTableau& s = G().Selection();
    EXPECT_EQ(s.HautGaucheColonne, 2);
    EXPECT_EQ(s.BasDroiteColonne, 4);
    EXPECT_EQ(s.HautGaucheLigne, 5);
    EXPECT_EQ(s.BasDroiteLigne, 5);
    // The first cell is not inverted, the others are; the fill corner on the last.
    EXPECT_EQ(Pixel(Gx(2) + 20, Gy(5) + 10), display::kBlanc);
    EXPECT_EQ(Pixel(Gx(3) + 20, Gy(5) + 10), display::kNoir);
    EXPECT_EQ(Pixel(Gx(4) + 74, Gy(5) + 14), display::Rgb(150, 150, 150));
    // A press outside the grid clears the selection.
    p.Clic(400, 9000, 6000);
    p.ExecuterJusqua(500);
    EXPECT_FALSE(G().SelectionEstValide());
    EXPECT_EQ(Pixel(Gx(3) + 20, Gy(5) + 10), display::kBlanc);
}

TEST_F(Grilles, ShiftPressExtendsFromTheFirstCellOverMergedRuns) {
    p.Clic(100, Tx(4), Ty(5));
    p.Souris(200, testsupport::genre_souris::Enfonce, 1, 1, Tx(3), Ty(3));
    p.Souris(210, testsupport::genre_souris::Relache, 1, 1, Tx(3), Ty(3));
    p.ExecuterJusqua(300);
    grid::SelectionTableau s = G().Selection();
    // Corners ordered whatever the direction; row 4's run 1..3 widens it in play.
    EXPECT_EQ(s.HautGaucheColonne, 1);
    EXPECT_EQ(s.BasDroiteColonne, 4);
    EXPECT_EQ(s.HautGaucheLigne, 3);
    EXPECT_EQ(s.BasDroiteLigne, 5);
    EXPECT_EQ(s.PremiereColonne, 4);
    EXPECT_EQ(s.PremiereLigne, 5);
    p.Souris(300, testsupport::genre_souris::Enfonce, 1, 1, Tx(3), Ty(5));
    p.Souris(310, testsupport::genre_souris::Relache, 1, 1, Tx(3), Ty(5));
    p.ExecuterJusqua(400);
    s = G().Selection();
    EXPECT_EQ(s.HautGaucheColonne, 3);
    EXPECT_EQ(s.BasDroiteColonne, 4);
    EXPECT_EQ(s.HautGaucheLigne, 5);
}

TEST_F(Grilles, KeysMoveTheCursorAndShiftExtends) {
    p.Clic(100, Tx(3), Ty(3));
    p.Touche(200, 13);     // Enter: down, onto the merged run of row 4
    p.Touche(250, 40);     // down
    p.Touche(300, 39, 1);  // shift right
    p.ExecuterJusqua(400);
    grid::SelectionTableau s = G().Selection();
    EXPECT_EQ(s.HautGaucheLigne, 5);
    EXPECT_EQ(s.BasDroiteLigne, 5);
    EXPECT_EQ(s.HautGaucheColonne, 3);
    EXPECT_EQ(s.BasDroiteColonne, 4);
    // Up without Shift collapses onto the cursor; Left onto a merged run
    // goes to its first column and the selection covers the run.
    p.Touche(500, 38);
    p.ExecuterJusqua(550);
    s = G().Selection();
    EXPECT_EQ(s.HautGaucheLigne, 4);
    EXPECT_EQ(s.HautGaucheColonne, 4);
    EXPECT_EQ(s.BasDroiteColonne, 4);
    p.Touche(560, 37);
    p.ExecuterJusqua(600);
    s = G().Selection();
    EXPECT_EQ(s.HautGaucheColonne, 1);
    EXPECT_EQ(s.BasDroiteColonne, 3);
    EXPECT_EQ(s.DerniereColonne, 1);
    // Up from the first row scrolls, which a grid showing all its rows cannot: the cursor stays on row 1.
    p.Touche(700, 38);
    p.Touche(710, 38);
    p.Touche(720, 38);
    p.Touche(730, 38);
    p.ExecuterJusqua(800);
    EXPECT_EQ(G().Selection().HautGaucheLigne, 1);
}

TEST_F(Grilles, ASecondPressTogglesACheckCellAndMarksThePlanModified) {
    p.Clic(100, Tx(2), Ty(1));
    p.ExecuterJusqua(150);
    EXPECT_EQ(G().Case(2, 1)->Texte, "0");
    EXPECT_FALSE(p.Programme().Plan().PlanAffaireModifie());
    p.Clic(200, Tx(2), Ty(1));
    p.ExecuterJusqua(300);
    EXPECT_EQ(G().Case(2, 1)->Texte, "1");
    EXPECT_TRUE(p.Programme().Plan().PlanAffaireModifie());
    EXPECT_EQ(Pixel(Gx(2) + 40, Gy(1) + 10), display::Rgb(120, 120, 120));
}

TEST_F(Grilles, CopyAndPasteThroughTheClipboard) {
    // Number cells copy as they show.
    p.Souris(100, testsupport::genre_souris::Enfonce, 1, 0, Tx(3), Ty(3));
    p.Souris(150, testsupport::genre_souris::Deplace, 1, 0, Tx(4), Ty(3));
    p.Souris(200, testsupport::genre_souris::Relache, 1, 0, Tx(4), Ty(3));
    p.ExecuterJusqua(300);
    p.Programme().Recepteur().MenuCopier();
    EXPECT_EQ(p.PressePapier().texte, "10,0\t20,0\r\n");

    // Two tabs skip a cell; a lone LF ends a row as CR LF does; a cell that
    // is not editable keeps its text; values past the grid are dropped.
    p.Clic(400, Tx(1), Ty(5));
    p.ExecuterJusqua(500);
    p.PressePapier().texte = "7\t\t8\t9\t10\t11\r\n12\n13";
    p.Programme().Recepteur().MenuColler();
    EXPECT_EQ(G().Case(1, 5)->Texte, "7");
    EXPECT_EQ(G().Case(2, 5)->Texte, "2");
    EXPECT_EQ(G().Case(3, 5)->Texte, "8");
    EXPECT_EQ(G().Case(4, 5)->Texte, "9");
    EXPECT_EQ(G().Case(1, 6)->Texte, "plie") << "a folded row takes nothing";
    EXPECT_TRUE(p.Programme().Plan().PlanAffaireModifie());

    // Pasting at a cell that is not editable changes nothing there.
    p.Clic(600, Tx(1), Ty(3));
    p.ExecuterJusqua(700);
    p.PressePapier().texte = "y\t5";
    p.Programme().Recepteur().MenuColler();
    EXPECT_EQ(G().Case(1, 3)->Texte, "x");
    EXPECT_EQ(G().Case(2, 3)->Texte, "");
    // Copy puts back what the cells show.
    p.Clic(800, Tx(1), Ty(5));
    p.Souris(900, testsupport::genre_souris::Enfonce, 1, 1, Tx(4), Ty(5));
    p.Souris(910, testsupport::genre_souris::Relache, 1, 1, Tx(4), Ty(5));
    p.ExecuterJusqua(1000);
    p.Programme().Recepteur().MenuCopier();
    EXPECT_EQ(p.PressePapier().texte, "7\t2\t8\t9\r\n");
}

TEST_F(Grilles, DeleteAsksThenResetsTheSelectedEntries) {
    p.Clic(100, Tx(1), Ty(5));
    p.Touche(150, 39, 1);
    p.RepondreMessage(7);
    p.Touche(200, 46);
    p.ExecuterJusqua(250);
    EXPECT_EQ(G().Case(1, 5)->Texte, "1") << "No keeps the entries";
    p.RepondreMessage(6);
    p.Touche(300, 46);
    p.ExecuterJusqua(350);
    EXPECT_EQ(G().Case(1, 5)->Texte, "");
    EXPECT_EQ(G().Case(2, 5)->Texte, "");
    EXPECT_EQ(G().Case(3, 5)->Texte, "3");
    EXPECT_TRUE(p.Programme().Plan().PlanAffaireModifie());
    ASSERT_FALSE(p.Messages().messages.empty());
    EXPECT_EQ(p.Messages().messages.back().style, platform::style::OuiNon + platform::style::Question)
        << "a question, Yes or No";
    EXPECT_EQ(p.Messages().messages.back().titre, "Corvanne Rarevive Zaru");
}

TEST_F(Grilles, TheFillCornerCopiesTheFirstCellAcross) {
    p.Clic(100, Tx(1), Ty(5));
    p.ExecuterJusqua(150);
    // The corner: the last 8 pixels of the cell's right end and bottom.
    const int xCoin = 600 + 1185 - 30, yCoin = 600 + 1485 - 30;
    p.Souris(200, testsupport::genre_souris::Enfonce, 1, 0, xCoin, yCoin);
    p.ExecuterJusqua(250);
    EXPECT_TRUE(G().ExtensionEnCours());
    EXPECT_EQ(p.Moteur().Tableaux().QuelCurseurDeSouris(1, 2, xCoin, yCoin), 254);
    p.Souris(300, testsupport::genre_souris::Deplace, 1, 0, Tx(3), Ty(5));
    p.Souris(350, testsupport::genre_souris::Relache, 1, 0, Tx(3), Ty(5));
    p.ExecuterJusqua(400);
    EXPECT_FALSE(G().ExtensionEnCours());
    EXPECT_EQ(G().Case(2, 5)->Texte, "1");
    EXPECT_EQ(G().Case(3, 5)->Texte, "1");
    EXPECT_EQ(G().Case(4, 5)->Texte, "4");
    EXPECT_TRUE(p.Programme().Plan().PlanAffaireModifie());
}

// Dragging past the grid's bottom edge scrolls it one row a step, at 100 ms
// then 50 ms; a point inside the grid scrolls nothing; the last row stays last.
TEST(GrillesDefilement, ADragBelowTheGridScrollsItByTheTimer) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,2400,900
  grid cols=1 rows=5 coloffset=1 rowoffset=1
  column 1 width=2400
  row 1 height=300
  row 2 height=300
  row 3 height=300
  row 4 height=300
  row 5 height=300
)S");
    p.ExecuterJusqua(50);
    auto* g = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 2));
    ASSERT_NE(g, nullptr);
    p.Souris(100, testsupport::genre_souris::Enfonce, 1, 0, 1000, 700);
    p.Souris(150, testsupport::genre_souris::Deplace, 1, 0, 1000, 1000);
    p.ExecuterJusqua(200);
    auto& chrono = p.ChronoDefilement();
    ASSERT_TRUE(chrono.actif);
    EXPECT_EQ(chrono.intervalle, 100);
    chrono.souris = std::pair{1000, 1000};
    chrono.Top();
    EXPECT_EQ(g->DecalageLigne(), 1) << "inside the grid";
    chrono.souris = std::pair{1000, 3000};
    for (int i = 0; i < 10; ++i) chrono.Top();
    EXPECT_EQ(chrono.intervalle, 50);
    EXPECT_EQ(g->LigneAfficheeVersStockee(g->LignesAfficheesNb()), 5);
    EXPECT_GT(g->DecalageLigne(), 1);
    chrono.souris = std::pair{1000, 100};
    for (int i = 0; i < 10; ++i) chrono.Top();
    EXPECT_EQ(g->DecalageLigne(), 1);
}

// A press on the right end of a cell with a tooltip shows it in the main
// window's tooltip, at the point (page pixels); the selection stays.
TEST(GrillesBulle, APressOnTheMarkerShowsTheCellsTooltip) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,2400,600
  grid cols=1 rows=2 coloffset=1 rowoffset=1
  column 1 width=2400
  row 1 height=300
  row 2 height=300
  attribute col=1 row=2 tooltip="Montant hors taxes" bg=16777215
)S");
    p.ExecuterJusqua(50);
    // The mark in the cell's top-right corner (right edge 199 px, top 61 px).
    EXPECT_EQ(p.Programme().Affichage().PageTampon.Pixel(198, 62), display::Rgb(160, 0, 0));
    EXPECT_EQ(p.Programme().Affichage().PageTampon.Pixel(198, 42), display::kBlanc) << "row 1 has no tooltip";
    // Away from the marker: the cell is selected, no tooltip.
    p.Clic(100, 1200, 1050);
    p.ExecuterJusqua(150);
    EXPECT_FALSE(p.Bulle().visible);
    // In the marker zone of the selected cell, above its corner.
    const int x = 600 + 2385 - 45, y = 600 + 315 + 30;
    EXPECT_EQ(p.Moteur().Tableaux().QuelCurseurDeSouris(1, 2, x, y), 253);
    p.Clic(200, x, y);
    p.ExecuterJusqua(300);
    EXPECT_TRUE(p.Bulle().visible);
    EXPECT_EQ(p.Bulle().texte, "Montant hors taxes");
    EXPECT_EQ(p.Bulle().x, x / 15);
    EXPECT_EQ(p.Bulle().y, y / 15);
}

// Buttons that scroll a grid: by an offset, to a row, to a percentage of
// the unfolded rows; the offset never leaves the grid.
TEST(GrillesDeclencheur, ElementsScrollTheGrid) {
    PiloteProgramme p;
    std::string scene = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,2400,600
  grid cols=1 rows=11 coloffset=1 rowoffset=1
  column 1 width=2400
)S";
    for (int r = 1; r <= 11; ++r) scene += "  row " + std::to_string(r) + " height=300\n";
    const char* valeurs[] = {"+2", "-1", "7", "50%", "-50%", "+300"};
    for (int i = 0; i < 6; ++i) {
        scene += "object kind=bouton name=\"B" + std::to_string(i) + "\" rect=" + std::to_string(4000 + 700 * i) +
                 ",3000,600,600 C1=1 D1=12632256\n  element page=1 object=2 param=2 value=\"" + valeurs[i] +
                 "\" events=2\n";
    }
    p.DeclenchementReel();
    p.ChargerScene(scene);
    p.ExecuterJusqua(50);
    auto* g = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 2));
    ASSERT_NE(g, nullptr);
    const int attendus[] = {3, 2, 7, 6, 6};
    for (int i = 0; i < 5; ++i) {
        p.Clic(100 + 100 * i, 4300 + 700 * i, 3300);
        p.ExecuterJusqua(150 + 100 * i);
        EXPECT_EQ(g->DecalageLigne(), attendus[i]) << valeurs[i];
    }
    p.Clic(700, 4300 + 700 * 5, 3300);
    p.ExecuterJusqua(800);
    EXPECT_GE(g->DecalageLigne(), 1);
    EXPECT_LE(g->DecalageLigne(), 11);
    EXPECT_EQ(p.JournalErreurs().find("Erreur module:Ec"), std::string::npos) << p.JournalErreurs();
}

// A cell whose file is "?" is a level set with its two arrows.
TEST(GrillesFleches, ArrowsLowerAndRaiseTheLevel) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,2400,300
  grid cols=1 rows=1 coloffset=1 rowoffset=1
  column 1 width=2400
  row 1 height=300
  cell col=1 row=1 text="3"
  attribute col=1 row=1 file="?" bg=16777215
)S");
    p.ExecuterJusqua(50);
    auto* g = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 2));
    ASSERT_NE(g, nullptr);
    const int gauche = 600 + g->ColonneGauche(1);
    struct Cas {
        int dx;
        const char* avant;
        const char* apres;
    };
    const Cas cas[] = {{100, "3", "2"}, {300, "3", "4"}, {100, "1", "1"}, {300, "5", "5"}, {100, "x", "4"}};
    int t = 100;
    for (const Cas& k : cas) {
        g->CaseTexteChange(1, 1, k.avant);
        p.Clic(t, gauche + k.dx, 750);
        p.ExecuterJusqua(t + 50);
        t += 100;
        EXPECT_EQ(g->Case(1, 1)->Texte, k.apres) << k.avant << " at " << k.dx;
    }
    EXPECT_TRUE(p.Programme().Plan().PlanAffaireModifie());
    EXPECT_EQ(p.Moteur().Tableaux().QuelCurseurDeSouris(1, 2, gauche + 100, 750), 255);
}

// A cell picture that is missing draws nothing and is reported once,
// however often the grid is drawn.
TEST(GrillesImages, AMissingCellPictureIsReportedOnce) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,4800,900
  grid cols=1 rows=1 coloffset=1 rowoffset=1
  attribute col=1 row=1 file="ABSENT.BMP,2,2" bg=16777215
)S");
    p.ExecuterJusqua(50);
    p.Clic(100, 900, 700);
    p.Clic(200, 900, 700);
    p.ExecuterJusqua(300);
    const std::string journal = p.JournalErreurs();
    const auto premier = journal.find("ABSENT");
    ASSERT_NE(premier, std::string::npos) << journal;
    EXPECT_EQ(premier, journal.rfind("ABSENT")) << journal;
}

// A user clicks the entry cell, types a number, presses Enter: the total
// that depends on it changes on the page.
TEST(GrillesSaisie, TypingIntoACellChangesItsDependants) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,4800,900
  grid cols=2 rows=2 coloffset=1 rowoffset=1
  column 1 width=2400
  column 2 width=2400
  row 1 height=450
  row 2 height=450
  cell col=1 row=1 text="15000"
  attribute col=1 row=1 editable=-1 type=1 name="APPORT" bg=16777215
  attribute col=1 row=2 type=1 name="TOTAL" bg=16777215
)S");
    p.ExecuterJusqua(50);
    auto* g = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 2));
    ASSERT_NE(g, nullptr);
    // The total reads the entry cell.
    g->CaseEditeurChange(1, 2, "=DEBUT.G.Case[1,1]*2");
    p.Moteur().Tableaux().ReferencesRecreer(p.Moteur().scene);
    g->RecalculAvecInit();
    const std::string avant = g->CaseValeurAAfficher(1, 2);
    ASSERT_EQ(avant, "30 000,0") << int(g->Case(1, 2)->ResultatType) << " " << (g->Case(1, 2)->Formule != nullptr) << " " << g->Case(1, 2)->Valeur << p.JournalErreurs();
    p.Clic(100, 1200, 800);
    p.Clic(200, 1200, 800);
    p.ExecuterJusqua(300);
    auto& boite = p.BoiteEdition();
    ASSERT_TRUE(boite.visible);
    EXPECT_TRUE(boite.toutSelectionne);
    EXPECT_EQ(boite.texte, "15000");
    boite.Taper("20000");
    boite.Terminer(13);
    EXPECT_FALSE(boite.visible);
    EXPECT_EQ(g->CaseValeurAAfficher(1, 1), "20 000,0");
    EXPECT_EQ(g->CaseValeurAAfficher(1, 2), "40 000,0") << "was " << avant;
    EXPECT_EQ(g->Selection().HautGaucheLigne, 2) << "Enter moves down";
    EXPECT_TRUE(p.Programme().Plan().PlanAffaireModifie());

    // Tab ends the edit and moves right; a press elsewhere ends it too.
    p.Clic(400, 1200, 800);
    p.Clic(500, 1200, 800);
    p.ExecuterJusqua(600);
    ASSERT_TRUE(boite.visible);
    boite.Taper("1000");
    boite.Terminer(9);
    EXPECT_EQ(g->CaseValeurAAfficher(1, 2), "2 000,0");
    EXPECT_EQ(g->Selection().HautGaucheLigne, 1) << "Tab keeps the row";
    EXPECT_EQ(g->Selection().HautGaucheColonne, 2) << "Tab moves right";
    p.Clic(650, 1200, 800);
    p.Clic(700, 1200, 800);
    p.ExecuterJusqua(750);
    ASSERT_TRUE(boite.visible);
    boite.Taper("5");
    p.Clic(800, 8000, 6000);
    p.ExecuterJusqua(900);
    EXPECT_FALSE(boite.visible);
    EXPECT_EQ(g->CaseValeurAAfficher(1, 2), "10,0");
}

}  // namespace
}  // namespace korv::programme
