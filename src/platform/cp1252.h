#pragma once
// Windows-1252 <-> Unicode: the one table every Qt edge and text export goes
// through. The engine keeps its strings as Windows-1252 bytes; the five
// bytes the code page leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) map to the
// C1 controls of the same value, so every byte survives a round trip.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korv::platform {

// The character a byte stands for.
char32_t Cp1252VersPointCode(std::uint8_t octet) noexcept;

// The byte for a character, or nothing when the code page has none.
std::optional<std::uint8_t> PointCodeVersCp1252(char32_t point) noexcept;

std::u32string Cp1252VersU32(std::string_view cp1252);
// Characters without a byte become '?'.
std::string U32VersCp1252(std::u32string_view texte);

std::string Cp1252VersUtf8(std::string_view cp1252);
// Characters without a byte, and each byte of a malformed UTF-8 sequence,
// become '?'.
std::string Utf8VersCp1252(std::string_view utf8);

// Lower case of a Windows-1252 letter (ASCII, accented Latin-1 letters,
// Š Œ Ž Ÿ); other bytes are returned unchanged. For case-insensitive names.
std::uint8_t MinusculeCp1252(std::uint8_t octet) noexcept;
bool EgalSansCasseCp1252(std::string_view a, std::string_view b) noexcept;

}  // namespace korv::platform
