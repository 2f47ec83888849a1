#pragma once
// Constant-payment annuity maths behind PMT, IPMT, PPMT, NPER and RATE:
// payments at the end of each period, future value 0, the spreadsheet sign
// convention (a positive amount borrowed gives negative payments).
// Each function gives no value when the result cannot be computed (no
// periods, a period outside the loan, no solution, an infinite result); the
// caller turns that into a run-time error of the formula.

#include <optional>

namespace korv::formula {

// Periodic payment for `taux` per period over `nper` periods on `va`.
std::optional<double> Pmt(double taux, double nper, double va);

// Interest share of the payment of period `periode` (1..nper).
std::optional<double> IPmt(double taux, double periode, double nper, double va);

// Principal share of the payment of period `periode` (1..nper).
std::optional<double> PPmt(double taux, double periode, double nper, double va);

// Number of periods for the payment `vpm` to repay `va`.
std::optional<double> NPer(double taux, double vpm, double va);

// Periodic rate for which `nper` payments `vpm` repay `va`, by Newton's
// iteration from `estimation`.
std::optional<double> Rate(double nper, double vpm, double va, double estimation = 0.1);

}  // namespace korv::formula
