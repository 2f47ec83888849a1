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
        const std::string brut = texte(c, r);
        std::size_t i = 0;
        for (std::size_t j = brut.find("\r\n"); j != std::string::npos; j = brut.find("\r\n", i)) {
            t.append(brut, i, j - i).push_back(' ');
            i = j + 2;
        }
        t.append(brut, i, std::string::npos);
    }
    if (!t.empty() && t.front() == kProprietaire) t = t.substr(1);
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
        s += "\r\n";
    }
    return s;
}

}  // namespace korv::grid
