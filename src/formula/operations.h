#pragma once
// Dynamic operators of the formula language on Valeur: the arithmetic of
// mixed types, the text join, the bitwise words and the comparison rule.
// Every failure throws ErreurExecution (the evaluator makes it Null).

#include <cstdint>

#include "formula/valeur.h"

namespace korv::formula {

// Sum, difference, product: Null gives Null, Empty counts as 0 (or as an
// empty text beside a text), two texts are joined as they stand by "+",
// a numeric text beside a number counts as that number. Integers widen
// instead of overflowing; a result that is not finite is an overflow.
Valeur Addition(const Valeur& g, const Valeur& d);
Valeur Soustraction(const Valeur& g, const Valeur& d);
Valeur Multiplication(const Valeur& g, const Valeur& d);
// Always a Double; a zero divisor throws kDivisionParZero (0/0 kDepassement).
Valeur Division(const Valeur& g, const Valeur& d);
// Both as doubles.
Valeur Puissance(const Valeur& g, const Valeur& d);
// "&": texts unquoted, joined, quoted again.
Valeur Concatenation(const Valeur& g, const Valeur& d);
// "OU" / "ET": both rounded to 32-bit integers; a 32-bit result.
Valeur OuBinaire(const Valeur& g, const Valeur& d);
Valeur EtBinaire(const Valeur& g, const Valeur& d);

// Unary minus; Null stays Null, the type is kept where it can be.
Valeur Negation(const Valeur& v);
// Integer part toward minus infinity, keeping the type; Null stays Null.
Valeur PartieEntiere(const Valeur& v);
// Bitwise not; a double is rounded to a 32-bit integer first.
Valeur NonBinaire(const Valeur& v);

enum class CodeComparaison : std::uint8_t { Sup = 5, Inf = 6, Egal = 7, SupEgal = 8, InfEgal = 9, Different = 10 };

// The comparison rule: text comparison (binary, unquoted) when the text
// form of the right-hand operand is a quoted string, else numeric with the
// right-hand operand taken as a double. Result: 16-bit -1 or 0.
Valeur Comparaison(CodeComparaison code, const Valeur& g, const Valeur& d);

// Condition of SI: false for Null, Empty, 0 and False; a text that is
// not a number throws.
bool ConditionVraie(const Valeur& v);

}  // namespace korv::formula
