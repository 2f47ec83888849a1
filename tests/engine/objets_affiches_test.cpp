#include "engine/objets_affiches.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/attente.h"
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
