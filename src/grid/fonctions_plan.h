#pragma once
// The formula functions that save or load the part of the plan document a
// page holds (PAGESAUVE, PAGECHARGE), recompute one grid or the grids of a
// page (RECALCULOBJET, RECALCULPAGE), and keep the fold flags of a range of
// rows in a column of cells and back (MEMORISEPLIAGE, REMEMOREPLIAGE).
// Other codes go on to the next handler.

#include <cstdint>
#include <string_view>

#include "formula/services.h"
#include "grid/fonctions_grille.h"

namespace korv::grid {

// The plan document, one page's part of it saved or loaded.
class DocumentPlanPartie {
public:
    virtual ~DocumentPlanPartie() = default;
    // `PlanAffaireEnregistrer`: the part that `page` holds written to the
    // file `nom` ("" asks for it), through the file dialog when
    // `dialogueForce`, asking before replacing a file when `demandeEcrasement`.
    virtual void PlanAffaireEnregistrer(std::string_view nom, bool dialogueForce, std::int16_t page,
                                        bool demandeEcrasement) = 0;
    // `PlanAffaireOuvrir`: the part that `page` holds read from the file
    // `nom` ("" asks for it), asking first to save a modified plan when
    // `demandeSauver`.
    virtual void PlanAffaireOuvrir(std::string_view nom, bool demandeSauver, std::int16_t page) = 0;
};

// Function codes.
namespace fonction_plan {
inline constexpr int RecalculPage = 31;
inline constexpr int RecalculObjet = 37;
inline constexpr int MemoriserPliage = 42;
inline constexpr int RememorerPliage = 43;
inline constexpr int PageCharge = 68;
inline constexpr int PageSauve = 69;
}  // namespace fonction_plan

class FonctionsPlan final : public formula::ServicesFonctionsAction {
public:
    FonctionsPlan(const AccesGrilles& acces, DocumentPlanPartie& document,
                  formula::ServicesFonctionsAction* suivant = nullptr)
        : acces_(acces), document_(document), suivant_(suivant) {}

    bool EvalueFonctionAction(int code, formula::PileValeurs& pile, int& n) override;
    void Suivant(formula::ServicesFonctionsAction* suivant) { suivant_ = suivant; }

private:
    void PageSauveOuCharge(formula::PileValeurs& pile, int n, bool sauve);
    void RecalculObjet(formula::PileValeurs& pile, int& n);
    void RecalculPage(formula::PileValeurs& pile, int n);
    void Pliage(formula::PileValeurs& pile, int& n, bool memoriser);

    AccesGrilles acces_;
    DocumentPlanPartie& document_;
    formula::ServicesFonctionsAction* suivant_;
};

}  // namespace korv::grid
