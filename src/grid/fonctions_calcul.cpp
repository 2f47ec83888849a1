#include "grid/fonctions_calcul.h"

#include <algorithm>

#include "formula/operations.h"
#include "formula/valeur.h"
#include "grid/tableau.h"

namespace korv::grid {

namespace f = fonction_calcul;
using formula::CodeComparaison;
using formula::Valeur;

bool FonctionsCalcul::EvalueFonctionAction(int code, formula::PileValeurs& pile, int& n) {
    if (n < 0 || static_cast<std::size_t>(n) > pile.size()) formula::LeveErreur(formula::erreur::kAppelInvalide);
    switch (code) {
    case f::Amort: Amort(pile, n); return true;
    case f::EffacerEcheancesAnterieures: EffacerEcheancesAnterieures(pile, n); return true;
    case f::ClotureDateSaisie: ClotureDateSaisie(pile, n); return true;
    case f::ClotureDateCouleur: ClotureDateCouleur(pile, n); return true;
    case f::SommeSi: SommeSi(pile, n); return true;
    case f::Tri: Tri(pile, n); return true;
    default: return suivant_ != nullptr && suivant_->EvalueFonctionAction(code, pile, n);
    }
}

namespace calcul {

namespace {

bool SansValeur(const Valeur& v) {
    return v.estNul() || v.estErreur() || v.estVide() || (v.estChaine() && v.chaine().empty());
}

bool Vrai(CodeComparaison code, const Valeur& a, const Valeur& b) {
    if (SansValeur(a) || SansValeur(b)) return false;
    return formula::Comparaison(code, a, b).entier() != 0;
}

}  // namespace

Valeur Lit(TableauClasse& grille, int colonne, int ligne) {
    if (colonne < 1 || colonne > kMaxLignesColonnes || ligne < 1 || ligne > kMaxLignesColonnes) {
        return Valeur::Erreur(0);
    }
    return grille.CaseValeurInternePendantCalcul(static_cast<std::uint8_t>(colonne), static_cast<std::uint8_t>(ligne));
}

bool InferieurOuEgal(const Valeur& a, const Valeur& b) { return Vrai(CodeComparaison::InfEgal, a, b); }
bool Inferieur(const Valeur& a, const Valeur& b) { return Vrai(CodeComparaison::Inf, a, b); }
bool SuperieurOuEgal(const Valeur& a, const Valeur& b) { return Vrai(CodeComparaison::SupEgal, a, b); }
bool Superieur(const Valeur& a, const Valeur& b) { return Vrai(CodeComparaison::Sup, a, b); }

std::uint8_t Borne(int index) { return static_cast<std::uint8_t>(std::clamp(index, 0, kMaxLignesColonnes)); }

}  // namespace calcul

}  // namespace korv::grid
