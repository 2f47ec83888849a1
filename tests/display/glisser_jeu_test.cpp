// A sprite dragged along its path on the headless play driver, with the
// real page display and sprite table wired as the program wires them: the
// sprite follows the mouse only along the path, its position on the path
// is what the triggers read, and the drop fires its element.

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include <unistd.h>

#include <QImage>

#include "display/affichage.h"
#include "display/sprites.h"
#include "display/surface_application.h"
#include "engine/attente_boucle.h"
#include "engine/declenchement.h"
#include "engine/moteur.h"
#include "engine/objets_affiches.h"
#include "engine/texte_casse.h"
#include "support/pilote_jeu.h"

namespace korv::display {
namespace {

using testsupport::PiloteJeu;
namespace genre = testsupport::genre_souris;
constexpr int kGauche = 1;
constexpr Couleur kRouge = Rgb(255, 0, 0);

std::string ImageRouge() {
    const auto d = std::filesystem::path(::testing::TempDir()) / ("korv_glisser_" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    const auto chemin = d / "LUTIN.BMP";
    QImage i(19, 19, QImage::Format_RGB32);
    i.fill(VersQRgb(kRouge));
    EXPECT_TRUE(i.save(QString::fromStdString(chemin.string()), "BMP"));
    std::string s = engine::MajusculeCp1252(chemin.string());
    for (char& c : s) {
        if (c == '/') c = '\\';
    }
    return s;
}

// A Windows name written into a description string.
void DoublerLesBarres(std::string& nom) {
    for (std::size_t i = nom.find('\\'); i != std::string::npos; i = nom.find('\\', i + 2)) nom.insert(i, 1, '\\');
}

// Sprite 2 (draggable, moving on its path) at (20, 20) pixels; object 3 its
// path (20,20)-(180,20)-(180,130) pixels, 4050 twips counted as 100 units;
// the drop shows object 4 and hands it the sprite's position on the path.
std::string Scene(std::string image) {
    DoublerLesBarres(image);
    return R"(
scene width=200 height=150
page
object kind=fond name="DEBUT" rect=0,0,3000,2250
object kind=sprite name="L" rect=300,300,300,300 clip=1 C1=8 G2=1 G3=1 file=")" +
           image + R"("
  element page=1 object=4 param=0 value=".PositionSurChemin" events=2048
object kind=polyligne name="CHEMIN" rect=300,300,2400,1650 clip=2 C1=8 C3=1
  element page=1 object=2 param=5 value="100" events=0
  path points=20,20;180,20;180,130 lengths=0,24,40 total=4050 closed=0
object kind=bouton name="DEPOSE" rect=0,2000,300,200 B3=1
)";
}

// What the program's composition wires for sprites.
struct Jeu {
    PiloteJeu p;
    std::unique_ptr<AffichagePage> affichage;
    std::unique_ptr<TableSprites> sprites;
    std::unique_ptr<VoisinsSprites> voisins;

    explicit Jeu(const std::string& scene) {
        test::ApplicationAffichage();
        p.ChargerScene(scene);
        engine::Moteur& m = p.Moteur();
        affichage = std::make_unique<AffichagePage>(m);
        sprites = std::make_unique<TableSprites>(*affichage);
        voisins = std::make_unique<VoisinsSprites>(m, *sprites);
        BrancherSprites(*affichage, *sprites);
        m.Services().affichage = affichage.get();
        m.Declenchement().Configuration().voisins = voisins.get();
        p.DeclenchementReel();
        p.ExecuterJusquARepos();
        p.Trace().Vider();
    }
    std::vector<std::string> Declenchements() const {
        std::vector<std::string> r;
        for (const auto& l : p.Lignes()) {
            if (l.rfind("trigger", 0) == 0) r.push_back(l);
        }
        return r;
    }
};

TEST(GlisserJeu, LeLongDuCheminJusquAuDepot) {
    Jeu j(Scene(ImageRouge()));
    ASSERT_EQ(j.sprites->Nombre(), 1) << "the page's drawing made the sprite";
    EXPECT_EQ(j.affichage->PageEcran.Pixel(25, 25), kRouge);

    // Grabbed 150 twips from its corner on both axes.
    j.p.Souris(100, genre::Enfonce, kGauche, 0, 450, 450);
    j.p.Souris(120, genre::Deplace, kGauche, 0, 2000, 900);   // over the first leg: (123, 20)
    j.p.ExecuterJusqua(130);
    EXPECT_EQ(j.sprites->Entree(1).X, 123);
    EXPECT_EQ(j.sprites->Entree(1).Y, 20);
    EXPECT_EQ(j.affichage->PageEcran.Pixel(130, 30), kRouge);

    j.p.Souris(140, genre::Deplace, kGauche, 0, 3200, 1500);  // beside the second leg: (180, 90)
    j.p.Souris(160, genre::Relache, kGauche, 0, 3200, 1500);
    j.p.ExecuterJusqua(300);
    const SpriteDescripteur& s = j.sprites->Entree(1);
    EXPECT_EQ(s.X, 180);
    EXPECT_EQ(s.Y, 90);
    EXPECT_EQ(s.positionSurChemin, 2400 + 1050);
    EXPECT_EQ(j.affichage->PageEcran.Pixel(185, 95), kRouge);
    EXPECT_NE(j.affichage->PageEcran.Pixel(130, 30), kRouge) << "lifted from its old place";
    EXPECT_NE(j.affichage->PageTampon.Pixel(130, 30), kRouge);

    engine::Moteur& m = j.p.Moteur();
    EXPECT_FALSE(m.souris.GlisserEnCours);
    // Both moves and the drop fired the sprite's element; the drop showed its target.
    const std::string glisse = "trigger 1.2 events 2048";
    EXPECT_EQ(j.Declenchements(), (std::vector<std::string>{glisse, glisse, glisse}));
    EXPECT_GT(engine::ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 4), 0);
    // 3450 of 4050 twips, in the path's 100 units.
    EXPECT_EQ(engine::ValeurElement(m, 1, 2, 1), "85");
    EXPECT_EQ(m.ScriptsDuMoteur().ProgExprEvalue("DEBUT.L.PositionSurChemin"), "85");
    // The shown entry moved with the sprite.
    const auto& e = m.affiches.Entree(engine::ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 2));
    EXPECT_EQ(e.gauche, 180 * 15);
    EXPECT_EQ(e.haut, 90 * 15);
    EXPECT_EQ(j.p.JournalErreurs(), "");
}

// Sprite 2 runs along the looping path of image 3, 10 of its 100 units
// (405 twips) on each of the six beats of timer 4, 100 ms apart; a click on
// button 5 sends it to the button's corner.
std::string SceneChrono(std::string image) {
    DoublerLesBarres(image);
    return R"(
scene width=200 height=150
page
object kind=fond name="DEBUT" rect=0,0,3000,2250
object kind=sprite name="L" rect=300,300,300,300 C1=8 file=")" +
           image + R"("
object kind=image name="CHEMIN" rect=300,300,2400,1650 clip=2 C1=8 C2=1
  element page=1 object=2 param=5 value="100" events=0
  path points=20,20;180,20;180,130 lengths=0,24,40 total=4050 closed=0
object kind=chrono name="PAS" rect=0,0,0,0 A1=1 A2=6 text="100"
  element page=1 object=3 param=1 value="10" events=8
object kind=bouton name="ICI" rect=1500,1800,300,200 C1=8 clip=1
  element page=1 object=2 param=3 events=2
)";
}

TEST(GlisserJeu, MenePasAPasParLeChronometre) {
    Jeu j(SceneChrono(ImageRouge()));
    ASSERT_EQ(j.sprites->Nombre(), 1);
    const auto position = [&] { return std::pair(j.sprites->Entree(1).X, j.sprites->Entree(1).Y); };
    j.p.ExecuterJusqua(99);
    EXPECT_EQ(position(), std::pair(20, 20)) << "nothing moves between beats";
    j.p.ExecuterJusqua(100);
    EXPECT_EQ(position(), std::pair(47, 20));  // 405 twips along the first leg
    j.p.ExecuterJusqua(450);
    EXPECT_EQ(j.sprites->Entree(1).positionSurChemin, 4 * 405.0);
    j.p.ExecuterJusqua(2000);
    // Six beats: 2430 twips, just past the corner at 2400.
    EXPECT_EQ(j.sprites->Entree(1).positionSurChemin, 6 * 405.0);
    EXPECT_EQ(position(), std::pair(180, 22));
    EXPECT_EQ(j.affichage->PageEcran.Pixel(185, 27), kRouge);
    EXPECT_EQ(engine::EvenementNObjetVersNEve(j.p.Moteur(), 1, 4), 0) << "the timer is done";

    // A click on the button sends the sprite to its corner (100, 120).
    j.p.Clic(2100, 1600, 1850);
    j.p.ExecuterJusqua(2200);
    EXPECT_EQ(position(), std::pair(100, 120));
    EXPECT_EQ(j.p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::display
