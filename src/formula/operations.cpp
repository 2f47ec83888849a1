#include "formula/operations.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "formula/nombres.h"

namespace korv::formula {

namespace {

enum class Op { Plus, Moins, Fois };

// Numeric result kinds in widening order.
enum class Rang { Entier = 2, Long = 3, Double = 5 };

Rang RangDe(const Valeur& v) {
    switch (v.type()) {
    case TypeValeur::Long: return Rang::Long;
    case TypeValeur::Double:
    case TypeValeur::Date:
    case TypeValeur::Chaine: return Rang::Double;
    default: return Rang::Entier;  // Empty, Boolean, Integer
    }
}

void RefuseErreur(const Valeur& g, const Valeur& d) {
    if (g.estErreur() || d.estErreur()) LeveErreur(erreur::kTypeIncompatible);
}

Valeur DoubleFini(double r) {
    if (!std::isfinite(r)) LeveErreur(erreur::kDepassement);
    return Valeur::Double(r);
}

// Integers widen: Integer to Long to Double, as the dynamic arithmetic does.
Valeur EntierElargi(std::int64_t r, Rang rang) {
    if (rang == Rang::Entier && r >= -32768 && r <= 32767) return Valeur::Entier(static_cast<std::int16_t>(r));
    if (r >= INT32_MIN && r <= INT32_MAX) return Valeur::Long(static_cast<std::int32_t>(r));
    return Valeur::Double(static_cast<double>(r));
}

Valeur Arithmetique(Op op, const Valeur& g, const Valeur& d) {
    RefuseErreur(g, d);
    if (g.estNul() || d.estNul()) return Valeur::Nul();
    if (op == Op::Plus) {
        if (g.estChaine() && d.estChaine()) return Valeur::Chaine(g.chaine() + d.chaine());
        if (g.estChaine() && d.estVide()) return g;
        if (d.estChaine() && g.estVide()) return d;
    }
    const bool dateG = g.type() == TypeValeur::Date;
    const bool dateD = d.type() == TypeValeur::Date;
    const double a = g.EnDouble();
    const double b = d.EnDouble();
    if (op != Op::Fois && (dateG || dateD)) {
        const double r = op == Op::Plus ? a + b : a - b;
        if (op == Op::Moins && dateG && dateD) return DoubleFini(r);  // a number of days
        return Valeur::Date(r);
    }
    const Rang rang = std::max(RangDe(g), RangDe(d));
    if (rang == Rang::Double) {
        return DoubleFini(op == Op::Plus ? a + b : op == Op::Moins ? a - b : a * b);
    }
    const auto x = static_cast<std::int64_t>(a);
    const auto y = static_cast<std::int64_t>(b);
    return EntierElargi(op == Op::Plus ? x + y : op == Op::Moins ? x - y : x * y, rang);
}

std::int32_t EnLongArrondi(const Valeur& v) { return v.EnLong(); }

}  // namespace

Valeur Addition(const Valeur& g, const Valeur& d) { return Arithmetique(Op::Plus, g, d); }
Valeur Soustraction(const Valeur& g, const Valeur& d) { return Arithmetique(Op::Moins, g, d); }
Valeur Multiplication(const Valeur& g, const Valeur& d) { return Arithmetique(Op::Fois, g, d); }

Valeur Division(const Valeur& g, const Valeur& d) {
    RefuseErreur(g, d);
    if (g.estNul() || d.estNul()) return Valeur::Nul();
    const double a = g.EnDouble();
    const double b = d.EnDouble();
    if (b == 0) LeveErreur(a == 0 ? erreur::kDepassement : erreur::kDivisionParZero);
    return DoubleFini(a / b);
}

Valeur Puissance(const Valeur& g, const Valeur& d) {
    RefuseErreur(g, d);
    const double a = g.EnDouble();
    const double b = d.EnDouble();
    if (a < 0 && b != std::trunc(b)) LeveErreur(erreur::kAppelInvalide);
    if (a == 0 && b < 0) LeveErreur(erreur::kDivisionParZero);
    return DoubleFini(std::pow(a, b));
}

Valeur Concatenation(const Valeur& g, const Valeur& d) {
    RefuseErreur(g, d);
    return Valeur::Chaine(ChaineAvecCoerc(ChaineSansCoerc(g.EnTexte()) + ChaineSansCoerc(d.EnTexte())));
}

Valeur OuBinaire(const Valeur& g, const Valeur& d) {
    RefuseErreur(g, d);
    return Valeur::Long(EnLongArrondi(g) | EnLongArrondi(d));
}

Valeur EtBinaire(const Valeur& g, const Valeur& d) {
    RefuseErreur(g, d);
    return Valeur::Long(EnLongArrondi(g) & EnLongArrondi(d));
}

Valeur Negation(const Valeur& v) {
    switch (v.type()) {
    case TypeValeur::Nul: return v;
    case TypeValeur::Vide: return Valeur::Entier(0);
    case TypeValeur::Booleen:
    case TypeValeur::Entier: return EntierElargi(-static_cast<std::int64_t>(v.reel()), Rang::Entier);
    case TypeValeur::Long: return EntierElargi(-static_cast<std::int64_t>(v.reel()), Rang::Long);
    case TypeValeur::Date: return Valeur::Date(-v.reel());
    case TypeValeur::Erreur: LeveErreur(erreur::kTypeIncompatible);
    default: return DoubleFini(-v.EnDouble());
    }
}

Valeur PartieEntiere(const Valeur& v) {
    switch (v.type()) {
    case TypeValeur::Nul: return v;
    case TypeValeur::Vide: return Valeur::Entier(0);
    case TypeValeur::Booleen: return Valeur::Entier(v.booleen() ? -1 : 0);
    case TypeValeur::Entier:
    case TypeValeur::Long: return v;
    case TypeValeur::Date: return Valeur::Date(std::floor(v.reel()));
    case TypeValeur::Erreur: LeveErreur(erreur::kTypeIncompatible);
    default: return Valeur::Double(std::floor(v.EnDouble()));
    }
}

Valeur NonBinaire(const Valeur& v) {
    switch (v.type()) {
    case TypeValeur::Nul: return v;
    case TypeValeur::Vide: return Valeur::Entier(-1);
    case TypeValeur::Booleen: return Valeur::Booleen(!v.booleen());
    case TypeValeur::Entier: return Valeur::Entier(static_cast<std::int16_t>(~v.entier()));
    case TypeValeur::Erreur: LeveErreur(erreur::kTypeIncompatible);
    default: return Valeur::Long(~v.EnLong());
    }
}

Valeur Comparaison(CodeComparaison code, const Valeur& g, const Valeur& d) {
    RefuseErreur(g, d);
    int ordre = 0;
    const std::string texteD = d.EnTexte();
    if (EstChaine(texteD)) {
        const std::string a = ChaineSansCoerc(g.EnTexte());
        const std::string b = ChaineSansCoerc(texteD);
        const int c = a.compare(b);  // bytes compared unsigned
        ordre = c < 0 ? -1 : (c > 0 ? 1 : 0);
    } else {
        const double b = d.EnDouble();
        const double a = g.EnDouble();
        ordre = a < b ? -1 : (a > b ? 1 : 0);
    }
    bool vrai = false;
    switch (code) {
    case CodeComparaison::Sup: vrai = ordre > 0; break;
    case CodeComparaison::Inf: vrai = ordre < 0; break;
    case CodeComparaison::Egal: vrai = ordre == 0; break;
    case CodeComparaison::SupEgal: vrai = ordre >= 0; break;
    case CodeComparaison::InfEgal: vrai = ordre <= 0; break;
    case CodeComparaison::Different: vrai = ordre != 0; break;
    }
    return Valeur::Entier(vrai ? -1 : 0);
}

bool ConditionVraie(const Valeur& v) {
    if (v.estNul() || v.estVide()) return false;
    return v.EnDouble() != 0;
}

}  // namespace korv::formula
