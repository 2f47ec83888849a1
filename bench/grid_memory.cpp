// Memory of a 255 × 255 grid: bytes per cell when every cell shares the
// default attributes, and when every cell has attributes of its own. The
// goal is at most 128 bytes per default cell. Heap bytes are counted by
// this program's own allocation functions.

#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

#include "grid/tableau.h"
#include "ratio_reporter.h"

namespace {

// Live heap bytes of the program (allocation counting needs one global).
std::atomic<std::size_t> octetsVivants{0};

constexpr int kCote = 255;
constexpr double kCases = static_cast<double>(kCote) * kCote;

// Bytes the grid object and its heap hold, per cell.
double OctetsParCase(bool attributsPropres) {
    const std::size_t avant = octetsVivants.load();
    auto t = std::make_unique<korv::grid::TableauClasse>();
    t->TailleChange(kCote, kCote);
    t->TailleCalculMaj();
    if (attributsPropres) {
        for (int c = 1; c <= kCote; ++c) {
            for (int r = 1; r <= kCote; ++r) t->CaseSousFormatChange(c, r, 1);
        }
    }
    const std::size_t apres = octetsVivants.load();
    return static_cast<double>(apres - avant) / kCases;
}

void GrilleAttributsDefaut(benchmark::State& state) {
    double octets = 0;
    for (auto _ : state) octets = OctetsParCase(false);
    state.counters["octets_par_case"] = octets;
}
BENCHMARK(GrilleAttributsDefaut)->Unit(benchmark::kMillisecond);

void GrilleAttributsPropres(benchmark::State& state) {
    double octets = 0;
    for (auto _ : state) octets = OctetsParCase(true);
    state.counters["octets_par_case"] = octets;
}
BENCHMARK(GrilleAttributsPropres)->Unit(benchmark::kMillisecond);

}  // namespace

void* operator new(std::size_t n) {
    void* p = std::malloc(n == 0 ? 1 : n);
    if (!p) throw std::bad_alloc();
    octetsVivants += malloc_usable_size(p);
    return p;
}

void operator delete(void* p) noexcept {
    if (!p) return;
    octetsVivants -= malloc_usable_size(p);
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

int main(int argc, char** argv) {
    const double defaut = OctetsParCase(false);
    const double propres = OctetsParCase(true);
    korv::bench::RunWithRatios(argc, argv, "GrilleAttributsDefaut");
    std::printf("octets par case, attributs par défaut : %.1f (objectif : au plus 128)\n", defaut);
    std::printf("octets par case, attributs propres    : %.1f\n", propres);
    return 0;
}
