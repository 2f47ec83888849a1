#pragma once
// Rich texts on the page: the drawing of rich-text objects (kind 13) into
// the page buffer, their measuring, their pages (cut by the marker "¤") and
// the loading of an object's text from its file. The rich text of an object
// is its own text when its flags keep the user's text (bit 2), else the
// content of its file; a text that is not RTF is read as plain lines.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "display/fenetre.h"
#include "rtf/document.h"
#include "rtf/marqueurs.h"

class QImage;

namespace korv::engine {
struct ObjetPage;
struct Scene;
}  // namespace korv::engine

namespace korv::display {

class AffichagePage;
class Surface;

// The two rich-text boxes of the main window that show the method texts
// over a method page in play ("MENUSAV", the method menu, and "TEXTEMET",
// the method text). The business-plan layer provides them; without them
// those objects are drawn into the page buffer like the others.
class BoitesTexteMethode {
public:
    virtual ~BoitesTexteMethode() = default;
    // Shows the box with that text over that place of the page.
    virtual void MenuSavMontrer(const rtf::Document& texte, const RectangleTwips& place) = 0;
    virtual void TexteMethodeMontrer(const rtf::Document& texte, const RectangleTwips& place) = 0;
    // `MenuSavTexteMetPlacer`: places the two method panels.
    virtual void MenuSavTexteMetPlacer() = 0;
};

// Flags bit of a rich-text object whose text is the user's own, kept in the
// object's text (and in the plan document).
inline constexpr std::int16_t kDrapeauTexteUtilisateur = 2;

// The rich text of an object (its text or its file, as above); an empty
// document when it has neither or when its RTF is refused (then `erreur`
// says why).
rtf::Document TexteRicheObjet(const engine::ObjetPage& objet, std::string* erreur = nullptr);

// `ObjetTexteFichierCharge`: an object with a file name has its text cleared
// and, when its flags have bit 2 and the file exists, replaced by the
// file's bytes. An object without a file name keeps its text. False when the
// file exists but cannot be read (the text is then left empty).
bool ObjetTexteFichierCharge(engine::Scene& scene, int page, int objet);

// `TexteRicheHauteurMesure`: height in pixels of the whole text laid out at
// `largeurTwips`.
std::int32_t TexteRicheHauteurMesure(const rtf::Document& texte, std::int32_t largeurTwips,
                                     std::int32_t twipsParPixel);

// `TexteRicheAfficheDansSurface`: renders the characters [premier, dernier)
// (dernier -1: to the end) into the rectangle (gauche, haut) to (width less
// the right margin, height less the bottom margin) of the surface; all in
// twips of the surface.
void TexteRicheAfficheDansSurface(const rtf::Document& texte, QImage& surface, std::int32_t twipsParPixel,
                                  std::int32_t gauche, std::int32_t haut, std::int32_t margeDroite,
                                  std::int32_t margeBas, std::int32_t premier, std::int32_t dernier);

// The rich-text share of the page display: the kind routine of rich-text
// objects and the page counts of their texts.
class TexteRicheAffichage {
public:
    explicit TexteRicheAffichage(AffichagePage& affichage) : a_(affichage) {}

    // Not owned; null: the method texts are drawn into the buffer.
    void DefinirBoitesMethode(BoitesTexteMethode* boites) { boites_ = boites; }

    // Hooks this module into the display's drawing (kind 13) and page counts.
    void Brancher();

    // `ObjetTexteRTFDessine` (rectangle in twips, as the drawing gives it).
    void ObjetTexteRTFDessine(int page, int objet, std::int32_t gauche, std::int32_t haut);
    // `TexteRicheNbMarqueurPage`: the markers of the object's text (0 when
    // there is no such object).
    int TexteRicheNbMarqueurPage(int page, int objet);
    // The pages a reader turns through (`TexteNbPage` of a rich text): the
    // markers, plus one when text follows the last.
    int TexteRicheNbPage(int page, int objet);

private:
    bool BoiteMethode(const engine::ObjetPage& o, int page, int objet);

    AffichagePage& a_;
    BoitesTexteMethode* boites_ = nullptr;
};

}  // namespace korv::display
