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
#include <utility>

#include "engine/services.h"
#include "grid/tableau.h"

namespace korv::engine {
struct Scene;
}

namespace korv::grid {

struct ServicesGrilles {
    // `ModeProgramme` is 3 (play).
    std::function<bool()> enJeu;
    // Draws a grid again into the page buffer where the shown-object list holds it.
    std::function<void(std::int16_t page, std::int16_t objet)> redessine;
    // Formula services and cell scripts for computing.
    ContexteCalcul* calcul = nullptr;
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

    // engine::Grilles
    void GrillesConstruire(const engine::Scene& scene) override { Construit(scene); }
    formula::ServiceGrille* GrilleDe(int page, int objet) override;
    void ReferencesRecreer(const engine::Scene&) override;
    void PreparerPourPage(int page, int objet) override;
    void BoutonAscenseurMaj(int page, int objet) override;
    bool ASelection(int page, int objet) override;
    void AppuieTouche(int page, int objet, int touche, int maj) override;
    void SelectionnerRien(int page, int objet) override;
    void Affiche(int page, int objet) override;
    void MouseDownConsultation(int page, int objet, int bouton, int maj, std::int32_t x, std::int32_t y) override;
    void MouseMoveConsultation(int page, int objet, int bouton, std::int32_t x, std::int32_t y) override;
    void MouseUpConsultation(int page, int objet, std::int32_t x, std::int32_t y) override;
    int QuelCurseurDeSouris(int page, int objet, std::int32_t x, std::int32_t y) override;

private:
    TableauClasse* Cherche(int page, int objet);

    ServicesGrilles services_;
    EtatCalcul etat_;
    std::map<std::pair<std::int16_t, std::int16_t>, std::unique_ptr<TableauClasse>> grilles_;
};

}  // namespace korv::grid
