#include "engine/moteur.h"

namespace korv::engine {

Moteur::Moteur() {
    // The header as it stands before any scene is read.
    scene.entete.version = kVersionBloc;
    scene.entete.pageLargeur = 640;
    scene.entete.pageHauteur = 480;
}

}  // namespace korv::engine
