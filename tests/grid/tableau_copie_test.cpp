// The copy between two grids through the copy buffer (page 0, object 1):
// filling it from a displayed zone, pasting it with or without shifting
// formulas and scripts, its two messages, and compiling text formulas.

#include <gtest/gtest.h>

#include "banc_calcul.h"
#include "formula/expression.h"
#include "formula/formula_record.h"
#include "platform/message_box_fake.h"

namespace korv::grid {
namespace {

constexpr const char* kPointInvalide = "Impossible de coller, le point d'insertion est invalide.";
constexpr const char* kRienAColler = "Le presse-papier ne contient aucune donn\xe9"
                                     "e valide pour effectuer cette op\xe9ration";

SelectionTableau Selection(int c, int r, int valide = -1) {
    SelectionTableau s;
    s.Valide = static_cast<std::int16_t>(valide);
    s.HautGaucheColonne = s.BasDroiteColonne = static_cast<std::int16_t>(c);
    s.HautGaucheLigne = s.BasDroiteLigne = static_cast<std::int16_t>(r);
    return s;
}

// Page 1 holds the source grid T1 (3 × 3) and the destination T2 (4 × 4);
// the buffer is 2 × 2.
struct Copie : ::testing::Test {
    void SetUp() override {
        for (int c = 1; c <= 3; ++c) {
            for (int r = 1; r <= 3; ++r) source.CaseEditeurChange(c, r, std::to_string(10 * c + r));
        }
        // Row 3: a formula reading the cell above it, with a script that names it too.
        source.CaseEditeurChange(2, 3, "=P1.T1.Case[2.2]*2");
        source.CaseScriptChange(2, 3, "SUR FINEDITION\nP1.T1.Case[2.2] = 1");
        source.CaseEstEditableChange(3, 3, true);
        source.CaseNomChange(3, 3, "TOTAL");
        banc.ReferencesRecreer();
        source.RecalculAvecInit();
    }
    test::BancCalcul banc;
    TableauClasse& source = banc.Ajoute(1, 1, 3, 3);
    TableauClasse& destination = banc.Ajoute(1, 2, 4, 4);
    TableauClasse& tampon = banc.Ajoute(0, 1, 2, 2);
    platform::BoiteMessageFactice messages;
};

TEST_F(Copie, TheBufferTakesTheZoneWithItsOrigin) {
    EXPECT_FALSE(tampon.AEteCopie());
    tampon.CopierPlageAffichee(source, 2, 2, 3, 3);
    EXPECT_TRUE(tampon.AEteCopie());
    EXPECT_EQ(tampon.OrigineCopieColonne(), 2);
    EXPECT_EQ(tampon.OrigineCopieLigne(), 2);
    EXPECT_EQ(tampon.CaseEditeur(1, 1), "22");
    EXPECT_EQ(tampon.CaseEditeur(2, 1), "32");
    EXPECT_EQ(tampon.CaseEditeur(1, 2), "=P1.T1.Case[2.2]*2");
    EXPECT_EQ(tampon.CaseResultatInterne(1, 2), "44") << "the computed value comes along";
    EXPECT_EQ(tampon.CaseResultatType(1, 2), resultat::kCalcule);
    EXPECT_EQ(tampon.Expression(1, 2), nullptr) << "the buffer holds texts, not compiled formulas";
    EXPECT_EQ(tampon.CaseScript(1, 2), source.CaseScript(2, 3));
    EXPECT_TRUE(tampon.CaseEstEditable(2, 2));
    EXPECT_EQ(tampon.CaseNom(2, 2), "TOTAL");
    EXPECT_FALSE(tampon.Case(1, 1)->AttributPropre()) << "default settings stay shared";
}

TEST_F(Copie, TheBufferFollowsTheDisplayedOrder) {
    // Row 3 frozen at the top: displayed rows 1 and 2 are stored rows 3 and 1.
    source.LigneBloquer(3, 1);
    source.TailleCalculMaj();
    ASSERT_EQ(source.LigneAfficheeVersStockee(1), 3);
    tampon.CopierPlageAffichee(source, 1, 1, 2, 2);
    EXPECT_EQ(tampon.OrigineCopieLigne(), 3);
    EXPECT_EQ(tampon.CaseEditeur(1, 1), "13");
    EXPECT_EQ(tampon.CaseEditeur(1, 2), "11");
    EXPECT_EQ(tampon.CaseEditeur(2, 1), "=P1.T1.Case[2.2]*2");
}

TEST_F(Copie, PasteShiftsFormulasAndScriptsByTheMove) {
    tampon.CopierPlageAffichee(source, 2, 2, 3, 3);
    destination.SelectionChange(Selection(2, 3));  // one row lower than the origin
    destination.Coller(true, messages);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(destination.CaseEditeur(2, 3), "22");
    EXPECT_EQ(destination.CaseEditeur(3, 3), "32");
    EXPECT_EQ(destination.CaseEditeur(2, 4), "=P1.T1.Case[2.3]*2");
    EXPECT_EQ(destination.CaseScript(2, 4), "SUR FINEDITION\nP1.T1.Case[2.3] = 1");
    EXPECT_EQ(destination.CaseNom(3, 4), "TOTAL");
    ASSERT_NE(destination.Expression(2, 4), nullptr);
    banc.ReferencesRecreer();
    destination.RecalculAvecInit();
    EXPECT_EQ(destination.CaseResultatInterne(2, 4), "88") << "twice the source's cell (2, 3), itself 44";
    EXPECT_EQ(destination.CaseEditeur(1, 1), "") << "cells outside the pasted zone are untouched";
}

TEST_F(Copie, PasteWithoutShiftKeepsTheTextsAndCompilesThem) {
    tampon.CopierPlageAffichee(source, 2, 2, 3, 3);
    destination.CaseEditeurChange(2, 4, "=1+1");
    destination.SelectionChange(Selection(1, 1));
    destination.Coller(false, messages);
    EXPECT_EQ(destination.CaseEditeur(1, 2), "=P1.T1.Case[2.2]*2");
    EXPECT_EQ(destination.CaseScript(1, 2), source.CaseScript(2, 3));
    ASSERT_NE(destination.Expression(1, 2), nullptr);
    EXPECT_EQ(destination.CaseEditeur(2, 4), "=1+1") << "outside the zone";
    banc.ReferencesRecreer();
    destination.RecalculAvecInit();
    EXPECT_EQ(destination.CaseResultatInterne(1, 2), "44");
}

TEST_F(Copie, PasteOverAFormulaDropsItsCompiledFormula) {
    tampon.CopierPlageAffichee(source, 1, 1, 2, 2);
    destination.CaseEditeurChange(1, 1, "=5*5");
    destination.SelectionChange(Selection(1, 1));
    destination.Coller(true, messages);
    EXPECT_EQ(destination.CaseEditeur(1, 1), "11");
    EXPECT_EQ(destination.Expression(1, 1), nullptr);
    destination.RecalculAvecInit();
    EXPECT_EQ(destination.CaseValeurAAfficher(1, 1), "11");
}

TEST_F(Copie, PasteAtTheEdgeDropsWhatFallsOutsideAndTakesLockedCells) {
    tampon.CopierPlageAffichee(source, 2, 2, 3, 3);
    destination.CaseEditeurChange(4, 4, "verrou");
    ASSERT_FALSE(destination.CaseEstEditable(4, 4));
    destination.SelectionChange(Selection(4, 4));
    destination.Coller(true, messages);
    EXPECT_TRUE(messages.messages.empty());
    // The buffer brings its cells' settings: a cell the user cannot edit is
    // a cell like any other here.
    EXPECT_EQ(destination.CaseEditeur(4, 4), "22");
    EXPECT_EQ(destination.ColonneNb(), 4);
    EXPECT_EQ(destination.LigneNb(), 4);
}

TEST_F(Copie, AFormulaWithoutSourceTextTravelsCompiled) {
    // The same formula as the scene's formula block gives it: "=#" and tokens.
    formula::ExpressionUDT u;
    source.Case(2, 3)->Formule->EcritValeursDansUDT(u);
    u.colonne = 1;
    u.ligne = 1;
    source.LitExprDansUDT({&u, 1});
    ASSERT_EQ(source.CaseEditeur(1, 1), "=#");
    tampon.CopierPlageAffichee(source, 1, 1, 2, 2);
    destination.SelectionChange(Selection(3, 3));
    destination.Coller(true, messages);
    EXPECT_EQ(destination.CaseEditeur(3, 3), "=#");
    ASSERT_NE(destination.Expression(3, 3), nullptr) << "no text to compile: the formula itself comes along";
    banc.ReferencesRecreer();
    destination.RecalculAvecInit();
    EXPECT_EQ(destination.CaseResultatInterne(3, 3), "44");
}

struct CasMessage {
    const char* nom;
    SelectionTableau selection;
    bool remplir;
    bool sansTampon;
    const char* message;
};

void PrintTo(const CasMessage& c, std::ostream* os) { *os << c.nom; }

class CopieMessages : public ::testing::TestWithParam<CasMessage> {};

TEST_P(CopieMessages, NothingIsPastedAndTheUserIsTold) {
    const CasMessage& cas = GetParam();
    test::BancCalcul banc;
    TableauClasse& source = banc.Ajoute(1, 1, 2, 2);
    TableauClasse& destination = banc.Ajoute(1, 2, 2, 2);
    source.CaseEditeurChange(1, 1, "copie");
    destination.CaseEditeurChange(1, 1, "garde");
    if (!cas.sansTampon) {
        TableauClasse& tampon = banc.Ajoute(0, 1, 2, 2);
        if (cas.remplir) tampon.CopierPlageAffichee(source, 1, 1, 2, 2);
    }
    destination.SelectionChange(cas.selection);
    platform::BoiteMessageFactice messages;
    destination.Coller(true, messages);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].texte, cas.message);
    EXPECT_EQ(messages.messages[0].style, platform::style::Ok);
    EXPECT_EQ(destination.CaseEditeur(1, 1), "garde");
}

INSTANTIATE_TEST_SUITE_P(
    Cas, CopieMessages,
    ::testing::Values(CasMessage{"NoValidSelection", Selection(1, 1, 0), true, false, kPointInvalide},
                      CasMessage{"TopLeftColumnZero", Selection(0, 1), true, false, kPointInvalide},
                      CasMessage{"TopLeftRowZero", Selection(1, 0), true, false, kPointInvalide},
                      CasMessage{"TopLeftPastTheGrid", Selection(3, 1), true, false, kPointInvalide},
                      CasMessage{"NoBufferGrid", Selection(1, 1), true, true, kRienAColler},
                      CasMessage{"BufferNeverFilled", Selection(1, 1), false, false, kRienAColler}),
    [](const ::testing::TestParamInfo<CasMessage>& cas) { return std::string(cas.param.nom); });

TEST(CopieTampon, TheBufferPastedOntoItselfIsRefused) {
    test::BancCalcul banc;
    TableauClasse& source = banc.Ajoute(1, 1, 2, 2);
    TableauClasse& tampon = banc.Ajoute(0, 1, 2, 2);
    source.CaseEditeurChange(1, 1, "a");
    tampon.CopierPlageAffichee(source, 1, 1, 2, 2);
    tampon.SelectionChange(Selection(2, 2));
    platform::BoiteMessageFactice messages;
    tampon.Coller(true, messages);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].texte, kRienAColler);
    EXPECT_EQ(tampon.CaseEditeur(2, 2), "");
}

TEST(ChargeAsciiPrecalculExpression, TextFormulasAreCompiled) {
    test::BancCalcul banc;
    auto g = test::Enregistrement(2, 1);
    test::Texte(g, 1, 1, "=2*3");
    test::Texte(g, 2, 1, "texte");
    auto t = test::Grille(g);
    t->Identite(1, 1);
    t->Environnement(&banc.environnement);
    t->Calcul(&banc);
    ASSERT_EQ(t->Expression(1, 1), nullptr);
    t->ChargeAsciiPrecalculExpression();
    ASSERT_NE(t->Expression(1, 1), nullptr);
    EXPECT_EQ(t->Expression(2, 1), nullptr);
    EXPECT_EQ(t->Expression(1, 1)->Evalue(banc.Formules()).EnTexte(), "6");
}

}  // namespace
}  // namespace korv::grid
