#pragma once
// The user's edit of a grid cell: the edit box laid over the cell, its text
// taken back into the grid when the edit ends (Tab, Enter, a press
// elsewhere, a page change). Editing tagged and rich texts is still to come
// and reported as such.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/services.h"

namespace korv::engine {
class Moteur;
}
namespace korv::display {
class AffichagePage;
}
namespace korv::grid {
class MagasinGrilles;
class TableauClasse;
}  // namespace korv::grid
namespace korv::platform {
class BoiteEdition;
}
namespace korv::plan {
class EtatPlan;
}

namespace korv::programme {

class ModulesAVenir;

class EditionProgramme final : public engine::EditionTexte {
public:
    EditionProgramme(engine::Moteur& moteur, grid::MagasinGrilles& grilles, display::AffichagePage& affichage,
                     plan::EtatPlan& plan, ModulesAVenir& modules, platform::BoiteEdition* boite,
                     std::string police);
    ~EditionProgramme() override;
    EditionProgramme(const EditionProgramme&) = delete;
    EditionProgramme& operator=(const EditionProgramme&) = delete;

    bool EditionVisible() override;
    void TexteEditeParUtilisateurCommence(int page, int objet, std::string_view texte) override;
    // Ends the edit without its end event (a press elsewhere, the end of
    // play, another edit).
    void TexteEditeParUtilisateurFin() override { Fin(0, false); }
    // Ends the edit as the user validates it: taken, with its end event
    // (`PlanAffaireEditionValider`, a key that leaves the box).
    void Valider() { Fin(0, true); }
    // `TexteEditeParUtilisateurDecaleAscenseurs`: the open box back over
    // its cell after the page scrolled or was laid out again.
    void TexteEditeParUtilisateurDecaleAscenseurs();

    // `CaseEditer`: the box over a cell of a grid of the current page, its
    // whole text selected.
    void CaseEditer(grid::TableauClasse& g, int colonne, int ligne);

    // A character typed in the main window (its key press, ANSI code).
    // From the opening of the box until the box takes the focus
    // (`FrappeVersEdition`), printable characters go to the box by
    // replacement typing and control characters are dropped; other keys
    // are left to the window.
    void CaractereFenetre(int caractere);
    bool FrappeVersEdition() const { return frappeVersEdition_; }
    // The Edit menu's Copy and Paste go to the box while it has the
    // focus; false when it has not.
    bool CopierDansBoite();
    bool CollerDansBoite();
    // The box is open over a cell of this grid.
    bool CaseEditeeDans(const grid::TableauClasse& g);

private:
    struct RectangleTwips {
        std::int32_t gauche = 0, haut = 0, largeur = 0, hauteur = 0;
    };
    // `TexteEditeParUtilisateurPositionne` for a cell: the box's rectangle
    // on the visible page, twips.
    RectangleTwips Positionne(const grid::TableauClasse& g, int colonne, int ligne) const;
    void Fin(int touche, bool evenement);
    // The edit-ended event to the page object's waiting entries that await it.
    void EditionFinieSignaler(int page, int objet);
    // The box's own key press while `FrappeVersEdition`: the selection is
    // removed and the character added at the end of the text.
    void FrappeRemplacement(int caractere);

    engine::Moteur& moteur_;
    grid::MagasinGrilles& grilles_;
    display::AffichagePage& affichage_;
    plan::EtatPlan& plan_;
    ModulesAVenir& modules_;
    platform::BoiteEdition* boite_;
    std::string police_;
    int page_ = 0, objet_ = 0, colonne_ = 0, ligne_ = 0;
    bool frappeVersEdition_ = false;
};

}  // namespace korv::programme
