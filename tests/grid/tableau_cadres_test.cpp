// Frames and merged runs of plan-action cells, zone background codes, the
// automatic greying of a zone and the widening of a selection over runs.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "grid/grille_selection.h"
#include "grille_fabrique.h"

namespace korv::grid {
namespace {

constexpr std::int32_t kPlanAction = -20;
constexpr std::int32_t kBascule = -14;
constexpr std::int32_t kBlanc = 16777215;

std::uint8_t O(int v) { return static_cast<std::uint8_t>(v); }

std::string Contenu(const TableauClasse& g, int c, int r) {
    const CaseTableau* x = g.Case(c, r);
    return x ? x->Texte : std::string();
}

// A grid of c columns and r rows, every cell of background `fond`.
std::unique_ptr<TableauClasse> Grille(int c, int r, std::int32_t fond = kPlanAction) {
    auto g = test::Grille(test::Enregistrement(c, r));
    for (int i = 1; i <= c; ++i) {
        for (int j = 1; j <= r; ++j) g->CaseCouleurFondChange(O(i), O(j), fond);
    }
    return g;
}

// ----------------------------------------------------------------- frames

struct OperationCadre {
    bool ajoute;
    std::uint8_t bits;
};

struct CasCadre {
    const char* nom;
    std::int32_t fond;
    std::string avant;
    std::vector<OperationCadre> operations;
    std::string apres;
};

TEST(CadreCase, AddingAndRemovingBitsRewritesTheLeadingControlCharacter) {
    const std::vector<CasCadre> cas{
        {"top then left on a text", kPlanAction, "Action", {{true, 1}, {true, 8}}, "\x09" "Action"},
        {"both removed: the text alone", kPlanAction, "\x09" "Action", {{false, 1}, {false, 8}}, "Action"},
        {"one of two removed", kPlanAction, "\x03x", {{false, 1}}, "\x02x"},
        {"an empty cell gets the character alone", kPlanAction, "", {{true, 4}}, "\x04"},
        {"and loses it again", kPlanAction, "\x04", {{false, 4}}, ""},
        {"removing from a plain text", kPlanAction, "abc", {{false, 2}}, "abc"},
        {"adding twice the same side", kPlanAction, "abc", {{true, 2}, {true, 2}}, "\x02" "abc"},
        {"a toggle cell has no frame", kBascule, "abc", {{true, 1}}, "abc"},
        {"a white cell has no frame", kBlanc, "abc", {{true, 1}}, "abc"},
        {"bits beyond the sides would make a letter", kPlanAction, "abc", {{true, 0x40}}, "abc"},
        {"only the sides are taken", kPlanAction, "abc", {{true, 0x41}}, "\x01" "abc"},
    };
    for (const CasCadre& k : cas) {
        auto g = Grille(2, 2, k.fond);
        g->CaseTexteChange(1, 2, k.avant);
        for (const OperationCadre& o : k.operations) {
            if (o.ajoute) {
                g->CadreCaseAjoute(1, 2, o.bits);
            } else {
                g->CadreCaseEnleve(1, 2, o.bits);
            }
        }
        EXPECT_EQ(Contenu(*g, 1, 2), k.apres) << k.nom;
    }
}

TEST(CadreCase, ExistsOnlyOnAPlanActionCellWithASharedBit) {
    struct Cas {
        std::int32_t fond;
        std::string texte;
        std::uint8_t bits;
        bool existe;
    };
    const std::vector<Cas> cas{
        {kPlanAction, "\x05x", 4, true},  {kPlanAction, "\x05x", 2, false}, {kPlanAction, "", 15, false},
        {kPlanAction, "x", 15, false},    {kBascule, "\x05x", 4, false},
    };
    for (const Cas& k : cas) {
        auto g = Grille(1, 1, k.fond);
        g->CaseTexteChange(1, 1, k.texte);
        EXPECT_EQ(g->CadreCaseExiste(1, 1, k.bits), k.existe) << k.fond << " bits " << int(k.bits);
    }
    EXPECT_FALSE(Grille(1, 1)->CadreCaseExiste(2, 1, 15)) << "outside the grid";
}

TEST(CadreZone, PutsTheSidesOnTheBorderCellsAndTakesThemOff) {
    auto g = Grille(4, 4);
    g->CadreZoneMettre(2, 2, 2, 2);
    EXPECT_EQ(Contenu(*g, 2, 2), "\x0F") << "a single cell gets all four sides";

    g = Grille(4, 4);
    for (int c = 1; c <= 4; ++c) g->CaseTexteChange(c, 3, "t");
    g->CadreZoneMettre(1, 2, 3, 3);
    // Rows 2..3, columns 1..3: left 8, right 2, top 1, bottom 4.
    const std::vector<std::vector<std::string>> attendu{
        {"\x09", "\x01", "\x03"},
        {"\x0Ct", "\x04t", "\x06t"},
    };
    for (int r = 2; r <= 3; ++r) {
        for (int c = 1; c <= 3; ++c) {
            EXPECT_EQ(Contenu(*g, c, r), attendu[static_cast<std::size_t>(r - 2)][static_cast<std::size_t>(c - 1)])
                << c << "," << r;
        }
    }
    EXPECT_EQ(Contenu(*g, 4, 3), "t") << "outside the zone";
    EXPECT_TRUE(g->CadreZoneExiste(1, 2, 3, 3));
    EXPECT_FALSE(g->CadreZoneExiste(4, 1, 4, 4));

    g->CadreZoneChanger(1, 2, 3, 3);
    EXPECT_FALSE(g->CadreZoneExiste(1, 2, 3, 3));
    EXPECT_EQ(Contenu(*g, 1, 2), "");
    EXPECT_EQ(Contenu(*g, 2, 3), "t");
    g->CadreZoneChanger(1, 2, 3, 3);
    EXPECT_EQ(Contenu(*g, 3, 3), "\x06t") << "changing an unframed zone frames it";
}

TEST(CadreZone, ExistsWhenAnyBorderSideCarriesItsBit) {
    struct Cas {
        int c, r;
        std::string texte;
        bool existe;
    };
    // Zone (2, 2)-(3, 3) of a 4 x 4 grid.
    const std::vector<Cas> cas{
        {2, 3, "\x08", true},  {3, 2, "\x02", true},  {2, 2, "\x01", true},  {3, 3, "\x04", true},
        {2, 2, "\x02", false}, {3, 3, "\x08", false}, {2, 3, "\x01", false}, {1, 2, "\x02", false},
    };
    for (const Cas& k : cas) {
        auto g = Grille(4, 4);
        g->CaseTexteChange(k.c, k.r, k.texte);
        EXPECT_EQ(g->CadreZoneExiste(2, 2, 3, 3), k.existe) << k.c << "," << k.r << " bits " << int(k.texte[0]);
    }
}

TEST(CadreZone, ZonesNotInsideTheGridChangeNothing) {
    for (const auto& z : std::vector<std::vector<int>>{{0, 0, 0, 0}, {1, 1, 5, 1}, {1, 0, 2, 2}, {1, 1, 2, 9}}) {
        auto g = Grille(4, 4);
        g->CaseTexteChange(1, 1, "\x0F");
        g->CadreZoneMettre(z[0], z[1], z[2], z[3]);
        g->CadreZoneEnlever(z[0], z[1], z[2], z[3]);
        g->CadreZoneChanger(z[0], z[1], z[2], z[3]);
        EXPECT_FALSE(g->CadreZoneExiste(z[0], z[1], z[2], z[3]));
        EXPECT_EQ(Contenu(*g, 1, 1), "\x0F");
        EXPECT_EQ(Contenu(*g, 2, 1), "");
        EXPECT_EQ(Contenu(*g, 4, 1), "");
    }
}

// ----------------------------------------------------------------- merges

std::vector<int> Marques(const TableauClasse& g, int r) {
    std::vector<int> v;
    for (int c = 1; c <= g.ColonneNb(); ++c) v.push_back(g.CaseFusion(c, r));
    return v;
}

enum class Operation { Mettre, Enlever, Changer };

struct CasFusion {
    const char* nom;
    std::vector<int> avant;  // marks of row 1, columns 1..6
    int autre = 0;           // a column that is not a plan-action cell
    Operation operation;
    int c1, c2;
    std::vector<int> apres;
};

TEST(FusionZone, MergingAndUnmergingRowsOfARun) {
    const std::vector<CasFusion> cas{
        {"merge 2..4", {0, 0, 0, 0, 0, 0}, 0, Operation::Mettre, 2, 4, {0, 1, 2, 2, 0, 0}},
        {"a cell of another kind", {0, 0, 0, 0, 0, 0}, 3, Operation::Mettre, 2, 4, {0, 0, 0, 0, 0, 0}},
        {"and the run it would cut stays", {1, 2, 2, 2, 0, 0}, 3, Operation::Mettre, 2, 3, {1, 2, 2, 2, 0, 0}},
        {"unmerge 2..3 of 2..5", {0, 1, 2, 2, 2, 0}, 0, Operation::Enlever, 2, 3, {0, 0, 0, 1, 2, 0}},
        {"merge inside a run cuts it", {1, 2, 2, 2, 2, 0}, 0, Operation::Mettre, 2, 3, {1, 1, 2, 1, 2, 0}},
        {"unmerge to the end", {0, 1, 2, 2, 2, 2}, 0, Operation::Enlever, 4, 6, {0, 1, 2, 0, 0, 0}},
        {"change merges a free zone", {0, 0, 0, 0, 0, 0}, 0, Operation::Changer, 5, 6, {0, 0, 0, 0, 1, 2}},
        {"change unmerges a zone with a mark", {0, 0, 0, 1, 2, 0}, 0, Operation::Changer, 3, 4, {0, 0, 0, 0, 1, 0}},
    };
    for (const CasFusion& k : cas) {
        // The marks as a loaded grid holds them.
        auto enr = test::Enregistrement(6, 2);
        for (int c = 1; c <= 6; ++c) {
            for (int r = 1; r <= 2; ++r) {
                auto& a = test::Attribut(enr, c, r);
                a.couleurFond = (r == 1 && c == k.autre) ? kBlanc : kPlanAction;
                a.fusion = r == 1 ? O(k.avant[static_cast<std::size_t>(c - 1)]) : 0;
            }
        }
        auto g = test::Grille(enr);
        switch (k.operation) {
        case Operation::Mettre: g->FusionZoneMettre(k.c1, 1, k.c2, 1); break;
        case Operation::Enlever: g->FusionZoneEnlever(k.c1, 1, k.c2, 1); break;
        case Operation::Changer: g->FusionZoneChanger(k.c1, 1, k.c2, 1); break;
        }
        EXPECT_EQ(Marques(*g, 1), k.apres) << k.nom;
        EXPECT_EQ(Marques(*g, 2), std::vector<int>(6, 0)) << k.nom << ": the row below";
    }
}

TEST(FusionZone, RunsAsTheDisplayAndTheKeysReadThem) {
    auto g = Grille(6, 1);
    g->FusionZoneMettre(2, 1, 4, 1);
    const std::vector<std::vector<int>> attendu{{1, 0, 0}, {2, 2, 4}, {3, 2, 4}, {4, 2, 4}, {5, 0, 0}};
    for (const auto& k : attendu) {
        EXPECT_EQ(g->FusionPremiereColonne(k[0], 1), k[1]) << k[0];
        EXPECT_EQ(g->FusionDerniereColonne(k[0], 1), k[2]) << k[0];
    }
    EXPECT_TRUE(g->FusionZoneExiste(4, 1, 6, 1));
    EXPECT_FALSE(g->FusionZoneExiste(5, 1, 6, 1));
}

TEST(FusionZone, ZonesNotInsideTheGridChangeNothing) {
    for (const auto& z : std::vector<std::vector<int>>{{0, 0, 0, 0}, {2, 1, 7, 1}, {0, 1, 3, 1}, {1, 1, 3, 2}}) {
        auto g = Grille(6, 1);
        g->FusionZoneMettre(1, 1, 2, 1);
        g->FusionZoneMettre(z[0], z[1], z[2], z[3]);
        g->FusionZoneEnlever(z[0], z[1], z[2], z[3]);
        g->FusionZoneChanger(z[0], z[1], z[2], z[3]);
        EXPECT_FALSE(g->FusionZoneExiste(z[0], z[1], z[2], z[3]));
        EXPECT_EQ(Marques(*g, 1), (std::vector<int>{1, 2, 0, 0, 0, 0}));
    }
}

// ------------------------------------------------------- background code

TEST(ZoneChangeFond, APlanActionCodeOnlyReplacesPlanActionCodes) {
    struct Cas {
        std::uint8_t code;
        std::vector<std::int32_t> apres;
    };
    // Row 1: a plan-action cell, a toggle cell, a white cell.
    const std::vector<Cas> cas{
        {21, {-21, kBascule, kBlanc}},
        {18, {-18, kBascule, kBlanc}},
        {14, {-14, -14, -14}},
        {7, {-7, -7, -7}},
    };
    for (const Cas& k : cas) {
        auto g = Grille(4, 2);
        g->CaseCouleurFondChange(2, 1, kBascule);
        g->CaseCouleurFondChange(3, 1, kBlanc);
        g->ZoneChangeFond(1, 1, 3, 1, k.code);
        for (int c = 1; c <= 3; ++c) {
            EXPECT_EQ(g->CaseCouleurFond(c, 1), k.apres[static_cast<std::size_t>(c - 1)]) << int(k.code) << " " << c;
        }
        EXPECT_EQ(g->CaseCouleurFond(4, 1), kPlanAction) << "outside the zone";
        EXPECT_EQ(g->CaseCouleurFond(1, 2), kPlanAction) << "outside the zone";
    }
    auto g = Grille(2, 2);
    g->ZoneChangeFond(1, 1, 3, 1, 7);
    EXPECT_EQ(g->CaseCouleurFond(1, 1), kPlanAction) << "a zone reaching past the grid";
}

// ----------------------------------------------------- automatic greying

// Column 1 holds each row's figure; the test zone is column 2, rows 1..2;
// the target column 4, rows 1..3.
struct CasGrise {
    const char* nom;
    std::uint8_t mode;
    std::string figure;                // column 1, both rows
    std::vector<std::string> textes;   // column 2, rows 1..2
    std::vector<std::uint8_t> etats;   // column 2, rows 1..2
    std::uint8_t cibleAvant;
    std::uint8_t cibleApres;
};

TEST(ZoneGriseAuto, GreysOrUngreysTheTargetByTheStatesOfTheCellsThatSpeak) {
    const std::vector<CasGrise> cas{
        {"mode 6, empty cells on zero rows: unchanged", 6, "0", {"", ""}, {1, 1}, 2, 2},
        {"mode 6, same with greyed cells: unchanged", 6, "0", {"", ""}, {2, 2}, 1, 1},
        {"mode 6, a greyed cell that speaks: ungreyed", 6, "0", {"x", ""}, {2, 1}, 2, 1},
        {"mode 6, a valid cell speaks first: unchanged", 6, "0", {"x", "y"}, {1, 2}, 2, 2},
        {"mode 6, a row that is not zero speaks", 6, "5", {"", ""}, {2, 2}, 2, 1},
        {"mode 6, a decimal comma is not zero", 6, "0,5", {"", ""}, {2, 2}, 2, 1},
        {"mode 1, a greyed cell: grey", 1, "5", {"", ""}, {1, 2}, 1, 2},
        {"mode 1, none greyed: ungrey", 1, "5", {"", ""}, {1, 1}, 2, 1},
        {"mode 1, the greyed cell is silent: ungrey", 1, "0", {"x", ""}, {1, 2}, 2, 1},
        {"mode 2, a greyed cell: ungrey", 2, "5", {"", ""}, {2, 1}, 2, 1},
        {"mode 2, none greyed: grey", 2, "5", {"", ""}, {1, 1}, 1, 2},
        {"mode 3, a greyed cell: grey", 3, "5", {"", ""}, {2, 1}, 1, 2},
        {"mode 3, none greyed: unchanged", 3, "5", {"", ""}, {1, 1}, 2, 2},
        {"mode 4, none greyed: grey", 4, "5", {"", ""}, {1, 1}, 1, 2},
        {"mode 4, a greyed cell: unchanged", 4, "5", {"", ""}, {1, 2}, 1, 1},
        {"mode 5: unchanged", 5, "5", {"", ""}, {2, 2}, 1, 1},
    };
    for (const CasGrise& k : cas) {
        auto g = Grille(4, 3, kBlanc);
        for (int r = 1; r <= 2; ++r) {
            const auto i = static_cast<std::size_t>(r - 1);
            g->CaseTexteChange(1, r, k.figure);
            g->CaseTexteChange(2, r, k.textes[i]);
            g->CaseInvalidationStockeeChange(2, r, k.etats[i]);
        }
        for (int r = 1; r <= 3; ++r) g->CaseInvalidationStockeeChange(4, r, k.cibleAvant);
        g->ZoneGriseAuto(2, 1, 2, 2, 4, 1, 4, 3, k.mode);
        for (int r = 1; r <= 3; ++r) {
            EXPECT_EQ(g->CaseInvalidationStockee(4, r) & 7, k.cibleApres) << k.nom << ", row " << r;
        }
        EXPECT_EQ(g->CaseInvalidationStockee(3, 1) & 7, 1) << k.nom << ": outside the target";
    }
}

TEST(ZoneGriseAuto, WithoutAFigureColumnEveryCellSpeaks) {
    // The test zone starts at column 1: no figure to its left.
    auto g = Grille(3, 2, kBlanc);
    g->CaseInvalidationStockeeChange(1, 2, 2);
    g->ZoneGriseAuto(1, 1, 1, 2, 3, 1, 3, 9, 1);
    EXPECT_EQ(g->CaseInvalidationStockee(3, 1) & 7, 2);
    EXPECT_EQ(g->CaseInvalidationStockee(3, 2) & 7, 2) << "the target is cut at the grid's rows";
}

// ------------------------------------------------------ selection widening

SelectionTableau UneCase(int c, int r) {
    SelectionTableau s;
    s.Valide = -1;
    s.HautGaucheColonne = s.BasDroiteColonne = s.PremiereColonne = s.DerniereColonne = static_cast<std::int16_t>(c);
    s.HautGaucheLigne = s.BasDroiteLigne = s.PremiereLigne = s.DerniereLigne = static_cast<std::int16_t>(r);
    return s;
}

TEST(SelectionFusions, OneContinuationCellWidensToTheWholeRunInPlayOnly) {
    auto g = Grille(6, 2);
    g->FusionZoneMettre(2, 1, 4, 1);
    const SelectionTableau s = UneCase(3, 1);
    const SelectionTableau jeu = SelectionEtendreAuxFusions(*g, s, true);
    EXPECT_EQ(jeu.HautGaucheColonne, 2);
    EXPECT_EQ(jeu.BasDroiteColonne, 4);
    EXPECT_EQ(jeu.HautGaucheLigne, 1);
    EXPECT_EQ(jeu.BasDroiteLigne, 1);
    EXPECT_EQ(SelectionEtendreAuxFusions(*g, s, false), s);

    SelectionTableau deux = UneCase(2, 2);
    deux.HautGaucheLigne = 1;
    const SelectionTableau large = SelectionEtendreAuxFusions(*g, deux, true);
    EXPECT_EQ(large.BasDroiteColonne, 4) << "a run's first cell widens to its end";
    EXPECT_EQ(SelectionEtendreAuxFusions(*g, UneCase(5, 1), true).BasDroiteColonne, 5) << "not merged";
}

TEST(SelectionFusions, ClearingTheSelectionKeepsTheAnchorAndTheCursor) {
    auto g = Grille(4, 4);
    SelectionTableau s = UneCase(2, 3);
    s.DerniereColonne = 4;
    s.CadreColonne = 3;
    g->SelectionChange(s);
    g->SelectionnerRien();
    EXPECT_FALSE(g->SelectionEstValide());
    const SelectionTableau& apres = g->Selection();
    EXPECT_EQ(apres.HautGaucheColonne, 0);
    EXPECT_EQ(apres.BasDroiteLigne, 0);
    EXPECT_EQ(apres.CadreColonne, 0);
    EXPECT_EQ(apres.PremiereColonne, 2);
    EXPECT_EQ(apres.DerniereColonne, 4);
    EXPECT_EQ(apres.PremiereLigne, 3);
    EXPECT_EQ(apres.DerniereLigne, 3);
}

}  // namespace
}  // namespace korv::grid
