#pragma once
// A grid's sheet copy as pagination measures it: rows and columns 1-based,
// heights and widths in twips, the title rows repeated at the top of every
// piece and the title columns at the left of every band, and the page
// breaks set in the grid (a break after that row or column).

#include <cstdint>
#include <memory>

namespace korv::grid {
class Classeur;
class Feuille;
}  // namespace korv::grid

namespace korv::print {

class FeuilleImprimee {
public:
    virtual ~FeuilleImprimee() = default;
    virtual int DerniereLigne() const = 0;
    virtual int DerniereColonne() const = 0;
    virtual bool LigneTitre(int ligne) const = 0;
    // The title columns are 1 to this count.
    virtual int ColonnesTitre() const = 0;
    virtual std::int32_t HauteurLigne(int ligne) const = 0;
    virtual std::int32_t LargeurColonne(int colonne) const = 0;
    virtual bool SautApresLigne(int ligne) const = 0;
    virtual bool SautApresColonne(int colonne) const = 0;
    // Row 1 holds the grid's print title text (the sheet copy writes it
    // there when printing or exporting; other copies leave it blank).
    virtual bool TitreEnPremiereLigne() const { return false; }
    // The sheet itself, for painting; null for a measured fake.
    virtual const grid::Feuille* Feuille() const { return nullptr; }
};

// The rows and columns of a sheet without a size of their own.
inline constexpr std::int32_t kHauteurLigneDefaut = 255;
inline constexpr std::int32_t kLargeurColonneDefaut = 1155;

// A sheet of our spreadsheet model, owned with its book. The title rows and
// columns are the ones the sheet copy marked to repeat; only a run of
// columns that starts at column 1 repeats.
std::unique_ptr<FeuilleImprimee> FeuilleDuClasseur(std::unique_ptr<grid::Classeur> classeur, int numero);

}  // namespace korv::print
