#pragma once
// Pixel arithmetic on page surfaces: additive blend of a picture onto the
// page, weighted cross-fade of a picture with the page, and lightening or
// darkening of rectangles (with the side shadow made from it).
//
// Rectangles are in pixels of the surfaces. The destination's clip applies
// to what is written back. Components are held within 0..255.

#include <cstdint>

#include <QImage>
#include <QRect>

#include "display/surface.h"
#include "display/surface_systeme.h"

namespace korv::display {

// Byte size of the pixel bits of a bottom-up DIB whose rows are padded to 4
// bytes: 24 and 1 bits per pixel, 0 for any other depth or a negative size.
std::int64_t WinApiTailleDib(std::int32_t largeur, std::int32_t hauteur, std::int32_t bitsParPixel);

// The pixel routines, in place on `destination` (RGB32, same size as the
// source; std::invalid_argument otherwise).
// d := min(d + s, 255) on each component.
void ADDITIONNEIMAGES(QImage& destination, const QImage& source);
// d := (d * poidsDestination + s * poidsSource) / (sum of the weights),
// rounded to nearest. Negative weights count as 0; two zero weights leave
// the destination as it is.
void FONDUIMAGES(QImage& destination, int poidsDestination, const QImage& source, int poidsSource);
// d := clamp(d + valeur, 0, 255) on each component.
void AJOUTENTIER(QImage& image, int valeur);

// Adds the part `depuis` of `source`, stretched to the size of `vers`, onto
// `vers` of `destination`. Nothing on an NT or palette system.
void AdditionImages(const SystemeAffichage& systeme, Surface& destination, const QRect& vers, const QImage& source,
                    const QRect& depuis);

// Mixes the part `depuis` of `source`, stretched to the size of `vers`, into
// `vers` of `destination` with the two weights (callers make them sum to
// 100). Works on every system.
void FondImages(Surface& destination, int poidsDestination, const QRect& vers, const QImage& source,
                int poidsSource, const QRect& depuis);

// Adds `valeur` to every component in the rectangle: negative darkens,
// positive lightens. Nothing on an NT or palette system, nor for an empty
// rectangle.
void Ombre(const SystemeAffichage& systeme, Surface& surface, int x, int y, int largeur, int hauteur, int valeur);

// Side shadow of the rectangle, `epaisseur` pixels thick: a band along the
// right side moved down by the thickness, and one along the bottom moved
// right by it. Nothing when the thickness is 0 or less.
void OmbreCotes(const SystemeAffichage& systeme, Surface& surface, int x, int y, int largeur, int hauteur,
                int epaisseur, int valeur);

}  // namespace korv::display
