#pragma once
// Stored form of a compiled formula: the token list, the SI switch and the
// cells the formula reads. The scene file carries it in two layouts: the
// sequential record `ExpressionEnregistrement` (inside a grid's complete
// record) and the array element `ExpressionUDT` (a page's formula block).

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

// GCC 12 sees a memcpy of the inline storage it cannot bound as an
// over-read once the container's copy is inlined; the copy only ever moves
// the elements the container holds.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wstringop-overread"
#endif
#include <boost/container/small_vector.hpp>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace korv {
class BinaryReader;
class BinaryWriter;
}  // namespace korv

namespace korv::formula {

// Token kinds (`GenreJeton`).
enum class GenreJeton : std::uint8_t {
    Operateur = 1,
    VariableSysteme = 2,
    Fonction = 3,
    Constante = 4,
    VariableNombre = 5,
    VariableChaine = 6,
    ReferenceObjet = 7,
};

// A token's value as stored: a byte (operator and function codes), a
// double (numeric constants) or a cp1252 string (names, quoted constants,
// packed references, whose bytes take all 256 values).
using ValeurJeton = std::variant<std::uint8_t, double, std::string>;

// Variant type tags used in the files.
inline constexpr std::uint16_t kTagOctet = 17;
inline constexpr std::uint16_t kTagDouble = 5;
inline constexpr std::uint16_t kTagChaine = 8;

struct JetonFormule {
    std::uint8_t genre = 0;  // a GenreJeton, kept raw so that any stored byte round-trips
    ValeurJeton valeur{std::uint8_t{0}};
    bool operator==(const JetonFormule&) const = default;
};

// One referenced cell or zone, 8 bytes in the files.
struct ExpressionReference {
    std::int16_t page = 0;
    std::int16_t objet = 0;
    std::uint8_t colonne1 = 0;
    std::uint8_t ligne1 = 0;
    std::uint8_t colonne2 = 0;
    std::uint8_t ligne2 = 0;
    bool operator==(const ExpressionReference&) const = default;
};

// A formula's tokens and references. Most formulas have only a few of
// each: they are kept inside the formula, so that loading a grid's
// hundreds of formulas does not allocate twice per formula.
using ListeJetons = boost::container::small_vector<JetonFormule, 4>;
using ListeReferences = boost::container::small_vector<ExpressionReference, 4>;

// The stored part of an `ExpressionClasse`.
struct ExpressionEnregistrement {
    ListeJetons jetons;
    std::int16_t contientSi = 0;  // -1 or 0
    ListeReferences references;
    bool operator==(const ExpressionEnregistrement&) const = default;
};

// How a block element's array was described in the file, kept so that the
// element is written back byte for byte: the lower bound need not be 1, and
// an empty array may carry a one-dimension descriptor with count 0.
struct DescripteurTableau {
    std::int32_t borneInferieure = 1;
    bool videDecrit = false;
    bool operator==(const DescripteurTableau&) const = default;
};

// Element of a page's formula block: the record plus the two bytes that
// locate the owner cell.
struct ExpressionUDT {
    ExpressionUDT() = default;
    // The usual element: arrays described from 1.
    ExpressionUDT(std::uint8_t c, std::uint8_t l, ExpressionEnregistrement e)
        : colonne(c), ligne(l), expression(std::move(e)) {}

    std::uint8_t colonne = 0;
    std::uint8_t ligne = 0;
    ExpressionEnregistrement expression;
    DescripteurTableau tableauJetons;
    DescripteurTableau tableauReferences;
    bool operator==(const ExpressionUDT&) const = default;
};

// Sequential record (`LitDansFichier` / `EcritDansFichier` of a formula).
ExpressionEnregistrement LitExpressionEnregistrement(BinaryReader& in);
void EcritExpressionEnregistrement(BinaryWriter& out, const ExpressionEnregistrement& e);

// Block element by the record rule (arrays with their descriptors).
ExpressionUDT LitExpressionUDT(BinaryReader& in);
// The same, read into an element already in its list (a page's block holds
// thousands: moving each one in would copy its inline tokens).
void LitExpressionUDTDans(BinaryReader& in, ExpressionUDT& u);
void EcritExpressionUDT(BinaryWriter& out, const ExpressionUDT& e);

JetonFormule LitJeton(BinaryReader& in);
void EcritJeton(BinaryWriter& out, const JetonFormule& j);

}  // namespace korv::formula
