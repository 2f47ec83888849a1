// Filling a chart's model from its parameter grid and its data grid.

#include "grid/graphique.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "formula/nombres.h"
#include "grid/case_tableau.h"
#include "grid/tableau.h"

namespace korv::grid {

namespace {

using formula::Valeur;

constexpr int kTexte = 8;
constexpr int kSimple = 4;
constexpr int kOctet = 17;
constexpr int kEntier = 2;
constexpr int kLong = 3;
constexpr int kDouble = 5;
constexpr int kBooleen = 11;
constexpr int kDonnee = 512;
constexpr int kMaxSeries = 254;      // parameter columns 2..N + 1 of a grid
constexpr int kMaxCategories = 255;  // data-grid columns

// Element n (1-based) of a comma-separated list; empty past its end.
std::string Element(std::string_view liste, int n) {
    int i = 1;
    std::size_t debut = 0;
    while (i < n) {
        const std::size_t v = liste.find(',', debut);
        if (v == std::string_view::npos) return {};
        debut = v + 1;
        ++i;
    }
    const std::size_t fin = liste.find(',', debut);
    return std::string(liste.substr(debut, fin == std::string_view::npos ? std::string_view::npos : fin - debut));
}

int NombreElements(std::string_view liste) {
    if (liste.empty()) return 0;
    return 1 + static_cast<int>(std::count(liste.begin(), liste.end(), ','));
}

std::string Majuscules(std::string s) {
    for (char& ch : s) {
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    }
    return s;
}

// The grid's numbers read in a range; outside it, the nearest bound.
int Borne(double v, int bas, int haut) {
    if (!(v >= bas)) return bas;  // NaN too
    if (v > haut) return haut;
    return static_cast<int>(formula::ArrondiPair(v));
}

}  // namespace

Valeur ValeurCaseGraphique(TableauClasse& grille, int colonne, int ligne) {
    // Cells past a byte are outside any grid.
    if (colonne < 1 || colonne > 255 || ligne < 1 || ligne > 255) return Valeur::Erreur(0);
    return grille.CaseValeurInternePendantCalcul(static_cast<std::uint8_t>(colonne), static_cast<std::uint8_t>(ligne));
}

Valeur MajDonneesValeur(int& type, int colonne, int ligne, TableauClasse& grille) {
    Valeur v = ValeurCaseGraphique(grille, colonne, ligne);
    if (type == kTexte) {
        if (v.estVide() || v.estNul() || v.estErreur()) return Valeur::Chaine("");
        std::string t = v.EnTexte();
        std::replace(t.begin(), t.end(), '\xB5', '.');
        return Valeur::Chaine(std::move(t));
    }
    const bool numerique = v.estVide() || (!v.estNul() && !v.estErreur() && v.EstNumerique());
    if (!numerique) return type == kDonnee ? Valeur::Nul() : Valeur::Double(0);
    if (v.estVide()) v = Valeur::Entier(0);
    switch (type) {
    case kSimple: return Valeur::Double(static_cast<float>(v.EnDouble()));
    case kOctet: return Valeur::Long(v.EnOctet());
    case kEntier: return Valeur::Entier(v.EnEntier());
    case kLong: return Valeur::Long(v.EnLong());
    case kDouble:
    case kDonnee: type = kDouble; return Valeur::Double(v.EnDouble());
    case kBooleen: return Valeur::Booleen(v.EnBooleen());
    default: return Valeur::Entier(0);
    }
}

std::string FormatFrancais(double x, int decimales, bool milliers) {
    const double echelle = std::pow(10.0, decimales);
    const double arrondi = std::round(std::fabs(x) * echelle);
    const bool negatif = x < 0 && arrondi != 0;
    const auto entier = static_cast<long long>(std::floor(arrondi / echelle));
    const auto fraction = static_cast<long long>(arrondi - static_cast<double>(entier) * echelle);
    std::string chiffres = std::to_string(entier);
    if (milliers) {
        for (int p = static_cast<int>(chiffres.size()) - 3; p > 0; p -= 3) chiffres.insert(static_cast<std::size_t>(p), " ");
    }
    std::string s = negatif ? "-" + chiffres : chiffres;
    if (decimales > 0) s += "," + formula::FormatZeros(fraction, decimales);
    return s;
}

std::string EtiquetteReformatee(std::string_view texte) {
    // The longest prefix that reads as a number.
    std::size_t n = 0;
    for (std::size_t k = 1; k <= texte.size(); ++k) {
        // Blanks after the number belong to the rest of the text.
        if (texte[k - 1] != ' ' && formula::LitNombre(texte.substr(0, k))) n = k;
    }
    if (n == 0) return std::string(texte);
    const double x = *formula::LitNombre(texte.substr(0, n));
    std::string nombre;
    if (x == std::floor(x)) {
        nombre = formula::FormatNombre(x);
    } else if (x * 10 == std::floor(x * 10)) {
        nombre = FormatFrancais(x, 1, true);
    } else {
        nombre = FormatFrancais(x, 2, true);
    }
    return nombre + std::string(texte.substr(n));
}

void GraphiqueClasse::InitialiseRectangleParent(int gauche, int haut, int droite, int bas) {
    gauche_ = gauche;
    haut_ = haut;
    droite_ = droite;
    bas_ = bas;
}

void GraphiqueClasse::MajDonnees(std::string_view nom1, std::string_view nom2, bool impression,
                                 const EnvironnementGraphique& env) {
    auto trouve = [&](std::string_view nom) -> TableauClasse* {
        const std::size_t point = nom.find('.');
        if (point == std::string_view::npos || !env.grille) return nullptr;
        return env.grille(Majuscules(std::string(nom.substr(0, point))), Majuscules(std::string(nom.substr(point + 1))));
    };
    parametres_ = trouve(nom1);
    if (!parametres_) return;
    donnees_ = trouve(nom2);
    if (!donnees_) return;
    MajDonneesTableau(impression, env);
}

void GraphiqueClasse::MajDonneesTableau(bool impression, const EnvironnementGraphique& env) {
    // Without its data grid a chart stays without data, as when it was made.
    if (!parametres_ || !donnees_) return;
    TableauClasse& p = *parametres_;
    auto texte = [&](int c, int r) {
        int t = kTexte;
        return MajDonneesValeur(t, c, r, p).chaine();
    };
    auto nombre = [&](int c, int r) {
        int t = kDouble;
        return MajDonneesValeur(t, c, r, p).EnDouble();
    };

    ContenuGraphique g;
    g.titre = texte(1, 3);
    g.taillePolice = impression ? 12 : 10;
    g.titreAxeCategories = texte(2, 5);
    g.titreAxeValeurs = texte(2, 6);
    {
        int t = kBooleen;
        g.interrupteursAxes = MajDonneesValeur(t, 4, 5, p).EnBooleen();
    }
    g.image = texte(2, 20);
    if (!g.image.empty() && env.nomAbsolu) g.image = env.nomAbsolu(g.image);
    g.imageNumero = static_cast<std::int16_t>(Borne(nombre(4, 20), -32768, 32767));
    g.genreBrut = static_cast<std::int32_t>(std::clamp(nombre(2, 1), -2147483648.0, 2147483647.0));
    // Counts of a damaged grid are held to what a grid can hold.
    g.categories = Borne(nombre(2, 7), 0, kMaxCategories);
    g.seriesNb = Borne(nombre(2, 8), 0, kMaxSeries);
    const int n = g.seriesNb;
    const int m = g.categories;

    std::vector<int> colonneDeSerie(static_cast<std::size_t>(n + 1), 0);
    std::vector<int> positionDeColonne(static_cast<std::size_t>(n + 2), 0);
    for (int i = 2; i <= n + 1; ++i) {
        const std::string ordre = texte(i, 15);
        int position = i - 1;
        if (NombreElements(ordre) >= 2) position = Borne(std::fabs(formula::Val(Element(ordre, 2))), 0, 32767);
        positionDeColonne[static_cast<std::size_t>(i)] = position;
        // A position outside 1..N names no series.
        if (position >= 1 && position <= n) colonneDeSerie[static_cast<std::size_t>(position)] = i;
    }
    g.origineLigne = Borne(nombre(2, 18), -32768, 32767);
    g.origineColonne = Borne(nombre(2, 19), -32768, 32767);

    std::vector<int> serieNegative(static_cast<std::size_t>(n + 1), 0);
    g.series.resize(static_cast<std::size_t>(n));
    for (int k = 1; k <= n; ++k) {
        SerieGraphique& s = g.series[static_cast<std::size_t>(k - 1)];
        const int i = colonneDeSerie[static_cast<std::size_t>(k)];
        s.colonneParametre = i;
        s.valeurs.assign(static_cast<std::size_t>(m), std::nullopt);
        s.etiquettes.assign(static_cast<std::size_t>(m), std::nullopt);
        if (i == 0) continue;  // no column declared this position
        s.legende = texte(i, 10);
        s.couleur = p.CaseCouleurFond(i, 11);
        s.invisible = Majuscules(texte(i, 11)) == "INVISIBLE";
        s.bordVisible = !s.invisible && s.couleur != -7;
        s.reglagePoints = static_cast<std::int32_t>(std::clamp(nombre(i, 13), -2147483648.0, 2147483647.0));
        const std::string neg = texte(i, 9);
        if (neg.rfind("COLNEG", 0) == 0) {
            const int j = Borne(formula::Val(neg.substr(6)), -1, 1000) + 1;
            // A column outside the series columns sends the negatives nowhere.
            const int t = j >= 2 && j <= n + 1 ? positionDeColonne[static_cast<std::size_t>(j)] : 0;
            if (t >= 1 && t <= n && t != k) {
                serieNegative[static_cast<std::size_t>(k)] = t;
                serieNegative[static_cast<std::size_t>(t)] = -1;
            }
        }
        if (!g.image.empty()) s.imageAbsente = !(env.fichierExiste && env.fichierExiste(g.image));
        const double v = nombre(i, 12);
        if (v <= 128) {
            s.reglageEtiquette = Borne(std::fabs(v), 0, 32767);
            if (v == -10) {
                s.reglageEtiquette = 1;
                s.formatValeurs = "-0.00";
            }
        } else {
            s.etiquettesPerso = true;
        }
    }

    // Values: the series of parameter column i reads data-grid row R0 + i - 1.
    for (int r = 1; r <= m; ++r) {
        for (int k = 1; k <= n; ++k) {
            SerieGraphique& s = g.series[static_cast<std::size_t>(k - 1)];
            if (serieNegative[static_cast<std::size_t>(k)] < 0 || s.colonneParametre == 0 || !donnees_) continue;
            const int c = g.origineColonne + r - 1;
            const int l = g.origineLigne + s.colonneParametre - 1;
            int t = kDonnee;
            const Valeur v = MajDonneesValeur(t, c, l, *donnees_);
            auto& point = s.valeurs[static_cast<std::size_t>(r - 1)];
            if (v.estNul()) {
                point.reset();
                continue;
            }
            const double x = v.EnDouble();
            point = x;
            if (x == 0) s.etiquettes[static_cast<std::size_t>(r - 1)] = " ";
            const int cible = serieNegative[static_cast<std::size_t>(k)];
            if (x < 0 && cible >= 1) {
                g.series[static_cast<std::size_t>(cible - 1)].valeurs[static_cast<std::size_t>(r - 1)] = -x;
                point.reset();
            }
        }
    }

    for (auto& s : g.series) {
        if (!s.etiquettesPerso) continue;
        const int ligne = Borne(formula::Val(texte(s.colonneParametre, 14)), 0, 32767);
        for (int r = 1; r <= m; ++r) {
            auto& e = s.etiquettes[static_cast<std::size_t>(r - 1)];
            e = " ";
            const auto& v = s.valeurs[static_cast<std::size_t>(r - 1)];
            if (v && *v != 0) e = EtiquetteReformatee(texte(r + 1, ligne));
        }
    }

    const double ordre = nombre(2, 15);
    if (ordre < 0) {
        for (auto& s : g.series) {
            if (s.colonneParametre == 0) continue;
            const double a = std::fabs(formula::Val(Element(texte(s.colonneParametre, 15), 1)));
            if (a > 0) s.reglageSerie = Borne(a, 0, 32767);
        }
    }
    g.empile = ordre > 0;
    // The plot settings of rows 16 and 17 tune the control's own plot; the
    // drawing here has no use for them, so they are not read.

    // The chart kinds of the control: bars (0, 1), lines (2, 3), areas (4, 5), pie (14).
    switch (g.genreBrut) {
    case 2:
    case 3: g.genre = GenreGraphique::Lignes; break;
    case 4:
    case 5: g.genre = GenreGraphique::Aires; break;
    case 14: g.genre = GenreGraphique::Secteurs; break;
    default: g.genre = g.empile ? GenreGraphique::BarresEmpilees : GenreGraphique::Barres; break;
    }

    for (const auto& s : g.series) {
        for (const auto& v : s.valeurs) {
            if (v) g.maxAbsolu = std::max(g.maxAbsolu, std::fabs(*v));
        }
    }
    g.formatAxeValeurs = g.maxAbsolu <= 1 ? "0,00" : g.maxAbsolu <= 10 ? "0,0" : "0";
    contenu_ = std::move(g);
}

}  // namespace korv::grid
