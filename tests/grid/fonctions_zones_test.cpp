// The zone functions of formulas on the grids of a scene: what each takes
// from the stack and leaves there, and what it does to the grid it names.

#include "grid/fonctions_zones.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/scene.h"
#include "formula/expression.h"
#include "formula/monnaies.h"
#include "formula/variables.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"
#include "grille_fabrique.h"
#include "platform/settings_fake.h"
#include "services_formule_neutres.h"

namespace korv::grid {
namespace {

using formula::PileValeurs;
using formula::Valeur;

// Page 1 "DEBUT": background, grid T1 (4 × 6), text TEXTE.
// Page 2 "SUITE": background, grid T2 (3 × 3).
class SceneZones final : public test::SceneSansAffichage, public test::SystemeFixe, public ContexteCalcul {
public:
    SceneZones() {
        scene.pages.resize(2);
        Ajoute(1, "DEBUT", engine::TypeObjet::Fond);
        Ajoute(1, "T1", engine::TypeObjet::Tableau).grille = test::Enregistrement(4, 6);
        Ajoute(1, "TEXTE", engine::TypeObjet::Texte);
        Ajoute(2, "SUITE", engine::TypeObjet::Fond);
        Ajoute(2, "T2", engine::TypeObjet::Tableau).grille = test::Enregistrement(3, 3);
        magasin.Construit(scene);
    }

    TableauClasse& T1() { return *magasin.Cherche(1, 2); }
    TableauClasse& T2() { return *magasin.Cherche(2, 2); }

    // An editable cell holding the user's entry.
    static void Entree(TableauClasse& g, int c, int r, std::string_view texte) {
        g.CaseEstEditableChange(c, r, true);
        g.CaseUtilisateurChange(static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r), texte, true);
    }

    // The formula's value; Null when it ended on a run-time error.
    Valeur Evalue(const std::string& texte) {
        formula::ExpressionClasse e;
        EXPECT_TRUE(e.Code(texte, services)) << texte;
        return e.Evalue(services);
    }

    engine::Scene scene;
    std::int16_t mode = 3;
    platform::MagasinReglagesFactice reglages;
    MagasinGrilles magasin{Services()};
    FonctionsZones zones{AccesGrilles{*this, magasin}, &reglages};
    formula::TableVariables variables;
    formula::ServicesFormule services{*this, *this, variables, &zones};

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

    // ServicesScene: a page is named by its first object.
    std::int16_t NumeroDePage(std::string_view nom) const override {
        for (int p = 1; p <= scene.PageNb(); ++p) {
            if (scene.Page(p).Objet(1).nom == nom) return static_cast<std::int16_t>(p);
        }
        return 0;
    }
    std::int16_t NumeroObjet(std::int16_t page, std::string_view nom) const override {
        for (int o = 1; o <= scene.Page(page).ObjetNb(); ++o) {
            if (scene.Page(page).Objet(o).nom == nom) return static_cast<std::int16_t>(o);
        }
        return 0;
    }
    std::int16_t PageNb() const override { return static_cast<std::int16_t>(scene.PageNb()); }
    std::int16_t ObjetNb(std::int16_t page) const override {
        return static_cast<std::int16_t>(scene.Page(page).ObjetNb());
    }
    std::uint8_t TypeObjet(std::int16_t page, std::int16_t objet) const override {
        return scene.ObjetExiste(page, objet) ? scene.Page(page).Objet(objet).type : 0;
    }
    std::int16_t ModeProgramme() const override { return mode; }
    formula::ServiceGrille* Grille(std::int16_t page, std::int16_t objet) override {
        return magasin.Cherche(page, objet);
    }
    void TableauxParcouruRecalculReinit() override { magasin.ParcouruRecalculReinitTous(); }

private:
    ServicesGrilles Services() {
        ServicesGrilles g;
        g.enJeu = [this] { return mode == 3; };
        g.redessine = [](std::int16_t, std::int16_t) {};
        g.calcul = this;
        g.pageCourante = [] { return std::int16_t{1}; };
        return g;
    }
    engine::ObjetPage& Ajoute(int page, std::string nom, engine::TypeObjet type) {
        engine::ObjetPage o;
        o.type = static_cast<std::uint8_t>(type);
        o.nom = std::move(nom);
        o.largeur = 6000;
        o.hauteur = 4000;
        scene.Page(page).objets.push_back(std::move(o));
        return scene.Page(page).objets.back();
    }
};

Valeur T(const char* texte) { return Valeur::Chaine(texte); }
Valeur N(double v) { return Valeur::Double(v); }

std::vector<int> Imprimables(const TableauClasse& t, bool lignes) {
    std::vector<int> v;
    const int n = lignes ? t.LigneNb() : t.ColonneNb();
    for (int i = 1; i <= n; ++i) {
        v.push_back(lignes ? t.Ligne(i).AttributImpression.Imprimable : t.Colonne(i).AttributImpression.Imprimable);
    }
    return v;
}

// One call on a stack holding a value of the enclosing expression below
// the arguments: that value stays, the arguments give way to the result.
TEST(FonctionsZones, StackEffectAndResultOfEveryFunction) {
    struct Cas {
        const char* nom;
        FonctionZone code;
        std::vector<Valeur> arguments;
        Valeur resultat;
    };
    const Valeur oui = T("'OUI'"), non = T("'NON'"), zero = Valeur::Entier(0), un = Valeur::Entier(1);
    const std::vector<Cas> cas = {
        {"entry found", FonctionZone::ZoneEstElleSaisie, {T("'DEBUT'"), T("'T1'"), N(1), N(1), N(2), N(2)}, oui},
        {"names unquoted, any case", FonctionZone::ZoneEstElleSaisie,
         {T("'debut'"), T("' t1 '"), N(1), N(1), N(2), N(2)}, oui},
        {"unquoted names", FonctionZone::ZoneEstElleSaisie, {T("DEBUT"), T("T1"), N(1), N(1), N(2), N(2)}, oui},
        {"no entry", FonctionZone::ZoneEstElleSaisie, {T("'DEBUT'"), T("'T1'"), N(3), N(3), N(4), N(4)}, non},
        {"unknown page", FonctionZone::ZoneEstElleSaisie, {T("'NULLEPART'"), T("'T1'"), N(1), N(1), N(2), N(2)},
         non},
        {"unknown object", FonctionZone::ZoneEstElleSaisie, {T("'DEBUT'"), T("'T9'"), N(1), N(1), N(2), N(2)}, non},
        {"no grid", FonctionZone::ZoneEstElleSaisie, {T("'DEBUT'"), T("'TEXTE'"), N(1), N(1), N(2), N(2)}, non},
        {"something", FonctionZone::ZoneEstElleVide, {T("'DEBUT'"), T("'T1'"), N(1), N(1), N(2), N(2)}, zero},
        {"nothing", FonctionZone::ZoneEstElleVide, {T("'DEBUT'"), T("'T1'"), N(3), N(3), N(4), N(4)}, un},
        {"missing grid is empty", FonctionZone::ZoneEstElleVide, {T("'SUITE'"), T("'T1'"), N(1), N(1), N(2), N(2)},
         un},
        {"no grid is empty", FonctionZone::ZoneEstElleVide, {T("'DEBUT'"), T("'TEXTE'"), N(1), N(1), N(2), N(2)},
         un},
        {"printable", FonctionZone::ZoneImprimable, {T("'DEBUT'"), T("'T1'"), N(1), N(1), N(2), N(2)}, zero},
        {"printable, no page", FonctionZone::ZoneImprimable, {T("'X'"), T("'T1'"), N(1), N(1), N(2), N(2)}, zero},
        {"not printable", FonctionZone::ZoneNonImprimable, {T("'DEBUT'"), T("'T1'"), N(1), N(1), N(2), N(2)},
         zero},
        {"borders", FonctionZone::ZoneBord, {T("'SUITE'"), T("'T2'"), N(1), N(1), N(2), N(2)}, zero},
        {"background", FonctionZone::ZoneFond, {T("'DEBUT'"), T("'TEXTE'"), N(1), N(1), N(2), N(2)}, zero},
        {"format", FonctionZone::ZoneFormat, {T("'DEBUT'"), T("'T1'"), N(1), N(1), N(2), N(2), N(3)}, zero},
        {"format, no object", FonctionZone::ZoneFormat, {T("'DEBUT'"), T("''"), N(1), N(1), N(2), N(2), N(3)},
         zero},
        {"printable if entered", FonctionZone::ZoneImprimableSiSaisie,
         {T("'DEBUT'"), T("'T1'"), N(0), N(1), N(0), N(2)}, zero},
        {"fixed", FonctionZone::SaisieOuCalculFixe, {T("'DEBUT'"), T("'T1'"), N(1), N(1), N(2), N(2)}, zero},
        {"conversion", FonctionZone::ConvChange, {T("'DEBUT'"), T("'T1'"), N(1), N(1), N(2), N(2)}, zero},
        {"conversion, no grid", FonctionZone::ConvChange, {T("'DEBUT'"), T("'TEXTE'"), N(1), N(1), N(2), N(2)},
         zero},
        {"minimum width", FonctionZone::ImprimeColonneLargeurMinimale, {T("'DEBUT'"), T("'T1'"), N(2), N(900)},
         zero},
        {"title", FonctionZone::ImprimeTitre, {T("'DEBUT'"), T("'T1'"), T("'Titre'"), N(9)}, zero},
        {"title, unknown page", FonctionZone::ImprimeTitre, {T("'AILLEURS'"), T("'T1'"), T("'Titre'"), N(9)},
         zero},
    };
    for (const Cas& c : cas) {
        SceneZones s;
        SceneZones::Entree(s.T1(), 2, 2, "x");
        PileValeurs pile{T("'dessous'")};
        pile.insert(pile.end(), c.arguments.begin(), c.arguments.end());
        int n = static_cast<int>(pile.size());
        EXPECT_TRUE(s.zones.EvalueFonctionAction(static_cast<int>(c.code), pile, n)) << c.nom;
        EXPECT_EQ(n, 2) << c.nom;
        EXPECT_EQ(pile[0], T("'dessous'")) << c.nom;
        EXPECT_EQ(pile[1], c.resultat) << c.nom;
    }
}

// An unknown page, an unknown object or an object that is no grid: every
// function still consumes its arguments and gives its result, and no grid
// changes; the zone is not even converted.
TEST(FonctionsZones, MissingTargetsStillGiveTheResult) {
    struct Fonction {
        FonctionZone code;
        std::vector<Valeur> reste;  // the arguments after page and object
        Valeur resultat;
    };
    const Valeur zero = Valeur::Entier(0);
    const std::vector<Valeur> zone = {N(1), N(-1), N(400), N(2)};
    const std::vector<Fonction> fonctions = {
        {FonctionZone::ZoneEstElleSaisie, zone, T("'NON'")},
        {FonctionZone::ZoneEstElleVide, zone, Valeur::Entier(1)},
        {FonctionZone::ZoneImprimable, zone, zero},
        {FonctionZone::ZoneNonImprimable, zone, zero},
        {FonctionZone::ZoneBord, zone, zero},
        {FonctionZone::ZoneFond, zone, zero},
        {FonctionZone::ZoneFormat, {N(1), N(1), N(2), N(2), N(3)}, zero},
        {FonctionZone::ZoneImprimableSiSaisie, zone, zero},
        {FonctionZone::SaisieOuCalculFixe, zone, zero},
        {FonctionZone::ConvChange, zone, zero},
        {FonctionZone::ImprimeColonneLargeurMinimale, {N(1), N(900)}, zero},
        {FonctionZone::ImprimeTitre, {T("'Titre'"), N(9)}, zero},
    };
    const std::vector<std::pair<Valeur, Valeur>> cibles = {
        {T("'AILLEURS'"), T("'T1'")}, {T("'DEBUT'"), T("'T2'")}, {T("'DEBUT'"), T("'TEXTE'")}, {T("''"), T("''")}};
    for (const Fonction& f : fonctions) {
        for (const auto& [page, objet] : cibles) {
            SceneZones s;
            PileValeurs pile{N(5), page, objet};
            pile.insert(pile.end(), f.reste.begin(), f.reste.end());
            int n = static_cast<int>(pile.size());
            const std::string nom =
                std::to_string(static_cast<int>(f.code)) + " " + page.EnTexte() + "." + objet.EnTexte();
            EXPECT_TRUE(s.zones.EvalueFonctionAction(static_cast<int>(f.code), pile, n)) << nom;
            EXPECT_EQ(n, 2) << nom;
            EXPECT_EQ(pile[0], N(5)) << nom;
            EXPECT_EQ(pile[1], f.resultat) << nom;
            EXPECT_EQ(s.T1().Ligne(1).AttributImpression, ImpressionTableauAttribut{}) << nom;
            EXPECT_EQ(s.T1().Colonne(1).AttributImpression, ImpressionTableauAttribut{}) << nom;
            EXPECT_EQ(s.T1().ImprimeTitreRetourne(), "") << nom;
        }
    }
}

// Fewer values than arguments: handled, and the stack is left as it is.
TEST(FonctionsZones, TooFewValuesLeaveTheStack) {
    const std::vector<std::pair<FonctionZone, int>> fonctions = {
        {FonctionZone::ZoneEstElleSaisie, 6},      {FonctionZone::ZoneEstElleVide, 6},
        {FonctionZone::ZoneImprimable, 6},         {FonctionZone::ZoneNonImprimable, 6},
        {FonctionZone::ZoneBord, 6},               {FonctionZone::ZoneFond, 6},
        {FonctionZone::ZoneFormat, 7},             {FonctionZone::ZoneImprimableSiSaisie, 6},
        {FonctionZone::SaisieOuCalculFixe, 6},     {FonctionZone::ConvChange, 6},
        {FonctionZone::ImprimeColonneLargeurMinimale, 4}, {FonctionZone::ImprimeTitre, 4},
    };
    SceneZones s;
    for (const auto& [code, nombre] : fonctions) {
        PileValeurs pile{T("'DEBUT'"), T("'T1'")};
        while (static_cast<int>(pile.size()) < nombre - 1) pile.push_back(N(1));
        const PileValeurs avant = pile;
        int n = nombre - 1;
        EXPECT_TRUE(s.zones.EvalueFonctionAction(static_cast<int>(code), pile, n)) << static_cast<int>(code);
        EXPECT_EQ(n, nombre - 1);
        EXPECT_EQ(pile, avant);
    }
}

TEST(FonctionsZones, CopyAndPasteLeaveTheirArgumentsAndOthersPassOn) {
    SceneZones s;
    for (FonctionZone f : {FonctionZone::Copier, FonctionZone::Coller}) {
        PileValeurs pile{N(1), N(2), N(3)};
        int n = 3;
        EXPECT_TRUE(s.zones.EvalueFonctionAction(static_cast<int>(f), pile, n));
        EXPECT_EQ(n, 3);
        EXPECT_EQ(pile, (PileValeurs{N(1), N(2), N(3)}));
    }
    EXPECT_EQ(s.Evalue("1 + COPIER(2)").EnTexte(), "3");

    struct Suivant final : formula::ServicesFonctionsAction {
        std::vector<int> codes;
        bool EvalueFonctionAction(int code, PileValeurs&, int&) override {
            codes.push_back(code);
            return true;
        }
    } suivant;
    PileValeurs pile{N(1)};
    int n = 1;
    EXPECT_FALSE(s.zones.EvalueFonctionAction(30, pile, n)) << "TRI is not a zone function";
    s.zones.Suivant(&suivant);
    EXPECT_TRUE(s.zones.EvalueFonctionAction(30, pile, n));
    EXPECT_TRUE(s.zones.EvalueFonctionAction(90, pile, n)) << "ZONEGRISEAUTO belongs elsewhere";
    EXPECT_EQ(suivant.codes, (std::vector<int>{30, 90}));
}

// Through the evaluator: the attributes land on the named grid, and a bound
// the conversion cannot take ends the formula with Null, changing nothing.
TEST(FonctionsZones, PrintAttributesThroughFormulas) {
    SceneZones s;
    TableauClasse& t = s.T1();
    EXPECT_EQ(s.Evalue("ZONEBORD('debut';'t1';1;2;1;3)").EnTexte(), "0");
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(t.Ligne(r).AttributImpression.ImprimeBord, r == 2 || r == 3 ? 1 : 0);
    EXPECT_EQ(t.Colonne(1).AttributImpression.ImprimeBord, 1);
    EXPECT_EQ(t.Colonne(2).AttributImpression.ImprimeBord, 0);

    EXPECT_EQ(s.Evalue("ZONEFOND('DEBUT';'T1';(-1);(-1);(-1);(-1))").EnTexte(), "0");
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(t.Ligne(r).AttributImpression.ImprimeFond, 1);
    for (int c = 1; c <= 4; ++c) EXPECT_EQ(t.Colonne(c).AttributImpression.ImprimeFond, 1);

    EXPECT_EQ(s.Evalue("ZONEFORMAT('DEBUT';'T1';4;0;4;0;7)").EnTexte(), "0");
    EXPECT_EQ(t.Colonne(4).AttributImpression.ImprimeFormat, 7);
    EXPECT_EQ(t.Ligne(1).AttributImpression.ImprimeFormat, 0);

    EXPECT_EQ(s.Evalue("ZONEIMPRIMABLE('DEBUT';'T1';(-1);(-1);(-1);(-1))").EnTexte(), "0");
    EXPECT_EQ(Imprimables(t, true), (std::vector<int>{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(s.Evalue("ZONENONIMPRIMABLE('DEBUT';'T1';0;2;0;3)").EnTexte(), "0");
    EXPECT_EQ(Imprimables(t, true), (std::vector<int>{1, 0, 0, 1, 1, 1}));
    EXPECT_EQ(Imprimables(t, false), (std::vector<int>{1, 1, 1, 1}));

    // A half whole-grid pair is no whole grid: -1 is skipped like any
    // index outside the grid, and the program goes on.
    EXPECT_EQ(s.Evalue("ZONEBORD('SUITE';'T2';2;(-1);2;2)").EnTexte(), "0");
    EXPECT_EQ(s.T2().Ligne(1).AttributImpression.ImprimeBord, 1);
    EXPECT_EQ(s.T2().Ligne(3).AttributImpression.ImprimeBord, 0);
    EXPECT_EQ(s.T2().Colonne(2).AttributImpression.ImprimeBord, 1);

    const auto avant = Imprimables(t, true);
    for (const char* f : {
             "ZONENONIMPRIMABLE('DEBUT';'T1';(-1);2;0;3)",
             "ZONENONIMPRIMABLE('DEBUT';'T1';0;2;0;256)",
             "ZONEIMPRIMABLESISAISIE('DEBUT';'T1';0;(-1);0;2)",
             "ZONEESTELLESAISIE('DEBUT';'T1';1;1;300;1)",
             "ZONEESTELLEVIDE('DEBUT';'T1';1;1;1;1000)",
             "ZONEBORD('DEBUT';'T1';1;1;40000;1)",
             "ZONEFORMAT('DEBUT';'T1';1;1;1;1;99999)",
             "IMPRIMECOLONNELARGEURMINIMALE('DEBUT';'T1';256;5)",
             "IMPRIMECOLONNELARGEURMINIMALE('DEBUT';'T1';1;40000)",
             "ZONEBORD('DEBUT';'T1';'a';1;1;1)",
             "SAISIEOUCALCULFIXE('DEBUT';'T1';1;1;1;(-2))",
             "CONVCHANGE('DEBUT';'T1';1;1;1;(-2))",
         }) {
        EXPECT_TRUE(s.Evalue(f).estNul()) << f;
    }
    EXPECT_EQ(Imprimables(t, true), avant);
    EXPECT_EQ(t.Colonne(1).AttributImpression.LargeurMinimale, 0);
    EXPECT_EQ(t.Colonne(1).AttributImpression.ImprimeFormat, 0);
    // Nothing is converted when no grid is named.
    EXPECT_EQ(s.Evalue("ZONEESTELLESAISIE('NULLEPART';'T1';1;1;300;1)").EnTexte(), "'NON'");
}

TEST(FonctionsZones, TitleAndMinimumWidth) {
    SceneZones s;
    EXPECT_EQ(s.Evalue("IMPRIMETITRE('DEBUT';'T1';'Plan ''2025'' \xA4';9)").EnTexte(), "0");
    EXPECT_EQ(s.T1().ImprimeTitreRetourne(), "Plan '2025' .");
    EXPECT_EQ(s.T1().ImprimeTitreTaille(), 9);
    EXPECT_EQ(s.Evalue("IMPRIMECOLONNELARGEURMINIMALE('SUITE';'T2';2;2500)").EnTexte(), "0");
    EXPECT_EQ(s.T2().Colonne(2).AttributImpression.LargeurMinimale, 2500);
    EXPECT_EQ(s.Evalue("IMPRIMECOLONNELARGEURMINIMALE('SUITE';'T2';9;2500)").EnTexte(), "0")
        << "a column outside the grid is skipped";
}

TEST(FonctionsZones, EntryAndEmptinessOfAZone) {
    SceneZones s;
    SceneZones::Entree(s.T2(), 3, 2, "5");
    EXPECT_EQ(s.Evalue("ZONEESTELLESAISIE('SUITE';'T2';3;0;3;0)").EnTexte(), "'OUI'") << "column 3 whole";
    EXPECT_EQ(s.Evalue("ZONEESTELLESAISIE('SUITE';'T2';0;2;0;2)").EnTexte(), "'OUI'") << "row 2 whole";
    EXPECT_EQ(s.Evalue("ZONEESTELLESAISIE('SUITE';'T2';1;1;2;3)").EnTexte(), "'NON'");
    EXPECT_EQ(s.Evalue("ZONEESTELLEVIDE('SUITE';'T2';3;0;0;0)").EnTexte(), "1") << "no widening: nothing examined";
    EXPECT_EQ(s.Evalue("ZONEESTELLEVIDE('SUITE';'T2';1;1;3;3)").EnTexte(), "0");
    EXPECT_EQ(s.Evalue("ZONEESTELLEVIDE('SUITE';'T2';1;1;255;255)").EnTexte(), "0") << "bounds clamped";
}

// Columns 0, 0 of rows, rows 0, 0 of columns, or rows within columns.
TEST(FonctionsZones, PrintableIfEntered) {
    {
        // Only column 2 holds an entry: columns 1 to 3, nothing else.
        SceneZones s;
        SceneZones::Entree(s.T1(), 2, 5, "x");
        EXPECT_EQ(s.Evalue("ZONEIMPRIMABLESISAISIE('DEBUT';'T1';2;0;3;0)").EnTexte(), "0");
        EXPECT_EQ(Imprimables(s.T1(), false), (std::vector<int>{1, 1, 1, 0}));
        EXPECT_EQ(Imprimables(s.T1(), true), (std::vector<int>{0, 0, 0, 0, 0, 0}));
    }
    {
        // Only row 3 holds an entry: row 3 left out (row 2 is empty), then rows 1 to 4 printed.
        SceneZones s;
        SceneZones::Entree(s.T1(), 4, 3, "x");
        s.Evalue("ZONEIMPRIMABLESISAISIE('DEBUT';'T1';0;2;0;3)");
        EXPECT_EQ(Imprimables(s.T1(), true), (std::vector<int>{1, 1, 1, 1, 0, 0}));
        EXPECT_EQ(Imprimables(s.T1(), false), (std::vector<int>{0, 0, 0, 0}));
    }
    {
        // Only row 2 holds an entry: rows 1 to 3 printed, then row 4 left out after the empty row 3.
        SceneZones s;
        s.T1().InitialiseZoneImpression();
        SceneZones::Entree(s.T1(), 1, 2, "x");
        s.Evalue("ZONEIMPRIMABLESISAISIE('DEBUT';'T1';0;2;0;3)");
        EXPECT_EQ(Imprimables(s.T1(), true), (std::vector<int>{1, 1, 1, 0, 1, 1}));
    }
    {
        // Rows 1 to 3 within columns 2 to 3: the entry in column 1 does not count.
        SceneZones s;
        s.T1().InitialiseZoneImpression();
        SceneZones::Entree(s.T1(), 3, 2, "x");
        SceneZones::Entree(s.T1(), 1, 3, "x");
        s.Evalue("ZONEIMPRIMABLESISAISIE('DEBUT';'T1';2;1;3;3)");
        EXPECT_EQ(Imprimables(s.T1(), true), (std::vector<int>{0, 1, 0, 1, 1, 1}));
        EXPECT_EQ(Imprimables(s.T1(), false), (std::vector<int>{1, 1, 1, 1}));
    }
}

// A range that ends at 255 stops after 255; the row after it is skipped.
TEST(FonctionsZones, PrintableIfEnteredUpToTheLastRow) {
    auto e = test::Enregistrement(2, 255, 100, 100);
    test::Texte(e, 1, 255, "x");
    test::Attribut(e, 1, 255).editable = -1;
    auto t = test::Grille(e);
    ZoneImprimableSiSaisie(*t, 0, 250, 0, 255);
    for (int r = 1; r <= 255; ++r) ASSERT_EQ(t->Ligne(r).AttributImpression.Imprimable, 1) << r;
    ZoneImprimableSiSaisie(*t, 1, 0, 255, 0);
    EXPECT_EQ(Imprimables(*t, false), (std::vector<int>{1, 1}));
}

void MetTaux(platform::MagasinReglagesFactice& reglages, double usd, double sek) {
    ASSERT_TRUE(reglages.EcrireReel(formula::kReglagesMonnaieApplication, formula::kReglagesMonnaieSection,
                                    formula::kReferenceUsd, usd));
    ASSERT_TRUE(reglages.EcrireReel(formula::kReglagesMonnaieApplication, formula::kReglagesMonnaieSection,
                                    formula::kReferenceSek, sek));
}

// SAISIEOUCALCULFIXE and CONVCHANGE act only in play; outside it they
// still take their arguments and give 0.
TEST(FonctionsZones, FixingAndConvertingOnlyInPlay) {
    for (const std::int16_t mode : {std::int16_t{0}, std::int16_t{1}, std::int16_t{3}}) {
        SceneZones s;
        s.mode = mode;
        MetTaux(s.reglages, 2, 8);
        TableauClasse& t = s.T1();
        t.CaseEstEditableChange(1, 1, true);
        t.CaseTypeChange(1, 1, 1);
        t.CaseEditeurChange(1, 1, "=2*3");
        t.RecalculAvecInit();
        ASSERT_EQ(t.CaseResultatInterne(1, 1), "6");
        ASSERT_EQ(t.CaseResultatType(1, 1), resultat::kCalcule);
        t.CaseEstEditableChange(2, 1, true);
        t.CaseTypeChange(2, 1, 1);
        t.CaseUtilisateurChange(2, 1, "100", true);

        EXPECT_EQ(s.Evalue("1 + SAISIEOUCALCULFIXE('DEBUT';'T1';1;1;2;1)").EnTexte(), "1");
        EXPECT_EQ(t.CaseResultatType(1, 1), mode == 3 ? resultat::kEntreeSurFormule : resultat::kCalcule) << mode;
        EXPECT_EQ(t.CaseResultatInterne(1, 1), "6");
        EXPECT_EQ(t.CaseEditeur(2, 1), "100") << "a plain cell's entry is kept, not emptied";
        EXPECT_EQ(s.Evalue("CONVCHANGE('DEBUT';'T1';2;1;2;1)").EnTexte(), "0");
        EXPECT_EQ(t.CaseEditeur(2, 1), mode == 3 ? "25" : "100") << mode;
    }
}

TEST(FonctionsZones, ConversionWithoutASettingsStoreIsRefused) {
    SceneZones s;
    FonctionsZones sansReglages{AccesGrilles{s, s.magasin}, nullptr};
    PileValeurs pile{T("'DEBUT'"), T("'T1'"), N(1), N(1), N(2), N(2)};
    int n = 6;
    EXPECT_THROW(sansReglages.EvalueFonctionAction(static_cast<int>(FonctionZone::ConvChange), pile, n),
                 formula::ErreurExecution);
    s.mode = 0;
    EXPECT_TRUE(sansReglages.EvalueFonctionAction(static_cast<int>(FonctionZone::ConvChange), pile, n));
    EXPECT_EQ(n, 1);
}

}  // namespace
}  // namespace korv::grid
