#include "plan/qt_splash.h"

#include <QFont>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "plan/qt_fenetres_outils.h"
#include "plan/textes_fenetres.h"
#include "platform/qt_cp1252.h"

namespace korv::plan {

namespace {

QString Affichable(const std::string& cp1252) {
    return platform::VersQString(cp1252).replace("\r\n", "\n").trimmed();
}

}  // namespace

FenetreSplash::FenetreSplash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("frmSplash");

    auto* frame = new QFrame(this);
    frame->setObjectName("Frame1");
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);

    const QFont arial("Arial", 10);
    lblVersion = new QLabel(Affichable(TexteSplashVersion()), frame);
    lblVersion->setObjectName("lblVersion");
    lblVersion->setFont(arial);
    lblLicenseTo = new QLabel(Affichable(TexteSplashChargement()), frame);
    lblLicenseTo->setObjectName("lblLicenseTo");
    lblLicenseTo->setFont(arial);
    label1 = new QLabel(Affichable(TexteSplashCredit()), frame);
    label1->setObjectName("Label1");
    label1->setAlignment(Qt::AlignCenter);
    pourcentageValeur = new QProgressBar(frame);
    pourcentageValeur->setObjectName("PourcentageValeur");
    pourcentageValeur->setRange(0, 100);
    pourcentageValeur->setValue(0);

    image1 = new QLabel(frame);
    image1->setObjectName("Image1");
    image1->setPixmap(ImageProduit(64));
    image1->setAlignment(Qt::AlignCenter);

    auto* contenu = new QVBoxLayout(frame);
    contenu->addWidget(image1);
    contenu->addWidget(label1);
    contenu->addWidget(lblVersion, 0, Qt::AlignRight);
    contenu->addWidget(lblLicenseTo, 0, Qt::AlignRight);
    contenu->addWidget(pourcentageValeur);
    auto* cadre = new QVBoxLayout(this);
    cadre->setContentsMargins(0, 0, 0, 0);
    cadre->addWidget(frame);
    setMinimumWidth(360);
}

void FenetreSplash::keyPressEvent(QKeyEvent* evenement) {
    evenement->accept();
    close();
}

void FenetreSplash::mouseReleaseEvent(QMouseEvent* evenement) {
    (void)evenement;
    close();
}

SplashDemarrage::~SplashDemarrage() { Decharger(); }

void SplashDemarrage::Montrer() {
    if (!fenetre_) fenetre_ = std::make_unique<FenetreSplash>();
    fenetre_->adjustSize();
    CentrerSurEcran(*fenetre_);
    fenetre_->show();
}

void SplashDemarrage::OrvaneSplashAffiche(long pourcent) {
    if (pourcent < 0 || pourcent > 100) return;
    if (!fenetre_) fenetre_ = std::make_unique<FenetreSplash>();
    fenetre_->pourcentageValeur->setValue(static_cast<int>(pourcent));
}

void SplashDemarrage::Decharger() {
    if (!fenetre_) return;
    fenetre_->close();
    fenetre_.reset();
}

}  // namespace korv::plan
