#pragma once
// What the main window hands over (mouse, keys, scrolling, resizing, the
// close request), on to the engine. Every call is an error boundary: an
// error goes to the reporter and never back into the window system.

#include <exception>
#include <functional>
#include <string>
#include <string_view>

#include "plan/entree_page.h"

namespace korv::engine {
class Moteur;
}
namespace korv::display {
class AffichagePage;
}
namespace korv::grid {
class MagasinGrilles;
}
namespace korv::plan {
class DocumentPlan;
class RegleBulle;
}  // namespace korv::plan

namespace korv::programme {

class EditionProgramme;
class RedactionProgramme;

// Runs `corps` as a boundary under `procedure`; when the error mode hands
// the error back there is no caller left to take it, so the program ends.
void Signaler(engine::Moteur& moteur, std::string_view procedure, const std::function<void()>& corps) noexcept;

class RecepteurMoteur final : public plan::RecepteurPage {
public:
    RecepteurMoteur(engine::Moteur& moteur, display::AffichagePage& affichage, grid::MagasinGrilles& grilles,
                    EditionProgramme& edition, RedactionProgramme& redaction)
        : moteur_(moteur), affichage_(affichage), grilles_(grilles), edition_(edition), redaction_(redaction) {}

    bool ModeJeu() override;
    void ToucheEnfoncee(int code, int maj) override;
    void ToucheRelachee(int code, int maj) override;
    // In play: to the edit box just opened (`FrappeVersEdition`).
    void ToucheCaractere(int caractere) override;
    void Souris(int genre, int bouton, int maj, int xTwips, int yTwips) override;
    // In play: the tooltip's rule (`regleBulle`, set by the composition).
    void DeplacementBulle() override;
    plan::RegleBulle* regleBulle = nullptr;
    // The scroll bars moved: the page's scroll origin follows (pixels).
    void Defilement(int xPixels, int yPixels) override;
    void Redimensionnement() override;
    // The close box: the save question, whose Cancel keeps the window.
    bool DemandeFermeture() override;
    void MenuQuitter() override;
    void MenuCopier() override;
    void MenuFichier(plan::CommandeFichier commande) override;
    // The plan menu's other commands; printing and exporting the current
    // page go, in play only, to the two calls below.
    void MenuPlan(plan::CommandePlan commande) override;
    std::function<void()> pageImprimer;
    // In play: a step node first makes its step current, then any node
    // leads to the page of its key, or opens the web site or the examples.
    // A failure ends the click quietly.
    void NoeudPlan(std::string_view cle) override;
    std::function<void(std::string_view code)> methodeChanger;
    // The About box's link; an error while opening ends it quietly.
    void LienInternet(std::string_view adresse) override;
    std::function<std::string()> etapeCouranteCode;
    std::function<void()> pageExporterRtf;
    // The plan document the File menu's commands reach; not owned.
    plan::DocumentPlan* document = nullptr;
    void MenuColler() override;
    void ErreurInterceptee(std::exception_ptr erreur) noexcept override;

private:
    void LienInternetOuvrir(std::string_view adresse);
    engine::Moteur& moteur_;
    display::AffichagePage& affichage_;
    grid::MagasinGrilles& grilles_;
    EditionProgramme& edition_;
    RedactionProgramme& redaction_;
};

}  // namespace korv::programme
