// The play loop on the headless driver: the start page rule, Escape by the
// scene's Esc mode, and the end of play with an unsaved plan.

#include "engine/jeu.h"
#include "engine/services_neutres.h"

#include <gtest/gtest.h>

#include "support/pilote_jeu.h"

namespace korv::engine {
namespace {

using testsupport::PiloteJeu;

std::string Scene(int esc) {
    return "scene esc=" + std::to_string(esc) + R"(
page
object kind=fond name="ACCUEIL"
page
object kind=fond name="DEBUT"
page
object kind=fond name="FIN"
)";
}

TEST(Jeu, StartPageRule) {
    struct Cas {
        const char* nom;
        int page;
    };
    const Cas cas[] = {{"", 2}, {"FIN", 3}, {"fin", 3}, {"INCONNUE", 1}};
    for (const auto& c : cas) {
        PiloteJeu p;
        p.ChargerScene(Scene(0));
        p.Moteur().jeu.PageDebutNom = c.nom;
        p.ExecuterJusquARepos();
        EXPECT_EQ(p.Moteur().jeu.PageCourante, c.page) << c.nom;
        EXPECT_EQ(p.Moteur().jeu.PageDebut, c.page) << c.nom;
        EXPECT_EQ(p.Trace().Lignes("prepare"), std::vector<std::string>{"prepare " + std::to_string(c.page)}) << c.nom;
        EXPECT_EQ(p.Moteur().jeu.ModeProgramme, kModeJeu);
    }
}

TEST(Jeu, EscapeFollowsTheEscMode) {
    struct Cas {
        int esc;
        std::vector<int> reponses;
        bool termine;
        std::size_t questions;
    };
    const Cas cas[] = {
        {0, {}, true, 0},   // ends at once
        {1, {7}, false, 1}, // asks; No plays on
        {1, {6}, true, 1},  // asks; Yes ends
        {2, {}, false, 0},  // does nothing
    };
    for (const auto& c : cas) {
        PiloteJeu p;
        p.ChargerScene(Scene(c.esc));
        for (int r : c.reponses) p.RepondreMessage(r);
        p.Touche(100, 27);
        p.ExecuterJusqua(200);
        EXPECT_EQ(p.JeuTermine(), c.termine) << "esc mode " << c.esc;
        EXPECT_EQ(p.Messages().messages.size(), c.questions) << "esc mode " << c.esc;
        if (c.questions) {
            EXPECT_EQ(p.Messages().messages[0].texte, "Voulez-vous vraiment quitter ce programme ?");
            EXPECT_EQ(p.Messages().messages[0].titre, "Quitter");
            EXPECT_EQ(p.Messages().messages[0].style, 292);
        }
        if (c.termine) {
            EXPECT_TRUE(p.Moteur().fin.demandee);
            EXPECT_TRUE(p.Plan().reponsesEnregistrer.empty());
        }
    }
}

TEST(Jeu, EndOfPlayAsksToSaveAModifiedPlan) {
    // Cancel plays on; a second Escape answered "no" ends without saving.
    PiloteJeu p;
    p.ChargerScene(Scene(0));
    p.Plan().modifie = true;
    p.RepondreEnregistrer(2);
    p.RepondreEnregistrer(7);
    p.Touche(100, 27);
    p.ExecuterJusqua(150);
    EXPECT_FALSE(p.JeuTermine());
    EXPECT_EQ(p.Moteur().jeu.JeuFinDemande, 0);
    p.Touche(200, 27);
    EXPECT_TRUE(p.ExecuterJusquaFin(1000));
    EXPECT_TRUE(p.Plan().reponsesEnregistrer.empty()) << "asked twice, once per Escape";
}

TEST(Jeu, EscapeOutsidePlayDoesNothing) {
    Moteur m;
    m.scene.entete.modeEsc = 0;
    AppuieToucheEsc(m);
    EXPECT_EQ(m.jeu.JeuFinDemande, 0);
}

TEST(Jeu, StopEverythingStopsOnlyTimers) {
    Moteur m;
    for (int type : {7, 3, 7, 4}) {
        EvenementAttente e;
        e.TypeObjet = static_cast<std::int16_t>(type);
        m.attente.entrees.push_back(e);
    }
    ArreterTout(m);
    std::vector<int> etats;
    for (const auto& e : m.attente.entrees) etats.push_back(e.Etat);
    EXPECT_EQ(etats, (std::vector<int>{-1, 0, -1, 0}));
}

TEST(Jeu, InitialPositionsAreKept) {
    Moteur m;
    auto& o = m.scene.pages.emplace_back().objets.emplace_back();
    o.gauche = 10, o.haut = 20, o.largeur = 30, o.hauteur = 40, o.A1 = 5, o.A2 = 6;
    o.decoupe = 2;
    o.chemin.points = {{1, 2}};
    o.chemin.longueurs = {0};
    ObjetsPositionInitialeMemoriser(m);
    EXPECT_EQ(o.gaucheInitial, 10);
    EXPECT_EQ(o.hauteurInitial, 40);
    EXPECT_EQ(o.A2Initial, 6);
    EXPECT_EQ(o.cheminInitial, o.chemin);
    EXPECT_EQ(m.jeu.pageLargeurInitiale, 640);
}

}  // namespace
}  // namespace korv::engine

namespace korv::engine {
namespace {

class FenetrePlan : public FenetrePrincipaleNeutre {
public:
    void PanneauPlanVisible(bool v) override { traces.push_back(v ? "plan on" : "plan off"); }
    void MenuCoche(Menu m, bool c) override {
        if (m == Menu::AfficherPlan) traces.push_back(c ? "check" : "uncheck");
    }
    std::vector<std::string> traces;
};

class AffichagePlan : public AffichageNeutre {
public:
    explicit AffichagePlan(std::vector<std::string>& t) : traces(t) {}
    void MajTailleFenetre(bool forcer) override { traces.push_back(forcer ? "layout redraw" : "layout"); }
    std::vector<std::string>& traces;
};

TEST(Jeu, PlanPanelSwitch) {
    Moteur m;
    FenetrePlan f;
    AffichagePlan a(f.traces);
    m.Services().fenetre = &f;
    m.Services().affichage = &a;
    MajAffichagePlan(m, -1);
    MajAffichagePlan(m, 0);
    MajAffichagePlan(m, 1);  // not a Boolean: nothing
    EXPECT_EQ(f.traces, (std::vector<std::string>{"plan on", "check", "layout redraw", "plan off", "uncheck",
                                                  "layout redraw"}));
}

}  // namespace
}  // namespace korv::engine
