#include "print/peinture.h"

#include <gtest/gtest.h>

#include "feuille_factice.h"

namespace korv::print {
namespace {

ImpressionElement Corps(std::int32_t page, Rectangle r) {
    ImpressionElement e;
    e.Page = page;
    e.Genre = GenreElement::Corps;
    e.rectangle = r;
    return e;
}

ImpressionElement Grille(std::int32_t page, Rectangle r, bool centreV = false, bool centreH = false) {
    ImpressionElement e;
    e.Page = page;
    e.ObjetTableau = 1;
    e.rectangle = r;
    e.CentrageVertical = centreV;
    e.CentrageHorizontal = centreH;
    return e;
}

TEST(Peinture, PageNumbersFollowTheFirstNumberAndTheCoverRule) {
    struct Cas {
        bool enTetePremiere, piedPremiere;
        const char* attendu;
    };
    for (const Cas c : {Cas{true, false, "Page 3 / 5"}, Cas{false, true, "Page 3 / 5"}, Cas{false, false, "Page 2 / 4"}}) {
        ImpressionTravail t;
        t.PremierNumero = 1;
        t.NombreDePages = 5;
        t.EnTetePied.EnTetePremierePage = c.enTetePremiere;
        t.EnTetePied.PiedPremierePage = c.piedPremiere;
        std::string s = "Page <#NUMERO DE PAGE> / <#NOMBRE DE PAGES>";
        RemplaceNumeroPage(s, t, 3);
        EXPECT_EQ(s, c.attendu);
    }
}

TEST(Peinture, LowerCasePlaceholdersStayAndRepeatedOnesAllGo) {
    ImpressionTravail t;
    t.PremierNumero = 1;
    t.NombreDePages = 2;
    t.EnTetePied.EnTetePremierePage = true;
    std::string s = "<#numero de page> <#NUMERO DE PAGE><#NUMERO DE PAGE>";
    RemplaceNumeroPage(s, t, 2);
    EXPECT_EQ(s, "<#numero de page> 22");
}

TEST(Peinture, TabMarkersBecomeTabs) {
    std::string s = "A<TABULATION>B<TABULATION>C";
    RemplaceTabulations(s);
    EXPECT_EQ(s, "A\tB\tC");
    std::string rtf = "x<TABULATION>y";
    RemplaceTabulations(rtf, "\\tab ");
    EXPECT_EQ(rtf, "x\\tab y");
}

TEST(Peinture, VerticalOffsetHalvesTheRoomLeftRoundingToEven) {
    struct Cas {
        std::int32_t exces, attendu;
    };
    for (const Cas c : {Cas{5, 2}, Cas{7, 4}, Cas{6, 3}, Cas{-10, 0}}) {
        ImpressionTravail t;
        t.Elements.push_back(Corps(1, {0, 0, 1000, 1000}));
        t.Elements.push_back(Grille(1, {0, 0, 500, 1000 - c.exces}));
        EXPECT_EQ(DetermineDecalageHauteur(t, 1), c.attendu) << c.exces;
    }
}

TEST(Peinture, HorizontalOffsetIsHalfTheWidthLeftUnrounded) {
    ImpressionTravail t;
    t.Elements.push_back(Corps(1, {0, 0, 3001, 1000}));
    t.Elements.push_back(Grille(1, {0, 0, 2000, 100}));
    t.Elements.push_back(Grille(1, {0, 0, 4000, 100}));
    EXPECT_DOUBLE_EQ(DetermineDecalageLargeur(t, 2), 500.5);
    EXPECT_DOUBLE_EQ(DetermineDecalageLargeur(t, 3), 0);
    EXPECT_DOUBLE_EQ(DetermineDecalageLargeur(t, 99), 0);
}

TEST(Peinture, ZoomBoxIsClampedToOneToAThousand) {
    struct Cas {
        const char* texte;
        double zoom;
    };
    for (const Cas c : {Cas{"0", 1}, Cas{"-5", 1}, Cas{"abc", 1}, Cas{"1500", 1000}, Cas{"", 1}, Cas{"50", 50},
                        Cas{"200", 200}, Cas{"12,5", 12.5}}) {
        EXPECT_DOUBLE_EQ(ZoomApercu(c.texte), c.zoom) << c.texte;
    }
}

TEST(Peinture, ACentredRunSharesOneOffsetAndAnUncentredItemClosesIt) {
    ImpressionTravail t;
    t.Elements.push_back(Corps(1, {0, 0, 1000, 1000}));
    t.Elements.push_back(Grille(1, {0, 100, 500, 200}, true));
    t.Elements.push_back(Grille(1, {0, 200, 500, 300}, true));
    t.Elements.push_back(Grille(1, {0, 300, 500, 400}, false));
    t.Elements.push_back(Grille(2, {0, 0, 500, 50}, true));  // another page: not drawn
    const auto plan = PlanPage(t, 1);
    ASSERT_EQ(plan.size(), 3u);
    // Content 100..400 in 0..1000: (100 + 600) / 2 = 350.
    EXPECT_EQ(plan[0].rectangle.haut, 450);
    EXPECT_EQ(plan[1].rectangle.haut, 550);
    EXPECT_EQ(plan[2].rectangle.haut, 300);
}

TEST(Peinture, HeaderAndFooterKeepTheirPlaceAndGetTheirNumbers) {
    ImpressionTravail t;
    t.PremierNumero = 1;
    t.NombreDePages = 5;
    t.EnTetePied.EnTetePremierePage = true;
    t.EnTetePied.EnTeteTexte = "{\\rtf1 Page <#NUMERO DE PAGE>/<#NOMBRE DE PAGES><TABULATION>x}";
    t.EnTeteRectangle = {10, 20, 30, 40};
    t.Elements.push_back(Corps(3, {0, 0, 1000, 1000}));
    ImpressionElement h;
    h.Page = 3;
    h.Genre = GenreElement::EnTete;
    h.ElementTexte = -1;
    h.CentrageVertical = true;
    t.Elements.push_back(h);
    t.Elements.push_back(Grille(3, {0, 100, 500, 200}, true));
    const auto plan = PlanPage(t, 3);
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[0].rectangle, (Rectangle{10, 20, 30, 40}));
    EXPECT_EQ(plan[0].texte, "{\\rtf1 Page 3/5\\tab x}");
}

TEST(Peinture, ACentredTitleTakesTheOffsetOfItsOwnGrid) {
    // The title is last on its page and its grid moved on: before, the offset
    // was read from the next item (another page's header, or none at all).
    ImpressionTravail t;
    t.Elements.push_back(Corps(1, {0, 0, 3000, 1000}));
    ImpressionElement titre;
    titre.Page = 1;
    titre.Genre = GenreElement::TitreTableau;
    titre.ElementTexte = -1;
    titre.Texte = "Titre";
    titre.CentrageHorizontal = true;
    titre.rectangle = {0, 0, 1000, 100};
    t.Elements.push_back(titre);
    ImpressionElement autre;  // a full-width text between the title and its grid
    autre.Page = 1;
    autre.ElementTexte = 3;
    autre.Texte = "t";
    autre.rectangle = {0, 0, 3000, 100};
    t.Elements.push_back(autre);
    t.Elements.push_back(Grille(1, {0, 100, 2000, 500}));
    const auto plan = PlanPage(t, 1);
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_DOUBLE_EQ(plan[0].decalageHorizontal, 500);
    EXPECT_EQ(plan[0].rectangle.gauche, 500);

    t.Elements.pop_back();  // the title last with no grid: no offset, no crash
    t.Elements.pop_back();
    const auto seul = PlanPage(t, 1);
    ASSERT_EQ(seul.size(), 1u);
    EXPECT_EQ(seul[0].rectangle.gauche, 0);
}

// A grid's title item is drawn unless the piece it is tied to starts with
// the sheet's first row and that row holds the print title.
TEST(Peinture, AGridsTitleIsDrawnOnce) {
    struct Cas {
        bool titreEnLigne;
        std::int32_t premiereLigne;
        bool titreDessine;
    };
    for (const Cas c : {Cas{false, 1, true}, Cas{true, 1, false}, Cas{true, 2, true}}) {
        ImpressionTravail t;
        auto f = std::make_unique<test::FeuilleFactice>(3, 2);
        f->titreEnPremiereLigne = c.titreEnLigne;
        t.feuilles.push_back(std::move(f));
        ImpressionElement titre;
        titre.Page = 1;
        titre.Genre = GenreElement::TitreTableau;
        titre.ElementTexte = 1;
        titre.Texte = "Titre";
        t.Elements.push_back(titre);
        ImpressionElement g = Grille(1, {0, 100, 2000, 500});
        g.PremLig = c.premiereLigne;
        g.DernLig = 3;
        t.Elements.push_back(g);
        const auto plan = PlanPage(t, 1);
        ASSERT_EQ(plan.size(), c.titreDessine ? 2u : 1u) << c.titreEnLigne << " " << c.premiereLigne;
        EXPECT_EQ(plan.back().genre, DessinGenre::Tableau);
    }
}

TEST(Peinture, ItemsWithNothingToPaintAreLeftOut) {
    ImpressionTravail t;
    ImpressionElement vide;
    vide.Page = 1;
    t.Elements.push_back(vide);
    ImpressionElement perdu;  // a text piece naming an item out of the list
    perdu.Page = 1;
    perdu.ElementTexte = 42;
    t.Elements.push_back(perdu);
    EXPECT_TRUE(PlanPage(t, 1).empty());
}

}  // namespace
}  // namespace korv::print
