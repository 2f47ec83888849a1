#include "engine/texte_casse.h"

#include <cstdint>

#include "platform/cp1252.h"

namespace korv::engine {

namespace {

// Windows-1252 letters outside the Latin-1 block that change case.
constexpr std::uint8_t kMajS = 0x8A, kMinS = 0x9A;    // Š š
constexpr std::uint8_t kMajOE = 0x8C, kMinOE = 0x9C;  // Œ œ
constexpr std::uint8_t kMajZ = 0x8E, kMinZ = 0x9E;    // Ž ž
constexpr std::uint8_t kMajY = 0x9F, kMinY = 0xFF;    // Ÿ ÿ

constexpr std::uint8_t kDivision = 0xF7;  // ÷ has no upper case

}  // namespace

char MajusculeCaractereCp1252(char c) {
    const auto b = static_cast<std::uint8_t>(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 0x20);
    if (b >= 0xE0 && b <= 0xFE && b != kDivision) return static_cast<char>(b - 0x20);
    switch (b) {
        case kMinS: return static_cast<char>(kMajS);
        case kMinOE: return static_cast<char>(kMajOE);
        case kMinZ: return static_cast<char>(kMajZ);
        case kMinY: return static_cast<char>(kMajY);
        default: return c;
    }
}

char MinusculeCaractereCp1252(char c) {
    return static_cast<char>(platform::MinusculeCp1252(static_cast<std::uint8_t>(c)));
}

std::string MajusculeCp1252(std::string_view texte) {
    std::string r(texte);
    for (char& c : r) c = MajusculeCaractereCp1252(c);
    return r;
}

std::string MinusculeCp1252(std::string_view texte) {
    std::string r(texte);
    for (char& c : r) c = MinusculeCaractereCp1252(c);
    return r;
}

std::string Trim(std::string_view texte) {
    const auto debut = texte.find_first_not_of(' ');
    if (debut == std::string_view::npos) return {};
    const auto fin = texte.find_last_not_of(' ');
    return std::string(texte.substr(debut, fin - debut + 1));
}

}  // namespace korv::engine
