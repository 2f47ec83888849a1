#pragma once
// The modules the program does not have yet, each stood in for by one
// explicit object of the composition. A stand-in answers neutrally and
// writes one ERROR.TXT record the first time each of its operations is
// used, so that a missing feature is never silent. `Noms` lists the modules
// stood in for; a test keeps that list short and true.

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "engine/declenchement_services.h"
#include "engine/services.h"
#include "formula/fonctions_texte_riche.h"

namespace korv::engine {
class Moteur;
}
namespace korv::grid {
class MagasinGrilles;
}

namespace korv::programme {

// Names of the modules to come, as the list test spells them.
namespace module {
inline constexpr std::string_view Methode = "methode guidee";
inline constexpr std::string_view Impression = "impression et exportation";
}  // namespace module

class ModulesAVenir {
public:
    explicit ModulesAVenir(engine::Moteur& moteur) : moteur_(moteur) {}

    // Records that the composition stands in for `nom`.
    void Declarer(std::string_view nom) { noms_.emplace(nom); }
    const std::set<std::string, std::less<>>& Noms() const noexcept { return noms_; }

    // The first use of `operation` of module `nom` goes to ERROR.TXT.
    void Signaler(std::string_view nom, std::string_view operation);

private:
    engine::Moteur& moteur_;
    std::set<std::string, std::less<>> noms_;
    std::set<std::pair<std::string, std::string>, std::less<>> signales_;
};

// The grids of the scene: built, computed, reached by formulas, drawn,
// driven by the mouse and the keys, their scroll buttons kept in step.
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

// Nothing of printing and export is stood in for any more here; the
// module's name stays declared for the operations other modules still
// report under it.
class ImpressionAVenir final {
public:
    explicit ImpressionAVenir(ModulesAVenir& modules);

private:
    void Signaler(std::string_view operation) { modules_.Signaler(module::Impression, operation); }
    ModulesAVenir& modules_;
};

}  // namespace korv::programme
