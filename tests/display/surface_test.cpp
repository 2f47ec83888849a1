#include "display/surface.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "display/surface_application.h"

namespace korv::display {
namespace {

QRgb P(const Surface& s, int x, int y) { return s.Image().pixel(x, y) & 0xFFFFFF; }

Surface Rangee(std::initializer_list<QRgb> pixels) {
    QImage image(static_cast<int>(pixels.size()), 1, QImage::Format_RGB32);
    int x = 0;
    for (QRgb p : pixels) image.setPixel(x++, 0, 0xFF000000 | p);
    return Surface(image);
}

TEST(PixelsDepuisTwips, ArrondiAuPairSurLesMoities) {
    struct Cas {
        std::int64_t twips;
        std::int32_t tpp;
        std::int32_t attendu;
    };
    const Cas cas[] = {
        {1, 2, 0},    {3, 2, 2},     {5, 2, 2},     {7, 2, 4},     {-1, 2, 0},  {-3, 2, -2},
        {-5, 2, -2},  {0, 15, 0},    {15, 15, 1},   {22, 15, 1},   {23, 15, 2}, {-23, 15, -2},
        {112, 15, 7}, {113, 15, 8},  {9600, 15, 640}, {1000000000, 15, 66666667},
        {std::int64_t{32767} * 3, 3, 32767},
    };
    for (const Cas& c : cas) {
        EXPECT_EQ(PixelsDepuisTwips(c.twips, c.tpp), c.attendu) << c.twips << " / " << c.tpp;
    }
    EXPECT_THROW(PixelsDepuisTwips(10, 0), std::invalid_argument);
    EXPECT_THROW(PixelsDepuisTwips(std::int64_t{1} << 40, 1), std::out_of_range);
}

TEST(Surface, OperationsRasterTableDeVerite) {
    const Surface source = Rangee({0x000000, 0xFFFFFF, 0x00FF00, 0x123456});
    struct Cas {
        OperationRaster op;
        std::vector<QRgb> attendu;
    };
    const Cas cas[] = {
        {OperationRaster::SrcCopy, {0x000000, 0xFFFFFF, 0x00FF00, 0x123456}},
        {OperationRaster::SrcAnd, {0x000000, 0x000000, 0x000F00, 0x003400}},
        {OperationRaster::SrcPaint, {0xFFFFFF, 0xFFFFFF, 0x0FFF0F, 0x12FF56}},
        {OperationRaster::SrcInvert, {0xFFFFFF, 0xFFFFFF, 0x0FF00F, 0x12CB56}},
        {OperationRaster::MergePaint, {0xFFFFFF, 0x000000, 0xFF0FFF, 0xEDFFA9}},
        {OperationRaster::DstInvert, {0x000000, 0xFFFFFF, 0xF0F0F0, 0xFF00FF}},
    };
    for (const Cas& c : cas) {
        Surface cible = Rangee({0xFFFFFF, 0x000000, 0x0F0F0F, 0x00FF00});
        cible.Transferer(QPoint(0, 0), source, source.Rectangle(), c.op);
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(P(cible, x, 0), c.attendu[static_cast<std::size_t>(x)])
                << std::hex << static_cast<std::uint32_t>(c.op) << " pixel " << x;
            EXPECT_EQ(qAlpha(cible.Image().pixel(x, 0)), 255);
        }
    }
    EXPECT_EQ(OperationRasterDepuisCode(0xBB0226), OperationRaster::MergePaint);
    EXPECT_EQ(OperationRasterDepuisCode(0x8800C6), OperationRaster::SrcAnd);
    EXPECT_EQ(OperationRasterDepuisCode(0x123456), std::nullopt);
}

TEST(Surface, TransfertDecaleEtHorsSource) {
    // A 2 x 2 source copied from (-1, 0) with a 3 x 2 size: the column whose
    // source lies outside the picture keeps the destination.
    QImage source(2, 2, QImage::Format_RGB32);
    source.fill(0xFF0000FF);
    Surface cible(5, 3, 0x00FF00);
    cible.Transferer(QPoint(1, 1), source, QRect(-1, 0, 3, 2), OperationRaster::SrcCopy);
    const char* attendu[] = {".....", ".gbb.", ".gbb."};  // rows 0..2
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const char c = attendu[y][x];
            const QRgb voulu = c == 'b' ? 0x0000FF : 0x00FF00;
            EXPECT_EQ(P(cible, x, y), voulu) << x << "," << y;
        }
    }
    // Copying a surface onto itself reads the pixels as they were.
    Surface s = Rangee({0x111111, 0x222222, 0x333333});
    s.Transferer(QPoint(1, 0), s, QRect(0, 0, 2, 1), OperationRaster::SrcCopy);
    EXPECT_EQ(P(s, 1, 0), 0x111111u);
    EXPECT_EQ(P(s, 2, 0), 0x222222u);
}

TEST(Surface, PileDeClipsIntersecte) {
    test::ApplicationAffichage();
    Surface s(8, 8, kBlanc);
    s.PousserClip(QRect(0, 0, 6, 6));
    s.PousserClip(QRect(3, 3, 5, 5));  // reaches outside the first: cut to 3..5
    EXPECT_EQ(s.Clip(), QRegion(QRect(3, 3, 3, 3)));
    s.Remplir(kNoir);
    s.RetirerClip();
    EXPECT_EQ(s.Clip(), QRegion(QRect(0, 0, 6, 6)));
    s.RemplirRectangle(QRect(0, 0, 8, 1), Rgb(255, 0, 0));
    s.RetirerClip();
    s.RetirerClip();  // an empty stack stays empty
    EXPECT_EQ(s.ProfondeurClip(), 0u);
    EXPECT_EQ(s.Clip(), QRegion(QRect(0, 0, 8, 8)));
    EXPECT_EQ(P(s, 3, 3), 0x000000u);
    EXPECT_EQ(P(s, 5, 5), 0x000000u);
    EXPECT_EQ(P(s, 2, 3), 0xFFFFFFu);
    EXPECT_EQ(P(s, 6, 6), 0xFFFFFFu);
    EXPECT_EQ(P(s, 5, 0), 0xFF0000u);
    EXPECT_EQ(P(s, 6, 0), 0xFFFFFFu);

    // Every kind of drawing keeps inside the clip.
    Surface t(6, 6, kBlanc);
    t.PousserClip(QRegion(QRect(0, 0, 3, 6)));
    QImage noir(6, 6, QImage::Format_RGB32);
    noir.fill(0xFF000000);
    t.Transferer(QPoint(0, 0), noir, noir.rect(), OperationRaster::SrcCopy);
    t.TransfererEtire(QRect(0, 0, 6, 6), noir, QRect(0, 0, 2, 2), OperationRaster::SrcCopy);
    t.Inverser(QRect(0, 0, 6, 6));
    t.Ligne(QPoint(0, 5), QPoint(5, 5), kNoir, 1, true);
    t.Cadre(0, 0, 5, 5, kNoir, 3);
    const QPoint triangle[] = {{0, 0}, {5, 0}, {5, 5}};
    t.Polygone(triangle, kNoir, kNoir);
    t.Texte(QPoint(0, 0), "WWWW", Police{}, kNoir);
    for (int y = 0; y < 6; ++y) {
        for (int x = 3; x < 6; ++x) EXPECT_EQ(P(t, x, y), 0xFFFFFFu) << x << "," << y;
    }
}

TEST(Surface, BoitesEtLignesCommeLaBoiteAOutils) {
    Surface s(6, 6, kBlanc);
    s.RemplirBoite(4, 3, 1, 1, kNoir);  // corners in either order, both painted
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool dedans = x >= 1 && x <= 4 && y >= 1 && y <= 3;
            EXPECT_EQ(P(s, x, y), dedans ? 0u : 0xFFFFFFu) << x << "," << y;
        }
    }
    Surface l(6, 1, kBlanc);
    l.Ligne(QPoint(0, 0), QPoint(4, 0), kNoir);  // the end point is left out
    EXPECT_EQ(P(l, 3, 0), 0u);
    EXPECT_EQ(P(l, 4, 0), 0xFFFFFFu);
    l.Ligne(QPoint(5, 0), QPoint(5, 0), kNoir, 1, true);
    EXPECT_EQ(P(l, 5, 0), 0u);

    Surface c(7, 7, kBlanc);
    c.Cadre(1, 1, 5, 5, kNoir);
    EXPECT_EQ(P(c, 1, 1), 0u);
    EXPECT_EQ(P(c, 5, 3), 0u);
    EXPECT_EQ(P(c, 3, 5), 0u);
    EXPECT_EQ(P(c, 2, 2), 0xFFFFFFu);
    EXPECT_EQ(P(c, 0, 0), 0xFFFFFFu);
    c.Cadre(1, 1, 5, 5, Rgb(255, 0, 0), 3);  // centred: from 0 to 2 on the left
    EXPECT_EQ(P(c, 0, 3), 0xFF0000u);
    EXPECT_EQ(P(c, 2, 3), 0xFF0000u);
    EXPECT_EQ(P(c, 3, 3), 0xFFFFFFu);
}

TEST(Surface, EtirementAuPlusProche) {
    QImage source(2, 2, QImage::Format_RGB32);
    source.setPixel(0, 0, 0xFF000001);
    source.setPixel(1, 0, 0xFF000002);
    source.setPixel(0, 1, 0xFF000003);
    source.setPixel(1, 1, 0xFF000004);
    Surface s(4, 4, kBlanc);
    s.TransfererEtire(QRect(0, 0, 4, 4), source, source.rect(), OperationRaster::SrcCopy);
    const QRgb attendu[4][4] = {{1, 1, 2, 2}, {1, 1, 2, 2}, {3, 3, 4, 4}, {3, 3, 4, 4}};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) EXPECT_EQ(P(s, x, y), attendu[y][x]) << x << "," << y;
    }
    Surface r(1, 1, kBlanc);  // shrinking takes the pixel under the centre
    r.TransfererEtire(QRect(0, 0, 1, 1), source, source.rect(), OperationRaster::SrcCopy);
    EXPECT_EQ(P(r, 0, 0), 4u);

    // A source rectangle running past the picture: the target pixels whose
    // source is outside it are left as they were, on each side.
    struct Cas {
        QRect depuis;
        QRgb attendu[6];
    };
    const Cas cas[] = {
        {QRect(-1, 0, 3, 1), {0xFFFFFF, 0xFFFFFF, 1, 1, 2, 2}},
        {QRect(1, 0, 3, 1), {2, 2, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
        {QRect(-2, 0, 6, 1), {0xFFFFFF, 0xFFFFFF, 1, 2, 0xFFFFFF, 0xFFFFFF}},
        {QRect(5, 0, 2, 1), {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
    };
    for (const auto& c : cas) {
        Surface d(8, 1, kBlanc);
        d.TransfererEtire(QRect(1, 0, 6, 1), source, c.depuis, OperationRaster::SrcCopy);
        EXPECT_EQ(P(d, 0, 0), 0xFFFFFFu);
        EXPECT_EQ(P(d, 7, 0), 0xFFFFFFu);
        for (int x = 0; x < 6; ++x) EXPECT_EQ(P(d, x + 1, 0), c.attendu[x]) << c.depuis.x() << ": " << x;
    }
}

TEST(Surface, MasqueMonochromeEtendu) {
    // Bits 1 0 1 1 0: with MERGEPAINT and 0 -> black, 1 -> white, the 1 bits
    // keep the destination and the 0 bits turn it white.
    for (const QImage::Format format : {QImage::Format_Mono, QImage::Format_MonoLSB}) {
        QImage masque(5, 1, format);
        masque.setColorCount(2);
        masque.setColor(0, 0xFFFFFFFF);  // a colour table that says the opposite is ignored
        masque.setColor(1, 0xFF000000);
        const int bits[] = {1, 0, 1, 1, 0};
        for (int x = 0; x < 5; ++x) masque.setPixel(x, 0, static_cast<uint>(bits[x]));
        Surface s = Rangee({0x102030, 0x102030, 0x405060, 0x000000, 0x000000});
        s.TransfererMono(QPoint(0, 0), masque, masque.rect(), OperationRaster::MergePaint, kNoir, kBlanc);
        const QRgb attendu[] = {0x102030, 0xFFFFFF, 0x405060, 0x000000, 0xFFFFFF};
        for (int x = 0; x < 5; ++x) EXPECT_EQ(P(s, x, 0), attendu[x]) << format << " pixel " << x;
    }
    Surface s(2, 2);
    EXPECT_THROW(s.TransfererMono(QPoint(), QImage(2, 2, QImage::Format_RGB32), QRect(0, 0, 2, 2),
                                  OperationRaster::SrcCopy, kNoir, kBlanc),
                 std::invalid_argument);
}

TEST(Surface, TexteSansLissage) {
    test::ApplicationAffichage();
    Surface s(120, 40, kBlanc);
    Police police;
    police.taillePoints = 14;
    police.gras = true;
    s.Texte(QPoint(2, 2), "Ex\xE9" "cut\xE9", police, Rgb(0, 0, 255));  // "Exécuté" in Windows-1252
    std::set<QRgb> couleurs;
    for (int y = 0; y < s.Hauteur(); ++y) {
        for (int x = 0; x < s.Largeur(); ++x) couleurs.insert(P(s, x, y));
    }
    EXPECT_EQ(couleurs, (std::set<QRgb>{0xFFFFFF, 0x0000FF}));
    const QSize taille = s.MesurerTexte("Ex\xE9" "cut\xE9", police);
    EXPECT_GT(taille.width(), 20);
    EXPECT_GT(taille.height(), 10);
    // Larger at a finer screen: the size is in points.
    Surface fine(1, 1);
    fine.DefinirResolution(10, 10);
    EXPECT_GT(fine.MesurerTexte("Ex", police).height(), s.MesurerTexte("Ex", police).height());
}

}  // namespace
}  // namespace korv::display

namespace korv::display {
namespace {

// The runs of inked columns of a surface's rows y0..y1 (left to right).
std::vector<std::pair<int, int>> ColonnesEncrees(const Surface& s, int y0, int y1) {
    std::vector<std::pair<int, int>> runs;
    bool dedans = false;
    for (int x = 0; x < s.Largeur(); ++x) {
        bool encre = false;
        for (int y = y0; y <= y1 && !encre; ++y) encre = P(s, x, y) != 0xFFFFFFu;
        if (encre && !dedans) runs.emplace_back(x, x);
        if (encre) runs.back().second = x;
        dedans = encre;
    }
    return runs;
}

// Without antialiasing a zero's pixels reach its advance: drawn at their
// bare advances, "000" inked one bar ("15 000,0" read as struck through).
// Each glyph keeps a blank column from the next, at every resolution and
// size, left, centred or right, and the measure agrees with the drawing.
TEST(Surface, ChiffresSepareesParUneColonneBlanche) {
    test::ApplicationAffichage();
    struct Cas {
        std::int32_t twipsParPixel;
        double points;
        bool gras;
    };
    const Cas cas[] = {{15, 10, false}, {15, 10, true}, {15, 11, false}, {12, 10, false},
                       {10, 10, false}, {8, 9, true},   {20, 10, false}, {15, 8, false}};
    for (const Cas& c : cas) {
        for (const std::uint8_t alignement :
             {static_cast<std::uint8_t>(AlignementTexte::Gauche | AlignementTexte::Haut),
              static_cast<std::uint8_t>(AlignementTexte::CentreH | AlignementTexte::Haut),
              static_cast<std::uint8_t>(AlignementTexte::Droite | AlignementTexte::Haut)}) {
            Surface s(200, 60, kBlanc);
            s.DefinirResolution(c.twipsParPixel, c.twipsParPixel);
            Police police;
            police.nom = "Arial";
            police.taillePoints = c.points;
            police.gras = c.gras;
            s.TexteDansRectangle(QRect(10, 5, 180, 50), "00000", police, kNoir, alignement);
            const auto runs = ColonnesEncrees(s, 0, 59);
            EXPECT_EQ(runs.size(), 5u) << c.twipsParPixel << " twips, " << c.points << " pt, bold " << c.gras
                                       << ", alignment " << int(alignement);
            if (runs.size() == 5u) {
                // The measure holds the ink, bearings aside.
                const int encre = runs.back().second - runs.front().first + 1;
                const int mesure = s.MesurerTexte("00000", police).width();
                EXPECT_GE(mesure, encre) << c.twipsParPixel << " twips, " << c.points << " pt";
                EXPECT_LE(mesure, encre + 4) << c.twipsParPixel << " twips, " << c.points << " pt";
            }
        }
    }
}

}  // namespace
}  // namespace korv::display
