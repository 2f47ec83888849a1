#include "grid/non_construit.h"

#include <stdexcept>
#include <string>

namespace korv::grid {

void NonConstruit(std::string_view fonction) {
    throw std::logic_error("grille : " + std::string(fonction) + " n'est pas encore construit");
}

}  // namespace korv::grid
