// Any bytes given to the RTF reader are read or refused with a reason, in
// bounded time and memory; what it reads, our writer writes back so that it
// reads as the same document, and the page limits stay inside the text.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "rtf/ecrivain.h"
#include "rtf/lecteur.h"
#include "rtf/marqueurs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korv::rtf;
    const std::string_view octets(reinterpret_cast<const char*>(data), size);
    const LectureRtf l = LireRtf(octets);
    if (l.document.has_value() == !l.erreur.empty()) std::abort();  // a refusal always says why
    if (!l.document) return 0;
    const Document& d = *l.document;
    const LectureRtf relu = LireRtf(EcrireRtf(d));
    if (!relu.document || !(*relu.document == d)) std::abort();

    const std::u32string texte = d.TexteBrut();
    const int marqueurs = NombreMarqueurs(texte);
    for (int n = 0; n <= marqueurs + 2; ++n) {
        const LimitesMorceau m = MorceauLimites(texte, n);
        if (m.debut < 0 || static_cast<std::size_t>(m.debut) > texte.size()) std::abort();
        if (m.fin != -1 && (m.fin < m.debut || static_cast<std::size_t>(m.fin) > texte.size())) std::abort();
        (void)Extrait(d, m.debut, m.fin);
    }
    return 0;
}
