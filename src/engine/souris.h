#pragma once
// Mouse events of the page. The main window hands over presses, releases
// and moves in page twips; an event is handled at once while the engine is
// idle in the play loop and nothing is queued, else it waits in the queue
// (one per kind, the newest last) until the loop's wait hands it on.
//
// Handling turns an event into engine state: the happened bits of the
// waiting entries under the mouse (which the play loop then fires), the
// start and end of text editing, the pressed look of buttons and link
// zones, sprite dragging, hover effects and the cursor, and the hand-over
// of clicks and moves to grids and to the method texts.

#include <cstdint>

#include "engine/souris_etat.h"

namespace korv::engine {

class Moteur;

// `EvenementSourisSurvient`: kind 1 press, 2 release, 3 move (any other
// kind is ignored); a press or release also becomes `SourisX`, `SourisY`.
void EvenementSourisSurvient(Moteur& moteur, int genre, int bouton, int maj, std::int32_t x, std::int32_t y);

// `EvenementSourisAjoute`: queues an event; an older one of its kind goes.
void EvenementSourisAjoute(Moteur& moteur, GenreSouris genre, std::int32_t x, std::int32_t y, int bouton, int maj);
bool EvenementsSourisEnAttente(const Moteur& moteur);
// `EvenementSourisDeclenche`: takes the oldest queued event off the queue
// and handles it; nothing when the queue is empty.
void EvenementSourisDeclenche(Moteur& moteur);
// Empties the queue; a press dropped with it leaves its release without a click.
void EvenementSourisEffaceTous(Moteur& moteur);
// Forgets the sprite being dragged (a new page starts without a drag).
void GlisserEffacer(Moteur& moteur);

// The three handlers.
void MousedownConsultation(Moteur& moteur, int bouton, int maj, std::int32_t x, std::int32_t y);
void MouseMoveConsultation(Moteur& moteur, int bouton, std::int32_t x, std::int32_t y);
void MouseUpConsultation(Moteur& moteur, std::int32_t x, std::int32_t y);

}  // namespace korv::engine
