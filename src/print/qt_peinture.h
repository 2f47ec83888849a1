#pragma once
// Paints one printed page on a QPainter (the printer, a PDF file or the
// preview's image) at a given number of device pixels per twip: texts laid
// out as pagination measured them, grid ranges with their title rows and
// columns, charts through the drawing the composition hands in.

#include <functional>

#include "grid/graphique.h"

#include <QImage>
#include <QPainter>

#include "print/peinture.h"

namespace korv::print {

// Draws a chart copy of the job into `cible` inside `rect`.
using DessinGraphique = std::function<void(const grid::ContenuGraphique& graphique, QImage& cible, const QRect& rect)>;

struct VuePage {
    double pixelsParTwip = 1;  // the device's resolution times the zoom
    QPointF defilement;        // device pixels taken off (the preview's scroll bars)
};

void PeindrePage(const ImpressionTravail& t, std::int32_t page, QPainter& p, const VuePage& vue,
                 const DessinGraphique& graphique = {});

}  // namespace korv::print
