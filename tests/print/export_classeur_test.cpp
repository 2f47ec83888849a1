#include "print/export_classeur.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "grid/feuille.h"
#include "print/classeur_xls_lu.h"
#include "print/export_fichier.h"

namespace korv::print {
namespace {

using grid::Feuille;
using grid::PlageFeuille;

class ExportClasseur : public ::testing::Test {
protected:
    void SetUp() override {
        dossier_ = std::filesystem::temp_directory_path() /
                   ("korv_xls_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dossier_);
    }
    void TearDown() override { std::filesystem::remove_all(dossier_); }

    // The workbook written to a file, as the export writes it.
    std::string Ecrire(const std::vector<FeuilleClasseur>& feuilles, std::string* fichier = nullptr) {
        std::string erreur;
        const std::string octets = FichierClasseurExcel5(feuilles, erreur);
        EXPECT_EQ(erreur, "");
        const auto chemin = dossier_ / "classeur.xls";
        EXPECT_EQ(EcrireFichierExport(chemin, octets), "");
        if (fichier) *fichier = octets;
        return chemin.string();
    }

    std::filesystem::path dossier_;
};

// The sheet of a grid copied for export: a bold title, texts with accents
// and the euro sign, numbers in the three formats, alignments and sizes.
Feuille Tresorerie() {
    Feuille f;
    f.Texte(1, 1, "Tr\xE9sorerie (unit\xE9 : \x80)");
    f.Police(PlageFeuille{1, 1, 1, 1}, grid::PoliceFeuille{"ARIAL", 10, true});
    f.Alignement(PlageFeuille{1, 1, 1, 1}, 3, false, 2);
    f.Texte(2, 1, "Apport");
    f.Nombre(2, 2, 15000);
    f.Nombre(2, 3, 1250.5);
    f.Format(PlageFeuille{2, 3, 2, 3}, "0.00");
    f.Alignement(PlageFeuille{2, 2, 2, 3}, 4, false, 2);
    f.Texte(3, 1, "Part \xAB emprunt \xBB");
    f.Alignement(PlageFeuille{3, 1, 3, 1}, 2, false, 2);
    f.Nombre(3, 3, 0.375);
    f.Format(PlageFeuille{3, 3, 3, 3}, "0.00%");
    f.Alignement(PlageFeuille{3, 3, 3, 3}, 7, false, 2);
    f.largeurs = {{1, 3600}, {2, 1155}};
    f.hauteurs = {{1, 400}};
    return f;
}

TEST_F(ExportClasseur, LibfreexlReadsEverySheetNameValueAndText) {
    const Feuille a = Tresorerie();
    Feuille b;
    b.Texte(1, 2, "\x80uros");
    b.Nombre(2, 1, -3.25);
    const std::vector<FeuilleClasseur> feuilles{{&a, "Tr\xE9sorerie"}, {&b, "Pr\xE9visions \x80"}};
    const test::LectureFreexl l = test::LireAvecFreexl(Ecrire(feuilles));
    ASSERT_EQ(l.code, FREEXL_OK);
    EXPECT_EQ(l.biff, 5u);
    EXPECT_EQ(l.pageCode, unsigned{FREEXL_BIFF_CP1252});
    ASSERT_EQ(l.feuilles.size(), 2u);
    EXPECT_EQ(l.feuilles[0].nom, "Trésorerie");
    EXPECT_EQ(l.feuilles[1].nom, "Prévisions €");
    EXPECT_EQ(l.feuilles[0].lignes, 3u);
    EXPECT_EQ(l.feuilles[0].colonnes, 3);
    const std::map<std::pair<unsigned, unsigned short>, std::string> premiere{
        {{0, 0}, "t:Trésorerie (unité : €)"},
        {{1, 0}, "t:Apport"},
        {{1, 1}, "n:15000"},
        {{1, 2}, "n:1250.5"},
        {{2, 0}, "t:Part « emprunt »"},
        {{2, 2}, "n:0.375"}};
    EXPECT_EQ(l.feuilles[0].valeurs, premiere);
    const std::map<std::pair<unsigned, unsigned short>, std::string> seconde{{{0, 1}, "t:€uros"},
                                                                              {{1, 0}, "n:-3.25"}};
    EXPECT_EQ(l.feuilles[1].valeurs, seconde);
}

// What libfreexl does not expose, read from our own records: the stream in
// the container is the one written, fonts, formats, alignments, sizes.
TEST_F(ExportClasseur, FormatsBoldAlignmentsAndSizesInTheRecords) {
    const Feuille a = Tresorerie();
    const std::vector<FeuilleClasseur> feuilles{{&a, "Tr\xE9sorerie"}};
    std::string fichier;
    Ecrire(feuilles, &fichier);
    const auto flux = test::FluxDuFichierCompose(fichier, "Book");
    ASSERT_TRUE(flux.has_value());
    EXPECT_EQ(*flux, FluxClasseurExcel5(feuilles));
    const test::ClasseurLu c = test::LireClasseur(*flux);
    ASSERT_TRUE(c.complet);
    EXPECT_EQ(c.pageCode, 1252);
    ASSERT_EQ(c.feuilles.size(), 1u);
    EXPECT_EQ(c.formats.at(2), "0.00");
    EXPECT_EQ(c.formats.at(10), "0.00%");

    struct Cas {
        int ligne, colonne;
        bool gras;
        std::uint16_t format;
        int alignement;  // 0 general, 1 left, 2 centre, 3 right, 6 centred across
    };
    const Cas cas[] = {
        {0, 0, true, 0, 2}, {1, 0, false, 0, 0}, {1, 1, false, 0, 3},
        {1, 2, false, 2, 3}, {2, 0, false, 0, 1}, {2, 2, false, 10, 6},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(std::to_string(k.ligne) + "," + std::to_string(k.colonne));
        const test::XfLu* x = c.XfDe(0, k.ligne, k.colonne);
        ASSERT_NE(x, nullptr);
        EXPECT_EQ(c.Gras(*x), k.gras);
        EXPECT_EQ(x->format, k.format);
        EXPECT_EQ(x->alignement, k.alignement);
    }
    // 3600 twips are 240 pixels: (240 - 5) / 7 characters; a column
    // without a width of its own has the sheet's default 1155 twips.
    const std::map<int, std::uint16_t> largeurs{{0, 8594}, {1, 2633}, {2, 2633}};
    EXPECT_EQ(c.feuilles[0].largeurs, largeurs);
    EXPECT_EQ(LargeurColonneExcel(3600), 8594);
    EXPECT_EQ((std::map<int, std::uint16_t>{{0, 400}}), c.feuilles[0].hauteurs);
}

TEST_F(ExportClasseur, EmptySheetsAndLongTextsStayReadable) {
    Feuille vide;
    Feuille longue;
    longue.Texte(1, 1, std::string(300, 'x'));
    const std::vector<FeuilleClasseur> feuilles{{&vide, "Vide"}, {nullptr, "Rien"}, {&longue, "Longue"}};
    std::string fichier;
    const test::LectureFreexl l = test::LireAvecFreexl(Ecrire(feuilles, &fichier));
    ASSERT_EQ(l.code, FREEXL_OK);
    ASSERT_EQ(l.feuilles.size(), 3u);
    EXPECT_EQ(l.feuilles[0].lignes, 0u);
    EXPECT_EQ(l.feuilles[2].valeurs.at({0, 0}), "t:" + std::string(255, 'x'));

    // The workbook opens on its first sheet alone: a sheet selected with
    // another is grouped with it, and typing in one writes into both.
    const auto flux = test::FluxDuFichierCompose(fichier, "Book");
    ASSERT_TRUE(flux.has_value());
    const test::ClasseurLu c = test::LireClasseur(*flux);
    ASSERT_EQ(c.feuilles.size(), 3u);
    constexpr std::uint16_t kSelectionnee = 0x0200, kAffichee = 0x0400;
    for (std::size_t i = 0; i < c.feuilles.size(); ++i) {
        ASSERT_TRUE(c.feuilles[i].fenetre.has_value()) << i;
        EXPECT_EQ(*c.feuilles[i].fenetre & (kSelectionnee | kAffichee), i == 0 ? kSelectionnee | kAffichee : 0) << i;
    }

    // No sheet at all still makes a workbook, of one empty sheet.
    const test::LectureFreexl aucune = test::LireAvecFreexl(Ecrire({}));
    ASSERT_EQ(aucune.code, FREEXL_OK);
    ASSERT_EQ(aucune.feuilles.size(), 1u);
    EXPECT_EQ(aucune.feuilles[0].nom, "Feuille1");
}

}  // namespace
}  // namespace korv::print
