// The chart model filled from its parameter grid and data grid.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "grid/graphique.h"
#include "grid/tableau.h"
#include "grille_fabrique.h"

namespace korv::grid {
namespace {

using Cellules = std::map<std::pair<int, int>, std::string>;

std::unique_ptr<TableauClasse> Grille(int c, int r, const Cellules& cellules,
                                      const std::map<std::pair<int, int>, std::int32_t>& couleurs = {}) {
    auto g = test::Enregistrement(c, r);
    for (const auto& [cr, texte] : cellules) test::Texte(g, cr.first, cr.second, texte);
    for (const auto& [cr, couleur] : couleurs) test::Attribut(g, cr.first, cr.second).couleurFond = couleur;
    return test::Grille(g);
}

// A parameter grid of M categories and N series: the series of column i
// reads data row i - 1 from column 1.
Cellules Parametres(int m, int n) {
    return {{{2, 1}, "1"}, {{2, 7}, std::to_string(m)}, {{2, 8}, std::to_string(n)}, {{2, 18}, "0"}, {{2, 19}, "1"}};
}

struct Banc {
    std::unique_ptr<TableauClasse> parametres;
    std::unique_ptr<TableauClasse> donnees;
    GraphiqueClasse graphique;
    EnvironnementGraphique env;

    Banc(const Cellules& p, const Cellules& d, const std::map<std::pair<int, int>, std::int32_t>& couleurs = {})
        : parametres(Grille(8, 30, p, couleurs)), donnees(Grille(10, 10, d)) {
        env.grille = [this](std::string_view page, std::string_view objet) -> TableauClasse* {
            if (page == "P" && objet == "PARAM") return parametres.get();
            if (page == "P" && objet == "DONNEES") return donnees.get();
            return nullptr;
        };
    }
    const ContenuGraphique& Construit(bool impression = false) {
        graphique.MajDonnees("p.param", "P.Donnees", impression, env);
        return graphique.Contenu();
    }
};

std::vector<std::optional<double>> Valeurs(std::initializer_list<std::optional<double>> v) { return v; }

TEST(Graphique, ValueAxisFormatFollowsTheLargestValue) {
    const std::pair<const char*, const char*> cas[] = {{"0,5", "0,00"}, {"7", "0,0"}, {"10", "0,0"}, {"-10,5", "0"},
                                                       {"1", "0,00"}};
    for (const auto& [valeur, format] : cas) {
        SCOPED_TRACE(valeur);
        Banc b(Parametres(1, 1), {{{1, 1}, valeur}});
        EXPECT_EQ(b.Construit().formatAxeValeurs, format);
    }
}

TEST(Graphique, SettingsTitleAndFonts) {
    auto p = Parametres(2, 2);
    p[{1, 3}] = "Chiffre d'affaires";
    p[{2, 5}] = "Années";
    p[{2, 6}] = "k€";
    p[{2, 10}] = "Ventes";
    p[{3, 10}] = "Achats";
    p[{3, 11}] = "invisible";
    p[{2, 1}] = "3";
    Banc b(p, {{{1, 1}, "1"}}, {{{2, 11}, 255}});
    const ContenuGraphique& g = b.Construit();
    EXPECT_EQ(g.titre, "Chiffre d'affaires");
    EXPECT_EQ(g.taillePolice, 10);
    EXPECT_EQ(g.titreAxeCategories, "Années");
    EXPECT_EQ(g.titreAxeValeurs, "k€");
    EXPECT_EQ(g.genre, GenreGraphique::Lignes);
    ASSERT_EQ(g.series.size(), 2u);
    EXPECT_EQ(g.series[0].legende, "Ventes");
    EXPECT_EQ(g.series[0].couleur, 255);
    EXPECT_FALSE(g.series[0].invisible);
    EXPECT_TRUE(g.series[1].invisible) << "compared upper-cased";
    EXPECT_EQ(b.Construit(true).taillePolice, 12) << "print";

    Banc sansTitre(Parametres(1, 1), {});
    EXPECT_EQ(sansTitre.Construit().titre, "");
}

TEST(Graphique, RowAndColumnOrigins) {
    // C0 = 3, M = 4: columns 3 to 6; R0 = 5: the series of column 2 reads row 6.
    auto p = Parametres(4, 1);
    p[{2, 18}] = "5";
    p[{2, 19}] = "3";
    Cellules d;
    for (int c = 1; c <= 8; ++c) {
        d[{c, 6}] = std::to_string(c * 10);
        d[{c, 1}] = "1";
    }
    Banc b(p, d);
    EXPECT_EQ(b.Construit().series[0].valeurs, Valeurs({30, 40, 50, 60}));
}

TEST(Graphique, TextIsAMissingPointAndZeroHasABlankLabel) {
    Banc b(Parametres(4, 1), {{{1, 1}, "2,5"}, {{2, 1}, "n.d."}, {{3, 1}, "0"}});
    const SerieGraphique& s = b.Construit().series[0];
    EXPECT_EQ(s.valeurs, Valeurs({2.5, std::nullopt, 0.0, std::nullopt})) << "an empty cell is no number either";
    EXPECT_EQ(s.etiquettes[2], " ");
    EXPECT_FALSE(s.etiquettes[0].has_value());
}

TEST(Graphique, NegativeColumnMovesNegativesToItsTarget) {
    // The series of column 3 sends its negatives to the series of column 2,
    // whose own data row is never read.
    auto p = Parametres(3, 2);
    p[{3, 9}] = "COLNEG1";
    Banc b(p, {{{1, 1}, "99"}, {{2, 1}, "99"}, {{1, 2}, "-5"}, {{2, 2}, "7"}, {{3, 2}, "-1"}});
    const ContenuGraphique& g = b.Construit();
    EXPECT_EQ(g.series[0].valeurs, Valeurs({5, std::nullopt, 1}));
    EXPECT_EQ(g.series[1].valeurs, Valeurs({std::nullopt, 7, std::nullopt}));
}

TEST(Graphique, OrderRowAndDuplicatePositions) {
    // Both columns claim position 2: the later wins, position 1 has no series.
    auto p = Parametres(1, 2);
    p[{2, 15}] = "0,2";
    p[{3, 15}] = "0,-2";
    p[{2, 10}] = "A";
    p[{3, 10}] = "B";
    Banc b(p, {{{1, 1}, "1"}, {{1, 2}, "2"}});
    const ContenuGraphique& g = b.Construit();
    EXPECT_EQ(g.series[0].colonneParametre, 0);
    EXPECT_EQ(g.series[0].valeurs, Valeurs({std::nullopt}));
    EXPECT_EQ(g.series[1].legende, "B");
    EXPECT_EQ(g.series[1].valeurs, Valeurs({2}));
}

TEST(Graphique, CustomLabelsFromAParameterRow) {
    auto p = Parametres(4, 1);
    p[{2, 12}] = "200";
    p[{2, 14}] = "25";
    p[{2, 25}] = "12.5 k€";
    p[{3, 25}] = "1234,567";
    p[{4, 25}] = "zéro";
    p[{5, 25}] = "hausse";
    Banc b(p, {{{1, 1}, "1"}, {{2, 1}, "2"}, {{3, 1}, "0"}, {{4, 1}, "3"}});
    const SerieGraphique& s = b.Construit().series[0];
    EXPECT_TRUE(s.etiquettesPerso);
    ASSERT_EQ(s.etiquettes.size(), 4u);
    EXPECT_EQ(s.etiquettes[0], "12,5 k€");
    EXPECT_EQ(s.etiquettes[1], "1 234,57");
    EXPECT_EQ(s.etiquettes[2], " ") << "a zero value keeps its blank";
    EXPECT_EQ(s.etiquettes[3], "hausse");
}

TEST(Graphique, DamagedParametersAreHeld) {
    struct Cas {
        const char* n;
        int attendu;
    };
    for (const Cas& k : {Cas{"-3", 0}, Cas{"100000", 254}, Cas{"1e300", 254}}) {
        SCOPED_TRACE(k.n);
        auto p = Parametres(1, 1);
        p[{2, 8}] = k.n;
        Banc b(p, {});
        EXPECT_EQ(b.Construit().seriesNb, k.attendu);
    }
    auto p = Parametres(1, 1);
    p[{2, 9}] = "COLNEG99";  // names a column past the series
    p[{2, 15}] = "0,9";      // a position past N names no series
    Banc b(p, {{{1, 1}, "-4"}});
    const ContenuGraphique& g = b.Construit();
    EXPECT_EQ(g.series[0].colonneParametre, 0);
}

TEST(Graphique, NamesThatFindNoGridLeaveNoData) {
    Banc b(Parametres(1, 1), {});
    b.graphique.MajDonnees("sanspoint", "P.DONNEES", false, b.env);
    EXPECT_FALSE(b.graphique.ADesDonnees());
    b.graphique.MajDonnees("P.PARAM", "P.AUTRE", false, b.env);
    EXPECT_TRUE(b.graphique.Contenu().series.empty());
    b.graphique.MajDonneesTableau(false, b.env);
    EXPECT_TRUE(b.graphique.Contenu().series.empty()) << "a refresh without its data grid stays without data";
}

TEST(Graphique, LabelFormats) {
    EXPECT_EQ(FormatFrancais(1234567.891, 2, true), "1 234 567,89");
    EXPECT_EQ(FormatFrancais(-0.004, 2, true), "0,00");
    EXPECT_EQ(EtiquetteReformatee("-3 %"), "-3 %");
    EXPECT_EQ(EtiquetteReformatee("-2,25x"), "-2,25x");
}

}  // namespace
}  // namespace korv::grid
