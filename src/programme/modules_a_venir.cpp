#include "programme/modules_a_venir.h"

#include "engine/erreur.h"

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

GrillesAVenir::GrillesAVenir(ModulesAVenir& modules) : modules_(modules) { modules.Declarer(module::Grilles); }
EditionAVenir::EditionAVenir(ModulesAVenir& modules) : modules_(modules) { modules.Declarer(module::Edition); }
ImpressionAVenir::ImpressionAVenir(ModulesAVenir& modules) : modules_(modules) {
    modules.Declarer(module::Impression);
}

}  // namespace korv::programme
