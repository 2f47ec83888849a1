#include "grid/valeur_formatee.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "formula/mois.h"
#include "formula/nombres.h"
#include "formula/statut_commande.h"
#include "formula/valeur.h"
#include "grid/case_tableau.h"

namespace korv::grid {

namespace {

// The decimal digits of |v| rounded to `decimales` places, as the integer
// digits and the decimal digits. Rounding works on the 15 significant
// digits a double shows, so 0,15 rounds up as its text says.
void Chiffres(double v, int decimales, std::string& entiers, std::string& fraction) {
    char tampon[40];
    std::snprintf(tampon, sizeof tampon, "%.14e", std::fabs(v));
    std::string mantisse;
    const char* p = tampon;
    for (; *p && *p != 'e'; ++p) {
        if (*p != '.') mantisse.push_back(*p);
    }
    const int exposant = *p == 'e' ? std::atoi(p + 1) : 0;
    // Digit i of `mantisse` has weight 10^(exposant - i). Keep digits down
    // to weight 10^-decimales.
    std::string chiffres;  // aligned so that the last one has weight 10^-decimales
    const int premierPoids = exposant;
    const int dernierPoids = -decimales;
    for (int poids = std::max(premierPoids, 0); poids >= dernierPoids; --poids) {
        const int i = exposant - poids;
        chiffres.push_back(i >= 0 && i < static_cast<int>(mantisse.size()) ? mantisse[static_cast<std::size_t>(i)] : '0');
    }
    const int suivant = exposant - (dernierPoids - 1);
    if (suivant >= 0 && suivant < static_cast<int>(mantisse.size()) && mantisse[static_cast<std::size_t>(suivant)] >= '5') {
        int k = static_cast<int>(chiffres.size()) - 1;
        for (; k >= 0; --k) {
            auto& ch = chiffres[static_cast<std::size_t>(k)];
            if (ch == '9') {
                ch = '0';
            } else {
                ++ch;
                break;
            }
        }
        if (k < 0) chiffres.insert(chiffres.begin(), '1');
    }
    const std::size_t nEntiers = chiffres.size() - static_cast<std::size_t>(decimales);
    entiers = chiffres.substr(0, nEntiers);
    fraction = chiffres.substr(nEntiers);
    const auto premier = entiers.find_first_not_of('0');
    entiers = premier == std::string::npos ? "0" : entiers.substr(premier);
}

std::string Groupe(const std::string& entiers) {
    std::string r;
    const std::size_t n = entiers.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) r.push_back(kSeparateurMilliers);
        r.push_back(entiers[i]);
    }
    return r;
}

std::string FormatDate(const std::string& s, std::int16_t sousFormat) {
    const auto n = formula::LitNombre(s);
    if (!n || formula::Val(s) <= 0) return {};
    const double d = *n;
    // Serials past the last day the calendar knows show nothing.
    if (!formula::DateDansLimites(d)) return {};
    switch (sousFormat) {
    case 1: return formula::MoisNom(formula::DateVersAMJ(d).mois);
    case 2: return formula::FormatDateMotif(d, "mmm yyyy");
    case 3: return formula::FormatDateMotif(d, "dd/mm/yyyy");
    case 4: return formula::FormatDateMotif(d, "yyyy");
    case 5: return formula::FormatDateMotif(d, "mmm") + "\r\n" + formula::FormatDateMotif(d, "yyyy");
    default: return formula::FormatDate(d);
    }
}

std::string FormatNombreCase(const std::string& s, std::int16_t sousFormat) {
    const auto n = formula::LitNombre(s);
    if (!n) return sousFormat == 2 ? formula::CommandeStatutLibelle(0) : std::string();
    switch (sousFormat) {
    case 1: return formula::FormatNombre(std::floor(*n));
    case 2: return formula::CommandeStatutLibelle(*n);
    case 3: return FormatDecimales(*n, 2, true);
    case 4: return formula::FormatNombre(*n);
    default: return FormatDecimales(*n, 1, true);
    }
}

std::string FormatPourcentage(const std::string& s, std::int16_t sousFormat) {
    const auto n = formula::LitNombre(s);
    if (!n) return {};
    switch (sousFormat) {
    case 2: return FormatDecimales(*n, 2, false) + "%";
    case 1: return FormatDecimales(*n, 1, false) + "%";
    default: return FormatDecimales(*n, 1, false) + " %";
    }
}

std::string FormatTexte(const std::string& s, std::int16_t sousFormat) {
    switch (sousFormat) {
    case 5: return "\xA4       Dont " + s;
    case 6: return s.empty() ? s : formula::Majuscules(s.substr(0, 1)) + s.substr(1);
    default: return s;
    }
}

// A typed entry (over a formula or not), neither blank nor a frame code,
// that the numeric test refuses.
bool EntreeNonNumerique(const CaseTableau& x, const std::string& s) {
    if (x.ResultatType != resultat::kEntree && x.ResultatType != resultat::kEntreeSurFormule) return false;
    if (formula::Trim(s).empty() || static_cast<unsigned char>(s.front()) < 32) return false;
    return !formula::LitNombre(s);
}

}  // namespace

std::string FormatDecimales(double v, int decimales, bool milliers) {
    if (!std::isfinite(v)) return formula::FormatNombre(v);
    std::string entiers, fraction;
    Chiffres(v, decimales, entiers, fraction);
    std::string r;
    // A value that rounds to zero shows no sign.
    if (v < 0 && (entiers != "0" || fraction.find_first_not_of('0') != std::string::npos)) r.push_back('-');
    r += milliers ? Groupe(entiers) : entiers;
    if (decimales > 0) r += "," + fraction;
    return r;
}

std::string FormatDecimalesAuPlus(double v, int decimalesMax) {
    std::string r = FormatDecimales(v, decimalesMax, true);
    if (decimalesMax <= 0 || r.find(',') == std::string::npos) return r;
    while (r.ends_with('0')) r.pop_back();
    if (r.ends_with(',')) r.pop_back();
    return r == "-0" ? "0" : r;
}

std::string CaseValeurFormatee(const CaseTableau& x) {
    const std::string* s = &x.Texte;
    switch (x.ResultatType) {
    case resultat::kEntreeSurFormule:
    case resultat::kCalcule: s = &x.Valeur; break;
    case resultat::kErreur: return kEntreeErronee;
    default: break;
    }
    const auto& a = x.Attribut();
    // An entry that is no number, in a cell that shows figures, is kept as
    // typed and shown as an error: a blank cell would say nothing of it.
    // Order statuses have their own word for it ("indéfini").
    if (EntreeNonNumerique(x, *s) && (a.TypeAffichage == 2 || (a.TypeAffichage == 1 && a.SousFormat != 2))) {
        return kEntreeErronee;
    }
    switch (a.TypeAffichage) {
    case 0: return FormatTexte(*s, a.SousFormat);
    case 1: return FormatNombreCase(*s, a.SousFormat);
    case 2: return FormatPourcentage(*s, a.SousFormat);
    case 3: return FormatDate(*s, a.SousFormat);
    default: return *s;
    }
}

}  // namespace korv::grid
