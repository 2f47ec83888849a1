// The sprite trigger against a recording sprite table: moves to and by
// another object, moves along a path (looping or not), picture choices of a
// series, deletion.

#include "engine/declencheur_sprite.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/attente_boucle.h"
#include "engine/moteur.h"
#include "engine/polyligne.h"
#include "engine/texte_casse.h"
#include "support/pilote_jeu.h"

namespace korv::engine {
namespace {

namespace fs = std::filesystem;
using testsupport::PiloteJeu;
using Lignes = std::vector<std::string>;

// One sprite, of object 2, that records what the trigger asks.
class TableEnregistree final : public TableSpritesJeu {
public:
    int SpriteNObjetVersNSprite(int page, int objet) override { return present && page == 1 && objet == 2 ? 1 : 0; }
    SpriteVue Sprite(int) override { return vue; }
    std::string SpriteFichier(int) override { return fichier; }
    void SpriteFichierDefinir(int, std::string f) override { fichier = std::move(f); }
    void SpritePositionSurCheminDefinir(int, double p) override { vue.positionSurChemin = p; }
    void SpriteDeplacer(int, std::int32_t x, std::int32_t y) override {
        appels.push_back("move " + std::to_string(x) + " " + std::to_string(y));
        vue.x = x;
        vue.y = y;
    }
    void SpriteAnimer(int, std::string_view f) override {
        fichier = std::string(f);
        montres.push_back(fichier.substr(fichier.rfind('\\') + 1));
    }
    void SpriteSupprimer(int) override {
        appels.push_back("delete");
        present = false;
    }
    double Hasard() override { return hasard; }

    bool present = true;
    SpriteVue vue{1, 2, 10, 20, 20, 20};
    std::string fichier;
    Lignes appels;
    Lignes montres;
    double hasard = 0.0;
};

// Object 3 is an image whose path runs (0,0)-(100,0)-(100,100) pixels, 3000
// twips long, which triggers count in 30 units; object 4 a target.
constexpr const char* kScene = R"(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=sprite name="S" rect=300,600,300,300 B3=1
  element page=1 object=4 param=0 events=128
object kind=image name="CHEMIN" rect=0,0,1500,1500 clip=2 B3=1 C2=%BOUCLE%
  element page=1 object=2 param=5 value="30" events=0
  path points=0,0;100,0;100,100 lengths=0,15,30 total=3000 closed=0
object kind=bouton name="CIBLE" rect=1500,750,300,300 B3=1
)";

struct Banc {
    PiloteJeu p;
    TableEnregistree table;
    explicit Banc(bool boucle = false) {
        std::string s = kScene;
        s.replace(s.find("%BOUCLE%"), 8, boucle ? "1" : "0");
        p.ChargerScene(s);
    }
    void Declencher(int action, std::string valeur = "", int autre = 0) {
        DeclencheSprite(p.Moteur(), table, 1, 2, valeur, action, 1, 4, autre);
    }
};

TEST(DeclencheurSprite, VersUnObjetEtDeSonDecalage) {
    Banc b;
    b.Declencher(code_sprite::VersObjet, "", 4);
    b.Declencher(code_sprite::DecalageObjet, "", 4);  // own corner (20, 40) to (100, 50): by (80, 10)
    b.Declencher(code_sprite::VersObjet, "", 0);      // no target: nothing
    EXPECT_EQ(b.table.appels, (Lignes{"move 100 50", "move 180 60"}));
    // An element that fires the sprite hands it its own object for these two codes.
    EXPECT_EQ(SpriteObjetAutre(code_sprite::VersObjet, 7), 7);
    EXPECT_EQ(SpriteObjetAutre(code_sprite::DecalageObjet, 7), 7);
    EXPECT_EQ(SpriteObjetAutre(code_sprite::SurCheminRelatif, 7), 0);
}

TEST(DeclencheurSprite, LeLongDuChemin) {
    struct Cas {
        const char* nom;
        bool boucle;
        std::vector<std::pair<int, const char*>> pas;
        Lignes attendu;
        double position;
    };
    // 30 units for 3000 twips: one unit is 100 twips (6 2/3 pixels).
    const Cas cas[] = {
        {"absolute then relative", false, {{254, "10"}, {255, "5"}}, {"move 67 0", "move 100 0"}, 1500},
        {"past the end stops there", false, {{254, "25"}, {255, "10"}}, {"move 100 67", "move 100 100"}, 3000},
        {"before the start stops there", false, {{255, "-3"}}, {"move 0 0"}, 0},
        {"looping: past the end wraps", true, {{254, "25"}, {255, "10"}}, {"move 100 67", "move 33 0"}, 500},
        {"looping: before the start wraps", true, {{255, "-5"}}, {"move 100 67"}, 2500},
    };
    for (const Cas& c : cas) {
        Banc b(c.boucle);
        for (const auto& [code, valeur] : c.pas) b.Declencher(code, valeur, 3);
        EXPECT_EQ(b.table.appels, c.attendu) << c.nom;
        EXPECT_EQ(b.table.vue.positionSurChemin, c.position) << c.nom;
    }
    Banc b;
    b.p.Moteur().scene.Page(1).Objet(3).elements.clear();  // no relative length: nothing moves
    b.Declencher(254, "10", 3);
    EXPECT_TRUE(b.table.appels.empty());
}

// Picture files IMG3 .. IMG5 and SEUL (no number) in a scratch folder.
class Serie : public ::testing::Test {
protected:
    void SetUp() override {
        std::string modele = (fs::temp_directory_path() / "korv-serie-XXXXXX").string();
        ASSERT_NE(mkdtemp(modele.data()), nullptr);
        racine_ = modele;
        for (const char* f : {"IMG3.BMP", "IMG4.BMP", "IMG5.BMP", "SEUL.BMP"}) std::ofstream(racine_ / f) << "x";
        r_ = MajusculeCp1252(racine_.string());
        for (char& c : r_) {
            if (c == '/') c = '\\';
        }
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(racine_, ec);
    }
    std::string Nom(const char* f) const { return r_ + "\\" + f; }
    fs::path racine_;
    std::string r_;
};

TEST_F(Serie, ImageSuivanteEtIntervalle) {
    Banc b;
    b.p.Moteur().scene.Page(1).Objet(2).fichier = Nom("IMG3.BMP");
    b.table.fichier = Nom("IMG4.BMP");
    b.Declencher(code_sprite::ImageChoisie, "IMAGE SUIVANTE");
    b.Declencher(code_sprite::ImageChoisie, "IMAGE SUIVANTE");  // IMG6 is missing: the object's own picture
    b.Declencher(code_sprite::ImageChoisie, "");
    EXPECT_EQ(b.table.montres, (Lignes{"IMG5.BMP", "IMG3.BMP", "IMG4.BMP"}));

    b.table.montres.clear();
    b.table.fichier = Nom("IMG9.BMP");
    for (int i = 0; i < 5; ++i) b.Declencher(code_sprite::ImageChoisie, "DE 3 A 5");
    EXPECT_EQ(b.table.montres, (Lignes{"IMG4.BMP", "IMG5.BMP", "IMG3.BMP", "IMG4.BMP", "IMG5.BMP"}));

    b.table.montres.clear();
    b.table.hasard = 0.99;
    b.Declencher(code_sprite::ImageChoisie, "AU HASARD DE 3 A 5");
    EXPECT_EQ(b.table.montres, (Lignes{"IMG5.BMP"}));
    // The sprite's entry learns that its picture changed.
    const int k = EvenementNObjetVersNEve(b.p.Moteur(), 1, 2);
    ASSERT_GT(k, 0);
    EXPECT_NE(b.p.Moteur().attente.Entree(k).EvenementsSurvenus & evenement::SpriteImage, 0);
}

TEST_F(Serie, JouerLaSerie) {
    Banc b;
    b.p.Moteur().scene.Page(1).Objet(2).fichier = Nom("IMG4.BMP");
    b.table.fichier = Nom("IMG5.BMP");
    b.p.Moteur().jeu.JeuDisponible = -1;
    b.Declencher(code_sprite::JouerSerie);
    EXPECT_EQ(b.table.montres, (Lignes{"IMG4.BMP", "IMG5.BMP"}));
    EXPECT_EQ(b.table.fichier, Nom("IMG3.BMP")) << "back to the first of the object's series";
    EXPECT_EQ(b.p.Moteur().jeu.JeuDisponible, -1);
}

TEST_F(Serie, JouerUneImageSansNumeroSArrete) {
    // Its next name is itself: shown once, not for ever.
    Banc b;
    b.p.Moteur().scene.Page(1).Objet(2).fichier = Nom("SEUL.BMP");
    b.table.fichier = Nom("SEUL.BMP");
    b.Declencher(code_sprite::JouerSerie);
    EXPECT_EQ(b.table.montres, (Lignes{"SEUL.BMP"}));
}

TEST(DeclencheurSprite, Supprimer) {
    Banc b;
    b.Declencher(code_sprite::Supprimer);
    b.Declencher(code_sprite::Supprimer);  // no sprite any more: nothing
    b.Declencher(code_sprite::VersObjet, "", 4);
    EXPECT_EQ(b.table.appels, (Lignes{"delete"}));
}

}  // namespace
}  // namespace korv::engine
