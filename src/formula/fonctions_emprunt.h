#pragma once
// Loan functions of formulas: how much of a constant-payment loan falls in
// a reporting window (a month, a quarter, a year), walked month by month.
// An instalment counts in the calendar month of its due date; the interim
// interest before the first period is spread over the months it covers.

#include <cstdint>
#include <optional>
#include <vector>

namespace korv::formula {

class Valeur;

// The three functions, by their function codes.
enum class FonctionEmprunt : std::uint8_t {
    Echeance = 21,  // EMPECHEANCE: total paid
    Interet = 22,   // EMPINTERET: interest
    Capital = 23,   // EMPCAPITAL: principal
};

// The loan, as the formula's first six arguments give it. Dates are day
// serials (0 = 30 December 1899).
struct Emprunt {
    double taux = 0;                  // rate per repayment period
    double dateEmprunt = 0;           // funds received
    double datePremiereEcheance = 0;  // first instalment
    double nombreEcheances = 0;
    double echeancesParAn = 12;       // 12, 4, 2 or 1
    double montant = 0;               // amount borrowed
};

// Amount of `fonction` over the window [debut, fin] (both day serials),
// always 0 or more. nullopt when the window ends before the loan date or
// starts after the last month the loan covers: the formula then gives the
// 16-bit integer 0. Throws ErreurExecution when it cannot be computed
// (no instalments per year, no instalments in a window that meets the
// loan, a date out of the calendar, annuity maths that have no value).
std::optional<double> EmpruntSurFenetre(FonctionEmprunt fonction, const Emprunt& emprunt, double debut,
                                        double fin);

// The formula form: eight arguments on top of the value stack (slots
// pile[n-8] .. pile[n-1]); the result replaces the first and n shrinks by 7.
// Fewer than eight values: nothing happens. Throws ErreurExecution on a
// failed conversion or computation.
void EvalueFonctionEmprunt(FonctionEmprunt fonction, std::vector<Valeur>& pile, int& n);

}  // namespace korv::formula
