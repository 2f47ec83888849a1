// Displayed order and layout: insets and grid lines, frozen rows, rows
// pinned to the bottom, and scrolling past folded and frozen columns.

#include <gtest/gtest.h>

#include "grid/tableau.h"
#include "grille_fabrique.h"

namespace korv::grid {
namespace {

using test::LignesAffichees;

TEST(TableauDisposition, CellsHave15TwipInsetsAnd30TwipLines) {
    auto t = test::Grille(test::Enregistrement(3, 5), 3000, 1600);
    EXPECT_EQ(t->ColonneGauche(1), 15);
    EXPECT_EQ(t->ColonneDroite(1), 1185);
    EXPECT_EQ(t->ColonneGauche(2), 1215);
    EXPECT_EQ(t->ColonneDroite(2), 2385);
    EXPECT_EQ(t->ColonnesAfficheesNb(), 2) << "the third column does not fit whole";
    EXPECT_EQ(t->LigneHaut(1), 15);
    EXPECT_EQ(t->LigneBas(1), 485);
    EXPECT_EQ(t->LigneHaut(3), 1015);
    EXPECT_EQ(t->LigneBas(3), 1485);
    EXPECT_EQ(t->LignesAfficheesNb(), 3);
}

TEST(TableauDisposition, FrozenRowFirstThenFromTheOffset) {
    auto t = test::Grille(test::Enregistrement(2, 8), 10000, 10000);
    t->LigneBloquer(3, 1);
    t->DecalageLigneChange(5);
    EXPECT_EQ(t->DecalageLigne(), 5);
    EXPECT_EQ(LignesAffichees(*t, 1, 5), (std::vector<int>{3, 5, 6, 7, 8}));
    EXPECT_EQ(LignesAffichees(*t, -3, -1), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(t->LigneStockeeVersAffichee(4), -1);
    EXPECT_EQ(t->LigneStockeeVersAffichee(3), 1);
    EXPECT_EQ(t->LigneAfficheeVersStockee(0), 0);
    EXPECT_EQ(t->LigneAfficheeVersStockee(40), 0);
    EXPECT_EQ(t->LignesBloqueesNb(), 1);
    EXPECT_EQ(t->LignesNonPlieesNb(), 7) << "every position but the frozen row";
    int rang = 0;
    EXPECT_EQ(t->LignesRangNonPliee(rang), 1) << "map order starts at its lowest position";
    EXPECT_EQ(rang, 1) << "a rank below 1 is raised";
    rang = 4;
    EXPECT_EQ(t->LignesRangNonPliee(rang), 5) << "the frozen row is not counted";
}

TEST(TableauDisposition, PinnedRowShowsAsTheLastThatFits) {
    auto g = test::Enregistrement(1, 10);
    g.lignes[9].verrou = -1;
    auto t = test::Grille(g, 2000, 2000);
    EXPECT_EQ(t->LignesAfficheesNb(), 4);
    EXPECT_EQ(LignesAffichees(*t, 1, 5), (std::vector<int>{1, 2, 3, 10, 4}));
    EXPECT_EQ(t->LigneHaut(10), 1515);
}

TEST(TableauDisposition, RowsPinnedToTheBottomEdge) {
    auto g = test::Enregistrement(1, 10);
    g.lignes[9].verrou = -1;
    g.lignesBasColleesEnBas = -1;
    auto t = test::Grille(g, 2000, 2000);
    EXPECT_EQ(LignesAffichees(*t, 1, 3), (std::vector<int>{1, 2, 10}));
    EXPECT_EQ(t->LigneBas(10), 1985);
    EXPECT_EQ(t->LigneHaut(10), 1515);
    EXPECT_EQ(t->LigneBas(2), 985);
    EXPECT_EQ(t->LignesAfficheesNb(), 3);
}

TEST(TableauDisposition, ScrollingSkipsFoldedAndFrozenColumns) {
    auto g = test::Enregistrement(6, 2);
    g.colonnes[1].pliee = -1;  // column 2 folded
    g.colonnes[2].verrou = 1;  // column 3 frozen at position 1
    g.colonnes[5].pliee = -1;  // column 6 folded
    auto t = test::Grille(g, 2300, 2000);
    t->DecalageColonneChange(2);
    EXPECT_EQ(t->DecalageColonne(), 4);
    EXPECT_EQ(t->ColonneAfficheeVersStockee(1), 3);
    EXPECT_EQ(t->ColonneAfficheeVersStockee(2), 4);
    EXPECT_EQ(t->ColonneAfficheeVersStockee(-1), 1);

    // Past the last free column: clamped back to the count.
    t->DecalageColonneChange(6);
    EXPECT_EQ(t->DecalageColonne(), 6);
    EXPECT_EQ(t->ColonnesAfficheesNb(), 1) << "only the frozen column";
}

TEST(TableauDisposition, ScrollingBackFillsTheRoomLeft) {
    auto t = test::Grille(test::Enregistrement(4, 2), 3000, 2000);
    t->DecalageColonneChange(4);
    EXPECT_EQ(t->DecalageColonne(), 3) << "column 3 fits beside column 4";
    EXPECT_EQ(t->ColonnesAfficheesNb(), 2);
}

TEST(TableauDisposition, SelectionFollowsItsCellsWhenScrolling) {
    auto t = test::Grille(test::Enregistrement(2, 8), 10000, 10000);
    SelectionTableau s;
    s.Valide = -1;
    s.PremiereLigne = s.DerniereLigne = s.HautGaucheLigne = s.BasDroiteLigne = 6;
    s.PremiereColonne = s.DerniereColonne = s.HautGaucheColonne = s.BasDroiteColonne = 1;
    t->SelectionChange(s);
    t->DecalageLigneChange(3);
    EXPECT_EQ(t->Selection().HautGaucheLigne, 4);
    EXPECT_TRUE(t->CaseAfficheeDansSelection(1, 4));
    EXPECT_FALSE(t->CaseAfficheeDansSelection(2, 4));
    t->SelectionnerRien();
    EXPECT_FALSE(t->SelectionEstValide());
}

TEST(TableauDisposition, FullWidthGridScrollsWithoutOverflow) {
    auto g = test::Enregistrement(255, 255, 100, 100);
    g.colonnes[254].pliee = -1;
    g.lignes[254].pliee = -1;
    auto t = test::Grille(g, 1000, 1000);
    t->DecalageColonneChange(255);
    t->DecalageLigneChange(255);
    EXPECT_GE(t->DecalageColonne(), 1);
    EXPECT_LE(t->DecalageColonne(), 255);
    EXPECT_LE(t->DecalageLigne(), 255);
    EXPECT_EQ(t->LigneAfficheeVersStockee(1), t->DecalageLigne());
}

TEST(TableauDisposition, LigneDefileAutoScrollsToARevealedRow) {
    auto t = test::Grille(test::Enregistrement(1, 8), 10000, 10000);
    t->DecalageLigneChange(6);
    ASSERT_EQ(t->DecalageLigne(), 6);
    t->LigneDefileAuto();  // nothing remembered
    EXPECT_EQ(t->DecalageLigne(), 6);
}

}  // namespace
}  // namespace korv::grid

namespace korv::grid {
namespace {

class Partie : public EnvironnementGrille {
public:
    bool jeu = true;
    std::vector<std::pair<int, int>> redessins;
    bool EnJeu() const override { return jeu; }
    TableauClasse* Grille(std::int16_t, std::int16_t) override { return nullptr; }
    void RedessineSiAffiche(std::int16_t page, std::int16_t objet) override { redessins.emplace_back(page, objet); }
    void TableauxReferencesRecreer() override { ADD_FAILURE() << "not expected here"; }
    void PageCouranteRecalculSansInit() override { ADD_FAILURE() << "not expected here"; }
};

TEST(TableauDisposition, InPlayColumnsPastTheEdgeKeepTheirEdges) {
    Partie env;
    auto t = test::Grille(test::Enregistrement(4, 1), 3000, 1000);
    EXPECT_EQ(t->ColonneGauche(4), 0) << "outside play, the columns past the edge are not laid out";
    t->Environnement(&env);
    t->TailleCalculMaj();
    EXPECT_EQ(t->ColonnesAfficheesNb(), 2);
    EXPECT_EQ(t->ColonneGauche(3), 2400);
    EXPECT_EQ(t->ColonneDroite(3), 3570);
    EXPECT_EQ(t->ColonneGauche(4), 3600);
}

TEST(TableauDisposition, SortInPlayRedrawsTheGrid) {
    Partie env;
    auto g = test::Enregistrement(1, 3);
    test::Texte(g, 1, 1, "b");
    test::Texte(g, 1, 2, "a");
    auto t = test::Grille(g);
    t->Identite(4, 7);
    t->Environnement(&env);
    t->ColonneTrier(1, 1, 1, 3, 1, 1, false);
    EXPECT_EQ(t->CaseEditeur(1, 1), "");
    EXPECT_EQ(t->CaseEditeur(1, 3), "b");
    EXPECT_EQ(env.redessins, (std::vector<std::pair<int, int>>{{4, 7}}));
}

}  // namespace
}  // namespace korv::grid
