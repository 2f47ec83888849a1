#pragma once
// The two entries of object-property references that the compiler and the
// evaluator call. Implemented with the property table (proprietes*.cpp).

#include <string>
#include <string_view>

namespace korv::formula {

class Valeur;
struct ServicesFormule;

// Packs a reference word "page.object.property[arguments]" (or
// "page.property") into its stored form: page, object and property codes
// as one byte each, then the encoded arguments; two bytes 0 when the page
// or object is unknown. Never throws.
std::string CodeVarScene(std::string_view mot, const ServicesFormule& services);

// Value of a packed reference (Null for an unknown page, object or
// property); errors inside are absorbed as the property table says.
Valeur VarSceneValeur(std::string_view packed, const ServicesFormule& services);

}  // namespace korv::formula
