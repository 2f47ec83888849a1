#include "support/trace_jeu.h"

#include "platform/clock.h"

namespace korv::testsupport {

namespace {

bool AMotCle(std::string_view ligne, std::string_view motCle) {
    return ligne.substr(0, motCle.size()) == motCle && (ligne.size() == motCle.size() || ligne[motCle.size()] == ' ');
}

}  // namespace

void TraceJeu::Ajouter(std::string ligne) {
    lignes_.push_back(std::move(ligne));
    instants_.push_back(horloge_.Maintenant());
}

std::vector<std::string> TraceJeu::Lignes(std::string_view motCle) const {
    std::vector<std::string> r;
    for (const auto& l : lignes_) {
        if (AMotCle(l, motCle)) r.push_back(l);
    }
    return r;
}

std::vector<std::string> TraceJeu::LignesDatees(std::string_view motCle) const {
    std::vector<std::string> r;
    for (std::size_t i = 0; i < lignes_.size(); ++i) {
        if (AMotCle(lignes_[i], motCle)) r.push_back(std::to_string(instants_[i]) + " " + lignes_[i]);
    }
    return r;
}

void TraceJeu::Vider() {
    lignes_.clear();
    instants_.clear();
}

}  // namespace korv::testsupport
