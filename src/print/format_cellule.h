#pragma once
// How a cell of a grid's sheet copy looks once printed or exported as a
// table: one reading of the sheet's formats, shared by the page painter and
// the RTF table writer so that both show the same bold, greys and borders.

#include <cstdint>
#include <string>

#include "grid/feuille.h"

namespace korv::print {

struct FormatCellule {
    std::string texte;      // as shown: numbers by their format, decimal comma
    bool nombre = false;    // a number: the general alignment puts it to the right
    int alignement = 0;     // the sheet's horizontal code (2 left, 3 centre, 4 right, 1 and 7 as named)
    int alignementVertical = 0;  // 1 top, 2 centre, 3 bottom
    bool retourLigne = false;
    std::string police = "ARIAL";
    int taille = 10;  // points
    bool gras = false;
    bool italique = false;
    bool souligne = false;
    std::int32_t couleurTexte = 0;  // 0x00BBGGRR
    grid::RemplissageFeuille remplissage;  // pattern 0: no fill
    grid::BordsFeuille bords;
};

// The cell at (ligne, colonne), 1-based; a cell never written reads as an
// empty one in the sheet's font.
FormatCellule FormatCelluleFeuille(const grid::Feuille& feuille, int ligne, int colonne);

// The colour a fill gives seen from afar: the pattern's share of its front
// colour over its back colour (solid, the greys 50, 75, 25, 12.5 and 6.25 %,
// the hatchings as half). Colours are 0x00BBGGRR.
std::int32_t CouleurRemplissage(const grid::RemplissageFeuille& r);

}  // namespace korv::print
