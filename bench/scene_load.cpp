// Loading a large scene (500 pages of 40 objects, with grids and formulas)
// against only reading the same file's bytes.

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "engine/scene_fichier.h"
#include "ratio_reporter.h"

namespace {

using namespace korv;

engine::Scene GrandeScene() {
    engine::Scene s;
    s.entete.pageNb = 500;
    for (int p = 1; p <= 500; ++p) {
        auto& page = s.pages.emplace_back();
        for (int i = 1; i <= 40; ++i) {
            auto& o = page.objets.emplace_back();
            o.nom = "OBJET" + std::to_string(i);
            o.fichier = "IMAGES\\IMAGE" + std::to_string(i) + ".BMP";
            o.texte = "Texte de l'objet " + std::to_string(i) + " de la page " + std::to_string(p);
            o.G[0] = static_cast<std::int16_t>(i);
            o.elements.push_back({static_cast<std::int16_t>(p), 1, 0, "1000,500", "", 2});
            if (i % 10 == 0) {
                o.type = static_cast<std::uint8_t>(engine::TypeObjet::Tableau);
                auto& g = o.grille.emplace();
                g.colonneNb = 12;
                g.ligneNb = 20;
                g.colonnes.resize(12);
                g.lignes.resize(20);
                for (std::uint8_t c = 1; c <= 12; ++c) {
                    for (std::uint8_t r = 1; r <= 20; ++r) {
                        const bool formule = c > 1 && r > 1;
                        g.textes.push_back({c, r, formule ? "=A+B" : "Libellé", std::nullopt});
                        g.resultats.push_back({c, r, 1, "1234,5"});
                        if (formule) {
                            formula::ExpressionUDT u{c, r, {}};
                            u.expression.jetons = {{7, std::string("\x01\x02\x0A\x01\x01")},
                                                   {7, std::string("\x01\x02\x0A\x02\x01")},
                                                   {1, std::uint8_t{1}}};
                            u.expression.references = {{1, 2, 1, 1, 1, 1}, {1, 2, 2, 1, 2, 1}};
                            o.formules.push_back(std::move(u));
                        }
                    }
                }
                g.attributs.push_back({1, 1, grid::GenreAttribut::Complet, 1, 1, "", "", 0xFFFFFF, 0, "NOM", 0, 0, "", 0, 0});
            } else {
                o.type = static_cast<std::uint8_t>(i == 1 ? engine::TypeObjet::Fond : engine::TypeObjet::Bouton);
            }
        }
    }
    return s;
}

// One file per run: runs of other builds on the same machine must not
// rewrite it while this one reads it.
const std::filesystem::path& Fichier() {
    static const std::filesystem::path chemin = [] {
        auto p = std::filesystem::temp_directory_path() /
                 ("bench_scene_load_" + std::to_string(::getpid()) + ".sce");
        const std::string octets = engine::EcritScene(GrandeScene(), engine::FormeObjets::Bloc);
        std::ofstream(p, std::ios::binary) << octets;
        return p;
    }();
    return chemin;
}

std::string LitOctets() {
    std::ifstream in(Fichier(), std::ios::binary);
    std::string octets(std::filesystem::file_size(Fichier()), '\0');
    in.read(octets.data(), static_cast<std::streamsize>(octets.size()));
    return octets;
}

void ReadBytes(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(LitOctets());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(Fichier())));
}
BENCHMARK(ReadBytes)->Unit(benchmark::kMillisecond);

void LoadScene(benchmark::State& state) {
    for (auto _ : state) {
        const std::string octets = LitOctets();
        auto scene = engine::LitScene({reinterpret_cast<const std::uint8_t*>(octets.data()), octets.size()});
        benchmark::DoNotOptimize(scene);
    }
}
BENCHMARK(LoadScene)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    Fichier();  // write the file before any timing
    const int code = korv::bench::RunWithRatios(argc, argv, "ReadBytes");
    std::filesystem::remove(Fichier());
    return code;
}
