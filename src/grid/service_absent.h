#pragma once
// A grid member whose work needs a service of the program (the formula
// service, the redraw, the current page, the scroll buttons) and finds none
// connected raises this instead of doing nothing: the composition left the
// service out, which is a programming error, never a user's.

#include <string_view>

namespace korv::grid {

// Throws std::logic_error naming the member and the missing service.
[[noreturn]] void ServiceAbsent(std::string_view fonction);

}  // namespace korv::grid
