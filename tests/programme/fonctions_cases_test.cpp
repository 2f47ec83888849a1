// Page scripts change cells, reveal and hide rows and recompute grids of
// the scene through the composed program.

#include <gtest/gtest.h>

#include <string>

#include "engine/moteur.h"
#include "engine/recherche.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"
#include "plan/etat_plan.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

// Page 1 holds the buttons, their scripts (run only when clicked) and a
// growing block of rows; page 2 ("CALCUL") two grids, the second reading
// the first.
constexpr const char* kScene = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=action name="CHANGE" A1=11 B3=1 text="QUE PASSEVALEUR = CASECHANGEVARIABLE('CALCUL';'T1';1;1;'21')"
object kind=bouton name="B1" rect=0,0,1200,600 C1=1 D1=12632256
  element page=1 object=2 param=0 events=2
object kind=action name="REVELE" A1=11 B3=1 text="QUE PASSEVALEUR = REVELERLIGNE('DEBUT';'BLOC';'HAUT';'BAS')"
object kind=bouton name="B2" rect=1500,0,1200,600 C1=1 D1=12632256
  element page=1 object=4 param=0 events=2
object kind=action name="CACHE" A1=11 B3=1 text="QUE PASSEVALEUR = CACHERLIGNE('DEBUT';'BLOC';'HAUT';'BAS')"
object kind=bouton name="B3" rect=3000,0,1200,600 C1=1 D1=12632256
  element page=1 object=6 param=0 events=2
object kind=action name="RECALCULE" A1=11 B3=1 text="QUE PASSEVALEUR = RECALCULPAGE('CALCUL')"
object kind=bouton name="B4" rect=4500,0,1200,600 C1=1 D1=12632256
  element page=1 object=8 param=0 events=2
object kind=action name="AVENIR" A1=11 B3=1 text="QUE PASSEVALEUR = CHANGEVUPASVU()\r\nQUE PASSEVALEUR = AJOUTENUMEROPAGE(2)\r\nQUE PASSEVALEUR = PAGESAUVE('CALCUL')\r\nQUE PASSEVALEUR = PAGECHARGE('CALCUL')"
object kind=bouton name="B5" rect=6000,0,1200,600 C1=1 D1=12632256
  element page=1 object=10 param=0 events=2
object kind=tableau name="BLOC" rect=600,1200,3000,3000
  grid cols=1 rows=6
  column 1 width=2400
  row 1 height=400
  row 2 height=400
  row 3 height=400
  row 4 height=400 fold=-1
  row 5 height=400 fold=-1
  row 6 height=400
  cell col=1 row=1 text="a1"
  cell col=1 row=2 text="a2"
  cell col=1 row=3 text="a3"
  cell col=1 row=4 text="a4"
  cell col=1 row=5 text="a5"
  attribute col=1 row=2 name="HAUT"
  attribute col=1 row=5 name="BAS"
object kind=bouton name="VUPASVU" rect=8000,6000,600,600 C1=1 D1=12632256
page
object kind=fond name="CALCUL" rect=0,0,9600,7200
object kind=tableau name="T1" rect=600,600,6000,2000
  grid cols=2 rows=1
  cell col=1 row=1 text="4"
  cell col=2 row=1 text="=CALCUL.T1.Case[1,1]*2"
  attribute col=1 row=1 editable=-1 type=1
  attribute col=2 row=1 type=1
object kind=tableau name="T2" rect=600,3000,6000,2000
  grid cols=1 rows=1
  cell col=1 row=1 text="=CALCUL.T1.Case[2,1]+1"
  attribute col=1 row=1 type=1
)S";

class FonctionsCases : public ::testing::Test {
protected:
    FonctionsCases() {
        p.ChargerScene(kScene);
        p.ExecuterJusquARepos();
    }
    grid::TableauClasse& Grille(std::int16_t page, std::int16_t objet) {
        return *p.Programme().Grilles().Grille(page, objet);
    }
    void Clic(int x) {
        const auto t = p.Horloge().Maintenant() + 10;
        p.Clic(t, x, 300);
        p.ExecuterJusqua(t + 100);
    }

    PiloteProgramme p;
};

TEST_F(FonctionsCases, AButtonChangesACellOfAnotherPageAndItsDependantsRecompute) {
    ASSERT_EQ(p.Moteur().jeu.PageCourante, 1);
    Clic(300);
    EXPECT_EQ(Grille(2, 2).CaseEditeur(1, 1), "21");
    EXPECT_EQ(Grille(2, 2).CaseResultatInterne(2, 1), "42");
    EXPECT_EQ(Grille(2, 3).CaseResultatInterne(1, 1), "43") << "the other grid of that page";
    EXPECT_EQ(p.JournalErreurs(), "");
}

TEST_F(FonctionsCases, RowsOfABlockAreRevealedOneAtATimeThenTheUserIsTold) {
    grid::TableauClasse& bloc = Grille(1, 12);
    Clic(1800);
    EXPECT_EQ(bloc.LigneEstPLiee(4), 0);
    EXPECT_EQ(bloc.LigneEstPLiee(5), -1);
    Clic(1800);
    EXPECT_EQ(bloc.LigneEstPLiee(5), 0);
    EXPECT_TRUE(p.Messages().messages.empty());
    Clic(1800);
    ASSERT_EQ(p.Messages().messages.size(), 1u);
    EXPECT_EQ(p.Messages().messages[0].texte, "Le nombre de lignes maximum a \xe9t\xe9 atteint");
}

// The press on the button clears the grid's selection but keeps its first
// and last cells, from which the rows to hide are taken.
TEST_F(FonctionsCases, HidingRemovesTheRowTheUserSelectedFromTheBlock) {
    grid::TableauClasse& bloc = Grille(1, 12);
    const auto t = p.Horloge().Maintenant() + 10;
    p.Clic(t, 1000, 1200 + bloc.LigneHaut(3) + 100);
    p.ExecuterJusqua(t + 100);
    ASSERT_TRUE(bloc.SelectionEstValide());
    ASSERT_EQ(bloc.LigneAfficheeVersStockee(bloc.Selection().HautGaucheLigne), 3);
    Clic(3300);
    EXPECT_FALSE(bloc.SelectionEstValide());
    EXPECT_EQ(bloc.CaseEditeur(1, 3), "a4") << "the row below moved up";
    EXPECT_EQ(bloc.LigneEstPLiee(3), -1) << "the last shown row of the block";
    EXPECT_EQ(bloc.LigneEstPLiee(2), 0);
}

TEST_F(FonctionsCases, RecomputingAPageComputesWhatItsGridsAwait) {
    grid::TableauClasse& t1 = Grille(2, 2);
    p.Programme().Grilles().ParcouruRecalculReinitTous();
    t1.CaseUtilisateurChange(1, 1, "5", true);
    Clic(4800);
    EXPECT_EQ(t1.CaseResultatInterne(2, 1), "10");
    EXPECT_EQ(Grille(2, 3).CaseResultatInterne(1, 1), "11");
}

// The seen mark and its picture are the method's own (without a current
// step the picture stays); the page-count field goes into the writing box,
// hidden here but there all the same; the plan parts reach the plan
// document (its own tests show them).
TEST_F(FonctionsCases, MethodPageNumbersAndPlanPartsReachTheirModules) {
    const int vu = engine::NumeroObjet(p.Moteur().scene, 1, "VUPASVU");
    const std::string fichier = p.Moteur().scene.Page(1).Objet(vu).fichier;
    Clic(6300);
    EXPECT_EQ(p.JournalErreurs(), "");
    EXPECT_EQ(p.Moteur().scene.Page(1).Objet(vu).fichier, fichier);
    EXPECT_TRUE(p.Programme().Plan().PlanAffaireModifie());
    EXPECT_EQ(p.Redaction().boite.Texte(), "<#NOMBRE DE PAGES>");
}

}  // namespace
}  // namespace korv::programme
