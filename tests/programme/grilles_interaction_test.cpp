// The grids of the composed program meeting the user: the tooltip of a
// cell the mouse rests on, buttons that fold and unfold a zone, scroll
// thumbs that follow the grid, framed cells, and large pastes.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include <unistd.h>

#include <QImage>

#include "display/affichage.h"
#include "display/couleurs.h"
#include "engine/moteur.h"
#include "engine/objets_affiches.h"
#include "engine/texte_casse.h"
#include "grid/tableau.h"
#include "plan/etat_plan.h"
#include "programme/pilote_programme.h"
#include "support/entree_jeu.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;
namespace genre = testsupport::genre_souris;

grid::TableauClasse& Grille(PiloteProgramme& p, int objet = 2) {
    auto* g = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, objet));
    EXPECT_NE(g, nullptr);
    return *g;
}

// One column of 2400 twips, rows of 300 from (600, 600); row 2 has a
// tooltip. H2=6: the mouse over the grid asks it for the cursor.
constexpr const char* kSceneBulle = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,2400,600 H2=6
  grid cols=1 rows=2 coloffset=1 rowoffset=1
  column 1 width=2400
  row 1 height=300
  row 2 height=300
  attribute col=1 row=2 tooltip="Montant hors taxes" bg=16777215
)S";

// The mouse coming to rest on a cell with a tooltip starts the main
// window's tooltip timer; its tick shows the tooltip where the mouse is.
TEST(GrillesInteraction, ACellTheMouseRestsOnShowsItsTooltipAtTheTimersTick) {
    PiloteProgramme p;
    p.ChargerScene(kSceneBulle);
    p.ExecuterJusqua(50);
    auto& chrono = p.ChronoBulle();
    p.Souris(100, genre::Deplace, 0, 0, 1200, 750);
    p.ExecuterJusqua(150);
    EXPECT_FALSE(chrono.actif) << "row 1 has no tooltip";
    EXPECT_EQ(Grille(p).DerniereCaseSurvolee(), std::pair(1, 1));

    p.Souris(200, genre::Deplace, 0, 0, 1200, 1050);
    p.Souris(250, genre::Deplace, 0, 0, 1290, 1050);
    p.ExecuterJusqua(300);
    EXPECT_TRUE(chrono.actif);
    EXPECT_EQ(chrono.demarrages, 1) << "moving within the cell does not start it again";
    EXPECT_FALSE(p.Bulle().visible);
    chrono.souris = std::pair(1290, 1050);
    chrono.Top();
    EXPECT_TRUE(p.Bulle().visible);
    EXPECT_EQ(p.Bulle().texte, "Montant hors taxes");
    EXPECT_EQ(p.Bulle().x, 1290 / 15);
    EXPECT_EQ(p.Bulle().y, 1050 / 15);
    EXPECT_FALSE(chrono.actif) << "one tooltip per rest";
}

TEST(GrillesInteraction, NoTooltipOnceTheMouseHasLeftTheCell) {
    PiloteProgramme p;
    p.ChargerScene(kSceneBulle);
    p.ExecuterJusqua(50);
    auto& chrono = p.ChronoBulle();
    // Another cell of the grid stops the timer.
    p.Souris(100, genre::Deplace, 0, 0, 1200, 1050);
    p.Souris(150, genre::Deplace, 0, 0, 1200, 750);
    p.ExecuterJusqua(200);
    EXPECT_FALSE(chrono.actif);

    // Off the grid the grid is not asked: the tick finds the mouse elsewhere.
    p.Souris(300, genre::Deplace, 0, 0, 1200, 1050);
    p.Souris(350, genre::Deplace, 0, 0, 6000, 5000);
    p.ExecuterJusqua(400);
    EXPECT_EQ(chrono.demarrages, 2);
    chrono.souris = std::pair(6000, 5000);
    chrono.Top();
    EXPECT_FALSE(p.Bulle().visible);
    // Back on the same cell, the timer starts again.
    p.Souris(450, genre::Deplace, 0, 0, 1200, 1050);
    p.ExecuterJusqua(460);
    EXPECT_EQ(chrono.demarrages, 3);
    EXPECT_TRUE(chrono.actif);

    // A change of the cell's entry stops it too.
    Grille(p).CaseUtilisateurChange(1, 2, "5", false);
    EXPECT_FALSE(chrono.actif);
    EXPECT_EQ(p.JournalErreurs(), "");
}

// A drag past the grid's bottom-right corner scrolls one row and one
// column at each step of the scrolling timer.
TEST(GrillesInteraction, ADragPastTheCornerScrollsARowAndAColumnAStep) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,1200,300
  grid cols=4 rows=4 coloffset=1 rowoffset=1
  column 1 width=1200
  column 2 width=1200
  column 3 width=1200
  column 4 width=1200
  row 1 height=300
  row 2 height=300
  row 3 height=300
  row 4 height=300
)S");
    p.ExecuterJusqua(50);
    grid::TableauClasse& g = Grille(p);
    // The drag starts inside the grid; the timer then reads the mouse outside it.
    p.Souris(100, genre::Enfonce, 1, 0, 1200, 700);
    p.Souris(150, genre::Deplace, 1, 0, 1300, 800);
    p.ExecuterJusqua(200);
    auto& chrono = p.ChronoDefilement();
    ASSERT_TRUE(chrono.actif);
    chrono.souris = std::pair(3000, 2000);
    chrono.Top();
    EXPECT_EQ(g.DecalageColonne(), 2);
    EXPECT_EQ(g.DecalageLigne(), 2);
    chrono.Top();
    EXPECT_EQ(g.DecalageColonne(), 3);
    EXPECT_EQ(g.DecalageLigne(), 3);
}

// Buttons whose elements fold (4) and unfold (5) a zone listed rows first:
// first row, first column, last row, last column.
TEST(GrillesInteraction, FoldAndUnfoldButtonsReadTheRowsFirst) {
    PiloteProgramme p;
    std::string scene = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,3600,1800
  grid cols=4 rows=6 coloffset=1 rowoffset=1
)S";
    const struct {
        int param;
        const char* valeur;
    } boutons[] = {{4, "2,0,4,0"}, {5, "3,0,3,0"}, {4, "0,2,0,3"}, {5, "0,3,0,9"}};
    for (int i = 0; i < 4; ++i) {
        scene += "object kind=bouton name=\"B" + std::to_string(i) + "\" rect=" + std::to_string(600 + 700 * i) +
                 ",4000,600,600 C1=1 D1=12632256\n  element page=1 object=2 param=" +
                 std::to_string(boutons[i].param) + " value=\"" + boutons[i].valeur + "\" events=2\n";
    }
    p.DeclenchementReel();
    p.ChargerScene(scene);
    p.ExecuterJusqua(50);
    grid::TableauClasse& g = Grille(p);
    const auto lignes = [&g] {
        std::string r;
        for (int l = 1; l <= g.LigneNb(); ++l) r += g.Ligne(l).Pliee != 0 ? 'x' : '.';
        return r;
    };
    const auto colonnes = [&g] {
        std::string r;
        for (int c = 1; c <= g.ColonneNb(); ++c) r += g.Colonne(c).Pliee != 0 ? 'x' : '.';
        return r;
    };
    p.Clic(100, 900, 4300);
    p.ExecuterJusqua(150);
    EXPECT_EQ(lignes(), ".xxx..");
    EXPECT_EQ(colonnes(), "....") << "a first column of 0 folds no column";
    p.Clic(200, 1600, 4300);
    p.ExecuterJusqua(250);
    EXPECT_EQ(lignes(), ".x.x..");
    p.Clic(300, 2300, 4300);
    p.ExecuterJusqua(350);
    EXPECT_EQ(colonnes(), ".xx.");
    EXPECT_EQ(lignes(), ".x.x..") << "a first row of 0 folds no row";
    // A last column past the grid stops at its last column.
    p.Clic(400, 3000, 4300);
    p.ExecuterJusqua(450);
    EXPECT_EQ(colonnes(), ".x..");
    EXPECT_EQ(p.JournalErreurs().find("Erreur module:Ec"), std::string::npos) << p.JournalErreurs();
}

// A 20-pixel red picture for the thumb, as a Windows name for the scene.
std::string ImageCurseur() {
    const auto d = std::filesystem::path(::testing::TempDir()) / ("korv_ascenseur_" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    const auto chemin = d / "CURSEUR.BMP";
    QImage i(20, 20, QImage::Format_RGB32);
    i.fill(qRgb(255, 0, 0));
    EXPECT_TRUE(i.save(QString::fromStdString(chemin.string()), "BMP"));
    std::string s = engine::MajusculeCp1252(chemin.string());
    std::string r;
    for (char c : s) r += c == '/' ? std::string("\\\\") : std::string(1, c);
    return r;
}

// Five columns of 1200 twips, two shown; the horizontal thumb (G4=10)
// names the grid and runs on the track of object 4, 3000 twips from x 3000:
// at p % its left edge is at ((3000 - 19 x 15) p / 100 + 3000) / 15
// pixels, the thumb being 19 pixels wide.
TEST(GrillesInteraction, TheScrollThumbFollowsTheGridExceptWhileItDrivesIt) {
    PiloteProgramme p;
    std::string scene = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,2400,600
  grid cols=5 rows=2 coloffset=1 rowoffset=1
  column 1 width=1200
  column 2 width=1200
  column 3 width=1200
  column 4 width=1200
  column 5 width=1200
  row 1 height=300
  row 2 height=300
object kind=sprite name="H" rect=3000,3000,300,300 C1=8 G4=10 file=")S" +
                        ImageCurseur() + R"S("
  element page=1 object=2 param=0 events=0
object kind=image name="PISTE" rect=3000,3000,3000,300 C1=8
  element page=1 object=3 param=5 value="100" events=0
)S";
    const char* valeurs[] = {"+2", "100%", "-1"};
    for (int i = 0; i < 3; ++i) {
        scene += "object kind=bouton name=\"B" + std::to_string(i) + "\" rect=" + std::to_string(600 + 700 * i) +
                 ",5000,600,600 C1=1 D1=12632256\n  element page=1 object=2 param=3 value=\"" + valeurs[i] +
                 "\" events=2\n";
    }
    p.DeclenchementReel();
    p.ChargerScene(scene);
    p.ExecuterJusqua(50);
    engine::Moteur& m = p.Moteur();
    const auto gauchePixels = [&m] {
        const int n = engine::ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 3);
        return n > 0 ? m.affiches.Entree(n).gauche / 15 : -1;
    };
    grid::TableauClasse& g = Grille(p);
    EXPECT_EQ(gauchePixels(), 200) << "first column shown: 0 %";

    p.Clic(100, 900, 5300);  // two columns to the right: 2 of 4 scrolled out
    p.ExecuterJusqua(150);
    EXPECT_EQ(g.DecalageColonne(), 3);
    EXPECT_EQ(gauchePixels(), 291);

    // The thumb dragged to the end drives the grid: the grid scrolls, the
    // thumb stays where the user put it.
    p.Clic(200, 1600, 5300);
    p.ExecuterJusqua(250);
    EXPECT_EQ(g.DecalageColonne(), 5);
    EXPECT_EQ(gauchePixels(), 291);
    EXPECT_FALSE(g.MajAutoAscenseurDesactivee());

    // Scrolled by other means, it follows again: 3 of 4 scrolled out.
    p.Clic(300, 2300, 5300);
    p.ExecuterJusqua(350);
    EXPECT_EQ(g.DecalageColonne(), 4);
    EXPECT_EQ(gauchePixels(), 336);
    EXPECT_EQ(p.JournalErreurs().find("Erreur module:Ec"), std::string::npos) << p.JournalErreurs();
}

// Plan-action cells (fill -20) whose text starts with a character 1..15:
// its bits are the sides drawn, 1 top, 2 right, 4 bottom, 8 left, each a
// grey line two pixels thick, and the text without that character.
TEST(GrillesInteraction, FramedPlanActionCellsDrawTheirSides) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,3600,300
  grid cols=3 rows=1 coloffset=1 rowoffset=1
  column 1 width=1200
  column 2 width=1200
  column 3 width=1200
  row 1 height=300
  cell col=1 row=1 text="\x05"
  cell col=2 row=1 text="\x0a"
  cell col=3 row=1 text="Sans cadre"
  attribute col=1 row=1 bg=-20
  attribute col=2 row=1 bg=-20
  attribute col=3 row=1 bg=-20
)S");
    p.ExecuterJusqua(50);
    const auto pixel = [&p](int x, int y) { return p.Programme().Affichage().PageTampon.Pixel(x, y); };
    const display::Couleur gris = display::Rgb(100, 100, 100);
    const display::Couleur fond = display::Rgb(210, 210, 210);
    // The grid draws its one-pixel lines dotted, frames included: every
    // other pixel from the line's start. Cell 1 spans pixels x 41..119,
    // cell 2 x 121..199, both y 41..59 (the grid's bottom edge clips the
    // second line of a bottom side).
    struct Sonde {
        int x, y;
        display::Couleur attendue;
        const char* quoi;
    };
    const Sonde sondes[] = {
        {41, 41, gris, "1: top"},           {41, 42, gris, "1: top, second line"},
        {42, 41, fond, "1: top, dotted"},   {41, 59, gris, "1: bottom"},
        {41, 49, fond, "1: no left"},       {119, 49, fond, "1: no right"},
        {121, 43, gris, "2: left"},         {122, 43, gris, "2: left, second line"},
        {121, 44, fond, "2: left, dotted"}, {199, 49, gris, "2: right"},
        {200, 49, gris, "2: right, second line, over the gap between cells"},
        {160, 41, fond, "2: no top"},       {160, 59, fond, "2: no bottom"},
    };
    for (const Sonde& s : sondes) EXPECT_EQ(pixel(s.x, s.y), s.attendue) << s.quoi;
    // Cell 3: no frame.
    for (int y = 41; y <= 59; ++y) {
        for (int x = 203; x < 280; ++x) ASSERT_NE(pixel(x, y), gris) << x << "," << y;
    }
}

// Pasted text wider and longer than a 255 by 255 grid: the values past the
// last column and row are dropped, the others entered.
TEST(GrillesInteraction, APastePastTheLastColumnAndRowDropsTheRest) {
    PiloteProgramme p;
    std::string scene = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,2400,600
  grid cols=255 rows=255 coloffset=254 rowoffset=254
)S";
    for (int c = 254; c <= 255; ++c) scene += "  column " + std::to_string(c) + " width=1200\n";
    for (int r = 254; r <= 255; ++r) scene += "  row " + std::to_string(r) + " height=300\n";
    for (int c = 254; c <= 255; ++c) {
        for (int r = 254; r <= 255; ++r) {
            scene += "  attribute col=" + std::to_string(c) + " row=" + std::to_string(r) + " editable=-1 bg=16777215\n";
        }
    }
    p.ChargerScene(scene);
    p.ExecuterJusqua(50);
    grid::TableauClasse& g = Grille(p);
    ASSERT_EQ(g.DecalageColonne(), 254);
    ASSERT_EQ(g.DecalageLigne(), 254);
    p.Clic(100, 900, 750);
    p.ExecuterJusqua(150);
    ASSERT_EQ(g.ColonneAfficheeVersStockee(g.Selection().HautGaucheColonne), 254);
    ASSERT_EQ(g.LigneAfficheeVersStockee(g.Selection().HautGaucheLigne), 254);

    // 300 rows of 300 values, "r.c" from 1.1.
    std::string texte;
    for (int r = 1; r <= 300; ++r) {
        for (int c = 1; c <= 300; ++c) {
            if (c > 1) texte += '\t';
            texte += std::to_string(r) + "." + std::to_string(c);
        }
        texte += "\r\n";
    }
    p.PressePapier().texte = texte;
    p.Programme().Recepteur().MenuColler();
    p.ExecuterJusqua(200);
    EXPECT_EQ(g.Case(254, 254)->Texte, "1.1");
    EXPECT_EQ(g.Case(255, 254)->Texte, "1.2");
    EXPECT_EQ(g.Case(254, 255)->Texte, "2.1");
    EXPECT_EQ(g.Case(255, 255)->Texte, "2.2");
    EXPECT_EQ(g.Case(1, 1)->Texte, "") << "nothing wraps round to the first cells";
    EXPECT_EQ(g.Case(253, 253)->Texte, "");
    EXPECT_TRUE(p.Programme().Plan().PlanAffaireModifie());
    EXPECT_EQ(p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::programme
