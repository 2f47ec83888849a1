#include "programme/grilles_programme.h"

#include "grid/magasin_grilles.h"

namespace korv::programme {

GrillesProgramme::GrillesProgramme(grid::MagasinGrilles& magasin) : magasin_(magasin) {}
void GrillesProgramme::GrillesConstruire(const engine::Scene& scene) {
    magasin_.Construit(scene);
    if (construites) construites();
}
formula::ServiceGrille* GrillesProgramme::GrilleDe(int page, int objet) { return magasin_.GrilleDe(page, objet); }
void GrillesProgramme::ParcouruRecalculReinitTous() { magasin_.ParcouruRecalculReinitTous(); }
bool GrillesProgramme::ASelection(int page, int objet) { return magasin_.ASelection(page, objet); }
void GrillesProgramme::AppuieTouche(int page, int objet, int touche, int maj) {
    magasin_.AppuieTouche(page, objet, touche, maj);
}
void GrillesProgramme::SelectionnerRien(int page, int objet) { magasin_.SelectionnerRien(page, objet); }
void GrillesProgramme::Affiche(int page, int objet) { magasin_.Affiche(page, objet); }
void GrillesProgramme::MouseDownConsultation(int page, int objet, int bouton, int maj, std::int32_t x,
                                             std::int32_t y) {
    magasin_.MouseDownConsultation(page, objet, bouton, maj, x, y);
}
void GrillesProgramme::MouseMoveConsultation(int page, int objet, int bouton, std::int32_t x, std::int32_t y) {
    magasin_.MouseMoveConsultation(page, objet, bouton, x, y);
}
void GrillesProgramme::MouseUpConsultation(int page, int objet, std::int32_t x, std::int32_t y) {
    magasin_.MouseUpConsultation(page, objet, x, y);
}
int GrillesProgramme::QuelCurseurDeSouris(int page, int objet, std::int32_t x, std::int32_t y) {
    return magasin_.QuelCurseurDeSouris(page, objet, x, y);
}
void GrillesProgramme::ReferencesRecreer(const engine::Scene& scene) { magasin_.ReferencesRecreer(scene); }
void GrillesProgramme::PreparerPourPage(int page, int objet) { magasin_.PreparerPourPage(page, objet); }
void GrillesProgramme::Recalculer(int page, int objet) { magasin_.Recalculer(page, objet); }

}  // namespace korv::programme
