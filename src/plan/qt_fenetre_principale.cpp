#include "plan/qt_fenetre_principale.h"

#include <exception>
#include <string>

#include <QAction>
#include <QCursor>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QToolButton>
#include <QTreeWidget>
#include <QStyle>

#include "plan/menus_ec.h"
#include "plan/qt_a_propos.h"
#include "plan/qt_espace_affichage.h"
#include "plan/qt_panneau_plan.h"
#include "plan/arbre_plan.h"
#include "plan/qt_touches.h"
#include "platform/message_box.h"
#include "platform/qt_cp1252.h"

namespace korv::plan {

namespace {

constexpr int kIntervalleBulle = 2000;
constexpr int kIntervalleDefile = 50;
// The plan panel's width until the user drags its splitter, in pixels.
constexpr int kLargeurPlan = 200;

// The tree's pictures by index: folders, the method, the financial file,
// the examples, leaves, pages, the root.
QIcon ImageNoeud(const QStyle& style, int image) {
    switch (image) {
    case 1: return style.standardIcon(QStyle::SP_DirClosedIcon);
    case 2: return style.standardIcon(QStyle::SP_DirOpenIcon);
    case 3: return style.standardIcon(QStyle::SP_FileDialogContentsView);
    case 4: return style.standardIcon(QStyle::SP_FileDialogDetailedView);
    case 5: return style.standardIcon(QStyle::SP_DialogHelpButton);
    case 6: return style.standardIcon(QStyle::SP_FileIcon);
    case 7: return style.standardIcon(QStyle::SP_FileDialogListView);
    case 9: return style.standardIcon(QStyle::SP_DriveHDIcon);
    case 10: return style.standardIcon(QStyle::SP_DriveHDIcon);
    default: return {};
    }
}

// Sets a flag for the length of a scope.
class Drapeau {
public:
    explicit Drapeau(bool& drapeau) noexcept : drapeau_(drapeau) { drapeau_ = true; }
    ~Drapeau() { drapeau_ = false; }
    Drapeau(const Drapeau&) = delete;
    Drapeau& operator=(const Drapeau&) = delete;

private:
    bool& drapeau_;
};

}  // namespace

QtFenetrePrincipale::QtFenetrePrincipale(int twipsParPixelX, int twipsParPixelY)
    : entree_(twipsParPixelX, twipsParPixelY),
      twipsX_(twipsParPixelX),
      twipsY_(twipsParPixelY),
      progression_(twipsParPixelX) {
    setObjectName("Ec");
    setWindowTitle(platform::VersQString(platform::kTitreProduit));

    dessous_ = new Dessous(this, twipsParPixelX, twipsParPixelY);
    plan_ = new PanneauPlanQt(dessous_);
    plan_->resize(kLargeurPlan, plan_->height());
    plan_->hide();
    scene_ = new FenetreScene(entree_, dessous_);
    dessous_->DefinirPanneaux(plan_, scene_);
    setCentralWidget(dessous_);
    // A dragged splitter lays the page out again beside the panel.
    dessous_->apresGlissement = [this] { entree_.Redimensionnement(); };
    QObject::connect(&plan_->Arbre(), &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
        if (item) entree_.NoeudPlan(item->data(0, Qt::UserRole).toString().toStdString());
    });
    // Folders with an expanded picture show it when open.
    QObject::connect(&plan_->Arbre(), &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        const int ouverte = item->data(0, Qt::UserRole + 2).toInt();
        if (ouverte) item->setIcon(0, ImageNoeud(*style(), ouverte));
    });
    QObject::connect(&plan_->Arbre(), &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        item->setIcon(0, ImageNoeud(*style(), item->data(0, Qt::UserRole + 1).toInt()));
    });
    plan_->deplacementArbre = [this] { entree_.DeplacementArbre(); };
    QObject::connect(&plan_->Ferme(), &QToolButton::clicked, this,
                     [this] { entree_.MenuPlan(CommandePlan::FermerPlan); });
    scene_->Espace().avantRelache = [this] { TimerTableauReferenceEfface(); };

    chronoBulle_.setObjectName("ChronoBulle");
    chronoBulle_.setInterval(kIntervalleBulle);
    chronoTableauDefile_.setObjectName("ChronoTableauDefile");
    chronoTableauDefile_.setInterval(kIntervalleDefile);
    QObject::connect(&chronoBulle_, &QTimer::timeout, this, [this] { TopChronoBulle(); });
    QObject::connect(&chronoTableauDefile_, &QTimer::timeout, this, [this] { TopChronoTableauDefile(); });

    MenusCreer();
    CommandesRelier();
    resize(800, 600);
}

QtFenetrePrincipale::~QtFenetrePrincipale() {
    // The page frame refers to the input rules, a member that dies before
    // the base class deletes its children.
    delete scene_;
}

void QtFenetrePrincipale::MenusCreer() {
    QMenu* courant = nullptr;
    for (const ElementMenu& e : ArbreMenus()) {
        const QString legende = platform::VersQString(e.legende);
        QAction* action = nullptr;
        if (e.niveau == 1) {
            courant = menuBar()->addMenu(legende);
            courant->setObjectName(QString::fromStdString(e.nom));
            action = courant->menuAction();
        } else if (courant) {
            action = e.EstSeparateur() ? courant->addSeparator() : courant->addAction(legende);
        }
        if (!action) continue;
        action->setObjectName(QString::fromStdString(e.nom));
        if (e.etat == EtatMenu::Inactif) action->setEnabled(false);
        if (e.etat == EtatMenu::Cache) action->setVisible(false);
        actions_[e.nom] = action;
    }
}

void QtFenetrePrincipale::CommandesRelier() {
    // The engine menu's remaining items (undo, search, recompiling, the
    // title bar, play, stop on this page) have no command of their own.
    if (QAction* a = Action(kMenuQuitter)) {
        QObject::connect(a, &QAction::triggered, this, [this] { entree_.MenuQuitter(); });
    }
    if (QAction* a = Action(kMenuPlanQuitter)) {
        QObject::connect(a, &QAction::triggered, this, [this] { PlanQuitter(); });
    }
    if (QAction* a = Action(kMenuCopier)) {
        a->setShortcut(QKeySequence::Copy);
        QObject::connect(a, &QAction::triggered, this, [this] { entree_.MenuCopier(); });
    }
    if (QAction* a = Action(kMenuColler)) {
        a->setShortcut(QKeySequence::Paste);
        QObject::connect(a, &QAction::triggered, this, [this] { entree_.MenuColler(); });
    }
    if (QAction* a = Action(kMenuConfigImprimante)) {
        QObject::connect(a, &QAction::triggered, this, [this] { ConfigurationImprimante(); });
    }
    const std::pair<std::string_view, CommandeFichier> fichier[] = {
        {kMenuNouveauPlan, CommandeFichier::Nouveau},
        {kMenuOuvrirPlan, CommandeFichier::Ouvrir},
        {kMenuEnregistrerSous, CommandeFichier::EnregistrerSous},
        {kMenuEnregistrer, CommandeFichier::Enregistrer},
    };
    for (const auto& [nom, commande] : fichier) {
        if (QAction* a = Action(nom)) {
            QObject::connect(a, &QAction::triggered, this, [this, c = commande] { entree_.MenuFichier(c); });
        }
    }
    const std::pair<std::string_view, CommandePlan> plan[] = {
        {kMenuExporter, CommandePlan::Exporter},
        {kMenuImprimer, CommandePlan::Imprimer},
        {kMenuExporterPageRtf, CommandePlan::ExporterPageRtf},
        {kMenuImprimerPage, CommandePlan::ImprimerPage},
        {kMenuAfficherPlan, CommandePlan::AfficherPlan},
        {kMenuJeuArreter, CommandePlan::ArreterJeu},
    };
    for (const auto& [nom, commande] : plan) {
        if (QAction* a = Action(nom)) {
            QObject::connect(a, &QAction::triggered, this, [this, c = commande] { entree_.MenuPlan(c); });
        }
    }
    if (QAction* a = Action(kMenuAPropos)) {
        QObject::connect(a, &QAction::triggered, this, [this] { AProposMontrer(); });
    }
}

void QtFenetrePrincipale::ConfigurationImprimante() {
    if (!configurerImprimante_) return;
    try {
        configurerImprimante_();
    } catch (const std::exception& e) {
        QMessageBox::warning(this, QStringLiteral("Corvanne Rarevive Zaru"), QString::fromLocal8Bit(e.what()));
    }
}


void QtFenetrePrincipale::RemplirArbre(const std::vector<NoeudArbre>& noeuds) {
    QTreeWidget& arbre = plan_->Arbre();
    arbre.clear();
    std::map<std::string, QTreeWidgetItem*, std::less<>> parCle;
    for (const NoeudArbre& n : noeuds) {
        QTreeWidgetItem* item = nullptr;
        if (n.parent.empty()) {
            item = new QTreeWidgetItem(&arbre);
        } else {
            const auto it = parCle.find(n.parent);
            // A node whose parent is missing is left out rather than misplaced.
            if (it == parCle.end()) continue;
            item = new QTreeWidgetItem(it->second);
        }
        item->setText(0, platform::VersQString(n.texte));
        item->setData(0, Qt::UserRole, QString::fromStdString(n.cle));
        item->setData(0, Qt::UserRole + 1, n.image);
        item->setData(0, Qt::UserRole + 2, n.imageOuverte);
        item->setIcon(0, ImageNoeud(*style(), n.image));
        parCle[n.cle] = item;
    }
    if (arbre.topLevelItemCount() > 0) arbre.topLevelItem(0)->setExpanded(true);
}

void QtFenetrePrincipale::PanneauPlanVisible(bool visible) {
    panneauPlanVisible_ = visible;
    plan_->setVisible(visible);
    dessous_->Disposer();
}

std::int32_t QtFenetrePrincipale::PanneauPlanLargeur() const { return plan_->width() * twipsX_; }

void QtFenetrePrincipale::PlacerScene(std::int32_t gauche, std::int32_t haut, std::int32_t largeur,
                                      std::int32_t hauteur) {
    dessous_->PlacerScene(QRect(gauche / twipsX_, haut / twipsY_, largeur / twipsX_, hauteur / twipsY_));
}

void QtFenetrePrincipale::Legende(std::string_view texte) { setWindowTitle(platform::VersQString(texte)); }

void QtFenetrePrincipale::EnregistrerActif(bool actif) {
    if (QAction* a = Action(kMenuEnregistrer)) a->setEnabled(actif);
}

void QtFenetrePrincipale::FocusPage() {
    if (scene_) scene_->setFocus();
}

QAction* QtFenetrePrincipale::Action(std::string_view nom) const {
    const auto it = actions_.find(nom);
    return it == actions_.end() ? nullptr : it->second;
}

EspaceAffichage& QtFenetrePrincipale::Espace() noexcept { return scene_->Espace(); }

void QtFenetrePrincipale::MenuVisible(engine::Menu menu, bool visible) {
    if (QAction* a = Action(NomMenu(menu))) a->setVisible(visible);
}

void QtFenetrePrincipale::MenuActif(engine::Menu menu, bool actif) {
    if (QAction* a = Action(NomMenu(menu))) a->setEnabled(actif);
}

void QtFenetrePrincipale::MenuCoche(engine::Menu menu, bool coche) {
    if (QAction* a = Action(NomMenu(menu))) {
        a->setCheckable(true);
        a->setChecked(coche);
    }
}

void QtFenetrePrincipale::Montrer() {
    show();
    raise();
    activateWindow();
}

void QtFenetrePrincipale::AfficherBarreMenu(bool afficher) { menuBar()->setVisible(afficher); }

void QtFenetrePrincipale::AfficherBarreTitre(bool afficher) {
    if (windowFlags().testFlag(Qt::FramelessWindowHint) == !afficher) return;
    // Changing the frame hides a shown window: show it again.
    const bool visible = isVisible();
    setWindowFlag(Qt::FramelessWindowHint, !afficher);
    if (visible) show();
}

void QtFenetrePrincipale::EffacerSurfaces() { Espace().Effacer(); }

void QtFenetrePrincipale::DefinirPageTampon(const QImage* tampon) { scene_->DefinirTampon(tampon); }

void QtFenetrePrincipale::MajFenetreJeu() { Espace().MajFenetreJeu(); }

void QtFenetrePrincipale::TimerTableauReferenceEfface() {
    chronoTableauDefile_.stop();
    tableauDefile_ = nullptr;
}

void QtFenetrePrincipale::CacherBulleEtChronos() {
    if (bulle_) bulle_->Cacher();
    chronoBulle_.stop();
    chronoTableauDefile_.stop();
}

void QtFenetrePrincipale::FinDuJeuControles() {
    CacherBulleEtChronos();
    if (controlesFinDuJeu_) controlesFinDuJeu_();
}

void QtFenetrePrincipale::DefinirCurseurDefaut() { Espace().unsetCursor(); }

void QtFenetrePrincipale::DefinirCurseur(engine::FormeCurseur forme) {
    using engine::FormeCurseur;
    EspaceAffichage& espace = Espace();
    if (forme == FormeCurseur::Defaut) {
        if (espace.testAttribute(Qt::WA_SetCursor)) espace.unsetCursor();
        return;
    }
    Qt::CursorShape formeQt = Qt::ArrowCursor;
    switch (forme) {
    case FormeCurseur::Texte: formeQt = Qt::IBeamCursor; break;
    case FormeCurseur::Pointe: formeQt = Qt::PointingHandCursor; break;
    case FormeCurseur::Bouge: formeQt = Qt::SizeAllCursor; break;
    case FormeCurseur::Croix: formeQt = Qt::CrossCursor; break;
    case FormeCurseur::Defaut: break;
    }
    // Every move sets the cursor: the same shape again is left alone.
    if (!espace.testAttribute(Qt::WA_SetCursor) || espace.cursor().shape() != formeQt) espace.setCursor(formeQt);
}

void QtFenetrePrincipale::InitChronoBulleTableau(std::function<void()> infoBulleAppel) {
    tableauBulle_ = std::move(infoBulleAppel);
}

void QtFenetrePrincipale::ChronoBulleEc::Demarrer(std::function<void()> appel) {
    fenetre_.InitChronoBulleTableau(std::move(appel));
    fenetre_.chronoBulle_.start();
}

void QtFenetrePrincipale::InitChronoDefileTableau(std::function<void()> defilementAppel) {
    tableauDefile_ = std::move(defilementAppel);
}

void QtFenetrePrincipale::Demarrer(std::function<void()> pas, int intervalleMs) {
    InitChronoDefileTableau(std::move(pas));
    chronoTableauDefile_.setInterval(intervalleMs);
    chronoTableauDefile_.start();
}

std::optional<std::pair<std::int32_t, std::int32_t>> QtFenetrePrincipale::SourisPage() const {
    const EspaceAffichage& espace = scene_->Espace();
    const QPoint p = espace.mapFromGlobal(QCursor::pos());
    const OrigineDefilement o = espace.Origine();
    return std::pair{static_cast<std::int32_t>((p.x() + o.x) * twipsX_),
                     static_cast<std::int32_t>((p.y() + o.y) * twipsY_)};
}

void QtFenetrePrincipale::TopChronoBulle() {
    if (gardeBulle_) return;
    Drapeau garde(gardeBulle_);
    if (tableauBulle_) Proteger(entree_.Recepteur(), tableauBulle_);
}

void QtFenetrePrincipale::TopChronoTableauDefile() {
    if (gardeDefile_) return;
    Drapeau garde(gardeDefile_);
    // A copy: the step may clear the scrolling grid (a mouse-up inside it).
    const std::function<void()> pas = tableauDefile_;
    if (pas) Proteger(entree_.Recepteur(), pas);
}

void QtFenetrePrincipale::AProposMontrer() {
    FenetreAPropos aPropos(this);
    // The link opens through the program, which tells a failure.
    aPropos.ouvrirLien = [this](std::string_view adresse) { entree_.LienInternet(adresse); };
    aPropos.exec();
}

void QtFenetrePrincipale::PlanQuitter() {
    // The same question as the close box; once answered, the window closes
    // without asking again.
    if (entree_.DemandeFermeture()) Fermer();
}

void QtFenetrePrincipale::Fermer() {
    Drapeau garde(fermetureProgramme_);
    close();
}

void QtFenetrePrincipale::FermerFenetres(bool decharger) {
    // Each window is kept by a guard: hiding or closing one may delete another.
    const auto fenetresDuProgramme = [this] {
        const QWidget* message = progression_.Fenetre();
        QList<QPointer<QWidget>> fenetres;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w != message) fenetres.append(w);
        }
        return fenetres;
    };
    // Every window is hidden, also when the windows stay loaded (the main
    // window's close box unloads it afterwards).
    for (const QPointer<QWidget>& w : fenetresDuProgramme()) {
        if (w && w->isVisible()) w->hide();
    }
    if (!decharger) return;
    progression_.Ouvrir(platform::kTitreProduit, "Fermeture en cours...");
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    splash_.Decharger();
    for (const QPointer<QWidget>& w : fenetresDuProgramme()) {
        // Menus and tooltips are parts of windows, not windows to unload.
        if (w && w != this && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip) w->close();
    }
    Fermer();
    progression_.Fermer();
}

void QtFenetrePrincipale::closeEvent(QCloseEvent* evenement) {
    // Closing from the program passes; any other close is the user's
    // request, which the receiver answers (with the save question).
    if (fermetureProgramme_ || entree_.DemandeFermeture()) {
        evenement->accept();
    } else {
        evenement->ignore();
    }
}

void QtFenetrePrincipale::keyPressEvent(QKeyEvent* evenement) {
    const int code = CodeToucheVirtuelle(*evenement);
    if (code != 0) {
        evenement->accept();
        entree_.ToucheEnfoncee(code, EtatMaj(evenement->modifiers()));
    }
    // The key's character follows its key-down: the edit box that key just
    // opened over a cell receives it.
    const std::string caractere = platform::DepuisQString(evenement->text());
    if (caractere.size() == 1) entree_.ToucheCaractere(static_cast<unsigned char>(caractere.front()));
    if (code == 0) QMainWindow::keyPressEvent(evenement);
}

void QtFenetrePrincipale::keyReleaseEvent(QKeyEvent* evenement) {
    const int code = CodeToucheVirtuelle(*evenement);
    // A held key repeats its key-down only.
    if (code == 0 || evenement->isAutoRepeat()) {
        QMainWindow::keyReleaseEvent(evenement);
        return;
    }
    evenement->accept();
    entree_.ToucheRelachee(code, EtatMaj(evenement->modifiers()));
}

void QtFenetrePrincipale::resizeEvent(QResizeEvent* evenement) {
    QMainWindow::resizeEvent(evenement);
    entree_.Redimensionnement();
}

bool QtFenetrePrincipale::focusNextPrevChild(bool suivant) {
    (void)suivant;
    return false;
}

}  // namespace korv::plan
