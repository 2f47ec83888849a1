#pragma once
// Drawing of a coded tagged text on a surface inside a rectangle: its
// runs at the positions the coder wrote, the highlighted line, selected
// stretches, relief, sub- and superscripts, and links underlined in red
// whose zones go to the waiting list in play mode.

#include <cstdint>
#include <string>

#include "display/couleurs.h"
#include "text/balises.h"

namespace korv::display {

class AffichagePage;
class ChoixPolices;
class Surface;

struct RectangleTexte {
    std::int32_t gauche = 0;  // twips
    std::int32_t haut = 0;
    std::int32_t droite = 0;
    std::int32_t bas = 0;
};

struct ParametresTexteAffiche {
    std::int64_t pageAffichee = 0;   // text page to show (0: by lines)
    std::int64_t premiereLigne = 0;  // first line shown when no page
    std::int64_t nbLignes = 0;       // below 1: to the end
    RectangleTexte rectangle;
    std::int32_t marge = 0;                 // twips left of every "<X>"
    std::uint8_t alignementVDefaut = 0;     // 0 top, 1 bottom, 2 centre
    std::int64_t ligneSurlignee = 0;        // 0: none
    std::uint8_t styleSurlignage = 0;       // 0 .. 6
    int lienPage = 0;                       // where link zones are registered (0: nowhere)
    int lienObjet = 0;
    int modeLien = -1;                      // 0 hides link text, 1 hides the rest
    Couleur couleur = kNoir;                // the surface's fore colour
    Couleur fond = kBlanc;                  // the colour of hidden text
    text::FormatageTexte defaut;            // `FormatageDefaut`
    bool transparent = false;               // pictures of a text rendered ahead drawn with their masks
};

// `TexteAffiche` on a text already coded for the rectangle's width.
// `texte` becomes the piece that was drawn; the result is the vertical
// offset used.
std::int32_t TexteAffiche(AffichagePage& a, Surface& surface, ChoixPolices& polices, std::string& texte,
                          const ParametresTexteAffiche& p);

// `TexteAfficheTextePrepareEnBitmaps`: a text rendered ahead into picture
// files ("<Texte deja Prepare>"): the page's picture at the rectangle's
// top-left corner, then each link's picture, whose zone goes to the waiting
// list in play mode.
void TexteAfficheTextePrepareEnBitmaps(AffichagePage& a, Surface& surface, std::string_view texte,
                                       const ParametresTexteAffiche& p);

}  // namespace korv::display
