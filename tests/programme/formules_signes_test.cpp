#include <gtest/gtest.h>

#include "engine/moteur.h"
#include "grid/case_tableau.h"
#include "grid/tableau.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

// A button's script tests a call's result on the left of "=" and passes
// negative arguments without parentheses; a cell subtracts from a call.
TEST(FormulesSignes, CallsOnTheLeftAndNegativeArgumentsInAScriptAndACell) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=action name="ZONES" A1=11 text=<<FIN
DECLARE R
SI ZONEESTELLESAISIE('SUITE';'T2';1;0;1;0) = 'OUI'
QUE R = ZONEFOND('SUITE';'T2';3;0;3;0)
FINSI
SI ZONEESTELLESAISIE('SUITE';'T2';2;0;2;0) = 'OUI'
QUE R = ZONEFOND('SUITE';'T2';2;0;2;0)
FINSI
QUE R = ZONEIMPRIMABLE('SUITE';'T2';-1;-1;-1;-1)
FIN
object kind=bouton name="B" rect=600,600,1200,600 C1=1 D1=12632256
  element page=1 object=2 param=0 events=2
page
object kind=fond name="SUITE" rect=0,0,9600,7200
object kind=tableau name="T2" rect=100,3000,3000,3000
  grid cols=3 rows=4
  cell col=1 row=2 text="7"
  cell col=2 row=1 text="=ENT(SUITE.T2.Case[1,2]/2)+1"
  cell col=3 row=1 text="=DATEADDMOIS(45658;1)-1"
  attribute col=1 row=2 editable=-1 type=1
)S");
    p.ExecuterJusquARepos();
    auto* grille = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(2, 2));
    ASSERT_NE(grille, nullptr);
    p.Moteur().Tableaux().ReferencesRecreer(p.Moteur().scene);
    grille->RecalculSansInit();
    EXPECT_EQ(grille->CaseResultatInterne(2, 1), "4");
    EXPECT_EQ(grille->CaseResultatInterne(3, 1), "45688");

    p.Clic(100, 900, 900);
    p.ExecuterJusqua(200);
    for (int c = 1; c <= 3; ++c) {
        const auto& a = grille->Colonne(c).AttributImpression;
        EXPECT_EQ(a.Imprimable, 1) << c;
        EXPECT_EQ(a.ImprimeFond, c == 3 ? 1 : 0) << "only column 1 holds an entry, column " << c;
    }
    for (int r = 1; r <= 4; ++r) EXPECT_EQ(grille->Ligne(r).AttributImpression.Imprimable, 1) << r;
}

}  // namespace
}  // namespace korv::programme
