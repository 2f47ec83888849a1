#include "engine/liste_std.h"

#include <algorithm>

namespace korv::engine {

namespace {

// Element `index` (from 0) of a list of at least one element, wrapping.
std::string ElementCirculaire(std::string_view liste, std::int64_t index) {
    const std::int64_t nombre = ListeStdElementNombre(liste);
    index %= nombre;
    std::size_t debut = 0;
    for (std::int64_t k = 0; k < index; ++k) debut = liste.find(',', debut) + 1;
    const std::size_t fin = liste.find(',', debut);
    return std::string(liste.substr(debut, fin == std::string_view::npos ? std::string_view::npos : fin - debut));
}

}  // namespace

std::string ListeStdVide() { return {}; }

bool ListeStdElementAjoute(std::string& liste, std::string_view valeur) {
    if (liste.empty()) {
        if (valeur.size() > kListeStdLongueurMax) return false;
        liste.assign(valeur);
        return true;
    }
    if (liste.size() + 1 + valeur.size() > kListeStdLongueurMax) return false;
    liste += ',';
    liste += valeur;
    return true;
}

std::int32_t ListeStdElementNombre(std::string_view liste) {
    if (liste.empty()) return 0;
    return static_cast<std::int32_t>(std::count(liste.begin(), liste.end(), ',')) + 1;
}

std::string ListeStdElementValeur(std::string_view liste, std::int32_t n) {
    if (liste.empty()) return {};
    return ElementCirculaire(liste, std::max<std::int64_t>(n, 1) - 1);
}

std::string ListeAVirguleElementValeur(std::string_view liste, std::int32_t n) {
    if (liste.find(',') == std::string_view::npos) return std::string(liste);
    return ElementCirculaire(liste, std::max<std::int64_t>(n, 1) - 1);
}

std::string ChaineRemplaceCaracteres(std::string_view texte, std::string_view cherche,
                                     std::string_view remplace) {
    if (cherche.empty()) return std::string(texte);
    std::string r;
    r.reserve(texte.size());
    std::size_t pos = 0;
    while (true) {
        const std::size_t trouve = texte.find(cherche, pos);
        if (trouve == std::string_view::npos) break;
        r.append(texte.substr(pos, trouve - pos));
        r.append(remplace);
        pos = trouve + cherche.size();
    }
    r.append(texte.substr(pos));
    return r;
}

}  // namespace korv::engine
