#include "engine/historique.h"

#include "engine/moteur.h"

namespace korv::engine {

void Empile(Moteur& moteur, int page) {
    auto& pile = moteur.PileHistorique;
    const EntreeHistorique entree{static_cast<std::int16_t>(page), moteur.jeu.EtapeCourante};
    // A full history keeps its oldest entries and overwrites the top one.
    if (static_cast<int>(pile.size()) < kHistoriqueMax) {
        pile.push_back(entree);
    } else {
        pile.back() = entree;
    }
}

int Depile(Moteur& moteur) {
    auto& pile = moteur.PileHistorique;
    if (pile.empty()) return 1;
    EntreeHistorique haut = std::move(pile.back());
    pile.pop_back();
    moteur.jeu.EtapeCourante = std::move(haut.etape);
    return haut.page;
}

}  // namespace korv::engine
