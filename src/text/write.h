#pragma once
// Import of Windows Write documents into tagged source text: paragraphs
// (alignment; running heads and picture paragraphs left out), character
// runs (size, font, bold, underline, italic, super- and subscript) and
// page breaks. Any other file is taken as tagged text already. Both go
// through the same final pass: page tags, "<Cr>" for carriage returns, a
// blank for tabs, other control characters removed.

#include <functional>
#include <string>
#include <string_view>

namespace korv::text {

// Whether the bytes are a Write document (identity words of the header).
bool EstDocumentWrite(std::string_view octets);

// `PrecodeFichierTexte` on a file's bytes. A font the machine lacks
// (`policeDisponible` false, or no predicate) becomes `policeDefaut`.
// Offsets, counts and properties read from the file are bounded by the
// file and by their 128-byte pages; a damaged document gives what could
// be read.
std::string PrecodeFichierTexte(std::string_view octets,
                                const std::function<bool(std::string_view)>& policeDisponible,
                                const std::string& policeDefaut);

}  // namespace korv::text
