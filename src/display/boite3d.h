#pragma once
// Raised and sunken 3D boxes, and the drawing of the pressed look that a
// button or a mouse zone gets while the mouse holds it.
//
// Boxes are given in twips; the surface's twips per pixel turn them into
// pixels (halves to even). The pressed look is drawn on the visible surface
// only: the page buffer keeps the normal look, so the next copy of the
// buffer to the window removes it.

#include <cstdint>
#include <span>

#include <QPoint>

#include "display/couleurs.h"
#include "display/surface.h"
#include "display/surface_systeme.h"

namespace korv::display {

// A raised box: face in `couleur`, top and left bands 50 lighter, bottom and
// right bands 50 darker, mitred corners, bands `profondeur` twips deep (in
// whole pixels, at least one). Nothing when profondeur < 1. On a surface
// without automatic redraw the box is one pixel larger each way.
void Carre3D(Surface& surface, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
             std::int32_t profondeur, Couleur couleur);
// The same box sunken: the two shades exchanged.
void Carre3DEnfonce(Surface& surface, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                    std::int32_t profondeur, Couleur couleur);

// What a pressed object looks like.
enum class AspectEnfonce : std::uint8_t {
    Aucun,              // nothing changes
    Carre3DEnfonce,     // its 3D box drawn sunken
    RectangleEclairci,  // its rectangle lightened
    PolygoneEclairci,   // its polygon lightened (drawn by the polyline code)
};

// The fields of a page object that its pressed look reads.
struct ObjetEnfonce {
    std::int32_t gauche = 0, haut = 0, largeur = 0, hauteur = 0;  // twips
    std::int32_t styleCadre = 0;
    std::int32_t profondeur3D = 0;  // twips
    Couleur remplissage = kBlanc;
    std::uint8_t aspectEnfonce = 0;  // 0 by the frame and shape, 2 sunken box, 3 lightened
    std::uint8_t forme = 1;          // 1 rectangle, 2 polygon
};

// The look by the pressed-look byte: 2, or 0 with frame style 1, sinks the
// box; otherwise 3, or 0 with a rectangle, lightens it (the polygon of a
// shape-2 object); anything else changes nothing.
AspectEnfonce ChoisirAspectEnfonce(const ObjetEnfonce& objet);

// Draws the pressed look of a displayed object on the visible surface
// `ecran`, whose page origin is `decalage` pixels (the scroll origin).
// Returns the look chosen; for PolygoneEclairci nothing is drawn here.
AspectEnfonce DessinerEnfonceObjet(const SystemeAffichage& systeme, Surface& ecran, const ObjetEnfonce& objet,
                                   QPoint decalage);

// A rectangle of a mouse zone, in twips.
struct RectangleZone {
    std::int32_t gauche = 0, haut = 0, droite = 0, bas = 0;
};

// Lightens (+50) the bounding box of the first three rectangles of a mouse
// zone on `ecran`. Nothing for an empty list.
void DessinerEnfonceZone(const SystemeAffichage& systeme, Surface& ecran, std::span<const RectangleZone> rectangles,
                         QPoint decalage);

}  // namespace korv::display
