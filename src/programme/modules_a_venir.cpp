#include "programme/modules_a_venir.h"

#include "engine/erreur.h"
#include "grid/magasin_grilles.h"

namespace korv::programme {

void ModulesAVenir::Signaler(std::string_view nom, std::string_view operation) {
    if (!signales_.emplace(std::string(nom), std::string(operation)).second) return;
    std::string description = "Module non construit : ";
    description += nom;
    description += " (";
    description += operation;
    description += ")";
    engine::ErreurJournaliser(moteur_, "Programme", engine::kErreurInterne, description);
}

GrillesProgramme::GrillesProgramme(grid::MagasinGrilles& magasin, ModulesAVenir& modules)
    : magasin_(magasin), modules_(modules) {
    modules.Declarer(module::Grilles);
}
void GrillesProgramme::GrillesConstruire(const engine::Scene& scene) { magasin_.Construit(scene); }
formula::ServiceGrille* GrillesProgramme::GrilleDe(int page, int objet) { return magasin_.GrilleDe(page, objet); }
void GrillesProgramme::ParcouruRecalculReinitTous() { magasin_.ParcouruRecalculReinitTous(); }
void GrillesProgramme::ReferencesRecreer(const engine::Scene& scene) { magasin_.ReferencesRecreer(scene); }
void GrillesProgramme::PreparerPourPage(int page, int objet) { magasin_.PreparerPourPage(page, objet); }
EditionAVenir::EditionAVenir(ModulesAVenir& modules) : modules_(modules) { modules.Declarer(module::Edition); }
ImpressionAVenir::ImpressionAVenir(ModulesAVenir& modules) : modules_(modules) {
    modules.Declarer(module::Impression);
}

}  // namespace korv::programme
