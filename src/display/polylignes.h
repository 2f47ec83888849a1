#pragma once
// The drawing of polylines: the outline of a polyline object, the lighter
// look of a pressed polygon, and the clip region that keeps a sprite out of
// its masks. Their geometry is the engine's (engine/polyligne.h).

#include <optional>

#include <QRegion>

#include "display/couleurs.h"

namespace korv::display {

class AffichagePage;
class Surface;

// `PolyligneAfficher`: the object's points as an open line, or as a polygon
// outline when its closed flag is set, with a pen of that colour and width.
// On the visible page the points are shifted by the scroll origin. Nothing
// without points.
void PolyligneAfficher(AffichagePage& a, Surface& surface, int page, int objet, Couleur couleur, int epaisseur);

// `PolyligneEclaircir`: lightens the object's rectangle inside its polygon
// (shape byte 2 only; nothing on a "Windows NT" system, where lightening is
// not drawn).
void PolyligneEclaircir(AffichagePage& a, Surface& surface, int page, int objet);

// `PolyligneSpriteClipping`: the page less the mask polygons over sprite
// object `sprite`, in page pixels; none when the sprite has no mask.
std::optional<QRegion> PolyligneSpriteClipping(AffichagePage& a, int page, int sprite);

}  // namespace korv::display
