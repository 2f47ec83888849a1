// Sorting a block of rows by one column, sort marks and automatic sorting.

#include <gtest/gtest.h>

#include <algorithm>

#include "grid/tableau.h"
#include "grille_fabrique.h"

namespace korv::grid {
namespace {

std::vector<std::string> Colonne(const TableauClasse& t, int c) {
    std::vector<std::string> v;
    for (int r = 1; r <= t.LigneNb(); ++r) v.push_back(t.CaseEditeur(c, r));
    return v;
}

// Keys in column 1 (numbers), labels in column 2.
GrilleEnregistrement Bloc(const std::vector<std::string>& cles) {
    auto g = test::Enregistrement(3, static_cast<int>(cles.size()));
    for (std::size_t i = 0; i < cles.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        test::Texte(g, 1, r, cles[i]);
        test::Attribut(g, 1, r).typeAffichage = 1;
        test::Texte(g, 2, r, "L" + cles[i]);
    }
    return g;
}

TEST(TableauTri, SortsAscendingAndDescending) {
    auto t = test::Grille(Bloc({"3", "1", "2"}));
    t->ColonneTrier(1, 1, 3, 3, 1, 1, false);
    EXPECT_EQ(Colonne(*t, 1), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(Colonne(*t, 2), (std::vector<std::string>{"L1", "L2", "L3"}));
    t->ColonneTrier(1, 1, 3, 3, 1, 2, false);
    EXPECT_EQ(Colonne(*t, 1), (std::vector<std::string>{"3", "2", "1"}));
    EXPECT_EQ(Colonne(*t, 2), (std::vector<std::string>{"L3", "L2", "L1"}));
}

TEST(TableauTri, FormulasStayInTheirRows) {
    auto g = Bloc({"3", "1", "2"});
    test::Texte(g, 3, 1, "=B1");
    g.resultats.push_back({3, 1, 3, "L3"});
    test::Attribut(g, 3, 1).editable = -1;
    test::Texte(g, 3, 2, "entrée");
    auto t = test::Grille(g);
    t->ColonneTrier(1, 1, 3, 3, 1, 1, false);
    EXPECT_EQ(Colonne(*t, 2), (std::vector<std::string>{"L1", "L2", "L3"}));
    EXPECT_EQ(t->CaseEditeur(3, 1), "=B1") << "the formula keeps its text and its row";
    const auto troisieme = Colonne(*t, 3);
    EXPECT_EQ(std::count(troisieme.begin(), troisieme.end(), "entrée"), 1)
        << "a plain entry is never written over a formula, nor lost";
}

TEST(TableauTri, FoldedRowsAtTheBottomAreLeftOut) {
    auto g = Bloc({"4", "3", "2", "1"});
    g.lignes[3].pliee = -1;  // last row folded
    g.lignes[1].pliee = -1;  // a folded row in the middle is sorted
    auto t = test::Grille(g);
    t->ColonneTrier(1, 1, 3, 4, 1, 1, false);
    EXPECT_EQ(Colonne(*t, 1), (std::vector<std::string>{"2", "3", "4", "1"}));
}

TEST(TableauTri, BadBlocksChangeNothing) {
    const std::vector<std::string> avant{"3", "1", "2"};
    struct Cas {
        int c1, r1, c2, r2, cle;
    };
    const Cas cas[] = {{1, 3, 3, 1, 1}, {0, 1, 3, 3, 1}, {1, 0, 3, 3, 1}, {1, 1, 3, 3, 9}, {1, 7, 3, 9, 1}};
    for (const auto& c : cas) {
        auto t = test::Grille(Bloc(avant));
        t->ColonneTrier(c.c1, c.r1, c.c2, c.r2, c.cle, 1, false);
        EXPECT_EQ(Colonne(*t, 1), avant) << c.c1 << "," << c.r1 << "," << c.c2 << "," << c.r2;
    }
    auto t = test::Grille(Bloc(avant));
    t->ColonneTrier(1, 1, 3, 200, 1, 1, false);  // a block reaching past the last row
    EXPECT_EQ(Colonne(*t, 1), (std::vector<std::string>{"1", "2", "3"}));
}

TEST(TableauTri, SelectionFollowsItsRow) {
    auto t = test::Grille(Bloc({"3", "1", "2"}));
    SelectionTableau s;
    s.Valide = -1;
    s.PremiereLigne = s.DerniereLigne = 1;  // the row holding 3
    s.PremiereColonne = s.DerniereColonne = 2;
    t->SelectionChange(s);
    t->ColonneTrier(1, 1, 3, 3, 1, 1, false);
    EXPECT_EQ(t->Selection().HautGaucheLigne, 3);
    EXPECT_EQ(t->Selection().BasDroiteColonne, 2);
    EXPECT_TRUE(t->SelectionEstValide());
}

TEST(TableauTri, SortMarks) {
    auto t = test::Grille(test::Enregistrement(3, 1));
    for (const std::int16_t choix : {std::int16_t{-2}, std::int16_t{257}}) {
        t->ColonneTriChoisir(3);
        std::int16_t v = choix;
        t->ColonneTriChoisirRef(v);
        EXPECT_EQ(t->Colonne(2).Marque3, 1) << choix;
        EXPECT_EQ(t->Colonne(3).Marque3, 0) << choix;
        EXPECT_EQ(v, -2);
    }
    t->ColonneTriChoisir(1);
    EXPECT_EQ(t->Colonne(1).Marque3, -1);
    t->ColonneTriChoisir(0);
    EXPECT_EQ(t->Colonne(1).Marque3, 0);
}

TEST(TableauTri, AutomaticSortNeedsTheNamedRows) {
    auto g = Bloc({"x", "3", "1", "2", "y"});
    g.colonnes[0].marqueTri = -1;
    auto t = test::Grille(g);
    t->ColonneTrierAutomatiquement(1);
    EXPECT_EQ(Colonne(*t, 1), (std::vector<std::string>{"x", "3", "1", "2", "y"})) << "no LIGTRIDEB";
    t->CaseNomChange(3, 2, "ligtrideb");
    t->CaseNomChange(3, 4, "LIGTRIFIN");
    t->ColonneTrierAutomatiquement(1);
    EXPECT_EQ(Colonne(*t, 1), (std::vector<std::string>{"x", "1", "2", "3", "y"}));
    t->ColonneTriChoisir(-1);
    t->ColonneTrierAutomatiquement(1);
    EXPECT_EQ(Colonne(*t, 1), (std::vector<std::string>{"x", "3", "2", "1", "y"}));
}

}  // namespace
}  // namespace korv::grid
