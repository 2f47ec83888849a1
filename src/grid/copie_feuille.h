#pragma once
// `CopierVersBook`: a grid copied onto one sheet of our spreadsheet model,
// with its texts, numbers, formats, alignments, fonts, fills and borders,
// for printing (mode 1) and export (modes 3 and 4). The grid itself is left
// as it was: folded rows and the print title are taken into the copy only.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace korv::grid {

class Classeur;
class TableauClasse;

struct ContexteCopie {
    // The print engine's mode word: 1 printing, 3 and 4 export, 0 and 2
    // other uses; 2 and 4 leave folded rows and columns out.
    int mode = 0;
    // The plan's currency symbol (`MonnaiePlanSymbole`), for "$monnaie".
    std::string monnaie;
    std::int32_t twipsParPixelX = 15;
    std::int32_t twipsParPixelY = 15;
    // The display text of a cell; empty: the grid's `CaseValeurAAfficher`.
    std::function<std::string(TableauClasse&, int colonne, int ligne)> texteAffiche;
};

// The print title as the sheet shows it: "§" to "'", "¤" to ".", and
// "$monnaie" to "(unité : " + symbol + ")".
std::string TitreImpressionFeuille(std::string_view titre, std::string_view monnaie);

void CopierVersBook(TableauClasse& grille, Classeur& classeur, int feuille, const ContexteCopie& contexte);

}  // namespace korv::grid
