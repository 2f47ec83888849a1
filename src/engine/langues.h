#pragma once
// The scene's language list: each language names the folder of its
// resources ("FRANCAIS\"), so every entry is upper case and ends with "\".

#include <cstdint>

namespace korv::engine {

class Moteur;
struct EnteteScene;

// `InitialiseListeLangues`: for languages 1 .. langueNb, an empty entry
// becomes "LANGUE<i>\", an entry gets "\" appended when it lacks one, and
// every entry is upper-cased. The list is made exactly langueNb long (a
// negative count is 0). Then `langueCourante` is lowered to the count when
// above it and raised to 1 when below 1.
void InitialiseListeLangues(EnteteScene& entete, std::int16_t& langueCourante);
void InitialiseListeLangues(Moteur& moteur);

}  // namespace korv::engine
