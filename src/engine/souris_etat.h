#pragma once
// The mouse's play state: the queue of events that came while the engine
// was busy (`ListeZonesSouris`), the last press or release position and the
// sprite being dragged. The engine context holds one of each.

#include <cstdint>
#include <vector>

namespace korv::engine {

// Mouse event kinds as the main window sends them.
enum class GenreSouris : std::uint8_t { Enfonce = 1, Relache = 2, Deplace = 3 };

// The left button, alone, is the one that drags.
inline constexpr int kBoutonGaucheSouris = 1;

struct ZoneSouris {
    GenreSouris genre = GenreSouris::Deplace;
    std::int32_t x = 0;  // page twips
    std::int32_t y = 0;
    int bouton = 0;
    int maj = 0;
    bool operator==(const ZoneSouris&) const = default;
};

// At most one event of each kind, oldest first.
struct ListeZonesSouris {
    std::vector<ZoneSouris> entrees;
    int Nombre() const { return static_cast<int>(entrees.size()); }
};

struct EtatSouris {
    // Position of the last press or release (`SourisX`, `SourisY`).
    std::int32_t SourisX = 0;
    std::int32_t SourisY = 0;
    // The sprite being dragged (`GlisserEnCours` and its companions).
    bool GlisserEnCours = false;
    std::int16_t GlisserPage = 0;
    std::int16_t GlisserObjet = 0;
    int GlisserNAffiche = 0;
    std::int32_t GlisserDecalageX = 0;  // grab point from the sprite's corner, twips
    std::int32_t GlisserDecalageY = 0;
    std::int64_t GlisserTemps = 0;      // clock time the drag began
    // The last press only ended a text edit, or was dropped from the queue
    // unhandled: its release clicks nothing.
    bool RelachementSansClic = false;
    // The button is down since a press made while the page of this
    // preparation count was shown: a release after another page was
    // prepared clicks nothing there, since that page never saw the press.
    bool PressionEnCours = false;
    std::uint64_t PressionPreparation = 0;
};

}  // namespace korv::engine
