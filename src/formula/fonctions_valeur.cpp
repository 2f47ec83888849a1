#include "formula/fonctions_valeur.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "formula/fonctions_emprunt.h"
#include "formula/fonctions_emprunt_annuite.h"
#include "formula/nombres.h"
#include "formula/operations.h"
#include "formula/services.h"
#include "formula/valeur.h"

namespace korv::formula {
namespace {

using T = TraitementFonction;

constexpr std::array<T, 91> kTraitements = [] {
    std::array<T, 91> t{};
    for (std::size_t i = 1; i < t.size(); ++i) t[i] = T::MembreEvalue;
    for (int c : {6, 7, 8, 9, 10}) t[static_cast<std::size_t>(c)] = T::Evaluateur;
    for (int c : {1, 2, 3, 4, 5, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 32, 36, 38, 64, 89}) {
        t[static_cast<std::size_t>(c)] = T::Valeur;
    }
    for (int c : {21, 22, 23}) t[static_cast<std::size_t>(c)] = T::Emprunt;
    for (int c : {24, 27, 28, 34, 44, 45, 49, 50, 51, 53, 54, 63, 67, 79, 80, 81, 82, 83, 85, 86, 87, 88}) {
        t[static_cast<std::size_t>(c)] = T::ActionInline;
    }
    return t;
}();

// The message box takes "µ" as the formula's line break.
constexpr char kSautDeLigne = '\xB5';

double Requis(std::optional<double> v) {
    if (!v) LeveErreur(erreur::kAppelInvalide);
    return *v;
}

// A day number as the date functions return it: the whole days of the serial.
Valeur JourNumero(double serie) {
    const double jour = std::trunc(serie);
    if (!(jour >= -2147483648.0 && jour <= 2147483647.0)) LeveErreur(erreur::kDepassement);
    return Valeur::Long(static_cast<std::int32_t>(jour));
}

std::string TexteSansGuillemets(const Valeur& v) { return ChaineSansCoerc(v.EnTexte()); }

std::string AvecSautsDeLigne(std::string_view texte) {
    std::string r;
    r.reserve(texte.size());
    for (char c : texte) {
        if (c == kSautDeLigne) {
            r += "\r\n";
        } else {
            r += c;
        }
    }
    return r;
}

// POS: only a value that reads as a number below 0 is replaced; Null, texts
// and error values stay as they are.
bool EstNegatif(const Valeur& v) {
    if (v.estNul() || v.estErreur() || !v.EstNumerique()) return false;
    return v.EnDouble() < 0.0;
}

double FractionDuTrimestre(int mois) {
    switch ((mois - 1) % 3) {
    case 0: return 0.25;
    case 1: return 1.0 / 12.0;
    default: return 1.0 / 6.0;
    }
}

// The stack seen by one function: its k arguments from the top.
class Arguments {
public:
    Arguments(std::vector<Valeur>& pile, int& n, int k) : pile_(pile), n_(n), k_(k) {}

    const Valeur& operator[](int i) const { return pile_[Base() + static_cast<std::size_t>(i)]; }
    // Result in argument 1's slot; the other arguments are popped.
    void Resultat(Valeur v) {
        pile_[Base()] = std::move(v);
        n_ -= k_ - 1;
    }

private:
    std::size_t Base() const { return static_cast<std::size_t>(n_ - k_); }
    std::vector<Valeur>& pile_;
    int& n_;
    int k_;
};

int ArgumentsDe(int code) {
    switch (code) {
    case 13: case 20: return 2;
    case 14: case 16: case 18: case 32: return 3;
    case 15: case 17: return 4;
    default: return 1;
    }
}

void Calcule(int code, Arguments a, const ServicesFormule& services) {
    switch (code) {
    case 1: a.Resultat(PartieEntiere(a[0])); break;
    case 2: a.Resultat(Valeur::Double(std::cos(a[0].EnDouble()))); break;
    case 3: a.Resultat(Valeur::Double(std::sin(a[0].EnDouble()))); break;
    case 4: a.Resultat(NonBinaire(a[0])); break;
    case 5:
        // The quotes of a formula text are counted away.
        if (a[0].estNul()) {
            a.Resultat(Valeur::Nul());
        } else {
            a.Resultat(Valeur::Long(static_cast<std::int32_t>(a[0].EnTexte().size()) - 2));
        }
        break;
    case 11: a.Resultat(Valeur::Entier(static_cast<std::int16_t>(DateVersAMJ(a[0].EnDate()).mois))); break;
    case 12: a.Resultat(Valeur::Entier(a[0].estNul() ? -1 : 0)); break;
    case 13: a.Resultat(JourNumero(DateAjouteMois(a[0].EnDate(), a[1].EnDouble()))); break;
    case 14: a.Resultat(Valeur::Double(Requis(NPer(a[0].EnDouble(), a[1].EnDouble(), a[2].EnDouble())))); break;
    case 15:
    case 17: {
        const double periode = a[1].EnDouble();
        if (periode == 0.0) {
            a.Resultat(Valeur::Entier(0));
            break;
        }
        const double taux = a[0].EnDouble();
        const double nper = a[2].EnDouble();
        const double va = a[3].EnDouble();
        a.Resultat(Valeur::Double(Requis(code == 15 ? IPmt(taux, periode, nper, va) : PPmt(taux, periode, nper, va))));
        break;
    }
    case 16: a.Resultat(Valeur::Double(Requis(Pmt(a[0].EnDouble(), a[1].EnDouble(), a[2].EnDouble())))); break;
    case 18: a.Resultat(Valeur::Double(Requis(Rate(a[0].EnDouble(), a[1].EnDouble(), a[2].EnDouble())))); break;
    case 19:
        if (EstNegatif(a[0])) a.Resultat(Valeur::Entier(0));
        break;
    case 20: a.Resultat(Valeur::Long(DateDiffMois(a[0].EnDate(), a[1].EnDate()))); break;
    case 32: {
        const std::string message = AvecSautsDeLigne(TexteSansGuillemets(a[0]));
        const std::int32_t boutons = a[1].EnLong();
        const std::string titre = TexteSansGuillemets(a[2]);
        a.Resultat(Valeur::Long(services.systeme.Question(message, boutons, titre)));
        break;
    }
    case 36: a.Resultat(JourNumero(MoisPremierJour(a[0].EnDate()))); break;
    case 38: a.Resultat(Valeur::Chaine(FormatDateMotif(a[0].EnDate(), "mmm yyyy"))); break;
    case 64: a.Resultat(Valeur::Chaine(services.systeme.CommandeStatutLibelle(a[0].EnDouble()))); break;
    case 89: a.Resultat(Valeur::Double(FractionDuTrimestre(DateVersAMJ(a[0].EnDate()).mois))); break;
    default: break;
    }
}

}  // namespace

TraitementFonction TraitementDeFonction(int code) {
    if (code < 1 || code > 90) return T::Inconnu;
    return kTraitements[static_cast<std::size_t>(code)];
}

bool EvalueFonctionValeur(int code, std::vector<Valeur>& pile, int& n, const ServicesFormule& services) {
    const TraitementFonction t = TraitementDeFonction(code);
    if (t != T::Valeur && t != T::Emprunt) return false;
    if (n < 0 || static_cast<std::size_t>(n) > pile.size()) LeveErreur(erreur::kAppelInvalide);

    if (t == T::Emprunt) {
        EvalueFonctionEmprunt(static_cast<FonctionEmprunt>(code), pile, n);
        return true;
    }
    const int k = ArgumentsDe(code);
    if (n < k) {
        // DATEVERSCHAINE has no guard: reading the top of an empty stack fails.
        if (code == 38) LeveErreur(erreur::kAppelInvalide);
        return true;
    }
    Calcule(code, Arguments(pile, n, k), services);
    return true;
}

}  // namespace korv::formula
