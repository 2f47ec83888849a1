// The method's files and what is made of them: paths beside the scene
// folder, files found whatever their case and separators, a learn-more text
// cut into its menu and its sections, the chapter number text.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/texte_casse.h"
#include "plan/methode/textes_methode.h"
#include "rtf/document.h"
#include "rtf/lecteur.h"

namespace korv::plan {
namespace {

namespace fs = std::filesystem;

TEST(TextesMethode, PathsBesideTheSceneFolder) {
    struct Cas {
        const char* code;
        const char* genre;
        const char* chemin;
    };
    const Cas cas[] = {
        {"423", "MET", "C:\\P\\SCENE\\..\\TEXTES\\V21\\MET423.RTF"},
        {"0", "EXP", "C:\\P\\SCENE\\..\\TEXTES\\V21\\EXP0.RTF"},
        {"35", "SAV", "C:\\P\\SCENE\\..\\TEXTES\\V21\\SAV35.RTF"},
        {"PLAN", "AIDE", "C:\\P\\SCENE\\..\\TEXTES\\aide\\PLAN.RTF"},
    };
    for (const Cas& c : cas) EXPECT_EQ(EtapeFichierTexteChemin("C:\\P\\SCENE\\", c.code, c.genre), c.chemin) << c.code;
}

TEST(TextesMethode, PicturesAreUpperCaseAndStepOutOfAFolderNamedScene) {
    struct Cas {
        const char* dossier;
        std::string_view image;
        const char* chemin;
    };
    const Cas cas[] = {
        {"c:\\plan\\scene\\", kImageVu, "C:\\PLAN\\IMAGES\\TABLEAU\\VU.BMP"},
        {"C:\\PLAN\\SCENE\\", kImagePasVuSousEtape, "C:\\PLAN\\IMAGES\\TABLEAU\\PASVU01.BMP"},
        // Only a folder named SCENE exactly is stepped out of.
        {"C:\\PLAN\\SCENES\\", kImagePasVu, "C:\\PLAN\\SCENES\\..\\IMAGES\\TABLEAU\\PASVU.BMP"},
        {"C:\\A\\SCENE\\B\\", kImageVuSousEtape, "C:\\A\\SCENE\\B\\..\\IMAGES\\TABLEAU\\VU01.BMP"},
    };
    for (const Cas& c : cas) EXPECT_EQ(ImageMethodeChemin(c.dossier, c.image), c.chemin) << c.dossier;
}

class DossierTemporaire : public ::testing::Test {
protected:
    DossierTemporaire() {
        std::string modele = (fs::temp_directory_path() / "korv-textes-XXXXXX").string();
        if (!mkdtemp(modele.data())) throw std::runtime_error("mkdtemp");
        racine_ = modele;
    }
    ~DossierTemporaire() override {
        std::error_code ec;
        fs::remove_all(racine_, ec);
    }
    void Ecrire(const fs::path& relatif, const std::string& octets) {
        fs::create_directories((racine_ / relatif).parent_path());
        std::ofstream(racine_ / relatif, std::ios::binary) << octets;
    }
    // The folder as a scene names it: drive, upper case, "\".
    std::string NomWindows() const {
        std::string nom = "C:" + engine::MajusculeCp1252(racine_.string());
        for (char& c : nom) c = c == '/' ? '\\' : c;
        return nom + "\\";
    }
    fs::path racine_;
};

using FichiersMethode = DossierTemporaire;

// Scenes name the texts in upper case with "\" and "..": the files are
// found on Linux whatever case they were written in; a missing one is "".
TEST_F(FichiersMethode, TextsAreFoundWhateverTheirCaseAndAMissingOneIsEmpty) {
    Ecrire("textes/v21/Met423.rtf", "{\\rtf1 M}");
    Ecrire("textes/Aide/plan.RTF", "{\\rtf1 A}");
    fs::create_directories(racine_ / "scene");
    const std::string scene = NomWindows() + "SCENE\\";
    EXPECT_EQ(FichierMethodeLire(EtapeFichierTexteChemin(scene, "423", "MET")), "{\\rtf1 M}");
    EXPECT_EQ(FichierMethodeLire(EtapeFichierTexteChemin(scene, "PLAN", "AIDE")), "{\\rtf1 A}");
    EXPECT_EQ(FichierMethodeLire(EtapeFichierTexteChemin(scene, "42", "MET")), "");
    EXPECT_EQ(FichierMethodeLire(EtapeFichierTexteChemin(NomWindows() + "ABSENT\\", "423", "MET")), "");
    EXPECT_EQ(FichierMethodeLire(""), "");
}

TEST_F(FichiersMethode, TheBulletFileOfTheProgramsFolder) {
    EXPECT_EQ(FichierMethodeLire(BouleFichierChemin(racine_.string())), "") << "no bullet file: no bullet";
    Ecrire("boulertf.txt", "{\\b o}");
    EXPECT_EQ(FichierMethodeLire(BouleFichierChemin(racine_.string())), "{\\b o}");
}

std::string Brut(const std::string& rtfTexte) {
    const auto lu = rtf::LireRtf(rtfTexte);
    return lu.document ? rtf::TexteUtf8(lu.document->TexteBrut()) : std::string("<illisible>");
}

TEST(TextesMethode, ALearnMoreTextIsCutIntoItsMenuAndItsSections) {
    struct Cas {
        const char* nom;
        const char* rtf;
        const char* menu;
        const char* sections;
    };
    const Cas cas[] = {
        {"menu then two sections", "{\\rtf1 (boule) Un\\par (boule) Deux\\'a4\\par Texte un\\'a4\\par Texte deux}",
         "[o] Un\r\n[o] Deux\r\n", "\r\nTexte un\xc2\xa4\r\nTexte deux"},
        {"no marker: all menu", "{\\rtf1 Seul\\par Deux}", "Seul\r\nDeux\r\n", ""},
        {"a marker first: an empty menu line", "{\\rtf1 \\'a4Suite}", "\xc2\xa4Suite", "Suite"},
        {"empty", "{\\rtf1 }", "", ""},
    };
    for (const Cas& c : cas) {
        const auto lu = rtf::LireRtf(c.rtf);
        ASSERT_TRUE(lu.document) << c.nom;
        const MenuSavTextes t = MenuSavConstruire(*lu.document, "[o]");
        EXPECT_EQ(Brut(t.menu), c.menu) << c.nom;
        EXPECT_EQ(Brut(t.sections), c.sections) << c.nom;
        EXPECT_EQ(t.menu.find("(boule)"), std::string::npos) << c.nom;
    }
}

TEST(TextesMethode, ChapterNumberText) {
    struct Cas {
        std::vector<int> niveaux;
        const char* texte;
    };
    const Cas cas[] = {{{2, 1, 0}, "2.1."}, {{3, 0, 4}, "3."}, {{0, 1, 1}, ""}, {{4, 2, 3}, "4.2.3."}, {{}, ""}};
    for (const Cas& c : cas) EXPECT_EQ(NumeroRubriqueTexte(c.niveaux), c.texte);
}

TEST(TextesMethode, StepsWithToolTables) {
    for (const char* code : {"7", "423", "342", "5", "433", "61", "443", "11", "441"}) EXPECT_TRUE(EtapeAOutils(code));
    for (const char* code : {"12", "", "42", "71", "4"}) EXPECT_FALSE(EtapeAOutils(code)) << code;
}

}  // namespace
}  // namespace korv::plan
