// Text of Surface: QPainter with antialiasing off, so that a text drawn black
// on white can serve as a mask.

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "display/surface.h"
#include "platform/qt_cp1252.h"

namespace korv::display {

namespace {

QFont VersQFont(const Police& police) {
    QFont f(platform::VersQString(police.nom));
    f.setPointSizeF(police.taillePoints > 0 ? police.taillePoints : 1.0);
    f.setBold(police.gras);
    f.setItalic(police.italique);
    f.setUnderline(police.souligne);
    f.setStrikeOut(police.barre);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    return f;
}

int DrapeauxQt(std::uint8_t alignement) {
    int d = Qt::TextSingleLine;
    const auto a = [&](AlignementTexte x) { return (alignement & static_cast<std::uint8_t>(x)) != 0; };
    d |= a(AlignementTexte::Droite) ? Qt::AlignRight : a(AlignementTexte::CentreH) ? Qt::AlignHCenter : Qt::AlignLeft;
    d |= a(AlignementTexte::Bas) ? Qt::AlignBottom : a(AlignementTexte::CentreV) ? Qt::AlignVCenter : Qt::AlignTop;
    return d;
}

// A 1 x 1 image at the surface's resolution, for measuring on a null surface.
QImage Etalon(std::int32_t tppX, std::int32_t tppY) {
    QImage image(1, 1, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(1440.0 / tppX * 39.3700787 + 0.5));
    image.setDotsPerMeterY(static_cast<int>(1440.0 / tppY * 39.3700787 + 0.5));
    return image;
}

}  // namespace

void Surface::TexteDansRectangle(const QRect& r, std::string_view texte, const Police& police, Couleur c,
                                 std::uint8_t alignement) {
    if (image_.isNull() || texte.empty() || r.isEmpty()) return;
    QPainter peintre(&image_);
    peintre.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform,
                           false);
    peintre.setClipRegion(Clip().intersected(r));
    peintre.setFont(VersQFont(police));
    peintre.setPen(QColor::fromRgb(VersQRgb(c)));
    peintre.drawText(r, DrapeauxQt(alignement), platform::VersQString(texte));
}

void Surface::Texte(QPoint origine, std::string_view texte, const Police& police, Couleur c) {
    if (image_.isNull() || texte.empty()) return;
    // Room for the overhang of italics beyond the advance width.
    const QSize taille = MesurerTexte(texte, police);
    TexteDansRectangle(QRect(origine, QSize(taille.width() + taille.height(), taille.height())), texte, police, c,
                       AlignementTexte::Gauche | AlignementTexte::Haut);
}

QSize Surface::MesurerTexte(std::string_view texte, const Police& police) const {
    const QImage etalon = image_.isNull() ? Etalon(twipsParPixelX_, twipsParPixelY_) : QImage();
    const QFontMetrics m(VersQFont(police), image_.isNull() ? &etalon : &image_);
    return QSize(m.horizontalAdvance(platform::VersQString(texte)), m.height());
}

Surface::MetriquesPolice Surface::Metriques(const Police& police) const {
    const QImage etalon = image_.isNull() ? Etalon(twipsParPixelX_, twipsParPixelY_) : QImage();
    const QFontMetrics m(VersQFont(police), image_.isNull() ? &etalon : &image_);
    return {m.ascent(), m.descent(), m.height()};
}

}  // namespace korv::display
