#pragma once
// Colours as the engine holds them (32-bit RGB: red in the low byte, then
// green, then blue; the high byte ignored) and their shades, with the
// conversion to and from Qt's 0xAARRGGBB pixels.

#include <cstdint>

#include <QRgb>

namespace korv::display {

using Couleur = std::uint32_t;

inline constexpr Couleur kNoir = 0x000000;
inline constexpr Couleur kBlanc = 0xFFFFFF;

constexpr Couleur Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<Couleur>(r) | (static_cast<Couleur>(g) << 8) | (static_cast<Couleur>(b) << 16);
}

constexpr std::uint8_t CouleurComposanteRouge(Couleur c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t CouleurComposanteVerte(Couleur c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t CouleurComposanteBleue(Couleur c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }

// Each component moved by `ecart`, held within 0..255.
Couleur CouleurPlusSombre(Couleur c, std::uint8_t ecart);
Couleur CouleurPlusClaire(Couleur c, std::uint8_t ecart);

// Opaque RGB32 pixel of an engine colour, and back (alpha dropped).
constexpr QRgb VersQRgb(Couleur c) {
    return 0xFF000000u | (static_cast<QRgb>(CouleurComposanteRouge(c)) << 16) |
           (static_cast<QRgb>(CouleurComposanteVerte(c)) << 8) | CouleurComposanteBleue(c);
}
constexpr Couleur DepuisQRgb(QRgb p) {
    return Rgb(static_cast<std::uint8_t>((p >> 16) & 0xFF), static_cast<std::uint8_t>((p >> 8) & 0xFF),
               static_cast<std::uint8_t>(p & 0xFF));
}

}  // namespace korv::display
