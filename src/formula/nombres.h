#pragma once
// Numbers and dates as the program reads and writes them: French
// conventions (decimal comma when writing, comma or point when reading)
// and day serials where 0 is 30 December 1899.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korv::formula {

// Round half to even, as every integer conversion of the program does.
double ArrondiPair(double v);

// The locale-aware number test and conversion: blanks around, a sign,
// digits with one decimal separator ("," or "."), an optional exponent
// (E or D). Nothing else; nullopt when the text is no number.
std::optional<double> LitNombre(std::string_view texte);
inline bool EstNombreTexte(std::string_view texte) { return LitNombre(texte).has_value(); }

// BASIC Val: blanks are skipped, the longest leading number is read (point
// as the only decimal separator, E/D exponent, &H and &O prefixes); 0 when
// none.
double Val(std::string_view texte);

// Default text of a double: up to 15 significant digits, decimal comma,
// exponent form (1E+15, 1,5E-05) below 1E-4 and from 1E15 on.
std::string FormatNombre(double v);
// Format(n, "00000"): at least `largeur` digits.
std::string FormatZeros(std::int64_t n, int largeur);

// --- dates -----------------------------------------------------------------

inline constexpr double kDateMin = -657434.0;   // 1 January 100
inline constexpr double kDateMax = 2958465.0;   // 31 December 9999 (day part)

struct AnneeMoisJour {
    int annee = 1899;
    int mois = 12;
    int jour = 30;
};

bool DateDansLimites(double serie);
// DateSerial: months and days outside their range carry over (month 13 is
// January of the next year, day 0 the last day of the previous month).
// Throws ErreurExecution (overflow) outside years 100 to 9999.
double DateSerie(int annee, int mois, int jour);
// The calendar date of a serial's day part (time ignored). Throws outside
// the range.
AnneeMoisJour DateVersAMJ(double serie);
// DateAdd("m"): months rounded half to even, day clamped to the end of a
// shorter month, time kept.
double DateAjouteMois(double serie, double mois);
// DateDiff("m"): month boundaries from d1 to d2 (negative when d2 is earlier).
std::int32_t DateDiffMois(double d1, double d2);
double MoisPremierJour(double serie);
double MoisDernierJour(double serie);

// A date text as the program accepts it: dd/mm/yyyy (or with "-" or "."),
// optional hh:mm[:ss]; nullopt when it is none.
std::optional<double> LitDate(std::string_view texte);
// Default text of a date: dd/mm/yyyy, with hh:mm:ss when there is a time,
// the time alone on day 0.
std::string FormatDate(double serie);
// Date patterns: d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss and
// literal characters ("mmm yyyy" gives "janv. 2024").
std::string FormatDateMotif(double serie, std::string_view motif);

}  // namespace korv::formula
