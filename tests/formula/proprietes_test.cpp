// Object-property references: packing, values, actions, and the unsound
// references (numbers beyond a byte, cells of objects that are no grid).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes.h"
#include "formula/code_var_scene.h"
#include "formula/expression.h"
#include "formula/proprietes.h"
#include "formula/valeur.h"

namespace korv::formula {
namespace {

using test::AppelGrille;
using test::Environnement;
using test::FakeGrille;
using test::FakeScene;

std::string Octets(std::initializer_list<int> v) {
    std::string s;
    for (int b : v) s += static_cast<char>(static_cast<unsigned char>(b));
    return s;
}
const std::string kNonResolue = Octets({0, 0});

// ACCUEIL: 1 FOND (a text object), 2 T1 (a grid); BILAN: 1 T2 (a grid).
struct Scene {
    Environnement env;
    FakeScene& scene = env.scene;
    FakeGrille* t1 = nullptr;

    Scene() {
        const auto accueil = scene.AjoutePage("ACCUEIL");
        scene.AjouteObjet(accueil, "FOND", 4);
        scene.AjouteObjet(accueil, "T1", 12);
        const auto bilan = scene.AjoutePage("BILAN");
        scene.AjouteObjet(bilan, "T2", 12);
        scene.Objet(1, 1).texte = "l'\xE9t\xE9";
        scene.Objet(1, 1).a1 = 42;
        t1 = &scene.GrilleDe(1, 2);
        t1->noms["TOTAL"] = CaseCoord{4, 5};
        t1->Met(2, 3, Valeur::Double(12.5));
        t1->Met(2, 4, Valeur::Chaine("7"));
        t1->Met(2, 5, Valeur::Erreur(0));
        t1->Met(2, 6, Valeur::Chaine("abc"));
        t1->Met(3, 3, Valeur::Long(4));
        t1->Met(4, 4, Valeur::Chaine(""));
        t1->Met(5, 5, Valeur::Nul());
        t1->resultatTypes[{2, 3}] = 3;
        t1->decalageColonne = 6;
    }
    std::string Code(std::string_view mot) { return CodeVarScene(mot, env.services); }
    Valeur Val(std::string_view mot) { return VarSceneValeur(Code(mot), env.services); }
};

TEST(CodeVarScene, PacksReferences) {
    const struct {
        const char* mot;
        std::string attendu;
    } cas[] = {
        {"ACCUEIL.T1.Case[2,3]", Octets({1, 2, 10, 2, 3})},
        {"ACCUEIL.T1.Case[2.3]", Octets({1, 2, 10, 2, 3})},
        {"accueil.t1.cASE[2,3]", Octets({1, 2, 10, 2, 3})},
        {"ACCUEIL.T1.Case[ 2 , 3 ]", Octets({1, 2, 10, 2, 3})},
        // Coordinates kept in place by a fill name the same cells.
        {"ACCUEIL.T1.Case[$2.$3]", Octets({1, 2, 10, 2, 3})},
        {"ACCUEIL.T1.Case[2, $3]", Octets({1, 2, 10, 2, 3})},
        {"ACCUEIL.T1.Somme[$1,2,$3,4]", Octets({1, 2, 12, 1, 2, 3, 4})},
        {"ACCUEIL.T1.Case[total]", Octets({1, 2, 10, 4, 5})},
        {"ACCUEIL.T1.Case[INCONNU]", Octets({1, 2, 10, 0, 0})},
        {"ACCUEIL.T1.CaseInvalidation[2,3]", Octets({1, 2, 26, 2, 3})},
        {"ACCUEIL.T1.Somme[1,2,3,4]", Octets({1, 2, 12, 1, 2, 3, 4})},
        {"ACCUEIL.T1.Max[1.2.3.4]", Octets({1, 2, 14, 1, 2, 3, 4})},
        {"ACCUEIL.T1.CopieSiVide[1,2,3,4]", Octets({1, 2, 39, 1, 2, 3, 4})},
        {"ACCUEIL.T1.Somme[1,2]", Octets({1, 2, 12, 1, 2, 0, 0})},
        {"ACCUEIL.T1.Case", Octets({1, 2, 10})},
        {"ACCUEIL.T1.Case[2,3", Octets({1, 2, 10})},
        {"ACCUEIL.Texte", Octets({1, 1, 2})},
        {"BILAN.Case[2,3]", Octets({2, 1, 10, 2, 3})},
        {"BILAN.Case[2.3]", Octets({2, 1, 10, 2, 3})},
        {"ACCUEIL.T1.Inconnue", Octets({1, 2, 0})},
        {"ACCUEIL.T1.Case.Texte", Octets({1, 2, 0})},
        {"ACCUEIL.T1.Plier[1.2,3.4]", Octets({1, 2, 18}) + "1.2,3.4"},
        {"ACCUEIL.FOND.TexteChange['a.b']", Octets({1, 1, 35}) + "'a.b'"},
        {"NULLEPART.T1.Case[1,1]", kNonResolue},
        {"ACCUEIL.PERSONNE.Texte", kNonResolue},
        {"ACCUEIL", kNonResolue},
        {"", kNonResolue},
    };
    Scene s;
    for (const auto& c : cas) {
        SCOPED_TRACE(c.mot);
        EXPECT_EQ(s.Code(c.mot), c.attendu);
    }
}

TEST(CodeVarScene, NumbersBeyondAByteAndCellsOfNonGridsPackSoundly) {
    Scene s;
    // Cell and zone numbers outside 0..255: no grid has such a cell.
    for (const char* mot : {"ACCUEIL.T1.Case[300,2]", "ACCUEIL.T1.Case[2.256]", "ACCUEIL.T1.Case[-1,2]",
                            "ACCUEIL.T1.Somme[1,1,256,4]", "ACCUEIL.T1.Max[1,1,4,1E9]"}) {
        SCOPED_TRACE(mot);
        EXPECT_EQ(s.Code(mot), kNonResolue);
        EXPECT_EQ(s.Val(mot), Valeur::Nul());
    }
    // A cell name on an object that is no grid names no cell.
    EXPECT_EQ(s.Code("ACCUEIL.FOND.Case[TOTAL]"), Octets({1, 1, 10, 0, 0}));
    EXPECT_EQ(s.Val("ACCUEIL.FOND.Case[TOTAL]"), Valeur::Nul());
    EXPECT_EQ(s.Val("ACCUEIL.FOND.Case[2,3]"), Valeur::Nul());

    // Page 256 and object 256 exist but cannot be packed in their byte.
    for (int i = 3; i <= 256; ++i) s.scene.AjoutePage("P" + std::to_string(i));
    s.scene.AjouteObjet(256, "O", 4);
    for (int i = 2; i <= 256; ++i) s.scene.AjouteObjet(2, "O" + std::to_string(i), 4);
    EXPECT_EQ(s.Code("P255.Texte"), Octets({255, 1, 2}));
    EXPECT_EQ(s.Code("P256.O.Texte"), kNonResolue);
    EXPECT_EQ(s.Code("BILAN.O255.Texte"), Octets({2, 255, 2}));
    EXPECT_EQ(s.Code("BILAN.O256.Texte"), kNonResolue);
}

TEST(CodeVarScene, CompilingAndEvaluatingUnsoundReferencesNeverFails) {
    Scene s;
    const struct {
        const char* formule;
        Valeur attendu;
        std::size_t references;
    } cas[] = {
        {"ACCUEIL.T1.Case[2,3]*2", Valeur::Double(25), 1},
        {"ACCUEIL.T1.Case[300,2]", Valeur::Nul(), 0},
        {"ACCUEIL.FOND.Case[TOTAL]", Valeur::Nul(), 0},
        {"ACCUEIL.FOND.Somme[1,1,2,2]", Valeur::Nul(), 0},
        {"NULLEPART.T1.Case[1,1]", Valeur::Nul(), 0},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.formule);
        ExpressionClasse e;
        EXPECT_TRUE(e.Code(c.formule, s.env.services));
        e.ReferenceVersCree();
        e.AjouteReferenceDe(2, 1, 1, 1, s.scene);
        EXPECT_EQ(e.Evalue(s.env.services), c.attendu);
        EXPECT_EQ(s.t1->appels.size(), c.references);
        s.t1->appels.clear();
    }
}

TEST(ProprietesValeur, ReadingProperties) {
    const struct {
        const char* mot;
        Valeur attendu;
    } cas[] = {
        {"ACCUEIL.T1.Case[2,3]", Valeur::Double(12.5)},
        {"ACCUEIL.T1.case[2.4]", Valeur::Chaine("7")},
        {"ACCUEIL.T1.Case[2,5]", Valeur::Double(0)},  // error value
        {"ACCUEIL.T1.Case[5,5]", Valeur::Nul()},
        {"ACCUEIL.T1.Case[3,4]", Valeur()},
        {"ACCUEIL.T1.CaseVideAZero[3,4]", Valeur::Double(0)},
        {"ACCUEIL.T1.CaseVideAZero[4,4]", Valeur::Double(0)},
        {"ACCUEIL.T1.CaseVideAZero[2,3]", Valeur::Double(12.5)},
        {"ACCUEIL.T1.Case[11,1]", Valeur::Nul()},  // beyond the grid's 10 columns
        {"ACCUEIL.T1.Case[0,1]", Valeur::Nul()},
        {"ACCUEIL.T1.Case[INCONNU]", Valeur::Nul()},
        {"ACCUEIL.T1.Somme[2,3,3,3]", Valeur::Double(16.5)},   // a double and a long
        {"ACCUEIL.T1.Somme[2,3,2,5]", Valeur::Double(19.5)},   // numeric text, error as 0
        {"ACCUEIL.T1.Somme[2,3,2,6]", Valeur::Nul()},          // a number and a text
        {"ACCUEIL.T1.Somme[3,3,3,4]", Valeur::Nul()},          // a number and an empty cell
        {"ACCUEIL.T1.SommeVideAZero[3,3,3,4]", Valeur::Double(4)},
        {"ACCUEIL.T1.Somme[5,5,5,5]", Valeur::Double(0)},      // Null counts as 0
        {"ACCUEIL.T1.Max[3,3,2,5]", Valeur::Nul()},           // empty zone: c1 > c2
        {"ACCUEIL.T1.Max[2,4,3,3]", Valeur::Nul()},           // empty zone: r1 > r2
        {"ACCUEIL.T1.Max[2,3,3,3]", Valeur::Double(12.5)},
        {"ACCUEIL.T1.Max[2,4,2,5]", Valeur::Double(7)},
        {"ACCUEIL.T1.Somme[3,3,2,3]", Valeur::Nul()},          // empty zone
        {"ACCUEIL.T1.Somme[10,10,12,12]", Valeur()},           // only cell (10,10) is in the grid
        {"ACCUEIL.T1.CaseResultatType[2,3]", Valeur::Entier(3)},
        {"ACCUEIL.T1.CaseInvalidation[2,3]", Valeur::Entier(0)},
        {"ACCUEIL.T1.DecalageColonne", Valeur::Entier(6)},
        {"ACCUEIL.T1.DecalageLigne", Valeur::Entier(1)},
        {"ACCUEIL.FOND.Texte", Valeur::Chaine("'l''\xE9t\xE9'")},
        {"ACCUEIL.DecaleX", Valeur::Entier(42)},
        {"ACCUEIL.FOND.DecalageColonne", Valeur::Nul()},  // no grid
        {"ACCUEIL.T1.Inconnue", Valeur::Nul()},
        {"NULLEPART.T1.Case[2,3]", Valeur::Nul()},
    };
    Scene s;
    for (const auto& c : cas) {
        SCOPED_TRACE(c.mot);
        EXPECT_EQ(s.Val(c.mot), c.attendu);
    }
    EXPECT_TRUE(s.t1->appels.empty());
}

TEST(ProprietesValeur, DisplayPropertiesFollowPlayModeAndDisplay) {
    Scene s;
    s.scene.dernierSourisX = 77;
    s.scene.echelleEcranY = 1.5;
    EntreeAffichee affiche;
    affiche.clicX = 10;
    affiche.clicY = 20;
    affiche.textePage = 2;
    affiche.texteLigne = 31;
    affiche.texteSelectionLigne = 25;
    const struct {
        const char* mot;
        Valeur affichee;     // play mode, object shown
        Valeur nonAffichee;  // play mode, object not shown
    } cas[] = {
        {"ACCUEIL.FOND.DernierClicX", Valeur::Long(10), Valeur::Long(77)},
        {"ACCUEIL.FOND.DernierClicY", Valeur::Double(30), Valeur::Nul()},
        {"ACCUEIL.FOND.TextePage", Valeur::Entier(2), Valeur::Nul()},
        {"ACCUEIL.FOND.TexteLigne", Valeur::Long(31), Valeur::Nul()},
        {"ACCUEIL.FOND.TexteSelectionLigne", Valeur::Long(25), Valeur::Nul()},
        {"ACCUEIL.FOND.TexteSelectionPage", Valeur::Entier(3), Valeur::Nul()},
        {"ACCUEIL.FOND.PositionSurChemin", Valeur::Double(4), Valeur::Nul()},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.mot);
        s.scene.modeProgramme = 3;
        s.scene.Objet(1, 1).affiche = affiche;
        s.scene.Objet(1, 1).positionSurChemin = 4.0;
        EXPECT_EQ(s.Val(c.mot), c.affichee);
        s.scene.Objet(1, 1).affiche.reset();
        s.scene.Objet(1, 1).positionSurChemin.reset();
        EXPECT_EQ(s.Val(c.mot), c.nonAffichee);
        s.scene.modeProgramme = 1;
        EXPECT_EQ(s.Val(c.mot), Valeur::Entier(0));
    }
}

TEST(ProprietesValeur, ActionsOnGrids) {
    const struct {
        const char* mot;
        Valeur attendu;
        std::vector<AppelGrille> appels;
        int reinitialisations;
    } cas[] = {
        {"ACCUEIL.T1.Plier[1,2,3,4]", Valeur::Booleen(true), {{"ZonePlier", {1, 2, 3, 4}, ""}}, 0},
        {"ACCUEIL.T1.Deplier[1.2.0.0]", Valeur::Booleen(true), {{"ZoneDeplier", {1, 2, 0, 0}, ""}}, 0},
        {"ACCUEIL.T1.Visible[1,2,3,4]", Valeur::Booleen(true), {{"ZoneRendVisible", {1, 2, 3, 4}, ""}}, 0},
        {"ACCUEIL.T1.Invisible[1,2,3,4]", Valeur::Booleen(true), {{"ZoneRendInvisible", {1, 2, 3, 4}, ""}}, 0},
        {"ACCUEIL.T1.Invalide[1,2,3,4]", Valeur::Booleen(true),
         {{"InvalidationZoneRendInvalide", {1, 2, 3, 4}, ""}}, 0},
        {"ACCUEIL.T1.Valide[1,2,3,4]", Valeur::Booleen(true), {{"InvalidationZoneRendValide", {1, 2, 3, 4}, ""}}, 0},
        {"ACCUEIL.T1.Plier[1,2,300,4]", Valeur::Nul(), {}, 0},
        {"ACCUEIL.T1.CaseChange[2.3,3.5]", Valeur::Booleen(true),
         {{"CaseUtilisateurChange", {2, 3, -1}, "3.5"}, {"RecalculSansInit", {}, ""}}, 1},
        {"ACCUEIL.T1.CaseChange[total,'1,5']", Valeur::Booleen(true),
         {{"CaseUtilisateurChange", {4, 5, -1}, "1.5"}, {"RecalculSansInit", {}, ""}}, 1},
        {"ACCUEIL.T1.CaseChange[TOTAL,'l`\xE9t\xE9']", Valeur::Booleen(true),
         {{"CaseUtilisateurChange", {4, 5, -1}, "l'\xE9t\xE9"}, {"RecalculSansInit", {}, ""}}, 1},
        {"ACCUEIL.T1.CaseChange[INCONNU,1]", Valeur::Nul(), {}, 0},
        {"ACCUEIL.T1.CaseChange[2.300,1]", Valeur::Nul(), {}, 0},
        {"ACCUEIL.T1.CaseChangeFichier[2,3,IMAGE.BMP]", Valeur::Booleen(true),
         {{"CaseFichierChange", {2, 3}, "IMAGE.BMP"}}, 0},
        {"ACCUEIL.T1.EffaceEntreeUtilisateur[2,3]", Valeur::Booleen(true),
         {{"CaseUtilisateurChange", {2, 3, -1}, ""}, {"RecalculSansInit", {}, ""}}, 2},
        {"ACCUEIL.T1.EffaceEntreeUtilisateur[2.3.3.4]", Valeur::Booleen(true),
         {{"CaseUtilisateurChange", {2, 3, -1}, ""},
          {"CaseUtilisateurChange", {2, 4, -1}, ""},
          {"CaseUtilisateurChange", {3, 3, -1}, ""},
          {"CaseUtilisateurChange", {3, 4, -1}, ""},
          {"RecalculSansInit", {}, ""}},
         5},
        {"ACCUEIL.T1.EffaceEntreeUtilisateur[10,10,12,12]", Valeur::Booleen(true),
         {{"CaseUtilisateurChange", {10, 10, -1}, ""}, {"RecalculSansInit", {}, ""}}, 2},
        {"ACCUEIL.T1.CaseChangeCouleurTexte[2,3:255]", Valeur::Double(255),
         {{"CaseCouleurTexteChange", {2, 3, 255}, ""}}, 0},
        {"ACCUEIL.T1.CaseChangeCouleurFond[2,3,:1]", Valeur::Double(-1), {{"CaseCouleurFondChange", {2, 3, -1}, ""}},
         0},
        {"ACCUEIL.T1.CaseChangeCouleurFond[12,3,5]", Valeur::Nul(), {}, 0},
        {"ACCUEIL.T1.DecalageColonneChange[5]", Valeur::Booleen(true), {{"DecalageColonneChange", {5}, ""}}, 0},
        {"ACCUEIL.T1.DecalageLigneChange[7]", Valeur::Booleen(true), {{"DecalageLigneChange", {7}, ""}}, 0},
        {"ACCUEIL.T1.DecalageLigneChange[300]", Valeur::Nul(), {}, 0},
        {"ACCUEIL.T1.ColonneTri['3']", Valeur::Booleen(true), {{"ColonneTriChoisir", {3}, ""}}, 0},
        {"ACCUEIL.T1.BloquerColonne[1.2]", Valeur::Booleen(true), {{"ColonneBloquer", {1, 2}, ""}}, 0},
        {"ACCUEIL.T1.DebloquerColonne[2]", Valeur::Booleen(true), {{"ColonneDebloquer", {2}, ""}}, 0},
        {"ACCUEIL.T1.MemorisePliage", Valeur::Booleen(true), {{"MemorisePliageLigne", {}, ""}}, 0},
        {"ACCUEIL.T1.DefileAuto", Valeur::Booleen(true), {{"LigneDefileAuto", {}, ""}}, 0},
        {"ACCUEIL.FOND.Plier[1,2,3,4]", Valeur::Nul(), {}, 0},  // no grid
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.mot);
        Scene s;
        EXPECT_EQ(s.Val(c.mot), c.attendu);
        EXPECT_EQ(s.t1->appels, c.appels);
        EXPECT_EQ(s.scene.reinitRecalculs, c.reinitialisations);
    }
}

TEST(ProprietesValeur, TextAndRedrawActions) {
    Scene s;
    EXPECT_EQ(s.Val("ACCUEIL.FOND.TexteChange['Nouveau texte']"), Valeur::Booleen(true));
    EXPECT_EQ(s.scene.Objet(1, 1).texte, "Nouveau texte");
    EXPECT_EQ(s.Val("ACCUEIL.T1.Reaffiche"), Valeur::Booleen(true));
    ASSERT_EQ(s.scene.reaffiches.size(), 1u);
    EXPECT_EQ(s.scene.reaffiches[0], std::make_pair(1, 2));
}

TEST(ProprietesValeur, CopieSiVideCopiesShownTextIntoEmptyRows) {
    Scene s;
    FakeGrille& g = *s.t1;
    g.valeurs.clear();
    g.Met(1, 1, Valeur::Double(5));  // copied: row empty after column 1
    g.Met(1, 2, Valeur::Double(0));  // source 0: not copied
    g.Met(1, 3, Valeur::Double(7));  // row holds a value: not copied
    g.Met(3, 3, Valeur::Chaine("x"));
    g.Met(1, 4, Valeur::Double(8));  // only zeros, empty texts and errors: copied
    g.Met(2, 4, Valeur::Chaine("0"));
    g.Met(3, 4, Valeur::Erreur(1));
    g.affichages[{1, 1}] = "5,00";
    g.affichages[{1, 4}] = "8,00";

    EXPECT_EQ(s.Val("ACCUEIL.T1.CopieSiVide[1,1,3,4]"), Valeur());
    EXPECT_TRUE(g.appels.empty()) << "nothing happens unless (c1 + 1, r1) is marked";

    g.invalidations[{2, 1}] = 1;
    EXPECT_EQ(s.Val("ACCUEIL.T1.CopieSiVide[1,1,3,4]"), Valeur());
    const std::vector<AppelGrille> attendus{{"CaseUtilisateurChange", {2, 1, -1}, "5,00"},
                                            {"CaseUtilisateurChange", {2, 4, -1}, "8,00"}};
    EXPECT_EQ(g.appels, attendus);
}

TEST(ProprietesValeur, BoundsAndFailuresGiveNull) {
    Scene s;
    const struct {
        std::int16_t page, objet, propriete;
    } hors[] = {{0, 1, 2}, {3, 1, 2}, {1, 0, 2}, {1, 3, 2}, {1, 1, 0}, {1, 1, 40}, {-1, -1, -1}};
    for (const auto& h : hors) {
        EXPECT_EQ(ObjetValeurConsultationGet(s.scene, h.page, h.objet, h.propriete, ""), Valeur::Nul());
    }
    // Short or empty packed texts.
    EXPECT_EQ(VarSceneValeur(std::string_view{}, s.env.services), Valeur::Nul());
    EXPECT_EQ(VarSceneValeur(Octets({1, 2, 10}), s.env.services), Valeur::Nul());
    EXPECT_EQ(VarSceneValeur(Octets({1, 2, 12, 1, 1}), s.env.services), Valeur::Nul());

    // A failing service: the reference gives Null, nothing escapes.
    struct SceneEnPanne : FakeScene {
        void Reaffiche(std::int16_t, std::int16_t) override { throw ErreurExecution(65000, "A225"); }
    } panne;
    panne.AjoutePage("P");
    panne.AjouteObjet(1, "O", 4);
    EXPECT_EQ(VarSceneValeur(Octets({1, 1, 15}), panne), Valeur::Nul());
}

TEST(ProprieteKORNum, NamesAreCaseInsensitive) {
    EXPECT_EQ(ProprieteKORNum("case"), 10);
    EXPECT_EQ(ProprieteKORNum("CASE"), 10);
    EXPECT_EQ(ProprieteKORNum("Case"), 10);
    EXPECT_EQ(ProprieteKORNum("DecaleX"), 1);
    EXPECT_EQ(ProprieteKORNum("copiesivide"), 39);
    EXPECT_EQ(ProprieteKORNum("CaseChangeCouleurFond"), 36);
    EXPECT_EQ(ProprieteKORNum("Cas"), 0);
    EXPECT_EQ(ProprieteKORNum(""), 0);
}

}  // namespace
}  // namespace korv::formula
