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

// A -1 paired with a real bound is no whole grid: it is skipped like any
// index outside the grid, by every setter.
TEST(TableauImpression, AHalfWholeZoneIsNoWholeGrid) {
    auto t = test::Grille(test::Enregistrement(3, 6));
    int c1 = 1, r1 = -1, c2 = 1, r2 = 5;
    t->ZoneImprimeBord(c1, r1, c2, r2);
    t->ZoneImprimeFond(c1, r1, c2, r2);
    t->ZoneImprimeFormat(c1, r1, c2, r2, 3);
    EXPECT_EQ((std::vector<int>{c1, r1, c2, r2}), (std::vector<int>{1, -1, 1, 5})) << "not written back";
    for (int r = 1; r <= 6; ++r) {
        const auto& a = t->Ligne(r).AttributImpression;
        EXPECT_EQ((std::vector<int>{a.ImprimeBord, a.ImprimeFond, a.ImprimeFormat}),
                  r <= 5 ? (std::vector<int>{1, 1, 3}) : (std::vector<int>{0, 0, 0}))
            << r;
    }
    t->ZoneRendImprimable(c1, r1, c2, r2);
    EXPECT_EQ(Imprimables(*t, true), (std::vector<int>{1, 1, 1, 1, 1, 0}));
}

// Zones a script may pass that reach outside the grid (3 columns, 4 rows):
// each setter marks only the rows and columns of the grid the zone crosses.
TEST(TableauImpression, BadZonesMarkOnlyWhatLiesInTheGrid) {
    struct Cas {
        int c1, r1, c2, r2;
        std::vector<int> colonnes;  // marked, in 1..3
        std::vector<int> lignes;    // marked, in 1..4
    };
    const Cas cas[] = {
        {0, 0, 0, 0, {}, {}},
        {-1, 2, -1, 3, {1, 2, 3}, {2, 3}},  // whole columns: the one pair that means it
        {-1, 0, 2, 0, {1, 2}, {}},
        {1, -5, 1, -1, {1}, {}},
        {300, 300, 400, 400, {}, {}},
        {256, 1, 256, 1, {}, {1}},
        {2, 3, 255, 255, {2, 3}, {3, 4}},
        {-32768, -32768, 32767, 32767, {1, 2, 3}, {1, 2, 3, 4}},
        {3, 4, 1, 2, {}, {}},  // reversed bounds: nothing
    };
    for (const Cas& z : cas) {
        auto t = test::Grille(test::Enregistrement(3, 4));
        int a = z.c1, b = z.r1, c = z.c2, d = z.r2;
        t->ZoneRendImprimable(a, b, c, d);
        a = z.c1, b = z.r1, c = z.c2, d = z.r2;
        t->ZoneImprimeBord(a, b, c, d);
        a = z.c1, b = z.r1, c = z.c2, d = z.r2;
        t->ZoneImprimeFond(a, b, c, d);
        a = z.c1, b = z.r1, c = z.c2, d = z.r2;
        t->ZoneImprimeFormat(a, b, c, d, 5);
        const auto marques = [&](bool lignes) {
            std::vector<int> v;
            for (int i = 1; i <= (lignes ? 4 : 3); ++i) {
                const auto& x = lignes ? t->Ligne(i).AttributImpression : t->Colonne(i).AttributImpression;
                EXPECT_EQ(x.ImprimeBord, x.Imprimable);
                EXPECT_EQ(x.ImprimeFond, x.Imprimable);
                EXPECT_EQ(x.ImprimeFormat, x.Imprimable * 5);
                if (x.Imprimable) v.push_back(i);
            }
            return v;
        };
        const std::string nom = std::to_string(z.c1) + "," + std::to_string(z.r1) + "," + std::to_string(z.c2) + "," +
                                std::to_string(z.r2);
        EXPECT_EQ(marques(false), z.colonnes) << nom;
        EXPECT_EQ(marques(true), z.lignes) << nom;
        t->InitialiseZoneImpression();
        t->ZoneRendNonImprimable(z.c1, z.r1, z.c2, z.r2);
        for (int r = 1; r <= 4; ++r) {
            const bool cache = r >= z.r1 && r <= z.r2;
            EXPECT_EQ(t->Ligne(r).AttributImpression.Imprimable, cache ? 0 : 1) << nom << " row " << r;
        }
    }
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
