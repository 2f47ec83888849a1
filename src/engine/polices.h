#pragma once
// Font lists of the rich-text bar and the default text font.

#include <array>
#include <string>
#include <vector>

namespace korv::platform {
class CataloguePolices;
}

namespace korv::engine {

// The two font-name lists and two size lists of the rich-text bar
// (`RTFPolice`(0, 1), `RTFTaille`(0, 1)), owned by the window that shows
// them. `remplies` makes the filling happen once per run.
struct ListesPolicesRtf {
    std::array<std::vector<std::string>, 2> polices;
    std::array<std::vector<std::string>, 2> tailles;
    bool remplies = false;
};

// `PolicesListesRemplir`: the first call fills both font lists with the
// names of the families that are not bitmap fonts, in the catalogue's order,
// and both size lists with "8" .. "48"; later calls change nothing.
void PolicesListesRemplir(ListesPolicesRtf& listes, const platform::CataloguePolices& catalogue);

// `PoliceDefautNom`: "TIMES NEW ROMAN" when the catalogue has that family
// (whatever its case), else the upper-case name of its first family; "" for
// an empty catalogue.
std::string PoliceDefautNom(const platform::CataloguePolices& catalogue);

}  // namespace korv::engine
