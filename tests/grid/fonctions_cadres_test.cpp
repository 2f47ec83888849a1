// The frame, merge, background and greying functions of formulas: what
// they take from the evaluator's stack, what they leave there, and what
// they do to the grid the page and object name.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/scene.h"
#include "formula/fakes.h"
#include "grid/fonctions_cadres.h"
#include "grid/magasin_grilles.h"
#include "grille_fabrique.h"

namespace korv::grid {
namespace {

using formula::Valeur;
namespace f = fonction_cadre;

constexpr std::int32_t kPlanAction = -20;

std::string Contenu(const TableauClasse& g, int c, int r) {
    const CaseTableau* x = g.Case(c, r);
    return x ? x->Texte : std::string();
}

// Page "P1": object 1 "TEXTE" (kind 2), object 2 "T1", a 4 × 3 grid of
// plan-action cells whose selection is columns 2..3, rows 1..2.
struct FonctionsCadresPile : ::testing::Test {
    void SetUp() override {
        noms.AjoutePage("P1");
        noms.AjouteObjet(1, "TEXTE", 2);
        noms.AjouteObjet(1, "T1", 12);
        Reinitialise();
    }
    // The grids as the scene gives them.
    void Reinitialise() {
        engine::Scene scene;
        scene.pages.resize(1);
        engine::ObjetPage texte;
        texte.type = 2;
        engine::ObjetPage tableau;
        tableau.type = 12;
        tableau.largeur = 4800;
        tableau.hauteur = 1500;
        tableau.grille = test::Enregistrement(4, 3);
        for (int c = 1; c <= 4; ++c) {
            for (int r = 1; r <= 3; ++r) test::Attribut(*tableau.grille, c, r).couleurFond = kPlanAction;
        }
        scene.pages[0].objets = {texte, tableau};
        grilles.Construit(scene);
        Selectionne(2, 1, 3, 2);
    }
    TableauClasse& G() { return *grilles.Cherche(1, 2); }
    // The anchor (c1, r1) and the cursor (c2, r2), as left by a press
    // outside the grid: no corners, not valid.
    void Selectionne(int c1, int r1, int c2, int r2) {
        SelectionTableau s;
        s.PremiereColonne = static_cast<std::int16_t>(c1);
        s.PremiereLigne = static_cast<std::int16_t>(r1);
        s.DerniereColonne = static_cast<std::int16_t>(c2);
        s.DerniereLigne = static_cast<std::int16_t>(r2);
        G().SelectionChange(s);
    }
    // Calls the function with `arguments` on top of one value of the
    // caller's; the stack afterwards.
    std::vector<std::string> Appel(int code, std::vector<Valeur> arguments, bool* traite = nullptr) {
        formula::PileValeurs pile{Valeur::Chaine("dessous")};
        for (auto& v : arguments) pile.push_back(std::move(v));
        int n = static_cast<int>(pile.size());
        const bool t = fonctions.EvalueFonctionAction(code, pile, n);
        if (traite) *traite = t;
        std::vector<std::string> reste;
        for (int i = 0; i < n; ++i) {
            const Valeur& v = pile[static_cast<std::size_t>(i)];
            reste.push_back(v.type() == formula::TypeValeur::Entier ? "#" + v.EnTexte() : v.EnTexte());
        }
        return reste;
    }

    formula::test::FakeScene noms;
    MagasinGrilles grilles{ServicesGrilles{}};
    FonctionsCadres fonctions{AccesGrilles{noms, grilles}};
};

Valeur T(const char* s) { return Valeur::Chaine(s); }

struct CasSelection {
    const char* nom;
    int code;
    std::function<void(TableauClasse&)> avant;
    std::function<void(const TableauClasse&)> verifie;
};

TEST_F(FonctionsCadresPile, EachFunctionActsOnTheSelectionAndLeavesZeroInItsFirstSlot) {
    const std::vector<CasSelection> cas{
        {"CADREZONEMETTRE", f::CadreZoneMettre, [](TableauClasse&) {},
         [](const TableauClasse& g) {
             EXPECT_EQ(Contenu(g, 2, 1), "\x09");
             EXPECT_EQ(Contenu(g, 3, 2), "\x06");
             EXPECT_EQ(Contenu(g, 1, 1), "");
         }},
        {"CADREZONEENLEVER", f::CadreZoneEnlever, [](TableauClasse& g) { g.CadreZoneMettre(2, 1, 3, 2); },
         [](const TableauClasse& g) { EXPECT_FALSE(g.CadreZoneExiste(2, 1, 3, 2)); }},
        {"CADREZONECHANGER on a bare zone", f::CadreZoneChanger, [](TableauClasse&) {},
         [](const TableauClasse& g) { EXPECT_EQ(Contenu(g, 3, 1), "\x03"); }},
        {"CADREZONECHANGER on a framed zone", f::CadreZoneChanger,
         [](TableauClasse& g) { g.CadreZoneMettre(2, 1, 3, 2); },
         [](const TableauClasse& g) { EXPECT_EQ(Contenu(g, 3, 1), ""); }},
        {"ZONEFUSIONMETTRE", f::ZoneFusionMettre, [](TableauClasse&) {},
         [](const TableauClasse& g) {
             for (int r = 1; r <= 2; ++r) {
                 EXPECT_EQ(g.CaseFusion(2, r), 1);
                 EXPECT_EQ(g.CaseFusion(3, r), 2);
             }
             EXPECT_EQ(g.CaseFusion(2, 3), 0);
         }},
        {"ZONEFUSIONENLEVER", f::ZoneFusionEnlever, [](TableauClasse& g) { g.FusionZoneMettre(1, 1, 4, 1); },
         [](const TableauClasse& g) {
             EXPECT_FALSE(g.FusionZoneExiste(1, 1, 4, 3)) << "in play the run the selection touches goes whole";
         }},
        {"ZONEFUSIONCHANGER", f::ZoneFusionChanger, [](TableauClasse&) {},
         [](const TableauClasse& g) { EXPECT_TRUE(g.FusionZoneExiste(2, 1, 3, 2)); }},
    };
    for (const CasSelection& k : cas) {
        Reinitialise();
        k.avant(G());
        bool traite = false;
        EXPECT_EQ(Appel(k.code, {T("'P1'"), T("'T1'")}, &traite), (std::vector<std::string>{"dessous", "#0"}))
            << k.nom;
        EXPECT_TRUE(traite);
        k.verifie(G());
    }
}

TEST_F(FonctionsCadresPile, ZoneChangeFondTakesItsCodeAsAByte) {
    EXPECT_EQ(Appel(f::ZoneChangeFond, {T("'P1'"), T(" 't1' "), Valeur::Entier(22)}),
              (std::vector<std::string>{"dessous", "#0"}));
    EXPECT_EQ(G().CaseCouleurFond(2, 1), -22);
    EXPECT_EQ(G().CaseCouleurFond(3, 2), -22);
    EXPECT_EQ(G().CaseCouleurFond(4, 2), kPlanAction);
    EXPECT_THROW(Appel(f::ZoneChangeFond, {T("P1"), T("T1"), Valeur::Entier(300)}), formula::ErreurExecution)
        << "beyond a byte: the formula's run-time error";
}

TEST_F(FonctionsCadresPile, AMissingGridLeavesTheStackAsItIs) {
    struct Cas {
        const char* nom;
        std::vector<Valeur> arguments;
    };
    const std::vector<Cas> cas{
        {"unknown page", {T("'P9'"), T("'T1'")}},
        {"unknown object", {T("'P1'"), T("'T9'")}},
        {"not a grid", {T("'P1'"), T("'TEXTE'")}},
    };
    for (int code : {f::CadreZoneMettre, f::CadreZoneEnlever, f::CadreZoneChanger, f::ZoneFusionMettre,
                     f::ZoneFusionEnlever, f::ZoneFusionChanger}) {
        for (const Cas& k : cas) {
            std::vector<std::string> attendu{"dessous"};
            for (const Valeur& v : k.arguments) attendu.push_back(v.EnTexte());
            EXPECT_EQ(Appel(code, k.arguments), attendu) << code << ": " << k.nom;
        }
    }
    EXPECT_EQ(Appel(f::ZoneChangeFond, {T("'P1'"), T("'TEXTE'"), Valeur::Entier(3)}),
              (std::vector<std::string>{"dessous", "'P1'", "'TEXTE'", "#3"}));
    EXPECT_FALSE(G().CadreZoneExiste(1, 1, 4, 3));
    EXPECT_FALSE(G().FusionZoneExiste(1, 1, 4, 3));
}

TEST_F(FonctionsCadresPile, TooFewValuesLeaveTheStackAsItIs) {
    formula::PileValeurs pile{T("T1")};
    int n = 1;
    EXPECT_TRUE(fonctions.EvalueFonctionAction(f::CadreZoneMettre, pile, n));
    EXPECT_EQ(n, 1);
    pile = {T("P1"), T("T1")};
    n = 2;
    EXPECT_TRUE(fonctions.EvalueFonctionAction(f::ZoneChangeFond, pile, n));
    EXPECT_EQ(n, 2);
    EXPECT_FALSE(fonctions.EvalueFonctionAction(44, pile, n)) << "another handler's function";
}

TEST_F(FonctionsCadresPile, TheZoneIsRebuiltFromTheAnchorAndTheCursor) {
    Selectionne(3, 2, 2, 1);
    Appel(f::ZoneFusionMettre, {T("P1"), T("T1")});
    EXPECT_EQ(G().CaseFusion(2, 1), 1);
    EXPECT_EQ(G().CaseFusion(3, 2), 2);
    EXPECT_EQ(G().CaseFusion(4, 2), 0);
    EXPECT_EQ(G().Selection().HautGaucheColonne, 2) << "the grid keeps the ordered corners";
    EXPECT_EQ(G().Selection().BasDroiteLigne, 2);
}

TEST_F(FonctionsCadresPile, InPlayTheZoneCoversTheMergedRunsItTouches) {
    struct Cas {
        std::int16_t mode;
        std::vector<int> apres;
    };
    for (const Cas& k : {Cas{3, {0, 0, 0, 0}}, Cas{1, {1, 2, 0, 1}}}) {
        noms.modeProgramme = k.mode;
        Reinitialise();
        G().FusionZoneMettre(1, 1, 4, 1);
        Selectionne(3, 1, 3, 1);
        Appel(f::ZoneFusionEnlever, {T("P1"), T("T1")});
        std::vector<int> marques;
        for (int c = 1; c <= 4; ++c) marques.push_back(G().CaseFusion(c, 1));
        EXPECT_EQ(marques, k.apres) << "mode " << k.mode;
    }
}

TEST_F(FonctionsCadresPile, AZoneOutsideTheGridIsSkipped) {

    for (const auto& s : std::vector<std::vector<int>>{{0, 0, 0, 0}, {2, 1, 9, 2}, {3, 0, 4, 3}}) {
        Reinitialise();
        Selectionne(s[0], s[1], s[2], s[3]);
        for (int code : {f::CadreZoneMettre, f::CadreZoneChanger, f::ZoneFusionMettre, f::ZoneFusionChanger}) {
            EXPECT_EQ(Appel(code, {T("P1"), T("T1")}), (std::vector<std::string>{"dessous", "#0"}));
        }
        Appel(f::ZoneChangeFond, {T("P1"), T("T1"), Valeur::Entier(7)});
        EXPECT_FALSE(G().CadreZoneExiste(1, 1, 4, 3)) << s[2];
        EXPECT_FALSE(G().FusionZoneExiste(1, 1, 4, 3)) << s[2];
        EXPECT_EQ(G().CaseCouleurFond(2, 1), kPlanAction) << s[2];
    }
}

TEST_F(FonctionsCadresPile, ZoneGriseAutoTakesElevenValuesAndGivesZeroEvenWithoutAGrid) {
    auto arguments = [](const char* page, const char* objet) {
        std::vector<Valeur> v{T(page), T(objet)};
        // Test zone column 2, rows 1..2; target column 4, rows 1..3; mode 1.
        for (int x : {2, 1, 2, 2, 4, 1, 4, 3, 1}) v.push_back(Valeur::Entier(static_cast<std::int16_t>(x)));
        return v;
    };
    G().CaseTexteChange(2, 2, "x");
    G().CaseInvalidationStockeeChange(2, 2, 2);
    EXPECT_EQ(Appel(f::ZoneGriseAuto, arguments("'P1'", "'T1'")), (std::vector<std::string>{"dessous", "#0"}));
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(G().CaseInvalidationStockee(4, r) & 7, 2) << r;

    for (const auto& [page, objet] : std::vector<std::pair<const char*, const char*>>{
             {"P9", "T1"}, {"P1", "T9"}, {"P1", "TEXTE"}}) {
        EXPECT_EQ(Appel(f::ZoneGriseAuto, arguments(page, objet)), (std::vector<std::string>{"dessous", "#0"}))
            << page << "." << objet;
    }
    auto dix = arguments("P1", "T1");
    dix.erase(dix.begin());
    int n = 10;
    EXPECT_TRUE(fonctions.EvalueFonctionAction(f::ZoneGriseAuto, dix, n));
    EXPECT_EQ(n, 10) << "too few: untouched";
}

}  // namespace
}  // namespace korv::grid
