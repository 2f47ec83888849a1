// Value functions on the evaluator's stack: results, types, guards, errors
// and the dispatch table.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fakes.h"
#include "formula/fonctions_valeur.h"
#include "formula/nombres.h"
#include "formula/valeur.h"

namespace korv::formula {
namespace {

using test::Environnement;

Valeur D(double v) { return Valeur::Double(v); }
Valeur Txt(const char* s) { return Valeur::Chaine(s); }
Valeur Jour(int a, int m, int j) { return Valeur::Date(DateSerie(a, m, j)); }
Valeur JourNo(int a, int m, int j) { return Valeur::Long(static_cast<std::int32_t>(DateSerie(a, m, j))); }

// Closed-form annuity values, independent of the code under test.
double Paiement(double r, double n, double pv) {
    const double q = std::pow(1.0 + r, n);
    return -pv * r * q / (q - 1.0);
}
double Capital(double r, double p, double n, double pv) {
    return (Paiement(r, n, pv) + pv * r) * std::pow(1.0 + r, p - 1.0);
}

// One call on a stack that holds a marker below the arguments: the marker
// must survive and the result must sit just above it.
struct Resultat {
    bool traite;
    int n;
    std::vector<Valeur> pile;
};
Resultat Appelle(Environnement& env, int code, const std::vector<Valeur>& args) {
    std::vector<Valeur> pile{Txt("'dessous'")};
    pile.insert(pile.end(), args.begin(), args.end());
    int n = static_cast<int>(pile.size());
    const bool traite = EvalueFonctionValeur(code, pile, n, env.services);
    pile.resize(static_cast<std::size_t>(n));
    return {traite, n, pile};
}

struct Cas {
    const char* nom;
    int code;
    std::vector<Valeur> args;
    Valeur attendu;
    bool memeType = true;  // false: compare as numbers only
};

TEST(FonctionsValeur, ResultsAndTypes) {
    const double pmt = Paiement(0.01, 12, 1000);
    const double ppmt3 = Capital(0.01, 3, 12, 1000);
    const std::vector<Cas> cas = {
        {"ENT(-2.5)", 1, {D(-2.5)}, D(-3)},
        {"ENT(2.5)", 1, {D(2.5)}, D(2)},
        {"ENT(Null)", 1, {Valeur::Nul()}, Valeur::Nul()},
        {"COS(0)", 2, {D(0)}, D(1)},
        {"SIN(0)", 3, {D(0)}, D(0)},
        {"COS of a numeric text", 2, {Txt("0")}, D(1)},
        {"NON(-1)", 4, {Valeur::Entier(-1)}, D(0), false},
        {"NON(0)", 4, {Valeur::Entier(0)}, D(-1), false},
        {"NON(Null)", 4, {Valeur::Nul()}, Valeur::Nul()},
        {"LONGUEUR('abc')", 5, {Txt("'abc'")}, Valeur::Long(3)},
        {"LONGUEUR('')", 5, {Txt("''")}, Valeur::Long(0)},
        {"LONGUEUR(12345)", 5, {D(12345)}, Valeur::Long(3)},
        {"LONGUEUR(Null)", 5, {Valeur::Nul()}, Valeur::Nul()},
        {"MOIS", 11, {Jour(2024, 3, 15)}, Valeur::Entier(3)},
        {"MOIS of a day number", 11, {D(DateSerie(2024, 12, 1))}, Valeur::Entier(12)},
        {"ESTNUL(Null)", 12, {Valeur::Nul()}, Valeur::Entier(-1)},
        {"ESTNUL(0)", 12, {D(0)}, Valeur::Entier(0)},
        {"ESTNUL(Empty)", 12, {Valeur()}, Valeur::Entier(0)},
        {"DATEADDMOIS 31 Jan + 1, leap year", 13, {Jour(2024, 1, 31), D(1)}, JourNo(2024, 2, 29)},
        {"DATEADDMOIS 31 Jan + 1", 13, {Jour(2023, 1, 31), D(1)}, JourNo(2023, 2, 28)},
        {"DATEADDMOIS back a year", 13, {Jour(2024, 3, 15), D(-12)}, JourNo(2023, 3, 15)},
        {"DATEADDMOIS keeps the day of a dated time", 13,
         {Valeur::Date(DateSerie(2024, 1, 10) + 0.75), D(1)}, JourNo(2024, 2, 10)},
        {"NPER", 14, {D(0.01), D(pmt), D(1000)}, D(12)},
        {"IPMT", 15, {D(0.01), D(3), D(12), D(1000)}, D(pmt - ppmt3)},
        {"IPMT period 0", 15, {D(0.01), D(0), D(12), D(1000)}, Valeur::Entier(0)},
        {"PMT", 16, {D(0.01), D(12), D(1000)}, D(pmt)},
        {"PPMT", 17, {D(0.01), D(3), D(12), D(1000)}, D(ppmt3)},
        {"PPMT period 0", 17, {D(0.01), D(0), D(12), D(1000)}, Valeur::Entier(0)},
        {"RATE", 18, {D(12), D(pmt), D(1000)}, D(0.01)},
        {"POS(-0.5)", 19, {D(-0.5)}, Valeur::Entier(0)},
        {"POS(3.2)", 19, {D(3.2)}, D(3.2)},
        {"POS(0)", 19, {Valeur::Long(0)}, Valeur::Long(0)},
        {"POS of a negative numeric text", 19, {Txt("-4")}, Valeur::Entier(0)},
        {"POS of a text", 19, {Txt("'abc'")}, Txt("'abc'")},
        {"POS(Null)", 19, {Valeur::Nul()}, Valeur::Nul()},
        {"DATEDIFMOIS 31 Jan to 1 Feb", 20, {Jour(2024, 1, 31), Jour(2024, 2, 1)}, Valeur::Long(1)},
        {"DATEDIFMOIS backwards", 20, {Jour(2024, 3, 1), Jour(2023, 12, 31)}, Valeur::Long(-3)},
        {"DATEPREMIERDUMOIS", 36, {Valeur::Date(DateSerie(2024, 3, 15) + 0.5)}, JourNo(2024, 3, 1)},
        {"DATEVERSCHAINE", 38, {Jour(2024, 3, 15)}, Txt("mars 2024")},
        {"DATEVERSCHAINE abbreviated", 38, {Jour(2025, 1, 2)}, Txt("janv. 2025")},
        {"STATVERSCHAINE", 64, {D(2)}, Txt("statut 2")},
        {"DATEMOIS January", 89, {Jour(2024, 1, 31)}, D(0.25)},
        {"DATEMOIS February", 89, {Jour(2024, 2, 10)}, D(1.0 / 12.0)},
        {"DATEMOIS March", 89, {Jour(2024, 3, 10)}, D(1.0 / 6.0)},
        {"DATEMOIS November", 89, {Jour(2024, 11, 10)}, D(1.0 / 12.0)},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Environnement env;
        const Resultat r = Appelle(env, c.code, c.args);
        ASSERT_TRUE(r.traite);
        ASSERT_EQ(r.n, 2);
        EXPECT_EQ(r.pile[0], Txt("'dessous'"));
        const Valeur& v = r.pile[1];
        if (c.memeType) {
            EXPECT_EQ(v.type(), c.attendu.type());
        }
        if (c.attendu.estNombre() && v.estNombre()) {
            EXPECT_NEAR(v.EnDouble(), c.attendu.EnDouble(), 1e-9 * std::max(1.0, std::fabs(c.attendu.EnDouble())));
        } else {
            EXPECT_EQ(v, c.attendu);
        }
    }
}

TEST(FonctionsValeur, QuestionShowsTwoLinesAndReturnsTheButton) {
    Environnement env;
    env.systeme.reponseQuestion = 7;
    const Resultat r = Appelle(env, 32, {Txt("'Continuer\xB5Oui ?'"), D(4), Txt("'Titre'")});
    ASSERT_TRUE(r.traite);
    ASSERT_EQ(r.n, 2);
    EXPECT_EQ(r.pile[1], Valeur::Long(7));
    ASSERT_EQ(env.systeme.questions.size(), 1u);
    EXPECT_EQ(env.systeme.questions[0].message, "Continuer\r\nOui ?");
    EXPECT_EQ(env.systeme.questions[0].boutons, 4);
    EXPECT_EQ(env.systeme.questions[0].titre, "Titre");
}

TEST(FonctionsValeur, GuardTakesValuesPushedBeforeAndSkipsWhenShort) {
    Environnement env;
    // 1 + NPER(2;3): NPER reads the three values on the stack.
    std::vector<Valeur> pile{D(0.01), D(Paiement(0.01, 12, 1000)), D(1000)};
    int n = 3;
    ASSERT_TRUE(EvalueFonctionValeur(14, pile, n, env.services));
    EXPECT_EQ(n, 1);
    EXPECT_NEAR(pile[0].EnDouble(), 12.0, 1e-9);

    // Too few values: handled, nothing changes.
    const struct {
        int code;
        int valeurs;
    } courts[] = {{14, 2}, {15, 3}, {17, 3}, {13, 1}, {32, 2}, {21, 7}, {1, 0}};
    for (const auto& c : courts) {
        SCOPED_TRACE(c.code);
        std::vector<Valeur> p(static_cast<std::size_t>(c.valeurs), D(1));
        const auto avant = p;
        int k = c.valeurs;
        EXPECT_TRUE(EvalueFonctionValeur(c.code, p, k, env.services));
        EXPECT_EQ(k, c.valeurs);
        EXPECT_EQ(p, avant);
    }
    EXPECT_TRUE(env.systeme.questions.empty());
}

TEST(FonctionsValeur, FailuresAreRunTimeErrors) {
    const struct {
        const char* nom;
        int code;
        std::vector<Valeur> args;
    } cas[] = {
        {"COS of a word", 2, {Txt("'abc'")}},
        {"MOIS of Null", 11, {Valeur::Nul()}},
        {"DATEADDMOIS past year 9999", 13, {Jour(9999, 12, 1), D(1)}},
        {"NPER never repaid", 14, {D(0), D(0), D(1000)}},
        {"PMT without periods", 16, {D(0.01), D(0), D(1000)}},
        {"PMT with negative periods", 16, {D(0.01), D(-12), D(1000)}},
        {"IPMT period after the last", 15, {D(0.01), D(13), D(12), D(1000)}},
        {"RATE without solution", 18, {D(12), D(100), D(1000)}},
        {"QUESTION buttons not a number", 32, {Txt("'m'"), Txt("'x'"), Txt("'t'")}},
        {"EMPECHEANCE without instalments per year", 21,
         {D(0.01), Jour(2024, 1, 15), Jour(2024, 3, 15), D(12), D(0), D(12000), Jour(2024, 1, 1), Jour(2024, 12, 31)}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Environnement env;
        EXPECT_THROW(Appelle(env, c.code, c.args), ErreurExecution);
    }
    // DATEVERSCHAINE has no guard: on an empty stack it fails.
    Environnement env;
    std::vector<Valeur> vide;
    int n = 0;
    EXPECT_THROW(EvalueFonctionValeur(38, vide, n, env.services), ErreurExecution);
}

TEST(FonctionsValeur, LoanCodesGoToTheLoanFunctions) {
    Environnement env;
    const std::vector<Valeur> args{D(0.01),    Jour(2024, 1, 15), Jour(2024, 3, 15), D(12),
                                   D(12),      D(12000),          Jour(2024, 3, 1),  Jour(2024, 3, 31)};
    const double pmt = -Paiement(0.01, 12, 12000);
    const std::map<int, double> attendus{{21, pmt}, {22, 120.0}, {23, pmt - 120.0}};
    for (const auto& [code, attendu] : attendus) {
        SCOPED_TRACE(code);
        const Resultat r = Appelle(env, code, args);
        ASSERT_TRUE(r.traite);
        ASSERT_EQ(r.n, 2);
        EXPECT_EQ(r.pile[1].type(), TypeValeur::Double);
        EXPECT_NEAR(r.pile[1].EnDouble(), attendu, 1e-9);
    }
}

TEST(FonctionsValeur, OtherCodesAreLeftToTheirHandlers) {
    Environnement env;
    for (int code : {0, 6, 7, 8, 9, 10, 24, 25, 49, 90, 91, -1}) {
        SCOPED_TRACE(code);
        std::vector<Valeur> pile{D(1), D(2), D(3), D(4), D(5), D(6), D(7), D(8)};
        const auto avant = pile;
        int n = 8;
        EXPECT_FALSE(EvalueFonctionValeur(code, pile, n, env.services));
        EXPECT_EQ(n, 8);
        EXPECT_EQ(pile, avant);
    }
}

TEST(FonctionsValeur, DispatchTableCoversTheNinetyCodes) {
    std::map<TraitementFonction, int> comptes;
    for (int code = 1; code <= 90; ++code) ++comptes[TraitementDeFonction(code)];
    EXPECT_EQ(comptes[TraitementFonction::Evaluateur], 5);
    EXPECT_EQ(comptes[TraitementFonction::Valeur], 20);
    EXPECT_EQ(comptes[TraitementFonction::Emprunt], 3);
    EXPECT_EQ(comptes[TraitementFonction::ActionInline], 22);
    EXPECT_EQ(comptes[TraitementFonction::MembreEvalue], 40);
    EXPECT_EQ(comptes[TraitementFonction::Inconnu], 0);

    const std::map<int, TraitementFonction> exemples{
        {0, TraitementFonction::Inconnu},         {91, TraitementFonction::Inconnu},
        {6, TraitementFonction::Evaluateur},      {10, TraitementFonction::Evaluateur},
        {32, TraitementFonction::Valeur},         {89, TraitementFonction::Valeur},
        {22, TraitementFonction::Emprunt},        {24, TraitementFonction::ActionInline},
        {88, TraitementFonction::ActionInline},   {25, TraitementFonction::MembreEvalue},
        {90, TraitementFonction::MembreEvalue},   {65, TraitementFonction::MembreEvalue},
    };
    for (const auto& [code, t] : exemples) EXPECT_EQ(TraitementDeFonction(code), t) << code;
}

}  // namespace
}  // namespace korv::formula
