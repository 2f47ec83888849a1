#include "display/texte_riche.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

#include "display/affichage.h"
#include "display/dessin.h"
#include "engine/moteur.h"
#include "engine/objets_affiches.h"
#include "page_fabrique.h"
#include "rtf/lecteur.h"
#include "surface_application.h"

namespace korv::display {
namespace {

using engine::ObjetPage;
using engine::TypeObjet;

constexpr Couleur kGris = Rgb(100, 100, 100);

std::string FichierTemporaire(const std::string& nom, const std::string& contenu) {
    const auto dossier = std::filesystem::path(::testing::TempDir()) / ("korv_rtf_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dossier);
    const auto chemin = dossier / nom;
    std::ofstream(chemin, std::ios::binary) << contenu;
    return chemin.string();
}

// A page of 200 x 150 pixels (15 twips each), grey, with one rich-text
// object at (20, 10) pixels of 160 x 100.
struct Banc {
    engine::Moteur moteur;
    std::unique_ptr<AffichagePage> a;
    std::unique_ptr<TexteRicheAffichage> riche;

    Banc() {
        test::ApplicationAffichage();
        moteur.scene.entete.pageLargeur = 200;
        moteur.scene.entete.pageHauteur = 150;
        moteur.scene.pages.resize(1);
        a = std::make_unique<AffichagePage>(moteur);
        riche = std::make_unique<TexteRicheAffichage>(*a);
        riche->Brancher();
        test::AjouterObjet(moteur.scene, TypeObjet::Fond, 0, 0, 3000, 2250).nom = "ACCUEIL";
        ObjetPage& o = test::AjouterObjet(moteur.scene, TypeObjet::TexteRtf, 300, 150, 2400, 1500);
        o.C1 = 8;  // no frame of its own
        o.G[2] = kDrapeauTexteUtilisateur;
        o.nom = "RICHE";
        a->PageTampon.Remplir(kGris);
    }
    ObjetPage& O() { return moteur.scene.Page(1).Objet(2); }
    void Dessiner() {
        a->PageTampon.Remplir(kGris);
        MajDessinObjet(*a, 1, 2, OptionsDessin{});
    }
    QImage Zone() { return a->PageTampon.Image().copy(20, 10, 160, 100); }
    int Encre() {
        int n = 0;
        const QImage z = Zone();
        for (int y = 0; y < z.height(); ++y) {
            for (int x = 0; x < z.width(); ++x) n += z.pixel(x, y) != VersQRgb(kGris);
        }
        return n;
    }
};

TEST(TexteRiche, DessineSurLaPageSansFond) {
    Banc b;
    b.O().texte = R"({\rtf1 {\fs40 Bonjour}})";
    b.Dessiner();
    EXPECT_GT(b.Encre(), 30);
    // Around the letters the page stays as it was; nothing outside the object.
    EXPECT_EQ(b.a->PageTampon.Pixel(178, 108), kGris);
    const QImage tout = b.a->PageTampon.Image();
    for (int y = 0; y < tout.height(); ++y) {
        for (int x = 0; x < tout.width(); ++x) {
            if (x >= 20 && x < 180 && y >= 10 && y < 110) continue;
            ASSERT_EQ(tout.pixel(x, y), VersQRgb(kGris)) << x << "," << y;
        }
    }
}

TEST(TexteRiche, SansTexteNiFichierRienNeChange) {
    Banc b;
    b.O().G[2] = 0;
    b.O().texte = R"({\rtf1 {\fs40 ignored}})";  // not the user's text: the file is read, and there is none
    b.Dessiner();
    EXPECT_EQ(b.Encre(), 0);
}

TEST(TexteRiche, TexteAbimeJournaliseEtVide) {
    Banc b;
    const auto dossier = std::filesystem::path(FichierTemporaire("x", "")).parent_path() / "abime";
    std::filesystem::create_directories(dossier);
    b.moteur.dossierProgramme = dossier.string();
    b.O().texte = "{\\rtf1 " + std::string(400, '{') + "texte";
    EXPECT_NO_THROW(b.Dessiner());
    EXPECT_EQ(b.Encre(), 0);
    std::ifstream journal(dossier / "ERROR.TXT", std::ios::binary);
    const std::string lu{std::istreambuf_iterator<char>(journal), {}};
    EXPECT_NE(lu.find("ObjetTexteRTFDessine"), std::string::npos) << lu;
    EXPECT_NE(lu.find("RICHE"), std::string::npos) << lu;
    EXPECT_EQ(b.a->TexteNbPage(1, 2), 1);
}

TEST(TexteRiche, LesPagesSeTournentEnJeu) {
    Banc b;
    b.O().texte = R"({\rtf1 {\fs40 AAAA}\'a4\par {\fs40 B}})";
    Banc seule;
    seule.O().texte = R"({\rtf1 {\fs40 B}})";
    seule.Dessiner();

    b.moteur.jeu.ModeProgramme = engine::kModeJeu;
    b.Dessiner();  // the first draw makes the displayed entry
    const int k = engine::ObjetAfficheNObjetVersNAffiche(b.moteur.affiches, 1, 2);
    ASSERT_GT(k, 0);
    b.moteur.affiches.Entree(k).morceauTexte = 1;
    b.Dessiner();
    const QImage page1 = b.Zone();
    b.moteur.affiches.Entree(k).morceauTexte = 2;
    b.Dessiner();
    EXPECT_NE(b.Zone(), page1);
    EXPECT_EQ(b.Zone(), seule.Zone());  // page 2 is "B", first character kept
    // A caret position picks the page that holds it.
    b.moteur.affiches.Entree(k).morceauTexte = 1;
    b.moteur.affiches.Entree(k).ligneTexteLong = 7;
    b.Dessiner();
    EXPECT_EQ(b.Zone(), seule.Zone());
}

TEST(TexteRiche, HorsJeuLaPageInitiale) {
    Banc b;
    b.O().texte = R"({\rtf1 {\fs40 AAAA}\'a4\par {\fs40 B}})";
    Banc seule;
    seule.O().texte = R"({\rtf1 {\fs40 B}})";
    seule.Dessiner();
    b.O().C2 = 2;
    b.Dessiner();
    EXPECT_EQ(b.Zone(), seule.Zone());
}

TEST(TexteRiche, TexteDuFichier) {
    Banc b;
    Banc texte;
    texte.O().texte = R"({\rtf1 {\fs40 Fichier}})";
    texte.Dessiner();
    b.O().G[2] = 0;
    b.O().fichier = FichierTemporaire("DESSIN.RTF", texte.O().texte);
    b.Dessiner();
    EXPECT_EQ(b.Zone(), texte.Zone());
}

TEST(TexteRiche, PagesEtMarqueurs) {
    Banc b;
    b.O().texte = R"({\rtf1 A\'a4\par B})";
    EXPECT_EQ(b.a->TexteRicheNbMarqueurPage(1, 2), 1);
    EXPECT_EQ(b.a->TexteNbPage(1, 2), 2);
    b.O().texte = R"({\rtf1 A\'a4 B\'a4\par})";
    EXPECT_EQ(b.a->TexteNbPage(1, 2), 2);
    EXPECT_EQ(b.a->TexteRicheNbMarqueurPage(1, 9), 0);
}

TEST(TexteRiche, HauteurMesuree) {
    test::ApplicationAffichage();
    const auto un = rtf::LireTexteRiche("{\\rtf1 A}");
    const auto deux = rtf::LireTexteRiche("{\\rtf1 A\\par B}");
    const std::int32_t h = TexteRicheHauteurMesure(*un, 3000, 15);
    EXPECT_GT(h, 0);
    EXPECT_EQ(TexteRicheHauteurMesure(*deux, 3000, 15), 2 * h);
}

TEST(TexteRiche, ChargementDuFichier) {
    const std::string fichier = FichierTemporaire("CHARGE.RTF", "{\\rtf1 du fichier}");
    struct Cas {
        std::string nom;
        std::int16_t drapeaux;
        const char* attendu;
    } cas[] = {
        {"", kDrapeauTexteUtilisateur, "ancien"},     // no file name: the text stays
        {fichier, 0, ""},                              // bit 2 clear: emptied
        {fichier, kDrapeauTexteUtilisateur, "{\\rtf1 du fichier}"},
        {fichier + ".ABSENT", kDrapeauTexteUtilisateur, ""},  // a missing file leaves it empty
    };
    for (const Cas& c : cas) {
        engine::Scene scene;
        scene.pages.resize(1);
        ObjetPage& o = test::AjouterObjet(scene, TypeObjet::TexteRtf, 0, 0, 100, 100);
        o.texte = "ancien";
        o.fichier = c.nom;
        o.G[2] = c.drapeaux;
        EXPECT_TRUE(ObjetTexteFichierCharge(scene, 1, 1));
        EXPECT_EQ(scene.Page(1).Objet(1).texte, c.attendu) << c.nom;
    }
}

// The method boxes, recorded.
struct BoitesEnregistrees final : BoitesTexteMethode {
    std::string menu, methode;
    RectangleTwips place;
    int placements = 0;
    void MenuSavMontrer(const rtf::Document& t, const RectangleTwips& p) override {
        menu = rtf::TexteUtf8(t.TexteBrut());
        place = p;
    }
    void TexteMethodeMontrer(const rtf::Document& t, const RectangleTwips& p) override {
        methode = rtf::TexteUtf8(t.TexteBrut());
        place = p;
    }
    void MenuSavTexteMetPlacer() override { ++placements; }
};

TEST(TexteRiche, TexteDeMethodeDansSaBoiteEnJeu) {
    Banc b;
    BoitesEnregistrees boites;
    b.riche->DefinirBoitesMethode(&boites);
    b.O().nom = "TEXTEMET";
    b.O().texte = R"({\rtf1 Un\'a4\par Deux\'a4\par Trois})";
    b.moteur.jeu.ModeProgramme = engine::kModeJeu;
    b.Dessiner();
    const int k = engine::ObjetAfficheNObjetVersNAffiche(b.moteur.affiches, 1, 2);
    ASSERT_GT(k, 0);
    b.moteur.affiches.Entree(k).morceauTexte = 2;
    b.Dessiner();
    EXPECT_EQ(boites.methode, "Deux\r\n");
    EXPECT_EQ(boites.placements, 2);
    // Shorter than its panel: centred on it.
    const std::int32_t h = TexteRicheHauteurMesure(*rtf::LireTexteRiche("{\\rtf1 Deux\\par\\par}"), 2400, 15) * 15;
    EXPECT_EQ(boites.place, (RectangleTwips{300, 150 + (1500 - h) / 2, 2400, h}));
    EXPECT_EQ(b.Encre(), 0);  // nothing drawn into the buffer

    b.O().nom = "MENUSAV";
    b.Dessiner();
    EXPECT_EQ(boites.menu, "Un¤\r\nDeux¤\r\nTrois");
    EXPECT_EQ(boites.place, (RectangleTwips{300, 150, 2400, 1500}));

    // Outside play both are drawn into the buffer.
    b.moteur.jeu.ModeProgramme = 0;
    boites.menu.clear();
    b.Dessiner();
    EXPECT_TRUE(boites.menu.empty());
    EXPECT_GT(b.Encre(), 0);
}

}  // namespace
}  // namespace korv::display

namespace korv::display {
namespace {

// Columns and rows of an image that hold a non-white pixel.
QRect Encre(const QImage& image) {
    QRect r;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) r = r.united(QRect(x, y, 1, 1));
        }
    }
    return r;
}

TEST(TexteRiche, RenduDansUneSurfaceAvecMarges) {
    test::ApplicationAffichage();
    const auto texte = rtf::LireTexteRiche("{\\rtf1 {\\fs40 MMMM MMMM MMMM MMMM}\\par{\\fs40 MMMM}}");
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    TexteRicheAfficheDansSurface(*texte, image, 15, 0, 0, 0, 0, 0, -1);
    const QRect libre = Encre(image);
    ASSERT_FALSE(libre.isEmpty());

    image.fill(Qt::white);
    // 20 pixels from the left and the top, 100 from the right, 150 from the bottom.
    TexteRicheAfficheDansSurface(*texte, image, 15, 300, 300, 1500, 2250, 0, -1);
    const QRect r = Encre(image);
    ASSERT_FALSE(r.isEmpty());
    EXPECT_GE(r.left(), 20);
    EXPECT_GE(r.top(), 20);
    EXPECT_LT(r.right(), 100);
    EXPECT_LT(r.bottom(), 50);

    // A larger screen resolution (fewer twips per pixel) draws larger letters.
    image.fill(Qt::white);
    TexteRicheAfficheDansSurface(*texte, image, 10, 0, 0, 0, 0, 0, 4);
    const QRect grand = Encre(image);
    image.fill(Qt::white);
    TexteRicheAfficheDansSurface(*texte, image, 15, 0, 0, 0, 0, 0, 4);
    EXPECT_GT(grand.width(), Encre(image).width());
    EXPECT_EQ(image.dotsPerMeterX(), QImage(1, 1, QImage::Format_RGB32).dotsPerMeterX()) << "the image keeps its own";
}

}  // namespace
}  // namespace korv::display
