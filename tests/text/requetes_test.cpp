#include <gtest/gtest.h>

#include <string>

#include "text/balises.h"
#include "text/codeur.h"
#include "text/requetes.h"

namespace korv::text {
namespace {

TEST(Sequences, DecoupageEtNoms) {
    struct Cas {
        const char* texte;
        Position depart;
        const char* sequence;
    };
    const Cas cas[] = {
        {"ab<Gras1>cd", 1, "ab"},
        {"ab<Gras1>cd", 3, "<Gras1>"},
        {"ab<Gras1>cd", 10, "cd"},
        {"ab<Gras1>cd", 0, "ab"},   // below 1 reads from 1
        {"ab<Gras1>cd", 99, ""},    // past the end: nothing
        {"<a<b>c>d", 1, "<a<b>c>"},  // nested: ends at the outer ">"
        {"x<Gras1", 2, ""},          // unclosed: no sequence
        {"<Taille 12>", 1, "<Taille 12>"},
    };
    for (const Cas& c : cas) {
        Position p = c.depart;
        EXPECT_EQ(TextePrepareSequenceSuivante(c.texte, p), c.sequence) << c.texte << " @" << c.depart;
    }
    struct Balise {
        const char* sequence;
        const char* nom;
        const char* argument;
    };
    const Balise balises[] = {
        {"<Taille12>", "Taille", "12"},  {"<Taille 12>", "Taille", "12"},
        {"<Police Arial>", "Police", "Arial"}, {"<Cr>", "Cr", ""},
        {"<Texte deja Prepare>", "Texte", "deja Prepare"}, {"<LigneNumero-3>", "LigneNumero", "-3"},
    };
    for (const Balise& b : balises) {
        EXPECT_EQ(TexteCodeSequence(b.sequence), b.nom);
        EXPECT_EQ(TexteArgumentSequence(b.sequence), b.argument);
    }
}

TEST(Sequences, RInstrEtVal) {
    EXPECT_EQ(RInstr(0, "abab", "ab"), 0);
    EXPECT_EQ(RInstr(2, "abab", "ab"), 1);
    EXPECT_EQ(RInstr(3, "abab", "ab"), 3);
    EXPECT_EQ(RInstr(99, "abab", "ab"), 3);
    EXPECT_EQ(RInstr(4, "abab", "x"), 0);
    EXPECT_EQ(Val(" 12abc"), 12.0);
    EXPECT_EQ(Val("-3.5"), -3.5);
    EXPECT_EQ(Val("&HFF"), 255.0);
    EXPECT_EQ(Val("x"), 0.0);
    EXPECT_EQ(ValEntier("2.5"), 2);
    EXPECT_EQ(ValEntier("1e99"), 2147483647);
}

TEST(Formatage, EnVigueurAUnePosition) {
    const std::string t = "<gras1><Gras1>a<Taille 14><Couleur255><HorizontalAligneCentre>b<Gras0><VerticalAligne3>c";
    FormatageTexte f;
    f.taille = 11;
    TexteAppliqueFormatagePrecedent(t, static_cast<Position>(t.find('b')) + 1, f);
    EXPECT_TRUE(f.gras);
    EXPECT_EQ(f.taille, 14);
    EXPECT_EQ(f.couleur, 255);
    EXPECT_EQ(f.alignementH, 1);
    EXPECT_EQ(f.alignementV, 0);
    TexteAppliqueFormatagePrecedent(t, static_cast<Position>(t.size()), f);
    EXPECT_FALSE(f.gras);
    EXPECT_EQ(f.alignementV, 1);
}

// "Un<Cr>Deux<PageNumero2>Trois" coded with the fixed measurer: three
// lines 225 twips high, line 3 on page 2.
std::string Code() {
    MesureurFixe m;
    return TextePrecodeAffichage("<PageNombre000002><PageNumero1>Un<Cr>Deux<PageNumero2>Trois", m, 3000, {});
}

TEST(Requetes, LignesEtMorceaux) {
    const std::string c = Code();
    EXPECT_EQ(TexteBasLigne(c, 1, 15), 225);
    EXPECT_EQ(TexteBasLigne(c, 3, 15), 675);
    EXPECT_EQ(TexteBasLigne(c, 9, 15), -15);
    EXPECT_EQ(TexteHautLigne(c, 2, 15), 240);
    EXPECT_EQ(TexteHautLigne(c, 1, 15), 15);  // line 0 is the page's head record
    EXPECT_TRUE(TexteBienParametre(c, 3000));
    EXPECT_FALSE(TexteBienParametre(c, 300));
    EXPECT_EQ(TexteQuelleLigneNCar(c, TexteNLigneVersNCar(c, 2)), 2);
    EXPECT_EQ(TexteQuelleLigneNCar(c, static_cast<Position>(c.find("Deux")) + 1), 2);
    EXPECT_EQ(TexteQuelleLigneNCar("sans marque", 3), 0);

    struct Cas {
        std::int64_t page, ligne, nb;
        const char* debut;  // what the piece starts with
        bool jusquAuBout;
    };
    const Cas cas[] = {
        {2, 0, 0, "<PageNumero2>", true},
        {1, 0, 0, "<PageNumero1>", false},
        {0, 2, 1, "<LigneNumero2>", false},
        {0, 2, 0, "<LigneNumero2>", true},
        {5, 0, 0, "<Zone", true},  // no such page: the whole text
        {0, 0, 0, "<Zone", true},
    };
    for (const Cas& k : cas) {
        const auto [d, f] = NCarTexteMorceauDetermine(c, k.page, k.ligne, k.nb);
        EXPECT_TRUE(c.substr(static_cast<std::size_t>(d - 1)).starts_with(k.debut)) << k.page << " " << k.ligne;
        EXPECT_EQ(f == static_cast<Position>(c.size()), k.jusquAuBout) << k.page << " " << k.ligne;
    }
}

TEST(Requetes, DecalageVertical) {
    const std::string c = Code();
    FormatageTexte f;
    const auto tout = NCarTexteMorceauDetermine(c, 0, 0, 0);
    // Top: the first line of the whole text is the page head record 0,
    // whose top is 0.
    EXPECT_EQ(TexteDecalageVerticalDetermine(0, c, {1000, 3000}, tout, 0, f, 15), 1000);
    // Bottom: the last line's bottom (675) to the rectangle's bottom.
    EXPECT_EQ(TexteDecalageVerticalDetermine(0, c, {1000, 3000}, tout, 1, f, 15), 3000 - 675);
    // Centre: 1000 + 1000 - 675 / 2, halves to even.
    EXPECT_EQ(TexteDecalageVerticalDetermine(0, c, {1000, 3000}, tout, 2, f, 15), 1662);
    // A "VerticalAligne" tag inside the piece wins over the default.
    const std::string v = "<VerticalAligne3>" + c;
    EXPECT_EQ(TexteDecalageVerticalDetermine(0, v, {1000, 3000}, NCarTexteMorceauDetermine(v, 0, 0, 0), 0, f, 15),
              3000 - 675);
    std::int32_t d = 0;
    EXPECT_EQ(TexteADecouperQuelleLigneY(c, 0, 0, 0, {1000, 3000}, d, 0, {}, 1000 + 300, 15), 2);
    EXPECT_EQ(TexteADecouperQuelleLigneY(c, 0, 0, 0, {1000, 3000}, d, 0, {}, 999, 15), 0);
    EXPECT_EQ(TexteADecouperQuelleLigneY("", 0, 0, 0, {1000, 3000}, d, 0, {}, 1200, 15), 0);
    // Damaged line numbers and positions: answered at once, no overflow.
    const std::string abime = "<LigneNumero1><Y225>a<LigneNumero2000000000><Y2147483647>b";
    EXPECT_EQ(TexteADecouperQuelleLigneY(abime, 0, 0, 0, {1000, 3000}, d, 0, {}, 1100, 15), 1);
    EXPECT_EQ(TexteADecouperQuelleLigneY(abime, 0, 0, 0, {1000, 3000}, d, 0, {}, 900, 15), 0);
}

TEST(Requetes, TexteSansBalises) {
    const std::string t = "a<Gras1>b<Cr>c<PageNumero>d<PageNumero2>e<>f";
    EXPECT_EQ(TexteDecodeSeul(t, false, false), "abcde<>f");
    EXPECT_EQ(TexteDecodeSeul(t, true, false), "ab\r\nc\r\nde<>f");
    EXPECT_EQ(TexteDecodeSeul(t, false, true), "abc<PageNumero>d<PageNumero2>e<>f");
    EXPECT_EQ(TexteNCarDecodeVersNCarCode("a<Gras1>bc", 2), 9);
    EXPECT_EQ(TexteNCarDecodeVersNCarCode("a<Gras1>bc", 1), 1);
    EXPECT_EQ(TexteNCarDecodeVersNCarCode("a<Gras1>bc", 4), -1);
}

TEST(Requetes, PagesEtRecherche) {
    const std::string c = Code();
    SourceChaine s(c);
    EXPECT_EQ(TexteNbPage(s), 2);
    SourceChaine sans("pas de pages");
    EXPECT_EQ(TexteNbPage(sans), 1);
    EXPECT_EQ(TexteNLigneVersNPage(s, 1), 1);
    EXPECT_EQ(TexteNLigneVersNPage(s, 3), 2);
    EXPECT_EQ(TexteNLigneVersNPage(s, 7), 0);
    EXPECT_EQ(TexteNLigneVersNPage(s, 0), 0);
    struct Cas {
        const char* cherche;
        std::int64_t depuis;
        std::int64_t ligne;
    };
    const Cas cas[] = {{"Deux", 0, 2}, {"Trois", 1, 3}, {"Un", 2, 1},  // wraps to the start
                       {"absent", 1, 0}, {"xTr", 0, 3},                  // across lines
                       {"", 0, 0}};
    for (const Cas& k : cas) EXPECT_EQ(TexteRecherche(s, k.cherche, k.depuis), k.ligne) << k.cherche;
    // A string split by a tag is found.
    SourceChaine coupe("<LigneNumero1>ab<Gras1>cd");
    EXPECT_EQ(TexteRecherche(coupe, "bc", 0), 1);
}

TEST(Langues, Variantes) {
    struct Cas {
        const char* texte;
        int langue, nb;
        const char* attendu;
        bool existe;
    };
    const Cas cas[] = {
        {"A|B", 1, 3, "A", true}, {"A|B", 2, 3, "B", true}, {"A|B", 3, 3, "A|B", false},
        {"A", 1, 1, "A", true},   {"A", 2, 2, "A", false},  {"", 1, 1, "", true},
    };
    for (const Cas& c : cas) {
        EXPECT_EQ(TexteTraduction(c.texte, c.langue, c.nb), c.attendu) << c.texte << c.langue;
        EXPECT_EQ(TexteTraductionExiste(c.texte, c.langue, c.nb), c.existe) << c.texte << c.langue;
    }
}

}  // namespace
}  // namespace korv::text
