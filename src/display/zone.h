#pragma once
// Redraw of a rectangle of the page: the rectangle is wiped, every shown
// object that meets it is drawn again clipped to it, the third surface keeps
// up, and the rectangle is copied to the window. Around it: the area of a
// shown object, erasing an object, the whole-page redraw and copy, the clip
// of an object's shape, and the page-link buttons.

#include <cstdint>

namespace korv::engine {
struct ObjetPage;
}

namespace korv::display {

class AffichagePage;
class Surface;

// Page rectangle in twips; right and bottom are the last pixel's position.
struct RectZone {
    std::int32_t gauche = 0;
    std::int32_t haut = 0;
    std::int32_t droite = 0;
    std::int32_t bas = 0;
    bool operator==(const RectZone&) const = default;
};

// `MajZonePageJeu`: on a "Windows NT" system the rectangle becomes the whole
// page. Nothing happens while no object is shown. Sprites are lifted before
// the redraw and shown again after it.
void MajZonePageJeu(AffichagePage& a, RectZone& rectangle, int effet);

// `ObjetAfficheRectangleAffichage`: the area of shown entry n, grown by half
// the outline width (from 2 pixels up) and by the side shadow; empty for a
// number outside the list.
RectZone ObjetAfficheRectangleAffichage(AffichagePage& a, int n);

void MajZoneObjetJeu(AffichagePage& a, int n, int effet);

// `ObjetEnJeuEfface`: takes a shown object off the page (its waiting
// entries go, except those that outlive it) and redraws its area.
void ObjetEnJeuEfface(AffichagePage& a, int page, int objet);

// `PageJeuReafficheEnEntier`: every shown object of the current page drawn
// again on white, the foreground page over it, and the whole copy.
void PageJeuReafficheEnEntier(AffichagePage& a);

// `MajFenetreJeu`: the whole buffer copied to the visible page ("A116").
void MajFenetreJeu(AffichagePage& a);

// `ClippingMetObjet`: pushes the object's shape (rectangle or polygon) as a
// clip of the surface, within the clip already there, and answers whether
// it pushed one; `ClippingEfface` takes that clip away again, leaving any
// outer clip (a zone redraw's) in place.
bool ClippingMetObjet(AffichagePage& a, Surface& surface, const engine::ObjetPage& objet);
void ClippingEfface(Surface& surface);

// The object's shape clip for the length of a scope.
class ClipObjet {
public:
    ClipObjet(AffichagePage& a, Surface& surface, const engine::ObjetPage& objet, bool actif = true);
    ~ClipObjet();
    ClipObjet(const ClipObjet&) = delete;
    ClipObjet& operator=(const ClipObjet&) = delete;

private:
    Surface& surface_;
    bool pose_ = false;
};

// `JeuBoutonPageSuivantePrecedenteMaj`: next/previous-page buttons erased
// when their link has no target, shown when it has one.
void JeuBoutonPageSuivantePrecedenteMaj(AffichagePage& a, int page);

}  // namespace korv::display
