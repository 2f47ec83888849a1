#include "programme/fonctions_grilles_programme.h"

#include "display/affichage.h"
#include "engine/moteur.h"
#include "engine/scripts_moteur.h"
#include "formula/services.h"
#include "programme/plateforme.h"

namespace korv::programme {

namespace {

// The currency table and the conversion flag are the engine's; the progress
// window is the page display's.
grid::ServicesMonnaie Monnaie(engine::Moteur& moteur, display::AffichagePage& affichage, const Plateforme& p) {
    return {moteur.Monnaies, p.reglages, moteur.jeu.ConversionEnCours,
            [&affichage](std::string_view titre, std::string_view texte) {
                display::MessageFenetreOuvre(affichage, titre, texte);
            },
            [&affichage] { display::MessageFenetreFerme(affichage); }};
}

}  // namespace

FonctionsGrillesProgramme::FonctionsGrillesProgramme(engine::Moteur& moteur, grid::MagasinGrilles& grilles,
                                                     display::AffichagePage& affichage, const Plateforme& p,
                                                     grid::MarqueVuEtape& marqueVu, grid::BoiteEnTetePied& enTetePied,
                                                     grid::DocumentPlanPartie& document)
    : acces_{moteur.ScriptsDuMoteur().Formule().scene, grilles},
      cases_(moteur, acces_, *p.messages, marqueVu, enTetePied, document),
      zones_(acces_, p.reglages),
      monnaie_(acces_, Monnaie(moteur, affichage, p)),
      calcul_(acces_) {
    // Each handler is put in front of the chain and passes on what is not its own.
    cases_.Suivant(premiere_);
    premiere_ = &cases_.Premiere();
    zones_.Suivant(premiere_);
    premiere_ = &zones_;
    cadres_.Suivant(premiere_);
    premiere_ = &cadres_;
    calcul_.Suivant(premiere_);
    premiere_ = &calcul_;
    monnaie_.Suivant(premiere_);
    premiere_ = &monnaie_;
}

}  // namespace korv::programme
