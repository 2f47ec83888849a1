// Columns of a grid: print attributes, sort marks and the sort of a block
// of rows by the values of one column.

#include <algorithm>
#include <cstdlib>

#include "engine/geometrie.h"
#include "formula/valeur.h"
#include "grid/tableau.h"

namespace korv::grid {

namespace {

bool EstFormule(const std::string& texte) { return !texte.empty() && texte.front() == '='; }

// Order of sort keys: Null and error values count as the number 0; two
// values of different types never replace each other.
struct ClePlusPetite {
    static formula::Valeur Normale(const formula::Valeur& v) {
        return v.estNul() || v.estErreur() ? formula::Valeur::Double(0) : v;
    }
    bool operator()(const formula::Valeur& a0, const formula::Valeur& b0) const {
        const formula::Valeur a = Normale(a0);
        const formula::Valeur b = Normale(b0);
        if (a.type() != b.type()) return false;
        if (a.estChaine()) return a.chaine() < b.chaine();
        if (a.estNombre()) return a.EnDouble() < b.EnDouble();
        return false;
    }
};

// A cell receives the other's content; a formula keeps its own text and
// only takes the other's value text, so formulas stay in their rows.
void Recoit(CaseTableau& cible, const std::string& texte, const std::string& valeur) {
    if (EstFormule(texte) || EstFormule(cible.Texte)) {
        cible.Valeur = valeur;
    } else {
        cible.Texte = texte;
    }
}

}  // namespace

ImpressionTableauAttribut* TableauClasse::ColonneImprime(int c) {
    return c >= 1 && c <= colonneNb_ ? &C(c).AttributImpression : nullptr;
}

ImpressionTableauAttribut* TableauClasse::LigneImprime(int r) {
    return r >= 1 && r <= ligneNb_ ? &L(r).AttributImpression : nullptr;
}

void TableauClasse::ColonneTriChoisirRef(std::int16_t& choix) {
    if (choix > kMaxLignesColonnes) choix = static_cast<std::int16_t>(kMaxLignesColonnes - choix);
    for (int c = 1; c <= colonneNb_; ++c) {
        if (choix != 0 && c == std::abs(choix)) {
            C(c).Marque3 = static_cast<std::int16_t>(choix > 0 ? -1 : 1);
        } else {
            C(c).Marque3 = 0;
        }
    }
}

void TableauClasse::ColonneTrierAutomatiquement(int c) {
    if (c < 1 || c > colonneNb_) return;
    const auto debut = CaseNomCoordonnees("LIGTRIDEB");
    const auto fin = CaseNomCoordonnees("LIGTRIFIN");
    const int r1 = debut ? debut->ligne : 0;
    const int r2 = fin ? fin->ligne : 0;
    const int marque = Colonne(c).Marque3;
    if (marque < 0) ColonneTrier(1, r1, colonneNb_, r2, c, 1, false);
    if (marque > 0) ColonneTrier(1, r1, colonneNb_, r2, c, 2, false);
}

void TableauClasse::EchangeContenus(int a, int b, int c1, int c2) {
    for (int c = c1; c <= c2; ++c) {
        CaseTableau& x = CaseInterne(c, a);
        CaseTableau& y = CaseInterne(c, b);
        const std::string texteA = x.Texte, valeurA = x.Valeur;
        const std::string texteB = y.Texte, valeurB = y.Valeur;
        Recoit(x, texteB, valeurB);
        Recoit(y, texteA, valeurA);
        RecalculInvaliderRecursivement(c, a, true);
        RecalculInvaliderRecursivement(c, b, true);
    }
}

// The names of the cells stay with their cells whatever `nom` says.
void TableauClasse::ColonneTrier(int c1, int r1, int c2, int r2, int colonneCle, int ordre, bool nom) {
    (void)nom;
    if (r1 < 1 || r2 < 1 || c1 < 1 || c2 < 1) return;
    c2 = std::min(c2, colonneNb_);
    r2 = std::min(r2, ligneNb_);
    if (r1 > r2 || c1 > c2 || colonneCle < 1 || colonneCle > colonneNb_) return;

    const SelectionTableau normalisee = SelectionNormalisee(selection_);
    int suivie = LigneAfficheeVersStockee(normalisee.HautGaucheLigne);

    while (r2 >= r1 && Ligne(r2).Pliee != 0) --r2;
    if (r2 < r1) return;

    const auto n = static_cast<std::size_t>(r2 - r1 + 1);
    std::vector<formula::Valeur> cles(n);
    std::vector<int> triees(n);
    std::vector<int> actuelles(n);
    for (std::size_t i = 0; i < n; ++i) {
        const int r = r1 + static_cast<int>(i);
        cles[i] = CaseValeurInternePendantCalcul(static_cast<std::uint8_t>(colonneCle), static_cast<std::uint8_t>(r));
        triees[i] = r;
        actuelles[i] = r;
    }
    engine::TableauTriCroissant(cles, triees, static_cast<engine::OrdreTri>(ordre), ClePlusPetite{});

    int echanges = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (actuelles[i] == triees[i]) continue;
        const auto j = static_cast<std::size_t>(
            std::find(actuelles.begin(), actuelles.end(), triees[i]) - actuelles.begin());
        const int a = r1 + static_cast<int>(i);
        const int b = r1 + static_cast<int>(j);
        if (suivie == a) {
            suivie = b;
        } else if (suivie == b) {
            suivie = a;
        }
        EchangeContenus(a, b, c1, c2);
        std::swap(actuelles[i], actuelles[j]);
        ++echanges;
    }
    if (echanges > 0) ToutesLignesACalculer();

    SelectionTableau s;
    s.Valide = -1;
    const auto ligneAffichee = static_cast<std::int16_t>(LigneStockeeVersAffichee(suivie));
    s.PremiereLigne = s.DerniereLigne = ligneAffichee;
    s.PremiereColonne = s.DerniereColonne = normalisee.BasDroiteColonne;
    selection_ = SelectionNormalisee(s);

    if (suivie >= 1 &&
        (echanges == 0 || LigneStockeeVersAffichee(suivie) >= decalageLigne_ + lignesAfficheesNb_)) {
        DecalageLigneChange(static_cast<std::uint8_t>(suivie));
    }
    if (EnJeu()) env_->RedessineSiAffiche(page_, objet_);
}

}  // namespace korv::grid
