// What the composed program draws of its grids, probed in the page buffer:
// the look of every background code, the fonts of the cells, the spacing of
// their digits, and the grid's place on a page fitted to a larger window.

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "display/affichage.h"
#include "display/couleurs.h"
#include "display/surface.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using display::Couleur;
using display::Rgb;
using testsupport::PiloteProgramme;

constexpr Couleur kBleu = Rgb(0, 0, 255);

Couleur Pixel(PiloteProgramme& p, int x, int y) { return p.Programme().Affichage().PageTampon.Pixel(x, y); }

// The colours of a box of the buffer (pixels, both corners included).
std::set<Couleur> Couleurs(PiloteProgramme& p, int x1, int y1, int x2, int y2) {
    std::set<Couleur> c;
    for (int y = y1; y <= y2; ++y) {
        for (int x = x1; x <= x2; ++x) c.insert(Pixel(p, x, y));
    }
    return c;
}

// The runs of columns of a box holding a colour other than `fond`.
std::vector<std::pair<int, int>> Colonnes(PiloteProgramme& p, int x1, int y1, int x2, int y2, Couleur fond) {
    std::vector<std::pair<int, int>> runs;
    bool dedans = false;
    for (int x = x1; x <= x2; ++x) {
        bool encre = false;
        for (int y = y1; y <= y2 && !encre; ++y) encre = Pixel(p, x, y) != fond;
        if (encre && !dedans) runs.emplace_back(x, x);
        if (encre) runs.back().second = x;
        dedans = encre;
    }
    return runs;
}

// Two columns of 2400 twips and twelve rows of 300 from (600, 600): cell
// (c, r) covers pixels x 41 + 160 (c - 1) .. +158, y 41 + 20 (r - 1) .. +18.
int Gx(int c) { return 41 + 160 * (c - 1); }
int Gy(int r) { return 41 + 20 * (r - 1); }

// Code -k in cell ((k - 1) / 12 + 1, (k - 1) % 12 + 1), each holding "-5"
// in blue (plan-action codes put it at the left, others in the middle).
std::string SceneDesCodes() {
    std::string s = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,4800,3600
  grid cols=2 rows=12 coloffset=1 rowoffset=1
  column 1 width=2400
  column 2 width=2400
)S";
    for (int r = 1; r <= 12; ++r) s += "  row " + std::to_string(r) + " height=300\n";
    for (int k = 1; k <= 23; ++k) {
        const std::string cr = "col=" + std::to_string((k - 1) / 12 + 1) + " row=" + std::to_string((k - 1) % 12 + 1);
        s += "  cell " + cr + " text=\"-5\"\n";
        s += "  attribute " + cr + " bg=-" + std::to_string(k) + " fg=16711680\n";
    }
    return s;
}

// Every one of the 23 background codes: its fill, and the colour its text
// takes (none where the code shows no text).
TEST(GrillesAffichage, EveryBackgroundCodeFillsAndColoursItsCell) {
    struct Cas {
        int code;
        Couleur fond;
        std::optional<Couleur> texte;
    };
    const Couleur blanc = display::kBlanc, noir = display::kNoir;
    const Cas cas[] = {
        {-23, Rgb(150, 150, 150), noir},    {-22, Rgb(170, 170, 170), noir},
        {-21, Rgb(190, 190, 190), noir},    {-20, Rgb(210, 210, 210), noir},
        {-19, Rgb(230, 230, 230), noir},    {-18, Rgb(250, 250, 250), noir},
        {-17, blanc, kBleu},                {-16, blanc, std::nullopt},  // no owner to its left: nothing
        {-15, blanc, std::nullopt},         {-14, Rgb(120, 120, 120), std::nullopt},  // a toggle: a box only
        {-13, Rgb(230, 230, 230), Rgb(100, 100, 100)},
        {-12, Rgb(200, 200, 200), kBleu},   {-11, Rgb(254, 231, 253), kBleu},
        {-10, Rgb(255, 244, 255), Rgb(200, 0, 0)},  // a negative value
        {-9, Rgb(245, 245, 245), kBleu},    {-8, Rgb(244, 250, 255), Rgb(200, 0, 0)},
        {-7, Rgb(242, 252, 237), kBleu},    {-6, Rgb(254, 231, 253), kBleu},
        {-5, Rgb(252, 242, 211), kBleu},    {-4, Rgb(253, 249, 236), kBleu},
        {-3, Rgb(254, 231, 253), kBleu},    {-2, Rgb(255, 244, 255), kBleu},
        {-1, Rgb(244, 250, 255), kBleu},
    };
    PiloteProgramme p;
    p.ChargerScene(SceneDesCodes());
    p.ExecuterJusqua(50);
    for (const Cas& c : cas) {
        const int k = -c.code;
        const int x = Gx((k - 1) / 12 + 1);
        const int y = Gy((k - 1) % 12 + 1);
        EXPECT_EQ(Pixel(p, x + 150, y + 9), c.fond) << "fill of code " << c.code;
        // The text's colours: whatever is neither the fill nor the white of
        // the lines some codes draw, inside the cell's edges.
        std::set<Couleur> encre = Couleurs(p, x + 2, y + 2, x + 156, y + 16);
        encre.erase(c.fond);
        encre.erase(blanc);
        const std::set<Couleur> attendu = c.texte ? std::set<Couleur>{*c.texte} : std::set<Couleur>{};
        EXPECT_EQ(encre, attendu) << "text of code " << c.code;
    }
}

// Sub-format 2 draws its text bold in the default text format's font at
// its size 11, not in the grid's Arial 10 (as sub-format 3 does).
TEST(GrillesAffichage, SubFormat2TakesTheDefaultTextFont) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,4800,600
  grid cols=1 rows=2 coloffset=1 rowoffset=1
  column 1 width=4800
  row 1 height=300
  row 2 height=300
  cell col=1 row=1 text="MMMMMM"
  cell col=1 row=2 text="MMMMMM"
  attribute col=1 row=1 subformat=2 bg=16777215
  attribute col=1 row=2 subformat=3 bg=16777215
)S");
    p.ExecuterJusqua(50);
    const auto largeur = [&](int r) {
        const auto runs = Colonnes(p, 42, Gy(r) + 1, 356, Gy(r) + 17, display::kBlanc);
        return runs.empty() ? 0 : runs.back().second - runs.front().first + 1;
    };
    display::Police defaut;
    defaut.nom = "Arial";
    defaut.taillePoints = 10;
    defaut.gras = true;
    const int arial10 = p.Programme().Affichage().PageTampon.MesurerTexte("MMMMMM", defaut).width();
    ASSERT_GT(largeur(2), 0);
    EXPECT_NEAR(largeur(2), arial10, 3) << "sub-format 3: the grid's Arial 10, bold";
    EXPECT_GE(largeur(1), largeur(2) + 4) << "sub-format 2: a size 11 font";
}

// A figure's zeros keep a blank column between them: "15 000,0" shows its
// seven glyphs apart, not one bar through the zeros.
TEST(GrillesAffichage, DigitsOfAFigureStandApart) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,4800,300
  grid cols=1 rows=1 coloffset=1 rowoffset=1
  column 1 width=4800
  row 1 height=300
  cell col=1 row=1 text="15000"
  attribute col=1 row=1 type=1 bg=16777215
)S");
    p.ExecuterJusqua(50);
    const auto runs = Colonnes(p, 42, Gy(1) + 1, 356, Gy(1) + 17, display::kBlanc);
    EXPECT_EQ(runs.size(), 7u) << "1, 5, three zeros, the comma and the last zero";
}

// A window larger than the page fits the page to it: the grid moves with
// its object as the other objects do (not left at its designed place).
TEST(GrillesAffichage, AGridFollowsThePageFittedToALargerWindow) {
    PiloteProgramme p;
    // 800 x 600 pixels of page surface for a page designed 640 x 480.
    p.FenetreAffichage().mesures = {0, 0, 12015, 9015};
    p.ChargerScene(R"S(
scene width=640 height=480
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,1200,300
  grid cols=1 rows=1 coloffset=1 rowoffset=1
  column 1 width=1200
  row 1 height=300
  cell col=1 row=1 text=""
  attribute col=1 row=1 bg=255
)S");
    p.ExecuterJusqua(50);
    ASSERT_EQ(p.Moteur().scene.entete.pageLargeur, 800);
    // The object now starts at (750, 750) twips, pixel 50: its cell too.
    const Couleur rouge = Rgb(255, 0, 0);
    EXPECT_EQ(Pixel(p, 45, 45), display::kBlanc) << "nothing left at the designed place";
    EXPECT_EQ(Pixel(p, 60, 60), rouge);
    EXPECT_EQ(Pixel(p, 125, 65), rouge);
}

}  // namespace
}  // namespace korv::programme
