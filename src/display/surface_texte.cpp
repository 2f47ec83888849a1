// Text of Surface: QPainter with antialiasing off, so that a text drawn black
// on white can serve as a mask.

#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_map>
#include <vector>

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

// The glyphs alone: underline and strike-out are drawn once under the whole
// line, not glyph by glyph.
QFont SansTraits(const Police& police) {
    QFont f = VersQFont(police);
    f.setUnderline(false);
    f.setStrikeOut(false);
    return f;
}

// A 1 x 1 image at the surface's resolution, for measuring on a null surface.
QImage Etalon(std::int32_t tppX, std::int32_t tppY) {
    QImage image(1, 1, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(1440.0 / tppX * 39.3700787 + 0.5));
    image.setDotsPerMeterY(static_cast<int>(1440.0 / tppY * 39.3700787 + 0.5));
    return image;
}

// The pixel columns a character inks when drawn alone with its pen at 0,
// at the resolution of `modele`; none for a blank.
struct Encre {
    int gauche = 0;
    int droite = 0;
};

class MesureEncre {
public:
    MesureEncre(const QFont& police, const QImage& modele) : police_(police), metriques_(police, &modele) {
        const int em = std::max(1, metriques_.height());
        marge_ = 2 * em;
        toile_ = QImage(5 * em, 2 * em, QImage::Format_RGB32);
        toile_.setDotsPerMeterX(modele.dotsPerMeterX());
        toile_.setDotsPerMeterY(modele.dotsPerMeterY());
    }

    std::optional<Encre> De(QChar c) {
        const auto it = cache_.find(c.unicode());
        if (it != cache_.end()) return it->second;
        toile_.fill(Qt::white);
        {
            QPainter peintre(&toile_);
            peintre.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing, false);
            peintre.setFont(police_);
            peintre.setPen(Qt::black);
            peintre.drawText(QPoint(marge_, metriques_.ascent()), QString(c));
        }
        std::optional<Encre> e;
        for (int x = 0; x < toile_.width(); ++x) {
            for (int y = 0; y < toile_.height(); ++y) {
                if ((toile_.pixel(x, y) & 0xFFFFFFu) == 0xFFFFFFu) continue;
                if (!e) e = Encre{x - marge_, x - marge_};
                e->droite = x - marge_;
                break;
            }
        }
        cache_.emplace(c.unicode(), e);
        return e;
    }

private:
    QFont police_;
    QFontMetrics metriques_;
    int marge_ = 0;
    QImage toile_;
    std::unordered_map<char16_t, std::optional<Encre>> cache_;
};

struct Glyphe {
    QChar c;
    int x = 0;
};

struct LigneDisposee {
    std::vector<Glyphe> glyphes;
    int largeur = 0;  // pixels, advances and ink alike
};

// One line laid out glyph by glyph: each glyph at the font's advance from
// the previous one, pushed right where the two would ink touching columns
// (without antialiasing a glyph's pixels can reach its advance, so that
// "000" would read as one bar): a blank column always parts two glyphs.
LigneDisposee Disposer(const QString& texte, const QFont& police, const QImage& modele) {
    MesureEncre encre(police, modele);
    const QFontMetricsF metriques(police, &modele);
    LigneDisposee ligne;
    ligne.glyphes.reserve(static_cast<std::size_t>(texte.size()));
    double plume = 0.0;
    std::optional<int> droitePrecedente;
    int fin = 0;
    for (const QChar c : texte) {
        int x = static_cast<int>(std::floor(plume + 0.5));
        if (const auto e = encre.De(c)) {
            if (droitePrecedente && x + e->gauche <= *droitePrecedente + 1) {
                const int pousse = *droitePrecedente + 2 - (x + e->gauche);
                x += pousse;
                plume += pousse;
            }
            droitePrecedente = x + e->droite;
            fin = std::max(fin, x + e->droite + 1);
        }
        ligne.glyphes.push_back({c, x});
        plume += metriques.horizontalAdvance(c);
    }
    ligne.largeur = std::max(fin, static_cast<int>(std::floor(plume + 0.5)));
    return ligne;
}

}  // namespace

void Surface::TexteDansRectangle(const QRect& r, std::string_view texte, const Police& police, Couleur c,
                                 std::uint8_t alignement) {
    if (image_.isNull() || texte.empty() || r.isEmpty()) return;
    // One line: line ends read as blanks.
    QString ligne = platform::VersQString(texte);
    for (QChar& ch : ligne) {
        if (ch == QLatin1Char('\n') || ch == QLatin1Char('\r') || ch == QLatin1Char('\t')) ch = QLatin1Char(' ');
    }
    const QFont qpolice = VersQFont(police);
    const QFont sansTraits = SansTraits(police);
    const LigneDisposee disposee = Disposer(ligne, sansTraits, image_);
    const int largeur = disposee.largeur;
    const QFontMetrics m(qpolice, &image_);

    const auto a = [&](AlignementTexte x) { return (alignement & static_cast<std::uint8_t>(x)) != 0; };
    int x0 = r.left();
    if (a(AlignementTexte::Droite)) {
        x0 = r.left() + r.width() - largeur;
    } else if (a(AlignementTexte::CentreH)) {
        x0 = r.left() + (r.width() - largeur) / 2;
    }
    int base = r.top() + m.ascent();
    if (a(AlignementTexte::Bas)) {
        base = r.top() + r.height() - m.descent();
    } else if (a(AlignementTexte::CentreV)) {
        base = r.top() + (r.height() - m.height()) / 2 + m.ascent();
    }

    QPainter peintre(&image_);
    peintre.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform,
                           false);
    peintre.setClipRegion(Clip().intersected(r));
    peintre.setFont(sansTraits);
    const QColor couleur = QColor::fromRgb(VersQRgb(c));
    peintre.setPen(couleur);
    for (const Glyphe& g : disposee.glyphes) {
        if (!g.c.isSpace()) peintre.drawText(QPoint(x0 + g.x, base), QString(g.c));
    }
    // Underline and strike-out run unbroken under the spaced glyphs.
    const int trait = std::max(1, m.lineWidth());
    if (police.souligne && largeur > 0) peintre.fillRect(x0, base + m.underlinePos(), largeur, trait, couleur);
    if (police.barre && largeur > 0) peintre.fillRect(x0, base - m.strikeOutPos(), largeur, trait, couleur);
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
    const QImage& modele = image_.isNull() ? etalon : image_;
    const QFontMetrics m(VersQFont(police), &modele);
    return QSize(Disposer(platform::VersQString(texte), SansTraits(police), modele).largeur, m.height());
}

Surface::MetriquesPolice Surface::Metriques(const Police& police) const {
    const QImage etalon = image_.isNull() ? Etalon(twipsParPixelX_, twipsParPixelY_) : QImage();
    const QFontMetrics m(VersQFont(police), image_.isNull() ? &etalon : &image_);
    return {m.ascent(), m.descent(), m.height()};
}

}  // namespace korv::display
