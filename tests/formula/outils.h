#pragma once
// Compile-and-read helpers shared by the formula tests.

#include <string>

#include "fakes.h"
#include "formula/compilateur.h"
#include "formula/expression.h"

namespace korv::formula::test {

// The token list as text, tokens separated by one blank.
inline std::string Liste(const ExpressionClasse& e) {
    std::string r;
    for (const auto& j : e.Jetons()) {
        if (!r.empty()) r += ' ';
        r += JetonEnTexte(j);
    }
    return r;
}

// Compiles and evaluates a formula text; Null when it does not compile.
inline Valeur Calcule(Environnement& env, const std::string& texte) {
    ExpressionClasse e;
    if (!e.Code(texte, env.services)) return Valeur::Nul();
    return e.Evalue(env.services);
}

}  // namespace korv::formula::test
