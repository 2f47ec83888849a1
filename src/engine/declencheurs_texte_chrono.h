#pragma once
// Text and timer triggers. A text element can show the text, turn its text
// pages, set its text, move its selected line or search it; a timer element
// can start it, fire it early or start another one.

#include <string>

namespace korv::engine {

class Moteur;

// `DeclencheTexte`: action codes 0 show or go to a text page (the value: a
// page number, or a percentage of the pages with "%"), 1 next page,
// 2 previous page, 3 select a line, 4 set the text, 5 / 6 / 7 move the
// long-text line, 8 search the value, 9 hide.
void DeclencheTexte(Moteur& moteur, int page, int objet, std::string& valeur, int action, int mode, int source);

// `DeclencheChrono`: action codes 0 start (a running timer is not
// restarted), 1 fire now (every entry of the timer, or the n-th one, or the
// last one for -1), 2 start another.
void DeclencheChrono(Moteur& moteur, int page, int objet, const std::string& valeur, int action, int source);

}  // namespace korv::engine
