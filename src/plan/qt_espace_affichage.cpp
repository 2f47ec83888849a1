#include "plan/qt_espace_affichage.h"

#include <algorithm>

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "plan/qt_touches.h"

namespace korv::plan {

EspaceAffichage::EspaceAffichage(EntreeSurface& entree, QWidget* parent) : QWidget(parent), entree_(entree) {
    setObjectName("EspaceAffichage");
    setMouseTracking(true);  // moves without a button are events of the page too
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void EspaceAffichage::DefinirTampon(const QImage* tampon) {
    tampon_ = tampon;
    update();
}

void EspaceAffichage::DefinirOrigine(OrigineDefilement origine) {
    origine_ = origine;
    update();
}

void EspaceAffichage::Effacer() {
    efface_ = true;
    update();
}

void EspaceAffichage::MajFenetreJeu() {
    efface_ = false;
    update();
}

void EspaceAffichage::paintEvent(QPaintEvent* evenement) {
    QPainter peintre(this);
    const QRect zone = evenement->rect();
    // The page surface's background is white: what it shows where no page
    // is drawn (before play, once erased, beside a small page).
    peintre.fillRect(zone, Qt::white);
    if (efface_ || !tampon_ || tampon_->isNull() || !entree_.ModeJeu()) return;
    const QRect source = zone.translated(origine_.x, origine_.y).intersected(tampon_->rect());
    if (source.isEmpty()) return;
    peintre.drawImage(source.topLeft() - QPoint(origine_.x, origine_.y), *tampon_, source);
}

double EspaceAffichage::TwipsX(const QMouseEvent& evenement) const {
    return evenement.position().x() * entree_.TwipsParPixelX();
}

double EspaceAffichage::TwipsY(const QMouseEvent& evenement) const {
    return evenement.position().y() * entree_.TwipsParPixelY();
}

void EspaceAffichage::mousePressEvent(QMouseEvent* evenement) {
    entree_.Enfonce(BoutonsSouris(evenement->button()), EtatMaj(evenement->modifiers()), TwipsX(*evenement),
                    TwipsY(*evenement), origine_);
}

void EspaceAffichage::mouseReleaseEvent(QMouseEvent* evenement) {
    if (avantRelache) Proteger(entree_.Recepteur(), avantRelache);
    entree_.Relache(BoutonsSouris(evenement->button()), EtatMaj(evenement->modifiers()), TwipsX(*evenement),
                    TwipsY(*evenement), origine_);
}

void EspaceAffichage::mouseMoveEvent(QMouseEvent* evenement) {
    entree_.Deplace(BoutonsSouris(evenement->buttons()), EtatMaj(evenement->modifiers()), TwipsX(*evenement),
                    TwipsY(*evenement), origine_);
}

void EspaceAffichage::mouseDoubleClickEvent(QMouseEvent* evenement) {
    // The window system sends the double-click in place of the second
    // mouse-down: it replays the first one.
    (void)evenement;
    entree_.DoubleClic(origine_);
}

FenetreScene::FenetreScene(EntreeSurface& entree, QWidget* parent) : QWidget(parent), entree_(entree) {
    setObjectName("FenetreScene");
    espace_ = new EspaceAffichage(entree, this);
    ascHor_ = new QScrollBar(Qt::Horizontal, this);
    ascHor_->setObjectName("SceneAscHor");
    ascVer_ = new QScrollBar(Qt::Vertical, this);
    ascVer_->setObjectName("SceneAscVer");
    ascHor_->hide();
    ascVer_->hide();
    QObject::connect(ascHor_, &QScrollBar::valueChanged, this, [this] { BarreChangee(); });
    QObject::connect(ascVer_, &QScrollBar::valueChanged, this, [this] { BarreChangee(); });
}

void FenetreScene::DefinirTampon(const QImage* tampon) {
    espace_->DefinirTampon(tampon);
    Placer();
}

void FenetreScene::DefinirBarres(Barre horizontale, Barre verticale, int twipsParPixelX, int twipsParPixelY) {
    barresDisposees_ = true;
    hor_ = horizontale;
    ver_ = verticale;
    twipsX_ = std::max(1, twipsParPixelX);
    twipsY_ = std::max(1, twipsParPixelY);
    Placer();
}

void FenetreScene::resizeEvent(QResizeEvent* evenement) {
    QWidget::resizeEvent(evenement);
    Placer();
}

void FenetreScene::Placer() {
    const QImage* tampon = espace_->Tampon();
    const int largeurPage = tampon ? tampon->width() : 0;
    const int hauteurPage = tampon ? tampon->height() : 0;
    const int largeur = width();
    const int hauteur = height();
    const int epaisseurVer = ascVer_->sizeHint().width();
    const int epaisseurHor = ascHor_->sizeHint().height();

    if (barresDisposees_) {
        const int largeurVue = std::max(0, largeur - (ver_.visible ? epaisseurVer : 0));
        const int hauteurVue = std::max(0, hauteur - (hor_.visible ? epaisseurHor : 0));
        espace_->setGeometry(0, 0, largeurVue, hauteurVue);
        ascHor_->setGeometry(0, hauteurVue, largeurVue, epaisseurHor);
        ascVer_->setGeometry(largeurVue, 0, epaisseurVer, hauteurVue);
        const auto regler = [](QScrollBar& asc, const Barre& b) {
            asc.setRange(0, b.visible ? std::max(0, b.maximum) : 0);
            asc.setSingleStep(std::max(1, b.petitPas));
            asc.setPageStep(std::max(1, b.grandPas));
            asc.setVisible(b.visible);
        };
        regler(*ascHor_, hor_);
        regler(*ascVer_, ver_);
        return;
    }

    // One bar takes room from the other side, which may then need its own.
    bool hor = largeurPage > largeur;
    bool ver = hauteurPage > hauteur;
    if (hor && !ver) ver = hauteurPage > hauteur - epaisseurHor;
    if (ver && !hor) hor = largeurPage > largeur - epaisseurVer;
    const int largeurVue = std::max(0, largeur - (ver ? epaisseurVer : 0));
    const int hauteurVue = std::max(0, hauteur - (hor ? epaisseurHor : 0));

    espace_->setGeometry(0, 0, largeurVue, hauteurVue);
    ascHor_->setGeometry(0, hauteurVue, largeurVue, epaisseurHor);
    ascVer_->setGeometry(largeurVue, 0, epaisseurVer, hauteurVue);
    ascHor_->setRange(0, hor ? largeurPage - largeurVue : 0);
    ascVer_->setRange(0, ver ? hauteurPage - hauteurVue : 0);
    ascHor_->setPageStep(std::max(1, largeurVue));
    ascVer_->setPageStep(std::max(1, hauteurVue));
    ascHor_->setVisible(hor);
    ascVer_->setVisible(ver);
}

void FenetreScene::BarreChangee() {
    // Bars laid out by the page display count twips; the origin is pixels.
    const OrigineDefilement origine = barresDisposees_
                                          ? OrigineDefilement{ascHor_->value() / twipsX_, ascVer_->value() / twipsY_}
                                          : OrigineDefilement{ascHor_->value(), ascVer_->value()};
    espace_->DefinirOrigine(origine);
    entree_.Defilement(origine);
}

}  // namespace korv::plan
