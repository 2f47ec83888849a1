#include "formula/evaluateur.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "formula/compilateur.h"
#include "formula/expression.h"
#include "outils.h"

namespace korv::formula::test {
namespace {

class Evaluation : public ::testing::Test {
protected:
    void SetUp() override {
        env.variables.VarCree("N", Valeur::Double(4), 1);
        env.variables.VarCree("TXT", Valeur::Chaine("2"), 1);
        env.variables.VarCree("MOT", Valeur::Chaine("'abc'"), 1);
        env.variables.VarCree("RIEN", Valeur{}, 1);
        env.variables.VarCree("GRAND", Valeur::Entier(32767), 1);
        // A variable that existed when formulas were compiled and is gone
        // when they run: it reads as Null.
        env.variables.VarCree("PARTI", Valeur::Double(1), 0);
        const auto p = env.scene.AjoutePage("PAGE1");
        env.scene.AjouteObjet(p, "T1", 12);
        env.scene.GrilleDe(1, 1).Met(2, 3, Valeur::Double(10));
        env.scene.GrilleDe(1, 1).Met(1, 1, Valeur::Erreur(1));
    }

    Valeur Eval(const std::string& texte) {
        ExpressionClasse e;
        EXPECT_TRUE(e.Code(texte, env.services)) << texte;
        env.variables.VarLocalesSupprimer();  // drops PARTI
        Valeur v = e.Evalue(env.services);
        env.variables.VarCree("PARTI", Valeur::Double(1), 0);
        return v;
    }

    Environnement env;
};

struct Cas {
    const char* formule;
    Valeur attendu;
};

TEST_F(Evaluation, EveryOperator) {
    const Cas cas[] = {
        {"2+3*4", Valeur::Double(20)},
        {"7-2-1", Valeur::Double(4)},
        {"6/4", Valeur::Double(1.5)},
        {"0,1+0,2", Valeur::Double(0.1 + 0.2)},
        {"N+GRAND", Valeur::Double(32771)},
        {"GRAND*N", Valeur::Double(131068)},
        {"N/TXT", Valeur::Double(2)},
        {"2^10", Valeur::Double(1024)},
        {"2^3*2^2", Valeur::Double(256)},  // ((2^3)*2)^2
        {"1&2", Valeur::Chaine("'12'")},
        {"'AB'&'C'", Valeur::Chaine("'ABC'")},
        {"'l''a'&N", Valeur::Chaine("'l''a4'")},
        {"'A'+'B'", Valeur::Chaine("'A''B'")},
        {"1+TXT", Valeur::Double(3)},
        {"RIEN+1", Valeur::Double(1)},
        {"RIEN+MOT", Valeur::Chaine("'abc'")},
        {"GRAND+GRAND", Valeur::Long(65534)},
        {"5 OU 2", Valeur::Long(7)},
        {"6 ET 3", Valeur::Long(2)},
        {"(1>0) ET (2>1)", Valeur::Long(-1)},
        {"(1>0) OU (2<1)", Valeur::Long(-1)},
        {"2,5 OU 0", Valeur::Long(2)},
        {"3>2", Valeur::Entier(-1)},
        {"3<2", Valeur::Entier(0)},
        {"2=2", Valeur::Entier(-1)},
        {"2>=2", Valeur::Entier(-1)},
        {"1<=0", Valeur::Entier(0)},
        {"1<>1", Valeur::Entier(0)},
        {"TXT=2", Valeur::Entier(-1)},
        {"RIEN=0", Valeur::Entier(-1)},
        {"'abc'='ABC'", Valeur::Entier(0)},
        {"'abc'='abc'", Valeur::Entier(-1)},
        {"'b'>'a'", Valeur::Entier(-1)},
        {"5>'4'", Valeur::Entier(-1)},
        {"10>'9'", Valeur::Entier(0)},
        {"'\xE9'>'z'", Valeur::Entier(-1)},
        {"MOT<>'abc'", Valeur::Entier(0)},
        {"-N", Valeur::Double(-4)},
        {"-N+1", Valeur::Double(-3)},
        {"2*(-3)", Valeur::Double(-6)},
        {"+N", Valeur::Double(4)},
        {"1;2", Valeur::Nul()},
        {"N", Valeur::Double(4)},
        {"PAGE1.T1.Case[2,3]*2", Valeur::Double(20)},
        {"PAGE1.T1.Case[1,1]+1", Valeur::Double(1)},  // an error cell reads as 0
        {"PARTI&'x'", Valeur::Chaine("'x'")},         // Null joins as ""
        // Runs of constants and operators after a number, left to right.
        {"N-1-2", Valeur::Double(1)},
        {"N/2/4", Valeur::Double(0.5)},
        {"N+1-2*3", Valeur::Double(9)},
        {"-N+2*3-4/5+6*7-8+9-10", Valeur::Double((((((((-4.0 + 2) * 3 - 4) / 5) + 6) * 7) - 8) + 9) - 10)},
        {"GRAND+1-1", Valeur::Double(32767)},
        {"TXT+1*2", Valeur::Double(6)},
    };
    for (const auto& c : cas) EXPECT_EQ(Eval(c.formule), c.attendu) << c.formule;
}

TEST_F(Evaluation, ErrorsGiveNull) {
    const char* const formules[] = {
        "7/0",           "0/0",         "1E300*1E300",   "1E200^2",        "(-8)^0,5",     "0^(-1)",
        "-1E308-1E308",  "N/(N-N)",     "(N-N)/(N-N)",        "'4'>5",         "PARTI>1",     "'abc'+1",       "MOT*2",          "1E10 OU 1",    "2*-",
        "+",             "1+",          "PARTI+1",       "-PARTI",         "NPER(1;2)",
        "SI('abc') ALORS(1) SINON(2)",     "SI(0) ALORS(1)",
        // An error inside a run of constants and operators.
        "N/0+1",         "N*1E308*10-1", "N-N/0",         "N+1/0*2",
    };
    for (const char* f : formules) EXPECT_EQ(Eval(f), Valeur::Nul()) << f;
    // Null propagates through the operators that allow it.
    EXPECT_EQ(Eval("PARTI+1"), Valeur::Nul());
    ExpressionClasse vide;
    EXPECT_EQ(vide.Evalue(env.services), Valeur::Nul());
}

TEST_F(Evaluation, Conditionals) {
    const Cas cas[] = {
        {"SI(0) ALORS(1) SINON(2)", Valeur::Double(2)},
        {"SI(1) ALORS(1) SINON(2)", Valeur::Double(1)},
        {"SI(PARTI) ALORS(1) SINON(2)", Valeur::Double(2)},
        {"SI(RIEN) ALORS(1) SINON(2)", Valeur::Double(2)},
        {"SI(TXT) ALORS(1) SINON(2)", Valeur::Double(1)},
        {"SI(1) ALORS(5)", Valeur::Double(5)},
        {"SI(N>3) ALORS('grand') SINON('petit')", Valeur::Chaine("'grand'")},
        {"10+(SI(N>9) ALORS(1) SINON(2))", Valeur::Double(12)},
        // Conditions nested in the "then" branch.
        {"SI(1) ALORS(SI(1) ALORS(11) SINON(12)) SINON(13)", Valeur::Double(11)},
        {"SI(1) ALORS(SI(0) ALORS(11) SINON(12)) SINON(13)", Valeur::Double(12)},
        {"SI(0) ALORS(SI(1) ALORS(11) SINON(12)) SINON(13)", Valeur::Double(13)},
        {"SI(0) ALORS(SI(0) ALORS(11) SINON(12)) SINON(13)", Valeur::Double(13)},
        {"SI(0) ALORS(SI(1) ALORS(11)) SINON(13)", Valeur::Double(13)},
        {"SI(1) ALORS(SI(1) ALORS(11)) SINON(13)", Valeur::Double(11)},
        // ... and in the "else" branch.
        {"SI(1) ALORS(1) SINON(SI(1) ALORS(2) SINON(3))", Valeur::Double(1)},
        {"SI(0) ALORS(1) SINON(SI(0) ALORS(2) SINON(3))", Valeur::Double(3)},
        {"SI(1) ALORS(1) SINON((SI(1) ALORS(2) SINON(3))+10)", Valeur::Double(1)},
        {"SI(0) ALORS(1) SINON((SI(1) ALORS(2) SINON(3))+10)", Valeur::Double(12)},
        {"SI(1) ALORS(1) SINON(SI(1) ALORS(2))", Valeur::Double(1)},
        {"SI(0) ALORS(1) SINON(SI(1) ALORS(2))", Valeur::Double(2)},
        // Three levels.
        {"SI(1) ALORS(SI(0) ALORS(1) SINON(SI(0) ALORS(2) SINON(3))) SINON(4)", Valeur::Double(3)},
        {"SI(0) ALORS(SI(0) ALORS(1) SINON(SI(0) ALORS(2) SINON(3))) SINON(4)", Valeur::Double(4)},
    };
    for (const auto& c : cas) EXPECT_EQ(Eval(c.formule), c.attendu) << c.formule;
}

TEST_F(Evaluation, FunctionsAreDispatched) {
    // Value functions are computed; functions acting on grids, printing and
    // pages reach the action hook, which here has none: nothing happens.
    EXPECT_EQ(Eval("ENT(-2,5)"), Valeur::Double(-3));
    EXPECT_EQ(Eval("ESTNUL(PARTI)"), Valeur::Entier(-1));
    EXPECT_EQ(Eval("1+NPER(0;-100;1000)"), Valeur::Double(11));
    EXPECT_EQ(Eval("NPER(0;-100)"), Valeur::Nul());  // too few values: skipped, two values left
    EXPECT_EQ(Eval("IMPRIMEPREPAREDEBUT(3)"), Valeur::Double(3));
    EXPECT_EQ(Eval("CHANGEVUPASVU()"), Valeur::Nul());
    EXPECT_EQ(env.actions.codes, (std::vector<int>{44, 82}));
    env.services.actions = nullptr;
    EXPECT_EQ(Eval("IMPRIMEPREPAREDEBUT(3)"), Valeur::Double(3));
}

TEST_F(Evaluation, SystemVariables) {
    env.systeme.tirages = {0.0, 0.999999, 0.5};
    EXPECT_EQ(Eval("HASARD"), Valeur::Double(1));
    EXPECT_EQ(Eval("HASARD"), Valeur::Double(100));
    EXPECT_EQ(Eval("TEMPSDEBUTPAGE"), Valeur::Long(1000));
    EXPECT_EQ(Eval("LANGUE"), Valeur::Entier(1));
}

TEST_F(Evaluation, SelfReferenceTestRunsOnce) {
    ExpressionClasse e;
    ASSERT_TRUE(e.Code("PAGE1.T1.Case[2,3]+1", env.services));
    e.ChangeCaseReference(1, 1, 2, 3);
    EXPECT_EQ(e.Evalue(env.services), Valeur::Booleen(true));
    EXPECT_EQ(e.PageProprietaire(), 0);
    EXPECT_EQ(e.Evalue(env.services), Valeur::Double(11));
    e.ChangeCaseReference(1, 1, 2, 4);
    EXPECT_EQ(e.Evalue(env.services), Valeur::Booleen(false));
    ASSERT_TRUE(e.Code("1+1", env.services));
    e.ChangeCaseReference(1, 1, 2, 3);
    EXPECT_EQ(e.Evalue(env.services), Valeur::Booleen(false));
}

TEST(Conditionnelles, JumpTargets) {
    auto f = [](std::uint8_t code) { return JetonFormule{3, code}; };
    const JetonFormule x{4, 1.0};
    // c SI c SI x ALORS x SINON ALORS x SINON
    const std::vector<JetonFormule> jetons{x, f(10), x, f(10), x, f(8), x, f(9), f(8), x, f(9)};
    EXPECT_EQ(AlorsAssocie(jetons, 1), 8);
    EXPECT_EQ(AlorsAssocie(jetons, 3), 5);
    EXPECT_EQ(SinonAssocie(jetons, 5), 7);
    EXPECT_EQ(SinonAssocie(jetons, 8), 10);
    EXPECT_EQ(AlorsAssocie(jetons, 9), -1);
    EXPECT_EQ(SinonAssocie(jetons, 10), -1);
}

TEST(EvaluationBrute, DamagedTokensGiveNull) {
    Environnement env;
    const std::vector<std::vector<JetonFormule>> listes{
        {{1, std::string("x")}},                 // operator whose value is no code
        {{4, 1.0}, {4, 2.0}, {1, std::uint8_t{99}}},  // unknown operator
        {{3, 2.0}},                              // function whose value is no code
        {{5, 1.0}},                              // variable whose value is no name
        {{7, 3.0}},                              // reference whose value is no text
    };
    for (const auto& jetons : listes) {
        ExpressionClasse e(ExpressionEnregistrement{ListeJetons(jetons.begin(), jetons.end()), 0, {}});
        EXPECT_EQ(e.Evalue(env.services), Valeur::Nul());
    }
    // Unknown kinds and function codes are passed over.
    ExpressionClasse e(ExpressionEnregistrement{{{4, 1.0}, {99, 1.0}, {3, std::uint8_t{200}}}, 0, {}});
    EXPECT_EQ(e.Evalue(env.services), Valeur::Double(1));
}

}  // namespace
}  // namespace korv::formula::test
