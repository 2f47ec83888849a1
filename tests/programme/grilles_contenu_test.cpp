// What a grid holds and exchanges in the composed program: the clipboard
// text it writes and reads back, its cell scripts compiled once per change,
// grids without columns or rows, and block formulas without their source.

#include <gtest/gtest.h>

#include <string>

#include "display/affichage.h"
#include "engine/moteur.h"
#include "engine/scripts_moteur.h"
#include "formula/variables.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"
#include "platform/binary_reader.h"
#include "platform/binary_writer.h"
#include "programme/pilote_programme.h"
#include "support/entree_jeu.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

// Three columns of 1200 twips and five rows of 300 from (600, 600): cell
// (c, r) is centred at (Tx(c), Ty(r)). Every cell is an editable number.
constexpr const char* kChiffres = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,3600,1500
  grid cols=3 rows=5 coloffset=1 rowoffset=1
  column 1 width=1200
  column 2 width=1200
  column 3 width=1200
  row 1 height=300
  row 2 height=300
  row 3 height=300
  row 4 height=300
  row 5 height=300
  cell col=1 row=1 text="1,5"
  cell col=2 row=1 text="20"
  cell col=3 row=1 text="-3,5"
  cell col=1 row=2 text="0,1"
  cell col=2 row=2 text="400"
  cell col=3 row=2 text="7"
  cell col=1 row=5 text="99"
)S";

int Tx(int c) { return 600 + 1200 * (c - 1) + 300; }
int Ty(int r) { return 600 + 300 * (r - 1) + 150; }

std::string SceneChiffres() {
    std::string s = kChiffres;
    for (int c = 1; c <= 3; ++c) {
        for (int r = 1; r <= 5; ++r) {
            s += "  attribute col=" + std::to_string(c) + " row=" + std::to_string(r) +
                 " editable=-1 type=1 bg=16777215\n";
        }
    }
    return s;
}

class PressePapier : public ::testing::Test {
protected:
    void SetUp() override {
        p.ChargerScene(SceneChiffres());
        p.ExecuterJusqua(50);
    }
    grid::TableauClasse& G() { return *p.Programme().Grilles().Cherche(1, 2); }
    // Press on (c1, r1), drag to (c2, r2), release.
    void Selectionne(std::int64_t t, int c1, int r1, int c2, int r2) {
        p.Souris(t, testsupport::genre_souris::Enfonce, 1, 0, Tx(c1), Ty(r1));
        p.Souris(t + 10, testsupport::genre_souris::Deplace, 1, 0, Tx(c2), Ty(r2));
        p.Souris(t + 20, testsupport::genre_souris::Relache, 1, 0, Tx(c2), Ty(r2));
        p.ExecuterJusqua(t + 50);
    }
    std::string Montre(int c, int r) { return p.Programme().Grilles().TexteAffiche(G(), c, r); }
    PiloteProgramme p;
};

// Rows end with CR LF, which the paste reads as one row end: the figures
// copied from rows 1-2 and pasted at row 3 show the same, and row 5 below
// the pasted rows keeps its own.
TEST_F(PressePapier, ShownFiguresCopiedAndPastedBackShowTheSame) {
    Selectionne(100, 1, 1, 3, 2);
    p.Programme().Recepteur().MenuCopier();
    const std::string copie = p.PressePapier().texte;
    EXPECT_EQ(copie, "1,5\t20,0\t-3,5\r\n0,1\t400,0\t7,0\r\n");

    p.Clic(300, Tx(1), Ty(3));
    p.ExecuterJusqua(350);
    p.Programme().Recepteur().MenuColler();
    for (int c = 1; c <= 3; ++c) {
        EXPECT_EQ(Montre(c, 3), Montre(c, 1)) << "column " << c;
        EXPECT_EQ(Montre(c, 4), Montre(c, 2)) << "column " << c;
    }
    EXPECT_EQ(Montre(1, 5), "99,0") << "the LF after a CR ends no second row";

    Selectionne(500, 3, 4, 1, 3);
    p.Programme().Recepteur().MenuCopier();
    EXPECT_EQ(p.PressePapier().texte, copie);
}

// A line feed alone, as the programs of this system's desktop end their
// lines, ends a row too: each line of the text lands in its own row rather
// than the whole text in one cell.
TEST_F(PressePapier, LinesEndedByALineFeedAloneFillOneRowEach) {
    p.Clic(100, Tx(1), Ty(3));
    p.ExecuterJusqua(150);
    p.PressePapier().texte = "8\t9\n10\t11\n";
    p.Programme().Recepteur().MenuColler();
    EXPECT_EQ(G().Case(1, 3)->Texte, "8");
    EXPECT_EQ(G().Case(2, 3)->Texte, "9");
    EXPECT_EQ(G().Case(1, 4)->Texte, "10");
    EXPECT_EQ(G().Case(2, 4)->Texte, "11");
    EXPECT_EQ(G().Case(1, 5)->Texte, "99");
}

// A cell whose script does not compile ("QUE" without "="), computed again
// at each entry into the cell it reads.
constexpr const char* kScriptCasse = R"S(
scene
start text=<<FIN
DECLARE VU
QUE VU = 0
FIN
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="T" rect=600,600,6000,2000
  grid cols=2 rows=1 coloffset=1 rowoffset=1
  column 1 width=2400
  column 2 width=2400
  row 1 height=300
  cell col=1 row=1 text="4"
  cell col=2 row=1 text="=DEBUT.T.Case[1,1]*2"
  attribute col=1 row=1 editable=-1 type=1
  attribute col=2 row=1 type=1 script="SUR RECALCUL\r\nQUE VU = VU + 1\r\nQUE CASSE"
)S";

TEST(ScriptsCases, ABrokenCellScriptIsToldOnceAndAChangedOneCompiledAgain) {
    PiloteProgramme p;
    p.ChargerScene(kScriptCasse);
    p.ExecuterJusqua(100);
    grid::TableauClasse* g = p.Programme().Grilles().Grille(1, 2);
    ASSERT_NE(g, nullptr);
    auto compiles = [&p] {
        int n = 0;
        for (const auto& m : p.Messages().messages) n += m.texte.find("Manque signe =") != std::string::npos;
        return n;
    };
    auto& variables = p.Moteur().ScriptsDuMoteur().Variables();
    for (const char* entree : {"5", "6", "7"}) {
        ASSERT_TRUE(p.Programme().Grilles().FinEditionCase(1, 2, 1, 1, entree));
        p.Programme().Grilles().RecalculerPage(1);
    }
    EXPECT_EQ(g->CaseValeurAAfficher(2, 1), "14,0");
    EXPECT_EQ(variables.VarValeur("VU").EnTexte(), "4") << "the script ran at each of the four computations";
    EXPECT_EQ(compiles(), 1) << "its fault told once";

    g->CaseScriptChange(2, 1, "SUR RECALCUL\r\nQUE VU = VU + 10\r\nQUE ENCORE");
    ASSERT_TRUE(p.Programme().Grilles().FinEditionCase(1, 2, 1, 1, "8"));
    p.Programme().Grilles().RecalculerPage(1);
    EXPECT_EQ(variables.VarValeur("VU").EnTexte(), "14") << "the new text runs";
    EXPECT_EQ(compiles(), 2) << "the new text compiled once";
}

// A grid of no column beside one of no row, and a block formula.
constexpr const char* kVides = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="SANSCOL" rect=600,600,3000,1500
  grid cols=0 rows=3 coloffset=1 rowoffset=1
  row 1 height=300
  row 2 height=300
  row 3 height=300
object kind=tableau name="SANSLIG" rect=600,3000,3000,1500
  grid cols=3 rows=0 coloffset=1 rowoffset=1
  column 1 width=1200
  column 2 width=1200
  column 3 width=1200
object kind=tableau name="F" rect=600,5000,3000,500
  grid cols=1 rows=1 coloffset=1 rowoffset=1
  row 1 height=300
  column 1 width=1200
  cell col=1 row=1 text="=2+3"
)S";

TEST(GrillesVides, GridsWithoutColumnsOrRowsLoadDrawAndTakeInput) {
    PiloteProgramme p;
    p.ChargerScene(kVides);
    p.ExecuterJusqua(100);
    ASSERT_EQ(p.Moteur().jeu.PageCourante, 1) << p.JournalErreurs();
    auto& grilles = p.Programme().Grilles();
    for (int objet : {2, 3}) {
        grid::TableauClasse* g = grilles.Cherche(1, objet);
        ASSERT_NE(g, nullptr) << objet;
        EXPECT_EQ(g->ColonneNb() == 0, objet == 2);
        EXPECT_EQ(g->LigneNb() == 0, objet == 3);
    }
    // The mouse over each, every key, copy and paste.
    std::int64_t t = 200;
    for (int y : {1000, 3500}) {
        p.Souris(t, testsupport::genre_souris::Enfonce, 1, 0, 1000, y);
        p.Souris(t + 10, testsupport::genre_souris::Deplace, 1, 0, 2500, y + 300);
        p.Souris(t + 20, testsupport::genre_souris::Relache, 1, 0, 2500, y + 300);
        p.Clic(t + 30, 1000, y);
        t += 100;
        for (int touche : {37, 38, 39, 40, 33, 34, 35, 36, 9, 13, 46, 113}) p.Touche(t++, touche);
        p.ExecuterJusqua(t + 50);
        p.Programme().Recepteur().MenuCopier();
        p.PressePapier().texte = "1\t2\r\n3\t4\r\n";
        p.Programme().Recepteur().MenuColler();
        t += 100;
    }
    p.ExecuterJusqua(t + 100);
    EXPECT_EQ(p.JournalErreurs(), "");
    for (int objet : {2, 3}) {
        grid::TableauClasse* g = grilles.Cherche(1, objet);
        g->RecalculAvecInit();
        // The user's data of the grid written and read back.
        BinaryWriter w;
        g->SauverUtilisateur(w);
        BinaryReader r(w.data());
        EXPECT_NO_THROW(g->ChargerUtilisateur(r)) << objet;
        EXPECT_EQ(r.remaining(), 0u) << objet;
    }
}

TEST(GrillesVides, ABlockFormulaShowsNoSourceAndComputes) {
    PiloteProgramme p;
    p.ChargerScene(kVides);
    p.ExecuterJusqua(100);
    grid::TableauClasse* g = p.Programme().Grilles().Cherche(1, 4);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->CaseEditeur(1, 1), "=#");
    EXPECT_EQ(g->CaseValeurAAfficher(1, 1), "5");
}

}  // namespace
}  // namespace korv::programme
