// A call's function applies to its own parentheses, and a sign written
// where an operand is expected is a sign; every other formula compiles as
// before, token for token.

#include <gtest/gtest.h>

#include "fakes.h"
#include "formula/expression.h"
#include "outils.h"

namespace korv::formula::test {
namespace {

class SignesEtAppels : public ::testing::Test {
protected:
    void SetUp() override {
        env.variables.VarCree("N", Valeur::Double(4), 1);
    }
    Environnement env;
};

struct CasJetons {
    const char* formule;
    const char* jetons;
};

struct CasValeur {
    const char* formule;
    Valeur attendu;
};

TEST_F(SignesEtAppels, TokenLists) {
    // § is the unary minus, ¤ the unary plus.
    const CasJetons cas[] = {
        // A call followed by more of its level.
        {"DATEADDMOIS(45658;1)-1", "45658 1 ; DATEADDMOIS 1 -"},
        {"ENT(n)+2", "N ENT 2 +"},
        {"1-ENT(n)*2", "1 N ENT - 2 *"},
        {"LONGUEUR('OUI') = 'OUI'", "'OUI' LONGUEUR 'OUI' ="},
        {"ENT(n)-ENT(n)", "N ENT N ENT -"},
        // Signs after an operator, a ";" or a function word.
        {"NPER(0;-100;1000)", "0 100 \xA7 ; 1000 ; NPER"},
        {"2*-3", "2 3 \xA7 *"},
        {"2*+3", "2 3 \xA4 *"},
        {"n=-1", "N 1 \xA7 ="},
        {"2^-n", "2 N \xA7 ^"},
        {"2*--3", "2 3 \xA4 *"},
        {"2*-(1+n)", "2 1 N + \xA7 *"},
        {"1;-ENT(n)", "1 N ENT \xA7 ;"},
        {"SI(n) ALORS -1 SINON 2", "N SI 1 \xA7 ALORS 2 SINON"},
        {"SI(n) ALORS -(1) SINON 2", "N SI 1 \xA7 ALORS 2 SINON"},
        {"1;-ENT n", "1 N ENT \xA7 ;"},
        // A leading sign before a call or a group.
        {"-ENT(n)", "N ENT \xA7"},
        {"-ENT(n)+1", "N ENT \xA7 1 +"},
        {"-(n)+1", "N \xA7 1 +"},
        // Unchanged.
        {"2+3*4", "2 3 + 4 *"},
        {"7-2-1", "7 2 - 1 -"},
        {"-n+1", "N \xA7 1 +"},
        {"2*(-3)", "2 3 \xA7 *"},
        {"-(n)", "N \xA7"},
        {"2+ENT(n)", "2 N ENT +"},
        {"1+NPER(2;3)", "1 2 3 ; NPER +"},
        {"6 = LONGUEUR('abcdef')", "6 'abcdef' LONGUEUR ="},
        {"ENT(ENT(n))", "N ENT ENT"},
        {"ENT n + (n) * 2", "N N + 2 ENT *"},
        {"SI(n) ALORS(1) SINON(2)", "N SI 1 ALORS 2 SINON"},
        {"SI (n>1) ALORS 1 SINON 2", "N 1 > SI 1 ALORS 2 SINON"},
        {"SI n>1 ALORS 1 SINON 2", "N 1 SI 1 ALORS 2 SINON >"},
        {"1E-5-1", "1E-05 1 -"},
        {"\xA7" "3*2", "3 \xA7 2 *"},
        {"'a;-1'&'-'", "'a;-1' '-' &"},
    };
    for (const auto& c : cas) {
        ExpressionClasse e;
        EXPECT_TRUE(e.Code(c.formule, env.services)) << c.formule;
        EXPECT_EQ(Liste(e), c.jetons) << c.formule;
    }
}

TEST_F(SignesEtAppels, Values) {
    const CasValeur cas[] = {
        {"DATEADDMOIS(45658;1)-1", Valeur::Double(45688)},
        {"ENT(2,5)+1", Valeur::Double(3)},
        {"1-ENT(2,5)*2", Valeur::Double(-2)},
        {"LONGUEUR('abc') = 3", Valeur::Entier(-1)},
        {"NPER(0;-100;1000)", Valeur::Double(10)},
        {"2*-3", Valeur::Double(-6)},
        {"N*-N", Valeur::Double(-16)},
        {"2^-1", Valeur::Double(0.5)},
        {"-N=-4", Valeur::Entier(-1)},
        {"-ENT(2,5)+1", Valeur::Double(-1)},
        {"10+(-ENT(2,5))", Valeur::Double(8)},
        {"-(2)+3", Valeur::Double(1)},
        {"SI(0) ALORS 1 SINON -2", Valeur::Double(-2)},
        // Unchanged.
        {"2+3*4", Valeur::Double(20)},
        {"-N+1", Valeur::Double(-3)},
        {"2*(-3)", Valeur::Double(-6)},
        {"2+ENT(2,5)", Valeur::Double(4)},
        {"3 = LONGUEUR('abc')", Valeur::Entier(-1)},
        {"2*-", Valeur::Nul()},
    };
    for (const auto& c : cas) EXPECT_EQ(Calcule(env, c.formule), c.attendu) << c.formule;
}

}  // namespace
}  // namespace korv::formula::test
