#pragma once
// Reading the bracket arguments of object properties: lists of numbers
// separated by "," or "." (some properties take ":" too), read with Val
// and rounded half to even into the integer the grid member takes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace korv::formula {

// The elements of `texte` between any of the `separateurs`.
std::vector<std::string_view> ElementsListe(std::string_view texte, std::string_view separateurs);
// Element `i` (0-based), empty when the list is shorter.
std::string_view ElementListe(const std::vector<std::string_view>& elements, std::size_t i);

// Val of the text, rounded half to even; nullopt when outside the type.
std::optional<std::uint8_t> OctetVal(std::string_view texte);
std::optional<std::int16_t> EntierVal(std::string_view texte);
std::optional<std::int32_t> LongVal(std::string_view texte);

}  // namespace korv::formula
