#include "grid/fonctions_cadres.h"

#include <array>

#include "grid/grille_selection.h"
#include "grid/tableau.h"

namespace korv::grid {

namespace {

namespace f = fonction_cadre;

constexpr int kArgumentsSelection = 2;
constexpr int kArgumentsFond = 3;
constexpr int kArgumentsGrise = 11;

formula::Valeur Zero() { return formula::Valeur::Entier(0); }

}  // namespace

ZoneSelection ZoneDeLaSelection(TableauClasse& g, bool enJeu) {
    SelectionTableau s = g.Selection();
    SelectionDepuisPremiereDerniere(g, s, enJeu);
    g.SelectionChange(s);
    return {g.ColonneAfficheeVersStockee(s.HautGaucheColonne), g.LigneAfficheeVersStockee(s.HautGaucheLigne),
            g.ColonneAfficheeVersStockee(s.BasDroiteColonne), g.LigneAfficheeVersStockee(s.BasDroiteLigne)};
}

bool FonctionsCadres::EvalueFonctionAction(int code, formula::PileValeurs& pile, int& n) {
    switch (code) {
    case f::CadreZoneMettre:
    case f::CadreZoneEnlever:
    case f::CadreZoneChanger:
    case f::ZoneFusionMettre:
    case f::ZoneFusionEnlever:
    case f::ZoneFusionChanger:
    case f::ZoneChangeFond: SurLaSelection(code, pile, n); return true;
    case f::ZoneGriseAuto: GriseAuto(pile, n); return true;
    default: return suivant_ != nullptr && suivant_->EvalueFonctionAction(code, pile, n);
    }
}

// An unknown page or object, or one that is no grid, leaves the stack as it is.
void FonctionsCadres::SurLaSelection(int code, formula::PileValeurs& pile, int& n) {
    const int nombre = code == f::ZoneChangeFond ? kArgumentsFond : kArgumentsSelection;
    if (n < nombre) return;
    TableauClasse* g = GrilleNommee(acces_, pile, n, nombre);
    if (!g) return;
    const ZoneSelection z = ZoneDeLaSelection(*g, acces_.EnJeu());
    switch (code) {
    case f::CadreZoneMettre: g->CadreZoneMettre(z.c1, z.r1, z.c2, z.r2); break;
    case f::CadreZoneEnlever: g->CadreZoneEnlever(z.c1, z.r1, z.c2, z.r2); break;
    case f::CadreZoneChanger: g->CadreZoneChanger(z.c1, z.r1, z.c2, z.r2); break;
    case f::ZoneFusionMettre: g->FusionZoneMettre(z.c1, z.r1, z.c2, z.r2); break;
    case f::ZoneFusionEnlever: g->FusionZoneEnlever(z.c1, z.r1, z.c2, z.r2); break;
    case f::ZoneFusionChanger: g->FusionZoneChanger(z.c1, z.r1, z.c2, z.r2); break;
    default: g->ZoneChangeFond(z.c1, z.r1, z.c2, z.r2, Argument(pile, n, 3, nombre).EnOctet()); break;
    }
    Resultat(pile, n, nombre, Zero());
}

// A missing grid still gives 0 and consumes the arguments.
void FonctionsCadres::GriseAuto(formula::PileValeurs& pile, int& n) {
    if (n < kArgumentsGrise) return;
    if (TableauClasse* g = GrilleNommee(acces_, pile, n, kArgumentsGrise)) {
        std::array<int, 9> v{};
        for (std::size_t i = 0; i < v.size(); ++i) {
            v[i] = Argument(pile, n, static_cast<int>(i) + 3, kArgumentsGrise).EnOctet();
        }
        g->ZoneGriseAuto(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], static_cast<std::uint8_t>(v[8]));
    }
    Resultat(pile, n, kArgumentsGrise, Zero());
}

}  // namespace korv::grid
