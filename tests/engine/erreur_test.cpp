// The error reporter: the ERROR.TXT record, its size limit and the error modes.

#include "engine/erreur.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/moteur.h"
#include "platform/message_box_fake.h"

namespace korv::engine {
namespace {

namespace fs = std::filesystem;

class ErreurTest : public ::testing::Test {
protected:
    void SetUp() override {
        dossier_ = fs::temp_directory_path() /
                   ("erreur_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dossier_);
        fs::create_directories(dossier_);
        m_.dossierProgramme = dossier_.string();
        m_.Services().messages = &boite_;
    }
    void TearDown() override { fs::remove_all(dossier_); }
    std::string Journal() const {
        std::ifstream f(dossier_ / "ERROR.TXT", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
    fs::path dossier_;
    Moteur m_;
    platform::BoiteMessageFactice boite_;
};

TEST(ErreurEnregistrement, DescriptionRule) {
    struct Cas {
        std::int32_t ligne;
        const char* description;
        const char* attendu;
    };
    const Cas cas[] = {
        {12, "Division par zéro", "Division par zéro"},
        {0, "Division par zéro", "Division par zéro"},
        {0, "42 objets", " 42"},
        {0, "-7 bis", "-7"},
        {0, "0 rien", "0 rien"},
        {0, "", ""},
        // Blanks before the number do not hide it; without a number the
        // description is kept with its blanks.
        {0, "   42 objets", " 42"},
        {0, "  -7", "-7"},
        {0, "   sans nombre", "   sans nombre"},
        {3, "  42 objets", "  42 objets"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(ErreurEnregistrement(c.ligne, "Main", 11, c.description),
                  std::string("Erreur module:Main\r\nDescription:") + c.attendu + "\r\nCode:11")
            << c.description;
    }
}

TEST_F(ErreurTest, RecordsAreAppendedUpToTheSizeLimit) {
    m_.ModeErreur = 4;
    EXPECT_EQ(ErreurSignale(m_, 3, "Tableau.Recalcul", 6, "Dépassement de capacité"), SuiteErreur::Continuer);
    EXPECT_EQ(Journal(), "Erreur module:Tableau.Recalcul\r\nDescription:D\xE9passement de capacit\xE9\r\nCode:6\r\n");

    // A log of exactly 128000 bytes is still appended to; one more byte stops it.
    for (std::uintmax_t taille : {kJournalTailleMax, kJournalTailleMax + 1}) {
        {
            std::ofstream f(dossier_ / "ERROR.TXT", std::ios::binary | std::ios::trunc);
            f << std::string(taille, 'x');
        }
        ErreurSignale(m_, 1, "P", 5, "d");
        EXPECT_EQ(fs::file_size(dossier_ / "ERROR.TXT") > taille, taille == kJournalTailleMax) << taille;
    }
}

TEST_F(ErreurTest, ModesDecideWhatFollows) {
    struct Cas {
        std::int16_t mode;
        std::vector<int> reponses;
        SuiteErreur suite;
        bool fin;
        std::size_t questions;
    };
    const Cas cas[] = {
        {0, {}, SuiteErreur::Terminer, true, 0},
        {1, {}, SuiteErreur::Terminer, true, 0},  // ends; never restarts the machine
        {2, {}, SuiteErreur::Relancer, false, 0},
        {3, {6}, SuiteErreur::Continuer, false, 1},
        {3, {7}, SuiteErreur::Terminer, true, 1},
        {4, {}, SuiteErreur::Continuer, false, 0},
        {9, {}, SuiteErreur::Terminer, true, 0},
    };
    for (const auto& c : cas) {
        Moteur m;
        m.dossierProgramme = dossier_.string();
        platform::BoiteMessageFactice boite;
        boite.reponses.assign(c.reponses.begin(), c.reponses.end());
        m.Services().messages = &boite;
        m.ModeErreur = c.mode;
        EXPECT_EQ(ErreurSignale(m, 0, "Main", 65000, "A20"), c.suite) << "mode " << c.mode;
        EXPECT_EQ(m.fin.demandee, c.fin) << "mode " << c.mode;
        ASSERT_EQ(boite.messages.size(), c.questions) << "mode " << c.mode;
        if (c.questions) {
            EXPECT_EQ(boite.messages[0].style, 20);
            EXPECT_NE(boite.messages[0].texte.find("Voulez-vous continuer ?"), std::string::npos);
            EXPECT_EQ(boite.messages[0].texte.rfind("Erreur module:Main\r\nDescription:A20\r\nCode:65000", 0), 0u);
        }
    }
}

TEST_F(ErreurTest, BoundaryHandsExceptionsToTheReporter) {
    m_.ModeErreur = 4;
    EXPECT_EQ(AuBord(m_, "Clic", [] { throw ErreurMoteur(kErreurProgramme, "A20"); }), SuiteErreur::Continuer);
    EXPECT_EQ(AuBord(m_, "Clic", [] { throw std::runtime_error("interne"); }), SuiteErreur::Continuer);
    EXPECT_NE(Journal().find("Code:65000"), std::string::npos);
    EXPECT_NE(Journal().find("Description:interne\r\nCode:51"), std::string::npos);
    m_.ModeErreur = 2;
    EXPECT_THROW(AuBord(m_, "Clic", [] { throw ErreurMoteur(7, "x"); }), ErreurMoteur);
    EXPECT_EQ(AuBord(m_, "Clic", [] {}), SuiteErreur::Continuer);
}

}  // namespace
}  // namespace korv::engine
