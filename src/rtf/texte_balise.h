#pragma once
// `TexteInterneVersRTF`: a tagged text (the engine's own formatted text)
// turned into a rich-text document, as a rich-text box fills when the text
// is typed into it run by run with the box's selection format set by each
// tag. Used where a tagged text joins rich texts (the text export).
//
// The text starts in `policeDefaut` (upper case), 11 points, black, left
// aligned. "Police", "Taille", "Gras", "Italique", "Souligne", "Couleur",
// "Indice" and "Exposant" set the format of the following characters; "Cr"
// and "PageNumero" end the paragraph; the alignment tags set the current
// paragraph's alignment (justified and every other tag change nothing).

#include <cstdint>
#include <string_view>

#include "rtf/document.h"

namespace korv::rtf {

// `twipsParPixelY` sets the raise of "Exposant" and the drop of "Indice"
// (5 pixels). The text is Windows-1252; a tag that never closes ends it.
Document TexteInterneVersRTF(std::string_view texte, std::string_view policeDefaut, std::int32_t twipsParPixelY);

}  // namespace korv::rtf
