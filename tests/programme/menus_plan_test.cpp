#include <gtest/gtest.h>

#include <string>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "engine/services.h"
#include "plan/entree_page.h"
#include "plan/qt_fenetre_principale.h"
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

// A page with nothing to print or export says so, with the product's
// title, and nothing goes to the error log.
TEST(MenusPlan, PageImprimerEtExporterSansObjetLeDisent) {
    PiloteProgramme p;
    p.ChargerScene(kSceneAvecPages);
    p.ExecuterJusqua(100);
    p.Programme().Recepteur().MenuPlan(CommandePlan::ImprimerPage);
    p.Programme().Recepteur().MenuPlan(CommandePlan::ExporterPageRtf);
    const auto& m = p.Messages().messages;
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].texte, "Cette page ne contient pas d'objet imprimable en dehors d'un dossier");
    EXPECT_EQ(m[1].texte, "Cette page ne contient pas d'objet exportable en dehors d'un dossier");
    EXPECT_EQ(m[0].titre, "Corvanne Rarevive Zaru");
    EXPECT_EQ(p.JournalErreurs(), "");
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

// Every menu item of the main window: its caption, whether it separates,
// and its state before play and in play on a page with a print action and
// on one without, as the composed program drives the window.
TEST(MenusPlan, ChaqueElementDeMenuHorsJeuEtEnJeu) {
    PiloteProgramme p;
    plan::QtFenetrePrincipale fenetre{15, 15};
    // The engine drives the recording window of the driver; its records are
    // replayed on the real window.
    const auto rejouer = [&] {
        for (const auto& [menu, v] : p.Fenetre().visibles) fenetre.MenuVisible(menu, v);
        for (const auto& [menu, v] : p.Fenetre().actifs) fenetre.MenuActif(menu, v);
        for (const auto& [menu, v] : p.Fenetre().coches) fenetre.MenuCoche(menu, v);
    };
    struct Etat {
        bool visible, actif;
    };
    struct Attendu {
        const char* nom;
        std::string legende;  // "-" for a separator
        Etat horsJeu, pageImpression, pageSimple;
    };
    // A hidden item cannot be triggered: the window system reports it disabled.
    constexpr Etat O{true, true}, I{true, false}, C{false, false};
    const std::string quitter = "Quitter" + std::string(32, ' ') + "Alt+F4";
    const Attendu attendus[] = {
        {"MnuFichier", "&Fichier", O, C, C},
        {"MnuQuitter", "Quitter (Alt+F4)", O, O, O},
        {"MnuEdition", "Editon", O, C, C},
        {"MnuEditionAnnuler", "Impossible d'annuler", I, I, I},
        {"dummy1", "-", O, O, O},
        {"MnuEditionRechercheRemplace", "Rechercher/Remplacer", O, O, O},
        {"dummy10", "-", O, O, O},
        {"TableauRecalculReference", "Recompiler expressions et références", O, O, O},
        {"TableauxRecalculerTous", "Recalculer tout", O, O, O},
        {"MnuOrvCompileScripts", "Recompiler scripts", O, O, O},
        {"MnuFenetres", "Fenêtres", O, C, C},
        {"MnuAfficherBarreTitre", "Afficher barre de titre", O, O, O},
        {"MnuJeu", "Jeu", O, C, C},
        {"MnuJeuJouer", "Jouer    (F5)", O, O, O},
        {"MnuJeuArreter", "Arrêter  (ESC)", I, I, I},
        {"MnuJeuArreterSurCettePage", "Arrêter sur cette page (SHIFT+ESC)", I, I, I},
        {"MnuCtx", "Menus contextuels", C, C, C},
        {"MnuCtxClick", "", O, O, O},
        {"MnuOrvFichier", "Fichier", O, O, O},
        {"Orvmnu1", "Nouveau plan d'affaires", O, O, O},
        {"dummy2", "-", O, O, O},
        {"OrvMnu2", "Ouvrir un plan d'affaires...", O, O, O},
        {"OrvMnu4", "Enregistrer le plan d'affaires sous...", O, O, O},
        {"OrvMnu5", "Enregistrer", I, I, I},
        {"dummy3", "-", O, O, O},
        {"OrvMnuExporter", "Exporter...", O, O, O},
        {"MnuExporterPageRTF", "Exporter cette page au format RTF", O, O, I},
        {"dummy4", "-", O, O, O},
        {"OrvMnuConfigPrint", "Configuration de l'imprimante...", O, O, O},
        {"MnuOrvImprimerPage", "Imprimer cette page", I, O, I},
        {"OrvMnuImprimer", "Imprimer le plan d'affaires...", O, O, O},
        {"dummy6", "-", O, O, O},
        {"OrvMnu8", quitter, O, O, O},
        {"MnuOrvEditer", "Edition", O, O, O},
        {"MnuOrvCopier", "Copier", O, O, O},
        {"MnuOrvColler", "Coller", O, O, O},
        {"MnuOrvAffichage", "Affichage", O, O, O},
        {"MnuOrvAfficherPlan", "Fenêtre plan", O, O, O},
        {"MnuOrvAide", "?", O, O, O},
        {"Orvmnu12", "A propos de Corvanne Rarevive Zaru", O, O, O},
    };
    const auto verifier = [&](Etat Attendu::*etat, const char* quand) {
        for (const Attendu& a : attendus) {
            const QAction* action = fenetre.Action(a.nom);
            ASSERT_NE(action, nullptr) << a.nom;
            const bool separateur = a.legende == "-";
            EXPECT_EQ(action->isSeparator(), separateur) << a.nom;
            if (!separateur) {
                EXPECT_EQ(action->text().toStdString(), a.legende) << a.nom;
            }
            EXPECT_EQ(action->isVisible(), (a.*etat).visible) << a.nom << " " << quand;
            EXPECT_EQ(action->isEnabled(), (a.*etat).actif) << a.nom << " " << quand;
        }
    };
    // Every item of the window is in the table.
    std::size_t elements = 0;
    for (QAction* menu : fenetre.menuBar()->actions()) elements += 1 + menu->menu()->actions().size();
    EXPECT_EQ(elements, std::size(attendus));

    rejouer();
    verifier(&Attendu::horsJeu, "hors jeu");

    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=action name="IMP" A1=20 text="PAGE"
page
object kind=fond name="SIMPLE" rect=0,0,9600,7200
)S");
    p.ExecuterJusqua(100);
    ASSERT_EQ(p.Moteur().jeu.PageCourante, 1);
    rejouer();
    verifier(&Attendu::pageImpression, "page avec impression");

    engine::SauteALaPage(p.Moteur(), 2);
    p.ExecuterJusqua(200);
    ASSERT_EQ(p.Moteur().jeu.PageCourante, 2);
    rejouer();
    verifier(&Attendu::pageSimple, "page sans impression");
}

}  // namespace
}  // namespace korv::programme
