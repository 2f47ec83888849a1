#pragma once
// `ListeObjetsAffiches`: the objects shown on the played page, in the order
// in which they were first drawn (entry 1 is the bottom-most), with the
// rectangle each one covers and its run-time flags. The drawing of an
// object adds its entry, erasing an object removes it, and page preparation
// empties the list.

#include <cstdint>
#include <string>
#include <vector>

namespace korv::engine {

class Moteur;
struct ListeAttente;
struct Scene;

struct ObjetAffiche {
    std::int16_t page = 0;
    std::int16_t objet = 0;
    // Shown rectangle in twips; bottom and right are the last pixel's
    // position (top + height less one pixel, left + width less one pixel).
    std::int32_t haut = 0;
    std::int32_t bas = 0;
    std::int32_t gauche = 0;
    std::int32_t droite = 0;
    std::int16_t survol = 0;   // -1 while the hover effect is shown
    std::int16_t enfonce = 0;  // -1 while the object is shown pressed
    std::int32_t clicX = 0;    // last mouse-up inside the object, twips
    std::int32_t clicY = 0;
    std::int16_t morceauTexte = 0;        // piece of a long text shown (the record's C2)
    std::int32_t ligneSelectionnee = 0;   // line chosen by the last click (A4 at first)
    std::int32_t ligneTexteLong = 0;      // line handed with the piece to the layout (G5)
    std::int16_t role = 0;                // 3 next page, 4 previous page, 16 method-text button (G4)
    bool operator==(const ObjetAffiche&) const = default;
};

// Entries 1 .. Nombre(); index 0 of the vector is entry 1.
struct ListeObjetsAffiches {
    std::vector<ObjetAffiche> entrees;

    int Nombre() const { return static_cast<int>(entrees.size()); }
    bool Existe(int n) const { return n >= 1 && n <= Nombre(); }
    // 1-based access; the caller checks the number.
    ObjetAffiche& Entree(int n) { return entrees[static_cast<std::size_t>(n - 1)]; }
    const ObjetAffiche& Entree(int n) const { return entrees[static_cast<std::size_t>(n - 1)]; }
};

// Twips per screen pixel, which the shown rectangles are measured in.
struct TwipsParPixel {
    std::int32_t x = 15;
    std::int32_t y = 15;
};

// Appends the entry of (page, objet) built from its record. Nothing is added
// for an object outside the page tables.
void ObjetAfficheAjouter(ListeObjetsAffiches& liste, const Scene& scene, int page, int objet, TwipsParPixel tpp);

// The first entry showing (page, objet); 0 when the object is not shown.
int ObjetAfficheNObjetVersNAffiche(const ListeObjetsAffiches& liste, int page, int objet);

// Removes entry n; later entries move down by one. A number outside the list
// changes nothing.
void ObjetAfficheSupprimer(ListeObjetsAffiches& liste, int n);

void ObjetAfficheSupprimerTous(ListeObjetsAffiches& liste);

// After a layout: every entry's rectangle again from its record (hover and
// pressed flags cleared), and the rectangle of every waiting entry that is
// not a timer from its object. Entries whose object no longer exists keep
// their rectangle. Moving the sprites of the entries is the display's part.
void ObjetAfficheRecalculerPositions(ListeObjetsAffiches& liste, ListeAttente& attente, const Scene& scene,
                                     TwipsParPixel tpp);

// --- Hit tests. Points are page twips. ---

// `ObjetAffichePointDedans`: whether (x, y) lies in the object of entry n.
// Only backgrounds, images, buttons, texts, videos, polylines, sprites,
// grids and rich texts can be hit. An object outlined by its path (shape
// byte 2) is hit inside its polygon; any other is a rectangle whose edges
// are outside (strict tests). An entry outside the list is never hit.
bool ObjetAffichePointDedans(const ListeObjetsAffiches& liste, const Scene& scene, int n, std::int32_t x,
                             std::int32_t y, TwipsParPixel tpp);

// `EvePointDedans`: whether (x, y) lies in the zone of waiting entry i:
// the object's rectangle (strict) or polygon for images, buttons, texts and
// videos; the shown sprite for sprites; the first three rectangles of a link
// zone, edges included. Other kinds and entries outside the list: false.
bool EvePointDedans(const ListeAttente& attente, const ListeObjetsAffiches& liste, const Scene& scene, int i,
                    std::int32_t x, std::int32_t y, TwipsParPixel tpp);

struct RectangleTwips {
    std::int32_t gauche = 0;
    std::int32_t haut = 0;
    std::int32_t droite = 0;
    std::int32_t bas = 0;
    bool operator==(const RectangleTwips&) const = default;
};

// `BoutonDetermineZoneTexte`: where a button's caption is laid out, by its
// caption-placement byte (H3): 1 the object's rectangle shifted by (A1, A2);
// 0 the rectangle less the margin C2, starting A4 below the picture when
// the button has one. Empty (all 0) without a text or for other placements.
RectangleTwips BoutonDetermineZoneTexte(const Scene& scene, int page, int objet);

// `HyperTexteDansObjet`: the link texts of a text object's elements in the
// language given, each as its length on five digits then the text. Empty
// for any other kind.
std::string HyperTexteDansObjet(const Scene& scene, int page, int objet, int langue);

// `NLigneTexteObjetY`: the line of the object's text under y, as the display
// lays the text (or the given piece of a long text) out; 0 when none.
int NLigneTexteObjetY(Moteur& moteur, int page, int objet, std::int32_t y, int morceau, std::int32_t ligne);

// `ImageDecalageLimite`: the picture offset A1 of (page, objet) stays within
// 0 .. width - picture width (A3); the lower bound wins.
void ImageDecalageLimite(Scene& scene, int page, int objet);

}  // namespace korv::engine
