#pragma once
// Built-in functions that compute a value from their arguments alone
// (arithmetic, dates, finance, texts, the user's question, the loans), and
// the table saying who handles each of the 90 function codes.

#include <cstdint>
#include <vector>

namespace korv::formula {

class Valeur;
struct ServicesFormule;

// Who handles a function code.
enum class TraitementFonction : std::uint8_t {
    Inconnu,        // outside 1..90: nothing happens
    Evaluateur,     // the sign and conditional words (6 to 10), in the evaluator itself
    Valeur,         // EvalueFonctionValeur: computed from the arguments alone
    Emprunt,        // EvalueFonctionValeur too: the loan functions (21 to 23)
    ActionInline,   // acts on grids, printing, export or pages, on the stack
    MembreEvalue,   // an EvalueFonc member of the formula object
};

TraitementFonction TraitementDeFonction(int code);

// Computes value function `code` on the evaluator's stack: arguments are
// pile[n-k] .. pile[n-1], the result replaces pile[n-k] and n shrinks by
// k - 1 (the evaluator trims the vector to n). With fewer values than the
// function's guard, the stack is left as it is. Returns false for the codes
// it does not handle (TraitementDeFonction neither Valeur nor Emprunt).
// Throws ErreurExecution on a failed conversion or computation: the
// formula then yields Null.
bool EvalueFonctionValeur(int code, std::vector<Valeur>& pile, int& n, const ServicesFormule& services);

}  // namespace korv::formula
