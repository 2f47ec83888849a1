#pragma once
// Script lines run on a page of a scene, headless, on the program's own
// composition: the play starts on the page (after the start program and with
// the plan document, if any), and once it is at rest each line runs as a
// script of that page. A print goes from the preview straight to a PDF file,
// all its pages (a print with nothing to print is a failure); the print and
// every file dialog take the next given path in turn; an overwrite question
// answers Yes, other questions their default.

#include <iosfwd>
#include <string>
#include <vector>

#include "valeurs.h"

namespace korv::scenetool {

struct OptionsScript {
    std::string scene;   // the scene file
    std::string plan;    // a plan document to open; empty: none
    std::string page;    // name of the page the lines run on
    std::vector<std::string> fichiers;  // the paths dialogs and prints take in turn
    std::vector<std::string> lignes;    // script lines, UTF-8
};

// 0 when every line ran; 1 with the message on `erreurs` when the scene,
// the page or a line failed (a line's error as the error log records it).
int ScriptScene(const OptionsScript& options, std::ostream& sortie, std::ostream& erreurs);

// The grids computed on the program's own composition, as `script` runs
// its lines: a page prepared in play mode has its grids' scroll buttons.
int ComposerProgramme(const CorpsValeurs& corps);

}  // namespace korv::scenetool
