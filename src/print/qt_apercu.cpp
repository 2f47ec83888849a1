#include "print/qt_apercu.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

#include "print/plage_impression.h"
#include "print/qt_imprimante.h"
#include "print/qt_peintre_imprimante.h"

namespace korv::print {
namespace {

// The print-range frame: which pages go to the printer.
void DialoguePlage(QWidget* parent, QtImprimante& imprimante, const ImpressionTravail& t, const QString& pageApercu,
                   const DessinGraphique& graphique) {
    QDialog d(parent);
    d.setWindowTitle(QStringLiteral("Imprimer..."));
    auto* toutes = new QRadioButton(QStringLiteral("Toutes les pages"));
    auto* deA = new QRadioButton(QStringLiteral("De la page"));
    auto* actuelle = new QRadioButton(QStringLiteral("La page actuelle de l'aperçu"));
    toutes->setChecked(true);
    auto* de = new QLineEdit(QStringLiteral("1"));
    auto* a = new QLineEdit(QString::number(t.NombreDePages));
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(deA);
    ligne->addWidget(de);
    ligne->addWidget(new QLabel(QStringLiteral("à la page")));
    ligne->addWidget(a);
    auto* boutons = new QDialogButtonBox;
    boutons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    boutons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    QObject::connect(boutons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(boutons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    // The frame "Imprimer...", with the options, the boxes and the buttons.
    auto* cadre = new QGroupBox(QStringLiteral("Imprimer..."));
    auto* v = new QVBoxLayout(cadre);
    v->addWidget(toutes);
    v->addLayout(ligne);
    v->addWidget(actuelle);
    v->addWidget(boutons);
    auto* dialogue = new QVBoxLayout(&d);
    dialogue->addWidget(cadre);
    if (d.exec() != QDialog::Accepted) return;
    const ChoixPages choix = deA->isChecked() ? ChoixPages::DeA
                             : actuelle->isChecked() ? ChoixPages::PageApercu
                                                     : ChoixPages::Toutes;
    const PlagePages plage = PlageAImprimer(t.NombreDePages, choix, de->text().toStdString(),
                                            a->text().toStdString(), pageApercu.toStdString());
    QtPeintreImprimante peintre(imprimante.Printer(), t, graphique);
    const std::string erreur = ImprimerPlage(peintre, t.NombreDePages, plage);
    if (!erreur.empty())
        QMessageBox::warning(parent, QStringLiteral("Corvanne Rarevive Zaru"), QString::fromStdString(erreur));
}

// The visible page: painted by the window at the zoom and scroll positions.
class VueAffichage final : public QWidget {
public:
    explicit VueAffichage(const QtFenetreApercu& fenetre, QWidget* parent) : QWidget(parent), fenetre_(fenetre) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        fenetre_.PeindreAffichage(p);
    }

private:
    const QtFenetreApercu& fenetre_;
};

int Pixels(double twips, std::int32_t tpp) { return static_cast<int>(std::lround(twips / tpp)); }

QRect EnPixels(const RectangleApercu& r, std::int32_t tpp) {
    return QRect(Pixels(r.gauche, tpp), Pixels(r.haut, tpp), Pixels(r.largeur, tpp), Pixels(r.hauteur, tpp));
}

void Appliquer(QScrollBar& s, const BarreApercu& b) {
    s.setEnabled(b.active);
    if (b.active) s.setRange(b.minimum, b.maximum);
    else s.setRange(0, 0);
    s.setSingleStep(b.petitPas);
    s.setPageStep(b.grandPas);
    s.setValue(b.valeur);
}

}  // namespace

QtFenetreApercu::QtFenetreApercu(QWidget* parent, ContexteApercu& contexte, QtImprimante& imprimante,
                                 DessinGraphique graphique, std::int32_t twipsParPixel)
    : QDialog(parent),
      contexte_(contexte),
      imprimante_(imprimante),
      graphique_(std::move(graphique)),
      tpp_(twipsParPixel > 0 ? twipsParPixel : 15) {
    setWindowTitle(QStringLiteral("Aperçu avant impression"));
    setBackgroundRole(QPalette::Dark);
    setAutoFillBackground(true);

    outils_ = new QFrame(this);
    outils_->setAutoFillBackground(true);
    outils_->setBackgroundRole(QPalette::Window);
    command1_ = new QPushButton(QStringLiteral("Imprimer"), outils_);
    fermer_ = new QPushButton(QStringLiteral("Fermer"), outils_);
    // Enter belongs to the page and zoom boxes, not to a default button.
    for (QPushButton* b : {command1_, fermer_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    numero_ = new QLineEdit(QStringLiteral("1"), outils_);
    numero_->setMaximumWidth(60);
    nombre_ = new QLabel(QStringLiteral("/"), outils_);
    pages_ = new QScrollBar(Qt::Horizontal, outils_);
    pages_->setRange(1, 1);
    pages_->setPageStep(1);
    pages_->setFixedWidth(160);
    zoom_ = new QComboBox(outils_);
    zoom_->setEditable(true);
    zoom_->setInsertPolicy(QComboBox::NoInsert);
    zoom_->addItems({"10", "25", "50", "75", "100", "150", "200", "400"});
    zoom_->setCurrentText(QStringLiteral("100"));
    zoom_->setMaximumWidth(80);
    auto* ligne = new QHBoxLayout(outils_);
    ligne->setContentsMargins(4, 4, 4, 4);
    ligne->addWidget(command1_);
    ligne->addWidget(fermer_);
    ligne->addSpacing(12);
    ligne->addWidget(new QLabel(QStringLiteral("Page"), outils_));
    ligne->addWidget(numero_);
    ligne->addWidget(nombre_);
    ligne->addWidget(pages_);
    ligne->addSpacing(12);
    ligne->addWidget(new QLabel(QStringLiteral("Zoom (%)"), outils_));
    ligne->addWidget(zoom_);
    ligne->addStretch();

    affichage_ = new VueAffichage(*this, this);
    horizontale_ = new QScrollBar(Qt::Horizontal, this);
    verticale_ = new QScrollBar(Qt::Vertical, this);
    coin_ = new QWidget(this);
    coin_->setAutoFillBackground(true);
    coin_->setBackgroundRole(QPalette::Window);

    connect(pages_, &QScrollBar::valueChanged, this, [this] { Repeindre(); });
    connect(horizontale_, &QScrollBar::valueChanged, this, [this] { Repeindre(); });
    connect(verticale_, &QScrollBar::valueChanged, this, [this] { Repeindre(); });
    connect(numero_, &QLineEdit::returnPressed, this, [this] {
        pages_->setValue(PageDemandee(numero_->text().toStdString(), contexte_.travail.NombreDePages));
        Repeindre();
    });
    connect(zoom_, &QComboBox::activated, this, [this] { Disposer(); });
    connect(zoom_->lineEdit(), &QLineEdit::returnPressed, this, [this] { Disposer(); });
    connect(fermer_, &QPushButton::clicked, this, &QDialog::accept);
    connect(command1_, &QPushButton::clicked, this, [this] { ImprimerPlage(); });
}

MesuresApercu QtFenetreApercu::Mesures() const {
    MesuresApercu m;
    m.twipsParPixelX = m.twipsParPixelY = tpp_;
    m.largeurInterne = static_cast<double>(width()) * tpp_;
    m.hauteurInterne = static_cast<double>(height()) * tpp_;
    m.hauteurOutils = static_cast<double>(outils_->sizeHint().height()) * tpp_;
    m.largeurBarreVerticale = static_cast<double>(verticale_->sizeHint().width()) * tpp_;
    m.hauteurBarreHorizontale = static_cast<double>(horizontale_->sizeHint().height()) * tpp_;
    m.hauteurBarreVerticale = static_cast<double>(verticale_->height()) * tpp_;
    m.largeurBarreHorizontale = static_cast<double>(horizontale_->width()) * tpp_;
    m.largeurPage = LargeurPageApercu(contexte_.travail);
    m.hauteurPage = HauteurPageApercu(contexte_.travail);
    return m;
}

void QtFenetreApercu::Activer() {
    if (active_) return;
    active_ = true;
    const std::int32_t n = contexte_.paginer();
    if (n <= 0) {
        reject();
        return;
    }
    nombre_->setText(QStringLiteral("/") + QString::number(n));
    pages_->setRange(1, n);
    Disposer();
}

void QtFenetreApercu::Disposer() {
    disposition_ = ApercuDisposer(Mesures(), zoom_->currentText().toStdString());
    const DispositionApercu& d = disposition_;
    outils_->setGeometry(EnPixels(d.outils, tpp_));
    affichage_->setGeometry(EnPixels(d.affichage, tpp_));
    horizontale_->setGeometry(EnPixels(d.barreHorizontale, tpp_));
    verticale_->setGeometry(EnPixels(d.barreVerticale, tpp_));
    coin_->setGeometry(EnPixels(d.coin, tpp_));
    // The page lies under the bars and the corner.
    horizontale_->raise();
    verticale_->raise();
    coin_->raise();
    outils_->raise();
    {
        // One repaint for the whole layout, not one per bar.
        const QSignalBlocker h(horizontale_), v(verticale_);
        Appliquer(*horizontale_, d.horizontale);
        Appliquer(*verticale_, d.verticale);
    }
    Repeindre();
}

void QtFenetreApercu::Repeindre() {
    numero_->setText(QString::number(pages_->value()));
    affichage_->update();
}

void QtFenetreApercu::PeindreAffichage(QPainter& p) const {
    p.fillRect(QRect(QPoint(0, 0), affichage_->size()), Qt::white);
    if (!active_ || contexte_.travail.NombreDePages <= 0) return;
    // Small zooms shrink the printer's text below screen sizes: smoothed,
    // it stays readable.
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    VuePage vue;
    vue.pixelsParTwip = disposition_.zoom / 100.0 / tpp_;
    vue.defilement = QPointF(DefilementPixels(horizontale_->value(), tpp_), DefilementPixels(verticale_->value(), tpp_));
    PeindrePage(contexte_.travail, pages_->value(), p, vue, graphique_);
}

void QtFenetreApercu::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    Disposer();
}

void QtFenetreApercu::ImprimerPlage() {
    DialoguePlage(this, imprimante_, contexte_.travail, numero_->text(), graphique_);
    Disposer();
}

void QtApercu::Montrer(ContexteApercu& c) {
    QtFenetreApercu f(parent_, c, imprimante_, graphique_);
    // Its usual size, within the screen's free area with room for the
    // frame: on a small screen the bars along its edges stay in sight.
    QSize taille(900, 800);
    if (const QScreen* ecran = parent_ ? parent_->screen() : QGuiApplication::primaryScreen())
        taille = taille.boundedTo(ecran->availableGeometry().size() * 0.9);
    f.resize(taille);
    // The first activation paginates.
    QTimer::singleShot(0, &f, [&f] { f.Activer(); });
    f.exec();
}

}  // namespace korv::print
