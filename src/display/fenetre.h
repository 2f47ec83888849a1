#pragma once
// Window layout: from the main window's inner size, the page size and the
// screen's twips per pixel, where the plan panel ends, whether the page
// needs scroll bars, how large the visible surface is and, in play mode,
// how large the page becomes (the page follows the window). The layout is
// computed in 32 bits; page sizes are held where 16-bit page coordinates
// can still address them.

#include <cstdint>
#include <string_view>

#include <QRect>

class QImage;

namespace korv::display {

class AffichagePage;

// What the main window tells of itself, in twips.
struct MesuresFenetre {
    std::int32_t gauche = 0;  // inner area (ScaleLeft, ScaleTop, ScaleWidth, ScaleHeight)
    std::int32_t haut = 0;
    std::int32_t largeur = 0;
    std::int32_t hauteur = 0;
    bool planVisible = false;
    std::int32_t planLargeur = 0;
    std::int32_t largeurAscVer = 255;  // thickness of the vertical bar
    std::int32_t hauteurAscHor = 255;  // thickness of the horizontal bar
};

struct RectangleTwips {
    std::int32_t gauche = 0;
    std::int32_t haut = 0;
    std::int32_t largeur = 0;
    std::int32_t hauteur = 0;
    bool operator==(const RectangleTwips&) const = default;
};

struct BarreDefilement {
    bool visible = false;
    RectangleTwips place;
    std::int32_t maximum = 0;
    std::int32_t petitPas = 1;
    std::int32_t grandPas = 1;
    bool operator==(const BarreDefilement&) const = default;
};

struct DispositionFenetre {
    std::int32_t x0 = 0;   // left of the page frame
    RectangleTwips cadre;  // `FenetreScene`
    BarreDefilement ver;   // `SceneAscVer`
    BarreDefilement hor;   // `SceneAscHor`
    RectangleTwips espace; // `EspaceAffichage`, the visible page surface
    std::int16_t pageLargeur = 0;  // page size in pixels after the layout
    std::int16_t pageHauteur = 0;
    bool operator==(const DispositionFenetre&) const = default;
};

struct EntreesDisposition {
    MesuresFenetre fenetre;
    std::int32_t pageLargeur = 640;  // pixels
    std::int32_t pageHauteur = 480;
    std::int32_t twipsParPixelX = 15;
    std::int32_t twipsParPixelY = 15;
    double echelleX = 1.0;
    double echelleY = 1.0;
    bool modeJeu = false;
};

// The largest page, in pixels, whose twips still fit 16-bit page
// coordinates (2184 at 15 twips per pixel).
std::int32_t PageLargeurMax(std::int32_t twipsParPixel);

// The layout itself, without touching anything. In play mode the page size
// follows the frame on each side that needs no bar, then the screen scale;
// it is held within 1 .. PageLargeurMax.
DispositionFenetre CalculeDisposition(const EntreesDisposition& e);

// The main window as the layout and the copies see it. Every member has a
// neutral default, for tests and a window not wired yet.
class FenetreAffichage {
public:
    virtual ~FenetreAffichage() = default;
    virtual MesuresFenetre Mesures() const { return {}; }
    // Places the frame, the bars and the visible surface as laid out.
    virtual void Appliquer(const DispositionFenetre& disposition) { (void)disposition; }
    // The visible page image (not owned), shown at the scroll origin; null
    // shows nothing.
    virtual void MontrerPage(const QImage* image) { (void)image; }
    // A part of the visible page image changed (pixels of the image).
    virtual void Rafraichir(const QRect& zone) { (void)zone; }
    // Method pages: the writing panel, the method texts and their sprites.
    virtual bool RedactionVisible() const { return false; }
    virtual void PanneauxMethodeMaj() {}
    virtual void MenuSavTexteMetPlacer() {}
    virtual void ObjetsSpriteMethodeMaj() {}
    virtual void TexteEditeParUtilisateurDecaleAscenseurs() {}
    // Height of the method text at its panel's width, twips.
    virtual std::int32_t TexteMethodeHauteurTwips() { return 0; }
    // The progress window.
    virtual void MessageOuvrir(std::string_view titre, std::string_view texte) { (void)titre, (void)texte; }
    virtual void MessagePourcentage(std::int32_t valeur) { (void)valeur; }
    virtual void MessageFermer() {}
};

// `MajTailleFenetre`: lays the window out and sizes the page surfaces. In
// play mode the current page (and the foreground page it shows) is put back
// to its designed geometry, fitted to the visible surface and, when
// `redessiner`, drawn again. A call made while a layout runs does nothing.
void MajTailleFenetre(AffichagePage& a, bool redessiner);

// `MajZonePageJeuEntiere`: redraws the whole page and copies it.
void MajZonePageJeuEntiere(AffichagePage& a);

// `MajFenetreAffichageDecalage`: the scroll bars' values (twips) become the
// scroll origin (pixels, rounded down).
void MajFenetreAffichageDecalage(AffichagePage& a, std::int32_t valeurVer, std::int32_t valeurHor);

// `EcAfficheCacheBarreMenu`: shows or hides the menu bar and records the
// choice ("1" or "0") under "KORVELIS" / "EDITEUR" / "AFFICHER BARRE MENU".
void EcAfficheCacheBarreMenu(AffichagePage& a, bool afficher);

}  // namespace korv::display
