#include "plan/qt_texte_riche_police.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "platform/colour_dialog.h"
#include "platform/qt_cp1252.h"

namespace korv::plan {

namespace {
QString Q(std::string_view cp1252) { return platform::VersQString(cp1252); }

void Coche(QCheckBox* c, int valeur) {
    const QSignalBlocker bloque(c);
    c->setCheckState(valeur == 2 ? Qt::PartiallyChecked : (valeur == 1 ? Qt::Checked : Qt::Unchecked));
}

int Valeur(QCheckBox* c) {
    return c->checkState() == Qt::PartiallyChecked ? 2 : (c->checkState() == Qt::Checked ? 1 : 0);
}
}  // namespace

QtTexteRichePolice::QtTexteRichePolice(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Q(TexteRichePolice::kTitre));
    setModal(true);
    auto* grille = new QGridLayout(this);
    auto* boite = new QGroupBox(QStringLiteral("Police"), this);
    auto* g = new QGridLayout(boite);
    police_ = new QComboBox(boite);
    police_->setEditable(true);
    taille_ = new QComboBox(boite);
    taille_->setEditable(true);
    for (const auto& t : TexteRichePolice::Tailles()) taille_->addItem(Q(t));
    gras_ = new QCheckBox(QStringLiteral("Gras"), boite);
    italique_ = new QCheckBox(QStringLiteral("Italique"), boite);
    souligne_ = new QCheckBox(QString::fromUtf8("Soulign\u00e9"), boite);
    g->addWidget(police_, 0, 0, 1, 2);
    g->addWidget(taille_, 0, 2);
    g->addWidget(gras_, 1, 0);
    g->addWidget(italique_, 1, 1);
    g->addWidget(souligne_, 1, 2);
    alignement_ = new QComboBox(this);
    for (const auto& a : TexteRichePolice::Alignements()) alignement_->addItem(Q(a));
    couleur_ = new QPushButton(this);
    couleur_->setFixedSize(40, 24);
    apercu_ = new QLabel(Q(TexteRichePolice::kApercu), this);
    apercu_->setWordWrap(true);
    ok_ = new QPushButton(QStringLiteral("Ok"), this);
    auto* annuler = new QPushButton(QStringLiteral("Annuler"), this);
    grille->addWidget(boite, 0, 0, 1, 3);
    grille->addWidget(alignement_, 1, 0, 1, 2);
    grille->addWidget(couleur_, 1, 2);
    grille->addWidget(apercu_, 2, 0, 1, 3);
    grille->addWidget(ok_, 3, 1);
    grille->addWidget(annuler, 3, 2);

    etat_.apercu = [this](const TexteRichePolice::Police& p) {
        QFont f(Q(p.nom));
        if (p.taille >= 1) f.setPointSizeF(p.taille);
        f.setBold(p.gras);
        f.setItalic(p.italique);
        f.setUnderline(p.souligne);
        apercu_->setFont(f);
    };
    QObject::connect(police_, &QComboBox::editTextChanged, this,
                     [this](const QString& t) { etat_.ListePoliceChange(platform::DepuisQString(t)); });
    QObject::connect(police_, &QComboBox::activated, this, [this](int i) { etat_.ListePoliceClick(i); });
    QObject::connect(taille_, &QComboBox::editTextChanged, this,
                     [this](const QString& t) { etat_.ListeTailleChange(platform::DepuisQString(t)); });
    QObject::connect(taille_, &QComboBox::activated, this, [this](int i) { etat_.ListeTailleClick(i); });
    QObject::connect(gras_, &QCheckBox::clicked, this, [this] { etat_.PoliceGrasClick(Valeur(gras_)); });
    QObject::connect(italique_, &QCheckBox::clicked, this, [this] { etat_.PoliceItaliqueClick(Valeur(italique_)); });
    QObject::connect(souligne_, &QCheckBox::clicked, this, [this] { etat_.PoliceSouligneClick(Valeur(souligne_)); });
    QObject::connect(alignement_, &QComboBox::activated, this, [this](int i) { etat_.ParagrapheAlignementClick(i); });
    QObject::connect(couleur_, &QPushButton::clicked, this, [this] {
        etat_.CouleurClick();
        Montrer();
    });
    QObject::connect(ok_, &QPushButton::clicked, this, [this] {
        etat_.BtnOkClick();
        accept();
    });
    QObject::connect(annuler, &QPushButton::clicked, this, [this] {
        etat_.BtnAnnulerClick();
        reject();
    });
}

void QtTexteRichePolice::FormInit(BoiteTexteRiche& cible, const std::vector<std::string>& polices) {
    etat_.FormInit(cible, polices);
    Montrer();
}

void QtTexteRichePolice::Montrer() {
    {
        const QSignalBlocker bloque(police_);
        police_->clear();
        for (const auto& p : etat_.ListePolice()) police_->addItem(Q(p));
        police_->setEditText(Q(etat_.ListePoliceTexte()));
    }
    {
        const QSignalBlocker bloque(taille_);
        taille_->setEditText(Q(etat_.ListeTailleTexte()));
    }
    Coche(gras_, etat_.PoliceGras());
    Coche(italique_, etat_.PoliceItalique());
    Coche(souligne_, etat_.PoliceSouligne());
    {
        const QSignalBlocker bloque(alignement_);
        alignement_->setCurrentIndex(etat_.ParagrapheAlignementIndex());
    }
    const platform::Rvb c = platform::DepuisColorref(etat_.CouleurFond());
    couleur_->setStyleSheet(etat_.CouleurTexte().empty()
                                ? QString()
                                : QStringLiteral("background-color: rgb(%1,%2,%3);").arg(c.rouge).arg(c.vert).arg(c.bleu));
}

}  // namespace korv::plan
