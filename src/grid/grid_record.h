#pragma once
// Stored form of a grid inside the scene file, kept byte-exact so that the
// grid class can take it over. Two layouts exist: the complete record
// (scenes of version 4500, formulas inline) and the quick record (version
// 4600, formulas in the page's formula block).

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "formula/formula_record.h"

namespace korv {
class BinaryReader;
class BinaryWriter;
}  // namespace korv

namespace korv::grid {

enum class FormeGrille : std::uint8_t { Complete, Rapide };

// `ImpressionTableauAttribut`: eight Integers in field order.
using ImpressionAttributFichier = std::array<std::int16_t, 8>;

struct ColonneFichier {
    std::int16_t taille = 0;
    std::int16_t pliee = 0;
    std::int16_t verrou = 0;
    std::int16_t marqueTri = 0;
    ImpressionAttributFichier impression{};
    bool operator==(const ColonneFichier&) const = default;
};

struct LigneFichier {
    std::int16_t taille = 0;
    std::int16_t pliee = 0;
    std::int16_t verrou = 0;
    ImpressionAttributFichier impression{};
    bool operator==(const LigneFichier&) const = default;
};

// The formula stored with a cell text of the complete form, kept outside
// the entry: most entries have none (the quick form never has one), and a
// formula held inline would make every entry as large as its tokens.
class FormuleCaseFichier {
public:
    FormuleCaseFichier() = default;
    FormuleCaseFichier(std::nullopt_t) {}  // NOLINT: reads as the optional it replaces
    FormuleCaseFichier(formula::ExpressionEnregistrement e)  // NOLINT: as above
        : e_(std::make_unique<formula::ExpressionEnregistrement>(std::move(e))) {}
    FormuleCaseFichier(const FormuleCaseFichier& o)
        : e_(o.e_ ? std::make_unique<formula::ExpressionEnregistrement>(*o.e_) : nullptr) {}
    FormuleCaseFichier(FormuleCaseFichier&&) noexcept = default;
    FormuleCaseFichier& operator=(const FormuleCaseFichier& o) {
        if (this != &o) *this = FormuleCaseFichier(o);
        return *this;
    }
    FormuleCaseFichier& operator=(FormuleCaseFichier&&) noexcept = default;
    ~FormuleCaseFichier() = default;

    bool has_value() const { return e_ != nullptr; }
    explicit operator bool() const { return has_value(); }
    const formula::ExpressionEnregistrement& operator*() const { return *e_; }
    const formula::ExpressionEnregistrement* operator->() const { return e_.get(); }
    formula::ExpressionEnregistrement& operator*() { return *e_; }
    formula::ExpressionEnregistrement* operator->() { return e_.get(); }
    bool operator==(const FormuleCaseFichier& o) const {
        return has_value() == o.has_value() && (!has_value() || *e_ == *o.e_);
    }

private:
    std::unique_ptr<formula::ExpressionEnregistrement> e_;
};

struct TexteCaseFichier {
    std::uint8_t colonne = 0;
    std::uint8_t ligne = 0;
    std::string contenu;
    // Complete form only: present exactly when the content begins with "=".
    FormuleCaseFichier formule;
    bool operator==(const TexteCaseFichier&) const = default;
};

struct ResultatCaseFichier {
    std::uint8_t colonne = 0;
    std::uint8_t ligne = 0;
    std::uint8_t type = 0;
    std::string valeur;
    bool operator==(const ResultatCaseFichier&) const = default;
};

// The three attribute entry kinds of the files. The complete record only
// has Complet entries; a quick record has Reduit entries when read with the
// reduced flag, else Complet entries followed by Partiel ones.
enum class GenreAttribut : std::uint8_t { Complet, Reduit, Partiel };

struct AttributCaseFichier {
    std::uint8_t colonne = 0;
    std::uint8_t ligne = 0;
    GenreAttribut genre = GenreAttribut::Complet;
    // Raw stored value: an Integer Boolean in the complete record, a byte
    // (non-zero = true) in the quick one.
    std::int16_t editable = 0;
    std::uint8_t typeAffichage = 0;
    std::string script;
    std::string fichier;
    std::int32_t couleurFond = 0;
    std::int32_t couleurTexte = 0;
    std::string nom;
    std::int16_t sousFormat = 0;
    std::uint8_t invisible = 0;
    std::string bulle;
    std::uint8_t invalidation = 0;
    std::uint8_t fusion = 0;
    bool operator==(const AttributCaseFichier&) const = default;
};

struct GrilleEnregistrement {
    FormeGrille forme = FormeGrille::Rapide;
    bool reduit = false;  // quick form read without column/row blocks
    std::uint8_t colonneNb = 1;
    std::uint8_t ligneNb = 1;
    std::int16_t reserve = 0;  // complete form: read and dropped by the grid
    std::uint8_t decalageColonne = 1;
    std::uint8_t decalageLigne = 1;
    // Complete form: an Integer Boolean; quick form: the stored byte.
    std::int16_t lignesBasColleesEnBas = 0;
    std::vector<ColonneFichier> colonnes;  // colonneNb entries unless reduced
    std::vector<LigneFichier> lignes;      // ligneNb entries unless reduced
    std::vector<TexteCaseFichier> textes;
    std::vector<ResultatCaseFichier> resultats;
    std::vector<AttributCaseFichier> attributs;
    bool operator==(const GrilleEnregistrement&) const = default;
};

// Readers (`LitDansFichierVersionComplete`, `LitDansFichierVersionRapide`):
// every count and cell address is checked; a damaged record throws ReadError.
GrilleEnregistrement LitGrilleComplete(BinaryReader& in);
GrilleEnregistrement LitGrilleRapide(BinaryReader& in, bool reduit);

// The formulas a page's formula block gives a grid must name its cells.
void VerifieFormulesBloc(const BinaryReader& in, const GrilleEnregistrement& g,
                         std::span<const formula::ExpressionUDT> formules);

// Writers, the exact mirror. Throw std::invalid_argument when the record
// cannot be stored in its form (entry kinds, sizes or addresses).
void EcritGrille(BinaryWriter& out, const GrilleEnregistrement& g);

// Number of cell formulas kept in a record (entries beginning with "=").
std::size_t NombreCasesFormule(const GrilleEnregistrement& g);

}  // namespace korv::grid
