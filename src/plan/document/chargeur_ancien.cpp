#include "plan/document/chargeur_ancien.h"

#include <cmath>
#include <stdexcept>

#include "engine/recherche.h"
#include "engine/scene.h"
#include "grid/tableau.h"
#include "platform/binary_reader.h"
#include "platform/cp1252.h"

namespace korv::plan {

namespace {

constexpr int kTextesMethode = 1000;

// Entries that never reach a page: the old print settings, the old opening
// balance (now kept by another page), and the conversion page itself, whose
// records only keep the stream in step.
bool VersBrouillon(std::string_view nom) {
    return nom == "IMPRESSION" || nom == "HDBIL" || nom == kPageConversion;
}

// "MET" followed by decimal digits only, 0 <= n < 1000.
std::optional<int> NumeroTexteMethode(std::string_view nom) {
    if (nom.size() <= 3 || nom.substr(0, 3) != "MET") return std::nullopt;
    int n = 0;
    for (const char c : nom.substr(3)) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
        if (n >= kTextesMethode) return std::nullopt;
    }
    return n;
}

grid::OptionsChargementUtilisateur Options(std::int32_t version, const ElementAncien& e) {
    grid::OptionsChargementUtilisateur o;
    o.version = version;
    // The record's own size, by name: rows and columns.
    o.lignes = e.lignes;
    o.colonnes = e.colonnes;
    o.horsGrilleIgnorees = true;
    return o;
}

// One grid record of the old size, read and dropped (the scratch grid).
void LireBrouillon(BinaryReader& in, std::int32_t version, const ElementAncien& e) {
    (void)grid::LitDonneesUtilisateur(in, e.colonnes, e.lignes, e.colonnes, e.lignes, Options(version, e));
}

// An entry whose page is gone: its items into the scratch grid; the last
// rich text read is the entry's text.
std::string LirePageAbsente(BinaryReader& in, std::int32_t version, const EntreeAncienne& entree,
                            DocumentAncienLu& lu) {
    std::string dernier;
    for (const ElementAncien& e : entree.elements) {
        if (e.genre == GenreElementAncien::Texte) {
            dernier = in.fileString();
        } else {
            LireBrouillon(in, version, e);
            ++lu.brouillon;
        }
    }
    return dernier;
}

// An entry whose page exists: each item to the page's next object of its
// kind, in object order; items beyond them into the scratch grid.
void LirePage(BinaryReader& in, const SceneDocument& s, int page, std::int32_t version, const EntreeAncienne& entree,
              DocumentAncienLu& lu) {
    const engine::PageScene& p = s.scene.Page(page);
    std::vector<int> textes, grilles;
    for (int o = 1; o <= p.ObjetNb(); ++o) {
        if (ObjetTexteDuPlan(s.scene, page, o)) textes.push_back(o);
        if (p.Objet(o).Type() == engine::TypeObjet::Tableau && s.grille(page, o)) grilles.push_back(o);
    }
    std::size_t texte = 0, grille = 0;
    for (const ElementAncien& e : entree.elements) {
        if (e.genre == GenreElementAncien::Texte) {
            std::string t = in.fileString();
            if (texte < textes.size()) {
                ElementAncienLu x;
                x.page = static_cast<std::int16_t>(page);
                x.objet = static_cast<std::int16_t>(textes[texte++]);
                x.texte = std::move(t);
                lu.elements.push_back(std::move(x));
            }
            continue;
        }
        if (grille >= grilles.size()) {
            LireBrouillon(in, version, e);
            ++lu.brouillon;
            continue;
        }
        const int objet = grilles[grille++];
        const std::string& nom = p.Objet(objet).nom;
        grid::OptionsChargementUtilisateur o = Options(version, e);
        // Two grids changed shape since: the old balance sheet's rows 34 and
        // beyond moved down by 5; the opening balance takes only what the
        // user may still edit.
        o.decalage = entree.nom == "BFR" && platform::EgalSansCasseCp1252(nom, "BFRS");
        o.editablesSeuls = entree.nom == "HDBILSAI" && platform::EgalSansCasseCp1252(nom, "SAISIE");
        o.pageEnChargement = static_cast<std::int16_t>(page);
        ElementAncienLu x;
        x.page = static_cast<std::int16_t>(page);
        x.objet = static_cast<std::int16_t>(objet);
        x.grille = true;
        x.donnees = s.grille(page, objet)->LireUtilisateur(in, o);
        x.options = o;
        lu.elements.push_back(std::move(x));
    }
}

}  // namespace

DocumentAncienLu LireDocumentAncien(BinaryReader& in, const SceneDocument& s, std::span<const EntreeAncienne> entrees,
                                    std::int32_t version, const std::function<void(int)>& pourcentage) {
    DocumentAncienLu lu;
    const std::size_t m = entrees.size();
    for (std::size_t i = 0; i < m; ++i) {
        if (pourcentage) {
            pourcentage(static_cast<int>(std::nearbyint(static_cast<double>(i + 1) * 50.0 / static_cast<double>(m))));
        }
        const EntreeAncienne& entree = entrees[i];
        const int page = VersBrouillon(entree.nom) ? 0 : engine::NumeroDePage(s.scene, entree.nom);
        if (page >= 1) {
            LirePage(in, s, page, version, entree, lu);
            continue;
        }
        std::string t = LirePageAbsente(in, version, entree, lu);
        if (VersBrouillon(entree.nom)) continue;
        if (const auto n = NumeroTexteMethode(entree.nom)) lu.textesMethode[*n] = std::move(t);
    }
    return lu;
}

const std::vector<EntreeAncienne>& EntreesD22() {
    static const std::vector<EntreeAncienne> entrees = [] {
        auto d = AnalyserDescripteurAncien(DescripteurD22());
        if (!d) throw std::logic_error("the layout of version 22 does not read");
        return std::move(*d);
    }();
    return entrees;
}

}  // namespace korv::plan
