#include "formula/valeur.h"

#include <cmath>
#include <limits>

#include "formula/nombres.h"

namespace korv::formula {

void LeveErreur(int numero) {
    switch (numero) {
    case erreur::kAppelInvalide: throw ErreurExecution(numero, "Appel de procédure ou argument incorrect");
    case erreur::kDepassement: throw ErreurExecution(numero, "Dépassement de capacité");
    case erreur::kDivisionParZero: throw ErreurExecution(numero, "Division par zéro");
    case erreur::kTypeIncompatible: throw ErreurExecution(numero, "Type incompatible");
    case erreur::kUsageNul: throw ErreurExecution(numero, "Utilisation incorrecte de Null");
    default: throw ErreurExecution(numero, "Erreur " + std::to_string(numero));
    }
}

Valeur Valeur::Date(double serie) {
    if (!std::isfinite(serie) || !DateDansLimites(serie)) LeveErreur(erreur::kDepassement);
    return Valeur(TypeValeur::Date, serie);
}

Valeur Valeur::Chaine(std::string s) {
    Valeur v(TypeValeur::Chaine, 0);
    v.texte_ = s.empty() ? nullptr : new Texte{std::move(s)};
    return v;
}

const std::string& Valeur::chaine() const {
    static const std::string kVide;
    return type_ == TypeValeur::Chaine && texte_ != nullptr ? texte_->octets : kVide;
}

bool Valeur::EstNumerique() const {
    if (estNombre() || estVide()) return true;
    if (estChaine()) return LitNombre(chaine()).has_value();
    return false;
}

double Valeur::EnDoubleAutre() const {
    switch (type_) {
    case TypeValeur::Vide: return 0;
    case TypeValeur::Nul: LeveErreur(erreur::kUsageNul);
    case TypeValeur::Chaine: {
        const auto n = LitNombre(chaine());
        if (!n) LeveErreur(erreur::kTypeIncompatible);
        return *n;
    }
    case TypeValeur::Erreur: LeveErreur(erreur::kTypeIncompatible);
    default: return nombre_;
    }
}

namespace {

double EntierArrondi(double v, double min, double max) {
    const double r = ArrondiPair(v);
    if (!(r >= min && r <= max)) LeveErreur(erreur::kDepassement);
    return r;
}

}  // namespace

std::int16_t Valeur::EnEntier() const {
    return static_cast<std::int16_t>(EntierArrondi(EnDouble(), -32768.0, 32767.0));
}

std::int32_t Valeur::EnLong() const {
    return static_cast<std::int32_t>(EntierArrondi(EnDouble(), -2147483648.0, 2147483647.0));
}

std::uint8_t Valeur::EnOctet() const {
    return static_cast<std::uint8_t>(EntierArrondi(EnDouble(), 0.0, 255.0));
}

bool Valeur::EnBooleen() const {
    if (estChaine()) {
        const std::string m = Majuscules(Trim(chaine()));
        if (m == "VRAI" || m == "TRUE") return true;
        if (m == "FAUX" || m == "FALSE") return false;
    }
    return EnDouble() != 0;
}

double Valeur::EnDate() const {
    double serie = 0;
    if (estChaine()) {
        if (const auto n = LitNombre(chaine())) {
            serie = *n;
        } else if (const auto d = LitDate(chaine())) {
            serie = *d;
        } else {
            LeveErreur(erreur::kTypeIncompatible);
        }
    } else {
        serie = EnDouble();
    }
    if (!DateDansLimites(serie)) LeveErreur(erreur::kDepassement);
    return serie;
}

std::string Valeur::EnTexte() const {
    switch (type_) {
    case TypeValeur::Vide:
    case TypeValeur::Nul: return {};
    case TypeValeur::Booleen: return nombre_ != 0 ? "Vrai" : "Faux";
    case TypeValeur::Entier:
    case TypeValeur::Long: return std::to_string(static_cast<std::int64_t>(nombre_));
    case TypeValeur::Double: return FormatNombre(nombre_);
    case TypeValeur::Date: return FormatDate(nombre_);
    case TypeValeur::Chaine: return chaine();
    case TypeValeur::Erreur: return "Erreur " + std::to_string(static_cast<int>(nombre_));
    }
    return {};
}

std::string_view Trim(std::string_view s) {
    const auto debut = s.find_first_not_of(' ');
    if (debut == std::string_view::npos) return {};
    const auto fin = s.find_last_not_of(' ');
    return s.substr(debut, fin - debut + 1);
}

std::string Majuscules(std::string_view s) {
    std::string r(s);
    for (char& c : r) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 'a' && u <= 'z') {
            c = static_cast<char>(u - 32);
        } else if ((u >= 0xE0 && u <= 0xFE && u != 0xF7)) {
            c = static_cast<char>(u - 32);  // Latin-1 letters of cp1252
        } else if (u == 0x9A || u == 0x9C || u == 0x9E) {
            c = static_cast<char>(u - 16);  // š œ ž
        } else if (u == 0xFF) {
            c = static_cast<char>(0x9F);  // ÿ
        }
    }
    return r;
}

bool EstChaine(std::string_view texte) {
    const auto t = Trim(texte);
    return t.size() >= 2 && t.front() == '\'' && t.back() == '\'';
}

std::string ChaineAvecCoerc(std::string_view texte) {
    std::string r;
    r.reserve(texte.size() + 2);
    r.push_back('\'');
    for (char c : texte) {
        r.push_back(c);
        if (c == '\'') r.push_back('\'');
    }
    r.push_back('\'');
    return r;
}

std::string ChaineSansCoerc(std::string_view texte) {
    if (!EstChaine(texte)) return std::string(texte);
    const auto t = Trim(texte);
    const auto interieur = t.substr(1, t.size() - 2);
    std::string r;
    r.reserve(interieur.size());
    for (std::size_t i = 0; i < interieur.size(); ++i) {
        r.push_back(interieur[i]);
        if (interieur[i] == '\'' && i + 1 < interieur.size() && interieur[i + 1] == '\'') ++i;
    }
    return r;
}

}  // namespace korv::formula
