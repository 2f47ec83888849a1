// Path geometry: stored lengths, the point at a length, the nearest point,
// the inside test, the bounding box, scaling and the sprite links.

#include "engine/polyligne.h"

#include <gtest/gtest.h>

#include <vector>

namespace korv::engine {
namespace {

constexpr TwipsParPixel k15{15, 15};

ObjetPage Chemin(std::vector<PolylignePoint> points, std::uint8_t forme = kFormePolyligne) {
    ObjetPage o;
    o.type = static_cast<std::uint8_t>(TypeObjet::Image);
    o.decoupe = forme;
    o.chemin.points = std::move(points);
    PolyligneMajLongueurs(o.chemin, k15);
    return o;
}

TEST(Polyligne, LongueursStockeesEnCentainesDeTwips) {
    // (0,0)-(3,4)-(3,8) pixels: segments of 75 and 60 twips.
    const ObjetPage o = Chemin({{0, 0}, {3, 4}, {3, 8}});
    EXPECT_EQ(o.chemin.longueurs, (std::vector<std::int16_t>{0, 1, 1}));
    EXPECT_EQ(o.chemin.longueurTotale, 135.0);
    EXPECT_EQ(PolyligneLongueur(o.chemin, k15), 135);
    EXPECT_EQ(PolyligneLongueurJusqua(o.chemin, 2, k15), 75);
    EXPECT_EQ(PolyligneL(o, 2), 100);
    EXPECT_EQ(PolyligneL(o, 4), 0) << "past the points";
    EXPECT_EQ(PolyligneL(Chemin({{0, 0}, {3, 4}}, 1), 2), 0) << "only polyline-shaped objects have lengths";
    EXPECT_EQ(PolyligneLongueur(Chemin({{5, 5}}).chemin, k15), 0);
    EXPECT_EQ(PolyligneLongueur(Chemin({}).chemin, k15), 0);
}

TEST(Polyligne, LongueursLongues) {
    // Far corners of a 16-bit page: no overflow, and the stored lengths stop
    // at 32000 hundreds.
    std::vector<PolylignePoint> zigzag;
    for (int i = 0; i < 40; ++i) zigzag.push_back({static_cast<std::int16_t>(i % 2 ? 32767 : -32768), 0});
    const ObjetPage o = Chemin(zigzag);
    EXPECT_EQ(PolyligneLongueur(o.chemin, k15), 39 * 65535 * 15);
    EXPECT_EQ(o.chemin.longueurs.back(), kLongueurStockeeMax);
}

TEST(Polyligne, PointALongueur) {
    const ObjetPage o = Chemin({{0, 0}, {3, 4}, {3, 8}});
    struct Cas {
        std::int64_t longueur;
        PointTwips32 attendu;
    };
    const Cas cas[] = {
        {0, {0, 0}},
        // Interpolated back from point 2 (stored 100): 45 - 45 x 50/100 =
        // 22.5, rounded half to even.
        {50, {22, 30}},
        {99, {45, 59}},
        {100, {45, 120}},     // points 2 and 3 both stand at 100: the last one
        {100000, {45, 120}},  // past the end: the last point
        {-1, {0, 0}},         // before the start: the first point
    };
    for (const Cas& c : cas) EXPECT_EQ(PolylignePointALongueur(o, c.longueur, k15), c.attendu) << c.longueur;

    const ObjetPage droit = Chemin({{0, 0}, {20, 0}, {40, 0}});  // 300 twips a segment
    EXPECT_EQ(PolylignePointALongueur(droit, 300, k15), (PointTwips32{300, 0})) << "exactly at point 2";
    EXPECT_EQ(PolylignePointALongueur(Chemin({{7, 9}}), 500, k15), (PointTwips32{105, 135}));
    EXPECT_EQ(PolylignePointALongueur(Chemin({}), 10, k15), (PointTwips32{0, 0}));
}

TEST(Polyligne, PointLePlusProche) {
    const ObjetPage o = Chemin({{0, 0}, {10, 0}, {10, 10}});  // twips (0,0) (150,0) (150,150)
    struct Cas {
        const char* nom;
        std::int32_t x, y;
        PointSurChemin attendu;
    };
    const Cas cas[] = {
        {"over the first segment", 75, 40, {75, 0, 75}},
        {"beyond the start", -100, -30, {0, 0, 0}},
        {"beyond the end", 400, 300, {150, 150, 300}},  // stored 200 + 100... of point 2 (200) is L(2)
        {"beside the second segment", 200, 60, {150, 60, 260}},
    };
    for (const Cas& c : cas) {
        const PointSurChemin p = PolylignePointLePlusProche(o, c.x, c.y, k15);
        EXPECT_EQ(p.x, c.attendu.x) << c.nom;
        EXPECT_EQ(p.y, c.attendu.y) << c.nom;
    }
    // The length is the stored length of the segment's start plus the way
    // along it: point 2 is stored as 200 (150 rounded to hundreds).
    EXPECT_EQ(PolylignePointLePlusProche(o, 75, 40, k15).longueur, 75);
    EXPECT_EQ(PolylignePointLePlusProche(o, 200, 60, k15).longueur, 260);
    EXPECT_EQ(PolylignePointLePlusProche(o, 400, 300, k15).longueur, 350);

    // A repeated point is a segment of no length: it counts as that point
    // and the search goes on to the next segment.
    const ObjetPage double_ = Chemin({{0, 0}, {0, 0}, {10, 0}});
    EXPECT_EQ(PolylignePointLePlusProche(double_, 75, 40, k15), (PointSurChemin{75, 0, 75}));
    const ObjetPage seul = Chemin({{4, 4}});
    EXPECT_EQ(PolylignePointLePlusProche(seul, 500, 500, k15), (PointSurChemin{60, 60, 0}));
    EXPECT_EQ(PolylignePointLePlusProche(Chemin({}), 5, 6, k15), (PointSurChemin{5, 6, 0}));
}

TEST(Polyligne, PointDedans) {
    // A diamond: the horizontal ray from a point level with its left and
    // right corners passes through vertices shared by an edge above and an
    // edge below, each crossed once.
    const std::vector<PolylignePoint> losange = {{10, 0}, {20, 10}, {10, 20}, {0, 10}};
    struct Cas {
        std::int32_t x, y;
        bool dedans;
    };
    const Cas cas[] = {{150, 150, true}, {-15, 150, false}, {150, 5, true}, {150, -5, false}, {295, 150, true},
                       {305, 150, false}};
    for (const Cas& c : cas) EXPECT_EQ(PolylignePointDedans(losange, 15, 15, c.x, c.y), c.dedans) << c.x << "," << c.y;
    const std::vector<PolylignePoint> deux = {{0, 0}, {20, 20}};
    EXPECT_FALSE(PolylignePointDedans(deux, 15, 15, 150, 150)) << "two points enclose nothing";
}

TEST(Polyligne, BoiteEtEchelle) {
    ObjetPage o = Chemin({{2, 3}, {12, 3}, {7, 13}});
    o.gauche = o.haut = o.largeur = o.hauteur = 1;
    PolyligneMajCentre(o, k15);
    EXPECT_EQ(o.gauche, 30);
    EXPECT_EQ(o.haut, 45);
    EXPECT_EQ(o.largeur, 150);
    EXPECT_EQ(o.hauteur, 150);

    ObjetPage segment = Chemin({{0, 0}, {10, 10}});
    segment.gauche = 7;
    PolyligneDefinirX(segment, 2, 600, k15);
    EXPECT_EQ(segment.chemin.points[1].x, 40);
    EXPECT_EQ(segment.gauche, 7) << "two points leave the rectangle alone";
    PolyligneDefinirX(segment, 3, 600, k15);  // no point 3: nothing
    EXPECT_EQ(segment.chemin.points.size(), 2u);

    PolyligneMultiplie(o, 15.0, 0.0, 2.0, 1.0, k15);
    EXPECT_EQ(o.chemin.points[0], (PolylignePoint{5, 3}));
    EXPECT_EQ(o.chemin.points[1], (PolylignePoint{25, 3}));
    EXPECT_EQ(o.gauche, 75);
    EXPECT_EQ(o.largeur, 300);
    EXPECT_EQ(o.chemin.longueurTotale, PolyligneLongueur(o.chemin, k15)) << "lengths follow";
}

TEST(Polyligne, LiensDeSprite) {
    Scene s;
    s.pages.resize(1);
    auto& objets = s.Page(1).objets;
    objets.resize(4);
    objets[1].type = static_cast<std::uint8_t>(TypeObjet::Sprite);
    ObjetPage& chemin = objets[2];
    chemin.decoupe = kFormePolyligne;
    chemin.chemin.points = {{0, 0}, {10, 0}, {10, 10}};
    chemin.elements.push_back({1, 2, kLienChemin, "10", "", 0});
    ObjetPage& masque = objets[3];
    masque.decoupe = kFormePolyligne;
    masque.chemin.points = {{0, 0}, {10, 0}};
    masque.elements.push_back({1, 2, kLienMasque, "", "", 0});
    EXPECT_EQ(PathPolyligneRelieeAuSprite(s, 1, 2), 3);
    EXPECT_EQ(PathPolyligneRelieeAuSprite(s, 1, 1), 0) << "not a sprite";
    EXPECT_EQ(PolyligneCheminQuelSprite(s, 1, 3), 2);
    EXPECT_EQ(PolyligneCheminQuelSprite(s, 1, 4), 0);
    EXPECT_TRUE(PolyligneMasquesDuSprite(s, 1, 2).empty()) << "a mask of two points masks nothing";
    masque.chemin.points.push_back({5, 5});
    EXPECT_EQ(PolyligneMasquesDuSprite(s, 1, 2).size(), 1u);
}

}  // namespace
}  // namespace korv::engine
