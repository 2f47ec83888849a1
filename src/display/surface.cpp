#include "display/surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <stdexcept>

#include <QPainter>
#include <QPen>
#include <QPolygon>

namespace korv::display {

namespace {

constexpr double kPoucesParMetre = 39.3700787;
constexpr int kTwipsParPouce = 1440;

QRgb* Ligne32(QImage& image, int y) { return reinterpret_cast<QRgb*>(image.scanLine(y)); }

void RemplirSansClip(QImage& image, const QRect& r, QRgb p) {
    // Eight pixels per copy of a filled block: the compiler makes it wide
    // stores, where the plain loop stored one pixel at a time (pages are
    // filled whole at each showing).
    QRgb bloc[8];
    std::fill(std::begin(bloc), std::end(bloc), p);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QRgb* d = Ligne32(image, y) + r.left();
        int n = r.width();
        for (; n >= 8; n -= 8, d += 8) std::memcpy(d, bloc, sizeof bloc);
        std::fill(d, d + n, p);
    }
}

}  // namespace

std::optional<OperationRaster> OperationRasterDepuisCode(std::uint32_t code) {
    switch (static_cast<OperationRaster>(code)) {
        case OperationRaster::SrcCopy:
        case OperationRaster::SrcAnd:
        case OperationRaster::SrcPaint:
        case OperationRaster::SrcInvert:
        case OperationRaster::MergePaint:
        case OperationRaster::DstInvert:
            return static_cast<OperationRaster>(code);
    }
    return std::nullopt;
}

QRect RectangleDepuisCoins(int x1, int y1, int x2, int y2) {
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
}

Surface::Surface(int largeur, int hauteur, Couleur fond) { Redimensionner(largeur, hauteur, fond); }

Surface::Surface(const QImage& image)
    : image_(image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32)) {
    DefinirResolution(twipsParPixelX_, twipsParPixelY_);
}

void Surface::Redimensionner(int largeur, int hauteur, Couleur fond) {
    clips_.clear();
    if (largeur <= 0 || hauteur <= 0) {
        image_ = QImage();
        return;
    }
    image_ = QImage(largeur, hauteur, QImage::Format_RGB32);
    image_.fill(VersQRgb(fond));
    DefinirResolution(twipsParPixelX_, twipsParPixelY_);
}

void Surface::DefinirResolution(std::int32_t twipsParPixelX, std::int32_t twipsParPixelY) {
    if (twipsParPixelX <= 0 || twipsParPixelY <= 0) {
        throw std::invalid_argument("Surface::DefinirResolution: twips per pixel must be positive");
    }
    twipsParPixelX_ = twipsParPixelX;
    twipsParPixelY_ = twipsParPixelY;
    if (image_.isNull()) return;
    image_.setDotsPerMeterX(static_cast<int>(kTwipsParPouce / double(twipsParPixelX) * kPoucesParMetre + 0.5));
    image_.setDotsPerMeterY(static_cast<int>(kTwipsParPouce / double(twipsParPixelY) * kPoucesParMetre + 0.5));
}

// --- Clip stack ---

void Surface::PousserClip(const QRegion& region) { clips_.push_back(Clip().intersected(region)); }

void Surface::RetirerClip() {
    if (!clips_.empty()) clips_.pop_back();
}

void Surface::ViderClips() { clips_.clear(); }

QRegion Surface::Clip() const {
    if (clips_.empty()) return QRegion(image_.rect());
    return clips_.back();
}

// --- Pixels ---

Couleur Surface::Pixel(int x, int y) const {
    if (!image_.rect().contains(x, y)) return kNoir;
    return DepuisQRgb(reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x]);
}

void Surface::DefinirPixel(int x, int y, Couleur c) {
    if (!Clip().contains(QPoint(x, y))) return;
    Ligne32(image_, y)[x] = VersQRgb(c);
}

// --- Fills and shapes ---

void Surface::Remplir(Couleur c) { RemplirRegion(QRegion(image_.rect()), c); }

void Surface::RemplirRectangle(const QRect& r, Couleur c) {
    if (r.isEmpty()) return;
    RemplirRegion(QRegion(r), c);
}

void Surface::RemplirBoite(int x1, int y1, int x2, int y2, Couleur c) {
    RemplirRectangle(RectangleDepuisCoins(x1, y1, x2, y2), c);
}

void Surface::RemplirRegion(const QRegion& region, Couleur c) {
    if (image_.isNull()) return;
    const QRgb p = VersQRgb(c);
    const QRegion zone = Clip().intersected(region);
    for (const QRect& r : zone) RemplirSansClip(image_, r, p);
}

void Surface::Cadre(int x1, int y1, int x2, int y2, Couleur c, int epaisseur) {
    if (epaisseur < 1) epaisseur = 1;
    const QRect milieu = RectangleDepuisCoins(x1, y1, x2, y2);
    // The pen is centred on the edge: w / 2 pixels outside, (w - 1) / 2 inside.
    const int dehors = epaisseur / 2;
    const int dedans = (epaisseur - 1) / 2;
    const QRect exterieur = milieu.adjusted(-dehors, -dehors, dehors, dehors);
    const QRect interieur = milieu.adjusted(dedans + 1, dedans + 1, -dedans - 1, -dedans - 1);
    QRegion anneau(exterieur);
    if (interieur.isValid()) anneau -= QRegion(interieur);
    RemplirRegion(anneau, c);
}

void Surface::Ligne(QPoint a, QPoint b, Couleur c, int epaisseur, bool avecDernierPoint) {
    if (image_.isNull()) return;
    if (epaisseur <= 1) {
        // Bresenham, so that a one-pixel line is the same on every platform.
        const QRegion zone = Clip();
        const QRgb p = VersQRgb(c);
        int x = a.x(), y = a.y();
        const int dx = std::abs(b.x() - x), dy = -std::abs(b.y() - y);
        const int sx = x < b.x() ? 1 : -1, sy = y < b.y() ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            const bool fin = x == b.x() && y == b.y();
            if (fin && !avecDernierPoint) break;
            if (zone.contains(QPoint(x, y))) Ligne32(image_, y)[x] = p;
            if (fin) break;
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y += sy;
            }
        }
        return;
    }
    QPainter peintre(&image_);
    peintre.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing, false);
    peintre.setClipRegion(Clip());
    peintre.setPen(QPen(QColor::fromRgb(VersQRgb(c)), epaisseur, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    peintre.drawLine(a, b);
}

void Surface::Polyligne(std::span<const QPoint> points, Couleur c, int epaisseur) {
    if (points.empty()) return;
    if (points.size() == 1) {
        if (epaisseur <= 1) DefinirPixel(points[0].x(), points[0].y(), c);
        return;
    }
    if (epaisseur <= 1) {
        for (std::size_t i = 1; i < points.size(); ++i) {
            Ligne(points[i - 1], points[i], c, 1, i + 1 == points.size());
        }
        return;
    }
    QPainter peintre(&image_);
    peintre.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing, false);
    peintre.setClipRegion(Clip());
    peintre.setPen(QPen(QColor::fromRgb(VersQRgb(c)), epaisseur, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    peintre.drawPolyline(points.data(), static_cast<int>(points.size()));
}

void Surface::Polygone(std::span<const QPoint> points, std::optional<Couleur> remplissage,
                       std::optional<Couleur> contour, int epaisseur) {
    if (points.size() < 2 || image_.isNull()) return;
    if (remplissage) {
        QPainter peintre(&image_);
        peintre.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing, false);
        peintre.setClipRegion(Clip());
        peintre.setPen(Qt::NoPen);
        peintre.setBrush(QColor::fromRgb(VersQRgb(*remplissage)));
        peintre.drawPolygon(points.data(), static_cast<int>(points.size()), Qt::OddEvenFill);
    }
    if (!contour) return;
    if (epaisseur <= 1) {
        for (std::size_t i = 0; i < points.size(); ++i) {
            Ligne(points[i], points[(i + 1) % points.size()], *contour, 1, false);
        }
        return;
    }
    QPainter peintre(&image_);
    peintre.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing, false);
    peintre.setClipRegion(Clip());
    peintre.setPen(QPen(QColor::fromRgb(VersQRgb(*contour)), epaisseur, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    peintre.setBrush(Qt::NoBrush);
    peintre.drawPolygon(points.data(), static_cast<int>(points.size()), Qt::OddEvenFill);
}

QImage Surface::Copie(const QRect& r) const { return image_.copy(r.intersected(image_.rect())); }

}  // namespace korv::display
