#include <gtest/gtest.h>

#include "engine/moteur.h"
#include "formula/monnaies.h"
#include "grid/case_tableau.h"
#include "grid/tableau.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

// A button's script on the first page sets the print attributes of a grid
// of the second page, asks whether a column holds an entry, fixes a
// computed cell, goes on past a zone that reaches outside the grid, and
// converts the amounts of a column.
TEST(FonctionsZones, AScriptSetsTheZonesOfAGridOfAnotherPage) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=action name="ZONES" A1=11 text=<<FIN
DECLARE R
QUE R = ZONEIMPRIMABLE('SUITE';'T2';(-1);(-1);(-1);(-1))
QUE R = ZONENONIMPRIMABLE('suite';'t2';0;3;0;4)
QUE R = ZONEBORD('SUITE';'T2';1;1;2;2)
QUE R = IMPRIMETITRE('SUITE';'T2';'Budget ''2026''';9)
QUE R = IMPRIMECOLONNELARGEURMINIMALE('SUITE';'T2';2;1800)
SI 'OUI' = ZONEESTELLESAISIE('SUITE';'T2';1;0;1;0)
QUE R = ZONEFOND('SUITE';'T2';3;0;3;0)
FINSI
QUE R = ZONEFORMAT('SUITE';'T2';1;(-1);1;300;4)
QUE R = SAISIEOUCALCULFIXE('SUITE';'T2';2;1;2;1)
QUE R = CONVCHANGE('SUITE';'T2';1;1;1;4)
FIN
object kind=bouton name="B" rect=600,600,1200,600 C1=1 D1=12632256
  element page=1 object=2 param=0 events=2
page
object kind=fond name="SUITE" rect=0,0,9600,7200
object kind=tableau name="T2" rect=100,3000,3000,3000
  grid cols=3 rows=4
  cell col=1 row=2 text="7"
  cell col=2 row=1 text="=SUITE.T2.Case[1,2]*2"
  attribute col=1 row=2 editable=-1 type=1
  attribute col=2 row=1 editable=-1 type=1
)S");
    p.ExecuterJusquARepos();
    auto* grille = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(2, 2));
    ASSERT_NE(grille, nullptr);
    p.Moteur().Tableaux().ReferencesRecreer(p.Moteur().scene);
    grille->RecalculSansInit();
    ASSERT_EQ(grille->CaseResultatInterne(2, 1), "14");
    ASSERT_EQ(grille->CaseResultatType(2, 1), grid::resultat::kCalcule);

    // The converter's reference rates, in the program's settings store.
    const auto taux = [&p](std::string_view cle, double valeur) {
        return p.Reglages().EcrireReel(formula::kReglagesMonnaieApplication, formula::kReglagesMonnaieSection, cle,
                                       valeur);
    };
    ASSERT_TRUE(taux(formula::kReferenceUsd, 2));
    ASSERT_TRUE(taux(formula::kReferenceSek, 8));
    p.Clic(100, 900, 900);
    p.ExecuterJusqua(200);

    for (int r = 1; r <= 4; ++r) {
        const auto& a = grille->Ligne(r).AttributImpression;
        EXPECT_EQ(a.Imprimable, r <= 2 ? 1 : 0) << r;
        EXPECT_EQ(a.ImprimeBord, r <= 2 ? 1 : 0) << r;
        EXPECT_EQ(a.ImprimeFormat, 4) << "the row bound past the grid is skipped, row " << r;
    }
    for (int c = 1; c <= 3; ++c) {
        const auto& a = grille->Colonne(c).AttributImpression;
        EXPECT_EQ(a.Imprimable, 1) << c;
        EXPECT_EQ(a.ImprimeBord, c <= 2 ? 1 : 0) << c;
        EXPECT_EQ(a.ImprimeFond, c == 3 ? 1 : 0) << "column 1 holds an entry";
        EXPECT_EQ(a.ImprimeFormat, c == 1 ? 4 : 0) << c;
    }
    EXPECT_EQ(grille->ImprimeTitreRetourne(), "Budget '2026'");
    EXPECT_EQ(grille->ImprimeTitreTaille(), 9);
    EXPECT_EQ(grille->Colonne(2).AttributImpression.LargeurMinimale, 1800);
    EXPECT_EQ(grille->CaseResultatType(2, 1), grid::resultat::kEntreeSurFormule) << "the script ran to its end";
    EXPECT_EQ(grille->CaseResultatInterne(2, 1), "14");
    EXPECT_EQ(grille->CaseEditeur(1, 2), "1,75") << "converted with the store's rates";
}

}  // namespace
}  // namespace korv::programme
