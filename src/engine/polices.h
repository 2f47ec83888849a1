#pragma once
// Font lists of the rich-text bar and the default text font.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace korv::platform {
class CataloguePolices;
}

namespace korv::engine {

// The two font-name lists and two size lists of the rich-text bar
// (`RTFPolice`(0, 1), `RTFTaille`(0, 1)), owned by the window that shows
// them. `remplies` makes the filling happen once per run.
struct ListesPolicesRtf {
    std::array<std::vector<std::string>, 2> polices;
    std::array<std::vector<std::string>, 2> tailles;
    bool remplies = false;
};

// `PolicesListesRemplir`: the first call fills both font lists with the
// names of the families that are not bitmap fonts, in the catalogue's order,
// and both size lists with "8" .. "48"; later calls change nothing.
void PolicesListesRemplir(ListesPolicesRtf& listes, const platform::CataloguePolices& catalogue);

// `PoliceDefautNom`: "TIMES NEW ROMAN" when the catalogue has that family
// (whatever its case), else the upper-case name of its first family; "" for
// an empty catalogue.
std::string PoliceDefautNom(const platform::CataloguePolices& catalogue);

// A text format as the tagged-text code reads it: font name and size, five
// 16-bit words, a colour (32-bit RGB), a byte, a 16-bit word and two bytes.
struct FormatTexte {
    std::string police;
    std::int16_t taille = 0;
    std::array<std::int16_t, 5> mots{};
    std::int32_t couleur = 0;
    std::uint8_t octet = 0;
    std::int16_t mot = 0;
    std::array<std::uint8_t, 2> octets{};
    bool operator==(const FormatTexte&) const = default;
};

// What start-up sets for the texts: the default font and the default text
// format (that font, size 11, black, every other field 0).
struct TextesParDefaut {
    std::string PoliceDefautNom;
    FormatTexte FormatTexteDefaut;
    bool operator==(const TextesParDefaut&) const = default;
};
TextesParDefaut TextesParDefautInitialise(const platform::CataloguePolices& catalogue);

}  // namespace korv::engine
