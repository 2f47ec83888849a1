#include "grid/grille_selection.h"

#include <algorithm>
#include <utility>

namespace korv::grid {

namespace {
constexpr std::int32_t kBord = 15;
std::int16_t I16(int v) { return static_cast<std::int16_t>(v); }
}  // namespace

SelectionTableau PointVersSelection(const TableauClasse& g, std::int32_t x, std::int32_t y) {
    SelectionTableau s;
    for (int i = 1; i <= g.ColonnesAfficheesNb(); ++i) {
        const int c = g.ColonneAfficheeVersStockee(i);
        if (c == 0) continue;
        const std::int32_t l = g.ColonneGauche(c), r = g.ColonneDroite(c);
        if (l <= x && x < r) {
            s.Valide = -1;
            s.HautGaucheColonne = s.BasDroiteColonne = s.PremiereColonne = s.DerniereColonne = I16(i);
        }
        if (l - kBord <= x && x < l + kBord) {
            s.Valide = -1;
            s.CadreColonne = I16(i);
        }
        if (r - kBord <= x && x < r + kBord) {
            s.Valide = -1;
            s.CadreColonne = I16(i + 1);
        }
    }
    for (int i = 1; i <= g.LignesAfficheesNb(); ++i) {
        const int r = g.LigneAfficheeVersStockee(i);
        if (r == 0) continue;
        const std::int32_t t = g.LigneHaut(r), b = g.LigneBas(r);
        if (t <= y && y < b) {
            s.Valide = -1;
            s.HautGaucheLigne = s.BasDroiteLigne = s.PremiereLigne = s.DerniereLigne = I16(i);
        }
        if (t - kBord <= y && y < t + kBord) {
            s.Valide = -1;
            s.CadreLigne = I16(i);
        }
        if (b - kBord <= y && y < b + kBord) {
            s.Valide = -1;
            s.CadreLigne = I16(i + 1);
        }
    }
    return s;
}

SelectionTableau SelectionEtendreAuxFusions(const TableauClasse& g, const SelectionTableau& s, bool enJeu) {
    if (!enJeu) return s;
    SelectionTableau n = s;
    if (n.HautGaucheLigne > n.BasDroiteLigne) std::swap(n.HautGaucheLigne, n.BasDroiteLigne);
    if (n.HautGaucheColonne > n.BasDroiteColonne) std::swap(n.HautGaucheColonne, n.BasDroiteColonne);
    int gauche = g.ColonneAfficheeVersStockee(n.HautGaucheColonne);
    int droite = g.ColonneAfficheeVersStockee(n.BasDroiteColonne);
    const int haut = g.LigneAfficheeVersStockee(n.HautGaucheLigne);
    const int bas = g.LigneAfficheeVersStockee(n.BasDroiteLigne);
    if (gauche == 0 || droite == 0 || haut == 0 || bas == 0) return n;
    const int c1 = gauche, c2 = droite;
    for (int a = n.HautGaucheLigne; a <= n.BasDroiteLigne; ++a) {
        const int r = g.LigneAfficheeVersStockee(a);
        if (r == 0) continue;
        for (int c = c1; c <= c2; ++c) {
            if (!g.DansGrille(c, r)) continue;
            const std::uint8_t marque = g.CaseFusion(c, r);
            if (marque == 2) gauche = std::min(gauche, g.FusionPremiereColonne(c, r));
            if (marque == 1 || marque == 2) droite = std::max(droite, g.FusionDerniereColonne(c, r));
        }
    }
    const int ag = g.ColonneStockeeVersAffichee(gauche);
    const int ad = g.ColonneStockeeVersAffichee(droite);
    if (ag != 0) n.HautGaucheColonne = I16(ag);
    if (ad != 0) n.BasDroiteColonne = I16(ad);
    return n;
}

void SelectionNormaliser(const TableauClasse& g, SelectionTableau& s, bool enJeu) {
    if (s.HautGaucheLigne > s.BasDroiteLigne) std::swap(s.HautGaucheLigne, s.BasDroiteLigne);
    if (s.HautGaucheColonne > s.BasDroiteColonne) std::swap(s.HautGaucheColonne, s.BasDroiteColonne);
    s = SelectionEtendreAuxFusions(g, s, enJeu);
}

void SelectionDepuisPremiereDerniere(const TableauClasse& g, SelectionTableau& s, bool enJeu) {
    s.HautGaucheLigne = s.PremiereLigne;
    s.HautGaucheColonne = s.PremiereColonne;
    s.BasDroiteLigne = s.DerniereLigne;
    s.BasDroiteColonne = s.DerniereColonne;
    SelectionNormaliser(g, s, enJeu);
}

std::optional<double> PourcentageAscenseur(const TableauClasse& g, bool horizontal) {
    const int n = horizontal ? g.ColonnesNonPlieesNb() : g.LignesNonPlieesNb();
    if (n <= 1) return std::nullopt;
    const int dehors = -(horizontal ? g.CorrespondanceColonnes().Bas() : g.CorrespondanceLignes().Bas());
    return dehors * 100.0 / (n - 1);
}

}  // namespace korv::grid
