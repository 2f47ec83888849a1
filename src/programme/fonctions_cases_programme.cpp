#include "programme/fonctions_cases_programme.h"

#include "engine/moteur.h"
#include "plan/boite_riche.h"
#include "plan/etat_plan.h"
#include "plan/methode/etapes_methode.h"
#include "plan/panneau_redaction.h"
#include "programme/methode_pages_programme.h"

namespace korv::programme {

void MarqueVuProgramme::EtapeVuBascule() {
    etat_.PlanAffaireModifieFixer(true);
    etapes_.EtapeVuBascule();
}

void MarqueVuProgramme::EtapeImageVuPasVu(std::int16_t page, std::int16_t objet) {
    pages_.EtapeImageVuPasVu(page, objet);
}

void EnTetePiedRedaction::SelectionVider() {
    if (!panneau_) return;
    plan::BoiteTexteRiche& boite = panneau_->Boite();
    if (const int debut = boite.SelectionDebut(); debut >= 0) boite.SelectionFixer(debut, 0);
}

void EnTetePiedRedaction::SelectionRemplacer(std::string_view texte) {
    if (!panneau_) return;
    panneau_->Boite().SelectionTexteFixer(texte);
    etat_.PlanAffaireModifieFixer(true);
}

FonctionsCasesProgramme::FonctionsCasesProgramme(engine::Moteur& moteur, const grid::AccesGrilles& acces,
                                                 platform::BoiteMessage& messages, grid::MarqueVuEtape& marqueVu,
                                                 grid::BoiteEnTetePied& enTetePied,
                                                 grid::DocumentPlanPartie& document)
    : plan_(acces, document),
      cases_(acces, messages, marqueVu, enTetePied,
             [&moteur](std::int16_t page, std::int16_t objet) {
                 return moteur.scene.ObjetExiste(page, objet) ? moteur.scene.Page(page).Objet(objet).nom
                                                              : std::string();
             },
             &plan_) {}

}  // namespace korv::programme
