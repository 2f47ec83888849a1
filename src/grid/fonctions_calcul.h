#pragma once
// The formula functions that compute over a grid of any page for the
// business-plan scenes: the depreciation charge of a year (AMORT), the
// clearing of a loan schedule's past instalments
// (EFFACERECHEANCESANTERIEURES), the closing-date treatments of monthly
// grids (CLOTUREDATESAISIE, CLOTUREDATECOULEUR), the conditional sum
// (SOMMESI) and the sort of a block of rows (TRI). Cells are read as the
// recalculation sees them, so these may run inside a recalculation.

#include <cstdint>

#include "formula/services.h"
#include "grid/fonctions_grille.h"

namespace korv::formula {
class Valeur;
}

namespace korv::grid {

// Function codes.
namespace fonction_calcul {
inline constexpr int Amort = 25;
inline constexpr int ClotureDateSaisie = 26;
inline constexpr int SommeSi = 29;
inline constexpr int Tri = 30;
inline constexpr int EffacerEcheancesAnterieures = 33;
inline constexpr int ClotureDateCouleur = 35;
}  // namespace fonction_calcul

// Text colour of the closed months: RGB(0, 0, 200).
inline constexpr std::int32_t kCouleurMoisClos = 200 * 65536;

class FonctionsCalcul final : public formula::ServicesFonctionsAction {
public:
    explicit FonctionsCalcul(const AccesGrilles& acces, formula::ServicesFonctionsAction* suivant = nullptr)
        : acces_(acces), suivant_(suivant) {}

    bool EvalueFonctionAction(int code, formula::PileValeurs& pile, int& n) override;
    void Suivant(formula::ServicesFonctionsAction* suivant) { suivant_ = suivant; }

private:
    // fonctions_amortissement.cpp
    void Amort(formula::PileValeurs& pile, int& n);
    void EffacerEcheancesAnterieures(formula::PileValeurs& pile, int& n);
    // fonctions_cloture.cpp
    void ClotureDateSaisie(formula::PileValeurs& pile, int& n);
    void ClotureDateCouleur(formula::PileValeurs& pile, int& n);
    // fonctions_sommesi.cpp
    void SommeSi(formula::PileValeurs& pile, int& n);
    void Tri(formula::PileValeurs& pile, int& n);

    AccesGrilles acces_;
    formula::ServicesFonctionsAction* suivant_;
};

// What these functions share (fonctions_calcul.cpp).
namespace calcul {

// The cell as the recalculation sees it; an error value for a cell outside
// 1..255 (coordinates from scripts may lie anywhere).
formula::Valeur Lit(TableauClasse& grille, int colonne, int ligne);

// Comparisons by the formula language's rule (operations.h), where an
// operand without a value (Null, an error, Empty or the empty text) makes
// the test false: an empty cell holds no date, and a cell outside the grid
// reads as an error.
bool InferieurOuEgal(const formula::Valeur& a, const formula::Valeur& b);
bool Inferieur(const formula::Valeur& a, const formula::Valeur& b);
bool SuperieurOuEgal(const formula::Valeur& a, const formula::Valeur& b);
bool Superieur(const formula::Valeur& a, const formula::Valeur& b);

// A column or row index a zone member can take: 0..255, clamped.
std::uint8_t Borne(int index);

}  // namespace calcul

}  // namespace korv::grid
