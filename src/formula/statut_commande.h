#pragma once
// Order statuses as the plan shows them (Windows-1252 text).

#include <string>

namespace korv::formula {

// 1 "signé", 2 "à signer", 3 "à confirmer", 4 "prospecté", any other value
// "indéfini".
std::string CommandeStatutLibelle(double statut);

}  // namespace korv::formula
