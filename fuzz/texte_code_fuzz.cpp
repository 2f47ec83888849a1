// Any bytes as a coded text (a coded-text file or an object's text): the
// readers of lines, pages, pieces and search end and stay inside it, and
// coding it again with the fixed-width measurer ends.
#include <cstdint>
#include <string_view>

#include "text/codeur.h"
#include "text/fichiers_codes.h"
#include "text/requetes.h"
#include "text/source.h"

using namespace korv::text;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view t(reinterpret_cast<const char*>(data), size);
    SourceChaine s(t);
    (void)TexteNbPage(s);
    (void)TexteNLigneVersNPage(s, 3);
    (void)TexteLongNLigneVersNPos(s, 2);
    (void)TexteRecherche(s, "ab", 1);
    (void)TexteLongMorceau(s, 2, 0);
    (void)TexteLongMorceau(s, 0, 3);
    (void)TexteBasLigne(t, 2, 15);
    std::int32_t decalage = 0;
    (void)TexteADecouperQuelleLigneY(t, 0, 1, 0, {0, 3000}, decalage, 0, {}, 500, 15);
    MesureurFixe m;
    (void)TextePrecodeAffichage(TextePrepareAffichageEnleve(t), m, 700, {});
    return 0;
}
