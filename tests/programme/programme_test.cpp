#include <gtest/gtest.h>

#include <string>

#include "display/affichage.h"
#include "engine/attente_boucle.h"
#include "engine/declenchement.h"
#include "engine/moteur.h"
#include "engine/services_neutres.h"
#include "engine/scripts_moteur.h"
#include "formula/variables.h"
#include "grid/magasin_grilles.h"
#include "programme/pilote_programme.h"
#include "support/services_enregistreurs.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

// The composed program uses a real module for every service.
TEST(Programme, EveryServiceIsARealModule) {
    PiloteProgramme p;
    auto& s = p.Moteur().Services();
    EXPECT_EQ(dynamic_cast<engine::AffichageNeutre*>(s.affichage), nullptr);
    EXPECT_EQ(dynamic_cast<engine::PlanAffaireNeutre*>(s.plan), nullptr);
    EXPECT_EQ(dynamic_cast<engine::GrillesNeutre*>(s.grilles), nullptr);
    EXPECT_EQ(dynamic_cast<engine::EditionTexteNeutre*>(s.edition), nullptr);
    // The driver records scripts and firings and passes them on to the
    // program's own script language and trigger dispatch.
    auto* scripts = dynamic_cast<testsupport::ScriptsEnregistreurs*>(s.scripts);
    ASSERT_NE(scripts, nullptr);
    EXPECT_EQ(scripts->suivant, static_cast<engine::Scripts*>(&p.Moteur().ScriptsDuMoteur()));
    auto* declencheur = dynamic_cast<testsupport::DeclencheurEnregistreur*>(s.declencheur);
    ASSERT_NE(declencheur, nullptr);
    EXPECT_EQ(declencheur->suivant, static_cast<engine::Declencheur*>(&p.Moteur().Declenchement()));
    EXPECT_EQ(&p.Moteur().Ecran(), static_cast<engine::Affichage*>(&p.Programme().Affichage()));
    EXPECT_NE(s.messages, nullptr);
    EXPECT_NE(s.dialogues, nullptr);
    EXPECT_NE(s.horloge, nullptr);
    EXPECT_NE(s.pompe, nullptr);
    EXPECT_NE(s.fenetre, nullptr);
    EXPECT_NE(p.Moteur().Declenchement().Configuration().voisins, nullptr);
}

// AJOUTENUMEROPAGE writes into the writing box, here over a header text:
// the selection collapses to its start, 1 and 2 insert their field there
// (the caret after it) and any other value inserts nothing; the argument is
// the formula's value.
TEST(Programme, APageNumberFieldGoesIntoTheWritingBoxAtItsStart) {
    struct Cas {
        const char* argument;
        int debut, longueur;  // the selection before
        const char* texte;    // the box's text after
        int caret;
    };
    const Cas cas[] = {
        {"1", 5, 0, "Page <#NUMERO DE PAGE>sur 3", 22},
        {"2", 5, 3, "Page <#NOMBRE DE PAGES>sur 3", 23},
        {"3", 5, 3, "Page sur 3", 5},
        {"0", 0, 4, "Page sur 3", 0},
        {"1", 10, 0, "Page sur 3<#NUMERO DE PAGE>", 27},
    };
    for (const Cas& c : cas) {
        PiloteProgramme p;
        p.ChargerScene(std::string(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=rtf name="ENTETE" rect=600,3000,8400,900 G3=2 text=<<FIN
{\rtf1\ansi\deff0{\fonttbl{\f0 Arial;}}\pard\plain\f0\fs24 Page sur 3\par}
FIN
object kind=action name="PANNEAU" A1=16 text="DEBUT,ENTETE"
  element page=1 object=2 param=0 events=0
object kind=action name="CHAMP" A1=11 B3=1 text="QUE PASSEVALEUR = AJOUTENUMEROPAGE()S") +
                       c.argument + R"S()"
object kind=bouton name="B" rect=600,600,1200,600 C1=1 D1=12632256
  element page=1 object=4 param=0 events=2
)S");
        p.ExecuterJusquARepos();
        auto& boite = p.Redaction().boite;
        ASSERT_TRUE(p.Redaction().visible) << c.argument;
        ASSERT_EQ(boite.Texte(), "Page sur 3") << c.argument;
        boite.SelectionFixer(c.debut, c.longueur);
        p.Clic(p.Horloge().Maintenant() + 10, 900, 900);
        p.ExecuterJusqua(p.Horloge().Maintenant() + 200);
        EXPECT_EQ(boite.Texte(), c.texte) << c.argument;
        EXPECT_EQ(boite.SelectionDebut(), c.caret) << c.argument;
        EXPECT_EQ(boite.SelectionLongueur(), 0) << c.argument;
        EXPECT_EQ(p.Moteur().ScriptsDuMoteur().Variables().PasseValeur, c.argument) << c.argument;
        EXPECT_EQ(p.JournalErreurs(), "") << c.argument;
    }
}

// The guided method and the table of contents are built, and none of their
// uses fails silently: the method text's scroll
// (rich-text trigger 3) reaches the method-text box, the method's menu page,
// the step's grid pages, the glossary and a change of method are built, and
// TEXTERECHERCHEPAGE searches the contents box (empty here) and answers its
// 0 in place of its argument.
TEST(Programme, MethodAndContentsAreBuiltNotStandIns) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=action name="MET" A1=11 B3=1 text="VAPAGE $MET"
object kind=action name="OUTIL" A1=11 B3=1 text="VAPAGE $OUTILMET"
object kind=action name="GLOSSAIRE" A1=11 B3=1 text="VAPAGE $GLOSSAIRE"
object kind=action name="CHANGE" A1=11 B3=1 text="CHANGEMETHODE AUTRE"
object kind=action name="SOMMAIRE" A1=11 B3=1 text="QUE PASSEVALEUR = TEXTERECHERCHEPAGE('Chapitre')"
object kind=rtf name="R" rect=0,3000,600,600 B3=1
object kind=bouton name="B" rect=600,600,1200,600 C1=1 D1=12632256
  element page=1 object=2 param=0 events=2
  element page=1 object=3 param=0 events=2
  element page=1 object=4 param=0 events=2
  element page=1 object=5 param=0 events=2
  element page=1 object=6 param=0 events=2
  element page=1 object=7 param=3 value="50%" events=2
)S");
    p.DeclenchementReel();
    p.Clic(100, 900, 900);
    p.ExecuterJusqua(300);
    const std::string journal = p.JournalErreurs();
    EXPECT_EQ(journal, "");
    EXPECT_EQ(journal.find("(TexteMethodeDefiler)"), std::string::npos) << journal;
    // The navigation itself is built: a code no step has is taken as it is,
    // and a scene without the menu or table page stays where it is; the
    // glossary's bubble is built too, and without a glossary page shows none.
    for (const char* ligne : {"(MethodeMenuPageNom)", "(EtapeTableauxPages)", "(MethodeChanger)",
                              "(GlossaireAfficheDefinition)", "(TexteRecherchePage)"}) {
        EXPECT_EQ(journal.find(ligne), std::string::npos) << ligne << "\n" << journal;
    }
    EXPECT_EQ(p.Moteur().jeu.EtapeCourante, "AUTRE");
    EXPECT_EQ(p.Moteur().jeu.PageCourante, 1);
    EXPECT_EQ(p.Moteur().ScriptsDuMoteur().Variables().PasseValeur, "0");
    EXPECT_FALSE(p.Bulle().visible);
}

// A script's PASSEVALEUR is the value the next trigger hands over.
TEST(Programme, PassValueReachesTheNextTrigger) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=action name="S" A1=11 text="QUE PASSEVALEUR = 'abc'"
object kind=bouton name="B" rect=600,600,1200,600 C1=1 D1=12632256
  element page=1 object=2 param=0 events=2
object kind=texte name="T" rect=0,3000,600,600 B3=1
  element page=1 object=1 param=0 value=".PasseValeur" events=0
)S");
    p.Clic(100, 900, 900);
    p.ExecuterJusqua(200);
    EXPECT_EQ(engine::ValeurElement(p.Moteur(), 1, 4, 1), "abc");
}

// Closing a foreground page puts back the pixels it covered.
TEST(Programme, ClosingTheForegroundPageRestoresWhatItCovered) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="BASE" rect=0,0,3000,3000 C1=2 D1=255
object kind=bouton name="AP" rect=600,600,1200,1200 C1=2 D1=65280 F1=1
object kind=bouton name="FERMER" rect=6000,0,900,600 C1=1 D1=12632256
  element page=1 object=5 param=0 events=2
object kind=action name="FERME" A1=6 B3=1
)S");
    p.ExecuterJusquARepos();
    const display::Surface& tampon = p.Programme().Affichage().PageTampon;
    const display::Couleur base = tampon.Pixel(20, 20);

    ASSERT_NE(tampon.Pixel(80, 80), base) << "the foreground button covers the base";
    p.Clic(p.Horloge().Maintenant() + 10, 6300, 300);
    p.ExecuterJusqua(p.Horloge().Maintenant() + 100);
    EXPECT_EQ(tampon.Pixel(80, 80), base);
    EXPECT_EQ(p.JournalErreurs(), "");
}

TEST(Programme, PlanPanelActionTogglesThePanel) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=action name="PLAN" A1=17 B3=1
object kind=bouton name="B" rect=600,600,1200,600 C1=2 D1=255
  element page=1 object=2 param=0 events=2
)S");
    p.Clic(100, 900, 900);
    p.ExecuterJusqua(150);
    EXPECT_TRUE(p.Fenetre().panneauPlan);
    EXPECT_TRUE(p.Fenetre().coches[engine::Menu::AfficherPlan]);
    p.Clic(200, 900, 900);
    p.ExecuterJusqua(250);
    EXPECT_FALSE(p.Fenetre().panneauPlan) << "shown: hidden";
    EXPECT_FALSE(p.Fenetre().coches[engine::Menu::AfficherPlan]);
}

// The panel takes room beside the page: the page is laid out again and
// drawn again, not left cleared.
TEST(Programme, PlanPanelRefreshDrawsThePageAgain) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=action name="PLAN" A1=17 B3=1
object kind=bouton name="B" rect=600,600,1200,600 C1=2 D1=255
  element page=1 object=2 param=0 events=2
)S");
    const display::AffichagePage& a = p.Programme().Affichage();
    const display::Couleur rouge = display::Rgb(255, 0, 0);
    p.ExecuterJusquARepos();
    ASSERT_EQ(a.PageTampon.Pixel(60, 60), rouge);
    for (const int t : {100, 200}) {
        p.Clic(t, 900, 900);
        p.ExecuterJusqua(t + 50);
        EXPECT_EQ(a.PageTampon.Pixel(60, 60), rouge) << t;
        EXPECT_EQ(a.PageEcran.Pixel(60, 60), rouge) << t;
    }
}

// A text reacts as a whole and through its link with the same events:
// after a page turn and back, the link's zone is still an entry of its own
// and a click on it runs the link's element (it shows the red button).
TEST(Programme, TextLinkReachableAfterAPageTurn) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=texte name="T" rect=600,600,3000,600 clip=1 text="voir ici"
  element page=1 object=4 param=0 events=2
  element page=1 object=5 param=0 text="ici" events=2
object kind=bouton name="ALLER" rect=0,3000,300,300 C1=2 D1=0
  element page=2 object=1 param=0 events=2
object kind=bouton name="CIBLE" rect=3000,4500,600,600 C1=2 D1=65280 B3=1
object kind=bouton name="LIEE" rect=4500,4500,600,600 C1=2 D1=255 B3=1
page
object kind=fond name="SUITE" rect=0,0,9600,7200
object kind=bouton name="RETOUR" rect=0,3000,300,300 C1=2 D1=0
  element page=1 object=1 param=0 events=2
)S");
    p.Clic(100, 100, 3100);
    p.ExecuterJusqua(300);
    p.Clic(400, 100, 3100);
    p.ExecuterJusqua(600);
    ASSERT_EQ(p.Moteur().jeu.PageCourante, 1);

    // The zone the text's drawing registers for its link.
    engine::ZoneTexteLien lien;
    lien.Texte = "ici";
    lien.Numero = 1;
    lien.Gauche1 = 1500, lien.Droite1 = 1800, lien.Haut1 = 600, lien.Bas1 = 900;
    ASSERT_TRUE(engine::EvenementObjetEnAttenteDEvenementAjoute(p.Moteur(), 1, 2, lien));
    p.Clic(700, 1600, 700);
    p.ExecuterJusqua(900);
    const display::AffichagePage& a = p.Programme().Affichage();
    EXPECT_EQ(a.PageEcran.Pixel(320, 320), display::Rgb(255, 0, 0)) << "the link's button";
    EXPECT_EQ(a.PageEcran.Pixel(220, 320), display::Rgb(0, 255, 0)) << "the whole text's button";
}

TEST(Programme, OrderStatusInWords) {
    PiloteProgramme p;
    const struct {
        const char* formule;
        const char* attendu;
    } cas[] = {{"STATVERSCHAINE(1)", "sign\xE9"},           {"STATVERSCHAINE(2)", "\xE0 signer"},
               {"STATVERSCHAINE(3)", "\xE0 confirmer"},     {"STATVERSCHAINE(4)", "prospect\xE9"},
               {"STATVERSCHAINE(0)", "ind\xE9" "fini"},     {"STATVERSCHAINE(2,5)", "ind\xE9" "fini"}};
    for (const auto& c : cas) EXPECT_EQ(p.Moteur().ScriptsDuMoteur().ProgExprEvalue(c.formule), c.attendu) << c.formule;
}

// Play shows the menu bar through the display, which records the choice.
TEST(Programme, PlayShowsTheMenuBarAndRecordsIt) {
    PiloteProgramme p;
    p.ChargerScene("scene\npage\nobject kind=fond name=\"DEBUT\" rect=0,0,9600,7200\n");
    p.ExecuterJusquARepos();
    EXPECT_TRUE(p.Fenetre().barreMenu);
    EXPECT_EQ(p.Reglages().LireTexte("KORVELIS", "EDITEUR", "AFFICHER BARRE MENU"), "1");
}

// A page larger than the window gets bars whose steps follow the range,
// the bars move the page, and clicks still land on their objects.
TEST(Programme, ScrollingAPageLargerThanTheWindow) {
    PiloteProgramme p;
    p.FenetreAffichage().mesures = {0, 0, 4800, 3600};
    p.ChargerScene(R"S(
scene width=640 height=480 layout=1
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=action name="PLAN" A1=17 B3=1
object kind=bouton name="LOIN" rect=7800,6000,1200,600 C1=2 D1=255
  element page=1 object=2 param=0 events=2
)S");
    p.ExecuterJusquARepos();
    const display::DispositionFenetre& d = p.FenetreAffichage().disposition;
    ASSERT_TRUE(d.hor.visible);
    ASSERT_TRUE(d.ver.visible);
    EXPECT_GT(d.hor.maximum, 0);
    EXPECT_EQ(d.hor.petitPas, d.hor.maximum / 100 + 1);
    EXPECT_EQ(d.hor.grandPas, d.hor.maximum / 10 + 1);
    EXPECT_EQ(d.ver.petitPas, d.ver.maximum / 100 + 1);
    EXPECT_EQ(d.ver.grandPas, d.ver.maximum / 10 + 1);

    p.Programme().Recepteur().Defilement(300, 200);
    EXPECT_EQ(p.Programme().Affichage().DecalageAffichageX, 300);
    EXPECT_EQ(p.Programme().Affichage().DecalageAffichageY, 200);
    p.Clic(100, 8000, 6200);
    p.ExecuterJusqua(150);
    EXPECT_TRUE(p.Fenetre().panneauPlan) << "the far button was hit";
}

// The grids of a loaded scene are the ones formulas and scripts read.
TEST(Programme, FormulasReadTheScenesGrids) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,4800,900
  grid cols=2 rows=2
  cell col=1 row=1 text="Apport"
  cell col=2 row=1 text="15000"
  attribute col=2 row=1 editable=-1 type=1 name="APPORT"
)S");
    auto& scripts = p.Moteur().ScriptsDuMoteur();
    EXPECT_EQ(scripts.ProgExprEvalue("DEBUT.G.Case[1,1]"), "Apport");
    EXPECT_EQ(scripts.ProgExprEvalue("DEBUT.G.Case[apport]"), "15000");
}

}  // namespace
}  // namespace korv::programme

namespace korv::programme {
namespace {

// The grid of the first page is computed when the page is shown; an edit
// of an entry recomputes its dependants once the page is recalculated, and
// a changed cell runs its script's RECALCCHANGE part.
TEST(Programme, GridsComputeOnTheirPageAndAfterAnEdit) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
start text=<<FIN
DECLARE VU
QUE VU = 0
FIN
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="T" rect=600,600,6000,2000
  grid cols=2 rows=2 coloffset=1 rowoffset=1
  column 1 width=2400
  column 2 width=2400
  row 1 height=300
  row 2 height=300
  cell col=1 row=1 text="4"
  cell col=2 row=1 text="=DEBUT.T.Case[1,1]*2"
  cell col=2 row=2 text="=DEBUT.T.Case[2,1]+1"
  attribute col=1 row=1 editable=-1 type=1
  attribute col=2 row=2 type=1
  attribute col=2 row=1 script="SUR RECALCCHANGE\r\nQUE VU = VU + 1"
)S");
    p.ExecuterJusqua(100);
    grid::TableauClasse* g = p.Programme().Grilles().Grille(1, 2);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->CaseValeurAAfficher(2, 1), "8");
    EXPECT_EQ(g->CaseValeurAAfficher(2, 2), "9,0");
    auto& variables = p.Moteur().ScriptsDuMoteur().Variables();
    EXPECT_EQ(variables.VarValeur("VU").EnTexte(), "1");
    ASSERT_TRUE(p.Programme().Grilles().FinEditionCase(1, 2, 1, 1, "10.5"));
    p.Programme().Grilles().RecalculerPage(1);
    EXPECT_EQ(g->CaseValeurAAfficher(1, 1), "10,5");
    EXPECT_EQ(g->CaseValeurAAfficher(2, 2), "22,0");
    EXPECT_EQ(variables.VarValeur("VU").EnTexte(), "2");
}

}  // namespace
}  // namespace korv::programme
