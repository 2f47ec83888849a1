#include "rtf/assemblage.h"

#include <gtest/gtest.h>

#include "outils.h"
#include "rtf/ecrivain.h"

namespace korv::rtf {
namespace {

using test::Brut;
using test::Lu;

// A text appended to another keeps its fonts, colours and formats: a font
// or colour the target has is reused, another one added after the last.
TEST(AssemblageRtf, FontsAndColoursJoinTheTargetsTables) {
    Document cible = Lu(R"({\rtf1\deff0{\fonttbl{\f0\fswiss Arial;}{\f11\fswiss Arial;}})"
                        R"({\colortbl;\red0\green0\blue0;\red255\green255\blue255;}\pard\plain\f0 Avant\par })");
    AjouterTexte(cible, U"\r\n\r\n");
    const Document source = Lu(R"({\rtf1\deff1{\fonttbl{\f0\froman Times;}{\f1\fswiss Arial;}})"
                               R"({\colortbl;\red255\green0\blue0;\red255\green255\blue255;})"
                               R"(\pard\qc\plain\f0\cf1\b Titre\par\pard\plain\f1\cf2 corps\par})");
    AjouterDocument(cible, source);
    EXPECT_EQ(Brut(cible), "Avant||Titre|corps");
    ASSERT_EQ(cible.polices.size(), 3u);
    EXPECT_EQ(cible.polices[2].nom, "Times");
    EXPECT_EQ(cible.polices[2].numero, 12);
    ASSERT_EQ(cible.couleurs.size(), 4u);
    // The empty paragraph after the separator takes the inserted one.
    const Paragraphe& titre = cible.paragraphes[2];
    EXPECT_EQ(titre.format.alignement, Alignement::Centre);
    ASSERT_EQ(titre.morceaux.size(), 1u);
    EXPECT_EQ(titre.morceaux[0].format.police, 12);
    EXPECT_EQ(titre.morceaux[0].format.couleur, 3);
    EXPECT_TRUE(titre.morceaux[0].format.gras);
    const Paragraphe& corps = cible.paragraphes[3];
    EXPECT_EQ(corps.morceaux[0].format.police, 0);   // Arial is the target's font 0
    EXPECT_EQ(corps.morceaux[0].format.couleur, 2);  // white is its colour 2
    // What is written reads back as the same document.
    EXPECT_EQ(Lu(EcrireRtf(cible)), cible);
}

// Into a paragraph that holds text, the first inserted paragraph goes on
// at its end; plain text takes the format of the last character.
TEST(AssemblageRtf, TheFirstParagraphGoesOnAndPlainTextTakesTheLastFormat) {
    Document cible = Lu(R"({\rtf1{\fonttbl{\f0 Arial;}}\pard\plain\f0\i Un})");
    AjouterDocument(cible, Lu(R"({\rtf1{\fonttbl{\f0 Arial;}}\pard\plain\f0\b deux\par trois})"));
    AjouterTexte(cible, U" $A$\r\nfin");
    EXPECT_EQ(Brut(cible), "Undeux|trois $A$|fin");
    ASSERT_EQ(cible.paragraphes.size(), 3u);
    EXPECT_TRUE(cible.paragraphes[0].morceaux[0].format.italique);
    EXPECT_TRUE(cible.paragraphes[0].morceaux[1].format.gras);
    EXPECT_TRUE(cible.paragraphes[1].morceaux.back().format.gras);
    EXPECT_TRUE(cible.paragraphes[2].morceaux.back().format.gras);
}

}  // namespace
}  // namespace korv::rtf
