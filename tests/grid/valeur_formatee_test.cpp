// The text a cell shows, by result type, display type and sub-format.

#include <gtest/gtest.h>

#include "grid/case_tableau.h"
#include "grid/valeur_formatee.h"

namespace korv::grid {
namespace {

CaseTableau Cellule(std::uint8_t type, std::int16_t sousFormat, std::string texte,
                    std::uint8_t resultat = resultat::kEntree) {
    CaseTableau x;
    x.Texte = std::move(texte);
    x.ResultatType = resultat;
    if (type != 0 || sousFormat != 0) {
        x.AttributModifiable().TypeAffichage = type;
        x.AttributModifiable().SousFormat = sousFormat;
    }
    return x;
}

TEST(ValeurFormatee, TableOfDisplayTypesAndSubFormats) {
    struct Cas {
        std::uint8_t type;
        std::int16_t sousFormat;
        const char* texte;
        const char* attendu;
    };
    const Cas cas[] = {
        // numbers
        {1, 0, "1234,56", "1 234,6"},
        {1, 0, "1234.56", "1 234,6"},
        {1, 0, "-1234567,25", "-1 234 567,3"},
        {1, 0, "0,15", "0,2"},
        {1, 0, "-0,04", "0,0"},
        {1, 0, "999,96", "1 000,0"},
        {1, 3, "1234,5", "1 234,50"},
        {1, 1, "-2,5", "-3"},
        {1, 1, "7,9", "7"},
        {1, 2, "2", "\xE0 signer"},
        {1, 2, "7", "ind\xE9" "fini"},
        {1, 2, "abc", "ind\xE9" "fini"},
        {1, 4, "0,25", "0,25"},
        {1, 0, "abc", "#Erreur#"},  // an entry that is no number: an error, not a blank
        {1, 0, "", ""},
        {1, 0, "  ", ""},
        {1, 0, "12 500", "12 500,0"},
        // percentages: the value is not multiplied
        {2, 0, "5", "5,0 %"},
        {2, 1, "5", "5,0%"},
        {2, 2, "12,5", "12,50%"},
        {2, 0, "x", "#Erreur#"},
        // dates
        {3, 3, "36526", "01/01/2000"},
        {3, 0, "36526", "01/01/2000"},
        {3, 1, "36557", "f\xE9vrier"},
        {3, 4, "36526", "2000"},
        {3, 2, "36526", "janv. 2000"},
        {3, 5, "36526", "janv.\r\n2000"},
        {3, 3, "0", ""},
        {3, 3, "-5", ""},
        {3, 3, "abc", ""},
        {3, 3, "2958466", ""},
        {3, 3, "1E300", ""},
        // texts
        {0, 0, "abc", "abc"},
        {0, 6, "\xE9t\xE9", "\xC9t\xE9"},
        {0, 5, "100", "\xA4       Dont 100"},
        {9, 3, "brut", "brut"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(CaseValeurFormatee(Cellule(c.type, c.sousFormat, c.texte)), c.attendu)
            << int(c.type) << "/" << c.sousFormat << " " << c.texte;
    }
}

TEST(ValeurFormatee, SourceTextFollowsTheResultType) {
    auto formule = Cellule(1, 0, "=A1+1", resultat::kACalculer);
    formule.Valeur = "3";
    EXPECT_EQ(CaseValeurFormatee(formule), "") << "a number cell not yet computed reads its formula text";
    auto texte = Cellule(0, 0, "=A1+1", resultat::kACalculer);
    EXPECT_EQ(CaseValeurFormatee(texte), "=A1+1");
    for (auto type : {resultat::kCalcule, resultat::kEntreeSurFormule}) {
        formule.ResultatType = type;
        EXPECT_EQ(CaseValeurFormatee(formule), "3,0");
    }
    for (int affichage : {0, 1, 2, 3, 7}) {
        EXPECT_EQ(CaseValeurFormatee(Cellule(static_cast<std::uint8_t>(affichage), 0, "1", resultat::kErreur)), "#Erreur#");
    }
}

// Only an entry that is no number shows as an error: a computed value
// that is none stays blank, as a formula may mean it.
TEST(ValeurFormatee, OnlyAnEntryThatIsNoNumberShowsAsAnError) {
    auto calcule = Cellule(1, 0, "=A1", resultat::kCalcule);
    calcule.Valeur = "n/a";
    EXPECT_EQ(CaseValeurFormatee(calcule), "");
    calcule.ResultatType = resultat::kEntreeSurFormule;
    EXPECT_EQ(CaseValeurFormatee(calcule), "#Erreur#");
    EXPECT_EQ(CaseValeurFormatee(Cellule(1, 0, "\x05" "12")), "") << "a frame code is no entry";
}

TEST(ValeurFormatee, AtMostFourDecimalsWithoutTrailingZeros) {
    EXPECT_EQ(FormatDecimalesAuPlus(1234.5, 4), "1 234,5");
    EXPECT_EQ(FormatDecimalesAuPlus(1.23456, 4), "1,2346");
    EXPECT_EQ(FormatDecimalesAuPlus(-1234567.00004, 4), "-1 234 567");
    EXPECT_EQ(FormatDecimalesAuPlus(-0.00001, 4), "0");
    EXPECT_EQ(FormatDecimalesAuPlus(0.1, 4), "0,1");
}

TEST(ValeurFormatee, DecimalsRoundHalfAwayFromZeroOnTheShownDigits) {
    EXPECT_EQ(FormatDecimales(2.675, 2, false), "2,68");
    EXPECT_EQ(FormatDecimales(-2.5, 0, false), "-3");
    EXPECT_EQ(FormatDecimales(1e15, 1, true), "1 000 000 000 000 000,0");
    EXPECT_EQ(FormatDecimales(0.0001, 2, false), "0,00");
    EXPECT_EQ(FormatDecimales(123, 1, true), "123,0");
}

}  // namespace
}  // namespace korv::grid
