// Grid structure: a new grid, insertion and deletion of rows and columns,
// count changes, the 255 limit and accessors given cells outside the grid.

#include <gtest/gtest.h>

#include "formula/valeur.h"
#include "grid/tableau.h"
#include "grille_fabrique.h"

namespace korv::grid {
namespace {

std::vector<std::string> TextesColonne(const TableauClasse& t, int c) {
    std::vector<std::string> v;
    for (int r = 1; r <= t.LigneNb(); ++r) v.push_back(t.CaseEditeur(c, r));
    return v;
}

TEST(TableauStructure, NewGridHasOneStandardCell) {
    TableauClasse t;
    EXPECT_EQ(t.ColonneNb(), 1);
    EXPECT_EQ(t.LigneNb(), 1);
    EXPECT_EQ(t.ColonneLargeur(1), 1200);
    EXPECT_EQ(t.LigneHauteur(1), 500);
    EXPECT_EQ(t.DecalageColonne(), 1);
    EXPECT_EQ(t.DecalageLigne(), 1);
    EXPECT_FALSE(t.Case(1, 1)->AttributPropre());
    EXPECT_EQ(t.CaseEditeur(1, 1), "");
}

TEST(TableauStructure, InsertShiftsRowsAndCells) {
    auto g = test::Enregistrement(2, 3);
    test::Texte(g, 1, 1, "a");
    test::Texte(g, 1, 2, "b");
    test::Texte(g, 1, 3, "c");
    g.lignes[0].taille = 300;
    auto t = test::Grille(g);

    t->LigneInsere(700, 4);  // appending shifts nothing
    EXPECT_EQ(TextesColonne(*t, 1), (std::vector<std::string>{"a", "b", "c", ""}));
    EXPECT_EQ(t->LigneHauteur(4), 700);

    t->LigneInsere(800, 1);
    EXPECT_EQ(TextesColonne(*t, 1), (std::vector<std::string>{"", "a", "b", "c", ""}));
    EXPECT_EQ(t->LigneHauteur(1), 800);
    EXPECT_EQ(t->LigneHauteur(2), 300);

    t->ColonneInsere(900, 1);
    EXPECT_EQ(t->ColonneNb(), 3);
    EXPECT_EQ(t->ColonneLargeur(1), 900);
    EXPECT_EQ(TextesColonne(*t, 2), (std::vector<std::string>{"", "a", "b", "c", ""}));
    EXPECT_EQ(TextesColonne(*t, 1), (std::vector<std::string>(5, "")));

    t->LigneSupprime(2);
    EXPECT_EQ(TextesColonne(*t, 2), (std::vector<std::string>{"", "b", "c", ""}));
    t->ColonneSupprime(1);
    EXPECT_EQ(TextesColonne(*t, 1), (std::vector<std::string>{"", "b", "c", ""}));
    t->LigneSupprime(0);  // outside: nothing
    t->LigneSupprime(9);
    EXPECT_EQ(t->LigneNb(), 4);
}

TEST(TableauStructure, CountChanges) {
    TableauClasse t;
    t.LigneNbChange(4);
    EXPECT_EQ(t.LigneNb(), 4);
    EXPECT_EQ(t.LigneHauteur(4), 500);
    t.LigneNbChange(0);
    EXPECT_EQ(t.LigneNb(), 0);
    EXPECT_EQ(t.CaseEditeur(1, 1), "") << "no cell is left to read";
    t.CaseNomChange(1, 1, "x");
    EXPECT_EQ(t.CaseNomCoordonnees("X"), std::nullopt);
    t.LigneNbChange(2);
    EXPECT_EQ(t.LigneNb(), 2);
    EXPECT_EQ(t.CaseEditeur(1, 2), "");
    t.ColonneNbChange(0);
    t.ColonneNbChange(3);
    EXPECT_EQ(t.ColonneNb(), 3);
    EXPECT_EQ(t.ColonneLargeur(3), 1200);
}

TEST(TableauStructure, A256thRowOrColumnIsRefused) {
    TableauClasse t;
    t.LigneNbChange(255);
    t.ColonneNbChange(255);
    ASSERT_EQ(t.LigneNb(), 255);
    ASSERT_EQ(t.ColonneNb(), 255);
    t.CaseNomChange(255, 255, "coin");
    try {
        t.LigneInsere(500, 1);
        FAIL() << "a 256th row";
    } catch (const formula::ErreurExecution& e) {
        EXPECT_EQ(e.numero(), formula::erreur::kDepassement);
    }
    EXPECT_THROW(t.ColonneInsere(1200, 256), formula::ErreurExecution);
    EXPECT_EQ(t.LigneNb(), 255);
    EXPECT_EQ(t.ColonneNb(), 255);
    EXPECT_EQ(t.CaseNom(255, 255), "COIN") << "nothing moved";
    t.LigneNbChange(300);
    EXPECT_EQ(t.LigneNb(), 255);
}

TEST(TableauStructure, CellsOutsideTheGridGiveNeutralAnswers) {
    auto t = test::Grille(test::Enregistrement(2, 2));
    const std::pair<int, int> dehors[] = {{0, 1}, {1, 0}, {3, 1}, {1, 3}, {255, 255}, {-1, 1}};
    for (auto [c, r] : dehors) {
        const auto oc = static_cast<std::uint8_t>(c);
        const auto orr = static_cast<std::uint8_t>(r);
        t->CaseCouleurFondChange(oc, orr, 5);
        t->CaseCouleurTexteChange(oc, orr, 5);
        t->CaseFichierChange(oc, orr, "F");
        t->CaseNomChange(c, r, "N");
        t->CaseScriptChange(c, r, "S");
        t->CaseTypeChange(c, r, 2);
        t->CaseEstEditableChange(c, r, true);
        t->CaseResultatTypeChange(c, r, 3);
        t->CaseInvalidationStockeeChange(c, r, 2);
        t->CaseInvalidationParSommeChange(c, r, true);
        t->ReferenceDeAjoute(oc, orr, 1, 1, 1, 1);
        t->RecalculInvaliderRecursivement(c, r, true);
        EXPECT_EQ(t->CaseCouleurFond(c, r), 16777215);
        EXPECT_EQ(t->CaseType(oc, orr), 0);
        EXPECT_EQ(t->CaseResultatType(oc, orr), 0);
        EXPECT_EQ(t->CaseEditeur(c, r), "");
        EXPECT_EQ(t->CaseInvalidationStockee(c, r), 1);
        EXPECT_EQ(t->CaseValeurInternePendantCalcul(oc, orr), formula::Valeur::Erreur(0));
        EXPECT_EQ(t->ColonneLargeur(c), c >= 1 && c <= 2 ? 1200 : 0);
        EXPECT_EQ(t->LigneHauteur(r), r >= 1 && r <= 2 ? 500 : 0);
        EXPECT_EQ(t->ColonneImprime(c) != nullptr, c >= 1 && c <= 2);
    }
    for (int c = 1; c <= 2; ++c) {
        for (int r = 1; r <= 2; ++r) EXPECT_FALSE(t->Case(c, r)->AttributPropre()) << c << "," << r;
    }
}

}  // namespace
}  // namespace korv::grid
