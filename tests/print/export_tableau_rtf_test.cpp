#include "print/export_tableau_rtf.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "grid/feuille.h"
#include "rtf/lecteur.h"
#include "platform/cp1252.h"

namespace korv::print {
namespace {

using grid::BordsFeuille;
using grid::Feuille;
using grid::PlageFeuille;
using grid::PoliceFeuille;

std::size_t Compte(const std::string& s, const std::string& motif) {
    std::size_t n = 0;
    for (auto p = s.find(motif); p != std::string::npos; p = s.find(motif, p + motif.size())) ++n;
    return n;
}

// A title row, and a row of a left text, a right number and a centred text.
Feuille TroisColonnes() {
    Feuille f;
    f.Texte(1, 1, "Titre");
    f.Alignement(PlageFeuille{1, 1, 1, 1}, 3, false, 2);
    f.Police(PlageFeuille{1, 1, 1, 1}, PoliceFeuille{"ARIAL", 10, true, false, false, false, 0});
    f.Texte(2, 1, "A");
    f.Alignement(PlageFeuille{2, 1, 2, 1}, 2, true, 2);
    f.Nombre(2, 2, 12.5);
    f.Format(PlageFeuille{2, 2, 2, 2}, "0.00");
    f.Alignement(PlageFeuille{2, 2, 2, 2}, 4, true, 2);
    f.Texte(2, 3, "x");
    f.Alignement(PlageFeuille{2, 3, 2, 3}, 3, true, 2);
    return f;
}

TEST(ExportTableauRTF, ASheetThatFitsIsOneTableWithItsTitleSpanningTheRow) {
    const std::string cellule0 =
        "\\pard\\plain \\nowidctlpar\\intbl\\adjustright \\fs16\\lang1036\\cgrid {\\f11\\cgrid0 \\cell }";
    const std::string finLigne = "\\pard \\nowidctlpar\\widctlpar\\intbl\\adjustright {\\cgrid0 \\row }";
    const std::string attendu =
        "\\trowd\\trrh355\\clvertalt\\cltxlrtb \\cellx500\\clvertalt\\cltxlrtb \\cellx3965" + cellule0 +
        "\\pard\\plain \\qc\\nowidctlpar\\intbl\\adjustright \\fs16\\lang1036\\cgrid {\\f11\\cgrid0\\b Titre \\cell }" +
        finLigne +
        "\\trowd\\trrh355\\clvertalt\\cltxlrtb \\cellx500\\clvertalt\\cltxlrtb \\cellx1655"
        "\\clvertalt\\cltxlrtb \\cellx2810\\clvertalt\\clbrdrr\\brdrs\\brdrw20\\cltxlrtb \\cellx3965" +
        cellule0 + "\\pard\\plain \\nowidctlpar\\intbl\\adjustright \\fs16\\lang1036\\cgrid {\\f11\\cgrid0 A \\cell }" +
        "\\pard\\plain \\qr\\nowidctlpar\\intbl\\adjustright \\fs16\\lang1036\\cgrid {\\f11\\cgrid0 12,50 \\cell }" +
        "\\pard\\plain \\qc\\nowidctlpar\\intbl\\adjustright \\fs16\\lang1036\\cgrid {\\f11\\cgrid0 x \\cell }" +
        finLigne + "\\pard \\nowidctlpar\\adjustright {\\cgrid0 \\par }";
    EXPECT_EQ(TableauVersRTF(TroisColonnes(), ModeTableauRTF::Normal, 10000), attendu);
}

TEST(ExportTableauRTF, AnEmptySheetGivesNothing) {
    EXPECT_EQ(TableauVersRTF(Feuille{}, ModeTableauRTF::Normal, 10000), "");
}

// Title column 1 (1000 wide), columns 2 to 4 each 2000 wide.
Feuille AvecColonneTitre() {
    Feuille f;
    f.colonnesFixes = {1, 1};
    f.largeurs = {{1, 1000}, {2, 2000}, {3, 2000}, {4, 2000}};
    f.Texte(1, 1, "T");
    for (int c = 1; c <= 4; ++c) f.Texte(2, c, "c" + std::to_string(c));
    return f;
}

TEST(ExportTableauRTF, ALaterBandStartsAtRowTwoAndRepeatsTheTitleColumn) {
    // fixed = 500 + 1000 + 200; two columns take 2 x 2200: 6100 fits two.
    const std::string r = TableauVersRTF(AvecColonneTitre(), ModeTableauRTF::Normal, 6100);
    const auto seconde = r.find("\\cgrid0 \\par }");
    ASSERT_NE(seconde, std::string::npos);
    const std::string bande1 = r.substr(0, seconde);
    const std::string bande2 = r.substr(seconde);
    EXPECT_EQ(Compte(bande1, "\\trowd"), 2U);
    EXPECT_NE(bande1.find(" T \\cell"), std::string::npos);
    EXPECT_NE(bande1.find(" c3 \\cell"), std::string::npos);
    EXPECT_EQ(bande1.find(" c4 \\cell"), std::string::npos);
    EXPECT_EQ(Compte(bande2, "\\trowd"), 1U);
    EXPECT_EQ(bande2.find(" T \\cell"), std::string::npos);
    // The title column first after column 0, then column 4 right after it.
    EXPECT_NE(bande2.find("\\cellx500\\clvertalt\\cltxlrtb \\cellx1500\\clvertalt\\clbrdrr\\brdrs\\brdrw20"
                          "\\cltxlrtb \\cellx3500"),
              std::string::npos);
    EXPECT_LT(bande2.find(" c1 \\cell"), bande2.find(" c4 \\cell"));
}

TEST(ExportTableauRTF, AColumnMakingTheWidthExactlyAvailableStillFits) {
    const Feuille f = AvecColonneTitre();
    // 1700 + 3 x 2200 = 8300: one band at exactly that width, two below it.
    EXPECT_EQ(Compte(TableauVersRTF(f, ModeTableauRTF::Normal, 8300), "\\par }"), 1U);
    EXPECT_EQ(Compte(TableauVersRTF(f, ModeTableauRTF::Normal, 8299), "\\par }"), 2U);
}

TEST(ExportTableauRTF, AManualBreakMattersOnlyInABandThatOverflows) {
    Feuille f = AvecColonneTitre();
    f.sautsColonnes = {2};
    EXPECT_EQ(Compte(TableauVersRTF(f, ModeTableauRTF::Normal, 8300), "\\par }"), 1U);
    const std::string r = TableauVersRTF(f, ModeTableauRTF::Normal, 6100);
    const std::string bande1 = r.substr(0, r.find("\\par }"));
    EXPECT_NE(bande1.find(" c2 \\cell"), std::string::npos);
    EXPECT_EQ(bande1.find(" c3 \\cell"), std::string::npos);
    EXPECT_EQ(Compte(r, "\\par }"), 2U);
}

TEST(ExportTableauRTF, AColumnTooWideEvenAloneGetsABandOfItsOwn) {
    Feuille f = AvecColonneTitre();
    f.largeurs[3] = 50000;
    const std::string r = TableauVersRTF(f, ModeTableauRTF::Normal, 6100);
    EXPECT_EQ(Compte(r, "\\par }"), 3U);
    EXPECT_EQ(Compte(r, " c3 \\cell"), 1U);
    EXPECT_EQ(Compte(r, " c4 \\cell"), 1U);
}

TEST(ExportTableauRTF, WideSheetsAndTallRowsDoNotWrap) {
    Feuille f;
    f.Texte(1, 1, "T");
    f.Texte(2, 300, "loin");
    f.hauteurs[2] = 32700;
    const std::string r = TableauVersRTF(f, ModeTableauRTF::Normal, 1000000);
    EXPECT_NE(r.find("\\trrh32800"), std::string::npos);
    EXPECT_NE(r.find(" loin \\cell"), std::string::npos);
    EXPECT_NE(r.find("\\cellx" + std::to_string(500 + 300 * 1155)), std::string::npos);
}

TEST(ExportTableauRTF, ModeOneFixesHeightsAndClosesTheTable) {
    const std::string r = TableauVersRTF(TroisColonnes(), ModeTableauRTF::PlanAction, 10000);
    EXPECT_EQ(Compte(r, "\\trrh-250"), 2U);
    EXPECT_EQ(Compte(r, "\\trrh3"), 0U);
    EXPECT_EQ(Compte(r, "\\clbrdrb\\brdrs\\brdrw10"), 3U);  // every cell of the last row
}

TEST(ExportTableauRTF, ModeTwoWritesNoAutomaticRightBorder) {
    EXPECT_EQ(Compte(TableauVersRTF(TroisColonnes(), ModeTableauRTF::Normal, 10000), "\\clbrdrr"), 1U);
    EXPECT_EQ(Compte(TableauVersRTF(TroisColonnes(), ModeTableauRTF::Identite, 10000), "\\clbrdrr"), 0U);
}

TEST(ExportTableauRTF, CentredAcrossSpansUpToTheFirstRightBorder) {
    Feuille f;
    f.Texte(1, 1, "T");
    for (int c = 1; c <= 4; ++c) f.Texte(2, c, "c" + std::to_string(c));
    f.Alignement(PlageFeuille{2, 1, 2, 1}, 7, false, 2);
    f.Bords(PlageFeuille{2, 2, 2, 2}, BordsFeuille{-1, 1, -1, -1, 0});
    const std::string r = TableauVersRTF(f, ModeTableauRTF::Normal, 100000);
    const std::string ligne2 = r.substr(r.rfind("\\trowd"));
    EXPECT_NE(ligne2.find("\\cellx500\\clvertalt\\cltxlrtb \\cellx2810\\clvertalt\\cltxlrtb \\cellx3965"
                          "\\clvertalt\\clbrdrr\\brdrs\\brdrw20\\cltxlrtb \\cellx5120"),
              std::string::npos);
    EXPECT_EQ(Compte(ligne2, " c2 \\cell"), 0U);  // covered by the span
    EXPECT_NE(ligne2.find("\\qc\\nowidctlpar\\intbl\\adjustright \\fs16\\lang1036\\cgrid {\\f11\\cgrid0 c1 \\cell"),
              std::string::npos);
}

TEST(ExportTableauRTF, GreyShadesAndBordersByPatternAndColour) {
    struct Cas {
        int motif;
        const char* gris;
    };
    for (const Cas& k : {Cas{2, "\\clshdng6000"}, Cas{3, "\\clshdng5000"}, Cas{4, "\\clshdng4000"},
                         Cas{17, "\\clshdng4000"}, Cas{5, "\\clshdng3000"}, Cas{6, "\\clshdng2000"},
                         Cas{18, "\\clshdng2000"}, Cas{1, nullptr}, Cas{7, nullptr}, Cas{19, nullptr}}) {
        Feuille f = TroisColonnes();
        f.Remplir(PlageFeuille{2, 1, 2, 1}, grid::RemplissageFeuille{k.motif, 0, 0xFFFFFF});
        const std::string r = TableauVersRTF(f, ModeTableauRTF::Normal, 10000);
        if (k.gris) {
            EXPECT_NE(r.find(std::string("\\clvertalt\\clcbpat8") + k.gris), std::string::npos) << k.motif;
        } else {
            EXPECT_EQ(r.find("\\clcbpat8"), std::string::npos) << k.motif;
        }
    }
    Feuille f = TroisColonnes();
    f.Bords(PlageFeuille{2, 1, 2, 1}, BordsFeuille{1, 1, 1, 1, 0xFFFFFF});
    f.Bords(PlageFeuille{2, 2, 2, 2}, BordsFeuille{1, 1, 1, 1, 0xFF});
    const std::string r = TableauVersRTF(f, ModeTableauRTF::Normal, 10000);
    EXPECT_NE(r.find("\\clbrdrt\\brdrs\\brdrw10\\brdrcf2\\clbrdrb\\brdrs\\brdrw10\\brdrcf2"
                     "\\clbrdrl\\brdrs\\brdrw10\\brdrcf2\\clbrdrr\\brdrs\\brdrw10\\brdrcf2\\cltxlrtb \\cellx1655"),
              std::string::npos);
    EXPECT_NE(r.find("\\clbrdrt\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw20"
                     "\\clbrdrr\\brdrs\\brdrw20\\cltxlrtb \\cellx2810"),
              std::string::npos);
}

TEST(ExportTableauRTF, CellTextsAreEscaped) {
    EXPECT_EQ(TexteCelluleRTF("a\\b{c}d"), "a\\\\b\\{c\\}d");
    EXPECT_EQ(TexteCelluleRTF("\xE9t\xE9 \x80"), "\\'e9t\\'e9 \\'80");
    EXPECT_EQ(TexteCelluleRTF("a\tb\r\nc"), "a\\tab b\\line c");
}

// A number is written in its format, or in full without one, always with
// the decimal comma.
TEST(ExportTableauRTF, NumbersAreWrittenWithTheDecimalComma) {
    struct Cas {
        double nombre;
        const char* format;
        const char* texte;
    };
    const Cas cas[] = {
        {12.5, "0.00", "12,50"}, {0.125, "0.00%", "12,50%"}, {1234.5, "", "1234,5"},
        {-3.25, "", "-3,25"},    {42, "", "42"},
    };
    for (const Cas& c : cas) {
        Feuille f;
        f.Nombre(1, 1, c.nombre);
        if (*c.format) f.Format(PlageFeuille{1, 1, 1, 1}, c.format);
        ASSERT_NE(f.Cellule(1, 1), nullptr);
        EXPECT_EQ(TexteCelluleFeuille(*f.Cellule(1, 1)), c.texte) << c.nombre << " " << c.format;
    }
}

// Whatever a cell holds, the exported document reads back to that text.
TEST(ExportTableauRTF, AnyCellTextReadsBackUnchanged) {
    std::mt19937 alea(20261211);
    const std::string alphabet = std::string("ab \\{}\t;") + "\xE9\x80\xFF\xA0" + "\\'u0123?";
    for (int essai = 0; essai < 500; ++essai) {
        std::string texte;
        const int n = static_cast<int>(alea() % 24) + 1;
        for (int i = 0; i < n; ++i) texte += alphabet[alea() % alphabet.size()];
        Feuille f;
        f.Texte(1, 1, "T");
        f.Texte(2, 1, texte);
        const std::string rtf = EnteteDocumentTableauxRTF() + TableauVersRTF(f, ModeTableauRTF::Normal, 10000) + "}";
        const rtf::LectureRtf lu = rtf::LireRtf(rtf);
        ASSERT_TRUE(lu.document) << lu.erreur;
        ASSERT_GE(lu.document->paragraphes.size(), 2U);
        std::u32string cellule;
        for (const auto& m : lu.document->paragraphes[1].morceaux) cellule += m.texte;
        // Column 0's empty cell, then the text between its two blanks.
        EXPECT_EQ(cellule, U"\t" + platform::Cp1252VersU32(texte) + U" \t") << texte;
    }
}

}  // namespace
}  // namespace korv::print
