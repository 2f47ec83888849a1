#include "formula/mois.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "formula/nombres.h"

namespace korv::formula {
namespace {

TEST(Mois, NumberIsBroughtIntoTheYear) {
    struct Cas {
        double x;
        int mois;
    };
    const Cas cas[] = {{0, 0},   {1, 1},     {12, 12},  {12.9, 12}, {13, 1},  {24, 0},
                       {25, 1},  {-1, 11},   {-12, 0},  {-13, 11},  {-0.5, 11}, {0.5, 0},
                       {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& c : cas) EXPECT_EQ(MoisNumero(c.x), c.mois) << c.x;
    EXPECT_LE(MoisNumero(-1e300), 11);
}

TEST(Mois, FrenchNames) {
    EXPECT_EQ(MoisNom(1), "janvier");
    EXPECT_EQ(MoisNom(2), "f\xE9vrier");
    EXPECT_EQ(MoisNom(8), "ao\xFBt");
    EXPECT_EQ(MoisNom(12), "d\xE9" "cembre");
    EXPECT_EQ(MoisNom(13), "janvier");
    EXPECT_EQ(MoisNom(24), "");
    EXPECT_EQ(MoisNom(0), "");
}

// Today is 10 March 2026 unless a case says otherwise.
class TexteVersDate : public ::testing::Test {
protected:
    const double aujourdhui = DateSerie(2026, 3, 10) + 0.75;  // the time of day is ignored
    static std::int32_t Jour(int a, int m, int j) { return static_cast<std::int32_t>(DateSerie(a, m, j)); }
};

TEST_F(TexteVersDate, MonthWords) {
    struct Cas {
        const char* texte;
        int mois;
    };
    const Cas cas[] = {
        {"janv", 1},   {"Janvier", 1}, {"JANVIER", 1},     {"jv", 1},        {"f\xE9vrier", 2},
        {"fevrier", 2}, {"F\xC9VRIER", 2}, {"f\xE9v", 2},  {"fvr", 2},       {"ms", 3},
        {"avril", 4},  {"Mai", 5},     {"jun", 6},         {"jllt", 7},      {"aout", 8},
        {"ao\xFBt", 8}, {"aou", 8},    {"septbr", 9},      {"oct", 10},      {"novbr", 11},
        {"d\xE9" "cembre", 12},        {"D\xC9" "C", 12},  {"dec", 12},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(MoisTexteVersDate(c.texte, 1, aujourdhui), Jour(2026, c.mois, 1)) << c.texte;
        EXPECT_EQ(MoisTexteVersDate(c.texte, 3, aujourdhui), Jour(2026, c.mois, 1)) << c.texte;
    }
}

TEST_F(TexteVersDate, NumbersDatesAndUnusableTexts) {
    const std::int32_t aujourdhuiJour = Jour(2026, 3, 10);
    const std::int32_t debutDuMois = Jour(2026, 3, 1);
    struct Cas {
        const char* texte;
        int sousFormat;
        std::int32_t attendu;
    };
    const Cas cas[] = {
        {"3", 1, Jour(2026, 3, 1)},
        {"12", 1, Jour(2026, 12, 1)},
        {"1,5", 1, Jour(2026, 1, 1)},  // the leading number is read with a full stop only
        {"2027", 1, Jour(2027, 3, 1)},  // a year: the current month of that year
        {"2027", 3, Jour(2027, 3, 1)},
        {"150", 3, Jour(150, 3, 1)},
        {"20", 3, Jour(2026, 3, 20)},   // a day of the current month
        {"20", 1, Jour(2026, 3, 1)},
        {"45", 3, Jour(1945, 3, 1)},    // a two-digit year
        {"15/03/2026", 3, Jour(2026, 3, 15)},
        {"15/03/2026", 1, Jour(2026, 3, 1)},
        {"29/02/2024", 2, Jour(2024, 2, 1)},
        {"xyz", 3, aujourdhuiJour},
        {"xyz", 1, debutDuMois},
        {"", 3, aujourdhuiJour},
        {" janv", 3, aujourdhuiJour},  // words are compared whole, without trimming
        {"0", 3, aujourdhuiJour},
        {"-5", 1, debutDuMois},
        {"0.5", 3, aujourdhuiJour},  // below one: no month
        {"9999", 3, aujourdhuiJour},
        {"12000", 1, debutDuMois},
        {"31/02/2026", 3, aujourdhuiJour},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(MoisTexteVersDate(c.texte, c.sousFormat, aujourdhui), c.attendu)
            << c.texte << " sub-format " << c.sousFormat;
    }
}

TEST_F(TexteVersDate, DayBeyondTheMonthIsATwoDigitYear) {
    const double fevrier = DateSerie(2026, 2, 10);
    struct Cas {
        const char* texte;
        std::int32_t attendu;
    };
    // 00 to 29 are years of the 2000s, 30 on of the 1900s.
    const Cas cas[] = {
        {"28", Jour(2026, 2, 28)},
        {"29", Jour(2029, 2, 1)},
        {"30", Jour(1930, 2, 1)},
        {"31", Jour(1931, 2, 1)},
    };
    for (const Cas& c : cas) EXPECT_EQ(MoisTexteVersDate(c.texte, 3, fevrier), c.attendu) << c.texte;
}

TEST(Mois, TodayIsAWholeDay) {
    const double d = DateDuJour();
    EXPECT_EQ(d, std::floor(d));
    EXPECT_GT(d, DateSerie(2020, 1, 1));
}

}  // namespace
}  // namespace korv::formula
