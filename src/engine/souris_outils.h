#pragma once
// Helpers shared by the mouse handlers (not for other modules).

#include <cstdint>
#include <string_view>

#include "engine/attente.h"
#include "engine/moteur.h"

namespace korv::engine::souris {

// Object flags (field G3) read by the mouse.
inline constexpr std::int16_t kGlissable = 1;
inline constexpr std::int16_t kTexteEditable = 2;
inline constexpr std::int16_t kLignesLiens = 4;

inline constexpr std::string_view kMenuSav = "MENUSAV";
inline constexpr std::string_view kTexteMet = "TEXTEMET";

// The scale of the shown rectangles; a scale below 1 is taken as 1 so that
// no division by it can fail.
TwipsParPixel Echelle(Moteur& moteur);

// A 64-bit sum of twips brought back within 32 bits.
std::int32_t Entier(std::int64_t v);

// Sets `bit` in the happened events when the entry waits for it.
inline void Survient(EvenementAttente& e, std::int32_t bit) {
    if (e.EvenementsAttendus & bit) e.EvenementsSurvenus |= bit;
}

// Tells whether a handler's call left the page (a jump, even to the same
// page, prepares a new one) or play is ending: the handler stops there.
class GardePage {
public:
    explicit GardePage(const Moteur& moteur)
        : page_(moteur.jeu.PageCourante), generation_(moteur.jeu.generationPreparation) {}
    bool Quittee(const Moteur& moteur) const {
        return moteur.jeu.PageCourante != page_ || moteur.jeu.generationPreparation != generation_ || moteur.fin.demandee;
    }

private:
    std::int16_t page_;
    std::uint64_t generation_;
};

// Copies a twips rectangle of the page buffer back to the visible page,
// widened to whole pixels plus `marge` pixels on every side. A failed copy
// raises error 65000 with `source`.
void RestaurerZone(Moteur& moteur, std::int64_t gauche, std::int64_t haut, std::int64_t droite, std::int64_t bas,
                   int marge, std::string_view source);

}  // namespace korv::engine::souris
