#pragma once
// The cell, fold, page and plan functions of formulas as the program
// composes them, with stand-ins for what they reach that is not built yet:
// the guided method's seen mark, the header and footer box of printing and
// (the plan document's parts are the document's own).

#include <cstdint>
#include <functional>
#include <string_view>

#include "grid/fonctions_cases.h"
#include "grid/fonctions_plan.h"

namespace korv::engine {
class Moteur;
}
namespace korv::platform {
class BoiteMessage;
}

namespace korv::programme {

class ModulesAVenir;

// The guided method's seen mark.
class MarqueVuAVenir final : public grid::MarqueVuEtape {
public:
    explicit MarqueVuAVenir(ModulesAVenir& modules);
    void EtapeVuBascule() override;
    void EtapeImageVuPasVu(std::int16_t page, std::int16_t objet) override;

    // The step table's toggle and the mark's picture, set by the
    // composition.
    std::function<void()> bascule;
    std::function<void(int page, int objet)> image;

private:
    ModulesAVenir& modules_;
};

// The header and footer box of printing.
class EnTetePiedAVenir final : public grid::BoiteEnTetePied {
public:
    explicit EnTetePiedAVenir(ModulesAVenir& modules);
    void SelectionVider() override;
    void SelectionRemplacer(std::string_view texte) override;

private:
    ModulesAVenir& modules_;
};

class FonctionsCasesProgramme {
public:
    FonctionsCasesProgramme(engine::Moteur& moteur, const grid::AccesGrilles& acces, platform::BoiteMessage& messages,
                            ModulesAVenir& aVenir, grid::DocumentPlanPartie& document);
    FonctionsCasesProgramme(const FonctionsCasesProgramme&) = delete;
    FonctionsCasesProgramme& operator=(const FonctionsCasesProgramme&) = delete;

    // The first of its handlers; `suivant` is asked after the last.
    formula::ServicesFonctionsAction& Premiere() { return cases_; }
    void Suivant(formula::ServicesFonctionsAction* suivant) { plan_.Suivant(suivant); }
    MarqueVuAVenir& MarqueVu() { return marqueVu_; }

private:
    MarqueVuAVenir marqueVu_;
    EnTetePiedAVenir enTetePied_;
    grid::FonctionsPlan plan_;
    grid::FonctionsCases cases_;
};

}  // namespace korv::programme
