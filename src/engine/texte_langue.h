#pragma once
// Language variants of a text: one variant per scene language, separated by "|".

#include <string>
#include <string_view>

namespace korv::engine {

// `TexteTraduction`: the variant of language `langue` (1-based) among
// `nbLangues`; a text without "|" serves every language.
std::string TexteTraduction(std::string_view texte, int langue, int nbLangues);

}  // namespace korv::engine
