#include "platform/clock.h"

#include <chrono>
#include <limits>
#include <stdexcept>

namespace korv::platform {

std::int64_t HorlogeSysteme::Maintenant() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void HorlogeFactice::Regler(std::int64_t ms) {
    if (ms < maintenant_) throw std::invalid_argument("horloge factice : retour en arrière refusé");
    maintenant_ = ms;
}

void HorlogeFactice::Avancer(std::int64_t ms) {
    if (ms < 0) throw std::invalid_argument("horloge factice : avance négative refusée");
    if (ms > std::numeric_limits<std::int64_t>::max() - maintenant_)
        throw std::overflow_error("horloge factice : dépassement");
    maintenant_ += ms;
}

}  // namespace korv::platform
