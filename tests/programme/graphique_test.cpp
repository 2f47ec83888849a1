// The sample's chart page on the composed program: the chart is drawn into
// the page buffer from its grids, and follows them after a change.

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "display/affichage.h"
#include "display/couleurs.h"
#include "display/graphiques.h"
#include "engine/moteur.h"
#include "engine/recherche.h"
#include "grid/graphique.h"
#include "grid/magasin_grilles.h"
#include "platform/binary_reader.h"
#include "platform/binary_writer.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

std::string Exemple() {
    std::ifstream f(KORV_SAMPLE_SCENE, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// Pixels of one colour inside the chart's rectangle, and where they lie.
// Dark pixels: text, whatever its smoothing.
bool Sombre(display::Couleur c) { return (c & 0xFF) < 110 && ((c >> 8) & 0xFF) < 110 && ((c >> 16) & 0xFF) < 110; }

int CompteSombres(const display::Surface& s, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) n += Sombre(s.Pixel(x, y)) ? 1 : 0;
    }
    return n;
}

struct Releve {
    int nombre = 0;
    int xMin = 100000;
    int xMax = -1;
    int yMin = 100000;
};

Releve Compte(const display::Surface& s, int x0, int y0, int x1, int y1, display::Couleur c) {
    Releve r;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (s.Pixel(x, y) != c) continue;
            ++r.nombre;
            r.xMin = std::min(r.xMin, x);
            r.xMax = std::max(r.xMax, x);
            r.yMin = std::min(r.yMin, y);
        }
    }
    return r;
}

constexpr display::Couleur kRouge = display::Rgb(255, 0, 0);
constexpr display::Couleur kVert = display::Rgb(0, 255, 0);
constexpr display::Couleur kNoir = display::Rgb(0, 0, 0);

TEST(GraphiqueExemple, DrawnFromItsGridsAndFollowsThem) {
    PiloteProgramme p;
    p.ChargerScene(Exemple());
    p.DeclenchementReel();
    p.ExecuterJusqua(100);
    p.Clic(200, 4500, 5525);  // "Graphique"
    p.ExecuterJusqua(400);
    engine::Moteur& m = p.Moteur();
    const int page = engine::NumeroDePage(m.scene, "GRAPHIQUE");
    ASSERT_EQ(m.jeu.PageCourante, page);

    // The chart object at 600,1500 8400x4200 twips: pixels 40,100 to 600,380;
    // its plot left of the legend, below the title.
    const display::Surface& tampon = p.Programme().Affichage().PageTampon;
    if (const char* f = std::getenv("KORV_GRAPHIQUE_PNG")) tampon.Image().save(f);
    const Releve vert = Compte(tampon, 40, 130, 480, 380, kVert);
    const Releve rouge = Compte(tampon, 40, 130, 480, 380, kRouge);
    EXPECT_GT(vert.nombre, 200) << "the results series";
    EXPECT_GT(rouge.nombre, 50) << "the loss of 2026 shown positive in the losses series";
    EXPECT_GT(rouge.xMin, vert.xMin) << "the loss stands between the first and the third year";
    EXPECT_LT(rouge.xMax, vert.xMax);
    EXPECT_GT(CompteSombres(tampon, 200, 100, 440, 130), 20) << "the title";
    EXPECT_GT(Compte(tampon, 480, 130, 600, 380, kRouge).nombre, 10) << "the legend";
    // Value labels above the bars.
    EXPECT_GT(CompteSombres(tampon, vert.xMin, vert.yMin - 16, vert.xMax, vert.yMin), 10);

    // The user's record turns the loss into a profit and fills the fourth year.
    BinaryWriter w;
    w.u8(1);
    w.u8(1);
    w.zeros(2 * (4 + 2));
    for (int c = 1; c <= 4; ++c) {
        w.u8(static_cast<std::uint8_t>(c));
        w.u8(2);
        w.fileString(c == 2 ? "800" : c == 4 ? "3000" : c == 1 ? "1200" : "2500");
    }
    w.u8(0);
    w.zeros(5);
    const std::string octets = w.take();
    auto* grille = dynamic_cast<grid::TableauClasse*>(m.Tableaux().GrilleDe(page, engine::NumeroObjet(m.scene, page, "DONNEES")));
    ASSERT_NE(grille, nullptr);
    BinaryReader in(octets);
    grille->ChargerUtilisateur(in);

    p.Clic(p.Horloge().Maintenant() + 10, 4500, 6300);  // "Actualiser"
    p.ExecuterJusqua(p.Horloge().Maintenant() + 300);
    EXPECT_EQ(Compte(tampon, 40, 130, 480, 380, kRouge).nombre, 0) << "no loss any more";
    const Releve vertApres = Compte(tampon, 40, 130, 480, 380, kVert);
    EXPECT_GT(vertApres.nombre, vert.nombre) << "two more bars";
    EXPECT_GT(vertApres.xMax, vert.xMax) << "the fourth year has its bar";
    EXPECT_EQ(p.JournalErreurs().find("graphiques"), std::string::npos);
}

// The user types a profit over the loss of 2026 in the data grid; the
// chart, asked to redraw ("Actualiser"), follows the typed value.
TEST(GraphiqueExemple, FollowsAValueTypedIntoItsGrid) {
    PiloteProgramme p;
    p.ChargerScene(Exemple());
    p.ExecuterJusqua(100);
    p.Clic(200, 4500, 5525);  // "Graphique"
    p.ExecuterJusqua(400);
    engine::Moteur& m = p.Moteur();
    const int page = engine::NumeroDePage(m.scene, "GRAPHIQUE");
    ASSERT_EQ(m.jeu.PageCourante, page);
    const display::Surface& tampon = p.Programme().Affichage().PageTampon;
    const Releve vert = Compte(tampon, 40, 130, 480, 380, kVert);
    ASSERT_GT(Compte(tampon, 40, 130, 480, 380, kRouge).nombre, 50) << "the loss of 2026";
    const QImage coin = tampon.Image().copy(0, 0, 160, 40);

    // Cell (2, 2) of the data grid at 600,600 (columns of 2100, rows of 300
    // twips): a first click selects it, a second opens its edit box.
    p.Clic(500, 3750, 1050);
    p.Clic(600, 3750, 1050);
    p.ExecuterJusqua(700);
    auto& boite = p.BoiteEdition();
    ASSERT_TRUE(boite.visible);
    EXPECT_EQ(boite.texte, "-400");
    boite.Taper("800");
    boite.Terminer(13);
    auto* grille = dynamic_cast<grid::TableauClasse*>(m.Tableaux().GrilleDe(page, engine::NumeroObjet(m.scene, page, "DONNEES")));
    ASSERT_NE(grille, nullptr);
    EXPECT_EQ(grille->CaseEditeur(2, 2), "800");

    // The hidden parameter grid at the page's top-left corner stays off the
    // page after the recalculation.
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 160; ++x) {
            ASSERT_EQ(tampon.Image().pixel(x, y), coin.pixel(x, y)) << x << "," << y;
        }
    }

    p.Clic(800, 4500, 6300);  // "Actualiser"
    p.ExecuterJusqua(1100);
    EXPECT_EQ(Compte(tampon, 40, 130, 480, 380, kRouge).nombre, 0) << "no loss any more";
    const Releve vertApres = Compte(tampon, 40, 130, 480, 380, kVert);
    EXPECT_GT(vertApres.nombre, vert.nombre) << "2026 has its results bar";
    EXPECT_EQ(vertApres.xMin, vert.xMin);
    EXPECT_EQ(vertApres.xMax, vert.xMax) << "2028 stays a missing bar";
    EXPECT_EQ(p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::programme

namespace korv::programme {
namespace {

// The chart's triggers: 0 shows it (drawn from its grids), 1 erases it,
// other codes do nothing.
TEST(GraphiqueDeclencheurs, ShowEraseAndNothingElse) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="P" rect=0,0,600,600 B3=1
  grid cols=2 rows=19
  cell col=2 row=1 text="1"
  cell col=2 row=7 text="2"
  cell col=2 row=8 text="1"
  cell col=2 row=18 text="0"
  cell col=2 row=19 text="1"
  attribute col=2 row=11 bg=255
object kind=tableau name="D" rect=0,6600,600,600 B3=1
  grid cols=2 rows=1
  cell col=1 row=1 text="5"
  cell col=2 row=1 text="8"
object kind=graphique name="G" rect=1500,1500,6000,3000 B3=1 text="DEBUT.P,DEBUT.D"
object kind=bouton name="MONTRE" rect=0,6000,900,600 C1=1 D1=12632256
  element page=1 object=4 param=0 events=2
object kind=bouton name="EFFACE" rect=1200,6000,900,600 C1=1 D1=12632256
  element page=1 object=4 param=1 events=2
object kind=bouton name="AUTRE" rect=2400,6000,900,600 C1=1 D1=12632256
  element page=1 object=4 param=2 events=2
)S");
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    const display::Surface& tampon = p.Programme().Affichage().PageTampon;
    auto rouges = [&] { return Compte(tampon, 100, 100, 500, 300, kRouge).nombre; };
    EXPECT_EQ(rouges(), 0) << "hidden at the start";

    p.Clic(p.Horloge().Maintenant() + 10, 300, 6300);
    p.ExecuterJusqua(p.Horloge().Maintenant() + 200);
    EXPECT_GT(rouges(), 100) << "shown by code 0";

    p.Clic(p.Horloge().Maintenant() + 10, 2700, 6300);
    p.ExecuterJusqua(p.Horloge().Maintenant() + 200);
    EXPECT_GT(rouges(), 100) << "code 2 does nothing";

    p.Clic(p.Horloge().Maintenant() + 10, 1500, 6300);
    p.ExecuterJusqua(p.Horloge().Maintenant() + 200);
    EXPECT_EQ(rouges(), 0) << "erased by code 1";
    EXPECT_EQ(p.JournalErreurs().find("graphique"), std::string::npos) << p.JournalErreurs();
}

}  // namespace
}  // namespace korv::programme

namespace korv::programme {
namespace {

// A chart reads its grids when it is made and when a script asks for it
// (reading its REAFFICHE property), not at every drawing: a page drawn
// again shows what the chart held.
TEST(GraphiqueExemple, RedrawnFromWhatItHoldsUntilAScriptRefreshesIt) {
    PiloteProgramme p;
    p.ChargerScene(Exemple());
    p.ExecuterJusqua(100);
    p.Clic(200, 4500, 5525);  // "Graphique"
    p.ExecuterJusqua(400);
    engine::Moteur& m = p.Moteur();
    const int page = engine::NumeroDePage(m.scene, "GRAPHIQUE");
    ASSERT_EQ(m.jeu.PageCourante, page);
    const display::Surface& tampon = p.Programme().Affichage().PageTampon;
    ASSERT_GT(Compte(tampon, 40, 130, 480, 380, kRouge).nombre, 50) << "the loss of 2026";

    auto* grille = dynamic_cast<grid::TableauClasse*>(m.Tableaux().GrilleDe(page, engine::NumeroObjet(m.scene, page, "DONNEES")));
    ASSERT_NE(grille, nullptr);
    BinaryWriter w;
    w.u8(1);
    w.u8(1);
    w.zeros(2 * (4 + 2));
    w.u8(2);
    w.u8(2);
    w.fileString("800");
    w.u8(0);
    w.zeros(5);
    const std::string octets = w.take();
    BinaryReader in(octets);
    grille->ChargerUtilisateur(in);

    const int courbe = engine::NumeroObjet(m.scene, page, "COURBE");
    const auto* graphique = p.Programme().Graphiques().Graphique(page, courbe);
    ASSERT_NE(graphique, nullptr);
    // The chart numbers its categories; the axis title says which years.
    EXPECT_EQ(graphique->Contenu().titreAxeCategories, "Ann\xE9" "es 2025 \xE0 2028");
    p.Programme().Affichage().MajDessinObjet(page, courbe, true, true, 0, 0, -1);
    EXPECT_GT(Compte(tampon, 40, 130, 480, 380, kRouge).nombre, 50) << "drawn again from what it holds";

    p.Clic(p.Horloge().Maintenant() + 10, 4500, 6300);  // "Actualiser"
    p.ExecuterJusqua(p.Horloge().Maintenant() + 300);
    EXPECT_EQ(Compte(tampon, 40, 130, 480, 380, kRouge).nombre, 0) << "refreshed by the script";
}

// The year not yet known is a text in the data grid: shown as written, not as
// an error, and read by the chart as a missing point (an empty cell would
// read as a zero).
TEST(GraphiqueExemple, TheUnknownYearShowsItsTextAndIsAMissingPoint) {
    PiloteProgramme p;
    p.ChargerScene(Exemple());
    p.ExecuterJusqua(100);
    p.Clic(200, 4500, 5525);  // "Graphique"
    p.ExecuterJusqua(400);
    engine::Moteur& m = p.Moteur();
    const int page = engine::NumeroDePage(m.scene, "GRAPHIQUE");
    ASSERT_EQ(m.jeu.PageCourante, page);
    auto* grille = dynamic_cast<grid::TableauClasse*>(m.Tableaux().GrilleDe(page, engine::NumeroObjet(m.scene, page, "DONNEES")));
    ASSERT_NE(grille, nullptr);
    EXPECT_EQ(grille->CaseValeurAAfficher(4, 2), "n.d.");

    const auto* graphique = p.Programme().Graphiques().Graphique(page, engine::NumeroObjet(m.scene, page, "COURBE"));
    ASSERT_NE(graphique, nullptr);
    ASSERT_FALSE(graphique->Contenu().series.empty());
    for (const auto& serie : graphique->Contenu().series) {
        ASSERT_GE(serie.valeurs.size(), 4u);
        EXPECT_FALSE(serie.valeurs[3].has_value()) << "2028 is a missing point";
    }
    EXPECT_EQ(p.JournalErreurs(), "");
}

// A data grid that its name does not find leaves the chart without data at
// every drawing, not only the first.
TEST(GraphiqueDeclencheurs, ADataGridNotFoundStaysEmpty) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="P" rect=0,0,600,600 B3=1
  grid cols=2 rows=19
  cell col=2 row=1 text="1"
  cell col=2 row=7 text="2"
  cell col=2 row=8 text="1"
  cell col=2 row=10 text="Ventes"
  cell col=2 row=18 text="0"
  cell col=2 row=19 text="1"
  attribute col=2 row=11 bg=255
object kind=graphique name="G" rect=1500,1500,6000,3000 text="DEBUT.P,DEBUT.ABSENT"
)S");
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    const display::Surface& tampon = p.Programme().Affichage().PageTampon;
    EXPECT_EQ(Compte(tampon, 100, 100, 500, 300, kRouge).nombre, 0) << "first drawing";
    p.Programme().Affichage().MajDessinObjet(1, 3, true, true, 0, 0, -1);
    EXPECT_EQ(Compte(tampon, 100, 100, 500, 300, kRouge).nombre, 0) << "second drawing";
}

// What the parameter grid asks of points and series shows on the chart:
// a series drawn as a line over the bars (row 15), round point marks
// (row 13), grid lines across the plot (4, 5), and the points' picture.
TEST(GraphiqueDeclencheurs, PointAndSeriesSettingsShow) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="P" rect=0,0,600,600 B3=1
  grid cols=4 rows=19
  cell col=2 row=1 text="1"
  cell col=4 row=5 text="1"
  cell col=2 row=7 text="3"
  cell col=2 row=8 text="2"
  cell col=3 row=13 text="2"
  cell col=2 row=15 text="-1"
  cell col=3 row=15 text="2"
  cell col=2 row=18 text="0"
  cell col=2 row=19 text="1"
  attribute col=2 row=11 bg=255
  attribute col=3 row=11 bg=16711680
object kind=tableau name="D" rect=0,6600,600,600 B3=1
  grid cols=3 rows=2
  cell col=1 row=1 text="5"
  cell col=2 row=1 text="8"
  cell col=3 row=1 text="6"
  cell col=1 row=2 text="2"
  cell col=2 row=2 text="3"
  cell col=3 row=2 text="7"
object kind=graphique name="G" rect=1500,1500,6000,3000 text="DEBUT.P,DEBUT.D"
)S");
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    const auto* g = p.Programme().Graphiques().Graphique(1, 4);
    ASSERT_NE(g, nullptr);
    ASSERT_EQ(g->Contenu().series.size(), 2u);
    EXPECT_EQ(g->Contenu().series[1].reglageSerie, 2);
    const display::Surface& tampon = p.Programme().Affichage().PageTampon;
    if (const char* f = std::getenv("KORV_GRAPHIQUE_PNG")) tampon.Image().save(f);
    // The blue series is a line over the red bars: a thin trace, not bars.
    const Releve bleu = Compte(tampon, 100, 100, 420, 300, display::Rgb(0, 0, 255));
    EXPECT_GT(bleu.nombre, 200) << "the line";
    EXPECT_LT(bleu.nombre, 1500) << "no blue bar";
    EXPECT_GT(Compte(tampon, 100, 100, 420, 300, kRouge).nombre, 300) << "the red bars";
}

}  // namespace
}  // namespace korv::programme
