#include "programme/plan_programme.h"

#include "plan/document/document_plan.h"
#include "plan/etat_plan.h"
#include "plan/methode/etapes_methode.h"
#include "plan/methode/textes_methode.h"
#include "programme/souris_textes_methode_programme.h"

namespace korv::programme {

PlanProgramme::PlanProgramme(plan::EtatPlan& etat, plan::DocumentPlan& document, plan::MethodeEtapes& etapes)
    : etat_(etat), document_(document), etapes_(etapes) {}

// The currency table, the bullet of the method's menus, its outline and the
// defaults of its steps; then the plan tree from that outline.
void PlanProgramme::PlanAffaireInitialisations() {
    document_.MonnaiesInitialiser();
    if (dossierProgramme) etapes_.BouleRTF = plan::FichierMethodeLire(plan::BouleFichierChemin(dossierProgramme()));
    etapes_.MethodePlanDefautCreer();
    document_.PolicesDefautInitialiser();
    if (arbreRemplir) arbreRemplir();
}

void PlanProgramme::SplashAffiche(int pourcent) { etat_.SplashAffiche(pourcent); }

void PlanProgramme::PlanAffaireOuvrir(std::string_view document, bool demanderEnregistrement, std::int16_t page) {
    document_.PlanAffaireOuvrir(document, demanderEnregistrement, page);
}

void PlanProgramme::PlanAffaireModifieFixer(bool modifie) { etat_.PlanAffaireModifieFixer(modifie); }

void PlanProgramme::PlanAffaireEditionValider() { document_.PlanAffaireEditionValider(); }

bool PlanProgramme::PlanAffaireModifie() { return etat_.PlanAffaireModifie(); }
int PlanProgramme::DialogueFichierEnregistrerDemande() { return etat_.DialogueFichierEnregistrerDemande(); }

void PlanProgramme::MethodeTextesVider(int) {
    if (textesVider) textesVider();
}
void PlanProgramme::PageMethodeAutoConstruire(int page) {
    if (pageConstruire) pageConstruire(page);
}
void PlanProgramme::MousedownTexteMethode(std::int32_t x, std::int32_t y) {
    if (sourisMethode) sourisMethode->MousedownTexteMethode(x, y);
}
void PlanProgramme::MousedownTexteGlossaire(std::int32_t x, std::int32_t y) {
    if (sourisMethode) sourisMethode->MousedownTexteGlossaire(x, y);
}
int PlanProgramme::MouseMoveTexteMethode(std::int32_t x, std::int32_t y) {
    return sourisMethode ? sourisMethode->MouseMoveTexteMethode(x, y) : 0;
}
int PlanProgramme::MouseMoveTexteGlossaire(std::int32_t x, std::int32_t y) {
    return sourisMethode ? sourisMethode->MouseMoveTexteGlossaire(x, y) : 0;
}
void PlanProgramme::TexteMethodeDefiler(std::int32_t y) {
    if (texteMethodeDefiler) texteMethodeDefiler(y);
}
std::string PlanProgramme::MethodeMenuPageNom() { return std::string(etapes_.MethodeMenuPageNom()); }
// One element 0 when the step has no table page or one of them is missing.
std::vector<int> PlanProgramme::EtapeTableauxPages() {
    const auto noms = plan::MethodeEtapes::EtapeTableauxPagesNoms(etapes_.EtapeCouranteCode());
    std::vector<int> pages;
    for (const std::string_view nom : noms) {
        const int n = numeroDePage ? numeroDePage(nom) : 0;
        if (n <= 0) return {0};
        pages.push_back(n);
    }
    if (pages.empty()) pages.push_back(0);
    return pages;
}
void PlanProgramme::GlossaireAfficheDefinition() {
    if (sourisMethode) sourisMethode->GlossaireAfficheDefinition();
}
void PlanProgramme::MethodeChanger(std::string_view argument) { etapes_.MethodeChanger(argument); }

}  // namespace korv::programme
