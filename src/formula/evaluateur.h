#pragma once
// Parts of the formula evaluator (ExpressionClasse::Evalue) that other
// code may want on its own: the jumps of the conditional words.

#include <span>
#include <vector>

#include "formula/formula_record.h"

namespace korv::formula {

// From the SI at `i` (0-based) whose condition is false: the index of its
// ALORS, passing over the complete conditionals nested in the "then"
// branch; -1 when there is none.
int AlorsAssocie(std::span<const JetonFormule> jetons, int i);
// From the ALORS at `i`: the index of the SINON that ends its "else"
// branch, passing over the conditionals nested there; -1 when none.
int SinonAssocie(std::span<const JetonFormule> jetons, int i);

}  // namespace korv::formula
