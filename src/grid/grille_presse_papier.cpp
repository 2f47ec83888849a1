#include "grid/grille_presse_papier.h"

#include "grid/tableau.h"

namespace korv::grid {

namespace {

constexpr char kProprietaire = '\xA4';

std::string Champ(const TableauClasse& g, int c, int r, const std::function<std::string(int, int)>& texte) {
    std::string t;
    if (g.CaseCouleurFond(c, r) == -14) {
        const CaseTableau* x = g.Case(c, r);
        if (x) t = x->Texte;
    } else {
        t = texte(c, r);
        for (std::size_t i = t.find("\r\n"); i != std::string::npos; i = t.find("\r\n", i + 1)) t.replace(i, 2, " ");
    }
    if (!t.empty() && t.front() == kProprietaire) t.erase(0, 1);
    return t;
}

}  // namespace

std::string TextePressePapier(const TableauClasse& g, int c1, int l1, int c2, int l2,
                              const std::function<std::string(int, int)>& texte) {
    std::string s;
    for (int l = l1; l <= l2; ++l) {
        const int r = g.LigneAfficheeVersStockee(l);
        if (r < 1 || r > g.LigneNb() || g.Ligne(r).Pliee != 0) continue;
        bool premier = true;
        for (int a = c1; a <= c2; ++a) {
            const int c = g.ColonneAfficheeVersStockee(a);
            if (c < 1 || c > g.ColonneNb() || g.Colonne(c).Pliee != 0) continue;
            if (!premier) s += '\t';
            premier = false;
            s += Champ(g, c, r, texte);
        }
        s += '\r';
    }
    return s;
}

}  // namespace korv::grid
