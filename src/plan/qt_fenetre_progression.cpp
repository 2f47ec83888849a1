#include "plan/qt_fenetre_progression.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "plan/qt_fenetres_outils.h"
#include "platform/qt_cp1252.h"

namespace korv::plan {

namespace {

constexpr int kTwipsParPourcent = 40;
constexpr int kHauteurJaugePixels = 18;

}  // namespace

FenetreMessage::FenetreMessage(int twipsParPixelX)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      twipsParPixelX_(twipsParPixelX) {
    setObjectName("MESSAGE");
    setWindowTitle("Message");

    label = new QLabel(this);
    label->setObjectName("Label");
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);

    pourcentageConteneur = new QFrame(this);
    pourcentageConteneur->setObjectName("PourcentageConteneur");
    pourcentageConteneur->setFrameShape(QFrame::Box);
    pourcentageConteneur->setFixedSize(PixelsDepuisTwips(100 * kTwipsParPourcent, twipsParPixelX_),
                                       kHauteurJaugePixels);
    pourcentageConteneur->hide();
    pourcentageValeur = new QFrame(pourcentageConteneur);
    pourcentageValeur->setObjectName("PourcentageValeur");
    pourcentageValeur->setAutoFillBackground(true);
    QPalette palette = pourcentageValeur->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Highlight));
    pourcentageValeur->setPalette(palette);
    LargeurBarreFixer(0);

    ok = new QPushButton("Ok", this);
    ok->setObjectName("Ok");
    annuler = new QPushButton("Annuler", this);
    annuler->setObjectName("Annuler");
    editer = new QPushButton("Editer", this);
    editer->setObjectName("Editer");
    BoutonsCacher();
    QObject::connect(ok, &QPushButton::clicked, this, [this] { BoutonsCacher(); });
    QObject::connect(annuler, &QPushButton::clicked, this, [this] {
        BoutonsCacher();
        reponse = "ANNULER";
    });

    auto* boutons = new QHBoxLayout;
    boutons->addWidget(ok);
    boutons->addWidget(annuler);
    boutons->addWidget(editer);
    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(label);
    colonne->addWidget(pourcentageConteneur, 0, Qt::AlignHCenter);
    colonne->addLayout(boutons);
    setMinimumWidth(pourcentageConteneur->width() + 40);
}

void FenetreMessage::BoutonsCacher() {
    ok->hide();
    annuler->hide();
    editer->hide();
}

void FenetreMessage::LargeurBarreFixer(int twips) {
    largeurBarreTwips_ = twips;
    pourcentageValeur->setGeometry(0, 0, PixelsDepuisTwips(twips, twipsParPixelX_), kHauteurJaugePixels);
}

void FenetreMessage::Fermer() {
    fermetureProgramme_ = true;
    close();
    fermetureProgramme_ = false;
}

void FenetreMessage::closeEvent(QCloseEvent* evenement) {
    // The user cannot close it; the operation it shows closes it.
    if (fermetureProgramme_) {
        evenement->accept();
    } else {
        evenement->ignore();
    }
}

FenetreProgression::FenetreProgression(int twipsParPixelX) noexcept
    : twipsParPixelX_(twipsParPixelX) {}

FenetreProgression::~FenetreProgression() { Fermer(); }

void FenetreProgression::Ouvrir(std::string_view titre, std::string_view texte) {
    if (!fenetre_) fenetre_ = std::make_unique<FenetreMessage>(twipsParPixelX_);
    fenetre_->reponse.clear();
    fenetre_->setWindowTitle(platform::VersQString(titre));
    fenetre_->label->setText(platform::VersQString(texte));
    fenetre_->adjustSize();
    CentrerSurEcran(*fenetre_);
    fenetre_->show();
}

void FenetreProgression::Pourcentage(long valeur) {
    if (!fenetre_) return;
    FenetreMessage& f = *fenetre_;
    if (valeur >= 0 && valeur <= 100) {
        f.pourcentageConteneur->show();
        f.LargeurBarreFixer(static_cast<int>(valeur) * kTwipsParPourcent);
    } else if (valeur == 200) {
        f.LargeurBarreFixer(0);
        f.pourcentageConteneur->show();
        f.pourcentageConteneur->update();
    } else if (valeur == -200) {
        f.pourcentageConteneur->hide();
        f.update();
    }
}

void FenetreProgression::Fermer() {
    if (!fenetre_) return;
    fenetre_->Fermer();
    fenetre_.reset();
}

}  // namespace korv::plan
