// Loading a scene into the engine's tables: messages, tables kept on every
// failure, file names made absolute, window layout and progress.

#include "engine/scene_charge.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/scene_fichier.h"
#include "platform/cp1252.h"
#include "platform/message_box_fake.h"

namespace korv::engine {
namespace {

namespace fs = std::filesystem;

class SceneChargeTest : public ::testing::Test {
protected:
    void SetUp() override {
        dossier_ = fs::temp_directory_path() / ("scene_charge_" + std::to_string(::getpid()) + "_" +
                                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dossier_ / "images");
        services_.messages = &messages_;
        services_.progression = [this](int p) { pourcents_.push_back(p); };
        services_.majTailleFenetre = [this] { ++dispositions_; };
    }
    void TearDown() override { fs::remove_all(dossier_); }

    std::string Ecrit(const std::string& nom, const std::string& octets) {
        std::ofstream(dossier_ / nom, std::ios::binary) << octets;
        return (dossier_ / nom).string();
    }

    static Scene Exemple(int pages) {
        Scene s;
        s.entete.version = kVersionBloc;
        s.entete.pageNb = static_cast<std::int16_t>(pages);
        s.entete.pageLargeur = 800;
        s.entete.pageHauteur = 600;
        s.entete.octetDisposition = 1;
        s.entete.fichierPalette = "DEFAUT.PAL";
        s.entete.reserve5[8] = 7;
        for (int i = 0; i < pages; ++i) {
            auto& p = s.pages.emplace_back();
            auto& o = p.objets.emplace_back();
            o.type = 1;
            o.nom = "PAGE" + std::to_string(i + 1);
            o.fichier = "IMAGES\\FOND.BMP";
            auto& d = p.objets.emplace_back();
            d.type = 2;
            d.fichier = "IMAGES\\";  // names a folder
        }
        return s;
    }

    std::string Derniere() const {
        return messages_.messages.empty() ? std::string() : platform::Cp1252VersUtf8(messages_.messages.back().texte);
    }

    fs::path dossier_;
    platform::BoiteMessageFactice messages_;
    ServicesChargement services_;
    std::vector<int> pourcents_;
    int dispositions_ = 0;
};

TEST_F(SceneChargeTest, LoadsAndResolvesNames) {
    const std::string chemin = Ecrit("demo.sce", EcritScene(Exemple(3), FormeObjets::Bloc));
    Scene scene;
    ASSERT_TRUE(SceneCharge(scene, chemin, services_));
    EXPECT_TRUE(messages_.messages.empty());
    EXPECT_EQ(scene.PageNb(), 3);
    EXPECT_EQ(scene.entete.cheminScene, chemin);
    EXPECT_EQ(scene.entete.reserve5[8], 0);
    const std::string base = scene.entete.repertoireScene;
    ASSERT_FALSE(base.empty());
    EXPECT_TRUE(base.back() == '\\' || base.back() == '/') << base;
    EXPECT_EQ(scene.Page(1).Objet(1).fichier, base + "IMAGES\\FOND.BMP");
    EXPECT_EQ(scene.Page(2).Objet(2).fichier, "") << "a name that resolves to a folder is emptied";
    EXPECT_EQ(scene.entete.fichierPalette, base + "DEFAUT.PAL");
    EXPECT_EQ(pourcents_, (std::vector<int>{33, 67, 100}));
    EXPECT_EQ(dispositions_, 1) << "another page size lays the window out";
}

TEST_F(SceneChargeTest, PercentageRoundedHalfToEven) {
    const std::string chemin = Ecrit("huit.sce", EcritScene(Exemple(8), FormeObjets::Bloc));
    Scene scene;
    ASSERT_TRUE(SceneCharge(scene, chemin, services_));
    // 12.5, 37.5, 62.5 and 87.5 go to the even neighbour.
    EXPECT_EQ(pourcents_, (std::vector<int>{12, 25, 38, 50, 62, 75, 88, 100}));
}

TEST_F(SceneChargeTest, SameSizeAndLayoutKeepsTheWindow) {
    const std::string chemin = Ecrit("demo.sce", EcritScene(Exemple(1), FormeObjets::Bloc));
    Scene scene;
    ASSERT_TRUE(SceneCharge(scene, chemin, services_));
    ASSERT_TRUE(SceneCharge(scene, chemin, services_));
    EXPECT_EQ(dispositions_, 1);

    Scene sansDisposition = Exemple(1);
    sansDisposition.entete.octetDisposition = 0;
    const std::string autre = Ecrit("zero.sce", EcritScene(sansDisposition, FormeObjets::Bloc));
    ASSERT_TRUE(SceneCharge(scene, autre, services_));
    ASSERT_TRUE(SceneCharge(scene, autre, services_));
    EXPECT_EQ(dispositions_, 3) << "a layout byte 0 always lays out";
}

TEST_F(SceneChargeTest, FailuresKeepTheTablesAndSaySo) {
    Scene scene;
    ASSERT_TRUE(SceneCharge(scene, Ecrit("bon.sce", EcritScene(Exemple(2), FormeObjets::Bloc)), services_));
    const Scene avant = scene;
    std::string complet = EcritScene(Exemple(2), FormeObjets::Bloc);
    std::string version = complet;
    version[8] = 0x5C;  // 4700
    version[9] = 0x12;

    struct Cas {
        const char* nom;
        std::string chemin;
        std::vector<int> reponses;
        const char* message;  // beginning of the message, empty for none
        int style;
    };
    const Cas cas[] = {
        {"missing", (dossier_ / "absent.sce").string(), {}, "Fichier inexistant", 0},
        {"not a scene", Ecrit("texte.sce", "bonjour, ceci n'est pas une scène"), {},
         "Ce fichier n'est pas une scène Rarevive Zaru Orvane.\r\nImpossible de charger la scène.", 16},
        {"truncated", Ecrit("court.sce", complet.substr(0, complet.size() - 3)), {},
         "Ce fichier de scène est endommagé", 16},
        {"other version refused", Ecrit("v4700.sce", version), {7},
         "Ce format de fichier ne correspond pas à cette version du programme. Voulez-vous continuer quand même ?", 4},
    };
    for (const auto& c : cas) {
        messages_.messages.clear();
        messages_.reponses.assign(c.reponses.begin(), c.reponses.end());
        EXPECT_FALSE(SceneCharge(scene, c.chemin, services_)) << c.nom;
        EXPECT_EQ(scene, avant) << c.nom;
        ASSERT_EQ(messages_.messages.size(), 1u) << c.nom;
        EXPECT_EQ(Derniere().rfind(c.message, 0), 0u) << c.nom << ": " << Derniere();
        EXPECT_EQ(messages_.messages.back().style, c.style) << c.nom;
    }
}

TEST_F(SceneChargeTest, OtherVersionAcceptedLoads) {
    std::string octets = EcritScene(Exemple(1), FormeObjets::Bloc);
    octets[8] = 0x5C;
    octets[9] = 0x12;
    messages_.reponses = {6};
    Scene scene;
    EXPECT_TRUE(SceneCharge(scene, Ecrit("v4700.sce", octets), services_));
    EXPECT_EQ(scene.entete.version, 4700);
    EXPECT_EQ(scene.PageNb(), 1);
}

}  // namespace
}  // namespace korv::engine
