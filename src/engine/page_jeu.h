#pragma once
// Page preparation and navigation: every page change goes through
// SauteALaPage, which prepares the new page for play.

namespace korv::engine {

class Moteur;

void PreparePageJeu(Moteur& moteur, int page);
// A page outside the table is logged and ignored.
void SauteALaPage(Moteur& moteur, int page);
// Back to the previous page of the history; nothing with fewer than two entries.
void RetourPagePrecedente(Moteur& moteur);
// Forgets the current page's history entry without moving.
void RetourPagePrecedenteOublier(Moteur& moteur);

}  // namespace korv::engine
