#include "grid/formule_decale.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <vector>

#include "formula/valeur.h"

namespace korv::grid {

namespace {

constexpr std::string_view kFonctionsADecaler =
    "Case,CaseVideAZero,Somme,Max,SommeVideAZero,CopieSiVide,CaseChangeFichier,CaseChangeCouleurTexte,"
    "CaseChangeCouleurFond,CaseChange,Plier,Deplier,Visible,Invisible,EffaceEntreeUtilisateur,"
    "CaseResultatType,CaseInvalidation,Valide,Invalide";

std::vector<std::string_view> Elements(std::string_view liste, std::string_view separateurs) {
    std::vector<std::string_view> r;
    std::size_t debut = 0;
    for (;;) {
        const auto fin = liste.find_first_of(separateurs, debut);
        r.push_back(liste.substr(debut, fin == std::string_view::npos ? std::string_view::npos : fin - debut));
        if (fin == std::string_view::npos) return r;
        debut = fin + 1;
    }
}

struct Coordonnee {
    bool absolue = false;
    int valeur = 0;
};

// "n" or "$n", blanks around; nothing for anything else (a cell name, an
// empty element), which is then never rewritten.
std::optional<Coordonnee> LitCoordonnee(std::string_view e) {
    e = formula::Trim(e);
    Coordonnee c;
    if (!e.empty() && e.front() == '$') {
        c.absolue = true;
        e = formula::Trim(e.substr(1));
    }
    if (e.empty()) return std::nullopt;
    const auto [fin, ec] = std::from_chars(e.data(), e.data() + e.size(), c.valeur);
    if (ec != std::errc{} || fin != e.data() + e.size()) return std::nullopt;
    return c;
}

std::string Ecrit(const Coordonnee& c) { return (c.absolue ? "$" : "") + std::to_string(c.valeur); }

// Shifts one corner when it lies in the zone; true when a value changed.
bool DecaleCoin(Coordonnee& colonne, Coordonnee& ligne, const DecalageZone& z, bool absolus) {
    if (colonne.valeur < z.c1 || colonne.valeur > z.c2 || ligne.valeur < z.r1 || ligne.valeur > z.r2) return false;
    const int avantC = colonne.valeur;
    const int avantL = ligne.valeur;
    if (!colonne.absolue || absolus) colonne.valeur += z.dc;
    if (!ligne.absolue || absolus) ligne.valeur += z.dr;
    return colonne.valeur != avantC || ligne.valeur != avantL;
}

// The bracket's coordinates rewritten, joined by commas; nothing when no
// coordinate moved (the text then keeps its own spelling).
std::optional<std::string> CoordonneesDecalees(std::string_view contenu, const DecalageZone& z, bool absolus) {
    const auto elements = Elements(contenu, ".,");
    if (elements.size() < 2) return std::nullopt;
    auto colonne = LitCoordonnee(elements[0]);
    auto ligne = LitCoordonnee(elements[1]);
    if (!colonne || !ligne) return std::nullopt;
    bool change = DecaleCoin(*colonne, *ligne, z, absolus);

    std::optional<Coordonnee> colonne2;
    std::optional<Coordonnee> ligne2;
    if (elements.size() >= 4) {
        colonne2 = LitCoordonnee(elements[2]);
        ligne2 = LitCoordonnee(elements[3]);
        // A second corner counts only when both its coordinates are given.
        if (colonne2 && ligne2 && colonne2->valeur != 0 && ligne2->valeur != 0) {
            change = DecaleCoin(*colonne2, *ligne2, z, absolus) || change;
        } else {
            colonne2.reset();
            ligne2.reset();
        }
    }
    if (!change) return std::nullopt;

    std::string r = Ecrit(*colonne) + "," + Ecrit(*ligne);
    for (std::size_t i = 2; i < elements.size(); ++i) {
        r += ',';
        if (i == 2 && colonne2) {
            r += Ecrit(*colonne2);
        } else if (i == 3 && ligne2) {
            r += Ecrit(*ligne2);
        } else {
            r += elements[i];  // passes through as written
        }
    }
    return r;
}

}  // namespace

std::string ListeFonctionsADecaler() { return std::string(kFonctionsADecaler); }

std::string FormuleDecale(std::string_view texte, std::string_view noms, std::string_view prefixe,
                          const DecalageZone& zone, bool absolus) {
    std::string r(texte);
    for (const std::string_view nom : Elements(noms, ",")) {
        if (nom.empty()) continue;
        const std::string cherche = formula::Majuscules(std::string(prefixe) + std::string(nom) + "[");
        std::size_t depuis = 0;
        for (;;) {
            const auto trouve = formula::Majuscules(r).find(cherche, depuis);
            if (trouve == std::string::npos) break;
            const std::size_t debut = trouve + cherche.size();
            const std::size_t fin = r.find(']', debut);
            // An unclosed bracket: nothing after it can be a reference either.
            if (fin == std::string::npos) break;
            const std::string_view dedans = std::string_view(r).substr(debut, fin - debut);
            const auto deuxPoints = dedans.find(':');
            const auto coordonnees = CoordonneesDecalees(dedans.substr(0, deuxPoints), zone, absolus);
            if (!coordonnees) {
                depuis = fin + 1;
                continue;
            }
            const std::string contenu =
                *coordonnees + std::string(deuxPoints == std::string_view::npos ? std::string_view{}
                                                                                : dedans.substr(deuxPoints));
            r = r.substr(0, debut) + contenu + r.substr(fin);
            std::replace(r.begin(), r.end(), ',', '.');
            depuis = debut + contenu.size();
        }
    }
    return r;
}

}  // namespace korv::grid
