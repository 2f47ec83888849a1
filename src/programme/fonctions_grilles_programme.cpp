#include "programme/fonctions_grilles_programme.h"

#include "engine/moteur.h"
#include "engine/scripts_moteur.h"
#include "formula/services.h"
#include "programme/modules_a_venir.h"
#include "programme/plateforme.h"

namespace korv::programme {

FonctionsGrillesProgramme::FonctionsGrillesProgramme(engine::Moteur& moteur, grid::MagasinGrilles& grilles,
                                                     const Plateforme& p, ModulesAVenir& aVenir)
    : acces_{moteur.ScriptsDuMoteur().Formule().scene, grilles},
      cases_(moteur, acces_, *p.messages, aVenir),
      zones_(acces_, p.reglages) {
    // Each handler is put in front of the chain and passes on what is not its own.
    cases_.Suivant(premiere_);
    premiere_ = &cases_.Premiere();
    zones_.Suivant(premiere_);
    premiere_ = &zones_;
    cadres_.Suivant(premiere_);
    premiere_ = &cadres_;
}

}  // namespace korv::programme
