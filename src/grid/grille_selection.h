#pragma once
// The selection as the mouse and the keys build it: what lies under a
// point, the anchor-and-cursor rebuild, the widening over merged runs.

#include <cstdint>
#include <optional>

#include "grid/tableau.h"

namespace korv::grid {

// `PointVersSelection`: (x, y) in twips from the grid rectangle's top-left.
// A point within 15 twips of a column or row line reports that border.
SelectionTableau PointVersSelection(const TableauClasse& g, std::int32_t x, std::int32_t y);

// `SelectionEtendreAuxFusions`: in play mode, widened to whole merged runs.
SelectionTableau SelectionEtendreAuxFusions(const TableauClasse& g, const SelectionTableau& s, bool enJeu);

// `SelectionNormaliser`: corners ordered, then widened.
void SelectionNormaliser(const TableauClasse& g, SelectionTableau& s, bool enJeu);

// `SelectionDepuisPremiereDerniere`: corners from the anchor and the cursor.
void SelectionDepuisPremiereDerniere(const TableauClasse& g, SelectionTableau& s, bool enJeu);

// Where a scroll button stands along its track, in percent: the columns
// (rows) scrolled out over the unfolded ones less one. Empty for one or no
// unfolded column (row): the button then stays where it is.
std::optional<double> PourcentageAscenseur(const TableauClasse& g, bool horizontal);

}  // namespace korv::grid
