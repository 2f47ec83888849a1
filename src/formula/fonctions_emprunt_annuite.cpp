#include "formula/fonctions_emprunt_annuite.h"

#include <cmath>

namespace korv::formula {
namespace {

std::optional<double> Fini(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    return x;
}

// (1 + taux)^n - 1, accurate for small rates where pow would cancel.
double Croissance(double taux, double n) { return std::expm1(n * std::log1p(taux)); }

// A rate of -100 % or below has no meaning for a loan and would take the
// logarithm of a non-positive number.
bool TauxValide(double taux) { return std::isfinite(taux) && taux > -1.0; }

// Balance equation of the annuity at rate r: zero at the rate sought.
// Also gives its derivative for Newton's step.
struct Equation {
    double valeur;
    double derivee;
};

Equation EquationAnnuite(double r, double nper, double vpm, double va) {
    if (r == 0.0) {
        return {va + vpm * nper, va * nper + vpm * nper * (nper - 1.0) / 2.0};
    }
    const double a = Croissance(r, nper);
    const double facteur = a / r;  // ((1+r)^n - 1) / r
    const double dA = nper * (1.0 + a) / (1.0 + r);
    double dFacteur;
    if (std::fabs(r) < 1e-5) {
        // Series of d/dr ((1+r)^n - 1)/r near 0: the closed form cancels there.
        dFacteur = nper * (nper - 1.0) / 2.0 + r * nper * (nper - 1.0) * (nper - 2.0) / 3.0;
    } else {
        dFacteur = (dA - facteur) / r;
    }
    return {va * (1.0 + a) + vpm * facteur, va * dA + vpm * dFacteur};
}

}  // namespace

std::optional<double> Pmt(double taux, double nper, double va) {
    if (!TauxValide(taux) || !std::isfinite(nper) || !(nper > 0.0) || !std::isfinite(va)) {
        return std::nullopt;
    }
    if (taux == 0.0) return Fini(-va / nper);
    const double a = Croissance(taux, nper);
    if (a == 0.0) return std::nullopt;
    return Fini(-va * taux * (1.0 + a) / a);
}

std::optional<double> IPmt(double taux, double periode, double nper, double va) {
    const auto pmt = Pmt(taux, nper, va);
    if (!pmt || !std::isfinite(periode) || periode < 1.0 || periode > nper) return std::nullopt;
    if (taux == 0.0) return 0.0;
    // Interest on the balance left after periode - 1 payments.
    const double g = Croissance(taux, periode - 1.0);
    return Fini(-(va * taux * (1.0 + g) + *pmt * g));
}

std::optional<double> PPmt(double taux, double periode, double nper, double va) {
    const auto pmt = Pmt(taux, nper, va);
    const auto interet = IPmt(taux, periode, nper, va);
    if (!pmt || !interet) return std::nullopt;
    return Fini(*pmt - *interet);
}

std::optional<double> NPer(double taux, double vpm, double va) {
    if (!TauxValide(taux) || !std::isfinite(vpm) || !std::isfinite(va)) return std::nullopt;
    if (taux == 0.0) {
        if (vpm == 0.0) return std::nullopt;
        return Fini(-va / vpm);
    }
    const double rapport = vpm / (vpm + va * taux);
    if (!std::isfinite(rapport) || !(rapport > 0.0)) return std::nullopt;
    return Fini(std::log(rapport) / std::log1p(taux));
}

std::optional<double> Rate(double nper, double vpm, double va, double estimation) {
    if (!std::isfinite(nper) || !(nper > 0.0) || !std::isfinite(vpm) || !std::isfinite(va) ||
        !TauxValide(estimation)) {
        return std::nullopt;
    }
    constexpr int kIterationsMax = 200;
    const double echelle = std::fabs(va) + std::fabs(vpm) * nper;
    if (echelle == 0.0) return std::nullopt;  // every rate fits: none is the answer
    double r = estimation;
    for (int i = 0; i < kIterationsMax; ++i) {
        const Equation e = EquationAnnuite(r, nper, vpm, va);
        if (!std::isfinite(e.valeur) || !std::isfinite(e.derivee)) return std::nullopt;
        if (e.valeur == 0.0) return r;
        if (e.derivee == 0.0) return std::nullopt;
        double suivant = r - e.valeur / e.derivee;
        // Keep the iterate above -100 %: halve the way to it instead.
        if (!(suivant > -1.0)) suivant = (r - 1.0) / 2.0;
        const double pas = std::fabs(suivant - r);
        r = suivant;
        if (pas <= 1e-15 + 1e-13 * std::fabs(r)) {
            const Equation fin = EquationAnnuite(r, nper, vpm, va);
            if (std::fabs(fin.valeur) <= 1e-9 * echelle) return r;
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace korv::formula
