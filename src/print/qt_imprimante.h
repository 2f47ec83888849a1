#pragma once
// The printer of the program over QPrinter (high resolution): a real
// printer chosen through QPrintDialog, or a PDF file (tests, print to file).
// The choice of the printer set-up is kept for the next jobs.

#include <QPrinter>
#include <QString>

#include "print/imprimante.h"

class QWidget;

namespace korv::print {

class QtImprimante final : public Imprimante {
public:
    explicit QtImprimante(QWidget* parent = nullptr);
    // Prints into a PDF file instead of the printer.
    void FichierPdf(const QString& chemin);
    CaracteristiquesImprimante Caracteristiques() override;
    bool Configurer() override;
    QPrinter& Printer() { return printer_; }

private:
    QWidget* parent_;
    QPrinter printer_{QPrinter::HighResolution};
};

// The six device values and the scale of a QPrinter's page.
CaracteristiquesImprimante CaracteristiquesDe(const QPrinter& printer);

}  // namespace korv::print
