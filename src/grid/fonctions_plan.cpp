#include "grid/fonctions_plan.h"

#include "grid/magasin_grilles.h"
#include "grid/tableau.h"

namespace korv::grid {

namespace {

namespace f = fonction_plan;
using formula::PileValeurs;
using formula::Valeur;

}  // namespace

bool FonctionsPlan::EvalueFonctionAction(int code, PileValeurs& pile, int& n) {
    switch (code) {
    case f::PageSauve: PageSauveOuCharge(pile, n, true); return true;
    case f::PageCharge: PageSauveOuCharge(pile, n, false); return true;
    case f::RecalculObjet: RecalculObjet(pile, n); return true;
    case f::RecalculPage: RecalculPage(pile, n); return true;
    case f::MemoriserPliage: Pliage(pile, n, true); return true;
    case f::RememorerPliage: Pliage(pile, n, false); return true;
    default: return suivant_ != nullptr && suivant_->EvalueFonctionAction(code, pile, n);
    }
}

// (page): in play, the part of the plan that an existing page holds.
void FonctionsPlan::PageSauveOuCharge(PileValeurs& pile, int n, bool sauve) {
    constexpr int k = 1;
    if (n < k) return;
    const std::int16_t page = acces_.scene.NumeroDePage(NomArgument(Argument(pile, n, 1, k)));
    if (page >= 1 && acces_.EnJeu()) {
        if (sauve) {
            document_.PlanAffaireEnregistrer("", true, page, true);
        } else {
            document_.PlanAffaireOuvrir("", false, page);
        }
    }
    Resultat(pile, n, k, Valeur::Entier(0));
}

// (page; object): the grid invalidated, then recomputed.
void FonctionsPlan::RecalculObjet(PileValeurs& pile, int& n) {
    constexpr int k = 2;
    if (n < k) return;
    if (TableauClasse* g = GrilleNommee(acces_, pile, n, k)) g->RecalculAvecInit();
    Resultat(pile, n, k, Valeur::Entier(0));
}

// (page): every grid of the page recomputed, in object order.
void FonctionsPlan::RecalculPage(PileValeurs& pile, int n) {
    constexpr int k = 1;
    if (n < k) return;
    const std::int16_t page = acces_.scene.NumeroDePage(NomArgument(Argument(pile, n, 1, k)));
    if (page >= 1) acces_.grilles.RecalculerPage(page);
    Resultat(pile, n, k, Valeur::Entier(0));
}

// (page; object; first cell; second cell; column): the rows from the first
// named cell's to the second's, their fold flags kept in that column.
void FonctionsPlan::Pliage(PileValeurs& pile, int& n, bool memoriser) {
    constexpr int k = 5;
    if (n < k) return;
    if (TableauClasse* g = GrilleNommee(acces_, pile, n, k)) {
        const int premiere = LigneNommee(*g, Argument(pile, n, 3, k));
        const int derniere = LigneNommee(*g, Argument(pile, n, 4, k));
        const std::uint8_t colonne = Argument(pile, n, 5, k).EnOctet();
        if (memoriser) {
            g->PliageLignesMemoriser(premiere, derniere, colonne);
        } else {
            g->PliageLignesRememorer(premiere, derniere, colonne);
        }
    }
    Resultat(pile, n, k, Valeur::Entier(0));
}

}  // namespace korv::grid
