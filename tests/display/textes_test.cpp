#include "display/textes.h"

#include <gtest/gtest.h>

#include "page_fabrique.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#include <QImage>

#include "display/affichage.h"
#include "display/dessin.h"
#include "display/surface_application.h"
#include "engine/moteur.h"

namespace korv::display {
namespace {

using engine::ObjetPage;
using engine::TypeObjet;

constexpr Couleur kRouge = Rgb(255, 0, 0);
constexpr Couleur kBleu = Rgb(0, 0, 255);
constexpr Couleur kMarine = Rgb(0, 0, 128);

// A page of 400 x 300 pixels at 15 twips per pixel, with the texts plugged in.
struct Banc {
    engine::Moteur moteur;
    std::unique_ptr<AffichagePage> a;
    std::unique_ptr<TextesPage> textes;

    Banc() {
        test::ApplicationAffichage();
        moteur.scene.entete.pageLargeur = 400;
        moteur.scene.entete.pageHauteur = 300;
        moteur.scene.entete.langueNb = 1;
        moteur.scene.pages.resize(1);
        a = std::make_unique<AffichagePage>(moteur);
        ReglagesTextes r;
        r.dossierCache = std::filesystem::path(::testing::TempDir()) / ("korv_textes_" + std::to_string(::getpid()));
        r.policeDefaut = "ARIAL";
        textes = std::make_unique<TextesPage>(*a, r);
        textes->Brancher();
        test::AjouterObjet(moteur.scene, TypeObjet::Fond, 0, 0, 6000, 4500).nom = "ACCUEIL";
        test::AjouterObjet(moteur.scene, TypeObjet::Fond, 0, 0, 6000, 4500).C1 = 0;
    }
    ObjetPage& Ajouter(TypeObjet type, int g, int h, int l, int ht) {
        ObjetPage& o = test::AjouterObjet(moteur.scene, type, g, h, l, ht);
        o.C1 = 0;  // white box under it
        return o;
    }
    int Dernier() const { return moteur.scene.Page(1).ObjetNb(); }
    void Dessiner(int objet) { MajDessinObjet(*a, 1, objet, {}); }
    Couleur P(int x, int y) const { return a->PageTampon.Pixel(x, y); }

    // The box (pixels) of the pixels of one colour inside a rectangle.
    QRect Boite(const QRect& dans, Couleur c) const {
        QRect r;
        for (int y = dans.top(); y <= dans.bottom(); ++y) {
            for (int x = dans.left(); x <= dans.right(); ++x) {
                if (P(x, y) == c) r = r.united(QRect(x, y, 1, 1));
            }
        }
        return r;
    }
    // The longest run of one colour on a row.
    int PlusLongueSuite(int y, int x1, int x2, Couleur c) const {
        int meilleure = 0, suite = 0;
        for (int x = x1; x <= x2; ++x) {
            suite = P(x, y) == c ? suite + 1 : 0;
            meilleure = std::max(meilleure, suite);
        }
        return meilleure;
    }
};

// Every text starts from the default font at size 11, black, without
// styles, relief, link or alignment.
TEST(Textes, FormatageDeDepart) {
    Banc b;
    text::FormatageTexte attendu;
    attendu.police = "ARIAL";
    EXPECT_EQ(b.textes->FormatageDefaut, attendu);
    EXPECT_EQ(b.textes->FormatageDefaut.taille, 11);
    EXPECT_EQ(b.textes->FormatageDefaut.couleur, 0);
}

TEST(Textes, LegendeDeBoutonCentreeDansSaCouleur) {
    Banc b;
    // Caption rectangle: the object less its margin C2 (pixels 20..219, 20..79).
    ObjetPage& o = b.Ajouter(TypeObjet::Bouton, 300, 300, 3000, 900);
    o.texte = "<HorizontalAligneCentre><Couleur255>Valider";
    b.Dessiner(b.Dernier());
    const QRect r = b.Boite(QRect(20, 20, 200, 60), kRouge);
    ASSERT_FALSE(r.isEmpty());
    // Centred both ways within a couple of pixels.
    EXPECT_NEAR((r.left() + r.right()) / 2.0, 119.5, 2.5);
    EXPECT_NEAR((r.top() + r.bottom()) / 2.0, 49.5, 4.0);
    // The object now holds its coded caption, coded for its width.
    EXPECT_NE(o.texte.find("<Zone3000>"), std::string::npos);
}

TEST(Textes, TexteGaucheDansLaCouleurDeLObjet) {
    Banc b;
    ObjetPage& o = b.Ajouter(TypeObjet::Texte, 1500, 300, 3000, 900);
    o.texte = "Bonjour";
    o.D2 = static_cast<std::int32_t>(kBleu);
    b.Dessiner(b.Dernier());
    const QRect r = b.Boite(QRect(100, 20, 200, 60), kBleu);
    ASSERT_FALSE(r.isEmpty());
    EXPECT_LE(r.left(), 102);  // left aligned, at the top
    EXPECT_LE(r.top(), 26);
}

TEST(Textes, LienSouligneEnRougeEtZoneEnregistreeEnJeu) {
    Banc b;
    b.moteur.jeu.ModeProgramme = engine::kModeJeu;
    ObjetPage& o = b.Ajouter(TypeObjet::Texte, 300, 300, 4500, 900);
    // The element's text makes the word a link (the link pass tags it).
    o.texte = "Voir conditions ici";
    engine::ObjetPageElement lien;
    lien.Texte = "conditions";
    lien.Evenements = engine::evenement::Clic;
    o.elements.push_back(lien);
    b.Dessiner(b.Dernier());
    const QRect r = b.Boite(QRect(20, 20, 300, 60), kRouge);
    ASSERT_FALSE(r.isEmpty());
    // The underline: a red run on one row as wide as most of the word.
    int souligne = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) souligne = std::max(souligne, b.PlusLongueSuite(y, r.left(), r.right(), kRouge));
    EXPECT_GE(souligne, r.width() - 2);
    ASSERT_EQ(b.moteur.attente.Nombre(), 1);
    const engine::EvenementAttente& e = b.moteur.attente.Entree(1);
    EXPECT_EQ(e.TypeObjet, engine::kTypeZoneLien);
    EXPECT_EQ(e.Zone.Texte, "conditions");
    EXPECT_EQ(e.Zone.Numero, 1);
    // The zone covers the red word (twips).
    EXPECT_LE(e.Zone.Gauche1, r.left() * 15 + 15);
    EXPECT_GE(e.Zone.Droite1, r.right() * 15);
    // A second drawing marks the old zone for removal before adding its own.
    b.Dessiner(b.Dernier());
    EXPECT_EQ(b.moteur.attente.Entree(1).Etat, -1);
}

// A link over three lines: rectangle 2 holds the middle line alone, where it
// is, and rectangle 3 the last; an empty third rectangle is never merged
// into the second (that left it reaching the page's left edge and top).
TEST(Textes, LienSurTroisLignesGardeSesRectangles) {
    Banc b;
    b.moteur.jeu.ModeProgramme = engine::kModeJeu;
    ObjetPage& o = b.Ajouter(TypeObjet::Texte, 1500, 900, 4500, 1500);
    o.texte = "Voir <Lien1>la page<Cr>des conditions<Cr>de vente<Lien0> ici";
    engine::ObjetPageElement lien;
    lien.Texte = "la pagedes conditionsde vente";
    lien.Evenements = engine::evenement::Clic;
    o.elements.push_back(lien);
    b.Dessiner(b.Dernier());
    ASSERT_EQ(b.moteur.attente.Nombre(), 1);
    const engine::ZoneTexteLien& z = b.moteur.attente.Entree(1).Zone;
    ASSERT_EQ(z.Numero, 3);
    EXPECT_GE(z.Gauche2, 1500) << "the middle line starts inside the object";
    EXPECT_GT(z.Droite2, z.Gauche2);
    EXPECT_GT(z.Bas2, z.Bas1) << "below the first line";
    EXPECT_LT(z.Bas2, z.Bas3) << "above the last line";
    EXPECT_GE(z.Gauche3, 1500);
    EXPECT_GT(z.Droite3, z.Gauche3);
    // The rectangles stack from the link's first line down: nothing above it.
    EXPECT_GE(z.Haut3, z.Haut1);
    EXPECT_GE(b.moteur.attente.Entree(1).Haut, 900 - 15 * 5);
}

TEST(Textes, LigneSurligneeEnBlancSurMarine) {
    Banc b;
    b.moteur.jeu.ModeProgramme = engine::kModeJeu;
    ObjetPage& o = b.Ajouter(TypeObjet::Texte, 300, 300, 4500, 1500);
    o.texte = "Une<Cr>Deux<Cr>Trois";
    o.A4 = 2;  // the selected line when first shown
    b.Dessiner(b.Dernier());
    const QRect boite = b.Boite(QRect(20, 20, 300, 100), kMarine);
    ASSERT_FALSE(boite.isEmpty());
    // The box lies below line 1 and spans the object's width less its edges.
    EXPECT_GT(boite.top(), 25);
    EXPECT_GE(boite.width(), 290);
    // White text inside the box, none of the other lines' black in it.
    EXPECT_FALSE(b.Boite(boite, kBlanc).isEmpty());
    EXPECT_TRUE(b.Boite(boite, kNoir).isEmpty());
    EXPECT_FALSE(b.Boite(QRect(20, 20, 300, boite.top() - 20), kNoir).isEmpty());
}

TEST(Textes, RequetesSurLeTexteDessine) {
    Banc b;
    b.moteur.jeu.ModeProgramme = engine::kModeJeu;
    ObjetPage& o = b.Ajouter(TypeObjet::Texte, 300, 300, 4500, 1500);
    o.texte = "<PageNombre000002><PageNumero1>Alpha<Cr>Beta<PageNumero2>Gamma";
    const int n = b.Dernier();
    b.Dessiner(n);
    EXPECT_EQ(b.a->TexteNbPage(1, n), 2);
    EXPECT_EQ(b.a->TexteRecherche(1, n, "Gam", 0), 3);
    EXPECT_EQ(b.a->TexteRecherche(1, n, "absent", 0), 0);
    EXPECT_EQ(b.a->TexteNLigneVersNPage(1, n, 3), 2);
    EXPECT_EQ(b.a->TexteNLigneVersNPage(1, n, 1), 1);
    // The line under a point of the first line's band (twips, page coordinates).
    EXPECT_EQ(b.a->NLigneTexteObjetY(1, n, 300 + 60, 1, 0), 1);
}

TEST(Textes, VariantesDeLangueCodeesChacune) {
    Banc b;
    b.moteur.scene.entete.langueNb = 2;
    ObjetPage& o = b.Ajouter(TypeObjet::Bouton, 300, 300, 3000, 900);
    o.texte = "Oui|Yes";
    b.moteur.jeu.LangueCourante = 2;
    b.Dessiner(b.Dernier());
    // Each language coded on its own, joined by "|".
    const auto barre = o.texte.find('|');
    ASSERT_NE(barre, std::string::npos);
    EXPECT_NE(o.texte.substr(0, barre).find("Oui"), std::string::npos);
    EXPECT_EQ(o.texte.substr(0, barre).find("Yes"), std::string::npos);
    EXPECT_NE(o.texte.substr(barre).find("Yes"), std::string::npos);
    EXPECT_EQ(o.texte.substr(barre).find("<Zone3000>"), 1u);
}

TEST(Textes, PolicesDeRemplacementEtMesures) {
    test::ApplicationAffichage();
    EXPECT_EQ(FamillePolice("Arial"), "Liberation Sans");
    EXPECT_EQ(FamillePolice("TIMES NEW ROMAN"), "Liberation Serif");
    EXPECT_EQ(FamillePolice("courier new"), "Liberation Mono");
    EXPECT_EQ(PoliceParDefaut("DejaVu Sans"), "TIMES NEW ROMAN");
    ChoixPolices choix("COURIER NEW");
    EXPECT_TRUE(choix.Disponible("ARIAL"));
    EXPECT_FALSE(choix.Disponible("POLICE QUI N'EXISTE PAS"));
    text::FormatageTexte f;
    f.police = "POLICE QUI N'EXISTE PAS";
    EXPECT_EQ(choix.Police(f).family(), "Liberation Mono");  // the default font instead
    Surface s(10, 10);
    MesureurQt m(s, choix);
    f.police = "COURIER NEW";
    f.taille = 10;
    m.AppliquerFormatage(f);
    // A fixed-pitch font: every character as wide, in whole pixels of 15 twips.
    EXPECT_EQ(m.Largeur("ab"), 2 * m.Largeur("a"));
    EXPECT_EQ(m.Largeur("a") % 15, 0);
    EXPECT_GT(m.Metriques().hauteur, m.Metriques().ascendante);
    f.police = "ARIAL";
    const std::int32_t normal = (m.AppliquerFormatage(f), m.Largeur("Mot"));
    f.gras = true;
    m.AppliquerFormatage(f);
    EXPECT_GT(m.Largeur("Mot"), normal);
}

TEST(Textes, SelectionInverseeEtRecodageALaNouvelleLargeur) {
    Banc b;
    ObjetPage& o = b.Ajouter(TypeObjet::Texte, 300, 300, 3000, 900);
    o.texte = "<SelDeb>MMMM<SelFin>";
    const int n = b.Dernier();
    b.Dessiner(n);
    // The selected run: a black box with the text white in it.
    const QRect noir = b.Boite(QRect(20, 20, 200, 60), kNoir);
    ASSERT_GE(noir.width(), 20);
    EXPECT_FALSE(b.Boite(noir, kBlanc).isEmpty());
    EXPECT_NE(o.texte.find("<Zone3000>"), std::string::npos);
    b.moteur.scene.Page(1).Objet(n).largeur = 2400;
    b.Dessiner(n);
    EXPECT_NE(b.moteur.scene.Page(1).Objet(n).texte.find("<Zone2400>"), std::string::npos);
    EXPECT_EQ(b.moteur.scene.Page(1).Objet(n).texte.find("<Zone3000>"), std::string::npos);
}

TEST(Textes, TexteLongDuCacheOuAcoteDeSonFichier) {
    Banc b;
    const auto dossier = std::filesystem::path(::testing::TempDir()) / ("korv_long_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dossier);
    ObjetPage& o = b.Ajouter(TypeObjet::Texte, 300, 300, 3000, 900);
    o.fichier = (dossier / "LONGTEXTE.TXT").string();
    o.texte = "CODAGE:LONG7.TXM";
    const int n = b.Dernier();
    EXPECT_FALSE(b.textes->TexteEstTexteLong(1, n));
    {
        std::ofstream f(dossier / "LONG7.TXM", std::ios::binary);
        f << "<Zone3000><PageNombre000004><PageNumero1><LigneNumero1><X0><Y225><BaseLine180>a";
    }
    // Coded files kept beside the object's file are still read.
    EXPECT_TRUE(b.textes->TexteEstTexteLong(1, n));
    EXPECT_EQ(b.a->TexteNbPage(1, n), 4);
    EXPECT_EQ(b.a->TexteNLigneVersNPage(1, n, 1), 1);
}

TEST(Textes, TextesAbimesDessinesSansDommage) {
    const char* textes[] = {
        "<X2147483647>a<BaseLine-99999999999>b<Taille99999>c<Couleur-1>d<LigneNumero-5>e",
        "<Zone3000><LigneNumero1><X-5000><Y1e308><BaseLine1e308>x<Lien1><LigneNumero2><LigneNumero3><LigneNumero4>y",
        "<Taille0><Police ><Exposant1><Indice1><Relief1>z<SelDeb>w<Lien0><<<>>>",
        "<Texte deja Prepare><PageNumero 1,>",
    };
    for (const char* t : textes) {
        Banc b;
        b.moteur.jeu.ModeProgramme = engine::kModeJeu;
        ObjetPage& o = b.Ajouter(TypeObjet::Texte, 300, 300, 3000, 900);
        o.texte = t;
        o.A4 = 2;
        b.Dessiner(b.Dernier());
        EXPECT_EQ(b.P(0, 0), kBlanc) << t;  // nothing outside the object
    }
}

TEST(Textes, PageDeTexteAfficheeSeule) {
    // Page 1 shows one word at the top; page 3, turned to by the engine,
    // shows its own word at the top too, and nothing of page 1.
    auto dessiner = [](int page) {
        Banc b;
        b.moteur.jeu.ModeProgramme = engine::kModeJeu;
        ObjetPage& o = b.Ajouter(TypeObjet::Texte, 300, 300, 3000, 900);
        o.texte = "<PageNombre000003><PageNumero1>I<PageNumero2>II II<PageNumero3>WWWWWW";
        const int n = b.Dernier();
        b.Dessiner(n);
        b.moteur.affiches.Entree(engine::ObjetAfficheNObjetVersNAffiche(b.moteur.affiches, 1, n)).morceauTexte =
            static_cast<std::int16_t>(page);
        b.Dessiner(n);
        return b.Boite(QRect(20, 20, 200, 60), kNoir);
    };
    const QRect un = dessiner(1);
    const QRect trois = dessiner(3);
    ASSERT_FALSE(un.isEmpty());
    ASSERT_FALSE(trois.isEmpty());
    EXPECT_LE(trois.top(), un.top() + 2);
    EXPECT_GT(trois.width(), 4 * un.width());
}

TEST(Textes, TexteRenduEnImagesEtZoneBornee) {
    Banc b;
    b.moteur.jeu.ModeProgramme = engine::kModeJeu;
    const auto dossier = std::filesystem::path(::testing::TempDir()) / ("korv_bitmaps_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dossier);
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(VersQRgb(kBleu));
    ASSERT_TRUE(image.save(QString::fromStdString((dossier / "PAGE1.BMP").string()), "BMP"));
    b.moteur.scene.entete.repertoireScene = dossier.string() + "/";
    ObjetPage& o = b.Ajouter(TypeObjet::Texte, 300, 300, 3000, 900);
    // A link zone claiming 7 rectangles keeps 3.
    o.texte = "<Texte deja Prepare><PageNumero 1,PAGE1.BMP>"
              "<Hypertexte 1,x,ABSENT.BMP,0,0,1,1,mot,7,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16>";
    engine::ObjetPageElement lien;
    lien.Texte = "mot";
    lien.Evenements = engine::evenement::Clic;
    o.elements.push_back(lien);
    b.Dessiner(b.Dernier());
    EXPECT_EQ(b.P(25, 25), kBleu);   // the page's picture at the object's corner
    EXPECT_EQ(b.P(45, 25), kBlanc);  // and no wider than itself
    ASSERT_EQ(b.moteur.attente.Nombre(), 1);
    const engine::ZoneTexteLien& z = b.moteur.attente.Entree(1).Zone;
    EXPECT_EQ(z.Numero, 3);
    EXPECT_EQ(z.Texte, "mot");
    EXPECT_EQ(z.Gauche3, 9);
    EXPECT_EQ(z.Bas3, 12);
}

}  // namespace
}  // namespace korv::display
