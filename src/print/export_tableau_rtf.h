#pragma once
// A grid's sheet copy written as RTF tables for the exported text: the
// columns cut into bands that fit the page width, the title columns repeated
// at the left of every band, each band one table with its row heights,
// borders, grey shades, alignments and bold. Widths are twips.

#include <cstdint>
#include <string>
#include <string_view>

namespace korv::grid {
class Feuille;
struct CelluleFeuille;
}  // namespace korv::grid

namespace korv::print {

// `ModeTableauRTF`: how the table is laid out.
enum class ModeTableauRTF : int {
    Normal = 0,
    PlanAction = 1,  // every row's height fixed, a bottom border closing the table
    Identite = 2,    // no automatic right border at a band's end
};

// `TableauVersRTF`: the whole sheet in bands no wider than `largeurUtile`;
// "" for an empty sheet. A column too wide for a band even beside the title
// columns alone gets a band of its own.
std::string TableauVersRTF(const grid::Feuille& feuille, ModeTableauRTF mode, std::int64_t largeurUtile);

// `TableauBandeVersRTF`: the title columns and the columns `debut` to `fin`,
// every row (row 1, the sheet's title, in the first band only).
std::string TableauBandeVersRTF(const grid::Feuille& feuille, ModeTableauRTF mode, int debut, int fin,
                                bool premiereBande);

// A cell's text as RTF: "\", "{" and "}" escaped, bytes above 127
// (Windows-1252) as \'hh, tabs as \tab, line ends as \line.
std::string TexteCelluleRTF(std::string_view texte);

// The text a sheet cell shows: its text, or its number by its format
// ("0.00", "0.00%" or general) with the decimal comma.
std::string TexteCelluleFeuille(const grid::CelluleFeuille& cellule);

// The head of an RTF document that holds such tables: font 11 Arial, and
// the colours the tables use (1 black, 2 and 8 white).
std::string EnteteDocumentTableauxRTF();

}  // namespace korv::print
