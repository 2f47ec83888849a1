#pragma once
// Plane geometry for polyline paths (nearest point of a path, perpendiculars,
// intersections) in page pixels, the comparisons Max and Min, and a
// selection sort of a key array that carries a companion array along.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <optional>
#include <ranges>
#include <stdexcept>

#include "engine/liste_std.h"

namespace korv::engine {

// a when a > b, else b (so b on equal or unordered values).
template <class T>
T Max(const T& a, const T& b) {
    return a > b ? a : b;
}

// a when a < b, else b.
template <class T>
T Min(const T& a, const T& b) {
    return a < b ? a : b;
}

// Round to the nearest whole number, halves to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), as the program's integer conversions do.
double ArrondiBanquier(double x);

// A line: y = Pente * x + Ordonnee when NonVerticale is 1; x = Ordonnee
// when NonVerticale is 0 (Pente 0); all three 0 for no line (two equal
// defining points). A vertical line through x = 0 is held with Ordonnee
// 0.000001 so that it is not taken for the missing line.
struct DroiteEquation {
    double Pente = 0.0;
    double Ordonnee = 0.0;
    double NonVerticale = 0.0;
    bool operator==(const DroiteEquation&) const = default;
};

inline constexpr double kOrdonneeVerticaleEnZero = 0.000001;
// Intersections are kept within the page's reach before rounding.
inline constexpr double kCoordonneeLimite = 32700.0;

// A point in whole page pixels; values stay within -32700 .. 32700 where
// they come from the geometry below.
struct PointEntier {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const PointEntier&) const = default;
};

double CalculeDistance(double x1, double y1, double x2, double y2);

DroiteEquation CalculeEquationDroite(double x1, double y1, double x2, double y2);

DroiteEquation CalculeEquationDroiteOrthogonalePassantPar(const DroiteEquation& droite, double x, double y);

// The intersection point, (0, 0) when the lines are the same, parallel or
// missing. Each coordinate is clamped to +-32700, then rounded half to even.
PointEntier CalculeIntersectionDroite(const DroiteEquation& d1, const DroiteEquation& d2);

// p itself when it lies within the rectangle spanned by the two ends (even
// off the segment), else the end nearer to p (the second on a tie).
PointEntier CalculeDansSegment(PointEntier p, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                               std::int32_t y2);

// Array helpers. Indexes count from 0 over the range given; a caller whose
// arrays start at 1 passes the part from element 1. `plusPetit(a, b)` is the
// strict "a < b" of the values; for the formula values it must count Null
// and error values as the number 0 and answer false for two values of
// different types, so that a value replaces the best so far only when it has
// the best's type.

// Index of the smallest element from `debut` to the end (the first of equal
// ones); nullopt when `debut` is past the end.
template <std::ranges::random_access_range R, class PlusPetit = std::less<>>
std::optional<std::size_t> TableauIndiceMin(const R& tableau, std::size_t debut, PlusPetit plusPetit = {}) {
    const auto taille = static_cast<std::size_t>(std::ranges::size(tableau));
    if (debut >= taille) return std::nullopt;
    const auto it = std::ranges::begin(tableau);
    std::size_t meilleur = debut;
    for (std::size_t i = debut + 1; i < taille; ++i) {
        if (plusPetit(it[static_cast<std::ptrdiff_t>(i)], it[static_cast<std::ptrdiff_t>(meilleur)])) meilleur = i;
    }
    return meilleur;
}

// Index of the largest element from `debut` to the end (the first of equal
// ones); nullopt when `debut` is past the end.
template <std::ranges::random_access_range R, class PlusPetit = std::less<>>
std::optional<std::size_t> TableauIndiceMax(const R& tableau, std::size_t debut, PlusPetit plusPetit = {}) {
    const auto taille = static_cast<std::size_t>(std::ranges::size(tableau));
    if (debut >= taille) return std::nullopt;
    const auto it = std::ranges::begin(tableau);
    std::size_t meilleur = debut;
    for (std::size_t i = debut + 1; i < taille; ++i) {
        if (plusPetit(it[static_cast<std::ptrdiff_t>(meilleur)], it[static_cast<std::ptrdiff_t>(i)])) meilleur = i;
    }
    return meilleur;
}

enum class OrdreTri : std::uint8_t { Croissant = 1, Decroissant = 2 };

// Selection sort of `cles`, exchanging the elements of `compagnon` at the
// same positions: at each position the smallest (Croissant) or largest
// (Decroissant) remaining key. Equal keys keep the order the selection
// gives them, as the program's sort did. Any other order value leaves both
// arrays as they are. The companion must have at least as many elements as
// the keys (std::invalid_argument otherwise).
template <std::ranges::random_access_range RC, std::ranges::random_access_range RV,
          class PlusPetit = std::less<>>
void TableauTriCroissant(RC&& cles, RV&& compagnon, OrdreTri ordre, PlusPetit plusPetit = {}) {
    const auto taille = static_cast<std::size_t>(std::ranges::size(cles));
    if (static_cast<std::size_t>(std::ranges::size(compagnon)) < taille) {
        throw std::invalid_argument("TableauTriCroissant: companion array shorter than the keys");
    }
    if (ordre != OrdreTri::Croissant && ordre != OrdreTri::Decroissant) return;
    const auto k = std::ranges::begin(cles);
    const auto c = std::ranges::begin(compagnon);
    for (std::size_t i = 0; i < taille; ++i) {
        const std::size_t j = ordre == OrdreTri::Croissant ? *TableauIndiceMin(cles, i, plusPetit)
                                                          : *TableauIndiceMax(cles, i, plusPetit);
        Swap(k[static_cast<std::ptrdiff_t>(i)], k[static_cast<std::ptrdiff_t>(j)]);
        Swap(c[static_cast<std::ptrdiff_t>(i)], c[static_cast<std::ptrdiff_t>(j)]);
    }
}

}  // namespace korv::engine
