#include "programme/fonctions_grilles_programme.h"

#include "engine/moteur.h"
#include "engine/scripts_moteur.h"
#include "formula/services.h"
#include "programme/modules_a_venir.h"
#include "programme/plateforme.h"

namespace korv::programme {

FonctionsGrillesProgramme::FonctionsGrillesProgramme(engine::Moteur& moteur, grid::MagasinGrilles& grilles,
                                                     const Plateforme& p, ModulesAVenir& aVenir)
    : acces_{moteur.ScriptsDuMoteur().Formule().scene, grilles} {
    (void)p;
    (void)aVenir;
    cadres_.Suivant(premiere_);
    premiere_ = &cadres_;
}

}  // namespace korv::programme
