#pragma once
// The page history: at most 501 entries of (page, method step).

#include <cstdint>

namespace korv::engine {

class Moteur;

void Empile(Moteur& moteur, int page);
// Page of the top entry, which is removed; 1 on an empty history.
int Depile(Moteur& moteur);

}  // namespace korv::engine
