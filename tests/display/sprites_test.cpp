// The sprite table on a real page buffer: creation from the object, saved
// backgrounds, moves with and without a trail, picture series, deletion,
// track percentages, masks, and the polyline outline.

#include "display/sprites.h"

#include <gtest/gtest.h>

#include "page_fabrique.h"

#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include <QImage>
#include <QTemporaryDir>

#include "display/affichage.h"
#include "display/polylignes.h"
#include "display/surface_application.h"
#include "engine/moteur.h"
#include "engine/polyligne.h"
#include "engine/texte_casse.h"

namespace korv::display {
namespace {

using engine::ObjetPage;
using engine::TypeObjet;

constexpr Couleur kRouge = Rgb(255, 0, 0);
constexpr Couleur kBleu = Rgb(0, 0, 255);
constexpr Couleur kVert = Rgb(0, 160, 0);

// The test's pictures, in a folder removed at exit.
std::filesystem::path Dossier() {
    static const QTemporaryDir d(QString::fromStdString(::testing::TempDir()) + "korv_sprites_XXXXXX");
    return d.path().toStdString();
}

// A plain picture file, named as a scene names it (upper case, "\").
std::string Image(const std::string& nom, Couleur c) {
    const auto chemin = Dossier() / nom;
    if (!std::filesystem::exists(chemin)) {
        QImage i(20, 20, QImage::Format_RGB32);
        i.fill(VersQRgb(c));
        EXPECT_TRUE(i.save(QString::fromStdString(chemin.string()), "BMP"));
    }
    std::string s = engine::MajusculeCp1252(chemin.string());
    for (char& ch : s) {
        if (ch == '/') ch = '\\';
    }
    return s;
}

// Counts what reaches the window.
class FenetreComptee final : public FenetreAffichage {
public:
    void Rafraichir(const QRect& zone) override {
        ++rafraichis;
        zones += zone;
    }
    int rafraichis = 0;
    QRegion zones;
};

// A page of 200 x 150 pixels with a grey-green pattern, so that a restored
// background is told from a white one.
struct Banc {
    engine::Moteur moteur;
    std::unique_ptr<AffichagePage> a;
    std::unique_ptr<TableSprites> t;
    FenetreComptee fenetre;

    explicit Banc(bool nt = true) {
        test::ApplicationAffichage();
        moteur.scene.entete.pageLargeur = 200;
        moteur.scene.entete.pageHauteur = 150;
        moteur.scene.pages.resize(1);
        ReglagesAffichage r;
        r.systeme.SystemeWindowsNT = nt;
        a = std::make_unique<AffichagePage>(moteur, r);
        a->DefinirFenetre(&fenetre);
        t = std::make_unique<TableSprites>(*a);
        BrancherSprites(*a, *t);
        test::AjouterObjet(moteur.scene, TypeObjet::Fond, 0, 0, 3000, 2250);
        for (int y = 0; y < 150; ++y) {
            for (int x = 0; x < 200; ++x) {
                a->PageTampon.DefinirPixel(x, y, Rgb(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(255 - y),
                                                     static_cast<std::uint8_t>((x * y) & 0xFF)));
            }
        }
    }
    // A sprite object showing `fichier`, its frame step painting nothing.
    ObjetPage& Sprite(int g, int h, int l, int ht, const std::string& fichier) {
        ObjetPage& o = test::AjouterObjet(moteur.scene, TypeObjet::Sprite, g, h, l, ht);
        o.C1 = 8;
        o.fichier = fichier;
        return o;
    }
    int Dernier() const { return moteur.scene.Page(1).ObjetNb(); }
    Couleur P(int x, int y) const { return a->PageTampon.Pixel(x, y); }
};

TEST(Sprites, CreeDepuisLObjet) {
    Banc b;
    b.Sprite(1500, 750, 600, 300, Image("ROUGE.BMP", kRouge));
    const int n = b.t->SpriteCreer(1, b.Dernier());
    ASSERT_EQ(n, 1);
    const SpriteDescripteur& s = b.t->Entree(n);
    EXPECT_EQ(s.X, 100);
    EXPECT_EQ(s.Y, 50);
    EXPECT_EQ(s.largeur, 39);
    EXPECT_EQ(s.hauteur, 19);
    EXPECT_EQ(b.t->SpriteNObjetVersNSprite(1, b.Dernier()), 1);
    EXPECT_EQ(b.t->SpriteCreer(1, 99), 0);

    // Under a pixel and a half: an empty sprite that draws nothing.
    b.Sprite(300, 300, 20, 22, Image("ROUGE.BMP", kRouge));
    const QImage avant = b.a->PageTampon.Image().copy();
    const int m = b.t->SpriteCreer(1, b.Dernier());
    EXPECT_EQ(b.t->Entree(m).largeur, 0);
    EXPECT_EQ(b.t->Entree(m).hauteur, 0);
    b.t->SpriteAfficher(m);
    b.t->SpriteDeplacer(m, 30, 30);
    b.t->SpriteDisparait(m);
    EXPECT_EQ(b.a->PageTampon.Image(), avant);
}

TEST(Sprites, DessousSauveEtRendu) {
    Banc b;
    b.Sprite(300, 300, 450, 450, Image("ROUGE.BMP", kRouge));
    const QImage avant = b.a->PageTampon.Image().copy();
    b.a->crochets.ObjetSpriteDessine(1, b.Dernier());
    EXPECT_EQ(b.P(25, 25), kRouge);
    b.t->SpriteDisparait(1);
    EXPECT_EQ(b.a->PageTampon.Image(), avant) << "the page comes back pixel for pixel";
}

TEST(Sprites, DeplacerAvecEtSansTrainee) {
    for (const bool trainee : {false, true}) {
        Banc b;
        ObjetPage& o = b.Sprite(0, 0, 300, 300, Image("ROUGE.BMP", kRouge));
        o.H3 = trainee ? 1 : 0;
        b.a->crochets.ObjetSpriteDessine(1, b.Dernier());
        const Couleur fond = Rgb(0, 255, 0);  // the pattern at (0, 0)
        for (const int x : {40, 80, 120}) b.t->SpriteDeplacer(1, x, 60);
        EXPECT_EQ(b.P(120, 60), kRouge);
        EXPECT_EQ(b.a->PageEcran.Pixel(120, 60), kRouge) << "shown at once";
        for (const int x : {40, 80}) EXPECT_EQ(b.P(x, 60) == kRouge, trainee) << x << (trainee ? " trail" : "");
        EXPECT_EQ(b.P(0, 0) == kRouge, trainee);
        if (!trainee) {
            EXPECT_EQ(b.P(0, 0), fond);
        }
        EXPECT_EQ(b.a->PageEcran.Pixel(40, 60), b.P(40, 60)) << "the old place is shown too";
    }
}

TEST(Sprites, UnDeplacementNeToucheQueSesDeuxRectangles) {
    Banc b;
    b.Sprite(300, 300, 300, 300, Image("ROUGE.BMP", kRouge));
    b.a->crochets.ObjetSpriteDessine(1, b.Dernier());
    b.a->PageEcran.Remplir(kBlanc);
    b.fenetre.zones = QRegion();
    b.t->SpriteDeplacer(1, 100, 80);
    const QRegion attendu = QRegion(20, 20, 19, 19) + QRegion(100, 80, 19, 19);
    EXPECT_EQ(b.fenetre.zones, attendu);
    QRegion change;
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (b.a->PageEcran.Pixel(x, y) != kBlanc) change += QRect(x, y, 1, 1);
        }
    }
    EXPECT_FALSE(change.isEmpty());
    EXPECT_TRUE((change - attendu).isEmpty()) << "nothing else of the page reaches the window";
}

TEST(Sprites, DeplacerSurPlaceNeDessineRien) {
    Banc b;
    b.Sprite(300, 300, 300, 300, Image("ROUGE.BMP", kRouge));
    b.a->crochets.ObjetSpriteDessine(1, b.Dernier());
    const QImage tampon = b.a->PageTampon.Image().copy();
    const QImage ecran = b.a->PageEcran.Image().copy();
    const int rafraichis = b.fenetre.rafraichis;
    b.t->SpriteDeplacer(1, 20, 20);
    EXPECT_EQ(b.a->PageTampon.Image(), tampon);
    EXPECT_EQ(b.a->PageEcran.Image(), ecran);
    EXPECT_EQ(b.fenetre.rafraichis, rafraichis);
}

TEST(Sprites, LimitesDePosition) {
    Banc b;
    b.Sprite(300, 300, 300, 300, Image("ROUGE.BMP", kRouge));
    b.a->crochets.ObjetSpriteDessine(1, b.Dernier());
    b.t->SpriteDeplacer(1, 70000, -70000);
    EXPECT_EQ(b.t->Entree(1).X, 32000);
    EXPECT_EQ(b.t->Entree(1).Y, -32000);
}

TEST(Sprites, SerieDImagesALaSuite) {
    Banc b;
    const std::string un = Image("SER1.BMP", kRouge);
    const std::string deux = Image("SER2.BMP", kBleu);
    const std::string trois = Image("SER3.BMP", kVert);
    ObjetPage& o = b.Sprite(0, 0, 300, 300, deux);
    o.A3 = 1;
    o.A4 = 3;
    b.a->crochets.ObjetSpriteDessine(1, b.Dernier());
    std::vector<std::string> vus;
    for (const int x : {30, 60, 90}) {
        b.t->SpriteDeplacer(1, x, 0);
        vus.push_back(b.t->Entree(1).fichier);
    }
    EXPECT_EQ(vus, (std::vector<std::string>{trois, un, deux}));
    EXPECT_EQ(b.P(95, 5), kBleu);
    // Without picture 3, the move from 2 shows 1.
    std::filesystem::remove(Dossier() / "SER3.BMP");
    b.t->SpriteDeplacer(1, 120, 0);
    EXPECT_EQ(b.t->Entree(1).fichier, un);
}

TEST(Sprites, AnimerMontreUneAutreImageSurPlace) {
    Banc b;
    b.Sprite(0, 0, 300, 300, Image("ROUGE.BMP", kRouge));
    b.a->crochets.ObjetSpriteDessine(1, b.Dernier());
    b.t->SpriteAnimer(1, Image("BLEU.BMP", kBleu));
    EXPECT_EQ(b.P(5, 5), kBleu);
    b.t->SpriteAnimer(1, "C:\\ABSENT.BMP");
    EXPECT_EQ(b.P(5, 5), kRouge) << "a missing picture: the object's own";
}

TEST(Sprites, SupprimerDeplaceLeDernier) {
    Banc b;
    for (int i = 0; i < 4; ++i) {
        b.Sprite(300 * i, 0, 300, 300, Image("ROUGE.BMP", kRouge));
        b.a->crochets.ObjetSpriteDessine(1, b.Dernier());
    }
    ASSERT_EQ(b.t->Nombre(), 4);
    const int quatrieme = b.t->Entree(4).objet;
    b.t->SpriteSupprimer(2);
    EXPECT_EQ(b.t->Nombre(), 3);
    EXPECT_EQ(b.t->Entree(2).objet, quatrieme);
    b.t->SpriteSupprimer(9);
    EXPECT_EQ(b.t->Nombre(), 3);
    b.a->SpriteSupprimerTous();
    EXPECT_EQ(b.t->Nombre(), 0);
}

TEST(Sprites, PourcentageDeLaPiste) {
    Banc b;
    ObjetPage& piste = test::AjouterObjet(b.moteur.scene, TypeObjet::Image, 1500, 300, 1500, 300);
    const int sprite = b.Dernier() + 1;
    piste.elements.push_back({1, static_cast<std::int16_t>(sprite), engine::kLienChemin, "", "", 0});
    b.Sprite(1500, 300, 300, 300, Image("ROUGE.BMP", kRouge));
    b.a->crochets.ObjetSpriteDessine(1, sprite);
    const auto x = [&](double p) {
        b.t->SpriteDeplacerPourcentageX(1, p);
        return b.t->Entree(1).X;
    };
    EXPECT_EQ(x(100), 181);  // (1500 - 19 x 15) + 1500 twips
    EXPECT_EQ(x(-5), x(0));
    EXPECT_EQ(x(0), 100);
    EXPECT_EQ(x(150), x(100));
}

TEST(Sprites, MasqueCacheLeSprite) {
    Banc b;
    // Two points mask nothing; a triangle is cut out of the page.
    ObjetPage& masque = test::AjouterObjet(b.moteur.scene, TypeObjet::Polyligne, 0, 0, 0, 0);
    masque.decoupe = engine::kFormePolyligne;
    masque.chemin.points = {{0, 0}, {40, 0}};
    const int sprite = b.Dernier() + 1;
    masque.elements.push_back({1, static_cast<std::int16_t>(sprite), engine::kLienMasque, "", "", 0});
    b.Sprite(0, 0, 600, 600, Image("ROUGE.BMP", kRouge));
    EXPECT_FALSE(PolyligneSpriteClipping(*b.a, 1, sprite));

    b.moteur.scene.Page(1).Objet(2).chemin.points = {{0, 0}, {20, 0}, {0, 20}};
    const auto region = PolyligneSpriteClipping(*b.a, 1, sprite);
    ASSERT_TRUE(region);
    EXPECT_FALSE(region->contains(QPoint(5, 5)));
    EXPECT_TRUE(region->contains(QPoint(35, 35)));
    EXPECT_TRUE(region->contains(QPoint(199, 149)));
    EXPECT_FALSE(region->contains(QPoint(200, 10))) << "within the page";

    const Couleur dessous = b.P(5, 5);
    b.a->crochets.ObjetSpriteDessine(1, sprite);
    EXPECT_EQ(b.P(5, 5), dessous) << "masked";
    EXPECT_EQ(b.P(15, 15), kRouge);
}

TEST(Sprites, ContourOuvertOuFerme) {
    for (const bool ferme : {false, true}) {
        Banc b;
        ObjetPage& p = test::AjouterObjet(b.moteur.scene, TypeObjet::Polyligne, 0, 0, 0, 0);
        p.chemin.points = {{10, 10}, {50, 10}, {50, 50}};
        p.chemin.fermee = ferme ? -1 : 0;
        b.a->PageTampon.Remplir(kBlanc);
        PolyligneAfficher(*b.a, b.a->PageTampon, 1, b.Dernier(), kNoir, 1);
        EXPECT_EQ(b.P(30, 10), kNoir);
        EXPECT_EQ(b.P(50, 30), kNoir);
        EXPECT_EQ(b.P(30, 30) == kNoir, ferme) << "the closing edge";
    }
}

TEST(Sprites, PolygoneEclairciSeulementHorsNT) {
    for (const bool nt : {true, false}) {
        Banc b(nt);
        ObjetPage& p = test::AjouterObjet(b.moteur.scene, TypeObjet::Image, 150, 150, 600, 600);
        p.decoupe = engine::kFormePolyligne;
        p.chemin.points = {{10, 10}, {50, 10}, {10, 50}};
        b.a->PageEcran.Remplir(Rgb(100, 100, 100));
        PolyligneEclaircir(*b.a, b.a->PageEcran, 1, b.Dernier());
        EXPECT_EQ(b.a->PageEcran.Pixel(15, 15), nt ? Rgb(100, 100, 100) : Rgb(150, 150, 150)) << nt;
        EXPECT_EQ(b.a->PageEcran.Pixel(45, 45), Rgb(100, 100, 100)) << "outside the polygon";
        EXPECT_EQ(b.a->PageEcran.ProfondeurClip(), 0u);
        if (nt) continue;
        // Scrolled by 8 pixels: the visible page is in page pixels, so the
        // lightened polygon stays where the polygon is.
        b.a->DecalageAffichageX = 8;
        b.a->DecalageAffichageY = 5;
        b.a->PageEcran.Remplir(Rgb(100, 100, 100));
        PolyligneEclaircir(*b.a, b.a->PageEcran, 1, b.Dernier());
        EXPECT_EQ(b.a->PageEcran.Pixel(11, 11), Rgb(150, 150, 150)) << "the polygon's own corner";
        EXPECT_EQ(b.a->PageEcran.Pixel(48, 11), Rgb(150, 150, 150)) << "the far corner";
        EXPECT_EQ(b.a->PageEcran.Pixel(3, 15), Rgb(100, 100, 100)) << "nothing left of the polygon";
    }
}

// The outline drawn on the visible page (the hover box of a polygon) lies on
// the polygon whatever the scroll origin.
TEST(Sprites, ContourSurLaPageVisibleSansDecalage) {
    Banc b;
    ObjetPage& p = test::AjouterObjet(b.moteur.scene, TypeObjet::Polyligne, 0, 0, 0, 0);
    p.chemin.points = {{10, 10}, {50, 10}, {50, 50}};
    b.a->DecalageAffichageX = 8;
    b.a->DecalageAffichageY = 6;
    b.a->PageEcran.Remplir(kBlanc);
    PolyligneAfficher(*b.a, b.a->PageEcran, 1, b.Dernier(), kNoir, 1);
    EXPECT_EQ(b.a->PageEcran.Pixel(30, 10), kNoir);
    EXPECT_EQ(b.a->PageEcran.Pixel(50, 30), kNoir);
    EXPECT_EQ(b.a->PageEcran.Pixel(22, 4), kBlanc) << "not moved by the scroll origin";
    EXPECT_EQ(b.a->PageEcran.Pixel(42, 24), kBlanc);
}

TEST(Sprites, LaRedessinDeZoneLeveEtRemetLesSprites) {
    Banc b;
    b.Sprite(300, 300, 300, 300, Image("ROUGE.BMP", kRouge));
    b.a->crochets.ObjetSpriteDessine(1, b.Dernier());
    b.a->crochets.SpritesDisparaissent();
    EXPECT_NE(b.P(25, 25), kRouge);
    b.a->PageTampon.Remplir(kBleu);  // what a redraw lays beneath
    b.a->crochets.SpritesReapparaissent();
    EXPECT_EQ(b.P(25, 25), kRouge);
    b.t->SpriteDisparait(1);
    EXPECT_EQ(b.P(25, 25), kBleu) << "the saved background is the redrawn page";
}

}  // namespace
}  // namespace korv::display
