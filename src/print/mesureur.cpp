#include "print/mesureur.h"

#include <string>

#include "print/texte_travail.h"

namespace korv::print {

namespace {

std::u32string Brut(std::string_view rtf) {
    TexteTravail t;
    t.DefinirRtf(rtf);
    return t.TexteBrut();
}

}  // namespace

std::int32_t MesureurFixe::Longueur(std::string_view rtf) { return static_cast<std::int32_t>(Brut(rtf).size()); }

MesureTexte MesureurFixe::Mesurer(std::string_view rtf, const Rectangle& r, std::int32_t debut,
                                  bool auMoinsUneLigne) {
    const std::u32string t = Brut(rtf);
    const auto n = static_cast<std::int32_t>(t.size());
    MesureTexte m{debut, r.haut};
    std::int32_t i = debut;
    while (i < n) {
        // One line: up to parLigne_ characters, ended early by a CR LF.
        std::int32_t j = i;
        while (j < n && j - i < parLigne_ && t[static_cast<std::size_t>(j)] != U'\r') ++j;
        if (j < n && t[static_cast<std::size_t>(j)] == U'\r') {
            j += (j + 1 < n && t[static_cast<std::size_t>(j + 1)] == U'\n') ? 2 : 1;
        }
        const bool premiere = i == debut;
        if (m.bas + hauteur_ > r.bas && !(premiere && auMoinsUneLigne)) break;
        m.bas += hauteur_;
        i = j;
        m.fin = i;
    }
    return m;
}

}  // namespace korv::print
