#pragma once
// The one dynamic value of formulas, scripts and cells, with the
// conversions and text forms every caller shares. Conversions that cannot
// be made throw ErreurExecution; the formula evaluator turns any of them
// into a Null result.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

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

// 16 bytes: the type and either the number or a shared, immutable text.
// Numbers are copied without touching the heap; copying a text shares it
// (values stay within the engine's one thread, so the count is plain).
class Valeur {
public:
    Valeur() noexcept : nombre_(0) {}  // Empty
    Valeur(const Valeur& v) noexcept : type_(v.type_) {
        if (type_ == TypeValeur::Chaine) {
            texte_ = v.texte_;
            if (texte_ != nullptr) ++texte_->partages;
        } else {
            nombre_ = v.nombre_;
        }
    }
    Valeur(Valeur&& v) noexcept : type_(v.type_) {
        if (type_ == TypeValeur::Chaine) {
            texte_ = v.texte_;
            v.texte_ = nullptr;  // the moved-from value is an empty text
        } else {
            nombre_ = v.nombre_;
        }
    }
    Valeur& operator=(const Valeur& v) noexcept {
        if (this != &v) {
            Valeur copie(v);
            *this = std::move(copie);
        }
        return *this;
    }
    Valeur& operator=(Valeur&& v) noexcept {
        if (this != &v) {
            Libere();
            type_ = v.type_;
            if (type_ == TypeValeur::Chaine) {
                texte_ = v.texte_;
                v.texte_ = nullptr;
            } else {
                nombre_ = v.nombre_;
            }
        }
        return *this;
    }
    ~Valeur() { Libere(); }

    static Valeur Nul() { return Valeur(TypeValeur::Nul, 0); }
    static Valeur Booleen(bool b) { return Valeur(TypeValeur::Booleen, b ? -1 : 0); }
    static Valeur Entier(std::int16_t v) { return Valeur(TypeValeur::Entier, v); }
    static Valeur Long(std::int32_t v) { return Valeur(TypeValeur::Long, v); }
    static Valeur Double(double v) { return Valeur(TypeValeur::Double, v); }
    // Throws kDepassement outside the calendar's range (years 100 to 9999).
    static Valeur Date(double serie);
    static Valeur Chaine(std::string s);
    static Valeur Erreur(std::int16_t code) { return Valeur(TypeValeur::Erreur, code); }

    TypeValeur type() const { return type_; }
    bool estVide() const { return type_ == TypeValeur::Vide; }
    bool estNul() const { return type_ == TypeValeur::Nul; }
    bool estChaine() const { return type_ == TypeValeur::Chaine; }
    bool estErreur() const { return type_ == TypeValeur::Erreur; }
    // Boolean, Integer, Long, Double or Date: a number without conversion.
    bool estNombre() const {
        return type_ >= TypeValeur::Booleen && type_ <= TypeValeur::Date;
    }

    // Raw content, valid for the matching type only (other types read 0 or "").
    bool booleen() const { return Nombre() != 0; }
    std::int16_t entier() const { return static_cast<std::int16_t>(Nombre()); }
    std::int32_t long32() const { return static_cast<std::int32_t>(Nombre()); }
    double reel() const { return Nombre(); }  // Double and Date
    const std::string& chaine() const;
    std::int16_t codeErreur() const { return static_cast<std::int16_t>(Nombre()); }

    // Numeric test of scripts and conversions: numbers, Empty and texts that
    // read as a number (decimal comma or point, optional exponent).
    bool EstNumerique() const;

    // Conversions. Empty gives 0; Null throws kUsageNul; a text that is no
    // number and an error value throw kTypeIncompatible; integers round
    // halves to even and throw kDepassement outside their range.
    double EnDouble() const {
        if (estNombre()) return nombre_;
        return EnDoubleAutre();
    }
    std::int16_t EnEntier() const;
    std::int32_t EnLong() const;
    std::uint8_t EnOctet() const;
    bool EnBooleen() const;
    // Date serial: a date, a number, or a text holding a number or a date.
    double EnDate() const;
    // Default text form: decimal comma, dates as dd/mm/yyyy, Booleans as
    // "Vrai"/"Faux"; Empty and Null give "".
    std::string EnTexte() const;

    // Same type and same content (numbers compared as doubles).
    bool operator==(const Valeur& v) const {
        if (type_ != v.type_) return false;
        if (type_ == TypeValeur::Chaine) return texte_ == v.texte_ || chaine() == v.chaine();
        return nombre_ == v.nombre_;
    }

private:
    struct Texte {
        std::string octets;
        std::uint32_t partages = 1;
    };

    Valeur(TypeValeur t, double n) noexcept : type_(t), nombre_(n) {}
    double Nombre() const { return type_ == TypeValeur::Chaine ? 0.0 : nombre_; }
    double EnDoubleAutre() const;
    void Libere() noexcept {
        if (type_ == TypeValeur::Chaine && texte_ != nullptr && --texte_->partages == 0) delete texte_;
    }

    TypeValeur type_ = TypeValeur::Vide;
    union {
        double nombre_;        // every numeric type fits exactly in a double
        Texte* texte_;         // Chaine: nullptr for the empty text
    };
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
