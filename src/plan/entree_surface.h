#pragma once
// The page surface's input rules, apart from the window system: the last
// mouse-down kept for the double-click, the filter of repeated moves, the
// conversion to page twips, the play-mode gate, the key-down guard and the
// guard of the close request. The surface widget translates the window
// system's events into these calls; every call to the receiver is a boundary
// that no exception crosses.

#include "plan/entree_page.h"

namespace korv::plan {

// The page's scroll origin, in pixels.
struct OrigineDefilement {
    int x = 0;
    int y = 0;
};

// A surface position (twips, as it arrives) plus the scroll origin, as a
// whole number of page twips rounded half to even. The result is 32-bit:
// pages larger than 16-bit twips keep their true positions.
int PositionPageTwips(double surfaceTwips, int twipsParPixel, int originePixels) noexcept;

class EntreeSurface {
public:
    EntreeSurface(int twipsParPixelX, int twipsParPixelY) noexcept;

    // Null gives the neutral receiver, which lets everything pass.
    void DefinirRecepteur(RecepteurPage* recepteur) noexcept;
    RecepteurPage& Recepteur() noexcept { return recepteur_ ? *recepteur_ : neutre_; }

    int TwipsParPixelX() const noexcept { return twipsParPixelX_; }
    int TwipsParPixelY() const noexcept { return twipsParPixelY_; }

    // Mouse events; x and y are the surface position in twips.
    void Enfonce(int bouton, int maj, double x, double y, OrigineDefilement origine);
    // Replays the last mouse-down (position, button, shift) as a new one.
    void DoubleClic(OrigineDefilement origine);
    void Deplace(int bouton, int maj, double x, double y, OrigineDefilement origine);
    void Relache(int bouton, int maj, double x, double y, OrigineDefilement origine);
    // A mouse move over the plan tree: in play, the tooltip's rule only.
    void DeplacementArbre();

    // A key-down that arrives while the previous one is still being handled
    // is dropped.
    void ToucheEnfoncee(int code, int maj);
    void ToucheRelachee(int code, int maj);
    void ToucheCaractere(int caractere);

    void Defilement(OrigineDefilement origine);
    void Redimensionnement();
    void MenuQuitter();
    void MenuCopier();
    void MenuFichier(CommandeFichier commande);
    void MenuPlan(CommandePlan commande);
    void NoeudPlan(std::string_view cle);
    void LienInternet(std::string_view adresse);
    void MenuColler();

    // True lets the window close. A request made while one is being
    // answered (a second close from inside the save question) is refused
    // without asking again; an error while answering keeps the window.
    bool DemandeFermeture();

    // The receiver's play mode; false when asking it fails.
    bool ModeJeu();

private:
    void Envoyer(int genre, int bouton, int maj, double x, double y, OrigineDefilement origine);

    struct DernierEnfonce {
        double x = 0.0;
        double y = 0.0;
        int bouton = 0;
        int maj = 0;
    };

    int twipsParPixelX_;
    int twipsParPixelY_;
    RecepteurPage neutre_;
    RecepteurPage* recepteur_ = nullptr;
    DernierEnfonce dernierEnfonce_;
    int dernierDeplaceX_ = 0;
    int dernierDeplaceY_ = 0;
    bool toucheEnCours_ = false;
    bool fermetureEnCours_ = false;
};

}  // namespace korv::plan
