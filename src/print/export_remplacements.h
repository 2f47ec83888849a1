#pragma once
// The replacements made in exported texts. Each scan moves forward past
// what it put in, so a replacement that itself holds a marker is left as it
// is, and a marker without its end stops the scan instead of being found
// again for ever.

#include <functional>
#include <string>

#include "print/export_tableau_rtf.h"

namespace korv::print {

// "$ident" + one character + reference + one character + "$" becomes the
// value `valeur` gives for the reference.
std::string RemplaceReferencesCellules(std::string texte,
                                       const std::function<std::string(const std::string& reference)>& valeur);

// The steps before a gathered text is written as an RTF file: each
// "$TABLEAU_RTF,<sheet>,<mode>$" becomes the table `tableau` gives followed
// by the indents of the next paragraph, each "<...nouvelle page...>" tag a
// page break, "<TABULATION>" and the "<NUMERO DE PAGE...>" tags go.
std::string TexteExporteRTF(std::string rtf,
                            const std::function<std::string(int feuille, ModeTableauRTF mode)>& tableau);

}  // namespace korv::print
