#include "print/export_remplacements.h"

#include <cstdlib>
#include <string_view>

namespace korv::print {

namespace {

// Replaces, scanning forward, each text that starts with `debut` and ends
// with the first `fin` after it, by what `par` makes of it.
void Remplace(std::string& t, std::string_view debut, char fin, std::size_t finDepuis,
              const std::function<std::string(std::string_view)>& par) {
    std::size_t p = 0;
    while ((p = t.find(debut, p)) != std::string::npos) {
        const std::size_t q = t.find(fin, p + finDepuis);
        if (q == std::string::npos) return;  // no end: left as it is
        const std::string r = par(std::string_view(t).substr(p, q - p + 1));
        t.replace(p, q - p + 1, r);
        p += r.size();
    }
}

// The leading digits of a text as a number, 0 when there are none.
int Val(std::string_view s) {
    int v = 0;
    for (const char c : s) {
        if (c < '0' || c > '9' || v > 100000) break;
        v = v * 10 + (c - '0');
    }
    return v;
}

}  // namespace

std::string RemplaceReferencesCellules(std::string texte,
                                       const std::function<std::string(const std::string&)>& valeur) {
    // "$ident" and its opening character come before the closing "$".
    Remplace(texte, "$ident", '$', 1, [&](std::string_view m) {
        return m.size() >= 9 ? valeur(std::string(m.substr(7, m.size() - 9))) : valeur(std::string());
    });
    return texte;
}

std::string TexteExporteRTF(std::string rtf,
                            const std::function<std::string(int, ModeTableauRTF)>& tableau) {
    Remplace(rtf, "$TABLEAU_RTF", '$', 1, [&](std::string_view m) {
        const std::size_t v1 = m.find(',');
        const std::size_t v2 = v1 == std::string_view::npos ? v1 : m.find(',', v1 + 1);
        const int feuille = v1 == std::string_view::npos ? 0 : Val(m.substr(v1 + 1));
        const int mode = v2 == std::string_view::npos ? 0 : Val(m.substr(v2 + 1, 1));
        return tableau(feuille, static_cast<ModeTableauRTF>(mode)) + " \\par \\li495 \\ri495";
    });
    Remplace(rtf, "<...nouvelle page...>", '>', 1, [](std::string_view) { return std::string(" \\page "); });
    Remplace(rtf, "<TABULATION>", '>', 1, [](std::string_view) { return std::string(); });
    Remplace(rtf, "<NUMERO DE PAGE", '>', 1, [](std::string_view) { return std::string(); });
    return rtf;
}

}  // namespace korv::print
