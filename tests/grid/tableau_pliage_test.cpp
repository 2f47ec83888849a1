#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/grille_fabrique.h"
#include "grid/tableau.h"
#include "platform/message_box_fake.h"

namespace korv::grid {
namespace {

std::vector<int> Pliees(const TableauClasse& t) {
    std::vector<int> v;
    for (int r = 1; r <= t.LigneNb(); ++r) {
        if (t.LigneEstPLiee(r) != 0) v.push_back(r);
    }
    return v;
}

std::unique_ptr<TableauClasse> GrilleRangees(int colonnes, int lignes, const std::vector<int>& pliees) {
    auto g = test::Enregistrement(colonnes, lignes);
    for (int r : pliees) g.lignes[static_cast<std::size_t>(r - 1)].pliee = -1;
    return test::Grille(g);
}

// The grids of one page, for the members that reach all of them.
class Page : public EnvironnementGrille {
public:
    bool jeu = false;
    int recalculs = 0;
    bool EnJeu() const override { return jeu; }
    TableauClasse* Grille(std::int16_t, std::int16_t) override { return nullptr; }
    void RedessineSiAffiche(std::int16_t, std::int16_t) override {}
    void TableauxReferencesRecreer() override { ADD_FAILURE() << "not expected here"; }
    void PageCouranteRecalculSansInit() override { ++recalculs; }
};

TEST(TableauPliage, FoldingAZoneFoldsItsRowsAndColumnsWithinTheGrid) {
    auto t = GrilleRangees(4, 8, {});
    t->ZonePlier(0, 3, 0, 5);
    EXPECT_EQ(Pliees(*t), (std::vector<int>{3, 4, 5}));
    for (int c = 1; c <= 4; ++c) EXPECT_EQ(t->Colonne(c).Pliee, 0) << c;
    EXPECT_EQ(t->LignesAfficheesNb(), 5) << "the displayed map is rebuilt";

    t->ZonePlier(3, 7, 200, 250);  // rows past the last are passed over
    EXPECT_EQ(Pliees(*t), (std::vector<int>{3, 4, 5, 7, 8}));
    EXPECT_EQ(t->Colonne(3).Pliee, -1);
    EXPECT_EQ(t->Colonne(4).Pliee, -1);
    EXPECT_EQ(t->ColonneAfficheeVersStockee(3), 0);

    t->ZoneDeplier(0, 4, 0, 200);
    EXPECT_EQ(Pliees(*t), (std::vector<int>{3}));
    t->DeplierTout();
    EXPECT_TRUE(Pliees(*t).empty());
    EXPECT_EQ(t->Colonne(4).Pliee, 0);
    EXPECT_EQ(t->LignesAfficheesNb(), 8);
}

TEST(TableauPliage, RevealUnfoldsTheFirstFoldedRowOnly) {
    auto t = GrilleRangees(2, 25, {15, 16, 17, 18, 19, 20});
    platform::BoiteMessageFactice boite;
    t->LigneRevelerConsultation(10, 20, boite);
    EXPECT_EQ(Pliees(*t), (std::vector<int>{16, 17, 18, 19, 20}));
    EXPECT_TRUE(boite.messages.empty());
}

TEST(TableauPliage, RevealOfAFullBlockSaysSoAndChangesNothing) {
    auto t = GrilleRangees(2, 25, {21});
    platform::BoiteMessageFactice boite;
    t->LigneRevelerConsultation(10, 20, boite);
    EXPECT_EQ(Pliees(*t), (std::vector<int>{21}));
    ASSERT_EQ(boite.messages.size(), 1u);
    EXPECT_EQ(boite.messages[0].texte, "Le nombre de lignes maximum a \xe9t\xe9 atteint");
}

// Block 1..10 of two columns: column 1 entries "e1".."e10", column 2 a
// formula whose computed value is "v1".."v10"; rows 8 to 10 folded.
std::unique_ptr<TableauClasse> Bloc() {
    auto g = test::Enregistrement(2, 12);
    for (int r = 1; r <= 10; ++r) {
        test::Texte(g, 1, r, "e" + std::to_string(r));
        test::Attribut(g, 1, r).editable = -1;
        test::Texte(g, 2, r, "=1");
        test::Attribut(g, 2, r).editable = -1;  // keeps its value through the load
        g.resultats.push_back({2, static_cast<std::uint8_t>(r), 3, "v" + std::to_string(r)});
    }
    test::Texte(g, 1, 11, "sous le bloc");
    for (int r = 8; r <= 10; ++r) g.lignes[static_cast<std::size_t>(r - 1)].pliee = -1;
    test::Attribut(g, 1, 5).couleurFond = -20;
    return test::Grille(g);
}

TEST(TableauPliage, HidingARowMovesTheRowsBelowUpAndFoldsTheLastShownRow) {
    auto t = Bloc();
    t->LignesCacherConsultation(1, 10, 4, 4);
    for (int r = 1; r <= 9; ++r) {
        const int source = r < 4 ? r : r + 1;
        EXPECT_EQ(t->Case(1, r)->Texte, "e" + std::to_string(source)) << r;
        EXPECT_EQ(t->Case(2, r)->Texte, "=1") << "the formula stays where it is, row " << r;
        EXPECT_EQ(t->Case(2, r)->Valeur, "v" + std::to_string(source)) << "its value moves, row " << r;
    }
    EXPECT_EQ(t->Case(1, 10)->Texte, "") << "the freed row is cleared";
    EXPECT_EQ(t->Case(2, 10)->Texte, "=1") << "a formula is never cleared";
    EXPECT_EQ(t->Case(1, 11)->Texte, "sous le bloc");
    EXPECT_EQ(t->CaseCouleurFond(1, 4), -20) << "the colour moves with the entry";
    EXPECT_EQ(t->CaseCouleurFond(1, 5), kBlanc);
    EXPECT_EQ(Pliees(*t), (std::vector<int>{7, 8, 9, 10}));
}

// Rows 6 and 10 hold entries over their formulas.
std::unique_ptr<TableauClasse> BlocAvecEntrees() {
    auto g = test::Enregistrement(2, 10);
    for (int r = 1; r <= 10; ++r) {
        test::Texte(g, 2, r, "=1");
        test::Attribut(g, 2, r).editable = -1;
        const bool entree = r == 6 || r == 10;
        g.resultats.push_back({2, static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(entree ? 1 : 3),
                               "v" + std::to_string(r)});
    }
    return test::Grille(g);
}

TEST(TableauPliage, EntriesOverFormulasMoveWithTheirValuesAndFreedOnesAreCleared) {
    auto t = BlocAvecEntrees();
    t->LignesCacherConsultation(1, 10, 4, 4);
    EXPECT_EQ(t->CaseResultatType(2, 5), resultat::kEntreeSurFormule) << "row 6's entry, moved up";
    EXPECT_EQ(t->CaseResultatInterne(2, 5), "v6");
    EXPECT_EQ(t->CaseResultatType(2, 6), resultat::kACalculer) << "row 7 held no entry: computes again";
    EXPECT_EQ(t->CaseResultatType(2, 9), resultat::kEntreeSurFormule);
    EXPECT_EQ(t->CaseResultatInterne(2, 9), "v10");
    EXPECT_EQ(t->CaseResultatType(2, 10), resultat::kACalculer) << "the freed row keeps no entry";
    EXPECT_EQ(t->CaseResultatInterne(2, 10), "");
    EXPECT_EQ(t->CaseResultatType(2, 3), resultat::kCalcule) << "rows above the hidden one are untouched";
}

TEST(TableauPliage, HidingSeveralRowsClearsAndFoldsAsMany) {
    auto t = Bloc();
    t->LignesCacherConsultation(1, 10, 2, 3);
    EXPECT_EQ(t->Case(1, 1)->Texte, "e1");
    EXPECT_EQ(t->Case(1, 2)->Texte, "e4");
    EXPECT_EQ(t->Case(1, 8)->Texte, "e10");
    EXPECT_EQ(t->Case(1, 9)->Texte, "");
    EXPECT_EQ(t->Case(1, 10)->Texte, "");
    EXPECT_EQ(Pliees(*t), (std::vector<int>{6, 7, 8, 9, 10}));
}

TEST(TableauPliage, HidingRowsBeyondTheGridIsCutAtItsLastRow) {
    auto t = GrilleRangees(1, 5, {});
    Page page;
    t->Environnement(&page);
    t->LignesCacherConsultation(1, 250, 4, 240);  // rows 4..5 of the block 1..5
    EXPECT_EQ(Pliees(*t), (std::vector<int>{4, 5}));
    EXPECT_EQ(page.recalculs, 0) << "outside play nothing is recalculated";

    page.jeu = true;
    t->LignesCacherConsultation(1, 3, 1, 1);
    EXPECT_EQ(page.recalculs, 1) << "in play the page's grids are recalculated";

    t->LignesCacherConsultation(0, 3, 1, 1);
    t->LignesCacherConsultation(1, 3, 2, 1);
    t->LignesCacherConsultation(240, 250, 240, 250);
    EXPECT_EQ(page.recalculs, 1) << "refused ranges change nothing";
}

TEST(TableauPliage, HidingInvalidatesWhatReadsTheMovedAndClearedCells) {
    auto t = Bloc();
    // Cell (2, 10) reads (1, 10); cell (2, 4) reads (1, 5).
    t->ReferenceDeAjoute(1, 10, 0, 0, 2, 10);
    t->ReferenceDeAjoute(1, 5, 0, 0, 2, 4);
    t->LignesCacherConsultation(1, 10, 4, 4);
    EXPECT_EQ(t->CaseResultatType(2, 10), resultat::kACalculer) << "its entry was cleared";
    EXPECT_EQ(t->CaseResultatType(2, 1), resultat::kCalcule);
}

TEST(TableauPliage, FoldFlagsSavedInCellsComeBackExactly) {
    auto t = GrilleRangees(3, 8, {2, 5, 6});
    t->PliageLignesMemoriser(1, 8, 3);
    EXPECT_EQ(t->Case(3, 2)->Texte, "1");
    EXPECT_EQ(t->Case(3, 3)->Texte, "0");
    t->DeplierTout();
    t->ZonePlier(0, 1, 0, 1);
    t->PliageLignesRememorer(1, 8, 3);
    EXPECT_EQ(Pliees(*t), (std::vector<int>{2, 5, 6}));
}

TEST(TableauPliage, MemorisedFoldsLetTheGridScrollToARevealedRow) {
    auto t = GrilleRangees(1, 40, {30, 31});
    t->DecalageLigneChange(35);
    t->MemorisePliageLigne();
    EXPECT_EQ(t->Ligne(30).Marque1, -1);
    EXPECT_EQ(t->Ligne(29).Marque1, 0);
    t->ZoneDeplier(0, 31, 0, 31);
    t->LigneDefileAuto();
    EXPECT_EQ(t->DecalageLigne(), 31);
}

}  // namespace
}  // namespace korv::grid
