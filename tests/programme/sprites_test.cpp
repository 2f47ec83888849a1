// Sprites dragged on the program's own composition: the mouse goes in
// through the main window's receiver, the sprite follows it only where its
// path or track allows, and the drop fires the sprite's elements.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <QImage>
#include <QTemporaryDir>

#include "display/affichage.h"
#include "display/couleurs.h"
#include "engine/fichier_nom.h"
#include "engine/moteur.h"
#include "engine/scene.h"
#include "engine/objets_affiches.h"
#include "engine/recherche.h"
#include "engine/scripts_moteur.h"
#include "engine/texte_casse.h"
#include "formula/variables.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;
namespace genre = testsupport::genre_souris;
constexpr int kGauche = 1;
constexpr display::Couleur kRouge = display::Rgb(255, 0, 0);

// A red 19x19 picture in a folder of the test, named as a scene names it.
std::string ImageRouge() {
    static const QTemporaryDir dossier(QString::fromStdString(::testing::TempDir()) + "korv_sprites_XXXXXX");
    const auto chemin = std::filesystem::path(dossier.path().toStdString()) / "LUTIN.BMP";
    QImage i(19, 19, QImage::Format_RGB32);
    i.fill(qRgb(255, 0, 0));
    EXPECT_TRUE(i.save(QString::fromStdString(chemin.string()), "BMP"));
    std::string s = engine::MajusculeCp1252(chemin.string());
    std::string r;
    for (char c : s) r += c == '/' ? std::string("\\\\") : std::string(1, c);  // as written in a description
    return r;
}

std::string Var(PiloteProgramme& p, std::string_view nom) {
    return p.Moteur().ScriptsDuMoteur().Variables().VarValeur(nom).EnTexte();
}

// The shown entry of an object: where the page has it now (twips).
engine::ObjetAffiche Affiche(engine::Moteur& m, int page, int objet) {
    const int n = engine::ObjetAfficheNObjetVersNAffiche(m.affiches, page, objet);
    EXPECT_GT(n, 0) << "object " << objet << " is not shown";
    return n > 0 ? m.affiches.Entree(n) : engine::ObjetAffiche{};
}

// Sprite 2 (draggable, held on its path) at (20, 20) pixels; object 3 its
// path (20,20)-(180,20)-(180,130) pixels, 4050 twips counted as 100 units.
// A drag event (each move, then the drop) shows button 4 and runs script
// 5, which keeps the sprite's position on the path and counts its runs.
std::string SceneChemin() {
    return R"(
scene
start text=<<FIN
DECLARE POSITION
DECLARE FOIS
QUE FOIS = 0
FIN
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=sprite name="L" rect=300,300,300,300 clip=1 C1=8 G2=1 G3=1 file=")" +
           ImageRouge() + R"("
  element page=1 object=4 param=0 events=2048
  element page=1 object=5 param=0 events=2048
object kind=polyligne name="CHEMIN" rect=300,300,2400,1650 clip=2 C1=8 C3=1
  element page=1 object=2 param=5 value="100" events=0
  path points=20,20;180,20;180,130 lengths=0,24,40 total=4050 closed=0
object kind=bouton name="DEPOSE" rect=0,5000,300,200 B3=1
object kind=action name="GARDE" A1=11 B3=1 text=<<FIN
QUE POSITION = DEBUT.L.PositionSurChemin
QUE FOIS = FOIS + 1
FIN
)";
}

TEST(SpritesProgramme, ADragAlongAPathEndsAtTheAllowedPointAndFiresTheDrop) {
    PiloteProgramme p;
    p.ChargerScene(SceneChemin());
    p.ExecuterJusquARepos();
    engine::Moteur& m = p.Moteur();
    const display::Surface& ecran = p.Programme().Affichage().PageEcran;
    ASSERT_EQ(ecran.Pixel(25, 25), kRouge) << "the page's drawing made the sprite" << p.JournalErreurs();
    ASSERT_EQ(engine::ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 4), 0) << "the drop's button waits hidden";

    // Grabbed 150 twips from its corner; the mouse leaves the path, the
    // sprite keeps to it.
    p.Souris(100, genre::Enfonce, kGauche, 0, 450, 450);
    p.Souris(120, genre::Deplace, kGauche, 0, 2000, 900);  // over the first leg: (123, 20)
    p.ExecuterJusqua(130);
    EXPECT_TRUE(m.souris.GlisserEnCours);
    EXPECT_EQ(Affiche(m, 1, 2).gauche, 123 * 15);
    EXPECT_EQ(Affiche(m, 1, 2).haut, 20 * 15);
    EXPECT_EQ(ecran.Pixel(130, 30), kRouge);

    EXPECT_EQ(Var(p, "FOIS"), "1");
    p.Souris(140, genre::Deplace, kGauche, 0, 3200, 1500);  // beside the second leg: (180, 90)
    p.ExecuterJusqua(150);
    EXPECT_EQ(Var(p, "FOIS"), "2");
    p.Souris(160, genre::Relache, kGauche, 0, 3200, 1500);
    p.ExecuterJusqua(300);
    EXPECT_FALSE(m.souris.GlisserEnCours);
    const engine::ObjetAffiche e = Affiche(m, 1, 2);
    EXPECT_EQ(e.gauche, 180 * 15);
    EXPECT_EQ(e.haut, 90 * 15);
    EXPECT_EQ(ecran.Pixel(185, 95), kRouge) << "drawn where it stands";
    EXPECT_NE(ecran.Pixel(130, 30), kRouge) << "lifted from its old place";
    EXPECT_NE(ecran.Pixel(25, 25), kRouge) << "lifted from its start";

    // The drop fired the sprite's elements: the button shows, the script ran
    // with the sprite's final place, 3450 of 4050 twips in the path's 100 units.
    EXPECT_GT(engine::ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 4), 0);
    EXPECT_EQ(Var(p, "FOIS"), "3") << "the drop fired once more";
    EXPECT_EQ(Var(p, "POSITION"), "85");
    EXPECT_EQ(m.ScriptsDuMoteur().ProgExprEvalue("DEBUT.L.PositionSurChemin"), "85");
    EXPECT_EQ(p.JournalErreurs(), "");
}

// A thumb on a horizontal track (movement mode 5) dragged past both ends
// stops at them, on the track's top.
TEST(SpritesProgramme, AThumbStaysOnItsTrack) {
    PiloteProgramme p;
    p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="PISTE" rect=600,3000,4800,300 C1=2 D1=12632256 clip=1
  element page=1 object=3 param=5 events=0
object kind=sprite name="CURSEUR" rect=600,3000,300,300 C1=8 G2=5 G3=1 file=")" +
                   ImageRouge() + R"("
)");
    p.ExecuterJusquARepos();
    engine::Moteur& m = p.Moteur();
    const display::Surface& ecran = p.Programme().Affichage().PageEcran;
    ASSERT_EQ(ecran.Pixel(45, 205), kRouge) << p.JournalErreurs();

    p.Souris(100, genre::Enfonce, kGauche, 0, 750, 3150);
    p.Souris(120, genre::Deplace, kGauche, 0, 3150, 900);  // above the track: only X follows
    p.ExecuterJusqua(130);
    EXPECT_EQ(Affiche(m, 1, 3).gauche, 3000);
    EXPECT_EQ(Affiche(m, 1, 3).haut, 3000);

    // Far past the right end: the track's right edge less the sprite's width
    // (19 pixels drawn of its 20).
    p.Souris(140, genre::Deplace, kGauche, 0, 9000, 6000);
    p.Souris(160, genre::Relache, kGauche, 0, 9000, 6000);
    p.ExecuterJusqua(300);
    EXPECT_EQ(Affiche(m, 1, 3).gauche, 600 + 4800 - 19 * 15);
    EXPECT_EQ(Affiche(m, 1, 3).haut, 3000);
    EXPECT_EQ(ecran.Pixel(355, 205), kRouge);

    // And past the left end.
    p.Souris(400, genre::Enfonce, kGauche, 0, 5200, 3150);
    p.Souris(420, genre::Deplace, kGauche, 0, 0, 3150);
    p.Souris(440, genre::Relache, kGauche, 0, 0, 3150);
    p.ExecuterJusqua(500);
    EXPECT_EQ(Affiche(m, 1, 3).gauche, 600);
    EXPECT_EQ(ecran.Pixel(45, 205), kRouge);
    EXPECT_EQ(p.JournalErreurs(), "");
}


// The sample scene, its pictures named from its own folder as loading a
// scene file names them.
void ChargerExemple(PiloteProgramme& p) {
    std::ifstream f(KORV_SAMPLE_SCENE, std::ios::binary);
    ASSERT_TRUE(f.good());
    p.ChargerScene(std::string(std::istreambuf_iterator<char>(f), {}));
    engine::Scene& scene = p.Moteur().scene;
    const std::string base = engine::FichierNomChemin(KORV_SAMPLE_SCENE);
    scene.entete.repertoireScene = base;
    for (auto& page : scene.pages) {
        for (auto& o : page.objets) {
            if (!o.fichier.empty()) o.fichier = engine::NomFichierAbsolu(o.fichier, base);
        }
    }
}

void Cliquer(PiloteProgramme& p, int x, int y) {
    p.Clic(p.Horloge().Maintenant() + 10, x, y);
    p.ExecuterJusqua(p.Horloge().Maintenant() + 300);
}

// The sample's drag-and-drop page: the ball goes where it is dropped and
// the drop shows its text.
TEST(SpritesProgramme, TheSamplesBallIsDraggedAndDropped) {
    PiloteProgramme p;
    ChargerExemple(p);
    p.ExecuterJusquARepos();
    engine::Moteur& m = p.Moteur();
    Cliquer(p, 3300 + 1200, 6700 + 200);  // "Glisser"
    const int page = engine::NumeroDePage(m.scene, "GLISSER");
    ASSERT_EQ(m.jeu.PageCourante, page);
    const int pion = engine::NumeroObjet(m.scene, page, "PION");
    const int depose = engine::NumeroObjet(m.scene, page, "DEPOSE");
    const display::Couleur rouge = display::Rgb(220, 30, 30);
    const display::Surface& ecran = p.Programme().Affichage().PageEcran;
    ASSERT_EQ(ecran.Pixel(80 + 10, 80 + 30), rouge) << "the ball at (80, 80) pixels" << p.JournalErreurs();
    ASSERT_EQ(engine::ObjetAfficheNObjetVersNAffiche(m.affiches, page, depose), 0);

    // Grabbed near its middle, dropped 2440 and 1440 twips further: it
    // moves freely.
    const std::int64_t t = p.Horloge().Maintenant();
    p.Souris(t + 10, genre::Enfonce, kGauche, 0, 1560, 1560);
    p.Souris(t + 30, genre::Deplace, kGauche, 0, 2800, 2200);
    p.Souris(t + 50, genre::Deplace, kGauche, 0, 4000, 3000);
    p.Souris(t + 70, genre::Relache, kGauche, 0, 4000, 3000);
    p.ExecuterJusqua(t + 300);
    const engine::ObjetAffiche e = Affiche(m, page, pion);
    EXPECT_EQ(e.gauche, 243 * 15) << "(4000 - 360) twips, to the nearest pixel";
    EXPECT_EQ(e.haut, 176 * 15);
    EXPECT_EQ(ecran.Pixel(243 + 10, 176 + 30), rouge);
    EXPECT_NE(ecran.Pixel(80 + 10, 80 + 30), rouge) << "lifted from its start";
    EXPECT_GT(engine::ObjetAfficheNObjetVersNAffiche(m.affiches, page, depose), 0) << "\"Pion déposé.\" shows";
    EXPECT_EQ(p.JournalErreurs(), "");
}

// Dropped on a box that its drag hides, the sprite stays: the zone redraw
// that erases the box lifts the sprite and puts it back.
TEST(SpritesProgramme, ASpriteStaysThroughTheZoneRedrawBeneathIt) {
    PiloteProgramme p;
    p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=sprite name="L" rect=300,300,300,300 C1=8 G3=1 file=")" +
                   ImageRouge() + R"("
  element page=1 object=3 param=1 events=2048
object kind=bouton name="CIBLE" rect=1500,1500,1500,1500 C1=2 D1=65280
)");
    p.ExecuterJusquARepos();
    engine::Moteur& m = p.Moteur();
    const display::Surface& ecran = p.Programme().Affichage().PageEcran;
    const display::Surface& tampon = p.Programme().Affichage().PageTampon;
    const display::Couleur vert = display::Rgb(0, 255, 0);
    ASSERT_EQ(ecran.Pixel(180, 180), vert) << p.JournalErreurs();

    p.Souris(100, genre::Enfonce, kGauche, 0, 450, 450);
    p.Souris(120, genre::Deplace, kGauche, 0, 1950, 1950);  // to (120, 120) pixels, on the box
    p.Souris(140, genre::Relache, kGauche, 0, 1950, 1950);
    p.ExecuterJusqua(300);
    ASSERT_EQ(engine::ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 3), 0) << "the drag hid the box";
    EXPECT_EQ(Affiche(m, 1, 2).gauche, 120 * 15);
    EXPECT_NE(ecran.Pixel(180, 180), vert) << "the box is erased";
    EXPECT_EQ(ecran.Pixel(125, 125), kRouge) << "the sprite is back over the redrawn zone";
    EXPECT_EQ(tampon.Pixel(125, 125), kRouge);
    EXPECT_NE(ecran.Pixel(25, 25), kRouge) << "and not at its start";
    EXPECT_EQ(p.JournalErreurs(), "");
}

// A sprite shown by a click once the page is up, then dragged away, leaves
// the page as it was under it: what it saved from under itself is the page,
// not its own picture.
TEST(SpritesProgramme, ASpriteShownOnceThePageIsUpLeavesNothingWhereItWas) {
    PiloteProgramme p;
    p.ChargerScene(R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=sprite name="L" rect=300,300,300,300 C1=8 G3=1 B3=1 file=")" +
                   ImageRouge() + R"("
object kind=bouton name="MONTRER" rect=3000,3000,1500,600 C1=2 D1=65280
  element page=1 object=2 param=0 events=2
)");
    p.ExecuterJusquARepos();
    engine::Moteur& m = p.Moteur();
    const display::Surface& ecran = p.Programme().Affichage().PageEcran;
    const display::Surface& tampon = p.Programme().Affichage().PageTampon;
    ASSERT_NE(ecran.Pixel(25, 25), kRouge) << "hidden until the click" << p.JournalErreurs();

    p.Souris(100, genre::Enfonce, kGauche, 0, 3300, 3300);
    p.Souris(120, genre::Relache, kGauche, 0, 3300, 3300);
    p.ExecuterJusqua(200);
    ASSERT_GT(engine::ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 2), 0) << p.JournalErreurs();
    ASSERT_EQ(ecran.Pixel(25, 25), kRouge) << "shown by the click";

    p.Souris(300, genre::Enfonce, kGauche, 0, 450, 450);
    p.Souris(320, genre::Deplace, kGauche, 0, 6450, 1950);  // to (420, 120) pixels
    p.Souris(340, genre::Relache, kGauche, 0, 6450, 1950);
    p.ExecuterJusqua(500);
    EXPECT_EQ(Affiche(m, 1, 2).gauche, 420 * 15);
    EXPECT_EQ(ecran.Pixel(425, 125), kRouge) << "drawn where it was dropped";
    EXPECT_NE(ecran.Pixel(25, 25), kRouge) << "a copy of the sprite left at its start";
    EXPECT_NE(tampon.Pixel(25, 25), kRouge);
    EXPECT_EQ(p.JournalErreurs(), "");
}

// The sample's paths page: the thumb slides along its track only, and the
// star runs once round its looping path on its timer's beats.
TEST(SpritesProgramme, TheSamplesThumbAndStar) {
    PiloteProgramme p;
    ChargerExemple(p);
    p.ExecuterJusquARepos();
    engine::Moteur& m = p.Moteur();
    Cliquer(p, 6300 + 1200, 3650 + 300);  // "Chemins"
    const int page = engine::NumeroDePage(m.scene, "CHEMINS");
    ASSERT_EQ(m.jeu.PageCourante, page);
    const int curseur = engine::NumeroObjet(m.scene, page, "CURSEUR");
    const display::Surface& ecran = p.Programme().Affichage().PageEcran;
    const display::Couleur vert = display::Rgb(40, 150, 60);
    ASSERT_EQ(ecran.Pixel(40 + 10, 340 + 7), vert) << "the thumb's arrow" << p.JournalErreurs();

    // Dragged down and far to the right: it stops at the track's end, on its top.
    const std::int64_t t = p.Horloge().Maintenant();
    p.Souris(t + 10, genre::Enfonce, kGauche, 0, 750, 5200);
    p.Souris(t + 30, genre::Deplace, kGauche, 0, 9000, 6500);
    p.Souris(t + 50, genre::Relache, kGauche, 0, 9000, 6500);
    p.ExecuterJusqua(t + 100);
    const engine::ObjetAffiche e = Affiche(m, page, curseur);
    EXPECT_EQ(e.gauche, 600 + 4800 - 31 * 15);
    EXPECT_EQ(e.haut, 5100);
    EXPECT_EQ(ecran.Pixel(329 + 10, 340 + 7), vert);

    // The star: 2 of its path's 100 units on each of 50 beats, 60 ms apart,
    // leaving a trail. Half-way it is on the far side of the loop.
    const int etoile = engine::NumeroObjet(m.scene, page, "ETOILE");
    const auto position = [&] {
        return std::stoi(m.ScriptsDuMoteur().ProgExprEvalue("CHEMINS.ETOILE.PositionSurChemin"));
    };
    const int debut = position();
    p.ExecuterJusqua(p.Horloge().Maintenant() + 25 * 60);
    const int milieu = position();
    EXPECT_GT(milieu, debut + 40);
    EXPECT_LT(milieu, 70);
    const engine::ObjetAffiche loin = Affiche(m, page, etoile);
    EXPECT_GT(loin.gauche, 300 * 15) << "right of the loop's start";
    p.ExecuterJusqua(p.Horloge().Maintenant() + 3000);
    EXPECT_EQ(position(), 99) << "once round: 50 beats of 365 twips, 9 short of the 18259";
    const engine::ObjetAffiche fin = Affiche(m, page, etoile);
    // Its corner runs 24 pixels up and left of the drawn circuit, which
    // starts at (60, 60): the star's centre is back near there.
    EXPECT_LE(std::abs(fin.gauche - 540), 5 * 15);
    EXPECT_LE(std::abs(fin.haut - 540), 5 * 15) << "back near its start";
    p.ExecuterJusqua(p.Horloge().Maintenant() + 600);
    EXPECT_EQ(position(), 99) << "the timer is done";
    // The trail: the star still shows where it was half-way.
    const display::Couleur bleu = display::Rgb(30, 60, 200);
    const int lx = loin.gauche / 15, ly = loin.haut / 15;
    int bleus = 0;
    for (int y = ly; y < ly + 48; ++y) {
        for (int x = lx; x < lx + 48; ++x) bleus += ecran.Pixel(x, y) == bleu ? 1 : 0;
    }
    EXPECT_GT(bleus, 100);

    // "Encore" starts it again, round the loop's end.
    Cliquer(p, 6300 + 1200, 6000 + 300);
    EXPECT_LT(position(), 20);
    EXPECT_GT(position(), 0);
    EXPECT_EQ(p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::programme
