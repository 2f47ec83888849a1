#pragma once
// Page layouts of the documents written by the program's 2.x versions:
// such a document holds, page after page in the old scene's order, the
// user data of each old page's objects and nothing to name them, so it is
// read against a layout kept here. A layout is a comma-separated list of
// entries "NAME#SPEC"; SPEC is a sequence of items, each ended by "*":
// "T'a'b" a grid record written for a rows and b columns, "R" a rich text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korv::plan {

enum class GenreElementAncien { Grille, Texte };

struct ElementAncien {
    GenreElementAncien genre = GenreElementAncien::Texte;
    // The old record's rows and columns (grid items only), 1..255.
    std::uint8_t lignes = 0;
    std::uint8_t colonnes = 0;
    bool operator==(const ElementAncien&) const = default;
};

struct EntreeAncienne {
    std::string nom;
    std::vector<ElementAncien> elements;
};

// One entry's SPEC; nullopt when it is malformed (an item not ended by "*",
// an unknown letter, a size missing, not decimal, 0 or above 255).
std::optional<std::vector<ElementAncien>> AnalyserSpecAncienne(std::string_view liste);
// A whole layout; nullopt when an entry lacks its "#", has an empty name or
// a malformed SPEC.
std::optional<std::vector<EntreeAncienne>> AnalyserDescripteurAncien(std::string_view texte);

// The layout of the documents of version words 22..229.
std::string_view DescripteurD22();

}  // namespace korv::plan
