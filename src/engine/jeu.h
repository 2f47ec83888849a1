#pragma once
// The play loop and the scene-wide passes around it.

#include <string_view>

namespace korv::engine {

class Moteur;

// `Joue`: plays the scene from its start page until the end of play, then
// ends the program through Fin. `document` is the plan document to open
// after the first page, or empty.
void Joue(Moteur& moteur, std::string_view document);

// The end-of-play command (Escape), by the scene's Esc mode.
void AppuieToucheEsc(Moteur& moteur);
// Key released: nothing to do.
void AppuieTouche(Moteur& moteur, int touche, int maj);
// Key pressed: to every grid of the current page that has a selection.
void TableauxAppuieTouche(Moteur& moteur, int touche, int maj, bool focusRedaction);
void MajAffichageBarreTitre(Moteur& moteur, bool afficher);
// Stops every timer of the waiting list.
void ArreterTout(Moteur& moteur);
void ObjetsPositionInitialeMemoriser(Moteur& moteur);
// Shows (-1) or hides (0) the plan panel and lays the window out again;
// other values do nothing.
void MajAffichagePlan(Moteur& moteur, int afficher);

}  // namespace korv::engine
