#include "print/qt_imprimante.h"

#include <QPageLayout>
#include <QPrintDialog>

namespace korv::print {

QtImprimante::QtImprimante(QWidget* parent) : parent_(parent) {}

void QtImprimante::FichierPdf(const QString& chemin) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(chemin);
}

CaracteristiquesImprimante QtImprimante::Caracteristiques() { return CaracteristiquesDe(printer_); }

bool QtImprimante::Configurer() {
    QPrintDialog dialogue(&printer_, parent_);
    dialogue.setWindowTitle(QStringLiteral("Configuration de l'imprimante"));
    return dialogue.exec() == QDialog::Accepted;
}

CaracteristiquesImprimante CaracteristiquesDe(const QPrinter& printer) {
    CaracteristiquesImprimante c;
    const int dpi = printer.resolution();
    const QPageLayout page = printer.pageLayout();
    const QRect plein = page.fullRectPixels(dpi);
    const QRect imprimable = page.paintRectPixels(dpi);
    const QRectF mm = page.paintRect(QPageLayout::Millimeter);
    c.decalageXPixels = imprimable.left() - plein.left();
    c.decalageYPixels = imprimable.top() - plein.top();
    c.largeurPixels = imprimable.width();
    c.hauteurPixels = imprimable.height();
    c.largeurMm = mm.width();
    c.hauteurMm = mm.height();
    if (dpi > 0) {
        c.echelleLargeur = imprimable.width() * 1440.0 / dpi;
        c.echelleHauteur = imprimable.height() * 1440.0 / dpi;
    }
    return c;
}

}  // namespace korv::print
