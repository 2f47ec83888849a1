// Show, hide and the simple object triggers, and the text triggers, on the
// headless driver with the engine's own dispatch. Play is paused at rest
// and the kind routines are called as an element would call them.

#include "engine/declencheurs_objets.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/attente_boucle.h"
#include "engine/declenchement.h"
#include "engine/declencheurs_texte_chrono.h"
#include "support/pilote_jeu.h"

namespace korv::engine {
namespace {

using testsupport::PiloteJeu;
using Lignes = std::vector<std::string>;

class Surfaces final : public ServicesDeclencheursNeutres {
public:
    bool TamponVersPermanent(int x, int y, int largeur, int hauteur) override {
        copies.push_back(std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(largeur) + " " +
                         std::to_string(hauteur));
        return reussit;
    }
    Lignes copies;
    bool reussit = true;
};

// 2: a button waiting for clicks; 3: a background; 4: a foreground-page
// button (F1 = 1) with a shadow; none is shown by the page itself.
constexpr const char* kSceneObjets = R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="B" rect=300,600,1500,450 E2=4 B3=1
  element page=1 object=1 param=0 events=2
object kind=fond name="F" rect=0,0,900,900 B3=1
  element page=1 object=1 param=0 events=2
object kind=bouton name="AP" rect=150,150,600,300 E1=2 E2=6 F1=1 B3=1
  element page=1 object=1 param=0 events=2
)";

TEST(Declencheurs, ShowDrawsCopiesAndRegisters) {
    struct Cas {
        int objet;
        int mode;
        Lignes effets;
        Lignes copies;   // to the saved page picture
        bool inscrit;
    };
    const Cas cas[] = {
        {2, 1, {"effect 4 20 40 100 30"}, {"20 40 100 30"}, true},
        {2, 2, {}, {"20 40 100 30"}, true},                   // a batch draw copies nothing to the window
        {3, 1, {"effect 0 0 0 60 60"}, {"0 0 60 60"}, false}, // a background is never registered
        {4, 1, {"effect 6 10 10 42 22"}, {}, true},           // shadow widens it; foreground not saved
    };
    for (const auto& c : cas) {
        PiloteJeu p;
        p.ChargerScene(kSceneObjets);
        Surfaces surfaces;
        p.Moteur().Declenchement().Configuration().voisins = &surfaces;
        p.DeclenchementReel();
        p.ExecuterJusquARepos();
        surfaces.copies.clear();
        p.Trace().Vider();
        DeclencheDivers(p.Moteur(), 1, c.objet, c.mode, 1);
        EXPECT_EQ(p.Trace().Lignes("draw"), Lignes{"draw 1." + std::to_string(c.objet)}) << c.objet;
        EXPECT_EQ(p.Trace().Lignes("effect"), c.effets) << c.objet << " mode " << c.mode;
        EXPECT_EQ(surfaces.copies, c.copies) << c.objet;
        EXPECT_EQ(EvenementNObjetVersNEve(p.Moteur(), 1, c.objet) != 0, c.inscrit) << c.objet;
        EXPECT_GT(ObjetAfficheNObjetVersNAffiche(p.Moteur().affiches, 1, c.objet), 0) << "now shown";
    }
}

TEST(Declencheurs, FailedCopyToTheSavedPictureIsReported) {
    PiloteJeu p;
    p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="A" rect=0,0,600,600
  element page=1 object=3 param=0 events=2
object kind=bouton name="B" rect=300,600,1500,450 B3=1
)");
    Surfaces surfaces;
    auto& m = p.Moteur();
    m.Declenchement().Configuration().voisins = &surfaces;
    m.ModeErreur = 4;  // report and go on
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    surfaces.reussit = false;
    m.attente.Entree(EvenementNObjetVersNEve(m, 1, 2)).EvenementsSurvenus = evenement::Clic;
    p.ExecuterJusquARepos();
    EXPECT_NE(p.JournalErreurs().find("A88"), std::string::npos);
    EXPECT_FALSE(m.fin.demandee);
    EXPECT_EQ(p.Trace().Nombre("trigger"), 1u) << "the failed firing still used its click up";
}

// 2: a text of five pages; 3: its next-page button, 4: its previous-page
// button (both linked to it by an element aimed at it).
constexpr const char* kSceneTexte = R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=texte name="T" rect=0,0,6000,3000 text="ligne"
object kind=bouton name="SUIVANTE" rect=0,3600,900,450 G4=3
  element page=1 object=2 param=1 events=2
object kind=bouton name="PRECEDENTE" rect=1200,3600,900,450 G4=4
  element page=1 object=2 param=2 events=2
)";

struct BancTexte {
    explicit BancTexte(int pages = 5) {
        p.ChargerScene(kSceneTexte);
        p.Affichage().pagesTexte[{1, 2}] = pages;
        p.DeclenchementReel();
        p.ExecuterJusquARepos();
    }
    int Page() {
        const int k = ObjetAfficheNObjetVersNAffiche(p.Moteur().affiches, 1, 2);
        return k > 0 ? p.Moteur().affiches.Entree(k).morceauTexte : 0;
    }
    void MettrePage(int page) {
        p.Moteur().affiches.Entree(ObjetAfficheNObjetVersNAffiche(p.Moteur().affiches, 1, 2)).morceauTexte =
            static_cast<std::int16_t>(page);
    }
    void Texte(int action, std::string valeur = "") { DeclencheTexte(p.Moteur(), 1, 2, valeur, action, 1, 1); }
    PiloteJeu p;
};

TEST(Declencheurs, NextAndPreviousButtonsFollowTheTextPage) {
    {
        // The text is on its first page: only the next button is drawn and
        // waits.
        BancTexte b;
        EXPECT_EQ(b.p.Trace().Lignes("draw"), (Lignes{"draw 1.1", "draw 1.2", "draw 1.3"}));
        EXPECT_NE(EvenementNObjetVersNEve(b.p.Moteur(), 1, 3), 0);
        EXPECT_EQ(EvenementNObjetVersNEve(b.p.Moteur(), 1, 4), 0);
        // Shown again by the page's own elements (source 1): drawn once.
        b.p.Trace().Vider();
        DeclencheBouton(b.p.Moteur(), 1, 3, 0, 2, 1);
        EXPECT_TRUE(b.p.Trace().Lignes("draw").empty());
        // By another object it is drawn again.
        DeclencheBouton(b.p.Moteur(), 1, 3, 0, 2, 2);
        EXPECT_EQ(b.p.Trace().Lignes("draw"), (Lignes{"draw 1.3"}));
    }
    {
        // On its last page: the next button is neither drawn nor registered.
        BancTexte b;
        b.MettrePage(5);
        b.p.Trace().Vider();
        DeclencheDivers(b.p.Moteur(), 1, 3, 1, 2);
        DeclencheDivers(b.p.Moteur(), 1, 4, 1, 2);
        EXPECT_EQ(b.p.Trace().Lignes("draw"), (Lignes{"draw 1.4"}));
    }
}

TEST(Declencheurs, TextPagesTurnWithinTheText) {
    struct Cas {
        int depart;
        int action;
        const char* valeur;
        int page;
    };
    const Cas cas[] = {
        {1, 0, "2", 2},    {1, 0, "60%", 3}, {1, 0, "150%", 5}, {3, 0, "0", 1}, {3, 0, "-4", 1},
        {4, 1, "", 5},     {5, 1, "", 5},    {2, 2, "", 1},     {1, 2, "", 1},  {9, 2, "", 5},
    };
    for (const auto& c : cas) {
        BancTexte b;
        b.MettrePage(c.depart);
        b.p.Trace().Vider();
        b.Texte(c.action, c.valeur);
        EXPECT_EQ(b.Page(), c.page) << c.depart << " " << c.action << " " << c.valeur;
        EXPECT_EQ(b.p.Trace().Lignes("redraw"), Lignes{"redraw 1.2"}) << c.action << " " << c.valeur;
        EXPECT_EQ(b.p.Trace().Lignes("page-buttons"), Lignes{"page-buttons 1"}) << c.action << " " << c.valeur;
    }
}

TEST(Declencheurs, TextNotShown) {
    BancTexte b;
    auto& m = b.p.Moteur();
    ObjetEnJeuCacher(m, 1, 2, true);
    b.p.Trace().Vider();
    b.Texte(1);
    EXPECT_EQ(b.p.Trace().Lignes(), (Lignes{"page-buttons 1"})) << "next page of a hidden text";
    b.Texte(3, "7");
    b.Texte(5);
    EXPECT_EQ(b.p.Trace().Lignes().size(), 1u) << "lines of a hidden text: nothing";
    b.Texte(0, "3");
    EXPECT_EQ(b.p.Trace().Lignes("draw"), (Lignes{"draw 1.2"})) << "a page asked of a hidden text shows it";
    EXPECT_EQ(b.Page(), 0) << "the asked page is not applied (the drawing decides)";
}

TEST(Declencheurs, TextLinesTextAndSearch) {
    BancTexte b;
    auto& m = b.p.Moteur();
    const auto affiche = [&]() -> ObjetAffiche& {
        return m.affiches.Entree(ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 2));
    };
    b.Texte(3, "12");
    EXPECT_EQ(affiche().ligneSelectionnee, 12);
    b.Texte(7, "40");
    b.Texte(5);
    EXPECT_EQ(affiche().ligneTexteLong, 41);
    b.Texte(7, "1");
    b.Texte(6);
    EXPECT_EQ(affiche().ligneTexteLong, 1) << "never below line 1";
    b.Texte(7, "1e12");
    EXPECT_EQ(affiche().ligneTexteLong, 2147483647) << "a huge value stays a Long";

    // Line 30 stands on text page 4; other lines on page 7, beyond the text.
    b.p.Affichage().pageDeLigne = [](int, int, std::int32_t ligne) { return ligne == 30 ? 4 : 7; };
    affiche().ligneSelectionnee = 12;
    int depuisVu = 0;
    b.p.Affichage().recherche = [&depuisVu](int, int, std::string_view, int depuis) {
        depuisVu = depuis;
        return depuis - 1;
    };
    b.Texte(8, "mot");
    EXPECT_EQ(depuisVu, 13) << "the search starts on the line after the selected one";
    EXPECT_EQ(affiche().ligneSelectionnee, 12) << "a match on the selected line changes nothing";
    b.p.Affichage().recherche = [](int, int, std::string_view, int) { return 30; };
    b.Texte(8, "mot");
    EXPECT_EQ(affiche().ligneSelectionnee, 30);
    EXPECT_EQ(affiche().morceauTexte, 4);
    b.p.Affichage().recherche = [](int, int, std::string_view, int) { return 31; };
    b.Texte(8, "mot");
    EXPECT_EQ(affiche().ligneSelectionnee, 31);
    EXPECT_EQ(affiche().morceauTexte, 4) << "a page beyond the text is not taken";

    b.Texte(4, "nouveau");
    EXPECT_EQ(m.scene.Page(1).Objet(2).texte, "nouveau");
    b.p.Trace().Vider();
    b.Texte(9);
    EXPECT_EQ(b.p.Trace().Lignes(), (Lignes{"erase 1.2", "page-buttons 1"}));
    EXPECT_EQ(ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 2), 0);
}

TEST(Declencheurs, TextSearchSurvivesTheShownListGrowing) {
    // A layout that draws while it searches moves the shown entries; the
    // found line must land in the text's entry, not in freed memory.
    BancTexte b;
    auto& m = b.p.Moteur();
    b.p.Affichage().pageDeLigne = [](int, int, std::int32_t) { return 3; };
    b.p.Affichage().recherche = [&m](int, int, std::string_view, int) {
        m.affiches.entrees.reserve(m.affiches.entrees.capacity() + 64);
        for (int i = 0; i < 64; ++i) m.affiches.entrees.push_back(ObjetAffiche{1, 4});
        return 30;
    };
    b.Texte(8, "mot");
    const int k = ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 2);
    ASSERT_GT(k, 0);
    EXPECT_EQ(m.affiches.Entree(k).ligneSelectionnee, 30);
    EXPECT_EQ(m.affiches.Entree(k).morceauTexte, 3);
}

TEST(Declencheurs, ImageOffsetStaysWithinThePicture) {
    PiloteJeu p;
    // The picture (A3) is 1000 twips wider than the object.
    p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=image name="I" rect=0,0,3000,1500 A3=4000 file="PHOTO.BMP"
)");
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    auto& m = p.Moteur();
    struct Cas {
        int action;
        const char* valeur;
        int decalage;
    };
    const Cas cas[] = {{3, "-300", -300}, {3, "-900", -1000}, {4, "50", 0}, {4, "-99999", -1000}, {3, "abc", -1000}};
    for (const auto& c : cas) {
        std::string v = c.valeur;
        p.Trace().Vider();
        DeclencheImage(m, 1, 2, v, c.action, 1, 1);
        EXPECT_EQ(m.scene.Page(1).Objet(2).A1, c.decalage) << c.action << " " << c.valeur;
        EXPECT_EQ(p.Trace().Lignes("draw"), (Lignes{"draw 1.2"})) << "shown again";
    }
    std::string vide;
    p.Trace().Vider();
    DeclencheImage(m, 1, 2, vide, 5, 1, 1);
    EXPECT_EQ(p.Trace().Lignes(), (Lignes{"palette-free", "palette PHOTO.BMP"}));
    DeclencheImage(m, 1, 2, vide, 6, 1, 1);
    EXPECT_EQ(p.Trace().Lignes().back(), "erase 1.2");
}

class CheminSprite final : public ServicesDeclencheursNeutres {
public:
    int PolyligneCheminQuelSprite(int, int objet) override { return objet == 2 ? 1 : 0; }
    SpriteVue Sprite(int) override { return {1, 3}; }
    void DeclencheSprite(Moteur&, int page, int objet, std::string& valeur, int action, int mode, int source,
                         int autre) override {
        appels.push_back(std::to_string(page) + "." + std::to_string(objet) + " " + valeur + " " +
                         std::to_string(action) + " " + std::to_string(mode) + " " + std::to_string(source) + " " +
                         std::to_string(autre));
    }
    Lignes appels;
};

TEST(Declencheurs, PathImageMovesItsSprite) {
    PiloteJeu p;
    p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=image name="CHEMIN" rect=0,0,3000,1500 clip=2 B3=1
object kind=sprite name="S" rect=0,0,300,300 B3=1
object kind=bouton name="AVANCE" rect=0,3000,900,450 B3=1
  element page=1 object=2 param=1 value="10" events=2
object kind=bouton name="AUTRE" rect=0,4000,900,450 B3=1
)");
    CheminSprite voisins;
    p.Moteur().Declenchement().Configuration().voisins = &voisins;
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    std::string v = "10";
    DeclencheImage(p.Moteur(), 1, 2, v, 1, 2, 4);
    DeclencheImage(p.Moteur(), 1, 2, v, 2, 1, 4);
    DeclencheImage(p.Moteur(), 1, 2, v, 1, 1, 5);  // object 5 does not aim at the image
    EXPECT_EQ(voisins.appels, (Lignes{"1.3 10 255 2 4 2", "1.3 10 254 1 4 2"}));
}

TEST(Declencheurs, DoorKeepsOnlyThePressedButton) {
    PiloteJeu p;
    p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="A" rect=0,0,600,600
  element page=1 object=1 param=0 events=2
object kind=bouton name="B" rect=900,0,600,600
  element page=1 object=1 param=0 events=2
object kind=chrono name="C" text="5000"
  element page=1 object=1 param=0 events=8
)");
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    auto& m = p.Moteur();
    ASSERT_EQ(m.attente.Nombre(), 3);
    EXPECT_FALSE(PorteOuverte(m));
    DeclenchePorte(m, 1, 3);
    ASSERT_EQ(m.attente.Nombre(), 1);
    EXPECT_EQ(m.attente.Entree(1).Objet, 3);
    EXPECT_EQ(m.attente.Entree(1).EvenementsSurvenus, evenement::Clic);
    EXPECT_EQ(m.jeu.JeuDisponible, -1);
    EXPECT_TRUE(PorteOuverte(m));
    p.ExecuterJusquARepos();
    EXPECT_EQ(p.Trace().Lignes("trigger").back(), "trigger 1.3 events 2");
}

}  // namespace
}  // namespace korv::engine
