#include "print/qt_texte_twips.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

#include "rtf/qt_document.h"

namespace korv::print {

double EchelleEspacement() {
    // Qt's default resolution, which it scales document lengths from.
    double dpi = 96;
    if (!QCoreApplication::testAttribute(Qt::AA_Use96Dpi)) {
        if (const QScreen* ecran = QGuiApplication::primaryScreen()) dpi = std::round(ecran->logicalDotsPerInchY());
    }
    return 1440.0 / std::max(1.0, dpi);
}

void MettreEnPageTwips(const rtf::Document& d, QTextDocument& q, QImage& resolution) {
    resolution = QImage(1, 1, QImage::Format_RGB32);
    const int parMetre = static_cast<int>(std::lround(1440.0 / 0.0254));
    resolution.setDotsPerMeterX(parMetre);
    resolution.setDotsPerMeterY(parMetre);
    q.documentLayout()->setPaintDevice(&resolution);
    q.setDocumentMargin(0);
    rtf::VersDocumentQt(d, q, 1);
    // Drawn scaled (the preview's zooms), the text is smoothed as the
    // screen's pages are not.
    QTextCursor tout(&q);
    tout.select(QTextCursor::Document);
    QTextCharFormat lisse;
    lisse.setFontStyleStrategy(QFont::PreferDefault);
    tout.mergeCharFormat(lisse);
    const double echelle = EchelleEspacement();
    for (QTextBlock b = q.begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat f = b.blockFormat();
        QList<QTextOption::Tab> tabs = f.tabPositions();
        if (f.topMargin() == 0 && f.bottomMargin() == 0 && tabs.isEmpty()) continue;
        f.setTopMargin(f.topMargin() / echelle);
        f.setBottomMargin(f.bottomMargin() / echelle);
        // Tab stops are scaled as the spacing is.
        for (QTextOption::Tab& t : tabs) t.position /= echelle;
        f.setTabPositions(tabs);
        QTextCursor(b).setBlockFormat(f);
    }
}

}  // namespace korv::print
