// AMORT: the straight-line depreciation charge of one year from a row of
// investments; EFFACERECHEANCESANTERIEURES: the instalments of a loan
// schedule that are already due taken out of view.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "formula/valeur.h"
#include "grid/fonctions_calcul.h"
#include "grid/tableau.h"

namespace korv::grid {

using formula::Valeur;

namespace {

// What an investment row holds, as AMORT reads it: the twelve months of
// year 1, then the totals of years 1, 2 and 3; nothing for a cell without
// an amount.
struct LigneInvestissements {
    std::array<std::optional<double>, 12> mois;
    std::optional<double> annee1, annee2, annee3;
};

// An amount of the row: a value that is no error, Null or empty.
std::optional<double> Montant(const Valeur& v) {
    if (v.estErreur() || v.estNul() || v.estVide()) return std::nullopt;
    if (v.estChaine() && v.chaine().empty()) return std::nullopt;
    return v.EnDouble();
}

double Divise(double a, std::int32_t n) {
    if (n == 0) formula::LeveErreur(formula::erreur::kDivisionParZero);
    return a / n;
}

// The charge of year k (from 1) of investments depreciated over N years.
// Each month's amount is charged evenly over the 12 × N months from its own;
// without any monthly amount, the first-year total stands for them. The
// totals of years 2 and 3 are charged from the start of their year.
double ChargeAnnee(const LigneInvestissements& ligne, std::int32_t n, std::int32_t k) {
    const std::int64_t premier = 12 * (static_cast<std::int64_t>(k) - 1) + 1;
    const std::int64_t dernier = premier + 11;
    // A number of years of 0 counts every amount as 0.
    const auto lu = [n](const std::optional<double>& v) { return n != 0 && v ? *v : 0.0; };
    bool mensuel = false;
    std::array<double, 12> parMois{};
    for (std::size_t m = 0; m < 12; ++m) {
        if (n != 0 && ligne.mois[m]) {
            parMois[m] = *ligne.mois[m] / (12.0 * n);
            mensuel = true;
        }
    }
    double charge = 0;
    if (!mensuel) {
        if (k == 1 || (k == 2 && n >= 2) || (k == 3 && n >= 3)) charge = Divise(lu(ligne.annee1), n);
    } else {
        for (std::int64_t m = 1; m <= 12; ++m) {
            const std::int64_t fin = 12 * static_cast<std::int64_t>(n) + m - 1;
            if (fin < premier || m > dernier) continue;
            const std::int64_t mois = k == 1 ? 13 - m : std::min(fin, dernier) - premier + 1;
            charge += static_cast<double>(mois) * parMois[static_cast<std::size_t>(m - 1)];
        }
    }
    if (k == 2 || (k == 3 && n >= 2)) charge += Divise(lu(ligne.annee2), n);
    if (k == 3) charge += Divise(lu(ligne.annee3), n);
    return charge;
}

}  // namespace

// AMORT(page; object; c; r; N; k): months at columns c..c+11 of row r, the
// first-year total at c-1, the second and third at c+12 and c+13.
void FonctionsCalcul::Amort(formula::PileValeurs& pile, int& n) {
    constexpr int kArgs = 6;
    if (n < kArgs) return;
    TableauClasse* grille = GrilleNommee(acces_, pile, n, kArgs);
    if (grille == nullptr) return;
    const int c = Argument(pile, n, 3, kArgs).EnOctet();
    const int r = Argument(pile, n, 4, kArgs).EnOctet();
    const std::int32_t annees = Argument(pile, n, 5, kArgs).EnLong();
    const std::int32_t annee = Argument(pile, n, 6, kArgs).EnLong();

    LigneInvestissements ligne;
    for (int i = 0; i < 12; ++i) {
        const int colonne = c + i;
        // A month the calculation has invalidated holds no amount.
        const bool invalide = colonne <= kMaxLignesColonnes && r >= 1 &&
                              grille->CaseInvalidationCalculee(static_cast<std::uint8_t>(colonne),
                                                               static_cast<std::uint8_t>(r)) != 0;
        if (!invalide) ligne.mois[static_cast<std::size_t>(i)] = Montant(calcul::Lit(*grille, colonne, r));
    }
    ligne.annee1 = Montant(calcul::Lit(*grille, c - 1, r));
    ligne.annee2 = Montant(calcul::Lit(*grille, c + 12, r));
    ligne.annee3 = Montant(calcul::Lit(*grille, c + 13, r));
    Resultat(pile, n, kArgs, Valeur::Double(ChargeAnnee(ligne, annees, annee)));
}

// EFFACERECHEANCESANTERIEURES(page; object; A; B; C; V; X; Y): in the rows
// of cells A to B, the last whose column X holds a value of V's type not
// above V; its column-Y figure goes into cell C as an entry and the rows up
// to it are hidden.
void FonctionsCalcul::EffacerEcheancesAnterieures(formula::PileValeurs& pile, int& n) {
    constexpr int kArgs = 8;
    if (n < kArgs) return;
    if (TableauClasse* grille = GrilleNommee(acces_, pile, n, kArgs)) {
        const auto cellule = [&](int k) {
            return grille->CaseNomCoordonnees(NomArgument(Argument(pile, n, k, kArgs))).value_or(formula::CaseCoord{});
        };
        const int ligneA = cellule(3).ligne;
        const int ligneB = cellule(4).ligne;
        const formula::CaseCoord cible = cellule(5);
        const Valeur v = Argument(pile, n, 6, kArgs);
        const int x = Argument(pile, n, 7, kArgs).EnOctet();
        const int y = Argument(pile, n, 8, kArgs).EnOctet();
        if (x != 0 && y != 0 && ligneA != 0 && ligneB != 0 && cible.colonne != 0 && cible.ligne != 0) {
            int r = ligneB;
            for (; r >= ligneA; --r) {
                const Valeur echeance = calcul::Lit(*grille, x, r);
                if (echeance.type() == v.type() && calcul::InferieurOuEgal(echeance, v)) break;
            }
            if (r >= ligneA) {
                acces_.scene.TableauxParcouruRecalculReinit();
                const std::string texte = calcul::Lit(*grille, y, r).EnTexte();
                grille->CaseUtilisateurChange(cible.colonne, cible.ligne, texte, true);
                grille->LignesCacherConsultation(ligneA, ligneB, ligneA, r);
                grille->RecalculSansInit();
            }
        }
    }
    Resultat(pile, n, kArgs, Valeur::Double(0));
}

}  // namespace korv::grid
