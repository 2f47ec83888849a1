#include "text/write.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace korv::text {
namespace {

// A Windows Write document built byte by byte: header, text, one page of
// character formatting, one of paragraph formatting, the font table.
struct DocumentWrite {
    struct Paragraphe {
        std::uint32_t fin;  // end in the text (exclusive)
        std::uint8_t jc = 0;
        std::uint8_t rhc = 0;
    };
    struct Passage {
        std::uint32_t fin;
        std::uint8_t octet2 = 0;  // bold 1, italic 2, font << 2
        std::uint8_t hps = 24;
        std::string brut = {};  // the whole property, count byte first, when given
    };
    std::string texte;
    std::vector<Paragraphe> paragraphes;
    std::vector<Passage> passages;
    std::vector<std::string> polices;

    static void Mot(std::string& s, std::size_t i, std::uint16_t v) {
        s[i] = static_cast<char>(v & 0xFF);
        s[i + 1] = static_cast<char>(v >> 8);
    }
    static void Long(std::string& s, std::size_t i, std::uint32_t v) {
        Mot(s, i, static_cast<std::uint16_t>(v & 0xFFFF));
        Mot(s, i + 2, static_cast<std::uint16_t>(v >> 16));
    }
    template <typename T, typename F>
    static std::string Fkp(const std::vector<T>& fods, F&& propriete) {
        std::string page(128, '\0');
        Long(page, 0, 128);
        std::size_t libre = 4 + 6 * fods.size();
        for (std::size_t k = 0; k < fods.size(); ++k) {
            const std::string p = propriete(fods[k]);
            Long(page, 4 + 6 * k, 128 + fods[k].fin);
            Mot(page, 4 + 6 * k + 4, static_cast<std::uint16_t>(libre - 4));
            page.replace(libre, p.size(), p);
            libre += p.size();
        }
        page[127] = static_cast<char>(fods.size());
        return page;
    }

    std::string Construire() const {
        std::string d(128, '\0');
        const auto fcMac = static_cast<std::uint32_t>(128 + texte.size());
        d += texte;
        d.resize((d.size() + 127) / 128 * 128, '\0');
        const auto pnChar = static_cast<std::uint16_t>(d.size() / 128);
        d += Fkp(passages, [](const Passage& p) {
            if (!p.brut.empty()) return p.brut;
            return std::string{3, 0, static_cast<char>(p.octet2), static_cast<char>(p.hps)};
        });
        d += Fkp(paragraphes, [](const Paragraphe& p) {
            std::string pap(18, '\0');
            pap[0] = 17;
            pap[2] = static_cast<char>(p.jc);
            pap[17] = static_cast<char>(p.rhc);
            return pap;
        });
        std::string table(128, '\0');
        std::size_t i = 2;
        for (const std::string& nom : polices) {
            Mot(table, i, static_cast<std::uint16_t>(nom.size() + 2));
            table.replace(i + 3, nom.size(), nom);
            i += 2 + nom.size() + 2;
        }
        d += table;
        Mot(d, 0, 0xBE31);
        Mot(d, 4, 0xAB00);
        Long(d, 14, fcMac);
        Mot(d, 18, static_cast<std::uint16_t>(pnChar + 1));  // pnPara
        Mot(d, 20, static_cast<std::uint16_t>(pnChar + 2));  // pnFntb
        Mot(d, 28, static_cast<std::uint16_t>(pnChar + 2));  // pnFfntb
        return d;
    }
};

bool Disponible(std::string_view nom) { return nom == "Arial"; }

std::string Importer(const std::string& octets) { return PrecodeFichierTexte(octets, Disponible, "TIMES NEW ROMAN"); }

TEST(Write, DeuxSautsDePageDonnentTroisPages) {
    DocumentWrite d;
    d.texte = "un\x0c" "deux\x0c" "trois";
    d.paragraphes = {{static_cast<std::uint32_t>(d.texte.size())}};
    d.passages = {{static_cast<std::uint32_t>(d.texte.size())}};
    d.polices = {"Arial"};
    EXPECT_EQ(Importer(d.Construire()),
              "<PageNombre000003><PageNumero1><HorizontalAligneGauche><Taille12><Police Arial>un<PageNumero2>deux"
              "<PageNumero3>trois");
}

TEST(Write, ParagrapheCentrePoliceManquanteEtTetesCourantes) {
    DocumentWrite d;
    d.texte = "Titre\r\nEn-tete\r\nCorps gras\r\n";
    d.paragraphes = {{7, 1}, {16, 0, 0x02}, {static_cast<std::uint32_t>(d.texte.size()), 0}};
    // "Corps " plain in the missing font 1, "gras" bold, size 10.
    d.passages = {{22, 1 << 2, 20}, {26, 1 | (1 << 2), 20}, {static_cast<std::uint32_t>(d.texte.size()), 1 << 2, 20}};
    d.polices = {"Arial", "Wingdings"};
    EXPECT_EQ(Importer(d.Construire()),
              "<PageNombre000001><PageNumero1><HorizontalAligneCentre><Taille10><Police TIMES NEW ROMAN>Titre<Cr>"
              "<HorizontalAligneGauche>Corps <Gras1>gras<Gras0><Cr>");
}

TEST(Write, PositionLueSeulementDansLaPropriete) {
    DocumentWrite d;
    d.texte = "ab";
    d.paragraphes = {{2}};
    // A property of 5 bytes followed by the next one, whose first byte would
    // read as a superscript position if the 6th byte were taken.
    d.passages = {{1, 0, 24, std::string{5, 0, 0, 24, 0, 0}}, {2, 0, 24, std::string{6, 0, 0, 24, 0, 0, 1}}};
    d.polices = {"Arial"};
    EXPECT_EQ(Importer(d.Construire()),
              "<PageNombre000001><PageNumero1><HorizontalAligneGauche><Taille12><Police Arial>a<Exposant1>b");
}

// Sizes in half points: a half point goes to the even size.
TEST(Write, DemiPointsArrondisAuPair) {
    const struct {
        std::uint8_t hps;
        const char* taille;
    } cas[] = {{20, "<Taille10>"}, {21, "<Taille10>"}, {23, "<Taille12>"}, {25, "<Taille12>"}, {27, "<Taille14>"},
               {3, "<Taille2>"}};
    for (const auto& c : cas) {
        DocumentWrite d;
        d.texte = "a";
        d.paragraphes = {{1}};
        d.passages = {{1, 0, c.hps}};
        d.polices = {"Arial"};
        EXPECT_NE(Importer(d.Construire()).find(c.taille), std::string::npos) << int{c.hps};
    }
}

TEST(Write, FichierOrdinairePasseTel) {
    EXPECT_EQ(Importer("a\tb\r\nc\x0c" "d\x01"), "<PageNombre000002><PageNumero1>a b<Cr>c<PageNumero2>d");
    EXPECT_EQ(Importer(""), "<PageNombre000001><PageNumero1>");
}

TEST(Write, DocumentEndommageNePlantePas) {
    DocumentWrite d;
    d.texte = "abc";
    d.paragraphes = {{3}};
    d.passages = {{3, 0, 24}};
    d.polices = {"Arial"};
    const std::string bon = d.Construire();
    struct Cas {
        std::size_t octet;
        char valeur;
    };
    // Header fields and FKP counts pointing anywhere.
    const Cas cas[] = {{14, '\x7F'}, {17, '\x7F'}, {18, '\xFF'}, {20, '\x00'}, {28, '\xFF'},
                       {128 + 127, '\xFF'}, {256 + 127, '\xFF'}, {256 + 8, '\x7E'}, {384 + 8, '\x7E'},
                       {512 + 2, '\xFF'}, {512 + 3, '\xFF'}};
    for (const Cas& c : cas) {
        std::string abime = bon;
        abime[c.octet] = c.valeur;
        const std::string r = Importer(abime);
        EXPECT_TRUE(r.starts_with("<PageNombre")) << c.octet;
    }
    // Cut short anywhere.
    for (std::size_t n = 0; n < bon.size(); ++n) EXPECT_TRUE(Importer(bon.substr(0, n)).starts_with("<PageNombre"));
}

}  // namespace
}  // namespace korv::text
