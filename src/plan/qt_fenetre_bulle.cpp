#include "plan/qt_fenetre_bulle.h"

#include <algorithm>

#include <QEvent>
#include <QTextDocument>

#include "platform/qt_cp1252.h"
#include "rtf/qt_document.h"

namespace korv::plan {

namespace {
constexpr int kLargeurMax = 320;
constexpr std::int32_t kTwipsParPixel = 15;
}  // namespace

QtFenetreBulle::QtFenetreBulle(QWidget* fenetre, QWidget* surface)
    : QLabel(fenetre, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      fenetre_(fenetre),
      surface_(surface) {
    setObjectName("InfoBulle");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWordWrap(true);
    setMargin(3);
    setStyleSheet("QLabel { background: #ffffe1; color: black; border: 1px solid black; }");
    hide();
}

void QtFenetreBulle::Afficher(int x, int y, std::string_view texte) {
    setTextFormat(Qt::PlainText);
    setText(platform::VersQString(texte));
    Montrer(x, y);
}

void QtFenetreBulle::AfficherRtf(int x, int y, std::string_view rtf) {
    // Our reader and Qt's layout of it; the label shows its HTML form.
    QTextDocument document;
    if (!rtf::DefinirTexteRtf(document, rtf, kTwipsParPixel)) document.clear();
    setTextFormat(Qt::RichText);
    setText(document.toHtml());
    Montrer(x, y);
}

void QtFenetreBulle::Montrer(int x, int y) {
    setMaximumWidth(kLargeurMax);
    adjustSize();
    // Centred on the point, kept inside the main window's inner area; the
    // left and top edges win when the tooltip is larger than the window.
    const QPoint point = surface_ ? surface_->mapTo(fenetre_, QPoint(x, y)) : QPoint(x, y);
    const QRect interieur = fenetre_->contentsRect();
    int gauche = point.x() - width() / 2;
    if (gauche + width() > interieur.right() + 1) gauche = interieur.right() + 1 - width();
    gauche = std::max(gauche, interieur.left());
    int haut = point.y() - height() / 2;
    if (haut + height() > interieur.bottom() + 1) haut = interieur.bottom() + 1 - height();
    haut = std::max(haut, interieur.top());
    move(fenetre_->mapToGlobal(QPoint(gauche, haut)));
    show();
    raise();
}

}  // namespace korv::plan
