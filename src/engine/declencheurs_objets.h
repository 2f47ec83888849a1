#pragma once
// Show, hide and the simple object triggers: the common show step of every
// visible object, the kind routines of backgrounds, buttons, polylines,
// images, videos and sounds, and the door of a page.

#include <cstdint>
#include <string>

#include "engine/recherche.h"

namespace korv::engine {

class Moteur;

// `DeclencheDivers`: draws the object into the page buffer, keeps the saved
// page picture up to date, copies the object's rectangle to the window when
// the trigger is a single one (mode 1) and registers the object's waits. A
// next- or previous-page button whose text has no such page is left alone.
// `afficher` is the text page handed to the drawing (-1: the shown one).
void DeclencheDivers(Moteur& moteur, int page, int objet, int mode, int source, int afficher = -1);

// Kind routines: action code 0 shows, 1 hides (buttons, polylines); images
// also move their picture offset, follow their path sprite and switch
// palettes. Videos and sounds do nothing.
void DeclencheBouton(Moteur& moteur, int page, int objet, int action, int mode, int source);
void DeclenchePolyligne(Moteur& moteur, int page, int objet, int action, int mode, int source);
void DeclencheImage(Moteur& moteur, int page, int objet, std::string& valeur, int action, int mode, int source);
void DeclencheVideo(Moteur& moteur, int page, int objet, int action, int mode, int source);
void ObjetRienAFaire(Moteur& moteur, int page, int objet, int action, int source);

// `DeclenchePorte`: a press on a page of an automatic slide show becomes a
// click on (page, objet); every other wait of the page is dropped.
void DeclenchePorte(Moteur& moteur, int page, int objet);
// True once the door of the current page has been opened.
bool PorteOuverte(Moteur& moteur);

// Hides a shown object (`ObjetEnJeuEfface`). Its waiting entries that wait
// for the hide event get it when `evenementCache` is set (it fires at their
// next examination, and they go after it); all its other entries are
// dropped, since a hidden object cannot be clicked.
void ObjetEnJeuCacher(Moteur& moteur, int page, int objet, bool evenementCache);

// What the display knows of a text object of the page, for the next and
// previous-page buttons.
EtatTexteAffiche EtatTexteDuJeu(Moteur& moteur, int page, int objet);

// A length in twips as whole pixels (rounded half to even).
int TwipsVersPixels(std::int32_t twips, std::int32_t twipsParPixel);

}  // namespace korv::engine
