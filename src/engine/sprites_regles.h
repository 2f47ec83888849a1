#pragma once
// The rules of sprites that need no drawing: which object record fields a
// sprite reads, the path or track it follows, where it may stand when it is
// dragged, where a percentage of its track puts it, and the next picture of
// its numbered series. The sprite table itself, with the saved backgrounds,
// belongs to the page display.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/objets_affiches.h"
#include "engine/scene.h"

namespace korv::engine {

// Record fields of a sprite object (kind 10).
namespace champs_sprite {
inline std::int16_t DecalageImageX(const ObjetPage& o) { return o.A1; }  // twips
inline std::int16_t DecalageImageY(const ObjetPage& o) { return o.A2; }
// The numbered series of pictures shown as it moves; a last number of 0
// or less means none.
inline std::int16_t PremiereImage(const ObjetPage& o) { return o.A3; }
inline std::int16_t DerniereImage(const ObjetPage& o) { return o.A4; }
// How a drag is held back (`ModeMouvement`): an Integer kept as a byte.
inline std::uint8_t ModeMouvement(const ObjetPage& o) { return static_cast<std::uint8_t>(o.G[1]); }
// Not 0: a move leaves a copy of the picture behind.
inline bool Trainee(const ObjetPage& o) { return o.H3 != 0; }
inline std::int16_t Etirement(const ObjetPage& o) { return o.I2; }
// On a path image: 1 when the path loops.
inline bool CheminBoucle(const ObjetPage& chemin) { return chemin.C2 == 1; }
}  // namespace champs_sprite

enum class ModeMouvement : std::uint8_t {
    Libre = 0,
    SurChemin = 1,
    DansChemin = 2,
    GlissiereVerticale = 4,
    GlissiereHorizontale = 5,
};

// `SpriteQuelObjetEstChemin`: the first object of the page with an element
// naming sprite object `sprite` with link kind 5 (its path or track); 0
// when none. `SpriteQuellePolyligneEstChemin`: the same among the objects
// whose shape byte is 2.
int SpriteQuelObjetEstChemin(const Scene& scene, int page, int sprite);
int SpriteQuellePolyligneEstChemin(const Scene& scene, int page, int sprite);

// `SpriteLongueurRelativePolyligneReliee`: the start position of the
// sprite on the path object `chemin`: the first element of the path naming
// the sprite, its value read as a number, rounded, made positive; 0 when
// none.
std::int32_t SpriteLongueurRelativePolyligneReliee(const Scene& scene, int page, int sprite, int chemin);

// What a drag needs to know of a sprite.
struct SpriteCourse {
    int page = 0;
    int objet = 0;
    std::int32_t largeur = 0;  // drawn size, pixels
    std::int32_t hauteur = 0;
    std::uint8_t mode = 0;     // ModeMouvement
};

struct PositionAutorisee {
    std::int32_t x = 0;  // twips
    std::int32_t y = 0;
    // On a path (mode 1, and mode 2 outside the polygon): the length along
    // it of the point given.
    std::optional<double> positionSurChemin;
    bool operator==(const PositionAutorisee&) const = default;
};

// `SpriteDetermineCoordonneesAutorisees`: where the sprite may stand for a
// wanted top-left corner (x, y) twips: anywhere (mode 0 and unknown modes),
// on its path polyline (1), inside it (2), on its vertical (4) or
// horizontal (5) track. A missing path or track leaves the point as it is.
PositionAutorisee SpriteDetermineCoordonneesAutorisees(const Scene& scene, const SpriteCourse& sprite,
                                                       std::int32_t x, std::int32_t y, TwipsParPixel tpp);

struct PointPixels {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const PointPixels&) const = default;
};

// `SpriteDeplacerPourcentageX` / `Y`: the pixel position of the sprite at
// p percent (clamped to 0 .. 100) of its track's width or height; none
// without a track.
std::optional<PointPixels> SpritePositionPourcentage(const Scene& scene, const SpriteCourse& sprite, double p,
                                                    bool horizontale, TwipsParPixel tpp);

// The picture after `fichier` in the series premiere .. derniere: back to
// the first when the current number lies outside the series, when the next
// file does not exist or when it would pass the last number. `existe`
// tells whether a file exists.
std::string SpriteImageSuivante(std::string_view fichier, std::int32_t premiere, std::int32_t derniere,
                                const std::function<bool(std::string_view)>& existe);

// A position along a path of length L brought back onto it: past either
// end it wraps round when the path loops (modulo L, the end being the
// start again), else it stops at the nearer end.
double SpritePositionSurChemin(double position, std::int32_t longueur, bool boucle);

}  // namespace korv::engine
