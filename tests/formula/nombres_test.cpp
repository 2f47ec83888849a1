#include "formula/nombres.h"

#include <gtest/gtest.h>

#include "formula/valeur.h"

namespace korv::formula {
namespace {

TEST(Nombres, NumberTest) {
    struct Cas {
        const char* texte;
        std::optional<double> valeur;
    };
    const Cas cas[] = {
        {"12", 12},       {" -1,25 ", -1.25}, {"1.5", 1.5},   {"+3", 3},       {".5", 0.5},
        {"5.", 5},        {"1E-5", 1e-5},     {"2e3", 2000},  {"1D2", 100},    {"", std::nullopt},
        {"-", std::nullopt}, {"1E", std::nullopt}, {"E5", std::nullopt}, {"1,2,3", std::nullopt},
        {"1 2", std::nullopt}, {"'1'", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt},
        {"1E999", std::nullopt}, {"0x10", std::nullopt},
        // Figures as the grids show them: a blank (or a no-break space)
        // between groups of three digits.
        {"12 500", 12500}, {"1 234,5", 1234.5}, {"-1 000", -1000}, {" 1 000 000 ", 1e6},
        {"1\xA0" "234,5", 1234.5}, {"15 000,0", 15000}, {"1 234E2", 123400},
        {"12 50", std::nullopt}, {"1 2345", std::nullopt}, {"1234 567", std::nullopt},
        {"1  000", std::nullopt}, {"1 000 00", std::nullopt}, {"1,5 000", std::nullopt},
    };
    for (const auto& c : cas) EXPECT_EQ(LitNombre(c.texte), c.valeur) << c.texte;
}

TEST(Nombres, ValReadsTheLeadingNumber) {
    struct Cas {
        const char* texte;
        double valeur;
    };
    const Cas cas[] = {{"12abc", 12}, {" 1 2 3", 123}, {"2,5", 2}, {"2.5", 2.5}, {"-7", -7},
                       {"abc", 0},    {"", 0},         {"&H1F", 31}, {"&O17", 15}, {"1E2x", 100},
                       {"3E", 3},     {".", 0}};
    for (const auto& c : cas) EXPECT_EQ(Val(c.texte), c.valeur) << c.texte;
}

TEST(Nombres, FormatsAndZeros) {
    EXPECT_EQ(FormatNombre(-1234.5), "-1234,5");
    EXPECT_EQ(FormatNombre(1.0 / 3.0), "0,333333333333333");
    EXPECT_EQ(FormatNombre(2.5e-7), "2,5E-07");
    EXPECT_EQ(FormatNombre(-1e20), "-1E+20");
    EXPECT_EQ(FormatZeros(42, 5), "00042");
    EXPECT_EQ(FormatZeros(-42, 3), "-042");
    EXPECT_EQ(FormatZeros(123456, 3), "123456");
    EXPECT_EQ(ArrondiPair(0.5), 0);
    EXPECT_EQ(ArrondiPair(1.5), 2);
    EXPECT_EQ(ArrondiPair(-1.5), -2);
}

TEST(Nombres, DateSerials) {
    EXPECT_EQ(DateSerie(1899, 12, 30), 0);
    EXPECT_EQ(DateSerie(1899, 12, 31), 1);
    EXPECT_EQ(DateSerie(1900, 3, 1), 61);
    EXPECT_EQ(DateSerie(2024, 1, 15), 45306);
    // Months and days carry over.
    EXPECT_EQ(DateSerie(2023, 13, 15), DateSerie(2024, 1, 15));
    EXPECT_EQ(DateSerie(2024, 3, 0), DateSerie(2024, 2, 29));
    EXPECT_EQ(DateSerie(2024, 0, 1), DateSerie(2023, 12, 1));
    const AnneeMoisJour d = DateVersAMJ(45306.75);
    EXPECT_EQ(d.annee, 2024);
    EXPECT_EQ(d.mois, 1);
    EXPECT_EQ(d.jour, 15);
    EXPECT_EQ(DateVersAMJ(-1.5).jour, 29);  // 29 December 1899, 12:00
    EXPECT_EQ(DateVersAMJ(kDateMin).annee, 100);
    EXPECT_EQ(DateVersAMJ(kDateMax).annee, 9999);
    EXPECT_THROW(DateSerie(10000, 1, 1), ErreurExecution);
    EXPECT_THROW(DateVersAMJ(kDateMax + 1), ErreurExecution);
}

TEST(Nombres, MonthArithmetic) {
    EXPECT_EQ(DateAjouteMois(DateSerie(2024, 1, 31), 1), DateSerie(2024, 2, 29));
    EXPECT_EQ(DateAjouteMois(DateSerie(2023, 1, 31), 1), DateSerie(2023, 2, 28));
    EXPECT_EQ(DateAjouteMois(DateSerie(2024, 3, 31), -13), DateSerie(2023, 2, 28));
    EXPECT_EQ(DateAjouteMois(DateSerie(2024, 1, 15) + 0.5, 12), DateSerie(2025, 1, 15) + 0.5);
    EXPECT_EQ(DateAjouteMois(DateSerie(2024, 1, 15), 2.5), DateSerie(2024, 3, 15));  // half to even
    EXPECT_EQ(DateDiffMois(DateSerie(2024, 1, 31), DateSerie(2024, 2, 1)), 1);
    EXPECT_EQ(DateDiffMois(DateSerie(2024, 3, 1), DateSerie(2023, 12, 31)), -3);
    EXPECT_EQ(MoisPremierJour(DateSerie(2024, 2, 17)), DateSerie(2024, 2, 1));
    EXPECT_EQ(MoisDernierJour(DateSerie(2024, 2, 17)), DateSerie(2024, 2, 29));
    EXPECT_THROW(DateAjouteMois(kDateMax, 1), ErreurExecution);
}

TEST(Nombres, DateTexts) {
    EXPECT_EQ(LitDate("15/01/2024"), 45306);
    EXPECT_EQ(LitDate("15-1-24"), 45306);
    EXPECT_EQ(LitDate("15/01/2024 12:00"), 45306.5);
    EXPECT_EQ(LitDate("06:00"), 0.25);
    EXPECT_EQ(LitDate("31/02/2024"), std::nullopt);
    EXPECT_EQ(LitDate("15/13/2024"), std::nullopt);
    EXPECT_EQ(LitDate("abc"), std::nullopt);
    EXPECT_EQ(LitDate("15/01/2024x"), std::nullopt);
    EXPECT_EQ(FormatDateMotif(DateSerie(2024, 2, 5), "mmm yyyy"), "f\xE9vr. 2024");
    EXPECT_EQ(FormatDateMotif(DateSerie(2024, 8, 5), "dddd d mmmm yy"), "lundi 5 ao\xFBt 24");
    EXPECT_EQ(FormatDateMotif(DateSerie(2024, 12, 25) + 0.5, "dd/mm/yyyy hh:nn"), "25/12/2024 12:00");
}

}  // namespace
}  // namespace korv::formula
