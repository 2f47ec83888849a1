#include "rtf/texte_balise.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "outils.h"
#include "rtf/ecrivain.h"

namespace korv::rtf {
namespace {

using test::Brut;

Document Convertir(std::string_view texte) { return TexteInterneVersRTF(texte, "Times New Roman", 15); }

const Morceau& DernierMorceau(const Document& d) {
    static const Morceau vide;
    for (auto p = d.paragraphes.rbegin(); p != d.paragraphes.rend(); ++p) {
        if (!p->morceaux.empty()) return p->morceaux.back();
    }
    ADD_FAILURE() << "pas de texte";
    return vide;
}

TEST(TexteInterneVersRTF, GrasGardeApresLeRetourEtCentrageDuSecondParagrapheSeul) {
    const Document d = Convertir("<Gras1>A<Cr><HorizontalAligneCentre>B");
    ASSERT_EQ(d.paragraphes.size(), 2u);
    EXPECT_EQ(Brut(d), "A|B");
    EXPECT_EQ(d.paragraphes[0].format.alignement, Alignement::Gauche);
    EXPECT_EQ(d.paragraphes[1].format.alignement, Alignement::Centre);
    ASSERT_EQ(d.paragraphes[0].morceaux.size(), 1u);
    ASSERT_EQ(d.paragraphes[1].morceaux.size(), 1u);
    EXPECT_TRUE(d.paragraphes[0].morceaux[0].format.gras);
    EXPECT_TRUE(d.paragraphes[1].morceaux[0].format.gras);
}

TEST(TexteInterneVersRTF, DepartPoliceParDefautEnMajusculesOnzePointsNoir) {
    const Document d = Convertir("a");
    ASSERT_EQ(d.polices.size(), 1u);
    EXPECT_EQ(d.polices[0].nom, "TIMES NEW ROMAN");
    EXPECT_EQ(d.policeDefaut, d.polices[0].numero);
    const FormatCaractere& f = DernierMorceau(d).format;
    EXPECT_EQ(f.police, d.polices[0].numero);
    EXPECT_EQ(f.taille, 22);
    EXPECT_FALSE(f.gras || f.italique || f.souligne);
    EXPECT_EQ(f.decalage, 0);
    ASSERT_GT(f.couleur, 0);  // set black, not the automatic colour
    EXPECT_EQ(d.couleurs[static_cast<std::size_t>(f.couleur)], (CouleurRtf{false, 0, 0, 0}));
    EXPECT_EQ(d.paragraphes[0].format.alignement, Alignement::Gauche);
}

// Each tag of the vocabulary, and what it does to the text typed after it.
struct CasBalise {
    const char* texte;
    const char* brut;
    std::function<void(const Document&, const FormatCaractere&)> verifie;
};

// Printed by its tagged text, so that the test list stays the same from one run to the next.
void PrintTo(const CasBalise& c, std::ostream* os) { *os << c.texte; }

class ConversionBalise : public ::testing::TestWithParam<CasBalise> {};

TEST_P(ConversionBalise, FaitCeQueDitLaBalise) {
    const CasBalise& c = GetParam();
    const Document d = Convertir(c.texte);
    EXPECT_EQ(Brut(d), c.brut) << c.texte;
    c.verifie(d, DernierMorceau(d).format);
}

const FormatCaractere kDefaut = Convertir("x").paragraphes[0].morceaux[0].format;

void Inchange(const Document&, const FormatCaractere& f) { EXPECT_EQ(f, kDefaut); }

std::function<void(const Document&, const FormatCaractere&)> Alignes(std::vector<Alignement> attendus) {
    return [attendus](const Document& d, const FormatCaractere& f) {
        EXPECT_EQ(f, kDefaut);
        ASSERT_EQ(d.paragraphes.size(), attendus.size());
        for (std::size_t i = 0; i < attendus.size(); ++i) {
            EXPECT_EQ(d.paragraphes[i].format.alignement, attendus[i]) << "paragraphe " << i;
        }
    };
}

INSTANTIATE_TEST_SUITE_P(
    Vocabulaire, ConversionBalise,
    ::testing::Values(
        CasBalise{"<Police Arial>x", "x",
                  [](const Document& d, const FormatCaractere& f) {
                      const Police* p = d.PoliceNumero(f.police);
                      ASSERT_NE(p, nullptr);
                      EXPECT_EQ(p->nom, "Arial");
                  }},
        CasBalise{"<Police Times New Roman>x", "x",
                  [](const Document& d, const FormatCaractere& f) {
                      // The same font as the default one, whatever its case.
                      EXPECT_EQ(d.polices.size(), 1u);
                      EXPECT_EQ(f.police, d.policeDefaut);
                  }},
        CasBalise{"<Taille14>x", "x", [](const Document&, const FormatCaractere& f) { EXPECT_EQ(f.taille, 28); }},
        CasBalise{"<Taille 10.5>x", "x",
                  [](const Document&, const FormatCaractere& f) { EXPECT_EQ(f.taille, 21); }},
        CasBalise{"<Taille0>x", "x", Inchange},
        CasBalise{"<gras1>x", "x", [](const Document&, const FormatCaractere& f) { EXPECT_TRUE(f.gras); }},
        CasBalise{"<Gras1>a<Gras0>x", "ax", Inchange},
        CasBalise{"<Italique 2>x", "x",
                  [](const Document&, const FormatCaractere& f) { EXPECT_TRUE(f.italique); }},
        CasBalise{"<Souligne1>x", "x",
                  [](const Document&, const FormatCaractere& f) { EXPECT_TRUE(f.souligne); }},
        CasBalise{"<Couleur255>x", "x",
                  [](const Document& d, const FormatCaractere& f) {
                      EXPECT_EQ(d.couleurs.at(static_cast<std::size_t>(f.couleur)), (CouleurRtf{false, 255, 0, 0}));
                  }},
        CasBalise{"<Couleur16711680>x", "x",
                  [](const Document& d, const FormatCaractere& f) {
                      EXPECT_EQ(d.couleurs.at(static_cast<std::size_t>(f.couleur)), (CouleurRtf{false, 0, 0, 255}));
                  }},
        CasBalise{"<Couleur255>a<Couleur0>x", "ax", Inchange},
        // 5 pixels of 15 twips: 75 twips, 7.5 half-points, held as 8.
        CasBalise{"<Exposant1>x", "x", [](const Document&, const FormatCaractere& f) { EXPECT_EQ(f.decalage, 8); }},
        CasBalise{"<Indice1>x", "x", [](const Document&, const FormatCaractere& f) { EXPECT_EQ(f.decalage, -8); }},
        CasBalise{"<Exposant1>a<Indice0>x", "ax", Inchange},
        CasBalise{"a<Cr>x", "a|x", Alignes({Alignement::Gauche, Alignement::Gauche})},
        CasBalise{"a<PageNumero>b<PageNumero2>x", "a|b|x",
                  Alignes({Alignement::Gauche, Alignement::Gauche, Alignement::Gauche})},
        CasBalise{"a\r\nb\rc\nx", "a|b|c|x", Alignes(std::vector<Alignement>(4, Alignement::Gauche))},
        CasBalise{"<HorizontalAligneDroite>a<Cr>x", "a|x", Alignes({Alignement::Droite, Alignement::Droite})},
        CasBalise{"a<HorizontalAligneCentre>x", "ax", Alignes({Alignement::Centre})},
        CasBalise{"<HorizontalAligneCentre>a<Cr><HorizontalAligneGauche>x", "a|x",
                  Alignes({Alignement::Centre, Alignement::Gauche})},
        CasBalise{"<HorizontalAligneDroite>a<HorizontalAligneJustifie>x", "ax", Alignes({Alignement::Droite})},
        // Tags the conversion leaves aside, and text that is no tag.
        CasBalise{"<Relief1><Lien1><X120><BaseLine180><Y225><SelDeb><SelFin><Zone350><LigneNumero1>"
                  "<PageNombre2><VerticalAligne1><Inconnue9>x",
                  "x", Inchange},
        CasBalise{"a <> b", "a <> b", Inchange},
        CasBalise{"\xe9t\xe9 \xa4x", "\xc3\xa9t\xc3\xa9 \xc2\xa4x", Inchange},
        // A tag that never closes ends the text.
        CasBalise{"ax<Gras1 b", "ax", Inchange}));

TEST(TexteInterneVersRTF, TexteVideUnParagrapheVide) {
    const Document d = Convertir("");
    ASSERT_EQ(d.paragraphes.size(), 1u);
    EXPECT_TRUE(d.EstVide());
}

TEST(TexteInterneVersRTF, MorceauxDeMemeFormatJoints) {
    const Document d = Convertir("a<Gras0><Taille11>b<Gras1>c");
    ASSERT_EQ(d.paragraphes[0].morceaux.size(), 2u);
    EXPECT_EQ(test::Utf8(d.paragraphes[0].morceaux[0].texte), "ab");
}

TEST(TexteInterneVersRTF, DecalageSelonLEcran) {
    EXPECT_EQ(DernierMorceau(TexteInterneVersRTF("<Exposant1>x", "Arial", 12)).format.decalage, 6);
}

TEST(TexteInterneVersRTF, NotreEcrivainEtNotreLecteurGardentLeTexteConverti) {
    const Document d = Convertir(
        "<Police Arial><Taille14><Gras1>Titre<Cr><Gras0><HorizontalAligneCentre><Couleur255>r\xe9sum\xe9"
        "<Exposant1>2<Exposant0><PageNumero><Italique1><Souligne1>fin \xa4");
    const Document relu = test::Lu(EcrireRtf(d));
    EXPECT_EQ(relu, d);
}

}  // namespace
}  // namespace korv::rtf
