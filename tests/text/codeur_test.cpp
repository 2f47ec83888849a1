#include <gtest/gtest.h>

#include <string>

#include "text/codeur.h"

namespace korv::text {
namespace {

std::string Code(std::string_view source, std::int32_t largeur, MesureurFixe::Reglages r = {}) {
    MesureurFixe m(r);
    FormatageTexte depart;
    depart.police = "TIMES NEW ROMAN";
    return TextePrecodeAffichage(source, m, largeur, depart);
}

TEST(Codeur, SortiesDeReference) {
    struct Cas {
        const char* source;
        std::int32_t largeur;
        const char* attendu;
    };
    const Cas cas[] = {
        {"ab cd", 350, "<Zone350><LigneNumero1><X0><Y225><BaseLine180>ab <LigneNumero2><X0><Y450><BaseLine405>cd"},
        {"ab cd", 2000, "<Zone2000><LigneNumero1><X0><Y225><BaseLine180>ab cd"},
        // Forced breaks: one empty line per tag, each a blank's height lower.
        {"<Cr><Cr>", 1000,
         "<Zone1000><LigneNumero1><Y225><Formatage1><Formatage0><Cr><LigneNumero2><Y450><Formatage1><Formatage0>"
         "<Cr><LigneNumero3><Y675>"},
        // A word wider than the line is cut where it stops fitting.
        {"abcdef", 350, "<Zone350><LigneNumero1><X0><Y225><BaseLine180>abc<LigneNumero2><X0><Y450><BaseLine405>def"},
        // Centred: (1000 - 210) / 2 = 395.
        {"<HorizontalAligneCentre>ab", 1000, "<Zone1000><LigneNumero1><X395><Y225><BaseLine180><HorizontalAligneCentre>ab"},
        {"<HorizontalAligneDroite>ab", 1000, "<Zone1000><LigneNumero1><X790><Y225><BaseLine180><HorizontalAligneDroite>ab"},
        // The restore block carries what differs from the starting format.
        {"<Gras1>a<Cr>b", 1000,
         "<Zone1000><LigneNumero1><X0><Y225><BaseLine180><Gras1>a<Formatage1><Gras1><Formatage0><Cr>"
         "<LigneNumero2><X0><Y450><BaseLine405>b"},
        // A subscript adds 5 pixels to the line's height.
        {"<Indice1>a", 1000, "<Zone1000><LigneNumero1><X0><Y300><BaseLine180><Indice1>a"},
        // The page marker at the head gives a line record 0.
        {"<PageNombre000002><PageNumero1>a<PageNumero2>b", 1000,
         "<Zone1000><LigneNumero0><Y0><Formatage1><Formatage0><PageNombre000002><PageNumero1><LigneNumero1><X0>"
         "<Y225><BaseLine180>a<Formatage1><Formatage0><PageNumero2><LigneNumero2><X0><Y450><BaseLine405>b"},
        // A source ending with a forced break gets a last, empty line.
        {"a<Cr>", 1000,
         "<Zone1000><LigneNumero1><X0><Y225><BaseLine180>a<Formatage1><Formatage0><Cr><LigneNumero2><Y450>"},
    };
    for (const Cas& c : cas) EXPECT_EQ(Code(c.source, c.largeur), c.attendu) << c.source;
}

// A run that fits on no line part goes back to the last blank of the line:
// the line keeps its words with the blank after them, and the dropped
// words begin the next line in their own format.
TEST(Codeur, RetourAuDernierBlanc) {
    const struct {
        const char* source;
        std::int32_t largeur;
        const char* attendu;
    } cas[] = {
        // "ab " (315) then bold "cdefgh" (1260), of which nothing fits at a
        // word boundary: back to the blank after "ab".
        {"ab <Gras1>cdefgh", 600,
         "<Zone600><LigneNumero1><X0><Y225><BaseLine180>ab <LigneNumero2><X0><Y450><BaseLine405><Gras1>cd"
         "<LigneNumero3><X0><Y675><BaseLine630>ef<LigneNumero4><X0><Y900><BaseLine855>gh"},
        // Back over a later piece: the line keeps "ab " and drops the bold
        // "c", which begins the next line.
        {"ab <Gras1>c<Gras0>defghijk", 600,
         "<Zone600><LigneNumero1><X0><Y225><BaseLine180>ab <LigneNumero2><X0><Y450><BaseLine405><Gras1>c<Gras0>def"
         "<LigneNumero3><X0><Y675><BaseLine630>ghijk"},
        // A word that fills the line exactly stays whole on it.
        {"abcd", 420, "<Zone420><LigneNumero1><X0><Y225><BaseLine180>abcd"},
    };
    for (const auto& c : cas) EXPECT_EQ(Code(c.source, c.largeur), c.attendu) << c.source;
}

TEST(Codeur, JustifieDeuxMorceaux) {
    // A wrapped justified line of two words: the first at 0, the second
    // flush right without its trailing blank (600 - 210 = 390).
    const std::string code = Code("<HorizontalAligneJustifie>ab cd ef", 600);
    EXPECT_EQ(code,
              "<Zone600><LigneNumero1><X0><Y225><BaseLine180><X0><HorizontalAligneJustifie>ab <X390>cd "
              "<LigneNumero2><X0><Y450><BaseLine405><X0>ef");
}

TEST(Codeur, JustifieEcartsEntreMots) {
    // Five words on the first line: the last flush right without its
    // blank (1000 - 105), the gap (1000 - 945) / 4 = 13.75 -> 14 added per
    // word; the last line, ended by the end of the text, stays left.
    EXPECT_EQ(Code("<HorizontalAligneJustifie>a b c d e f g h i j", 1000),
              "<Zone1000><LigneNumero1><X0><Y225><BaseLine180><X0><HorizontalAligneJustifie>a <X224>b <X448>c "
              "<X672>d <X895>e <LigneNumero2><X0><Y450><BaseLine405><X0>f <X210>g <X420>h <X630>i <X840>j");
}

TEST(Codeur, LargeurTropPetitePlaceUnCaractereParLigne) {
    EXPECT_EQ(Code("ab", 50),
              "<Zone50><LigneNumero1><X0><Y225><BaseLine180>a<LigneNumero2><X0><Y450><BaseLine405>b<LigneNumero3><Y675>");
}

TEST(Codeur, LigneAuDelaDeLaFenetreNePerdRienDuTexte) {
    // One line whose source (tags included) is longer than the window.
    std::string source;
    for (int i = 0; i < 800; ++i) source += "<Gras0>x";
    source += "FIN";
    const std::string code = Code(source, 10'000'000);
    EXPECT_NE(code.find("xFIN"), std::string::npos);
    EXPECT_EQ(code.find("<LigneNumero2>"), std::string::npos);
}

TEST(Codeur, LargeurNulleNeDiviseParZero) {
    MesureurFixe m({0, 225, 180, 15});
    EXPECT_EQ(TextePrepareMorceauDernierCaractereLigne("abc", 10, m, false), 3);
    EXPECT_EQ(TextePrepareMorceauDernierCaractereLigne("", 10, m, false), -1);
}

TEST(Codeur, CoupureDeLigne) {
    MesureurFixe m({100, 225, 180, 15});
    // Two two-letter words, the first four characters fit: the line keeps the blank.
    EXPECT_EQ(TextePrepareMorceauDernierCaractereLigne("ab cd", 450, m, true), 3);
    EXPECT_EQ(TextePrepareMorceauDernierCaractereLigne("abcdef", 450, m, true), -1);
    EXPECT_EQ(TextePrepareMorceauDernierCaractereLigne("abcdef", 450, m, false), 4);
    // Strict: a prefix exactly as wide as the room does not fit.
    EXPECT_EQ(TextePrepareMorceauDernierCaractereLigne("abcdef", 400, m, false), 3);
    EXPECT_EQ(TextePrepareMorceauDernierCaractereLigne("abcdef", 50, m, false), -1);
}

}  // namespace
}  // namespace korv::text
