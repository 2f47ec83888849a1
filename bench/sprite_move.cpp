// A sprite moved over a page, with and without a trail, against one
// full-page copy of the buffer to the visible page: a move touches only the
// sprite's old and new rectangles, so it should cost a fraction of the copy.

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include "display/affichage.h"
#include "display/dessin_champs.h"
#include "display/sprites.h"
#include "display/zone.h"
#include "engine/moteur.h"
#include "ratio_reporter.h"

namespace {

using namespace korv;

std::string Image(const std::string& nom, int cote) {
    // A folder of this run's own, removed at exit: other runs must not
    // rewrite the picture it measures.
    static const QTemporaryDir dossier;
    const std::filesystem::path d = dossier.path().toStdString();
    QImage i(cote, cote, QImage::Format_RGB32);
    for (int y = 0; y < cote; ++y) {
        for (int x = 0; x < cote; ++x) i.setPixel(x, y, qRgb((x * 7) & 0xFF, (y * 5) & 0xFF, 40));
    }
    const auto chemin = d / nom;
    i.save(QString::fromStdString(chemin.string()), "BMP");
    return chemin.string();
}

struct Page {
    engine::Moteur moteur;
    std::unique_ptr<display::AffichagePage> affichage;
    std::unique_ptr<display::TableSprites> sprites;

    Page() {
        moteur.scene.entete.pageLargeur = 640;
        moteur.scene.entete.pageHauteur = 480;
        moteur.scene.pages.resize(1);
        affichage = std::make_unique<display::AffichagePage>(moteur);
        sprites = std::make_unique<display::TableSprites>(*affichage);
        const std::string image = Image("LUTIN.BMP", 64);
        for (const bool trainee : {false, true}) {
            engine::ObjetPage o;
            o.type = static_cast<std::uint8_t>(engine::TypeObjet::Sprite);
            o.largeur = o.hauteur = 64 * 15;
            o.C1 = display::champs::kCadreRien;
            o.H3 = trainee ? 1 : 0;
            o.fichier = image;
            moteur.scene.Page(1).objets.push_back(o);
            sprites->ObjetSpriteDessine(1, moteur.scene.Page(1).ObjetNb());
        }
    }
};

Page& LaPage() {
    static Page page;
    return page;
}

void CopieTamponVersFenetre(benchmark::State& state) {
    Page& p = LaPage();
    for (auto _ : state) {
        display::MajFenetreJeu(*p.affichage);
        benchmark::DoNotOptimize(p.affichage->PageEcran.Image().constBits());
    }
}
BENCHMARK(CopieTamponVersFenetre)->Unit(benchmark::kMicrosecond);

void Deplacer(benchmark::State& state, int sprite) {
    Page& p = LaPage();
    int x = 0;
    for (auto _ : state) {
        x = (x + 7) % 560;
        p.sprites->SpriteDeplacer(sprite, x, 200);
        benchmark::DoNotOptimize(p.affichage->PageEcran.Image().constBits());
    }
}

void DeplacerSprite(benchmark::State& state) { Deplacer(state, 1); }
BENCHMARK(DeplacerSprite)->Unit(benchmark::kMicrosecond);

void DeplacerSpriteAvecTrainee(benchmark::State& state) { Deplacer(state, 2); }
BENCHMARK(DeplacerSpriteAvecTrainee)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    char nom[] = "bench_sprite_move";
    char* qtArgv[] = {nom, nullptr};
    QGuiApplication application(qtArgc, qtArgv);
    LaPage();  // the picture decoded and cached before any timing
    return korv::bench::RunWithRatios(argc, argv, "CopieTamponVersFenetre");
}
