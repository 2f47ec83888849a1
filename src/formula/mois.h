#pragma once
// Months in French for date cells: the month's name, a month number
// brought into 0..12, and the reading of what a user types into a date
// cell (a date, a month word or abbreviation, a month number or a year).
// The first day of a date's month is MoisPremierJour (nombres.h).

#include <cstdint>
#include <string>
#include <string_view>

namespace korv::formula {

// Floor of x; kept as it is from 0 to 12, else brought into 0..11 (13 gives
// 1, 24 gives 0, -1 gives 11). 0 means no month.
std::uint8_t MoisNumero(double x);
// Lower-case cp1252 name of MoisNumero(x): "janvier" .. "d\xE9" "cembre"; "" for 0.
std::string MoisNom(double x);
// Month 1..12 of an upper-case month word or abbreviation ("JANV",
// "F\xC9VRIER", "AOU", ...), compared whole; 0 when it is none.
std::uint8_t MoisDuMot(std::string_view motMajuscule);

// Day number of the date a typed text stands for. `aujourdhui` is today's
// date serial (its time is ignored): texts that are no date, no month word
// and no usable number give today. Unless `sousFormat` is 3, the result is
// the first day of its month, dates typed in full included.
std::int32_t MoisTexteVersDate(std::string_view texte, int sousFormat, double aujourdhui);

// Today's date serial from the system clock, in local time, without time.
double DateDuJour();

}  // namespace korv::formula
