#pragma once
// What the grids' recalculation reaches in the engine: its formula
// services, its script language for the cell scripts and the window copy.

#include "grid/contexte_calcul.h"

namespace korv::engine {

class Moteur;

class CalculGrillesMoteur final : public grid::ContexteCalcul {
public:
    explicit CalculGrillesMoteur(Moteur& moteur) : m_(moteur) {}
    const formula::ServicesFormule& Formules() override;
    std::shared_ptr<grid::ScriptCase> ScriptCaseCompile(std::string_view script) override;
    void MajFenetreJeu() override;
    void EditionValider() override;
    // No plan document is loaded by this program yet.
    bool ChargementPlanEnCours() const override { return false; }
    // `ConversionEnCours`, which CONVINIT and CONVFIN set in play.
    bool ConversionMonnaieEnCours() const override;

private:
    Moteur& m_;
};

}  // namespace korv::engine
