// Outside programs through a scripted launcher, the free-index search, the
// loaded-window test and the font lists.

#include "engine/processus.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "engine/polices.h"
#include "platform/font_catalogue.h"
#include "platform/process_launcher.h"

namespace korv::engine {
namespace {

namespace fs = std::filesystem;
using Arguments = std::vector<std::string>;

TEST(Processus, SplitCommand) {
    const std::pair<std::string, Arguments> cas[] = {
        {"gedit", {"gedit"}},
        {"  env  A=1\tgedit --new-window ", {"env", "A=1", "gedit", "--new-window"}},
        {"\"/opt/mon outil/run\" -x", {"/opt/mon outil/run", "-x"}},
        {"C:\\OUTILS\\VOIR.EXE a\"b c\"d", {"C:\\OUTILS\\VOIR.EXE", "ab cd"}},
        {"\"\"", {""}},
        {"", {}},
    };
    for (const auto& [ligne, attendu] : cas) EXPECT_EQ(DecoupeCommande(ligne), attendu) << ligne;
}

class ProcessusTest : public ::testing::Test {
protected:
    void SetUp() override {
        dossier_ = fs::temp_directory_path() / ("processus_" + std::to_string(::getpid()));
        fs::create_directories(dossier_ / "mes docs");
        std::ofstream(dossier_ / "mes docs" / "note.txt") << "x";
        std::ofstream(dossier_ / "voir outil") << "#!/bin/sh\n";
        document_ = (dossier_ / "mes docs" / "note.txt").string();
    }
    void TearDown() override { fs::remove_all(dossier_); }

    fs::path dossier_;
    std::string document_;
    platform::LanceurProcessusFactice lanceur_;
};

TEST_F(ProcessusTest, LaunchCommands) {
    const std::string outil = (dossier_ / "voir outil").string();
    // The document as a scene would name it: upper case, "\" separators.
    std::string documentScene = "C:" + document_;
    for (char& c : documentScene) c = c == '/' ? '\\' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    struct Cas {
        const char* nom;
        std::string programme;
        std::string fichier;
        std::string associe;
        std::optional<Arguments> attendu;  // nothing: no start, result 0
    };
    const Cas cas[] = {
        {"program and file", "gedit --new-window", document_, "", Arguments{"gedit", "--new-window", document_}},
        {"quoted file, resolved", "gedit", "\"" + documentScene + "\"", "", Arguments{"gedit", document_}},
        {"file not found passed as written", "gedit", "C:\\ABSENT\\X.TXT", "", Arguments{"gedit", "C:\\ABSENT\\X.TXT"}},
        {"program path with a blank", outil, "", "", Arguments{outil}},
        {"associated program", "", document_, "xdg-viewer --flag", Arguments{"xdg-viewer", "--flag", document_}},
        {"no associated program", "", document_, "", std::nullopt},
        {"missing file has no association", "", "C:\\ABSENT\\X.TXT", "xdg-viewer", std::nullopt},
        {"nothing to start", "", "", "xdg-viewer", std::nullopt},
        {"blank program", "   ", "", "", std::nullopt},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        lanceur_.lances.clear();
        lanceur_.associe = c.associe;
        const std::int32_t pid = ProcessusLance(lanceur_, c.programme, c.fichier);
        if (c.attendu) {
            EXPECT_GT(pid, 0);
            ASSERT_EQ(lanceur_.lances.size(), 1u);
            EXPECT_EQ(lanceur_.lances[0], *c.attendu);
        } else {
            EXPECT_EQ(pid, 0);
            EXPECT_TRUE(lanceur_.lances.empty());
        }
    }
    lanceur_.accepte = false;
    EXPECT_EQ(ProcessusLance(lanceur_, "gedit", ""), 0);
}

TEST_F(ProcessusTest, AssociatedProgramOfExistingFileOnly) {
    lanceur_.associe = "xdg-viewer %";
    EXPECT_EQ(ProcessusAssocieAuFichier32(lanceur_, document_), "xdg-viewer %");
    EXPECT_EQ(ProcessusAssocieAuFichier32(lanceur_, "C:\\ABSENT\\X.TXT"), "");
    EXPECT_EQ(ProcessusAssocieAuFichier32(lanceur_, ""), "");
}

TEST_F(ProcessusTest, WaitPumpsEventsUntilTheProcessEnds) {
    const std::int32_t pid = ProcessusLance(lanceur_, "gedit", "");
    lanceur_.resteActif = 3;
    int pompes = 0;
    ProcessusAttendFin(lanceur_, pid, [&] { ++pompes; });
    EXPECT_EQ(pompes, 3);
    EXPECT_FALSE(ProcessusIsRunning(lanceur_, pid));

    // Unknown and invalid ids are not running and are not waited for.
    const int questions = lanceur_.questions;
    ProcessusAttendFin(lanceur_, 0, [&] { ++pompes; });
    ProcessusAttendFin(lanceur_, -5, [&] { ++pompes; });
    EXPECT_EQ(pompes, 3);
    EXPECT_EQ(lanceur_.questions, questions);
    EXPECT_FALSE(ProcessusIsRunning(lanceur_, 4242));
}

TEST(Fenetres, FirstFreeImageIndex) {
    const std::pair<std::set<int>, std::int16_t> cas[] = {
        {{0, 1, 3}, 2}, {{0, 1, 2}, 3}, {{}, 0}, {{1, 2}, 0}, {{-1, 0, 1}, 2},
    };
    for (const auto& [utilises, attendu] : cas) EXPECT_EQ(PremiereImageLibre(utilises), attendu);
    std::set<int> pleins;
    for (int i = 0; i <= 32767; ++i) pleins.insert(i);
    EXPECT_EQ(PremiereImageLibre(pleins), -1);
    pleins.erase(32767);
    EXPECT_EQ(PremiereImageLibre(pleins), 32767);
}

TEST(Fenetres, LoadedWindowByIdentity) {
    struct Fenetre {
        int n = 0;
    };
    Fenetre a, b, copieDeA = a;
    const std::vector<Fenetre*> chargees{&a, &b};
    EXPECT_TRUE(FenetreEstChargee<Fenetre>(chargees, &b));
    EXPECT_FALSE(FenetreEstChargee<Fenetre>(chargees, &copieDeA));
    EXPECT_FALSE(FenetreEstChargee<Fenetre>(chargees, nullptr));
}

TEST(Polices, ListsFilledOnce) {
    platform::CataloguePolicesFactice catalogue;
    catalogue.familles = {{"Liberation Serif", false}, {"Fixed", true}, {"DejaVu Sans", false}};
    ListesPolicesRtf listes;
    PolicesListesRemplir(listes, catalogue);
    const std::vector<std::string> noms{"Liberation Serif", "DejaVu Sans"};
    const std::vector<std::string> tailles{"8", "9", "10", "11", "12", "14", "16", "18", "20", "24", "48"};
    for (std::size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(listes.polices[k], noms);
        EXPECT_EQ(listes.tailles[k], tailles);
    }
    catalogue.familles = {{"Autre", false}};
    PolicesListesRemplir(listes, catalogue);
    EXPECT_EQ(listes.polices[0], noms);
    EXPECT_EQ(listes.polices[1], noms);
}

TEST(Polices, DefaultFontName) {
    platform::CataloguePolicesFactice catalogue;
    EXPECT_EQ(PoliceDefautNom(catalogue), "");
    catalogue.familles = {{"DejaVu Sans", false}, {"Times New Roman", false}};
    EXPECT_EQ(PoliceDefautNom(catalogue), "TIMES NEW ROMAN");
    catalogue.familles = {{"DejaVu Sans", false}, {"Liberation Serif", false}};
    EXPECT_EQ(PoliceDefautNom(catalogue), "DEJAVU SANS");
}

}  // namespace
}  // namespace korv::engine
