// Loan maths: the annuity functions against the closed-form annuity
// formulas, and the reporting-window sums of the loan functions.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

#include "formula/fonctions_emprunt.h"
#include "formula/fonctions_emprunt_annuite.h"
#include "formula/nombres.h"
#include "formula/valeur.h"

namespace korv::formula {
namespace {

// Closed forms, written independently of the code under test:
// payment -pv*r*q^n/(q^n - 1); principal of period p (pmt + pv*r)*q^(p-1);
// interest = payment - principal.
double PaiementAttendu(double r, double n, double pv) {
    if (r == 0.0) return -pv / n;
    const double q = std::pow(1.0 + r, n);
    return -pv * r * q / (q - 1.0);
}
double CapitalAttendu(double r, double p, double n, double pv) {
    return (PaiementAttendu(r, n, pv) + pv * r) * std::pow(1.0 + r, p - 1.0);
}
double InteretAttendu(double r, double p, double n, double pv) {
    return PaiementAttendu(r, n, pv) - CapitalAttendu(r, p, n, pv);
}

void ExpectRelatif(std::optional<double> obtenu, double attendu, const char* quoi) {
    ASSERT_TRUE(obtenu.has_value()) << quoi;
    const double tolerance = 1e-9 * std::max(std::fabs(attendu), 1e-300);
    EXPECT_NEAR(*obtenu, attendu, std::max(tolerance, 1e-12)) << quoi;
}

struct Pret {
    double taux;
    double periodes;
    double montant;
};

TEST(Annuite, AgreesWithClosedFormsOverLoanTable) {
    const std::vector<Pret> prets = {
        {0.01, 12, 12000},          // the monthly loan of the window cases
        {0.05 / 12, 240, 200000},   // 20-year mortgage
        {0.0725 / 4, 40, 55000},    // quarterly
        {0.08, 10, 1000},           // yearly
        {0.15, 5, -2500},           // lender's side: positive payments
        {1e-4, 360, 100000},        // tiny rate, long loan
        {0.02, 7.5, 3000},          // fractional number of periods
        {0.35, 3, 10},              // steep rate, short loan
        {-0.005, 24, 1000},         // negative rate: repaid below the amount
        {0.004, 600, 350000},       // fifty years of monthly payments
    };
    for (const Pret& p : prets) {
        SCOPED_TRACE(testing::Message() << "r=" << p.taux << " n=" << p.periodes << " pv=" << p.montant);
        const double pmt = PaiementAttendu(p.taux, p.periodes, p.montant);
        ExpectRelatif(Pmt(p.taux, p.periodes, p.montant), pmt, "PMT");
        for (double periode : {1.0, 2.0, std::floor(p.periodes / 2.0), p.periodes}) {
            SCOPED_TRACE(testing::Message() << "period " << periode);
            ExpectRelatif(IPmt(p.taux, periode, p.periodes, p.montant),
                          InteretAttendu(p.taux, periode, p.periodes, p.montant), "IPMT");
            ExpectRelatif(PPmt(p.taux, periode, p.periodes, p.montant),
                          CapitalAttendu(p.taux, periode, p.periodes, p.montant), "PPMT");
        }
        ExpectRelatif(NPer(p.taux, pmt, p.montant), p.periodes, "NPER");
        ExpectRelatif(Rate(p.periodes, pmt, p.montant), p.taux, "RATE");
    }
}

TEST(Annuite, KnownSpreadsheetValuesAndZeroRate) {
    // PMT(1%;12;12000) and its first interest and principal parts.
    ExpectRelatif(Pmt(0.01, 12, 12000), -1066.1854641401003, "PMT");
    ExpectRelatif(IPmt(0.01, 1, 12, 12000), -120.0, "IPMT");
    ExpectRelatif(PPmt(0.01, 1, 12, 12000), -946.1854641401003, "PPMT");
    // Without interest the payment is pv / n and holds no interest.
    ExpectRelatif(Pmt(0.0, 24, 4800), -200.0, "PMT r=0");
    EXPECT_EQ(IPmt(0.0, 5, 24, 4800), 0.0);
    ExpectRelatif(PPmt(0.0, 5, 24, 4800), -200.0, "PPMT r=0");
    ExpectRelatif(NPer(0.0, -200, 4800), 24.0, "NPER r=0");
    const auto taux = Rate(24, -200, 4800);
    ASSERT_TRUE(taux.has_value());
    EXPECT_NEAR(*taux, 0.0, 1e-12);
}

TEST(Annuite, UncomputableCasesGiveNoValue) {
    EXPECT_FALSE(Pmt(0.01, 0, 1000));                // no periods
    EXPECT_FALSE(Pmt(0.01, -12, 1000));              // negative number of periods
    EXPECT_FALSE(Pmt(-1.0, 12, 1000));               // rate of -100 %
    EXPECT_FALSE(Pmt(std::nan(""), 12, 1000));
    EXPECT_FALSE(IPmt(0.01, 0.5, 12, 1000));         // period before the first
    EXPECT_FALSE(IPmt(0.01, 13, 12, 1000));          // period after the last
    EXPECT_FALSE(PPmt(0.01, 13, 12, 1000));
    EXPECT_FALSE(NPer(0.0, 0.0, 1000));              // never repaid
    EXPECT_FALSE(NPer(0.10, -50, 1000));             // payment below the interest
    EXPECT_FALSE(Rate(12, 100, 1000));               // payment and loan on the same side
    EXPECT_FALSE(Rate(12, 0, 0));
    EXPECT_FALSE(Rate(0, -100, 1000));
}

// --- reporting windows --------------------------------------------------------

double D(int a, int m, int j) { return DateSerie(a, m, j); }

// 12 000 at 1 % a month, funds on 15 January 2024, 12 monthly instalments
// from 15 March 2024.
Emprunt PretMensuel() { return {0.01, D(2024, 1, 15), D(2024, 3, 15), 12, 12, 12000}; }

// The same amount at 3 % a quarter, 8 quarterly instalments from 15 June.
Emprunt PretTrimestriel() { return {0.03, D(2024, 1, 15), D(2024, 6, 15), 8, 4, 12000}; }

// The quarterly loan with its first instalment on a month end, 31 May: two
// months before it is 31 March, so March still ends in time for interim
// interest.
Emprunt PretTrimestrielFinDeMois() { return {0.03, D(2024, 1, 15), D(2024, 5, 31), 8, 4, 12000}; }

struct CasFenetre {
    const char* nom;
    Emprunt pret;
    double debut;
    double fin;
    std::optional<double> echeance;  // nullopt: outside the loan
    std::optional<double> interet;
    std::optional<double> capital;
};

TEST(EmpruntFenetre, WorkedCases) {
    const double pmt = -PaiementAttendu(0.01, 12, 12000);
    const double capital1 = -CapitalAttendu(0.01, 1, 12, 12000);
    const double q = 1.01;
    // 2024: interim interest in February, instalments 1 to 10 from March.
    const double capital2024 = capital1 * (std::pow(q, 10) - 1.0) / 0.01;
    const double interets2024 = 120.0 + 10.0 * pmt - capital2024;
    // Quarterly loan: interest of quarter p.
    const auto iq = [](double p) { return -InteretAttendu(0.03, p, 8, 12000); };
    const auto cq = [](double p) { return -CapitalAttendu(0.03, p, 8, 12000); };

    const std::vector<CasFenetre> cas = {
        {"January: too early for interest, no instalment", PretMensuel(), D(2024, 1, 1), D(2024, 1, 31), 0, 0, 0},
        {"February: interim interest", PretMensuel(), D(2024, 2, 1), D(2024, 2, 29), 120, 120, 0},
        {"March: instalment 1", PretMensuel(), D(2024, 3, 1), D(2024, 3, 31), pmt, 120, capital1},
        {"window inside March counts the whole month", PretMensuel(), D(2024, 3, 20), D(2024, 3, 20), pmt, 120,
         capital1},
        {"year 2024", PretMensuel(), D(2024, 1, 1), D(2024, 12, 31), 120 + 10 * pmt, interets2024, capital2024},
        {"nothing added after instalment 12", PretMensuel(), D(2024, 1, 1), D(2026, 12, 31), 120 + 12 * pmt,
         120 + 12 * pmt - 12000, 12000},
        {"last instalment month", PretMensuel(), D(2025, 2, 1), D(2025, 2, 28), pmt,
         -InteretAttendu(0.01, 12, 12, 12000), -CapitalAttendu(0.01, 12, 12, 12000)},
        {"starts after the last covered date", PretMensuel(), D(2025, 2, 16), D(2025, 12, 31), std::nullopt,
         std::nullopt, std::nullopt},
        {"ends before the loan date", PretMensuel(), D(2023, 1, 1), D(2024, 1, 14), std::nullopt, std::nullopt,
         std::nullopt},
        {"quarterly: interim February and March", PretTrimestriel(), D(2024, 2, 1), D(2024, 3, 31), 2 * iq(1) / 3,
         2 * iq(1) / 3, 0},
        {"quarterly: April and May hold nothing", PretTrimestriel(), D(2024, 4, 1), D(2024, 5, 31), 0, 0, 0},
        {"quarterly: instalment 1 in June", PretTrimestriel(), D(2024, 6, 1), D(2024, 6, 30), iq(1) + cq(1),
         iq(1), cq(1)},
        {"quarterly: July and August hold nothing", PretTrimestriel(), D(2024, 7, 1), D(2024, 8, 31), 0, 0, 0},
        {"quarterly from a month end: March is the last interim month", PretTrimestrielFinDeMois(), D(2024, 3, 1),
         D(2024, 3, 31), iq(1) / 3, iq(1) / 3, 0},
        {"quarterly from a month end: interim February and March", PretTrimestrielFinDeMois(), D(2024, 1, 1),
         D(2024, 4, 30), 2 * iq(1) / 3, 2 * iq(1) / 3, 0},
        {"quarterly from a month end: instalment 1 in May", PretTrimestrielFinDeMois(), D(2024, 5, 1),
         D(2024, 5, 31), iq(1) + cq(1), iq(1), cq(1)},
        {"quarterly: year 2024", PretTrimestriel(), D(2024, 1, 1), D(2024, 12, 31),
         2 * iq(1) / 3 + iq(1) + cq(1) + iq(2) + cq(2) + iq(3) + cq(3), 2 * iq(1) / 3 + iq(1) + iq(2) + iq(3),
         cq(1) + cq(2) + cq(3)},
    };
    for (const CasFenetre& c : cas) {
        SCOPED_TRACE(c.nom);
        const struct {
            FonctionEmprunt f;
            std::optional<double> attendu;
        } fonctions[] = {{FonctionEmprunt::Echeance, c.echeance},
                         {FonctionEmprunt::Interet, c.interet},
                         {FonctionEmprunt::Capital, c.capital}};
        for (const auto& f : fonctions) {
            SCOPED_TRACE(static_cast<int>(f.f));
            const auto obtenu = EmpruntSurFenetre(f.f, c.pret, c.debut, c.fin);
            if (!f.attendu) {
                EXPECT_FALSE(obtenu.has_value());
            } else {
                ASSERT_TRUE(obtenu.has_value());
                EXPECT_NEAR(*obtenu, *f.attendu, 1e-9 * std::max(1.0, *f.attendu));
            }
        }
    }
}

TEST(EmpruntFenetre, AmountsArePositiveWhateverTheSign) {
    Emprunt pret = PretMensuel();
    pret.montant = -12000;
    const auto v = EmpruntSurFenetre(FonctionEmprunt::Echeance, pret, D(2024, 3, 1), D(2024, 3, 31));
    ASSERT_TRUE(v.has_value());
    EXPECT_NEAR(*v, -PaiementAttendu(0.01, 12, 12000), 1e-9);
}

TEST(EmpruntFenetre, ErrorsAreRunTimeErrors) {
    Emprunt sansPeriodicite = PretMensuel();
    sansPeriodicite.echeancesParAn = 0;
    EXPECT_THROW(EmpruntSurFenetre(FonctionEmprunt::Echeance, sansPeriodicite, D(2024, 1, 1), D(2024, 12, 31)),
                 ErreurExecution);
    Emprunt sansEcheances = PretMensuel();
    sansEcheances.nombreEcheances = -3;
    EXPECT_THROW(EmpruntSurFenetre(FonctionEmprunt::Interet, sansEcheances, D(2023, 1, 1), D(2024, 12, 31)),
                 ErreurExecution);
    EXPECT_THROW(EmpruntSurFenetre(FonctionEmprunt::Interet, PretMensuel(), D(2024, 1, 1), 1e9), ErreurExecution);

    // A loan row left blank (dates 0, no instalments) is outside any later
    // window: no error, the integer 0.
    const Emprunt vide{0, 0, 0, 0, 12, 0};
    EXPECT_FALSE(EmpruntSurFenetre(FonctionEmprunt::Echeance, vide, D(2024, 1, 1), D(2024, 12, 31)).has_value());
}

// The formula form on the value stack.
std::vector<Valeur> PileEmprunt(const Emprunt& e, double debut, double fin) {
    return {Valeur::Double(e.taux),           Valeur::Date(e.dateEmprunt), Valeur::Date(e.datePremiereEcheance),
            Valeur::Double(e.nombreEcheances), Valeur::Double(e.echeancesParAn), Valeur::Double(e.montant),
            Valeur::Date(debut),              Valeur::Date(fin)};
}

TEST(EmpruntPile, ResultReplacesFirstArgumentAndTypesFollowTheWindow) {
    struct Cas {
        const char* nom;
        double debut, fin;
        Valeur attendu;
    };
    const double pmt = -PaiementAttendu(0.01, 12, 12000);
    const Cas cas[] = {
        {"inside", D(2024, 3, 1), D(2024, 3, 31), Valeur::Double(pmt)},
        {"inside, nothing due", D(2024, 1, 1), D(2024, 1, 31), Valeur::Double(0)},
        {"outside", D(2026, 1, 1), D(2026, 1, 31), Valeur::Entier(0)},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        std::vector<Valeur> pile{Valeur::Chaine("'dessous'")};
        for (Valeur& v : PileEmprunt(PretMensuel(), c.debut, c.fin)) pile.push_back(v);
        int n = static_cast<int>(pile.size());
        EvalueFonctionEmprunt(FonctionEmprunt::Echeance, pile, n);
        ASSERT_EQ(n, 2);
        EXPECT_EQ(pile[0], Valeur::Chaine("'dessous'"));
        EXPECT_EQ(pile[1].type(), c.attendu.type());
        EXPECT_NEAR(pile[1].EnDouble(), c.attendu.EnDouble(), 1e-9);
    }
}

TEST(EmpruntPile, GuardAndConversionFailures) {
    std::vector<Valeur> pile = PileEmprunt(PretMensuel(), D(2024, 1, 1), D(2024, 12, 31));
    pile.erase(pile.begin());
    int n = 7;
    const auto avant = pile;
    EvalueFonctionEmprunt(FonctionEmprunt::Interet, pile, n);  // guard: nothing happens
    EXPECT_EQ(n, 7);
    EXPECT_EQ(pile, avant);

    pile = PileEmprunt(PretMensuel(), D(2024, 1, 1), D(2024, 12, 31));
    pile[0] = Valeur::Nul();
    n = 8;
    EXPECT_THROW(EvalueFonctionEmprunt(FonctionEmprunt::Interet, pile, n), ErreurExecution);
    pile[0] = Valeur::Double(0.01);
    pile[4] = Valeur::Chaine("douze");
    EXPECT_THROW(EvalueFonctionEmprunt(FonctionEmprunt::Interet, pile, n), ErreurExecution);
}

}  // namespace
}  // namespace korv::formula
