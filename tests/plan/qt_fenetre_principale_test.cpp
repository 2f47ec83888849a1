#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QAction>
#include <QCloseEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTreeWidget>

#include "plan/qt_espace_affichage.h"
#include "plan/qt_fenetre_affichage_ec.h"
#include "plan/qt_fenetre_principale.h"
#include "plan/recepteur_trace.h"
#include "platform/qt_test_app.h"
#include "plan/qt_panneau_plan.h"
#include "plan/qt_a_propos.h"
#include "plan/textes_fenetres.h"
#include <QPushButton>
#include <QTimer>

namespace korv::plan {
namespace {

using test::EvenementSouris;
using test::RecepteurTrace;
using test::Touche;

struct Fixture {
    Fixture() { fenetre.DefinirRecepteur(&recepteur); }
    // First: the application exists before any widget.
    QApplication& application = platform::ApplicationTest();
    RecepteurTrace recepteur;
    QtFenetrePrincipale fenetre{15, 15};
};

void Souris(QWidget& cible, QEvent::Type type, QPointF position, Qt::MouseButton bouton, Qt::MouseButtons boutons,
            Qt::KeyboardModifiers maj = Qt::NoModifier) {
    QMouseEvent evenement(type, position, cible.mapToGlobal(position), bouton, boutons, maj);
    QCoreApplication::sendEvent(&cible, &evenement);
}

void Touche_(QWidget& cible, QEvent::Type type, int cle, Qt::KeyboardModifiers maj = Qt::NoModifier,
             bool repetition = false) {
    QKeyEvent evenement(type, cle, maj, QString(), repetition);
    QCoreApplication::sendEvent(&cible, &evenement);
}

// The plan document changes the caption and "Enregistrer"; the File menu's
// plan items reach the receiver.
TEST(QtFenetrePrincipale, LegendeEnregistrerEtCommandesDuPlan) {
    Fixture f;
    f.fenetre.Legende(std::string("Corvanne Rarevive Zaru (/tmp/\xE9t\xE9.tvr)"));
    EXPECT_EQ(f.fenetre.windowTitle(), QString::fromUtf8("Corvanne Rarevive Zaru (/tmp/été.tvr)"));
    ASSERT_NE(f.fenetre.Action("OrvMnu5"), nullptr);
    EXPECT_FALSE(f.fenetre.Action("OrvMnu5")->isEnabled());
    f.fenetre.EnregistrerActif(true);
    EXPECT_TRUE(f.fenetre.Action("OrvMnu5")->isEnabled());
    for (const char* nom : {"Orvmnu1", "OrvMnu2", "OrvMnu4", "OrvMnu5"}) f.fenetre.Action(nom)->trigger();
    EXPECT_EQ(f.recepteur.fichier, (std::vector<CommandeFichier>{CommandeFichier::Nouveau, CommandeFichier::Ouvrir,
                                                                   CommandeFichier::EnregistrerSous,
                                                                   CommandeFichier::Enregistrer}));
}

// Every plan menu command reaches the receiver, also those whose work
// comes later (printing and exporting the page): none is a dead item.
TEST(QtFenetrePrincipale, CommandesDuPlanVersLeRecepteur) {
    Fixture f;
    const std::pair<const char*, CommandePlan> cas[] = {
        {"OrvMnuExporter", CommandePlan::Exporter},
        {"OrvMnuImprimer", CommandePlan::Imprimer},
        {"MnuExporterPageRTF", CommandePlan::ExporterPageRtf},
        {"MnuOrvImprimerPage", CommandePlan::ImprimerPage},
        {"MnuOrvAfficherPlan", CommandePlan::AfficherPlan},
        {"MnuJeuArreter", CommandePlan::ArreterJeu},
    };
    std::vector<CommandePlan> attendues;
    for (const auto& [nom, commande] : cas) {
        QAction* a = f.fenetre.Action(nom);
        ASSERT_NE(a, nullptr) << nom;
        a->setEnabled(true);
        a->trigger();
        attendues.push_back(commande);
    }
    EXPECT_EQ(f.recepteur.plan, attendues);
    EXPECT_TRUE(f.recepteur.fichier.empty());
}

// The plan panel on the left, the page frame beside it past a 4-pixel band;
// dragging that band sizes the panel (never below 4 pixels) and asks for a
// new layout; its close image asks the program to hide it.
TEST(QtFenetrePrincipale, PanneauPlanEtSeparateurOuestEst) {
    Fixture f;
    f.fenetre.resize(800, 600);
    f.fenetre.show();
    QWidget& plan = f.fenetre.PanneauPlan();
    QWidget& dessous = f.fenetre.ZoneDessous();
    EXPECT_TRUE(plan.isHidden());
    EXPECT_EQ(f.fenetre.Scene().x(), 0);

    f.fenetre.PanneauPlanVisible(true);
    EXPECT_FALSE(plan.isHidden());
    EXPECT_EQ(plan.objectName(), "Plan");
    EXPECT_EQ(plan.findChild<QLabel*>("PlanTitre")->text(), "  Plan");
    EXPECT_EQ(plan.geometry(), QRect(0, 0, 200, dessous.height()));
    EXPECT_EQ(f.fenetre.Scene().x(), 204);
    EXPECT_EQ(f.fenetre.PanneauPlanLargeur(), 200 * 15);
    // The page layout measures the panel it places the page beside.
    const display::MesuresFenetre mesures = FenetreAffichageEc(f.fenetre, 15, 15).Mesures();
    EXPECT_TRUE(mesures.planVisible);
    EXPECT_EQ(mesures.planLargeur, 200 * 15);
    EXPECT_EQ(mesures.largeur, dessous.width() * 15);
    const int redimensionnements = f.recepteur.redimensionnements;

    // Over the band the pointer becomes the west-east arrow; the drag follows.
    Souris(dessous, QEvent::MouseMove, QPointF(202, 50), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(f.fenetre.ZoneDessous().Pointeur(), PointeurSeparateur::OuestEst);
    EXPECT_EQ(dessous.cursor().shape(), Qt::SizeHorCursor);
    Souris(dessous, QEvent::MouseMove, QPointF(300, 50), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(plan.width(), 300);
    EXPECT_EQ(f.fenetre.Scene().x(), 304);
    EXPECT_EQ(f.recepteur.redimensionnements, redimensionnements + 1);
    Souris(dessous, QEvent::MouseMove, QPointF(1, 50), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(plan.width(), 4);

    // Away from the band, a drag does nothing.
    Souris(dessous, QEvent::MouseMove, QPointF(500, 50), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(f.fenetre.ZoneDessous().Pointeur(), PointeurSeparateur::Defaut);
    Souris(dessous, QEvent::MouseMove, QPointF(600, 50), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(plan.width(), 4);

    plan.findChild<QToolButton*>("PlanFerme")->click();
    EXPECT_EQ(f.recepteur.plan, std::vector<CommandePlan>{CommandePlan::FermerPlan});
    f.fenetre.PanneauPlanVisible(false);
    EXPECT_TRUE(plan.isHidden());
    EXPECT_EQ(f.fenetre.Scene().x(), 0);
}

// Moves over the plan tree and over the page reach the tooltip's rule; page
// preparation and the end of play hide a tooltip still shown.
TEST(QtFenetrePrincipale, DeplacementsVersLaRegleDeLaBulleQueLaPreparationCache) {
    Fixture f;
    f.fenetre.resize(800, 600);
    f.fenetre.show();
    f.fenetre.PanneauPlanVisible(true);
    QWidget* vue = f.fenetre.PanneauPlan().Arbre().viewport();
    Souris(*vue, QEvent::MouseMove, QPointF(20, 20), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(f.recepteur.bulles, std::vector<int>{0});
    EXPECT_TRUE(f.recepteur.souris.empty()) << "the tree's moves are not the page's";
    Souris(f.fenetre.Espace(), QEvent::MouseMove, QPointF(30, 40), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(f.recepteur.bulles, (std::vector<int>{0, 0}));
    EXPECT_EQ(f.recepteur.souris.size(), 1u);

    platform::FenetreBulleFactice bulle;
    f.fenetre.DefinirBulle(&bulle);
    for (const bool finDuJeu : {false, true}) {
        bulle.Afficher(5, 5, "aide");
        if (finDuJeu) f.fenetre.FinDuJeuControles();
        else f.fenetre.CacherBulleEtChronos();
        EXPECT_FALSE(bulle.visible) << finDuJeu;
    }
    f.fenetre.DefinirBulle(nullptr);
    f.fenetre.Fermer();
}

// "A propos": the About box, modal; its link opens through the program.
TEST(QtFenetrePrincipale, AProposModalEtSonLienParLeProgramme) {
    Fixture f;
    f.fenetre.show();
    bool vue = false;
    QTimer::singleShot(0, [&] {
        auto* boite = dynamic_cast<FenetreAPropos*>(QApplication::activeModalWidget());
        if (!boite) return;
        vue = true;
        boite->lienUrl->click();
        boite->cmdOK->click();
    });
    f.fenetre.Action("Orvmnu12")->trigger();
    EXPECT_TRUE(vue);
    EXPECT_EQ(f.recepteur.liens, std::vector<std::string>{std::string(kAdresseProduit)});
    f.fenetre.Fermer();
}

TEST(QtFenetrePrincipale, MenusParNomLegendesEtEtatsInitiaux) {
    Fixture f;
    struct Attendu {
        const char* nom;
        const char* parent;  // "" for a menu of the bar
        std::string legende;
        bool actif = true;
        bool visible = true;
    };
    const std::string quitter = "Quitter" + std::string(32, ' ') + "Alt+F4";
    const Attendu attendus[] = {
        {"MnuFichier", "", "&Fichier"},
        {"MnuQuitter", "MnuFichier", "Quitter (Alt+F4)"},
        {"MnuEdition", "", "Editon"},
        {"MnuEditionAnnuler", "MnuEdition", "Impossible d'annuler", false},
        {"dummy1", "MnuEdition", ""},
        {"MnuEditionRechercheRemplace", "MnuEdition", "Rechercher/Remplacer"},
        {"dummy10", "MnuEdition", ""},
        {"TableauRecalculReference", "MnuEdition", "Recompiler expressions et références"},
        {"TableauxRecalculerTous", "MnuEdition", "Recalculer tout"},
        {"MnuOrvCompileScripts", "MnuEdition", "Recompiler scripts"},
        {"MnuFenetres", "", "Fenêtres"},
        {"MnuAfficherBarreTitre", "MnuFenetres", "Afficher barre de titre"},
        {"MnuJeu", "", "Jeu"},
        {"MnuJeuJouer", "MnuJeu", "Jouer    (F5)"},
        {"MnuJeuArreter", "MnuJeu", "Arrêter  (ESC)", false},
        {"MnuJeuArreterSurCettePage", "MnuJeu", "Arrêter sur cette page (SHIFT+ESC)", false},
        {"MnuCtx", "", "Menus contextuels", true, false},
        {"MnuCtxClick", "MnuCtx", ""},
        {"MnuOrvFichier", "", "Fichier"},
        {"Orvmnu1", "MnuOrvFichier", "Nouveau plan d'affaires"},
        {"dummy2", "MnuOrvFichier", ""},
        {"OrvMnu2", "MnuOrvFichier", "Ouvrir un plan d'affaires..."},
        {"OrvMnu4", "MnuOrvFichier", "Enregistrer le plan d'affaires sous..."},
        {"OrvMnu5", "MnuOrvFichier", "Enregistrer", false},
        {"dummy3", "MnuOrvFichier", ""},
        {"OrvMnuExporter", "MnuOrvFichier", "Exporter..."},
        {"MnuExporterPageRTF", "MnuOrvFichier", "Exporter cette page au format RTF"},
        {"dummy4", "MnuOrvFichier", ""},
        {"OrvMnuConfigPrint", "MnuOrvFichier", "Configuration de l'imprimante..."},
        {"MnuOrvImprimerPage", "MnuOrvFichier", "Imprimer cette page", false},
        {"OrvMnuImprimer", "MnuOrvFichier", "Imprimer le plan d'affaires..."},
        {"dummy6", "MnuOrvFichier", ""},
        {"OrvMnu8", "MnuOrvFichier", quitter},
        {"MnuOrvEditer", "", "Edition"},
        {"MnuOrvCopier", "MnuOrvEditer", "Copier"},
        {"MnuOrvColler", "MnuOrvEditer", "Coller"},
        {"MnuOrvAffichage", "", "Affichage"},
        {"MnuOrvAfficherPlan", "MnuOrvAffichage", "Fenêtre plan"},
        {"MnuOrvAide", "", "?"},
        {"Orvmnu12", "MnuOrvAide", "A propos de Corvanne Rarevive Zaru"},
    };
    EXPECT_EQ(QString::fromStdString(quitter).size(), 45);

    // Order: the bar's menus, then each menu's items, as listed.
    std::vector<std::string> barre;
    for (const QAction* a : f.fenetre.menuBar()->actions()) barre.push_back(a->objectName().toStdString());
    std::vector<std::string> barreAttendue;
    for (const Attendu& a : attendus) {
        if (std::string(a.parent).empty()) barreAttendue.push_back(a.nom);
    }
    EXPECT_EQ(barre, barreAttendue);

    for (const Attendu& a : attendus) {
        SCOPED_TRACE(a.nom);
        QAction* action = f.fenetre.Action(a.nom);
        ASSERT_NE(action, nullptr);
        const bool separateur = std::string(a.nom).rfind("dummy", 0) == 0;
        EXPECT_EQ(action->isSeparator(), separateur);
        if (!separateur) {
            EXPECT_EQ(action->text(), QString::fromStdString(a.legende));
        }
        EXPECT_EQ(action->isVisible(), a.visible);
        // Qt counts a hidden action as disabled.
        EXPECT_EQ(action->isEnabled(), a.actif && a.visible);
        if (!std::string(a.parent).empty()) {
            QMenu* parent = f.fenetre.Action(a.parent)->menu();
            ASSERT_NE(parent, nullptr);
            EXPECT_TRUE(parent->actions().contains(action));
        }
    }
    EXPECT_EQ(f.fenetre.Action("Inconnu"), nullptr);
}

TEST(QtFenetrePrincipale, MenusPilotesParLeMoteur) {
    Fixture f;
    engine::FenetrePrincipale& moteur = f.fenetre;
    struct Cas {
        engine::Menu menu;
        const char* nom;
    };
    const Cas cas[] = {
        {engine::Menu::Fichier, "MnuFichier"},
        {engine::Menu::Fenetres, "MnuFenetres"},
        {engine::Menu::Edition, "MnuEdition"},
        {engine::Menu::Jeu, "MnuJeu"},
        {engine::Menu::Aide, "MnuOrvAide"},
        {engine::Menu::FichierPlan, "MnuOrvFichier"},
        {engine::Menu::AfficherBarreTitre, "MnuAfficherBarreTitre"},
        {engine::Menu::ExporterPageRtf, "MnuExporterPageRTF"},
        {engine::Menu::ImprimerPage, "MnuOrvImprimerPage"},
        {engine::Menu::AfficherPlan, "MnuOrvAfficherPlan"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        QAction* a = f.fenetre.Action(c.nom);
        ASSERT_NE(a, nullptr);
        moteur.MenuVisible(c.menu, false);
        EXPECT_FALSE(a->isVisible());
        moteur.MenuVisible(c.menu, true);
        EXPECT_TRUE(a->isVisible());
        moteur.MenuActif(c.menu, false);
        EXPECT_FALSE(a->isEnabled());
        moteur.MenuActif(c.menu, true);
        EXPECT_TRUE(a->isEnabled());
        moteur.MenuCoche(c.menu, true);
        EXPECT_TRUE(a->isChecked());
        moteur.MenuCoche(c.menu, false);
        EXPECT_FALSE(a->isChecked());
        // A state set while hidden holds once shown again.
        moteur.MenuVisible(c.menu, false);
        moteur.MenuActif(c.menu, false);
        moteur.MenuVisible(c.menu, true);
        EXPECT_FALSE(a->isEnabled());
        moteur.MenuVisible(c.menu, false);
        moteur.MenuActif(c.menu, true);
        moteur.MenuVisible(c.menu, true);
        EXPECT_TRUE(a->isEnabled());
    }
}

TEST(QtFenetrePrincipale, SourisDeLaSurfaceEnTwipsDePage) {
    Fixture f;
    EspaceAffichage& espace = f.fenetre.Espace();
    Souris(espace, QEvent::MouseButtonPress, {10, 20}, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    Souris(espace, QEvent::MouseMove, {11, 20}, Qt::NoButton, Qt::LeftButton);
    Souris(espace, QEvent::MouseButtonRelease, {11, 20}, Qt::LeftButton, Qt::NoButton);
    Souris(espace, QEvent::MouseButtonDblClick, {11, 21}, Qt::LeftButton, Qt::LeftButton);
    Souris(espace, QEvent::MouseButtonRelease, {11, 21}, Qt::LeftButton, Qt::NoButton);
    Souris(espace, QEvent::MouseButtonPress, {2, 3}, Qt::RightButton, Qt::RightButton,
           Qt::ControlModifier | Qt::AltModifier);
    Souris(espace, QEvent::MouseMove, {4, 3}, Qt::NoButton, Qt::RightButton | Qt::MiddleButton);
    EXPECT_EQ(f.recepteur.souris, (std::vector<EvenementSouris>{
                                      {1, 1, 1, 150, 300},
                                      {3, 1, 0, 165, 300},
                                      {2, 1, 0, 165, 300},
                                      {1, 1, 1, 150, 300},  // the double-click replays the down
                                      {2, 1, 0, 165, 315},
                                      {1, 2, 6, 30, 45},
                                      {3, 6, 0, 60, 45},
                                  }));
}

TEST(QtFenetrePrincipale, BarresDeDefilementEtCopieDuTampon) {
    Fixture f;
    QImage page(1200, 900, QImage::Format_RGB32);
    page.fill(Qt::white);
    page.setPixel(100, 50, qRgb(255, 0, 0));
    f.fenetre.resize(640, 480);
    f.fenetre.DefinirPageTampon(&page);
    f.fenetre.show();
    FenetreScene& scene = f.fenetre.Scene();
    ASSERT_TRUE(scene.AscHor().isVisible());
    ASSERT_TRUE(scene.AscVer().isVisible());
    const QSize vue = f.fenetre.Espace().size();
    EXPECT_EQ(scene.AscHor().maximum(), 1200 - vue.width());
    EXPECT_EQ(scene.AscVer().maximum(), 900 - vue.height());

    scene.AscHor().setValue(100);
    scene.AscVer().setValue(50);
    EXPECT_EQ(f.recepteur.defilements.back(), (Touche{100, 50}));
    // The surface shows the page from the scroll origin.
    const QImage vu = f.fenetre.Espace().grab().toImage();
    EXPECT_EQ(vu.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(vu.pixel(1, 0), qRgb(255, 255, 255));
    // And a click there is at page (100, 50) pixels, in twips.
    Souris(f.fenetre.Espace(), QEvent::MouseButtonPress, {0, 0}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(f.recepteur.souris.back(), (EvenementSouris{1, 1, 0, 1500, 750}));

    // Outside play the surface shows nothing of the page.
    f.recepteur.enJeu = false;
    EXPECT_NE(f.fenetre.Espace().grab().toImage().pixel(0, 0), qRgb(255, 0, 0));
    f.recepteur.enJeu = true;

    // A page that fits needs no bar and starts at the origin.
    QImage petite(200, 100, QImage::Format_RGB32);
    petite.fill(Qt::blue);
    f.fenetre.DefinirPageTampon(&petite);
    EXPECT_FALSE(scene.AscHor().isVisible());
    EXPECT_FALSE(scene.AscVer().isVisible());
    EXPECT_EQ(f.fenetre.Espace().Origine().x, 0);
    EXPECT_EQ(f.fenetre.Espace().Origine().y, 0);
    EXPECT_EQ(f.fenetre.Espace().grab().toImage().pixel(0, 0), QColor(Qt::blue).rgb());
    f.fenetre.DefinirPageTampon(nullptr);
    f.fenetre.Fermer();
}

TEST(QtFenetrePrincipale, FondBlancDeLaSurface) {
    Fixture f;
    f.fenetre.resize(640, 480);
    f.fenetre.show();
    const QRgb blanc = qRgb(255, 255, 255);
    // Before any page.
    EXPECT_EQ(f.fenetre.Espace().grab().toImage().pixel(5, 5), blanc);
    // Beside a page smaller than the surface, and once erased.
    QImage petite(20, 10, QImage::Format_RGB32);
    petite.fill(Qt::blue);
    f.fenetre.DefinirPageTampon(&petite);
    const QImage vu = f.fenetre.Espace().grab().toImage();
    EXPECT_EQ(vu.pixel(5, 5), QColor(Qt::blue).rgb());
    EXPECT_EQ(vu.pixel(30, 5), blanc);
    EXPECT_EQ(vu.pixel(5, 30), blanc);
    f.fenetre.EffacerSurfaces();
    EXPECT_EQ(f.fenetre.Espace().grab().toImage().pixel(5, 5), blanc);
    f.fenetre.DefinirPageTampon(nullptr);
    f.fenetre.Fermer();
}

// The page display's layout sets the bars in twips: range, small and large
// changes; the origin handed over is the value in pixels, rounded down.
TEST(QtFenetrePrincipale, BarresSelonLaDispositionDeLAffichage) {
    Fixture f;
    QImage page(1200, 900, QImage::Format_RGB32);
    page.fill(Qt::white);
    f.fenetre.resize(640, 480);
    f.fenetre.DefinirPageTampon(&page);
    f.fenetre.show();
    FenetreAffichageEc ec(f.fenetre, 15, 15);
    display::DispositionFenetre d;
    d.hor = {true, {}, 9000, 91, 901};
    d.ver = {false, {}, 0, 1, 1};
    ec.Appliquer(d);
    FenetreScene& scene = f.fenetre.Scene();
    EXPECT_TRUE(scene.AscHor().isVisible());
    EXPECT_FALSE(scene.AscVer().isVisible());
    EXPECT_EQ(scene.AscHor().maximum(), 9000);
    EXPECT_EQ(scene.AscHor().singleStep(), 91);
    EXPECT_EQ(scene.AscHor().pageStep(), 901);
    scene.AscHor().setValue(1514);
    EXPECT_EQ(f.recepteur.defilements.back(), (Touche{100, 0}));
    EXPECT_EQ(f.fenetre.Espace().Origine().x, 100);
    // A resize keeps the layout's bars until the display lays out again.
    f.fenetre.resize(1400, 1000);
    EXPECT_EQ(scene.AscHor().maximum(), 9000);
    f.fenetre.DefinirPageTampon(nullptr);
    f.fenetre.Fermer();
}

// The progress window that the display opens stays above the others.
TEST(QtFenetrePrincipale, FenetreDeProgressionDeLAffichage) {
    Fixture f;
    FenetreAffichageEc ec(f.fenetre, 15, 15);
    ec.MessageOuvrir("Titre", "En cours...");
    ASSERT_TRUE(f.fenetre.Progression().EstOuverte());
    EXPECT_TRUE(f.fenetre.Progression().Fenetre()->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(f.fenetre.Progression().Fenetre()->isVisible());
    ec.MessagePourcentage(40);
    ec.MessageFermer();
    EXPECT_FALSE(f.fenetre.Progression().EstOuverte());
    f.fenetre.Fermer();
}

TEST(QtFenetrePrincipale, TouchesTransmisesEtEchapLiee) {
    Fixture f;
    EspaceAffichage& espace = f.fenetre.Espace();
    Touche_(espace, QEvent::KeyPress, Qt::Key_Escape);
    Touche_(espace, QEvent::KeyRelease, Qt::Key_Escape);
    Touche_(espace, QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    Touche_(espace, QEvent::KeyPress, Qt::Key_Tab);
    Touche_(espace, QEvent::KeyPress, Qt::Key_F5, Qt::ShiftModifier);
    Touche_(espace, QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, true);  // repeat: no release
    Touche_(espace, QEvent::KeyRelease, Qt::Key_Down);
    EXPECT_EQ(f.recepteur.enfoncees, (std::vector<Touche>{{27, 0}, {65, 2}, {9, 0}, {116, 1}}));
    EXPECT_EQ(f.recepteur.relachees, (std::vector<Touche>{{27, 0}, {40, 0}}));

    f.recepteur.enJeu = false;
    Touche_(espace, QEvent::KeyPress, Qt::Key_Escape);
    EXPECT_EQ(f.recepteur.enfoncees.size(), 4u);
}

TEST(QtFenetrePrincipale, LeCaractereDUneToucheSuitSonEnfoncement) {
    Fixture f;
    EspaceAffichage& espace = f.fenetre.Espace();
    auto tape = [&espace](int cle, const QString& texte) {
        QKeyEvent evenement(QEvent::KeyPress, cle, Qt::NoModifier, texte);
        QCoreApplication::sendEvent(&espace, &evenement);
    };
    tape(Qt::Key_5, "5");
    tape(Qt::Key_Eacute, QString(QChar(0xE9)));  // no key code, its character all the same
    tape(Qt::Key_Backspace, "\b");
    tape(Qt::Key_Shift, "");
    EXPECT_EQ(f.recepteur.enfoncees, (std::vector<Touche>{{53, 0}, {8, 0}, {16, 1}}));
    EXPECT_EQ(f.recepteur.caracteres, (std::vector<int>{'5', 0xE9, 8}));
    EXPECT_EQ(f.recepteur.caracteresApres, (std::vector<int>{1, 1, 2}));

    f.recepteur.enJeu = false;
    tape(Qt::Key_7, "7");
    EXPECT_EQ(f.recepteur.caracteres.size(), 3u);
}

TEST(QtFenetrePrincipale, FermetureDemandeeAuRecepteur) {
    Fixture f;
    f.fenetre.show();
    f.recepteur.accepteFermeture = false;
    EXPECT_FALSE(f.fenetre.close());
    EXPECT_TRUE(f.fenetre.isVisible());
    EXPECT_EQ(f.recepteur.demandesFermeture, 1);

    // The plan menu's "Quitter" asks the same question, once.
    f.fenetre.Action("OrvMnu8")->trigger();
    EXPECT_TRUE(f.fenetre.isVisible());
    EXPECT_EQ(f.recepteur.demandesFermeture, 2);
    f.recepteur.accepteFermeture = true;
    f.fenetre.Action("OrvMnu8")->trigger();
    EXPECT_FALSE(f.fenetre.isVisible());
    EXPECT_EQ(f.recepteur.demandesFermeture, 3);
}

// The File menu's printer set-up opens the print job's printer dialog.
TEST(QtFenetrePrincipale, ConfigurationDeLImprimante) {
    Fixture f;
    QAction* a = f.fenetre.Action("OrvMnuConfigPrint");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text().toStdString(), "Configuration de l'imprimante...");
    a->trigger();  // nothing connected yet: nothing happens
    int configurations = 0;
    f.fenetre.DefinirConfigurationImprimante([&configurations] { ++configurations; });
    a->trigger();
    EXPECT_EQ(configurations, 1);
}

TEST(QtFenetrePrincipale, FermetureAccepteeEtFermetureDuProgramme) {
    Fixture f;
    f.fenetre.show();
    EXPECT_TRUE(f.fenetre.close());
    EXPECT_FALSE(f.fenetre.isVisible());
    EXPECT_EQ(f.recepteur.demandesFermeture, 1);

    f.fenetre.show();
    f.recepteur.accepteFermeture = false;
    f.fenetre.Fermer();  // from the program: nothing asked
    EXPECT_FALSE(f.fenetre.isVisible());
    EXPECT_EQ(f.recepteur.demandesFermeture, 1);
}

TEST(QtFenetrePrincipale, QuitterDuMenuMoteurLaisseDecideLeRecepteur) {
    Fixture f;
    f.fenetre.show();
    f.fenetre.Action("MnuQuitter")->trigger();
    EXPECT_EQ(f.recepteur.quitter, 1);
    EXPECT_EQ(f.recepteur.demandesFermeture, 0);
    EXPECT_TRUE(f.fenetre.isVisible());
    f.fenetre.Fermer();
}

// A window of the program that notes, as it closes, what the progress
// window shows.
class Temoin final : public QWidget {
public:
    std::vector<std::string> vus;

protected:
    void closeEvent(QCloseEvent* e) override {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == "MESSAGE" && w->isVisible()) {
                vus.push_back(w->findChild<QLabel*>("Label")->text().toStdString());
            }
        }
        e->accept();
    }
};

TEST(QtFenetrePrincipale, FermerFenetresDerriereLaFenetreDeProgression) {
    Fixture f;
    f.fenetre.show();
    f.fenetre.Splash().Montrer();
    Temoin temoin;
    temoin.show();
    f.recepteur.accepteFermeture = false;

    // Without unloading (the window closes itself afterwards), every window
    // is hidden all the same, and none is closed.
    f.fenetre.FermerFenetres(false);
    EXPECT_FALSE(temoin.isVisible());
    EXPECT_FALSE(f.fenetre.isVisible());
    EXPECT_TRUE(temoin.vus.empty());
    EXPECT_NE(f.fenetre.Splash().Fenetre(), nullptr);

    // Unloading then closes the hidden windows too.
    f.fenetre.FermerFenetres(true);
    EXPECT_EQ(temoin.vus, std::vector<std::string>{"Fermeture en cours..."});
    EXPECT_FALSE(temoin.isVisible());
    EXPECT_FALSE(f.fenetre.isVisible());
    EXPECT_EQ(f.fenetre.Splash().Fenetre(), nullptr);
    EXPECT_FALSE(f.fenetre.Progression().EstOuverte());
    EXPECT_EQ(f.recepteur.demandesFermeture, 0);  // no second save question
}

TEST(QtFenetrePrincipale, Chronos) {
    Fixture f;
    QTimer& bulle = f.fenetre.ChronoBulle();
    QTimer& defile = f.fenetre.ChronoTableauDefile();
    EXPECT_EQ(bulle.interval(), 2000);
    EXPECT_EQ(defile.interval(), 50);
    EXPECT_FALSE(bulle.isActive());
    EXPECT_FALSE(defile.isActive());

    int pas = 0;
    f.fenetre.InitChronoDefileTableau([&] {
        ++pas;
        f.fenetre.TopChronoTableauDefile();  // a tick inside a tick is dropped
    });
    f.fenetre.TopChronoTableauDefile();
    EXPECT_EQ(pas, 1);
    int bulles = 0;
    f.fenetre.InitChronoBulleTableau([&] {
        ++bulles;
        f.fenetre.TopChronoBulle();  // its own guard drops this one
        f.fenetre.TopChronoTableauDefile();  // the other timer's tick runs
    });
    f.fenetre.TopChronoBulle();
    EXPECT_EQ(bulles, 1);
    EXPECT_EQ(pas, 2);
    f.fenetre.TopChronoBulle();  // the guard is free again
    EXPECT_EQ(bulles, 2);
    pas = 1;

    // A mouse-up stops the grid's scrolling even outside play.
    defile.setInterval(100);
    defile.start();
    f.recepteur.enJeu = false;
    Souris(f.fenetre.Espace(), QEvent::MouseButtonRelease, {1, 1}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(defile.isActive());
    f.fenetre.TopChronoTableauDefile();
    EXPECT_EQ(pas, 1);  // the scrolling grid is forgotten
    EXPECT_TRUE(f.recepteur.souris.empty());

    bulle.start();
    defile.start();
    f.fenetre.CacherBulleEtChronos();
    EXPECT_FALSE(bulle.isActive());
    EXPECT_FALSE(defile.isActive());
}

TEST(QtFenetrePrincipale, BarresDeTitreEtDeMenus) {
    Fixture f;
    f.fenetre.show();
    f.fenetre.AfficherBarreTitre(false);
    EXPECT_TRUE(f.fenetre.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(f.fenetre.isVisible());
    f.fenetre.AfficherBarreTitre(true);
    EXPECT_FALSE(f.fenetre.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(f.fenetre.isVisible());
    f.fenetre.AfficherBarreMenu(false);
    EXPECT_FALSE(f.fenetre.menuBar()->isVisible());
    f.fenetre.AfficherBarreMenu(true);
    EXPECT_TRUE(f.fenetre.menuBar()->isVisible());
    EXPECT_EQ(f.fenetre.windowTitle(), QString("Corvanne Rarevive Zaru"));
    f.fenetre.Fermer();
}

}  // namespace
}  // namespace korv::plan

namespace korv::plan {
namespace {

// The tooltip timer as the grids drive it: started with the grid's call,
// stopped, and stopped by page preparation like the window's own.
TEST(QtFenetrePrincipale, ChronoBulleDesGrilles) {
    Fixture f;
    platform::ChronoBulleTableau& chrono = f.fenetre.ChronoBulleGrilles();
    QTimer& bulle = f.fenetre.ChronoBulle();
    int appels = 0;
    chrono.Demarrer([&] { ++appels; });
    EXPECT_TRUE(chrono.Actif());
    EXPECT_TRUE(bulle.isActive());
    EXPECT_EQ(bulle.interval(), 2000);
    f.fenetre.TopChronoBulle();
    EXPECT_EQ(appels, 1);
    chrono.Arreter();
    EXPECT_FALSE(bulle.isActive());
    chrono.Demarrer([&] { appels += 10; });
    f.fenetre.CacherBulleEtChronos();
    EXPECT_FALSE(chrono.Actif());
    f.fenetre.TopChronoBulle();
    EXPECT_EQ(appels, 11) << "the newest call replaces the older";
}

}  // namespace
}  // namespace korv::plan
