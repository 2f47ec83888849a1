#include "rtf/ecrivain.h"

#include <gtest/gtest.h>

#include <optional>

#include "outils.h"

namespace korv::rtf {
namespace {

using test::Brut;
using test::Lu;

// Our RTF -> model -> our RTF gives the same model, and the same RTF.
void AllerRetour(const Document& d) {
    const std::string rtf = EcrireRtf(d);
    const Document relu = Lu(rtf);
    EXPECT_EQ(relu, d) << rtf;
    EXPECT_EQ(EcrireRtf(relu), rtf);
}

TEST(EcrivainRtf, AllersRetours) {
    const char* textes[] = {
        R"({\rtf1 })",
        R"({\rtf1 A\par\par })",
        R"({\rtf1 A\'a4\par B\'a4C})",
        R"({\rtf1\deff1{\fonttbl{\f0\fswiss Arial;}{\f1\froman\fcharset0 Times {New} Roman;}})"
        R"({\colortbl;\red255\green0\blue0;;\red0\green0\blue9;}a{\b b\b0 c}{\i\ul\strike\cf3\f0\fs32 d})"
        R"({\up4 e}{\dn f}{\super g}{\sub h\plain i}})",
        R"({\rtf1\pard\qc\li100\ri200\fi-50\sb10\sa20 a\par\qr b\page\pard\qj c\tab d\line e\par})",
        R"({\rtf1 \\ \{ \} caf\'e9 \'80 \'81 \'ff \u8594? \u-10179?\u-8704? \~})",
        R"({\rtf1 \page})",
        R"({\rtf1\pard\tx8500 a\tab page 2\par\pard\tx100\tx2000 b\par c})",
    };
    for (const char* t : textes) AllerRetour(Lu(t));
}

// A paragraph without text keeps the format of its mark (what is typed
// there) through our reader and writer; one in the default format has no run.
TEST(EcrivainRtf, UnParagrapheSansTexteGardeSonFormat) {
    struct Cas {
        const char* rtf;
        std::size_t paragraphe;
        std::optional<std::int32_t> taille;  // of its empty run; none: no run
    };
    const Cas cas[] = {
        {R"({\rtf1{\fonttbl{\f0\fswiss Arial;}}\pard\plain\f0\fs20\par})", 0, 20},
        {R"({\rtf1\fs32 A\par\par B})", 1, 32},  // the format goes on past the paragraph's end
        {R"({\rtf1\fs32 A\par\plain\par B})", 1, std::nullopt},
        {R"({\rtf1 A\par\par})", 1, std::nullopt},
        {R"({\rtf1\deff1{\fonttbl{\f0 Arial;}{\f1 Courier;}}\f0\par})", 0, 24},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.rtf);
        const Document d = Lu(c.rtf);
        ASSERT_GT(d.paragraphes.size(), c.paragraphe);
        const auto& morceaux = d.paragraphes[c.paragraphe].morceaux;
        if (c.taille) {
            ASSERT_EQ(morceaux.size(), 1u);
            EXPECT_EQ(morceaux[0].texte, U"");
            EXPECT_EQ(morceaux[0].format.taille, *c.taille);
        } else {
            EXPECT_TRUE(morceaux.empty());
        }
        AllerRetour(d);
    }
}

TEST(EcrivainRtf, LesFichiersLibreOfficeFontLAllerRetour) {
    for (const char* nom : {"lo_paragraphes.rtf", "lo_pages.rtf", "lo_mise_en_forme.rtf"}) {
        AllerRetour(Lu(test::Fichier(nom)));
    }
}

TEST(EcrivainRtf, Echappements) {
    Document d;
    d.paragraphes.push_back(Paragraphe{{}, {Morceau{{}, U"{a\\b}\u00E9\u00A4\u2192\tz"}}, false});
    const std::string rtf = EcrireRtf(d);
    EXPECT_NE(rtf.find(R"(\{a\\b\}\'e9\'a4\u8594?\tab z)"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\ansicpg1252"), std::string::npos);
    // Only 7-bit bytes are written.
    for (const char c : rtf) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    EXPECT_EQ(Brut(Lu(rtf)), "{a\\b}é¤?\tz");
}

TEST(EcrivainRtf, NomsDePolicesEchappes) {
    Document d;
    d.polices.push_back(Police{0, "fnil", 0, "Caf\xE9 {x};y"});
    d.paragraphes.emplace_back();
    const Document relu = Lu(EcrireRtf(d));
    ASSERT_EQ(relu.polices.size(), 1u);
    EXPECT_EQ(relu.polices[0].nom, "Caf\xE9 {x}y");
}

}  // namespace
}  // namespace korv::rtf

namespace korv::rtf {
namespace {

// A paragraph ended by a page break is ended as a paragraph first: a page
// break alone is a character inside the paragraph for word processors,
// which would join it with the next one.
TEST(EcrivainRtf, SautDePageApresFinDeParagraphe) {
    Document d;
    d.paragraphes.push_back(Paragraphe{{}, {Morceau{{}, U"un"}}, true});
    d.paragraphes.push_back(Paragraphe{{}, {Morceau{{}, U"deux"}}, false});
    const std::string rtf = EcrireRtf(d);
    EXPECT_NE(rtf.find("un\\par\\page"), std::string::npos) << rtf;
    const Document relu = test::Lu(rtf);
    ASSERT_EQ(relu.paragraphes.size(), 2u) << rtf;
    EXPECT_TRUE(relu.paragraphes[0].sautPage);
    EXPECT_EQ(test::Brut(relu), "un|deux");
}

// A bulleted list as word processors write it: the bullet of each item in a
// symbol font. Written again, the bullet is "•" in the text's own font, so
// that other word processors show it (in the symbol font they show a
// private-use character).
TEST(EcrivainRtf, PucesDeListeEnCaractereOrdinaire) {
    const char* rtf =
        R"({\rtf1\ansi\deff0{\fonttbl{\f0\froman Times New Roman;}{\f3\fbidi\froman\fcharset2 Symbol;})"
        R"({\f4\fnil\fcharset2 Wingdings;}})"
        R"({\*\listtable{\list{\listlevel{\leveltext\'01\u-3913 ?;}}}})"
        R"({\listtext\pard\plain\f3\fs24 \'b7\tab}\pard\ls1 premier\par )"
        R"({\pntext\f4\'a7\tab}deuxi\'e8me\par })";
    const Document d = test::Lu(rtf);
    ASSERT_EQ(d.paragraphes.size(), 2u);
    EXPECT_EQ(d.paragraphes[0].morceaux.front().texte, U"\u2022");
    EXPECT_EQ(d.paragraphes[1].morceaux.front().texte, U"\u25AA");
    for (const auto& p : d.paragraphes) EXPECT_EQ(p.morceaux.front().format.police, 0);
    EXPECT_EQ(test::Brut(d), "•\tpremier|?\tdeuxième");
    const std::string ecrit = EcrireRtf(d);
    EXPECT_NE(ecrit.find("\\f0\\fs24 \\'95"), std::string::npos) << ecrit;
    EXPECT_NE(ecrit.find("\\f0\\fs24 \\u9642?"), std::string::npos) << ecrit;
    EXPECT_EQ(ecrit.find("\\'b7"), std::string::npos) << ecrit;
    EXPECT_EQ(test::Lu(ecrit), d);
    // A symbol font's other characters are left as they are.
    EXPECT_EQ(test::Brut(test::Lu(R"({\rtf1{\fonttbl{\f3\fcharset2 Symbol;}}\f3 a\'e1})")), "aá");
}

}  // namespace
}  // namespace korv::rtf

namespace korv::rtf {
namespace {

// Word processors read `\'hh` in the code page of the run's font, and in a
// symbol font as a glyph: a character is written so that they show the one
// our reader read, and our reader reads it back unchanged.
TEST(EcrivainRtf, CaracteresSelonLaPoliceDuMorceau) {
    const struct {
        const char* police;  // fcharset and name, or "" for a number not in the table
        std::u32string texte;
        const char* ecrit;
    } cas[] = {
        {"\\fcharset0 Arial", U"\u00E9\u20AC\u2192a", "\\'e9\\'80\\u8594?a"},
        {"\\fcharset1 Arial", U"\u00E9", "\\'e9"},
        {"", U"\u00E9", "\\'e9"},
        {"\\fcharset2 OpenSymbol", U"\u2022", "\\u8226?"},
        {"\\fcharset2 Symbol", U"a05\u00B7\uF0B7", "\\u97a\\u48?\\u53?\\u183?\\u-3913?"},
        {"\\fcharset0 Wingdings", U"ln", "\\u108l\\u110n"},
        {"\\fcharset0 WINGDINGS 2", U"\u00A7", "\\u167?"},
        {"\\fcharset0 Symbol", U"\u00B7{", "\\u183?\\u123?"},
        {"\\fcharset204 Arial Cyr", U"\u00E9\u0449z", "\\u233?\\u1097?z"},
        {"\\fcharset238 Arial CE", U"\u20AC", "\\u8364?"},
        {"\\fcharset2 Symbol", U"\U0001F600", "\\u-10179?\\u-8704?"},
    };
    for (const auto& c : cas) {
        Document d;
        if (*c.police != '\0') {
            d = test::Lu(std::string("{\\rtf1{\\fonttbl{\\f1") + c.police + ";}}}");
            ASSERT_EQ(d.polices.size(), 1u) << c.police;
        }
        d.paragraphes = {Paragraphe{{}, {Morceau{FormatCaractere{.police = 1}, c.texte}}, false}};
        const std::string rtf = EcrireRtf(d);
        EXPECT_NE(rtf.find(std::string("\\f1\\fs24 ") + c.ecrit + "\\par"), std::string::npos)
            << c.police << "\n" << rtf;
        EXPECT_EQ(test::Lu(rtf), d) << c.police << "\n" << rtf;
    }
}

// A bulleted list saved by LibreOffice: each item's bullet is "•" in its
// symbol font (OpenSymbol, symbol character set). Written again it stays
// "•" for word processors, not the private-use character they make of the
// byte 0x95 in a symbol font.
TEST(EcrivainRtf, ListeAPucesDeLibreOffice) {
    const Document d = test::Lu(test::Fichier("lo_liste.rtf"));
    EXPECT_EQ(test::Brut(d), "Points forts du projet :|•\tEmplacement près des écoles|•\tPain cuit sur place|"
                             "•\tPrix : 1 € la baguette|Fin de la liste.");
    const Morceau& puce = d.paragraphes[1].morceaux.front();
    ASSERT_NE(d.PoliceNumero(puce.format.police), nullptr);
    EXPECT_EQ(d.PoliceNumero(puce.format.police)->nom, "OpenSymbol");
    const std::string ecrit = EcrireRtf(d);
    EXPECT_EQ(ecrit.find("\\'95"), std::string::npos) << ecrit;
    EXPECT_NE(ecrit.find("\\u8226?\\tab"), std::string::npos) << ecrit;
    AllerRetour(d);
}

// Texts the fuzzer found damaged by one pass through our writer: each reads
// back as the document it was read as.
TEST(EcrivainRtf, TextesAbimesRelusALIdentique) {
    for (const char* nom : {"aller_retour_police_symbole.rtf", "aller_retour_police_par_defaut_tardive.rtf",
                            "aller_retour_second_en_tete.rtf", "aller_retour_saut_unicode.rtf"}) {
        const Document d = test::Lu(test::Fichier(nom));
        const std::string rtf = EcrireRtf(d);
        EXPECT_EQ(test::Lu(rtf), d) << nom << "\n" << rtf;
    }
}

}  // namespace
}  // namespace korv::rtf
