// Print attributes over zones, the print title, and hidden cell contents.

#include <gtest/gtest.h>

#include "formula/valeur.h"
#include "grid/tableau.h"
#include "grille_fabrique.h"
#include "platform/binary_reader.h"

namespace korv::grid {
namespace {

std::vector<int> Imprimables(const TableauClasse& t, bool lignes) {
    std::vector<int> v;
    const int n = lignes ? t.LigneNb() : t.ColonneNb();
    for (int i = 1; i <= n; ++i) {
        v.push_back(lignes ? t.Ligne(i).AttributImpression.Imprimable : t.Colonne(i).AttributImpression.Imprimable);
    }
    return v;
}

TEST(TableauImpression, MinusOnePairsAreTheWholeGrid) {
    auto t = test::Grille(test::Enregistrement(3, 4));
    int c1 = -1, r1 = -1, c2 = -1, r2 = -1;
    t->ZoneRendImprimable(c1, r1, c2, r2);
    EXPECT_EQ(Imprimables(*t, true), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(Imprimables(*t, false), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ((std::vector<int>{c1, r1, c2, r2}), (std::vector<int>{1, 1, 3, 4}));
}

TEST(TableauImpression, AHalfWholeZoneIsNoWholeGrid) {
    auto t = test::Grille(test::Enregistrement(3, 6));
    int c1 = 1, r1 = -1, c2 = 1, r2 = 5;
    EXPECT_THROW(t->ZoneImprimeBord(c1, r1, c2, r2), formula::ErreurExecution);
    EXPECT_THROW(t->ZoneImprimeFond(c1, r1, c2, r2), formula::ErreurExecution);
    EXPECT_THROW(t->ZoneImprimeFormat(c1, r1, c2, r2, 3), formula::ErreurExecution);
    EXPECT_EQ(t->Ligne(1).AttributImpression.ImprimeBord, 0);
    t->ZoneRendImprimable(c1, r1, c2, r2);
    EXPECT_EQ(Imprimables(*t, true), (std::vector<int>{1, 1, 1, 1, 1, 0}));
}

TEST(TableauImpression, OneCellMarksItsRowAndColumn) {
    auto t = test::Grille(test::Enregistrement(4, 5));
    int c1 = 3, r1 = 4, c2 = 3, r2 = 4;
    t->ZoneImprimeFond(c1, r1, c2, r2);
    t->ZoneImprimeFormat(c1, r1, c2, r2, 7);
    for (int r = 1; r <= 5; ++r) EXPECT_EQ(t->Ligne(r).AttributImpression.ImprimeFond, r == 4 ? 1 : 0);
    for (int c = 1; c <= 4; ++c) EXPECT_EQ(t->Colonne(c).AttributImpression.ImprimeFormat, c == 3 ? 7 : 0);
}

TEST(TableauImpression, NotPrintablePastTheLastRowTouchesOnlyRows) {
    auto t = test::Grille(test::Enregistrement(2, 3));
    t->InitialiseZoneImpression();
    t->ZoneRendNonImprimable(0, 2, 0, 200);
    EXPECT_EQ(Imprimables(*t, true), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(Imprimables(*t, false), (std::vector<int>{1, 1}));
}

TEST(TableauImpression, TitleMarks) {
    TableauClasse t;
    t.ImprimeChangeTitre("Plan \xA7" "2025\xA7 \xA4 fin\xA4", 9);
    EXPECT_EQ(t.ImprimeTitreRetourne(), "Plan '2025' . fin.");
    EXPECT_EQ(t.ImprimeTitreTaille(), 9);
    t.ImprimeChangeTitre("Sans marque", 7);
    EXPECT_EQ(t.ImprimeTitreRetourne(), "Sans marque");
}

TEST(TableauImpression, FullGridAndEightZeroWords) {
    auto t = test::Grille(test::Enregistrement(1, 255, 100, 100));
    t->InitialiseZoneImpression();
    EXPECT_EQ(t->Ligne(255).AttributImpression.Imprimable, 1);
    ImpressionTableauAttribut a;
    a.Imprimable = 1;
    const std::vector<std::uint8_t> zeros(16, 0);
    BinaryReader in(zeros);
    a.LitDansFichier(in);
    EXPECT_EQ(a, ImpressionTableauAttribut{});
    t->ImprimeChangeColonneLargeurMinimale(1, 2500);
    EXPECT_EQ(t->ColonneImprime(1)->LargeurMinimale, 2500);
}

TEST(TableauImpression, InvisibleZones) {
    auto t = test::Grille(test::Enregistrement(3, 3));
    t->ZoneRendInvisible(2, 2, 9, 9);
    EXPECT_EQ(t->CaseInvisible(3, 3), 255);
    EXPECT_EQ(t->CaseInvisible(1, 1), 0);
    EXPECT_FALSE(t->Case(1, 3)->AttributPropre());
    t->ZoneRendVisible(1, 1, 3, 3);
    EXPECT_EQ(t->CaseInvisible(3, 3), 0);
}

}  // namespace
}  // namespace korv::grid
