// A user's entries into the grids of the composed program: figures typed or
// pasted back as the grids show them, the text the edit box offers, the
// edit-ended event, the box following its cell, entries that are no number,
// and the keys pressed while the box is open.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include <QImage>

#include "display/affichage.h"
#include "display/surface.h"
#include "display/surface_twips.h"
#include "engine/moteur.h"
#include "engine/recherche.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"
#include "platform/message_box.h"
#include "programme/pilote_programme.h"
#include "support/entree_jeu.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

// G: number entries in column 1 (rows 1 to 4) and 2 (rows 1 and 2), each
// doubled in column 3; a percentage entry (2, 3). Twips: columns of 2000
// from 600, rows of 450 from 600.
constexpr const char* kScene = R"S(
scene esc=1
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,6000,1800
  grid cols=3 rows=4 coloffset=1 rowoffset=1
  column 1 width=2000
  column 2 width=2000
  column 3 width=2000
  row 1 height=450
  row 2 height=450
  row 3 height=450
  row 4 height=450
  cell col=1 row=1 text="15000"
  cell col=1 row=2 text="1234,5"
  cell col=1 row=3 text="1,23456"
  cell col=1 row=4 text="1234"
  cell col=2 row=1 text="0"
  cell col=2 row=2 text="0"
  cell col=2 row=3 text="5"
  attribute col=1 row=1 editable=-1 type=1 bg=16777215
  attribute col=1 row=2 editable=-1 type=1 bg=16777215
  attribute col=1 row=3 editable=-1 type=1 bg=16777215
  attribute col=1 row=4 editable=-1 type=1 bg=16777215
  attribute col=2 row=1 editable=-1 type=1 bg=16777215
  attribute col=2 row=2 editable=-1 type=1 bg=16777215
  attribute col=2 row=3 editable=-1 type=2 bg=16777215
  attribute col=3 row=1 type=1 bg=16777215
  attribute col=3 row=2 type=1 bg=16777215
  attribute col=3 row=3 type=1 bg=16777215
  attribute col=3 row=4 type=1 bg=16777215
)S";

int X(int c) { return 600 + 2000 * (c - 1) + 1000; }
int Y(int r) { return 600 + 450 * (r - 1) + 225; }

class GrillesEntree : public ::testing::Test {
protected:
    void SetUp() override { Charger(kScene); }
    void Charger(const std::string& scene) {
        p.ChargerScene(scene);
        p.ExecuterJusqua(50);
        for (int r = 1; r <= 4; ++r) {
            G().CaseEditeurChange(3, r, "=DEBUT.G.Case[1," + std::to_string(r) + "]*2");
        }
        p.Moteur().Tableaux().ReferencesRecreer(p.Moteur().scene);
        G().RecalculAvecInit();
        t_ = 100;
    }
    grid::TableauClasse& G() {
        auto* g = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 2));
        EXPECT_NE(g, nullptr);
        return *g;
    }
    // A press on the cell: it selects it, or opens the box when selected.
    void Clic(int c, int r) {
        p.Clic(t_, X(c), Y(r));
        Avancer();
    }
    void Touche(int code) {
        p.Touche(t_, code);
        Avancer();
    }
    // The key of a character on a French keyboard's virtual codes: '%'
    // is not the left arrow its character code would be.
    void Frappe(char k) {
        int code = 0xBA;  // a punctuation key
        if (k >= 'a' && k <= 'z') code = k - 32;
        if ((k >= 'A' && k <= 'Z') || (k >= '0' && k <= '9') || k == ' ') code = k;
        if (k == '%') code = '5';
        if (k == ',') code = 0xBC;
        if (k == '-') code = 0x6D;
        p.Frappe(t_, code, k);
        Avancer();
    }
    // Selects the cell, types the text by replacement and leaves the box
    // open.
    void Taper(int c, int r, std::string_view texte) {
        Clic(c, r);
        for (char k : texte) Frappe(k);
    }
    void Avancer() {
        t_ += 50;
        p.ExecuterJusqua(t_);
    }
    platform::BoiteEditionFactice& Boite() { return p.BoiteEdition(); }

    PiloteProgramme p;
    std::int64_t t_ = 100;
};

// Figures typed as the grid shows them, with the thousands blank or the
// no-break space other programs write, are numbers: shown, and read by
// the formulas that depend on them.
TEST_F(GrillesEntree, FiguresTypedWithTheirThousandsBlankAreNumbers) {
    struct Cas {
        const char* saisie;
        const char* affiche;
        const char* double_;
    };
    const Cas cas[] = {
        {"12 500", "12 500,0", "25 000,0"},
        {"1 234,5", "1 234,5", "2 469,0"},
        {"-1 000", "-1 000,0", "-2 000,0"},
        {"2\xA0" "000,25", "2 000,3", "4 000,5"},
    };
    for (const Cas& c : cas) {
        Taper(1, 1, c.saisie);
        ASSERT_TRUE(Boite().visible);
        Boite().Terminer(13);
        EXPECT_EQ(G().CaseValeurAAfficher(1, 1), c.affiche) << c.saisie;
        EXPECT_EQ(G().CaseValeurAAfficher(3, 1), c.double_) << c.saisie;
    }
}

// A block of shown figures copied through the Edit menu and pasted back
// over other cells keeps its values.
TEST_F(GrillesEntree, ABlockOfShownFiguresPastedBackKeepsItsValues) {
    namespace genre = testsupport::genre_souris;
    // Rows 1 and 2 of column 1 to the clipboard, as shown.
    p.Souris(t_, genre::Enfonce, 1, 0, X(1), Y(1));
    p.Souris(t_ + 10, genre::Deplace, 1, 0, X(1), Y(2));
    p.Souris(t_ + 20, genre::Relache, 1, 0, X(1), Y(2));
    Avancer();
    p.Programme().Recepteur().MenuCopier();
    ASSERT_NE(p.PressePapier().texte.find("15 000,0"), std::string::npos) << p.PressePapier().texte;
    // Then pasted over rows 3 and 4.
    Clic(1, 3);
    p.Programme().Recepteur().MenuColler();
    Avancer();
    EXPECT_EQ(G().CaseValeurAAfficher(1, 3), "15 000,0");
    EXPECT_EQ(G().CaseValeurAAfficher(1, 4), "1 234,5");
    EXPECT_EQ(G().CaseValeurAAfficher(3, 3), "30 000,0");
    EXPECT_EQ(G().CaseValeurAAfficher(3, 4), "2 469,0");
}

// A number or percentage that is not whole opens grouped by thousands with
// at most four decimals; a whole one opens as typed.
TEST_F(GrillesEntree, TheBoxOffersAFigureThatIsNotWholeGroupedWithFourDecimalsAtMost) {
    struct Cas {
        int colonne, ligne;
        const char* offert;
    };
    const Cas cas[] = {{1, 2, "1 234,5"}, {1, 3, "1,2346"}, {1, 4, "1234"}, {1, 1, "15000"}};
    for (const Cas& c : cas) {
        Clic(c.colonne, c.ligne);
        Clic(c.colonne, c.ligne);
        ASSERT_TRUE(Boite().visible) << c.offert;
        EXPECT_EQ(Boite().texte, c.offert);
        EXPECT_TRUE(Boite().toutSelectionne);
        // Taken back unchanged, the grouped figure is the same number.
        Boite().Terminer(9);
    }
    EXPECT_EQ(G().CaseValeurAAfficher(3, 2), "2 469,0");
}

// Text that is no number, typed into a number or percentage cell, is kept
// as typed and shown as an error, never as a blank that counts as 0.
TEST_F(GrillesEntree, TextTypedIntoANumberCellIsKeptAndShownAsAnError) {
    Taper(1, 1, "abc");
    Boite().Terminer(13);
    EXPECT_EQ(G().CaseEditeur(1, 1), "abc");
    EXPECT_EQ(G().CaseValeurAAfficher(1, 1), "#Erreur#");
    Taper(2, 3, "abc");
    Boite().Terminer(13);
    EXPECT_EQ(G().CaseValeurAAfficher(2, 3), "#Erreur#");
    Taper(2, 1, "abc%");
    Boite().Terminer(13);
    EXPECT_EQ(G().CaseEditeur(2, 1), "abc%") << "a percentage of no number is kept, not emptied";
    EXPECT_EQ(G().CaseValeurAAfficher(2, 1), "#Erreur#");
    // The box offers the entry back to be mended.
    Clic(1, 1);
    Clic(1, 1);
    EXPECT_EQ(Boite().texte, "abc");
    Boite().Taper("7");
    Boite().Terminer(13);
    EXPECT_EQ(G().CaseValeurAAfficher(1, 1), "7,0");
    EXPECT_EQ(G().CaseValeurAAfficher(3, 1), "14,0");
}

// Dark pixels of the page buffer in a pixel rectangle.
int PixelsSombres(const QImage& image, int x1, int y1, int x2, int y2) {
    int n = 0;
    for (int y = y1; y < y2; ++y) {
        for (int x = x1; x < x2; ++x) n += qGray(image.pixel(x, y)) < 128;
    }
    return n;
}

// A figure too wide for its cell is drawn as "###" at the cell's right
// end, not as its last digits filling the cell from its left edge.
TEST_F(GrillesEntree, AFigureTooWideForItsCellShowsHashesOnThePage) {
    const QImage& page = p.Programme().Affichage().PageTampon.Image();
    // The left half of cell (1, 1)'s text, inside its rules: pixels 45 to
    // 100 across, 43 to 68 down.
    Taper(1, 1, "12345");
    Boite().Terminer(13);
    ASSERT_EQ(G().CaseValeurAAfficher(1, 1), "12 345,0");
    EXPECT_EQ(PixelsSombres(page, 45, 43, 100, 68), 0) << "a figure that fits stays right-aligned";
    Taper(1, 1, "123456789012345678901234567890");
    Boite().Terminer(13);
    EXPECT_EQ(G().CaseValeurAAfficher(1, 1), "123 456 789 012 346 000 000 000 000 000,0") << "the value as the grid gives it";
    EXPECT_EQ(PixelsSombres(page, 45, 43, 100, 68), 0) << "no digits cut at the cell's left edge";
    EXPECT_GT(PixelsSombres(page, 100, 43, 172, 68), 0) << "the hashes at its right end";
}

// Escape while a cell is being edited: the entry is taken first, then the
// quit question comes.
TEST_F(GrillesEntree, EscapeTakesTheEditInProgressBeforeItsQuitQuestion) {
    p.RepondreMessage(7);
    Taper(1, 1, "42");
    ASSERT_TRUE(Boite().visible);
    Touche(27);
    EXPECT_FALSE(Boite().visible);
    EXPECT_EQ(G().CaseEditeur(1, 1), "42");
    EXPECT_EQ(G().CaseValeurAAfficher(3, 1), "84,0");
    ASSERT_EQ(p.Messages().messages.size(), 1u);
    EXPECT_EQ(p.Messages().messages[0].texte, "Voulez-vous vraiment quitter ce programme ?");
    EXPECT_FALSE(p.JeuTermine()) << "No keeps the program";
}

// An arrow key while the box is open ends the edit (taken, as Enter does)
// and then moves the selection from the edited cell; the next entry goes
// to the cell the selection reached.
TEST_F(GrillesEntree, AnArrowEndsTheEditThenMovesTheSelection) {
    Taper(1, 1, "42");
    Touche(40);
    EXPECT_FALSE(Boite().visible);
    EXPECT_EQ(G().CaseEditeur(1, 1), "42");
    EXPECT_EQ(G().Selection().HautGaucheLigne, 2);
    Frappe('8');
    ASSERT_TRUE(Boite().visible);
    Boite().Terminer(13);
    EXPECT_EQ(G().CaseEditeur(1, 1), "42");
    EXPECT_EQ(G().CaseEditeur(1, 2), "8");
    EXPECT_EQ(G().Selection().HautGaucheLigne, 3) << "Enter moves down from the cell written";

    Taper(1, 4, "5");
    Touche(38);
    EXPECT_EQ(G().CaseEditeur(1, 4), "5");
    EXPECT_EQ(G().Selection().HautGaucheLigne, 3);
}

// The same keys reaching the box itself (a text editor keeps Up and Down
// otherwise): Up and Down end a cell's edit and move the selection; Escape
// is left to the window, whose quit question comes after the edit is taken.
TEST_F(GrillesEntree, UpAndDownPressedInTheBoxLeaveTheCellEscapeIsLeftToTheWindow) {
    Taper(1, 1, "42");
    EXPECT_TRUE(Boite().Touche(40, 0));
    EXPECT_FALSE(Boite().visible);
    EXPECT_EQ(G().CaseEditeur(1, 1), "42");
    EXPECT_EQ(G().Selection().HautGaucheLigne, 2);

    Taper(1, 4, "5");
    EXPECT_TRUE(Boite().Touche(38, 0));
    EXPECT_EQ(G().CaseEditeur(1, 4), "5");
    EXPECT_EQ(G().Selection().HautGaucheLigne, 3);

    Taper(1, 2, "7");
    EXPECT_FALSE(Boite().Touche(27, 0));
    EXPECT_TRUE(Boite().visible) << "the window takes the edit with its quit question";
}

// T: a row of number entries over five columns, the third folded; (1, 2)
// leaves the page when its edit ends.
constexpr const char* kSceneTab = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="T" rect=600,600,7500,900
  grid cols=5 rows=2 coloffset=1 rowoffset=1
  column 1 width=1500
  column 2 width=1500
  column 3 width=1500 fold=-1
  column 4 width=1500
  column 5 width=1500
  row 1 height=450
  row 2 height=450
  cell col=1 row=1 text="1200"
  cell col=2 row=1 text="-400"
  cell col=4 row=1 text="2500"
  cell col=5 row=1 text="0"
  attribute col=1 row=1 editable=-1 type=1 bg=16777215
  attribute col=2 row=1 editable=-1 type=1 bg=16777215
  attribute col=3 row=1 editable=-1 type=1 bg=16777215
  attribute col=4 row=1 editable=-1 type=1 bg=16777215
  attribute col=5 row=1 editable=-1 type=1 bg=16777215
  attribute col=1 row=2 editable=-1 type=1 bg=16777215 script="SUR FINEDITION\r\nVAPAGE AILLEURS"
page
object kind=fond name="AILLEURS" rect=0,0,9600,7200
)S";

class GrillesTab : public ::testing::Test {
protected:
    void SetUp() override {
        p.ChargerScene(kSceneTab);
        p.ExecuterJusqua(50);
        ASSERT_NE(p.Moteur().Tableaux().GrilleDe(1, 2), nullptr);
        ASSERT_NE(T().Colonne(3).Pliee, 0);
    }
    grid::TableauClasse& T() { return *dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 2)); }
    // Selects the cell, then types by replacement: the first key opens the
    // box.
    void Taper(int c, int r, std::string_view texte) {
        const grid::TableauClasse& g = T();
        p.Clic(t_, g.RectangleGauche() + (g.ColonneGauche(c) + g.ColonneDroite(c)) / 2,
               g.RectangleHaut() + (g.LigneHaut(r) + g.LigneBas(r)) / 2);
        Avancer();
        Frappes(texte);
    }
    void Frappes(std::string_view texte) {
        for (char k : texte) {
            p.Frappe(t_, k == '-' ? 0x6D : (k >= 'a' && k <= 'z' ? k - 32 : k), k);
            Avancer();
        }
    }
    void Avancer() {
        t_ += 50;
        p.ExecuterJusqua(t_);
    }
    int ColonneSelectionnee() { return T().ColonneAfficheeVersStockee(T().Selection().DerniereColonne); }

    PiloteProgramme p;
    std::int64_t t_ = 100;
};

// Tab ends the edit, the entry taken, then moves the selection right as
// the Right key does: over a folded column, never past the last one, a
// single cell with Shift too. An entry that is no number is taken as
// well; only an end-of-edit script that leaves the page stops the move.
TEST_F(GrillesTab, TabTakesTheEntryThenMovesTheSelectionRight) {
    constexpr int kMaj = 1;
    struct Cas {
        std::uint8_t colonne, ligne;
        int maj;
        const char* saisie;
        const char* affiche;  // the cell as shown after the edit
        int colonneApres;     // the stored column selected after the edit
        int page;             // the current page after the edit
    };
    const Cas cas[] = {
        {1, 1, 0, "-300", "-300,0", 2, 1},
        {2, 1, 0, "abc", "#Erreur#", 4, 1},
        {5, 1, 0, "7", "7,0", 5, 1},
        {4, 1, kMaj, "8", "8,0", 5, 1},
        {1, 2, 0, "9", "9,0", 1, 2},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.saisie);
        Taper(c.colonne, c.ligne, c.saisie);
        ASSERT_TRUE(p.BoiteEdition().visible);
        EXPECT_TRUE(p.BoiteEdition().Touche(9, c.maj));
        Avancer();
        EXPECT_FALSE(p.BoiteEdition().visible);
        EXPECT_EQ(T().CaseEditeur(c.colonne, c.ligne), c.saisie);
        EXPECT_EQ(T().CaseValeurAAfficher(c.colonne, c.ligne), c.affiche);
        EXPECT_EQ(p.Moteur().jeu.PageCourante, c.page);
        EXPECT_EQ(ColonneSelectionnee(), c.colonneApres);
        const grid::SelectionTableau& s = T().Selection();
        EXPECT_EQ(s.HautGaucheColonne, s.BasDroiteColonne) << "one cell selected";
        EXPECT_EQ(T().LigneAfficheeVersStockee(s.DerniereLigne), c.ligne);
    }
}

// Typing, Tab, typing again, Tab: each entry goes to its own cell, from
// left to right, and the second never overwrites the first.
TEST_F(GrillesTab, TheEntryAfterATabGoesToTheNextCell) {
    Taper(1, 1, "-300");
    ASSERT_TRUE(p.BoiteEdition().Touche(9, 0));
    Avancer();
    Frappes("500");
    ASSERT_TRUE(p.BoiteEdition().visible);
    ASSERT_TRUE(p.BoiteEdition().Touche(9, 0));
    Avancer();
    EXPECT_EQ(T().CaseValeurAAfficher(1, 1), "-300,0");
    EXPECT_EQ(T().CaseValeurAAfficher(2, 1), "500,0");
    EXPECT_EQ(ColonneSelectionnee(), 4);
}

// Enter and Tab raise the edit-ended event of the grid object; a press
// elsewhere only ends the edit.
TEST(GrillesEntreeFin, EnterRaisesTheEditEndedEventAndAPressElsewhereDoesNot) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,2000,450
  grid cols=1 rows=1 coloffset=1 rowoffset=1
  column 1 width=2000
  row 1 height=450
  cell col=1 row=1 text="1"
  attribute col=1 row=1 editable=-1 type=1 bg=16777215
  element page=1 object=3 param=0 events=4096
object kind=action name="S" A1=11 text="QUE PASSEVALEUR = 1"
)S");
    p.ExecuterJusqua(50);
    auto fins = [&p] {
        int n = 0;
        for (const std::string& l : p.Trace().Lignes("trigger")) n += l == "trigger 1.2 events 4096";
        return n;
    };
    p.Clic(100, 1600, 800);
    p.Frappe(200, '3', '3');
    p.ExecuterJusqua(300);
    ASSERT_TRUE(p.BoiteEdition().visible);
    p.BoiteEdition().Terminer(13);
    p.ExecuterJusqua(400);
    EXPECT_EQ(fins(), 1);

    p.Clic(500, 1600, 800);
    p.Frappe(600, '4', '4');
    p.ExecuterJusqua(700);
    ASSERT_TRUE(p.BoiteEdition().visible);
    p.Clic(800, 5000, 5000);
    p.ExecuterJusqua(900);
    EXPECT_FALSE(p.BoiteEdition().visible);
    auto* g = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 2));
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->CaseEditeur(1, 1), "4");
    EXPECT_EQ(fins(), 1) << "a press elsewhere raises no edit-ended event";
}

// The open box follows its cell when the page scrolls.
TEST_F(GrillesEntree, TheOpenBoxFollowsItsCellWhenThePageScrolls) {
    Taper(1, 2, "9");
    ASSERT_TRUE(Boite().visible);
    const int x = Boite().x, y = Boite().y, l = Boite().largeur, h = Boite().hauteur;
    p.Programme().Recepteur().Defilement(7, 12);
    EXPECT_EQ(Boite().x, x - 7);
    EXPECT_EQ(Boite().y, y - 12);
    EXPECT_EQ(Boite().largeur, l);
    EXPECT_EQ(Boite().hauteur, h);
    EXPECT_EQ(Boite().texte, "9") << "the edit goes on";
    p.Programme().Recepteur().Defilement(0, 0);
    EXPECT_EQ(Boite().x, x);
    EXPECT_EQ(Boite().y, y);
}

// On the action-plan page a box over the first cell of a merged run spans
// the run, cut at the grid's right edge; a text cell whose computed value
// runs over its neighbours ("Â¤") keeps its sign when edited.
TEST(GrillesEntreePlanAction, TheBoxSpansAMergedRunAndTheSignFollowsTheCellsValue) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="TABPLANACTION" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,5000,900
  grid cols=3 rows=2 coloffset=1 rowoffset=1
  column 1 width=2000
  column 2 width=2000
  column 3 width=2000
  row 1 height=450
  row 2 height=450
  cell col=1 row=1 text="TÃ¢che"
  attribute col=1 row=1 editable=-1 bg=16777215 merge=1
  attribute col=2 row=1 bg=16777215 merge=2
  attribute col=3 row=1 bg=16777215 merge=2
  attribute col=1 row=2 editable=-1 bg=16777215
)S");
    p.ExecuterJusqua(50);
    auto* g = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 2));
    ASSERT_NE(g, nullptr);
    g->CaseEditeurChange(1, 2, "='\xA4" "Objectif'");
    p.Moteur().Tableaux().ReferencesRecreer(p.Moteur().scene);
    g->RecalculAvecInit();
    ASSERT_EQ(g->CaseValeurAAfficher(1, 2), "\xA4Objectif");

    p.Clic(100, 1600, 800);
    p.Frappe(200, 'X', 'x');
    p.ExecuterJusqua(300);
    auto& boite = p.BoiteEdition();
    ASSERT_TRUE(boite.visible);
    // From 2 pixels in the first column to the grid's right edge (5600
    // twips), not to the run's end (6600).
    const std::int32_t gauche = 600 + g->ColonneGauche(1) + 2 * 15;
    EXPECT_EQ(boite.x, display::PixelsDepuisTwips(gauche, 15));
    EXPECT_EQ(boite.largeur, display::PixelsDepuisTwips(5600 - gauche, 15));
    // Enter: Tab would take the run's last column and scroll the grid.
    boite.Terminer(13);

    p.Clic(400, 1600, 1250);
    p.Frappe(500, 'P', 'P');
    p.ExecuterJusqua(600);
    ASSERT_TRUE(boite.visible);
    EXPECT_EQ(boite.largeur, display::PixelsDepuisTwips(g->ColonneDroite(1) - g->ColonneGauche(1) - 3 * 15, 15))
        << "a cell outside a run keeps its width";
    boite.Taper("lan ");
    boite.Terminer(9);
    EXPECT_EQ(g->CaseValeurAAfficher(1, 2), "\xA4Plan") << "the sign put back before the trimmed text";
}

// The arrow keys' edge cases: Down passes over a folded row; Right onto
// the first cell of a merged run of three columns puts the cursor on the
// run's last column and selects the whole run.
TEST(GrillesFlechesBords, DownPassesOverAFoldedRowAndRightSelectsAWholeMergedRun) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,8000,1800
  grid cols=5 rows=4 coloffset=1 rowoffset=1
  column 1 width=1500
  column 2 width=1500
  column 3 width=1500
  column 4 width=1500
  column 5 width=1500
  row 1 height=450
  row 2 height=450 fold=-1
  row 3 height=450
  row 4 height=450
  attribute col=2 row=3 bg=16777215 merge=1
  attribute col=3 row=3 bg=16777215 merge=2
  attribute col=4 row=3 bg=16777215 merge=2
)S");
    p.ExecuterJusqua(50);
    auto* g = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 2));
    ASSERT_NE(g, nullptr);
    ASSERT_NE(g->Ligne(2).Pliee, 0);
    p.Clic(100, 600 + 750, 600 + 225);  // (1, 1)
    p.ExecuterJusqua(150);
    ASSERT_EQ(g->Selection().HautGaucheLigne, 1);
    p.Touche(200, 40);
    p.ExecuterJusqua(250);
    EXPECT_EQ(g->LigneAfficheeVersStockee(g->Selection().HautGaucheLigne), 3) << "the folded row 2 is passed over";
    EXPECT_EQ(g->Selection().DerniereColonne, 1);

    p.Touche(300, 39);
    p.ExecuterJusqua(350);
    const auto& s = g->Selection();
    EXPECT_EQ(g->ColonneAfficheeVersStockee(s.DerniereColonne), 4) << "the cursor on the run's last column";
    EXPECT_EQ(g->ColonneAfficheeVersStockee(s.HautGaucheColonne), 2);
    EXPECT_EQ(g->ColonneAfficheeVersStockee(s.BasDroiteColonne), 4);
    EXPECT_EQ(g->LigneAfficheeVersStockee(s.HautGaucheLigne), 3);
    EXPECT_EQ(g->LigneAfficheeVersStockee(s.BasDroiteLigne), 3);
    // Right again leaves the run for the column after it.
    p.Touche(400, 39);
    p.ExecuterJusqua(450);
    EXPECT_EQ(g->ColonneAfficheeVersStockee(g->Selection().HautGaucheColonne), 5);
    EXPECT_EQ(g->ColonneAfficheeVersStockee(g->Selection().BasDroiteColonne), 5);
}

// The sample's FINANCES grid keeps its label column locked at the left.
// Once "Année 1" is scrolled out, Left from the first month reaches the
// label column, as the arrow rule asks (the first displayed column that is
// not folded); the next Left finds none and scrolls one column back, so
// "Année 1" comes into view again.
TEST(GrillesFlechesBords, LeftFromTheFirstMonthOfTheSampleReachesTheLabelsThenScrollsBack) {
    std::ifstream f(KORV_SAMPLE_SCENE, std::ios::binary);
    PiloteProgramme p;
    p.ChargerScene(std::string(std::istreambuf_iterator<char>(f), {}));
    p.DeclenchementReel();
    p.ExecuterJusqua(100);
    p.Clic(200, 1800, 5525);  // "Finances"
    p.ExecuterJusqua(400);
    engine::Moteur& m = p.Moteur();
    const int page = engine::NumeroDePage(m.scene, "FINANCES");
    ASSERT_EQ(m.jeu.PageCourante, page);
    grid::TableauClasse* g = p.Programme().Grilles().Cherche(page, engine::NumeroObjet(m.scene, page, "PREVISIONS"));
    ASSERT_NE(g, nullptr);
    ASSERT_EQ(g->ColonneAfficheeVersStockee(1), 1) << "the locked labels";
    ASSERT_EQ(g->ColonneAfficheeVersStockee(2), 2) << "\"Ann\xE9" "e 1\"";
    auto curseur = [g] { return g->ColonneAfficheeVersStockee(g->Selection().DerniereColonne); };
    p.Clic(500, 300 + 2400 + 1250 + 625, 300 + 7 * 300 + 150);  // first month, forecast sales
    p.ExecuterJusqua(600);
    ASSERT_EQ(curseur(), 3);
    // Right up to the grid's edge and one more: "Année 1" scrolls out.
    std::int64_t t = 700;
    for (int k = 0; k < 20 && g->ColonneAfficheeVersStockee(2) == 2; ++k, t += 100) {
        p.Touche(t, 39);
        p.ExecuterJusqua(t + 50);
    }
    ASSERT_EQ(g->ColonneAfficheeVersStockee(2), 3);
    for (int k = 0; k < 20 && curseur() != 3; ++k, t += 100) {
        p.Touche(t, 37);
        p.ExecuterJusqua(t + 50);
    }
    ASSERT_EQ(curseur(), 3);
    ASSERT_EQ(g->ColonneAfficheeVersStockee(2), 3) << "the first month first, \"Ann\xE9" "e 1\" hidden";
    p.Touche(t, 37);
    p.ExecuterJusqua(t + 50);
    EXPECT_EQ(curseur(), 1) << "the label column";
    EXPECT_EQ(g->ColonneAfficheeVersStockee(2), 3) << "nothing scrolled yet";
    p.Touche(t + 100, 37);
    p.ExecuterJusqua(t + 150);
    EXPECT_EQ(g->ColonneAfficheeVersStockee(2), 2) << "\"Ann\xE9" "e 1\" shows again";
    EXPECT_EQ(curseur(), 1);
}

}  // namespace
}  // namespace korv::programme
