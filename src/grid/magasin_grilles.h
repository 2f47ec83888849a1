#pragma once
// The grids of the scene (`MagasinGrilles`): one `TableauClasse` per
// kind-12 page object, by (page, object), rebuilt from the scene's grid
// records after each scene load. The engine context owns one store; it
// answers the engine's grid service and finds grids for the formulas.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "engine/services.h"
#include "grid/tableau.h"

namespace korv::engine {
struct Scene;
}

namespace korv::platform {
class ChronoBulleTableau;
class ChronoDefilementTableau;
class PressePapier;
}

namespace korv::grid {

struct ServicesGrilles {
    // `ModeProgramme` is 3 (play).
    std::function<bool()> enJeu;
    // Draws a grid again into the page buffer where the shown-object list holds it.
    std::function<void(std::int16_t page, std::int16_t objet)> redessine;
    // Formula services and cell scripts for computing.
    ContexteCalcul* calcul = nullptr;
    // The page buffer copied to the window (`MajFenetreJeu`).
    std::function<void()> majFenetre;
    // A user changed a grid: the plan asks to be saved (`PlanAffaireModifieFixer`).
    std::function<void()> planModifie;
    // Twips per pixel across and down.
    std::function<std::int32_t()> pixelX;
    std::function<std::int32_t()> pixelY;
    // The edit box over a cell (`CaseEditer`), stored indexes.
    std::function<void(TableauClasse& grille, int colonne, int ligne)> caseEditer;
    // The edit box is open over a cell of this grid (`TableauEdite`).
    std::function<bool(const TableauClasse& grille)> caseEditee;
    // A Yes/No question to the user; true for Yes.
    std::function<bool(std::string_view texte)> demandeOui;
    // The edit in progress taken before cells are reset (`PlanAffaireEditionValider`).
    std::function<void()> validerEdition;
    // A cell's tooltip at a page point (`BulleAffiche`).
    std::function<void(std::int32_t x, std::int32_t y, std::string_view texte)> bulleAffiche;
    // The system clipboard (text).
    platform::PressePapier* pressePapier = nullptr;
    // The main window's grid scrolling timer.
    platform::ChronoDefilementTableau* chronoDefilement = nullptr;
    // The main window's tooltip timer.
    platform::ChronoBulleTableau* chronoBulle = nullptr;
    // The page being played.
    std::function<std::int16_t()> pageCourante;
    // A cell's display text (`CaseValeurAAfficher`); the grid's own when empty.
    std::function<std::string(TableauClasse& grille, int colonne, int ligne)> texteAffiche;
};

class MagasinGrilles final : public engine::Grilles, public EnvironnementGrille {
public:
    explicit MagasinGrilles(ServicesGrilles services) : services_(std::move(services)) {}
    MagasinGrilles(const MagasinGrilles&) = delete;
    MagasinGrilles& operator=(const MagasinGrilles&) = delete;

    // Replaces every grid by those of the scene (`TableauInitialiseApresChargement`
    // and the layout included). The scene reader has checked the records.
    void Construit(const engine::Scene& scene);

    // The grid of a page object; null when there is none.
    TableauClasse* Grille(std::int16_t page, std::int16_t objet) override;
    std::size_t Nombre() const { return grilles_.size(); }
    // Clears the recalculation marks of every grid (`TableauxParcouruRecalculReinit`).
    void ParcouruRecalculReinitTous() override;

    // The end of a user's edit of a cell in play: all marks reset, the
    // entry taken, the cell's "SUR FINEDITION". False when that script left
    // the page; the caller then does nothing more. Else the caller moves
    // the selection for Tab or Enter, then calls RecalculerPage.
    bool FinEditionCase(int page, int objet, int colonne, int ligne, std::string texte);
    // Every grid of the page recalculated, in object order.
    void RecalculerPage(int page);

    // EnvironnementGrille
    bool EnJeu() const override { return services_.enJeu && services_.enJeu(); }
    void RedessineSiAffiche(std::int16_t page, std::int16_t objet) override;
    void TableauxReferencesRecreer() override;
    void PageCouranteRecalculSansInit() override;

    // engine::Grilles
    void GrillesConstruire(const engine::Scene& scene) override { Construit(scene); }
    formula::ServiceGrille* GrilleDe(int page, int objet) override;
    void ReferencesRecreer(const engine::Scene&) override;
    void PreparerPourPage(int page, int objet) override;
    void Recalculer(int page, int objet) override;
    void BoutonAscenseurMaj(int page, int objet) override;
    bool ASelection(int page, int objet) override;
    void AppuieTouche(int page, int objet, int touche, int maj) override;
    void SelectionnerRien(int page, int objet) override;
    void Affiche(int page, int objet) override;
    void MouseDownConsultation(int page, int objet, int bouton, int maj, std::int32_t x, std::int32_t y) override;
    void MouseMoveConsultation(int page, int objet, int bouton, std::int32_t x, std::int32_t y) override;
    void MouseUpConsultation(int page, int objet, std::int32_t x, std::int32_t y) override;
    int QuelCurseurDeSouris(int page, int objet, std::int32_t x, std::int32_t y) override;

    // The grid of a page object; null when there is none or out of range.
    TableauClasse* Cherche(int page, int objet);
    // The main window's Copy and Paste: every grid of the current page with
    // a valid selection copies it to the clipboard, or takes the clipboard's
    // text at its selection's top-left cell. Copy tells whether a grid
    // copied.
    bool CopierParUtilisateur();
    void CollerParUtilisateur();
    // `CollerConsultation`: the clipboard's text entered from displayed
    // (column, row); false when a cell's end-of-edit event stopped it.
    bool CollerConsultation(TableauClasse& g, int colonne, int ligne, std::string_view texte);
    // Every grid of a page drawn again into the page buffer.
    void RedessinerPage(int page);
    // `DefilementAppel`: one step of the automatic scrolling of a grid
    // while a selection is dragged past its edge.
    void DefilementAppel(std::int16_t page, std::int16_t objet);
    // `InfoBulleAppel`: the tooltip timer's tick; shows the tooltip of the
    // cell the mouse rests on when it is still the one the grid noted.
    void InfoBulleAppel(std::int16_t page, std::int16_t objet);
    // `SupprimerConsultation` (the Delete key): after the user confirms, the
    // edit in progress is taken, the plan marked modified, the cells of a
    // stored zone given back their initial values, and in play the page's
    // grids recalculated and drawn. A zone outside the grid is not asked.
    void SupprimerConsultation(TableauClasse& g, int c1, int r1, int c2, int r2);
    // `DeclencheTableau`, codes 2 to 5: scroll rows (2) or columns (3) by
    // the value; fold (4) or unfold (5) the zone it lists rows first. The
    // shortened value is written back.
    void DeclencheTableau(int page, int objet, std::string& valeur, int action);
    // What a key does to the grid's selection and scroll position.
    void AppuieToucheGrille(TableauClasse& g, int touche, int maj);
    // A cell's display text as drawn and copied.
    std::string TexteAffiche(TableauClasse& g, int c, int r);

private:
    void RedessineEtMontre(const TableauClasse& g);
    // The fill corner released over the selection.
    void Remplir(TableauClasse& g);
    // Every grid of a page recalculated and drawn again.
    void RecalculePage(std::int16_t page);
    // `CaseChangeParFleches`: a level chosen with a cell's arrows.
    void CaseChangeParFleches(TableauClasse& g, int c, int r, const std::string& valeur);
    bool Declenche(TableauClasse& g, int c, int r, std::string_view evenement);

    ServicesGrilles services_;
    EtatCalcul etat_;
    std::map<std::pair<std::int16_t, std::int16_t>, std::unique_ptr<TableauClasse>> grilles_;
};

}  // namespace korv::grid
