#include "formula/proprietes_arguments.h"

#include <cmath>

#include "formula/nombres.h"

namespace korv::formula {
namespace {

std::optional<double> EntierDansLimites(std::string_view texte, double min, double max) {
    const double v = ArrondiPair(Val(texte));
    if (!(v >= min && v <= max)) return std::nullopt;
    return v;
}

}  // namespace

std::vector<std::string_view> ElementsListe(std::string_view texte, std::string_view separateurs) {
    std::vector<std::string_view> r;
    std::size_t debut = 0;
    for (;;) {
        const std::size_t fin = texte.find_first_of(separateurs, debut);
        if (fin == std::string_view::npos) {
            r.push_back(texte.substr(debut));
            return r;
        }
        r.push_back(texte.substr(debut, fin - debut));
        debut = fin + 1;
    }
}

std::string_view ElementListe(const std::vector<std::string_view>& elements, std::size_t i) {
    return i < elements.size() ? elements[i] : std::string_view{};
}

std::optional<std::uint8_t> OctetVal(std::string_view texte) {
    const auto v = EntierDansLimites(texte, 0.0, 255.0);
    if (!v) return std::nullopt;
    return static_cast<std::uint8_t>(*v);
}

std::optional<std::int16_t> EntierVal(std::string_view texte) {
    const auto v = EntierDansLimites(texte, -32768.0, 32767.0);
    if (!v) return std::nullopt;
    return static_cast<std::int16_t>(*v);
}

std::optional<std::int32_t> LongVal(std::string_view texte) {
    const auto v = EntierDansLimites(texte, -2147483648.0, 2147483647.0);
    if (!v) return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

}  // namespace korv::formula
