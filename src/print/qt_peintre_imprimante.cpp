#include "print/qt_peintre_imprimante.h"

#include <stdexcept>

namespace korv::print {

void QtPeintreImprimante::Commencer() {
    // A PDF printer without a file is what Qt gives when no printer is
    // installed: starting on it leaves the QPrinter active for good, and no
    // later choice of a printer or a file could print any more.
    if (printer_.outputFormat() == QPrinter::PdfFormat && printer_.outputFileName().isEmpty())
        throw std::runtime_error("L'impression n'a pas pu commencer : aucune imprimante n'est choisie "
                                 "(Fichier, Configuration de l'imprimante...).");
    if (printer_.resolution() <= 0 || !painter_.begin(&printer_))
        throw std::runtime_error("L'impression n'a pas pu commencer.");
}

void QtPeintreImprimante::Peindre(std::int32_t page) {
    VuePage v;
    v.pixelsParTwip = printer_.resolution() / 1440.0;
    PeindrePage(t_, page, painter_, v, graphique_);
}

void QtPeintreImprimante::NouvellePage() {
    if (!printer_.newPage()) throw std::runtime_error("L'impression n'a pas pu passer à la page suivante.");
}

void QtPeintreImprimante::Terminer() {
    if (painter_.isActive() && !painter_.end()) throw std::runtime_error("L'impression n'a pas pu se terminer.");
}

void QtPeintreImprimante::Annuler() {
    printer_.abort();
    if (painter_.isActive()) painter_.end();
}

}  // namespace korv::print
