#include <gtest/gtest.h>

#include <string>

#include "engine/moteur.h"
#include "grid/tableau.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

// A formula of a page's script folds and unfolds rows of a grid of the
// scene through the composed program.
TEST(GrillesPliage, AScriptFoldsAndUnfoldsRowsOfAGrid) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="T1" rect=100,3000,3000,3000
  grid cols=2 rows=6
object kind=action name="PLIE" A1=11 text="QUE PASSEVALEUR = DEBUT.T1.Plier[0,3,0,5]"
object kind=action name="DEPLIE" A1=11 text="QUE PASSEVALEUR = DEBUT.T1.Deplier[0,4,0,4]"
object kind=bouton name="B" rect=600,600,1200,600 C1=1 D1=12632256
  element page=1 object=3 param=0 events=2
object kind=bouton name="C" rect=3000,600,1200,600 C1=1 D1=12632256
  element page=1 object=4 param=0 events=2
)S");
    auto* grille = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 2));
    ASSERT_NE(grille, nullptr);
    p.Clic(100, 900, 900);
    p.ExecuterJusqua(200);
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(grille->LigneEstPLiee(r), r >= 3 && r <= 5 ? -1 : 0) << r;
    EXPECT_EQ(grille->LignesAfficheesNb(), 3);
    p.Clic(300, 3300, 900);
    p.ExecuterJusqua(400);
    EXPECT_EQ(grille->LigneEstPLiee(4), 0);
    EXPECT_EQ(grille->LigneEstPLiee(3), -1);
}

// In play, removing rows of a block recomputes the grids of the shown page.
TEST(GrillesPliage, HidingRowsInPlayRecomputesTheCurrentPage) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="T1" rect=100,3000,3000,3000
  grid cols=2 rows=4
  cell col=1 row=1 text="1"
  cell col=1 row=2 text="2"
  cell col=1 row=3 text="3"
  cell col=1 row=4 text="4"
  attribute col=1 row=1 editable=-1 type=1
  attribute col=1 row=2 editable=-1 type=1
  attribute col=1 row=3 editable=-1 type=1
  attribute col=1 row=4 editable=-1 type=1
  attribute col=2 row=1 editable=-1 type=1
)S");
    p.ExecuterJusquARepos();
    ASSERT_EQ(p.Moteur().jeu.PageCourante, 1);
    auto* grille = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 2));
    ASSERT_NE(grille, nullptr);
    grille->CaseEditeurChange(2, 1, "=DEBUT.T1.Somme[1,1,1,4]");
    p.Moteur().Tableaux().ReferencesRecreer(p.Moteur().scene);
    grille->RecalculSansInit();
    ASSERT_EQ(grille->CaseResultatInterne(2, 1), "10");

    grille->LignesCacherConsultation(1, 4, 2, 2);
    EXPECT_EQ(grille->CaseEditeur(1, 2), "3");
    EXPECT_EQ(grille->LigneEstPLiee(4), -1);
    EXPECT_EQ(grille->CaseResultatInterne(2, 1), "8") << "1 + 3 + 4 + an empty cell read as 0";
}

// An entry typed over a formula moves up with its row and stays an entry:
// recomputing every formula keeps it, and the row it left computes again.
TEST(GrillesPliage, AnEntryOverAFormulaMovesWithItsRowAndStaysAnEntry) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="T1" rect=100,3000,3000,3000
  grid cols=2 rows=4
  cell col=1 row=1 text="1"
  cell col=1 row=2 text="2"
  cell col=1 row=3 text="3"
  cell col=1 row=4 text="4"
  attribute col=2 row=1 editable=-1 type=1
  attribute col=2 row=2 editable=-1 type=1
  attribute col=2 row=3 editable=-1 type=1
  attribute col=2 row=4 editable=-1 type=1
)S");
    p.ExecuterJusquARepos();
    auto* grille = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 2));
    ASSERT_NE(grille, nullptr);
    for (int r = 1; r <= 4; ++r) grille->CaseEditeurChange(2, r, "=DEBUT.T1.Case[1," + std::to_string(r) + "]*2");
    p.Moteur().Tableaux().ReferencesRecreer(p.Moteur().scene);
    grille->RecalculAvecInit();
    grille->CaseUtilisateurChange(2, 3, "99", true);
    ASSERT_EQ(grille->CaseResultatType(2, 3), grid::resultat::kEntreeSurFormule);

    grille->LignesCacherConsultation(1, 4, 2, 2);
    grille->RecalculAvecInit();
    EXPECT_EQ(grille->CaseResultatType(2, 2), grid::resultat::kEntreeSurFormule) << "row 3's entry, moved up";
    EXPECT_EQ(grille->CaseResultatInterne(2, 2), "99") << "kept when every formula computes again";
    EXPECT_EQ(grille->CaseResultatType(2, 3), grid::resultat::kCalcule) << "the row it left computes";
    EXPECT_EQ(grille->CaseResultatInterne(2, 3), "8");
}

}  // namespace
}  // namespace korv::programme
