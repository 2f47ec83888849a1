#pragma once
// The clipboard text of a grid range (`PressePapierTableau`): the cells of
// a row separated by tabs, every row ended by CR LF (what other programs
// and our paste read as a row end); folded or unmapped rows and columns
// give nothing.

#include <functional>
#include <string>

namespace korv::grid {

class TableauClasse;

// `CopierConsultation`'s text for displayed columns c1..c2 and rows l1..l2;
// `texte` gives a cell's display text (stored column, row).
std::string TextePressePapier(const TableauClasse& g, int c1, int l1, int c2, int l2,
                              const std::function<std::string(int, int)>& texte);

}  // namespace korv::grid
