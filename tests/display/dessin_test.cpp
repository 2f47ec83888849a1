#include "display/dessin.h"

#include <gtest/gtest.h>

#include "page_fabrique.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include <QImage>
#include <QPainter>

#include "display/affichage.h"
#include "display/dessin_champs.h"
#include "display/surface_application.h"
#include "engine/erreur.h"
#include "engine/services_neutres.h"
#include "engine/moteur.h"
#include "engine/recherche.h"

namespace korv::display {
namespace {

using engine::ObjetPage;
using engine::TypeObjet;

// Page of 200 x 150 pixels at 15 twips per pixel; objects in twips.
constexpr int kTpp = 15;

constexpr Couleur kRouge = Rgb(255, 0, 0);
constexpr Couleur kBleu = Rgb(0, 0, 255);
constexpr Couleur kFond = Rgb(10, 120, 200);
constexpr Couleur kGris = Rgb(100, 100, 100);

std::filesystem::path Dossier() {
    static const std::filesystem::path d = [] {
        auto p = std::filesystem::path(::testing::TempDir()) / ("korv_dessin_" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        return p;
    }();
    return d;
}

// A picture file of the test folder, made once.
std::string Fichier(const std::string& nom, const QImage& image, const char* format) {
    const auto chemin = Dossier() / nom;
    if (!std::filesystem::exists(chemin)) {
        EXPECT_TRUE(image.save(QString::fromStdString(chemin.string()), format));
    }
    return chemin.string();
}

QImage Uni(int l, int h, Couleur c) {
    QImage i(l, h, QImage::Format_RGB32);
    i.fill(VersQRgb(c));
    return i;
}

// 20 x 20: left half red, right half blue.
std::string ImageDeuxCouleurs() {
    QImage i = Uni(20, 20, kRouge);
    for (int y = 0; y < 20; ++y) {
        for (int x = 10; x < 20; ++x) i.setPixel(x, y, VersQRgb(kBleu));
    }
    return Fichier("DEUX.BMP", i, "BMP");
}

// 20 x 20 white with a red square at 5..14, and its mask.
std::string ImageMasquee() {
    QImage i = Uni(20, 20, kBlanc);
    QImage m = Uni(20, 20, kBlanc);
    for (int y = 5; y < 15; ++y) {
        for (int x = 5; x < 15; ++x) {
            i.setPixel(x, y, VersQRgb(kRouge));
            m.setPixel(x, y, VersQRgb(kNoir));
        }
    }
    Fichier("LUTIN.MSK", m.convertToFormat(QImage::Format_Mono), "BMP");
    return Fichier("LUTIN.BMP", i, "BMP");
}

struct Banc {
    engine::Moteur moteur;
    std::unique_ptr<AffichagePage> a;

    explicit Banc(bool nt = true) {
        test::ApplicationAffichage();
        moteur.scene.entete.pageLargeur = 200;
        moteur.scene.entete.pageHauteur = 150;
        moteur.scene.pages.resize(1);
        ReglagesAffichage r;
        r.systeme.SystemeWindowsNT = nt;
        a = std::make_unique<AffichagePage>(moteur, r);
        // Object 1 carries the page's name; it is always drawn as a white box.
        Ajouter(TypeObjet::Fond, 0, 0, 3000, 2250).nom = "ACCUEIL";
    }
    ObjetPage& Ajouter(TypeObjet type, int g, int h, int l, int ht) {
        return test::AjouterObjet(moteur.scene, type, g, h, l, ht);
    }
    int Dernier() const { return moteur.scene.Page(1).ObjetNb(); }
    void Dessiner(int objet, OptionsDessin o = {}) { MajDessinObjet(*a, 1, objet, o); }
    Couleur P(int x, int y) const { return a->PageTampon.Pixel(x, y); }
    void Jouer() { moteur.jeu.ModeProgramme = engine::kModeJeu; }
};

TEST(Dessin, FondParEtirement) {
    struct Cas {
        std::int16_t etirement;
        Couleur dans, loin;  // (5, 5) and (150, 100)
    };
    const Cas cas[] = {{0, kFond, kGris}, {-1, kFond, kFond}, {3, kGris, kGris}, {1, kGris, kGris}};
    const std::string fond = Fichier("FOND.BMP", Uni(20, 10, kFond), "BMP");
    for (const Cas& c : cas) {
        Banc b;
        b.a->PageTampon.Remplir(kGris);
        ObjetPage& o = b.moteur.scene.Page(1).Objet(1);
        o.fichier = fond;
        o.I2 = c.etirement;
        ObjetFondDessine(*b.a, 1, 1);
        EXPECT_EQ(b.P(5, 5), c.dans) << c.etirement;
        EXPECT_EQ(b.P(150, 100), c.loin) << c.etirement;
    }
}

TEST(Dessin, FondJpegEtire) {
    Banc b;
    QImage vert = Uni(20, 20, Rgb(0, 200, 0));
    ObjetPage& o = b.moteur.scene.Page(1).Objet(1);
    o.fichier = Fichier("PHOTO.JPG", vert, "JPG");
    o.I2 = -1;
    b.Dessiner(1);
    const Couleur p = b.P(150, 100);
    EXPECT_LT(CouleurComposanteRouge(p), 20);
    EXPECT_GT(CouleurComposanteVerte(p), 180);
}

TEST(Dessin, ImageCopieeAvecSonDecalage) {
    Banc b;
    ObjetPage& o = b.Ajouter(TypeObjet::Image, 300, 300, 300, 300);  // (20, 20) 20 x 20 pixels
    o.C1 = 0;
    o.fichier = ImageDeuxCouleurs();
    o.A1 = -150;  // the picture shifted 10 pixels left: its blue half shows at the left
    b.Dessiner(b.Dernier());
    EXPECT_EQ(b.P(20, 20), kBleu);
    EXPECT_EQ(b.P(29, 25), kBleu);
    EXPECT_EQ(b.P(31, 25), kBlanc);  // past the picture: the white box of style 0
}

TEST(Dessin, ImageTransparenteParSonMasque) {
    struct Cas {
        bool masque;
    };
    for (const Cas c : {Cas{true}, Cas{false}}) {
        Banc b;
        b.a->PageTampon.Remplir(kGris);
        ObjetPage& o = b.Ajouter(TypeObjet::Image, 300, 300, 300, 300);
        o.C1 = champs::kCadreTransparent;
        o.fichier = ImageMasquee();
        if (!c.masque) {
            const auto sans = Dossier() / "NU.BMP";
            std::filesystem::copy_file(o.fichier, sans, std::filesystem::copy_options::overwrite_existing);
            o.fichier = sans.string();
        }
        b.Dessiner(b.Dernier());
        EXPECT_EQ(b.P(30, 30), kRouge) << c.masque;  // inside the square
        EXPECT_EQ(b.P(22, 22), kGris) << c.masque;   // the page shows through
        EXPECT_EQ(b.P(38, 38), kGris) << c.masque;
    }
}

TEST(Dessin, StylesDuCadre) {
    struct Cas {
        std::int16_t style;
        Couleur attendu;  // centre of the object on a grey page
    };
    const Cas cas[] = {{0, kBlanc}, {2, kBleu}, {6, kGris}, {7, kGris}, {8, kGris}, {10, kGris}};
    for (const Cas& c : cas) {
        Banc b;
        b.a->PageTampon.Remplir(kGris);
        ObjetPage& o = b.Ajouter(TypeObjet::Video, 300, 300, 300, 300);
        o.C1 = c.style;
        o.D1 = static_cast<std::int32_t>(kBleu);
        b.Dessiner(b.Dernier());
        EXPECT_EQ(b.P(30, 30), c.attendu) << c.style;
        EXPECT_EQ(b.P(10, 10), kGris) << c.style;
    }
    // Object 1 is a white box whatever its style.
    Banc b;
    b.a->PageTampon.Remplir(kGris);
    b.moteur.scene.Page(1).Objet(1).C1 = 2;
    b.Dessiner(1);
    EXPECT_EQ(b.P(100, 100), kBlanc);
}

TEST(Dessin, BoutonEnReliefAvecImageDansLaBordure) {
    Banc b;
    ObjetPage& o = b.Ajouter(TypeObjet::Bouton, 300, 300, 900, 600);  // (20, 20) 60 x 40 pixels
    o.C1 = champs::kCadre3D;
    o.C2 = 60;  // 4-pixel bevel
    o.D1 = static_cast<std::int32_t>(Rgb(120, 120, 120));
    o.fichier = ImageDeuxCouleurs();
    o.H3 = 1;  // no picture offset
    b.Dessiner(b.Dernier());
    EXPECT_EQ(b.P(50, 21), Rgb(170, 170, 170));  // top band: lighter
    EXPECT_EQ(b.P(21, 50), Rgb(170, 170, 170));  // left band
    EXPECT_EQ(b.P(60, 58), Rgb(70, 70, 70));     // bottom band: darker
    EXPECT_EQ(b.P(78, 40), Rgb(70, 70, 70));     // right band
    EXPECT_EQ(b.P(24, 24), kRouge);              // picture inside the bevel
    EXPECT_EQ(b.P(34, 24), kBleu);
    EXPECT_EQ(b.P(50, 50), Rgb(120, 120, 120));  // face beyond the picture
}

TEST(Dessin, OmbreDeCoteSelonLeSysteme) {
    for (bool nt : {true, false}) {
        Banc b(nt);
        ObjetPage& o = b.Ajouter(TypeObjet::Image, 300, 300, 300, 300);  // (20, 20) 20 x 20
        o.C1 = 2;
        o.E1 = 4;
        b.Dessiner(b.Dernier());
        const Couleur ombre = nt ? kBlanc : Rgb(205, 205, 205);
        EXPECT_EQ(b.P(41, 30), ombre) << nt;  // right band, moved down by 4
        EXPECT_EQ(b.P(30, 41), ombre) << nt;  // bottom band, moved right by 4
        EXPECT_EQ(b.P(41, 21), kBlanc) << nt;
    }
}

TEST(Dessin, ContourSelonLaFormeEtLeStyle) {
    struct Cas {
        std::int16_t style;
        std::uint8_t forme;
        bool rouge;      // the edge is red
        bool polyligne;  // the polyline hook drew
    };
    const Cas cas[] = {{2, 1, true, false}, {5, 1, false, false}, {2, 2, false, true}, {2, 0, false, true}};
    for (const Cas& c : cas) {
        Banc b;
        bool polyligne = false;
        b.a->crochets.PolyligneAfficher = [&](Surface&, int, int, Couleur couleur, int epaisseur) {
            polyligne = couleur == kRouge && epaisseur == 3;
        };
        ObjetPage& o = b.Ajouter(TypeObjet::Bouton, 300, 300, 300, 300);
        o.C1 = c.style;
        o.C3 = 3;
        o.D2 = static_cast<std::int32_t>(kRouge);
        o.decoupe = c.forme;
        b.Dessiner(b.Dernier());
        EXPECT_EQ(b.P(20, 30) == kRouge, c.rouge) << c.style << " " << int{c.forme};
        EXPECT_EQ(polyligne, c.polyligne) << c.style << " " << int{c.forme};
    }
}

TEST(Dessin, DecoupePolygonaleLimiteLImage) {
    Banc b;
    b.a->PageTampon.Remplir(kGris);
    ObjetPage& o = b.Ajouter(TypeObjet::Image, 300, 300, 300, 300);
    o.C1 = 0;
    o.I2 = -1;
    o.fichier = Fichier("ROUGE.BMP", Uni(4, 4, kRouge), "BMP");
    o.decoupe = champs::kFormePolygone;
    o.chemin.points = {{20, 20}, {40, 20}, {20, 40}};  // the upper-left half, pixels
    b.Dessiner(b.Dernier());
    EXPECT_EQ(b.P(23, 23), kRouge);
    EXPECT_EQ(b.P(37, 37), kGris);  // in the rectangle, outside the triangle
    EXPECT_EQ(b.a->PageTampon.ProfondeurClip(), 0u);
}

TEST(Dessin, MelangesDImages) {
    struct Cas {
        std::int16_t style;
        std::int16_t pourcentage;
        bool nt;
        Couleur page, attendu;
    };
    // The picture is plain red (255, 0, 0).
    const Cas cas[] = {
        {7, 0, true, kBlanc, Rgb(255, 170, 170)},     // weights 10 page, 5 picture
        {11, 150, true, kBlanc, kBlanc},              // clamped: 100 page, 0 picture
        {11, -5, true, kBlanc, kRouge},               // 0 page, 100 picture
        {11, 50, true, kBlanc, Rgb(255, 128, 128)},
        {6, 0, false, Rgb(0, 100, 100), Rgb(255, 100, 100)},  // additive
        {6, 0, true, Rgb(0, 100, 100), Rgb(0, 100, 100)},     // not drawn on "Windows NT"
    };
    for (const Cas& c : cas) {
        Banc b(c.nt);
        b.a->PageTampon.Remplir(c.page);
        ObjetPage& o = b.Ajouter(TypeObjet::Image, 300, 300, 300, 300);
        o.C1 = c.style;
        o.C2 = c.pourcentage;
        o.I2 = -1;
        o.fichier = Fichier("ROUGE.BMP", Uni(4, 4, kRouge), "BMP");
        b.Dessiner(b.Dernier());
        const Couleur p = b.P(30, 30);
        EXPECT_NEAR(CouleurComposanteRouge(p), CouleurComposanteRouge(c.attendu), 1) << c.style << " " << c.pourcentage;
        EXPECT_NEAR(CouleurComposanteVerte(p), CouleurComposanteVerte(c.attendu), 1) << c.style << " " << c.pourcentage;
        EXPECT_EQ(b.P(10, 10), c.page);
    }
}

// A picture shows only with a stretch flag of 0 or -1, in every style; the
// blend styles lay BMP pictures only (a JPEG blends nothing).
TEST(Dessin, ImageSelonEtirementEtGenreDeFichier) {
    struct Cas {
        std::int16_t style;
        std::int16_t etirement;
        bool jpeg;
        bool montre;
    };
    const Cas cas[] = {
        {0, 0, false, true},   {0, -1, false, true},  {0, 1, false, false},  {0, 3, false, false},
        {0, 0, true, true},    {0, 1, true, false},   {2, -1, false, true},  {2, 1, false, false},
        {8, 0, false, true},   {8, 2, false, false},  {10, -1, true, true},  {10, -2, true, false},
        {5, 0, false, true},   {5, 1, false, false},  {7, -1, false, true},  {7, 1, false, false},
        {7, -1, true, false},  {7, 0, true, false},   {11, 0, true, false},  {11, 0, false, true},
    };
    const std::string bmp = Fichier("ROUGE.BMP", Uni(4, 4, kRouge), "BMP");
    const std::string jpeg = Fichier("ROUGE.JPG", Uni(20, 20, kRouge), "JPG");
    for (const Cas& c : cas) {
        Banc b;
        b.a->PageTampon.Remplir(kGris);
        ObjetPage& o = b.Ajouter(TypeObjet::Image, 300, 300, 300, 300);
        o.C1 = c.style;
        o.C2 = 50;
        o.D1 = static_cast<std::int32_t>(kGris);
        o.I2 = c.etirement;
        o.fichier = c.jpeg ? jpeg : bmp;
        b.Dessiner(b.Dernier());
        const Couleur p = b.P(21, 21);
        const bool rouge = CouleurComposanteRouge(p) > CouleurComposanteVerte(p) + 40;
        EXPECT_EQ(rouge, c.montre) << "style " << c.style << ", stretch " << c.etirement << (c.jpeg ? ", JPEG" : ", BMP");
    }
}

TEST(Dessin, MelangeDUneImageAbsenteNeChangeRien) {
    Banc b;
    ObjetPage& o = b.Ajouter(TypeObjet::Image, 300, 300, 300, 300);
    o.C1 = 7;
    o.I2 = 0;
    o.fichier = (Dossier() / "ABSENTE.BMP").string();
    b.Dessiner(b.Dernier());
    EXPECT_EQ(b.P(30, 30), kBlanc);
}

TEST(Dessin, BoutonLegendeEtStyle8) {
    struct Cas {
        std::uint8_t disposition;
        std::string texte;
        std::int16_t style;
        int mode;  // -1: no caption
    };
    const Cas cas[] = {{0, "OK", 2, 2}, {1, "OK", 2, 0}, {2, "OK", 2, -1}, {0, "", 2, -1}, {1, "OK", 8, -1}};
    for (const Cas& c : cas) {
        Banc b;
        int mode = -1;
        b.a->crochets.BoutonLegendeDessine = [&](Surface&, int, int, int m) { mode = m; };
        ObjetPage& o = b.Ajouter(TypeObjet::Bouton, 300, 300, 300, 300);
        o.H3 = c.disposition;
        o.texte = c.texte;
        o.C1 = c.style;
        o.fichier = ImageDeuxCouleurs();
        b.Dessiner(b.Dernier());
        EXPECT_EQ(mode, c.mode) << int{c.disposition} << " " << c.texte << " " << c.style;
        // Style 8 draws no picture either.
        EXPECT_EQ(b.P(21, 21) == kRouge, c.style != 8) << c.style;
    }
}

TEST(Dessin, ListeDesObjetsAffichesEnJeu) {
    Banc b(false);
    b.Jouer();
    ObjetPage& chrono = b.Ajouter(TypeObjet::Chrono, 0, 0, 300, 300);
    chrono.C1 = 0;
    const int nChrono = b.Dernier();
    ObjetPage& image = b.Ajouter(TypeObjet::Image, 300, 300, 300, 300);
    image.C1 = 2;
    image.E1 = 4;
    const int nImage = b.Dernier();

    b.Dessiner(nChrono);
    EXPECT_EQ(b.moteur.affiches.Nombre(), 0);  // timers are never shown
    EXPECT_EQ(b.P(5, 5), kBlanc);              // but get their frame
    b.Dessiner(nImage, {true, true, false, 3});
    ASSERT_EQ(b.moteur.affiches.Nombre(), 1);
    EXPECT_EQ(b.moteur.affiches.Entree(1).morceauTexte, 3);
    EXPECT_EQ(b.P(41, 30), Rgb(205, 205, 205));

    // Drawn again without its surroundings: no second shadow, no second entry.
    b.a->PageTampon.Remplir(kBlanc);
    b.Dessiner(nImage, {true, true, false, -1});
    EXPECT_EQ(b.moteur.affiches.Nombre(), 1);
    EXPECT_EQ(b.P(41, 30), kBlanc);
    b.Dessiner(nImage, {true, true, true, -1});
    EXPECT_EQ(b.P(41, 30), Rgb(205, 205, 205));
}

TEST(Dessin, PageCompileeMontreLesObjetsParSonImage) {
    Banc b;
    b.Jouer();
    b.moteur.scene.entete.pagesCompilees = -1;
    ObjetPage& un = b.moteur.scene.Page(1).Objet(1);
    un.G[1] = engine::kPageCompilee;
    un.I2 = -1;
    un.fichier = Fichier("COMPILEE.BMP", Uni(200, 150, kBleu), "BMP");
    ObjetPage& o = b.Ajouter(TypeObjet::Image, 300, 300, 300, 300);
    o.C1 = 2;
    o.D1 = static_cast<std::int32_t>(kRouge);
    o.B1 = 1;
    const int n = b.Dernier();
    ASSERT_NE(engine::PageCompilee(b.moteur.scene, 1), 0);

    b.Dessiner(n);
    EXPECT_EQ(b.P(30, 30), kBlanc);  // first display: nothing of its own
    EXPECT_EQ(b.moteur.affiches.Nombre(), 1);
    b.Dessiner(n, {true, true, true, -1});
    EXPECT_EQ(b.P(30, 30), kBleu);  // later: copied from the page's picture
    EXPECT_EQ(b.P(10, 10), kBlanc);
}

TEST(Dessin, ErreursPiegeesSeulementSelonLeModeDErreur) {
    for (const std::int16_t mode : {std::int16_t{0}, std::int16_t{4}}) {
        Banc b;
        const auto dossier = Dossier() / ("mode" + std::to_string(mode));
        std::filesystem::create_directories(dossier);
        b.moteur.dossierProgramme = dossier.string();
        b.moteur.ModeErreur = mode;
        b.a->crochets.ObjetTexteDessine = [](int, int, std::int32_t, std::int32_t, std::int32_t, std::int32_t, bool,
                                             int) { throw engine::ErreurMoteur(engine::kErreurProgramme, "A999"); };
        b.Ajouter(TypeObjet::Texte, 0, 0, 300, 300);
        if (mode == 0) {
            EXPECT_THROW(b.Dessiner(b.Dernier()), engine::ErreurMoteur);
            EXPECT_FALSE(std::filesystem::exists(dossier / "ERROR.TXT"));
        } else {
            EXPECT_NO_THROW(b.Dessiner(b.Dernier()));  // reported under the procedure's name
            EXPECT_TRUE(std::filesystem::exists(dossier / "ERROR.TXT"));
        }
    }
}

class DeclencheurTrace final : public engine::DeclencheurNeutre {
public:
    explicit DeclencheurTrace(engine::Moteur& m) : moteur(m) {}
    void DeclencheObjet(int page, int objet, int element, int action, int mode, int source) override {
        appels.push_back({page, objet, element, action, mode, source, moteur.jeu.PageCourante});
    }
    engine::Moteur& moteur;
    std::vector<std::vector<int>> appels;
};

TEST(Dessin, PageAvantPlanDeclencheeParDessus) {
    Banc b;
    DeclencheurTrace trace(b.moteur);
    b.moteur.Services().declencheur = &trace;
    b.moteur.jeu.PageCourante = 1;
    AfficherPageAvantPlan(*b.a);
    EXPECT_TRUE(trace.appels.empty());  // no page "AVANTPLAN"

    engine::PageScene avant;
    auto objet = [&](TypeObjet t, int position, std::int16_t hors) {
        ObjetPage o;
        o.type = static_cast<std::uint8_t>(t);
        o.G[0] = static_cast<std::int16_t>(position);
        o.B3 = hors;
        avant.objets.push_back(o);
    };
    objet(TypeObjet::Fond, 1, 0);
    objet(TypeObjet::Bouton, 3, 0);
    objet(TypeObjet::Image, 2, 0);
    objet(TypeObjet::Image, 4, 1);  // kept off the foreground layer
    avant.objets[0].nom = "AVANTPLAN";
    avant.objets[0].elements = {{2, 3, 9, "", "", 0}, {1, 2, 5, "", "", 0}};
    b.moteur.scene.pages.push_back(avant);

    AfficherPageAvantPlan(*b.a);
    const std::vector<std::vector<int>> attendu = {
        {2, 3, 0, 0, 2, 1, 2}, {2, 2, 0, 0, 2, 1, 2}, {2, 3, 0, 9, 2, 1, 2}};
    EXPECT_EQ(trace.appels, attendu);
    EXPECT_EQ(b.moteur.jeu.PageCourante, 1);
    b.moteur.Services().declencheur = nullptr;
}

TEST(Dessin, PageAvantPlanQuitteeParUnSaut) {
    // The first foreground firing jumps (a new page is prepared): the new
    // page stays current and nothing more of the layer fires.
    class DeclencheurSaut final : public engine::DeclencheurNeutre {
    public:
        explicit DeclencheurSaut(engine::Moteur& m) : moteur(m) {}
        void DeclencheObjet(int page, int objet, int, int, int, int) override {
            appels.push_back({page, objet});
            moteur.jeu.PageCourante = 3;
            ++moteur.jeu.generationPreparation;
        }
        engine::Moteur& moteur;
        std::vector<std::vector<int>> appels;
    };
    Banc b;
    DeclencheurSaut saut(b.moteur);
    b.moteur.Services().declencheur = &saut;
    b.moteur.jeu.PageCourante = 1;
    engine::PageScene avant;
    for (int i = 1; i <= 3; ++i) {
        ObjetPage o;
        o.type = static_cast<std::uint8_t>(i == 1 ? TypeObjet::Fond : TypeObjet::Image);
        o.G[0] = static_cast<std::int16_t>(i);
        avant.objets.push_back(o);
    }
    avant.objets[0].nom = "AVANTPLAN";
    avant.objets[0].elements = {{2, 3, 9, "", "", 0}};
    b.moteur.scene.pages.push_back(avant);
    b.moteur.scene.pages.emplace_back();

    AfficherPageAvantPlan(*b.a);
    EXPECT_EQ(saut.appels, (std::vector<std::vector<int>>{{2, 2}}));
    EXPECT_EQ(b.moteur.jeu.PageCourante, 3);
    b.moteur.Services().declencheur = nullptr;
}

TEST(Dessin, PageEchantillonRendueEnPng) {
    Banc b(false);
    b.Jouer();
    ObjetPage& fond = b.moteur.scene.Page(1).Objet(1);
    fond.fichier = Fichier("FOND.BMP", Uni(20, 10, kFond), "BMP");
    fond.I2 = -1;
    ObjetPage& bouton = b.Ajouter(TypeObjet::Bouton, 150, 1500, 900, 450);
    bouton.C1 = 1;
    bouton.C2 = 45;
    bouton.D1 = static_cast<std::int32_t>(Rgb(192, 192, 192));
    bouton.E1 = 3;
    ObjetPage& lutin = b.Ajouter(TypeObjet::Image, 1500, 300, 300, 300);
    lutin.C1 = 5;
    lutin.fichier = ImageMasquee();
    ObjetPage& cadre = b.Ajouter(TypeObjet::Image, 300, 300, 600, 600);
    cadre.C1 = 7;
    cadre.C3 = 2;
    cadre.D2 = static_cast<std::int32_t>(kRouge);
    cadre.I2 = -1;
    cadre.fichier = ImageDeuxCouleurs();
    for (const auto n : engine::ListeObjetsPageEnZOrder(b.moteur.scene, 1)) {
        if (n > 0) b.Dessiner(n);
    }
    b.a->Effet(0);
    const auto png = Dossier() / "page_echantillon.png";
    ASSERT_TRUE(b.a->PageEcran.Image().save(QString::fromStdString(png.string()), "PNG"));
    const QImage relue(QString::fromStdString(png.string()));
    ASSERT_EQ(relue.size(), QSize(200, 150));
    EXPECT_EQ(DepuisQRgb(relue.pixel(150, 10)), kFond);
    EXPECT_EQ(DepuisQRgb(relue.pixel(109, 29)), kRouge);  // the picture through its mask
    EXPECT_EQ(DepuisQRgb(relue.pixel(101, 21)), kFond);
    EXPECT_EQ(DepuisQRgb(relue.pixel(20, 30)), kRouge);   // outline of the cross-faded picture
    EXPECT_EQ(DepuisQRgb(relue.pixel(40, 128)), Rgb(142, 142, 142));  // bottom band of the button
    EXPECT_EQ(b.moteur.affiches.Nombre(), 4);
}

}  // namespace
}  // namespace korv::display
