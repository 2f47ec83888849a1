// Keys typed over a selected cell in the composed program: the first key
// opens the edit box and its character goes into it, replacing the cell's
// text; copy and paste between two grids of a page through the Edit menu.

#include <gtest/gtest.h>

#include <string>

#include "grid/tableau.h"
#include "platform/message_box.h"
#include "programme/pilote_programme.h"
#include "support/entree_jeu.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

// G: an entry cell (1, 1), its double in (1, 2), and a locked cell (2, 1).
constexpr const char* kScene = R"S(
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
  cell col=2 row=1 text="fixe"
  attribute col=1 row=1 editable=-1 type=1 name="APPORT" bg=16777215
  attribute col=1 row=2 type=1 name="TOTAL" bg=16777215
)S";

class GrillesFrappe : public ::testing::Test {
protected:
    void SetUp() override {
        p.ChargerScene(kScene);
        p.ExecuterJusqua(50);
        G().CaseEditeurChange(1, 2, "=DEBUT.G.Case[1,1]*2");
        p.Moteur().Tableaux().ReferencesRecreer(p.Moteur().scene);
        G().RecalculAvecInit();
    }
    grid::TableauClasse& G() {
        auto* g = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 2));
        EXPECT_NE(g, nullptr);
        return *g;
    }
    PiloteProgramme p;
};

TEST_F(GrillesFrappe, TheFirstKeysReplaceTheCellsTextAndEnterTakesIt) {
    p.Clic(100, 1200, 800);  // selects (1, 1)
    p.Frappe(200, '5', '5');
    p.Frappe(250, '0', '0');
    p.ExecuterJusqua(300);
    auto& boite = p.BoiteEdition();
    ASSERT_TRUE(boite.visible);
    EXPECT_EQ(boite.ouvertures, 1) << "the second key goes into the open box";
    EXPECT_EQ(boite.texte, "50");
    EXPECT_EQ(boite.debut, 2);
    EXPECT_EQ(boite.longueur, 0) << "caret at the end";
    boite.PrendreFocus();
    boite.Terminer(13);
    EXPECT_FALSE(boite.visible);
    EXPECT_EQ(G().CaseValeurAAfficher(1, 1), "50,0");
    EXPECT_EQ(G().CaseValeurAAfficher(1, 2), "100,0");
    EXPECT_EQ(G().Selection().HautGaucheLigne, 2) << "Enter moves down";
}

TEST_F(GrillesFrappe, ControlKeysAreDroppedAndTheBoxTakesKeysOnceFocused) {
    p.Clic(100, 1200, 800);
    p.Frappe(200, '7', '7');
    p.Frappe(250, 8, '\b');  // Backspace before the box has the focus
    p.ExecuterJusqua(300);
    auto& boite = p.BoiteEdition();
    ASSERT_TRUE(boite.visible);
    EXPECT_EQ(boite.texte, "7");
    // Once focused, the box takes its keys itself; the window's are not its.
    boite.PrendreFocus();
    p.Frappe(400, '9', '9');
    p.ExecuterJusqua(450);
    EXPECT_EQ(boite.texte, "7");
    boite.Taper("8");
    boite.Terminer(9);
    EXPECT_EQ(G().CaseValeurAAfficher(1, 1), "78,0");
    EXPECT_EQ(G().CaseValeurAAfficher(1, 2), "156,0");
}

TEST_F(GrillesFrappe, AKeyOnALockedCellOpensNothing) {
    p.Clic(100, 3600, 800);  // selects (2, 1)
    p.Frappe(200, 'X', 'x');
    p.ExecuterJusqua(300);
    EXPECT_FALSE(p.BoiteEdition().visible);
    EXPECT_EQ(p.BoiteEdition().ouvertures, 0);
    EXPECT_EQ(G().CaseEditeur(2, 1), "fixe");
}

TEST_F(GrillesFrappe, CopyWithNothingSelectedSaysSoAndTheOpenBoxCopiesItself) {
    p.Programme().Recepteur().MenuCopier();
    ASSERT_EQ(p.Messages().messages.size(), 1u);
    EXPECT_EQ(p.Messages().messages[0].texte, "Rien \xe0 copier");
    EXPECT_EQ(p.Messages().messages[0].style, platform::style::Ok);
    p.Programme().Recepteur().MenuColler();
    EXPECT_EQ(p.Messages().messages.size(), 1u) << "nothing to paste is silent";

    // While the box has the focus, Copy and Paste are the box's.
    p.PressePapier().texte = "9";
    p.Clic(100, 1200, 800);
    p.Frappe(200, '4', '4');
    p.ExecuterJusqua(300);
    auto& boite = p.BoiteEdition();
    boite.PrendreFocus();
    p.Programme().Recepteur().MenuCopier();
    p.Programme().Recepteur().MenuColler();
    EXPECT_EQ(boite.copies, 1);
    EXPECT_EQ(boite.collages, 1);
    EXPECT_EQ(p.Messages().messages.size(), 1u);
    EXPECT_EQ(G().CaseEditeur(1, 1), "15000") << "the grid takes nothing from the clipboard";
}

// Two grids of one page: A's selected values pasted into B.
TEST(GrillesCopie, TheEditMenuCopiesAZoneOfOneGridIntoAnother) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="A" rect=600,600,2400,900
  grid cols=2 rows=2 coloffset=1 rowoffset=1
  column 1 width=1200
  column 2 width=1200
  row 1 height=450
  row 2 height=450
  cell col=1 row=1 text="1"
  cell col=2 row=1 text="2"
  cell col=1 row=2 text="3"
  cell col=2 row=2 text="4"
object kind=tableau name="B" rect=600,3000,2400,900
  grid cols=2 rows=2 coloffset=1 rowoffset=1
  column 1 width=1200
  column 2 width=1200
  row 1 height=450
  row 2 height=450
  cell col=1 row=2 text="=DEBUT.B.Case[1,1]+DEBUT.B.Case[2,1]"
  attribute col=1 row=1 editable=-1 type=1 bg=16777215
  attribute col=2 row=1 editable=-1 type=1 bg=16777215
  attribute col=1 row=2 type=1 bg=16777215
)S");
    p.ExecuterJusqua(50);
    auto grille = [&p](int objet) {
        return dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, objet));
    };
    ASSERT_NE(grille(2), nullptr);
    ASSERT_NE(grille(3), nullptr);
    // Row 2 of A, then nothing but row 1 of B selected.
    p.Souris(100, testsupport::genre_souris::Enfonce, 1, 0, 900, 1200);
    p.Souris(150, testsupport::genre_souris::Deplace, 1, 0, 2100, 1200);
    p.Souris(200, testsupport::genre_souris::Relache, 1, 0, 2100, 1200);
    p.ExecuterJusqua(300);
    p.Programme().Recepteur().MenuCopier();
    EXPECT_EQ(p.PressePapier().texte, "3\t4\r\n");
    p.Clic(400, 900, 3200);
    p.ExecuterJusqua(500);
    EXPECT_FALSE(grille(2)->SelectionEstValide()) << "a press in B leaves A without a selection";
    p.Programme().Recepteur().MenuColler();
    EXPECT_EQ(grille(3)->CaseEditeur(1, 1), "3");
    EXPECT_EQ(grille(3)->CaseEditeur(2, 1), "4");
    EXPECT_EQ(grille(3)->CaseValeurAAfficher(1, 2), "7,0") << "the dependant is computed again";
    EXPECT_EQ(grille(2)->CaseEditeur(1, 2), "3") << "the source keeps its values";
}

}  // namespace
}  // namespace korv::programme
