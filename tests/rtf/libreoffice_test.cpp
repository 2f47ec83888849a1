// Files in the form LibreOffice Writer saves them: header, font, colour and
// style tables, generator, page styles, \pard\plain paragraphs with their
// alignment, bold and italic runs, accented letters as \'hh.

#include <gtest/gtest.h>

#include "outils.h"
#include "rtf/marqueurs.h"

namespace korv::rtf {
namespace {

using test::Utf8;

TEST(FichiersLibreOffice, ParagraphesGrasItaliqueAlignement) {
    const Document d = test::Lu(test::Fichier("lo_paragraphes.rtf"));
    ASSERT_EQ(d.paragraphes.size(), 3u);
    EXPECT_EQ(test::Brut(d), "Plan détaillé de l’entreprise|Le marché visé est régional et la clientèle âgée.|À suivre");

    const Paragraphe& titre = d.paragraphes[0];
    EXPECT_EQ(titre.format.alignement, Alignement::Centre);
    ASSERT_EQ(titre.morceaux.size(), 1u);
    EXPECT_TRUE(titre.morceaux[0].format.gras);
    EXPECT_EQ(titre.morceaux[0].format.taille, 24);
    ASSERT_NE(d.PoliceNumero(titre.morceaux[0].format.police), nullptr);
    EXPECT_EQ(d.PoliceNumero(titre.morceaux[0].format.police)->nom, "Liberation Serif");

    const Paragraphe& corps = d.paragraphes[1];
    EXPECT_EQ(corps.format.alignement, Alignement::Gauche);
    ASSERT_EQ(corps.morceaux.size(), 3u);
    EXPECT_EQ(Utf8(corps.morceaux[1].texte), "régional");
    EXPECT_TRUE(corps.morceaux[1].format.italique);
    EXPECT_FALSE(corps.morceaux[0].format.italique || corps.morceaux[2].format.italique);

    EXPECT_EQ(d.paragraphes[2].format.alignement, Alignement::Droite);
    EXPECT_TRUE(d.paragraphes[2].morceaux[0].format.gras && d.paragraphes[2].morceaux[0].format.italique);
    EXPECT_EQ(d.polices.size(), 7u);
    EXPECT_EQ(d.couleurs.size(), 4u);
}

TEST(FichiersLibreOffice, DeuxPagesSepareesParLeMarqueur) {
    const Document d = test::Lu(test::Fichier("lo_pages.rtf"));
    const std::u32string t = d.TexteBrut();
    EXPECT_EQ(NombreMarqueurs(t), 1);
    EXPECT_EQ(d.paragraphes[0].format.alignement, Alignement::Justifie);
    const LimitesMorceau p1 = MorceauLimites(t, 1);
    const LimitesMorceau p2 = MorceauLimites(t, 2);
    EXPECT_EQ(test::Brut(Extrait(d, p1.debut, p1.fin)), "Première page : l’équipe.");
    EXPECT_EQ(test::Brut(Extrait(d, p2.debut, p2.fin)), "Deuxième page : les coûts à prévoir, 100\xC2\xA0€.");
}

TEST(FichiersLibreOffice, MiseEnForme) {
    const Document d = test::Lu(test::Fichier("lo_mise_en_forme.rtf"));
    ASSERT_EQ(d.paragraphes.size(), 1u);
    const Paragraphe& p = d.paragraphes[0];
    EXPECT_EQ(p.format, (FormatParagraphe{Alignement::Gauche, 567, 283, -283, 120, 60, {}}));
    ASSERT_EQ(p.morceaux.size(), 5u);
    EXPECT_EQ(p.morceaux[0].texte, U"Fl\u00E8che \u2192 hausse");
    EXPECT_EQ(p.morceaux[0].format.couleur, 3);
    EXPECT_TRUE(p.morceaux[1].format.souligne);
    EXPECT_TRUE(p.morceaux[2].format.barre);
    EXPECT_EQ(p.morceaux[3].format.position, PositionVerticale::Exposant);
    EXPECT_EQ(p.morceaux[4].texte, U"\tfin");
    EXPECT_EQ(d.couleurs[3], (CouleurRtf{false, 204, 0, 0}));
}

}  // namespace
}  // namespace korv::rtf
