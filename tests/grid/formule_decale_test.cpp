#include "grid/formule_decale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace korv::grid {
namespace {

constexpr DecalageZone kToutBas2{0, 0, 255, 255, 0, 2};

struct CasDecalage {
    const char* nom;
    const char* texte;
    const char* prefixe;
    DecalageZone zone;
    bool absolus;
    const char* attendu;
};

// Printed by its name, so that the test list stays the same from one run to the next.
void PrintTo(const CasDecalage& c, std::ostream* os) { *os << c.nom; }

class FormuleDecaleTable : public testing::TestWithParam<CasDecalage> {};

TEST_P(FormuleDecaleTable, RewritesAsExpected) {
    const CasDecalage& c = GetParam();
    EXPECT_EQ(FormuleDecale(c.texte, ListeFonctionsADecaler(), c.prefixe, c.zone, c.absolus), c.attendu);
}

const CasDecalage kCas[] = {
    {"RowFollowsAFillDown", "=Plan.Total.Case[3.4]*2", ".", kToutBas2, false, "=Plan.Total.Case[3.6]*2"},
    {"AbsoluteRowStays", "=Plan.Total.Case[3.$4]", ".", kToutBas2, false, "=Plan.Total.Case[3.$4]"},
    {"AbsoluteRowMovesWhenAsked", "=Plan.Total.Case[$3.$4]", ".", kToutBas2, true, "=Plan.Total.Case[$3.$6]"},
    {"OtherPropertyUntouched", "=Plan.Total.Texte[3.4]", ".", kToutBas2, false, "=Plan.Total.Texte[3.4]"},
    {"OutsideTheZoneUntouched", "=Plan.Total.Case[3.4]", ".", {1, 1, 2, 10, 0, 2}, false, "=Plan.Total.Case[3.4]"},
    {"CaseIgnored", "=plan.total.CASE[1.1]", ".", kToutBas2, false, "=plan.total.CASE[1.3]"},
    {"EveryOccurrence", "=P.G.Case[1.1]+P.G.Case[2.1]+P.G.Somme[1.1.2.1]", ".", kToutBas2, false,
     "=P.G.Case[1.3]+P.G.Case[2.3]+P.G.Somme[1.3.2.3]"},
    {"CommasBecomeDotsOnceChanged", "=SI(P.G.Case[1.1]>0,\"a,b\",2)", ".", kToutBas2, false,
     "=SI(P.G.Case[1.3]>0.\"a.b\".2)"},
    {"CommasKeptWhenNothingChanged", "=SI(P.G.Texte[1.1]>0,1,2)", ".", kToutBas2, false, "=SI(P.G.Texte[1.1]>0,1,2)"},
    {"CommaSeparatorReadLikeADot", "=P.G.Case[2,5]", ".", {0, 0, 255, 255, 1, 0}, false, "=P.G.Case[3.5]"},
    {"SecondCornerShiftedAlone", "=P.G.Somme[1.2.1.9]", "", {1, 5, 1, 10, 0, 1}, true, "=P.G.Somme[1.2.1.10]"},
    {"SecondCornerWithAZeroIgnored", "=P.G.Somme[1.2.0.9]", ".", kToutBas2, false, "=P.G.Somme[1.4.0.9]"},
    {"ThirdElementAlonePasses", "=P.G.CaseChange[2.3.7]", ".", kToutBas2, false, "=P.G.CaseChange[2.5.7]"},
    {"ColonPartKept", "=P.G.Case[2.3:x]", ".", kToutBas2, false, "=P.G.Case[2.5:x]"},
    {"UnclosedBracketLeftAsItIs", "=P.G.Case[3.4+1", ".", kToutBas2, false, "=P.G.Case[3.4+1"},
    {"UnclosedAfterARewrite", "=P.G.Case[1.1]+P.G.Case[3.4", ".", kToutBas2, false, "=P.G.Case[1.3]+P.G.Case[3.4"},
    {"CellNameNotANumber", "=P.G.Case[TOTAL]", ".", kToutBas2, false, "=P.G.Case[TOTAL]"},
    {"PrefixRequired", "=Case[1.1]", ".", kToutBas2, false, "=Case[1.1]"},
    {"LongerNameNotTakenForShorter", "=P.G.CaseVideAZero[1.1]", ".", kToutBas2, false, "=P.G.CaseVideAZero[1.3]"},
    {"BlanksAroundCoordinates", "=P.G.Case[ 3 . 4 ]", ".", kToutBas2, false, "=P.G.Case[3.6]"},
    {"NegativeShift", "=P.G.Case[5.5]", ".", {0, 0, 255, 255, -2, -1}, false, "=P.G.Case[3.4]"},
};

INSTANTIATE_TEST_SUITE_P(Cas, FormuleDecaleTable, testing::ValuesIn(kCas),
                         [](const testing::TestParamInfo<CasDecalage>& i) { return std::string(i.param.nom); });

TEST(FormuleDecale, ListHoldsTheNineteenNamesInOrder) {
    const std::string liste = ListeFonctionsADecaler();
    EXPECT_EQ(std::count(liste.begin(), liste.end(), ','), 18);
    EXPECT_EQ(liste.substr(0, 19), "Case,CaseVideAZero,");
    EXPECT_EQ(liste.substr(liste.size() - 15), "Valide,Invalide");
}

}  // namespace
}  // namespace korv::grid
