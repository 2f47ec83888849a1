#include "engine/objets_affiches.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/attente.h"
#include "engine/polyligne.h"
#include "engine/scene.h"

namespace korv::engine {
namespace {

Scene SceneDeTrois() {
    Scene s;
    s.pages.resize(1);
    s.pages[0].objets.resize(3);
    for (int i = 1; i <= 3; ++i) {
        ObjetPage& o = s.Page(1).Objet(i);
        o.type = static_cast<std::uint8_t>(TypeObjet::Bouton);
        o.gauche = static_cast<std::int16_t>(100 * i);
        o.haut = static_cast<std::int16_t>(200 * i);
        o.largeur = 300;
        o.hauteur = 150;
    }
    return s;
}

TEST(ObjetsAffiches, AjouterPrendLeRectangleEtLesChampsDeLObjet) {
    Scene s = SceneDeTrois();
    ObjetPage& o = s.Page(1).Objet(2);
    o.C2 = 4;
    o.A4 = 7;
    o.G[3] = 3;
    o.G[4] = 12;
    ListeObjetsAffiches l;
    ObjetAfficheAjouter(l, s, 1, 2, {15, 12});
    ASSERT_EQ(l.Nombre(), 1);
    const ObjetAffiche& e = l.Entree(1);
    EXPECT_EQ(e.page, 1);
    EXPECT_EQ(e.objet, 2);
    EXPECT_EQ(e.gauche, 200);
    EXPECT_EQ(e.haut, 400);
    EXPECT_EQ(e.droite, 200 + 300 - 15);
    EXPECT_EQ(e.bas, 400 + 150 - 12);
    EXPECT_EQ(e.morceauTexte, 4);
    EXPECT_EQ(e.ligneSelectionnee, 7);
    EXPECT_EQ(e.ligneTexteLong, 12);
    EXPECT_EQ(e.role, 3);
    EXPECT_EQ(e.survol, 0);
    EXPECT_EQ(e.enfonce, 0);

    // Objects outside the tables are not added.
    ObjetAfficheAjouter(l, s, 1, 4, {15, 15});
    ObjetAfficheAjouter(l, s, 2, 1, {15, 15});
    EXPECT_EQ(l.Nombre(), 1);
}

TEST(ObjetsAffiches, RectangleEn32BitsPresDeLaLimite) {
    Scene s = SceneDeTrois();
    ObjetPage& o = s.Page(1).Objet(1);
    o.gauche = 32000;
    o.largeur = 32000;
    ListeObjetsAffiches l;
    ObjetAfficheAjouter(l, s, 1, 1, {15, 15});
    EXPECT_EQ(l.Entree(1).droite, 64000 - 15);
}

TEST(ObjetsAffiches, RechercheEtSuppression) {
    struct Cas {
        int supprime;
        std::vector<int> restants;  // object numbers left, in order
    };
    const Cas cas[] = {
        {1, {2, 3}}, {2, {1, 3}}, {3, {1, 2}}, {0, {1, 2, 3}}, {4, {1, 2, 3}}, {-1, {1, 2, 3}},
    };
    const Scene s = SceneDeTrois();
    for (const Cas& c : cas) {
        ListeObjetsAffiches l;
        for (int i = 1; i <= 3; ++i) ObjetAfficheAjouter(l, s, 1, i, {15, 15});
        ObjetAfficheSupprimer(l, c.supprime);
        std::vector<int> objets;
        for (const auto& e : l.entrees) objets.push_back(e.objet);
        EXPECT_EQ(objets, c.restants) << "supprime " << c.supprime;
        for (std::size_t k = 0; k < c.restants.size(); ++k) {
            EXPECT_EQ(ObjetAfficheNObjetVersNAffiche(l, 1, c.restants[k]), static_cast<int>(k + 1));
        }
        if (c.supprime >= 1 && c.supprime <= 3) {
            EXPECT_EQ(ObjetAfficheNObjetVersNAffiche(l, 1, c.supprime), 0);
        }
    }
}

TEST(ObjetsAffiches, SupprimerLeSeulPuisTous) {
    const Scene s = SceneDeTrois();
    ListeObjetsAffiches l;
    ObjetAfficheAjouter(l, s, 1, 1, {15, 15});
    ObjetAfficheSupprimer(l, 1);
    EXPECT_EQ(l.Nombre(), 0);
    EXPECT_EQ(ObjetAfficheNObjetVersNAffiche(l, 1, 1), 0);
    for (int i = 1; i <= 3; ++i) ObjetAfficheAjouter(l, s, 1, i, {15, 15});
    ObjetAfficheSupprimerTous(l);
    EXPECT_EQ(l.Nombre(), 0);
}

TEST(ObjetsAffiches, RecalculerPositionsSuitLesObjetsSaufLesChronos) {
    Scene s = SceneDeTrois();
    ListeObjetsAffiches l;
    ObjetAfficheAjouter(l, s, 1, 1, {15, 15});
    l.Entree(1).survol = -1;
    l.Entree(1).enfonce = -1;
    l.Entree(1).clicX = 77;
    ListeAttente attente;
    EvenementAttente bouton;
    bouton.TypeObjet = 3;
    bouton.Page = 1;
    bouton.Objet = 1;
    EvenementAttente chrono = bouton;
    chrono.TypeObjet = 7;
    chrono.Gauche = 5000;
    attente.entrees = {bouton, chrono};

    s.Page(1).Objet(1).gauche = 900;
    s.Page(1).Objet(1).largeur = 600;
    ObjetAfficheRecalculerPositions(l, attente, s, {15, 15});
    EXPECT_EQ(l.Entree(1).gauche, 900);
    EXPECT_EQ(l.Entree(1).droite, 900 + 600 - 15);
    EXPECT_EQ(l.Entree(1).survol, 0);
    EXPECT_EQ(l.Entree(1).enfonce, 0);
    EXPECT_EQ(l.Entree(1).clicX, 77);
    EXPECT_EQ(attente.Entree(1).Gauche, 900);
    EXPECT_EQ(attente.Entree(1).Largeur, 600);
    EXPECT_EQ(attente.Entree(2).Gauche, 5000);  // a timer's Gauche is its due time
}

}  // namespace
}  // namespace korv::engine

namespace korv::engine {
namespace {

// One object of each kind in `types`, all at the same rectangle
// (1500, 1500)-(3000, 3000) twips, each shown.
struct Page {
    Scene scene;
    ListeObjetsAffiches liste;
    ListeAttente attente;
};

Page PageDe(std::vector<TypeObjet> types) {
    Page p;
    p.scene.pages.resize(1);
    for (TypeObjet t : types) {
        ObjetPage o;
        o.type = static_cast<std::uint8_t>(t);
        o.gauche = 1500;
        o.haut = 1500;
        o.largeur = 1500;
        o.hauteur = 1500;
        o.decoupe = 1;
        p.scene.pages[0].objets.push_back(o);
    }
    for (int i = 1; i <= static_cast<int>(types.size()); ++i) ObjetAfficheAjouter(p.liste, p.scene, 1, i, {15, 15});
    return p;
}

TEST(ObjetsAffichesPoint, RectangleStrictEtTypesTouchables) {
    struct Cas {
        TypeObjet type;
        std::int32_t x, y;
        bool dedans;
    };
    const Cas cas[] = {
        {TypeObjet::Bouton, 2000, 2000, true},
        {TypeObjet::Bouton, 1500, 2000, false},  // on the left edge
        {TypeObjet::Bouton, 2000, 1500, false},  // on the top edge
        {TypeObjet::Bouton, 2984, 2984, true},   // last pixel but one
        {TypeObjet::Bouton, 2985, 2000, false},  // right = left + width - one pixel
        {TypeObjet::Fond, 2000, 2000, true},
        {TypeObjet::Image, 2000, 2000, true},
        {TypeObjet::Texte, 2000, 2000, true},
        {TypeObjet::Video, 2000, 2000, true},
        {TypeObjet::Polyligne, 2000, 2000, true},
        {TypeObjet::Sprite, 2000, 2000, true},
        {TypeObjet::Tableau, 2000, 2000, true},
        {TypeObjet::TexteRtf, 2000, 2000, true},
        {TypeObjet::Graphique, 2000, 2000, false},
        {TypeObjet::Son, 2000, 2000, false},
        {TypeObjet::Chrono, 2000, 2000, false},
        {TypeObjet::Action, 2000, 2000, false},
        {static_cast<TypeObjet>(11), 2000, 2000, false},
    };
    for (const Cas& c : cas) {
        const Page p = PageDe({c.type});
        EXPECT_EQ(ObjetAffichePointDedans(p.liste, p.scene, 1, c.x, c.y, {15, 15}), c.dedans)
            << static_cast<int>(c.type) << " " << c.x << "," << c.y;
    }
    const Page p = PageDe({TypeObjet::Bouton});
    for (int n : {0, 2, -1}) EXPECT_FALSE(ObjetAffichePointDedans(p.liste, p.scene, n, 2000, 2000, {15, 15})) << n;
}

TEST(ObjetsAffichesPoint, ObjetSansOctetDeFormeEstUnRectangle) {
    Page p = PageDe({TypeObjet::Bouton});
    p.scene.Page(1).Objet(1).decoupe = 0;  // a scene written without it
    EXPECT_TRUE(ObjetAffichePointDedans(p.liste, p.scene, 1, 2000, 2000, {15, 15}));
}

TEST(ObjetsAffichesPoint, PolygoneDeLObjet) {
    Page p = PageDe({TypeObjet::Bouton});
    ObjetPage& o = p.scene.Page(1).Objet(1);
    o.decoupe = 2;
    // A right triangle (100, 100), (200, 100), (100, 200) pixels.
    o.chemin.points = {{100, 100}, {200, 100}, {100, 200}};
    struct Cas {
        std::int32_t x, y;
        bool dedans;
    };
    const Cas cas[] = {{1600, 1600, true}, {2900, 2900, false}, {2000, 1600, true}, {1400, 1600, false}};
    for (const Cas& c : cas) {
        EXPECT_EQ(ObjetAffichePointDedans(p.liste, p.scene, 1, c.x, c.y, {15, 15}), c.dedans) << c.x << "," << c.y;
    }
    // A path with no point is hit nowhere.
    o.chemin.points.clear();
    EXPECT_FALSE(ObjetAffichePointDedans(p.liste, p.scene, 1, 1600, 1600, {15, 15}));
}

TEST(ObjetsAffichesPoint, PositionsAuDelaDe16Bits) {
    Page p = PageDe({TypeObjet::Bouton});
    ObjetPage& o = p.scene.Page(1).Objet(1);
    o.gauche = 32000;
    o.largeur = 32000;
    ObjetAfficheRecalculerPositions(p.liste, p.attente, p.scene, {15, 15});
    EXPECT_TRUE(ObjetAffichePointDedans(p.liste, p.scene, 1, 50000, 2000, {15, 15}));

    EvenementAttente e;
    e.TypeObjet = 3;
    e.Page = 1;
    e.Objet = 1;
    e.Gauche = 32000;
    e.Haut = 1500;
    e.Largeur = 32000;
    e.Hauteur = 1500;
    p.attente.entrees = {e};
    EXPECT_TRUE(EvePointDedans(p.attente, p.liste, p.scene, 1, 63000, 2000, {15, 15}));
}

TEST(ObjetsAffichesPoint, PolygoneCompteUnSommetPartageUneFois) {
    // A diamond: the ray from (-10, 100) towards +x passes through the
    // vertices (0, 100) and (200, 100), each shared by an edge above and an
    // edge below, and is crossed twice: outside.
    const std::vector<PolylignePoint> losange = {{100, 0}, {200, 100}, {100, 200}, {0, 100}};
    struct Cas {
        std::int32_t x, y;
        bool dedans;
    };
    const Cas cas[] = {
        {100, 100, true}, {10, 100, true}, {-10, 100, false}, {101, 2, true},
        {150, 1, false}, {50, 0, false}, {100, 0, false}, {199, 100, true},
    };
    for (const Cas& c : cas) EXPECT_EQ(PolylignePointDedans(losange, 1, 1, c.x, c.y), c.dedans) << c.x << "," << c.y;
    EXPECT_FALSE(PolylignePointDedans(std::vector<PolylignePoint>{}, 15, 15, 0, 0));
    EXPECT_FALSE(PolylignePointDedans(losange, 0, 15, 100, 100)) << "no scale: no polygon";
}

TEST(ObjetsAffichesPoint, EvePointDedansParGenre) {
    Page p = PageDe({TypeObjet::Bouton, TypeObjet::Sprite});
    auto entree = [](std::int16_t type, std::int16_t objet) {
        EvenementAttente e;
        e.TypeObjet = type;
        e.Page = 1;
        e.Objet = objet;
        e.Gauche = 1500;
        e.Haut = 1500;
        e.Largeur = 1500;
        e.Hauteur = 1500;
        return e;
    };
    ZoneTexteLien z;
    z.Texte = "lien";
    z.Numero = 4;  // more than three: only the first three count
    z.Gauche1 = 0, z.Droite1 = 100, z.Haut1 = 0, z.Bas1 = 100;
    z.Gauche2 = 0, z.Droite2 = 100, z.Haut2 = 200, z.Bas2 = 300;
    z.Gauche3 = 500, z.Droite3 = 600, z.Haut3 = 500, z.Bas3 = 600;
    EvenementAttente lien = entree(kTypeZoneLien, 1);
    lien.Zone = z;
    p.attente.entrees = {entree(3, 1), entree(10, 2), lien, entree(7, 1), entree(1, 1), entree(12, 1)};
    struct Cas {
        int i;
        std::int32_t x, y;
        bool dedans;
    };
    const Cas cas[] = {
        {1, 2000, 2000, true}, {1, 1500, 2000, false}, {1, 3000, 2000, false},
        {2, 2000, 2000, true}, {2, 1500, 2000, false},
        {3, 100, 100, true},   // link-zone edges are inside
        {3, 0, 300, true}, {3, 600, 600, true}, {3, 101, 50, false}, {3, 50, 150, false},
        {4, 2000, 2000, false}, {5, 2000, 2000, false}, {6, 2000, 2000, false},
        {0, 2000, 2000, false}, {7, 2000, 2000, false},
    };
    for (const Cas& c : cas) {
        EXPECT_EQ(EvePointDedans(p.attente, p.liste, p.scene, c.i, c.x, c.y, {15, 15}), c.dedans)
            << c.i << " " << c.x << "," << c.y;
    }
    // A sprite that is not shown is not hit.
    ObjetAfficheSupprimer(p.liste, 2);
    EXPECT_FALSE(EvePointDedans(p.attente, p.liste, p.scene, 2, 2000, 2000, {15, 15}));
}

TEST(ObjetsAffichesTexte, ZoneDuTexteDUnBouton) {
    struct Cas {
        std::uint8_t placement;
        std::string texte, fichier;
        RectangleTwips attendu;
    };
    // Button at (1000, 2000) size 3000 x 600; offset (A1, A2) = (30, 45);
    // margin C2 = 60; picture height A4 = 300.
    const Cas cas[] = {
        {1, "OK", "", {1030, 2045, 4030, 2645}},
        {0, "OK", "", {1060, 2060, 3940, 2540}},
        {0, "OK", "IMAGES\\B.BMP", {1060, 2360, 3940, 2600}},
        {2, "OK", "", {}},
        {1, "", "", {}},
        {0, "", "IMAGES\\B.BMP", {}},
    };
    for (const Cas& c : cas) {
        Page p = PageDe({TypeObjet::Bouton});
        ObjetPage& o = p.scene.Page(1).Objet(1);
        o.gauche = 1000, o.haut = 2000, o.largeur = 3000, o.hauteur = 600;
        o.A1 = 30, o.A2 = 45, o.C2 = 60, o.A4 = 300;
        o.H3 = c.placement;
        o.texte = c.texte;
        o.fichier = c.fichier;
        EXPECT_EQ(BoutonDetermineZoneTexte(p.scene, 1, 1), c.attendu) << int{c.placement} << " " << c.texte << c.fichier;
    }
}

TEST(ObjetsAffichesTexte, LiensDUnTexteAvecLeurLongueur) {
    Page p = PageDe({TypeObjet::Texte, TypeObjet::Bouton});
    p.scene.entete.langueNb = 2;
    for (int objet : {1, 2}) {
        auto& el = p.scene.Page(1).Objet(objet).elements;
        el.resize(3);
        el[0].Texte = "ici|here";
        el[1].Texte = "";
        el[2].Texte = "plus loin";
    }
    EXPECT_EQ(HyperTexteDansObjet(p.scene, 1, 1, 1), "00003ici00009plus loin");
    EXPECT_EQ(HyperTexteDansObjet(p.scene, 1, 1, 2), "00004here00009plus loin");
    EXPECT_EQ(HyperTexteDansObjet(p.scene, 1, 2, 1), "") << "only text objects have links";
    EXPECT_EQ(HyperTexteDansObjet(p.scene, 1, 3, 1), "");
}

TEST(ObjetsAffichesTexte, DecalageDImageBorne) {
    struct Cas {
        std::int16_t decalage, largeurImage;
        std::int16_t attendu;
    };
    // Object width 1500.
    const Cas cas[] = {
        {50, 3000, 0}, {-100, 3000, -100}, {-2000, 3000, -1500}, {-10, 1000, 500}, {-32768, 32767, -31267},
    };
    for (const Cas& c : cas) {
        Page p = PageDe({TypeObjet::Image});
        ObjetPage& o = p.scene.Page(1).Objet(1);
        o.A1 = c.decalage;
        o.A3 = c.largeurImage;
        ImageDecalageLimite(p.scene, 1, 1);
        EXPECT_EQ(o.A1, c.attendu) << c.decalage << " " << c.largeurImage;
    }
}

}  // namespace
}  // namespace korv::engine
