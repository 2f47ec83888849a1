#include "display/composition.h"

#include <gtest/gtest.h>

namespace korv::display {
namespace {

QRgb P(const Surface& s, int x, int y) { return s.Image().pixel(x, y) & 0xFFFFFF; }

QImage Pixel(QRgb p) {
    QImage image(1, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, 0xFF000000 | p);
    return image;
}

TEST(Composition, TailleDesTamponsDib) {
    struct Cas {
        std::int32_t largeur, hauteur, bits;
        std::int64_t taille;
    };
    const Cas cas[] = {{101, 10, 24, 3040}, {100, 10, 24, 3000}, {33, 2, 1, 16}, {32, 2, 1, 8},
                       {8, 1, 4, 0},        {0, 5, 24, 0},       {-1, 5, 24, 0}, {32767, 32767, 24, 3221127168}};
    for (const Cas& c : cas) {
        EXPECT_EQ(WinApiTailleDib(c.largeur, c.hauteur, c.bits), c.taille) << c.largeur << "x" << c.hauteur;
    }
}

TEST(Composition, RoutinesDePixels) {
    struct Cas {
        const char* quoi;
        QRgb page, image;
        int poidsPage, poidsImage;  // both 1000: additive blend
        QRgb attendu;
    };
    const Cas cas[] = {
        {"blend held at 255", qRgb(100, 200, 250), qRgb(100, 100, 10), 1000, 1000, qRgb(200, 255, 255)},
        {"fade 10 / 5", qRgb(30, 60, 90), qRgb(150, 0, 255), 10, 5, qRgb(70, 40, 145)},
        {"fade 25 / 75, rounded", qRgb(0, 100, 255), qRgb(100, 0, 0), 25, 75, qRgb(75, 25, 64)},
        {"fade 100 / 0", qRgb(1, 2, 3), qRgb(200, 200, 200), 100, 0, qRgb(1, 2, 3)},
        {"fade 0 / 100", qRgb(1, 2, 3), qRgb(200, 201, 202), 0, 100, qRgb(200, 201, 202)},
        {"negative weight counts as 0", qRgb(1, 2, 3), qRgb(200, 201, 202), -5, 100, qRgb(200, 201, 202)},
        {"two zero weights", qRgb(1, 2, 3), qRgb(200, 201, 202), 0, 0, qRgb(1, 2, 3)},
    };
    for (const Cas& c : cas) {
        QImage page = Pixel(c.page);
        if (c.poidsPage == 1000) {
            ADDITIONNEIMAGES(page, Pixel(c.image));
        } else {
            FONDUIMAGES(page, c.poidsPage, Pixel(c.image), c.poidsImage);
        }
        EXPECT_EQ(page.pixel(0, 0) & 0xFFFFFF, c.attendu & 0xFFFFFF) << c.quoi;
    }
    QImage ombre = Pixel(qRgb(10, 128, 250));
    AJOUTENTIER(ombre, 50);
    EXPECT_EQ(ombre.pixel(0, 0) & 0xFFFFFF, qRgb(60, 178, 255) & 0xFFFFFF);
    AJOUTENTIER(ombre, -90);
    EXPECT_EQ(ombre.pixel(0, 0) & 0xFFFFFF, qRgb(0, 88, 165) & 0xFFFFFF);
    QImage deux(2, 1, QImage::Format_RGB32);
    EXPECT_THROW(ADDITIONNEIMAGES(deux, Pixel(0)), std::invalid_argument);
}

TEST(Composition, EffetsSelonLeSysteme) {
    const QImage image = Pixel(qRgb(0, 0, 200));  // stretched over the rectangle
    struct Cas {
        SystemeAffichage systeme;
        QRgb addition, fondu, ombre;
    };
    const QRgb page = qRgb(100, 100, 100) & 0xFFFFFF;
    const Cas cas[] = {
        {{false, false}, qRgb(100, 100, 255) & 0xFFFFFF, qRgb(50, 50, 150) & 0xFFFFFF, qRgb(60, 60, 60) & 0xFFFFFF},
        {{true, false}, page, qRgb(50, 50, 150) & 0xFFFFFF, page},
        {{false, true}, page, qRgb(50, 50, 150) & 0xFFFFFF, page},
    };
    for (const Cas& c : cas) {
        Surface a(4, 4, Rgb(100, 100, 100)), f(4, 4, Rgb(100, 100, 100)), o(4, 4, Rgb(100, 100, 100));
        AdditionImages(c.systeme, a, QRect(1, 1, 2, 2), image, image.rect());
        FondImages(f, 50, QRect(1, 1, 2, 2), image, 50, image.rect());
        Ombre(c.systeme, o, 1, 1, 2, 2, -40);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                const bool dedans = x >= 1 && x <= 2 && y >= 1 && y <= 2;
                EXPECT_EQ(P(a, x, y), dedans ? c.addition : page) << c.systeme.SystemeWindowsNT << " " << x << "," << y;
                EXPECT_EQ(P(f, x, y), dedans ? c.fondu : page) << c.systeme.SystemeWindowsNT << " " << x << "," << y;
                EXPECT_EQ(P(o, x, y), dedans ? c.ombre : page) << c.systeme.SystemeWindowsNT << " " << x << "," << y;
            }
        }
    }
}

TEST(Composition, OmbreBornesEtClip) {
    const SystemeAffichage systeme{false, false};
    Surface s(4, 4, Rgb(100, 100, 100));
    Ombre(systeme, s, 0, 0, 0, 4, 50);
    Ombre(systeme, s, 0, 0, 4, -1, 50);
    EXPECT_EQ(P(s, 0, 0), qRgb(100, 100, 100) & 0xFFFFFF);
    s.PousserClip(QRect(0, 0, 2, 4));
    Ombre(systeme, s, -3, 0, 10, 4, 50);  // reaches past the surface and the clip
    EXPECT_EQ(P(s, 1, 0), qRgb(150, 150, 150) & 0xFFFFFF);
    EXPECT_EQ(P(s, 2, 0), qRgb(100, 100, 100) & 0xFFFFFF);
}

TEST(Composition, OmbreDesCotes) {
    const SystemeAffichage systeme{false, false};
    Surface s(130, 80, Rgb(200, 200, 200));
    OmbreCotes(systeme, s, 10, 10, 100, 50, 5, -50);
    const QRegion attendue = QRegion(QRect(110, 15, 5, 50)) + QRegion(QRect(15, 60, 95, 5));
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 130; ++x) {
            const QRgb voulu = attendue.contains(QPoint(x, y)) ? qRgb(150, 150, 150) : qRgb(200, 200, 200);
            ASSERT_EQ(P(s, x, y), voulu & 0xFFFFFF) << x << "," << y;
        }
    }
    Surface t(130, 80, Rgb(200, 200, 200));
    const QImage avant = t.Image().copy();
    OmbreCotes(systeme, t, 10, 10, 100, 50, 0, -50);
    EXPECT_EQ(t.Image(), avant);
}

}  // namespace
}  // namespace korv::display
