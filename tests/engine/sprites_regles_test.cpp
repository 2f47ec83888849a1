// The drawing-free rules of sprites: where a drag may put them, percentage
// placement on a track, the picture series, and positions along a path.

#include "engine/sprites_regles.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/polyligne.h"
#include "engine/scene.h"

namespace korv::engine {
namespace {

constexpr TwipsParPixel k15{15, 15};

// Sprite 2 (20 x 10 pixels drawn); object 3 is its polyline path, object 4
// a rectangle that would be its track if the path did not come first.
Scene SceneSprite(std::uint8_t mode) {
    Scene s;
    s.pages.resize(1);
    auto& objets = s.Page(1).objets;
    objets.resize(3);
    objets[1].type = static_cast<std::uint8_t>(TypeObjet::Sprite);
    objets[1].G[1] = mode;
    ObjetPage& chemin = objets[2];
    chemin.decoupe = kFormePolyligne;
    chemin.gauche = 1500;
    chemin.haut = 1500;
    chemin.largeur = 3000;
    chemin.hauteur = 1500;
    // A triangle (100,100) (300,100) (300,200) pixels.
    chemin.chemin.points = {{100, 100}, {300, 100}, {300, 200}};
    PolyligneMajLongueurs(chemin.chemin, k15);
    chemin.elements.push_back({1, 2, kLienChemin, "-40", "", 0});
    return s;
}

TEST(SpritesRegles, PositionsAutorisees) {
    struct Cas {
        const char* nom;
        std::uint8_t mode;
        std::int32_t x, y;
        PositionAutorisee attendu;
    };
    const Cas cas[] = {
        {"free", 0, 10, 20, {10, 20, std::nullopt}},
        {"unknown mode", 3, 10, 20, {10, 20, std::nullopt}},
        {"on the path", 1, 2250, 1400, {2250, 1500, 750.0}},
        {"inside the polygon stays", 2, 4400, 1600, {4400, 1600, std::nullopt}},
        {"outside the polygon: onto the path", 2, 2250, 1400, {2250, 1500, 750.0}},
        // Track: the path object's rectangle (1500, 1500, 3000 x 1500); the
        // sprite is 20 x 10 pixels.
        {"vertical track, above", 4, 9, 100, {1500, 1500, std::nullopt}},
        {"vertical track, within", 4, 9, 2000, {1500, 2000, std::nullopt}},
        {"vertical track, below", 4, 9, 9000, {1500, 1500 + 1500 - 150, std::nullopt}},
        {"horizontal track, left", 5, 100, 7, {1500, 1500, std::nullopt}},
        {"horizontal track, right", 5, 9000, 7, {1500 + 3000 - 300, 1500, std::nullopt}},
    };
    for (const Cas& c : cas) {
        const Scene s = SceneSprite(c.mode);
        const SpriteCourse sprite{1, 2, 20, 10, c.mode};
        EXPECT_EQ(SpriteDetermineCoordonneesAutorisees(s, sprite, c.x, c.y, k15), c.attendu) << c.nom;
    }
    Scene sansChemin = SceneSprite(1);
    sansChemin.Page(1).Objet(3).elements.clear();
    EXPECT_EQ(SpriteDetermineCoordonneesAutorisees(sansChemin, {1, 2, 20, 10, 1}, 5, 6, k15),
              (PositionAutorisee{5, 6, std::nullopt}))
        << "no path: the wanted point";
}

TEST(SpritesRegles, CheminEtLongueurRelative) {
    const Scene s = SceneSprite(1);
    EXPECT_EQ(SpriteQuelObjetEstChemin(s, 1, 2), 3);
    EXPECT_EQ(SpriteQuellePolyligneEstChemin(s, 1, 2), 3);
    EXPECT_EQ(SpriteLongueurRelativePolyligneReliee(s, 1, 2, 3), 40) << "made positive";
    EXPECT_EQ(SpriteLongueurRelativePolyligneReliee(s, 1, 0, 3), 0);
    Scene rectangle = s;
    rectangle.Page(1).Objet(3).decoupe = 1;
    EXPECT_EQ(SpriteQuelObjetEstChemin(rectangle, 1, 2), 3);
    EXPECT_EQ(SpriteQuellePolyligneEstChemin(rectangle, 1, 2), 0) << "a track, not a path polyline";
}

TEST(SpritesRegles, Pourcentage) {
    const Scene s = SceneSprite(5);
    const SpriteCourse sprite{1, 2, 20, 10, 5};
    const auto x = [&](double p) { return SpritePositionPourcentage(s, sprite, p, true, k15); };
    const auto y = [&](double p) { return SpritePositionPourcentage(s, sprite, p, false, k15); };
    EXPECT_EQ(x(0), (PointPixels{100, 100}));
    EXPECT_EQ(x(100), (PointPixels{280, 100}));
    EXPECT_EQ(x(50), (PointPixels{190, 100}));
    EXPECT_EQ(x(-5), x(0));
    EXPECT_EQ(x(150), x(100));
    EXPECT_EQ(y(100), (PointPixels{100, 190}));
    EXPECT_EQ(y(-5), y(0));
    Scene sansPiste = s;
    sansPiste.Page(1).Objet(3).elements.clear();
    EXPECT_FALSE(SpritePositionPourcentage(sansPiste, sprite, 50, true, k15));
}

TEST(SpritesRegles, SerieDImages) {
    std::set<std::string> fichiers = {"C:\\S1.BMP", "C:\\S2.BMP", "C:\\S3.BMP"};
    const auto existe = [&fichiers](std::string_view nom) { return fichiers.count(std::string(nom)) > 0; };
    std::string f = "C:\\S2.BMP";
    std::vector<std::string> vus;
    for (int i = 0; i < 4; ++i) vus.push_back(f = SpriteImageSuivante(f, 1, 3, existe));
    EXPECT_EQ(vus, (std::vector<std::string>{"C:\\S3.BMP", "C:\\S1.BMP", "C:\\S2.BMP", "C:\\S3.BMP"}));
    EXPECT_EQ(SpriteImageSuivante("C:\\S7.BMP", 1, 3, existe), "C:\\S2.BMP") << "outside the series: from its first";
    fichiers.erase("C:\\S3.BMP");
    EXPECT_EQ(SpriteImageSuivante("C:\\S2.BMP", 1, 3, existe), "C:\\S1.BMP") << "a missing picture: back to the first";
}

TEST(SpritesRegles, PositionSurChemin) {
    struct Cas {
        double position;
        std::int32_t longueur;
        bool boucle;
        double attendu;
    };
    const Cas cas[] = {
        {50, 100, false, 50},  {150, 100, false, 100}, {-5, 100, false, 0},  {100, 100, true, 100},
        {105, 100, true, 5},   {-5, 100, true, 95},    {-100, 100, true, 0}, {250, 100, true, 50},
        {10, 0, true, 0},
    };
    for (const Cas& c : cas) {
        EXPECT_EQ(SpritePositionSurChemin(c.position, c.longueur, c.boucle), c.attendu)
            << c.position << " on " << c.longueur << (c.boucle ? " looping" : "");
    }
}

}  // namespace
}  // namespace korv::engine
