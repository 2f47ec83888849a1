#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdint>
#include <memory>

#include <QAbstractEventDispatcher>
#include <QMetaObject>
#include <QThread>
#include <QTimer>

#include "platform/clock.h"
#include "platform/qt_event_pump.h"
#include "qt_test_app.h"

namespace korv::platform {
namespace {

// CPU time of the whole process (user + system), in milliseconds.
double CpuMs() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0; };
    return ms(r.ru_utime) + ms(r.ru_stime);
}

TEST(QtPompe, AttenteRevientASonEcheanceEtPasAvant) {
    ApplicationTest();
    QtPompeEvenements pompe;
    HorlogeSysteme horloge;
    pompe.TraiterEnAttente();  // nothing left over from other tests
    for (const std::int64_t delai : {1, 30, 120}) {
        const std::int64_t echeance = horloge.Maintenant() + delai;
        pompe.AttendreJusqua(echeance, horloge);
        EXPECT_GE(horloge.Maintenant(), echeance) << delai;
    }
    pompe.AttendreJusqua(horloge.Maintenant() - 10, horloge);  // already passed: no block
}

// The wake-up cases, on the calling thread's event dispatcher.
void CasDeReveil() {
    QObject contexte;
    QtPompeEvenements pompe;
    HorlogeSysteme horloge;
    pompe.TraiterEnAttente();
    SCOPED_TRACE(QAbstractEventDispatcher::instance()->metaObject()->className());

    // Given before the wait: the wait does not block.
    std::int64_t loin = horloge.Maintenant() + 60000;
    pompe.Reveiller();
    pompe.AttendreJusqua(loin, horloge);
    EXPECT_LT(horloge.Maintenant(), loin);

    // From an event posted by a handler of the previous run of events: its
    // wake-up of the dispatcher is already spent, so the generic Unix
    // dispatcher sends it and would then sleep until the deadline.
    bool appele = false;
    QMetaObject::invokeMethod(
        &contexte,
        [&] {
            QMetaObject::invokeMethod(
                &contexte, [&] { appele = true; pompe.Reveiller(); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    pompe.TraiterEnAttente();
    loin = horloge.Maintenant() + 60000;
    pompe.AttendreJusqua(loin, horloge);
    EXPECT_TRUE(appele);
    EXPECT_LT(horloge.Maintenant(), loin);

    // From a timer firing during a wait without deadline. Returning before
    // the timer would mean the previous wake-up was left pending.
    appele = false;
    QTimer::singleShot(20, &contexte, [&] { appele = true; pompe.Reveiller(); });
    pompe.AttendreJusqua(kJamais, horloge);
    EXPECT_TRUE(appele);
}

TEST(QtPompe, ReveillerTermineLAttenteSurLesDeuxRepartiteurs) {
    ApplicationTest();
    CasDeReveil();  // the main thread's dispatcher (GLib in Debian's Qt)
    // A thread started with QT_NO_GLIB gets Qt's generic Unix dispatcher.
    qputenv("QT_NO_GLIB", "1");
    std::unique_ptr<QThread> fil(QThread::create(CasDeReveil));
    fil->start();
    fil->wait();
    qunsetenv("QT_NO_GLIB");
}

TEST(QtPompe, AttenteInactiveUtilisePeuLeProcesseur) {
    ApplicationTest();
    QtPompeEvenements pompe;
    HorlogeSysteme horloge;
    pompe.TraiterEnAttente();
    const std::int64_t debut = horloge.Maintenant();
    const double cpuDebut = CpuMs();
    const std::int64_t echeance = debut + 200;
    while (horloge.Maintenant() < echeance) pompe.AttendreJusqua(echeance, horloge);
    const double fraction = (CpuMs() - cpuDebut) / static_cast<double>(horloge.Maintenant() - debut);
    EXPECT_LT(fraction, 0.20);
}

}  // namespace
}  // namespace korv::platform
