#pragma once
// The one dynamic value of formulas, scripts and cells, with the
// conversions and text forms every caller shares. Conversions that cannot
// be made throw ErreurExecution; the formula evaluator turns any of them
// into a Null result.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace korv::formula {

enum class TypeValeur : std::uint8_t {
    Vide,     // Empty: never assigned
    Nul,      // Null: no value (unknown variable, failed formula)
    Booleen,  // -1 / 0 when taken as a number
    Entier,   // 16-bit
    Long,     // 32-bit
    Double,
    Date,     // day serial, 0 = 30 December 1899, time as the fraction
    Chaine,   // cp1252 bytes
    Erreur,   // a cell's error value, with a small code (0 to 3)
};

// Run-time error numbers, as the error reporter shows them.
namespace erreur {
inline constexpr int kAppelInvalide = 5;
inline constexpr int kDepassement = 6;
inline constexpr int kDivisionParZero = 11;
inline constexpr int kTypeIncompatible = 13;
inline constexpr int kUsageNul = 94;
}  // namespace erreur

class ErreurExecution : public std::runtime_error {
public:
    ErreurExecution(int numero, const std::string& description)
        : std::runtime_error(description), numero_(numero) {}
    int numero() const { return numero_; }
    std::string description() const { return what(); }

private:
    int numero_;
};

[[noreturn]] void LeveErreur(int numero);  // with the standard description of that number

class Valeur {
public:
    Valeur() = default;  // Empty

    static Valeur Nul() { return Valeur(TypeValeur::Nul, 0); }
    static Valeur Booleen(bool b) { return Valeur(TypeValeur::Booleen, b ? -1 : 0); }
    static Valeur Entier(std::int16_t v) { return Valeur(TypeValeur::Entier, v); }
    static Valeur Long(std::int32_t v) { return Valeur(TypeValeur::Long, v); }
    static Valeur Double(double v) { return Valeur(TypeValeur::Double, v); }
    // Throws kDepassement outside the calendar's range (years 100 to 9999).
    static Valeur Date(double serie);
    static Valeur Chaine(std::string s) {
        Valeur v(TypeValeur::Chaine, 0);
        v.texte_ = std::move(s);
        return v;
    }
    static Valeur Erreur(std::int16_t code) { return Valeur(TypeValeur::Erreur, code); }

    TypeValeur type() const { return type_; }
    bool estVide() const { return type_ == TypeValeur::Vide; }
    bool estNul() const { return type_ == TypeValeur::Nul; }
    bool estChaine() const { return type_ == TypeValeur::Chaine; }
    bool estErreur() const { return type_ == TypeValeur::Erreur; }
    // Boolean, Integer, Long, Double or Date: a number without conversion.
    bool estNombre() const;

    // Raw content, valid for the matching type only.
    bool booleen() const { return nombre_ != 0; }
    std::int16_t entier() const { return static_cast<std::int16_t>(nombre_); }
    std::int32_t long32() const { return static_cast<std::int32_t>(nombre_); }
    double reel() const { return nombre_; }  // Double and Date
    const std::string& chaine() const { return texte_; }
    std::int16_t codeErreur() const { return static_cast<std::int16_t>(nombre_); }

    // Numeric test of scripts and conversions: numbers, Empty and texts that
    // read as a number (decimal comma or point, optional exponent).
    bool EstNumerique() const;

    // Conversions. Empty gives 0; Null throws kUsageNul; a text that is no
    // number and an error value throw kTypeIncompatible; integers round
    // halves to even and throw kDepassement outside their range.
    double EnDouble() const;
    std::int16_t EnEntier() const;
    std::int32_t EnLong() const;
    std::uint8_t EnOctet() const;
    bool EnBooleen() const;
    // Date serial: a date, a number, or a text holding a number or a date.
    double EnDate() const;
    // Default text form: decimal comma, dates as dd/mm/yyyy, Booleans as
    // "Vrai"/"Faux"; Empty and Null give "".
    std::string EnTexte() const;

    bool operator==(const Valeur&) const = default;

private:
    Valeur(TypeValeur t, double n) : type_(t), nombre_(n) {}

    TypeValeur type_ = TypeValeur::Vide;
    double nombre_ = 0;  // every numeric type fits exactly in a double
    std::string texte_;
};

// Quoted formula text constants: 'OUI', with inner quotes doubled.
bool EstChaine(std::string_view texte);
std::string ChaineAvecCoerc(std::string_view texte);
// Unquoted text of a formula string; any other text comes back unchanged.
std::string ChaineSansCoerc(std::string_view texte);

// Spaces (only) removed at both ends. The result views `s`, so it must not
// outlive the text it was cut from.
std::string_view Trim(std::string_view s);
std::string Majuscules(std::string_view s);  // cp1252 upper case

}  // namespace korv::formula
