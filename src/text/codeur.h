#pragma once
// The tag coder: lays a tagged source out for a width with a measurer and
// writes the coded text, the source with every line's layout written into
// it as tags ("<LigneNumero>", "<X>", "<Y>", "<BaseLine>" and, after a
// forced break, a "<Formatage1>" ... "<Formatage0>" restore block).

#include <cstdint>
#include <string>

#include "text/balises.h"
#include "text/mesureur.h"
#include "text/source.h"

namespace korv::text {

// The source is read through a 5000-byte window taken at the start of each
// line; a sequence cut by the window's end is read again from a new window.
inline constexpr Position kFenetreCodeur = 5000;

// `TextePrecodeAffichage`: the coded text of `source` laid out `largeur`
// twips wide, starting from `depart` (`FormatageDefaut`).
std::string TextePrecodeAffichage(SourceTexte& source, MesureurTexte& mesureur, std::int32_t largeur,
                                  const FormatageTexte& depart);
inline std::string TextePrecodeAffichage(std::string_view source, MesureurTexte& mesureur, std::int32_t largeur,
                                         const FormatageTexte& depart) {
    SourceChaine s(source);
    return TextePrecodeAffichage(s, mesureur, largeur, depart);
}

}  // namespace korv::text
