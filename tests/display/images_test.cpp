#include "display/images.h"

#include <gtest/gtest.h>

#include <QImageWriter>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "display/images_bmp_fabrique.h"
#include "display/surface_application.h"
#include "platform/path_resolver.h"

namespace korv::display {
namespace {

using test::CompressionBmp;

QRgb P(const Surface& s, int x, int y) { return s.Image().pixel(x, y) & 0xFFFFFF; }

// Pixels equal to within `ecart` on each component.
::testing::AssertionResult ImagesProches(const QImage& obtenue, const QImage& attendue, int ecart = 0) {
    if (obtenue.size() != attendue.size()) return ::testing::AssertionFailure() << "sizes differ";
    for (int y = 0; y < attendue.height(); ++y) {
        for (int x = 0; x < attendue.width(); ++x) {
            const QRgb a = obtenue.pixel(x, y), b = attendue.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) > ecart || std::abs(qGreen(a) - qGreen(b)) > ecart ||
                std::abs(qBlue(a) - qBlue(b)) > ecart) {
                return ::testing::AssertionFailure() << "pixel " << x << "," << y << ": " << std::hex << a
                                                     << " instead of " << b;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

struct Journal {
    std::vector<std::string> messages;
    JournalAffichage Fonction() {
        return [this](std::string_view m) { messages.emplace_back(m); };
    }
};

TEST(Images, ChaqueProfondeurEtCompressionBmp) {
    test::ApplicationAffichage();
    test::DossierTemporaire dossier;
    struct Cas {
        int bits;
        CompressionBmp compression;
        bool hautEnBas;
        int ecart;  // 16-bit components are 5 or 6 bits wide
    };
    const Cas cas[] = {
        {1, CompressionBmp::Rgb, false, 0},    {4, CompressionBmp::Rgb, false, 0},
        {8, CompressionBmp::Rgb, false, 0},    {16, CompressionBmp::Rgb, false, 8},
        {16, CompressionBmp::Champs, false, 8}, {24, CompressionBmp::Rgb, false, 0},
        {32, CompressionBmp::Rgb, false, 0},   {32, CompressionBmp::Champs, false, 0},
        {8, CompressionBmp::Rle8, false, 0},   {4, CompressionBmp::Rle4, false, 0},
        {1, CompressionBmp::Rgb, true, 0},     {8, CompressionBmp::Rgb, true, 0},
        {24, CompressionBmp::Rgb, true, 0},    {32, CompressionBmp::Rgb, true, 0},
    };
    Journal journal;
    ContexteImages contexte(journal.Fonction());
    int n = 0;
    for (const Cas& c : cas) {
        const std::string trace = std::to_string(c.bits) + " bits, compression " +
                                  std::to_string(static_cast<int>(c.compression)) + (c.hautEnBas ? ", top-down" : "");
        const auto bmp = test::FabriquerBmp(11, 5, c.bits, c.compression, c.hautEnBas);
        const std::string nom = dossier.Nom("P" + std::to_string(++n) + ".BMP");
        test::EcrireFichier(nom, bmp.octets);
        Surface s(13, 7, Rgb(1, 2, 3));
        ChargeImage(contexte, nom, s, PlacementImage{1, 1}, OperationRaster::SrcCopy);
        EXPECT_TRUE(ImagesProches(s.Copie(QRect(1, 1, 11, 5)), bmp.attendue, c.ecart)) << trace;
        EXPECT_EQ(P(s, 0, 0), 0x010203u) << trace;
        EXPECT_EQ(P(s, 12, 6), 0x010203u) << trace;
    }
    EXPECT_TRUE(journal.messages.empty()) << journal.messages.front();

    // Pictures written by Qt itself, and a name in another case than on disk.
    for (const char* format : {"BMP"}) {
        QImage image(6, 3, QImage::Format_RGB32);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 6; ++x) image.setPixel(x, y, qRgb(40 * x, 80 * y, 200));
        }
        ASSERT_TRUE(image.save(QString::fromStdString(dossier.Nom("qt.bmp")), format));
        Surface s(6, 3);
        ChargeImage(contexte, dossier.Nom("QT.BMP"), s, PlacementImage{}, OperationRaster::SrcCopy);
        EXPECT_TRUE(ImagesProches(s.Image(), image));
    }
}

TEST(Images, ImageAbimeeOuAbsenteNeDessineRienEtSeJournalise) {
    test::ApplicationAffichage();
    test::DossierTemporaire dossier;
    const auto bon24 = test::FabriquerBmp(11, 5, 24).octets;
    const auto bonRle = test::FabriquerBmp(11, 5, 8, CompressionBmp::Rle8).octets;
    auto avecOctet = [](std::vector<std::uint8_t> o, std::size_t i, std::uint8_t v) {
        o[i] = v;
        return o;
    };
    auto tronque = [](std::vector<std::uint8_t> o, std::size_t n) {
        o.resize(n);
        return o;
    };
    struct Cas {
        const char* quoi;
        std::vector<std::uint8_t> octets;
    };
    const Cas cas[] = {
        {"empty file", {}},
        {"not a picture", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'}},
        {"header only", tronque(bon24, 54)},
        {"24-bit pixels cut short", tronque(bon24, bon24.size() - 20)},
        {"RLE pixels cut short", tronque(bonRle, bonRle.size() - 10)},
        {"depth 7", avecOctet(bon24, 28, 7)},
        {"zero width", avecOctet(avecOctet(bon24, 18, 0), 19, 0)},
        {"huge height", avecOctet(avecOctet(bon24, 24, 0xFF), 25, 0x7F)},
        {"pixels start past the end", avecOctet(bon24, 13, 0x10)},
        {"unknown compression", avecOctet(bon24, 30, 9)},
        {"unknown header size", avecOctet(bon24, 14, 41)},
    };
    Journal journal;
    ContexteImages contexte(journal.Fonction());
    int n = 0;
    for (const Cas& c : cas) {
        const std::string nom = dossier.Nom("D" + std::to_string(++n) + ".BMP");
        test::EcrireFichier(nom, c.octets);
        Surface s(12, 6, Rgb(9, 9, 9));
        const QImage avant = s.Image().copy();
        journal.messages.clear();
        ChargeImage(contexte, nom, s, PlacementImage{}, OperationRaster::SrcCopy);
        AfficherTransparent(contexte, nom, s, PlacementImage{0, 0, 5, 5});
        ChargeImage(contexte, nom, s, PlacementImage{0, 0, -1, -1, 0, 0, true}, OperationRaster::SrcCopy);
        EXPECT_EQ(s.Image(), avant) << c.quoi;
        ASSERT_EQ(journal.messages.size(), 1u) << c.quoi;  // once, however often it is drawn
        EXPECT_NE(journal.messages[0].find("illisible"), std::string::npos) << journal.messages[0];
        EXPECT_NE(journal.messages[0].find(nom), std::string::npos) << journal.messages[0];
    }

    journal.messages.clear();
    Surface s(4, 4, Rgb(9, 9, 9));
    const QImage avant = s.Image().copy();
    const std::string absent = dossier.Nom("ABSENT.BMP");
    ChargeImage(contexte, absent, s, PlacementImage{}, OperationRaster::SrcCopy);
    ChargeImage(contexte, absent, s, PlacementImage{}, OperationRaster::SrcCopy);
    DessinerTransparent(contexte, absent, s, PlacementImage{});
    EXPECT_EQ(s.Image(), avant);
    ASSERT_EQ(journal.messages.size(), 1u);
    EXPECT_EQ(journal.messages[0], "ChargeImage : image introuvable : " + absent);
}

TEST(Images, TransparenceParLeFichierMasque) {
    test::ApplicationAffichage();
    test::DossierTemporaire dossier;
    // Picture red, white, blue, white; its mask black (opaque) where the
    // picture shows, white (set bits: transparent) elsewhere.
    QImage image(4, 1, QImage::Format_RGB32);
    const QRgb pixels[] = {0xFFFF0000, 0xFFFFFFFF, 0xFF0000FF, 0xFFFFFFFF};
    for (int x = 0; x < 4; ++x) image.setPixel(x, 0, pixels[x]);
    ASSERT_TRUE(image.save(QString::fromStdString(dossier.Nom("LUTIN.BMP")), "BMP"));
    test::EcrireFichier(dossier.Nom("lutin.msk"), test::FabriquerBmp1Bit({"0101"}, 0xFF000000, 0xFFFFFFFF));

    Journal journal;
    ContexteImages contexte(journal.Fonction());
    Surface page(6, 1, Rgb(0x40, 0x80, 0xC0));
    // The mask pass alone: white where the picture will show.
    AfficherTransparent(contexte, dossier.Nom("LUTIN.BMP"), page, PlacementImage{1, 0});
    const QRgb apresMasque[] = {0x4080C0, 0xFFFFFF, 0x4080C0, 0xFFFFFF, 0x4080C0, 0x4080C0};
    for (int x = 0; x < 6; ++x) EXPECT_EQ(P(page, x, 0), apresMasque[x]) << x;
    ChargeImage(contexte, dossier.Nom("LUTIN.BMP"), page, PlacementImage{1, 0}, OperationRaster::SrcAnd);
    const QRgb final[] = {0x4080C0, 0xFF0000, 0x4080C0, 0x0000FF, 0x4080C0, 0x4080C0};
    for (int x = 0; x < 6; ++x) EXPECT_EQ(P(page, x, 0), final[x]) << x;

    // The mask file rules, not the picture's white: a mask with every bit set
    // leaves the page as it was under it, and the picture ANDs onto it.
    test::EcrireFichier(dossier.Nom("lutin.msk"), test::FabriquerBmp1Bit({"1111"}, 0xFF000000, 0xFFFFFFFF));
    Surface page2(4, 1, kBlanc);
    AfficherTransparent(contexte, dossier.Nom("LUTIN.BMP"), page2, PlacementImage{});
    for (int x = 0; x < 4; ++x) EXPECT_EQ(P(page2, x, 0), 0xFFFFFFu);
    Surface page3(4, 1, kNoir);
    AfficherTransparent(contexte, dossier.Nom("LUTIN.BMP"), page3, PlacementImage{});
    for (int x = 0; x < 4; ++x) EXPECT_EQ(P(page3, x, 0), 0u) << x;
    EXPECT_TRUE(journal.messages.empty());
}

TEST(Images, TransparenceSansMasqueParLeBlanc) {
    test::ApplicationAffichage();
    test::DossierTemporaire dossier;
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(0xFFFFFFFF);
    image.setPixel(0, 0, 0xFF00FF00);
    image.setPixel(2, 1, 0xFF000080);
    image.setPixel(1, 1, 0xFFFEFEFE);  // almost white is opaque
    ASSERT_TRUE(image.save(QString::fromStdString(dossier.Nom("P.BMP")), "BMP"));
    ContexteImages contexte(nullptr);
    struct Cas {
        PlacementImage placement;
        std::vector<std::string> attendu;  // rows of the 5 x 4 page: g, n, w (near white), . (page)
    };
    const Cas cas[] = {
        {PlacementImage{1, 1}, {".....", ".g...", "..wn.", "....."}},
        // Stretched to twice the size: the source position is ignored.
        {PlacementImage{0, 0, 6, 4, 2, 1, true}, {"gg...", "gg...", "..wwn", "..wwn"}},
        // From the source position (1, 1), 2 x 1 pixels.
        {PlacementImage{0, 0, 2, 1, 1, 1}, {"wn...", ".....", ".....", "....."}},
    };
    for (const Cas& c : cas) {
        Surface page(5, 4, Rgb(0x10, 0x20, 0x30));
        DessinerTransparent(contexte, dossier.Nom("P.BMP"), page, c.placement);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 5; ++x) {
                const char k = c.attendu[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                const QRgb voulu = k == 'g' ? 0x00FF00 : k == 'n' ? 0x000080 : k == 'w' ? 0xFEFEFE : 0x102030;
                EXPECT_EQ(P(page, x, y), voulu) << x << "," << y;
            }
        }
    }
}

TEST(Images, GenreParLeNom) {
    struct Cas {
        const char* nom;
        GenreImage genre;
    };
    const Cas cas[] = {
        {"C:\\IMAGES\\FOND.BMP", GenreImage::Bmp}, {"fond.bmp", GenreImage::Bmp},
        {"FOND.MSK", GenreImage::Masque},          {"PHOTO.JPEG", GenreImage::Jpeg},
        {"photo.jpg", GenreImage::Jpeg},           {"PHOTO.JPE", GenreImage::Autre},
        {"ANIME.GIF", GenreImage::Autre},          {"FOND", GenreImage::Autre},
        {"FOND.V2.BMP", GenreImage::Autre},  // the extension starts at the first dot
    };
    for (const Cas& c : cas) EXPECT_EQ(GenreDepuisNom(c.nom), c.genre) << c.nom;
    EXPECT_EQ(NomMasque("C:\\IMAGES\\LUTIN.BMP"), "C:\\IMAGES\\LUTIN.MSK");
}

TEST(Images, JpegSeulementParLaPeinture) {
    test::ApplicationAffichage();
    test::DossierTemporaire dossier;
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(qRgb(200, 40, 90));
    QImageWriter ecrivain(QString::fromStdString(dossier.Nom("PHOTO.JPG")), "jpeg");
    ecrivain.setQuality(100);
    ASSERT_TRUE(ecrivain.write(image)) << ecrivain.errorString().toStdString();
    // A BMP file with another extension is not drawn either.
    test::EcrireFichier(dossier.Nom("ANIME.GIF"), test::FabriquerBmp(4, 4, 24).octets);

    Journal journal;
    ContexteImages contexte(journal.Fonction());
    Surface s(16, 16, kNoir);
    ChargeImage(contexte, dossier.Nom("PHOTO.JPG"), s, PlacementImage{}, OperationRaster::SrcCopy);
    ChargeImage(contexte, dossier.Nom("ANIME.GIF"), s, PlacementImage{}, OperationRaster::SrcCopy);
    DessinerImage(contexte, dossier.Nom("ANIME.GIF"), s, PlacementImage{}, OperationRaster::SrcCopy);
    EXPECT_EQ(P(s, 8, 8), 0u);
    DessinerImage(contexte, dossier.Nom("PHOTO.JPG"), s, PlacementImage{}, OperationRaster::SrcCopy);
    EXPECT_TRUE(ImagesProches(s.Image(), image, 4));
    EXPECT_TRUE(journal.messages.empty());
}

TEST(Images, CacheParCheminEtDate) {
    test::ApplicationAffichage();
    test::DossierTemporaire dossier;
    const std::string nom = dossier.Nom("C.BMP");
    test::EcrireFichier(nom, test::FabriquerBmp(4, 4, 24).octets);
    ContexteImages contexte(nullptr);
    Surface s(8, 8);
    for (int i = 0; i < 3; ++i) {
        ChargeImage(contexte, nom, s, PlacementImage{}, OperationRaster::SrcCopy);
        ChargeImage(contexte, dossier.Nom("c.bmp"), s, PlacementImage{}, OperationRaster::SrcCopy);
    }
    EXPECT_EQ(contexte.cache.NombreDecodages(), 1u);
    // A file rewritten with another size is read again.
    const auto plusGrande = test::FabriquerBmp(6, 6, 24);
    test::EcrireFichier(nom, plusGrande.octets);
    ChargeImage(contexte, nom, s, PlacementImage{}, OperationRaster::SrcCopy);
    EXPECT_EQ(contexte.cache.NombreDecodages(), 2u);
    EXPECT_TRUE(ImagesProches(s.Copie(QRect(0, 0, 6, 6)), plusGrande.attendue));
    EXPECT_EQ(contexte.cache.NombreImages(), 1u);

    // Over the budget the least recently used pictures go.
    CacheImages petit(nullptr, 200);
    test::EcrireFichier(dossier.Nom("A.BMP"), test::FabriquerBmp(5, 5, 24).octets);  // 100 bytes decoded
    test::EcrireFichier(dossier.Nom("B.BMP"), test::FabriquerBmp(5, 5, 24).octets);
    test::EcrireFichier(dossier.Nom("D.BMP"), test::FabriquerBmp(5, 5, 24).octets);
    for (const char* f : {"A.BMP", "B.BMP", "A.BMP", "D.BMP", "A.BMP"}) EXPECT_FALSE(petit.Charger(dossier.Nom(f), "T").isNull());
    EXPECT_EQ(petit.NombreDecodages(), 3u);  // B went, A stayed in use
    EXPECT_LE(petit.OctetsUtilises(), 200u);
}

// A kept picture is served only while its file is the one decoded: a
// rewrite of the same size that puts the time back, and a file of the same
// size and time renamed over it, are both read again.
TEST(Images, ImageGardeeRelueQuandSonFichierChange) {
    namespace fs = std::filesystem;
    test::ApplicationAffichage();
    test::DossierTemporaire dossier;
    const std::string nom = dossier.Nom("G.BMP");
    const auto bmp = test::FabriquerBmp(4, 4, 24);
    test::EcrireFichier(nom, bmp.octets);
    const fs::path chemin = *platform::ResoudreChemin(nom);
    std::vector<std::uint8_t> autre = bmp.octets;
    autre.back() = static_cast<std::uint8_t>(autre.back() ^ 0xFF);
    std::vector<std::uint8_t> attendu;
    struct Cas {
        const char* quoi;
        std::function<void()> change;
    };
    const Cas cas[] = {
        {"same size, time put back",
         [&] {
             const auto t = fs::last_write_time(chemin);
             test::EcrireFichier(chemin, autre);
             fs::last_write_time(chemin, t);
             attendu = autre;
         }},
        {"same size and time, renamed over it",
         [&] {
             const auto t = fs::last_write_time(chemin);
             const fs::path autreFichier = chemin.parent_path() / "autre.tmp";
             test::EcrireFichier(autreFichier, bmp.octets);
             fs::last_write_time(autreFichier, t);
             fs::rename(autreFichier, chemin);
             attendu = bmp.octets;
         }},
    };
    CacheImages cache(nullptr);
    for (const auto& c : cas) {
        cache.Charger(nom, "T");
        const std::size_t avant = cache.NombreDecodages();
        cache.Charger(nom, "T");
        EXPECT_EQ(cache.NombreDecodages(), avant) << c.quoi << ": served as kept";
        c.change();
        const QImage image = cache.Charger(nom, "T");
        EXPECT_EQ(cache.NombreDecodages(), avant + 1) << c.quoi;
        std::string erreur;
        EXPECT_EQ(image, DecoderImageOctets(attendu, erreur)) << c.quoi;
    }
}

TEST(Images, UnAppelPendantUnAutreNeDessineRien) {
    test::ApplicationAffichage();
    test::DossierTemporaire dossier;
    test::EcrireFichier(dossier.Nom("OK.BMP"), test::FabriquerBmp(2, 2, 24).octets);
    Surface s(2, 2, Rgb(7, 7, 7));
    ContexteImages* contexte = nullptr;
    // The journal runs inside ChargeImage: a drawing started from there is
    // refused.
    ContexteImages c([&](std::string_view) {
        ChargeImage(*contexte, dossier.Nom("OK.BMP"), s, PlacementImage{}, OperationRaster::SrcCopy);
    });
    contexte = &c;
    ChargeImage(c, dossier.Nom("MANQUE.BMP"), s, PlacementImage{}, OperationRaster::SrcCopy);
    EXPECT_EQ(P(s, 0, 0), 0x070707u);
    EXPECT_FALSE(c.ChargeImageEnCours);
    ChargeImage(c, dossier.Nom("OK.BMP"), s, PlacementImage{}, OperationRaster::SrcCopy);
    EXPECT_NE(P(s, 0, 0), 0x070707u);
}

}  // namespace
}  // namespace korv::display
