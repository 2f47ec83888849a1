// Single instance: a later start hands its exact command line to the first
// one, over two local-socket ends in this one process (the later start runs
// on its own thread, as it would in its own process).

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <optional>
#include <thread>

#include <QDir>
#include <QFile>
#include <QTimer>

#include "platform/qt_instance_unique.h"
#include "qt_test_app.h"

namespace korv::platform {
namespace {

class QtInstanceUniqueTest : public ::testing::Test {
protected:
    void SetUp() override {
        ApplicationTest();
        nom_ = QDir::tempPath() + QStringLiteral("/korv-inst-%1-%2")
                                      .arg(::getpid())
                                      .arg(::testing::UnitTest::GetInstance()->current_test_info()->line());
    }
    void TearDown() override {
        QFile::remove(nom_);
        QFile::remove(nom_ + QStringLiteral(".lock"));
    }

    // A later start on its own thread; the first start's events run here
    // until it has received `attendus` command lines and the thread ended.
    ResultatInstance SecondDemarrage(const std::string& ligne, std::size_t attendus) {
        std::atomic<bool> fini = false;
        std::optional<ResultatInstance> resultat;
        std::thread seconde([&] {
            QtInstanceUnique instance(nom_);
            resultat = instance.Demarre(ligne, [](std::string) {});
            fini = true;
        });
        bool abandon = false;
        QTimer garde;  // a safety net against a hang, not a timing check
        garde.setSingleShot(true);
        QObject::connect(&garde, &QTimer::timeout, [&] { abandon = true; });
        garde.start(20000);
        while (!abandon && (!fini || recues_.size() < attendus))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        seconde.join();
        return resultat.value_or(ResultatInstance::Injoignable);
    }

    QString nom_;
    std::vector<std::string> recues_;
};

TEST_F(QtInstanceUniqueTest, SecondStartHandsOverItsExactCommandLine) {
    QtInstanceUnique premiere(nom_);
    ASSERT_EQ(premiere.Demarre("", [this](std::string l) { recues_.push_back(std::move(l)); }),
              ResultatInstance::Premiere);
    ASSERT_TRUE(premiere.Ecoute());

    // Quotes, spaces, Windows-1252 bytes, a NUL and line breaks come through
    // unchanged, as does an empty command line.
    const std::string ligne("\"/home/u/mes plans/\xE9t\xE9 2024.bpx\"  -x\0y\r\n", 37);
    EXPECT_EQ(SecondDemarrage(ligne, 1), ResultatInstance::Transmise);
    EXPECT_EQ(SecondDemarrage("", 2), ResultatInstance::Transmise);
    ASSERT_EQ(recues_.size(), 2u);
    EXPECT_EQ(recues_[0], ligne);
    EXPECT_EQ(recues_[1], "");
}

TEST_F(QtInstanceUniqueTest, SocketLeftByACrashIsReplaced) {
    // A socket file nobody listens on, as a crashed run leaves it.
    const QByteArray chemin = QFile::encodeName(nom_);
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(s, 0);
    sockaddr_un adresse{};
    adresse.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<std::size_t>(chemin.size()), sizeof adresse.sun_path);
    std::memcpy(adresse.sun_path, chemin.constData(), static_cast<std::size_t>(chemin.size()));
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse), 0);
    ::close(s);
    ASSERT_TRUE(QFile::exists(nom_));

    QtInstanceUnique premiere(nom_);
    ASSERT_EQ(premiere.Demarre("", [this](std::string l) { recues_.push_back(std::move(l)); }),
              ResultatInstance::Premiere);
    EXPECT_TRUE(premiere.Ecoute());
    EXPECT_EQ(SecondDemarrage("plan.bpx", 1), ResultatInstance::Transmise);
    EXPECT_EQ(recues_, std::vector<std::string>{"plan.bpx"});
}

TEST_F(QtInstanceUniqueTest, FirstInstanceGoneLetsTheNextOneRun) {
    {
        QtInstanceUnique premiere(nom_);
        ASSERT_EQ(premiere.Demarre("", {}), ResultatInstance::Premiere);
    }
    QtInstanceUnique suivante(nom_);
    EXPECT_EQ(suivante.Demarre("", {}), ResultatInstance::Premiere);
    EXPECT_TRUE(suivante.Ecoute());
}

}  // namespace
}  // namespace korv::platform
