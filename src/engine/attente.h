#pragma once
// The waiting list: one entry per object of the current page (or link zone
// of a text) that waits for events, with the events awaited and happened.

#include <cstdint>
#include <string>
#include <vector>

namespace korv::engine {

// Event bits of `EvenementsAttendus` / `EvenementsSurvenus`.
namespace evenement {
inline constexpr std::int32_t SurPage = 1;
inline constexpr std::int32_t Clic = 2;
inline constexpr std::int32_t FinMedia = 4;
inline constexpr std::int32_t ChronoEchu = 8;
inline constexpr std::int32_t Action16 = 16;
inline constexpr std::int32_t Action32 = 32;
inline constexpr std::int32_t Action64 = 64;
inline constexpr std::int32_t SpriteImage = 128;
inline constexpr std::int32_t SourisEntre = 256;
inline constexpr std::int32_t SourisSort = 512;
inline constexpr std::int32_t BoutonTenu = 1024;
inline constexpr std::int32_t Glisse = 2048;
inline constexpr std::int32_t EditionFinie = 4096;
inline constexpr std::int32_t SourisDessus = 8192;
inline constexpr std::int32_t ChronoCompteFini = 16384;
inline constexpr std::int32_t ObjetCache = 32768;
}  // namespace evenement

// Kind of a waiting entry that is a link zone of a text, not an object.
inline constexpr std::int16_t kTypeZoneLien = 11;

struct ZoneTexteLien {
    std::int32_t Haut1 = 0, Haut2 = 0, Haut3 = 0;
    std::int32_t Bas1 = 0, Bas2 = 0, Bas3 = 0;
    std::int32_t Gauche1 = 0, Gauche2 = 0, Gauche3 = 0;
    std::int32_t Droite1 = 0, Droite2 = 0, Droite3 = 0;
    std::string Texte;
    std::int16_t Numero = 0;
    bool operator==(const ZoneTexteLien&) const = default;
};

// A held button released before the loop reached it: it still fires once,
// as a click would, and then stops.
inline constexpr std::int64_t kRepetitionRelachee = -2;

struct EvenementAttente {
    std::int16_t Etat = 0;  // 0 active, -1 marked for removal
    std::int16_t TypeObjet = 0;
    std::int16_t Objet = 0;
    std::int16_t Page = 0;
    // Twips rectangle; for a timer Gauche is the due time after Debut and
    // Haut the start time (-1 once finished). Times are 64-bit milliseconds
    // of the monotonic clock.
    std::int64_t Gauche = 0;
    std::int64_t Haut = 0;
    std::int32_t Largeur = 0;
    std::int32_t Hauteur = 0;
    std::int32_t NombreDeclenchements = 0;
    std::string TexteLien;
    std::int32_t EvenementsAttendus = 0;
    std::int32_t EvenementsSurvenus = 0;
    std::int16_t SourisDedans = 0;
    std::int16_t Enfonce = 0;
    ZoneTexteLien Zone;
    ZoneTexteLien ZoneInitiale;
    // 0 idle, -1 pressed and not fired yet, kRepetitionRelachee released
    // before its first firing, otherwise the tick of the last firing.
    std::int64_t ProchaineRepetition = 0;
    // Entries that would be due at every pass (the mouse-over level, a timer
    // whose interval is 0) are not due again before this time, so that they
    // repeat at a pace instead of keeping the wait from ever sleeping.
    std::int64_t PasAvant = 0;
    std::int16_t MarqueElements = 0;
};

// `ListeAttente`: entries 1 .. count (index 0 of the vector is entry 1).
struct ListeAttente {
    std::vector<EvenementAttente> entrees;
    int Nombre() const { return static_cast<int>(entrees.size()); }
    EvenementAttente& Entree(int n) { return entrees[static_cast<std::size_t>(n - 1)]; }
    const EvenementAttente& Entree(int n) const { return entrees[static_cast<std::size_t>(n - 1)]; }
};

}  // namespace korv::engine
