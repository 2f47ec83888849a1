#include "rtf/document.h"

#include <algorithm>
#include <utility>

namespace korv::rtf {

std::u32string Document::TexteBrut() const {
    std::u32string r;
    for (std::size_t i = 0; i < paragraphes.size(); ++i) {
        if (i > 0) r += U"\r\n";
        for (const auto& m : paragraphes[i].morceaux) r += m.texte;
    }
    return r;
}

bool Document::EstVide() const {
    if (paragraphes.size() > 1) return false;
    for (const auto& p : paragraphes) {
        for (const auto& m : p.morceaux) {
            if (!m.texte.empty()) return false;
        }
    }
    return true;
}

const Police* Document::PoliceNumero(std::int32_t numero) const {
    for (const auto& p : polices) {
        if (p.numero == numero) return &p;
    }
    return nullptr;
}

namespace {

std::string Majuscules(std::string_view s) {
    std::string r(s);
    for (char& c : r) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return r;
}

}  // namespace

bool PoliceWingdings(const Police& police) { return Majuscules(police.nom).rfind("WINGDINGS", 0) == 0; }

bool PoliceDeSymboles(const Police& police) {
    return police.jeu == kJeuSymbole || Majuscules(police.nom) == "SYMBOL" || PoliceWingdings(police);
}

namespace {

// Walks the characters: for each, its plain and Qt widths; stops when `fin`
// says the wanted position is reached.
template <typename Fin>
std::pair<std::int64_t, std::int64_t> Parcourir(const Document& d, Fin fin) {
    std::int64_t brute = 0;
    std::int64_t qt = 0;
    for (std::size_t i = 0; i < d.paragraphes.size(); ++i) {
        for (const auto& m : d.paragraphes[i].morceaux) {
            for (const char32_t c : m.texte) {
                if (fin(brute, qt)) return {brute, qt};
                brute += 1;
                qt += c > 0xFFFF ? 2 : 1;
            }
        }
        if (i + 1 < d.paragraphes.size()) {
            if (fin(brute, qt) || fin(brute + 1, qt)) return {brute, qt};
            brute += 2;
            qt += 1;
        }
    }
    return {brute, qt};
}

}  // namespace

std::int32_t PositionDocumentQt(const Document& d, std::int32_t positionBrute) {
    const std::int64_t voulue = std::max<std::int64_t>(positionBrute, 0);
    return static_cast<std::int32_t>(Parcourir(d, [&](std::int64_t b, std::int64_t) { return b >= voulue; }).second);
}

std::int32_t PositionBrute(const Document& d, std::int32_t positionQt) {
    const std::int64_t voulue = std::max<std::int64_t>(positionQt, 0);
    return static_cast<std::int32_t>(Parcourir(d, [&](std::int64_t, std::int64_t q) { return q >= voulue; }).first);
}

std::string TexteUtf8(std::u32string_view texte) {
    std::string r;
    for (char32_t c : texte) {
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            r += static_cast<char>(c);
        } else if (c < 0x800) {
            r += static_cast<char>(0xC0 | (c >> 6));
            r += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            r += static_cast<char>(0xE0 | (c >> 12));
            r += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            r += static_cast<char>(0xF0 | (c >> 18));
            r += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            r += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return r;
}

Document DocumentDepuisTexte(std::u32string_view texte) {
    Document d;
    d.polices.push_back(Police{0, "fswiss", 0, "Arial"});
    d.paragraphes.emplace_back();
    std::size_t i = 0;
    while (i < texte.size()) {
        const char32_t c = texte[i];
        if (c == U'\r' || c == U'\n') {
            i += (c == U'\r' && i + 1 < texte.size() && texte[i + 1] == U'\n') ? 2 : 1;
            d.paragraphes.emplace_back();
            continue;
        }
        auto& morceaux = d.paragraphes.back().morceaux;
        if (morceaux.empty()) morceaux.emplace_back();
        morceaux.back().texte += c;
        ++i;
    }
    return d;
}

}  // namespace korv::rtf
