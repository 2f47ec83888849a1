#pragma once
// Palettes: the colour table of a picture file (DEFAUT.PAL at start-up, the
// scene's palette file at each page, a picture's own file when it is
// fired), loaded and kept as the current palette. Our surfaces are true
// colour, so selecting a palette into them changes no pixel; only an 8-bit
// screen would need it, and there selection stays a recorded state.

#include <optional>
#include <string_view>
#include <vector>

#include "display/couleurs.h"
#include "display/images.h"
#include "display/surface_systeme.h"

namespace korv::display {

struct Palette {
    std::vector<Couleur> couleurs;  // empty for a picture without a colour table
    bool operator==(const Palette&) const = default;
};

// The palette of a picture file (any BMP, whatever its extension): nullopt
// when the file does not exist (no fault) or cannot be read (journaled, with
// the program's code "A104"). With `resolveur`, the name is resolved through
// it (the page's palette is named again at each showing).
std::optional<Palette> PaletteFichierCreer(std::string_view fichier, const JournalAffichage& journal,
                                           platform::ResolveurChemins* resolveur = nullptr);

// The current palette and whether it is selected into the page surfaces.
class EtatPalette {
public:
    const std::optional<Palette>& PaletteActuelle() const { return actuelle_; }
    bool Selectionnee() const { return selectionnee_; }

    // Keeps `palette` as the current one, releasing the previous one first.
    // A missing file (nullopt) leaves no current palette.
    void Remplacer(const SystemeAffichage& systeme, std::optional<Palette> palette);
    // Selects the current palette into the surfaces: only on a palette
    // screen and when there is one.
    void PaletteActuelleAssignerAuxFenetres(const SystemeAffichage& systeme);
    // Puts the surfaces' own palettes back and drops the current palette.
    void PaletteLiberer(const SystemeAffichage& systeme);

private:
    std::optional<Palette> actuelle_;
    bool selectionnee_ = false;
};

}  // namespace korv::display
