#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "engine/attente_boucle.h"
#include "engine/page_jeu.h"
#include "engine/services_neutres.h"
#include "support/pilote_jeu.h"

namespace korv::testsupport {
namespace {

using Lignes = std::vector<std::string>;

// Page 1 "DEBUT": background, a button, a timer of 1000 ms waiting for bit 8.
// Page 2 "AUTRE": background only.
constexpr const char* kScene = R"(
scene width=640 height=480 esc=1
start text="DEPART"
page
object kind=fond name="DEBUT" rect=0,0,9600,7200 E2=4
object kind=bouton name="B" rect=600,600,1200,600
  element page=2 object=1 param=0 events=2
object kind=chrono name="C" rect=0,0,0,0 text="1000"
  element page=1 object=2 param=0 events=8
page
object kind=fond name="AUTRE" rect=0,0,9600,7200
)";

TEST(PiloteJeu, PremierePageJusquAuRepos) {
    PiloteJeu p;
    p.ChargerScene(kScene);
    p.Document("PLAN.BP");
    p.ExecuterJusquARepos();
    EXPECT_EQ(p.Lignes(), (Lignes{"window-show", "splash-unload", "script DEPART", "prepare 1",
                                  "fire 1.1 element 0 action 0 mode 2", "fire 1.2 element 0 action 0 mode 2",
                                  "fire 1.3 element 0 action 0 mode 2", "effect 4", "plan-open PLAN.BP"}));
    EXPECT_EQ(p.Horloge().Maintenant(), 0);
    EXPECT_FALSE(p.JeuTermine());
    EXPECT_EQ(p.Moteur().jeu.PageCourante, 1);
    EXPECT_TRUE(p.Fenetre().barreTitre);
    // At rest again: nothing more happens without time or input.
    p.ExecuterJusquARepos();
    EXPECT_EQ(p.Trace().Nombre("prepare"), 1u);
}

TEST(PiloteJeu, ReprendLeJeuEnPauseAvecLeTemps) {
    PiloteJeu p;
    p.ChargerScene(kScene);
    p.ExecuterJusquARepos();
    // Play is paused inside its wait: the engine can be changed from here.
    ASSERT_TRUE(engine::EvenementObjetEnAttenteDEvenementAjoute(p.Moteur(), 1, 3));
    p.ExecuterJusqua(999);
    EXPECT_EQ(p.Trace().Nombre("trigger"), 0u);
    EXPECT_EQ(p.Horloge().Maintenant(), 999);
    p.ExecuterJusqua(1500);
    EXPECT_EQ(p.Trace().LignesDatees("trigger"), (Lignes{"1000 trigger 1.3 events 8"}));
    EXPECT_EQ(p.Horloge().Maintenant(), 1500);

    // A jump made while paused is traced; one outside the page table is
    // only logged.
    engine::SauteALaPage(p.Moteur(), 2);
    engine::SauteALaPage(p.Moteur(), 9);
    EXPECT_EQ(p.Trace().Lignes("jump"), (Lignes{"jump 2"}));
    EXPECT_EQ(p.Trace().Lignes("prepare"), (Lignes{"prepare 1", "prepare 2"}));
    EXPECT_NE(p.JournalErreurs().find("inexistante"), std::string::npos);
}

TEST(PiloteJeu, ExecuteNDeclenchementsPuisLeReste) {
    PiloteJeu p;
    p.ChargerScene(kScene);
    p.ExecuterJusquARepos();
    auto& m = p.Moteur();
    // Three entries due at once (a button waiting for the page's bit 1
    // stands for each of them).
    for (int i = 0; i < 3; ++i) {
        engine::EvenementAttente e;
        e.TypeObjet = 3;
        e.Page = 1;
        e.Objet = static_cast<std::int16_t>(i + 1);
        e.EvenementsAttendus = engine::evenement::SurPage;
        m.attente.entrees.push_back(e);
    }
    EXPECT_EQ(p.ExecuterNDeclenchements(2), 2);
    EXPECT_EQ(p.Trace().Nombre("trigger"), 2u);
    EXPECT_EQ(p.ExecuterNDeclenchements(5), 1);  // nothing more can happen
    EXPECT_EQ(p.Trace().Nombre("trigger"), 3u);
    EXPECT_FALSE(p.JeuTermine());
}

TEST(PiloteJeu, EchapAvecPlanModifieEtReponsesEnFile) {
    PiloteJeu p;
    p.ChargerScene(kScene);  // Esc mode 1: asks first
    p.Plan().modifie = true;
    p.Touche(100, 27);
    p.RepondreMessage(6);      // quit? yes
    p.RepondreEnregistrer(2);  // save? cancel: play goes on
    p.Touche(200, 27);
    p.RepondreMessage(7);  // quit? no
    p.Touche(300, 27);
    p.RepondreMessage(6);
    p.RepondreEnregistrer(7);  // not saved: play ends

    p.ExecuterJusqua(250);
    EXPECT_FALSE(p.JeuTermine());
    EXPECT_EQ(p.Trace().LignesDatees("plan-save-ask"), (Lignes{"100 plan-save-ask 2"}));
    EXPECT_TRUE(p.ExecuterJusquaFin());
    EXPECT_TRUE(p.JeuTermine());
    EXPECT_TRUE(p.Moteur().fin.demandee);
    EXPECT_EQ(p.Trace().LignesDatees("key"), (Lignes{"100 key 27 0", "200 key 27 0", "300 key 27 0"}));
    EXPECT_EQ(p.Trace().Nombre("message"), 3u);
    EXPECT_EQ(p.Trace().Lignes("plan-save-ask"), (Lignes{"plan-save-ask 2", "plan-save-ask 7"}));
    EXPECT_EQ(p.Trace().Lignes().back(), "windows-close 0");
    // Once ended, runs do nothing.
    p.ExecuterJusquARepos();
    EXPECT_TRUE(p.ExecuterJusquaFin());
}

class EntreeNotee final : public EntreeJeu {
public:
    explicit EntreeNotee(PiloteJeu& p) : p_(p) {}
    void Souris(int genre, int bouton, int maj, int x, int y) override {
        recu.push_back(std::to_string(p_.Horloge().Maintenant()) + " souris " + std::to_string(genre) + " " +
                       std::to_string(bouton) + " " + std::to_string(maj) + " " + std::to_string(x) + " " +
                       std::to_string(y));
    }
    void Touche(int code, int maj) override {
        recu.push_back(std::to_string(p_.Horloge().Maintenant()) + " touche " + std::to_string(code) + " " +
                       std::to_string(maj));
    }
    Lignes recu;

private:
    PiloteJeu& p_;
};

TEST(PiloteJeu, EntreesLivreesASonInstantDansLOrdre) {
    PiloteJeu p;
    p.ChargerScene(kScene);
    EntreeNotee entree(p);
    p.BrancherEntree(&entree);
    p.Touche(700, 65, 1);
    p.Clic(500, 1200, 900);
    p.Souris(500, 3, 0, 0, 1300, 950);
    p.ExecuterJusqua(499);
    EXPECT_TRUE(entree.recu.empty());
    EXPECT_FALSE(p.ExecuterJusquaFin(1000));  // nothing ends this play
    EXPECT_EQ(entree.recu, (Lignes{"500 souris 1 1 0 1200 900", "500 souris 2 1 0 1200 900",
                                   "500 souris 3 0 0 1300 950", "700 touche 65 1"}));
    EXPECT_EQ(p.Trace().Lignes("mouse").size(), 3u);
}

TEST(PiloteJeu, ErreursDuScriptDeTest) {
    {
        PiloteJeu p;
        p.Corps([](engine::Moteur&) { throw std::runtime_error("panne du jeu"); });
        EXPECT_THROW(p.ExecuterJusquARepos(), std::runtime_error);
        EXPECT_TRUE(p.JeuTermine());
    }
    {
        PiloteJeu p;
        p.ChargerScene(kScene);
        p.ExecuterJusqua(100);
        EXPECT_THROW(p.ExecuterJusqua(50), std::invalid_argument);
        EXPECT_THROW(p.ChargerScene(kScene), std::logic_error);
    }
    {
        // An entry that stays due forever never brings play to rest.
        struct SansEffet final : engine::DeclencheurNeutre {
        } sansEffet;
        PiloteJeu p;
        p.ChargerScene(kScene);
        p.Declencheur().suivant = &sansEffet;
        p.LimiteDeclenchements = 50;
        p.ExecuterJusquARepos();
        engine::EvenementAttente e;
        e.TypeObjet = 3;
        e.Page = 1;
        e.Objet = 2;
        e.EvenementsAttendus = engine::evenement::SurPage;
        p.Moteur().attente.entrees.push_back(e);
        EXPECT_THROW(p.ExecuterJusquARepos(), std::runtime_error);
        // The paused play is abandoned cleanly when the driver goes.
    }
}

}  // namespace
}  // namespace korv::testsupport
