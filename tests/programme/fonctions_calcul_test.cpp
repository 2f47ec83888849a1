// The currency conversion bracket and the closing-date functions on the
// composed program: scripts of buttons call them, the page display shows
// the progress window, the settings store keeps the reference rates, and
// the engine ends a conversion left open.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/calcul_grilles.h"
#include "engine/moteur.h"
#include "engine/recherche.h"
#include "engine/scripts_moteur.h"
#include "formula/monnaies.h"
#include "formula/nombres.h"
#include "formula/script_programme.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"
#include "display/affichage.h"
#include "display/couleurs.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

const std::string kOuvre = "ouvre Conversion de l'unit\xE9 mon\xE9taire";

class Conversion : public ::testing::Test {
protected:
    // A button "B" that runs `script` when clicked, and a grid.
    void Scene(const std::string& script, const std::string& cellule = "1") {
        p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=action name="S" A1=11 B3=1 text=<<END
)S" + script + R"S(
END
object kind=bouton name="B" rect=600,600,1200,600 C1=1 D1=12632256
  element page=1 object=2 param=0 events=2
object kind=tableau name="T1" rect=100,3000,3000,1000
  grid cols=1 rows=1
  cell col=1 row=1 text=")S" + cellule + R"S("
)S");
        Reference("USD", 1.1);
        Reference("SEK", 9.5);
    }
    void Reference(std::string_view nom, double v) {
        ASSERT_TRUE(formula::EuroMonnaieTauxConversionChange(p.Reglages(), nom, v));
    }
    double Reference(std::string_view nom) {
        return p.Reglages()
            .LireReel(formula::kReglagesMonnaieApplication, formula::kReglagesMonnaieSection, nom)
            .value_or(-1);
    }
    void Clique() {
        p.Clic(100, 900, 900);
        p.ExecuterJusqua(200);
    }
    void AttendFinFermee() {
        EXPECT_EQ(p.FenetreAffichage().progression, (std::vector<std::string>{kOuvre, "ferme"}));
        EXPECT_EQ(p.Moteur().jeu.ConversionEnCours, 0);
        EXPECT_EQ(Reference("USD"), 1.1);
        EXPECT_EQ(Reference("SEK"), 9.5);
    }

    PiloteProgramme p;
};

TEST_F(Conversion, ConvInitThenConvFinShowAndCloseTheWindowAndRestoreTheRates) {
    Scene("QUE TAUX = CONVTX(16)\r\nQUE A = CONVINIT(17;16)\r\nQUE U = CONVUSERTAUX(19;2)\r\nQUE F = CONVFIN()");
    Clique();
    AttendFinFermee();
    EXPECT_EQ(p.Moteur().Monnaies.MonnaieTauxGet(19), 2.0) << "the engine's currency table";
}

TEST_F(Conversion, AScriptThatEndsWithoutConvFinStillEndsTheConversion) {
    Scene("QUE A = CONVINIT(17;16)\r\nQUE B = 1");
    Clique();
    AttendFinFermee();
}

TEST_F(Conversion, AScriptStoppedByAnErrorStillEndsTheConversion) {
    Scene("QUE A = CONVINIT(17;16)\r\nQUE B = 1\r\nQUE C = 2\r\nQUE F = CONVFIN()");
    // The line budget runs out on the third line: the run stops with an error.
    p.Moteur().ScriptsDuMoteur().Programme().LignesMax = 2;
    Clique();
    EXPECT_NE(p.JournalErreurs(), "");
    AttendFinFermee();
}

TEST_F(Conversion, AConversionOpenWhenPlayEndsIsEnded) {
    // Opened by a cell's formula as the page is shown, outside any script.
    Scene("QUE A = 0", "=CONVINIT(17;16)");
    p.ExecuterJusqua(50);
    EXPECT_EQ(p.FenetreAffichage().progression, std::vector<std::string>{kOuvre});
    EXPECT_EQ(Reference("USD"), 0.9106);
    EXPECT_TRUE(engine::CalculGrillesMoteur(p.Moteur()).ConversionMonnaieEnCours());
    p.Touche(100, 27);
    ASSERT_TRUE(p.ExecuterJusquaFin(10'000));
    EXPECT_EQ(p.FenetreAffichage().progression.back(), "ferme");
    EXPECT_EQ(p.Moteur().jeu.ConversionEnCours, 0);
    EXPECT_FALSE(engine::CalculGrillesMoteur(p.Moteur()).ConversionMonnaieEnCours());
    EXPECT_EQ(Reference("USD"), 1.1);
    EXPECT_EQ(Reference("SEK"), 9.5);
}

// A button folds a two-year monthly grid at the closing date and colours
// the closed months.
TEST(ClotureProgramme, AButtonScriptTreatsTheMonthsByTheClosingDate) {
    PiloteProgramme p;
    std::string cellules;
    for (int m = 1; m <= 24; ++m) {
        const int c = m + 1;
        cellules += "  cell col=" + std::to_string(c) + " row=1 text=\"" +
                    std::to_string(static_cast<long>(formula::DateSerie(2024, m, 1))) + "\"\n";
        cellules += "  attribute col=" + std::to_string(c) + " row=1 type=3\n";
        cellules += "  cell col=" + std::to_string(c) + " row=2 text=\"" + std::to_string(m) + "\"\n";
        cellules += "  attribute col=" + std::to_string(c) + " row=2 type=1 fg=255\n";
    }
    const long d = static_cast<long>(formula::DateSerie(2024, 5, 1));
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=action name="S" A1=11 B3=1 text=<<END
QUE A = CLOTUREDATESAISIE('DEBUT';'T1';2;0;0;0;)S" + std::to_string(d) + R"S(;6)
QUE B = CLOTUREDATECOULEUR('DEBUT';'T1';2;2;25;2;)S" + std::to_string(d) + R"S(;16711680)
END
object kind=bouton name="B" rect=600,600,1200,600 C1=1 D1=12632256
  element page=1 object=2 param=0 events=2
object kind=tableau name="T1" rect=100,3000,9000,1000
  grid cols=25 rows=2
)S" + cellules);
    auto* g = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 4));
    ASSERT_NE(g, nullptr);
    p.Clic(100, 900, 900);
    p.ExecuterJusqua(200);
    for (int m = 1; m <= 24; ++m) {
        const int c = m + 1;
        EXPECT_EQ(g->Colonne(c).Pliee != 0, m < 5 || m > 12) << "month " << m;
        EXPECT_EQ(g->CaseCouleurTexte(c, 2), m <= 5 ? 16711680 : 0) << "month " << m;
    }
}

// The sample's financial page: showing it applies the closing date of cell
// (2, 9), 31 March 2025, to its monthly grid.
TEST(ClotureProgramme, TheSampleFinancialPageTreatsItsMonthsWhenShown) {
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
    for (int mois = 1; mois <= 12; ++mois) {
        const int c = mois + 2;
        const bool clos = mois <= 3;
        EXPECT_EQ(g->CaseEstEditable(c, 7), clos) << "actual sales, month " << mois;
        EXPECT_EQ(g->CaseInvisible(c, 7) != 0, !clos) << mois;
        EXPECT_EQ(g->CaseEstEditable(c, 8), !clos) << "forecast, month " << mois;
        EXPECT_EQ(g->CaseCouleurTexte(c, 1), clos ? 13107200 : 0) << mois;
    }
    EXPECT_EQ(g->CaseResultatInterne(2, 10), "32100");
}

// The page's show action treats the months after the grid was computed and
// drawn; the first show must already be what a second one shows: the
// forecast sums without the closed months, the months' colours drawn.
TEST(ClotureProgramme, TheFinancialPageShowsTheSameTheFirstTimeAsTheSecond) {
    std::ifstream f(KORV_SAMPLE_SCENE, std::ios::binary);
    PiloteProgramme p;
    p.ChargerScene(std::string(std::istreambuf_iterator<char>(f), {}));
    p.DeclenchementReel();
    p.ExecuterJusqua(100);
    engine::Moteur& m = p.Moteur();
    const int page = engine::NumeroDePage(m.scene, "FINANCES");
    grid::TableauClasse* g = p.Programme().Grilles().Cherche(page, engine::NumeroObjet(m.scene, page, "PREVISIONS"));
    ASSERT_NE(g, nullptr);
    // The grid's rectangle (300, 300)-(9300, 4200) in pixels.
    auto grille = [&p] {
        std::vector<display::Couleur> pixels;
        for (int y = 20; y < 280; ++y) {
            for (int x = 20; x < 620; ++x) pixels.push_back(p.Programme().Affichage().PageTampon.Pixel(x, y));
        }
        return pixels;
    };

    p.Clic(200, 1800, 5525);  // "Finances"
    p.ExecuterJusqua(400);
    ASSERT_EQ(m.jeu.PageCourante, page);
    EXPECT_EQ(g->CaseResultatInterne(2, 8), "108000") << "forecasts of the open months only";
    const auto premiere = grille();
    // The header of a closed month is drawn blue.
    const display::Couleur bleu = display::Rgb(0, 0, 200);
    EXPECT_NE(std::find(premiere.begin(), premiere.end(), bleu), premiere.end());

    p.Clic(600, 1800, 6300);  // "Retour"
    p.ExecuterJusqua(800);
    ASSERT_NE(m.jeu.PageCourante, page);
    p.Clic(1000, 1800, 5525);
    p.ExecuterJusqua(1200);
    ASSERT_EQ(m.jeu.PageCourante, page);
    EXPECT_EQ(g->CaseResultatInterne(2, 8), "108000");
    EXPECT_TRUE(premiere == grille()) << "the first show differs from the second";
}

}  // namespace
}  // namespace korv::programme
