#pragma once
// The cell, fold, page and plan functions of formulas as the program
// composes them: the seen mark is the guided method's, the page-number
// fields go into the writing box and the plan parts are the plan
// document's.

#include <cstdint>
#include <string_view>

#include "grid/fonctions_cases.h"
#include "grid/fonctions_plan.h"

namespace korv::engine {
class Moteur;
}
namespace korv::platform {
class BoiteMessage;
}
namespace korv::plan {
class EtatPlan;
class MethodeEtapes;
class PanneauRedaction;
}  // namespace korv::plan

namespace korv::programme {

class MethodePagesProgramme;

// The seen mark of the method's current step: toggled in the step table
// (which modifies the plan) and shown by the page's mark objects.
class MarqueVuProgramme final : public grid::MarqueVuEtape {
public:
    MarqueVuProgramme(plan::EtatPlan& etat, plan::MethodeEtapes& etapes, MethodePagesProgramme& pages)
        : etat_(etat), etapes_(etapes), pages_(pages) {}
    void EtapeVuBascule() override;
    void EtapeImageVuPasVu(std::int16_t page, std::int16_t objet) override;

private:
    plan::EtatPlan& etat_;
    plan::MethodeEtapes& etapes_;
    MethodePagesProgramme& pages_;
};

// The box that AJOUTENUMEROPAGE writes its fields into: the writing box, at
// its caret. What goes in is kept like anything typed there, so that a
// header or footer text written in the box carries the field to the print
// job. A platform without the main window has no box to write into.
class EnTetePiedRedaction final : public grid::BoiteEnTetePied {
public:
    EnTetePiedRedaction(plan::PanneauRedaction* panneau, plan::EtatPlan& etat) : panneau_(panneau), etat_(etat) {}
    void SelectionVider() override;
    void SelectionRemplacer(std::string_view texte) override;

private:
    plan::PanneauRedaction* panneau_;
    // What goes into the box changes the plan as typing does.
    plan::EtatPlan& etat_;
};

class FonctionsCasesProgramme {
public:
    FonctionsCasesProgramme(engine::Moteur& moteur, const grid::AccesGrilles& acces, platform::BoiteMessage& messages,
                            grid::MarqueVuEtape& marqueVu, grid::BoiteEnTetePied& enTetePied,
                            grid::DocumentPlanPartie& document);
    FonctionsCasesProgramme(const FonctionsCasesProgramme&) = delete;
    FonctionsCasesProgramme& operator=(const FonctionsCasesProgramme&) = delete;

    // The first of its handlers; `suivant` is asked after the last.
    formula::ServicesFonctionsAction& Premiere() { return cases_; }
    void Suivant(formula::ServicesFonctionsAction* suivant) { plan_.Suivant(suivant); }

private:
    grid::FonctionsPlan plan_;
    grid::FonctionsCases cases_;
};

}  // namespace korv::programme
