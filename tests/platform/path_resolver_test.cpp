#include "platform/path_resolver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <fstream>
#include <string>

namespace korv::platform {
namespace {

namespace fs = std::filesystem;

// A fresh folder tree with mixed-case names, removed afterwards.
class ResolveurTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string modele = (fs::temp_directory_path() / "korv-chemins-XXXXXX").string();
        ASSERT_NE(mkdtemp(modele.data()), nullptr);
        racine_ = modele;
        fs::create_directories(racine_ / "Scenes" / "Images");
        Cree(racine_ / "Scenes" / "Images" / "Photo01.bmp");
        Cree(racine_ / "Scenes" / "readme.TXT");
        fs::create_directories(racine_ / "\xC3\x89t\xC3\xA9");            // "Été" in UTF-8
        Cree(racine_ / "\xC3\x89t\xC3\xA9" / "Caf\xC3\xA9.txt");          // "Café.txt"
        Cree(racine_ / "\xE9t\xE9.bmp");                                  // "été.bmp" copied raw, cp1252
        fs::create_directories(racine_ / "Double");
        Cree(racine_ / "Double" / "DATA");
        Cree(racine_ / "Double" / "data");
        fs::create_directories(racine_ / "Mix" / "item");
        Cree(racine_ / "Mix" / "ITEM");
        Cree(racine_ / "Mix" / "item" / "x");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(racine_, ec);
    }
    static void Cree(const fs::path& p) { std::ofstream(p) << "x"; }

    // The tree's root the way a scene writes it: upper case, "\" separators.
    std::string RacineWindows() const {
        std::string r = racine_.string();
        for (char& c : r) {
            if (c == '/') c = '\\';
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        }
        return r;
    }

    fs::path racine_;
};

TEST_F(ResolveurTest, MatchesEachComponentIgnoringCase) {
    const std::string r = RacineWindows();
    struct Cas {
        std::string nom;
        fs::path attendu;
    };
    const Cas cas[] = {
        {"C:" + r + "\\SCENES\\IMAGES\\PHOTO01.BMP", racine_ / "Scenes/Images/Photo01.bmp"},
        {"c:" + r + "\\scenes\\images\\photo01.bmp", racine_ / "Scenes/Images/Photo01.bmp"},
        {racine_.string() + "/SCENES/README.TXT", racine_ / "Scenes/readme.TXT"},
        {r + "\\\\SCENES\\\\README.TXT", racine_ / "Scenes/readme.TXT"},  // doubled separators
        {r + "\\SCENES\\", racine_ / "Scenes"},
        // cp1252 accented letters against UTF-8 names on disk
        {r + "\\\xC9T\xC9\\CAF\xC9.TXT", racine_ / "\xC3\x89t\xC3\xA9/Caf\xC3\xA9.txt"},
        // and against a name stored in cp1252 bytes on disk
        {r + "\\\xC9T\xC9.BMP", racine_ / "\xE9t\xE9.bmp"},
        // an exact spelling wins; otherwise the same spelling every time
        {r + "\\DOUBLE\\data", racine_ / "Double/data"},
        {r + "\\DOUBLE\\DATA", racine_ / "Double/DATA"},
        {r + "\\DOUBLE\\Data", racine_ / "Double/DATA"},
        // a component that leads further must be a folder
        {r + "\\MIX\\ITEM\\X", racine_ / "Mix/item/x"},
        {r + "\\MIX\\ITEM", racine_ / "Mix/ITEM"},
        // a missing last component keeps its spelling, for files to create
        {r + "\\SCENES\\Nouveau.TXT", racine_ / "Scenes/Nouveau.TXT"},
        {r + "\\SCENES\\NOUVEAU\xC9.TXT", racine_ / "Scenes/NOUVEAU\xC3\x89.TXT"},
        {"C:\\", fs::path("/")},
        {"c:", fs::path("/")},
        {"\\", fs::path("/")},
    };
    for (const auto& c : cas) {
        const auto chemin = ResoudreChemin(c.nom);
        ASSERT_TRUE(chemin.has_value()) << c.nom;
        EXPECT_EQ(*chemin, c.attendu) << c.nom;
    }
}

TEST_F(ResolveurTest, DotsGoThroughTheFileSystem) {
    const std::string r = RacineWindows();
    struct Cas {
        std::string nom;
        fs::path attendu;
    };
    const Cas cas[] = {
        {r + "\\SCENES\\IMAGES\\..\\README.TXT", racine_ / "Scenes/readme.TXT"},
        {r + "\\SCENES\\.\\IMAGES\\.\\PHOTO01.BMP", racine_ / "Scenes/Images/Photo01.bmp"},
        {"C:\\..\\..\\" + r.substr(1) + "\\SCENES", racine_ / "Scenes"},  // ".." at the root stays there
    };
    for (const auto& c : cas) {
        const auto chemin = ResoudreChemin(c.nom);
        ASSERT_TRUE(chemin.has_value()) << c.nom;
        EXPECT_TRUE(fs::equivalent(*chemin, c.attendu)) << c.nom << " -> " << *chemin;
    }
}

TEST_F(ResolveurTest, UnresolvableNamesGiveNothing) {
    const std::string r = RacineWindows();
    const std::string noms[] = {
        "",
        std::string("C:\\A\0B", 6),
        r + "\\MANQUE\\X.BMP",                   // missing folder on the way
        r + "\\SCENES\\README.TXT\\X",           // a file used as a folder
        r + "\\SCENES\\README.TXT\\..\\X",
        "D:\\",                                 // Linux has only drive C:
        "D:" + r + "\\SCENES\\README.TXT",
    };
    for (const auto& nom : noms) EXPECT_FALSE(ResoudreChemin(nom).has_value()) << nom;
}

TEST_F(ResolveurTest, RelativeNamesStartAtTheCurrentFolder) {
    const fs::path avant = fs::current_path();
    fs::current_path(racine_);
    const auto fichier = ResoudreChemin("SCENES\\README.TXT");
    const auto courant = ResoudreChemin(".");
    fs::current_path(avant);
    ASSERT_TRUE(fichier.has_value());
    EXPECT_EQ(*fichier, fs::path("Scenes/readme.TXT"));
    ASSERT_TRUE(courant.has_value());
    EXPECT_EQ(*courant, fs::path("."));
}

TEST_F(ResolveurTest, ExistenceTellsFilesFromFolders) {
    const std::string r = RacineWindows();
    EXPECT_TRUE(FichierExiste(r + "\\SCENES\\IMAGES\\PHOTO01.BMP"));
    EXPECT_FALSE(FichierExiste(r + "\\SCENES\\IMAGES"));
    EXPECT_FALSE(FichierExiste(r + "\\SCENES\\NOUVEAU.TXT"));
    EXPECT_FALSE(FichierExiste(""));
    EXPECT_TRUE(RepertoireExiste(r + "\\SCENES\\IMAGES\\"));
    EXPECT_TRUE(RepertoireExiste("C:\\"));
    EXPECT_FALSE(RepertoireExiste(r + "\\SCENES\\README.TXT"));
    EXPECT_FALSE(RepertoireExiste(r + "\\SCENES\\NOUVEAU"));
    EXPECT_FALSE(RepertoireExiste("D:\\"));
}

// Ages the given folders, so that a resolution through them may be kept.
void Vieillit(std::initializer_list<fs::path> dossiers) {
    const auto avant = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const auto& d : dossiers) fs::last_write_time(d, avant);
}

TEST_F(ResolveurTest, KeptResolutionFollowsEveryChangeOfItsFolders) {
    const fs::path images = racine_ / "Scenes" / "Images";
    struct Cas {
        const char* quoi;
        std::function<void()> change;
        fs::path attendu;  // relative to the root
    };
    const Cas cas[] = {
        {"file renamed to the exact spelling",
         [&] { fs::rename(images / "Photo01.bmp", images / "PHOTO01.BMP"); }, "Scenes/Images/PHOTO01.BMP"},
        {"file removed", [&] { fs::remove(images / "PHOTO01.BMP"); }, "Scenes/Images/PHOTO01.BMP"},
        {"file made again in other case", [&] { Cree(images / "photo01.Bmp"); }, "Scenes/Images/photo01.Bmp"},
        {"folder renamed", [&] { fs::rename(racine_ / "Scenes" / "Images", racine_ / "Scenes" / "iMAGES"); },
         "Scenes/iMAGES/photo01.Bmp"},
    };
    const fs::path avant = fs::current_path();
    fs::current_path(racine_);
    ResolveurChemins resolveur;
    for (const auto& c : cas) {
        Vieillit({racine_, racine_ / "Scenes", fs::exists(images) ? images : racine_ / "Scenes" / "iMAGES"});
        const std::size_t resolutions = resolveur.NombreResolutions();
        const auto premier = resolveur.Resoudre("SCENES\\IMAGES\\PHOTO01.BMP");
        const auto garde = resolveur.Resoudre("SCENES\\IMAGES\\PHOTO01.BMP");
        EXPECT_EQ(resolveur.NombreResolutions(), resolutions + 1) << c.quoi << ": the second is served as kept";
        EXPECT_EQ(premier, garde) << c.quoi;
        c.change();
        const auto apres = resolveur.Resoudre("SCENES\\IMAGES\\PHOTO01.BMP");
        ASSERT_TRUE(apres.has_value()) << c.quoi;
        EXPECT_EQ(*apres, c.attendu) << c.quoi;
        EXPECT_EQ(*apres, ResoudreChemin("SCENES\\IMAGES\\PHOTO01.BMP")) << c.quoi;
        EXPECT_EQ(resolveur.FichierExiste("SCENES\\IMAGES\\PHOTO01.BMP"), FichierExiste("SCENES\\IMAGES\\PHOTO01.BMP"))
            << c.quoi;
    }
    fs::current_path(avant);
}

TEST_F(ResolveurTest, RecentlyChangedFoldersAreReadAgain) {
    const fs::path avant = fs::current_path();
    fs::current_path(racine_);
    ResolveurChemins resolveur;
    // Just made: a change within the clock's step could leave the same time.
    EXPECT_EQ(resolveur.Resoudre("SCENES\\README.TXT"), fs::path("Scenes/readme.TXT"));
    EXPECT_EQ(resolveur.Resoudre("SCENES\\README.TXT"), fs::path("Scenes/readme.TXT"));
    EXPECT_EQ(resolveur.NombreResolutions(), 2u);
    // Another current folder is another tree.
    Vieillit({racine_, racine_ / "Scenes"});
    EXPECT_EQ(resolveur.Resoudre("SCENES\\README.TXT"), fs::path("Scenes/readme.TXT"));
    fs::current_path(racine_ / "Scenes");
    EXPECT_EQ(resolveur.Resoudre("SCENES\\README.TXT"), std::nullopt) << "no Scenes folder under Scenes";
    fs::current_path(avant);
}

TEST_F(ResolveurTest, AShowingReadsEachFileOnceAndTheNextOneSeesChanges) {
    const std::string r = RacineWindows();
    const std::string photo = r + "\\SCENES\\IMAGES\\PHOTO01.BMP";
    const std::string lisez = r + "\\SCENES\\README.TXT";
    ResolveurChemins resolveur;

    resolveur.OuvrirPassage();
    ASSERT_TRUE(resolveur.FichierExiste(photo));
    const std::size_t premiere = resolveur.NombreLecturesEtat();
    EXPECT_TRUE(resolveur.FichierExiste(photo));
    EXPECT_TRUE(resolveur.FichierExiste(photo));
    EXPECT_EQ(resolveur.NombreLecturesEtat(), premiere) << "folders and file read once in the showing";
    EXPECT_TRUE(resolveur.FichierExiste(lisez));
    EXPECT_EQ(resolveur.NombreLecturesEtat(), premiere + 1) << "only the other file is new";
    resolveur.OuvrirPassage();  // nested: the outer showing's states stay
    EXPECT_TRUE(resolveur.FichierExiste(photo));
    resolveur.FermerPassage();
    EXPECT_EQ(resolveur.NombreLecturesEtat(), premiere + 1);
    resolveur.FermerPassage();

    // Changes between showings are seen by the next one.
    fs::remove(racine_ / "Scenes" / "Images" / "Photo01.bmp");
    fs::remove(racine_ / "Scenes" / "readme.TXT");
    fs::create_directory(racine_ / "Scenes" / "README.TXT");
    resolveur.OuvrirPassage();
    EXPECT_FALSE(resolveur.FichierExiste(photo));
    EXPECT_FALSE(resolveur.FichierExiste(lisez)) << "a folder now";
    resolveur.FermerPassage();
    Cree(racine_ / "Scenes" / "Images" / "PHOTO01.bmp");
    resolveur.OuvrirPassage();
    EXPECT_TRUE(resolveur.FichierExiste(photo));
    resolveur.FermerPassage();

    // Outside any showing every question reads the file system.
    const std::size_t avant = resolveur.NombreLecturesEtat();
    EXPECT_TRUE(resolveur.FichierExiste(photo));
    EXPECT_TRUE(resolveur.FichierExiste(photo));
    EXPECT_GE(resolveur.NombreLecturesEtat(), avant + 2);
    fs::remove(racine_ / "Scenes" / "Images" / "PHOTO01.bmp");
    EXPECT_FALSE(resolveur.FichierExiste(photo));
}

}  // namespace
}  // namespace korv::platform
