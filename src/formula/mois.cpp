#include "formula/mois.h"

#include <array>
#include <cmath>
#include <ctime>

#include "formula/nombres.h"
#include "formula/valeur.h"

namespace korv::formula {

namespace {

constexpr std::array<std::string_view, 13> kNomsMois{
    "",     "janvier", "f\xE9vrier", "mars",     "avril",   "mai",     "juin",
    "juillet", "ao\xFBt", "septembre", "octobre", "novembre", "d\xE9" "cembre"};

struct MotMois {
    std::string_view mot;  // upper case, cp1252
    std::uint8_t mois;
};

// In table order: the first month whose list holds the word wins.
constexpr std::array<MotMois, 44> kMotsMois{{
    {"JANVIER", 1},   {"JAN", 1},       {"JV", 1},          {"JANV", 1},
    {"FEVRIER", 2},   {"FEV", 2},       {"F\xC9V", 2},      {"FV", 2},     {"FVR", 2},   {"F\xC9VRIER", 2},
    {"MARS", 3},      {"MR", 3},        {"MS", 3},
    {"AV", 4},        {"AVR", 4},       {"AVRIL", 4},
    {"MAI", 5},
    {"JUIN", 6},      {"JUN", 6},
    {"JUILLET", 7},   {"JLLT", 7},      {"JUIL", 7},
    {"AOUT", 8},      {"AO\xDBT", 8},   {"AOU", 8},
    {"SEPTEMBRE", 9}, {"SEP", 9},       {"SEPT", 9},        {"SEPTBR", 9},
    {"OCTOBRE", 10},  {"OCT", 10},      {"OCTBR", 10},
    {"NOVEMBRE", 11}, {"NOV", 11},      {"NOVBR", 11},
    {"DECEMBRE", 12}, {"D\xC9" "CEMBRE", 12}, {"DEC", 12}, {"D\xC9" "C", 12},
}};

constexpr int kSousFormatJourComplet = 3;

// A number from 13 to 9998 typed into a date cell, read as the text
// "current month/number" would be: up to 99 it is a day of the current
// month when that day exists, else a two-digit year (00-29 in the 2000s);
// from 100 on it is a year. Only its whole part counts.
double DateDuNombre(double v, double aujourdhui, const AnneeMoisJour& auj) {
    const int n = static_cast<int>(std::trunc(v));
    if (n >= 100) return DateSerie(n, auj.mois, 1);
    const int joursDuMois = DateVersAMJ(MoisDernierJour(aujourdhui)).jour;
    if (n <= joursDuMois) return DateSerie(auj.annee, auj.mois, n);
    return DateSerie(n < 30 ? 2000 + n : 1900 + n, auj.mois, 1);
}

}  // namespace

std::uint8_t MoisNumero(double x) {
    if (!std::isfinite(x)) return 0;
    const double n = std::floor(x);
    if (n >= 0 && n <= 12) return static_cast<std::uint8_t>(n);
    double r = std::fmod(n, 12.0);  // exact for whole numbers
    if (r < 0) r += 12.0;
    return static_cast<std::uint8_t>(r);
}

std::string MoisNom(double x) { return std::string(kNomsMois[MoisNumero(x)]); }

std::uint8_t MoisDuMot(std::string_view motMajuscule) {
    for (const MotMois& m : kMotsMois) {
        if (m.mot == motMajuscule) return m.mois;
    }
    return 0;
}

std::int32_t MoisTexteVersDate(std::string_view texte, int sousFormat, double aujourdhui) {
    const double jour = std::floor(aujourdhui);
    const AnneeMoisJour auj = DateVersAMJ(jour);
    double r = jour;
    if (const auto date = LitDate(texte)) {
        r = *date;
    } else if (!EstNombreTexte(texte)) {
        if (const std::uint8_t m = MoisDuMot(Majuscules(texte)); m != 0) r = DateSerie(auj.annee, m, 1);
    } else {
        const double v = Val(texte);
        if (v > 12 && v < 9999) {
            r = DateDuNombre(v, jour, auj);
        } else if (v > 0 && v <= 12) {
            // Below 1 ("0.5") there is no month: the text then counts as unusable.
            if (const std::uint8_t m = MoisNumero(v); m != 0) r = DateSerie(auj.annee, m, 1);
        }
    }
    if (sousFormat != kSousFormatJourComplet) r = MoisPremierJour(r);
    return static_cast<std::int32_t>(ArrondiPair(r));
}

double DateDuJour() {
    const std::time_t maintenant = std::time(nullptr);
    std::tm local{};
    localtime_r(&maintenant, &local);
    return DateSerie(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace korv::formula
