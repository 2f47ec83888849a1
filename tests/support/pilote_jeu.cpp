#include "support/pilote_jeu.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "description.h"
#include "engine/erreur.h"
#include "engine/jeu.h"
#include "engine/souris.h"
#include "platform/event_pump.h"

namespace korv::testsupport {

namespace fs = std::filesystem;

// What the main window does with input when the test plugs in nothing else.
class PiloteJeu::EntreeParDefaut final : public EntreeJeu {
public:
    explicit EntreeParDefaut(engine::Moteur& moteur) : moteur_(moteur) {}
    void Souris(int genre, int bouton, int maj, int x, int y) override {
        engine::AuBord(moteur_, "Ec", [&] { engine::EvenementSourisSurvient(moteur_, genre, bouton, maj, x, y); });
    }
    void Touche(int code, int maj) override {
        if (code == kEchap) {
            engine::AppuieToucheEsc(moteur_);
        } else {
            engine::TableauxAppuieTouche(moteur_, code, maj, false);
        }
    }

private:
    static constexpr int kEchap = 27;
    engine::Moteur& moteur_;
};

PiloteJeu::PiloteJeu() : entreeParDefaut_(std::make_unique<EntreeParDefaut>(moteur_)) {
    auto& s = moteur_.Services();
    s.messages = &messages_;
    s.dialogues = &dialogues_;
    s.horloge = &horloge_;
    s.pompe = &pompe_;
    s.fenetre = &fenetre_;
    s.affichage = &affichage_;
    s.plan = &plan_;
    s.scripts = &scripts_;
    s.declencheur = &declencheur_;
    s.edition = &declencheur_;
    auto& declenchement = moteur_.Declenchement().Configuration();
    declenchement.lanceur = &lanceur_;
    declenchement.navigateur = &navigateur_;

    std::string modele = (fs::temp_directory_path() / "korv-pilote-XXXXXX").string();
    if (!mkdtemp(modele.data())) throw std::system_error(errno, std::generic_category(), "mkdtemp");
    moteur_.dossierProgramme = modele;

    pompe_.arreter = [this](std::int64_t vise) {
        if (!condition_) return false;
        if (declencheur_.declenchements - declenchementsDebut_ > LimiteDeclenchements) {
            sansRepos_ = true;
            return true;
        }
        return condition_(vise);
    };
    pompe_.surArret = [this] { fil_->Ceder(); };
    fil_ = std::make_unique<FilAlterne>([this] {
        if (corps_) {
            corps_(moteur_);
        } else {
            engine::Joue(moteur_, document_);
        }
    });
}

PiloteJeu::~PiloteJeu() {
    fil_.reset();
    composition_.reset();
    std::error_code ec;
    fs::remove_all(moteur_.dossierProgramme, ec);
}

void PiloteJeu::ChargerScene(std::string_view description, engine::FormeObjets forme) {
    if (fil_->Demarre()) throw std::logic_error("pilote : scène chargée après le début du jeu");
    moteur_.scene = scenetool::ConstruitScene(description, forme);
    // As a scene load does once the tables are in place.
    moteur_.Tableaux().GrillesConstruire(moteur_.scene);
}

PiloteJeu::Bord PiloteJeu::BordPlateforme() {
    return {&horloge_, &pompe_, &messages_, &dialogues_, &lanceur_, &navigateur_, &fenetre_};
}

void PiloteJeu::Composer(const std::function<std::shared_ptr<void>(engine::Moteur&)>& composer) {
    if (fil_->Demarre()) throw std::logic_error("pilote : composition après le début du jeu");
    composition_ = composer(moteur_);
    auto& s = moteur_.Services();
    declencheur_.suivant = s.declencheur;
    s.declencheur = &declencheur_;
    scripts_.suivant = s.scripts;
    s.scripts = &scripts_;
}

void PiloteJeu::Document(std::string document) { document_ = std::move(document); }
void PiloteJeu::Corps(std::function<void(engine::Moteur&)> corps) { corps_ = std::move(corps); }
void PiloteJeu::DeclenchementReel() { declencheur_.suivant = &moteur_.Declenchement(); }

void PiloteJeu::RepondreMessage(int reponse) { boite_.reponses.push_back(reponse); }
void PiloteJeu::RepondreFichier(std::optional<std::string> chemin) { dialogue_.reponses.push_back(std::move(chemin)); }
void PiloteJeu::RepondreEnregistrer(int reponse) { plan_.reponsesEnregistrer.push_back(reponse); }

void PiloteJeu::Livrer(std::function<void(EntreeJeu&)> livraison) {
    livraison(entree_ ? *entree_ : *entreeParDefaut_);
}

void PiloteJeu::Souris(std::int64_t instantMs, int genre, int bouton, int maj, int x, int y) {
    pompe_.Programmer(instantMs, [=, this] {
        trace_.Ajouter("mouse " + std::to_string(genre) + " " + std::to_string(bouton) + " " + std::to_string(maj) + " " +
                       std::to_string(x) + " " + std::to_string(y));
        Livrer([=](EntreeJeu& e) { e.Souris(genre, bouton, maj, x, y); });
    });
}

void PiloteJeu::Clic(std::int64_t instantMs, int x, int y) {
    constexpr int kGauche = 1;
    Souris(instantMs, genre_souris::Enfonce, kGauche, 0, x, y);
    Souris(instantMs, genre_souris::Relache, kGauche, 0, x, y);
}

void PiloteJeu::Touche(std::int64_t instantMs, int code, int maj) {
    pompe_.Programmer(instantMs, [=, this] {
        trace_.Ajouter("key " + std::to_string(code) + " " + std::to_string(maj));
        Livrer([=](EntreeJeu& e) { e.Touche(code, maj); });
    });
}

void PiloteJeu::Frappe(std::int64_t instantMs, int code, char caractere, int maj) {
    const int k = static_cast<unsigned char>(caractere);
    pompe_.Programmer(instantMs, [=, this] {
        trace_.Ajouter("key " + std::to_string(code) + " " + std::to_string(maj) + " char " + std::to_string(k));
        Livrer([=](EntreeJeu& e) { e.Frappe(code, maj, k); });
    });
}

void PiloteJeu::Executer(std::function<bool(std::int64_t)> condition) {
    condition_ = std::move(condition);
    declenchementsDebut_ = declencheur_.declenchements;
    sansRepos_ = false;
    try {
        fil_->Reprendre();
    } catch (...) {
        condition_ = nullptr;
        throw;
    }
    condition_ = nullptr;
    if (sansRepos_) {
        throw std::runtime_error("pilote : plus de " + std::to_string(LimiteDeclenchements) +
                                 " déclenchements sans repos");
    }
}

void PiloteJeu::ExecuterJusquARepos() {
    Executer([this](std::int64_t vise) { return vise > horloge_.Maintenant(); });
}

void PiloteJeu::ExecuterJusqua(std::int64_t instantMs) {
    if (instantMs < horloge_.Maintenant()) throw std::invalid_argument("pilote : instant déjà passé");
    Executer([instantMs](std::int64_t vise) { return vise > instantMs; });
    if (!JeuTermine()) horloge_.Regler(instantMs);
}

long PiloteJeu::ExecuterNDeclenchements(long n) {
    const long debut = declencheur_.declenchements;
    Executer([this, debut, n](std::int64_t vise) {
        return declencheur_.declenchements - debut >= n || vise == platform::kJamais;
    });
    return declencheur_.declenchements - debut;
}

bool PiloteJeu::ExecuterJusquaFin(std::int64_t limiteMs) {
    const std::int64_t fin = horloge_.Maintenant() + limiteMs;
    Executer([fin](std::int64_t vise) { return vise == platform::kJamais || vise > fin; });
    return JeuTermine();
}

std::string PiloteJeu::JournalErreurs() const {
    std::ifstream f(fs::path(moteur_.dossierProgramme) / "ERROR.TXT", std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

}  // namespace korv::testsupport
