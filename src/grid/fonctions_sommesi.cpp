// SOMMESI: the sum of a zone's cells over the rows (or columns) whose
// criterion cell passes an interval test; TRI: the grid's own sort of a
// block of rows.

#include <algorithm>
#include <array>
#include <cstdint>

#include "formula/valeur.h"
#include "grid/fonctions_calcul.h"
#include "grid/tableau.h"

namespace korv::grid {

using formula::Valeur;

namespace {

// The interval test of a criterion value x against A and B. K > 0 tests a
// criterion column (a row each), K < 0 a criterion row (a column each);
// modes 3 and 4 test only criterion rows.
bool Passe(const Valeur& x, const Valeur& a, const Valeur& b, int mode, std::int32_t k) {
    if (x.estNul() || x.estErreur()) return false;
    switch (mode) {
    case 0: return calcul::SuperieurOuEgal(x, a) && calcul::InferieurOuEgal(x, b);
    case 1: return calcul::Inferieur(x, a) || calcul::Superieur(x, b);
    case 3: return k < 0 && calcul::Superieur(x, a);
    case 4: return k < 0 && calcul::InferieurOuEgal(x, a);
    default: return false;
    }
}

}  // namespace

// SOMMESI(page; object; c1; r1; c2; r2; K; A; B; mode). The total is kept
// as a 32-bit integer: each cell is added, then the sum rounded (halves
// to even), so 1.5 + 1.5 gives 4.
void FonctionsCalcul::SommeSi(formula::PileValeurs& pile, int& n) {
    constexpr int kArgs = 10;
    if (n < kArgs) return;
    std::int32_t total = 0;
    if (TableauClasse* grille = GrilleNommee(acces_, pile, n, kArgs)) {
        const int c1 = Argument(pile, n, 3, kArgs).EnOctet();
        const int r1 = Argument(pile, n, 4, kArgs).EnOctet();
        const int c2 = Argument(pile, n, 5, kArgs).EnOctet();
        const int r2 = Argument(pile, n, 6, kArgs).EnOctet();
        const std::int32_t k = Argument(pile, n, 7, kArgs).EnLong();
        const Valeur a = Argument(pile, n, 8, kArgs);
        const Valeur b = Argument(pile, n, 9, kArgs);
        const int mode = Argument(pile, n, 10, kArgs).EnOctet();
        // |K| of a criterion row; beyond 255 it names no cell.
        const int ligneCritere =
            k < 0 ? static_cast<int>(std::min<std::int64_t>(-static_cast<std::int64_t>(k), 256)) : 0;
        for (int r = r1; r <= r2; ++r) {
            const bool lignePasse = k > 0 && Passe(calcul::Lit(*grille, k, r), a, b, mode, k);
            if (!lignePasse && k >= 0) continue;
            for (int c = c1; c <= c2; ++c) {
                const bool colonnePasse = k < 0 && Passe(calcul::Lit(*grille, c, ligneCritere), a, b, mode, k);
                // Read even when it is not added: reading computes a formula
                // cell the pass has not reached yet.
                Valeur v = calcul::Lit(*grille, c, r);
                if (!lignePasse && !colonnePasse) continue;
                if (v.estNul() || v.estErreur()) v = Valeur::Double(0);
                total = Valeur::Double(static_cast<double>(total) + v.EnDouble()).EnLong();
            }
        }
    }
    Resultat(pile, n, kArgs, Valeur::Long(total));
}

// TRI(page; object; c1; r1; c2; r2; key column; order; name flag).
void FonctionsCalcul::Tri(formula::PileValeurs& pile, int& n) {
    constexpr int kArgs = 9;
    if (n < kArgs) return;
    if (TableauClasse* grille = GrilleNommee(acces_, pile, n, kArgs)) {
        acces_.scene.TableauxParcouruRecalculReinit();
        std::array<int, 6> s{};
        for (int i = 0; i < 6; ++i) s[static_cast<std::size_t>(i)] = Argument(pile, n, 3 + i, kArgs).EnOctet();
        const bool nom = Argument(pile, n, 9, kArgs).EnBooleen();
        grille->ColonneTrier(s[0], s[1], s[2], s[3], s[4], s[5], nom);
    }
    Resultat(pile, n, kArgs, Valeur::Entier(0));
}

}  // namespace korv::grid
