#pragma once
// The preview window of the program: the page shown at a zoom with scroll
// bars, the page box and bar with the page count, the print button that
// asks which pages go to the printer, and close.

#include "print/apercu.h"
#include "print/qt_peinture.h"

class QWidget;

namespace korv::print {

class QtImprimante;

class QtApercu final : public FenetreApercu {
public:
    QtApercu(QWidget* parent, QtImprimante& imprimante, DessinGraphique graphique)
        : parent_(parent), imprimante_(imprimante), graphique_(std::move(graphique)) {}
    void Montrer(ContexteApercu& contexte) override;

private:
    QWidget* parent_;
    QtImprimante& imprimante_;
    DessinGraphique graphique_;
};

}  // namespace korv::print
