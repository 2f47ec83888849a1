#include "platform/colour_dialog_fake.h"

namespace korv::platform {

bool DialogueCouleurFactice::Choisir(std::int32_t& couleurRGB, CouleursPerso& couleursPerso) {
    appels.push_back({couleurRGB, couleursPerso});
    if (reponses.empty()) return false;
    ReponseCouleur r = reponses.front();
    reponses.pop_front();
    if (r.couleursPerso) couleursPerso = *r.couleursPerso;
    if (!r.couleur) return false;
    couleurRGB = VersColorref(DepuisColorref(*r.couleur));
    return true;
}

}  // namespace korv::platform
