#include "engine/geometrie.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <variant>
#include <vector>

namespace korv::engine {
namespace {

TEST(Geometrie, MaxAndMinGiveTheSecondOnEqualValues) {
    EXPECT_EQ(Max(3, 5), 5);
    EXPECT_EQ(Max(5, 3), 5);
    EXPECT_EQ(Min(3, 5), 3);
    EXPECT_EQ(Min(std::string("b"), std::string("a")), "a");
    struct Clef {
        int valeur;
        int origine;
        bool operator<(const Clef& o) const { return valeur < o.valeur; }
        bool operator>(const Clef& o) const { return valeur > o.valeur; }
    };
    EXPECT_EQ(Max(Clef{1, 1}, Clef{1, 2}).origine, 2);
    EXPECT_EQ(Min(Clef{1, 1}, Clef{1, 2}).origine, 2);
}

TEST(Geometrie, RoundsHalvesToEven) {
    const std::pair<double, double> cas[] = {
        {0.5, 0.0},  {1.5, 2.0},   {2.5, 2.0},   {3.5, 4.0},   {-0.5, 0.0}, {-1.5, -2.0},
        {-2.5, -2.0}, {2.4, 2.0},  {2.6, 3.0},   {-2.6, -3.0}, {3.0, 3.0},  {32700.5, 32700.0},
    };
    for (const auto& [x, attendu] : cas) EXPECT_EQ(ArrondiBanquier(x), attendu) << x;
}

TEST(Geometrie, LineThroughTwoPoints) {
    struct Cas {
        double x1, y1, x2, y2;
        DroiteEquation attendu;
    };
    const Cas cas[] = {
        {1, 2, 3, 6, {2, 0, 1}},
        {0, 0, 4, 0, {0, 0, 1}},                        // horizontal
        {5, 1, 5, 9, {0, 5, 0}},                        // vertical x = 5
        {0, 1, 0, 9, {0, kOrdonneeVerticaleEnZero, 0}}, // vertical x = 0 is still a line
        {3, 3, 3, 3, {0, 0, 0}},                        // no line
    };
    for (const auto& c : cas) {
        EXPECT_EQ(CalculeEquationDroite(c.x1, c.y1, c.x2, c.y2), c.attendu) << c.x1 << "," << c.y1;
    }
    EXPECT_DOUBLE_EQ(CalculeDistance(0, 0, 3, 4), 5.0);
    EXPECT_DOUBLE_EQ(CalculeDistance(-1, -1, -1, -1), 0.0);
}

TEST(Geometrie, PerpendicularThroughAPoint) {
    struct Cas {
        DroiteEquation droite;
        double x, y;
        DroiteEquation attendu;
    };
    const Cas cas[] = {
        {{0, 0, 0}, 4, 4, {0, 0, 0}},
        {{0, 5, 1}, 0, 9, {0, kOrdonneeVerticaleEnZero, 0}},  // through (0, y): x = 0.000001
        {{0, 5, 1}, 7, 9, {0, 7, 0}},
        {{2, 0, 1}, 4, 1, {-0.5, 3, 1}},
        {{0, 5, 0}, 8, 3, {0, 3, 1}},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(CalculeEquationDroiteOrthogonalePassantPar(c.droite, c.x, c.y), c.attendu) << c.x << "," << c.y;
    }
}

TEST(Geometrie, IntersectionOfTwoLines) {
    const DroiteEquation aucune{0, 0, 0};
    const DroiteEquation pente2{2, 0, 1};
    struct Cas {
        DroiteEquation d1, d2;
        PointEntier attendu;
    };
    const Cas cas[] = {
        {pente2, {2, 5, 1}, {0, 0}},              // parallel
        {pente2, pente2, {0, 0}},                 // the same line
        {aucune, pente2, {0, 0}},
        {pente2, aucune, {0, 0}},
        {{0, 3, 0}, {0, 4, 0}, {0, 0}},           // two verticals
        {{0, 3, 1}, {0, 4, 1}, {0, 0}},           // two horizontals
        {{0, 3, 0}, {2, 1, 1}, {3, 7}},
        {{2, 1, 1}, {0, 3, 0}, {3, 7}},
        {{0, 4, 1}, pente2, {2, 4}},
        {pente2, {0, 4, 1}, {2, 4}},
        {{1, 0, 1}, {-1, 10, 1}, {5, 5}},
        {{0.001, 0, 1}, {0, 100, 1}, {32700, 100}},          // far outside the page
        {{1, 0, 1}, {1.001, 100, 1}, {-32700, -32700}},
        {{0, 2.5, 0}, {0, 3.5, 1}, {2, 4}},                  // halves to even
        {{0, kOrdonneeVerticaleEnZero, 0}, {0, 7, 1}, {0, 7}},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(CalculeIntersectionDroite(c.d1, c.d2), c.attendu)
            << c.d1.Pente << "/" << c.d1.Ordonnee << " x " << c.d2.Pente << "/" << c.d2.Ordonnee;
    }
}

TEST(Geometrie, PointKeptWithinASegment) {
    struct Cas {
        PointEntier p;
        std::int32_t x1, y1, x2, y2;
        PointEntier attendu;
    };
    const Cas cas[] = {
        {{5, 1}, 0, 0, 10, 10, {5, 1}},     // inside the rectangle though off the segment
        {{10, 0}, 10, 10, 0, 0, {10, 0}},   // on its edge
        {{-3, -3}, 0, 0, 10, 10, {0, 0}},
        {{12, 11}, 0, 0, 10, 10, {10, 10}},
        {{5, 3}, 0, 0, 10, 0, {10, 0}},     // equally far: the second end
        {{1, 1}, 4, 4, 4, 4, {4, 4}},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(CalculeDansSegment(c.p, c.x1, c.y1, c.x2, c.y2), c.attendu) << c.p.x << "," << c.p.y;
    }
}

TEST(Geometrie, IndexOfSmallestAndLargest) {
    const std::vector<double> t = {3, 1, 4, 1, 5, 5};
    EXPECT_EQ(TableauIndiceMin(t, 0), 1u);  // the first of equal ones
    EXPECT_EQ(TableauIndiceMax(t, 0), 4u);
    EXPECT_EQ(TableauIndiceMin(t, 2), 3u);
    EXPECT_EQ(TableauIndiceMax(t, 5), 5u);
    EXPECT_EQ(TableauIndiceMin(t, 6), std::nullopt);
    EXPECT_EQ(TableauIndiceMax(std::vector<double>{}, 0), std::nullopt);

    // A comparison that never orders values of different types: a value
    // replaces the best so far only when it has the best's type.
    using Valeur = std::variant<double, std::string>;
    const auto memeTypePlusPetit = [](const Valeur& a, const Valeur& b) {
        return a.index() == b.index() && a < b;
    };
    const std::vector<Valeur> mixte = {5.0, std::string("a"), 1.0, std::string("0")};
    EXPECT_EQ(TableauIndiceMin(mixte, 0, memeTypePlusPetit), 2u);
    EXPECT_EQ(TableauIndiceMin(mixte, 1, memeTypePlusPetit), 3u);
    EXPECT_EQ(TableauIndiceMax(mixte, 0, memeTypePlusPetit), 0u);
}

TEST(Geometrie, SelectionSortCarriesTheCompanion) {
    struct Cas {
        std::vector<int> cles;
        OrdreTri ordre;
        std::vector<int> clesTriees;
        std::string compagnonTrie;
    };
    const Cas cas[] = {
        {{3, 1, 2}, OrdreTri::Croissant, {1, 2, 3}, "bca"},
        {{3, 1, 2}, OrdreTri::Decroissant, {3, 2, 1}, "acb"},
        // equal keys end in the order the exchanges leave them
        {{2, 1, 2, 1}, OrdreTri::Croissant, {1, 1, 2, 2}, "bdca"},
        {{1, 2, 1, 2}, OrdreTri::Decroissant, {2, 2, 1, 1}, "bdca"},
        {{3, 1, 2}, static_cast<OrdreTri>(0), {3, 1, 2}, "abc"},
        {{3, 1, 2}, static_cast<OrdreTri>(3), {3, 1, 2}, "abc"},
        {{}, OrdreTri::Croissant, {}, ""},
    };
    for (const auto& c : cas) {
        std::vector<int> cles = c.cles;
        std::string compagnon = std::string("abcd").substr(0, cles.size());
        TableauTriCroissant(cles, compagnon, c.ordre);
        EXPECT_EQ(cles, c.clesTriees);
        EXPECT_EQ(compagnon, c.compagnonTrie);
    }
}

TEST(Geometrie, SortOfArraysStartingAtOne) {
    std::vector<double> cles = {0, 9, 7, 8};  // element 0 unused
    std::vector<int> lignes = {0, 1, 2, 3};
    TableauTriCroissant(std::span(cles).subspan(1), std::span(lignes).subspan(1), OrdreTri::Croissant);
    EXPECT_EQ(cles, (std::vector<double>{0, 7, 8, 9}));
    EXPECT_EQ(lignes, (std::vector<int>{0, 2, 3, 1}));
}

TEST(Geometrie, SortRefusesAShortCompanion) {
    std::vector<int> cles = {2, 1};
    std::vector<int> compagnon = {1};
    EXPECT_THROW(TableauTriCroissant(cles, compagnon, OrdreTri::Croissant), std::invalid_argument);
    EXPECT_EQ(cles, (std::vector<int>{2, 1}));
}

}  // namespace
}  // namespace korv::engine
