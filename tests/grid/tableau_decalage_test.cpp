// Formula shifting and hiding rows on grids that compute.

#include <gtest/gtest.h>

#include "banc_calcul.h"
#include "formula/expression.h"

namespace korv::grid {
namespace {

using formula::Valeur;

// Page 1: T1 (3 × 4) with formulas reading T2 (2 × 6), whose column 1 holds 10..60.
struct Decalage : ::testing::Test {
    void SetUp() override {
        for (int r = 1; r <= 6; ++r) {
            t2.CaseTypeChange(1, r, 1);
            t2.CaseEstEditableChange(1, r, true);
            t2.CaseEditeurChange(1, r, std::to_string(10 * r));
        }
        for (int c = 1; c <= 3; ++c) {
            for (int r = 1; r <= 4; ++r) t1.CaseTypeChange(c, r, 1);
        }
    }
    void Recalcule() {
        banc.ReferencesRecreer();
        t1.RecalculAvecInit();
    }
    test::BancCalcul banc;
    TableauClasse& t1 = banc.Ajoute(1, 1, 3, 4);
    TableauClasse& t2 = banc.Ajoute(1, 2, 2, 6);
};

TEST_F(Decalage, AFormulaReadFromTheFormulaBlockIsNeitherRewrittenNorRecompiled) {
    t1.CaseEditeurChange(1, 1, "=P1.T2.Case[1,2]");
    // The same formula as the scene's formula block gives it: no source text.
    formula::ExpressionUDT u;
    t1.Case(1, 1)->Formule->EcritValeursDansUDT(u);
    u.colonne = 2;
    u.ligne = 1;
    t1.LitExprDansUDT({&u, 1});
    ASSERT_EQ(t1.CaseEditeur(2, 1), "=#");
    Recalcule();
    ASSERT_EQ(t1.CaseValeurInternePendantCalcul(2, 1), Valeur::Double(20));

    t2.FormulesDecale("P1.T2.", 1, 2, 2, 6, 0, 1);
    EXPECT_EQ(t1.CaseEditeur(1, 1), "=P1.T2.Case[1.3]");
    EXPECT_EQ(t1.CaseEditeur(2, 1), "=#");
    Recalcule();
    EXPECT_EQ(t1.CaseValeurInternePendantCalcul(1, 1), Valeur::Double(30));
    EXPECT_EQ(t1.CaseValeurInternePendantCalcul(2, 1), Valeur::Double(20)) << "still computes from its tokens";
}

TEST_F(Decalage, OnlyReferencesWithTheGivenPrefixMove) {
    t1.CaseEditeurChange(1, 1, "=P1.T2.Case[1,2]+P1.T1.Case[1,2]");
    Recalcule();
    t2.FormulesDecale("P1.T2.", 1, 1, 2, 6, 0, 2);
    EXPECT_EQ(t1.CaseEditeur(1, 1), "=P1.T2.Case[1.4]+P1.T1.Case[1.2]");
}

TEST_F(Decalage, HidingInPlayRecomputesThePageWithTheRowsMoved) {
    // T1 (1, 1) sums T2's block 1..6; T1 (1, 2) reads T2 (1, 5).
    t1.CaseEditeurChange(1, 1, "=P1.T2.Somme[1,1,1,6]");
    t1.CaseEditeurChange(1, 2, "=P1.T2.Case[1,5]");
    Recalcule();
    ASSERT_EQ(t1.CaseValeurInternePendantCalcul(1, 1), Valeur::Double(210));

    t2.LignesCacherConsultation(1, 6, 2, 3);  // 10, 40, 50, 60, "", ""
    EXPECT_EQ(t2.CaseEditeur(1, 2), "40");
    EXPECT_EQ(t1.CaseResultatInterne(1, 1), "160") << "computed again by the hide itself";
    EXPECT_EQ(t1.CaseResultatInterne(1, 2), "0") << "its row was cleared (it read 50)";
}

}  // namespace
}  // namespace korv::grid
