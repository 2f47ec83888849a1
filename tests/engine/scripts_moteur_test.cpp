// Page scripts played by the engine on the headless driver: the start
// program, an action object's script fired by a button, page jumps, going
// back, firing and queuing objects, messages, and run-time errors.

#include "engine/scripts_moteur.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/attente_boucle.h"
#include "engine/erreur.h"
#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "formula/variables.h"
#include "support/pilote_jeu.h"

namespace korv::engine {
namespace {

using testsupport::PiloteJeu;

// Result of a script that changed or left the page.
constexpr std::int16_t kPageQuittee = -1;

// The start program and the button of the sample scene, on a smaller scene.
constexpr std::string_view kSceneExemple = R"(scene esc=0
start text=<<FIN
DECLARE VISITES
QUE VISITES = 0
DECLARE PRENOM
QUE PRENOM = 'Visiteur'
FIN
page
object kind=fond name="DEBUT" rect=0,0,9600,7200 G1=1
object kind=bouton name="VERS_IMPRESSION" rect=600,6000,2400,600 G1=2 text="Imprimer"
  element page=2 object=1 param=0 events=2
object kind=image name="RELAIS" rect=0,0,300,300 G1=3 B3=-1
  element page=1 object=1 param=0 events=1
object kind=texte name="BIENVENUE" rect=600,4000,8400,600 G1=5 B3=-1 text="Bienvenue dans votre plan d'affaires."
object kind=bouton name="BONJOUR" rect=6000,6000,2400,600 G1=7 text="Bonjour"
  element page=1 object=6 param=0 events=2
object kind=action name="SCRIPT_BONJOUR" rect=0,0,0,0 G1=8 B3=-1 A1=11 text=<<FIN
' Compte les visites, accueille la premiere, puis propose la suite
DECLARE DERNIERE
QUE DERNIERE = VISITES
QUE VISITES = VISITES + 1
SI VISITES = 1
MESSAGE 'Bienvenue, ' & PRENOM & ' !'
DECLENCHE MONTRER
SINON
SI 6 = QUESTION('Aller a la page Impression ?'; 4; 'Navigation')
VAPAGE IMPRESSION
SINON
RETOUR
FINSI
FINSI
FIN
  element page=1 object=4 param=0 text="MONTRER" events=0
page
object kind=fond name="IMPRESSION" rect=0,0,9600,7200 G1=1
object kind=bouton name="RETOUR" rect=600,6000,2400,600 G1=2 text="Retour"
  element page=1 object=1 param=0 events=2
)";

// A driver whose scripts reach the engine's own language (still traced).
struct Banc {
    PiloteJeu p;
    explicit Banc(std::string_view scene = kSceneExemple) {
        p.ChargerScene(scene);
        p.Scripts().suivant = &p.Moteur().ScriptsDuMoteur();
    }
    ScriptsMoteur& Scripts() { return p.Moteur().ScriptsDuMoteur(); }
    std::string Var(std::string_view nom) { return Scripts().Variables().VarValeur(nom).EnTexte(); }
    std::vector<std::string> Messages() {
        std::vector<std::string> r;
        for (const auto& m : p.Messages().messages) r.push_back(m.titre + "|" + m.texte);
        return r;
    }
    // A click on a button of the current page, fired by the play loop.
    void Clic(int objet) {
        auto& m = p.Moteur();
        const int n = EvenementNObjetVersNEve(m, m.jeu.PageCourante, objet);
        ASSERT_GE(n, 1) << "object " << objet << " is not waiting";
        m.attente.Entree(n).EvenementsSurvenus |= evenement::Clic;
        AttenteReveiller(m);
        p.ExecuterJusquARepos();
    }
};

TEST(ScriptsMoteur, TheEngineUsesItsOwnScriptsByDefault) {
    Moteur m;
    EXPECT_EQ(&m.Script(), static_cast<Scripts*>(&m.ScriptsDuMoteur()));
    m.jeu.ModeProgramme = kModeJeu;
    m.Script().ProgScriptExecute("DECLARE A\r\nQUE A = 2 * 21", 0, 0, "");
    EXPECT_EQ(m.ScriptsDuMoteur().Variables().VarValeur("A").EnTexte(), "42");
    m.Script().VarSupprimerToutes();
    EXPECT_EQ(m.ScriptsDuMoteur().Variables().NombreVariables(), 0);
}

TEST(ScriptsMoteur, StartProgramDeclaresGlobals) {
    Banc b;
    b.p.ExecuterJusquARepos();
    EXPECT_EQ(b.Var("VISITES"), "0");
    EXPECT_EQ(b.Var("PRENOM"), "'Visiteur'");
    auto& v = b.Scripts().Variables();
    EXPECT_EQ(v.Entree(v.VarRang("VISITES")).globale, 1);
    // Page preparation deletes local variables only.
    EXPECT_EQ(v.NombreVariables(), 2);
}

TEST(ScriptsMoteur, StartProgramJumps) {
    Banc b(R"(scene esc=0
start text="VAPAGE SUITE"
page
object kind=fond name="DEBUT" rect=0,0,9600,7200 G1=1
page
object kind=fond name="SUITE" rect=0,0,9600,7200 G1=1
)");
    b.p.ExecuterJusquARepos();
    EXPECT_EQ(b.p.Moteur().jeu.PageCourante, 2);
    EXPECT_EQ(b.p.Trace().Lignes("jump"), std::vector<std::string>{"jump 2"});
}

TEST(ScriptsMoteur, ButtonScriptOfTheSample) {
    Banc b;
    b.p.DeclenchementReel();
    b.p.ExecuterJusquARepos();
    auto& jeu = b.p.Moteur().jeu;
    ASSERT_EQ(jeu.PageCourante, 1);

    // First visit: the welcome message, then the script fires its own
    // element "MONTRER", which shows the welcome text.
    b.p.Trace().Vider();
    b.Clic(5);
    EXPECT_EQ(b.Var("VISITES"), "1");
    EXPECT_EQ(b.Messages(), std::vector<std::string>{"Message|Bienvenue, Visiteur !"});
    const auto tirs = b.p.Trace().Lignes("fire");
    EXPECT_NE(std::find(tirs.begin(), tirs.end(), "fire 1.4 element 1 action 0 mode 1"), tirs.end());
    EXPECT_EQ(jeu.PageCourante, 1);

    // Second visit: the question, answered Yes, jumps to the print page.
    b.p.RepondreMessage(6);
    b.Clic(5);
    EXPECT_EQ(b.Var("VISITES"), "2");
    ASSERT_EQ(b.p.Messages().messages.size(), 2u);
    EXPECT_EQ(b.Messages()[1], "Navigation|Aller a la page Impression ?");
    EXPECT_EQ(jeu.PageCourante, 2);
    EXPECT_EQ(b.p.Trace().Lignes("jump"), std::vector<std::string>{"jump 2"});

    // Third visit, answered No: back to the page before.
    SauteALaPage(b.p.Moteur(), 1);
    b.p.RepondreMessage(7);
    b.Clic(5);
    EXPECT_EQ(b.Var("VISITES"), "3");
    EXPECT_EQ(jeu.PageCourante, 2);
    // The globals outlive the pages; the script's local does not.
    EXPECT_EQ(b.Scripts().Variables().VarRang("DERNIERE"), 0);
}

TEST(ScriptsMoteur, PageScriptStatementsOnTheEngine) {
    Banc b;
    b.p.ExecuterJusquARepos();
    auto& s = b.Scripts();
    b.p.Trace().Vider();

    // Firing a named object's elements; the script has no owner.
    EXPECT_EQ(s.Execute("DECLENCHE DEBUT.SCRIPT_BONJOUR.MONTRER", 1, -1, ""), 0);
    EXPECT_EQ(b.p.Trace().Lignes("fire"), std::vector<std::string>{"fire 1.4 element 1 action 0 mode 1"});

    // Queuing an object: it waits in the list and the loop fires it.
    ASSERT_EQ(EvenementNObjetVersNEve(b.p.Moteur(), 1, 3), 0);
    EXPECT_EQ(s.Execute("DECLENCHE DEBUT.RELAIS", 0, 0, ""), 0);
    EXPECT_GE(EvenementNObjetVersNEve(b.p.Moteur(), 1, 3), 1);
    AttenteReveiller(b.p.Moteur());
    b.p.ExecuterJusquARepos();
    EXPECT_EQ(b.p.Trace().Lignes("trigger"), std::vector<std::string>{"trigger 1.3 events 1"});

    // Messages go to the program's message box; the jump prepares the page.
    EXPECT_EQ(s.Execute("MESSAGE 'Bonjour'\r\nVAPAGE IMPRESSION\r\nMESSAGE 'jamais'", 1, 1, ""), kPageQuittee);
    EXPECT_EQ(b.Messages(), std::vector<std::string>{"Message|Bonjour"});
    EXPECT_EQ(b.p.Moteur().jeu.PageCourante, 2);
    EXPECT_EQ(s.Execute("RETOUR", 2, 1, ""), kPageQuittee);
    EXPECT_EQ(b.p.Moteur().jeu.PageCourante, 1);

    // The formula functions read the scene and the play state.
    EXPECT_EQ(s.ProgExprEvalue("DEBUT.BIENVENUE.Texte"), "'Bienvenue dans votre plan d''affaires.'");
    EXPECT_EQ(s.ProgExprEvalue("DEBUT.BONJOUR.DecaleX + 1"), "1");
}

TEST(ScriptsMoteur, EndOfPlayStopsScripts) {
    Banc b;
    b.p.ExecuterJusquARepos();
    b.p.Moteur().jeu.JeuFinDemande = -1;
    b.Scripts().Execute("QUE VISITES = 9", 0, 0, "");
    EXPECT_EQ(b.Var("VISITES"), "0");
}

TEST(ScriptsMoteur, RunTimeErrorsFollowTheErrorMode) {
    // The fake box cannot answer Yes to an OK box: showing the message fails.
    const std::string script = "MESSAGE 'Un'\r\nQUE VISITES = 5";
    {
        // Mode 0 would end the program: the error is logged, the script ends, play goes on.
        Banc b;
        b.p.ExecuterJusquARepos();
        b.p.RepondreMessage(6);
        EXPECT_EQ(b.Scripts().Execute(script, 1, 1, ""), 0);
        EXPECT_EQ(b.Var("VISITES"), "0");
        EXPECT_FALSE(b.p.Moteur().fin.demandee);
        EXPECT_NE(b.p.JournalErreurs().find("Erreur module:Script.Execute\r\n"), std::string::npos);
        EXPECT_NE(b.p.JournalErreurs().find("Code:51"), std::string::npos);
    }
    {
        // Mode 4 ignores it: logged, the script ends.
        Banc b;
        b.p.ExecuterJusquARepos();
        b.p.Moteur().ModeErreur = 4;
        b.p.RepondreMessage(6);
        EXPECT_EQ(b.Scripts().Execute(script, 1, 1, ""), 0);
        EXPECT_EQ(b.Var("VISITES"), "0");
        EXPECT_FALSE(b.p.Moteur().fin.demandee);
        EXPECT_NE(b.p.JournalErreurs().find("Script.Execute"), std::string::npos);
    }
    {
        // Mode 2 passes it on to the caller.
        Banc b;
        b.p.ExecuterJusquARepos();
        b.p.Moteur().ModeErreur = 2;
        b.p.RepondreMessage(6);
        EXPECT_THROW(b.Scripts().Execute(script, 1, 1, ""), ErreurMoteur);
    }
}

TEST(ScriptsMoteur, ScriptsThatJumpBackAndForthStop) {
    // Each page's action script jumps to the other page: the nesting guard
    // ends the cascade with one logged error instead of overflowing.
    Banc b(R"(scene esc=0
page
object kind=fond name="UN" rect=0,0,9600,7200 G1=1
object kind=action name="VA" rect=0,0,0,0 G1=2 A1=11 text="VAPAGE DEUX"
page
object kind=fond name="DEUX" rect=0,0,9600,7200 G1=1
object kind=action name="VA" rect=0,0,0,0 G1=2 A1=11 text="VAPAGE UN"
)");
    b.p.DeclenchementReel();
    b.p.ExecuterJusquARepos();
    EXPECT_FALSE(b.p.Moteur().fin.demandee);
    const std::string journal = b.p.JournalErreurs();
    EXPECT_NE(journal.find("Code:28"), std::string::npos);
    EXPECT_EQ(journal.find("Code:28"), journal.rfind("Code:28"));
}

}  // namespace
}  // namespace korv::engine
