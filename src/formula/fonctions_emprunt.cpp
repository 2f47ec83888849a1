#include "formula/fonctions_emprunt.h"

#include <cmath>
#include <cstddef>

#include "formula/fonctions_emprunt_annuite.h"
#include "formula/nombres.h"
#include "formula/valeur.h"

namespace korv::formula {
namespace {

double Requis(std::optional<double> v) {
    if (!v) LeveErreur(erreur::kAppelInvalide);
    return *v;
}

double VerifieDate(double serie) {
    if (!std::isfinite(serie) || !DateDansLimites(serie)) LeveErreur(erreur::kDepassement);
    return serie;
}

// The instalment number to price: past the last one (a fractional count of
// instalments), the last one.
double Periode(double p2, double nombreEcheances) {
    return (p2 + 1.0 > nombreEcheances) ? nombreEcheances : p2 + 1.0;
}

}  // namespace

std::optional<double> EmpruntSurFenetre(FonctionEmprunt fonction, const Emprunt& e, double debut, double fin) {
    VerifieDate(e.dateEmprunt);
    VerifieDate(e.datePremiereEcheance);
    VerifieDate(debut);
    VerifieDate(fin);
    if (fin < e.dateEmprunt) return std::nullopt;

    if (!std::isfinite(e.echeancesParAn)) LeveErreur(erreur::kDepassement);
    if (e.echeancesParAn == 0.0) LeveErreur(erreur::kDivisionParZero);
    const double m = 12.0 / e.echeancesParAn;  // months per period
    if (!std::isfinite(m) || !std::isfinite(e.nombreEcheances)) LeveErreur(erreur::kDepassement);
    const double derniereCouverte =
        DateAjouteMois(DateAjouteMois(e.datePremiereEcheance, -1.0), e.nombreEcheances * m);
    if (debut > derniereCouverte) return std::nullopt;
    // A window that meets a loan without instalments has nothing sound to
    // give; an unused loan row (all zeros) is already outside every window.
    if (!(e.nombreEcheances > 0.0)) LeveErreur(erreur::kAppelInvalide);

    // Bounds of the interim-interest months: ending at least one month after
    // the loan date and no later than m - 1 months before the first instalment.
    const double debutInterets = DateAjouteMois(e.dateEmprunt, 1.0);
    const double finInterets = DateAjouteMois(e.datePremiereEcheance, -(m - 1.0));

    double total = 0.0;
    for (double premier = MoisPremierJour(debut); fin >= premier;) {
        const double dernier = MoisDernierJour(premier);
        const double suivant = dernier + 1.0;
        const double k = static_cast<double>(DateDiffMois(e.datePremiereEcheance, suivant)) - 1.0;
        const double p2 = std::floor(k / m);
        const double p1 = std::floor((k - 1.0) / m);

        if (p2 < e.nombreEcheances) {
            const bool echeanceDuMois = p2 > p1 && p2 >= 0.0;
            const bool remboursementCommence = e.datePremiereEcheance <= dernier;
            double capital = 0.0;
            double interet = 0.0;
            if (echeanceDuMois && remboursementCommence) {
                const double periode = Periode(p2, e.nombreEcheances);
                capital = std::fabs(Requis(PPmt(e.taux, periode, e.nombreEcheances, e.montant)));
                interet = std::fabs(Requis(IPmt(e.taux, periode, e.nombreEcheances, e.montant)));
            } else if (!remboursementCommence && dernier >= debutInterets && dernier <= finInterets) {
                interet = std::fabs(Requis(IPmt(e.taux, 1.0, e.nombreEcheances, e.montant))) / m;
            }
            switch (fonction) {
            case FonctionEmprunt::Interet: total += interet; break;
            case FonctionEmprunt::Capital: total += capital; break;
            case FonctionEmprunt::Echeance: total += capital + interet; break;
            }
        }
        if (!std::isfinite(total)) LeveErreur(erreur::kDepassement);
        if (suivant > kDateMax) break;
        premier = suivant;
    }
    return total;
}

void EvalueFonctionEmprunt(FonctionEmprunt fonction, std::vector<Valeur>& pile, int& n) {
    constexpr int kArguments = 8;
    if (n < kArguments || static_cast<std::size_t>(n) > pile.size()) return;
    const auto base = static_cast<std::size_t>(n - kArguments);
    const auto arg = [&](std::size_t i) -> const Valeur& { return pile[base + i]; };

    Emprunt e;
    e.taux = arg(0).EnDouble();
    e.dateEmprunt = arg(1).EnDate();
    e.datePremiereEcheance = arg(2).EnDate();
    e.nombreEcheances = arg(3).EnDouble();
    e.echeancesParAn = arg(4).EnDouble();
    e.montant = arg(5).EnDouble();
    const double debut = arg(6).EnDate();
    const double fin = arg(7).EnDate();

    const auto montant = EmpruntSurFenetre(fonction, e, debut, fin);
    pile[base] = montant ? Valeur::Double(*montant) : Valeur::Entier(0);
    n -= kArguments - 1;
}

}  // namespace korv::formula
