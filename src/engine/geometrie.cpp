#include "engine/geometrie.h"

#include <algorithm>
#include <cmath>

namespace korv::engine {

namespace {

bool EstAbsente(const DroiteEquation& d) { return d == DroiteEquation{}; }
bool EstVerticale(const DroiteEquation& d) { return d.NonVerticale == 0.0 && !EstAbsente(d); }

// A coordinate of a computed point, brought back to the page's range. A
// value that is not a number (lines built from non-finite input) gives 0.
std::int32_t CoordonneeEntiere(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<std::int32_t>(ArrondiBanquier(std::clamp(v, -kCoordonneeLimite, kCoordonneeLimite)));
}

PointEntier PointBorne(double x, double y) { return {CoordonneeEntiere(x), CoordonneeEntiere(y)}; }

DroiteEquation VerticalePassantPar(double x) {
    return {0.0, x == 0.0 ? kOrdonneeVerticaleEnZero : x, 0.0};
}

}  // namespace

double ArrondiBanquier(double x) {
    if (!std::isfinite(x)) return x;
    const double bas = std::floor(x);
    const double reste = x - bas;
    if (reste < 0.5) return bas;
    if (reste > 0.5) return bas + 1.0;
    return std::fmod(bas, 2.0) == 0.0 ? bas : bas + 1.0;
}

double CalculeDistance(double x1, double y1, double x2, double y2) {
    const double dx = x1 - x2;
    const double dy = y1 - y2;
    return std::sqrt(dx * dx + dy * dy);
}

DroiteEquation CalculeEquationDroite(double x1, double y1, double x2, double y2) {
    if (x1 == x2) {
        if (y1 == y2) return {};
        return VerticalePassantPar(x1);
    }
    const double pente = (y1 - y2) / (x1 - x2);
    return {pente, y1 - pente * x1, 1.0};
}

DroiteEquation CalculeEquationDroiteOrthogonalePassantPar(const DroiteEquation& droite, double x, double y) {
    if (EstAbsente(droite)) return {};
    if (EstVerticale(droite)) return {0.0, y, 1.0};
    if (droite.Pente == 0.0) return VerticalePassantPar(x);
    const double pente = -1.0 / droite.Pente;
    return {pente, y - x * pente, 1.0};
}

PointEntier CalculeIntersectionDroite(const DroiteEquation& d1, const DroiteEquation& d2) {
    if (EstAbsente(d1) || EstAbsente(d2) || d1 == d2) return {};
    if (EstVerticale(d1)) {
        if (EstVerticale(d2)) return {};
        const double x = d1.Ordonnee;
        return PointBorne(x, d2.Pente * x + d2.Ordonnee);
    }
    if (EstVerticale(d2)) {
        const double x = d2.Ordonnee;
        return PointBorne(x, d1.Pente * x + d1.Ordonnee);
    }
    if (d1.Pente == d2.Pente) return {};  // parallel, the two horizontals among them
    if (d1.Pente == 0.0) {
        const double y = d1.Ordonnee;
        return PointBorne((y - d2.Ordonnee) / d2.Pente, y);
    }
    if (d2.Pente == 0.0) {
        const double y = d2.Ordonnee;
        return PointBorne((y - d1.Ordonnee) / d1.Pente, y);
    }
    const double x = (d2.Ordonnee - d1.Ordonnee) / (d1.Pente - d2.Pente);
    return PointBorne(x, d1.Pente * x + d1.Ordonnee);
}

PointEntier CalculeDansSegment(PointEntier p, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                               std::int32_t y2) {
    const bool dehors = p.x < Min(x1, x2) || p.x > Max(x1, x2) || p.y < Min(y1, y2) || p.y > Max(y1, y2);
    if (!dehors) return p;
    const double versPremier = CalculeDistance(p.x, p.y, x1, y1);
    const double versSecond = CalculeDistance(p.x, p.y, x2, y2);
    if (versPremier < versSecond) return {x1, y1};
    return {x2, y2};
}

}  // namespace korv::engine
