// Opening and saving a plan document of the sample scene with every editable
// cell of every grid filled, against reading and writing the same bytes raw.
// The save goes through the program's own path: the whole document built,
// written to a temporary file, flushed to disk and renamed.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include <QTemporaryDir>

#include "engine/calcul_grilles.h"
#include "engine/moteur.h"
#include "engine/scene_fichier.h"
#include "grid/fonctions_calcul.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"
#include "plan/document/document_plan.h"
#include "plan/etat_plan.h"
#include "plan/methode/etapes_methode.h"
#include "platform/fichiers_document.h"
#include "platform/message_box.h"
#include "ratio_reporter.h"

namespace {

using namespace korv;

class Silence final : public platform::BoiteMessage {
public:
    int Afficher(std::string_view, int, std::string_view) override { return 7; }
};

std::string Lire(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

struct Banc {
    Banc() {
        const std::string octets = Lire(KORV_SAMPLE_SCE);
        moteur.scene = engine::LitScene({reinterpret_cast<const std::uint8_t*>(octets.data()), octets.size()});
        moteur.Services().grilles = grilles.get();
        moteur.ScriptsDuMoteur().FonctionsGrilles(&fonctions);
        grilles->Construit(moteur.scene);
        grilles->ReferencesRecreer(moteur.scene);
        etapes.MethodePlanDefautCreer();
        plan::ServicesDocument d;
        d.moteur = &moteur;
        d.grille = [this](int page, int objet) {
            return grilles->Grille(static_cast<std::int16_t>(page), static_cast<std::int16_t>(objet));
        };
        d.etat = &etat;
        d.etapes = &etapes;
        d.messages = &messages;
        d.fichiers = &disque;
        document = std::make_unique<plan::DocumentPlan>(d);
        document->PolicesDefautInitialiser();
        // Every editable cell of every grid holds a figure.
        for (int p = 1; p <= moteur.scene.PageNb(); ++p) {
            for (int o = 1; o <= moteur.scene.Page(p).ObjetNb(); ++o) {
                grid::TableauClasse* g = grilles->Grille(static_cast<std::int16_t>(p), static_cast<std::int16_t>(o));
                if (!g) continue;
                for (int c = 1; c <= g->ColonneNb(); ++c) {
                    for (int r = 1; r <= g->LigneNb(); ++r) {
                        if (g->CaseEstEditable(c, r)) {
                            g->CaseUtilisateurChange(static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r),
                                                     std::to_string(c * 1000 + r), false);
                        }
                    }
                }
                g->RecalculAvecInit();
            }
        }
        // A folder of this run's own, removed at exit (the bench itself is
        // never destroyed): other runs must not rewrite the files it measures.
        static const QTemporaryDir dossier;
        chemin = dossier.filePath("plan.tvr").toStdString();
        brut = dossier.filePath("brut.tvr").toStdString();
        (void)document->PlanAffaireEnregistrer(chemin, false, 0, false);
        octets_ = Lire(chemin);
    }
    std::unique_ptr<grid::MagasinGrilles> Magasin() {
        grid::ServicesGrilles s;
        s.enJeu = [this] { return moteur.jeu.ModeProgramme == engine::kModeJeu; };
        s.calcul = &calcul;
        return std::make_unique<grid::MagasinGrilles>(std::move(s));
    }
    Silence messages;
    engine::Moteur moteur;
    engine::CalculGrillesMoteur calcul{moteur};
    std::unique_ptr<grid::MagasinGrilles> grilles = Magasin();
    const grid::AccesGrilles acces{moteur.ScriptsDuMoteur().Formule().scene, *grilles};
    grid::FonctionsCalcul fonctions{acces};
    plan::EtatPlan etat{messages};
    plan::MethodeEtapes etapes;
    platform::FichiersDocumentDisque disque;
    std::unique_ptr<plan::DocumentPlan> document;
    std::string chemin, brut, octets_;
};

Banc& B() {
    static Banc* b = new Banc();
    return *b;
}

// The same bytes read, then written the way every document is written (a
// temporary file flushed to disk, then renamed), so that the ratio measures
// the document's own work, not the flush both pay.
void RawReadWrite(benchmark::State& state) {
    for (auto _ : state) {
        const std::string o = Lire(B().chemin);
        benchmark::DoNotOptimize(B().disque.Remplacer(B().brut, o));
    }
}
BENCHMARK(RawReadWrite)->Unit(benchmark::kMillisecond);

void OpenPlan(benchmark::State& state) {
    for (auto _ : state) {
        const std::string o = Lire(B().chemin);
        benchmark::DoNotOptimize(B().document->Charger(o, 0));
    }
}
BENCHMARK(OpenPlan)->Unit(benchmark::kMillisecond);

void SavePlan(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(B().document->PlanAffaireEnregistrer(B().chemin, false, 0, false));
}
BENCHMARK(SavePlan)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // The scene, the grids and the document before any timing; the document
    // must load, or the timing would be a refusal's.
    if (const std::string refus = B().document->Charger(B().octets_, 0); !refus.empty() || B().octets_.size() < 1000) {
        std::fprintf(stderr, "document refusé (%zu octets)\n", B().octets_.size());
        return 1;
    }
    return korv::bench::RunWithRatios(argc, argv, "RawReadWrite");
}
