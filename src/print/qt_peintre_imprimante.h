#pragma once
// The printer (or its PDF file) as the device a page range is painted on.

#include <QPainter>
#include <QPrinter>

#include "print/plage_impression.h"
#include "print/qt_peinture.h"

namespace korv::print {

class QtPeintreImprimante final : public PeintrePages {
public:
    QtPeintreImprimante(QPrinter& printer, const ImpressionTravail& t, DessinGraphique graphique = {})
        : printer_(printer), t_(t), graphique_(std::move(graphique)) {}
    void Commencer() override;
    void Peindre(std::int32_t page) override;
    void NouvellePage() override;
    void Terminer() override;
    void Annuler() override;

private:
    QPrinter& printer_;
    const ImpressionTravail& t_;
    DessinGraphique graphique_;
    QPainter painter_;
};

}  // namespace korv::print
