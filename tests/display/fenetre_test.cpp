#include "display/fenetre.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "display/affichage.h"
#include "display/dessin.h"
#include "display/dessin_champs.h"
#include "display/surface_application.h"
#include "engine/jeu.h"
#include "engine/services_neutres.h"
#include "engine/moteur.h"
#include "platform/settings_fake.h"

namespace korv::display {
namespace {

using engine::ObjetPage;
using engine::TypeObjet;

// Page 200 x 150 pixels (3000 x 2250 twips), bars 255 twips thick.
EntreesDisposition Entrees(std::int32_t largeur, std::int32_t hauteur, bool jeu = false) {
    EntreesDisposition e;
    e.fenetre.largeur = largeur;
    e.fenetre.hauteur = hauteur;
    e.pageLargeur = 200;
    e.pageHauteur = 150;
    e.modeJeu = jeu;
    return e;
}

TEST(Fenetre, BarresDeDefilementNecessaires) {
    struct Cas {
        const char* nom;
        std::int32_t largeur, hauteur;  // window, twips (the frame is one pixel less)
        bool hor, ver;
    };
    const Cas cas[] = {
        {"page exactly as wide as the frame", 3015, 2620, false, false},
        {"one twip wider", 3014, 2620, true, false},
        {"vertical bar only for the horizontal one", 3014, 2365, true, true},
        {"horizontal bar on the second pass", 3015, 1000, true, true},
        {"page too high only", 3500, 1000, false, true},
    };
    for (const Cas& c : cas) {
        const DispositionFenetre d = CalculeDisposition(Entrees(c.largeur, c.hauteur));
        EXPECT_EQ(d.hor.visible, c.hor) << c.nom;
        EXPECT_EQ(d.ver.visible, c.ver) << c.nom;
        EXPECT_EQ(d.espace.largeur, std::min(3000, c.largeur - 15 - (c.ver ? 255 : 0))) << c.nom;
    }
}

TEST(Fenetre, PanneauDuPlan) {
    struct Cas {
        bool visible;
        std::int32_t largeur;
        std::int32_t x0;
    };
    for (const Cas c : {Cas{false, 3000, 0}, Cas{true, 30, 30}, Cas{true, 31, 100 + 31 + 60},
                        Cas{true, 3000, 100 + 3000 + 60}}) {
        EntreesDisposition e = Entrees(9000, 9000);
        e.fenetre.gauche = 100;
        e.fenetre.planVisible = c.visible;
        e.fenetre.planLargeur = c.largeur;
        const DispositionFenetre d = CalculeDisposition(e);
        EXPECT_EQ(d.x0, c.x0) << c.visible << " " << c.largeur;
        EXPECT_EQ(d.cadre.largeur, 9000 - c.x0 - 15);
    }
}

TEST(Fenetre, PasDesBarres) {
    // Vertical bar whose maximum is page height x scale - surface height + 1 pixel.
    EntreesDisposition e = Entrees(9000, 1046);
    DispositionFenetre d = CalculeDisposition(e);
    ASSERT_TRUE(d.ver.visible);
    EXPECT_EQ(d.ver.maximum, 1234);
    EXPECT_EQ(d.ver.petitPas, 13);
    EXPECT_EQ(d.ver.grandPas, 124);
    e = Entrees(9000, 1155);
    e.echelleY = 0.5;
    d = CalculeDisposition(e);
    ASSERT_TRUE(d.ver.visible);
    EXPECT_EQ(d.ver.maximum, 0);
    EXPECT_EQ(d.ver.petitPas, 1);
    EXPECT_EQ(d.ver.grandPas, 1);
}

TEST(Fenetre, LaPageSuitLaFenetreEnJeu) {
    struct Cas {
        bool jeu;
        double echelle;
        std::int32_t largeur, hauteur;  // window
        std::int16_t pageL, pageH;
        std::int32_t espaceL;
    };
    const Cas cas[] = {
        {false, 1.0, 4515, 3015, 200, 150, 3000},  // outside play the surface stops at the page
        {true, 1.0, 4515, 3015, 300, 200, 4500},
        {true, 1.25, 4515, 3015, 375, 250, 4500},
        {true, 1.0, 2015, 3015, 200, 200, 2000},  // a bar across: that side keeps its size
    };
    for (const Cas& c : cas) {
        EntreesDisposition e = Entrees(c.largeur, c.hauteur, c.jeu);
        e.echelleX = e.echelleY = c.echelle;
        const DispositionFenetre d = CalculeDisposition(e);
        EXPECT_EQ(d.pageLargeur, c.pageL) << c.jeu << " " << c.echelle;
        EXPECT_EQ(d.pageHauteur, c.pageH) << c.jeu << " " << c.echelle;
        EXPECT_EQ(d.espace.largeur, c.espaceL) << c.jeu << " " << c.echelle;
    }
}

TEST(Fenetre, FenetreTresLargeSansDebordement) {
    for (const std::int32_t largeur : {40000 * 15, std::numeric_limits<std::int32_t>::max()}) {
        const DispositionFenetre d = CalculeDisposition(Entrees(largeur, 3015, true));
        EXPECT_EQ(d.pageLargeur, PageLargeurMax(15));
        EXPECT_EQ(d.pageLargeur, 2184);
        EXPECT_EQ(d.pageHauteur, 200);
        EXPECT_FALSE(d.hor.visible);
    }
}

class FenetreFactice final : public FenetreAffichage {
public:
    MesuresFenetre Mesures() const override { return mesures; }
    void Appliquer(const DispositionFenetre& d) override { dispositions.push_back(d); }
    void MontrerPage(const QImage* image) override { montree = image; }
    MesuresFenetre mesures;
    std::vector<DispositionFenetre> dispositions;
    const QImage* montree = nullptr;
};

// A played page designed at 200 x 150 pixels with a blue box at (20, 20),
// 20 x 20 pixels, and a button that keeps its height.
struct Banc {
    engine::Moteur moteur;
    FenetreFactice fenetre;
    std::unique_ptr<AffichagePage> a;

    Banc() {
        test::ApplicationAffichage();
        moteur.scene.entete.pageLargeur = 200;
        moteur.scene.entete.pageHauteur = 150;
        moteur.scene.pages.resize(1);
        auto ajouter = [&](TypeObjet t, int g, int h, int l, int ht) -> ObjetPage& {
            ObjetPage o;
            o.type = static_cast<std::uint8_t>(t);
            o.gauche = static_cast<std::int16_t>(g), o.haut = static_cast<std::int16_t>(h);
            o.largeur = static_cast<std::int16_t>(l), o.hauteur = static_cast<std::int16_t>(ht);
            o.decoupe = champs::kFormeRectangle;
            o.C1 = champs::kCadreCouleur;
            o.G[0] = static_cast<std::int16_t>(moteur.scene.Page(1).objets.size() + 1);
            moteur.scene.Page(1).objets.push_back(o);
            return moteur.scene.Page(1).objets.back();
        };
        ajouter(TypeObjet::Fond, 0, 0, 3000, 2250).C1 = 0;
        ajouter(TypeObjet::Image, 300, 300, 300, 300).D1 = 0xFF0000;  // blue
        ajouter(TypeObjet::Bouton, 1500, 1500, 300, 300).D1 = 0x0000FF;  // red
        moteur.jeu.PageCourante = 1;
        moteur.jeu.ModeProgramme = engine::kModeJeu;
        engine::ObjetsPositionInitialeMemoriser(moteur);
        a = std::make_unique<AffichagePage>(moteur);
        a->DefinirFenetre(&fenetre);
    }
    void Fenetre(std::int32_t largeurPx, std::int32_t hauteurPx) {
        // The frame is the window less one pixel each way.
        fenetre.mesures.largeur = (largeurPx + 1) * 15;
        fenetre.mesures.hauteur = (hauteurPx + 1) * 15;
    }
    Couleur E(int x, int y) const { return a->PageEcran.Pixel(x, y); }
};

TEST(Fenetre, MiseEnPageADeuxTaillesDeFenetre) {
    Banc b;
    b.Fenetre(200, 150);
    b.a->MajTailleFenetre(false);
    for (int i = 1; i <= 3; ++i) MajDessinObjet(*b.a, 1, i, {});
    b.a->Effet(0);
    ASSERT_EQ(b.E(25, 25), Rgb(0, 0, 255));
    ASSERT_EQ(b.E(105, 105), Rgb(255, 0, 0));

    // Twice the size: the page doubles, the box moves and widens with it, the
    // button moves but keeps its height.
    b.Fenetre(400, 300);
    b.a->MajTailleFenetre(true);
    EXPECT_EQ(b.moteur.scene.entete.pageLargeur, 400);
    EXPECT_EQ(b.moteur.scene.entete.pageHauteur, 300);
    EXPECT_EQ(b.a->PageEcran.Taille(), QSize(400, 300));
    EXPECT_EQ(b.fenetre.montree, &b.a->PageEcran.Image());
    EXPECT_EQ(b.E(25, 25), kBlanc);
    EXPECT_EQ(b.E(45, 45), Rgb(0, 0, 255));
    EXPECT_EQ(b.E(79, 59), Rgb(0, 0, 255));
    EXPECT_EQ(b.E(81, 45), kBlanc);
    EXPECT_EQ(b.E(45, 61), kBlanc);  // a picture of frame style 2 keeps its height
    EXPECT_EQ(b.E(215, 205), Rgb(255, 0, 0));
    EXPECT_EQ(b.E(215, 225), kBlanc);  // 20 pixels high, not 40
    EXPECT_EQ(b.moteur.affiches.Entree(2).gauche, 600);
    EXPECT_EQ(b.fenetre.dispositions.back().pageLargeur, 400);

    // Back to the designed size.
    b.Fenetre(200, 150);
    b.a->MajTailleFenetre(true);
    EXPECT_EQ(b.a->PageEcran.Taille(), QSize(200, 150));
    EXPECT_EQ(b.E(25, 25), Rgb(0, 0, 255));
    EXPECT_EQ(b.E(45, 45), kBlanc);
    EXPECT_FALSE(b.a->MajTailleFenetreEnCours);
}

TEST(Fenetre, FenetrePlusLargeQueLaPageNeTerminePas) {
    Banc b;
    b.Fenetre(40000, 150);
    b.a->MajTailleFenetre(false);
    for (int i = 1; i <= 3; ++i) MajDessinObjet(*b.a, 1, i, {});
    b.a->MajTailleFenetre(true);
    EXPECT_EQ(b.moteur.scene.entete.pageLargeur, 2184);
    EXPECT_EQ(b.a->PageTampon.Largeur(), 2184);
    const ObjetPage& boite = b.moteur.scene.Page(1).Objet(2);
    EXPECT_GT(boite.gauche, 3000);
    EXPECT_LE(std::int32_t{boite.gauche} + boite.largeur, 32767);
    EXPECT_EQ(b.E(2183, 0), kBlanc);
}

TEST(Fenetre, DecalageDesBarres) {
    Banc b;
    b.a->PageTampon.Remplir(Rgb(9, 9, 9));
    MajFenetreAffichageDecalage(*b.a, 150, -1);
    EXPECT_EQ(b.a->DecalageAffichageY, 10);
    EXPECT_EQ(b.a->DecalageAffichageX, -1);  // rounded down
    EXPECT_EQ(b.E(0, 0), Rgb(9, 9, 9));      // copied in play mode
}

class FenetrePrincipaleTrace final : public engine::FenetrePrincipaleNeutre {
public:
    void AfficherBarreMenu(bool afficher) override { barres.push_back(afficher); }
    std::vector<bool> barres;
};

TEST(Fenetre, BarreDeMenuEtSonReglage) {
    engine::Moteur m;
    const auto dossier = std::filesystem::path(::testing::TempDir()) / ("korv_fenetre_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dossier);
    m.dossierProgramme = dossier.string();
    FenetrePrincipaleTrace principale;
    m.Services().fenetre = &principale;
    platform::MagasinReglagesFactice magasin;
    AffichagePage a(m);
    a.DefinirMagasin(&magasin);

    a.EcAfficheCacheBarreMenu(false);
    EXPECT_EQ(magasin.LireTexte("KORVELIS", "EDITEUR", "AFFICHER BARRE MENU"), "0");
    a.EcAfficheCacheBarreMenu(true);
    EXPECT_EQ(magasin.LireTexte("korvelis", "editeur", "afficher barre menu"), "1");
    EXPECT_EQ(principale.barres, (std::vector<bool>{false, true}));

    // A store that refuses the value: the bar still changes, the fault is logged.
    magasin.refuseEcriture = true;
    a.EcAfficheCacheBarreMenu(false);
    EXPECT_EQ(principale.barres.back(), false);
    std::ifstream journal(dossier / "ERROR.TXT");
    std::stringstream texte;
    texte << journal.rdbuf();
    EXPECT_NE(texte.str().find("EcAfficheCacheBarreMenu"), std::string::npos);
    m.Services().fenetre = nullptr;
}

}  // namespace
}  // namespace korv::display
