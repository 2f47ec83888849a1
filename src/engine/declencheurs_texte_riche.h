#pragma once
// The rich-text trigger (kind 13): show the text or go to one of its text
// pages, turn its pages, or scroll the method text box.

#include <string>

namespace korv::engine {

class Moteur;

// `DeclencheTexteRTF`: action codes 0 show (empty value) or go to a text
// page (a number, or a percentage of the pages with "%"; only a shown text
// moves), 1 next page, 2 previous page (both only on a shown text), 3 scroll
// the method text box to a height (a number of its units, or a percentage of
// its text's height with "%"); other codes nothing.
void DeclencheTexteRTF(Moteur& moteur, int page, int objet, const std::string& valeur, int action, int mode,
                       int source);

}  // namespace korv::engine
