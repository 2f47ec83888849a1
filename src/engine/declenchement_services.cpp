#include "engine/declenchement_services.h"

#include "engine/declencheurs_objets.h"
#include "engine/declencheurs_texte_riche.h"

namespace korv::engine {

// Until their modules exist, sprites, grids and charts are shown (and grids
// and charts erased); their other codes do nothing. Rich texts have the
// engine's own routine.

void ServicesDeclencheurs::DeclencheSprite(Moteur& moteur, int page, int objet, std::string& valeur, int action,
                                           int mode, int source, int autre) {
    (void)valeur, (void)autre;
    if (action == 0) DeclencheDivers(moteur, page, objet, mode, source, -1);
}

void ServicesDeclencheurs::DeclencheTableau(Moteur& moteur, int page, int objet, std::string& valeur, int action,
                                            int mode, int source) {
    (void)valeur;
    if (action == 0) DeclencheDivers(moteur, page, objet, mode, source, -1);
    if (action == 1) ObjetEnJeuCacher(moteur, page, objet, false);
}

void ServicesDeclencheurs::DeclencheTexteRTF(Moteur& moteur, int page, int objet, std::string& valeur, int action,
                                             int mode, int source) {
    engine::DeclencheTexteRTF(moteur, page, objet, valeur, action, mode, source);
}

void ServicesDeclencheurs::DeclencheGraphique(Moteur& moteur, int page, int objet, std::string& valeur, int action,
                                              int mode, int source) {
    (void)valeur;
    if (action == 0) DeclencheDivers(moteur, page, objet, mode, source, -1);
    if (action == 1) ObjetEnJeuCacher(moteur, page, objet, false);
}

}  // namespace korv::engine
