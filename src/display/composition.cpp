#include "display/composition.h"

#include <algorithm>
#include <stdexcept>

namespace korv::display {

namespace {

QRgb* Ligne(QImage& image, int y) { return reinterpret_cast<QRgb*>(image.scanLine(y)); }
const QRgb* Ligne(const QImage& image, int y) { return reinterpret_cast<const QRgb*>(image.constScanLine(y)); }

void VerifierPaire(const QImage& destination, const QImage& source, const char* routine) {
    if (destination.format() != QImage::Format_RGB32 || source.format() != QImage::Format_RGB32 ||
        destination.size() != source.size()) {
        throw std::invalid_argument(std::string(routine) + ": two RGB32 images of the same size are needed");
    }
}

int Borne(int v) { return std::clamp(v, 0, 255); }

// Applies `f(d, s)` to each component of each pixel of `destination`.
template <class F>
void ParComposante(QImage& destination, const QImage& source, F f) {
    for (int y = 0; y < destination.height(); ++y) {
        QRgb* d = Ligne(destination, y);
        const QRgb* s = Ligne(source, y);
        for (int x = 0; x < destination.width(); ++x) {
            d[x] = qRgb(f(qRed(d[x]), qRed(s[x])), f(qGreen(d[x]), qGreen(s[x])), f(qBlue(d[x]), qBlue(s[x])));
        }
    }
}

// The two work pictures of a blend: the destination's pixels under `vers`
// (as far as the surface reaches) and the source stretched over the same
// place. Source pixels that the stretch cannot reach take the destination's.
struct PaireTravail {
    QRect zone;  // part of `vers` inside the destination
    QImage page;
    QImage image;
};

PaireTravail PreparerPaire(const Surface& destination, const QRect& vers, const QImage& source, const QRect& depuis) {
    PaireTravail p;
    p.zone = vers.intersected(destination.Rectangle());
    if (p.zone.isEmpty()) return p;
    p.page = destination.Copie(p.zone);
    Surface etiree(p.page);
    etiree.TransfererEtire(vers.translated(-p.zone.topLeft()), source, depuis, OperationRaster::SrcCopy);
    p.image = etiree.Image();
    return p;
}

}  // namespace

std::int64_t WinApiTailleDib(std::int32_t largeur, std::int32_t hauteur, std::int32_t bitsParPixel) {
    if (largeur < 0 || hauteur < 0) return 0;
    if (bitsParPixel != 24 && bitsParPixel != 1) return 0;
    const std::int64_t octetsLigne = (std::int64_t{largeur} * bitsParPixel + 31) / 32 * 4;
    return octetsLigne * hauteur;
}

void ADDITIONNEIMAGES(QImage& destination, const QImage& source) {
    VerifierPaire(destination, source, "ADDITIONNEIMAGES");
    ParComposante(destination, source, [](int d, int s) { return std::min(d + s, 255); });
}

void FONDUIMAGES(QImage& destination, int poidsDestination, const QImage& source, int poidsSource) {
    VerifierPaire(destination, source, "FONDUIMAGES");
    const int pd = std::max(poidsDestination, 0), ps = std::max(poidsSource, 0);
    const long long somme = static_cast<long long>(pd) + ps;
    if (somme == 0) return;
    ParComposante(destination, source, [&](int d, int s) {
        return static_cast<int>((static_cast<long long>(d) * pd + static_cast<long long>(s) * ps + somme / 2) / somme);
    });
}

void AJOUTENTIER(QImage& image, int valeur) {
    if (image.format() != QImage::Format_RGB32) throw std::invalid_argument("AJOUTENTIER: an RGB32 image is needed");
    const int v = std::clamp(valeur, -255, 255);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* d = Ligne(image, y);
        for (int x = 0; x < image.width(); ++x) {
            d[x] = qRgb(Borne(qRed(d[x]) + v), Borne(qGreen(d[x]) + v), Borne(qBlue(d[x]) + v));
        }
    }
}

void AdditionImages(const SystemeAffichage& systeme, Surface& destination, const QRect& vers, const QImage& source,
                    const QRect& depuis) {
    if (systeme.EcranPalette || systeme.SystemeWindowsNT) return;
    PaireTravail p = PreparerPaire(destination, vers, source, depuis);
    if (p.zone.isEmpty()) return;
    // Where the stretch left the page's own pixels, adding them would double
    // the page: add black there instead.
    Surface ajout(p.zone.width(), p.zone.height(), kNoir);
    ajout.TransfererEtire(vers.translated(-p.zone.topLeft()), source, depuis, OperationRaster::SrcCopy);
    ADDITIONNEIMAGES(p.page, ajout.Image());
    destination.Transferer(p.zone.topLeft(), p.page, p.page.rect(), OperationRaster::SrcCopy);
}

void FondImages(Surface& destination, int poidsDestination, const QRect& vers, const QImage& source,
                int poidsSource, const QRect& depuis) {
    PaireTravail p = PreparerPaire(destination, vers, source, depuis);
    if (p.zone.isEmpty()) return;
    FONDUIMAGES(p.page, poidsDestination, p.image, poidsSource);
    destination.Transferer(p.zone.topLeft(), p.page, p.page.rect(), OperationRaster::SrcCopy);
}

void Ombre(const SystemeAffichage& systeme, Surface& surface, int x, int y, int largeur, int hauteur, int valeur) {
    if (systeme.EcranPalette || systeme.SystemeWindowsNT || largeur <= 0 || hauteur <= 0) return;
    const QRect zone = QRect(x, y, largeur, hauteur).intersected(surface.Rectangle());
    if (zone.isEmpty()) return;
    QImage pixels = surface.Copie(zone);
    AJOUTENTIER(pixels, valeur);
    surface.Transferer(zone.topLeft(), pixels, pixels.rect(), OperationRaster::SrcCopy);
}

void OmbreCotes(const SystemeAffichage& systeme, Surface& surface, int x, int y, int largeur, int hauteur,
                int epaisseur, int valeur) {
    if (epaisseur <= 0) return;
    Ombre(systeme, surface, x + largeur, y + epaisseur, epaisseur, hauteur, valeur);
    Ombre(systeme, surface, x + epaisseur, y + hauteur, largeur - epaisseur, epaisseur, valeur);
}

}  // namespace korv::display
