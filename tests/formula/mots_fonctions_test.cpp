// The 90 function words, checked against a table written out by hand: each
// word's code, who handles it and, for the functions computed from their
// arguments alone, how many arguments they take and need.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes.h"
#include "formula/compilateur.h"
#include "formula/fonctions_valeur.h"
#include "formula/valeur.h"

namespace korv::formula {
namespace {

using T = TraitementFonction;

struct Mot {
    int code;
    const char* mot;
    TraitementFonction traitement;
    int arguments;  // functions computed from their arguments; 0 otherwise
};

// code, word, handler, argument count.
const Mot kMots[] = {
    {1, "ENT", T::Valeur, 1},
    {2, "COS", T::Valeur, 1},
    {3, "SIN", T::Valeur, 1},
    {4, "NON", T::Valeur, 1},
    {5, "LONGUEUR", T::Valeur, 1},
    {6, "\xA7", T::Evaluateur, 0},
    {7, "\xA4", T::Evaluateur, 0},
    {8, "ALORS", T::Evaluateur, 0},
    {9, "SINON", T::Evaluateur, 0},
    {10, "SI", T::Evaluateur, 0},
    {11, "MOIS", T::Valeur, 1},
    {12, "ESTNUL", T::Valeur, 1},
    {13, "DATEADDMOIS", T::Valeur, 2},
    {14, "NPER", T::Valeur, 3},
    {15, "IPMT", T::Valeur, 4},
    {16, "PMT", T::Valeur, 3},
    {17, "PPMT", T::Valeur, 4},
    {18, "RATE", T::Valeur, 3},
    {19, "POS", T::Valeur, 1},
    {20, "DATEDIFMOIS", T::Valeur, 2},
    {21, "EMPECHEANCE", T::Emprunt, 8},
    {22, "EMPINTERET", T::Emprunt, 8},
    {23, "EMPCAPITAL", T::Emprunt, 8},
    {24, "CASECHANGEVARIABLE", T::ActionInline, 0},
    {25, "AMORT", T::MembreEvalue, 0},
    {26, "CLOTUREDATESAISIE", T::MembreEvalue, 0},
    {27, "REVELERLIGNE", T::ActionInline, 0},
    {28, "CACHERLIGNE", T::ActionInline, 0},
    {29, "SOMMESI", T::MembreEvalue, 0},
    {30, "TRI", T::MembreEvalue, 0},
    {31, "RECALCULPAGE", T::MembreEvalue, 0},
    {32, "QUESTION", T::Valeur, 3},
    {33, "EFFACERECHEANCESANTERIEURES", T::MembreEvalue, 0},
    {34, "ZONECASECHANGEVARIABLE", T::ActionInline, 0},
    {35, "CLOTUREDATECOULEUR", T::MembreEvalue, 0},
    {36, "DATEPREMIERDUMOIS", T::Valeur, 1},
    {37, "RECALCULOBJET", T::MembreEvalue, 0},
    {38, "DATEVERSCHAINE", T::Valeur, 1},
    {39, "TEXTERECHERCHEPAGE", T::MembreEvalue, 0},
    {40, "COPIER", T::MembreEvalue, 0},
    {41, "COLLER", T::MembreEvalue, 0},
    {42, "MEMORISEPLIAGE", T::MembreEvalue, 0},
    {43, "REMEMOREPLIAGE", T::MembreEvalue, 0},
    {44, "IMPRIMEPREPAREDEBUT", T::ActionInline, 0},
    {45, "IMPRIMEPREPAREFIN", T::ActionInline, 0},
    {46, "IMPRIMEOBJET", T::MembreEvalue, 0},
    {47, "IMPRIMEENTETE", T::MembreEvalue, 0},
    {48, "IMPRIMEPIEDDEPAGE", T::MembreEvalue, 0},
    {49, "IMPRIMESAUTEPAGE", T::ActionInline, 0},
    {50, "IMPRIMEMARGES", T::ActionInline, 0},
    {51, "EXPORTEDEBUT", T::ActionInline, 0},
    {52, "EXPORTEOBJET", T::MembreEvalue, 0},
    {53, "EXPORTEFIN", T::ActionInline, 0},
    {54, "IMPRIMEOPTION", T::ActionInline, 0},
    {55, "ZONEESTELLESAISIE", T::MembreEvalue, 0},
    {56, "ZONEIMPRIMABLE", T::MembreEvalue, 0},
    {57, "ZONENONIMPRIMABLE", T::MembreEvalue, 0},
    {58, "ZONEBORD", T::MembreEvalue, 0},
    {59, "ZONEFOND", T::MembreEvalue, 0},
    {60, "ZONEFORMAT", T::MembreEvalue, 0},
    {61, "IMPRIMETITRE", T::MembreEvalue, 0},
    {62, "ZONEIMPRIMABLESISAISIE", T::MembreEvalue, 0},
    {63, "EXPORTEIMPRIMEPAGE", T::ActionInline, 0},
    {64, "STATVERSCHAINE", T::Valeur, 1},
    {65, "TEXTEESTILVIDE", T::MembreEvalue, 0},
    {66, "CHAPITREESTILVIDE", T::MembreEvalue, 0},
    {67, "AJOUTENUMEROPAGE", T::ActionInline, 0},
    {68, "PAGECHARGE", T::MembreEvalue, 0},
    {69, "PAGESAUVE", T::MembreEvalue, 0},
    {70, "ZONEESTELLEVIDE", T::MembreEvalue, 0},
    {71, "CONVTX", T::MembreEvalue, 0},
    {72, "CONVCHANGE", T::MembreEvalue, 0},
    {73, "SAISIEOUCALCULFIXE", T::MembreEvalue, 0},
    {74, "CONVUSERTAUX", T::MembreEvalue, 0},
    {75, "CONVINIT", T::MembreEvalue, 0},
    {76, "CONVNOM", T::MembreEvalue, 0},
    {77, "CONVFIN", T::MembreEvalue, 0},
    {78, "CONVUSERNOM", T::MembreEvalue, 0},
    {79, "CADREZONEMETTRE", T::ActionInline, 0},
    {80, "CADREZONEENLEVER", T::ActionInline, 0},
    {81, "MAJSOMMAIRE", T::ActionInline, 0},
    {82, "CHANGEVUPASVU", T::ActionInline, 0},
    {83, "ZONECHANGEFOND", T::ActionInline, 0},
    {84, "IMPRIMECOLONNELARGEURMINIMALE", T::MembreEvalue, 0},
    {85, "ZONEFUSIONMETTRE", T::ActionInline, 0},
    {86, "ZONEFUSIONENLEVER", T::ActionInline, 0},
    {87, "ZONEFUSIONCHANGER", T::ActionInline, 0},
    {88, "CADREZONECHANGER", T::ActionInline, 0},
    {89, "DATEMOIS", T::Valeur, 1},
    {90, "ZONEGRISEAUTO", T::MembreEvalue, 0},
};

TEST(MotsFonctions, EachWordHasItsCodeAndHandler) {
    ASSERT_EQ(std::size(kMots), static_cast<std::size_t>(kNombreFonctions));
    for (const Mot& m : kMots) {
        SCOPED_TRACE(m.mot);
        EXPECT_EQ(ProgFoncNum(m.mot), m.code);
        EXPECT_EQ(MotFonction(m.code), m.mot);
        EXPECT_EQ(TraitementDeFonction(m.code), m.traitement);
    }
}

// Arguments each value function computes with; a filler sits below them.
std::vector<Valeur> ArgumentsValables(int code) {
    const Valeur d = Valeur::Date(45000);  // 15 March 2023
    const auto D = [](double v) { return Valeur::Double(v); };
    switch (code) {
    case 5: return {Valeur::Chaine("'abc'")};
    case 11: case 36: case 38: case 89: return {d};
    case 13: return {d, D(1)};
    case 20: return {d, Valeur::Date(45100)};
    case 14: return {D(0.01), D(-100), D(1000)};
    case 15: case 17: return {D(0.01), D(1), D(12), D(1000)};
    case 16: return {D(0.01), D(12), D(1000)};
    case 18: return {D(12), D(-100), D(1000)};
    case 32: return {Valeur::Chaine("'q'"), D(4), Valeur::Chaine("'t'")};
    case 21: case 22: case 23:
        return {D(0.01), Valeur::Date(45000), Valeur::Date(45061), D(12), D(12), D(12000), Valeur::Date(45000),
                Valeur::Date(45400)};
    default: return {D(1)};
    }
}

TEST(MotsFonctions, ValueFunctionsTakeTheirArgumentCount) {
    test::Environnement env;
    for (const Mot& m : kMots) {
        if (m.arguments == 0) continue;
        SCOPED_TRACE(m.mot);
        const std::vector<Valeur> args = ArgumentsValables(m.code);
        ASSERT_EQ(args.size(), static_cast<std::size_t>(m.arguments));

        // All the arguments it takes: the result replaces the first, the
        // filler below is left alone.
        std::vector<Valeur> pile{Valeur::Chaine("'dessous'")};
        pile.insert(pile.end(), args.begin(), args.end());
        int n = static_cast<int>(pile.size());
        ASSERT_TRUE(EvalueFonctionValeur(m.code, pile, n, env.services));
        EXPECT_EQ(n, 2);
        EXPECT_EQ(pile[0], Valeur::Chaine("'dessous'"));

        // One value short: the guard leaves the stack as it is.
        if (m.code == 38) continue;  // no guard: an empty stack is an error
        std::vector<Valeur> court(args.begin() + 1, args.end());
        const auto avant = court;
        int nCourt = static_cast<int>(court.size());
        EXPECT_TRUE(EvalueFonctionValeur(m.code, court, nCourt, env.services));
        EXPECT_EQ(nCourt, m.arguments - 1);
        EXPECT_EQ(court, avant);
    }
}

TEST(MotsFonctions, DateVersChaineOnAnEmptyStackFails) {
    test::Environnement env;
    std::vector<Valeur> pile;
    int n = 0;
    EXPECT_THROW(EvalueFonctionValeur(38, pile, n, env.services), ErreurExecution);
}

}  // namespace
}  // namespace korv::formula
