// The page layouts of the 2.x documents: the SPEC and layout reader, and the
// layout of versions 22..229 as the old documents were written.

#include <gtest/gtest.h>

#include <algorithm>

#include "plan/document/descripteur_ancien.h"

namespace korv::plan {
namespace {

using G = GenreElementAncien;

TEST(DescripteurAncien, SpecsReadOrRefused) {
    const auto deux = AnalyserSpecAncienne("T'37'18*R*");
    ASSERT_TRUE(deux);
    EXPECT_EQ(*deux, (std::vector<ElementAncien>{{G::Grille, 37, 18}, {G::Texte, 0, 0}}));
    ASSERT_TRUE(AnalyserSpecAncienne(""));
    EXPECT_TRUE(AnalyserSpecAncienne("")->empty());
    const auto grand = AnalyserSpecAncienne("T'200'8*");
    ASSERT_TRUE(grand);
    EXPECT_EQ((*grand)[0].lignes, 200);
    for (const char* mauvaise : {"T'37'18", "R", "T'37*", "T37'18*", "T'37'18'2*", "T''18*", "T'0'18*",
                                 "T'37'256*", "T'99999999999'1*", "X*", "*", "RR*", "T'3a'1*", "T'-1'1*"}) {
        EXPECT_FALSE(AnalyserSpecAncienne(mauvaise)) << mauvaise;
    }
}

TEST(DescripteurAncien, LayoutsReadOrRefused) {
    const auto d = AnalyserDescripteurAncien("A#,B#R*T'2'3*");
    ASSERT_TRUE(d);
    ASSERT_EQ(d->size(), 2u);
    EXPECT_EQ((*d)[0].nom, "A");
    EXPECT_TRUE((*d)[0].elements.empty());
    EXPECT_EQ((*d)[1].elements.size(), 2u);
    for (const char* mauvais : {"A", "#R*", "A#,", "A#R*,B", "A#R"}) {
        EXPECT_FALSE(AnalyserDescripteurAncien(mauvais)) << mauvais;
    }
}

TEST(DescripteurAncien, TheLayoutOfVersion22) {
    const auto d = AnalyserDescripteurAncien(DescripteurD22());
    ASSERT_TRUE(d);
    EXPECT_EQ(d->size(), 133u);
    int grilles = 0, textes = 0, met = 0;
    for (const auto& e : *d) {
        for (const auto& el : e.elements) (el.genre == G::Grille ? grilles : textes)++;
        if (e.nom.rfind("MET", 0) == 0) ++met;
    }
    EXPECT_EQ(grilles, 260);
    EXPECT_EQ(textes, 107);
    EXPECT_EQ(met, 11) << "names beginning with MET";
    EXPECT_EQ(d->front().nom, "INTRO");
    EXPECT_EQ(d->back().nom, "EXPORTER");
    const auto charge = std::find_if(d->begin(), d->end(), [](const auto& e) { return e.nom == "CHARGEV2"; });
    ASSERT_NE(charge, d->end());
    EXPECT_EQ(charge->elements, (std::vector<ElementAncien>{{G::Grille, 2, 1}, {G::Grille, 1, 1}}));
}

}  // namespace
}  // namespace korv::plan
