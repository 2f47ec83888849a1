// Action objects on the headless driver: each action type, its waiting
// entry and the relay of its own elements.

#include "engine/actions.h"

#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/actions_web.h"
#include "engine/attente_boucle.h"
#include "engine/declenchement.h"
#include "platform/cp1252.h"
#include "support/pilote_jeu.h"

extern char** environ;

namespace korv::engine {
namespace {

using testsupport::PiloteJeu;
using Lignes = std::vector<std::string>;

// Page 1 "DEBUT": the action object 2 (shown by the page), relaying on
// `bit` to button 3; page 2 "AUTRE".
std::string SceneAction(int type, const std::string& texte, int bit, const std::string& extra = "") {
    return R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=action name="A" A1=)" +
           std::to_string(type) + " text=\"" + texte + "\" " + extra + R"(
  element page=1 object=3 param=0 events=)" +
           std::to_string(bit) + R"(
object kind=bouton name="CIBLE" rect=600,600,1200,600 B3=1
page
object kind=fond name="AUTRE" rect=0,0,9600,7200
)";
}

bool Relaie(PiloteJeu& p) {
    for (const auto& l : p.Trace().Lignes("fire")) {
        if (l.rfind("fire 1.3 ", 0) == 0) return true;
    }
    return false;
}

TEST(Actions, EachTypeActsThenWaitsAndRelays) {
    struct Cas {
        int type;
        const char* texte;
        int bit;           // the event its element runs on
        bool relaie;       // its element fired at its first examination
        bool resteInscrit; // still waiting afterwards
        Lignes trace;      // what the action itself left in the trace
        const char* motCle;
    };
    const Cas cas[] = {
        {0, "", 32, true, false, {}, "script"},
        {12, "", 64, true, false, {}, "script"},
        {10, "NULLE", 64, true, false, {}, "jump"},       // no such page: waits and relays
        {10, "autre", 64, false, false, {"jump 2"}, "jump"},
        {9, "", 32, true, false, {}, "script"},
        {13, "", 2, false, true, {"sound-stop"}, "sound-stop"},  // no poll bit: only a click fires it
        {15, "", 2, false, true, {}, "script"},
        {20, "", 2, false, true, {}, "script"},
        {11, "X = 1", 16, false, false, {"script X = 1"}, "script"},  // runs the script, never waits
        {4, "", 32, false, false, {}, "jump"},  // back with no page before: nothing, never waits
    };
    for (const auto& c : cas) {
        PiloteJeu p;
        p.ChargerScene(SceneAction(c.type, c.texte, c.bit));
        p.DeclenchementReel();
        p.ExecuterJusquARepos();
        EXPECT_EQ(Relaie(p), c.relaie) << c.type << " " << c.texte;
        EXPECT_EQ(EvenementNObjetVersNEve(p.Moteur(), 1, 2) != 0, c.resteInscrit) << c.type << " " << c.texte;
        EXPECT_EQ(p.Trace().Lignes(c.motCle), c.trace) << c.type << " " << c.texte;
    }
}

TEST(Actions, BackAndForgetThePreviousPage) {
    // Page 1 jumps to page 2 at 1000; page 2's action runs at once.
    const auto scene = [](const char* action) {
        return std::string(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=chrono name="C" text="1000"
  element page=2 object=1 param=0 events=8
page
object kind=fond name="AUTRE" rect=0,0,9600,7200
)") + action + "\n";
    };
    PiloteJeu p;
    p.ChargerScene(scene(R"(object kind=action name="RETOUR" A1=4)"));
    p.DeclenchementReel();
    p.ExecuterJusqua(1500);
    EXPECT_EQ(p.Trace().LignesDatees("jump"), (Lignes{"1000 jump 2", "1000 jump 1"}));
    EXPECT_EQ(p.Moteur().jeu.PageCourante, 1);

    PiloteJeu q;
    q.ChargerScene(scene(R"(object kind=action name="OUBLI" A1=14)"));
    q.DeclenchementReel();
    q.ExecuterJusqua(1500);
    EXPECT_EQ(q.Moteur().jeu.PageCourante, 2) << "forgetting does not move";
    ASSERT_EQ(q.Moteur().PileHistorique.size(), 1u);
    EXPECT_EQ(q.Moteur().PileHistorique[0].page, 1);
}

TEST(Actions, LanguageWithinTheScenesLanguages) {
    struct Cas {
        const char* texte;
        int langues;
        int langue;
        bool journal;
    };
    const Cas cas[] = {
        {"langue 2", 3, 2, false},  // upper-cased first
        {"LANGUE 3", 3, 3, false},
        {"LANGUE 4", 3, 1, false},  // not a language word
        {" LANGUE 2", 3, 1, false},
        {"LANGUE 3", 2, 1, true},   // beyond the scene's languages
        {"LANGUE 1", 0, 1, false},
        {"LANGUE 2", 0, 1, true},
    };
    for (const auto& c : cas) {
        std::string scene = "scene\n";
        for (int i = 0; i < c.langues; ++i) scene += "language \"L" + std::to_string(i + 1) + "\\\\\"\n";
        scene += SceneAction(2, c.texte, 32).substr(7);  // without its scene line
        PiloteJeu p;
        p.ChargerScene(scene);
        p.DeclenchementReel();
        p.ExecuterJusquARepos();
        EXPECT_EQ(p.Moteur().jeu.LangueCourante, c.langue) << c.texte << " / " << c.langues;
        EXPECT_EQ(p.JournalErreurs().find("langue") != std::string::npos, c.journal) << c.texte << " / " << c.langues;
        EXPECT_TRUE(Relaie(p)) << "relays in every case";
    }
}

TEST(Actions, EndOfPlayAsksToSaveAModifiedPlan) {
    struct Cas {
        bool modifie;
        std::vector<int> reponses;
        bool termine;
        Lignes questions;
    };
    const Cas cas[] = {
        {false, {}, true, {}},
        {true, {7}, true, {"plan-save-ask 7"}},
        {true, {6}, true, {"plan-save-ask 6"}},
        {true, {2}, false, {"plan-save-ask 2"}},  // Cancel: play goes on
    };
    for (const auto& c : cas) {
        PiloteJeu p;
        p.ChargerScene(SceneAction(5, "", 32));
        p.Plan().modifie = c.modifie;
        for (int r : c.reponses) p.RepondreEnregistrer(r);
        p.DeclenchementReel();
        EXPECT_EQ(p.ExecuterJusquaFin(), c.termine) << c.modifie;
        EXPECT_EQ(p.Trace().Lignes("plan-save-ask"), c.questions) << c.modifie;
        EXPECT_EQ(p.Moteur().fin.demandee, c.termine);
        EXPECT_FALSE(Relaie(p)) << "ending play never waits";
    }
}

TEST(Actions, PageEffectAfterTheProgramOnADocument) {
    const auto dossier = std::filesystem::temp_directory_path() / "korv-actions-doc";
    std::filesystem::create_directories(dossier);
    const auto document = dossier / "plan.bp";
    std::ofstream(document) << "x";
    const std::string nom = platform::Utf8VersCp1252(document.string());

    // Without this program's executable: only the page copy.
    {
        PiloteJeu p;
        p.ChargerScene(SceneAction(3, "", 32, "file=\"" + nom + "\""));
        p.DeclenchementReel();
        p.ExecuterJusquARepos();
        const auto effets = p.Trace().Lignes("effect");
        EXPECT_NE(std::find(effets.begin(), effets.end(), "effect 5"), effets.end());
        EXPECT_TRUE(p.Lanceur().lances.empty());
        EXPECT_TRUE(Relaie(p));
    }
    // With it: run on the document, waited for, then the page copy.
    {
        PiloteJeu p;
        p.ChargerScene(SceneAction(3, "", 32, "file=\"" + nom + "\""));
        p.Moteur().Declenchement().Configuration().programme = "/bin/true";
        p.Pompe().Programmer(300, [&p] { p.Lanceur().Terminer(1000); });
        p.DeclenchementReel();
        p.ExecuterJusqua(1000);
        ASSERT_EQ(p.Lanceur().lances.size(), 1u);
        EXPECT_EQ(p.Lanceur().lances[0], (std::vector<std::string>{"/bin/true", document.string()}));
        const auto effets = p.Trace().LignesDatees("effect");
        EXPECT_NE(std::find(effets.begin(), effets.end(), "300 effect 5"), effets.end()) << "once the program ended";
        EXPECT_TRUE(Relaie(p));
    }
    std::filesystem::remove_all(dossier);
}

TEST(Actions, OutsideProgramKeepsTheWindowResponsive) {
    PiloteJeu p;
    // The timer 4 starts the program at 100, once the page is ready.
    p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=action name="A" A1=1 text="/bin/true" B3=1
  element page=1 object=3 param=0 events=32
object kind=bouton name="CIBLE" rect=600,600,1200,600 B3=1
object kind=chrono name="C" text="100"
  element page=1 object=2 param=0 events=8
)");
    auto& m = p.Moteur();
    std::vector<int> occupe;
    p.Touche(120, 65);
    p.Pompe().Programmer(120, [&] { occupe.push_back(m.jeu.JeuDisponible); });
    p.Pompe().Programmer(200, [&p] { p.Lanceur().Terminer(1000); });
    p.DeclenchementReel();
    p.ExecuterJusqua(1000);
    ASSERT_EQ(p.Lanceur().lances.size(), 1u);
    EXPECT_EQ(p.Lanceur().lances[0], (std::vector<std::string>{"/bin/true"}));
    EXPECT_EQ(p.Trace().LignesDatees("key"), (Lignes{"120 key 65 0"})) << "input runs while the program runs";
    EXPECT_EQ(occupe, (std::vector<int>{0})) << "the mouse waits meanwhile";
    EXPECT_EQ(m.jeu.JeuDisponible, -1);
    EXPECT_EQ(p.Trace().LignesDatees("trigger"), (Lignes{"100 trigger 1.4 events 8", "200 trigger 1.2 events 32"}))
        << "then it relays";
}

TEST(Actions, OutsideProgramThatEscapeStopsWaitingFor) {
    PiloteJeu p;
    p.ChargerScene(SceneAction(1, "/bin/true", 32));
    p.Touche(100, 27);  // Esc mode 0: ends at once
    p.DeclenchementReel();
    EXPECT_TRUE(p.ExecuterJusquaFin(10'000)) << "the program still running does not hold play";
}

TEST(Actions, ProgramThatCannotStartIsNotWaitedFor) {
    PiloteJeu p;
    p.ChargerScene(SceneAction(1, "/bin/true", 32));
    p.Lanceur().accepte = false;
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    EXPECT_NE(p.JournalErreurs().find("/bin/true"), std::string::npos);
    EXPECT_TRUE(Relaie(p));
}

// Starts real programs; reaps each child when asked about it, so the test
// does not depend on how long the program runs.
class LanceurPosix final : public platform::LanceurProcessus {
public:
    std::int32_t Lance(const std::vector<std::string>& arguments) override {
        std::vector<char*> argv;
        for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        pid_t pid = 0;
        if (arguments.empty() || posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return 0;
        return pid;
    }
    bool EstActif(std::int32_t pid) const override {
        int statut = 0;
        if (waitpid(pid, &statut, 0) == pid && WIFEXITED(statut)) codes.push_back(WEXITSTATUS(statut));
        return false;
    }
    std::string ProgrammeAssocie(std::string_view) const override { return {}; }
    mutable std::vector<int> codes;
};

TEST(Actions, RealOutsideProgram) {
    PiloteJeu p;
    p.ChargerScene(SceneAction(1, "/bin/true", 32));
    LanceurPosix lanceur;
    p.Moteur().Declenchement().Configuration().lanceur = &lanceur;
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    EXPECT_EQ(lanceur.codes, (std::vector<int>{0}));
    EXPECT_TRUE(Relaie(p));
}

TEST(Actions, WebLinks) {
    struct Cas {
        const char* texte;
        bool navigateur;
        const char* adresse;
        bool lanceurEchoue = false;  // started, then ends with a failure
    };
    const Cas cas[] = {
        {"JEI", true, "https://www.enseignementsup-recherche.gouv.fr/cid5738/le-statut-de-la-jeune-entreprise-innovante-jei.html"},
        {"jei", true, "https://www.corvanne.example/"},
        {"SELVOMONNAIES", true, "https://www.corvanne.example/monnaies/page.php3"},
        {"CREER", false, "https://bpifrance-creation.fr/"},
        {"SELVO", false, "https://region.corvanne.example/", true},
    };
    for (const auto& c : cas) {
        PiloteJeu p;
        p.ChargerScene(SceneAction(19, c.texte, 2));
        p.Navigateur().accepte = c.navigateur || c.lanceurEchoue;
        p.RepondreMessage(1);
        p.DeclenchementReel();
        p.ExecuterJusquARepos();
        p.Navigateur().Terminer(!c.lanceurEchoue);
        EXPECT_EQ(p.Navigateur().ouvertes, Lignes{c.adresse}) << c.texte;
        const Lignes message = {platform::Utf8VersCp1252("message Le programme n'a pas pu lancer le navigateur "
                                                         "internet.\r\nConnectez vous manuellement à:\r\n") +
                                c.adresse};
        EXPECT_EQ(p.Trace().Lignes("message"), c.navigateur ? Lignes{} : message) << c.texte;
        EXPECT_NE(EvenementNObjetVersNEve(p.Moteur(), 1, 2), 0) << "waits for its click";
    }
}

class Panneau final : public ServicesDeclencheursNeutres {
public:
    bool PlanVisible() override { return visible; }
    bool visible = false;
};

TEST(Actions, PlanPanelToggles) {
    PiloteJeu p;
    p.ChargerScene(SceneAction(17, "", 32));
    Panneau panneau;
    p.Moteur().Declenchement().Configuration().voisins = &panneau;
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    EXPECT_TRUE(p.Fenetre().coches[Menu::AfficherPlan]) << "hidden: shown";
    panneau.visible = true;
    DeclencheAction(p.Moteur(), 1, 2);
    EXPECT_FALSE(p.Fenetre().coches[Menu::AfficherPlan]) << "shown: hidden";
    EXPECT_EQ(EvenementNObjetVersNEve(p.Moteur(), 1, 2), 0);
}

TEST(Actions, StopTimersAndVideos) {
    {
        PiloteJeu p;
        p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=chrono name="C" text="1000"
  element page=1 object=1 param=0 events=8
object kind=action name="STOP" A1=7
  element page=1 object=1 param=0 events=32
)");
        p.DeclenchementReel();
        p.ExecuterJusqua(5000);
        EXPECT_EQ(p.Trace().Lignes("trigger"), (Lignes{"trigger 1.3 events 32"}))
            << "the timer was stopped before it was due";
        EXPECT_EQ(p.Moteur().attente.Nombre(), 0);
    }
    {
        // The second video action takes the place of the first one.
        PiloteJeu p;
        p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=action name="V1" A1=8
  element page=1 object=4 param=0 events=4
object kind=action name="V2" A1=8
  element page=1 object=4 param=0 events=4
object kind=bouton name="CIBLE" rect=600,600,1200,600 B3=1
)");
        p.DeclenchementReel();
        p.ExecuterJusquARepos();
        EXPECT_EQ(p.Trace().Lignes("trigger"), (Lignes{"trigger 1.3 events 4"}));
        EXPECT_EQ(p.Moteur().attente.Nombre(), 0);
    }
}

class AvantPlan final : public ServicesDeclencheursNeutres {
public:
    bool PermanentVersTampon() override {
        ++restaurations;
        return reussit;
    }
    int restaurations = 0;
    bool reussit = true;
};

// Objects 2, 3, 4 belong to the foreground page; the action 6 closes it,
// shown by the page (drawn last) or, with `parBase`, by a click on 5.
std::string SceneAvantPlan(bool parBase) {
    return std::string(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="AP1" rect=0,0,600,600 F1=1
  element page=1 object=7 param=0 events=2
object kind=bouton name="AP2" rect=900,0,600,600 F1=1
  element page=1 object=7 param=0 events=2
  element page=1 object=7 param=0 events=32768
object kind=texte name="AP3" rect=1800,0,600,600 F1=1
  element page=1 object=7 param=0 events=2
object kind=bouton name="BASE" rect=2700,0,600,600
  element page=1 object=)") +
           (parBase ? "6" : "7") + R"( param=0 events=2
object kind=action name="FERME" A1=6 E2=3 B3=)" + (parBase ? "1" : "0") + R"(
object kind=bouton name="CIBLE" rect=0,3000,600,600 B3=1
)";
}

TEST(Actions, ClosingTheForegroundPageHidesItsObjects) {
    PiloteJeu p;
    p.ChargerScene(SceneAvantPlan(false));
    AvantPlan voisins;
    p.Moteur().Declenchement().Configuration().voisins = &voisins;
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    auto& m = p.Moteur();
    EXPECT_EQ(voisins.restaurations, 1);
    EXPECT_EQ(p.Trace().Lignes("effect"), (Lignes{"effect 3", "effect 0", "effect 0 0 200 40 40"}))
        << "the action's copy, the page's, then the hide event's target";
    EXPECT_EQ(p.Trace().Lignes("trigger"), (Lignes{"trigger 1.3 events 32768"}));
    std::vector<int> attente;
    for (const auto& e : m.attente.entrees) attente.push_back(e.Objet);
    EXPECT_EQ(attente, (std::vector<int>{5})) << "only the base page's button can still be clicked";
    std::vector<int> affiches;
    for (const auto& a : m.affiches.entrees) affiches.push_back(a.objet);
    EXPECT_EQ(affiches, (std::vector<int>{1, 5, 7}));

    PiloteJeu q;
    q.ChargerScene(SceneAvantPlan(true));
    AvantPlan echec;
    echec.reussit = false;
    auto& mq = q.Moteur();
    mq.Declenchement().Configuration().voisins = &echec;
    mq.ModeErreur = 4;  // report and go on
    q.DeclenchementReel();
    q.ExecuterJusquARepos();
    mq.attente.Entree(EvenementNObjetVersNEve(mq, 1, 5)).EvenementsSurvenus = evenement::Clic;
    q.ExecuterJusquARepos();
    EXPECT_NE(q.JournalErreurs().find("A86"), std::string::npos);
    EXPECT_EQ(mq.attente.Nombre(), 4) << "nothing hidden";
}

}  // namespace
}  // namespace korv::engine
