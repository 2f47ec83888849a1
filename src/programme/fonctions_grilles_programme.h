#pragma once
// The formula functions that act on grids of any page (zones, cells and
// folds, frames and merges, currencies, depreciation, closing dates,
// conditional sums), chained in one list that the scripts' evaluator asks
// after the print and rich-text functions.

#include "formula/services.h"
#include "grid/fonctions_cadres.h"
#include "grid/fonctions_calcul.h"
#include "grid/fonctions_grille.h"
#include "grid/fonctions_monnaie.h"
#include "grid/fonctions_zones.h"
#include "programme/fonctions_cases_programme.h"

namespace korv::display {
class AffichagePage;
}
namespace korv::engine {
class Moteur;
}
namespace korv::grid {
class MagasinGrilles;
}

namespace korv::programme {

struct Plateforme;

class FonctionsGrillesProgramme {
public:
    FonctionsGrillesProgramme(engine::Moteur& moteur, grid::MagasinGrilles& grilles,
                              display::AffichagePage& affichage, const Plateforme& p, grid::MarqueVuEtape& marqueVu,
                              grid::BoiteEnTetePied& enTetePied, grid::DocumentPlanPartie& document);
    FonctionsGrillesProgramme(const FonctionsGrillesProgramme&) = delete;
    FonctionsGrillesProgramme& operator=(const FonctionsGrillesProgramme&) = delete;

    // The first handler of the chain; null while there is none.
    formula::ServicesFonctionsAction* Premiere() { return premiere_; }
    // The currency conversion bracket, which the engine ends when a script
    // run or play ends.
    engine::ConversionMonnaie& Conversion() { return monnaie_; }

private:
    grid::AccesGrilles acces_;
    // Cells, folds, the method's seen mark, page numbers, plan parts.
    FonctionsCasesProgramme cases_;
    grid::FonctionsZones zones_;
    grid::FonctionsCadres cadres_{acces_};
    grid::FonctionsMonnaie monnaie_;
    grid::FonctionsCalcul calcul_;
    formula::ServicesFonctionsAction* premiere_ = nullptr;
};

}  // namespace korv::programme
