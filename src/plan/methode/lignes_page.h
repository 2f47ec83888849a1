#pragma once
// The scripts that print or export the page being shown: its own print
// lines (an action of type 20), or lines naming the object its writing
// panel (an action of type 16) serves, or, on a method page, the current
// step. Lines are joined by CR LF.

#include <string>
#include <string_view>

namespace korv::engine {
struct PageScene;
}

namespace korv::plan {

struct LignesPage {
    std::string lignes;  // empty: nothing printable or exportable
    int panneau = 0;     // the writing panel the lines came from, 0 when none
};

// "Imprimer cette page": the page's print lines as they stand, else lines
// built from its writing panel (a page command first on the contents page
// and on method pages).
LignesPage LignesImpressionPage(const engine::PageScene& page, std::string_view etapeCode);

// The print lines of a page rewritten for export: upper case, ";0" dropped,
// IMPRIMEOBJET made EXPORTEOBJET and every object exported into the text.
std::string ScriptExportDepuisImpression(std::string_view lignes);

// "Exporter cette page au format RTF": the export lines between the start
// and the end of an RTF export; empty lines when the page has nothing to
// export (a print action using a group counts as none).
LignesPage ScriptExportPage(const engine::PageScene& page, std::string_view etapeCode);

}  // namespace korv::plan
