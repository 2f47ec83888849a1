#pragma once
// A sheet of fixed sizes for pagination tests: every row `hauteur` high,
// every column `largeur` wide unless given, title rows and columns, breaks.

#include <map>
#include <set>

#include "print/feuille_imprimee.h"

namespace korv::print::test {

class FeuilleFactice final : public FeuilleImprimee {
public:
    FeuilleFactice(int lignes, int colonnes, std::int32_t hauteur = 300, std::int32_t largeur = 1000)
        : lignes_(lignes), colonnes_(colonnes), hauteur_(hauteur), largeur_(largeur) {}
    int DerniereLigne() const override { return lignes_; }
    int DerniereColonne() const override { return colonnes_; }
    bool LigneTitre(int l) const override { return titres.contains(l); }
    int ColonnesTitre() const override { return colonnesTitre; }
    std::int32_t HauteurLigne(int l) const override {
        const auto it = hauteurs.find(l);
        return it != hauteurs.end() ? it->second : hauteur_;
    }
    std::int32_t LargeurColonne(int c) const override {
        const auto it = largeurs.find(c);
        return it != largeurs.end() ? it->second : largeur_;
    }
    bool SautApresLigne(int l) const override { return sautsLignes.contains(l); }
    bool SautApresColonne(int c) const override { return sautsColonnes.contains(c); }
    bool TitreEnPremiereLigne() const override { return titreEnPremiereLigne; }

    std::set<int> titres;
    int colonnesTitre = 0;
    std::map<int, std::int32_t> hauteurs, largeurs;
    std::set<int> sautsLignes, sautsColonnes;
    bool titreEnPremiereLigne = false;

private:
    int lignes_, colonnes_;
    std::int32_t hauteur_, largeur_;
};

}  // namespace korv::print::test
