#pragma once
// What the main window hands over from its page surface, its keys, its
// scroll bars and its close request. The window decides nothing about the
// page: each event reaches the receiver in a fixed form and the engine
// decides. Mouse positions are page positions in twips (the surface position
// plus the scroll origin), whole numbers rounded half to even.

#include <cstdint>
#include <exception>
#include <string_view>

namespace korv::plan {

// The plan commands of the File menu.
enum class CommandeFichier : std::uint8_t { Nouveau, Ouvrir, Enregistrer, EnregistrerSous };

// The other plan menu commands handed to the receiver.
enum class CommandePlan : std::uint8_t {
    Exporter,         // "Exporter...": the scene's page EXPORTER
    Imprimer,         // "Imprimer le plan d'affaires...": the page IMPRESSION
    ExporterPageRtf,  // "Exporter cette page au format RTF"
    ImprimerPage,     // "Imprimer cette page"
    AfficherPlan,     // "Fenêtre plan": shows or hides the plan panel
    ArreterJeu,       // "Arrêter  (ESC)": the play loop's quit question
    FermerPlan,       // the plan panel's close image
};

// Mouse event kinds.
inline constexpr int kSourisEnfonce = 1;
inline constexpr int kSourisRelache = 2;
inline constexpr int kSourisDeplace = 3;

// Button bits: the button that went down or up, or every button held during
// a move.
inline constexpr int kBoutonGauche = 1;
inline constexpr int kBoutonDroit = 2;
inline constexpr int kBoutonMilieu = 4;

// Shift-state bits.
inline constexpr int kMajShift = 1;
inline constexpr int kMajCtrl = 2;
inline constexpr int kMajAlt = 4;

// Key codes are the classic virtual-key codes (A = 65, F5 = 116, ...).
inline constexpr int kToucheEchap = 27;

class RecepteurPage {
public:
    virtual ~RecepteurPage() = default;

    // True while a scene is played: outside play mode the surface, its keys
    // and its paint forward nothing.
    virtual bool ModeJeu() { return true; }

    virtual void Souris(int genre, int bouton, int maj, int xTwips, int yTwips) {
        (void)genre, (void)bouton, (void)maj, (void)xTwips, (void)yTwips;
    }
    // A mouse move over the page surface (before its kind-3 event) or over
    // the plan tree, in play: the tooltip's rule on mouse moves.
    virtual void DeplacementBulle() {}
    virtual void ToucheEnfoncee(int code, int maj) { (void)code, (void)maj; }
    virtual void ToucheRelachee(int code, int maj) { (void)code, (void)maj; }
    // The character of a key pressed (ANSI code), after its key-down.
    virtual void ToucheCaractere(int caractere) { (void)caractere; }
    // The page's scroll origin, in pixels, after a scroll bar moved; the
    // surface has been redrawn from the page buffer at that origin.
    virtual void Defilement(int xPixels, int yPixels) { (void)xPixels, (void)yPixels; }
    // The main window's size changed: the page layout is to be done again.
    virtual void Redimensionnement() {}

    // The user asks to close the main window (close box, window manager,
    // the plan menu's "Quitter"). True lets it close; false keeps it open.
    virtual bool DemandeFermeture() { return true; }
    // The engine menu's "Quitter": the receiver ends the program itself.
    virtual void MenuQuitter() {}
    // The Edit menu's Copy and Paste (and their keys): the grids of the page.
    virtual void MenuCopier() {}
    virtual void MenuColler() {}
    // The File menu's plan commands.
    virtual void MenuFichier(CommandeFichier commande) { (void)commande; }
    virtual void MenuPlan(CommandePlan commande) { (void)commande; }
    // A click on the plan tree's node of that key.
    virtual void NoeudPlan(std::string_view cle) { (void)cle; }
    // The About box's link: the address opened in the user's browser, a
    // failure told in a message box.
    virtual void LienInternet(std::string_view adresse) { (void)adresse; }

    // An exception escaped one of the calls above. It never goes on into
    // the window system; the default writes it to the standard error.
    virtual void ErreurInterceptee(std::exception_ptr erreur) noexcept;
};

// Runs `action`; an exception is handed to the receiver instead of crossing
// the window system's event dispatch. Returns false when one was caught.
template <class Action>
bool Proteger(RecepteurPage& recepteur, Action&& action) noexcept {
    try {
        action();
        return true;
    } catch (...) {
        recepteur.ErreurInterceptee(std::current_exception());
        return false;
    }
}

}  // namespace korv::plan
