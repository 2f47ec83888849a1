#include "formula/compilateur.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "formula/expression.h"
#include "outils.h"

namespace korv::formula::test {
namespace {

class Compilation : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* nom : {"A", "B", "C", "X", "Y"}) env.variables.VarCree(nom, Valeur::Entier(0), 1);
        env.variables.VarCree("T", Valeur::Chaine("'abc'"), 1);
        const auto p = env.scene.AjoutePage("PAGE1");
        env.scene.AjouteObjet(p, "T1", 12);
        env.scene.AjouteObjet(p, "IMAGE", 2);
        env.scene.GrilleDe(1, 1).noms["TOTAL"] = {4, 7};
    }
    Environnement env;
};

TEST_F(Compilation, TokenListsFollowTheLeftToRightRule) {
    struct Cas {
        const char* formule;
        const char* jetons;
    };
    // Operand names, operators and functions by their texts; § is the unary minus.
    const Cas cas[] = {
        {"2+3*4", "2 3 + 4 *"},
        {"a+b*c", "A B + C *"},
        {"a+(b*c)", "A B C * +"},
        {"(a+b)*(c-x)", "A B + C X - *"},
        {"-a+b", "A \xA7 B +"},
        {"+a", "A \xA4"},
        {"2*-3", "2 3 \xA7 *"},
        {"2*(-3)", "2 3 \xA7 *"},
        {"\xA7" "3", "3 \xA7"},
        {"2+ENT(x)", "2 X ENT +"},
        {"ENT(x)+2", "X ENT 2 +"},
        {"ent(x)", "X ENT"},
        {"NPER(a;b)", "A B ; NPER"},
        {"NPER(a;b;c)", "A B ; C ; NPER"},
        {"SI(c) ALORS(x) SINON(y)", "C SI X ALORS Y SINON"},
        {"SI a>1 ALORS x SINON y", "A 1 SI X ALORS Y SINON >"},
        {"SI(a) ALORS(SI(b) ALORS(x) SINON(y)) SINON(c)", "A SI B SI X ALORS Y SINON ALORS C SINON"},
        {"a ET b", "A B ET"},
        {"a ou b", "A B OU"},
        {"a<>b", "A B <>"},
        {"a>=b", "A B >="},
        {"a<=b", "A B <="},
        {"a=>b", "A = B >"},
        {"a&'x'", "A 'x' &"},
        {"1E-5+1", "1E-05 1 +"},
        {"1.5+1,25", "1,5 1,25 +"},
        {"'a(b) c+d;e'", "'a(b) c+d;e'"},
        {"'PAGE1.T1.Case[1,1]'", "'PAGE1.T1.Case[1,1]'"},
        {"'1.5'&'x.y'", "'1.5' 'x.y' &"},
        {"1 2", "1 2"},
        {"TEMPS-TEMPSDEBUTPAGE", "TEMPS TEMPSDEBUTPAGE -"},
        {"1+2)+5", "1 2 +"},
        {"ENT(2", "2 ENT"},
        {"PAGE1.T1.Case[2,3]*2", "@1,1,10,2,3 2 *"},
        {"page1.t1.case[TOTAL]", "@1,1,10,4,7"},
        {"PAGE1.Somme[1.2.3.4]", "@1,1,12,1,2,3,4"},
        {"NOPAGE.T1.Case[1,1]", "@0,0"},
    };
    for (const auto& c : cas) {
        ExpressionClasse e;
        EXPECT_TRUE(e.Code(c.formule, env.services)) << c.formule;
        EXPECT_EQ(Liste(e), c.jetons) << c.formule;
    }
}

TEST_F(Compilation, QuotedBracketArgumentsStayInTheReference) {
    struct Cas {
        const char* formule;
        std::string paquet;
    };
    const Cas cas[] = {
        {"PAGE1.IMAGE.TexteChange['deux mots']", std::string("\x01\x02\x23") + "'deux mots'"},
        {"PAGE1.IMAGE.TexteChange['a.b']", std::string("\x01\x02\x23") + "'a.b'"},
        {"PAGE1.T1.ColonneTri['3']", std::string("\x01\x01\x1F") + "'3'"},
        {"PAGE1.T1.CaseChange[2.3,'abc']", std::string("\x01\x01\x11") + "2.3,'abc'"},
    };
    for (const auto& c : cas) {
        ExpressionClasse e;
        ASSERT_TRUE(e.Code(c.formule, env.services)) << c.formule;
        ASSERT_EQ(e.Jetons().size(), 1u) << c.formule;
        EXPECT_EQ(e.Jetons()[0].genre, 7) << c.formule;
        EXPECT_EQ(std::get<std::string>(e.Jetons()[0].valeur), c.paquet) << c.formule;
    }
    // A quoted text with dots, alone or joined, is still a constant.
    ExpressionClasse e;
    ASSERT_TRUE(e.Code("'a.b'&'PAGE1.T1'", env.services));
    EXPECT_EQ(Liste(e), "'a.b' 'PAGE1.T1' &");
}

TEST_F(Compilation, TokenKindsAndValues) {
    ExpressionClasse e;
    ASSERT_TRUE(e.Code("a + t + TEMPS + 'q' + 2 + PAGE1.T1.Case[1,1] + ENT(1)", env.services));
    std::vector<int> genres;
    for (const auto& j : e.Jetons()) genres.push_back(j.genre);
    EXPECT_EQ(genres, (std::vector<int>{5, 6, 1, 2, 1, 4, 1, 4, 1, 7, 1, 4, 3, 1}));
    EXPECT_EQ(std::get<std::string>(e.Jetons()[0].valeur), "A");
    EXPECT_EQ(std::get<std::string>(e.Jetons()[5].valeur), "'q'");
    EXPECT_EQ(std::get<double>(e.Jetons()[7].valeur), 2.0);
    EXPECT_EQ(std::get<std::uint8_t>(e.Jetons()[12].valeur), 1);  // ENT, before the pending "+"
    EXPECT_FALSE(e.ContientAuMoinsUnSi());
    ASSERT_TRUE(e.Code("SI(1) ALORS(2)", env.services));
    EXPECT_TRUE(e.ContientAuMoinsUnSi());
    EXPECT_EQ(e.Enregistrement().contientSi, -1);
}

TEST_F(Compilation, FailuresKeepWhatWasUnderstood) {
    struct Cas {
        const char* formule;
        const char* jetons;
    };
    const Cas cas[] = {
        {"", ""},
        {"   ", ""},
        {"INCONNU", ""},
        {"1 + INCONNU + 2", "1 +"},
        {"AETB", ""},
        {"TAXE-1", ""},
        {"(INCONNU)+2", "2 +"},
        {"'pas fini", ""},
    };
    for (const auto& c : cas) {
        ExpressionClasse e;
        EXPECT_FALSE(e.Code(c.formule, env.services)) << c.formule;
        EXPECT_EQ(Liste(e), c.jetons) << c.formule;
    }
}

TEST_F(Compilation, AVariableNamedLikeAFunctionIsTheVariable) {
    ASSERT_TRUE(env.variables.VarCree("SI", Valeur::Entier(4), 0));
    ExpressionClasse e;
    ASSERT_TRUE(e.Code("SI+1", env.services));
    EXPECT_EQ(Liste(e), "SI 1 +");
    EXPECT_EQ(e.Jetons()[0].genre, 5);
    EXPECT_FALSE(e.ContientAuMoinsUnSi());
    EXPECT_EQ(e.Evalue(env.services), Valeur::Double(5));
}

TEST_F(Compilation, CodeReplacesThePreviousFormula) {
    ExpressionClasse e;
    ASSERT_TRUE(e.Code("SI(1) ALORS(2)", env.services));
    EXPECT_FALSE(e.Code("", env.services));
    EXPECT_EQ(e.NombreJetons(), 0);
    EXPECT_FALSE(e.ContientAuMoinsUnSi());
}

TEST_F(Compilation, ReferencesThatCannotBePackedDoNotStopTheCompiler) {
    // Numbers beyond a byte, a cell name on an object that is no grid, an
    // empty bracket: each compiles, and packs to something the evaluator
    // turns into Null at worst.
    for (const char* formule : {"PAGE1.T1.Case[300,2]", "PAGE1.T1.Somme[1,2,999,4]", "PAGE1.IMAGE.Case[TOTAL]",
                                "PAGE1.T1.Case[]", "PAGE1.T1.Case[", "PAGE1.."}) {
        ExpressionClasse e;
        EXPECT_NO_THROW(EXPECT_TRUE(e.Code(formule, env.services)) << formule);
        EXPECT_NO_THROW((void)e.Evalue(env.services));
    }
}

TEST(CompilateurMots, OperatorAndFunctionTables) {
    EXPECT_EQ(ProgOperNum("+"), 1);
    EXPECT_EQ(ProgOperNum("<>"), 10);
    EXPECT_EQ(ProgOperNum("ET"), 12);
    EXPECT_EQ(ProgOperNum(";"), 15);
    EXPECT_EQ(ProgOperNum("et"), 0);
    EXPECT_EQ(ProgFoncNum("ENT"), 1);
    EXPECT_EQ(ProgFoncNum("\xA7"), 6);
    EXPECT_EQ(ProgFoncNum("SI"), 10);
    EXPECT_EQ(ProgFoncNum("EFFACERECHEANCESANTERIEURES"), 33);
    EXPECT_EQ(ProgFoncNum("ZONEGRISEAUTO"), 90);
    EXPECT_EQ(ProgFoncNum("ZONEGRISE"), 0);
    for (int code = 1; code <= kNombreFonctions; ++code) EXPECT_EQ(ProgFoncNum(MotFonction(code)), code);
}

TEST(CompilateurMots, TextHelpers) {
    EXPECT_EQ(ExprAjouteSeparateurDans("a  +b+ 'x+y'+1E+5", "+"), "a + b + 'x+y' + 1E+5");
    EXPECT_EQ(ExprAjouteSeparateurDans("a>=b>c", ">"), "a>=b > c");
    EXPECT_EQ(ExprAjouteSeparateurDans("a<>b", "<"), "a<>b");
    EXPECT_EQ(ExprAjouteSeparateurDans("--", "-"), " - - ");
    EXPECT_EQ(ExprRemplaceHorsChaines("(a)'(b)'", "(", ""), "a)'(b)'");
    EXPECT_EQ(ProgExprMorceauSuivant("ab 'c d' e", 3), " 'c d'");
    EXPECT_EQ(ProgExprMorceauSuivant("'c d' e", 1), "'c d'");
    EXPECT_EQ(ProgExprMorceauSuivant("x  yz", 2), "  yz");
    EXPECT_EQ(ChaineFinNCar("ab 'c d' e", 1), 9);
    EXPECT_EQ(ChaineFinNCar("ab 'c d'", 1), 8);
    EXPECT_EQ(ChaineFinNCar("ab cd", 1), 0);
}

}  // namespace
}  // namespace korv::formula::test
