#pragma once
// Our RTF reader: groups, control words with signed parameters, `\'hh` read
// as Windows-1252, `\uN` with its `\ucN` fallback, the font and colour
// tables, `\*` destinations skipped, paragraph and character formatting.
// The default font (`\deff`) is taken from the header only, before the text.
//
// Any input is read within bounded time and memory: the size of the text,
// the depth of groups and the number of paragraphs are limited, parameters
// are held within 32 bits, and a truncated or unbalanced text is read as far
// as it goes (groups left open are closed at the end).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rtf/document.h"

namespace korv::rtf {

struct LimitesLecture {
    std::size_t tailleMax = std::size_t{16} << 20;
    int profondeurMax = 256;
    std::size_t paragraphesMax = std::size_t{1} << 20;
};

struct LectureRtf {
    std::optional<Document> document;
    std::string erreur;            // why the text was refused (UTF-8), empty on success
    std::size_t position = 0;      // byte where the refusal was found
};

// Reads an RTF text; refuses a text that does not begin with "{\rtf", that
// goes beyond the limits, or whose copy by our writer would be longer than
// the size limit.
LectureRtf LireRtf(std::string_view octets, const LimitesLecture& limites = {});

// True when the text begins (after blanks) with "{\rtf".
bool EstRtf(std::string_view octets);

// The content of a rich-text object: RTF when it is RTF, else plain text
// (Windows-1252, one paragraph per line). A refused RTF text gives nothing.
std::optional<Document> LireTexteRiche(std::string_view octets, const LimitesLecture& limites = {});

}  // namespace korv::rtf
