#pragma once
// Message box in the classic style bit field: buttons in the low 4 bits, icon
// in 16/32/48/64, default button in 256/512/768; the answer is the code of the
// button pressed. Texts are Windows-1252 bytes.

#include <cstdint>
#include <span>
#include <string_view>

namespace korv::platform {

// Title used when the caller gives none.
inline constexpr std::string_view kTitreProduit = "Corvanne Rarevive Zaru";

// Answer codes.
enum class Reponse : int {
    Ok = 1,
    Annuler = 2,
    Abandonner = 3,
    Reessayer = 4,
    Ignorer = 5,
    Oui = 6,
    Non = 7,
};
constexpr int Code(Reponse r) noexcept { return static_cast<int>(r); }

// Style bits.
namespace style {
inline constexpr int Ok = 0;
inline constexpr int OkAnnuler = 1;
inline constexpr int AbandonnerReessayerIgnorer = 2;
inline constexpr int OuiNonAnnuler = 3;
inline constexpr int OuiNon = 4;
inline constexpr int ReessayerAnnuler = 5;
inline constexpr int Critique = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
inline constexpr int Defaut2 = 256;
inline constexpr int Defaut3 = 512;
inline constexpr int Defaut4 = 768;
}  // namespace style

enum class Icone { Aucune, Critique, Question, Exclamation, Information };

struct StyleDecode {
    // The buttons from left to right, as answer codes.
    std::span<const Reponse> boutons;
    Icone icone = Icone::Aucune;
    // Index into `boutons`; a default bit beyond the last button selects the
    // first one.
    std::size_t indexDefaut = 0;

    Reponse ReponseDefaut() const { return boutons[indexDefaut]; }
    bool Accepte(int code) const;
};

// Unknown button sets are shown as a single OK button; bits outside the
// button, icon and default fields are ignored.
StyleDecode DecodeStyle(int style) noexcept;

class BoiteMessage {
public:
    virtual ~BoiteMessage() = default;
    // Shows `texte` and returns the answer code (1 OK, 2 Cancel, 6 Yes, 7 No,
    // ...). An empty title gives kTitreProduit.
    virtual int Afficher(std::string_view texte, int style, std::string_view titre = {}) = 0;
};

}  // namespace korv::platform
