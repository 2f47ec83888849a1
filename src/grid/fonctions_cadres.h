#pragma once
// The formula functions that frame, merge, colour and grey zones of a grid
// named by page and object: CADREZONEMETTRE, CADREZONEENLEVER,
// CADREZONECHANGER, ZONEFUSIONMETTRE, ZONEFUSIONENLEVER, ZONEFUSIONCHANGER
// and ZONECHANGEFOND act on the grid's current selection; ZONEGRISEAUTO on
// two zones it is given. Other functions go on to the next handler.

#include "formula/services.h"
#include "grid/fonctions_grille.h"

namespace korv::grid {

// Function codes.
namespace fonction_cadre {
inline constexpr int CadreZoneMettre = 79;
inline constexpr int CadreZoneEnlever = 80;
inline constexpr int ZoneChangeFond = 83;
inline constexpr int ZoneFusionMettre = 85;
inline constexpr int ZoneFusionEnlever = 86;
inline constexpr int ZoneFusionChanger = 87;
inline constexpr int CadreZoneChanger = 88;
inline constexpr int ZoneGriseAuto = 90;
}  // namespace fonction_cadre

// `SelectionActuellePremierDernierVersHautBas`: the selection's corners
// rebuilt in the grid from its anchor and cursor, which outlive a press
// outside the grid; in play widened over merged runs as the mouse and the
// keys show it. Then its stored zone (c1, r1, c2, r2), 0 for a corner that
// shows no cell.
struct ZoneSelection {
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
};
ZoneSelection ZoneDeLaSelection(TableauClasse& g, bool enJeu);

class FonctionsCadres final : public formula::ServicesFonctionsAction {
public:
    explicit FonctionsCadres(AccesGrilles acces, formula::ServicesFonctionsAction* suivant = nullptr)
        : acces_(acces), suivant_(suivant) {}

    bool EvalueFonctionAction(int code, formula::PileValeurs& pile, int& n) override;
    void Suivant(formula::ServicesFonctionsAction* suivant) { suivant_ = suivant; }

private:
    void SurLaSelection(int code, formula::PileValeurs& pile, int& n);
    void GriseAuto(formula::PileValeurs& pile, int& n);

    AccesGrilles acces_;
    formula::ServicesFonctionsAction* suivant_;
};

}  // namespace korv::grid
