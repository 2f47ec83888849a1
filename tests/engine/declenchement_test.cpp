// Trigger dispatch on the headless driver: what a due entry runs, in which
// order and mode, how its events are consumed, timers re-armed and entries
// dropped, and how a firing stops when its entry or its page goes.

#include "engine/declenchement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/attente_boucle.h"
#include "engine/declencheurs_texte_chrono.h"
#include "support/pilote_jeu.h"

namespace korv::engine {
namespace {

using testsupport::PiloteJeu;
using Lignes = std::vector<std::string>;

// The trace lines of one keyword, each with its time.
Lignes Datees(PiloteJeu& p, const char* motCle) { return p.Trace().LignesDatees(motCle); }

// Page 1: a background, the buttons 2 and 4 that the timer 3 shows on its
// due time (8) and after its last firing (16384).
std::string SceneChrono(int mode, int repetitions) {
    return R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="B" rect=600,600,1200,600 B3=1
object kind=chrono name="C" text="1000,500" A1=)" +
           std::to_string(mode) + " A2=" + std::to_string(repetitions) + R"(
  element page=1 object=2 param=0 events=8
  element page=1 object=4 param=0 events=16384
object kind=bouton name="FIN" rect=600,1800,1200,600 B3=1
)";
}

TEST(Declenchement, TimerFiresAtItsPeriodsInTurn) {
    struct Cas {
        int mode;
        int repetitions;
        Lignes declenchements;
        Lignes tirs;
        bool resteEnListe;
    };
    const Cas cas[] = {
        // Repeating without a count: 1000, then 500, 1000, 500 ... apart.
        {1, 0,
         {"1000 trigger 1.3 events 8", "1500 trigger 1.3 events 8", "2500 trigger 1.3 events 8",
          "3000 trigger 1.3 events 8", "4000 trigger 1.3 events 8", "4500 trigger 1.3 events 8"},
         Lignes(6, "fire 1.2 element 1 action 0 mode 1"), true},
        // Three times, then the last-firing event at the next examination.
        {1, 3,
         {"1000 trigger 1.3 events 8", "1500 trigger 1.3 events 8", "2500 trigger 1.3 events 8",
          "2500 trigger 1.3 events 16384"},
         {"fire 1.2 element 1 action 0 mode 1", "fire 1.2 element 1 action 0 mode 1",
          "fire 1.2 element 1 action 0 mode 1", "fire 1.4 element 2 action 0 mode 1"},
         false},
        // A one-shot timer fires once; its elements of 16384 never run (its
        // entry stays, waiting for that event, never due again).
        {0, 3, {"1000 trigger 1.3 events 8"}, {"fire 1.2 element 1 action 0 mode 1"}, true},
    };
    for (const auto& c : cas) {
        PiloteJeu p;
        p.ChargerScene(SceneChrono(c.mode, c.repetitions));
        p.DeclenchementReel();
        p.ExecuterJusquARepos();
        p.Trace().Vider();
        p.ExecuterJusqua(5000);
        EXPECT_EQ(Datees(p, "trigger"), c.declenchements) << c.mode << " " << c.repetitions;
        EXPECT_EQ(p.Trace().Lignes("fire"), c.tirs) << c.mode << " " << c.repetitions;
        EXPECT_EQ(EvenementNObjetVersNEve(p.Moteur(), 1, 3) != 0, c.resteEnListe) << c.mode << " " << c.repetitions;
    }
}

TEST(Declenchement, UnlimitedTimerCountStopsGrowing) {
    PiloteJeu p;
    p.ChargerScene(SceneChrono(1, 0));
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    auto& e = p.Moteur().attente.Entree(EvenementNObjetVersNEve(p.Moteur(), 1, 3));
    e.NombreDeclenchements = 2147000;
    p.ExecuterJusqua(1000);
    EXPECT_EQ(p.Moteur().attente.Entree(EvenementNObjetVersNEve(p.Moteur(), 1, 3)).NombreDeclenchements, 2147000);
}

TEST(Declenchement, FireNowEndsARepeatingTimerAfterOneMoreFiring) {
    PiloteJeu p;
    p.ChargerScene(SceneChrono(1, 0));
    p.DeclenchementReel();
    p.ExecuterJusqua(1200);  // fired once at 1000
    DeclencheChrono(p.Moteur(), 1, 3, "", 1, 1);
    p.ExecuterJusqua(6000);
    EXPECT_EQ(Datees(p, "trigger"), (Lignes{"1000 trigger 1.3 events 8", "1200 trigger 1.3 events 8"}))
        << "ended: no more firings, though it still waits for its last-firing event";
}

TEST(Declenchement, TimerCodesStartOnceAndFireChosenEntries) {
    PiloteJeu p;
    p.ChargerScene(SceneChrono(1, 0));
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    auto& m = p.Moteur();
    DeclencheChrono(m, 1, 3, "", 0, 1);
    EXPECT_EQ(m.attente.Nombre(), 1) << "a running timer is not started again";
    // Stopped in this firing (marked), it may start again at once.
    m.attente.Entree(1).Etat = -1;
    DeclencheChrono(m, 1, 3, "", 0, 1);
    ASSERT_EQ(m.attente.Nombre(), 2);
    m.attente.Entree(1).Etat = 0;

    struct Cas {
        const char* valeur;
        std::vector<std::int64_t> gauches;
    };
    const Cas cas[] = {{"2", {1000, -1}}, {"-1", {1000, -1}}, {"1", {-1, 1000}}, {"7", {1000, 1000}}, {"x", {-1, -1}}};
    for (const auto& c : cas) {
        m.attente.Entree(1).Gauche = 1000;
        m.attente.Entree(2).Gauche = 1000;
        DeclencheChrono(m, 1, 3, c.valeur, 1, 1);
        EXPECT_EQ((std::vector<std::int64_t>{m.attente.Entree(1).Gauche, m.attente.Entree(2).Gauche}), c.gauches)
            << c.valeur;
    }
}

TEST(Declenchement, HeldButtonRepeatsThroughTheDispatch) {
    PiloteJeu p;
    p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="PLUS" rect=600,600,1200,600
  element page=1 object=3 param=0 events=1024
object kind=bouton name="CIBLE" rect=600,1800,1200,600 B3=1
)");
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    auto& m = p.Moteur();
    const int n = EvenementNObjetVersNEve(m, 1, 2);
    ASSERT_GT(n, 0);
    // Pressed at 0 (what the mouse-down handler does).
    m.attente.Entree(n).EvenementsSurvenus = evenement::BoutonTenu;
    m.attente.Entree(n).ProchaineRepetition = -1;
    p.Trace().Vider();
    p.ExecuterJusqua(600);
    EXPECT_EQ(Datees(p, "trigger"),
              (Lignes{"0 trigger 1.2 events 1024", "521 trigger 1.2 events 1024", "542 trigger 1.2 events 1024",
                      "563 trigger 1.2 events 1024", "584 trigger 1.2 events 1024"}));
    EXPECT_EQ(p.Trace().Nombre("fire"), 5u);
    // Released at 600: no more repeats.
    auto& e = m.attente.Entree(EvenementNObjetVersNEve(m, 1, 2));
    e.EvenementsSurvenus &= ~evenement::BoutonTenu;
    e.ProchaineRepetition = 0;
    p.ExecuterJusqua(2000);
    EXPECT_EQ(p.Trace().Nombre("trigger"), 5u);
}

// Objects 2, 3, 4 wait for the page (bit 1) and show object 5; object 6
// waits for a click.
constexpr const char* kSceneOrdre = R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="A" rect=0,0,600,600
  element page=1 object=5 param=0 events=1
object kind=bouton name="B" rect=600,0,600,600
  element page=1 object=5 param=0 events=1
object kind=bouton name="C" rect=1200,0,600,600
  element page=1 object=5 param=0 events=1
object kind=bouton name="CIBLE" rect=0,1800,600,600 B3=1
object kind=bouton name="D" rect=1800,0,600,600
  element page=1 object=5 param=0 events=2
)";

TEST(Declenchement, EntriesDueTogetherFireInListOrderAndLeaveByTheGap) {
    PiloteJeu p;
    p.ChargerScene(kSceneOrdre);
    p.DeclenchementReel();
    p.Trace().Vider();
    // Stop after the first firing: A's entry went, the last entry took its place.
    EXPECT_EQ(p.ExecuterNDeclenchements(1), 1);
    std::vector<int> objets;
    for (const auto& e : p.Moteur().attente.entrees) objets.push_back(e.Objet);
    EXPECT_EQ(objets, (std::vector<int>{6, 3, 4}));
    p.ExecuterJusquARepos();
    EXPECT_EQ(p.Trace().Lignes("trigger"),
              (Lignes{"trigger 1.2 events 1", "trigger 1.3 events 1", "trigger 1.4 events 1"}));
    ASSERT_EQ(p.Moteur().attente.Nombre(), 1) << "only the click wait stays";
    EXPECT_EQ(p.Moteur().attente.Entree(1).Objet, 6);
}

TEST(Declenchement, SeveralElementsDrawInBatchThenCopyThePageOnce) {
    PiloteJeu p;
    p.ChargerScene(R"(
scene width=640 height=480
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="A" rect=0,0,600,600
  element page=1 object=3 param=0 events=1
  element page=1 object=4 param=0 events=1
  element page=1 object=3 param=0 events=2
object kind=bouton name="X" rect=0,1800,600,600 B3=1 E2=7
object kind=bouton name="Y" rect=900,1800,600,600 B3=1 E2=9 E1=3
)");
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    EXPECT_EQ(p.Trace().Lignes("fire").size(), 4u);  // the page's own, then the firing's
    const auto tirs = p.Trace().Lignes("fire");
    EXPECT_EQ(tirs[2], "fire 1.3 element 1 action 0 mode 2");
    EXPECT_EQ(tirs[3], "fire 1.4 element 2 action 0 mode 2");
    // Batch draws copy nothing themselves; the page goes once, with the
    // effect of the last object shown.
    EXPECT_EQ(p.Trace().Lignes("effect").back(), "effect 9 0 0 640 480");
    EXPECT_EQ(p.Trace().Nombre("effect"), 2u);  // the page preparation's and this one
}

TEST(Declenchement, SingleTargetCopiesItsRectangleWithItsShadow) {
    PiloteJeu p;
    p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="A" rect=0,0,600,600
  element page=1 object=3 param=0 events=1
object kind=bouton name="Y" rect=900,1800,600,450 B3=1 E2=9 E1=3
)");
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    EXPECT_EQ(p.Trace().Lignes("effect").back(), "effect 9 60 120 43 33");
}

TEST(Declenchement, ElementsWithBadTargetsAreSkippedAndLogged) {
    PiloteJeu p;
    p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="A" rect=0,0,600,600
  element page=9 object=1 param=0 events=1
  element page=1 object=40 param=0 events=1
  element page=1 object=3 param=0 events=1
object kind=bouton name="X" rect=0,1800,600,600 B3=1
)");
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    EXPECT_EQ(p.Trace().Lignes("fire").back(), "fire 1.3 element 3 action 0 mode 2");
    EXPECT_EQ(p.Trace().Nombre("trigger"), 1u) << "consumed once, not fired again and again";
    EXPECT_EQ(p.Trace().Nombre("jump"), 0u);
    EXPECT_NE(p.JournalErreurs().find("page 9 inexistante"), std::string::npos);
    EXPECT_NE(p.JournalErreurs().find("1.40 inexistant"), std::string::npos);
}

// Object 2 jumps with its first element; the elements after it never run.
TEST(Declenchement, JumpEndsTheFiring) {
    struct Cas {
        const char* cible;  // what the action object of element 1 names
        Lignes sauts;
    };
    // A jump to another page, and one to this same page, which prepares it
    // again and empties the list under the firing.
    const Cas cas[] = {{"AUTRE", {"jump 2"}}, {"DEBUT", {"jump 1"}}};
    for (const auto& c : cas) {
        PiloteJeu p;
        p.ChargerScene(std::string(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="A" rect=0,0,600,600
  element page=1 object=3 param=0 events=2
  element page=1 object=4 param=0 events=2
object kind=action name="SAUT" A1=10 B3=1 text=")") +
                       c.cible + R"("
object kind=bouton name="X" rect=0,1800,600,600 B3=1
page
object kind=fond name="AUTRE" rect=0,0,9600,7200
)");
        p.DeclenchementReel();
        p.ExecuterJusquARepos();
        auto& m = p.Moteur();
        const int n = EvenementNObjetVersNEve(m, 1, 2);
        ASSERT_GT(n, 0);
        m.attente.Entree(n).EvenementsSurvenus = evenement::Clic;
        p.Trace().Vider();
        p.ExecuterJusquARepos();
        EXPECT_EQ(p.Trace().Lignes("jump"), c.sauts) << c.cible;
        EXPECT_EQ(p.Trace().Lignes("fire").front(), "fire 1.3 element 1 action 0 mode 2") << c.cible;
        for (const auto& l : p.Trace().Lignes("fire")) EXPECT_NE(l, "fire 1.4 element 2 action 0 mode 2") << c.cible;
    }
}

TEST(Declenchement, ElementJumpsToItsTargetPage) {
    PiloteJeu p;
    p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="A" rect=0,0,600,600
  element page=2 object=1 param=0 events=1
  element page=1 object=3 param=0 events=1
object kind=bouton name="X" rect=0,1800,600,600 B3=1
page
object kind=fond name="AUTRE" rect=0,0,9600,7200
)");
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    EXPECT_EQ(p.Trace().Lignes("jump"), (Lignes{"jump 2"}));
    EXPECT_EQ(p.Moteur().jeu.PageCourante, 2);
    for (const auto& l : p.Trace().Lignes("fire")) EXPECT_NE(l.rfind("fire 1.3", 0), 0u) << l;
}

TEST(Declenchement, LinkZoneRunsOnlyItsLinkElements) {
    PiloteJeu p;
    p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=texte name="T" rect=0,0,3000,600 B3=1
  element page=1 object=3 param=0 text="ici" events=2
  element page=1 object=4 param=0 text="" events=2
  element page=1 object=5 param=0 text="ailleurs" events=2
object kind=bouton name="X" rect=0,1800,600,600 B3=1
object kind=bouton name="Y" rect=0,2400,600,600 B3=1
object kind=bouton name="Z" rect=0,3000,600,600 B3=1
)");
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    auto& m = p.Moteur();
    ZoneTexteLien zone;
    zone.Texte = "ici";
    zone.Numero = 1;
    ASSERT_TRUE(EvenementObjetEnAttenteDEvenementAjoute(m, 1, 2, zone));
    m.attente.entrees.back().EvenementsSurvenus = evenement::Clic;
    p.Trace().Vider();
    p.ExecuterJusquARepos();
    EXPECT_EQ(p.Trace().Lignes("fire"), (Lignes{"fire 1.3 element 1 action 0 mode 2"}))
        << "three elements share the event (batch mode); one belongs to the link";
}

TEST(Declenchement, HideEventFiresAtTheNextExaminationThenTheEntryGoes) {
    PiloteJeu p;
    // Button 2 hides itself on a click; its hide event shows object 3.
    p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="A" rect=0,0,600,600
  element page=1 object=2 param=1 events=2
  element page=1 object=3 param=0 events=32768
object kind=bouton name="X" rect=0,1800,600,600 B3=1
)");
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    auto& m = p.Moteur();
    m.attente.Entree(EvenementNObjetVersNEve(m, 1, 2)).EvenementsSurvenus = evenement::Clic;
    p.Trace().Vider();
    p.ExecuterJusquARepos();
    EXPECT_EQ(p.Trace().Lignes("trigger"), (Lignes{"trigger 1.2 events 2", "trigger 1.2 events 32768"}));
    EXPECT_EQ(p.Trace().Lignes("fire"),
              (Lignes{"fire 1.2 element 1 action 1 mode 1", "fire 1.3 element 2 action 0 mode 1"}));
    EXPECT_EQ(EvenementNObjetVersNEve(m, 1, 2), 0) << "hidden: its wait is gone";
}

TEST(Declenchement, HidingDropsWaitsWithoutTheHideEvent) {
    PiloteJeu p;
    // Object 2 hides buttons 3 (waits for clicks only) and 4 (clicks and hide).
    p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="A" rect=0,0,600,600
  element page=1 object=3 param=1 events=2
  element page=1 object=4 param=1 events=2
object kind=bouton name="X" rect=0,1800,600,600
  element page=1 object=2 param=0 events=2
object kind=bouton name="Y" rect=0,2400,600,600
  element page=1 object=2 param=0 events=2
  element page=1 object=2 param=0 events=32768
)");
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    auto& m = p.Moteur();
    m.attente.Entree(EvenementNObjetVersNEve(m, 1, 2)).EvenementsSurvenus = evenement::Clic;
    p.ExecuterNDeclenchements(1);
    EXPECT_EQ(p.Trace().Lignes("erase"), (Lignes{"erase 1.3", "erase 1.4"}));
    EXPECT_EQ(EvenementNObjetVersNEve(m, 1, 3), 0) << "a hidden button cannot be clicked";
    const int y = EvenementNObjetVersNEve(m, 1, 4);
    ASSERT_GT(y, 0);
    EXPECT_EQ(m.attente.Entree(y).EvenementsSurvenus, evenement::ObjetCache);
    EXPECT_EQ(ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 3), 0);
}

TEST(Declenchement, OneShotEventsAreConsumedMouseEventsStay) {
    PiloteJeu p;
    p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="A" rect=0,0,600,600
  element page=1 object=3 param=0 events=3
  element page=1 object=3 param=0 events=256
object kind=bouton name="X" rect=0,1800,600,600 B3=1
)");
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    auto& m = p.Moteur();
    const int n = EvenementNObjetVersNEve(m, 1, 2);
    ASSERT_GT(n, 0);
    EXPECT_EQ(m.attente.Entree(n).EvenementsAttendus, 2 | 256) << "the page bit was awaited once";
    EXPECT_EQ(m.attente.Entree(n).EvenementsSurvenus, 0);
}

// The value an element hands over.
class Voisins final : public ServicesDeclencheursNeutres {
public:
    std::string PasseValeur() override { return passe; }
    int SpriteNObjetVersNSprite(int, int objet) override { return objet == 2 ? 1 : 0; }
    SpriteVue Sprite(int) override { return sprite; }
    std::string passe;
    SpriteVue sprite;
};

TEST(Declenchement, ValueKeywords) {
    PiloteJeu p;
    p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=action name="S" A1=15
  element page=1 object=3 param=0 value=".PasseValeur" events=0
  element page=1 object=3 param=0 value=".PositionHorizontaleDansObjetPourcent" events=0
  element page=1 object=3 param=0 value=".PositionVerticaleDansObjetPourcent" events=0
  element page=1 object=3 param=0 value=".PositionSurChemin" events=0
  element page=1 object=3 param=0 value=".TextePageNum\xE9ro" events=0
  element page=1 object=3 param=0 value="texte" events=0
object kind=image name="CHEMIN" rect=1500,1500,3000,1500
object kind=texte name="T" rect=0,0,600,600
  element page=1 object=3 param=0 value=".PositionSurChemin" events=0
  element page=1 object=3 param=0 value=".TextePageNum\xE9ro" events=0
)");
    Voisins voisins;
    auto& m = p.Moteur();
    m.Declenchement().Configuration().voisins = &voisins;
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    voisins.passe = " 'abc' ";
    // 100 px from the path's left (1500 twips), path 200 px wide, sprite
    // 50 px: x = 175 stands half way. The path is as high as the sprite.
    voisins.sprite = {1, 2, 175, 40, 50, 100, 3, 300, 100, 30.0};
    struct Cas {
        int source;
        int element;
        const char* valeur;
    };
    const Cas cas[] = {
        {2, 1, "abc"}, {2, 2, "50%"}, {2, 3, "0%"}, {2, 4, "10"}, {2, 5, ".TextePageNum\xE9ro"}, {2, 6, "texte"},
        {2, 0, ""}, {2, 9, ""}, {4, 1, "0"},
    };
    for (const auto& c : cas) EXPECT_EQ(ValeurElement(m, 1, c.source, c.element), c.valeur) << c.source << "/" << c.element;
    voisins.passe = "'";
    EXPECT_EQ(ValeurElement(m, 1, 2, 1), "'") << "a lone quote is no quoted text";
    voisins.sprite.objetChemin = 0;
    EXPECT_EQ(ValeurElement(m, 1, 2, 2), "0%") << "no path";

    // A shown text hands over its text page.
    ASSERT_GT(ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 4), 0);
    m.affiches.Entree(ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 4)).morceauTexte = 3;
    EXPECT_EQ(ValeurElement(m, 1, 4, 2), "3");
}

}  // namespace
}  // namespace korv::engine
