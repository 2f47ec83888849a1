#pragma once
// One compiled formula (`ExpressionClasse`): its postfix tokens, whether it
// holds a SI, the grid cells it reads, and the cell that owns it. Compiled
// by Code (compilateur.cpp), evaluated by Evalue (evaluateur.cpp), stored
// through the formula records of formula_record.h.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formula/formula_record.h"
#include "formula/valeur.h"

namespace korv {
class BinaryReader;
class BinaryWriter;
}  // namespace korv

namespace korv::formula {

struct ServicesFormule;
class ServicesScene;

class ExpressionClasse {
public:
    ExpressionClasse() = default;
    explicit ExpressionClasse(ExpressionEnregistrement e) : enr_(std::move(e)) {}

    // --- compiler ----------------------------------------------------------
    // Compiles a formula text (without its leading "="), replacing what the
    // object held. False for an empty or blank text and when a word is no
    // variable, function, operator, quoted text or number (the words that
    // were understood are kept).
    bool Code(std::string texte, const ServicesFormule& services);
    bool ContientAuMoinsUnSi() const { return enr_.contientSi != 0; }

    // --- evaluator -----------------------------------------------------------
    // The formula's value; Null when it leaves other than one value or any
    // run-time error happens on the way. Never throws for formula errors.
    Valeur Evalue(const ServicesFormule& services);

    // --- records -------------------------------------------------------------
    // Reads one formula record; on a damaged record throws ReadError and
    // leaves the object unchanged.
    void LitDansFichier(BinaryReader& in);
    void EcritDansFichier(BinaryWriter& out) const;
    // From and to an element of a page's formula block.
    void LitValeursDansUDT(const ExpressionUDT& element);
    void EcritValeursDansUDT(ExpressionUDT& element) const;

    // --- references ----------------------------------------------------------
    // Rebuilds the list of cells and zones read, from the reference tokens.
    void ReferenceVersCree();
    // Registers cell (page, objet, colonne, ligne)'s formula as a dependant
    // of every cell the references cover. References to an object that is
    // not a grid are passed over.
    void AjouteReferenceDe(std::int16_t page, std::int16_t objet, std::uint8_t colonne, std::uint8_t ligne,
                           ServicesScene& scene) const;
    std::int16_t NombreDeReferenceVers() const { return static_cast<std::int16_t>(enr_.references.size()); }
    // Arms the self-reference test for the next Evalue.
    void ChangeCaseReference(std::int16_t page, std::int16_t objet, std::uint8_t colonne, std::uint8_t ligne);
    // Whether a packed reference covers this formula's own cell.
    bool ExpressionReferenceEstElleActive(std::string_view packed) const;

    // --- contents ------------------------------------------------------------
    std::span<const JetonFormule> Jetons() const { return {enr_.jetons.data(), enr_.jetons.size()}; }
    int NombreJetons() const { return static_cast<int>(enr_.jetons.size()); }
    std::span<const ExpressionReference> References() const {
        return {enr_.references.data(), enr_.references.size()};
    }
    const ExpressionEnregistrement& Enregistrement() const { return enr_; }
    std::int16_t PageProprietaire() const { return pageProprietaire_; }

private:
    friend class Compilateur;

    std::int16_t pageProprietaire_ = 0;
    std::int16_t objetProprietaire_ = 0;
    std::uint8_t colonneProprietaire_ = 0;
    std::uint8_t ligneProprietaire_ = 0;
    ExpressionEnregistrement enr_;
};

// Property codes whose references read cell values (and only these make
// dependencies): 10, 11, 12, 13, 14, 25, 26.
bool ProprieteKORReferenceTElleSelonValeurDAuMoinsUneCase(std::uint8_t code);

}  // namespace korv::formula
