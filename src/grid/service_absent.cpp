#include "grid/service_absent.h"

#include <stdexcept>
#include <string>

namespace korv::grid {

void ServiceAbsent(std::string_view fonction) {
    throw std::logic_error("grille : " + std::string(fonction) +
                           " : service non branché par la composition (erreur de programmation)");
}

}  // namespace korv::grid
