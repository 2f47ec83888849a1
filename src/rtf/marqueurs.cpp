#include "rtf/marqueurs.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace korv::rtf {

namespace {

std::int32_t Longueur(std::u32string_view t) {
    return static_cast<std::int32_t>(std::min<std::size_t>(t.size(), INT32_MAX));
}

bool CrLfA(std::u32string_view t, std::int32_t i) {
    return i >= 0 && i + 1 < Longueur(t) && t[static_cast<std::size_t>(i)] == U'\r' &&
           t[static_cast<std::size_t>(i) + 1] == U'\n';
}

}  // namespace

int NombreMarqueurs(std::u32string_view t) {
    return static_cast<int>(std::count(t.begin(), t.end(), kMarqueurPage));
}

LimitesMorceau MorceauLimites(std::u32string_view t, int n) {
    LimitesMorceau r;
    if (n <= 0) return r;
    std::size_t depuis = 0;
    for (int i = 1; i <= n; ++i) {
        const std::size_t marque = t.find(kMarqueurPage, depuis);
        if (marque == std::u32string_view::npos) break;  // the last page runs to the end
        const auto k = static_cast<std::int32_t>(marque);
        if (i < n) {
            // The page starts right after the marker and its CR LF.
            r.debut = k + 1;
            if (CrLfA(t, r.debut)) r.debut += 2;
        } else {
            r.fin = k;
        }
        depuis = marque + 1;
    }
    return r;
}

int NombrePages(std::u32string_view t) {
    const int marqueurs = NombreMarqueurs(t);
    const LimitesMorceau dernier = MorceauLimites(t, marqueurs + 1);
    const std::u32string_view reste = t.substr(static_cast<std::size_t>(dernier.debut));
    const bool texteApres = reste.find_first_not_of(U" \t\r\n") != std::u32string_view::npos;
    return marqueurs + (texteApres || marqueurs == 0 ? 1 : 0);
}

PositionsMorceau TexteMarqueurPosition(std::u32string_view t, int n) {
    const LimitesMorceau m = MorceauLimites(t, std::max(n, 1));
    return {m.debut + 1, m.fin < 0 ? Longueur(t) : m.fin};
}

int MorceauDuCurseur(std::u32string_view t, std::int32_t curseur) {
    const auto fin = static_cast<std::size_t>(std::clamp(curseur, 0, Longueur(t)));
    return 1 + static_cast<int>(std::count(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(fin), kMarqueurPage));
}

std::optional<LimitesMorceau> MorceauCourantLimites(std::u32string_view t, std::int32_t curseur) {
    if (curseur == 0) return std::nullopt;
    return MorceauLimites(t, MorceauDuCurseur(t, curseur));
}

Document Extrait(const Document& d, std::int32_t debut, std::int32_t fin) {
    Document r;
    r.polices = d.polices;
    r.couleurs = d.couleurs;
    r.policeDefaut = d.policeDefaut;
    const std::int64_t a = std::max(debut, 0);
    const std::int64_t b = fin < 0 ? INT64_MAX : static_cast<std::int64_t>(fin);
    std::int64_t s = 0;  // start of the paragraph in the plain text
    for (const Paragraphe& p : d.paragraphes) {
        std::int64_t longueur = 0;
        for (const auto& m : p.morceaux) longueur += static_cast<std::int64_t>(m.texte.size());
        const std::int64_t e = s + longueur;
        // Paragraph [s, e), then its CR LF [e, e + 2).
        if (e + 2 <= a) {
            s = e + 2;
            continue;
        }
        if (s >= b) break;
        Paragraphe q;
        q.format = p.format;
        q.sautPage = p.sautPage;
        std::int64_t pos = s;
        for (const auto& m : p.morceaux) {
            const std::int64_t ms = pos;
            const std::int64_t me = pos + static_cast<std::int64_t>(m.texte.size());
            pos = me;
            const std::int64_t x = std::max(ms, a);
            const std::int64_t y = std::min(me, b);
            if (x >= y) continue;
            q.morceaux.push_back(
                Morceau{m.format, m.texte.substr(static_cast<std::size_t>(x - ms), static_cast<std::size_t>(y - x))});
        }
        r.paragraphes.push_back(std::move(q));
        s = e + 2;
    }
    if (r.paragraphes.empty()) r.paragraphes.emplace_back();
    r.paragraphes.back().sautPage = false;
    return r;
}

void MarqueursRetirer(Document& d) {
    std::vector<Paragraphe> gardes;
    gardes.reserve(d.paragraphes.size());
    for (Paragraphe& p : d.paragraphes) {
        bool marque = false;
        for (Morceau& m : p.morceaux) {
            const auto fin = std::remove(m.texte.begin(), m.texte.end(), kMarqueurPage);
            marque = marque || fin != m.texte.end();
            m.texte.erase(fin, m.texte.end());
        }
        if (marque) std::erase_if(p.morceaux, [](const Morceau& m) { return m.texte.empty(); });
        if (marque && p.morceaux.empty()) {
            if (!p.sautPage) continue;
            // Its page break stays: with the paragraph before, or, when there
            // is none, on this paragraph left empty.
            if (!gardes.empty()) {
                gardes.back().sautPage = true;
                continue;
            }
        }
        gardes.push_back(std::move(p));
    }
    if (gardes.empty()) gardes.emplace_back();
    d.paragraphes = std::move(gardes);
}

}  // namespace korv::rtf
