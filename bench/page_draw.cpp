// Preparing and drawing the sample scene's GALERIE page (BMP background,
// masked and unmasked pictures, a JPEG as it is and stretched, blends,
// 3D buttons, outlines and shadows) as the program does it: the engine's
// page preparation with the real page display, against one full-page copy
// of the buffer to the visible page. The page shown again (its pictures
// kept), and its first showing (nothing kept).

#include <cstdio>
#include <cstdlib>

#include <QGuiApplication>

#include "display/affichage.h"
#include "display/zone.h"
#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "engine/recherche.h"
#include "engine/scene_charge.h"
#include "ratio_reporter.h"

namespace {

using namespace korv;

struct Galerie {
    engine::Moteur moteur;
    display::AffichagePage affichage{moteur};
    int page = 0;

    Galerie() {
        moteur.Services().affichage = &affichage;
        engine::ServicesChargement chargement;
        chargement.majTailleFenetre = [this] { affichage.MajTailleFenetre(true); };
        if (!engine::SceneCharge(moteur.scene, KORV_SAMPLE_SCE, chargement)) return;
        moteur.jeu.ModeProgramme = engine::kModeJeu;
        page = engine::NumeroDePage(moteur.scene, "GALERIE");
    }

    void PreparerEtDessiner() { engine::SauteALaPage(moteur, page); }
};

Galerie& LaGalerie() {
    static Galerie galerie;
    return galerie;
}

void CopieTamponVersFenetre(benchmark::State& state) {
    Galerie& g = LaGalerie();
    for (auto _ : state) {
        display::MajFenetreJeu(g.affichage);
        benchmark::DoNotOptimize(g.affichage.PageEcran.Image().constBits());
    }
}
BENCHMARK(CopieTamponVersFenetre)->Unit(benchmark::kMicrosecond);

void PreparerEtDessinerPage(benchmark::State& state) {
    Galerie& g = LaGalerie();
    for (auto _ : state) {
        g.PreparerEtDessiner();
        benchmark::DoNotOptimize(g.affichage.PageTampon.Image().constBits());
    }
}
BENCHMARK(PreparerEtDessinerPage)->Unit(benchmark::kMicrosecond);

// The first showing: no picture decoded and no name resolved yet.
void PremierAffichagePage(benchmark::State& state) {
    Galerie& g = LaGalerie();
    for (auto _ : state) {
        state.PauseTiming();
        g.affichage.images.cache.Vider();
        g.affichage.images.cache.Resolveur() = platform::ResolveurChemins();
        state.ResumeTiming();
        g.PreparerEtDessiner();
        benchmark::DoNotOptimize(g.affichage.PageTampon.Image().constBits());
    }
}
BENCHMARK(PremierAffichagePage)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    char nom[] = "bench_page_draw";
    char* qtArgv[] = {nom, nullptr};
    QGuiApplication application(qtArgc, qtArgv);
    if (LaGalerie().page <= 0) {
        std::fprintf(stderr, "GALERIE page of %s not found\n", KORV_SAMPLE_SCE);
        return 1;
    }
    LaGalerie().PreparerEtDessiner();  // pictures decoded and cached before any timing
    return korv::bench::RunWithRatios(argc, argv, "CopieTamponVersFenetre");
}
