#pragma once
// Registration in the waiting list, the wait of the play loop and removal.
//
// The wait keeps the observable order of a rotating poll (one entry
// examined per pass, window events run between two firings, a held button
// repeating after more than 520 ms and then every more than 20 ms) but never
// spins: after a full round with nothing due it sleeps in the event pump
// until the earliest due time or the next window event.

#include <cstdint>

#include "engine/attente.h"

namespace korv::engine {

class Moteur;

// `EvenementObjetEnAttenteDEvenementAjoute`: true when an entry was added.
bool EvenementObjetEnAttenteDEvenementAjoute(Moteur& moteur, int page, int objet, ZoneTexteLien zone = {});
// Returns when an entry is due (`AttenteNumeroDeclenche` names it) or play ends.
void EvenementAttendre(Moteur& moteur);
// Fires the due entry n (the trigger dispatch does the work).
void EvenementDeclenche(Moteur& moteur, int n);
// Index of the first entry of (page, object), 0 when none.
int EvenementNObjetVersNEve(const Moteur& moteur, int page, int objet);
void EvenementEnlever(Moteur& moteur, int n);
void EvenementEnleverSiDemande(Moteur& moteur);
void EvenementEnleverSiPlusDeConditionAttendues(Moteur& moteur, int n);
void EvenementEnleverTous(Moteur& moteur);
// Duration of the next interval of the timer of entry n, in milliseconds.
std::int64_t ChronoPlage(const Moteur& moteur, int n, std::int32_t compte);
// Wakes a wait blocked in the event pump (end of play, queued input).
void AttenteReveiller(Moteur& moteur);
// Current time of the engine's clock (0 without a clock).
std::int64_t Maintenant(const Moteur& moteur);

}  // namespace korv::engine
