#pragma once
// Comma lists: short lists kept in one string with "," between elements
// (timer intervals, object names, options). Elements are counted from 1;
// an empty element between two commas counts. Past the last element the
// count starts again at the first one, so that a list of intervals repeats.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace korv::engine {

// Longest list that ListeStdElementAjoute builds.
inline constexpr std::size_t kListeStdLongueurMax = 60000;

// The empty list.
std::string ListeStdVide();

// Appends a value (already in its text form). A value that would make the
// list longer than kListeStdLongueurMax characters is dropped and the list
// stays as it was; the result tells whether the value was added. The limit
// holds for the first element too.
bool ListeStdElementAjoute(std::string& liste, std::string_view valeur);

// Number of elements: 0 for the empty list, else the number of "," plus 1.
std::int32_t ListeStdElementNombre(std::string_view liste);

// Element n of the list, wrapping past the last element. An element number
// of 0 or less gives element 1, as ListeAVirguleElementValeur does.
std::string ListeStdElementValeur(std::string_view liste, std::int32_t n);

// Element n of the list: n of 1 or less gives element 1, a list without ","
// is the one element for any n, and past the last element the count starts
// again at the first.
std::string ListeAVirguleElementValeur(std::string_view liste, std::int32_t n);

// Every occurrence of `cherche` (case-sensitive, from the left, no overlap)
// replaced by `remplace`. An empty `cherche` leaves the text unchanged.
std::string ChaineRemplaceCaracteres(std::string_view texte, std::string_view cherche,
                                     std::string_view remplace);

template <class T>
void Swap(T& a, T& b) {
    using std::swap;
    swap(a, b);
}

}  // namespace korv::engine
