// CPU used by a page that only waits: the Qt event pump blocked for a
// deadline 10 s away, woken after 5 s as an input would, against a busy
// wait that polls the window events for 200 ms.
//
// Both report through manual time the process CPU time per second of wall
// time, so the time column reads "CPU seconds per second" and the ratio
// line is the idle wait's CPU against a busy wait's. The counter
// cpu_fraction is the same figure as a plain fraction (goal: well under
// 0.01 for the idle wait).

#include <sys/resource.h>

#include <QCoreApplication>
#include <QTimer>

#include "platform/clock.h"
#include "platform/qt_event_pump.h"
#include "ratio_reporter.h"

namespace {

using namespace korv;

double CpuSecondes() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    auto s = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return s(r.ru_utime) + s(r.ru_stime);
}

struct Mesure {
    double cpu = 0;
    std::int64_t murMs = 0;
};

template <class Attente>
void Rapporter(benchmark::State& state, Attente attente) {
    platform::HorlogeSysteme horloge;
    Mesure m;
    for (auto _ : state) {
        const std::int64_t debut = horloge.Maintenant();
        const double cpuDebut = CpuSecondes();
        attente(horloge, debut);
        m.cpu = CpuSecondes() - cpuDebut;
        m.murMs = horloge.Maintenant() - debut;
        const double fraction = m.murMs > 0 ? m.cpu * 1000.0 / static_cast<double>(m.murMs) : 0.0;
        state.SetIterationTime(fraction);
        state.counters["cpu_fraction"] = fraction;
        state.counters["cpu_ms"] = m.cpu * 1000.0;
        state.counters["wall_ms"] = static_cast<double>(m.murMs);
    }
}

void BusyWait(benchmark::State& state) {
    platform::QtPompeEvenements pompe;
    Rapporter(state, [&](const platform::Horloge& h, std::int64_t debut) {
        while (h.Maintenant() < debut + 200) pompe.TraiterEnAttente();
    });
}
BENCHMARK(BusyWait)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void IdleWait(benchmark::State& state) {
    platform::QtPompeEvenements pompe;
    Rapporter(state, [&](const platform::Horloge& h, std::int64_t debut) {
        bool reveille = false;
        QTimer::singleShot(5000, Qt::PreciseTimer, [&] {
            reveille = true;
            pompe.Reveiller();
        });
        // Returns early only for a stray event; the page would wait again.
        while (!reveille) pompe.AttendreJusqua(debut + 10000, h);
    });
}
BENCHMARK(IdleWait)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    return korv::bench::RunWithRatios(argc, argv, "BusyWait/iterations:1/manual_time");
}
