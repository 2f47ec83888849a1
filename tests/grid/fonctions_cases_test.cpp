// The cell, fold, page and plan functions of formulas on the grids of a
// small scene: what each takes from the evaluator's stack and leaves there,
// and what it does to the grids.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/scene.h"
#include "formula/expression.h"
#include "formula/services.h"
#include "formula/variables.h"
#include "grid/contexte_calcul.h"
#include "grid/fonctions_cases.h"
#include "grid/fonctions_plan.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"
#include "grille_fabrique.h"
#include "platform/message_box_fake.h"
#include "services_formule_neutres.h"

namespace korv::grid {
namespace {

using formula::PileValeurs;
using formula::Valeur;

std::string Majuscule(std::string_view s) { return formula::Majuscules(formula::Trim(s)); }

// Two pages of an engine scene, their grids in a store, names and play mode
// answered from the scene as the engine does:
//   PAGE1: 2 T1 (3 × 6 grid), 3 T2 (2 × 2 grid), 4 G (chart), 5 and 6 VUPASVU
//   PAGE2: 2 T1 (2 × 2 grid)
//   PAGE3: no grid
class Banc final : public test::SceneSansAffichage, public test::SystemeFixe, public ContexteCalcul {
public:
    Banc() {
        Page("PAGE1");
        Objet(1, engine::TypeObjet::Tableau, "T1").grille = Grille(3, 6);
        Objet(1, engine::TypeObjet::Tableau, "T2").grille = Grille(2, 2);
        Objet(1, engine::TypeObjet::Graphique, "G");
        Objet(1, engine::TypeObjet::Image, "VUPASVU");
        Objet(1, engine::TypeObjet::Image, "VUPASVU");
        Page("PAGE2");
        Objet(2, engine::TypeObjet::Tableau, "T1").grille = Grille(2, 2);
        Page("PAGE3");
        magasin.Construit(scene);
        T1().CaseNomChange(1, 2, "DEBUT");
        T1().CaseNomChange(1, 5, "FIN");
        for (int r = 1; r <= 6; ++r) T1().CaseTexteChange(1, r, "a" + std::to_string(r));
        T1().CaseTexteChange(2, 3, "init");
        T2().CaseEditeurChange(1, 1, "=PAGE1.T1.Case[2,3]");
        Page2().CaseEditeurChange(1, 1, "=PAGE1.T1.Case[2,3]");
        magasin.TableauxReferencesRecreer();
    }

    TableauClasse& T1() { return *magasin.Grille(1, 2); }
    TableauClasse& T2() { return *magasin.Grille(1, 3); }
    TableauClasse& Page2() { return *magasin.Grille(2, 2); }

    engine::Scene scene;
    std::int16_t mode = 3;
    MagasinGrilles magasin{Services()};
    AccesGrilles acces{*this, magasin};
    formula::TableVariables variables;
    formula::ServicesFormule services{*this, *this, variables, nullptr};

    // ServicesScene
    std::int16_t NumeroDePage(std::string_view nom) const override {
        for (int p = 1; p <= scene.PageNb(); ++p) {
            if (Majuscule(scene.Page(p).Objet(1).nom) == Majuscule(nom)) return static_cast<std::int16_t>(p);
        }
        return 0;
    }
    std::int16_t NumeroObjet(std::int16_t page, std::string_view nom) const override {
        if (!scene.PageExiste(page)) return 0;
        for (int o = 1; o <= scene.Page(page).ObjetNb(); ++o) {
            if (Majuscule(scene.Page(page).Objet(o).nom) == Majuscule(nom)) return static_cast<std::int16_t>(o);
        }
        return 0;
    }
    std::int16_t PageNb() const override { return static_cast<std::int16_t>(scene.PageNb()); }
    std::int16_t ObjetNb(std::int16_t page) const override {
        return scene.PageExiste(page) ? static_cast<std::int16_t>(scene.Page(page).ObjetNb()) : 0;
    }
    std::uint8_t TypeObjet(std::int16_t page, std::int16_t objet) const override {
        return scene.ObjetExiste(page, objet) ? scene.Page(page).Objet(objet).type : 0;
    }
    std::int16_t ModeProgramme() const override { return mode; }
    formula::ServiceGrille* Grille(std::int16_t page, std::int16_t objet) override {
        return magasin.Grille(page, objet);
    }
    void TableauxParcouruRecalculReinit() override { magasin.ParcouruRecalculReinitTous(); }

    // ContexteCalcul
    const formula::ServicesFormule& Formules() override { return services; }
    std::shared_ptr<ScriptCase> ScriptCaseCompile(std::string_view) override { return std::make_shared<SansGestionnaire>(); }
    struct SansGestionnaire final : ScriptCase {
        std::int16_t Execute(std::string_view) override { return 1; }
    };
    void MajFenetreJeu() override {}
    void EditionValider() override {}
    bool ChargementPlanEnCours() const override { return false; }
    bool ConversionMonnaieEnCours() const override { return false; }

private:
    ServicesGrilles Services() {
        ServicesGrilles s;
        s.calcul = this;
        s.enJeu = [this] { return mode == 3; };
        s.redessine = [](std::int16_t, std::int16_t) {};
        s.pageCourante = [] { return std::int16_t{1}; };
        return s;
    }
    static GrilleEnregistrement Grille(int c, int r) { return test::Enregistrement(c, r); }
    void Page(std::string nom) {
        scene.pages.emplace_back();
        Objet(scene.PageNb(), engine::TypeObjet::Fond, std::move(nom));
    }
    engine::ObjetPage& Objet(int page, engine::TypeObjet type, std::string nom) {
        auto& o = scene.Page(page).objets.emplace_back();
        o.type = static_cast<std::uint8_t>(type);
        o.nom = std::move(nom);
        o.largeur = 5000;
        o.hauteur = 5000;
        return o;
    }
};

struct MethodeEnregistree final : MarqueVuEtape {
    void EtapeVuBascule() override { appels.push_back("bascule"); }
    void EtapeImageVuPasVu(std::int16_t page, std::int16_t objet) override {
        appels.push_back("image " + std::to_string(page) + "," + std::to_string(objet));
    }
    std::vector<std::string> appels;
};

struct BoiteEnregistree final : BoiteEnTetePied {
    void SelectionVider() override { appels.push_back("vider"); }
    void SelectionRemplacer(std::string_view texte) override { appels.emplace_back(texte); }
    std::vector<std::string> appels;
};

struct DocumentEnregistre final : DocumentPlanPartie {
    void PlanAffaireEnregistrer(std::string_view nom, bool dialogue, std::int16_t page, bool ecrasement) override {
        appels.push_back("enregistrer '" + std::string(nom) + "' " + std::to_string(dialogue) + " " +
                         std::to_string(page) + " " + std::to_string(ecrasement));
    }
    void PlanAffaireOuvrir(std::string_view nom, bool sauver, std::int16_t page) override {
        appels.push_back("ouvrir '" + std::string(nom) + "' " + std::to_string(sauver) + " " + std::to_string(page));
    }
    std::vector<std::string> appels;
};

// Answers every code: shows what the handlers pass on.
struct Suivant final : formula::ServicesFonctionsAction {
    bool EvalueFonctionAction(int code, PileValeurs&, int&) override {
        codes.push_back(code);
        return true;
    }
    std::vector<int> codes;
};

Valeur T(std::string s) { return Valeur::Chaine(std::move(s)); }
Valeur E(std::int16_t v) { return Valeur::Entier(v); }

class FonctionsCasesTest : public ::testing::Test {
protected:
    FonctionsCasesTest()
        : plan(banc.acces, document, &suivant),
          cases(
              banc.acces, boite, methode, enTetePied,
              [this](std::int16_t page, std::int16_t objet) {
                  return banc.scene.ObjetExiste(page, objet) ? banc.scene.Page(page).Objet(objet).nom : std::string();
              },
              &plan) {}

    // Runs `code` on a stack of a marker then `arguments`; the count after.
    int Appelle(int code, std::vector<Valeur> arguments) {
        pile.assign(1, T("'dessous'"));
        pile.insert(pile.end(), arguments.begin(), arguments.end());
        int n = static_cast<int>(pile.size());
        EXPECT_TRUE(cases.EvalueFonctionAction(code, pile, n));
        EXPECT_EQ(pile[0], T("'dessous'")) << "the value below the arguments is left alone";
        return n;
    }

    Banc banc;
    platform::BoiteMessageFactice boite;
    MethodeEnregistree methode;
    BoiteEnregistree enTetePied;
    DocumentEnregistre document;
    Suivant suivant;
    FonctionsPlan plan;
    FonctionsCases cases;
    PileValeurs pile;
};

// ------------------------------------------------------------ stack effects

struct Pile {
    const char* nom;
    int code;
    std::vector<Valeur> arguments;
    int compte;      // the count after, with the marker below
    Valeur valeur;   // in argument 1's slot (when compte > 1)
};

TEST_F(FonctionsCasesTest, EachFunctionTakesItsArgumentsAndLeavesItsResult) {
    const Valeur page1 = T("'PAGE1'");
    const std::vector<Pile> cas = {
        {"CASECHANGEVARIABLE", 24, {page1, T("'T1'"), E(2), E(3), T("'abc'")}, 2, page1},
        {"CASECHANGEVARIABLE unknown page", 24, {T("'NON'"), T("'T1'"), E(2), E(3), T("'x'")}, 6, T("'NON'")},
        {"CASECHANGEVARIABLE unknown object", 24, {page1, T("'T9'"), E(2), E(3), T("'x'")}, 6, page1},
        {"CASECHANGEVARIABLE chart", 24, {page1, T("'G'"), E(2), E(3), T("'x'")}, 6, page1},
        {"ZONECASECHANGEVARIABLE", 34, {page1, T("'T1'"), E(1), E(1), E(2), E(2), T("'z'")}, 2, page1},
        {"ZONECASECHANGEVARIABLE unknown", 34, {page1, T("'T9'"), E(1), E(1), E(2), E(2), T("'z'")}, 8, page1},
        {"REVELERLIGNE", 27, {page1, T("'T1'"), T("'DEBUT'"), T("'FIN'")}, 2, E(0)},
        {"REVELERLIGNE unknown cell", 27, {page1, T("'T1'"), T("'NULLE'"), T("'FIN'")}, 2, E(0)},
        {"REVELERLIGNE unknown page", 27, {T("'NON'"), T("'T1'"), T("'DEBUT'"), T("'FIN'")}, 5, T("'NON'")},
        {"CACHERLIGNE", 28, {page1, T("'T1'"), T("'DEBUT'"), T("'FIN'")}, 2, E(0)},
        {"CACHERLIGNE chart", 28, {page1, T("'G'"), T("'DEBUT'"), T("'FIN'")}, 5, page1},
        {"CHANGEVUPASVU", 82, {E(7)}, 2, E(7)},
        {"AJOUTENUMEROPAGE", 67, {E(1)}, 2, E(1)},
        {"AJOUTENUMEROPAGE 3", 67, {E(3)}, 2, E(3)},
        {"PAGESAUVE", 69, {T("'PAGE2'")}, 2, E(0)},
        {"PAGESAUVE unknown page", 69, {T("'NON'")}, 2, E(0)},
        {"PAGECHARGE", 68, {T("'PAGE2'")}, 2, E(0)},
        {"RECALCULOBJET", 37, {page1, T("'T2'")}, 2, E(0)},
        {"RECALCULOBJET chart", 37, {page1, T("'G'")}, 2, E(0)},
        {"RECALCULOBJET unknown page", 37, {T("'NON'"), T("'T2'")}, 2, E(0)},
        {"RECALCULPAGE", 31, {page1}, 2, E(0)},
        {"RECALCULPAGE without grids", 31, {T("'PAGE3'")}, 2, E(0)},
        {"RECALCULPAGE unknown page", 31, {T("'NON'")}, 2, E(0)},
        {"MEMORISEPLIAGE", 42, {page1, T("'T1'"), T("'DEBUT'"), T("'FIN'"), E(3)}, 2, E(0)},
        {"MEMORISEPLIAGE unknown", 42, {page1, T("'T9'"), T("'DEBUT'"), T("'FIN'"), E(3)}, 2, E(0)},
        {"REMEMOREPLIAGE", 43, {page1, T("'T1'"), T("'DEBUT'"), T("'FIN'"), E(3)}, 2, E(0)},
        {"REMEMOREPLIAGE chart", 43, {page1, T("'G'"), T("'DEBUT'"), T("'FIN'"), E(3)}, 2, E(0)},
    };
    for (const Pile& c : cas) {
        const int n = Appelle(c.code, c.arguments);
        EXPECT_EQ(n, c.compte) << c.nom;
        EXPECT_EQ(pile[1], c.valeur) << c.nom;
        for (int i = 2; i < n; ++i) EXPECT_EQ(pile[static_cast<std::size_t>(i)], c.arguments[i - 1]) << c.nom;
    }
}

// With one value fewer than its arguments a function does nothing.
TEST_F(FonctionsCasesTest, TooFewValuesLeaveTheStackAlone) {
    const std::vector<std::pair<int, int>> arguments = {{24, 5}, {34, 7}, {27, 4}, {28, 4}, {67, 1}, {68, 1},
                                                        {69, 1}, {37, 2}, {31, 1}, {42, 5}, {43, 5}};
    for (const auto& [code, k] : arguments) {
        // The names of an existing grid and its cells, so that only the count stops the call.
        const std::vector<Valeur> valeurs = {T("'PAGE1'"), T("'T1'"), T("'DEBUT'"), T("'FIN'"), E(3), E(3), E(3)};
        PileValeurs p(valeurs.begin(), valeurs.begin() + (k - 1));
        const PileValeurs avant = p;
        int n = k - 1;
        EXPECT_TRUE(cases.EvalueFonctionAction(code, p, n)) << code;
        EXPECT_EQ(n, k - 1) << code;
        EXPECT_EQ(p, avant) << code;
    }
    EXPECT_TRUE(document.appels.empty());
    EXPECT_TRUE(enTetePied.appels.empty());
    EXPECT_EQ(banc.T1().CaseEditeur(1, 1), "a1");
}

TEST_F(FonctionsCasesTest, OtherCodesGoOnToTheNextHandler) {
    PileValeurs p{E(1)};
    int n = 1;
    for (const int code : {25, 44, 79, 83}) EXPECT_TRUE(cases.EvalueFonctionAction(code, p, n));
    EXPECT_EQ(suivant.codes, (std::vector<int>{25, 44, 79, 83}));
    FonctionsCases seul(banc.acces, boite, methode, enTetePied, {}, nullptr);
    EXPECT_FALSE(seul.EvalueFonctionAction(25, p, n));
}

// Formulas compiled and evaluated with these functions as their actions.
TEST_F(FonctionsCasesTest, AFormulasValueIsWhatTheFunctionLeaves) {
    const formula::ServicesFormule services{banc, banc, banc.variables, &cases};
    const std::vector<std::pair<std::string, Valeur>> cas = {
        {"CASECHANGEVARIABLE('PAGE1';'T1';2;3;'abc')", T("'PAGE1'")},
        {"ZONECASECHANGEVARIABLE('PAGE1';'T1';3;1;2;2;'abc')", T("'PAGE1'")},
        {"REVELERLIGNE('PAGE1';'T1';'NULLE';'FIN')", E(0)},
        {"AJOUTENUMEROPAGE(3)", Valeur::Double(3)},
        {"RECALCULOBJET('PAGE1';'G')", E(0)},
        {"REMEMOREPLIAGE('PAGE1';'T1';'DEBUT';'FIN';3)", E(0)},
        {"CASECHANGEVARIABLE('PAGE1';'T1';300;1;'x')", Valeur::Nul()},
    };
    for (const auto& [texte, attendu] : cas) {
        formula::ExpressionClasse f;
        ASSERT_TRUE(f.Code(texte, services)) << texte;
        EXPECT_EQ(f.Evalue(services), attendu) << texte;
    }
    EXPECT_EQ(banc.T1().CaseEditeur(2, 3), "abc");
    EXPECT_EQ(banc.T1().CaseEditeur(1, 1), "a1");
}

// ------------------------------------------------------------- cell changes

TEST_F(FonctionsCasesTest, ACellChangeTakesTheUnquotedTextAndRecomputesThePage) {
    Appelle(24, {T("'page1'"), T("'t1'"), E(2), E(3), T("'abc'")});
    EXPECT_EQ(banc.T1().CaseEditeur(2, 3), "abc");
    EXPECT_EQ(banc.T2().CaseResultatInterne(1, 1), "abc") << "a grid of the page that reads the cell";
    EXPECT_EQ(banc.Page2().CaseResultatType(1, 1), resultat::kACalculer) << "another page waits for its turn";
}

TEST_F(FonctionsCasesTest, AZoneChangeRunsColumnByColumnAndAnEmptyZoneStillRecomputes) {
    const int n = Appelle(34, {T("'PAGE1'"), T("'T1'"), E(2), E(2), E(3), E(3), T("'z'")});
    EXPECT_EQ(n, 2);
    for (int c = 2; c <= 3; ++c) {
        for (int r = 2; r <= 3; ++r) EXPECT_EQ(banc.T1().CaseEditeur(c, r), "z") << c << "," << r;
    }
    EXPECT_EQ(banc.T1().CaseEditeur(1, 2), "a2");
    EXPECT_EQ(banc.T1().CaseEditeur(2, 4), "");
    EXPECT_EQ(banc.T2().CaseResultatInterne(1, 1), "z");

    banc.T1().CaseTexteChange(2, 3, "sans recalcul");
    banc.T2().CaseEditeurChange(1, 1, "=PAGE1.T1.Case[2,3]");
    Appelle(34, {T("'PAGE1'"), T("'T1'"), E(3), E(1), E(2), E(6), T("'y'")});
    EXPECT_EQ(banc.T1().CaseEditeur(2, 1), "") << "column 1 greater than column 2: no cell";
    EXPECT_EQ(banc.T2().CaseResultatInterne(1, 1), "sans recalcul") << "the page was recomputed";
}

// Scripts' coordinates may lie outside the grid: such cells are passed
// over, the rest goes on as usual.
TEST_F(FonctionsCasesTest, CoordinatesOutsideTheGridAreSkipped) {
    const int n = Appelle(24, {T("'PAGE1'"), T("'T1'"), E(9), E(200), T("'hors'")});
    EXPECT_EQ(n, 2);
    EXPECT_EQ(pile[1], T("'PAGE1'"));
    EXPECT_EQ(banc.T2().CaseResultatInterne(1, 1), "init") << "the page is recomputed all the same";

    Appelle(34, {T("'PAGE1'"), T("'T1'"), E(0), E(0), E(255), E(255), T("'tout'")});
    for (int c = 1; c <= 3; ++c) {
        for (int r = 1; r <= 6; ++r) EXPECT_EQ(banc.T1().CaseEditeur(c, r), "tout") << c << "," << r;
    }

    Appelle(42, {T("'PAGE1'"), T("'T1'"), T("'DEBUT'"), T("'FIN'"), E(200)});
    EXPECT_EQ(banc.T1().CaseEditeur(3, 2), "tout") << "a fold column past the last one writes nothing";
    Appelle(43, {T("'PAGE1'"), T("'T1'"), T("'DEBUT'"), T("'FIN'"), E(0)});
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(banc.T1().LigneEstPLiee(r), 0);
}

TEST_F(FonctionsCasesTest, ANumberBeyondAByteIsAConversionErrorBeforeAnyChange) {
    pile = {T("'PAGE1'"), T("'T1'"), E(300), E(1), T("'x'")};
    int n = 5;
    EXPECT_THROW(cases.EvalueFonctionAction(24, pile, n), formula::ErreurExecution);
    EXPECT_EQ(n, 5);
    EXPECT_EQ(banc.T1().CaseEditeur(1, 1), "a1");
}

// ------------------------------------------------------------ folded rows

TEST_F(FonctionsCasesTest, RevealingUnfoldsTheFirstFoldedRowBetweenTheNamedCells) {
    banc.T1().ZonePlier(0, 4, 0, 6);
    Appelle(27, {T("'PAGE1'"), T("'T1'"), T("'debut'"), T("' FIN'")});
    EXPECT_EQ(banc.T1().LigneEstPLiee(4), 0);
    EXPECT_EQ(banc.T1().LigneEstPLiee(5), -1);
    EXPECT_TRUE(boite.messages.empty());

    banc.T1().DeplierTout();
    Appelle(27, {T("'PAGE1'"), T("'T1'"), T("'DEBUT'"), T("'FIN'")});
    ASSERT_EQ(boite.messages.size(), 1u);
    EXPECT_EQ(boite.messages[0].texte, "Le nombre de lignes maximum a \xe9t\xe9 atteint");
}

TEST_F(FonctionsCasesTest, ACellNameNoCellBearsChangesNothing) {
    banc.T1().ZonePlier(0, 4, 0, 6);
    for (const char* nom : {"'NULLE'", "''", "'  '"}) {
        EXPECT_EQ(Appelle(27, {T("'PAGE1'"), T("'T1'"), T(nom), T("'FIN'")}), 2) << nom;
        EXPECT_EQ(pile[1], E(0)) << nom;
        EXPECT_EQ(Appelle(27, {T("'PAGE1'"), T("'T1'"), T("'DEBUT'"), T(nom)}), 2) << nom;
    }
    EXPECT_EQ(banc.T1().LigneEstPLiee(4), -1);
    EXPECT_TRUE(boite.messages.empty());
}

// The rows to hide are the selection's, its corners put in order first.
TEST_F(FonctionsCasesTest, HidingRemovesTheSelectedRowsFromTheNamedBlock) {
    SelectionTableau s;
    s.Valide = -1;
    s.PremiereColonne = s.DerniereColonne = 1;
    s.PremiereLigne = 4;
    s.DerniereLigne = 3;
    banc.T1().SelectionChange(s);
    Appelle(28, {T("'PAGE1'"), T("'T1'"), T("'DEBUT'"), T("'FIN'")});
    EXPECT_EQ(banc.T1().Selection().HautGaucheLigne, 3);
    EXPECT_EQ(banc.T1().Selection().BasDroiteLigne, 4);
    EXPECT_EQ(banc.T1().CaseEditeur(1, 3), "a5") << "row 5 moved up by two";
    std::vector<int> pliees;
    for (int r = 1; r <= 6; ++r) pliees.push_back(banc.T1().LigneEstPLiee(r));
    EXPECT_EQ(pliees, (std::vector<int>{0, 0, 0, -1, -1, 0}));
}

TEST_F(FonctionsCasesTest, HidingWithoutASelectionHidesNothing) {
    Appelle(28, {T("'PAGE1'"), T("'T1'"), T("'DEBUT'"), T("'FIN'")});
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(banc.T1().LigneEstPLiee(r), 0);
    EXPECT_EQ(banc.T1().CaseEditeur(1, 3), "a3");
}

TEST_F(FonctionsCasesTest, FoldFlagsGoIntoAColumnOfCellsAndBack) {
    banc.T1().ZonePlier(0, 3, 0, 4);
    Appelle(42, {T("'PAGE1'"), T("'T1'"), T("'DEBUT'"), T("'FIN'"), E(3)});
    std::vector<std::string> colonne;
    for (int r = 1; r <= 6; ++r) colonne.push_back(banc.T1().CaseEditeur(3, r));
    EXPECT_EQ(colonne, (std::vector<std::string>{"", "0", "1", "1", "0", ""}));

    banc.T1().DeplierTout();
    Appelle(43, {T("'PAGE1'"), T("'T1'"), T("'DEBUT'"), T("'FIN'"), E(3)});
    std::vector<int> pliees;
    for (int r = 1; r <= 6; ++r) pliees.push_back(banc.T1().LigneEstPLiee(r));
    EXPECT_EQ(pliees, (std::vector<int>{0, 0, -1, -1, 0, 0}));
}

TEST_F(FonctionsCasesTest, ALastCellNoCellBearsGivesRowZeroAndKeepsNothing) {
    Appelle(42, {T("'PAGE1'"), T("'T1'"), T("'DEBUT'"), T("'NULLE'"), E(3)});
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(banc.T1().CaseEditeur(3, r), "") << r;
}

// ------------------------------------------------------ method and printing

TEST_F(FonctionsCasesTest, TheSeenMarkTogglesAndInPlayEachVuPasVuObjectShowsIt) {
    Appelle(82, {});
    EXPECT_EQ(methode.appels, (std::vector<std::string>{"bascule", "image 1,5", "image 1,6"}));
    methode.appels.clear();
    banc.mode = 1;
    Appelle(82, {});
    EXPECT_EQ(methode.appels, (std::vector<std::string>{"bascule"}));
}

TEST_F(FonctionsCasesTest, PageNumberFieldsByTheArgument) {
    struct Cas {
        Valeur argument;
        std::vector<std::string> appels;
    };
    const std::vector<Cas> cas = {
        {E(1), {"vider", "<#NUMERO DE PAGE>"}},
        {Valeur::Double(2), {"vider", "<#NOMBRE DE PAGES>"}},
        {E(3), {"vider"}},
        {T("'1'"), {"vider"}},
        {Valeur::Nul(), {"vider"}},
    };
    for (const Cas& c : cas) {
        enTetePied.appels.clear();
        EXPECT_EQ(Appelle(67, {c.argument}), 2);
        EXPECT_EQ(pile[1], c.argument);
        EXPECT_EQ(enTetePied.appels, c.appels) << c.argument.EnTexte();
    }
}

// ----------------------------------------------------- plan and recomputing

TEST_F(FonctionsCasesTest, APagePartIsSavedOrLoadedOnlyInPlayForAPageThatExists) {
    Appelle(69, {T("'page2'")});
    Appelle(68, {T("'PAGE2'")});
    Appelle(69, {T("'NON'")});
    EXPECT_EQ(document.appels, (std::vector<std::string>{"enregistrer '' 1 2 1", "ouvrir '' 0 2"}));
    document.appels.clear();
    banc.mode = 1;
    EXPECT_EQ(Appelle(69, {T("'PAGE2'")}), 2);
    EXPECT_EQ(pile[1], E(0));
    Appelle(68, {T("'PAGE2'")});
    EXPECT_TRUE(document.appels.empty());
}

// RECALCULOBJET invalidates first; RECALCULPAGE computes what waits.
TEST_F(FonctionsCasesTest, RecomputingAGridInvalidatesItFirstAndAPageDoesNot) {
    Appelle(31, {T("'PAGE1'")});
    EXPECT_EQ(banc.T2().CaseResultatInterne(1, 1), "init");
    EXPECT_EQ(banc.Page2().CaseResultatType(1, 1), resultat::kACalculer);

    banc.T1().CaseTexteChange(2, 3, "nouveau");
    Appelle(31, {T("'PAGE1'")});
    EXPECT_EQ(banc.T2().CaseResultatInterne(1, 1), "init");
    Appelle(37, {T("'PAGE1'"), T("'G'")});
    EXPECT_EQ(banc.T2().CaseResultatInterne(1, 1), "init") << "a chart is no grid";
    Appelle(37, {T("'PAGE1'"), T("'T2'")});
    EXPECT_EQ(banc.T2().CaseResultatInterne(1, 1), "nouveau");
}

}  // namespace
}  // namespace korv::grid
