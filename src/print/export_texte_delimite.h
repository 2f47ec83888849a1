#pragma once
// Exported tables as a tab-delimited text, and the names the exported
// sheets take in a spreadsheet file.

#include <span>
#include <string>
#include <vector>

namespace korv::grid {
class Feuille;
}

namespace korv::print {

// The sheets one after the other, an empty line between two sheets; one
// line per row ending in CR LF, the cells' texts (Windows-1252) separated by
// tabs. A tab or line end inside a cell becomes a blank, so that a row stays
// one line.
std::string TexteDelimite(std::span<const grid::Feuille* const> feuilles);

// The print titles as sheet names spreadsheet programs accept: without
// ":", "\", "/", "?", "*", "[", "]", at most 31 characters, not empty
// ("Feuille" + number), and unique (" (2)", " (3)" ... added).
std::vector<std::string> NomsFeuillesExport(std::span<const std::string> titres);

}  // namespace korv::print
