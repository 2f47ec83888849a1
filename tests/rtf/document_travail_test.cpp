#include "rtf/document_travail.h"

#include <gtest/gtest.h>

#include "outils.h"

namespace korv::rtf {
namespace {

using test::Brut;
using test::Lu;

// The format of the run that holds plain-text position `position`.
FormatCaractere FormatA(const Document& d, std::size_t paragraphe, std::size_t morceau) {
    return d.paragraphes.at(paragraphe).morceaux.at(morceau).format;
}

std::string NomPolice(const Document& d, std::int32_t numero) {
    const Police* p = d.PoliceNumero(numero);
    return p != nullptr ? p->nom : std::string("?");
}

TEST(DocumentTravail, UneEtapeSeCompose) {
    // Title, number before it, blank line, written text: each rich text
    // keeps its own fonts and colours, the number takes the title's look.
    DocumentTravail d;
    ASSERT_TRUE(d.InsererRtfFin(R"({\rtf1{\fonttbl{\f0 Arial;}{\f3 Times New Roman;}}{\colortbl;\red0\green0\blue255;})"
                                R"(\pard\qc\f3\fs32\b\cf1 Titre\par })"));
    d.InsererTexte(0, U"2.1. ");
    d.InsererTexte(d.Longueur(), U"\r\n");
    ASSERT_TRUE(d.InsererRtfFin(R"({\rtf1{\fonttbl{\f0 Courier New;}}{\colortbl;\red255\green0\blue0;})"
                                R"(\f0 Un {\cf1 texte}\par Fin})"));
    const Document& m = d.Modele();
    EXPECT_EQ(Brut(m), "2.1. Titre||Un texte|Fin|");
    const FormatCaractere titre = FormatA(m, 0, 0);
    EXPECT_EQ(NomPolice(m, titre.police), "Times New Roman");
    EXPECT_TRUE(titre.gras);
    EXPECT_EQ(titre.taille, 32);
    EXPECT_EQ(m.paragraphes[0].morceaux.size(), 1u);  // "2.1. " joined the title's run
    EXPECT_EQ(m.paragraphes[0].format.alignement, Alignement::Centre);
    const FormatCaractere texte = FormatA(m, 2, 0);
    EXPECT_EQ(NomPolice(m, texte.police), "Courier New");
    EXPECT_FALSE(texte.gras);
    // Colours by value: blue title, red word.
    const auto couleur = [&m](const FormatCaractere& f) {
        const CouleurRtf& c = m.couleurs.at(static_cast<std::size_t>(f.couleur));
        return std::tuple{c.automatique, c.rouge, c.vert, c.bleu};
    };
    EXPECT_EQ(couleur(titre), (std::tuple{false, 0, 0, 255}));
    EXPECT_EQ(couleur(FormatA(m, 2, 1)), (std::tuple{false, 255, 0, 0}));
    // Read back by our reader as it is.
    EXPECT_EQ(Lu(d.Rtf()), m);
}

TEST(DocumentTravail, InsertionsEtFinsDeParagraphe) {
    struct Cas {
        const char* rtf;
        const char* attendu;
        bool accepte;
    };
    const Cas cas[] = {
        {R"({\rtf1 A})", "xA|", true},
        {R"({\rtf1 A\par})", "xA|", true},            // its end is the stored text's own
        {R"({\rtf1 A\par\par})", "xA|", true},        // as our writer ends a text
        {R"({\rtf1 A\par B})", "xA|B|", true},
        {"texte brut", "xtexte brut|", true},
        {"", "x", true},
        {R"({\rtf1 A)", "xA|", true},                 // cut short: read as far as it goes
        {R"({\rtf1 A\par\par\par})", "xA||", true},
    };
    for (const Cas& c : cas) {
        DocumentTravail d;
        d.InsererTexte(0, U"x");
        EXPECT_EQ(d.InsererRtfFin(c.rtf), c.accepte) << c.rtf;
        EXPECT_EQ(Brut(d.Modele()), c.attendu) << c.rtf;
    }
}

TEST(DocumentTravail, LeTexteInsereSuitLeFormatAvantLui) {
    DocumentTravail d;
    ASSERT_TRUE(d.DefinirRtf(R"({\rtf1 {\b gras}{\i penche}\par {\ul souligne}})"));
    d.InsererTexte(4, U"1");          // end of the bold run: bold
    d.InsererTexte(0, U"0");          // start: the first character's
    d.InsererTexte(14, U"2");         // start of the second paragraph: its first character's
    Retouche sans;
    sans.souligne = false;
    d.InsererTexte(d.Longueur(), U"3", sans);
    const Document& m = d.Modele();
    EXPECT_EQ(Brut(m), "0gras1penche|2souligne3");
    EXPECT_EQ(m.paragraphes[0].morceaux[0].texte, U"0gras1");
    EXPECT_TRUE(m.paragraphes[0].morceaux[0].format.gras);
    EXPECT_EQ(m.paragraphes[1].morceaux[0].texte, U"2souligne");
    EXPECT_TRUE(m.paragraphes[1].morceaux[0].format.souligne);
    EXPECT_EQ(m.paragraphes[1].morceaux[1].texte, U"3");
    EXPECT_FALSE(m.paragraphes[1].morceaux[1].format.souligne);
    // A typed line break starts a paragraph.
    d.InsererTexte(1, U"\r\n");
    EXPECT_EQ(Brut(d.Modele()), "0|gras1penche|2souligne3");
}

TEST(DocumentTravail, LeFormatDuPremierCaractereSurToutLeTexte) {
    const CaractereFormat formats[] = {
        {"Times New Roman", 32, true, false, true, 0x0000FF, 2},
        {"Arial", 20, false, true, false, 0, 0},
        {"Courier New", 21, true, true, true, 0x102030, 1},
    };
    for (const CaractereFormat& f : formats) {
        DocumentTravail d;
        ASSERT_TRUE(d.DefinirRtf(R"({\rtf1{\fonttbl{\f0 Arial;}} {\b\i un}\par deux\par\qc trois})"));
        d.CaractereFormatAppliquer(f);
        EXPECT_EQ(d.CaractereFormatLire(), f) << f.police;
        // Every character and paragraph took it, and so does the RTF read back.
        DocumentTravail relu;
        ASSERT_TRUE(relu.DefinirRtf(d.Rtf()));
        for (const Paragraphe& p : relu.Modele().paragraphes) {
            EXPECT_EQ(static_cast<int>(p.format.alignement),
                      f.alignement == 1 ? static_cast<int>(Alignement::Droite)
                                        : f.alignement == 2 ? static_cast<int>(Alignement::Centre) : 0);
            for (const Morceau& m : p.morceaux) {
                EXPECT_EQ(m.format.taille, f.tailleDemiPoints);
                EXPECT_EQ(m.format.gras, f.gras);
                EXPECT_EQ(m.format.souligne, f.souligne);
                EXPECT_EQ(m.format.italique, f.italique);
            }
        }
        EXPECT_EQ(relu.CaractereFormatLire(), f);
    }
}

TEST(DocumentTravail, UneSeuleTabulationPartout) {
    DocumentTravail d;
    ASSERT_TRUE(d.DefinirRtf(R"({\rtf1\pard\tx100\tx200 a\tab 1\par b\tab 2})"));
    d.TabulationUnique(8500);
    const Document relu = Lu(d.Rtf());
    ASSERT_EQ(relu.paragraphes.size(), 2u);
    for (const Paragraphe& p : relu.paragraphes) EXPECT_EQ(p.format.tabulations, (std::vector<std::int32_t>{8500}));
}

TEST(DocumentTravail, RemplacementsDansLeTexteBrut) {
    DocumentTravail d;
    ASSERT_TRUE(d.DefinirRtf("{\\rtf1 Page\\'a4\\par {\\b (boule)} point (boule\\par )}"));
    d.RemplacerTout(U"\u00A4", U"");
    d.RemplacerTout(U"(boule)", U"-");
    EXPECT_EQ(Brut(d.Modele()), "Page|- point (boule|)");  // a paragraph end is no part of a match
    EXPECT_TRUE(d.Modele().paragraphes[1].morceaux[0].format.gras);
}

TEST(DocumentTravail, UnTexteRefuseLaisseLeDocumentVide) {
    DocumentTravail d;
    ASSERT_TRUE(d.DefinirRtf(R"({\rtf1 quelque chose})"));
    const std::string tropLong = R"({\rtf1 )" + std::string(20u << 20, 'a');
    EXPECT_FALSE(d.InsererRtfFin(tropLong));
    EXPECT_EQ(Brut(d.Modele()), "quelque chose");
    EXPECT_FALSE(d.DefinirRtf(tropLong));
    EXPECT_EQ(d.Longueur(), 0);
}

}  // namespace
}  // namespace korv::rtf
