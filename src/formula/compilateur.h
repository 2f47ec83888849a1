#pragma once
// Words and text helpers of the formula compiler. The compiler itself is
// ExpressionClasse::Code; these are its parts, public for the script
// language and the tests.

#include <cstdint>
#include <string>
#include <string_view>

#include "formula/formula_record.h"

namespace korv::formula {

// Operator codes (`CodeOperateur`).
enum class CodeOperateur : std::uint8_t {
    Plus = 1, Moins = 2, Divise = 3, Fois = 4, Sup = 5, Inf = 6, Egal = 7, SupEgal = 8, InfEgal = 9,
    Different = 10, Ou = 11, Et = 12, Puissance = 13, Concatene = 14, Separateur = 15,
};

// Function codes the compiler and the evaluator treat themselves.
inline constexpr std::uint8_t kFonctionMoinsUnaire = 6;  // "§"
inline constexpr std::uint8_t kFonctionPlusUnaire = 7;   // "¤"
inline constexpr std::uint8_t kFonctionAlors = 8;
inline constexpr std::uint8_t kFonctionSinon = 9;
inline constexpr std::uint8_t kFonctionSi = 10;
inline constexpr int kNombreFonctions = 90;

// The unary signs as written into the text (cp1252 bytes).
inline constexpr char kCarMoinsUnaire = '\xA7';  // §
inline constexpr char kCarPlusUnaire = '\xA4';   // ¤

// Code of an upper-case operator text; 0 when none.
int ProgOperNum(std::string_view mot);
// Code of an upper-case function word (1 to 90); 0 when none.
std::uint8_t ProgFoncNum(std::string_view mot);
// The word of a function code, the text of an operator code ("" when none).
std::string_view MotFonction(int code);
std::string_view TexteOperateur(int code);

// Puts one blank on each side of every occurrence of `operateur` outside
// single quotes, except the sign of an exponent (1E-5) and the halves of
// ">=", "<=", "<>".
std::string ExprAjouteSeparateurDans(std::string_view texte, std::string_view operateur);
// Replaces `cherche` by `remplace` outside single quotes.
std::string ExprRemplaceHorsChaines(std::string_view texte, std::string_view cherche, std::string_view remplace);
// The next word from 1-based `position`, its leading blanks included, up to
// the first blank outside quotes.
std::string ProgExprMorceauSuivant(std::string_view texte, std::size_t position);
// 0 when no quote stands at or after 1-based `position`; else the position
// of the first blank outside quotes after it, or the text's length.
int ChaineFinNCar(std::string_view texte, int position);

// Readable form of a token (operators and functions by their text, numbers
// in their default text, names and quoted texts as stored, packed
// references as "@" and their byte values).
std::string JetonEnTexte(const JetonFormule& jeton);

}  // namespace korv::formula
