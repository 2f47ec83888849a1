#include "plan/methode/textes_methode_souris.h"

#include <algorithm>

#include "rtf/marqueurs.h"

namespace korv::plan {

namespace {

constexpr char32_t kPremierImprimable = 32;

// The format of the character at a plain-text position; none on a
// paragraph end or past the text.
const rtf::FormatCaractere* FormatA(const rtf::Document& d, std::int32_t position) {
    if (position < 0) return nullptr;
    std::int64_t p = position;
    for (std::size_t i = 0; i < d.paragraphes.size(); ++i) {
        for (const rtf::Morceau& m : d.paragraphes[i].morceaux) {
            const auto n = static_cast<std::int64_t>(m.texte.size());
            if (p < n) return &m.format;
            p -= n;
        }
        if (p < 2) return nullptr;  // its CR LF
        p -= 2;
    }
    return nullptr;
}

bool Souligne(const rtf::Document& d, std::int32_t position) {
    const rtf::FormatCaractere* f = FormatA(d, position);
    return f != nullptr && f->souligne;
}

bool Rouge(const rtf::Document& d, const rtf::FormatCaractere& f) {
    if (f.couleur <= 0 || static_cast<std::size_t>(f.couleur) >= d.couleurs.size()) return false;
    const rtf::CouleurRtf& c = d.couleurs[static_cast<std::size_t>(f.couleur)];
    return !c.automatique && c.rouge == 255 && c.vert == 0 && c.bleu == 0;
}

char32_t Majuscule(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    if (c == 0xFF) return 0x178;
    if (c == 0x153) return 0x152;
    return c;
}

bool Blanc(char32_t c) { return c == U' '; }

}  // namespace

bool GlossaireMarque(const rtf::Document& texte, std::int32_t position) {
    const rtf::FormatCaractere* f = FormatA(texte, position);
    return f != nullptr && f->souligne && Rouge(texte, *f);
}

int MenuSavSurvol(std::u32string_view texteBrut, std::int32_t caractere) {
    if (caractere < 0 || static_cast<std::size_t>(caractere) >= texteBrut.size()) return 0;
    return texteBrut[static_cast<std::size_t>(caractere)] >= kPremierImprimable ? kSurvolActif : 0;
}

int GlossaireSurvol(const rtf::Document& texte, std::int32_t caractere) {
    return caractere >= 0 && GlossaireMarque(texte, caractere) ? kSurvolActif : 0;
}

std::u32string MenuSavLigneTexte(std::u32string_view t, std::int32_t position) {
    const auto n = static_cast<std::int64_t>(t.size());
    const auto imprimable = [&](std::int64_t i) {
        return i >= 0 && i < n && t[static_cast<std::size_t>(i)] >= kPremierImprimable;
    };
    std::int64_t debut = position;
    while (debut >= 0 && imprimable(debut)) --debut;
    std::int64_t fin = position;
    while (fin <= n && imprimable(fin)) ++fin;
    ++debut;
    if (fin <= debut) return {};
    return std::u32string(t.substr(static_cast<std::size_t>(debut), static_cast<std::size_t>(fin - debut)));
}

std::optional<int> MenuSavSection(std::u32string_view t, std::u32string_view ligne) {
    while (!ligne.empty() && Blanc(ligne.front())) ligne.remove_prefix(1);
    while (!ligne.empty() && Blanc(ligne.back())) ligne.remove_suffix(1);
    const std::int64_t p = ChercherSansCasse(t, ligne);
    if (p < 0) return std::nullopt;
    const auto avant = t.substr(0, static_cast<std::size_t>(p));
    return 1 + static_cast<int>(std::count(avant.begin(), avant.end(), rtf::kMarqueurPage));
}

std::optional<std::u32string> GlossaireMot(const rtf::Document& texte, std::int32_t caractere) {
    if (caractere < 1 || !GlossaireMarque(texte, caractere)) return std::nullopt;
    // The scans follow the underline alone, as the word's colour may vary.
    std::int32_t debut = caractere;
    while (debut >= 0 && Souligne(texte, debut)) --debut;
    std::int32_t fin = caractere;
    while (Souligne(texte, fin)) ++fin;
    ++debut;
    const std::u32string brut = texte.TexteBrut();
    return brut.substr(static_cast<std::size_t>(debut), static_cast<std::size_t>(fin - debut));
}

DefinitionGlossaire GlossaireDefinitionChercher(const rtf::Document& glossaire, std::u32string_view mot) {
    DefinitionGlossaire r;
    const std::u32string t = glossaire.TexteBrut();
    const std::int64_t p = ChercherSansCasse(t, std::u32string(mot) + U'*');
    if (p < 0) return r;
    r.etat = DefinitionGlossaire::Etat::Incomplete;
    const std::size_t deuxPoints = t.find(U':', static_cast<std::size_t>(p));
    if (deuxPoints == std::u32string::npos) return r;
    const std::size_t fin = t.find(rtf::kMarqueurPage, deuxPoints + 1);
    if (fin == std::u32string::npos || fin == deuxPoints + 1) return r;
    r.etat = DefinitionGlossaire::Etat::Trouvee;
    r.definition =
        rtf::Extrait(glossaire, static_cast<std::int32_t>(deuxPoints + 1), static_cast<std::int32_t>(fin));
    return r;
}

std::optional<rtf::Document> GlossaireMorceau(const rtf::Document& glossaire, int n) {
    const std::u32string t = glossaire.TexteBrut();
    const rtf::LimitesMorceau m = rtf::MorceauLimites(t, n);
    const std::int32_t fin = m.fin < 0 ? static_cast<std::int32_t>(t.size()) : m.fin;
    if (fin <= m.debut) return std::nullopt;
    return rtf::Extrait(glossaire, m.debut, fin);
}

std::int64_t ChercherSansCasse(std::u32string_view texte, std::u32string_view cherche, std::size_t depuis) {
    if (depuis > texte.size()) return -1;
    const auto it = std::search(texte.begin() + static_cast<std::ptrdiff_t>(depuis), texte.end(), cherche.begin(),
                                cherche.end(), [](char32_t a, char32_t b) { return Majuscule(a) == Majuscule(b); });
    if (it == texte.end() && !cherche.empty()) return -1;
    return it - texte.begin();
}

}  // namespace korv::plan
