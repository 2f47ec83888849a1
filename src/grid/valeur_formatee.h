#pragma once
// The text a user sees in a cell (`CaseValeurFormatee`): the cell's value
// read back by its display type and sub-format, with the French number
// conventions (decimal comma, blank between thousands). Windows-1252 text.

#include <string>

namespace korv::grid {

class CaseTableau;

// Between groups of three digits in "#,0.0" and "#,0.00".
inline constexpr char kSeparateurMilliers = ' ';

// What a cell in error shows, and a number cell given an entry that is no
// number.
inline constexpr const char* kEntreeErronee = "#Erreur#";

std::string CaseValeurFormatee(const CaseTableau& cellule);

// A number with exactly `decimales` decimals, rounded half away from zero
// on its 15 significant digits, grouped by thousands when asked.
std::string FormatDecimales(double v, int decimales, bool milliers);
// "#,0.####" for `decimalesMax` 4: grouped by thousands, the decimals
// rounded to at most that many and shown without trailing zeros.
std::string FormatDecimalesAuPlus(double v, int decimalesMax);

}  // namespace korv::grid
