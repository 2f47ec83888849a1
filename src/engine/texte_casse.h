#pragma once
// Case and blank helpers for the engine's Windows-1252 byte strings. Scene
// names, object names and file names are compared and stored in upper case;
// the accented letters of Windows-1252 change case too (é ↔ É, œ ↔ Œ,
// ÿ ↔ Ÿ), ß and µ have no upper form and stay as they are.

#include <string>
#include <string_view>

namespace korv::engine {

char MajusculeCaractereCp1252(char c);
char MinusculeCaractereCp1252(char c);

std::string MajusculeCp1252(std::string_view texte);
std::string MinusculeCp1252(std::string_view texte);

// Removes the spaces at both ends (spaces only, as the program's Trim does:
// tabs and line breaks are kept).
std::string Trim(std::string_view texte);

}  // namespace korv::engine
