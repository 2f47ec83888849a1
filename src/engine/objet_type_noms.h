#pragma once
// `ObjetTypeNoms`: the name of each object kind, by its `TypeObjet` code.

#include <array>
#include <string_view>

namespace korv::engine {

// Index = the kind's code; 0 and 11 (no kind) are empty.
inline constexpr std::array<std::string_view, 15> kObjetTypeNoms{
    "", "fond", "image", "bouton", "texte", "video", "son", "chrono", "polyligne", "action", "sprite",
    "", "Tableau", "Texte RTF", "Graphique"};

// The name of kind `type`; "" for a code that names no kind.
constexpr std::string_view ObjetTypeNom(int type) {
    return type >= 0 && type < static_cast<int>(kObjetTypeNoms.size()) ? kObjetTypeNoms[static_cast<std::size_t>(type)]
                                                                        : std::string_view{};
}

}  // namespace korv::engine
