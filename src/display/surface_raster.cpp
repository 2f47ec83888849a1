// Raster operations of Surface: our own loops over the scan lines.

#include <algorithm>

#include <QImage>

#include "display/surface.h"

namespace korv::display {

namespace {

constexpr QRgb kOpaque = 0xFF000000u;

template <OperationRaster Op>
inline QRgb Combine(QRgb s, QRgb d) {
    if constexpr (Op == OperationRaster::SrcCopy) return s | kOpaque;
    if constexpr (Op == OperationRaster::SrcAnd) return (s & d) | kOpaque;
    if constexpr (Op == OperationRaster::SrcPaint) return s | d | kOpaque;
    if constexpr (Op == OperationRaster::SrcInvert) return (s ^ d) | kOpaque;
    if constexpr (Op == OperationRaster::MergePaint) return ~s | d | kOpaque;
    if constexpr (Op == OperationRaster::DstInvert) return ~d | kOpaque;
    return d;
}

// Calls f.template operator()<Op>() with the operation as a constant, so
// that the pixel loops carry no switch.
template <class F>
void SelonOperation(OperationRaster op, F&& f) {
    switch (op) {
        case OperationRaster::SrcCopy: f.template operator()<OperationRaster::SrcCopy>(); return;
        case OperationRaster::SrcAnd: f.template operator()<OperationRaster::SrcAnd>(); return;
        case OperationRaster::SrcPaint: f.template operator()<OperationRaster::SrcPaint>(); return;
        case OperationRaster::SrcInvert: f.template operator()<OperationRaster::SrcInvert>(); return;
        case OperationRaster::MergePaint: f.template operator()<OperationRaster::MergePaint>(); return;
        case OperationRaster::DstInvert: f.template operator()<OperationRaster::DstInvert>(); return;
    }
}

QImage EnRgb32(const QImage& image) {
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32) return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

const QRgb* LigneSource(const QImage& image, int y) { return reinterpret_cast<const QRgb*>(image.constScanLine(y)); }
QRgb* LigneCible(QImage& image, int y) { return reinterpret_cast<QRgb*>(image.scanLine(y)); }

bool BitMono(const uchar* ligne, int x, bool lsb) {
    const uchar octet = ligne[x >> 3];
    return lsb ? ((octet >> (x & 7)) & 1) != 0 : ((octet >> (7 - (x & 7))) & 1) != 0;
}

}  // namespace

void Surface::Transferer(QPoint vers, const QImage& source, QRect depuis, OperationRaster op) {
    if (image_.isNull() || depuis.isEmpty()) return;
    if (op == OperationRaster::DstInvert) {
        Inverser(QRect(vers, depuis.size()));
        return;
    }
    const QImage src = EnRgb32(source);  // also keeps the pixels when source is this surface
    const QRect lisible = depuis.intersected(src.rect());
    if (lisible.isEmpty()) return;
    const QPoint decalage = vers - depuis.topLeft();
    const QRegion zone = Clip().intersected(lisible.translated(decalage));
    SelonOperation(op, [&]<OperationRaster Op>() {
        for (const QRect& r : zone) {
            for (int y = r.top(); y <= r.bottom(); ++y) {
                const QRgb* s = LigneSource(src, y - decalage.y()) - decalage.x();
                QRgb* d = LigneCible(image_, y);
                for (int x = r.left(); x <= r.right(); ++x) d[x] = Combine<Op>(s[x], d[x]);
            }
        }
    });
}

void Surface::TransfererEtire(const QRect& vers, const QImage& source, const QRect& depuis, OperationRaster op) {
    if (image_.isNull() || vers.isEmpty() || depuis.isEmpty()) return;
    if (op == OperationRaster::DstInvert) {
        Inverser(vers);
        return;
    }
    const QImage src = EnRgb32(source);
    const QRect limites = src.rect();
    const QRegion zone = Clip().intersected(vers);
    const std::int64_t lc = vers.width(), hc = vers.height();
    const std::int64_t ls = depuis.width(), hs = depuis.height();
    // Source column of each target column: the one under the pixel's centre.
    std::vector<int> colonnes(static_cast<std::size_t>(lc));
    for (std::int64_t u = 0; u < lc; ++u) {
        colonnes[static_cast<std::size_t>(u)] = depuis.left() + static_cast<int>((2 * u + 1) * ls / (2 * lc));
    }
    // The source columns never decrease: those inside the picture are one
    // run of target columns, found once instead of tested per pixel.
    const auto premiere = std::lower_bound(colonnes.begin(), colonnes.end(), limites.left());
    const auto apres = std::upper_bound(premiere, colonnes.end(), limites.right());
    if (premiere == apres) return;
    const int xPremier = vers.left() + static_cast<int>(premiere - colonnes.begin());
    const int xDernier = vers.left() + static_cast<int>(apres - colonnes.begin()) - 1;
    SelonOperation(op, [&]<OperationRaster Op>() {
        for (const QRect& r : zone) {
            const int x1 = std::max(r.left(), xPremier);
            const int x2 = std::min(r.right(), xDernier);
            if (x1 > x2) continue;
            for (int y = r.top(); y <= r.bottom(); ++y) {
                const std::int64_t v = y - vers.top();
                const int sy = depuis.top() + static_cast<int>((2 * v + 1) * hs / (2 * hc));
                if (sy < limites.top() || sy > limites.bottom()) continue;
                const QRgb* s = LigneSource(src, sy);
                QRgb* d = LigneCible(image_, y);
                const int* col = colonnes.data() + (x1 - vers.left());
                for (int x = x1; x <= x2; ++x, ++col) d[x] = Combine<Op>(s[*col], d[x]);
            }
        }
    });
}

void Surface::TransfererMono(QPoint vers, const QImage& masque, QRect depuis, OperationRaster op, Couleur couleur0,
                             Couleur couleur1) {
    if (image_.isNull() || depuis.isEmpty()) return;
    if (masque.format() != QImage::Format_Mono && masque.format() != QImage::Format_MonoLSB) {
        throw std::invalid_argument("Surface::TransfererMono: the mask must be a 1-bit image");
    }
    if (op == OperationRaster::DstInvert) {
        Inverser(QRect(vers, depuis.size()));
        return;
    }
    const bool lsb = masque.format() == QImage::Format_MonoLSB;
    const QRgb c0 = VersQRgb(couleur0), c1 = VersQRgb(couleur1);
    const QRect lisible = depuis.intersected(masque.rect());
    if (lisible.isEmpty()) return;
    const QPoint decalage = vers - depuis.topLeft();
    const QRegion zone = Clip().intersected(lisible.translated(decalage));
    SelonOperation(op, [&]<OperationRaster Op>() {
        for (const QRect& r : zone) {
            for (int y = r.top(); y <= r.bottom(); ++y) {
                const uchar* s = masque.constScanLine(y - decalage.y());
                QRgb* d = LigneCible(image_, y);
                for (int x = r.left(); x <= r.right(); ++x) {
                    d[x] = Combine<Op>(BitMono(s, x - decalage.x(), lsb) ? c1 : c0, d[x]);
                }
            }
        }
    });
}

void Surface::Inverser(const QRect& r) { Inverser(QRegion(r)); }

void Surface::Inverser(const QRegion& region) {
    if (image_.isNull()) return;
    const QRegion zone = Clip().intersected(region);
    for (const QRect& r : zone) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            QRgb* d = LigneCible(image_, y);
            for (int x = r.left(); x <= r.right(); ++x) d[x] = Combine<OperationRaster::DstInvert>(0, d[x]);
        }
    }
}

}  // namespace korv::display
