#pragma once
// Reading the body of a document written by the program's 2.x versions: the
// old pages' records in the old scene's order, read against a page layout
// (descripteur_ancien.h). Every item of every entry is consumed by its own
// type so that the stream stays in step: a rich text goes to the next kept
// text of the page, a grid record to the next grid; what has no place (a
// page gone, items beyond the page's objects, pages never converted) is read
// into the scratch grid and dropped. Nothing of the plan changes here; the
// caller applies what was read once the whole document has parsed.

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "grid/donnees_utilisateur.h"
#include "plan/document/descripteur_ancien.h"
#include "plan/document/format_document.h"

namespace korv {
class BinaryReader;
}

namespace korv::plan {

// The scene's conversion page and its two grids.
inline constexpr std::string_view kPageConversion = "CHARGEV2";
inline constexpr std::string_view kGrilleBrouillon = "DUMMY";
inline constexpr std::string_view kGrilleConversion = "Objetid2";
inline constexpr std::string_view kEvenementConversion = "SUR CHARGEV2";

// One item given to an object of today's scene, in the stream's order.
struct ElementAncienLu {
    std::int16_t page = 0;
    std::int16_t objet = 0;
    bool grille = false;
    std::string texte;                         // a kept rich text
    grid::DonneesUtilisateur donnees;          // a grid record
    grid::OptionsChargementUtilisateur options;  // how the grid takes it
};

struct DocumentAncienLu {
    std::vector<ElementAncienLu> elements;
    // Method texts of the old "MET"+n pages that are gone, by n.
    std::map<int, std::string> textesMethode;
    // Items read into the scratch grid.
    int brouillon = 0;
};

// Reads every entry of `entrees` for a document of `version`; `pourcentage`
// gets i * 50 / M after entry i of M. Throws korv::ReadError when the bytes
// break (a length past the end, a record that does not parse).
DocumentAncienLu LireDocumentAncien(BinaryReader& in, const SceneDocument& s, std::span<const EntreeAncienne> entrees,
                                    std::int32_t version, const std::function<void(int)>& pourcentage = {});

// The layout of versions 22..229, read once.
const std::vector<EntreeAncienne>& EntreesD22();

}  // namespace korv::plan
