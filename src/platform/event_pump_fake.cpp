#include "platform/event_pump_fake.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace korv::platform {

void PompeEvenementsFactice::Programmer(std::int64_t instantMs, std::function<void()> livraison) {
    if (!livraison) throw std::invalid_argument("pompe factice : entrée sans livraison");
    entrees_.emplace(std::make_pair(instantMs, numero_++), std::move(livraison));
}

std::optional<std::int64_t> PompeEvenementsFactice::ProchaineEntree() const {
    if (entrees_.empty()) return std::nullopt;
    return entrees_.begin()->first.first;
}

bool PompeEvenementsFactice::Arret(std::int64_t instantVise) {
    if (!arreter || !arreter(instantVise)) return false;
    if (surArret) surArret();
    return true;
}

void PompeEvenementsFactice::Livrer() {
    // One at a time: a delivery may queue further inputs or re-enter the pump.
    while (!entrees_.empty() && entrees_.begin()->first.first <= horloge_.Maintenant()) {
        auto livraison = std::move(entrees_.begin()->second);
        entrees_.erase(entrees_.begin());
        livraison();
    }
}

void PompeEvenementsFactice::TraiterEnAttente() {
    if (Arret(horloge_.Maintenant())) return;
    Livrer();
}

void PompeEvenementsFactice::AttendreJusqua(std::int64_t echeanceMs, const Horloge& horloge) {
    if (&horloge != &horloge_) throw std::logic_error("pompe factice : attente sur une autre horloge");
    ++attentes_;
    const std::int64_t maintenant = horloge_.Maintenant();
    if (reveille_) {
        reveille_ = false;
        if (!Arret(maintenant)) Livrer();
        return;
    }
    std::int64_t vise = std::max(maintenant, echeanceMs);
    if (const auto prochaine = ProchaineEntree()) vise = std::min(vise, std::max(maintenant, *prochaine));
    if (Arret(vise)) return;
    if (vise == kJamais) throw std::logic_error("pompe factice : attente sans fin (ni échéance, ni entrée, ni arrêt)");
    horloge_.Regler(vise);
    Livrer();
    reveille_ = false;
}

}  // namespace korv::platform
