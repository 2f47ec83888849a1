// The grid store computing over the engine: a page's preparation computes
// again the formulas that read no cell, and their dependants follow each
// time the page is shown.

#include <gtest/gtest.h>

#include "description.h"
#include "engine/calcul_grilles.h"
#include "engine/moteur.h"
#include "engine/scripts_moteur.h"
#include "grid/magasin_grilles.h"

namespace korv::engine {
namespace {

TEST(GrillesRecalcul, DependantsFollowEachTimeThePageIsShown) {
    Moteur m;
    m.scene = scenetool::ConstruitScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=texte name="N" rect=0,3000,600,600 text="1"
object kind=tableau name="T" rect=600,600,6000,2000
  grid cols=2 rows=1
  column 1 width=2400
  column 2 width=2400
  row 1 height=300
  cell col=1 row=1 text="=DEBUT.N.Texte"
  cell col=2 row=1 text="=DEBUT.T.Case[1,1]&'x'"
)S",
                                        FormeObjets::Bloc);
    CalculGrillesMoteur calcul(m);
    grid::ServicesGrilles services;
    services.enJeu = [] { return true; };
    services.calcul = &calcul;
    grid::MagasinGrilles grilles(std::move(services));
    m.Services().grilles = &grilles;
    grilles.Construit(m.scene);
    grilles.ReferencesRecreer(m.scene);
    grilles.PreparerPourPage(1, 3);
    grid::TableauClasse* g = grilles.Grille(1, 3);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->CaseResultatInterne(1, 1), "1");
    EXPECT_EQ(g->CaseResultatInterne(2, 1), "1x");
    for (int n : {5, 7}) {
        m.scene.pages[0].objets[1].texte = std::to_string(n);
        grilles.PreparerPourPage(1, 3);
        EXPECT_EQ(g->CaseResultatInterne(2, 1), std::to_string(n) + "x") << "shown again with N = " << n;
    }
}

}  // namespace
}  // namespace korv::engine
