#include "formula/nombres.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "formula/valeur.h"

namespace korv::formula {

double ArrondiPair(double v) {
    return std::nearbyint(v);  // the default rounding mode is to nearest, ties to even
}

namespace {

bool EstBlanc(char c) { return c == ' ' || c == '\t'; }
bool EstChiffre(char c) { return c >= '0' && c <= '9'; }
bool EstSeparateurMilliers(char c) { return c == ' ' || c == '\xA0'; }

std::optional<double> Convertit(const std::string& normalise) {
    double v = 0;
    const char* debut = normalise.data();
    const char* fin = debut + normalise.size();
    const auto [ptr, ec] = std::from_chars(debut, fin, v);
    if (ec != std::errc() || ptr != fin || !std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace

std::optional<double> LitNombre(std::string_view texte) {
    std::size_t i = 0;
    const std::size_t n = texte.size();
    while (i < n && EstBlanc(texte[i])) ++i;
    std::size_t fin = n;
    while (fin > i && EstBlanc(texte[fin - 1])) --fin;
    if (i >= fin) return std::nullopt;

    std::string s;
    if (texte[i] == '+' || texte[i] == '-') {
        if (texte[i] == '-') s.push_back('-');
        ++i;
    }
    int chiffres = 0;
    while (i < fin && EstChiffre(texte[i])) { s.push_back(texte[i++]); ++chiffres; }
    // The thousands blank the figures are shown with ("12 500", or the
    // no-break space of other programs): one to three digits before the
    // first, exactly three after each, so that "1 2" stays no number.
    const int tete = chiffres;
    while (tete >= 1 && tete <= 3 && i + 4 <= fin && EstSeparateurMilliers(texte[i]) && EstChiffre(texte[i + 1]) &&
           EstChiffre(texte[i + 2]) && EstChiffre(texte[i + 3]) && (i + 4 == fin || !EstChiffre(texte[i + 4]))) {
        s.append(texte.substr(i + 1, 3));
        chiffres += 3;
        i += 4;
    }
    if (i < fin && (texte[i] == ',' || texte[i] == '.')) {
        s.push_back('.');
        ++i;
        while (i < fin && EstChiffre(texte[i])) { s.push_back(texte[i++]); ++chiffres; }
    }
    if (chiffres == 0) return std::nullopt;
    if (i < fin && (texte[i] == 'E' || texte[i] == 'e' || texte[i] == 'D' || texte[i] == 'd')) {
        s.push_back('e');
        ++i;
        if (i < fin && (texte[i] == '+' || texte[i] == '-')) s.push_back(texte[i++]);
        int exposant = 0;
        while (i < fin && EstChiffre(texte[i])) { s.push_back(texte[i++]); ++exposant; }
        if (exposant == 0) return std::nullopt;
    }
    if (i != fin) return std::nullopt;
    return Convertit(s);
}

double Val(std::string_view texte) {
    // Val ignores blanks anywhere in the number.
    std::string t;
    for (char c : texte) {
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') t.push_back(c);
    }
    std::size_t i = 0;
    if (t.size() >= 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h' || t[1] == 'O' || t[1] == 'o')) {
        const int base = (t[1] == 'H' || t[1] == 'h') ? 16 : 8;
        std::uint32_t v = 0;
        std::size_t j = 2;
        const std::size_t debut = j;
        while (j < t.size() && j - debut < (base == 16 ? 8u : 11u)) {
            const char c = t[j];
            int chiffre = -1;
            if (EstChiffre(c)) chiffre = c - '0';
            else if (base == 16 && c >= 'A' && c <= 'F') chiffre = c - 'A' + 10;
            else if (base == 16 && c >= 'a' && c <= 'f') chiffre = c - 'a' + 10;
            if (chiffre < 0 || chiffre >= base) break;
            v = v * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(chiffre);
            ++j;
        }
        // Hexadecimal and octal literals are 32-bit signed values.
        return static_cast<double>(static_cast<std::int32_t>(v));
    }
    std::string s;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        if (t[i] == '-') s.push_back('-');
        ++i;
    }
    int chiffres = 0;
    while (i < t.size() && EstChiffre(t[i])) { s.push_back(t[i++]); ++chiffres; }
    if (i < t.size() && t[i] == '.') {
        s.push_back('.');
        ++i;
        while (i < t.size() && EstChiffre(t[i])) { s.push_back(t[i++]); ++chiffres; }
    }
    if (chiffres == 0) return 0;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
        std::string e = "e";
        std::size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) e.push_back(t[j++]);
        int exposant = 0;
        while (j < t.size() && EstChiffre(t[j])) { e.push_back(t[j++]); ++exposant; }
        if (exposant > 0) s += e;
    }
    if (s == "-" || s == "-.") return 0;
    if (s.back() == '.') s.pop_back();
    const auto v = Convertit(s);
    if (!v) LeveErreur(erreur::kDepassement);
    return *v;
}

std::string FormatNombre(double v) {
    if (!std::isfinite(v)) LeveErreur(erreur::kDepassement);
    if (v == 0) return "0";
    // Whole numbers below 1E15 have at most 15 digits and are written
    // exactly: the common case of a plan's figures, without the digit walk.
    if (std::fabs(v) < 1e15 && v == std::trunc(v)) {
        std::array<char, 24> entier{};
        const auto fin = std::to_chars(entier.data(), entier.data() + entier.size(), static_cast<std::int64_t>(v));
        return std::string(entier.data(), fin.ptr);
    }
    std::array<char, 40> tampon{};
    std::snprintf(tampon.data(), tampon.size(), "%.14e", std::fabs(v));
    // d.dddddddddddddde±XX
    std::string chiffres;
    const char* p = tampon.data();
    for (; *p != 'e'; ++p) {
        if (EstChiffre(*p)) chiffres.push_back(*p);
    }
    const int exposant = std::atoi(p + 1);
    while (chiffres.size() > 1 && chiffres.back() == '0') chiffres.pop_back();

    std::string r = v < 0 ? "-" : "";
    if (exposant >= 15 || exposant < -4) {
        r += chiffres[0];
        if (chiffres.size() > 1) {
            r += ',';
            r.append(chiffres, 1);
        }
        r += exposant < 0 ? "E-" : "E+";
        const int a = std::abs(exposant);
        if (a < 10) r += '0';
        r += std::to_string(a);
    } else if (exposant >= 0) {
        const auto entiers = static_cast<std::size_t>(exposant) + 1;
        if (chiffres.size() <= entiers) {
            r += chiffres;
            r.append(entiers - chiffres.size(), '0');
        } else {
            r.append(chiffres, 0, entiers);
            r += ',';
            r.append(chiffres, entiers);
        }
    } else {
        r += "0,";
        r.append(static_cast<std::size_t>(-exposant - 1), '0');
        r += chiffres;
    }
    return r;
}

std::string FormatZeros(std::int64_t n, int largeur) {
    std::string chiffres = std::to_string(n < 0 ? -n : n);
    if (static_cast<int>(chiffres.size()) < largeur) {
        chiffres.insert(0, static_cast<std::size_t>(largeur) - chiffres.size(), '0');
    }
    return n < 0 ? "-" + chiffres : chiffres;
}

// --- dates -----------------------------------------------------------------

namespace {

// Days from 1 January 1970 of a proleptic Gregorian date.
std::int64_t JoursDepuisCivil(std::int64_t a, int m, int j) {
    a -= m <= 2 ? 1 : 0;
    const std::int64_t ere = (a >= 0 ? a : a - 399) / 400;
    const std::int64_t ae = a - ere * 400;
    const std::int64_t jda = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + j - 1;
    const std::int64_t jde = ae * 365 + ae / 4 - ae / 100 + jda;
    return ere * 146097 + jde - 719468;
}

AnneeMoisJour CivilDepuisJours(std::int64_t z) {
    z += 719468;
    const std::int64_t ere = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t jde = z - ere * 146097;
    const std::int64_t ae = (jde - jde / 1460 + jde / 36524 - jde / 146096) / 365;
    const std::int64_t jda = jde - (365 * ae + ae / 4 - ae / 100);
    const std::int64_t mp = (5 * jda + 2) / 153;
    const int j = static_cast<int>(jda - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {static_cast<int>(ae + ere * 400 + (m <= 2 ? 1 : 0)), m, j};
}

const std::int64_t kJourZero = JoursDepuisCivil(1899, 12, 30);

double PartieJour(double serie) { return std::trunc(serie); }
double PartieHeure(double serie) { return std::fabs(serie - std::trunc(serie)); }

double Recompose(double jour, double heure) { return jour >= 0 ? jour + heure : jour - heure; }

int JoursDansMois(int a, int m) {
    static constexpr std::array<int, 12> kJours{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m == 2) {
        const bool bissextile = (a % 4 == 0 && a % 100 != 0) || a % 400 == 0;
        return bissextile ? 29 : 28;
    }
    return kJours[static_cast<std::size_t>(m - 1)];
}

void VerifieDate(double serie) {
    if (!DateDansLimites(serie)) LeveErreur(erreur::kDepassement);
}

}  // namespace

bool DateDansLimites(double serie) {
    return std::isfinite(serie) && PartieJour(serie) >= kDateMin && PartieJour(serie) <= kDateMax;
}

double DateSerie(int annee, int mois, int jour) {
    std::int64_t a = annee;
    std::int64_t m0 = static_cast<std::int64_t>(mois) - 1;
    a += m0 >= 0 ? m0 / 12 : -((11 - m0) / 12);
    m0 -= (m0 >= 0 ? m0 / 12 : -((11 - m0) / 12)) * 12;
    if (a < 100 || a > 9999) LeveErreur(erreur::kDepassement);
    const std::int64_t jours = JoursDepuisCivil(a, static_cast<int>(m0) + 1, 1) + jour - 1 - kJourZero;
    const auto serie = static_cast<double>(jours);
    VerifieDate(serie);
    return serie;
}

AnneeMoisJour DateVersAMJ(double serie) {
    VerifieDate(serie);
    return CivilDepuisJours(static_cast<std::int64_t>(PartieJour(serie)) + kJourZero);
}

double DateAjouteMois(double serie, double mois) {
    const AnneeMoisJour d = DateVersAMJ(serie);
    const double n = ArrondiPair(mois);
    if (!(std::fabs(n) < 200000)) LeveErreur(erreur::kDepassement);
    const std::int64_t total = static_cast<std::int64_t>(d.annee) * 12 + (d.mois - 1) + static_cast<std::int64_t>(n);
    const std::int64_t a = total >= 0 ? total / 12 : -((11 - total) / 12);
    const int m = static_cast<int>(total - a * 12) + 1;
    if (a < 100 || a > 9999) LeveErreur(erreur::kDepassement);
    const int j = std::min(d.jour, JoursDansMois(static_cast<int>(a), m));
    return Recompose(DateSerie(static_cast<int>(a), m, j), PartieHeure(serie));
}

std::int32_t DateDiffMois(double d1, double d2) {
    const AnneeMoisJour a = DateVersAMJ(d1);
    const AnneeMoisJour b = DateVersAMJ(d2);
    return (b.annee * 12 + b.mois) - (a.annee * 12 + a.mois);
}

double MoisPremierJour(double serie) {
    const AnneeMoisJour d = DateVersAMJ(serie);
    return DateSerie(d.annee, d.mois, 1);
}

double MoisDernierJour(double serie) {
    const AnneeMoisJour d = DateVersAMJ(serie);
    return DateSerie(d.annee, d.mois, JoursDansMois(d.annee, d.mois));
}

namespace {

// Reads up to `max` digits at i; -1 when there is none.
int LitEntier(std::string_view t, std::size_t& i, int max, int& nbChiffres) {
    int v = 0;
    nbChiffres = 0;
    while (i < t.size() && EstChiffre(t[i]) && nbChiffres < max) {
        v = v * 10 + (t[i] - '0');
        ++i;
        ++nbChiffres;
    }
    return nbChiffres == 0 ? -1 : v;
}

std::optional<double> LitHeure(std::string_view t, std::size_t& i) {
    int nb = 0;
    const int h = LitEntier(t, i, 2, nb);
    if (h < 0 || i >= t.size() || t[i] != ':') return std::nullopt;
    ++i;
    const int mn = LitEntier(t, i, 2, nb);
    if (mn < 0) return std::nullopt;
    int s = 0;
    if (i < t.size() && t[i] == ':') {
        ++i;
        s = LitEntier(t, i, 2, nb);
        if (s < 0) return std::nullopt;
    }
    if (h > 23 || mn > 59 || s > 59) return std::nullopt;
    return (h * 3600 + mn * 60 + s) / 86400.0;
}

}  // namespace

std::optional<double> LitDate(std::string_view texte) {
    const std::string_view t = Trim(texte);
    if (t.empty()) return std::nullopt;
    std::size_t i = 0;
    int nb = 0;
    const std::size_t debut = i;
    const int premier = LitEntier(t, i, 4, nb);
    if (premier < 0) return std::nullopt;
    if (i < t.size() && t[i] == ':') {
        i = debut;
        const auto h = LitHeure(t, i);
        if (!h || i != t.size()) return std::nullopt;
        return *h;
    }
    if (i >= t.size() || (t[i] != '/' && t[i] != '-' && t[i] != '.')) return std::nullopt;
    const char sep = t[i++];
    const int mois = LitEntier(t, i, 2, nb);
    if (mois < 0 || i >= t.size() || t[i] != sep) return std::nullopt;
    ++i;
    int annee = LitEntier(t, i, 4, nb);
    if (annee < 0) return std::nullopt;
    if (nb <= 2) annee += annee < 30 ? 2000 : 1900;
    const int jour = premier;
    if (mois < 1 || mois > 12 || annee < 100 || jour < 1 || jour > JoursDansMois(annee, mois)) return std::nullopt;
    double serie = DateSerie(annee, mois, jour);
    if (i < t.size()) {
        if (t[i] != ' ') return std::nullopt;
        while (i < t.size() && t[i] == ' ') ++i;
        const auto h = LitHeure(t, i);
        if (!h || i != t.size()) return std::nullopt;
        serie = Recompose(serie, *h);
    }
    return serie;
}

namespace {

constexpr std::array<const char*, 12> kMoisCourts{"janv.", "f\xE9vr.", "mars", "avr.", "mai", "juin",
                                                 "juil.", "ao\xFBt", "sept.", "oct.", "nov.", "d\xE9" "c."};
constexpr std::array<const char*, 12> kMoisLongs{"janvier", "f\xE9vrier", "mars", "avril", "mai", "juin",
                                                "juillet", "ao\xFBt", "septembre", "octobre", "novembre",
                                                "d\xE9" "cembre"};
constexpr std::array<const char*, 7> kJoursCourts{"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."};
constexpr std::array<const char*, 7> kJoursLongs{"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi",
                                                "samedi"};

struct Horaire {
    int h = 0, mn = 0, s = 0;
};

Horaire HoraireDe(double serie) {
    auto secondes = static_cast<std::int64_t>(std::llround(PartieHeure(serie) * 86400.0));
    if (secondes > 86399) secondes = 86399;
    return {static_cast<int>(secondes / 3600), static_cast<int>(secondes / 60 % 60), static_cast<int>(secondes % 60)};
}

std::string Deux(int v) { return FormatZeros(v, 2); }

}  // namespace

std::string FormatDate(double serie) {
    VerifieDate(serie);
    const AnneeMoisJour d = DateVersAMJ(serie);
    const bool aHeure = PartieHeure(serie) != 0;
    std::string r;
    if (PartieJour(serie) != 0 || !aHeure) r = Deux(d.jour) + "/" + Deux(d.mois) + "/" + FormatZeros(d.annee, 4);
    if (aHeure) {
        const Horaire h = HoraireDe(serie);
        if (!r.empty()) r += ' ';
        r += Deux(h.h) + ":" + Deux(h.mn) + ":" + Deux(h.s);
    }
    return r;
}

std::string FormatDateMotif(double serie, std::string_view motif) {
    const AnneeMoisJour d = DateVersAMJ(serie);
    const Horaire h = HoraireDe(serie);
    const auto jourSemaine = static_cast<std::size_t>(
        ((static_cast<std::int64_t>(PartieJour(serie)) % 7) + 7 + 6) % 7);  // day 0 was a Saturday
    std::string r;
    std::size_t i = 0;
    while (i < motif.size()) {
        const char c = motif[i];
        const char cm = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        std::size_t n = 1;
        while (i + n < motif.size() && (motif[i + n] == c)) ++n;
        switch (cm) {
        case 'd':
            if (n == 1) r += std::to_string(d.jour);
            else if (n == 2) r += Deux(d.jour);
            else if (n == 3) r += kJoursCourts[jourSemaine];
            else r += kJoursLongs[jourSemaine];
            break;
        case 'm':
            if (n == 1) r += std::to_string(d.mois);
            else if (n == 2) r += Deux(d.mois);
            else if (n == 3) r += kMoisCourts[static_cast<std::size_t>(d.mois - 1)];
            else r += kMoisLongs[static_cast<std::size_t>(d.mois - 1)];
            break;
        case 'y':
            if (n <= 2) r += Deux(d.annee % 100);
            else r += FormatZeros(d.annee, 4);
            break;
        case 'h': r += n == 1 ? std::to_string(h.h) : Deux(h.h); break;
        case 'n': r += n == 1 ? std::to_string(h.mn) : Deux(h.mn); break;
        case 's': r += n == 1 ? std::to_string(h.s) : Deux(h.s); break;
        default: r.append(n, c); break;
        }
        i += n;
    }
    return r;
}

}  // namespace korv::formula
