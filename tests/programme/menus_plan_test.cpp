#include <gtest/gtest.h>

#include <string>

#include "engine/moteur.h"
#include "engine/services.h"
#include "plan/entree_page.h"
#include "programme/pilote_programme.h"
#include "support/services_enregistreurs.h"

namespace korv::programme {
namespace {

using plan::CommandePlan;
using testsupport::PiloteProgramme;

constexpr const char* kSceneAvecPages = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
page
object kind=fond name="IMPRESSION" rect=0,0,9600,7200
page
object kind=fond name="EXPORTER" rect=0,0,9600,7200
)S";

constexpr const char* kSceneSansPages = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
page
object kind=fond name="AUTRE" rect=0,0,9600,7200
)S";

// "Exporter..." and "Imprimer le plan d'affaires..." jump to the scene's
// page of that name; a scene without it stays where it is.
TEST(MenusPlan, ExporterEtImprimerSautentALaPageDeLaScene) {
    struct Cas {
        const char* scene;
        CommandePlan commande;
        int pageAttendue;
    };
    const Cas cas[] = {
        {kSceneAvecPages, CommandePlan::Exporter, 3},
        {kSceneAvecPages, CommandePlan::Imprimer, 2},
        {kSceneSansPages, CommandePlan::Exporter, 1},
        {kSceneSansPages, CommandePlan::Imprimer, 1},
    };
    for (const Cas& c : cas) {
        PiloteProgramme p;
        p.ChargerScene(c.scene);
        p.ExecuterJusqua(100);
        ASSERT_EQ(p.Moteur().jeu.PageCourante, 1);
        p.Programme().Recepteur().MenuPlan(c.commande);
        p.ExecuterJusqua(200);
        EXPECT_EQ(p.Moteur().jeu.PageCourante, c.pageAttendue) << static_cast<int>(c.commande);
        EXPECT_EQ(p.JournalErreurs(), "");
    }
}

// "Fenêtre plan" twice gives the plan panel back its first state, its menu
// item checked as the panel shows.
TEST(MenusPlan, FenetrePlanBascule) {
    PiloteProgramme p;
    p.ChargerScene(kSceneAvecPages);
    p.ExecuterJusqua(100);
    const bool depart = p.Fenetre().PanneauPlanEstVisible();
    p.Programme().Recepteur().MenuPlan(CommandePlan::AfficherPlan);
    EXPECT_EQ(p.Fenetre().PanneauPlanEstVisible(), !depart);
    EXPECT_EQ(p.Fenetre().coches[engine::Menu::AfficherPlan], !depart);
    p.Programme().Recepteur().MenuPlan(CommandePlan::AfficherPlan);
    EXPECT_EQ(p.Fenetre().PanneauPlanEstVisible(), depart);
    EXPECT_EQ(p.Fenetre().coches[engine::Menu::AfficherPlan], depart);
}

// Printing and exporting the current page are not built yet: each use in
// play is recorded once in ERROR.TXT, never silently dropped.
TEST(MenusPlan, PageImprimerEtExporterPassentParLeModuleAVenir) {
    PiloteProgramme p;
    p.ChargerScene(kSceneAvecPages);
    p.ExecuterJusqua(100);
    p.Programme().Recepteur().MenuPlan(CommandePlan::ImprimerPage);
    p.Programme().Recepteur().MenuPlan(CommandePlan::ExporterPageRtf);
    const std::string journal = p.JournalErreurs();
    EXPECT_NE(journal.find("impression et exportation (PageCouranteImprimer)"), std::string::npos) << journal;
    EXPECT_NE(journal.find("impression et exportation (PageCouranteExporteRTF)"), std::string::npos) << journal;
}

// "Arrêter  (ESC)" asks the play loop's quit question, as the Escape key.
TEST(MenusPlan, ArreterPoseLaQuestionDeLaBoucle) {
    PiloteProgramme p;
    p.ChargerScene(kSceneAvecPages);
    p.ExecuterJusqua(100);
    p.Programme().Recepteur().MenuPlan(CommandePlan::ArreterJeu);
    p.ExecuterJusqua(200);
    EXPECT_TRUE(p.JeuTermine());
}

}  // namespace
}  // namespace korv::programme
