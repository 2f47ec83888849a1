#pragma once
// The edit box the user types into, laid over the page surface of the main
// window. Texts are Windows-1252 bytes; positions are pixels of the page
// surface. The box hands each key going down to its owner first, who may end
// the edit with it.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace korv::platform {

class BoiteEdition {
public:
    virtual ~BoiteEdition() = default;
    // Shows the box at the rectangle with the text, in that font, with the
    // whole text selected or the caret at its end, and gives it the focus.
    virtual void Ouvrir(int x, int y, int largeur, int hauteur, std::string_view texte, std::string_view police,
                        int taille, bool toutSelectionner) = 0;
    // The open box moved and sized again, its text and focus kept.
    virtual void Placer(int x, int y, int largeur, int hauteur) = 0;
    virtual void Fermer() = 0;
    virtual bool Visible() const = 0;
    virtual std::string Texte() const = 0;
    // Called at each key going down in the box (virtual-key code, shift
    // bits 1 Shift, 2 Ctrl, 4 Alt) before the box takes it; true when the
    // key ended the edit: the box then drops it.
    virtual void SurTouche(std::function<bool(int code, int maj)> touche) = 0;
    // Called when the box loses the keyboard focus.
    virtual void SurFocusPerte(std::function<void()> perte) = 0;
    // The most characters the user may type; 0: no limit.
    virtual void LongueurMaxFixer(int longueur) = 0;
    // The background (0x00BBGGRR).
    virtual void FondFixer(std::int32_t couleur) = 0;
    // Called once the box has taken the keyboard focus, after the event
    // that opened it is over.
    virtual void SurFocus(std::function<void()> focus) = 0;
    virtual void TexteFixer(std::string_view texte) = 0;
    // The selection in characters from 0; a length of 0 is the caret.
    virtual int SelectionDebut() const = 0;
    virtual int SelectionLongueur() const = 0;
    virtual void SelectionFixer(int debut, int longueur) = 0;
    // The box has the keyboard focus (it is the window's active control).
    virtual bool AFocus() const = 0;
    // The Edit menu's Copy and Paste on the box's selection.
    virtual void Copier() = 0;
    virtual void Coller() = 0;
};

}  // namespace korv::platform
