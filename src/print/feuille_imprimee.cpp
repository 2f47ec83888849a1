#include "print/feuille_imprimee.h"

#include <algorithm>

#include "grid/feuille.h"

namespace korv::print {

static_assert(kHauteurLigneDefaut == grid::kHauteurLigneFeuille, "a plain row has one height in the copy and in print");

namespace {

class FeuilleClasseur final : public FeuilleImprimee {
public:
    FeuilleClasseur(std::unique_ptr<grid::Classeur> classeur, int numero)
        : classeur_(std::move(classeur)), f_(classeur_->FeuilleNumero(numero)) {}

    int DerniereLigne() const override { return f_.LignesUtilisees(); }
    int DerniereColonne() const override { return f_.ColonnesUtilisees(); }
    bool LigneTitre(int ligne) const override {
        const auto [a, b] = f_.lignesFixes;
        return a >= 1 && ligne >= a && ligne <= b;
    }
    int ColonnesTitre() const override { return f_.colonnesFixes.first == 1 ? f_.colonnesFixes.second : 0; }
    std::int32_t HauteurLigne(int ligne) const override {
        const auto it = f_.hauteurs.find(ligne);
        return it != f_.hauteurs.end() ? it->second : kHauteurLigneDefaut;
    }
    std::int32_t LargeurColonne(int colonne) const override {
        const auto it = f_.largeurs.find(colonne);
        return it != f_.largeurs.end() ? it->second : kLargeurColonneDefaut;
    }
    bool SautApresLigne(int ligne) const override {
        return std::find(f_.sautsLignes.begin(), f_.sautsLignes.end(), ligne) != f_.sautsLignes.end();
    }
    bool SautApresColonne(int colonne) const override {
        return std::find(f_.sautsColonnes.begin(), f_.sautsColonnes.end(), colonne) != f_.sautsColonnes.end();
    }
    // Only the print and export copies write the title itself; the others
    // keep its row blank, and the title is then printed apart.
    bool TitreEnPremiereLigne() const override {
        const grid::CelluleFeuille* c = f_.Cellule(1, 1);
        return !f_.titreImpression.empty() && c != nullptr && c->genre == grid::CelluleFeuille::Genre::Texte &&
               c->texte == f_.titreImpression;
    }
    const grid::Feuille* Feuille() const override { return &f_; }

private:
    std::unique_ptr<grid::Classeur> classeur_;
    grid::Feuille& f_;
};

}  // namespace

std::unique_ptr<FeuilleImprimee> FeuilleDuClasseur(std::unique_ptr<grid::Classeur> classeur, int numero) {
    return std::make_unique<FeuilleClasseur>(std::move(classeur), numero);
}

}  // namespace korv::print
