// Mouse events of the page on the headless driver: scripted presses,
// releases and moves reach the engine as the main window delivers them, and
// the trace shows what they did (the pressed look and its release, the
// waiting entries fired, the cursor, the sprite moved).

#include "engine/souris.h"
#include "engine/services_neutres.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "engine/attente_boucle.h"
#include "engine/declenchement.h"
#include "engine/erreur.h"
#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "support/pilote_jeu.h"

namespace korv::engine {
namespace {

using testsupport::PiloteJeu;
using Lignes = std::vector<std::string>;
namespace genre = testsupport::genre_souris;

constexpr int kGauche = 1;

// The trace lines whose keyword is one of `motsCles`, in order.
Lignes Filtre(const PiloteJeu& p, std::initializer_list<std::string_view> motsCles) {
    Lignes r;
    for (const auto& l : p.Lignes()) {
        const std::string_view mot = std::string_view(l).substr(0, l.find(' '));
        if (std::find(motsCles.begin(), motsCles.end(), mot) != motsCles.end()) r.push_back(l);
    }
    return r;
}

// Plays `scene` with the engine's own dispatch up to its first rest at 0.
void Demarrer(PiloteJeu& p, const std::string& scene) {
    p.ChargerScene(scene);
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    p.Trace().Vider();
}

// Button 2 jumps to page 2 on a click; it covers (600, 600)-(1785, 1185).
constexpr const char* kSceneBouton = R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="B" rect=600,600,1200,600 clip=1
  element page=2 object=1 param=0 events=2
page
object kind=fond name="SUITE" rect=0,0,9600,7200
)";

TEST(Souris, ClicPressionEtRelachement) {
    struct Cas {
        const char* nom;
        int xEnfonce, yEnfonce, xRelache, yRelache;
        Lignes attendu;
    };
    const Cas cas[] = {
        {"click on the button",
         900, 900, 900, 900,
         {"mouse 1 1 0 900 900", "press 1.2", "mouse 2 1 0 900 900", "effect 0 39 39 82 42", "trigger 1.2 events 2",
          "jump 2", "effect 0"}},
        {"the edge is outside", 600, 900, 600, 900, {"mouse 1 1 0 600 900", "mouse 2 1 0 600 900"}},
        {"released outside: the look comes back, no click",
         900, 900, 3000, 3000,
         {"mouse 1 1 0 900 900", "press 1.2", "mouse 2 1 0 3000 3000", "effect 0 39 39 82 42"}},
        {"pressed outside, released inside: a click",
         3000, 3000, 900, 900,
         {"mouse 1 1 0 3000 3000", "mouse 2 1 0 900 900", "trigger 1.2 events 2", "jump 2", "effect 0"}},
    };
    for (const Cas& c : cas) {
        PiloteJeu p;
        Demarrer(p, kSceneBouton);
        p.Souris(100, genre::Enfonce, kGauche, 0, c.xEnfonce, c.yEnfonce);
        p.Souris(200, genre::Relache, kGauche, 0, c.xRelache, c.yRelache);
        p.ExecuterJusqua(300);
        EXPECT_EQ(Filtre(p, {"mouse", "press", "effect", "trigger", "jump"}), c.attendu) << c.nom;
        const auto& s = p.Moteur().souris;
        EXPECT_EQ(s.SourisX, c.xRelache) << c.nom;
        EXPECT_EQ(s.SourisY, c.yRelache) << c.nom;
        EXPECT_TRUE(p.Moteur().zonesSouris.entrees.empty()) << c.nom;
    }
}

TEST(Souris, LeClicEstNoteDansLObjetAffiche) {
    PiloteJeu p;
    Demarrer(p, R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=image name="I" rect=600,600,1200,600 clip=1
)");
    p.Clic(100, 700, 800);
    p.ExecuterJusqua(200);
    auto& m = p.Moteur();
    const int k = ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 2);
    ASSERT_GT(k, 0);
    EXPECT_EQ(m.affiches.Entree(k).clicX, 700);
    EXPECT_EQ(m.affiches.Entree(k).clicY, 800);
}

// Button 2 shows 3 when the mouse enters, 4 when it leaves and 5 while it
// stays over it; it takes the pointing hand.
constexpr const char* kSceneSurvol = R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="B" rect=600,600,1200,600 clip=1 H2=1
  element page=1 object=3 param=0 events=256
  element page=1 object=4 param=0 events=512
  element page=1 object=5 param=0 events=8192
object kind=bouton name="E" rect=0,3000,300,300 B3=1
object kind=bouton name="S" rect=0,3600,300,300 B3=1
object kind=bouton name="D" rect=0,4200,300,300 B3=1
)";

TEST(Souris, EntreeDessusEtSortieAvecLaRepetitionDuDessus) {
    PiloteJeu p;
    Demarrer(p, kSceneSurvol);
    p.Souris(100, genre::Deplace, 0, 0, 900, 900);
    // Over is a level: it fires again at every examination while the
    // mouse stays inside.
    EXPECT_EQ(p.ExecuterNDeclenchements(4), 4);
    p.Souris(p.Horloge().Maintenant(), genre::Deplace, 0, 0, 3000, 900);
    p.ExecuterJusquARepos();
    const Lignes lignes = Filtre(p, {"mouse", "trigger", "cursor"});
    ASSERT_GE(lignes.size(), 9u);
    EXPECT_EQ(Lignes(lignes.begin(), lignes.begin() + 3),
              (Lignes{"mouse 3 0 0 900 900", "cursor hand", "trigger 1.2 events 8448"}));
    const auto dessus = static_cast<std::ptrdiff_t>(lignes.size() - 6);
    EXPECT_EQ(Lignes(lignes.begin() + 3, lignes.begin() + 3 + dessus), Lignes(lignes.size() - 6, "trigger 1.2 events 8192"));
    EXPECT_EQ(Lignes(lignes.end() - 3, lignes.end()),
              (Lignes{"mouse 3 0 0 3000 900", "cursor default", "trigger 1.2 events 512"}));
    // Entering runs the enter and over elements together (batch mode).
    const Lignes tirs = p.Trace().Lignes("fire");
    ASSERT_EQ(tirs.size(), lignes.size() - 3);
    EXPECT_EQ(tirs.front(), "fire 1.3 element 1 action 0 mode 2");
    EXPECT_EQ(tirs[1], "fire 1.5 element 3 action 0 mode 2");
    EXPECT_EQ(tirs[2], "fire 1.5 element 3 action 0 mode 1");
    EXPECT_EQ(tirs.back(), "fire 1.4 element 2 action 0 mode 1");
    const auto& e = p.Moteur().attente.Entree(EvenementNObjetVersNEve(p.Moteur(), 1, 2));
    EXPECT_EQ(e.SourisDedans, 0);
    EXPECT_EQ(e.EvenementsSurvenus, 0);
}

TEST(Souris, BoutonTenuRepeteJusquAuRelachement) {
    PiloteJeu p;
    Demarrer(p, R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="B" rect=600,600,1200,600 clip=1
  element page=1 object=3 param=0 events=1024
object kind=bouton name="X" rect=0,3000,300,300 B3=1
)");
    p.Souris(100, genre::Enfonce, kGauche, 0, 900, 900);
    p.Souris(700, genre::Relache, kGauche, 0, 900, 900);
    p.ExecuterJusqua(2000);
    // At the press, after more than 520 ms, then every more than 20 ms.
    EXPECT_EQ(p.Trace().LignesDatees("trigger"),
              (Lignes{"100 trigger 1.2 events 1024", "621 trigger 1.2 events 1024", "642 trigger 1.2 events 1024",
                      "663 trigger 1.2 events 1024", "684 trigger 1.2 events 1024"}));
    EXPECT_EQ(p.Trace().LignesDatees("press"), (Lignes{"100 press 1.2"}));
    EXPECT_EQ(p.Trace().LignesDatees("effect").back(), "700 effect 0 39 39 82 42") << "the look restored";
    const auto& e = p.Moteur().attente.Entree(EvenementNObjetVersNEve(p.Moteur(), 1, 2));
    EXPECT_EQ(e.ProchaineRepetition, 0);
    EXPECT_EQ(e.EvenementsSurvenus, 0);
}

TEST(Souris, BoutonTenuRelacheAvantLaBoucleDeclencheUneFois) {
    // Press and release delivered together (a tap, a quick click): the
    // loop has not reached the entry before the release, yet each press
    // fires once, and the button then waits for the next press.
    struct Cas {
        const char* nom;
        std::vector<std::int64_t> clics;
        Lignes attendu;
    };
    const Cas cas[] = {
        {"one", {100}, {"100 trigger 1.2 events 1024"}},
        {"three", {100, 300, 2000}, {"100 trigger 1.2 events 1024", "300 trigger 1.2 events 1024",
                                     "2000 trigger 1.2 events 1024"}},
    };
    for (const Cas& c : cas) {
        PiloteJeu p;
        Demarrer(p, R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="B" rect=600,600,1200,600 clip=1
  element page=1 object=3 param=0 events=1024
object kind=bouton name="X" rect=0,3000,300,300 B3=1
)");
        for (const auto t : c.clics) p.Clic(t, 900, 900);
        p.ExecuterJusqua(4000);
        EXPECT_EQ(p.Trace().LignesDatees("trigger"), c.attendu) << c.nom;
        const auto& e = p.Moteur().attente.Entree(EvenementNObjetVersNEve(p.Moteur(), 1, 2));
        EXPECT_EQ(e.ProchaineRepetition, 0) << c.nom;
        EXPECT_EQ(e.EvenementsSurvenus, 0) << c.nom;
    }
}

// A sprite table of one sprite, kept by the moves the engine asks for.
class Lutins final : public ServicesDeclencheursNeutres {
public:
    int SpriteNombre() override { return 1; }
    SpriteVue Sprite(int n) override { return n == 1 ? lutin : SpriteVue{}; }
    int SpriteNObjetVersNSprite(int page, int objet) override {
        return page == lutin.page && objet == lutin.objet ? 1 : 0;
    }
    SpriteVue lutin;
};

// Sprite 2 (draggable, flag 1 of G3) at (40, 40) pixels, 20 x 20; its
// drag shows object 3.
constexpr const char* kSceneGlisser = R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=sprite name="L" rect=600,600,300,300 clip=1 G3=1
  element page=1 object=3 param=0 events=2048
object kind=bouton name="X" rect=0,3000,300,300 B3=1
)";

struct Glisser {
    PiloteJeu p;
    Lutins lutins;
    Glisser() {
        lutins.lutin = {1, 2, 40, 40, 20, 20};
        auto& m = p.Moteur();
        m.Declenchement().Configuration().voisins = &lutins;
        // The display moves the sprite and its object with it.
        p.Affichage().spriteDeplace = [this](int, int x, int y) {
            lutins.lutin.x = x;
            lutins.lutin.y = y;
            auto& l = p.Moteur().affiches;
            auto& a = l.Entree(ObjetAfficheNObjetVersNAffiche(l, 1, 2));
            a.droite += x * 15 - a.gauche;
            a.bas += y * 15 - a.haut;
            a.gauche = x * 15;
            a.haut = y * 15;
        };
        Demarrer(p, kSceneGlisser);
    }
};

TEST(Souris, GlisserDeposer) {
    Glisser g;
    auto& p = g.p;
    p.Souris(100, genre::Enfonce, kGauche, 0, 700, 650);
    p.Souris(110, genre::Deplace, kGauche, 0, 1000, 1100);
    p.Souris(120, genre::Deplace, kGauche, 0, 1003, 1101);  // less than a pixel: the sprite stays
    p.Souris(130, genre::Relache, kGauche, 0, 5000, 5000);
    p.ExecuterJusqua(200);
    // Grabbed 100, 50 twips from its corner: dragged to (900, 1050) twips,
    // that is (60, 70) pixels.
    EXPECT_EQ(Filtre(p, {"mouse", "sprite-move", "cursor", "trigger"}),
              (Lignes{"mouse 1 1 0 700 650", "mouse 3 1 0 1000 1100", "sprite-move 1 60 70", "cursor move",
                      "trigger 1.2 events 2048", "mouse 3 1 0 1003 1101", "cursor default", "mouse 2 1 0 5000 5000",
                      "trigger 1.2 events 2048"}));
    auto& m = p.Moteur();
    EXPECT_FALSE(m.souris.GlisserEnCours);
    EXPECT_EQ(m.jeu.JeuDisponible, -1);
    // The drop is reported at the sprite's corner plus one pixel.
    const auto& a = m.affiches.Entree(ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 2));
    EXPECT_EQ(a.clicX, 900 + 15);
    EXPECT_EQ(a.clicY, 1050 + 15);
}

TEST(Souris, GlisserSeulementDepuisLInterieurDuLutinEtBoutonGauche) {
    struct Cas {
        const char* nom;
        int x, y, boutonDeplace;
        bool glisse;
    };
    const Cas cas[] = {
        {"inside, left button", 700, 700, kGauche, true},
        {"on the sprite's edge", 600, 700, kGauche, false},
        {"right button held during the move", 700, 700, 2, false},
        {"left and right held", 700, 700, 3, false},
    };
    for (const Cas& c : cas) {
        Glisser g;
        auto& p = g.p;
        p.Souris(100, genre::Enfonce, kGauche, 0, c.x, c.y);
        p.Souris(110, genre::Deplace, c.boutonDeplace, 0, 2000, 2000);
        p.ExecuterJusqua(200);
        EXPECT_EQ(p.Trace().Nombre("sprite-move"), c.glisse ? 1u : 0u) << c.nom;
    }
}

TEST(Souris, GlisserLAscenseurDuTexteDeMethode) {
    struct Cas {
        int hauteurChemin;   // twips
        std::int32_t defilement;
    };
    // Sprite 20 pixels high on a path from 600 twips (40 pixels) down; the
    // method text is 1000 high. Dragged to 60 pixels: 20 pixels down the
    // course. A path as high as the sprite has no course: no scroll; near
    // the top the text goes to its very top.
    const Cas cas[] = {{1200, 333}, {900, 500}, {300, -7}, {6900, -100}};
    for (const Cas& c : cas) {
        Glisser g;
        auto& p = g.p;
        auto& m = p.Moteur();
        g.lutins.lutin.objetChemin = 3;
        m.scene.Page(1).Objet(3).haut = 600;
        m.scene.Page(1).Objet(3).hauteur = static_cast<std::int16_t>(c.hauteurChemin);
        m.affiches.Entree(ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 2)).role = 16;
        p.Fenetre().texteMethodeHauteur = 1000;
        p.Fenetre().texteMethodeDefilement = -7;
        p.Souris(100, genre::Enfonce, kGauche, 0, 700, 700);
        p.Souris(110, genre::Deplace, kGauche, 0, 1000, 1000);
        p.ExecuterJusqua(200);
        ASSERT_EQ(p.Trace().Lignes("sprite-move"), (Lignes{"sprite-move 1 60 60"})) << c.hauteurChemin;
        EXPECT_EQ(p.Fenetre().texteMethodeDefilement, c.defilement) << c.hauteurChemin;
    }
}

// Button 2 starts an outside program (action 3) and waits for its end
// while the window goes on; button 4 fires on a click.
constexpr const char* kSceneOccupe = R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="B" rect=600,600,1200,600 clip=1
  element page=1 object=3 param=0 events=2
object kind=action name="PROG" A1=1 B3=1 text="outil"
object kind=bouton name="C" rect=600,3000,1200,600 clip=1
  element page=1 object=5 param=0 events=2
object kind=bouton name="X" rect=0,6000,300,300 B3=1
)";

TEST(Souris, EvenementsEnAttentePendantUnDeclenchement) {
    PiloteJeu p;
    Demarrer(p, kSceneOccupe);
    // Running for eight checks of the wait, one every 50 ms or at each input.
    p.Lanceur().resteActif = 8;
    p.Clic(100, 900, 900);
    p.Souris(160, genre::Deplace, 0, 0, 5000, 5000);
    p.Souris(170, genre::Deplace, 0, 0, 900, 3300);
    p.Souris(180, genre::Enfonce, kGauche, 0, 900, 3300);
    p.Souris(180, genre::Relache, kGauche, 0, 900, 3300);
    p.Souris(190, genre::Deplace, 0, 0, 950, 3300);
    p.ExecuterJusqua(200);
    auto& m = p.Moteur();
    // Busy: one event of each kind, the newest last.
    EXPECT_EQ(m.zonesSouris.entrees,
              (std::vector<ZoneSouris>{{GenreSouris::Enfonce, 900, 3300, kGauche, 0},
                                       {GenreSouris::Relache, 900, 3300, kGauche, 0},
                                       {GenreSouris::Deplace, 950, 3300, 0, 0}}));
    EXPECT_EQ(p.Trace().Nombre("press"), 1u) << "only the first click was handled at once";
    p.ExecuterJusqua(400);
    EXPECT_TRUE(m.zonesSouris.entrees.empty());
    // Handed on in order once the program ended, at 300.
    EXPECT_EQ(p.Trace().LignesDatees("trigger"), (Lignes{"100 trigger 1.2 events 2", "300 trigger 1.4 events 2"}));
    EXPECT_EQ(p.Trace().LignesDatees("press"), (Lignes{"100 press 1.2", "300 press 1.4"}));
}

TEST(Souris, FileDAttenteUneParGenre) {
    struct Cas {
        const char* nom;
        std::vector<ZoneSouris> arrivees;
        std::vector<ZoneSouris> file;
    };
    const ZoneSouris d1{GenreSouris::Enfonce, 1, 1, 1, 0};
    const ZoneSouris m2{GenreSouris::Deplace, 2, 2, 0, 0};
    const ZoneSouris m3{GenreSouris::Deplace, 3, 3, 0, 0};
    const ZoneSouris u4{GenreSouris::Relache, 4, 4, 1, 0};
    const ZoneSouris d5{GenreSouris::Enfonce, 5, 5, 2, 1};
    const Cas cas[] = {
        {"two moves: the later one, after the press", {m2, d1, m3}, {d1, m3}},
        {"the last one replaced in place", {d1, m2, m3}, {d1, m3}},
        {"one of each kind", {d1, m2, u4}, {d1, m2, u4}},
        {"a press replaced moves to the end", {d1, m2, u4, d5}, {m2, u4, d5}},
    };
    for (const Cas& c : cas) {
        Moteur m;
        m.jeu.JeuDisponible = 0;
        for (const ZoneSouris& z : c.arrivees) {
            EvenementSourisSurvient(m, static_cast<int>(z.genre), z.bouton, z.maj, z.x, z.y);
        }
        EXPECT_EQ(m.zonesSouris.entrees, c.file) << c.nom;
    }
    // Press and release note the position, a move does not; other kinds are ignored.
    Moteur m;
    m.jeu.JeuDisponible = 0;
    EvenementSourisSurvient(m, 1, 1, 0, 10, 20);
    EvenementSourisSurvient(m, 3, 0, 0, 30, 40);
    EvenementSourisSurvient(m, 4, 0, 0, 50, 60);
    EvenementSourisSurvient(m, 0, 0, 0, 50, 60);
    EXPECT_EQ(m.souris.SourisX, 10);
    EXPECT_EQ(m.souris.SourisY, 20);
    EXPECT_EQ(m.zonesSouris.Nombre(), 2);
    // Handing on takes the oldest first.
    EvenementSourisDeclenche(m);
    ASSERT_EQ(m.zonesSouris.Nombre(), 1);
    EXPECT_EQ(m.zonesSouris.entrees[0].genre, GenreSouris::Deplace);
    EvenementSourisEffaceTous(m);
    EXPECT_FALSE(EvenementsSourisEnAttente(m));
    EvenementSourisDeclenche(m);  // nothing queued: nothing happens
}

// Grids seen from the mouse: a selection, the calls made and a cursor.
class GrillesVues final : public GrillesNeutre {
public:
    bool ASelection(int, int) override { return selection; }
    void SelectionnerRien(int page, int objet) override {
        selection = false;
        appels.push_back("none " + Nom(page, objet));
    }
    void Affiche(int page, int objet) override { appels.push_back("draw " + Nom(page, objet)); }
    void MouseDownConsultation(int page, int objet, int bouton, int, std::int32_t x, std::int32_t y) override {
        appels.push_back("down " + Nom(page, objet) + " " + std::to_string(bouton) + " " + std::to_string(x) + " " +
                         std::to_string(y));
    }
    void MouseMoveConsultation(int page, int objet, int, std::int32_t x, std::int32_t y) override {
        appels.push_back("move " + Nom(page, objet) + " " + std::to_string(x) + " " + std::to_string(y));
    }
    void MouseUpConsultation(int page, int objet, std::int32_t x, std::int32_t y) override {
        appels.push_back("up " + Nom(page, objet) + " " + std::to_string(x) + " " + std::to_string(y));
    }
    int QuelCurseurDeSouris(int, int, std::int32_t, std::int32_t) override { return curseur; }

    static std::string Nom(int page, int objet) { return std::to_string(page) + "." + std::to_string(objet); }
    bool selection = false;
    int curseur = 0;
    Lignes appels;
};

// Objects side by side on one row, 600 twips wide, by hover style: 2 hand,
// 3 text I-beam, 4 move, 5 grid with its own cursor, 6 a text whose links
// take the hand, 7 a hover box.
constexpr const char* kSceneCurseurs = R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="MAIN" rect=0,0,600,600 clip=1 H2=1
object kind=bouton name="TEXTE" rect=600,0,600,600 clip=1 H2=4
object kind=bouton name="BOUGE" rect=1200,0,600,600 clip=1 H2=5
object kind=tableau name="GRILLE" rect=1800,0,600,600 clip=1 H2=6
  grid cols=1 rows=1
object kind=texte name="LIENS" rect=2400,0,600,600 clip=1 H2=3 text="voir ici"
  element page=1 object=2 param=0 text="ici" events=2
object kind=bouton name="CADRE" rect=3000,0,600,600 clip=1 H2=2
)";

TEST(Souris, LeCurseurSuitCeQuiEstSousLaSouris) {
    PiloteJeu p;
    GrillesVues grilles;
    p.Moteur().Services().grilles = &grilles;
    Demarrer(p, kSceneCurseurs);
    auto& m = p.Moteur();
    ZoneTexteLien lien;
    lien.Texte = "ici";
    lien.Numero = 1;
    lien.Gauche1 = 2700, lien.Droite1 = 2900, lien.Haut1 = 100, lien.Bas1 = 300;
    ASSERT_TRUE(EvenementObjetEnAttenteDEvenementAjoute(m, 1, 6, lien));

    struct Cas {
        int x, y;
        int curseurGrille;
        FormeCurseur forme;
        std::int16_t survol;  // of the object under the mouse
    };
    const Cas cas[] = {
        {300, 300, 0, FormeCurseur::Pointe, -1},
        {900, 300, 0, FormeCurseur::Texte, -1},
        {1500, 300, 0, FormeCurseur::Bouge, -1},
        {2100, 300, 254, FormeCurseur::Croix, -1},
        {2100, 300, 255, FormeCurseur::Pointe, -1},
        {2100, 300, 3, FormeCurseur::Texte, -1},
        {2100, 300, 7, FormeCurseur::Defaut, 0},
        {2100, 300, 0, FormeCurseur::Defaut, 0},
        {2800, 200, 0, FormeCurseur::Pointe, -1},
        {2500, 200, 0, FormeCurseur::Defaut, 0},   // on the text, off its link
        {3300, 300, 0, FormeCurseur::Defaut, -1},  // the hover box changes no cursor
        {5000, 5000, 0, FormeCurseur::Defaut, 0},
    };
    std::int64_t t = 100;
    for (const Cas& c : cas) {
        grilles.curseur = c.curseurGrille;
        p.Souris(t, genre::Deplace, 0, 0, c.x, c.y);
        p.ExecuterJusqua(t);
        t += 10;
        EXPECT_EQ(p.Fenetre().curseur, c.forme) << c.x << " " << c.curseurGrille;
        for (const auto& a : m.affiches.entrees) {
            if (a.objet == 1) continue;
            const bool dessous = a.gauche < c.x && c.x < a.droite && a.haut < c.y && c.y < a.bas;
            EXPECT_EQ(a.survol, dessous ? c.survol : 0) << c.x << " object " << a.objet;
        }
    }
    EXPECT_EQ(Filtre(p, {"hover-box"}), (Lignes{"hover-box 1.7"}));
    // Leaving the hover box wipes it with the page buffer: (3000, 0) to
    // (3585, 585) twips and one pixel around.
    EXPECT_EQ(p.Trace().Lignes("effect"), (Lignes{"effect 0 199 -1 42 42"}));
    EXPECT_EQ(grilles.appels.size(), 6u) << "drawn again once the page's objects fired, then each move over it";
}

TEST(Souris, LesGrillesRecoiventPressionsEtRelachements) {
    PiloteJeu p;
    GrillesVues grilles;
    p.Moteur().Services().grilles = &grilles;
    Demarrer(p, kSceneCurseurs);
    grilles.selection = true;
    p.Clic(100, 2000, 100);
    p.Clic(200, 5000, 5000);
    p.Clic(300, 5000, 5000);
    p.ExecuterJusqua(400);
    EXPECT_EQ(grilles.appels, (Lignes{"draw 1.5", "down 1.5 1 2000 100", "up 1.5 2000 100", "none 1.5", "draw 1.5"}))
        << "drawn again once the page's objects fired; a press elsewhere clears the grid's selection once";
}

TEST(Souris, UnEvenementEnAttenteQuiQuitteLaPage) {
    // The grid leaves the page on a release.
    class GrilleQuiSaute final : public GrillesNeutre {
    public:
        explicit GrilleQuiSaute(Moteur& m) : m_(m) {}
        void MouseUpConsultation(int, int, std::int32_t, std::int32_t) override { SauteALaPage(m_, 2); }

    private:
        Moteur& m_;
    };
    PiloteJeu p;
    GrilleQuiSaute grille(p.Moteur());
    p.Moteur().Services().grilles = &grille;
    Demarrer(p, R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=0,3000,600,600 clip=1
  grid cols=1 rows=1
object kind=bouton name="A" rect=0,0,600,600 clip=1
  element page=1 object=1 param=0 events=2
object kind=bouton name="B" rect=900,0,600,600 clip=1
  element page=1 object=1 param=0 events=2
object kind=bouton name="C" rect=1800,0,600,600 clip=1
  element page=1 object=1 param=0 events=2
page
object kind=fond name="AUTRE" rect=0,0,9600,7200
object kind=bouton name="D" rect=0,0,600,600
  element page=2 object=1 param=0 events=1
)");
    auto& m = p.Moteur();
    ASSERT_EQ(m.attente.Nombre(), 3);
    m.jeu.AttenteNumeroDeclenche = 3;  // the poll was looking at the last entry
    m.jeu.JeuDisponible = 0;
    EvenementSourisSurvient(m, 2, kGauche, 0, 300, 3300);
    m.jeu.JeuDisponible = -1;
    p.ExecuterJusquARepos();
    EXPECT_EQ(p.Trace().Lignes("jump"), (Lignes{"jump 2"}));
    EXPECT_EQ(p.Trace().Lignes("trigger"), (Lignes{"trigger 2.2 events 1"})) << "the new page's list, read afresh";
}

// 2 an editable text, 3 a button that would jump on a click.
constexpr const char* kSceneEdition = R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=texte name="SAISIE" rect=600,600,3000,600 clip=1 G3=2 text="abc"
object kind=bouton name="B" rect=600,3000,1200,600 clip=1
  element page=2 object=1 param=0 events=2
object kind=texte name="AUTRE" rect=600,1500,3000,600 clip=1 G3=2 text="def"
page
object kind=fond name="SUITE" rect=0,0,9600,7200
)";

TEST(Souris, EditionDesTextes) {
    PiloteJeu p;
    Demarrer(p, kSceneEdition);
    p.Clic(100, 900, 900);    // starts editing text 2
    p.Clic(200, 900, 3300);   // on the button: only ends the edit
    p.Clic(300, 900, 900);    // starts again
    p.Clic(400, 900, 1800);   // on the other text: only ends the edit
    p.Clic(500, 900, 1800);   // starts editing text 4
    p.ExecuterJusqua(600);
    EXPECT_EQ(Filtre(p, {"edit-start", "edit-end", "press", "trigger", "jump"}),
              (Lignes{"edit-start 1.2", "edit-end", "edit-start 1.2", "edit-end", "edit-start 1.4"}));
}

TEST(Souris, TexteDontLesLignesSontDesLiens) {
    PiloteJeu p;
    Demarrer(p, R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=texte name="MENU" rect=600,600,3000,1500 clip=1 G3=4 A4=1 text="un\r\ndeux\r\ntrois"
)");
    p.Affichage().ligneSousY = [](int, int, std::int32_t y) { return y < 600 ? 0 : static_cast<int>((y - 600) / 300 + 1); };
    p.Clic(100, 900, 1000);
    p.ExecuterJusqua(200);
    auto& m = p.Moteur();
    EXPECT_EQ(m.affiches.Entree(ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 2)).ligneSelectionnee, 2);
    EXPECT_EQ(p.Trace().Lignes("redraw"), (Lignes{"redraw 1.2"}));
}

TEST(Souris, LienDUnTexte) {
    PiloteJeu p;
    Demarrer(p, R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=texte name="T" rect=600,600,3000,600 clip=1 text="voir ici"
  element page=1 object=3 param=0 text="ici" events=2
object kind=bouton name="X" rect=0,3000,300,300 B3=1
)");
    auto& m = p.Moteur();
    ZoneTexteLien lien;
    lien.Texte = "ici";
    lien.Numero = 1;
    lien.Gauche1 = 1500, lien.Droite1 = 1800, lien.Haut1 = 600, lien.Bas1 = 900;
    // Drawn twice, the text registers its link twice: one click still runs
    // the link's target once.
    ASSERT_TRUE(EvenementObjetEnAttenteDEvenementAjoute(m, 1, 2, lien));
    ASSERT_TRUE(EvenementObjetEnAttenteDEvenementAjoute(m, 1, 2, lien));
    p.Clic(100, 1500, 600);  // on the zone's corner: inside
    p.ExecuterJusqua(200);
    EXPECT_EQ(Filtre(p, {"press-link", "effect", "trigger", "fire"}),
              (Lignes{"press-link 1.2 ici", "effect 0 99 39 23 23", "trigger 1.2 events 2",
                      "fire 1.3 element 1 action 0 mode 1", "effect 0 0 200 20 20"}));
}

TEST(Souris, LienAtteintApresUnChangementDePage) {
    PiloteJeu p;
    // The text reacts to a click as a whole (element 1, showing CIBLE) and
    // through its link (element 2, showing LIEE) with the same events;
    // buttons turn to page 2 and back.
    Demarrer(p, R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=texte name="T" rect=600,600,3000,600 clip=1 text="voir ici"
  element page=1 object=4 param=0 events=2
  element page=1 object=5 param=0 text="ici" events=2
object kind=bouton name="ALLER" rect=0,3000,300,300
  element page=2 object=1 param=0 events=2
object kind=bouton name="CIBLE" rect=0,4000,300,300 B3=1
object kind=bouton name="LIEE" rect=0,5000,300,300 B3=1
page
object kind=fond name="SUITE" rect=0,0,9600,7200
object kind=bouton name="RETOUR" rect=0,3000,300,300
  element page=1 object=1 param=0 events=2
)");
    auto& m = p.Moteur();
    p.Clic(100, 100, 3100);
    p.ExecuterJusqua(300);
    p.Clic(400, 100, 3100);
    p.ExecuterJusqua(600);
    ASSERT_EQ(m.jeu.PageCourante, 1);
    p.Trace().Vider();

    // The text's own entry is back; the link zone its drawing registers
    // next is an entry of its own, not a duplicate of it.
    ZoneTexteLien lien;
    lien.Texte = "ici";
    lien.Numero = 1;
    lien.Gauche1 = 1500, lien.Droite1 = 1800, lien.Haut1 = 600, lien.Bas1 = 900;
    ASSERT_TRUE(EvenementObjetEnAttenteDEvenementAjoute(m, 1, 2, lien));
    p.Clic(700, 1600, 700);
    p.ExecuterJusqua(900);
    // Both the link and the whole text lie under the click: each runs its
    // own element once.
    EXPECT_EQ(Filtre(p, {"press-link", "fire"}),
              (Lignes{"press-link 1.2 ici", "fire 1.5 element 2 action 0 mode 2", "fire 1.4 element 1 action 0 mode 2"}));
}

TEST(Souris, DiaporamaAutomatique) {
    PiloteJeu p;
    Demarrer(p, R"(
scene
page
object kind=fond name="DIAPOAUTO_1" rect=0,0,9600,7200
object kind=bouton name="SUIVANT" rect=600,600,1200,600 clip=1
  element page=2 object=1 param=0 events=2
object kind=bouton name="AUTRE" rect=3000,600,1200,600 clip=1
  element page=1 object=4 param=0 events=2
object kind=bouton name="X" rect=0,3000,300,300 B3=1
page
object kind=fond name="SUITE" rect=0,0,9600,7200
)");
    // Any press, even on another button, opens the door of the first one.
    p.Souris(100, genre::Enfonce, kGauche, 0, 3300, 900);
    p.ExecuterJusqua(200);
    EXPECT_EQ(Filtre(p, {"press", "trigger", "jump"}), (Lignes{"trigger 1.2 events 2", "jump 2"}));
}

// The press that opened the door has done its work: its release, on the
// page the door led to, clicks nothing there; the next press and release
// there do.
TEST(Souris, LeRelachementDUnePressionQuiAChangeDePageNeCliqueRien) {
    PiloteJeu p;
    Demarrer(p, R"(
scene
page
object kind=fond name="DIAPOAUTO_1" rect=0,0,9600,7200
object kind=bouton name="SUIVANT" rect=0,0,9600,7200 clip=1
  element page=2 object=1 param=0 events=2
page
object kind=fond name="SUITE" rect=0,0,9600,7200
object kind=bouton name="FIN" rect=0,0,9600,7200 clip=1
  element page=3 object=1 param=0 events=2
page
object kind=fond name="FINI" rect=0,0,9600,7200
)");
    p.Souris(100, genre::Enfonce, kGauche, 0, 3300, 900);
    p.ExecuterJusqua(200);
    ASSERT_EQ(p.Moteur().jeu.PageCourante, 2);
    p.Souris(300, genre::Relache, kGauche, 0, 3300, 900);
    p.ExecuterJusqua(400);
    EXPECT_EQ(p.Moteur().jeu.PageCourante, 2);
    EXPECT_EQ(Filtre(p, {"trigger", "jump"}), (Lignes{"trigger 1.2 events 2", "jump 2"}));
    p.Clic(500, 3300, 900);
    p.ExecuterJusqua(600);
    EXPECT_EQ(p.Moteur().jeu.PageCourante, 3);
}

TEST(Souris, UnePageNeuveOublieLeGlisser) {
    Glisser g;
    auto& p = g.p;
    p.Souris(100, genre::Enfonce, kGauche, 0, 700, 700);
    p.ExecuterJusqua(150);
    ASSERT_TRUE(p.Moteur().souris.GlisserEnCours);
    SauteALaPage(p.Moteur(), 1);
    EXPECT_FALSE(p.Moteur().souris.GlisserEnCours);
    EXPECT_EQ(p.Moteur().souris.SourisX, 700) << "the last press stays known";
}

TEST(Souris, UneCopieRateeSignaleSonErreur) {
    // A display whose copies fail.
    class AffichageEnPanne final : public AffichageNeutre {
    public:
        void Effet(int, int, int, int, int) override { throw ErreurMoteur(kErreurProgramme, "A20"); }
    };
    AffichageEnPanne panne;
    Moteur m;
    m.Services().affichage = &panne;
    m.scene.pages.resize(1);
    ObjetPage bouton;
    bouton.type = static_cast<std::uint8_t>(TypeObjet::Bouton);
    bouton.largeur = 600;
    bouton.hauteur = 600;
    m.scene.pages[0].objets = {bouton};
    ObjetAfficheAjouter(m.affiches, m.scene, 1, 1, {15, 15});
    m.affiches.Entree(1).enfonce = -1;
    try {
        MouseUpConsultation(m, 5000, 5000);
        FAIL() << "no error";
    } catch (const ErreurMoteur& e) {
        EXPECT_EQ(e.numero(), kErreurProgramme);
        EXPECT_STREQ(e.what(), "A84");
    }
    EXPECT_EQ(m.affiches.Entree(1).enfonce, 0);
}

TEST(Souris, EchelleNulleNeDivisePasParZero) {
    Glisser g;
    auto& p = g.p;
    p.Moteur().Declenchement().Configuration().twipsParPixel = {0, 0};
    p.Souris(100, genre::Enfonce, kGauche, 0, 700, 700);
    p.Souris(110, genre::Deplace, kGauche, 0, 2000, 2000);
    p.Souris(120, genre::Relache, kGauche, 0, 2000, 2000);
    p.ExecuterJusqua(200);
    EXPECT_EQ(p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::engine
