#include "display/placement.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "display/affichage.h"
#include "display/dessin_champs.h"
#include "engine/jeu.h"
#include "engine/moteur.h"

namespace korv::display {
namespace {

using engine::ObjetPage;
using engine::TypeObjet;

// A page designed at 200 x 150 pixels; each object is 1500, 750, 600 x 300
// twips unless a test says otherwise.
struct Banc {
    engine::Moteur moteur;
    std::unique_ptr<AffichagePage> a;

    explicit Banc(double echelle = 1.0) {
        moteur.scene.entete.pageLargeur = 200;
        moteur.scene.entete.pageHauteur = 150;
        moteur.scene.pages.resize(1);
        moteur.jeu.PageCourante = 1;
        moteur.jeu.ModeProgramme = engine::kModeJeu;
        ReglagesAffichage r;
        r.echelleEcranX = r.echelleEcranY = echelle;
        a = std::make_unique<AffichagePage>(moteur, r);
        a->MajTailleFenetreEnCours = true;  // the placement alone, inside a layout
    }
    ObjetPage& Ajouter(TypeObjet t) {
        ObjetPage o;
        o.type = static_cast<std::uint8_t>(t);
        o.gauche = 1500, o.haut = 750, o.largeur = 600, o.hauteur = 300;
        o.decoupe = champs::kFormeRectangle;
        moteur.scene.Page(1).objets.push_back(o);
        return moteur.scene.Page(1).objets.back();
    }
    void Memoriser() { engine::ObjetsPositionInitialeMemoriser(moteur); }
    ObjetPage& O(int n) { return moteur.scene.Page(1).Objet(n); }
    std::tuple<int, int, int, int> Rect(int n) {
        const ObjetPage& o = O(n);
        return {o.gauche, o.haut, o.largeur, o.hauteur};
    }
};

TEST(Placement, SelonLaTailleDeLaSurface) {
    struct Cas {
        std::int32_t largeur, hauteur;  // surface, twips
        double echelle;
        std::tuple<int, int, int, int> rect;
        std::int16_t pageL, pageH;
    };
    const Cas cas[] = {
        {1500, 1000, 1.0, {1500, 750, 600, 300}, 200, 150},  // narrower and lower: nothing
        {3000, 2250, 1.0, {1500, 750, 600, 300}, 200, 150},            // exactly the page
        {3000, 2250, 1.25, {1200, 600, 480, 240}, 200, 150},           // ... scaled by 1 / scale
        {6000, 2250, 1.0, {3000, 750, 1200, 300}, 400, 150},
        {2000, 4500, 1.0, {1500, 1500, 600, 600}, 200, 300},           // narrower: width as designed
    };
    for (const Cas& c : cas) {
        Banc b(c.echelle);
        b.Ajouter(TypeObjet::Image);
        b.Memoriser();
        PagePlacer(*b.a, 1, c.largeur, c.hauteur, false);
        EXPECT_EQ(b.Rect(1), c.rect) << c.largeur << " " << c.hauteur << " " << c.echelle;
        EXPECT_EQ(b.moteur.scene.entete.pageLargeur, c.pageL);
        EXPECT_EQ(b.moteur.scene.entete.pageHauteur, c.pageH);
    }
}

TEST(Placement, CeQuiGardeSaTaille) {
    struct Cas {
        TypeObjet type;
        std::int16_t style;
        std::tuple<int, int, int, int> rect;  // fitted to twice the page
        std::int16_t etirement = 0;
    };
    const Cas cas[] = {
        {TypeObjet::Image, 0, {3000, 1500, 1200, 600}},
        {TypeObjet::Image, champs::kCadreCouleur, {3000, 1500, 1200, 300}},
        {TypeObjet::Bouton, 0, {3000, 1500, 1200, 300}},
        {TypeObjet::Texte, 0, {3000, 1500, 1200, 600}},
        {TypeObjet::Tableau, 0, {3000, 1500, 1200, 600}},
        {TypeObjet::Video, 0, {3000, 1500, 600, 300}},
        {TypeObjet::Son, 0, {3000, 1500, 600, 300}},
        {TypeObjet::Action, 0, {3000, 1500, 600, 300}},
        {TypeObjet::Sprite, 0, {3000, 1500, 600, 300}},
        // A sprite whose picture is stretched grows as a picture does.
        {TypeObjet::Sprite, 0, {3000, 1500, 1200, 600}, -1},
        {TypeObjet::Sprite, champs::kCadreCouleur, {3000, 1500, 1200, 600}, -1},
        {TypeObjet::Sprite, 0, {3000, 1500, 600, 300}, 1},
    };
    for (const Cas& c : cas) {
        Banc b;
        ObjetPage& o = b.Ajouter(c.type);
        o.C1 = c.style;
        o.I2 = c.etirement;
        b.Memoriser();
        PagePlacer(*b.a, 1, 6000, 4500, false);
        EXPECT_EQ(b.Rect(1), c.rect) << static_cast<int>(c.type) << " " << c.style << " " << c.etirement;
    }
}

TEST(Placement, DecalagesDesBoutonsEtRectanglesParents) {
    for (std::uint8_t disposition : {std::uint8_t{0}, std::uint8_t{1}}) {
        Banc b;
        ObjetPage& bouton = b.Ajouter(TypeObjet::Bouton);
        bouton.A1 = 30, bouton.A2 = 45, bouton.H3 = disposition;
        b.Ajouter(TypeObjet::Tableau);
        b.Ajouter(TypeObjet::Graphique);
        b.Memoriser();
        std::vector<int> parents;
        b.a->crochets.RectangleParentMaj = [&](int, int objet) { parents.push_back(objet); };
        PagePlacer(*b.a, 1, 6000, 4500, false);
        EXPECT_EQ(b.O(1).A1, disposition == 1 ? 30 : 60);
        EXPECT_EQ(b.O(1).A2, disposition == 1 ? 45 : 90);
        EXPECT_EQ(parents, (std::vector<int>{2, 3}));
    }
}

TEST(Placement, PolylignesDepuisLeurCopieInitiale) {
    struct Cas {
        std::int32_t largeur, hauteur;
        bool mise;  // the polyline is rescaled
        double fx, fy;
    };
    for (const Cas c : {Cas{6000, 4500, true, 2.0, 2.0}, Cas{6000, 1000, true, 2.0, 1.0},
                        Cas{3000, 2250, false, 1.0, 1.0}, Cas{1000, 1000, false, 1.0, 1.0}}) {
        Banc b;
        ObjetPage& p = b.Ajouter(TypeObjet::Polyligne);
        p.decoupe = champs::kFormePolygone;
        p.chemin.points = {{1, 2}, {3, 4}};
        b.Memoriser();
        b.O(1).chemin.points = {{9, 9}};  // moved since play started
        std::vector<double> appel;
        b.a->crochets.PolyligneMultiplie = [&](int, int, double dx, double dy, double fx, double fy) {
            appel = {dx, dy, fx, fy};
        };
        PagePlacer(*b.a, 1, c.largeur, c.hauteur, false);
        if (c.mise) {
            EXPECT_EQ(appel, (std::vector<double>{0, 0, c.fx, c.fy})) << c.largeur << " " << c.hauteur;
            EXPECT_EQ(b.O(1).chemin.points.size(), 2u);
        } else {
            EXPECT_TRUE(appel.empty());
            EXPECT_EQ(b.O(1).chemin.points.size(), 1u);  // untouched
        }
    }
}

TEST(Placement, ZonesDeLienEnJeuSelonLaLargeur) {
    for (std::int32_t largeur : {6000, 1000}) {
        Banc b;
        b.Ajouter(TypeObjet::Texte);
        b.Memoriser();
        engine::EvenementAttente e;
        e.TypeObjet = engine::kTypeZoneLien;
        e.ZoneInitiale.Gauche1 = 100, e.ZoneInitiale.Droite1 = 200, e.ZoneInitiale.Haut1 = 30, e.ZoneInitiale.Bas1 = 60;
        e.Zone = e.ZoneInitiale;
        b.moteur.attente.entrees.push_back(e);
        PagePlacer(*b.a, 1, largeur, 4500, false);
        const engine::ZoneTexteLien& z = b.moteur.attente.Entree(1).Zone;
        const int f = largeur == 6000 ? 2 : 1;  // the width alone decides
        EXPECT_EQ(z.Gauche1, 100 * f);
        EXPECT_EQ(z.Droite1, 200 * f);
        EXPECT_EQ(z.Haut1, 30 * f);
        EXPECT_EQ(z.Bas1, 60 * f);

        PageTailleInitialeRestaurer(*b.a, 1);
        EXPECT_EQ(b.moteur.attente.Entree(1).Zone.Droite1, 200);
    }
}

TEST(Placement, RestaurerEtReplacerDonneLaMemePage) {
    Banc b;
    b.Ajouter(TypeObjet::Image);
    ObjetPage& bouton = b.Ajouter(TypeObjet::Bouton);
    bouton.A1 = 30;
    b.Memoriser();
    PageTailleInitialeRestaurer(*b.a, 1);  // never fitted: as designed
    EXPECT_EQ(b.Rect(1), std::make_tuple(1500, 750, 600, 300));

    PagePlacer(*b.a, 1, 7000, 5000, false);
    const auto une = std::make_tuple(b.Rect(1), b.Rect(2), b.O(2).A1);
    PagePlacer(*b.a, 1, 7000, 5000, false);
    EXPECT_EQ(std::make_tuple(b.Rect(1), b.Rect(2), b.O(2).A1), une);

    PageTailleInitialeRestaurer(*b.a, 1);
    EXPECT_EQ(b.Rect(1), std::make_tuple(1500, 750, 600, 300));
    EXPECT_EQ(b.O(2).A1, 30);
    EXPECT_EQ(b.moteur.scene.entete.pageLargeur, 200);
}

TEST(Placement, RienSansPageNiTailleConnue) {
    Banc b;
    b.Ajouter(TypeObjet::Image);
    // Play has not memorised the designed geometry yet.
    PagePlacer(*b.a, 1, 6000, 4500, false);
    PageTailleInitialeRestaurer(*b.a, 1);
    EXPECT_EQ(b.Rect(1), std::make_tuple(1500, 750, 600, 300));
    b.Memoriser();
    PagePlacer(*b.a, 0, 6000, 4500, false);
    PagePlacer(*b.a, 7, 6000, 4500, false);
    EXPECT_EQ(b.Rect(1), std::make_tuple(1500, 750, 600, 300));
    EXPECT_EQ(b.moteur.scene.entete.pageLargeur, 200);
}

TEST(Placement, SurfaceImmenseBorneeAuxCoordonneesDeLaPage) {
    Banc b;
    ObjetPage& o = b.Ajouter(TypeObjet::Image);
    o.gauche = 2900, o.largeur = 100;
    b.Memoriser();
    PagePlacer(*b.a, 1, 40000 * 15, 2250, false);
    EXPECT_EQ(b.moteur.scene.entete.pageLargeur, 2184);
    EXPECT_EQ(b.O(1).gauche, 2900 * 2184 / 200);
    EXPECT_LE(std::int32_t{b.O(1).gauche} + b.O(1).largeur, 32767);
}

}  // namespace
}  // namespace korv::display
