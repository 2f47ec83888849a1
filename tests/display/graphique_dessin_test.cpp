// Chart models drawn with Qt Charts into an image: series colours, missing
// points, labels and titles show where the model puts them.

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>

#include "display/graphiques.h"
#include "grid/graphique.h"
#include "surface_application.h"

namespace korv::display {
namespace {

grid::ContenuGraphique Modele(grid::GenreGraphique genre) {
    grid::ContenuGraphique g;
    g.genre = genre;
    g.titre = "Titre";
    g.categories = 4;
    g.seriesNb = 1;
    grid::SerieGraphique s;
    s.colonneParametre = 2;
    s.legende = "Ventes";
    s.couleur = 255;  // red
    s.valeurs = {10.0, std::nullopt, 30.0, 20.0};
    s.etiquettes.assign(4, std::nullopt);
    g.series.push_back(s);
    g.maxAbsolu = 30;
    return g;
}

int Compte(const QImage& image, QRgb c, int x0 = 0, int x1 = -1) {
    int n = 0;
    if (x1 < 0) x1 = image.width();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = x0; x < x1; ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF) ? 1 : 0;
    }
    return n;
}

TEST(GraphiqueDessin, BarsLinesAreasAndPie) {
    test::ApplicationAffichage();
    for (auto genre : {grid::GenreGraphique::Barres, grid::GenreGraphique::BarresEmpilees,
                       grid::GenreGraphique::Lignes, grid::GenreGraphique::Aires, grid::GenreGraphique::Secteurs}) {
        SCOPED_TRACE(static_cast<int>(genre));
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        GraphiqueDessiner(Modele(genre), image, QRect(0, 0, 400, 300));
        if (genre == grid::GenreGraphique::Secteurs) {
            EXPECT_GT(400 * 300 - Compte(image, qRgb(255, 255, 255)), 5000) << "three slices";
        } else {
            EXPECT_GT(Compte(image, qRgb(255, 0, 0)), 50) << "the series in its colour";
        }
    }
}

}  // namespace
}  // namespace korv::display

namespace korv::display {
namespace {

TEST(GraphiqueDessin, MissingPointIsNoBarAndBreaksTheLine) {
    test::ApplicationAffichage();
    auto g = Modele(grid::GenreGraphique::Barres);
    g.titre.clear();
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    GraphiqueDessiner(g, image, QRect(0, 0, 400, 300));
    // Four categories over the plot: the second quarter holds no red.
    int colonnesRouges[4] = {0, 0, 0, 0};
    for (int x = 30; x < 300; ++x) {
        bool rouge = false;
        for (int y = 0; y < 300 && !rouge; ++y) rouge = (image.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
        if (rouge) ++colonnesRouges[std::min(3, (x - 30) * 4 / 270)];
    }
    EXPECT_GT(colonnesRouges[0], 5);
    EXPECT_EQ(colonnesRouges[1], 0);
    EXPECT_GT(colonnesRouges[2], 5);

    // Lines: points 1 and 3 are not joined across the missing point 2; the
    // line runs from point 3 to point 4 only.
    g.genre = grid::GenreGraphique::Lignes;
    image.fill(Qt::white);
    GraphiqueDessiner(g, image, QRect(0, 0, 400, 300));
    int gauche = 0, droite = 0;
    for (int x = 30; x < 300; ++x) {
        for (int y = 0; y < 300; ++y) {
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFF0000) continue;
            (x < 165 ? gauche : droite) += 1;
        }
    }
    EXPECT_EQ(gauche, 0);
    EXPECT_GT(droite, 50);
}

TEST(GraphiqueDessin, DrawsOnlyInsideItsRectangle) {
    test::ApplicationAffichage();
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::blue);
    GraphiqueDessiner(Modele(grid::GenreGraphique::Lignes), image, QRect(100, 50, 200, 150));
    EXPECT_EQ(image.pixel(99, 120), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(300, 120), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(150, 49), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(150, 200), qRgb(0, 0, 255));
    EXPECT_NE(image.pixel(150, 120), qRgb(0, 0, 255));
}

}  // namespace
}  // namespace korv::display

namespace korv::display {
namespace {

// What the parameter grid sets for points and axes shows: grid lines by the
// axis switch, point marks by the point setting, the points' picture at
// its own size or stretched over the bar.
TEST(GraphiqueDessin, PointSettingsAndAxisSwitch) {
    test::ApplicationAffichage();
    auto dessine = [](const grid::ContenuGraphique& g, const QImage& image = QImage()) {
        QImage cible(400, 300, QImage::Format_RGB32);
        cible.fill(Qt::white);
        GraphiqueDessiner(g, cible, QRect(0, 0, 400, 300), image);
        return cible;
    };
    // Grid lines: Qt's light grey across the plot, only when switched on.
    auto g = Modele(grid::GenreGraphique::Barres);
    const int sans = 400 * 300 - Compte(dessine(g), qRgb(255, 255, 255));
    g.interrupteursAxes = true;
    const int avec = 400 * 300 - Compte(dessine(g), qRgb(255, 255, 255));
    EXPECT_GT(avec, sans + 200) << "grid lines";

    // Square marks with a black edge on the points of a line.
    auto l = Modele(grid::GenreGraphique::Lignes);
    l.titre.clear();
    const int noirSans = Compte(dessine(l), qRgb(0, 0, 0));
    l.series[0].reglagePoints = 1;
    const int noirAvec = Compte(dessine(l), qRgb(0, 0, 0));
    EXPECT_GT(noirAvec, noirSans + 60) << "three marks edged in black";

    // The points' picture: a green square at each point, or stretched over
    // each bar.
    QImage vert(10, 10, QImage::Format_RGB32);
    vert.fill(qRgb(0, 255, 0));
    auto b = Modele(grid::GenreGraphique::Barres);
    b.image = "C:\\SCENE\\POINT.BMP";
    EXPECT_EQ(Compte(dessine(b, vert), qRgb(0, 255, 0)), 300) << "own size, three points";
    b.imageNumero = 1;
    EXPECT_GT(Compte(dessine(b, vert), qRgb(0, 255, 0)), 3000) << "stretched over the bars";
    EXPECT_LT(Compte(dessine(b, vert), qRgb(255, 0, 0)), 100) << "the bars are covered";
    b.series[0].imageAbsente = true;
    EXPECT_EQ(Compte(dessine(b, vert), qRgb(0, 255, 0)), 0) << "a missing file shows no picture";
}

}  // namespace
}  // namespace korv::display
