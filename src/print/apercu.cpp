#include "print/apercu.h"

#include <charconv>

namespace korv::print {

std::int32_t PageDemandee(std::string_view texte, std::int32_t nombre) {
    while (!texte.empty() && texte.front() == ' ') texte.remove_prefix(1);
    while (!texte.empty() && texte.back() == ' ') texte.remove_suffix(1);
    std::int32_t n = 0;
    const auto [fin, err] = std::from_chars(texte.data(), texte.data() + texte.size(), n);
    if (err != std::errc{} || fin != texte.data() + texte.size() || n < 1 || n > nombre) return nombre > 0 ? 1 : 0;
    return n;
}

}  // namespace korv::print
