#pragma once
// The two splitter bands of the main window, where the client area shows
// between the panels: west-east between the plan panel and the page frame,
// north-south between the page frame and the writing panel. Positions are
// client twips. Without a button the pointer follows the bands (the
// north-south one wins where both meet); dragging with the left button
// sizes the panel of the band the pointer shows, never below 4 pixels.

#include <cstdint>
#include <optional>

namespace korv::plan {

enum class PointeurSeparateur : std::uint8_t { Defaut = 0, NordSud = 7, OuestEst = 9 };

struct BandesSeparateurs {
    bool planVisible = false;
    std::int32_t planDroite = 0;   // plan panel's left + width
    std::int32_t sceneGauche = 0;  // page frame's left
    bool redactionVisible = false;
    std::int32_t sceneBas = 0;       // page frame's bottom
    std::int32_t redactionHaut = 0;  // writing panel's top
    std::int32_t clientHauteur = 0;
    std::int32_t twipsX = 15;
    std::int32_t twipsY = 15;
};

// The pointer after a move without a button at (x, y).
PointeurSeparateur PointeurApresDeplacement(const BandesSeparateurs& b, PointeurSeparateur pointeur, std::int32_t x,
                                            std::int32_t y) noexcept;

// A drag with the left button: the new width of the plan panel or height of
// the writing panel; none when the pointer shows no band of a visible panel.
struct TailleGlissee {
    bool plan = false;  // true: plan panel's width, false: writing panel's height
    std::int32_t valeur = 0;
    bool operator==(const TailleGlissee&) const = default;
};
std::optional<TailleGlissee> TailleApresGlissement(const BandesSeparateurs& b, PointeurSeparateur pointeur,
                                                   std::int32_t x, std::int32_t y) noexcept;

// A mouse move over the client area as a whole, `boutons` being the held
// buttons' bits (1 left, 2 right, 4 middle): none moves the pointer; the
// left one alone sizes the panel its pointer shows, after which the window
// is laid out again; any other combination does nothing.
struct DeplacementSeparateurs {
    PointeurSeparateur pointeur = PointeurSeparateur::Defaut;
    std::optional<TailleGlissee> taille;
    bool operator==(const DeplacementSeparateurs&) const = default;
};
DeplacementSeparateurs DeplacementDessous(const BandesSeparateurs& b, PointeurSeparateur pointeur, int boutons,
                                          std::int32_t x, std::int32_t y) noexcept;

}  // namespace korv::plan
