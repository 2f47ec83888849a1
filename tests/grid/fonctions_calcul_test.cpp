// The formula functions that compute over grids of any page and the
// currency functions, called as the evaluator calls them: the stack they
// leave, and what they do to the grids, the currency table and the
// conversion bracket.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "banc_calcul.h"
#include "engine/scene.h"
#include "formula/convertisseur_monnaie.h"
#include "formula/monnaies.h"
#include "formula/nombres.h"
#include "grid/fonctions_calcul.h"
#include "grid/fonctions_monnaie.h"
#include "grid/magasin_grilles.h"
#include "grille_fabrique.h"
#include "platform/settings_fake.h"
#include "services_formule_neutres.h"

namespace korv::grid {
namespace {

using formula::Valeur;

// Pages "P1", "P2", ... whose objects are found by name; the grids live in
// a grid store built from the scene, as in the program.
class BancFonctions final : public test::SceneSansAffichage {
public:
    // A grid of c columns and r rows as the next object of `page`; its
    // record is filled before Construit.
    GrilleEnregistrement& Grille(int page, std::string nom, int c, int r) {
        engine::ObjetPage& o = Objet(page, std::move(nom), 12);
        o.grille = test::Enregistrement(c, r);
        return *o.grille;
    }
    engine::ObjetPage& Objet(int page, std::string nom, std::uint8_t type) {
        if (static_cast<int>(scene.pages.size()) < page) scene.pages.resize(static_cast<std::size_t>(page));
        auto& objets = scene.Page(page).objets;
        objets.emplace_back();
        objets.back().type = type;
        objets.back().nom = std::move(nom);
        objets.back().largeur = 10000;
        objets.back().hauteur = 10000;
        return objets.back();
    }
    void Construit() { magasin.Construit(scene); }
    TableauClasse& T(int page = 1, int objet = 1) {
        return *magasin.Grille(static_cast<std::int16_t>(page), static_cast<std::int16_t>(objet));
    }

    engine::Scene scene;
    test::BancCalcul calcul;
    MagasinGrilles magasin{[this] {
        ServicesGrilles s;
        s.enJeu = [this] { return mode == 3; };
        s.calcul = &calcul;
        s.pageCourante = [] { return std::int16_t{1}; };
        s.redessine = [](std::int16_t, std::int16_t) {};
        return s;
    }()};
    std::int16_t mode = 3;
    int reinitialisations = 0;
    AccesGrilles acces{*this, magasin};

    std::int16_t NumeroDePage(std::string_view nom) const override {
        if (nom.size() < 2 || nom[0] != 'P') return 0;
        const int n = std::atoi(std::string(nom.substr(1)).c_str());
        return scene.PageExiste(n) ? static_cast<std::int16_t>(n) : 0;
    }
    std::int16_t NumeroObjet(std::int16_t page, std::string_view nom) const override {
        if (!scene.PageExiste(page)) return 0;
        for (int o = 1; o <= scene.Page(page).ObjetNb(); ++o) {
            if (scene.Page(page).Objet(o).nom == nom) return static_cast<std::int16_t>(o);
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
    void TableauxParcouruRecalculReinit() override {
        ++reinitialisations;
        magasin.ParcouruRecalculReinitTous();
    }
};

// A number cell holding an entry.
void Nombre(GrilleEnregistrement& g, int c, int r, const std::string& texte) {
    test::Texte(g, c, r, texte);
    test::Attribut(g, c, r).typeAffichage = 1;
}

// A call as the evaluator makes it, over one value that is not an argument.
struct Appel {
    std::vector<Valeur> pile;
    int n = 0;
    bool pris = false;
};

Appel Appelle(formula::ServicesFonctionsAction& f, int code, std::vector<Valeur> arguments, bool dessous = true) {
    Appel a;
    if (dessous) a.pile.push_back(Valeur::Chaine("dessous"));
    for (auto& v : arguments) a.pile.push_back(std::move(v));
    a.n = static_cast<int>(a.pile.size());
    a.pris = f.EvalueFonctionAction(code, a.pile, a.n);
    a.pile.resize(static_cast<std::size_t>(a.n));
    return a;
}

Valeur T(std::string s) { return Valeur::Chaine(std::move(s)); }
Valeur L(std::int32_t v) { return Valeur::Long(v); }
Valeur D(double v) { return Valeur::Double(v); }

// ---------------------------------------------------------------- stack effects

class FonctionsCalculPile : public ::testing::Test {
protected:
    FonctionsCalculPile() {
        b.Grille(1, "T1", 30, 8);
        b.Objet(1, "TEXTE", 3);
        b.Construit();
    }
    BancFonctions b;
    FonctionsCalcul f{b.acces};
};

struct CasPile {
    const char* nom;
    int code;
    std::vector<Valeur> apres;  // the arguments after page and object
    // The result for a found grid, and for a missing one (nullopt: the
    // arguments stay on the stack).
    Valeur resultat;
    std::optional<Valeur> sansGrille;
};

std::vector<CasPile> CasDePile() {
    return {
        {"AMORT", 25, {L(2), L(1), L(1), L(1)}, D(0), std::nullopt},
        {"CLOTUREDATESAISIE", 26, {L(2), L(2), L(3), L(3), L(100), L(9)}, Valeur::Entier(0), std::nullopt},
        {"CLOTUREDATECOULEUR", 35, {L(2), L(2), L(3), L(3), L(100), L(255)}, Valeur::Entier(0), std::nullopt},
        {"EFFACERECHEANCESANTERIEURES", 33, {T("'A'"), T("'B'"), T("'C'"), L(1), L(1), L(2)}, D(0), D(0)},
        {"SOMMESI", 29, {L(1), L(1), L(3), L(3), L(1), L(0), L(9), L(0)}, L(0), L(0)},
        {"TRI", 30, {L(1), L(1), L(3), L(3), L(1), L(1), Valeur::Booleen(false)}, Valeur::Entier(0), Valeur::Entier(0)},
    };
}

TEST_F(FonctionsCalculPile, EachFunctionConsumesItsArgumentsAndLeavesItsResultInTheFirstSlot) {
    for (const CasPile& c : CasDePile()) {
        std::vector<Valeur> args{T("'P1'"), T("'T1'")};  // quoted names are found
        args.insert(args.end(), c.apres.begin(), c.apres.end());
        const Appel a = Appelle(f, c.code, args);
        EXPECT_TRUE(a.pris) << c.nom;
        ASSERT_EQ(a.n, 2) << c.nom;
        EXPECT_EQ(a.pile[0], T("dessous")) << c.nom;
        EXPECT_EQ(a.pile[1], c.resultat) << c.nom;
    }
}

TEST_F(FonctionsCalculPile, AnUnknownPageObjectOrAnObjectThatIsNoGridGivesTheMissingGridResult) {
    const std::vector<std::pair<const char*, const char*>> cibles{
        {"P9", "T1"}, {"P1", "T9"}, {"P1", "TEXTE"}};
    for (const CasPile& c : CasDePile()) {
        for (const auto& [page, objet] : cibles) {
            std::vector<Valeur> args{T(page), T(objet)};
            args.insert(args.end(), c.apres.begin(), c.apres.end());
            const Appel a = Appelle(f, c.code, args);
            const std::string ou = std::string(c.nom) + " " + page + "." + objet;
            EXPECT_TRUE(a.pris) << ou;
            if (c.sansGrille) {
                ASSERT_EQ(a.n, 2) << ou;
                EXPECT_EQ(a.pile[1], *c.sansGrille) << ou;
            } else {
                EXPECT_EQ(a.n, static_cast<int>(args.size()) + 1) << ou << ": the arguments stay";
                EXPECT_EQ(a.pile[1], T(page)) << ou;
            }
        }
    }
}

TEST_F(FonctionsCalculPile, TooFewValuesLeaveTheStackAsItIs) {
    for (const CasPile& c : CasDePile()) {
        std::vector<Valeur> args{T("P1")};
        args.insert(args.end(), c.apres.begin(), c.apres.end());  // one short
        const Appel a = Appelle(f, c.code, args, false);
        EXPECT_TRUE(a.pris) << c.nom;
        EXPECT_EQ(a.n, static_cast<int>(args.size())) << c.nom;
    }
}

TEST_F(FonctionsCalculPile, OtherCodesGoOnToTheNextHandler) {
    Appel a = Appelle(f, 24, {T("P1")});
    EXPECT_FALSE(a.pris);
    EXPECT_EQ(a.n, 2);
}

// ---------------------------------------------------------------- AMORT

// An investment row: months at columns 3..14 of row 2, the first-year
// total at column 2, the second and third at 15 and 16.
struct CasAmort {
    const char* nom;
    std::map<int, std::string> cellules;  // column -> entry
    std::int32_t annees;
    std::vector<double> parAnnee;         // years 1, 2, ...
};

TEST(Amort, StraightLineChargeProratedByMonth) {
    const std::vector<CasAmort> cas{
        {"first-year total only", {{2, "1200"}}, 3, {400, 400, 400, 0}},
        {"month 7 only, the first-year total ignored", {{9, "1200"}, {2, "5000"}}, 1, {600, 600, 0}},
        {"second-year total", {{15, "100"}}, 2, {0, 50, 50, 0}},
        {"third-year total", {{16, "300"}}, 3, {0, 0, 100, 0}},
        {"month 1 over two years", {{3, "2400"}}, 2, {1200, 1200, 0}},
        {"month 4 over three years", {{6, "1200"}}, 3, {300, 400, 400, 100, 0}},
        {"two months", {{3, "1200"}, {14, "1200"}}, 1, {1200 + 100, 1100, 0}},
    };
    for (const CasAmort& c : cas) {
        BancFonctions b;
        GrilleEnregistrement& g = b.Grille(1, "T1", 20, 3);
        for (const auto& [colonne, texte] : c.cellules) Nombre(g, colonne, 2, texte);
        b.Construit();
        FonctionsCalcul f(b.acces);
        for (std::size_t k = 0; k < c.parAnnee.size(); ++k) {
            const Appel a = Appelle(f, 25, {T("P1"), T("T1"), L(3), L(2), L(c.annees), L(static_cast<int>(k) + 1)});
            ASSERT_EQ(a.n, 2) << c.nom;
            EXPECT_NEAR(a.pile[1].EnDouble(), c.parAnnee[k], 1e-9) << c.nom << " year " << k + 1;
        }
    }
}

TEST(Amort, AMonthInvalidatedByCalculationHoldsNoAmount) {
    BancFonctions b;
    GrilleEnregistrement& g = b.Grille(1, "T1", 20, 3);
    Nombre(g, 2, 2, "1200");
    Nombre(g, 9, 2, "1200");
    b.Construit();
    b.T().CaseInvalidationStockeeChange(9, 2, 2);
    FonctionsCalcul f(b.acces);
    const Appel a = Appelle(f, 25, {T("P1"), T("T1"), L(3), L(2), L(3), L(1)});
    EXPECT_EQ(a.pile[1], D(400)) << "the first-year total stands in";
}

TEST(Amort, ZeroYearsIsADivisionErrorAndColumnsPastTheGridReadNothing) {
    BancFonctions b;
    Nombre(b.Grille(1, "T1", 20, 3), 2, 2, "1200");
    b.Construit();
    FonctionsCalcul f(b.acces);
    EXPECT_THROW(Appelle(f, 25, {T("P1"), T("T1"), L(3), L(2), L(0), L(1)}), formula::ErreurExecution);
    // c = 250: columns 249 to 263 lie past the grid and past 255.
    const Appel a = Appelle(f, 25, {T("P1"), T("T1"), L(250), L(2), L(1), L(1)});
    EXPECT_EQ(a.pile[1], D(0));
}

// ---------------------------------------------------------------- EFFACERECHEANCESANTERIEURES

// A schedule in rows 2..5: due dates in column 1, remaining capital in
// column 2; cells "DEB" and "FIN" mark its first and last rows, "RESTE"
// (column 3, row 1) takes the figure.
class Echeancier : public ::testing::Test {
protected:
    Echeancier() {
        GrilleEnregistrement& g = b.Grille(1, "T1", 3, 5);
        const std::vector<std::pair<std::string, std::string>> lignes{
            {"100", "900"}, {"200", "800"}, {"300", "700"}, {"400", "600"}};
        for (int i = 0; i < 4; ++i) {
            Nombre(g, 1, i + 2, lignes[static_cast<std::size_t>(i)].first);
            if (i == 0) g.attributs.back().nom = "DEB";
            if (i == 3) g.attributs.back().nom = "FIN";
            Nombre(g, 2, i + 2, lignes[static_cast<std::size_t>(i)].second);
            g.attributs.back().editable = -1;
        }
        auto& reste = test::Attribut(g, 3, 1);
        reste.nom = "RESTE";
        reste.typeAffichage = 1;
        reste.editable = -1;
        b.Construit();
    }
    Appel Efface(Valeur v, const char* cible = "'reste'") {
        return Appelle(f, 33, {T("P1"), T("T1"), T("'deb'"), T("'fin'"), T(cible), std::move(v), L(1), L(2)});
    }
    std::vector<int> Pliees() {
        std::vector<int> r;
        for (int l = 1; l <= 5; ++l) {
            if (b.T().LigneEstPLiee(l) != 0) r.push_back(l);
        }
        return r;
    }
    BancFonctions b;
    FonctionsCalcul f{b.acces};
};

TEST_F(Echeancier, TheLastInstalmentDueGivesItsFigureAndTheRowsUpToItAreHidden) {
    const Appel a = Efface(D(250));
    EXPECT_EQ(a.pile[1], D(0));
    EXPECT_EQ(b.T().CaseEditeur(3, 1), "800");
    EXPECT_EQ(b.T().CaseEditeur(1, 2), "300") << "the rows after it move up";
    EXPECT_EQ(Pliees(), (std::vector<int>{4, 5}));
    EXPECT_GE(b.reinitialisations, 1);
}

TEST_F(Echeancier, AValueEqualToTheFirstRowHidesOnlyThatRow) {
    Efface(D(100));
    EXPECT_EQ(b.T().CaseEditeur(3, 1), "900");
    EXPECT_EQ(b.T().CaseEditeur(1, 2), "200");
    EXPECT_EQ(Pliees(), (std::vector<int>{5}));
}

TEST_F(Echeancier, NothingDueOrAnotherTypeOrAnUnknownNameChangesNothing) {
    for (Valeur v : {D(50), L(250), T("'250'")}) {
        const Appel a = Efface(v);
        EXPECT_EQ(a.pile[1], D(0));
        EXPECT_EQ(b.T().CaseEditeur(3, 1), "");
        EXPECT_TRUE(Pliees().empty());
    }
    Efface(D(250), "'AUCUNE'");
    EXPECT_TRUE(Pliees().empty());
    EXPECT_EQ(b.reinitialisations, 0);
}

// ---------------------------------------------------------------- closing dates

// Column 1 holds labels; columns 2..25 the months of two years from
// January 2024, their dates in row 1; rows 2 and 3 the actual and forecast
// figures.
class Cloture : public ::testing::Test {
protected:
    static constexpr int kMois = 24;
    Cloture() {
        GrilleEnregistrement& g = b.Grille(1, "T1", 1 + kMois, 4);
        for (int m = 1; m <= kMois; ++m) {
            Nombre(g, 1 + m, 1, std::to_string(static_cast<long>(Date(m))));
            for (int r = 2; r <= 4; ++r) {
                auto& a = test::Attribut(g, 1 + m, r);
                a.typeAffichage = 1;
                a.couleurTexte = 255;
            }
        }
        b.Construit();
    }
    // The date of month m (1: January 2024).
    static double Date(int m) { return formula::DateSerie(2024, m, 1); }
    Appel Saisie(double d, int mode, int c2 = 13) {
        return Appelle(f, 26, {T("P1"), T("T1"), L(2), L(2), L(c2), L(3), L(static_cast<std::int32_t>(d)), L(mode)});
    }
    TableauClasse& g() { return b.T(); }
    BancFonctions b;
    FonctionsCalcul f{b.acces};
};

TEST_F(Cloture, Mode1OpensTheActualRowOfClosedMonthsAndTheForecastRowOfOpenOnes) {
    ASSERT_EQ(Saisie(Date(5), 1).pile[1], Valeur::Entier(0));
    for (int m = 1; m <= 12; ++m) {
        const int c = 1 + m;
        const bool clos = m <= 5;
        EXPECT_EQ(g().CaseEstEditable(c, 2), clos) << m;
        EXPECT_EQ(g().CaseEstEditable(c, 3), !clos) << m;
        EXPECT_EQ(g().CaseInvalidationCalculee(static_cast<std::uint8_t>(c), 3), clos ? 1 : 0) << m;
        EXPECT_EQ(g().CaseInvisible(c, 2) != 0, !clos) << m;
    }
    EXPECT_FALSE(g().CaseEstEditable(14, 2)) << "outside the zone";
    Saisie(Date(24), 1);
    for (int m = 1; m <= 12; ++m) {
        EXPECT_TRUE(g().CaseEstEditable(1 + m, 2)) << m;
        EXPECT_EQ(g().CaseInvisible(1 + m, 2), 0) << m;
    }
}

TEST_F(Cloture, Modes2And5ColourClosedMonthsBlue) {
    Saisie(Date(3), 2);
    for (int m = 1; m <= 12; ++m) {
        const std::int32_t attendu = m <= 3 ? kCouleurMoisClos : 0;
        for (int r : {1, 2, 3}) EXPECT_EQ(g().CaseCouleurTexte(1 + m, r), attendu) << m << "," << r;
    }
    EXPECT_EQ(g().CaseCouleurTexte(14, 2), 255);
    // Mode 5 reads the dates in the zone's first row, here row 2: empty
    // number cells, which read as errors and are never closed.
    Saisie(Date(24), 5);
    for (int m = 1; m <= 12; ++m) EXPECT_EQ(g().CaseCouleurTexte(1 + m, 2), 0) << m;
}

TEST_F(Cloture, Mode3ClosesAndEmptiesTheEntryRowOfClosedMonths) {
    g().CaseUtilisateurChange(2, 3, "5", true);
    g().CaseUtilisateurChange(8, 3, "7", true);
    Saisie(Date(4), 3);
    for (int m = 1; m <= 12; ++m) {
        const int c = 1 + m;
        const bool clos = m <= 4;
        EXPECT_EQ(g().CaseEstEditable(c, 3), !clos) << m;
        EXPECT_EQ(g().CaseCouleurFond(c, 3), clos ? -2 : -1) << m;
        EXPECT_EQ(g().CaseInvisible(c, 2) != 0, !clos) << m;
        EXPECT_EQ(g().CaseInvisible(c, 3) != 0, !clos) << m;
    }
    EXPECT_EQ(g().CaseEditeur(2, 3), "");
    EXPECT_EQ(g().CaseEditeur(8, 3), "7");
}

TEST_F(Cloture, Mode4OpensTheFirstRowWhateverTheDates) {
    Saisie(Date(5), 1);
    Saisie(0, 4);
    for (int m = 1; m <= 12; ++m) {
        EXPECT_TRUE(g().CaseEstEditable(1 + m, 2)) << m;
        EXPECT_EQ(g().CaseCouleurFond(1 + m, 2), -1) << m;
    }
}

TEST_F(Cloture, Mode6FoldsTheMonthsBeforeTheClosingDate) {
    const auto pliees = [&] {
        std::vector<int> r;
        for (int c = 1; c <= 1 + kMois; ++c) {
            if (g().Colonne(c).Pliee != 0) r.push_back(c);
        }
        return r;
    };
    const auto de = [](int premiere, int derniere) {
        std::vector<int> r;
        for (int c = premiere; c <= derniere; ++c) r.push_back(c);
        return r;
    };
    Saisie(Date(1) - 10, 6);
    EXPECT_EQ(pliees(), de(14, 25)) << "D before the first month: the second year folded";
    Saisie(Date(5), 6);
    std::vector<int> attendu = de(2, 5);
    for (int c : de(14, 25)) attendu.push_back(c);
    EXPECT_EQ(pliees(), attendu) << "D on the fifth month: months 1 to 4 and the second year folded";
    Saisie(Date(13), 6);
    EXPECT_EQ(pliees(), de(2, 13)) << "D after the twelfth month: the first year folded";
}

TEST_F(Cloture, AnotherModeChangesNothingButGivesZero) {
    const Appel a = Saisie(Date(24), 7);
    ASSERT_EQ(a.n, 2);
    EXPECT_EQ(a.pile[1], Valeur::Entier(0));
    EXPECT_FALSE(g().CaseEstEditable(2, 2));
}

TEST_F(Cloture, ClotureDateCouleurColoursClosedMonthsAndTheOthers0) {
    auto couleur = [&](double d) {
        return Appelle(f, 35, {T("P1"), T("T1"), L(2), L(2), L(13), L(3), L(static_cast<std::int32_t>(d)), L(4227072)});
    };
    ASSERT_EQ(couleur(Date(1) - 1).pile[1], Valeur::Entier(0));
    for (int m = 1; m <= 12; ++m) {
        for (int r : {2, 3}) EXPECT_EQ(g().CaseCouleurTexte(1 + m, r), 0) << m;
    }
    couleur(Date(6));
    for (int m = 1; m <= 12; ++m) EXPECT_EQ(g().CaseCouleurTexte(1 + m, 3), m <= 6 ? 4227072 : 0) << m;
    EXPECT_EQ(g().CaseCouleurTexte(2, 4), 255) << "outside the zone";
}

// ---------------------------------------------------------------- SOMMESI

// Rows 1..4: criterion in column 1, figures in columns 2 and 3; row 5 is a
// criterion row over columns 2 and 3.
struct CasSomme {
    const char* nom;
    std::int32_t k;
    Valeur a, b;
    int mode;
    std::int32_t attendu;
};

TEST(SommeSi, SumsTheRowsOrColumnsWhoseCriterionPasses) {
    BancFonctions banc;
    GrilleEnregistrement& g = banc.Grille(1, "T1", 3, 5);
    const std::vector<std::vector<std::string>> lignes{
        {"1", "1,5", "1,5"}, {"2", "10", "20"}, {"3", "100", "200"}, {"", "1000", "2000"}, {"", "5", "7"}};
    for (std::size_t r = 0; r < lignes.size(); ++r) {
        for (std::size_t c = 0; c < 3; ++c) {
            if (!lignes[r][c].empty()) Nombre(g, static_cast<int>(c) + 1, static_cast<int>(r) + 1, lignes[r][c]);
        }
    }
    test::Attribut(g, 1, 4).typeAffichage = 1;  // an empty number cell: an error value
    banc.Construit();
    FonctionsCalcul f(banc.acces);
    const std::vector<CasSomme> cas{
        {"no criterion", 0, L(0), L(9), 0, 0},
        {"1.5 + 1.5 rounds to 4", 1, L(1), L(1), 0, 4},
        {"A = B keeps the equal values", 1, L(2), L(2), 0, 30},
        {"between 1 and 3", 1, L(1), L(3), 0, 4 + 30 + 300},
        {"outside 2..2", 1, L(2), L(2), 1, 4 + 300},
        {"mode 3 on a column never passes", 1, L(0), L(0), 3, 0},
        {"mode 4 on a column never passes", 1, L(9), L(0), 4, 0},
        {"another mode never passes", 1, L(0), L(9), 2, 0},
        {"criterion row: x > 6", -5, L(6), L(0), 3, 2 + 20 + 200 + 2000},
        {"criterion row: x <= 5", -5, L(5), L(0), 4, 2 + 10 + 100 + 1000},
        {"criterion row between 6 and 7", -5, L(6), L(7), 0, 2 + 20 + 200 + 2000},
    };
    for (const CasSomme& c : cas) {
        const Appel a = Appelle(f, 29, {T("P1"), T("T1"), L(2), L(1), L(3), L(4), L(c.k), c.a, c.b, L(c.mode)});
        ASSERT_EQ(a.n, 2) << c.nom;
        EXPECT_EQ(a.pile[1], L(c.attendu)) << c.nom;
    }
}

TEST(SommeSi, ASumPastThe32BitRangeOverflows) {
    BancFonctions banc;
    GrilleEnregistrement& g = banc.Grille(1, "T1", 2, 2);
    Nombre(g, 1, 1, "1");
    Nombre(g, 1, 2, "1");
    Nombre(g, 2, 1, "2000000000");
    Nombre(g, 2, 2, "2000000000");
    banc.Construit();
    FonctionsCalcul f(banc.acces);
    EXPECT_THROW(Appelle(f, 29, {T("P1"), T("T1"), L(2), L(1), L(2), L(2), L(1), L(1), L(1), L(0)}),
                 formula::ErreurExecution);
}

// ---------------------------------------------------------------- TRI

TEST(Tri, SortsTheBlockByTheKeyColumnThroughTheGrid) {
    BancFonctions banc;
    GrilleEnregistrement& g = banc.Grille(1, "T1", 2, 4);
    const std::vector<std::pair<std::string, std::string>> lignes{{"3", "c"}, {"1", "a"}, {"2", "b"}, {"0", "z"}};
    for (int r = 0; r < 4; ++r) {
        Nombre(g, 1, r + 1, lignes[static_cast<std::size_t>(r)].first);
        test::Texte(g, 2, r + 1, lignes[static_cast<std::size_t>(r)].second);
    }
    banc.Construit();
    FonctionsCalcul f(banc.acces);
    const Appel a = Appelle(f, 30, {T("P1"), T("T1"), L(1), L(1), L(2), L(3), L(1), L(2), Valeur::Booleen(false)});
    EXPECT_EQ(a.pile[1], Valeur::Entier(0));
    EXPECT_EQ(banc.reinitialisations, 1);
    std::string ordre;
    for (int r = 1; r <= 4; ++r) ordre += banc.T().CaseEditeur(2, r);
    EXPECT_EQ(ordre, "cbaz") << "rows 1 to 3 in descending order, row 4 left";
}

// ---------------------------------------------------------------- currencies

class Monnaies : public ::testing::Test {
protected:
    Monnaies() { b.Construit(); }
    double Reference(std::string_view nom) {
        return reglages.LireReel(formula::kReglagesMonnaieApplication, formula::kReglagesMonnaieSection, nom)
            .value_or(-1);
    }
    void MetReference(std::string_view nom, double v) {
        ASSERT_TRUE(formula::EuroMonnaieTauxConversionChange(reglages, nom, v));
    }
    BancFonctions b;
    formula::TableMonnaies table;
    platform::MagasinReglagesFactice reglages;
    std::int16_t enCours = 0;
    std::vector<std::string> fenetre;
    FonctionsMonnaie f{b.acces,
                       {table, &reglages, enCours,
                        [this](std::string_view titre, std::string_view texte) {
                            fenetre.push_back("ouvre " + std::string(titre) + " / " + std::string(texte));
                        },
                        [this] { fenetre.push_back("ferme"); }}};
};

TEST_F(Monnaies, TableFunctionsReadAndChangeEntries) {
    struct Cas {
        const char* nom;
        int code;
        std::vector<Valeur> args;
        Valeur resultat;
    };
    const std::vector<Cas> cas{
        {"CONVTX(0)", 71, {L(0)}, D(1.0)},
        {"CONVTX(16)", 71, {L(16)}, D(8.25)},
        {"CONVNOM(20)", 76, {L(20)}, T("")},
        {"CONVNOM(1)", 76, {L(1)}, T("Euro")},
        {"CONVUSERTAUX(3; 0)", 74, {L(3), L(0)}, Valeur::Entier(0)},
        {"CONVUSERTAUX(19; 2,5)", 74, {L(19), D(2.5)}, Valeur::Entier(0)},
        {"CONVUSERNOM(19; 'Yen')", 78, {L(19), T("'Yen'")}, Valeur::Entier(0)},
        {"CONVUSERNOM(20; 'X')", 78, {L(20), T("'X'")}, Valeur::Entier(0)},
    };
    for (const Cas& c : cas) {
        const Appel a = Appelle(f, c.code, c.args);
        EXPECT_TRUE(a.pris) << c.nom;
        ASSERT_EQ(a.n, 2) << c.nom;
        EXPECT_EQ(a.pile[1], c.resultat) << c.nom;
    }
    EXPECT_EQ(table.MonnaieTauxGet(3), 40.3399) << "a rate of 0 is refused";
    EXPECT_EQ(table.MonnaieTauxGet(19), 2.5);
    EXPECT_EQ(table.MonnaieNomGet(19), "Yen") << "quotes stripped";
    for (int code : {71, 76}) EXPECT_EQ(Appelle(f, code, {}, false).n, 0);
    for (int code : {74, 78, 75}) EXPECT_EQ(Appelle(f, code, {L(1)}, false).n, 1) << code;
    EXPECT_FALSE(Appelle(f, 72, {}).pris) << "CONVCHANGE is the zone functions'";
}

TEST_F(Monnaies, ConvInitAndConvFinBracketTheReferenceRatesAndTheWindowInPlay) {
    MetReference("USD", 1.1);
    MetReference("SEK", 9.5);
    const Appel a = Appelle(f, 75, {L(17), L(16)});
    ASSERT_EQ(a.n, 2);
    EXPECT_EQ(a.pile[1], Valeur::Entier(0));
    EXPECT_EQ(Reference("USD"), 0.9106);
    EXPECT_EQ(Reference("SEK"), 8.25);
    EXPECT_EQ(enCours, -1);
    EXPECT_EQ(fenetre, (std::vector<std::string>{"ouvre Conversion de l'unit\xE9 mon\xE9taire / En cours..."}));
    const Appel fin = Appelle(f, 77, {});
    EXPECT_EQ(fin.n, 1) << "CONVFIN leaves the stack as it is";
    EXPECT_EQ(enCours, 0);
    EXPECT_EQ(fenetre.back(), "ferme");
    EXPECT_EQ(Reference("USD"), 1.1);
    EXPECT_EQ(Reference("SEK"), 9.5);
}

TEST_F(Monnaies, OutsidePlayConvInitChangesTheRatesOnly) {
    b.mode = 1;
    MetReference("USD", 1.1);
    Appelle(f, 75, {L(17), L(16)});
    EXPECT_EQ(Reference("USD"), 0.9106);
    EXPECT_TRUE(fenetre.empty());
    EXPECT_EQ(enCours, 0);
    f.ConversionTerminer();
    EXPECT_EQ(Reference("USD"), 1.1) << "the end writes the rates back";
    EXPECT_TRUE(fenetre.empty());
}

TEST_F(Monnaies, AConversionLeftOpenIsEndedOnceAndAStartedAgainOneKeepsTheFirstRates) {
    MetReference("USD", 1.1);
    MetReference("SEK", 9.5);
    Appelle(f, 75, {L(17), L(16)});
    Appelle(f, 75, {L(1), L(8)});
    EXPECT_EQ(Reference("USD"), 1.0);
    EXPECT_TRUE(f.ConversionOuverte());
    f.ConversionTerminer();
    EXPECT_EQ(Reference("USD"), 1.1);
    EXPECT_EQ(Reference("SEK"), 9.5);
    EXPECT_EQ(enCours, 0);
    EXPECT_EQ(fenetre.back(), "ferme");
    const std::size_t appels = fenetre.size();
    f.ConversionTerminer();
    EXPECT_EQ(fenetre.size(), appels) << "nothing more to end";
    EXPECT_FALSE(f.ConversionOuverte());
}

TEST_F(Monnaies, ARateOfZeroIsNeverADivisor) {
    BancFonctions banc;
    GrilleEnregistrement& g = banc.Grille(1, "T1", 1, 1);
    Nombre(g, 1, 1, "100");
    banc.Construit();
    Appelle(f, 75, {L(0), L(16)});  // "USD" gets 0
    EXPECT_EQ(Reference("USD"), 0.0);
    banc.T().ZoneMonnaieConvertir(1, 1, 1, 1, reglages);
    EXPECT_EQ(banc.T().CaseEditeur(1, 1), "100");
    Appelle(f, 77, {});
}

}  // namespace
}  // namespace korv::grid
