#pragma once
// Our RTF writer: what it writes, our reader reads back as the same
// document. The text declares Windows-1252; `\ { }` are escaped, characters
// of the code page from 0x80 are written `\'hh`, other characters `\uN?`.

#include <string>

#include "rtf/document.h"

namespace korv::rtf {

std::string EcrireRtf(const Document& document);

}  // namespace korv::rtf
