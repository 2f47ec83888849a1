// Page preparation, jumps and the history.

#include "engine/page_jeu.h"
#include "engine/services_neutres.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "engine/historique.h"
#include "engine/moteur.h"

namespace korv::engine {
namespace {

// Records every firing; a firing may run an action (such as a jump).
class DeclencheurTrace : public DeclencheurNeutre {
public:
    void DeclencheObjet(int page, int objet, int element, int action, int mode, int source) override {
        trace.push_back(std::to_string(page) + "." + std::to_string(objet) + " e" + std::to_string(element) + " a" +
                        std::to_string(action) + " m" + std::to_string(mode) + " s" + std::to_string(source));
        if (auto it = actions.find({page, objet}); it != actions.end()) {
            auto f = it->second;
            if (!unCoup) actions.erase(it);
            f();
        }
    }
    std::vector<std::string> trace;
    std::map<std::pair<int, int>, std::function<void()>> actions;
    bool unCoup = false;
};

class FenetreTrace : public FenetrePrincipaleNeutre {
public:
    void MenuActif(Menu m, bool actif) override { menus[m] = actif; }
    std::map<Menu, bool> menus;
};

class AffichageTrace : public AffichageNeutre {
public:
    void Effet(int code, int, int, int, int) override { effets.push_back(code); }
    void AfficherPageAvantPlan(int page) override {
        avantPlan.push_back(page);
        if (pendantAvantPlan) pendantAvantPlan();
    }
    std::vector<int> effets;
    std::vector<int> avantPlan;
    std::function<void()> pendantAvantPlan;
};

struct Banc {
    Banc() {
        m.Services().declencheur = &d;
        m.Services().fenetre = &f;
        m.Services().affichage = &a;
        m.jeu.ModeProgramme = kModeJeu;
        m.dossierProgramme = ::testing::TempDir();
    }
    PageScene& Page(std::vector<ObjetPage> objets) {
        auto& p = m.scene.pages.emplace_back();
        p.objets = std::move(objets);
        m.scene.entete.pageNb = static_cast<std::int16_t>(m.scene.pages.size());
        return p;
    }
    static ObjetPage Objet(std::uint8_t type, std::int16_t g1 = 0, std::int16_t b3 = 0) {
        ObjetPage o;
        o.type = type;
        o.G[0] = g1;
        o.B3 = b3;
        return o;
    }
    Moteur m;
    DeclencheurTrace d;
    FenetreTrace f;
    AffichageTrace a;
};

TEST(PageJeu, FiresObjectsInDrawingOrderThenPageElements) {
    Banc b;
    auto fond = Banc::Objet(1, 3, 5);  // a background fires whatever its B3
    fond.elements = {{1, 2, 7, "", "", 1}, {2, 1, 0, "", "", 1}, {1, 3, 4, "", "", 1}};
    fond.E2 = 9;
    b.Page({fond, Banc::Objet(3, 1), Banc::Objet(2, 2), Banc::Objet(3, 0, -1)});
    b.Page({Banc::Objet(1)});
    b.m.jeu.PageCourante = 1;
    PreparePageJeu(b.m, 1);
    EXPECT_EQ(b.d.trace, (std::vector<std::string>{"1.2 e0 a0 m2 s1", "1.3 e0 a0 m2 s1", "1.1 e0 a0 m2 s1",
                                                   "1.2 e1 a7 m2 s1", "1.3 e3 a4 m2 s1"}));
    EXPECT_EQ(b.a.effets, std::vector<int>{9});
    EXPECT_EQ(b.m.jeu.JeuDisponible, -1);
    ASSERT_EQ(b.m.PileHistorique.size(), 1u);
    EXPECT_EQ(b.m.PileHistorique[0].page, 1);
}

TEST(PageJeu, OutsidePlayTheBufferIsNotCopied) {
    Banc b;
    b.Page({Banc::Objet(1)});
    b.m.jeu.ModeProgramme = 0;
    b.m.jeu.PageCourante = 1;
    PreparePageJeu(b.m, 1);
    EXPECT_TRUE(b.a.effets.empty());
    EXPECT_EQ(b.m.jeu.JeuDisponible, -1);
}

TEST(PageJeu, ForegroundPageShownInPlay) {
    Banc b;
    auto fond = Banc::Objet(1);
    fond.G[1] = 0x40;
    b.Page({fond});
    b.m.jeu.PageCourante = 1;
    PreparePageJeu(b.m, 1);
    EXPECT_EQ(b.a.avantPlan, std::vector<int>{1});
}

TEST(PageJeu, AJumpFromTheForegroundEndsThePreparation) {
    Banc b;
    auto fond = Banc::Objet(1);
    fond.G[1] = 0x40;
    fond.E2 = 7;
    b.Page({fond});
    auto autre = Banc::Objet(1);
    autre.E2 = 8;
    b.Page({autre});
    b.a.pendantAvantPlan = [&] {
        b.a.pendantAvantPlan = nullptr;
        SauteALaPage(b.m, 2);
    };
    b.m.jeu.PageCourante = 1;
    PreparePageJeu(b.m, 1);
    // Only the new page is copied to the screen, with its own effect.
    EXPECT_EQ(b.a.effets, std::vector<int>{8});
    EXPECT_EQ(b.m.jeu.PageCourante, 2);
}

TEST(PageJeu, PrintMenusFollowThePrintAction) {
    struct Cas {
        const char* nom;
        std::vector<ObjetPage> objets;
        bool imprimer;
        bool exporter;
    };
    auto action = [](std::int16_t type, const char* texte) {
        auto o = Banc::Objet(9, 0, -1);
        o.A1 = type;
        o.texte = texte;
        return o;
    };
    const Cas cas[] = {
        {"none", {Banc::Objet(1)}, false, false},
        {"print", {Banc::Objet(1), action(20, "page")}, true, true},
        {"grid print", {Banc::Objet(1), action(20, "tableau grp")}, true, false},
        {"other action", {Banc::Objet(1), action(19, "")}, false, false},
    };
    for (const auto& c : cas) {
        Banc b;
        b.Page(c.objets);
        b.m.jeu.PageCourante = 1;
        PreparePageJeu(b.m, 1);
        EXPECT_EQ(b.f.menus[Menu::ImprimerPage], c.imprimer) << c.nom;
        EXPECT_EQ(b.f.menus[Menu::ExporterPageRtf], c.exporter) << c.nom;
    }
}

TEST(PageJeu, AJumpDuringPreparationStopsIt) {
    Banc b;
    b.Page({Banc::Objet(1, 1), Banc::Objet(3, 2), Banc::Objet(3, 3)});
    b.Page({Banc::Objet(1)});
    b.d.actions[{1, 2}] = [&] { SauteALaPage(b.m, 2); };
    b.m.jeu.PageCourante = 1;
    PreparePageJeu(b.m, 1);
    EXPECT_EQ(b.d.trace, (std::vector<std::string>{"1.1 e0 a0 m2 s1", "1.2 e0 a0 m2 s1", "2.1 e0 a0 m2 s1"}));
    EXPECT_EQ(b.m.jeu.PageCourante, 2);
}

TEST(PageJeu, AJumpToTheSamePageDoesNotFireObjectsTwice) {
    Banc b;
    b.Page({Banc::Objet(1, 1), Banc::Objet(3, 2), Banc::Objet(3, 3)});
    b.d.actions[{1, 2}] = [&] { SauteALaPage(b.m, 1); };
    b.m.jeu.PageCourante = 1;
    PreparePageJeu(b.m, 1);
    EXPECT_EQ(b.d.trace, (std::vector<std::string>{"1.1 e0 a0 m2 s1", "1.2 e0 a0 m2 s1", "1.1 e0 a0 m2 s1",
                                                   "1.2 e0 a0 m2 s1", "1.3 e0 a0 m2 s1"}));
}

TEST(PageJeu, JumpOutsideTheTableIsIgnored) {
    Banc b;
    b.Page({Banc::Objet(1)});
    b.m.jeu.PageCourante = 1;
    for (int page : {0, 2, -3, 32767}) SauteALaPage(b.m, page);
    EXPECT_EQ(b.m.jeu.PageCourante, 1);
    EXPECT_TRUE(b.d.trace.empty());
}

TEST(Historique, PushPopAndLimit) {
    Moteur m;
    EXPECT_EQ(Depile(m), 1) << "an empty history gives page 1";
    m.jeu.EtapeCourante = "A";
    Empile(m, 3);
    m.jeu.EtapeCourante = "B";
    Empile(m, 4);
    EXPECT_EQ(Depile(m), 4);
    EXPECT_EQ(m.jeu.EtapeCourante, "B");
    EXPECT_EQ(Depile(m), 3);
    EXPECT_EQ(m.jeu.EtapeCourante, "A");
    for (int i = 0; i < kHistoriqueMax; ++i) Empile(m, 10 + i % 7);
    EXPECT_EQ(m.PileHistorique.size(), 501u);
    Empile(m, 99);
    EXPECT_EQ(m.PileHistorique.size(), 501u);
    EXPECT_EQ(m.PileHistorique.back().page, 99) << "a full history overwrites its top";
    EXPECT_EQ(m.PileHistorique[499].page, 10 + 499 % 7);
}

TEST(Historique, GoingBack) {
    Banc b;
    for (int i = 0; i < 4; ++i) b.Page({Banc::Objet(1)});
    RetourPagePrecedente(b.m);  // empty: nothing
    b.m.jeu.PageCourante = 3;
    PreparePageJeu(b.m, 3);
    RetourPagePrecedente(b.m);  // one entry: nothing
    EXPECT_EQ(b.m.jeu.PageCourante, 3);
    SauteALaPage(b.m, 2);
    RetourPagePrecedente(b.m);
    EXPECT_EQ(b.m.jeu.PageCourante, 3) << "back with two entries returns to the start page";
    ASSERT_EQ(b.m.PileHistorique.size(), 1u);

    // 501 entries then one more: going back lands on the page before the top.
    for (int i = 0; i < 500; ++i) SauteALaPage(b.m, 1 + i % 2);
    EXPECT_EQ(b.m.PileHistorique.size(), 501u);
    SauteALaPage(b.m, 4);
    EXPECT_EQ(b.m.PileHistorique.size(), 501u);
    const int avant = b.m.PileHistorique[499].page;
    RetourPagePrecedente(b.m);
    EXPECT_EQ(b.m.jeu.PageCourante, avant);

    RetourPagePrecedenteOublier(b.m);
    EXPECT_EQ(b.m.jeu.PageCourante, avant);
    EXPECT_EQ(b.m.PileHistorique.size(), 499u);
}

}  // namespace
}  // namespace korv::engine
