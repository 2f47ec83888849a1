#pragma once
// Page objects, grids, charts and cells for the print job's tests.

#include <map>
#include <string>
#include <utility>

#include "feuille_factice.h"
#include "print/ajout_objets.h"

namespace korv::print::test {

class SourcesFactices final : public SourcesImpression {
public:
    // A rich text whose text field holds `texte` (plain or RTF).
    void Texte(int page, int objet, std::string texte) { objets[{page, objet}] = {13, 2, std::move(texte), {}}; }
    // A grid whose copy has `lignes` rows.
    void Grille(int page, int objet, int lignes, std::string titre = "Titre") {
        objets[{page, objet}] = {12, 0, {}, {}};
        grilles[{page, objet}] = {lignes, std::move(titre)};
    }
    void Graphique(int page, int objet) { objets[{page, objet}] = {14, 0, "P.A,P.B", {}}; }

    int NombreObjets(int page) override {
        int n = 0;
        for (const auto& [k, v] : objets) {
            if (k.first == page) n = std::max(n, k.second);
        }
        return n;
    }
    std::optional<Objet> ObjetPage(int page, int objet) override {
        const auto it = objets.find({page, objet});
        if (it == objets.end()) return std::nullopt;
        return it->second;
    }
    std::optional<std::string> FichierLu(std::string_view fichier) override {
        const auto it = fichiers.find(std::string(fichier));
        if (it == fichiers.end()) return std::nullopt;
        return it->second;
    }
    std::optional<CopieGrille> CopierGrille(int page, int objet) override {
        const auto it = grilles.find({page, objet});
        if (it == grilles.end()) return std::nullopt;
        return CopieGrille{std::make_unique<FeuilleFactice>(it->second.first, 3), it->second.second};
    }
    grid::ContenuGraphique CopierGraphique(int page, int objet) override {
        ++graphiquesCopies;
        grid::ContenuGraphique c;
        c.titre = std::to_string(page) + "." + std::to_string(objet);
        return c;
    }
    std::optional<std::string> CaseReferenceValeur(std::string_view reference) override {
        const auto it = cases.find(std::string(reference));
        if (it == cases.end()) return std::nullopt;
        return it->second;
    }

    std::map<std::pair<int, int>, Objet> objets;
    std::map<std::pair<int, int>, std::pair<int, std::string>> grilles;
    std::map<std::string, std::string> fichiers;
    std::map<std::string, std::string> cases;
    int graphiquesCopies = 0;
};

}  // namespace korv::print::test
