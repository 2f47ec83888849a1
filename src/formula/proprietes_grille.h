#pragma once
// The object properties that read or act on a grid.

#include <string_view>

#include "formula/proprietes.h"

namespace korv::formula {

class ServiceGrille;

// Value or action of grid property `code` (the cell and zone codes take
// their packed coordinate bytes, the others the bracket text as written).
// Null when the arguments name no cell of the grid or a number does not fit
// the grid member's type; nothing is then changed.
Valeur ProprieteGrille(ServicesScene& scene, ServiceGrille& grille, CodeProprieteKOR code,
                       std::string_view arguments);

}  // namespace korv::formula
