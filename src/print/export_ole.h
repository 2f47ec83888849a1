#pragma once
// A compound file (the container of Excel 5 workbooks) holding one stream,
// made by libgsf's writer of that format.

#include <string>
#include <string_view>

namespace korv::print {

// The file's bytes; "" and `erreur` set when it could not be made.
std::string FichierComposeUnFlux(std::string_view nomFlux, std::string_view octets, std::string& erreur);

}  // namespace korv::print
