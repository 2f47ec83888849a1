#pragma once
// User variables of scripts and formulas (one table for the whole run:
// global ones declared by the start program, local ones by page and object
// scripts) and the system variables the engine answers.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "formula/valeur.h"

namespace korv::formula {

struct ServicesFormule;

struct VariableEntree {
    Valeur valeur;
    std::string nom;            // trimmed, upper case
    std::uint8_t globale = 0;   // 1 global, 0 local
    bool operator==(const VariableEntree&) const = default;
};

// How the compiler classifies a formula word (`VarQuelType`).
enum class TypeMot : std::uint8_t {
    Aucun = 0,
    VariableSysteme = 1,
    VariableNombre = 2,
    VariableChaine = 3,
    ReferenceObjet = 4,
};

class TableVariables {
public:
    static constexpr int kMaxVariables = 32000;

    // False (nothing changes) for an empty or reserved name, a name holding
    // one of ( ) blank + , - . / * ^ > = ', an existing name or a full table.
    bool VarCree(std::string_view nom, Valeur valeur, std::uint8_t globale);
    // Assigns a declared variable; `nom` is rewritten trimmed and upper
    // case. PASSEVALEUR sets the pass value. False for an unknown name.
    bool VarLet(std::string& nom, const Valeur& valeur);
    // Null when no variable has that name.
    Valeur VarValeur(std::string_view nom) const;
    // 1-based index of the variable of exactly that name; 0 when none.
    int VarRang(std::string_view nom) const;
    // `mot` trimmed and upper case.
    TypeMot VarQuelType(std::string_view mot) const;
    // Deletes entry `index` (1-based): the last entry takes its place.
    void VarSupprimer(int index);
    void VarSupprimerToutes();
    void VarLocalesSupprimer();

    int NombreVariables() const { return static_cast<int>(table_.size()); }
    const VariableEntree& Entree(int index) const { return table_.at(static_cast<std::size_t>(index - 1)); }

    // The global pass value (`PasseValeur`).
    std::string PasseValeur;

private:
    // Looked up by string_view without building a string (long names would
    // cost an allocation on every read of a formula's variable).
    struct HachageNom {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
    };

    std::vector<VariableEntree> table_;
    std::unordered_map<std::string, int, HachageNom, std::equal_to<>> rangs_;  // name -> 1-based index, kept with table_
};

bool EstVariableSysteme(std::string_view nom);
// Value of a system variable; Empty for any other name.
Valeur VarSystemeValeur(std::string_view nom, const ServicesFormule& services);

}  // namespace korv::formula
