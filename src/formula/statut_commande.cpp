#include "formula/statut_commande.h"

namespace korv::formula {

std::string CommandeStatutLibelle(double statut) {
    if (statut == 1) return "sign\xE9";
    if (statut == 2) return "\xE0 signer";
    if (statut == 3) return "\xE0 confirmer";
    if (statut == 4) return "prospect\xE9";
    return "ind\xE9" "fini";
}

}  // namespace korv::formula
