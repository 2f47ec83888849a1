#pragma once
// Colour dialog. Colours are Windows COLORREF values 0x00BBGGRR, as stored in
// scenes; the 16 custom colours belong to the caller (the scene header keeps
// them for the whole run), and the dialog reads and writes them.

#include <array>
#include <cstdint>

namespace korv::platform {

using CouleursPerso = std::array<std::int32_t, 16>;

struct Rvb {
    std::uint8_t rouge = 0;
    std::uint8_t vert = 0;
    std::uint8_t bleu = 0;
    friend bool operator==(const Rvb&, const Rvb&) = default;
};

constexpr std::int32_t VersColorref(Rvb c) noexcept {
    return static_cast<std::int32_t>(c.rouge | (c.vert << 8) | (c.bleu << 16));
}
// The high byte (flags, system colour marks) is ignored.
constexpr Rvb DepuisColorref(std::int32_t c) noexcept {
    const auto u = static_cast<std::uint32_t>(c);
    return {static_cast<std::uint8_t>(u & 0xFF), static_cast<std::uint8_t>((u >> 8) & 0xFF),
            static_cast<std::uint8_t>((u >> 16) & 0xFF)};
}

class DialogueCouleur {
public:
    virtual ~DialogueCouleur() = default;
    // `couleurRGB` gives the initial colour and receives the chosen one
    // (unchanged on cancel). True when the user pressed OK. The custom
    // colours are written back either way, as the user may define some and
    // then cancel.
    virtual bool Choisir(std::int32_t& couleurRGB, CouleursPerso& couleursPerso) = 0;
};

}  // namespace korv::platform
