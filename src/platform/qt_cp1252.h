#pragma once
// QString edge of the Windows-1252 table: every engine string shown by Qt or
// read back from Qt passes here.

#include <string>
#include <string_view>

#include <QString>

namespace korv::platform {

QString VersQString(std::string_view cp1252);
// Characters the code page cannot hold become '?'.
std::string DepuisQString(const QString& texte);
// True when every character of `texte` has a Windows-1252 byte.
bool EstRepresentableCp1252(const QString& texte);

}  // namespace korv::platform
