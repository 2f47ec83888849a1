// The rich-text trigger on the headless driver with the engine's own
// dispatch: going to a page, turning pages, scrolling the method text.

#include "engine/declencheurs_texte_riche.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/declencheurs_objets.h"
#include "engine/moteur.h"
#include "support/pilote_jeu.h"

namespace korv::engine {
namespace {

using testsupport::PiloteJeu;
using Lignes = std::vector<std::string>;

// 2: a rich text of four pages, shown by the page.
constexpr const char* kScene = R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=rtf name="R" rect=0,0,6000,3000 G3=2 text="{\\rtf1 a\\'a4 b\\'a4 c\\'a4 d}"
)";

class Sprites final : public ServicesDeclencheursNeutres {
public:
    void ObjetsSpriteMethodeMaj() override { ++maj; }
    int maj = 0;
};

struct Banc {
    Banc() {
        p.ChargerScene(kScene);
        p.Affichage().pagesTexte[{1, 2}] = 4;
        p.Moteur().Declenchement().Configuration().voisins = &sprites;
        p.DeclenchementReel();
        p.ExecuterJusquARepos();
    }
    int K() { return ObjetAfficheNObjetVersNAffiche(p.Moteur().affiches, 1, 2); }
    int Page() { return K() > 0 ? p.Moteur().affiches.Entree(K()).morceauTexte : 0; }
    void MettrePage(int n) { p.Moteur().affiches.Entree(K()).morceauTexte = static_cast<std::int16_t>(n); }
    void Riche(int action, const std::string& valeur = "") {
        DeclencheTexteRTF(p.Moteur(), 1, 2, valeur, action, 1, 1);
    }
    Sprites sprites;
    PiloteJeu p;
};

TEST(DeclencheTexteRiche, PagesDansLesBornes) {
    struct Cas {
        int depart;
        int action;
        const char* valeur;
        int page;
    };
    const Cas cas[] = {
        {1, 0, "2", 2}, {1, 0, "150%", 4}, {1, 0, "50%", 2}, {3, 0, "0", 1}, {3, 0, "-2", 1}, {1, 0, "9", 4},
        {1, 0, "2.6", 3}, {1, 0, "2,6", 2}, {3, 1, "", 4}, {4, 1, "", 4}, {2, 2, "", 1}, {1, 2, "", 1},
    };
    for (const auto& c : cas) {
        Banc b;
        ASSERT_GT(b.K(), 0);
        b.MettrePage(c.depart);
        b.p.Trace().Vider();
        b.Riche(c.action, c.valeur);
        EXPECT_EQ(b.Page(), c.page) << c.depart << " " << c.action << " " << c.valeur;
        EXPECT_EQ(b.p.Trace().Lignes("redraw"), Lignes{"redraw 1.2"}) << c.action << " " << c.valeur;
        EXPECT_EQ(b.p.Trace().Lignes("page-buttons"), Lignes{"page-buttons 1"});
        EXPECT_EQ(b.sprites.maj, c.action == 0 ? 0 : 1);
    }
}

TEST(DeclencheTexteRiche, TexteNonAffiche) {
    Banc b;
    ObjetEnJeuCacher(b.p.Moteur(), 1, 2, true);
    b.p.Trace().Vider();
    b.Riche(1);
    b.Riche(2);
    EXPECT_TRUE(b.p.Trace().Lignes().empty()) << "pages of a hidden text: nothing";
    b.Riche(0, "3");
    EXPECT_EQ(b.p.Trace().Lignes(), (Lignes{"page-buttons 1"})) << "only the buttons follow";
    b.Riche(0);
    EXPECT_EQ(b.p.Trace().Lignes("draw"), (Lignes{"draw 1.2"})) << "an empty value shows it";
    EXPECT_EQ(b.Page(), 0);
}

TEST(DeclencheTexteRiche, DefilementDuTexteDeMethode) {
    Banc b;
    auto& f = b.p.Fenetre();
    auto& methode = b.p.Plan();
    f.texteMethodeHauteur = 400;
    methode.texteMethodeDefilement = -1;
    b.Riche(3, "");
    EXPECT_EQ(methode.texteMethodeDefilement, -1);
    b.Riche(3, "25%");
    EXPECT_EQ(methode.texteMethodeDefilement, 100);
    b.Riche(3, "37");
    EXPECT_EQ(methode.texteMethodeDefilement, 37);
    b.p.Trace().Vider();
    b.Riche(7, "1");
    EXPECT_TRUE(b.p.Trace().Lignes().empty()) << "other codes do nothing";
}

}  // namespace
}  // namespace korv::engine
