#pragma once
// The user's edit of a tagged text, a rich text or a grid cell: the edit box
// laid over the object or the cell, its text taken back when the edit ends
// (the keys of the box, a press elsewhere, a page change). A rich text is
// edited with its formatting, through rich-text toolbar 1.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/services.h"

namespace korv::engine {
class Moteur;
struct ObjetPage;
}  // namespace korv::engine
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
class BarresRTF;
class BoiteTexteRiche;
class EtatPlan;
class MethodeEtapes;
}  // namespace korv::plan

namespace korv::programme {


class EditionProgramme final : public engine::EditionTexte {
public:
    EditionProgramme(engine::Moteur& moteur, grid::MagasinGrilles& grilles, display::AffichagePage& affichage,
                     plan::EtatPlan& plan, plan::MethodeEtapes& etapes, platform::BoiteEdition* boite,
                     plan::BoiteTexteRiche* riche, plan::BarresRTF& barres, std::string police);
    ~EditionProgramme() override;
    EditionProgramme(const EditionProgramme&) = delete;
    EditionProgramme& operator=(const EditionProgramme&) = delete;

    bool EditionVisible() override;
    void TexteEditeParUtilisateurCommence(int page, int objet, std::string_view texte) override;
    // Ends the edit without its end event (a press elsewhere, the end of
    // play, another edit).
    void TexteEditeParUtilisateurFin() override { Fin(false, 0); }
    // Ends the edit as the user validates it: taken, with its end event
    // (`PlanAffaireEditionValider`, a key that leaves the box).
    void Valider() { Fin(true, 0); }

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
    bool AFocus() const;
    // The box is open over a cell of this grid.
    bool CaseEditeeDans(const grid::TableauClasse& g);

    // A key going down in the box: the keys that end the edit, by the
    // object's `ModeSaisie` and name. True when the edit ended.
    bool ToucheBoite(int code, int maj);
    // The focus came into the box or left it.
    void FocusEntree();
    void FocusPerte();

    // The rich-text toolbar's box of an edit (box 1).
    plan::BoiteTexteRiche* BoiteRiche() const { return riche_; }

    // `TexteEditeParUtilisateurDecaleAscenseurs`: the open box placed again
    // over its object or cell after the page scrolled or was laid out again.
    void TexteEditeParUtilisateurDecaleAscenseurs();

private:
    struct Pixels {
        int gauche, haut, largeur, hauteur;
    };
    Pixels RectangleCase(const grid::TableauClasse& g, int colonne, int ligne) const;
    Pixels RectangleObjet(const engine::ObjetPage& o);
    void Fin(bool validation, int touche);
    // The text of a tagged or rich text back into its object, shown again.
    void TexteRendre(int page, int objet, std::string texte, bool validation);
    // The waits of the object for the end of its edit are met.
    void EditionFinieSignaler(int page, int objet);
    void Rectangle(const engine::ObjetPage& o, std::int32_t& g, std::int32_t& h, std::int32_t& l, std::int32_t& t);
    // The box's own key press while `FrappeVersEdition`: the selection is
    // removed and the character added at the end of the text.
    void FrappeRemplacement(int caractere);

    engine::Moteur& moteur_;
    grid::MagasinGrilles& grilles_;
    display::AffichagePage& affichage_;
    plan::EtatPlan& plan_;
    // A step title edited on its page goes to the step table.
    plan::MethodeEtapes& etapes_;
    platform::BoiteEdition* boite_;
    plan::BoiteTexteRiche* riche_;
    plan::BarresRTF& barres_;
    std::string police_;
    // The tags before the text of a tagged text, kept out of the box.
    std::string prefixe_;
    // The box's RTF after a rich text it could not show was replaced by an
    // empty one: ending the edit with that stores nothing over the text.
    std::optional<std::string> refus_;
    int page_ = 0, objet_ = 0, colonne_ = 0, ligne_ = 0;
    bool frappeVersEdition_ = false;
};

}  // namespace korv::programme
