// A grid copied onto a sheet of our spreadsheet model, read back from the model.

#include <gtest/gtest.h>

#include "grid/copie_feuille.h"
#include "grid/feuille.h"
#include "grid/tableau.h"
#include "grille_fabrique.h"

namespace korv::grid {
namespace {

using Genre = CelluleFeuille::Genre;

// Three columns, three rows: a label, a number, a percentage per row.
std::unique_ptr<TableauClasse> Grille(GrilleEnregistrement g) {
    auto t = test::Grille(g);
    t->InitialiseZoneImpression();
    return t;
}

GrilleEnregistrement Base() {
    auto g = test::Enregistrement(3, 3);
    for (int r = 1; r <= 3; ++r) {
        test::Texte(g, 1, r, "Poste " + std::to_string(r));
        test::Attribut(g, 2, r).typeAffichage = 1;
        test::Attribut(g, 3, r).typeAffichage = 2;
    }
    test::Texte(g, 2, 1, "1234,5");  // shown "1 234,5"
    test::Texte(g, 3, 1, "12,5");    // shown "12,5 %"
    test::Texte(g, 2, 2, "7");
    test::Texte(g, 2, 3, "0");
    test::Texte(g, 3, 3, "0");
    return g;
}

Feuille Copie(TableauClasse& t, int mode, std::string monnaie = "\x80", ContexteCopie ctx = {}) {
    Classeur c;
    ctx.mode = mode;
    ctx.monnaie = std::move(monnaie);
    CopierVersBook(t, c, 1, ctx);
    return c.Feuilles().at(0);
}

TEST(CopieFeuille, TitleRowShiftsTheData) {
    auto t = Grille(Base());
    Feuille sans = Copie(*t, 1);
    ASSERT_NE(sans.Cellule(1, 1), nullptr);
    EXPECT_EQ(sans.Cellule(1, 1)->texte, "Poste 1");

    t->ImprimeChangeTitre("Budget $monnaie \xA4 l\xA7" "an", 0);
    Feuille avec = Copie(*t, 1, "\x80");
    EXPECT_EQ(avec.Cellule(1, 1)->texte, "Budget (unit\xE9 : \x80) . l'an");
    EXPECT_EQ(avec.titreImpression, "Budget (unit\xE9 : \x80) . l'an");
    ASSERT_TRUE(avec.Cellule(1, 1)->police.has_value());
    EXPECT_EQ(*avec.Cellule(1, 1)->police, (PoliceFeuille{"ARIAL", 10, true, false, false, false, 0}));
    EXPECT_EQ(avec.Cellule(1, 1)->alignement, 2);
    EXPECT_EQ(avec.Cellule(2, 1)->texte, "Poste 1");
    EXPECT_EQ(avec.Cellule(4, 1)->texte, "Poste 3");
    // The grid keeps its title: a later currency change still shows.
    EXPECT_EQ(t->ImprimeTitreRetourne(), "Budget $monnaie . l'an");
    EXPECT_EQ(Copie(*t, 1, "F").Cellule(1, 1)->texte, "Budget (unit\xE9 : F) . l'an");
    // Other uses show blanks in place of the title.
    EXPECT_EQ(Copie(*t, 0).Cellule(1, 1)->texte, std::string(25, ' '));
}

TEST(CopieFeuille, PrintNumbersAndExportTexts) {
    auto t = Grille(Base());
    const Feuille imprime = Copie(*t, 1);
    const CelluleFeuille* montant = imprime.Cellule(1, 2);
    ASSERT_NE(montant, nullptr);
    EXPECT_EQ(montant->genre, Genre::Nombre);
    EXPECT_DOUBLE_EQ(montant->nombre, 1234.5);
    EXPECT_EQ(montant->format, "0.00");
    EXPECT_EQ(montant->alignement, 4);
    EXPECT_EQ(imprime.Cellule(1, 3)->genre, Genre::Nombre);
    EXPECT_DOUBLE_EQ(imprime.Cellule(1, 3)->nombre, 0.125);
    EXPECT_EQ(imprime.Cellule(1, 3)->format, "0.00%");
    // Zero numbers and percentages leave an empty, right-aligned cell.
    EXPECT_EQ(imprime.Cellule(3, 2)->genre, Genre::Vide);
    EXPECT_EQ(imprime.Cellule(3, 2)->alignement, 4);
    EXPECT_EQ(imprime.Cellule(3, 3)->genre, Genre::Vide);

    for (int mode : {3, 4}) {
        const Feuille exporte = Copie(*t, mode);
        EXPECT_EQ(exporte.Cellule(1, 2)->genre, Genre::Texte);
        EXPECT_EQ(exporte.Cellule(1, 2)->texte, "1 234,5");
        EXPECT_EQ(exporte.Cellule(1, 3)->texte, "12,5 %");
    }
}

TEST(CopieFeuille, WordsInNumberCellsPrintAsWords) {
    // An order status shown by a number cell is printed as the word, not as 0.00.
    auto g = test::Enregistrement(1, 2);
    test::Attribut(g, 1, 1).typeAffichage = 1;
    test::Attribut(g, 1, 2).typeAffichage = 1;
    auto t = Grille(g);
    ContexteCopie ctx;
    ctx.texteAffiche = [](TableauClasse&, int, int r) { return r == 1 ? std::string("sign\xE9") : std::string("1\xA0" "000,25 %"); };
    const Feuille f = Copie(*t, 1, "", ctx);
    EXPECT_EQ(f.Cellule(1, 1)->genre, Genre::Texte);
    EXPECT_EQ(f.Cellule(1, 1)->texte, "sign\xE9");
    EXPECT_EQ(f.Cellule(2, 1)->genre, Genre::Nombre);
    EXPECT_DOUBLE_EQ(f.Cellule(2, 1)->nombre, 1000.25);
}

TEST(CopieFeuille, InvisibleAndWhiteCellsAreEmptyButAligned) {
    auto g = test::Enregistrement(3, 1);
    test::Texte(g, 1, 1, "cach\xE9");
    test::Attribut(g, 1, 1).invisible = 1;
    test::Texte(g, 2, 1, "blanc");
    test::Attribut(g, 2, 1).couleurTexte = 16777215;
    test::Texte(g, 3, 1, "Total");
    auto& a = test::Attribut(g, 3, 1);
    a.invisible = 1;
    a.sousFormat = 9;
    auto t = Grille(g);
    const Feuille f = Copie(*t, 1);
    EXPECT_EQ(f.Cellule(1, 1)->genre, Genre::Vide);
    EXPECT_EQ(f.Cellule(1, 1)->alignement, 3);
    EXPECT_EQ(f.Cellule(1, 2)->genre, Genre::Vide);
    EXPECT_EQ(f.Cellule(1, 2)->couleurTexte, 16777215);
    EXPECT_EQ(f.Cellule(1, 3)->texte, " :") << "an invisible label still gets its colon";
    EXPECT_EQ(f.Cellule(1, 3)->alignement, 2);
    ASSERT_TRUE(f.Cellule(1, 3)->police.has_value());
    EXPECT_TRUE(f.Cellule(1, 3)->police->gras);
}

TEST(CopieFeuille, FoldedRowsLeftOutInModesTwoAndFourOnly) {
    auto g = Base();
    g.lignes[1].pliee = -1;
    g.colonnes[2].pliee = -1;
    auto t = Grille(g);
    for (int mode = 0; mode <= 4; ++mode) {
        SCOPED_TRACE(mode);
        const Feuille f = Copie(*t, mode);
        const bool sansPlis = mode == 2 || mode == 4;
        EXPECT_EQ(f.LignesUtilisees(), sansPlis ? 2 : 3);
        EXPECT_EQ(f.ColonnesUtilisees(), sansPlis ? 2 : 3);
        EXPECT_EQ(f.Cellule(2, 1)->texte, sansPlis ? "Poste 3" : "Poste 2");
    }
    EXPECT_EQ(t->Ligne(2).AttributImpression.Imprimable, 1) << "the grid is not changed by the copy";
    EXPECT_EQ(t->Colonne(3).AttributImpression.Imprimable, 1);
}

TEST(CopieFeuille, NonPrintableRowsAndColumnsTakeNoPlace) {
    auto t = Grille(Base());
    t->ZoneRendNonImprimable(1, 0, 1, 0);  // column 1
    t->ZoneRendNonImprimable(0, 1, 0, 1);  // row 1
    const Feuille f = Copie(*t, 3);
    EXPECT_EQ(f.Cellule(1, 1)->texte, "7,0");
    EXPECT_EQ(f.ColonnesUtilisees(), 2);
}

TEST(CopieFeuille, RowFormatsBordersFillsPageBreaksAndMerges) {
    auto g = Base();
    g.lignes[0].impression[2] = 1;  // field 3: repeated rows
    g.lignes[0].impression[4] = 1;  // field 5: printed background
    g.lignes[2].impression[3] = 1;  // field 4: page break
    g.lignes[1].impression[5] = 3;  // field 6: both side borders
    test::Attribut(g, 1, 1).fusion = 1;
    test::Attribut(g, 2, 1).fusion = 2;
    auto t = Grille(g);
    for (int r = 1; r <= 3; ++r) {
        for (int c = 1; c <= 3; ++c) ASSERT_EQ(t->Ligne(r).AttributImpression.Imprimable, 1);
    }
    const Feuille f = Copie(*t, 1);
    EXPECT_EQ(f.lignesFixes, (std::pair<int, int>{1, 1}));
    EXPECT_EQ(f.sautsLignes, std::vector<int>{3});
    ASSERT_TRUE(f.Cellule(1, 3)->remplissage.has_value());
    EXPECT_EQ(f.Cellule(1, 3)->remplissage->avant, 200 | (200 << 8) | (200 << 16));
    EXPECT_EQ(f.Cellule(2, 2)->bords.gauche, 1);
    EXPECT_EQ(f.Cellule(2, 2)->bords.droite, 1);
    ASSERT_EQ(f.fusions.size(), 1u);
    EXPECT_EQ(f.fusions[0], (PlageFeuille{1, 1, 1, 2}));
    EXPECT_EQ(f.Cellule(3, 3)->bords.bas, 1) << "the outline of the used range";
}

// The print title stands above the table: the outline and the columns'
// borders, fills and fonts start on the row under it, in every mode.
TEST(CopieFeuille, TheTitleRowStandsAboveTheOutlineAndTheColumnFormats) {
    auto g = Base();
    g.colonnes[0].impression[5] = 3;  // field 6: both side borders
    g.colonnes[1].impression[4] = 1;  // field 5: printed background
    g.colonnes[0].impression[0] = 1;  // field 1: bold
    auto t = Grille(g);
    t->ImprimeChangeTitre("Budget", 0);
    for (int mode : {1, 3}) {
        SCOPED_TRACE(mode);
        const Feuille f = Copie(*t, mode);
        for (int c = 1; c <= 3; ++c) {
            const CelluleFeuille* x = f.Cellule(1, c);
            ASSERT_NE(x, nullptr);
            EXPECT_EQ(x->bords, BordsFeuille{}) << c;
            EXPECT_FALSE(x->remplissage.has_value()) << c;
        }
        EXPECT_TRUE(f.Cellule(1, 1)->police->gras) << "the title keeps its own font";
        EXPECT_EQ(f.Cellule(1, 1)->police->taille, 10);
        EXPECT_EQ(f.Cellule(2, 1)->bords.haut, 1);
        EXPECT_EQ(f.Cellule(2, 1)->bords.gauche, 1);
        EXPECT_EQ(f.Cellule(4, 1)->bords.droite, 1);
        EXPECT_TRUE(f.Cellule(2, 2)->remplissage.has_value());
    }
}

}  // namespace
}  // namespace korv::grid
