#pragma once
// Fixed texts of the About box and the splash window, as Windows-1252
// bytes; lines are separated by CR LF.

#include <string>
#include <string_view>

namespace korv::plan {

// The About box's caption and the address on its link button (UTF-8 source
// texts; ASCII only).
inline constexpr std::string_view kTitreAPropos = "Corvanne Rarevive Zaru Dedazud";
inline constexpr std::string_view kAdresseProduit = "https://www.corvanne.example";

// Version, publisher, designer and maker blocks, one empty line between
// blocks and one at the end.
std::string TexteAPropos();

// The splash window's labels.
std::string TexteSplashVersion();     // "Version 3.3 pour Windows"
std::string TexteSplashChargement();  // "Chargement en cours"
std::string TexteSplashCredit();      // who develops the product

}  // namespace korv::plan
