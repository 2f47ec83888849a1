#include "print/export_texte_delimite.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "grid/feuille.h"
#include "print/export_fichier.h"

namespace korv::print {
namespace {

using grid::Feuille;
using grid::PlageFeuille;

TEST(ExportTexteDelimite, SheetsByteForByte) {
    Feuille a;
    a.Texte(1, 1, "Ann\xE9" "e \x80");
    a.Nombre(2, 1, 1234.5);
    a.Format(PlageFeuille{2, 1, 2, 1}, "0.00");
    a.Texte(2, 3, "a\tb\r\nc");
    Feuille vide;
    Feuille b;
    b.Nombre(1, 2, 0.125);
    b.Format(PlageFeuille{1, 2, 1, 2}, "0.00%");
    b.Nombre(1, 3, -3.25);
    const std::vector<const Feuille*> feuilles{&a, &vide, &b};
    EXPECT_EQ(TexteDelimite(feuilles),
              "Ann\xE9" "e \x80\t\t\r\n"
              "1234,50\t\ta b c\r\n"
              "\r\n"
              "\r\n"
              "\t12,50%\t-3,25\r\n");
}

TEST(ExportTexteDelimite, SheetNamesCleanedShortenedAndUnique) {
    const std::vector<std::string> titres{"Compte: r\xE9sultat [2026]", "a/b\\c?d*e", "",
                                          std::string(40, 'x'), std::string(40, 'x'), "COMPTE r\xE9sultat 2026"};
    EXPECT_EQ(NomsFeuillesExport(titres),
              (std::vector<std::string>{"Compte r\xE9sultat 2026", "abcde", "Feuille3", std::string(31, 'x'),
                                        std::string(27, 'x') + " (2)", "COMPTE r\xE9sultat 2026 (2)"}));
}

class ExportFichier : public ::testing::Test {
protected:
    void SetUp() override {
        dossier_ = std::filesystem::temp_directory_path() /
                   ("korv_export_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dossier_);
        std::filesystem::create_directories(dossier_);
    }
    void TearDown() override { std::filesystem::remove_all(dossier_); }
    static std::string Lire(const std::filesystem::path& p) {
        std::ifstream e(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(e), {}};
    }
    std::filesystem::path dossier_;
};

TEST_F(ExportFichier, AnExportOverALongerFileLeavesExactlyTheNewContent) {
    const auto cible = dossier_ / "t.txt";
    ASSERT_EQ(EcrireFichierExport(cible, std::string(1000, 'z')), "");
    ASSERT_EQ(EcrireFichierExport(cible, "abc\r\n"), "");
    EXPECT_EQ(Lire(cible), "abc\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dossier_), {}), 1);  // no temporary left
}

TEST_F(ExportFichier, AFailedWriteSaysSoAndLeavesThePreviousFile) {
    EXPECT_NE(EcrireFichierExport(dossier_ / "absent" / "t.txt", "abc"), "");
    // A folder where the file should be: the rename fails, the folder stays.
    std::filesystem::create_directories(dossier_ / "d" / "x");
    EXPECT_NE(EcrireFichierExport(dossier_ / "d", "abc"), "");
    EXPECT_TRUE(std::filesystem::is_directory(dossier_ / "d" / "x"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dossier_), {}), 1);
}

}  // namespace
}  // namespace korv::print
