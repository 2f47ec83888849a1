// Any bytes as a tagged text: the sequence walk ends, and the readers of
// tags, formats, pieces and plain text stay inside the text, and its
// conversion to rich text writes RTF our reader takes back.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "rtf/ecrivain.h"
#include "rtf/lecteur.h"
#include "rtf/texte_balise.h"
#include "text/balises.h"
#include "text/fichiers_codes.h"
#include "text/requetes.h"

using namespace korv::text;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view t(reinterpret_cast<const char*>(data), size);
    Position p = 1;
    for (std::string_view s = TextePrepareSequenceSuivante(t, p); !s.empty(); s = TextePrepareSequenceSuivante(t, p)) {
        (void)TexteCodeSequence(s);
        (void)TexteArgumentSequence(s);
        p += static_cast<Position>(s.size());
    }
    FormatageTexte f;
    TexteAppliqueFormatagePrecedent(t, static_cast<Position>(size), f);
    const auto [d, e] = NCarTexteMorceauDetermine(t, 2, 0, 0);
    if (d < 1 || e > static_cast<Position>(size)) std::abort();
    (void)TexteDecalageVerticalDetermine(0, t, {0, 3000}, {d, e}, 2, f, 15);
    const std::string plain = TexteDecodeSeul(t, true, true);
    (void)TexteNCarDecodeVersNCarCode(t, static_cast<Position>(plain.size() / 2 + 1));
    (void)TextePrepareAffichageEnleve(t);
    (void)InsereTagHypertexteDansTexte(t, "00003abc");
    (void)TexteTraduction(t, 2, 3);
    const korv::rtf::Document riche = korv::rtf::TexteInterneVersRTF(t, "Arial", 15);
    if (!korv::rtf::LireRtf(korv::rtf::EcrireRtf(riche)).document) std::abort();
    return 0;
}
