#pragma once
// Drawing of one page object into the page buffer: the frame step under it,
// the routine of its kind, the outline step around it; and the foreground
// page laid over the page being shown. Objects are placed in twips; the
// buffer is drawn in pixels (halves to even), with 32-bit sums throughout.

#include <cstdint>

namespace korv::display {

class AffichagePage;

// The drawing rectangle: left and top, and the offsets of the last pixel
// (width and height less one pixel), twips.
struct RectangleDessin {
    std::int32_t gauche = 0;
    std::int32_t haut = 0;
    std::int32_t w = 0;
    std::int32_t h = 0;
};

struct OptionsDessin {
    bool cadre = true;     // frame and outline steps
    bool legende = true;   // captions and texts
    bool alentours = false;  // the surroundings are redrawn too (side shadow again)
    int morceau = -1;      // text page to show, -1 none
};

// `MajDessinObjet`. In play mode the object's entry of the displayed list is
// made on its first draw (kinds that can be shown), and objects of a
// compiled page are taken from the page's picture. An object outside the
// tables draws nothing.
void MajDessinObjet(AffichagePage& a, int page, int objet, const OptionsDessin& options);

// The two common steps (only when `cadre`).
void ObjetCadreDessine(AffichagePage& a, int page, int objet, const RectangleDessin& r, bool cadre);
void ObjetContourDessine(AffichagePage& a, int page, int objet, const RectangleDessin& r, bool cadre, bool ombre);

// Kind routines of backgrounds, pictures and buttons.
void ObjetFondDessine(AffichagePage& a, int page, int objet);
void ObjetImageDessine(AffichagePage& a, int page, int objet, const RectangleDessin& r, bool cadre);
void ObjetBoutonDessine(AffichagePage& a, int page, int objet, const RectangleDessin& r, bool legende);
// Kind 8: the polyline with the outline width as pen; nothing at width 0.
void ObjetPolyligneDessine(AffichagePage& a, int page, int objet);

// `AfficherPageAvantPlan`: the objects of the page "AVANTPLAN" fired over
// the current page; nothing without such a page.
void AfficherPageAvantPlan(AffichagePage& a);

}  // namespace korv::display
