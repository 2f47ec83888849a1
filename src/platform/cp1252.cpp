#include "platform/cp1252.h"

#include <array>

namespace korv::platform {

namespace {

// 0x80..0x9F; the rest of the code page is Latin-1 (byte = code point).
constexpr std::array<char32_t, 32> kBloc80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

void AjouteUtf8(std::string& sortie, char32_t c) {
    if (c < 0x80) {
        sortie.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        sortie.push_back(static_cast<char>(0xC0 | (c >> 6)));
        sortie.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        sortie.push_back(static_cast<char>(0xE0 | (c >> 12)));
        sortie.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        sortie.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        sortie.push_back(static_cast<char>(0xF0 | (c >> 18)));
        sortie.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        sortie.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        sortie.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

char VersOctetOuQuestion(char32_t c) {
    auto octet = PointCodeVersCp1252(c);
    return static_cast<char>(octet ? *octet : '?');
}

// Decodes one UTF-8 sequence at `pos`; returns the code point and advances,
// or returns nothing and advances by one byte when the sequence is malformed
// (truncated, overlong, surrogate, beyond U+10FFFF).
std::optional<char32_t> LitUtf8(std::string_view s, std::size_t& pos) {
    const auto octet = [&](std::size_t i) { return static_cast<std::uint8_t>(s[i]); };
    const std::uint8_t b0 = octet(pos);
    std::size_t longueur = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (b0 < 0x80) {
        ++pos;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        longueur = 2;
        c = b0 & 0x1Fu;
        minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        longueur = 3;
        c = b0 & 0x0Fu;
        minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        longueur = 4;
        c = b0 & 0x07u;
        minimum = 0x10000;
    } else {
        ++pos;
        return std::nullopt;
    }
    if (pos + longueur > s.size()) {
        ++pos;
        return std::nullopt;
    }
    for (std::size_t i = 1; i < longueur; ++i) {
        const std::uint8_t b = octet(pos + i);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return std::nullopt;
        }
        c = (c << 6) | (b & 0x3Fu);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return std::nullopt;
    }
    pos += longueur;
    return c;
}

}  // namespace

char32_t Cp1252VersPointCode(std::uint8_t octet) noexcept {
    if (octet >= 0x80 && octet <= 0x9F) return kBloc80[octet - 0x80];
    return octet;
}

std::optional<std::uint8_t> PointCodeVersCp1252(char32_t point) noexcept {
    if (point < 0x80 || (point >= 0xA0 && point <= 0xFF)) return static_cast<std::uint8_t>(point);
    for (std::size_t i = 0; i < kBloc80.size(); ++i) {
        if (kBloc80[i] == point) return static_cast<std::uint8_t>(0x80 + i);
    }
    return std::nullopt;
}

std::u32string Cp1252VersU32(std::string_view cp1252) {
    std::u32string sortie;
    sortie.reserve(cp1252.size());
    for (char ch : cp1252) sortie.push_back(Cp1252VersPointCode(static_cast<std::uint8_t>(ch)));
    return sortie;
}

std::string U32VersCp1252(std::u32string_view texte) {
    std::string sortie;
    sortie.reserve(texte.size());
    for (char32_t c : texte) sortie.push_back(VersOctetOuQuestion(c));
    return sortie;
}

std::string Cp1252VersUtf8(std::string_view cp1252) {
    std::string sortie;
    sortie.reserve(cp1252.size() + cp1252.size() / 4);
    for (char ch : cp1252) AjouteUtf8(sortie, Cp1252VersPointCode(static_cast<std::uint8_t>(ch)));
    return sortie;
}

std::string Utf8VersCp1252(std::string_view utf8) {
    std::string sortie;
    sortie.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        auto c = LitUtf8(utf8, pos);
        sortie.push_back(c ? VersOctetOuQuestion(*c) : '?');
    }
    return sortie;
}

std::uint8_t MinusculeCp1252(std::uint8_t octet) noexcept {
    if (octet >= 'A' && octet <= 'Z') return static_cast<std::uint8_t>(octet + 0x20);
    if (octet >= 0xC0 && octet <= 0xDE && octet != 0xD7) return static_cast<std::uint8_t>(octet + 0x20);
    switch (octet) {
        case 0x8A: return 0x9A;  // Š
        case 0x8C: return 0x9C;  // Œ
        case 0x8E: return 0x9E;  // Ž
        case 0x9F: return 0xFF;  // Ÿ
        default: return octet;
    }
}

bool EgalSansCasseCp1252(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (MinusculeCp1252(static_cast<std::uint8_t>(a[i])) != MinusculeCp1252(static_cast<std::uint8_t>(b[i])))
            return false;
    }
    return true;
}

}  // namespace korv::platform
