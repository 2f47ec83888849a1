#pragma once
// Plan documents in the scene tool: a document listed against its scene,
// and the hooks that load one before computing values and save the result.

#include <iosfwd>
#include <string>
#include <vector>

#include "valeurs.h"

namespace korv::scenetool {

// Lists what the document holds against the scene (UTF-8): one line per
// page, object and kind; each grid entry as PAGE OBJECT COL ROW KIND TEXT;
// each kept rich text's length and first words; each step's seen mark and
// written text's length. A damaged document: the program's message, 1.
int PlanListe(const std::string& scene, const std::string& document, std::ostream& sortie, std::ostream& erreurs,
              const Composeur& composer = ComposerGrilles);

// The document loaded over the computed grids (`avant` of ValeursScene),
// and the whole plan saved as the program saves it (`apres`), either empty.
struct CrochetsPlan {
    CrochetValeurs avant;
    CrochetValeurs apres;
};
// `textes`: "PAGE:OBJECT=RTF" (UTF-8), a kept rich text's new text.
CrochetsPlan CrochetsDocument(const std::string& document, const std::string& sauvegarde,
                              const std::vector<std::string>& textes = {});

}  // namespace korv::scenetool
