#include "rtf/assemblage.h"

#include <algorithm>
#include <map>
#include <utility>

namespace korv::rtf {

namespace {

bool MemePolice(const Police& a, const Police& b) { return a.nom == b.nom && a.jeu == b.jeu; }

// The number each font of `source` takes in `cible`.
std::map<std::int32_t, std::int32_t> PolicesFusionnees(Document& cible, const Document& source) {
    std::map<std::int32_t, std::int32_t> r;
    std::int32_t suivante = 0;
    for (const auto& p : cible.polices) suivante = std::max(suivante, p.numero + 1);
    for (const auto& p : source.polices) {
        const auto it = std::find_if(cible.polices.begin(), cible.polices.end(),
                                     [&p](const Police& q) { return MemePolice(p, q); });
        if (it != cible.polices.end()) {
            r[p.numero] = it->numero;
            continue;
        }
        Police n = p;
        n.numero = suivante++;
        cible.polices.push_back(n);
        r[p.numero] = n.numero;
    }
    return r;
}

// The index each colour of `source` takes in `cible` (0, the automatic
// colour, stays 0).
std::vector<std::int32_t> CouleursFusionnees(Document& cible, const Document& source) {
    std::vector<std::int32_t> r(source.couleurs.size(), 0);
    if (cible.couleurs.empty()) cible.couleurs.push_back(CouleurRtf{});
    for (std::size_t i = 1; i < source.couleurs.size(); ++i) {
        const CouleurRtf& c = source.couleurs[i];
        std::size_t k = 1;
        while (k < cible.couleurs.size() && !(cible.couleurs[k] == c)) ++k;
        if (k == cible.couleurs.size()) cible.couleurs.push_back(c);
        r[i] = static_cast<std::int32_t>(k);
    }
    return r;
}

bool ParagrapheVide(const Paragraphe& p) {
    return std::all_of(p.morceaux.begin(), p.morceaux.end(), [](const Morceau& m) { return m.texte.empty(); });
}

}  // namespace

void AjouterDocument(Document& cible, const Document& source) {
    if (cible.paragraphes.empty()) cible.paragraphes.emplace_back();
    const auto polices = PolicesFusionnees(cible, source);
    const auto couleurs = CouleursFusionnees(cible, source);
    // A run naming a font the source does not declare takes its default font.
    const auto defaut = polices.find(source.policeDefaut);
    auto format = [&](FormatCaractere f) {
        const auto it = polices.find(f.police);
        f.police = it != polices.end() ? it->second : (defaut != polices.end() ? defaut->second : cible.policeDefaut);
        f.couleur = f.couleur > 0 && static_cast<std::size_t>(f.couleur) < couleurs.size()
                        ? couleurs[static_cast<std::size_t>(f.couleur)]
                        : 0;
        return f;
    };
    for (std::size_t i = 0; i < source.paragraphes.size(); ++i) {
        Paragraphe p = source.paragraphes[i];
        for (auto& m : p.morceaux) m.format = format(m.format);
        if (i > 0) {
            cible.paragraphes.push_back(std::move(p));
            continue;
        }
        Paragraphe& dernier = cible.paragraphes.back();
        if (ParagrapheVide(dernier)) {
            dernier.format = p.format;
            dernier.morceaux = std::move(p.morceaux);
        } else {
            for (auto& m : p.morceaux) dernier.morceaux.push_back(std::move(m));
        }
        dernier.sautPage = p.sautPage;
    }
}

void AjouterTexte(Document& cible, std::u32string_view texte) {
    if (cible.paragraphes.empty()) cible.paragraphes.emplace_back();
    FormatCaractere format;
    for (const auto& m : cible.paragraphes.back().morceaux) format = m.format;
    if (cible.paragraphes.back().morceaux.empty() && cible.paragraphes.size() > 1) {
        for (const auto& m : cible.paragraphes[cible.paragraphes.size() - 2].morceaux) format = m.format;
    }
    auto ajoute = [&](char32_t c) {
        auto& morceaux = cible.paragraphes.back().morceaux;
        if (morceaux.empty() || !(morceaux.back().format == format)) morceaux.push_back({format, {}});
        morceaux.back().texte += c;
    };
    for (std::size_t i = 0; i < texte.size(); ++i) {
        const char32_t c = texte[i];
        if (c == U'\r' || c == U'\n') {
            if (c == U'\r' && i + 1 < texte.size() && texte[i + 1] == U'\n') ++i;
            Paragraphe p;
            p.format = cible.paragraphes.back().format;
            cible.paragraphes.push_back(std::move(p));
            continue;
        }
        ajoute(c);
    }
}

}  // namespace korv::rtf
