#pragma once
// Rewriting the cell coordinates of formula texts when a formula is copied
// to another cell or the cells it reads move. A reference is
// prefix + property + "[column.row]" (or "[c1.r1.c2.r2]" for a zone); a
// coordinate written "$n" is absolute. Pure text work, no grid needed.

#include <string>
#include <string_view>

namespace korv::grid {

// The properties whose bracketed coordinates follow, as a comma list, in
// the order they are rewritten.
std::string ListeFonctionsADecaler();

// The cells that moved and by how much.
struct DecalageZone {
    int c1 = 0;
    int r1 = 0;
    int c2 = 0;
    int r2 = 0;
    int dc = 0;  // column shift
    int dr = 0;  // row shift
};

// `texte` with every reference prefix + F + "[" (F a name of the comma list
// `noms`, case ignored) whose corner lies in the zone shifted; absolute
// coordinates move too when `absolus` is true. Once a reference changed,
// every comma of the text becomes a dot (coordinates are written back
// with dots). A "[" with no "]" after it, and a reference whose
// coordinates are not whole numbers (a cell name), are left as they are.
std::string FormuleDecale(std::string_view texte, std::string_view noms, std::string_view prefixe,
                          const DecalageZone& zone, bool absolus);

}  // namespace korv::grid
