#pragma once
// The business-plan layer as the engine sees it: the plan state (modified
// flag, the save question, the splash percentage), the plan document and
// the method's step table.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/services.h"

namespace korv::plan {
class DocumentPlan;
class EtatPlan;
class MethodeEtapes;
}  // namespace korv::plan

namespace korv::programme {

class SourisTextesMethodeProgramme;

class PlanProgramme final : public engine::PlanAffaire {
public:
    PlanProgramme(plan::EtatPlan& etat, plan::DocumentPlan& document, plan::MethodeEtapes& etapes);

    void PlanAffaireInitialisations() override;
    // Fills the plan tree once the method's outline exists.
    std::function<void()> arbreRemplir;
    void SplashAffiche(int pourcent) override;
    void PlanAffaireOuvrir(std::string_view document, bool demanderEnregistrement, std::int16_t page) override;
    void PlanAffaireModifieFixer(bool modifie) override;
    void PlanAffaireEditionValider() override;
    bool PlanAffaireModifie() override;
    int DialogueFichierEnregistrerDemande() override;
    void MethodeTextesVider(int page) override;
    void PageMethodeAutoConstruire(int page) override;
    void MousedownTexteMethode(std::int32_t x, std::int32_t y) override;
    void MousedownTexteGlossaire(std::int32_t x, std::int32_t y) override;
    int MouseMoveTexteMethode(std::int32_t x, std::int32_t y) override;
    int MouseMoveTexteGlossaire(std::int32_t x, std::int32_t y) override;
    void TexteMethodeDefiler(std::int32_t y) override;
    std::string MethodeMenuPageNom() override;
    std::vector<int> EtapeTableauxPages() override;
    void GlossaireAfficheDefinition() override;
    void MethodeChanger(std::string_view argument) override;

    // The writing box: its panel built with the page.
    std::function<void(int page)> pageConstruire;
    // The method-text boxes emptied before a page change.
    std::function<void()> textesVider;
    // The program's folder, where the bullet file lies.
    std::function<std::string()> dossierProgramme;
    // The scene's page of that name, 0 when none.
    std::function<int(std::string_view nom)> numeroDePage;
    // The mouse over the method texts and the glossary's bubble.
    SourisTextesMethodeProgramme* sourisMethode = nullptr;
    // The method-text box scrolled to that position (pixels).
    std::function<void(std::int32_t y)> texteMethodeDefiler;

private:
    plan::EtatPlan& etat_;
    plan::DocumentPlan& document_;
    plan::MethodeEtapes& etapes_;
};

}  // namespace korv::programme
