#pragma once
// One cell of a grid (`CaseTableau`). A cell whose settings equal the
// defaults holds no attribute object of its own and reads the shared
// default one; the first change makes its own copy (copy on write).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grid/case_attribut.h"

namespace korv::formula {
class ExpressionClasse;
}

namespace korv::grid {

class ScriptCase;

// `TypeResultatCase`.
namespace resultat {
inline constexpr std::uint8_t kEntree = 0;          // plain cell
inline constexpr std::uint8_t kEntreeSurFormule = 1;
inline constexpr std::uint8_t kACalculer = 2;
inline constexpr std::uint8_t kCalcule = 3;
inline constexpr std::uint8_t kEnCalcul = 4;
inline constexpr std::uint8_t kErreur = 5;
}  // namespace resultat

// A formula cell that reads this cell: (page, object) of its grid, and its cell.
struct ReferenceDeCase {
    std::int16_t page = 0;
    std::int16_t objet = 0;
    std::uint8_t colonne = 0;
    std::uint8_t ligne = 0;
    bool operator==(const ReferenceDeCase&) const = default;
};

class CaseTableau {
public:
    CaseTableau();
    ~CaseTableau();
    CaseTableau(CaseTableau&&) noexcept;
    CaseTableau& operator=(CaseTableau&&) noexcept;

    std::string Texte;   // the entry, or the formula source beginning with "="
    std::string Valeur;  // computed value of a formula, or an entry over it
    std::uint8_t ResultatType = resultat::kEntree;
    std::unique_ptr<formula::ExpressionClasse> Formule;
    std::vector<ReferenceDeCase> ReferencesDe;

    const TableauCaseAttributClasse& Attribut() const { return propre_ ? propre_->attribut : AttributDefaut(); }
    // The cell's own attribute object, copied from the defaults when it had none.
    TableauCaseAttributClasse& AttributModifiable();
    bool AttributPropre() const { return propre_ != nullptr; }
    // Back to the shared defaults (drops the cell's own object).
    void AttributPartage() { propre_.reset(); }

    // The cell's script compiled (`ScriptCompile`): kept while the script
    // is the text it was compiled from, so it is compiled again only after
    // a change. Null when not compiled or no longer current.
    std::shared_ptr<ScriptCase> ScriptCompileCourant() const;
    // Keeps `script` as compiled from `texte`. Only a cell with its own
    // settings has a script: on a cell sharing the defaults it keeps nothing.
    void ScriptCompileGarde(std::shared_ptr<ScriptCase> script, std::string texte);
    void ScriptCompileOublie();

private:
    // A cell's own settings and the script compiled from them, together:
    // the defaults have no script, and most cells share them, so a cell
    // pays for neither.
    struct Propre {
        TableauCaseAttributClasse attribut;
        std::shared_ptr<ScriptCase> scriptCompile;
        std::string scriptCompileTexte;
    };
    std::unique_ptr<Propre> propre_;
};

}  // namespace korv::grid
