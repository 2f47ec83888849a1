#include "print/texte_travail.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/cp1252.h"
#include "rtf/ecrivain.h"
#include "rtf/lecteur.h"
#include "rtf/marqueurs.h"

namespace korv::print {

namespace {

// One position of the plain text: a character, or the CR or LF that ends a
// paragraph (which then carries that paragraph's format).
struct Cellule {
    char32_t c = 0;
    rtf::FormatCaractere format;
    rtf::FormatParagraphe paragraphe;
    bool sautPage = false;
    bool fin = false;  // CR or LF of a paragraph end
};

std::vector<Cellule> Aplatir(const rtf::Document& d, rtf::FormatParagraphe& dernier) {
    std::vector<Cellule> r;
    rtf::FormatCaractere courant;
    for (std::size_t i = 0; i < d.paragraphes.size(); ++i) {
        const auto& p = d.paragraphes[i];
        for (const auto& m : p.morceaux) {
            courant = m.format;
            for (char32_t c : m.texte) r.push_back({c, m.format, p.format, false, false});
        }
        if (i + 1 < d.paragraphes.size()) {
            r.push_back({U'\r', courant, p.format, p.sautPage, true});
            r.push_back({U'\n', courant, p.format, p.sautPage, true});
        } else {
            dernier = p.format;
        }
    }
    return r;
}

void Reconstruire(rtf::Document& d, const std::vector<Cellule>& cellules, const rtf::FormatParagraphe& dernier) {
    d.paragraphes.clear();
    rtf::Paragraphe p;
    auto ajoute = [&p](const Cellule& x) {
        if (p.morceaux.empty() || !(p.morceaux.back().format == x.format)) p.morceaux.push_back({x.format, {}});
        p.morceaux.back().texte += x.c;
    };
    for (std::size_t i = 0; i < cellules.size(); ++i) {
        const Cellule& x = cellules[i];
        if (x.c == U'\r' && i + 1 < cellules.size() && cellules[i + 1].c == U'\n') {
            p.format = x.paragraphe;
            p.sautPage = x.sautPage;
            d.paragraphes.push_back(std::move(p));
            p = {};
            ++i;
            continue;
        }
        ajoute(x);
    }
    p.format = dernier;
    d.paragraphes.push_back(std::move(p));
}

}  // namespace

bool TexteTravail::DefinirRtf(std::string_view texte) {
    auto d = rtf::LireTexteRiche(texte);
    if (!d) {
        Vider();
        return false;
    }
    document_ = std::move(*d);
    if (document_.paragraphes.empty()) document_.paragraphes.emplace_back();
    return true;
}

void TexteTravail::Vider() {
    document_ = rtf::DocumentDepuisTexte(U"");
    if (document_.paragraphes.empty()) document_.paragraphes.emplace_back();
}

std::string TexteTravail::Rtf() const { return rtf::EcrireRtf(document_); }

std::string TexteTravail::RtfPlage(std::int32_t debut, std::int32_t fin) const {
    return rtf::EcrireRtf(rtf::Extrait(document_, debut, fin));
}

void TexteTravail::Remplacer(std::int32_t debut, std::int32_t longueur, std::u32string_view texte) {
    rtf::FormatParagraphe dernier;
    std::vector<Cellule> cellules = Aplatir(document_, dernier);
    const auto n = static_cast<std::int32_t>(cellules.size());
    const std::int32_t a = std::clamp(debut, 0, n);
    const std::int32_t b = std::clamp(a + std::max(longueur, 0), a, n);
    // The inserted text takes the format of the character at the insertion
    // point, or of the one before it at the end of a paragraph or text.
    Cellule modele;
    modele.paragraphe = dernier;
    if (a < n && !cellules[static_cast<std::size_t>(a)].fin) {
        modele = cellules[static_cast<std::size_t>(a)];
    } else if (a > 0) {
        modele = cellules[static_cast<std::size_t>(a - 1)];
    } else if (a < n) {
        modele = cellules[static_cast<std::size_t>(a)];
    }
    modele.fin = false;
    modele.sautPage = false;
    std::vector<Cellule> nouvelles;
    for (char32_t c : texte) {
        Cellule x = modele;
        x.c = c;
        nouvelles.push_back(x);
    }
    cellules.erase(cellules.begin() + a, cellules.begin() + b);
    cellules.insert(cellules.begin() + a, nouvelles.begin(), nouvelles.end());
    Reconstruire(document_, cellules, dernier);
}

void ReferencesRemplacer(TexteTravail& boite, std::size_t depuis,
                         const std::function<std::optional<std::string>(const std::string&)>& valeur) {
    static const std::u32string ident = U"$ident";
    std::u32string brut = boite.TexteBrut();
    for (;;) {
        const std::size_t p = brut.find(ident, depuis);
        if (p == std::u32string::npos) return;
        const std::size_t q = brut.find(U'$', p + ident.size());
        // A reference that never closes stays as it is.
        if (q == std::u32string::npos) return;
        std::u32string reference;
        if (q >= p + 8) reference = brut.substr(p + 7, q - p - 8);
        const std::u32string v = platform::Cp1252VersU32(valeur(platform::U32VersCp1252(reference)).value_or(""));
        boite.Remplacer(static_cast<std::int32_t>(p), static_cast<std::int32_t>(q - p + 1), v);
        brut.replace(p, q - p + 1, v);
        // The value itself is never scanned again.
        depuis = p + v.size();
    }
}

std::string RemplacerDansRtf(std::string_view rtf, std::u32string_view cherche, std::u32string_view remplace,
                             std::vector<Remplacement>* decalages) {
    if (cherche.empty()) return std::string(rtf);
    TexteTravail t;
    if (!t.DefinirRtf(rtf)) return std::string(rtf);
    std::u32string brut = t.TexteBrut();
    std::size_t p = brut.find(cherche);
    if (p == std::u32string::npos) return std::string(rtf);
    std::int32_t ecart = 0;  // shift of the current text against the original
    const auto delta = static_cast<std::int32_t>(remplace.size()) - static_cast<std::int32_t>(cherche.size());
    while (p != std::u32string::npos) {
        t.Remplacer(static_cast<std::int32_t>(p), static_cast<std::int32_t>(cherche.size()), remplace);
        if (decalages) decalages->push_back({static_cast<std::int32_t>(p) - ecart, delta});
        ecart += delta;
        brut.replace(p, cherche.size(), remplace);
        // Scan on past the replacement: a value never is scanned again.
        p = brut.find(cherche, p + remplace.size());
    }
    return t.Rtf();
}

std::int32_t PositionDecalee(std::int32_t position, const std::vector<Remplacement>& decalages) {
    std::int32_t r = position;
    for (const auto& d : decalages) {
        if (d.position < position) r += d.decalage;
    }
    return std::max(r, 0);
}

}  // namespace korv::print
