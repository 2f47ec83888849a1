// A 20-token arithmetic formula evaluated a million times, against the same
// arithmetic compiled in C++, both timed in the same run; the "ratio"
// counter is the formula's time over the C++ time.

#include <benchmark/benchmark.h>

#include <chrono>
#include <stdexcept>

#include "../tests/formula/fakes.h"
#include "formula/expression.h"

namespace {

using namespace korv::formula;

// 10 operands, 9 operators and the unary minus; left to right.
constexpr const char* kFormule = "-A+2*3-4/5+6*7-8+9-10";
constexpr int kFois = 1000000;

double EnCpp(double a) { return ((((((((-a + 2) * 3) - 4) / 5) + 6) * 7) - 8) + 9) - 10; }

void FormuleContreCpp(benchmark::State& state) {
    test::Environnement env;
    env.variables.VarCree("A", Valeur::Double(1.5), 1);
    ExpressionClasse e;
    if (!e.Code(kFormule, env.services) || e.NombreJetons() != 20) throw std::logic_error("formule");
    if (e.Evalue(env.services) != Valeur::Double(EnCpp(1.5))) throw std::logic_error("valeur");

    using Horloge = std::chrono::steady_clock;
    double formule = 0;
    double cpp = 0;
    for (auto _ : state) {
        const auto t0 = Horloge::now();
        for (int i = 0; i < kFois; ++i) benchmark::DoNotOptimize(e.Evalue(env.services));
        const auto t1 = Horloge::now();
        double a = 1.5;
        for (int i = 0; i < kFois; ++i) {
            benchmark::DoNotOptimize(a);
            benchmark::DoNotOptimize(EnCpp(a));
        }
        const auto t2 = Horloge::now();
        formule += std::chrono::duration<double, std::nano>(t1 - t0).count();
        cpp += std::chrono::duration<double, std::nano>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations()) * kFois;
    state.counters["ns_formule"] = formule / n;
    state.counters["ns_cpp"] = cpp / n;
    state.counters["ratio"] = cpp > 0 ? formule / cpp : 0;
}

BENCHMARK(FormuleContreCpp)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
