// The guided method's navigation on the composed program: page scripts move
// the current step, go to the menu page that fits it or to its table page,
// going back restores the step, and the seen mark modifies the plan.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "plan/document/document_plan.h"
#include "plan/etat_plan.h"
#include "plan/methode/etapes_methode.h"
#include "programme/pilote_programme.h"
#include "rtf/lecteur.h"

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
object kind=rtf name="TITREMETAUTOSOUS1" rect=600,1500,8400,600
object kind=rtf name="TITREMETAUTOSOUS9" rect=600,2400,8400,600
object kind=rtf name="TITREMETAUTO 7" rect=600,3300,8400,600 G4=3
object kind=action name="A2" A1=11 B3=1 text="CHANGEMETHODE SOUSMET2\r\nVAPAGE $MET"
object kind=bouton name="B2" rect=1500,0,1200,600 C1=1 D1=12632256
  element page=3 object=7 param=0 events=2
page
object kind=fond name="METAUTOMET" rect=0,0,9600,7200
object kind=action name="A1" A1=11 B3=1 text="RETOUR"
object kind=bouton name="B1" rect=0,0,1200,600 C1=1 D1=12632256
  element page=4 object=2 param=0 events=2
object kind=action name="A2" A1=11 B3=1 text="QUE PASSEVALEUR = CHANGEVUPASVU()"
object kind=bouton name="B2" rect=1500,0,1200,600 C1=1 D1=12632256
  element page=4 object=4 param=0 events=2
object kind=rtf name="REDACTION" rect=600,1500,8400,2700
object kind=action name="PANNEAU" A1=16 text="METAUTO"
  element page=4 object=6 param=0 events=0
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
    EXPECT_EQ(p.JournalErreurs(), "");
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

std::string Brut(const std::string& rtfTexte) {
    const auto lu = rtf::LireRtf(rtfTexte);
    return lu.document ? rtf::TexteUtf8(lu.document->TexteBrut()) : std::string("<illisible>");
}

TEST_F(Methode, TheStepsWrittenTextGoesToTheStepAndThroughThePlanDocument) {
    plan::MethodeEtapes& etapes = p.Programme().Etapes();
    Clic(300);
    Clic(300);
    ASSERT_EQ(Page(), 4);
    ASSERT_EQ(Etape(), "41");
    auto& boite = p.Redaction().boite;
    ASSERT_TRUE(p.Redaction().visible);
    EXPECT_EQ(boite.Texte(), "") << "a new plan's step has an empty text";
    EXPECT_EQ(etapes.EtapeRedigeeCode, "41");
    boite.FocusDonner();
    boite.Taper("Notre mod\xe8le");
    Clic(1800);  // ticks the step seen
    Clic(300);   // back to the sub-menu: the text goes back to its step
    EXPECT_EQ(Page(), 3);
    const int i41 = etapes.NumeroEtape("41");
    EXPECT_EQ(Brut(etapes.Etape(i41).TexteRedige), "Notre modèle");
    EXPECT_EQ(etapes.EtapeRedigeeCode, "") << "stored once";
    EXPECT_EQ(Brut(etapes.Etape(etapes.NumeroEtape("42")).TexteRedige), "") << "no other step";

    const std::string chemin = (std::filesystem::path(p.DossierProgramme()) / "methode.tvr").string();
    plan::DocumentPlan& d = p.Programme().Document();
    ASSERT_EQ(d.PlanAffaireEnregistrer(chemin, false, 0, false), plan::kEnregistre);
    d.PlanAffaireNouveau();
    EXPECT_EQ(Brut(etapes.Etape(i41).TexteRedige), "");
    EXPECT_EQ(etapes.Etape(i41).Vu, 0);
    d.PlanAffaireOuvrir(chemin, false, 0);
    EXPECT_EQ(Brut(etapes.Etape(i41).TexteRedige), "Notre modèle");
    EXPECT_EQ(etapes.Etape(i41).Vu, 1);

    // The step's page shows it again.
    p.Moteur().Plan().MethodeChanger("41");
    engine::SauteALaPage(p.Moteur(), 4);
    p.ExecuterJusquARepos();
    ASSERT_EQ(Page(), 4);
    EXPECT_EQ(boite.Texte(), "Notre mod\xe8le");
    EXPECT_EQ(p.JournalErreurs().find("(PageMethodeAutoLireRTF)"), std::string::npos) << p.JournalErreurs();
    EXPECT_EQ(p.JournalErreurs().find("(RedactionTexteSauver)"), std::string::npos) << p.JournalErreurs();
}

TEST_F(Methode, AMenuPageShowsTheTitlesOfItsSteps) {
    plan::MethodeEtapes& etapes = p.Programme().Etapes();
    etapes.Etape(etapes.NumeroEtape("7")).TitreRTF = "{\\rtf1 Risques}";
    Clic(300);
    ASSERT_EQ(Page(), 3);
    const engine::PageScene& page = p.Moteur().scene.Page(3);
    EXPECT_EQ(page.Objet(4).texte, etapes.Etape(etapes.NumeroEtape("41")).TitreRTF);
    EXPECT_EQ(Brut(page.Objet(4).texte), "Le business model");
    EXPECT_EQ(page.Objet(4).G[3], 0);
    EXPECT_EQ(page.Objet(5).G[3], 3) << "step 49 does not exist: shown only with a next page";
    EXPECT_EQ(page.Objet(6).texte, "{\\rtf1 Risques}");
    EXPECT_EQ(page.Objet(6).G[3], 0);
}

TEST_F(Methode, ASubStepWithChildrenOnTheSameMenuPageShowsItsOwnSteps) {
    plan::MethodeEtapes& etapes = p.Programme().Etapes();
    Clic(300);
    ASSERT_EQ(Page(), 3);
    const engine::PageScene& page = p.Moteur().scene.Page(3);
    ASSERT_EQ(Brut(page.Objet(4).texte), "Le business model");
    const auto preparations = p.Moteur().jeu.generationPreparation;

    Clic(1800);  // step 42, whose children are listed on the same menu page
    EXPECT_EQ(Etape(), "42");
    EXPECT_EQ(Page(), 3);
    EXPECT_GT(p.Moteur().jeu.generationPreparation, preparations) << "the menu page is prepared again";
    EXPECT_EQ(page.Objet(4).texte, etapes.Etape(etapes.NumeroEtape("421")).TitreRTF) << "the list is the new step's";
}

}  // namespace
}  // namespace korv::programme
