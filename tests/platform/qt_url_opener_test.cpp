// Opening web addresses through a launcher program, as xdg-open is run: its
// exit status says whether a browser took the address. Small shell
// launchers stand in for xdg-open, so no browser is needed.

#include <gtest/gtest.h>

#include <chrono>
#include <iterator>
#include <fstream>
#include <string>
#include <thread>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>

#include "platform/qt_url_opener.h"
#include "qt_test_app.h"

namespace korv::platform {
namespace {

// A launcher script: writes the address it was given to `trace`, then
// runs `suite`.
QString Lanceur(const QTemporaryDir& dossier, const char* nom, const std::string& suite) {
    const QString chemin = dossier.filePath(QString::fromUtf8(nom));
    std::ofstream(chemin.toStdString()) << "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.trace\"\n" << suite << "\n";
    QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return chemin;
}

std::string Trace(const QString& lanceur) {
    std::ifstream f((lanceur + ".trace").toStdString());
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// Runs the event loop until `fait` or for at most `ms`.
template <typename F>
void Attendre(F fait, int ms = 10000) {
    QDeadlineTimer limite(ms);
    while (!fait() && !limite.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

TEST(QtOuvreurUrl, TheLaunchersExitStatusSaysWhetherTheAddressOpened) {
    ApplicationTest();
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    struct Cas {
        const char* nom;
        std::string suite;  // what the launcher does after noting the address
        bool echec;
    };
    const Cas cas[] = {
        {"ouvre", "exit 0", false},
        {"sans-navigateur", "exit 3", true},  // xdg-open: no method to open it
        {"echoue", "exit 4", true},           // xdg-open: the browser failed
        {"tue", "kill -9 $$", true},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const QString lanceur = Lanceur(dossier, c.nom, c.suite);
        QtOuvreurUrl ouvreur(lanceur);
        int echecs = 0;
        ouvreur.Ouvrir("https://www.corvanne.example/glossaire/cadre.php3?mot=marge", [&] { ++echecs; });
        EXPECT_EQ(echecs, 0) << "the launcher started";
        // Its end reaches us through the event loop; after a success, a
        // while is left for a report that would wrongly come.
        Attendre([&] { return echecs > 0; }, c.echec ? 10000 : 500);
        EXPECT_EQ(echecs, c.echec ? 1 : 0);
        EXPECT_EQ(Trace(lanceur), "https://www.corvanne.example/glossaire/cadre.php3?mot=marge");
    }
}

TEST(QtOuvreurUrl, NothingLaunchedFailsAtOnce) {
    ApplicationTest();
    struct Cas {
        const char* lanceur;
        const char* adresse;
    };
    const Cas cas[] = {
        {"/nonexistent/korv-xdg-open", "https://www.corvanne.example/"},  // no launcher installed
        {"/bin/true", "pas une adresse"},
        {"/bin/true", ""},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.lanceur + std::string(" ") + c.adresse);
        QtOuvreurUrl ouvreur(QString::fromUtf8(c.lanceur));
        int echecs = 0;
        ouvreur.Ouvrir(c.adresse, [&] { ++echecs; });
        Attendre([&] { return echecs > 0; });
        EXPECT_EQ(echecs, 1);
    }
}

// An opener that goes while its launcher still runs reports nothing, and
// does not wait the launcher's end.
TEST(QtOuvreurUrl, NoReportOnceTheOpenerIsGone) {
    ApplicationTest();
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const QString lanceur = Lanceur(dossier, "lent", "exec sleep 600");
    int echecs = 0;
    {
        QtOuvreurUrl ouvreur(lanceur);
        ouvreur.Ouvrir("https://www.corvanne.example/", [&] { ++echecs; });
        Attendre([&] { return !Trace(lanceur).empty(); });
        ASSERT_EQ(Trace(lanceur), "https://www.corvanne.example/");
    }
    Attendre([&] { return echecs > 0; }, 500);
    EXPECT_EQ(echecs, 0);
}

}  // namespace
}  // namespace korv::platform
