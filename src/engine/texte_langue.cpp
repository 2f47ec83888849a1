#include "engine/texte_langue.h"

#include <vector>

namespace korv::engine {

std::string TexteTraduction(std::string_view texte, int langue, int nbLangues) {
    const std::string t = std::string(texte) + "|";
    // p(i): position (1-based) of the i-th separator; a missing one is 0 and
    // the following search starts again from the beginning.
    std::vector<std::size_t> p(static_cast<std::size_t>(nbLangues > 0 ? nbLangues : 0) + 1, 0);
    for (std::size_t i = 1; i < p.size(); ++i) {
        const auto f = t.find('|', p[i - 1]);
        p[i] = f == std::string::npos ? 0 : f + 1;
    }
    if (langue < 1 || static_cast<std::size_t>(langue) >= p.size() || p[static_cast<std::size_t>(langue)] < 1) {
        return std::string(texte);
    }
    const std::size_t debut = p[static_cast<std::size_t>(langue) - 1];
    const std::size_t fin = p[static_cast<std::size_t>(langue)] - 1;
    // Separators found out of order would give a negative length: no variant.
    if (fin < debut) return {};
    return t.substr(debut, fin - debut);
}

}  // namespace korv::engine
