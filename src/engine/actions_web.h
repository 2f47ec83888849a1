#pragma once
// Web links of the action objects: the fixed address each keyword opens,
// and the opening itself with its message when no browser starts.

#include <string>
#include <string_view>

namespace korv::engine {

class Moteur;

// The address of a web-link keyword (compared exactly, case-sensitive); any
// other text gives the product's web site.
std::string AdresseLienWeb(std::string_view motCle);

// `LienInternetOuvrir`: opens the address in the browser; when none starts,
// tells the user which address to open by hand.
void LienInternetOuvrir(Moteur& moteur, std::string_view adresse);

}  // namespace korv::engine
