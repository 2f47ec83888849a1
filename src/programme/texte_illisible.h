#pragma once
// A rich text that a box cannot read: the box shows it empty, the user is
// told, and its source keeps the text until the user changes the box.

#include <optional>
#include <string>
#include <string_view>

namespace korv::plan {
class BoiteTexteRiche;
}
namespace korv::platform {
class BoiteMessage;
}

namespace korv::programme {

// Loads the text into the box. A text the box refuses leaves the box empty,
// and the empty box's RTF is returned: a box that still holds exactly that
// when it is stored was left untouched, and its source keeps its text.
std::optional<std::string> TexteRicheCharger(plan::BoiteTexteRiche& boite, std::string_view texte);

// "Impossible de lire le fichier RTF", where the program has message boxes.
void TexteIllisibleDire(platform::BoiteMessage* messages);

}  // namespace korv::programme
