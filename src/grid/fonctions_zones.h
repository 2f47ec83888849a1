#pragma once
// The functions of formulas and scripts that act on a zone of a grid of any
// page: ZONEESTELLESAISIE, ZONEESTELLEVIDE, ZONEIMPRIMABLE, ZONENONIMPRIMABLE,
// ZONEBORD, ZONEFOND, ZONEFORMAT, ZONEIMPRIMABLESISAISIE, SAISIEOUCALCULFIXE,
// CONVCHANGE, IMPRIMECOLONNELARGEURMINIMALE, IMPRIMETITRE, and COPIER and
// COLLER, which do nothing. Each reads page, object and zone from the stack;
// an unknown page or object, or an object that is no grid, still gives the
// function's result. Other action functions go on to the next handler.

#include "formula/services.h"
#include "grid/fonctions_grille.h"

namespace korv::platform {
class MagasinReglages;
}

namespace korv::grid {

// Function codes.
enum class FonctionZone : int {
    Copier = 40,
    Coller = 41,
    ZoneEstElleSaisie = 55,
    ZoneImprimable = 56,
    ZoneNonImprimable = 57,
    ZoneBord = 58,
    ZoneFond = 59,
    ZoneFormat = 60,
    ImprimeTitre = 61,
    ZoneImprimableSiSaisie = 62,
    ZoneEstElleVide = 70,
    ConvChange = 72,
    SaisieOuCalculFixe = 73,
    ImprimeColonneLargeurMinimale = 84,
};

class FonctionsZones final : public formula::ServicesFonctionsAction {
public:
    // `reglages` holds the rates CONVCHANGE converts with; null: the
    // conversion is refused with a run-time error.
    FonctionsZones(AccesGrilles acces, platform::MagasinReglages* reglages,
                   formula::ServicesFonctionsAction* suivant = nullptr)
        : acces_(acces), reglages_(reglages), suivant_(suivant) {}

    bool EvalueFonctionAction(int code, formula::PileValeurs& pile, int& n) override;

    void Suivant(formula::ServicesFonctionsAction* suivant) { suivant_ = suivant; }

private:
    void EvalueFoncZoneContientSaisie(formula::PileValeurs& pile, int& n);
    void EvalueFoncZoneEstElleVide(formula::PileValeurs& pile, int& n);
    void EvalueFoncZoneImprimable(formula::PileValeurs& pile, int& n);
    void EvalueFoncZoneNonImprimable(formula::PileValeurs& pile, int& n);
    void EvalueFoncZoneBord(formula::PileValeurs& pile, int& n);
    void EvalueFoncZoneFond(formula::PileValeurs& pile, int& n);
    void EvalueFoncZoneFormat(formula::PileValeurs& pile, int& n);
    void EvalueFoncZoneImprimableSiSaisie(formula::PileValeurs& pile, int& n);
    void EvalueFoncSaisieOuCalculFixe(formula::PileValeurs& pile, int& n);
    void EvalueFoncConvChange(formula::PileValeurs& pile, int& n);
    void EvalueFoncImprimeColonneLargeurMinimale(formula::PileValeurs& pile, int& n);
    void EvalueFoncImprimeTitre(formula::PileValeurs& pile, int& n);

    AccesGrilles acces_;
    platform::MagasinReglages* reglages_;
    formula::ServicesFonctionsAction* suivant_;
};

// ZONEIMPRIMABLESISAISIE's work on a grid, with the zone's bytes: whole
// columns (rows 0, 0), whole rows (columns 0, 0) or rows within columns
// made printable or not from the entries they hold.
void ZoneImprimableSiSaisie(TableauClasse& g, int c1, int r1, int c2, int r2);

}  // namespace korv::grid
