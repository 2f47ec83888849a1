#include "plan/qt_panneau_plan.h"

#include "plan/qt_touches.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace korv::plan {

PanneauPlanQt::PanneauPlanQt(QWidget* parent) : QWidget(parent) {
    setObjectName("Plan");
    titre_ = new QLabel(QStringLiteral("  Plan"), this);
    titre_->setObjectName("PlanTitre");
    ferme_ = new QToolButton(this);
    ferme_->setObjectName("PlanFerme");
    ferme_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    ferme_->setAutoRaise(true);
    arbre_ = new QTreeWidget(this);
    arbre_->setObjectName("PlanArbre");
    arbre_->setHeaderHidden(true);
    auto* entete = new QHBoxLayout;
    entete->setContentsMargins(0, 0, 0, 0);
    entete->addWidget(titre_, 1);
    entete->addWidget(ferme_);
    auto* pile = new QVBoxLayout(this);
    pile->setContentsMargins(0, 0, 0, 0);
    pile->setSpacing(0);
    pile->addLayout(entete);
    pile->addWidget(arbre_, 1);
    arbre_->viewport()->setMouseTracking(true);
    arbre_->viewport()->installEventFilter(this);
}

bool PanneauPlanQt::eventFilter(QObject* objet, QEvent* e) {
    if (objet == arbre_->viewport() && e->type() == QEvent::MouseMove && deplacementArbre) deplacementArbre();
    return QWidget::eventFilter(objet, e);
}

Dessous::Dessous(QWidget* parent, int twipsParPixelX, int twipsParPixelY)
    : QWidget(parent), twipsX_(twipsParPixelX), twipsY_(twipsParPixelY) {
    setObjectName("Dessous");
    setMouseTracking(true);
}

BandesSeparateurs Dessous::Bandes() const {
    BandesSeparateurs b;
    b.twipsX = twipsX_;
    b.twipsY = twipsY_;
    b.clientHauteur = height() * twipsY_;
    if (plan_) {
        b.planVisible = !plan_->isHidden();
        b.planDroite = (plan_->x() + plan_->width()) * twipsX_;
    }
    if (scene_) {
        b.sceneGauche = scene_->x() * twipsX_;
        b.sceneBas = (scene_->y() + scene_->height()) * twipsY_;
    }
    // The writing panel lies over the page surface: it has no band here.
    return b;
}

void Dessous::mouseMoveEvent(QMouseEvent* evenement) {
    const QPoint p = evenement->position().toPoint();
    const std::int32_t x = p.x() * twipsX_, y = p.y() * twipsY_;
    const DeplacementSeparateurs d = DeplacementDessous(Bandes(), pointeur_, BoutonsSouris(evenement->buttons()), x, y);
    if (d.pointeur != pointeur_) {
        pointeur_ = d.pointeur;
        switch (pointeur_) {
        case PointeurSeparateur::OuestEst: setCursor(Qt::SizeHorCursor); break;
        case PointeurSeparateur::NordSud: setCursor(Qt::SizeVerCursor); break;
        case PointeurSeparateur::Defaut: unsetCursor(); break;
        }
    }
    // The writing panel lies over the page, so only the plan panel has a
    // band here to drag.
    const auto& taille = d.taille;
    if (!taille || !taille->plan || !plan_) return;
    plan_->resize((taille->valeur + twipsX_ - 1) / twipsX_, plan_->height());
    Disposer();
    if (apresGlissement) apresGlissement();
}

void Dessous::resizeEvent(QResizeEvent* evenement) {
    QWidget::resizeEvent(evenement);
    Disposer();
}

void Dessous::Disposer() {
    int x0 = 0;
    if (plan_ && !plan_->isHidden()) {
        plan_->setGeometry(0, 0, plan_->width(), height());
        // The band between the panels is 4 pixels wide.
        x0 = plan_->width() + 4;
    }
    if (scene_) scene_->setGeometry(x0, 0, std::max(0, width() - x0), height());
}

void Dessous::PlacerScene(const QRect& cadre) {
    if (scene_) scene_->setGeometry(cadre);
}

}  // namespace korv::plan
