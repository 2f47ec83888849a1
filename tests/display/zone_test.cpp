#include "display/zone.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "display/affichage.h"
#include "display/dessin.h"
#include "display/dessin_champs.h"
#include "display/surface_application.h"
#include "engine/moteur.h"

namespace korv::display {
namespace {

using engine::ObjetPage;
using engine::TypeObjet;

constexpr Couleur kRouge = Rgb(255, 0, 0);
constexpr Couleur kBleu = Rgb(0, 0, 255);
constexpr Couleur kVert = Rgb(0, 160, 0);

class FenetreTrace final : public FenetreAffichage {
public:
    void Rafraichir(const QRect& zone) override { zones.push_back(zone); }
    std::vector<QRect> zones;
};

// A played page of 200 x 150 pixels whose objects are drawn and listed.
struct Banc {
    engine::Moteur moteur;
    FenetreTrace fenetre;
    std::unique_ptr<AffichagePage> a;

    explicit Banc(bool nt) {
        test::ApplicationAffichage();
        moteur.scene.entete.pageLargeur = 200;
        moteur.scene.entete.pageHauteur = 150;
        moteur.scene.pages.resize(1);
        moteur.jeu.PageCourante = 1;
        moteur.jeu.ModeProgramme = engine::kModeJeu;
        ReglagesAffichage r;
        r.systeme.SystemeWindowsNT = nt;
        a = std::make_unique<AffichagePage>(moteur, r);
        a->DefinirFenetre(&fenetre);
        Ajouter(TypeObjet::Fond, 0, 0, 3000, 2250, 0).nom = "PAGE";
    }
    // A box of the given colour (frame style 2), pixels to twips.
    ObjetPage& Ajouter(TypeObjet type, int x, int y, int l, int h, Couleur c) {
        auto& objets = moteur.scene.Page(1).objets;
        ObjetPage o;
        o.type = static_cast<std::uint8_t>(type);
        o.gauche = static_cast<std::int16_t>(x * 15);
        o.haut = static_cast<std::int16_t>(y * 15);
        o.largeur = static_cast<std::int16_t>(l * 15);
        o.hauteur = static_cast<std::int16_t>(h * 15);
        o.decoupe = champs::kFormeRectangle;
        o.C1 = champs::kCadreCouleur;
        o.D1 = static_cast<std::int32_t>(c);
        o.G[0] = static_cast<std::int16_t>(objets.size() + 1);
        objets.push_back(o);
        return objets.back();
    }
    int Dernier() const { return moteur.scene.Page(1).ObjetNb(); }
    void ToutDessiner() {
        for (int i = 1; i <= Dernier(); ++i) MajDessinObjet(*a, 1, i, {});
        a->MajFenetreJeu();
    }
    ObjetPage& O(int n) { return moteur.scene.Page(1).Objet(n); }
    Couleur E(int x, int y) const { return a->PageEcran.Pixel(x, y); }
    Couleur T(int x, int y) const { return a->PageTampon.Pixel(x, y); }
};

TEST(Zone, RedessinResteDansSaZoneMemeAvecUneDecoupeDObjet) {
    Banc b(false);
    b.Ajouter(TypeObjet::Image, 20, 20, 100, 60, kRouge);
    ObjetPage& poly = b.Ajouter(TypeObjet::Image, 20, 20, 100, 60, kBleu);
    poly.C1 = 0;
    poly.decoupe = champs::kFormePolygone;
    poly.chemin.points = {{20, 20}, {120, 20}, {120, 80}, {20, 80}};
    b.ToutDessiner();
    ASSERT_EQ(b.E(30, 30), kBlanc);  // the polygon object's white box over the red one

    // The objects change; only a zone at (50..69, 30..49) is redrawn.
    b.O(2).D1 = static_cast<std::int32_t>(kVert);
    b.O(3).C1 = champs::kCadreCouleur;
    b.O(3).D1 = static_cast<std::int32_t>(kVert);
    RectZone r{50 * 15, 30 * 15, 69 * 15, 49 * 15};
    MajZonePageJeu(*b.a, r, 0);
    EXPECT_EQ(b.E(55, 35), kVert);
    EXPECT_EQ(b.E(50, 30), kVert);
    EXPECT_EQ(b.E(69, 49), kVert);
    // Outside the zone nothing moved, in the buffer as on the window,
    // inside the polygon as outside it.
    for (const QPoint p : {QPoint(49, 35), QPoint(70, 35), QPoint(55, 50), QPoint(30, 30), QPoint(110, 70)}) {
        EXPECT_EQ(b.E(p.x(), p.y()), kBlanc) << p.x() << "," << p.y();
        EXPECT_EQ(b.T(p.x(), p.y()), kBlanc) << p.x() << "," << p.y();
    }
    EXPECT_EQ(b.a->PageTampon.ProfondeurClip(), 0u);
    EXPECT_EQ(b.fenetre.zones.back(), QRect(50, 30, 20, 20));
}

TEST(Zone, SurWindowsNtLaZoneEstToujoursLaPage) {
    for (bool nt : {true, false}) {
        Banc b(nt);
        b.Ajouter(TypeObjet::Image, 20, 20, 30, 30, kRouge);
        b.Ajouter(TypeObjet::Image, 120, 20, 30, 30, kRouge);
        b.ToutDessiner();
        b.O(2).D1 = static_cast<std::int32_t>(kBleu);
        b.O(3).D1 = static_cast<std::int32_t>(kBleu);
        MajZoneObjetJeu(*b.a, 2, 0);  // the area of the first box (entry 2)
        EXPECT_EQ(b.E(30, 30), kBleu) << nt;
        EXPECT_EQ(b.E(130, 30), nt ? kBleu : kRouge) << nt;
    }
}

TEST(Zone, ListeVideNiEffaceeNiCopiee) {
    Banc b(false);
    b.a->PageTampon.Remplir(kRouge);
    RectZone r{0, 0, 600, 600};
    MajZonePageJeu(*b.a, r, 0);
    EXPECT_EQ(b.a->PageTampon.Pixel(10, 10), kRouge);
    EXPECT_TRUE(b.fenetre.zones.empty());
}

TEST(Zone, RectangleSansObjetEstBlanchiEtCopie) {
    Banc b(false);
    b.Ajouter(TypeObjet::Image, 20, 20, 10, 10, kRouge);
    b.ToutDessiner();
    b.a->PageTampon.RemplirRectangle(QRect(150, 100, 20, 20), kBleu);
    RectZone r{150 * 15, 100 * 15, 159 * 15, 109 * 15};
    MajZonePageJeu(*b.a, r, 0);
    EXPECT_EQ(b.E(155, 105), kBlanc);
    EXPECT_EQ(b.a->PageTampon.Pixel(165, 115), kBleu);
    EXPECT_EQ(b.fenetre.zones.back(), QRect(150, 100, 10, 10));
}

TEST(Zone, LesLutinsSoulevesSontRedessines) {
    Banc b(false);
    b.Ajouter(TypeObjet::Image, 20, 20, 30, 30, kRouge);
    b.Ajouter(TypeObjet::Sprite, 30, 30, 10, 10, kVert);
    b.ToutDessiner();
    std::vector<std::string> trace;
    b.a->crochets.SpritesDisparaissent = [&] { trace.push_back("disparaissent"); };
    b.a->crochets.SpritesReapparaissent = [&] {
        trace.push_back("reapparaissent");
        b.a->PageTampon.RemplirRectangle(QRect(30, 30, 10, 10), kVert);
    };
    b.a->crochets.ObjetSpriteDessine = [&](int, int) { trace.push_back("sprite dessine"); };
    MajZoneObjetJeu(*b.a, 2, 0);
    const std::vector<std::string> attendu = {"disparaissent", "reapparaissent"};
    EXPECT_EQ(trace, attendu);  // the sprite object itself is not redrawn by the zone
    EXPECT_EQ(b.E(35, 35), kVert);
    EXPECT_EQ(b.E(25, 25), kRouge);
}

TEST(Zone, AireDUnObjetAffiche) {
    struct Cas {
        std::int16_t contour, ombre;
        RectZone attendu;
    };
    // Object at (20, 20), 10 x 10 pixels: shown rectangle 300, 300 .. 435, 435.
    const Cas cas[] = {
        {0, 0, {300, 300, 435, 435}},
        {1, 0, {300, 300, 435, 435}},
        {5, 0, {270, 270, 465, 465}},
        {2, 3, {285, 285, 495, 495}},
        {0, -4, {300, 300, 435, 435}},
    };
    for (const Cas& c : cas) {
        Banc b(false);
        ObjetPage& o = b.Ajouter(TypeObjet::Image, 20, 20, 10, 10, kRouge);
        o.C3 = c.contour;
        o.E1 = c.ombre;
        MajDessinObjet(*b.a, 1, b.Dernier(), {});
        EXPECT_EQ(ObjetAfficheRectangleAffichage(*b.a, 1), c.attendu) << c.contour << " " << c.ombre;
    }
    Banc b(false);
    EXPECT_EQ(ObjetAfficheRectangleAffichage(*b.a, 0), RectZone{});
    EXPECT_EQ(ObjetAfficheRectangleAffichage(*b.a, 1), RectZone{});
}

TEST(Zone, EffacerUnObjet) {
    Banc b(false);
    b.Ajouter(TypeObjet::Image, 20, 20, 30, 30, kRouge);
    b.Ajouter(TypeObjet::Image, 120, 20, 30, 30, kBleu);
    b.ToutDessiner();
    auto attente = [](std::int16_t objet, std::int32_t attendus) {
        engine::EvenementAttente e;
        e.Page = 1;
        e.Objet = objet;
        e.EvenementsAttendus = attendus;
        return e;
    };
    b.moteur.attente.entrees = {attente(2, 2), attente(2, 2 | 0x8000), attente(3, 2)};

    ObjetEnJeuEfface(*b.a, 1, 9);  // not shown: nothing changes
    EXPECT_EQ(b.moteur.affiches.Nombre(), 3);
    EXPECT_EQ(b.moteur.attente.Entree(1).Etat, 0);

    ObjetEnJeuEfface(*b.a, 1, 2);
    EXPECT_EQ(engine::ObjetAfficheNObjetVersNAffiche(b.moteur.affiches, 1, 2), 0);
    EXPECT_EQ(b.moteur.affiches.Nombre(), 2);
    EXPECT_EQ(b.moteur.attente.Entree(1).Etat, -1);
    EXPECT_EQ(b.moteur.attente.Entree(2).Etat, 0);  // it outlives its object
    EXPECT_EQ(b.moteur.attente.Entree(3).Etat, 0);
    EXPECT_EQ(b.E(30, 30), kBlanc);
    EXPECT_EQ(b.E(130, 30), kBleu);
}

TEST(Zone, CopieSurLaTroisiemeSurface) {
    for (std::uint8_t copie : {std::uint8_t{0}, std::uint8_t{1}}) {
        Banc b(false);
        ObjetPage& o = b.Ajouter(TypeObjet::Image, 20, 20, 30, 30, kRouge);
        o.F1 = copie;
        b.ToutDessiner();
        MajZoneObjetJeu(*b.a, 2, 0);
        EXPECT_EQ(b.a->permanent.Pixel(30, 30), copie == 0 ? kRouge : kBlanc) << int{copie};
    }
}

TEST(Zone, BoutonsDePageSuivanteEtPrecedente) {
    Banc b(false);
    ObjetPage& texte = b.Ajouter(TypeObjet::Texte, 20, 100, 100, 40, kVert);
    texte.C2 = 2;  // shown on its second text page
    const int nTexte = b.Dernier();
    auto bouton = [&](int x, std::int16_t role) {
        ObjetPage& o = b.Ajouter(TypeObjet::Bouton, x, 20, 20, 20, kRouge);
        o.G[3] = role;
        o.elements = {{1, static_cast<std::int16_t>(nTexte), 0, "", "", 2}};
        return b.Dernier();
    };
    const int suivant1 = bouton(20, 3);
    const int suivant2 = bouton(50, 3);
    const int precedent = bouton(80, 4);
    b.a->crochets.TexteNbPage = [](int, int) { return 2; };  // page 2 of 2: no next page
    MajDessinObjet(*b.a, 1, nTexte, {});
    MajDessinObjet(*b.a, 1, suivant1, {});
    MajDessinObjet(*b.a, 1, suivant2, {});

    JeuBoutonPageSuivantePrecedenteMaj(*b.a, 1);
    EXPECT_EQ(engine::ObjetAfficheNObjetVersNAffiche(b.moteur.affiches, 1, suivant1), 0);
    EXPECT_EQ(engine::ObjetAfficheNObjetVersNAffiche(b.moteur.affiches, 1, suivant2), 0);
    EXPECT_GT(engine::ObjetAfficheNObjetVersNAffiche(b.moteur.affiches, 1, precedent), 0);
    EXPECT_EQ(b.E(85, 25), kRouge);
}

}  // namespace
}  // namespace korv::display
