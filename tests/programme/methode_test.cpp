// The guided method's navigation on the composed program: page scripts move
// the current step, go to the menu page that fits it or to its table page,
// going back restores the step, and the seen mark modifies the plan.

#include <gtest/gtest.h>

#include <string>

#include "engine/moteur.h"
#include "plan/etat_plan.h"
#include "plan/methode/etapes_methode.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

// Each page has buttons along its top edge, 1500 twips apart.
constexpr const char* kScene = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=action name="A1" A1=11 B3=1 text="CHANGEMETHODE 4\r\nVAPAGE $MET"
object kind=bouton name="B1" rect=0,0,1200,600 C1=1 D1=12632256
  element page=1 object=2 param=0 events=2
object kind=action name="A2" A1=11 B3=1 text="CHANGEMETHODE 7\r\nVAPAGE $OUTILMET"
object kind=bouton name="B2" rect=1500,0,1200,600 C1=1 D1=12632256
  element page=1 object=4 param=0 events=2
object kind=action name="A3" A1=11 B3=1 text="CHANGEMETHODE 423\r\nVAPAGE $OUTILMET"
object kind=bouton name="B3" rect=3000,0,1200,600 C1=1 D1=12632256
  element page=1 object=6 param=0 events=2
page
object kind=fond name="METMENU" rect=0,0,9600,7200
page
object kind=fond name="METSOUSMENU" rect=0,0,9600,7200
object kind=action name="A1" A1=11 B3=1 text="CHANGEMETHODE SOUSMET1\r\nVAPAGE $MET"
object kind=bouton name="B1" rect=0,0,1200,600 C1=1 D1=12632256
  element page=3 object=2 param=0 events=2
page
object kind=fond name="METAUTOMET" rect=0,0,9600,7200
object kind=action name="A1" A1=11 B3=1 text="RETOUR"
object kind=bouton name="B1" rect=0,0,1200,600 C1=1 D1=12632256
  element page=4 object=2 param=0 events=2
object kind=action name="A2" A1=11 B3=1 text="QUE PASSEVALEUR = CHANGEVUPASVU()"
object kind=bouton name="B2" rect=1500,0,1200,600 C1=1 D1=12632256
  element page=4 object=4 param=0 events=2
page
object kind=fond name="TABSWOT" rect=0,0,9600,7200
)S";

class Methode : public ::testing::Test {
protected:
    Methode() {
        p.Moteur().Plan().PlanAffaireInitialisations();  // as the start-up does
        p.ChargerScene(kScene);
        p.ExecuterJusquARepos();
    }
    void Clic(int x) {
        const auto t = p.Horloge().Maintenant() + 10;
        p.Clic(t, x, 300);
        p.ExecuterJusqua(t + 100);
    }
    int Page() { return p.Programme().Moteur().jeu.PageCourante; }
    const std::string& Etape() { return p.Programme().Moteur().jeu.EtapeCourante; }

    PiloteProgramme p;
};

TEST_F(Methode, ScriptsWalkDownTheStepsAndBackRestoresTheStep) {
    ASSERT_EQ(Page(), 1);
    Clic(300);
    EXPECT_EQ(Etape(), "4");
    EXPECT_EQ(Page(), 3) << "a step with children goes to its sub-menu";
    Clic(300);
    EXPECT_EQ(Etape(), "41");
    EXPECT_EQ(Page(), 4) << "a step without children goes to its own page";
    EXPECT_EQ(p.Programme().Etapes().EtapeCouranteCode(), "41") << "the table works on the engine's step";

    Clic(300);
    EXPECT_EQ(Page(), 3);
    EXPECT_EQ(Etape(), "4") << "going back goes back to the step the page showed";
    EXPECT_EQ(p.JournalErreurs().find("methode guidee (M"), std::string::npos) << p.JournalErreurs();
}

TEST_F(Methode, TickingTheStepSeenMarksItAndModifiesThePlan) {
    Clic(300);
    Clic(300);
    ASSERT_EQ(Page(), 4);
    p.Programme().Plan().PlanAffaireModifieFixer(false);
    Clic(1800);
    plan::MethodeEtapes& etapes = p.Programme().Etapes();
    EXPECT_EQ(etapes.Etape(etapes.NumeroEtape("41")).Vu, 1);
    EXPECT_TRUE(p.Programme().Plan().PlanAffaireModifie());
    Clic(1800);
    EXPECT_EQ(etapes.Etape(etapes.NumeroEtape("41")).Vu, 0);
    EXPECT_EQ(p.JournalErreurs().find("(EtapeVuBascule)"), std::string::npos) << p.JournalErreurs();
}

TEST_F(Methode, TheToolTargetGoesToTheStepsTablePageWhenTheSceneHasIt) {
    Clic(1800);
    EXPECT_EQ(Etape(), "7");
    EXPECT_EQ(Page(), 5) << "step 7's table page TABSWOT";
}

TEST_F(Methode, TheToolTargetStaysWhenATablePageIsMissing) {
    Clic(3300);
    EXPECT_EQ(Etape(), "423");
    EXPECT_EQ(Page(), 1) << "TABRD and TABANVAR are not in the scene";
}

}  // namespace
}  // namespace korv::programme
