#pragma once
// A drawing surface of the page display: an RGB32 image with a clip stack.
//
// Everything is in pixels of the surface. Plain primitives and text go
// through QPainter with antialiasing off, so that every pixel has one of the
// colours drawn; the raster operations that pictures and masks need are our
// own loops over the scan lines, so that they give the exact bitwise results
// that transparent drawing relies on.
//
// Clip: the current clip is the intersection of every pushed region with the
// surface; with nothing pushed it is the whole surface. Every drawing call
// writes only inside it.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>

#include "display/couleurs.h"
#include "display/surface_twips.h"

namespace korv::display {

// Raster operations of picture transfers, valued as the ternary codes that
// scripts and the page drawing pass around.
enum class OperationRaster : std::uint32_t {
    SrcCopy = 0xCC0020,     // d = s
    SrcAnd = 0x8800C6,      // d = s AND d
    SrcPaint = 0xEE0086,    // d = s OR d
    SrcInvert = 0x660046,   // d = s XOR d
    MergePaint = 0xBB0226,  // d = (NOT s) OR d
    DstInvert = 0x550009,   // d = NOT d (the source is not read)
};

// The operation of a ternary code; nullopt for a code that is not one of the
// above.
std::optional<OperationRaster> OperationRasterDepuisCode(std::uint32_t code);

// A font as the page objects name it. The size is in points; the surface's
// resolution turns it into pixels.
struct Police {
    std::string nom = "Arial";  // Windows-1252 bytes
    double taillePoints = 10.0;
    bool gras = false;
    bool italique = false;
    bool souligne = false;
    bool barre = false;
};

// Placement of a text in a rectangle (combine horizontal and vertical).
enum class AlignementTexte : std::uint8_t {
    Gauche = 0x01,
    Droite = 0x02,
    CentreH = 0x04,
    Haut = 0x10,
    Bas = 0x20,
    CentreV = 0x40,
};
constexpr std::uint8_t operator|(AlignementTexte a, AlignementTexte b) {
    return static_cast<std::uint8_t>(static_cast<std::uint8_t>(a) | static_cast<std::uint8_t>(b));
}

class Surface {
public:
    // A null surface (0 x 0): drawing on it does nothing.
    Surface() = default;
    // A surface of the given size filled with `fond`. Negative sizes count as 0.
    Surface(int largeur, int hauteur, Couleur fond = kBlanc);
    // Wraps a copy of `image`, converted to RGB32.
    explicit Surface(const QImage& image);

    int Largeur() const { return image_.width(); }
    int Hauteur() const { return image_.height(); }
    QSize Taille() const { return image_.size(); }
    QRect Rectangle() const { return image_.rect(); }
    bool EstNulle() const { return image_.isNull(); }

    // The pixels (always Format_RGB32). Writing through the image bypasses
    // the clip.
    const QImage& Image() const { return image_; }
    QImage& Image() { return image_; }

    // New size, every pixel `fond`; the clip stack is emptied.
    void Redimensionner(int largeur, int hauteur, Couleur fond = kBlanc);

    // Twips per pixel of the screen the surface stands for: text sizes in
    // points follow it (15 gives 96 pixels per inch, the default).
    void DefinirResolution(std::int32_t twipsParPixelX, std::int32_t twipsParPixelY);
    std::int32_t TwipsParPixelX() const { return twipsParPixelX_; }
    std::int32_t TwipsParPixelY() const { return twipsParPixelY_; }

    // Automatic redraw: on for the page buffer (the default). A surface that
    // keeps no picture of its own (redraw off) gets boxes one pixel larger
    // from the 3D box drawing, as the window toolkit did.
    bool RedessinAuto() const { return redessinAuto_; }
    void DefinirRedessinAuto(bool actif) { redessinAuto_ = actif; }

    // --- Clip stack ---
    // Pushes `region` intersected with the current clip.
    void PousserClip(const QRegion& region);
    void PousserClip(const QRect& rectangle) { PousserClip(QRegion(rectangle)); }
    // Pops the last pushed clip; popping an empty stack does nothing.
    void RetirerClip();
    // Empties the stack: the clip becomes the whole surface again.
    void ViderClips();
    std::size_t ProfondeurClip() const { return clips_.size(); }
    // The current clip, always within the surface.
    QRegion Clip() const;

    // --- Pixels ---
    // Pixel colour; (0, 0, 0) outside the surface.
    Couleur Pixel(int x, int y) const;
    // Sets one pixel when it lies inside the clip.
    void DefinirPixel(int x, int y, Couleur c);

    // --- Fills and shapes ---
    void Remplir(Couleur c);                                   // the whole clip
    void RemplirRectangle(const QRect& r, Couleur c);
    // A filled box whose corners are both painted, in either order (the
    // window toolkit's box fill).
    void RemplirBoite(int x1, int y1, int x2, int y2, Couleur c);
    // Outline of the box with both corners on it. A width of 1 paints exactly
    // the edge pixels; a larger width is centred on the edges.
    void Cadre(int x1, int y1, int x2, int y2, Couleur c, int epaisseur = 1);
    // A line from `a` to `b`. Like the window toolkit, the end point itself is
    // not painted unless `avecDernierPoint`. Widths above 1 draw a pen of that
    // width centred on the line.
    void Ligne(QPoint a, QPoint b, Couleur c, int epaisseur = 1, bool avecDernierPoint = false);
    // An open polyline: the segments in turn, the very last point included.
    void Polyligne(std::span<const QPoint> points, Couleur c, int epaisseur = 1);
    // A polygon, filled (odd-even rule) and/or outlined; either may be absent.
    void Polygone(std::span<const QPoint> points, std::optional<Couleur> remplissage, std::optional<Couleur> contour,
                  int epaisseur = 1);
    void RemplirRegion(const QRegion& region, Couleur c);

    // --- Text (antialiasing off) ---
    // Draws `texte` (Windows-1252) with its top-left corner at `origine`.
    void Texte(QPoint origine, std::string_view texte, const Police& police, Couleur c);
    // Draws `texte` on one line inside `r`, placed by `alignement` (an OR of
    // AlignementTexte) and cut at the rectangle's edges.
    void TexteDansRectangle(const QRect& r, std::string_view texte, const Police& police, Couleur c,
                            std::uint8_t alignement);
    // Width and height of `texte` on one line in this surface's resolution.
    QSize MesurerTexte(std::string_view texte, const Police& police) const;
    // Ascent, descent and height of the font, in pixels.
    struct MetriquesPolice {
        int ascendante = 0;
        int descendante = 0;
        int hauteur = 0;
    };
    MetriquesPolice Metriques(const Police& police) const;

    // --- Raster operations (our own loops) ---
    // `source` is read as RGB32 (converted when it is in another format).
    // Pixels whose source position falls outside the source are left alone.

    // Copies the part `depuis` of `source` to `vers` (its top-left corner).
    void Transferer(QPoint vers, const QImage& source, QRect depuis, OperationRaster op);
    void Transferer(QPoint vers, const Surface& source, QRect depuis, OperationRaster op) {
        Transferer(vers, source.image_, depuis, op);
    }
    // Stretches the part `depuis` of `source` over `vers` (nearest neighbour:
    // each target pixel takes the source pixel under its centre).
    void TransfererEtire(const QRect& vers, const QImage& source, const QRect& depuis, OperationRaster op);
    // A 1-bit mask (Format_Mono or Format_MonoLSB, read by pixel index, not by
    // its colour table) expanded to `couleur0` for 0 bits and `couleur1` for 1
    // bits, then transferred with `op`: the monochrome-to-colour transfer of
    // transparent drawing.
    void TransfererMono(QPoint vers, const QImage& masque, QRect depuis, OperationRaster op, Couleur couleur0,
                        Couleur couleur1);
    // DSTINVERT over a rectangle or region.
    void Inverser(const QRect& r);
    void Inverser(const QRegion& region);

    // A copy of part of the surface (clipped to the surface).
    QImage Copie(const QRect& r) const;

private:
    QImage image_;
    std::vector<QRegion> clips_;
    std::int32_t twipsParPixelX_ = 15;
    std::int32_t twipsParPixelY_ = 15;
    bool redessinAuto_ = true;
};

// The rectangle of a box given by two corners in either order, both included.
QRect RectangleDepuisCoins(int x1, int y1, int x2, int y2);

}  // namespace korv::display
