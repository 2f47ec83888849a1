#include "print/qt_apercu.h"

#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "print/plage_impression.h"
#include "print/qt_imprimante.h"
#include "print/qt_peintre_imprimante.h"

namespace korv::print {
namespace {

constexpr double kTwipsParPixelEcran = 15;

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
    auto* v = new QVBoxLayout(&d);
    v->addWidget(toutes);
    v->addLayout(ligne);
    v->addWidget(actuelle);
    v->addWidget(boutons);
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

}  // namespace

void QtApercu::Montrer(ContexteApercu& c) {
    QDialog d(parent_);
    d.setWindowTitle(QStringLiteral("Aperçu avant impression"));
    d.resize(900, 800);
    auto* imprimer = new QPushButton(QStringLiteral("Imprimer"));
    auto* fermer = new QPushButton(QStringLiteral("Fermer"));
    auto* numero = new QLineEdit(QStringLiteral("1"));
    numero->setMaximumWidth(60);
    auto* nombre = new QLabel(QStringLiteral("/"));
    auto* barre = new QScrollBar(Qt::Horizontal);
    barre->setRange(1, 1);
    barre->setMaximumWidth(160);
    auto* zoom = new QLineEdit(QStringLiteral("100"));
    zoom->setMaximumWidth(60);
    auto* outils = new QHBoxLayout;
    outils->addWidget(imprimer);
    outils->addWidget(fermer);
    outils->addWidget(new QLabel(QStringLiteral("Page")));
    outils->addWidget(numero);
    outils->addWidget(nombre);
    outils->addWidget(barre);
    outils->addWidget(new QLabel(QStringLiteral("Zoom (%)")));
    outils->addWidget(zoom);
    outils->addStretch();
    auto* image = new QLabel;
    auto* zone = new QScrollArea;
    zone->setWidget(image);
    zone->setBackgroundRole(QPalette::Dark);
    auto* v = new QVBoxLayout(&d);
    v->addLayout(outils);
    v->addWidget(zone);

    ImpressionTravail& t = c.travail;
    const auto repeindre = [&] {
        const std::int32_t page = barre->value();
        numero->setText(QString::number(page));
        const double z = ZoomApercu(zoom->text().toStdString());
        VuePage vue;
        vue.pixelsParTwip = z / 100.0 / kTwipsParPixelEcran;
        const int w = std::max(1, static_cast<int>(t.EchelleLargeur * vue.pixelsParTwip));
        const int h = std::max(1, static_cast<int>(t.EchelleHauteur * vue.pixelsParTwip));
        QImage im(w, h, QImage::Format_RGB32);
        im.fill(Qt::white);
        QPainter p(&im);
        PeindrePage(t, page, p, vue, graphique_);
        p.end();
        image->setPixmap(QPixmap::fromImage(im));
        image->resize(im.size());
    };
    QObject::connect(barre, &QScrollBar::valueChanged, &d, [&] { repeindre(); });
    QObject::connect(numero, &QLineEdit::returnPressed, &d, [&] {
        barre->setValue(PageDemandee(numero->text().toStdString(), t.NombreDePages));
        repeindre();
    });
    QObject::connect(zoom, &QLineEdit::returnPressed, &d, [&] {
        repeindre();
        zone->horizontalScrollBar()->setValue(0);
        zone->verticalScrollBar()->setValue(0);
    });
    QObject::connect(fermer, &QPushButton::clicked, &d, &QDialog::accept);
    QObject::connect(imprimer, &QPushButton::clicked, &d,
                     [&] { DialoguePlage(&d, imprimante_, t, numero->text(), graphique_); });
    // The first activation paginates; a job of no pages closes the window.
    QTimer::singleShot(0, &d, [&] {
        const std::int32_t n = c.paginer();
        if (n <= 0) {
            d.reject();
            return;
        }
        nombre->setText(QStringLiteral("/") + QString::number(n));
        barre->setRange(1, n);
        repeindre();
    });
    d.exec();
}

}  // namespace korv::print
