#include "plan/qt_redaction.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

#include "plan/barre_rtf.h"
#include "platform/colour_dialog.h"
#include "platform/qt_cp1252.h"

namespace korv::plan {

namespace {
void BoutonMontrer(QToolButton* b, const BoutonRTF& etat) {
    const QSignalBlocker bloque(b);
    b->setChecked(etat.valeur == 1);
    // The mixed face: the letter greyed.
    b->setStyleSheet(etat.mixte ? QStringLiteral("color: gray;") : QString());
}
}  // namespace

QtBarreRTF::QtBarreRTF(BarresRTF& barres, int n, QWidget* parent) : QWidget(parent), barres_(barres), n_(n) {
    auto* ligne = new QHBoxLayout(this);
    ligne->setContentsMargins(2, 2, 2, 2);
    ligne->setSpacing(2);
    police_ = new QComboBox(this);
    police_->setEditable(true);
    police_->setInsertPolicy(QComboBox::NoInsert);
    police_->setMinimumContentsLength(14);
    taille_ = new QComboBox(this);
    taille_->setEditable(true);
    taille_->setInsertPolicy(QComboBox::NoInsert);
    taille_->setMinimumContentsLength(3);
    for (const auto& t : BarresRTF::Tailles()) taille_->addItem(platform::VersQString(t));
    ligne->addWidget(police_);
    ligne->addWidget(taille_);
    QObject::connect(police_, &QComboBox::editTextChanged, this,
                     [this](const QString& t) { barres_.PoliceChange(n_, platform::DepuisQString(t)); });
    QObject::connect(police_, &QComboBox::activated, this, [this](int i) { barres_.PoliceClick(n_, i); });
    QObject::connect(police_->lineEdit(), &QLineEdit::returnPressed, this, [this] { barres_.PoliceKeyPress(n_, 13); });
    QObject::connect(taille_, &QComboBox::editTextChanged, this,
                     [this](const QString& t) { barres_.TailleChange(n_, platform::DepuisQString(t)); });
    QObject::connect(taille_, &QComboBox::activated, this, [this](int i) { barres_.TailleClick(n_, i); });
    QObject::connect(taille_->lineEdit(), &QLineEdit::returnPressed, this, [this] { barres_.TailleKeyPress(n_, 13); });

    gras_ = Bouton(QStringLiteral("G"), QStringLiteral("Gras"), [this] { barres_.GrasMouseDown(n_); });
    QFont f = gras_->font();
    f.setBold(true);
    gras_->setFont(f);
    italique_ = Bouton(QStringLiteral("I"), QStringLiteral("Italique"), [this] { barres_.ItaliqueMouseDown(n_); });
    souligne_ = Bouton(QStringLiteral("S"), QStringLiteral("Soulign\u00e9"), [this] { barres_.SouligneMouseDown(n_); });
    gauche_ = Bouton(QStringLiteral("\u21e4"), QStringLiteral("Align\u00e9 \u00e0 gauche"),
                     [this] { barres_.AligGaucheMouseDown(n_); });
    centre_ = Bouton(QStringLiteral("\u2261"), QStringLiteral("Centr\u00e9"), [this] { barres_.AligCentreMouseDown(n_); });
    droite_ = Bouton(QStringLiteral("\u21e5"), QStringLiteral("Align\u00e9 \u00e0 droite"),
                     [this] { barres_.AligDroiteMouseDown(n_); });
    couleur_ = Bouton(QStringLiteral("A"), QStringLiteral("Couleur"), {});
    QObject::connect(couleur_, &QToolButton::released, this, [this] { barres_.CouleurMouseUp(n_); });
    auto* saut = new QToolButton(this);
    saut->setText(QStringLiteral("\u00b6"));
    saut->setToolTip(QStringLiteral("Nouvelle page"));
    saut->setFocusPolicy(Qt::NoFocus);
    QObject::connect(saut, &QToolButton::clicked, this, [this] { barres_.SautePageClick(n_); });
    for (QToolButton* b : {gras_, italique_, souligne_, gauche_, centre_, droite_, couleur_, saut}) ligne->addWidget(b);
    ligne->addStretch(1);
    setAutoFillBackground(true);
    hide();
}

QToolButton* QtBarreRTF::Bouton(const QString& texte, const QString& bulle, std::function<void()> enfonce) {
    auto* b = new QToolButton(this);
    b->setText(texte);
    b->setToolTip(bulle);
    b->setCheckable(true);
    b->setFocusPolicy(Qt::NoFocus);
    if (enfonce) QObject::connect(b, &QToolButton::pressed, this, std::move(enfonce));
    // The state decides what the button shows, not its own toggling.
    QObject::connect(b, &QToolButton::clicked, this, [this] { Montrer(); });
    return b;
}

void QtBarreRTF::Montrer() {
    const EtatBarreRTF& e = barres_.Etat(n_);
    if (policesMontrees_ != static_cast<int>(barres_.Polices().size())) {
        const QSignalBlocker bloque(police_);
        police_->clear();
        for (const auto& p : barres_.Polices()) police_->addItem(platform::VersQString(p));
        policesMontrees_ = static_cast<int>(barres_.Polices().size());
    }
    {
        const QSignalBlocker bloque(police_);
        if (e.policeIndex >= 0 && e.policeIndex < police_->count()) police_->setCurrentIndex(e.policeIndex);
        if (police_->currentText() != platform::VersQString(e.police)) police_->setEditText(platform::VersQString(e.police));
    }
    {
        const QSignalBlocker bloque(taille_);
        if (taille_->currentText() != platform::VersQString(e.taille)) taille_->setEditText(platform::VersQString(e.taille));
    }
    BoutonMontrer(gras_, e.gras);
    BoutonMontrer(italique_, e.italique);
    BoutonMontrer(souligne_, e.souligne);
    BoutonMontrer(gauche_, e.aligGauche);
    BoutonMontrer(centre_, e.aligCentre);
    BoutonMontrer(droite_, e.aligDroite);
    {
        const QSignalBlocker bloque(couleur_);
        couleur_->setChecked(e.couleur == 1);
        const platform::Rvb c = platform::DepuisColorref(e.couleurFond);
        couleur_->setStyleSheet(QStringLiteral("background-color: rgb(%1,%2,%3); color: white;")
                                    .arg(c.rouge)
                                    .arg(c.vert)
                                    .arg(c.bleu));
    }
    if (e.visible != isVisible()) setVisible(e.visible);
}

QtTexteRiche::QtTexteRiche(QWidget* parent, std::int32_t tpp) : QTextEdit(parent), BoiteRicheQt(tpp) {
    setAcceptRichText(false);
    setTabChangesFocus(false);
    QObject::connect(this, &QTextEdit::cursorPositionChanged, this, [this] { Dire(EvenementRiche::SelectionChange); });
    QObject::connect(this, &QTextEdit::selectionChanged, this, [this] { Dire(EvenementRiche::SelectionChange); });
    // Moves without a button are the box's events too (the tooltip's rule).
    viewport()->setMouseTracking(true);
}

void QtTexteRiche::focusInEvent(QFocusEvent* e) {
    QTextEdit::focusInEvent(e);
    Dire(EvenementRiche::FocusEntree);
}

void QtTexteRiche::focusOutEvent(QFocusEvent* e) {
    QTextEdit::focusOutEvent(e);
    Dire(EvenementRiche::FocusPerte);
}

void QtTexteRiche::mouseMoveEvent(QMouseEvent* e) {
    QTextEdit::mouseMoveEvent(e);
    Dire(EvenementRiche::SourisDeplacee);
}

QtPanneauRedaction::QtPanneauRedaction(QWidget* surface, std::int32_t tpp)
    : QWidget(surface), texte_(new QtTexteRiche(this, tpp)) {
    hide();
}

void QtPanneauRedaction::Brancher(BarresRTF& barres) {
    barres_ = &barres;
    barre_ = new QtBarreRTF(barres, 0, this);
    Disposer();
}

void QtPanneauRedaction::Placer(int x, int y, int largeur, int hauteur) {
    setGeometry(x, y, std::max(largeur, 1), std::max(hauteur, 1));
    Disposer();
}

void QtPanneauRedaction::Disposer() {
    const bool barre = barres_ && barre_ && barres_->Etat(0).visible;
    const int h = barre ? barre_->sizeHint().height() : 0;
    if (barre_) barre_->setGeometry(0, 0, width(), h);
    // A toolbar as high as the panel leaves the box its height, below it.
    const int reste = h < height() ? height() - h : texte_->height();
    texte_->setGeometry(0, h, width(), reste);
}

void QtPanneauRedaction::Montrer(bool visible) {
    setVisible(visible);
    if (visible) raise();
}

}  // namespace korv::plan
