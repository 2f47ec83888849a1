#pragma once
// What the formula functions that act on grids share: the scene they look
// names up in, the grids of the scene, and the stack conventions of the
// evaluator. A function of k arguments reads them from pile[n-k] up; its
// result takes argument 1's slot and the count drops by k - 1. A function
// whose page, object or grid is not found leaves the stack as its own
// rules say; the helpers below only find and convert.

#include <cstdint>
#include <string>

#include "formula/services.h"
#include "formula/valeur.h"

namespace korv::grid {

class MagasinGrilles;
class TableauClasse;

// The scene's names and play mode, and its grids.
struct AccesGrilles {
    formula::ServicesScene& scene;
    MagasinGrilles& grilles;

    // `ModeProgramme` is 3.
    bool EnJeu() const;
};

// Argument k (1-based) of a call of `nombre` arguments whose last is pile[n-1].
formula::Valeur& Argument(formula::PileValeurs& pile, int n, int k, int nombre);

// A page or object name: enclosing quotes stripped, trimmed, upper case.
std::string NomArgument(const formula::Valeur& v);

// A text argument with its enclosing single quotes stripped.
std::string TexteArgument(const formula::Valeur& v);

struct ObjetCible {
    std::int16_t page = 0;
    std::int16_t objet = 0;
    bool Trouve() const { return page > 0 && objet > 0; }
};

// The page and object that arguments 1 and 2 name; 0 for an unknown one.
ObjetCible ObjetNomme(const AccesGrilles& acces, formula::PileValeurs& pile, int n, int nombre);

// The grid that arguments 1 and 2 name; null when the page or object is
// unknown, or the object is not a grid (kind 12).
TableauClasse* GrilleNommee(const AccesGrilles& acces, formula::PileValeurs& pile, int n, int nombre);

// The row of the cell that a name argument (quotes stripped) names in the
// grid; 0 when no cell bears it.
int LigneNommee(TableauClasse& grille, const formula::Valeur& nom);

// The result in argument 1's slot; the count drops by nombre - 1.
void Resultat(formula::PileValeurs& pile, int& n, int nombre, formula::Valeur valeur);

}  // namespace korv::grid
