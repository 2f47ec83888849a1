// Page and object lookups over the tables.

#include "engine/recherche.h"

#include <gtest/gtest.h>

namespace korv::engine {
namespace {

Scene DeuxPages() {
    Scene s;
    for (const char* nom : {"DEBUT", "\xC9TAPE"}) {
        auto& p = s.pages.emplace_back();
        auto& o = p.objets.emplace_back();
        o.type = 1;
        o.nom = nom;
    }
    s.entete.pageNb = 2;
    auto& p1 = s.Page(1);
    auto& b = p1.objets.emplace_back();
    b.type = 3;
    b.nom = " Suivant ";
    b.elements.push_back({1, 3, 0, "", "", 2});
    auto& t = p1.objets.emplace_back();
    t.type = 4;
    t.nom = "TEXTE";
    t.fichier = "A.TXT";
    t.texte = "bonjour";
    return s;
}

TEST(Recherche, PageNumbersFromNames) {
    const Scene s = DeuxPages();
    const std::pair<const char*, int> cas[] = {
        {"DEBUT", 1}, {"  debut ", 1}, {"\xE9tape", 2}, {"$AUTRE", 1}, {"$", 1}, {"", 0}, {"   ", 0}, {"FIN", 0},
    };
    for (const auto& [nom, n] : cas) EXPECT_EQ(NumeroDePage(s, nom), n) << nom;
}

TEST(Recherche, ObjectNumbersAndFields) {
    const Scene s = DeuxPages();
    EXPECT_EQ(NumeroObjet(s, 1, "suivant"), 2);
    EXPECT_EQ(NumeroObjet(s, 1, "texte"), 3);
    EXPECT_EQ(NumeroObjet(s, 1, "rien"), 0);
    EXPECT_EQ(NumeroObjet(s, 9, "texte"), 0);
    EXPECT_EQ(ObjetFichier(s, 1, 3), "A.TXT");
    EXPECT_EQ(ObjetTexte(s, 1, 3), "bonjour");
    EXPECT_EQ(ObjetTexte(s, 1, 4), "");
    EXPECT_EQ(ObjetTexte(s, 0, 1), "");
}

TEST(Recherche, PageFlags) {
    Scene s = DeuxPages();
    s.Page(1).Objet(1).G[1] = kPageCompilee | kPageAvantPlan;
    EXPECT_EQ(PageCompilee(s, 1), 0) << "the scene switch is off";
    s.entete.pagesCompilees = -1;
    EXPECT_EQ(PageCompilee(s, 1), -1);
    EXPECT_EQ(PageCompilee(s, 2), 0);
    EXPECT_EQ(PageUtiliseAvantPlan(s, 1), -1);
    EXPECT_EQ(PageUtiliseAvantPlan(s, 2), 0);
    EXPECT_EQ(PageUtiliseAvantPlan(s, 3), 0);
}

TEST(Recherche, DrawingOrder) {
    Scene s;
    auto& p = s.pages.emplace_back();
    // G1 of each object: 0 draws at its own number, duplicates keep every object.
    struct Cas {
        std::vector<std::int16_t> g1;
        std::vector<std::int16_t> ordre;
    };
    const Cas cas[] = {
        {{0, 0, 0}, {3, 1, 2, 3}},
        {{3, 1, 2}, {3, 2, 3, 1}},
        {{1, 9, -4}, {3, 1, 2, 3}},
        {{2, 2, 1}, {3, 3, 1, 2}},
        {{1, 1, 1}, {3, 1, 2, 3}},
    };
    for (const auto& c : cas) {
        p.objets.assign(c.g1.size(), ObjetPage{});
        for (std::size_t i = 0; i < c.g1.size(); ++i) p.objets[i].G[0] = c.g1[i];
        EXPECT_EQ(ListeObjetsPageEnZOrder(s, 1), c.ordre);
    }
    EXPECT_EQ(ListeObjetsPageEnZOrder(s, 2), std::vector<std::int16_t>{0});
}

TEST(Recherche, PreviousAndNextTextPageButtons) {
    const Scene s = DeuxPages();
    EtatTexteAffiche etat{true, 1, 3};
    EtatTexte lecture = [&](int page, int objet) {
        EXPECT_EQ(page, 1);
        EXPECT_EQ(objet, 3);
        return etat;
    };
    EXPECT_EQ(PagePrecedenteRelieABoutonExiste(s, 1, 2, lecture), 0);
    EXPECT_EQ(PageSuivanteRelieABoutonExiste(s, 1, 2, lecture), -1);
    etat.pageCourante = 3;
    EXPECT_EQ(PagePrecedenteRelieABoutonExiste(s, 1, 2, lecture), -1);
    EXPECT_EQ(PageSuivanteRelieABoutonExiste(s, 1, 2, lecture), 0);
    etat.affiche = false;
    EXPECT_EQ(PagePrecedenteRelieABoutonExiste(s, 1, 2, lecture), 0);

    Scene autre = DeuxPages();
    autre.Page(1).Objet(2).elements[0].PageCible = 2;  // a text on another page
    etat = {true, 2, 3};
    EXPECT_EQ(PagePrecedenteRelieABoutonExiste(autre, 1, 2, lecture), 0);
    EXPECT_EQ(PageSuivanteRelieABoutonExiste(autre, 1, 2, lecture), 0);
}

}  // namespace
}  // namespace korv::engine
