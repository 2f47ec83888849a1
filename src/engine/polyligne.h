#pragma once
// Geometry of an object's polyline: its points in page twips, the lengths
// along it, the point at a length, the nearest point of the path, the
// inside test, the bounding box, scaling, and the links that make a
// polyline the path or the mask of a sprite.
//
// Points are held in page pixels (16-bit); every accessor here speaks twips
// (pixels x twips per pixel), computed in 32 or 64 bits. The cumulative
// lengths are stored in hundreds of twips within 0 .. 32000; only objects
// whose shape byte is 2 have lengths.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/objets_affiches.h"
#include "engine/scene.h"

namespace korv::engine {

// Shape byte (`decoupe`) of an object drawn and clipped by its polyline.
inline constexpr std::uint8_t kFormePolyligne = 2;
// Link kinds (an element's `Parametre`) on a polyline object: the path of
// the sprite the element names, or a mask over it.
inline constexpr std::int16_t kLienChemin = 5;
inline constexpr std::int16_t kLienMasque = 6;
// Stored cumulative lengths stop there (hundreds of twips).
inline constexpr std::int32_t kLongueurStockeeMax = 32000;

struct PointTwips32 {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const PointTwips32&) const = default;
};

// The nearest point of a path and its length along it (twips).
struct PointSurChemin {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t longueur = 0;
    bool operator==(const PointSurChemin&) const = default;
};

// The bounding box of a polyline, twips.
struct BoitePolyligne {
    std::int32_t gauche = 0;
    std::int32_t haut = 0;
    std::int32_t largeur = 0;
    std::int32_t hauteur = 0;
    bool operator==(const BoitePolyligne&) const = default;
};

int PolyligneNbPoint(const Polyligne& p);
// Point i (1-based) in twips; (0, 0) outside 1 .. count.
PointTwips32 PolylignePointTwips(const Polyligne& p, int i, TwipsParPixel tpp);

// `PropertyGetPolyligneL`: the cumulative length at point i (twips, the
// stored value x 100); 0 unless the object's shape byte is 2 and i is a
// point.
std::int32_t PolyligneL(const ObjetPage& o, int i);

// `PolyligneLongueur`: the length of the whole path, twips: the segment
// lengths added one by one, the sum rounded (halves to even) after each.
// 0 with fewer than 2 points.
std::int32_t PolyligneLongueur(const Polyligne& p, TwipsParPixel tpp);
// The same sum up to point i (0 for i = 1).
std::int32_t PolyligneLongueurJusqua(const Polyligne& p, int i, TwipsParPixel tpp);

// `PolyligneMajLongueurs`: recomputes every stored cumulative length
// (round(sum / 100) within 0 .. 32000) and the total length.
void PolyligneMajLongueurs(Polyligne& p, TwipsParPixel tpp);

// `PolylignePointX` / `PolylignePointY` together: the point at length L
// (twips) along the object's path, interpolated back from the first point
// whose cumulative length exceeds L. A length past the end gives the last
// point, a negative length the first; no point gives (0, 0).
PointTwips32 PolylignePointALongueur(const ObjetPage& o, std::int64_t longueur, TwipsParPixel tpp);

// `PolylignePointLePlusProche`: the point of the path nearest to (x, y)
// twips, with its length along the path. Ties keep the earlier segment; a
// segment whose two ends coincide counts as that one point. A path of one
// point gives that point; no point gives (x, y) at length 0.
PointSurChemin PolylignePointLePlusProche(const ObjetPage& o, std::int32_t x, std::int32_t y, TwipsParPixel tpp);

// Crossing count of a horizontal ray to the right of (x, y) twips: inside
// when odd. The polygon is closed from the last point back to the first,
// whatever the closed flag. Fewer than 3 points, or a scale below one twip
// per pixel, give false.
bool PolylignePointDedans(std::span<const PolylignePoint> points, std::int32_t twipsParPixelX,
                          std::int32_t twipsParPixelY, std::int32_t x, std::int32_t y);
// The same on the path of (page, objet); false outside the page tables.
bool PolylignePointDedans(const Scene& scene, int page, int objet, std::int32_t twipsParPixelX,
                          std::int32_t twipsParPixelY, std::int32_t x, std::int32_t y);

// The points' bounding box; none with fewer than 3 points.
std::optional<BoitePolyligne> PolyligneBoite(const Polyligne& p, TwipsParPixel tpp);
// `PolyligneMajCentre`: the object's rectangle becomes that box (16-bit
// twips); with fewer than 3 points the rectangle is left alone.
void PolyligneMajCentre(ObjetPage& o, TwipsParPixel tpp);

// `PropertyLetPolyligneX` / `PropertyLetPolyligneY`: point i takes x (y)
// twips, rounded to pixels; the lengths and the rectangle follow. An index
// outside the points does nothing.
void PolyligneDefinirX(ObjetPage& o, int i, std::int32_t x, TwipsParPixel tpp);
void PolyligneDefinirY(ObjetPage& o, int i, std::int32_t y, TwipsParPixel tpp);

// `PolyligneMultiplie`: every point (twips) becomes round(p x f + d); the
// lengths and the rectangle follow.
void PolyligneMultiplie(ObjetPage& o, double dx, double dy, double fx, double fy, TwipsParPixel tpp);

// `PathPolyligneRelieeAuSprite`: the object of the page that is the path of
// sprite object `sprite` (an element naming it with link kind 5, and at
// least one point); 0 when none or when `sprite` is not a sprite.
int PathPolyligneRelieeAuSprite(const Scene& scene, int page, int sprite);
// `PolyligneCheminQuelSprite`: the sprite object whose path (page, objet)
// is; 0 when none or when the object's shape byte is not 2.
int PolyligneCheminQuelSprite(const Scene& scene, int page, int objet);
// The mask polygons over sprite object `sprite`: the points of every
// polyline object of the page (shape byte 2, more than 2 points) with an
// element naming the sprite with link kind 6 (the first 255 elements of
// each object are looked at).
std::vector<std::span<const PolylignePoint>> PolyligneMasquesDuSprite(const Scene& scene, int page, int sprite);

}  // namespace korv::engine
