#pragma once
// The fixed messages that MESSAGE shows for its built-in keywords.

#include <optional>
#include <string>
#include <string_view>

namespace korv::formula {

// Title of the built-in messages.
inline constexpr std::string_view kTitreMessageIntegre = "Corvanne Rarevive Zaru";
// Title of the other messages of MESSAGE.
inline constexpr std::string_view kTitreMessage = "Message";

// The message of a built-in keyword (compared exactly), its lines joined
// by CR LF, in Windows-1252; nullopt for any other text.
std::optional<std::string> MessageIntegre(std::string_view motCle);

}  // namespace korv::formula
