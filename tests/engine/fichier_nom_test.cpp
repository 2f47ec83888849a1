#include "engine/fichier_nom.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "engine/texte_casse.h"

namespace korv::engine {
namespace {

namespace fs = std::filesystem;

struct Cas1 {
    std::string entree;
    std::string attendu;
};

TEST(TexteCasse, ChangesCaseOfCp1252Letters) {
    // é à ç œ ÿ š ž get their capitals; ß µ ÷ × have none to change to.
    const std::string minuscules = "\xE9\xE0\xE7\x9C\xFF\x9A\x9E abc \xDF\xB5\xF7\xD7";
    const std::string majuscules = "\xC9\xC0\xC7\x8C\x9F\x8A\x8E ABC \xDF\xB5\xF7\xD7";
    EXPECT_EQ(MajusculeCp1252(minuscules), majuscules);
    EXPECT_EQ(MinusculeCp1252(majuscules), minuscules);
    EXPECT_EQ(MajusculeCp1252("x1\\_.Y"), "X1\\_.Y");
}

TEST(TexteCasse, TrimRemovesSpacesOnly) {
    const Cas1 cas[] = {{"  a b  ", "a b"}, {" \ta\t ", "\ta\t"}, {"   ", ""}, {"", ""}, {"x", "x"}};
    for (const auto& c : cas) EXPECT_EQ(Trim(c.entree), c.attendu) << c.entree;
}

TEST(FichierNom, ExtensionIsTakenFromTheLastComponent) {
    const Cas1 cas[] = {
        {"IMAGE.BMP", "BMP"},
        {"image.bmp", "BMP"},
        {"ARCHIVE.TAR.GZ", "TAR.GZ"},  // everything after the first dot
        {"C:\\V1.2\\IMAGE", ""},       // a dot in a folder is no extension
        {"..\\IMAGES\\X.BMP", "BMP"},
        {"..\\FOO", ""},
        {"/home/u/v1.2/texte", ""},
        {"NOEXT", ""},
        {"C:\\DIR\\", ""},
        {"fichier.\xE9", "\xC9"},
        {".PROFILE", "PROFILE"},
        {"", ""},
    };
    for (const auto& c : cas) EXPECT_EQ(FichierNomExtension(c.entree), c.attendu) << c.entree;
}

TEST(FichierNom, NameWithoutExtension) {
    const Cas1 cas[] = {
        {"IMAGE.BMP", "IMAGE"},
        {"C:\\DIR\\A.B.C", "C:\\DIR\\A"},
        {"C:\\V1.2\\IMAGE", "C:\\V1.2\\IMAGE"},
        {".X", ".X"},  // a leading dot is not an extension dot
        {"C:\\DIR\\.X", "C:\\DIR\\.X"},
        {"X.", "X"},
        {"", ""},
    };
    for (const auto& c : cas) EXPECT_EQ(FichierNomSansExtension(c.entree), c.attendu) << c.entree;
}

TEST(FichierNom, AddingAnExtensionReplacesTheOldOne) {
    struct Cas {
        std::string nom, extension, attendu;
    };
    const Cas cas[] = {
        {"IMAGE.TXT", "txm", "IMAGE.TXM"},
        {"IMAGE", "TXM", "IMAGE.TXM"},
        {"A.B.C", "txm", "A.TXM"},
        {"AB.T0", "TXM", "AB.TXM"},
        {"C:\\V1.2\\IMAGE", "bmp", "C:\\V1.2\\IMAGE.BMP"},
        {"dossier/nom", "\xE9", "dossier/nom.\xC9"},
    };
    for (const auto& c : cas) EXPECT_EQ(FichierNomAjouteExtension(c.nom, c.extension), c.attendu) << c.nom;
}

TEST(FichierNom, FolderPartOfAPath) {
    const Cas1 cas[] = {
        {"C:\\A\\B.BMP", "C:\\A\\"},
        {"C:\\A\\", "C:\\A\\"},
        {"/home/u/x", "/home/u/"},
        {"B.BMP", ""},  // no folder at all
        {"\\", "\\"},
        {"", ""},
    };
    for (const auto& c : cas) EXPECT_EQ(ExtraitNomChemin(c.entree), c.attendu) << c.entree;
}

TEST(FichierNom, DrivesAndWindowsFolder) {
    EXPECT_EQ(VBAPIGetDriveType(2), TypeLecteur::Fixe);
    for (const std::int32_t n : {0, 1, 3, 25, -1, 26, 1000}) {
        EXPECT_EQ(VBAPIGetDriveType(n), TypeLecteur::Indetermine) << n;
    }
    EXPECT_EQ(GetWindowsDirectory(), "");
}

struct CasAbsolu {
    std::string nom, base, attendu;
};

TEST(FichierNom, AbsoluteNamesAgainstTheSceneFolder) {
    const CasAbsolu cas[] = {
        {"", "C:\\SCENES\\", ""},
        {"image.bmp", "C:\\SCENES\\PAGE1\\", "C:\\SCENES\\PAGE1\\IMAGE.BMP"},
        {"image.bmp", "c:\\scenes\\page1", "C:\\SCENES\\PAGE1\\IMAGE.BMP"},
        {"..\\IMAGES\\X.BMP", "C:\\SCENES\\PAGE1\\", "C:\\SCENES\\IMAGES\\X.BMP"},
        {"..\\..\\..\\X.BMP", "C:\\SCENES\\PAGE1\\", "C:\\X.BMP"},
        {"D:\\AUTRE\\X.BMP", "C:\\SCENES\\", "D:\\AUTRE\\X.BMP"},
        {"d:\\a\\..\\x.bmp", "C:\\SCENES\\", "D:\\X.BMP"},
        {"C:\\A\\B\\..", "", "C:\\A\\"},
        {"\\A\\.\\B\\X", "C:\\S\\", "\\A\\B\\X"},
        {"C:\\A\\...\\X", "", "C:\\A\\...\\X"},  // only ".." goes up
        {"C:\\A\\..X", "", "C:\\A\\..X"},
        {"\xE9t\xE9.bmp", "c:\\sc\xE8nes\\", "C:\\SC\xC8NES\\\xC9T\xC9.BMP"},
        // Linux folders
        {"x.bmp", "/home/u/scenes", "/HOME/U/SCENES/X.BMP"},
        {"..\\x.bmp", "/home/u/scenes/", "/HOME/U/X.BMP"},
        {"/data/x.bmp", "/home/u/scenes/", "/DATA/X.BMP"},
        // an empty base leaves the name relative to the current folder
        {"x.bmp", "", "X.BMP"},
        {"..\\x.bmp", "", "..\\X.BMP"},
        {"a\\..\\..\\x", "", "..\\X"},
    };
    for (const auto& c : cas) EXPECT_EQ(NomFichierAbsolu(c.nom, c.base), c.attendu) << c.nom << " | " << c.base;
}

TEST(FichierNom, DriveMarkersCountOnlyAsTheFirstComponent) {
    const CasAbsolu cas[] = {
        {"+1\\X.BMP", "C:\\SCENES\\", "D:\\SCENES\\+1\\X.BMP"},
        {"-1\\X.BMP", "C:\\SCENES\\", "B:\\SCENES\\-1\\X.BMP"},
        {"+30\\X.BMP", "C:\\SCENES\\", "Z:\\SCENES\\+30\\X.BMP"},
        {"-9\\X.BMP", "C:\\S\\", "A:\\S\\-9\\X.BMP"},
        {"+99999999999\\X", "C:\\S\\", "Z:\\S\\+99999999999\\X"},
        {"+0\\X.BMP", "C:\\SCENES\\", "C:\\SCENES\\"},  // no file of its own
        {"+0", "", ""},
        {"+1\\X.BMP", "/home/u/", "/HOME/U/+1\\X.BMP"},  // no drive letter to move
        // signs and digits elsewhere are plain text
        {"A+1B.BMP", "C:\\SCENES\\", "C:\\SCENES\\A+1B.BMP"},
        {"PHOTO+0.BMP", "C:\\S\\", "C:\\S\\PHOTO+0.BMP"},
        {"IMG\\+1\\X.BMP", "C:\\S\\", "C:\\S\\IMG\\+1\\X.BMP"},
        {"+1A\\X.BMP", "C:\\S\\", "C:\\S\\+1A\\X.BMP"},
        {"E:\\+1\\X.BMP", "C:\\S\\", "E:\\+1\\X.BMP"},
    };
    for (const auto& c : cas) EXPECT_EQ(NomFichierAbsolu(c.nom, c.base), c.attendu) << c.nom << " | " << c.base;
}

// Every short name over the characters that matter to the clean-up ends, and
// a second pass changes nothing.
TEST(FichierNom, AbsoluteNameCleanUpEndsForAnyInput) {
    const std::string alphabet = "\\/.A:+1";
    std::vector<std::string> noms = {"\\..", "..", "\\..\\", "\\..\\..", "...", "\\...\\..", ":..", "\\\\..\\\\..",
                                     "..\\..\\..\\..\\.."};
    std::vector<std::string> courants = {""};
    for (int longueur = 1; longueur <= 4; ++longueur) {
        std::vector<std::string> suivants;
        for (const auto& n : courants) {
            for (const char c : alphabet) suivants.push_back(n + c);
        }
        noms.insert(noms.end(), suivants.begin(), suivants.end());
        courants = std::move(suivants);
    }
    for (const std::string base : {"", "\\", "C:", "C:\\A\\", "/x/y"}) {
        for (const auto& nom : noms) {
            const std::string r = NomFichierAbsolu(nom, base);
            // at most a separator after the base and one closing a folder
            EXPECT_LE(r.size(), nom.size() + base.size() + 2) << nom << " | " << base;
            EXPECT_EQ(NomFichierAbsolu(r, base), r) << nom << " | " << base;
        }
    }
}

TEST(FichierNom, NumberedSeriesArithmetic) {
    const std::pair<std::string, std::int32_t> debuts[] = {
        {"ABC1234", 4}, {"IMG007", 3}, {"A5", 1}, {"ABC", 3}, {"12", 0}, {"", 0}, {"C:\\D1\\23", 6},
    };
    for (const auto& [nom, n] : debuts) EXPECT_EQ(FichierNCarDebutNumero(nom), n) << nom;

    struct Cas {
        std::string nom;
        bool numerote;
        std::int32_t numero;
    };
    const Cas numeros[] = {
        {"IMG007.BMP", true, 7},   {"IMG.BMP", false, 0},       {"IMG7", true, 7},
        {"ABC1234.BMP", true, 234}, {"C:\\DIR2\\IMG.BMP", false, 0}, {"C:\\V1.2\\IMG5", true, 5},
        {"", false, 0},
    };
    for (const auto& c : numeros) {
        EXPECT_EQ(FichierSeTermineParNumero(c.nom), c.numerote) << c.nom;
        EXPECT_EQ(FichierNumero(c.nom), c.numero) << c.nom;
    }

    struct CasNom {
        std::string nom;
        std::int32_t numero;
        std::string attendu;
    };
    const CasNom renommes[] = {
        {"IMG007.BMP", 8, "IMG008.BMP"},
        {"img009.bmp", 10, "img010.bmp"},
        {"IMG9.BMP", 10, "IMG10.BMP"},
        {"IMG99.BMP", 100, "IMG100.BMP"},
        {"IMG1234.BMP", 5, "IMG1005.BMP"},  // only three digits belong to the number
        {"IMG5.TAR.GZ", 6, "IMG6.TAR.GZ"},
        {"C:\\V1.2\\IMG5", 6, "C:\\V1.2\\IMG6"},
        {"IMG007", 8, "IMG008"},
        {"IMG.BMP", 5, "IMG.BMP"},
        {"IMG01.BMP", -1, "IMG-01.BMP"},
    };
    for (const auto& c : renommes) EXPECT_EQ(FichierNumeroNom(c.nom, c.numero), c.attendu) << c.nom;

    const Cas1 suivants[] = {
        {"IMG007.BMP", "IMG008.BMP"}, {"IMG999.BMP", "IMG1000.BMP"}, {"IMG.BMP", "IMG.BMP"}};
    for (const auto& c : suivants) EXPECT_EQ(NomFichierSuivant(c.entree), c.attendu) << c.entree;
}

// A scratch folder tree, removed afterwards.
class FichierNomDisque : public ::testing::Test {
protected:
    void SetUp() override {
        std::string modele = (fs::temp_directory_path() / "korv-noms-XXXXXX").string();
        ASSERT_NE(mkdtemp(modele.data()), nullptr);
        racine_ = modele;
        fs::create_directories(racine_ / "Scenes" / "Page1");
        for (const char* f : {"Scenes/x.sce", "img002.bmp", "img003.bmp", "img004.bmp", "z000.bmp", "z001.bmp",
                              "nom.bmp", "Scenes/Page1/p7.bmp"}) {
            std::ofstream(racine_ / f) << "x";
        }
        r_ = MajusculeCp1252(racine_.string());
        for (char& c : r_) {
            if (c == '/') c = '\\';
        }
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(racine_, ec);
    }
    fs::path racine_;
    std::string r_;  // the root as a scene writes it: "\TMP\KORV-NOMS-..."
};

TEST_F(FichierNomDisque, FoldersAndDrives) {
    struct Cas {
        std::string chemin;
        bool existe;
    };
    const Cas cas[] = {
        {"C", true}, {"C:", true}, {"c:\\", true}, {"D", false}, {"D:", false}, {"", false},
        {"/", true}, {"\\", true}, {r_, true}, {r_ + "\\scenes\\", true}, {racine_.string() + "/Scenes", true},
        {r_ + "\\SCENES\\X.SCE", false}, {r_ + "\\MANQUE", false},
    };
    for (const auto& c : cas) EXPECT_EQ(RepertoireExiste(c.chemin), c.existe) << c.chemin;
    EXPECT_TRUE(FileExist(r_ + "\\SCENES\\X.SCE"));
    EXPECT_FALSE(FileExist(r_ + "\\SCENES"));
    EXPECT_FALSE(FileExist(r_ + "\\SCENES\\Y.SCE"));
}

TEST_F(FichierNomDisque, FolderOfAPath) {
    const std::string linux = MajusculeCp1252(racine_.string());
    const Cas1 cas[] = {
        {r_ + "\\SCENES\\X.SCE", r_ + "\\SCENES\\"},
        {r_ + "\\scenes\\nouveau.sce", r_ + "\\SCENES\\"},
        {r_ + "\\SCENES", r_ + "\\SCENES\\"},
        {r_ + "\\SCENES\\", r_ + "\\SCENES\\"},
        {r_ + "\\MANQUE\\X.SCE", ""},
        {racine_.string() + "/Scenes/x.sce", linux + "/SCENES/"},
        {"C:\\X.SCE", "C:\\"},
        {"c", "C:\\"},
        {"X.SCE", ""},
        {"/x.sce", "/"},
        {"", ""},
    };
    for (const auto& c : cas) EXPECT_EQ(FichierNomChemin(c.entree), c.attendu) << c.entree;
}

TEST_F(FichierNomDisque, NameWithoutItsFolder) {
    const Cas1 cas[] = {
        {r_ + "\\SCENES\\X.SCE", "X.SCE"},
        {r_ + "\\Scenes\\y.sce", "y.sce"},      // missing file in an existing folder
        {r_ + "\\MANQUE\\Y.BMP", "Y.BMP"},      // missing folder: still the bare name
        {r_ + "\\SCENES", ""},                  // a folder has no file name
        {"C:Y.BMP", "Y.BMP"},
        {"y.bmp", "y.bmp"},
    };
    for (const auto& c : cas) EXPECT_EQ(NomFichierSeul(c.entree), c.attendu) << c.entree;
}

TEST_F(FichierNomDisque, FirstNameOfASeries) {
    const Cas1 cas[] = {
        {r_ + "\\IMG004.BMP", r_ + "\\IMG002.BMP"},
        {r_ + "\\IMG002.BMP", r_ + "\\IMG002.BMP"},
        {r_ + "\\IMG009.BMP", ""},
        {r_ + "\\Z001.BMP", r_ + "\\Z000.BMP"},  // never below 0
        {r_ + "\\NOM.BMP", r_ + "\\NOM.BMP"},    // a name without a number is its own series
        {r_ + "\\AUTRE.BMP", ""},
    };
    for (const auto& c : cas) EXPECT_EQ(NomFichierPremier(c.entree), c.attendu) << c.entree;
}

TEST_F(FichierNomDisque, TemporaryNamesAreFreeAndLeftUnused) {
    const std::regex forme(R"(.*/KOR[0-9A-F]{4}\.TMP)");
    const std::string nom = RenvoiNomFichierTemporaire("KORVELIS", racine_.string());
    ASSERT_TRUE(std::regex_match(nom, forme)) << nom;
    EXPECT_EQ(nom.substr(0, racine_.string().size() + 1), racine_.string() + "/");
    EXPECT_FALSE(fs::exists(nom));

    const fs::path avant = fs::current_path();
    fs::current_path(racine_);
    const std::string local = RenvoiNomFichierTemporaire("KOR");
    fs::current_path(avant);
    EXPECT_TRUE(std::regex_match(local, std::regex(R"(\.\\KOR[0-9A-F]{4}\.TMP)"))) << local;

    EXPECT_EQ(RenvoiNomFichierTemporaire("K\\R", racine_.string()), "");
    EXPECT_EQ(RenvoiNomFichierTemporaire("KOR", r_ + "\\MANQUE"), "");
}

}  // namespace
}  // namespace korv::engine
