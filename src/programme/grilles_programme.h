#pragma once
// The grids of the scene as the engine reaches them: built, computed,
// reached by formulas, drawn, driven by the mouse and the keys, their
// scroll buttons kept in step.

#include <cstdint>
#include <functional>

#include "engine/services.h"

namespace korv::grid {
class MagasinGrilles;
}

namespace korv::programme {

class GrillesProgramme final : public engine::Grilles {
public:
    explicit GrillesProgramme(grid::MagasinGrilles& magasin);
    void GrillesConstruire(const engine::Scene& scene) override;
    // Called once the grids of a scene just loaded are built.
    std::function<void()> construites;
    formula::ServiceGrille* GrilleDe(int page, int objet) override;
    void ParcouruRecalculReinitTous() override;
    void ReferencesRecreer(const engine::Scene& scene) override;
    void PreparerPourPage(int page, int objet) override;
    void Recalculer(int page, int objet) override;
    void BoutonAscenseurMaj(int page, int objet) override {
        if (ascenseurs) ascenseurs(page, objet);
    }
    // The scroll buttons' sprites of the page moved to the grid's offsets.
    std::function<void(int page, int objet)> ascenseurs;
    bool ASelection(int page, int objet) override;
    void AppuieTouche(int page, int objet, int touche, int maj) override;
    void SelectionnerRien(int page, int objet) override;
    void Affiche(int page, int objet) override;
    void MouseDownConsultation(int page, int objet, int bouton, int maj, std::int32_t x, std::int32_t y) override;
    void MouseMoveConsultation(int page, int objet, int bouton, std::int32_t x, std::int32_t y) override;
    void MouseUpConsultation(int page, int objet, std::int32_t x, std::int32_t y) override;
    int QuelCurseurDeSouris(int page, int objet, std::int32_t x, std::int32_t y) override;

private:
    grid::MagasinGrilles& magasin_;
};

}  // namespace korv::programme
