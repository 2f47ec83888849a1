#pragma once
// A cell's presentation and behaviour settings (`TableauCaseAttributClasse`)
// and the shared default object (`AttributDefaut`) that cells without
// settings of their own read.

#include <cstdint>
#include <string>

namespace korv {
class BinaryReader;
class BinaryWriter;
}  // namespace korv

namespace korv::grid {

// Bits of the invalidation byte.
namespace invalidation {
inline constexpr std::uint8_t kEtat = 7;            // stored state: 1 valid, 2 invalid
inline constexpr std::uint8_t kEditionEfface = 8;   // an edit clears an entry
inline constexpr std::uint8_t kSens = 48;           // direction of invalidation by entry
inline constexpr std::uint8_t kParEntree = 64;      // an entry invalidates a sum cell
inline constexpr std::uint8_t kParSomme = 128;      // a sum cell invalidated by entries
}  // namespace invalidation

inline constexpr std::int32_t kBlanc = 16777215;

class TableauCaseAttributClasse {
public:
    std::int16_t Editable = 0;  // Integer Boolean, kept as stored
    std::uint8_t TypeAffichage = 0;  // 0 text, 1 number, 2 percentage, 3 date
    std::int16_t SousFormat = 0;
    std::int32_t CouleurFond = kBlanc;  // negative: display codes
    std::string Script;
    std::string Fichier;
    std::int32_t CouleurTexte = 0;
    std::string Nom;  // upper case
    std::string Bulle;
    std::uint8_t Invisible = 0;
    std::uint8_t Invalidation = 1;
    std::uint8_t Fusion = 0;  // 0 none, 1 first merged cell, 2 later cell

    // Record classes of the quick grid record.
    bool EstStandard() const;
    bool EstComplet() const;
    bool EstPartiel() const;
    bool EstReduit() const;

    // Every stored field from the source.
    void Copie(const TableauCaseAttributClasse& source);

    // The attribute record of the complete grid record.
    void LitDansFichier(BinaryReader& in);
    void EcritDansFichier(BinaryWriter& out) const;

    bool operator==(const TableauCaseAttributClasse&) const = default;
};

// The default attributes, made on first use and never changed.
const TableauCaseAttributClasse& AttributDefaut();

}  // namespace korv::grid
