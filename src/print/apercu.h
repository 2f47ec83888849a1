#pragma once
// The preview of a prepared job as the print words see it: shown modally
// at the end of a print script; its first activation paginates the job.
// The Qt window sits behind it in the program, a scripted hook in tests.
// Its layout is computed here, without Qt, in twips.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "print/travail.h"

namespace korv::print {

struct ContexteApercu {
    ImpressionTravail& travail;
    // Paginates the job unless it already was; returns the page count.
    std::function<std::int32_t()> paginer;
};

class FenetreApercu {
public:
    virtual ~FenetreApercu() = default;
    // Modal: returns when the window closed.
    virtual void Montrer(ContexteApercu& contexte) = 0;
};

// The pages the preview shows: the page box's text read as a number, or the
// first page when it is no page of the job.
std::int32_t PageDemandee(std::string_view texte, std::int32_t nombre);

// One scroll-bar unit of the preview is 10 twips of the page at its zoom.
inline constexpr std::int32_t kTwipsParUniteDefilement = 10;

struct RectangleApercu {
    double gauche = 0, haut = 0, largeur = 0, hauteur = 0;
    bool operator==(const RectangleApercu&) const = default;
};

struct BarreApercu {
    bool active = false;
    std::int32_t minimum = 0, maximum = 0, petitPas = 0, grandPas = 0, valeur = 0;
    bool operator==(const BarreApercu&) const = default;
};

// What the layout reads of the window, in twips.
struct MesuresApercu {
    double largeurInterne = 0, hauteurInterne = 0;  // the window's inner area
    double hauteurOutils = 0;                      // the tool band
    double largeurBarreVerticale = 0;              // the scroll bars' thickness
    double hauteurBarreHorizontale = 0;
    // The bars' current lengths, kept when the window leaves them no room.
    double hauteurBarreVerticale = 0, largeurBarreHorizontale = 0;
    double largeurPage = 0, hauteurPage = 0;       // the page image at 100 %
    std::int32_t twipsParPixelX = 15, twipsParPixelY = 15;
};

struct DispositionApercu {
    double zoom = 100;  // percent, within 1..1000
    RectangleApercu outils, affichage, barreHorizontale, barreVerticale, coin;
    BarreApercu horizontale, verticale;
};

// Lays the window out for its size and the zoom box's text: the page at the
// zoom below the tool band, the scroll bars along the right and bottom
// edges, their ranges in 10-twip units, and the view back at the top-left
// corner of the page.
DispositionApercu ApercuDisposer(const MesuresApercu& m, std::string_view zoom);

// Device pixels the page moves by for a scroll-bar value.
double DefilementPixels(std::int32_t valeur, std::int32_t twipsParPixel);

// The page image's size at 100 %: the printer page less its offsets.
double LargeurPageApercu(const ImpressionTravail& t);
double HauteurPageApercu(const ImpressionTravail& t);

}  // namespace korv::print
