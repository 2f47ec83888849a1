#pragma once
// Grids for the tests: a stored record of a given size, filled by the
// caller, loaded into a grid laid out in a rectangle.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "formula/formula_record.h"
#include "grid/grid_record.h"
#include "grid/tableau.h"

namespace korv::grid::test {

// A complete record of c columns and r rows of standard sizes.
inline GrilleEnregistrement Enregistrement(int c, int r, std::int16_t largeur = 1200, std::int16_t hauteur = 500) {
    GrilleEnregistrement g;
    g.forme = FormeGrille::Complete;
    g.colonneNb = static_cast<std::uint8_t>(c);
    g.ligneNb = static_cast<std::uint8_t>(r);
    g.colonnes.resize(static_cast<std::size_t>(c));
    for (auto& x : g.colonnes) x.taille = largeur;
    g.lignes.resize(static_cast<std::size_t>(r));
    for (auto& x : g.lignes) x.taille = hauteur;
    return g;
}

inline void Texte(GrilleEnregistrement& g, int c, int r, std::string texte) {
    g.textes.push_back({static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r), std::move(texte), std::nullopt});
}

inline AttributCaseFichier& Attribut(GrilleEnregistrement& g, int c, int r) {
    AttributCaseFichier a;
    a.colonne = static_cast<std::uint8_t>(c);
    a.ligne = static_cast<std::uint8_t>(r);
    a.couleurFond = 16777215;
    a.invalidation = 1;
    g.attributs.push_back(a);
    return g.attributs.back();
}

inline std::unique_ptr<TableauClasse> Grille(const GrilleEnregistrement& g, std::int32_t largeur = 10000,
                                             std::int32_t hauteur = 10000,
                                             const std::vector<formula::ExpressionUDT>& formules = {}) {
    auto t = std::make_unique<TableauClasse>();
    t->InitialiseRectangleParent(0, 0, largeur, hauteur);
    t->Charge(g, formules);
    return t;
}

// The stored rows of displayed positions from..to.
inline std::vector<int> LignesAffichees(const TableauClasse& t, int de, int a) {
    std::vector<int> v;
    for (int p = de; p <= a; ++p) v.push_back(t.LigneAfficheeVersStockee(p));
    return v;
}

}  // namespace korv::grid::test
