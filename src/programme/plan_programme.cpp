#include "programme/plan_programme.h"

#include "plan/etat_plan.h"
#include "programme/modules_a_venir.h"

namespace korv::programme {

PlanProgramme::PlanProgramme(plan::EtatPlan& etat, ModulesAVenir& modules) : etat_(etat), modules_(modules) {
    modules.Declarer(module::DocumentPlan);
    modules.Declarer(module::Methode);
}

// The currency table, the default method outline and the plan tree come
// with the plan layer; start-up has nothing of theirs to set up yet.
void PlanProgramme::PlanAffaireInitialisations() {}

void PlanProgramme::SplashAffiche(int pourcent) { etat_.SplashAffiche(pourcent); }

void PlanProgramme::PlanAffaireOuvrir(std::string_view document) {
    // Play opens the command line's document, which is often empty.
    if (!document.empty()) modules_.Signaler(module::DocumentPlan, "PlanAffaireOuvrir");
}

void PlanProgramme::PlanAffaireEditionValider() {
    if (etat_.editionValider) etat_.editionValider();
}

bool PlanProgramme::PlanAffaireModifie() { return etat_.PlanAffaireModifie(); }
int PlanProgramme::DialogueFichierEnregistrerDemande() { return etat_.DialogueFichierEnregistrerDemande(); }

// No method page exists until the guided method is built: nothing to empty,
// only the writing panel to build, and no method text to route the mouse to.
void PlanProgramme::MethodeTextesVider(int) {}
void PlanProgramme::PageMethodeAutoConstruire(int page) {
    if (pageConstruire) pageConstruire(page);
}
void PlanProgramme::RedactionTexteSauver(std::string_view source) {
    if (redactionSauver) redactionSauver(source);
}
void PlanProgramme::MousedownTexteMethode(std::int32_t, std::int32_t) {
    modules_.Signaler(module::Methode, "MousedownTexteMethode");
}
void PlanProgramme::MousedownTexteGlossaire(std::int32_t, std::int32_t) {
    modules_.Signaler(module::Methode, "MousedownTexteGlossaire");
}
int PlanProgramme::MouseMoveTexteMethode(std::int32_t, std::int32_t) { return 0; }
int PlanProgramme::MouseMoveTexteGlossaire(std::int32_t, std::int32_t) { return 0; }
void PlanProgramme::TexteMethodeDefiler(std::int32_t) { modules_.Signaler(module::Methode, "TexteMethodeDefiler"); }
std::string PlanProgramme::MethodeMenuPageNom() {
    modules_.Signaler(module::Methode, "MethodeMenuPageNom");
    return {};
}
std::vector<int> PlanProgramme::EtapeTableauxPages() {
    modules_.Signaler(module::Methode, "EtapeTableauxPages");
    return {};
}
void PlanProgramme::GlossaireAfficheDefinition() { modules_.Signaler(module::Methode, "GlossaireAfficheDefinition"); }
void PlanProgramme::MethodeChanger(std::string_view) { modules_.Signaler(module::Methode, "MethodeChanger"); }

}  // namespace korv::programme
