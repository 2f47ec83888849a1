#include "engine/declenchement_services.h"

#include "engine/declencheurs_objets.h"

namespace korv::engine {

// Until their modules exist, these kinds are shown (and grids and charts
// erased); their other codes do nothing.

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
    if (action == 0 && valeur.empty()) DeclencheDivers(moteur, page, objet, mode, source, -1);
}

void ServicesDeclencheurs::DeclencheGraphique(Moteur& moteur, int page, int objet, std::string& valeur, int action,
                                              int mode, int source) {
    (void)valeur;
    if (action == 0) DeclencheDivers(moteur, page, objet, mode, source, -1);
    if (action == 1) ObjetEnJeuCacher(moteur, page, objet, false);
}

}  // namespace korv::engine
