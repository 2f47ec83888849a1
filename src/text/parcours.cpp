#include "text/parcours.h"

namespace korv::text {

namespace {
constexpr Position kFenetre = 32000;
}

void ParcoursSequences::Charger(Position debut) {
    tampon_ = std::string(source_.Fenetre(debut, kFenetre));
    tamponDebut_ = debut;
}

std::string_view ParcoursSequences::Suivante() {
    if (position_ < 1) position_ = 1;
    if (position_ > source_.Longueur()) return {};
    const auto dansTampon = [&] {
        return tamponDebut_ > 0 && position_ >= tamponDebut_ &&
               position_ < tamponDebut_ + static_cast<Position>(tampon_.size());
    };
    if (!dansTampon()) Charger(position_);
    for (int essai = 0; essai < 2; ++essai) {
        Position p = position_ - tamponDebut_ + 1;
        const Position fin = TextePrepareNCarSequenceSuivante(tampon_, p);
        const auto taille = static_cast<Position>(tampon_.size());
        const bool finSource = tamponDebut_ + taille - 1 >= source_.Longueur();
        if (!finSource && (fin == 0 || fin >= taille) && p > 1) {
            Charger(position_);
            continue;
        }
        if (fin == 0 || fin < p) return {};
        debut_ = position_;
        position_ += fin - p + 1;
        return std::string_view(tampon_).substr(static_cast<std::size_t>(p - 1), static_cast<std::size_t>(fin - p + 1));
    }
    return {};
}

}  // namespace korv::text
