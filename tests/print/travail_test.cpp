#include "print/travail.h"

#include <gtest/gtest.h>

namespace korv::print {
namespace {

TEST(PrintJob, MarginsInTwipsUnrounded) {
    ImpressionTravail t;
    ImprimeMargesFixe(t, 20, 15, 20, 15, 5, 5);
    EXPECT_DOUBLE_EQ(t.MargeGauche, 1134);
    EXPECT_DOUBLE_EQ(t.MargeDroite, 1134);
    EXPECT_DOUBLE_EQ(t.MargeHaut, 850.5);
    EXPECT_DOUBLE_EQ(t.MargeBas, 850.5);
    EXPECT_DOUBLE_EQ(t.EcartPied, 283.5);
    EXPECT_DOUBLE_EQ(t.EcartEnTete, 283.5);
}

TEST(PrintJob, PrinterPageInTwips) {
    struct Cas {
        CaracteristiquesImprimante c;
        std::int32_t x, y, droite, bas;
    };
    const Cas cas[] = {
        // 600 dpi, 150 pixels of unprintable edge: 6.35 mm, 360.045 twips.
        {{150, 150, 4800, 6000, 203.2, 254.0, 0, 0, 11520, 14400}, 360, 360, 11520, 14400},
        // Half twips go to the even neighbour: 10 px at 1 px/mm = 567 twips.
        {{10, 5, 100, 100, 100, 100, 0, 0, 1000.5, 1001.5}, 567, 284, 1000, 1002},
        // A printer that reports no size: offsets 0, no division by zero.
        {{150, 150, 4800, 6000, 0, 0, 0, 0, 11520, 14400}, 0, 0, 11520, 14400},
        {{150, 150, 0, 0, 203.2, 254.0, 0, 0, 0, 0}, 0, 0, 0, 0},
    };
    for (const auto& c : cas) {
        ImpressionTravail t;
        ImprimePrepareDebut(t, 1, c.c);
        EXPECT_EQ(t.ImprimanteDecalageX, c.x);
        EXPECT_EQ(t.ImprimanteDecalageY, c.y);
        EXPECT_EQ(t.ImprimanteDroite, c.droite);
        EXPECT_EQ(t.ImprimanteBas, c.bas);
        EXPECT_EQ(t.ModeImpressionExport, 1);
    }
}

TEST(PrintJob, ANewJobClearsHeaderAndListButKeepsMarginsAndNumbering) {
    ImpressionTravail t;
    ImprimeMargesFixe(t, 10, 10, 10, 10, 1, 1);
    t.PremierNumero = 3;
    ImprimeEnTeteFixe(t, "A", true, true);
    ImprimeEnTeteFixe(t, "B", true, false);  // the second header replaces the first
    EXPECT_EQ(t.EnTetePied.EnTeteTexte, "B");
    EXPECT_FALSE(t.EnTetePied.EnTetePremierePage);
    ImprimePiedDePageFixe(t, "P", true, true);
    t.SommaireActif = true;
    t.NumeroTitre = 4;
    t.TextesAImprimer.emplace_back(std::string("x"));
    t.Elements.emplace_back();
    ImprimePrepareDebut(t, 2, ImprimanteFixe().page);
    EXPECT_EQ(t.ModeImpressionExport, 2);
    EXPECT_EQ(t.EnTetePied.EnTeteTexte, "");
    EXPECT_EQ(t.EnTetePied.PiedTexte, "");
    EXPECT_FALSE(t.EnTetePied.EnTeteAffiche || t.EnTetePied.PiedAffiche || t.EnTetePied.PiedPremierePage);
    EXPECT_FALSE(t.SommaireActif);
    EXPECT_EQ(t.NumeroTitre, 0);
    EXPECT_TRUE(t.TextesAImprimer.empty());
    EXPECT_TRUE(t.Elements.empty());
    EXPECT_DOUBLE_EQ(t.MargeGauche, 567);
    EXPECT_EQ(t.PremierNumero, 3);
}

TEST(PrintJob, PageNumbersAndTheCoverRule) {
    struct Cas {
        bool entetePremiere, piedPremiere;
        std::int32_t premier, page, numero;
    };
    const Cas cas[] = {
        {false, false, 1, 3, 2},  // page 1 an unnumbered cover
        {true, false, 1, 3, 3},
        {false, true, 1, 3, 3},
        {false, false, 5, 1, 4},
        {true, true, 5, 2, 6},
    };
    for (const auto& c : cas) {
        ImpressionTravail t;
        t.EnTetePied.EnTetePremierePage = c.entetePremiere;
        t.EnTetePied.PiedPremierePage = c.piedPremiere;
        t.PremierNumero = c.premier;
        EXPECT_EQ(NumeroImprime(t, c.page), c.numero);
    }
}

}  // namespace
}  // namespace korv::print
