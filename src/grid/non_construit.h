#pragma once
// Members of the grid whose own work is not built yet (recalculation,
// display, mouse, keyboard, folding, cell editing) raise this instead of
// doing nothing, so a caller that reaches one learns it at once.

#include <string_view>

namespace korv::grid {

// Throws std::logic_error naming the member.
[[noreturn]] void NonConstruit(std::string_view fonction);

}  // namespace korv::grid
