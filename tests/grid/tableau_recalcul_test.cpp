// Recalculation with compiled formulas: dependants across grids, the pass,
// the cell events, cycles and deep chains, entries and their conversion,
// sum cells given back to calculation, resets and zones.

#include <gtest/gtest.h>

#include "banc_calcul.h"
#include "formula/expression.h"

namespace korv::grid {
namespace {

using formula::Valeur;

std::uint8_t O(int v) { return static_cast<std::uint8_t>(v); }

std::string Ref(int page, int objet, int c, int r) {
    return "P" + std::to_string(page) + ".T" + std::to_string(objet) + ".Case[" + std::to_string(c) + "," +
           std::to_string(r) + "]";
}

// One grid of page 1: an entry, a product of it, and that plus one.
struct Chaine : ::testing::Test {
    void SetUp() override {
        for (int c = 1; c <= 3; ++c) t.CaseTypeChange(c, 1, 1);
        t.CaseEstEditableChange(1, 1, true);
        t.CaseEditeurChange(1, 1, "2");
        t.CaseEditeurChange(2, 1, "=" + Ref(1, 1, 1, 1) + "*10");
        t.CaseEditeurChange(3, 1, "=" + Ref(1, 1, 2, 1) + "+1");
        banc.ReferencesRecreer();
        t.RecalculAvecInit();
    }
    // The end of an edit as play does it, without the cell's own event.
    void Saisie(int c, int r, std::string texte) {
        banc.MarquesReinit();
        t.CaseUtilisateurChangeRef(c, r, texte, true);
        t.RecalculSansInit();
    }
    test::BancCalcul banc;
    TableauClasse& t = banc.Ajoute(1, 1, 3, 3);
};

TEST_F(Chaine, AnEntryRecomputesItsDependantsAndOnlyThem) {
    EXPECT_EQ(t.CaseResultatInterne(2, 1), "20");
    EXPECT_EQ(t.CaseValeurAAfficher(3, 1), "21,0");
    Saisie(1, 1, "3.5");
    EXPECT_EQ(t.CaseEditeur(1, 1), "3,5") << "a number entry takes the decimal comma";
    EXPECT_EQ(t.CaseResultatInterne(2, 1), "35");
    EXPECT_EQ(t.CaseResultatInterne(3, 1), "36");
    EXPECT_EQ(t.CaseResultatType(3, 1), 3);
}

TEST_F(Chaine, EntryOverAFormulaShieldsItUntilItIsEmptied) {
    t.CaseScriptChange(2, 1, "S21");
    Saisie(2, 1, "100");
    EXPECT_EQ(t.CaseResultatType(2, 1), 1);
    EXPECT_EQ(t.CaseResultatInterne(3, 1), "101");
    Saisie(1, 1, "4");
    EXPECT_EQ(t.CaseResultatInterne(2, 1), "100") << "never recomputed by a pass";
    EXPECT_EQ(t.CaseResultatInterne(3, 1), "101") << "the entry shields its dependants";
    Saisie(2, 1, "");
    EXPECT_EQ(t.CaseResultatInterne(2, 1), "40");
    EXPECT_EQ(t.CaseResultatInterne(3, 1), "41");
    using E = std::pair<std::string, std::string>;
    EXPECT_EQ(banc.evenements, (std::vector<E>{{"S21", "SUR CALCULVERSENTREE"}, {"S21", "SUR ENTREEVERSCALCUL"},
                                               {"S21", "SUR RECALCCHANGE"}, {"S21", "SUR RECALCUL"}}));
}

TEST_F(Chaine, ForcedInvalidationWalksThroughAnEntry) {
    Saisie(2, 1, "100");
    t.CaseResultatTypeChange(3, 1, 3);
    banc.MarquesReinit();
    t.RecalculInvaliderRecursivement(2, 1, false);
    EXPECT_EQ(t.CaseResultatType(3, 1), 3);
    banc.MarquesReinit();
    t.RecalculInvaliderRecursivement(2, 1, true);
    EXPECT_EQ(t.CaseResultatType(3, 1), 2);
}

TEST_F(Chaine, RecalcEventsFollowTheChangeOfTheText) {
    t.CaseScriptChange(2, 1, "S21");
    t.CaseScriptChange(3, 1, "S31");
    t.CaseEditeurChange(3, 1, "=" + Ref(1, 1, 2, 1) + "*0");
    banc.ReferencesRecreer();
    t.RecalculSansInit();
    banc.evenements.clear();
    banc.copiesFenetre = 0;
    Saisie(1, 1, "5");
    using E = std::pair<std::string, std::string>;
    EXPECT_EQ(banc.evenements, (std::vector<E>{{"S21", "SUR RECALCCHANGE"}, {"S21", "SUR RECALCUL"},
                                               {"S31", "SUR RECALCUL"}}))
        << "the second cell is computed again to the same text";
    banc.evenements.clear();
    banc.chargement = true;
    Saisie(1, 1, "6");
    EXPECT_EQ(banc.evenements, (std::vector<E>{{"S21", "SUR RECALCUL"}, {"S31", "SUR RECALCUL"}}))
        << "no change event while a plan loads";
    EXPECT_EQ(banc.copiesFenetre, 5) << "the window is copied after each script that ran";
}

TEST_F(Chaine, AStoredInvalidStateReadsAsZero) {
    banc.MarquesReinit();
    t.CaseInvalidationStockeeChange(2, 1, 2);
    t.RecalculSansInit();
    EXPECT_EQ(t.CaseValeurInternePendantCalcul(2, 1), Valeur::Double(0));
    EXPECT_EQ(t.CaseResultatInterne(3, 1), "1");
}

TEST(Recalcul, DependantsOnAnotherPageWaitForTheirPass) {
    test::BancCalcul banc;
    TableauClasse& a = banc.Ajoute(1, 1, 2, 2);
    TableauClasse& b = banc.Ajoute(2, 3, 2, 2);
    a.CaseTypeChange(1, 1, 1);
    a.CaseEditeurChange(1, 1, "7");
    b.CaseEditeurChange(2, 2, "=" + Ref(1, 1, 1, 1) + "+" + Ref(1, 1, 1, 1));
    banc.ReferencesRecreer();
    b.RecalculSansInit();
    EXPECT_EQ(b.CaseResultatInterne(2, 2), "14");
    banc.MarquesReinit();
    std::string texte = "8";
    a.CaseUtilisateurChangeRef(1, 1, texte, true);
    a.RecalculSansInit();
    EXPECT_EQ(b.CaseResultatType(2, 2), 2);
    EXPECT_EQ(a.CaseResultatInterne(1, 1), "");
    b.RecalculSansInit();
    EXPECT_EQ(b.CaseValeurAAfficher(2, 2), "16");
}

TEST(Recalcul, ACellReadingItselfIsComputedOnce) {
    test::BancCalcul banc;
    TableauClasse& t = banc.Ajoute(1, 1, 2, 2);
    t.CaseScriptChange(1, 1, "S");
    t.CaseEditeurChange(1, 1, "=" + Ref(1, 1, 1, 1) + "+1");
    banc.ReferencesRecreer();
    t.RecalculSansInit();
    using E = std::pair<std::string, std::string>;
    EXPECT_EQ(banc.evenements, (std::vector<E>{{"S", "SUR RECALCCHANGE"}, {"S", "SUR RECALCUL"}}))
        << "computed once; its change sets it back to be computed by the next pass";
    EXPECT_EQ(t.CaseResultatType(1, 1), 2);
    banc.MarquesReinit();
    t.RecalculSansInit();
    EXPECT_EQ(t.CaseResultatType(1, 1), 3) << "the same text again: done";
    EXPECT_EQ(banc.evenements.size(), 3u);
}

// Cell k reads cell k + 1 in reading order, through two grids of 255 × 255:
// a chain far deeper than the stack would take one level per cell.
TEST(Recalcul, AReversedChainAcrossGridsComputesEveryCellWithoutExhaustingTheStack) {
    test::BancCalcul banc;
    TableauClasse& a = banc.Ajoute(1, 1, 255, 255);
    TableauClasse& b = banc.Ajoute(1, 2, 255, 20);
    for (int r = 1; r <= 255; ++r) {
        for (int c = 1; c <= 255; ++c) {
            const bool dernier = c == 255 && r == 255;
            a.CaseEditeurChange(c, r, "=" + (dernier ? Ref(1, 2, 1, 1) : c == 255 ? Ref(1, 1, 1, r + 1) : Ref(1, 1, c + 1, r)) + "+1");
        }
    }
    for (int r = 1; r <= 20; ++r) b.CaseEditeurChange(1, r, r == 20 ? "=1" : "=" + Ref(1, 2, 1, r + 1) + "+1");
    banc.ReferencesRecreer();
    a.RecalculSansInit();
    EXPECT_EQ(b.CaseResultatInterne(1, 1), "20");
    EXPECT_EQ(a.CaseResultatInterne(255, 255), "21");
    EXPECT_EQ(a.CaseResultatInterne(1, 1), std::to_string(255 * 255 + 20));
    EXPECT_EQ(banc.etat.profondeur, 0);
}

TEST(Recalcul, ACycleLongerThanTheDepthLimitEnds) {
    test::BancCalcul banc;
    TableauClasse& t = banc.Ajoute(1, 1, 255, 4);
    for (int r = 1; r <= 4; ++r) {
        for (int c = 1; c <= 255; ++c) {
            const std::string suivante = c < 255 ? Ref(1, 1, c + 1, r) : Ref(1, 1, 1, r % 4 + 1);
            t.CaseEditeurChange(c, r, "=" + suivante + "+1");
        }
    }
    banc.ReferencesRecreer();
    t.RecalculSansInit();
    for (int r = 1; r <= 4; ++r) {
        for (int c = 1; c <= 255; ++c) ASSERT_EQ(t.CaseResultatType(O(c), O(r)), 3) << c << "," << r;
    }
}

TEST(Recalcul, IndependentFormulasAreInvalidatedForTheirPage) {
    test::BancCalcul banc;
    TableauClasse& t = banc.Ajoute(1, 1, 2, 1);
    t.CaseEditeurChange(1, 1, "=HASARD");
    t.CaseEditeurChange(2, 1, "=" + Ref(1, 1, 1, 1));
    banc.ReferencesRecreer();
    t.RecalculSansInit();
    t.RecalculInvaliderCalculIndependants();
    EXPECT_EQ(t.CaseResultatType(1, 1), 2);
    EXPECT_EQ(t.CaseResultatType(2, 1), 3);
}

TEST(Recalcul, RecompilingKeepsBlockLoadedFormulas) {
    test::BancCalcul banc;
    TableauClasse& t = banc.Ajoute(1, 1, 2, 1);
    t.CaseEditeurChange(1, 1, "=1+2");
    t.CaseEditeurChange(2, 1, "=#");
    auto* avant = t.Expression(2, 1);
    t.ExpressionRecoderToutes();
    EXPECT_EQ(t.Expression(2, 1), avant);
    t.RecalculSansInit();
    EXPECT_EQ(t.CaseResultatInterne(1, 1), "3");
}

TEST(Saisie, EntriesAreConvertedByDisplayType) {
    struct Cas {
        std::uint8_t type;
        std::int16_t sousFormat;
        const char* saisie;
        const char* stocke;
    };
    const Cas cas[] = {
        {1, 0, "=2*3", "6"},       {0, 0, "=2*3", "2*3"},   {0, 0, "==x", "x"},
        {1, 0, "12.5%", "0,125"},  {1, 0, "abc%", "abc%"},   {1, 0, "1.5", "1,5"},
        {2, 0, "12.5%", "12,5"},   {0, 5, " dont 100", "100"}, {0, 0, "Dont 100", "Dont 100"},
        {3, 3, "01/01/2000", "36526"}, {3, 0, "15/03/2000", "36586"},
    };
    for (const auto& c : cas) {
        test::BancCalcul banc;
        TableauClasse& t = banc.Ajoute(1, 1, 1, 1);
        t.CaseTypeChange(1, 1, c.type);
        t.CaseSousFormatChange(1, 1, c.sousFormat);
        t.CaseUtilisateurChange(1, 1, c.saisie, true);
        EXPECT_EQ(t.CaseEditeur(1, 1), c.stocke) << int(c.type) << "/" << c.sousFormat << " " << c.saisie;
        EXPECT_EQ(t.CaseResultatType(1, 1), 0);
    }
}

TEST(Saisie, ActionPlanCellsKeepTheirControlCharacter) {
    test::BancCalcul banc;
    TableauClasse& t = banc.Ajoute(1, 1, 1, 1);
    t.CaseCouleurFondChange(1, 1, -20);
    t.CaseUtilisateurChange(1, 1, "\x03tache", true);
    t.CaseUtilisateurChange(1, 1, "autre", true);
    EXPECT_EQ(t.CaseEditeur(1, 1), "\x03" "autre");
}

TEST(Saisie, DuringACurrencyConversionAFormulaCellOnlyChangesItsValue) {
    test::BancCalcul banc;
    TableauClasse& t = banc.Ajoute(1, 1, 1, 2);
    t.CaseEditeurChange(1, 1, "=5");
    t.CaseScriptChange(1, 1, "S");
    t.CaseInvalidationParEntreeChange(1, 1, true);
    t.CaseInvalidationParEntreeSensChange(1, 1, 48);
    t.CaseEditeurChange(1, 2, "=6");
    t.CaseInvalidationParSommeChange(1, 2, true);
    t.RecalculSansInit();
    banc.evenements.clear();
    banc.conversion = true;
    t.CaseUtilisateurChange(1, 1, "9", true);
    EXPECT_EQ(t.CaseResultatInterne(1, 1), "9");
    EXPECT_EQ(t.CaseResultatType(1, 1), 3);
    EXPECT_EQ(t.CaseResultatType(1, 2), 3) << "no sum cell given back";
    EXPECT_TRUE(banc.evenements.empty());
}

TEST(Saisie, AnEntryGivesTheFirstSumCellInItsDirectionBackToCalculation) {
    struct Cas {
        std::uint8_t sens;
        int c, r;  // where the sum cell is
        bool trouvee;
    };
    const Cas cas[] = {{32, 2, 1, true}, {48, 2, 3, true}, {0, 1, 2, true}, {16, 3, 2, true}, {32, 2, 3, false}};
    for (const auto& k : cas) {
        test::BancCalcul banc;
        TableauClasse& t = banc.Ajoute(1, 1, 3, 3);
        t.CaseInvalidationParEntreeChange(2, 2, true);
        t.CaseInvalidationParEntreeSensChange(2, 2, k.sens);
        t.CaseEditeurChange(k.c, k.r, "=1+1");
        t.CaseInvalidationParSommeChange(k.c, k.r, true);
        t.CaseUtilisateurChange(static_cast<std::uint8_t>(k.c), static_cast<std::uint8_t>(k.r), "50", true);
        ASSERT_EQ(t.CaseResultatType(O(k.c), O(k.r)), 1);
        t.CaseUtilisateurChange(2, 2, "7", true);
        EXPECT_EQ(t.CaseResultatType(O(k.c), O(k.r)), k.trouvee ? 2 : 1) << int(k.sens);
        EXPECT_EQ(t.CaseEditeur(2, 2), "7");
    }
}

TEST(Saisie, TwoSumCellsPointingAtEachOtherEnd) {
    test::BancCalcul banc;
    TableauClasse& t = banc.Ajoute(1, 1, 2, 1);
    for (int c : {1, 2}) {
        t.CaseEditeurChange(c, 1, "=1");
        t.CaseInvalidationParEntreeChange(c, 1, true);
        t.CaseInvalidationParSommeChange(c, 1, true);
        t.CaseInvalidationParEntreeSensChange(c, 1, c == 1 ? 16 : 0);
    }
    t.CaseUtilisateurChange(1, 1, "9", true);
    EXPECT_EQ(t.CaseResultatType(1, 1), 1) << "the user's entry stays";
    EXPECT_EQ(t.CaseResultatInterne(1, 1), "9");
    EXPECT_EQ(t.CaseResultatType(2, 1), 2);
}

TEST(Saisie, ResetsGiveCellsTheirInitialValues) {
    test::BancCalcul banc;
    TableauClasse& t = banc.Ajoute(1, 1, 3, 1);
    t.CaseEstEditableChange(1, 1, true);
    t.CaseTypeChange(1, 1, 1);
    t.CaseSousFormatChange(1, 1, 2);
    t.CaseUtilisateurChange(1, 1, "1", true);
    t.CaseEditeurChange(2, 1, "=3");
    t.CaseUtilisateurChange(2, 1, "8", true);
    t.CaseCouleurFondChange(3, 1, -14);
    t.CaseScriptChange(1, 1, "S11");
    t.InitialiseUtilisateur();
    EXPECT_EQ(t.CaseValeurAAfficher(1, 1), "ind\xE9" "fini") << "an order-status cell";
    EXPECT_EQ(t.CaseResultatType(2, 1), 2);
    EXPECT_EQ(t.CaseEditeur(3, 1), "0");
    EXPECT_FALSE(t.CaseEstEditable(3, 1));
    using E = std::pair<std::string, std::string>;
    EXPECT_EQ(banc.evenements, (std::vector<E>{{"S11", "SUR INIT"}}));
    banc.evenements.clear();
    t.InitialiseCaseUtilisateur(1, 1, true);
    EXPECT_EQ(banc.evenements, (std::vector<E>{{"S11", "SUR FINEDITION"}}));
}

TEST(Zones, EntryAndEmptinessTests) {
    test::BancCalcul banc;
    TableauClasse& t = banc.Ajoute(1, 1, 4, 4);
    t.CaseEstEditableChange(3, 4, true);
    t.CaseUtilisateurChange(3, 4, "x", true);
    int c1 = 3, r1 = 0, c2 = 0, r2 = 0;
    EXPECT_EQ(t.ZoneContientSaisie(c1, r1, c2, r2), 1);
    EXPECT_EQ(r1, 1);
    EXPECT_EQ(r2, 4);
    EXPECT_EQ(t.ZoneEstElleVide(3, 0, 0, 0), 0);
    EXPECT_EQ(t.ZoneEstElleVide(1, 1, 4, 4), 1);
    c1 = 1, r1 = 1, c2 = 2, r2 = 2;
    t.CaseEditeurChange(1, 1, "=1");
    EXPECT_EQ(t.ZoneContientSaisie(c1, r1, c2, r2), 0) << "formulas and normal colours";
    for (int c = 1; c <= 2; ++c) t.CaseCouleurFondChange(static_cast<std::uint8_t>(c), 1, -18);
    EXPECT_TRUE(t.ZoneEstPlanAction(1, 1, 2, 1));
    EXPECT_FALSE(t.ZoneEstPlanAction(1, 1, 2, 2));
    c1 = 1, r1 = 1, c2 = 2, r2 = 1;
    EXPECT_EQ(t.ZoneContientSaisie(c1, r1, c2, r2), 0);
    t.CaseCouleurFondChange(2, 1, -19);
    EXPECT_EQ(t.ZoneContientSaisie(c1, r1, c2, r2), 1);
    c1 = 2, r1 = 1, c2 = 0, r2 = 0;
    EXPECT_EQ(t.ZoneContientSaisie(c1, r1, c2, r2), 1) << "last column and row 0: the first ones";
    c1 = 3, r1 = 3, c2 = 200, r2 = 200;
    EXPECT_EQ(t.ZoneContientSaisie(c1, r1, c2, r2), 1) << "clamped to the grid";
    EXPECT_EQ(t.ZoneEstElleVide(5, 5, 250, 250), 0);
}

TEST(Zones, ValidityOfAZoneInvalidatesDependants) {
    test::BancCalcul banc;
    TableauClasse& t = banc.Ajoute(1, 1, 2, 2);
    t.CaseTypeChange(1, 1, 1);
    t.CaseEditeurChange(1, 1, "=4");
    t.CaseEditeurChange(2, 2, "=" + Ref(1, 1, 1, 1) + "+1");
    banc.ReferencesRecreer();
    t.RecalculSansInit();
    banc.MarquesReinit();
    t.InvalidationZoneRendInvalide(1, 1, 9, 9);
    t.RecalculSansInit();
    EXPECT_EQ(t.CaseResultatInterne(2, 2), "1");
    EXPECT_EQ(t.CaseInvalidationStockee(2, 2) & 7, 2);
    banc.MarquesReinit();
    t.InvalidationZoneRendValide(1, 1, 1, 1);
    t.RecalculSansInit();
    EXPECT_EQ(t.CaseResultatInterne(2, 2), "5");
}

}  // namespace
}  // namespace korv::grid

namespace korv::grid {
namespace {

TEST(Edition, TheEditBoxStartsWithTheTextTheCellKeeps) {
    test::BancCalcul banc;
    TableauClasse& t = banc.Ajoute(1, 1, 4, 2);
    for (int c = 1; c <= 4; ++c) t.CaseEstEditableChange(c, 1, true);
    t.CaseEditeurChange(1, 1, "=2+3");
    t.RecalculSansInit();
    t.CaseTypeChange(2, 1, 3);
    t.CaseEditeurChange(2, 1, "36526");
    t.CaseTypeChange(3, 1, 1);
    t.CaseEditeurChange(3, 1, "2,50");
    t.CaseEditeurChange(4, 1, "\xA4" "12");
    struct Cas {
        int c;
        const char* texte;
    };
    for (const Cas& k : {Cas{1, "5"}, Cas{2, "01/01/2000"}, Cas{3, "2,5"}, Cas{4, "12"}}) {
        const auto e = t.CaseEditer(k.c, 1);
        ASSERT_TRUE(e.has_value()) << k.c;
        EXPECT_EQ(e->texte, k.texte);
    }
    EXPECT_FALSE(t.CaseEditer(1, 2).has_value()) << "not editable";
    t.CaseEstEditableChange(2, 2, true);
    t.CaseCouleurFondChange(2, 2, -16);
    EXPECT_FALSE(t.CaseEditer(2, 2).has_value()) << "no currency cell on its left";
    t.CaseSousFormatChange(1, 2, 5);
    t.CaseEditeurChange(1, 2, "300");
    const auto e = t.CaseEditer(2, 2);
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(e->colonne, 1) << "the edit goes to the cell shown with the currency sign";
    EXPECT_EQ(e->texte, "300");
}

}  // namespace
}  // namespace korv::grid
