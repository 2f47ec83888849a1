#pragma once
// The drawing of sprites, polylines, tagged and rich texts, button captions,
// grids and charts, which their own modules plug into the page display. An
// empty hook draws nothing: the object still gets its frame and outline.

#include <cstdint>
#include <functional>
#include <string_view>

#include "display/couleurs.h"
#include "engine/services.h"

namespace korv::display {

class Surface;

struct CrochetsDessin {
    // Kind routines: (page, object) and, where the routine uses it, the
    // drawing rectangle in twips (left, top, width less one pixel, height
    // less one pixel).
    std::function<void(int page, int objet)> ObjetSpriteDessine;
    std::function<void(int page, int objet, std::int32_t gauche, std::int32_t haut, std::int32_t w, std::int32_t h,
                       bool legende, int morceau)>
        ObjetTexteDessine;
    std::function<void(int page, int objet, std::int32_t gauche, std::int32_t haut, std::int32_t w, std::int32_t h)>
        ObjetTexteRTFDessine;
    std::function<void(int page, int objet)> ObjetTableauDessine;
    std::function<void(int page, int objet, std::int32_t gauche, std::int32_t haut, std::int32_t w, std::int32_t h)>
        ObjetGraphiqueDessine;

    // The number of text pages of a text object (1 until texts are laid out).
    std::function<int(int page, int objet)> TexteNbPage;
    // Text queries the engine asks of laid-out texts: the line under y
    // (twips) of a text page, the text page of a line, the line a search
    // finds after a line, the page markers of a rich text. An empty hook
    // answers 0.
    std::function<int(int page, int objet, std::int32_t y, int morceau, std::int32_t ligne)> NLigneTexteObjetY;
    std::function<int(int page, int objet, std::int32_t ligne)> TexteNLigneVersNPage;
    std::function<int(int page, int objet, std::string_view texte, int depuisLigne)> TexteRecherche;
    std::function<int(int page, int objet)> TexteRicheNbMarqueurPage;
    // The pages a reader turns through a rich-text object.
    std::function<int(int page, int objet)> TexteRicheNbPage;

    // A button's caption on the buffer, in display mode 0 or 2.
    std::function<void(Surface& tampon, int page, int objet, int mode)> BoutonLegendeDessine;

    // The object's polyline on a surface with a pen of that colour and width.
    std::function<void(Surface& surface, int page, int objet, Couleur couleur, int epaisseur)> PolyligneAfficher;
    // The pressed look of a polygon object: its outline lightened on the
    // visible page.
    std::function<void(Surface& surface, int page, int objet)> PolyligneEclaircir;
    // Scales and shifts the object's polyline (its rectangle follows).
    std::function<void(int page, int objet, double dx, double dy, double fx, double fy)> PolyligneMultiplie;

    // Sprites: all lifted off the buffer (their saved backgrounds put back),
    // all shown again, all deleted, and one moved (pixels).
    std::function<void()> SpritesDisparaissent;
    std::function<void()> SpritesReapparaissent;
    std::function<void()> SpriteSupprimerTous;
    std::function<void(int page, int objet, std::int32_t x, std::int32_t y)> SpriteDeplacerObjet;
    // A dragged sprite: where it may stand for a wanted top-left corner
    // (twips; unchanged when empty), and the move itself (pixels).
    std::function<engine::Affichage::PointTwips(int sprite, std::int32_t x, std::int32_t y)>
        SpriteDetermineCoordonneesAutorisees;
    std::function<void(int sprite, std::int32_t x, std::int32_t y)> SpriteDeplacer;

    // Charts: every chart of the page forgotten.
    std::function<void()> GraphiquesEffacerTous;
    std::function<void(int page, int objet)> GraphiqueRafraichir;

    // A grid or chart object moved or resized: its class takes the object's
    // new rectangle (`InitialiseRectangleParent`).
    std::function<void(int page, int objet)> RectangleParentMaj;

    // `DeclencheDivers`(page, object, 1, 0, True): shows an object that is
    // not shown, through its trigger.
    std::function<void(int page, int objet)> DeclencheDivers;
};

}  // namespace korv::display
