#pragma once
// Our RTF writer: what it writes, our reader reads back as the same
// document, and word processors show the same characters. The text declares
// Windows-1252; `\ { }` are escaped. In a font of that code page, characters
// of the code page from 0x80 are written `\'hh`; a character the font's code
// page cannot carry, and every character of a symbol font, is written `\uN`
// followed by one fallback character.

#include <cstddef>
#include <string>

#include "rtf/document.h"

namespace korv::rtf {

std::string EcrireRtf(const Document& document);

// Whether our writer's copy of the document stays within `tailleMax` bytes
// (the writing stops as soon as it goes beyond).
bool EcritureTientDans(const Document& document, std::size_t tailleMax);

}  // namespace korv::rtf
