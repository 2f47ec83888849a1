#include "rtf/lecteur.h"

#include <string>

#include <gtest/gtest.h>

#include "outils.h"
#include "rtf/ecrivain.h"

namespace korv::rtf {
namespace {

using test::Brut;
using test::Lu;

struct CasTexte {
    const char* rtf;
    const char* attendu;  // plain text, UTF-8, paragraphs joined by "|"
};

TEST(LecteurRtf, TexteBrut) {
    const CasTexte cas[] = {
        {R"({\rtf1 Bonjour})", "Bonjour"},
        {R"({\rtf1 A\par B\par })", "A|B"},
        {R"({\rtf1 A\par\par })", "A|"},
        {R"({\rtf1 \par })", ""},
        {R"({\rtf1 })", ""},
        // \'hh is Windows-1252; the page marker survives.
        {R"({\rtf1 caf\'e9 \'a4 \'80})", "café ¤ €"},
        {R"({\rtf1 A\'A4B})", "A¤B"},
        // Escapes and special characters.
        {R"({\rtf1 \\ \{ \}})", "\\ { }"},
        {R"({\rtf1 a\~b\-c})", "a\xC2\xA0" "bc"},
        {R"({\rtf1 \lquote x\rquote  \emdash })", "‘x’ —"},
        // \uN with its fallback skipped, \ucN changing the count, negative N.
        {R"({\rtf1 \u233?t\'e9})", "été"},
        {R"({\rtf1\uc2 \u233\'3f\'3fx})", "éx"},
        {R"({\rtf1\uc0 \u233 x})", "éx"},
        {R"({\rtf1 {\uc3 \u233 ab}c})", "éc"},
        {R"({\rtf1 \u-3999?})", "?"},  // U+F061 has no cp1252 byte
        // \* destinations and the known ones are skipped.
        {R"({\rtf1{\*\generator LibreOffice;}{\info{\title T}}{\stylesheet{\s0 Normal;}}X})", "X"},
        {R"({\rtf1{\*\unknown {nested} text}Y})", "Y"},
        {R"({\rtf1 {\field{\*\fldinst HYPERLINK "x"}{\fldrslt lien}}})", "lien"},
        // Line ends in the source are not text; a backslash before one is a paragraph end.
        {"{\\rtf1 A\r\nB\\\nC}", "AB|C"},
        // Tab, line, page.
        {R"({\rtf1 a\tab b\line c\page d})", "a\tb\vc|d"},
        // \bin data is skipped.
        {"{\\rtf1 a\\bin3 x}yb}", "ab"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(Brut(Lu(c.rtf)), c.attendu) << c.rtf;
    }
}

TEST(LecteurRtf, UnicodeHorsDuJeu) {
    const Document d = Lu(R"({\rtf1 \u8594?\u-10179?\u-8704?\u-10179?z})");
    ASSERT_EQ(d.paragraphes.size(), 1u);
    // An arrow, a surrogate pair, and a lone high surrogate.
    EXPECT_EQ(d.paragraphes[0].morceaux[0].texte, std::u32string(U"\u2192\U0001F600\uFFFDz"));
}

TEST(LecteurRtf, FormatsDeCaracteres) {
    const Document d = Lu(R"({\rtf1\deff1{\fonttbl{\f0\fswiss Arial;}{\f1\froman\fcharset0 Times New Roman;}})"
                          R"({\colortbl;\red255\green0\blue0;}a{\b b\b0 c}{\i\ul\strike\cf1\f0\fs32 d})"
                          R"({\up4 e}{\dn f}{\super g}{\sub h\plain i}})");
    ASSERT_EQ(d.paragraphes.size(), 1u);
    const auto& m = d.paragraphes[0].morceaux;
    ASSERT_EQ(m.size(), 9u);
    EXPECT_EQ(m[0].texte, U"a");
    EXPECT_EQ(m[0].format.police, 1);
    EXPECT_TRUE(m[1].format.gras);
    EXPECT_EQ(m[2].texte, U"c");
    EXPECT_FALSE(m[2].format.gras);
    const FormatCaractere& f = m[3].format;
    EXPECT_TRUE(f.italique && f.souligne && f.barre);
    EXPECT_EQ(f.couleur, 1);
    EXPECT_EQ(f.police, 0);
    EXPECT_EQ(f.taille, 32);
    EXPECT_EQ(m[4].format.decalage, 4);
    EXPECT_EQ(m[5].format.decalage, -6);
    EXPECT_EQ(m[6].format.position, PositionVerticale::Exposant);
    EXPECT_EQ(m[7].format.position, PositionVerticale::Indice);
    EXPECT_EQ(m[8].format, (FormatCaractere{.police = 1}));

    ASSERT_EQ(d.polices.size(), 2u);
    EXPECT_EQ(d.polices[1].nom, "Times New Roman");
    EXPECT_EQ(d.polices[1].famille, "froman");
    ASSERT_EQ(d.couleurs.size(), 2u);
    EXPECT_TRUE(d.couleurs[0].automatique);
    EXPECT_EQ(d.couleurs[1], (CouleurRtf{false, 255, 0, 0}));
}

TEST(LecteurRtf, FormatsDeParagraphes) {
    const Document d = Lu(R"({\rtf1\pard\qc\li100\ri200\fi-50\sb10\sa20 a\par\qr b\par\pard\qj c\par\pard d})");
    ASSERT_EQ(d.paragraphes.size(), 4u);
    EXPECT_EQ(d.paragraphes[0].format, (FormatParagraphe{Alignement::Centre, 100, 200, -50, 10, 20, {}}));
    EXPECT_EQ(d.paragraphes[1].format.alignement, Alignement::Droite);
    EXPECT_EQ(d.paragraphes[1].format.retraitGauche, 100);  // \par keeps the paragraph format
    EXPECT_EQ(d.paragraphes[2].format, (FormatParagraphe{Alignement::Justifie, 0, 0, 0, 0, 0, {}}));
    EXPECT_EQ(d.paragraphes[3].format, FormatParagraphe{});
}

TEST(LecteurRtf, TabulationsDuParagraphe) {
    // Stops accumulate in order, \par keeps them, \pard clears them; a
    // negative or huge position is bounded and a flood of stops is capped.
    std::string flot = R"({\rtf1\pard)";
    for (int i = 0; i < 1000; ++i) flot += "\\tx" + std::to_string(i);
    flot += " z}";
    const Document d = Lu(R"({\rtf1\pard\tx8500\tx200 a\par b\par\pard c\tx-4\tx99999 d})");
    ASSERT_EQ(d.paragraphes.size(), 3u);
    EXPECT_EQ(d.paragraphes[0].format.tabulations, (std::vector<std::int32_t>{8500, 200}));
    EXPECT_EQ(d.paragraphes[1].format.tabulations, (std::vector<std::int32_t>{8500, 200}));
    EXPECT_EQ(d.paragraphes[2].format.tabulations, (std::vector<std::int32_t>{0, 32767}));
    EXPECT_EQ(Lu(flot).paragraphes[0].format.tabulations.size(), 64u);
}

TEST(LecteurRtf, GroupesRestaurentLeFormat) {
    const Document d = Lu(R"({\rtf1 {\b a{\i b}c}d})");
    const auto& m = d.paragraphes[0].morceaux;
    ASSERT_EQ(m.size(), 4u);
    EXPECT_TRUE(m[1].format.gras && m[1].format.italique);
    EXPECT_TRUE(m[2].format.gras && !m[2].format.italique);
    EXPECT_FALSE(m[3].format.gras);
}

// The default font is a setting of the header: a \deff once the text has
// begun (a damaged text, a second header pasted inside) changes nothing, as
// the empty paragraphs before it were read with the first default.
TEST(LecteurRtf, PoliceParDefautDeLEnTeteSeulement) {
    const struct {
        const char* rtf;
        std::int32_t defaut;
        std::int32_t policeDuDernier;  // font of the last run
    } cas[] = {
        {R"({\rtf1\deff1{\fonttbl{\f0 A;}{\f1 B;}} a})", 1, 1},
        {R"({\rtf1{\fonttbl{\f0 A;}{\f1 B;}}\deff1 a})", 1, 1},
        {R"({\rtf1\deff0{\fonttbl{\f0 A;}{\f1 B;}} a\deff1 b\plain c})", 0, 0},
        {R"({\rtf1{\fonttbl{\f0 A;}{\f1 B;}}\par\deff1 a})", 0, 0},
        {R"({\rtf1\deff0 a{\rtf1\deff1{\fonttbl{\f1 B;}} b\par}})", 0, 0},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.rtf);
        const Document d = Lu(c.rtf);
        EXPECT_EQ(d.policeDefaut, c.defaut);
        ASSERT_FALSE(d.paragraphes.empty());
        const auto& morceaux = d.paragraphes.back().morceaux;
        ASSERT_FALSE(morceaux.empty());
        EXPECT_EQ(morceaux.back().format.police, c.policeDuDernier);
    }
}

TEST(LecteurRtf, ParametresBornes) {
    const Document d = Lu(R"({\rtf1\fs99999999999999999999 a\li-99999999999 b\cf-5 c\fs0 d})");
    const auto& p = d.paragraphes[0];
    EXPECT_EQ(p.morceaux[0].format.taille, 3276);
    EXPECT_EQ(p.format.retraitGauche, -32767);
    EXPECT_EQ(p.morceaux[1].format.couleur, 0);
    EXPECT_EQ(p.morceaux.back().format.taille, 24);
}

struct CasRefus {
    std::string rtf;
    const char* raison;
};

TEST(LecteurRtf, TextesRefuses) {
    const CasRefus cas[] = {
        {"", "ne commence pas"},
        {"Bonjour", "ne commence pas"},
        {"{\\rtx1 a}", "ne commence pas"},
        {"{\\rtf1 " + std::string(300, '{') + "a}", "imbriqués"},
    };
    for (const auto& c : cas) {
        const LectureRtf l = LireRtf(c.rtf);
        EXPECT_FALSE(l.document.has_value()) << c.rtf;
        EXPECT_NE(l.erreur.find(c.raison), std::string::npos) << l.erreur;
    }
    LimitesLecture petites;
    petites.paragraphesMax = 2;
    EXPECT_NE(LireRtf("{\\rtf1 a\\par b\\par c\\par d}", petites).erreur.find("paragraphes"), std::string::npos);
    petites.tailleMax = 4;
    EXPECT_NE(LireRtf("{\\rtf1 a}", petites).erreur.find("trop long"), std::string::npos);
}

// Tab stops set once and a format toggled for each paragraph: our writer
// gives every paragraph and run its whole format again. A text is read only
// when that copy reads back within the same limits.
TEST(LecteurRtf, AccepteSeulementCeQuiSeRelitUneFoisEcrit) {
    LimitesLecture limites;
    limites.tailleMax = 2000;
    const auto texte = [](int paragraphes) {
        std::string t = "{\\rtf1 ";
        for (int i = 1; i <= 20; ++i) t += "\\tx" + std::to_string(1000 + i);
        t += "\\i\\ul\\cf3\\fs30 ";
        for (int i = 0; i < paragraphes; ++i) t += i % 2 == 0 ? "\\qc\\b a\\par " : "\\ql\\b0 b\\par ";
        return t + "}";
    };
    const std::string court = texte(4);
    const LectureRtf lu = LireRtf(court, limites);
    ASSERT_TRUE(lu.document.has_value()) << lu.erreur;
    const LectureRtf relu = LireRtf(EcrireRtf(*lu.document), limites);
    ASSERT_TRUE(relu.document.has_value()) << relu.erreur;
    EXPECT_EQ(*relu.document, *lu.document);

    const std::string long_ = texte(20);
    ASSERT_LT(long_.size(), limites.tailleMax);
    const LectureRtf refuse = LireRtf(long_, limites);
    EXPECT_FALSE(refuse.document.has_value());
    EXPECT_EQ(refuse.erreur, "texte RTF trop long une fois réécrit");
    // Within the default limits the same text reads, and its copy as well.
    const Document d = Lu(long_);
    EXPECT_EQ(Lu(EcrireRtf(d)), d);
}

TEST(LecteurRtf, TextesAbimesLusSansEchec) {
    // Unbalanced, truncated or malformed texts are read as far as they go.
    const CasTexte cas[] = {
        {R"({\rtf1 {\b a)", "a"},
        {R"({\rtf1 a}}}b)", "a"},
        {R"({\rtf1 a\'4)", "a"},
        {R"({\rtf1 a\'zzb})", "azzb"},
        {R"({\rtf1 a\)", "a"},
        {R"({\rtf1 a\u)", "a"},
        {R"({\rtf1 a\bin999999 xyz})", "a"},
        {R"({\rtf1 a\u-10179?}trailing)", "a?"},  // a lone high surrogate at the very end
        {"{\\rtf1 a\\xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx b}", "ab"},
    };
    for (const auto& c : cas) EXPECT_EQ(Brut(Lu(c.rtf)), c.attendu) << c.rtf;
}

TEST(LecteurRtf, TexteRicheSimple) {
    const auto d = LireTexteRiche("Ligne 1\r\nLigne \xE9");
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(Brut(*d), "Ligne 1|Ligne é");
    EXPECT_TRUE(LireTexteRiche("")->EstVide());
    EXPECT_FALSE(LireTexteRiche("{\\rtf1 " + std::string(300, '{')).has_value());
}

}  // namespace
}  // namespace korv::rtf
