// Merged runs of a row, as the display, the mouse and the keys read them.

#include "grid/tableau.h"

namespace korv::grid {

int TableauClasse::FusionPremiereColonne(int c, int r) const {
    if (!DansGrille(c, r)) return 0;
    switch (CaseFusion(c, r)) {
    case 1: return c;
    case 2:
        for (int k = c - 1; k >= 1; --k) {
            if (CaseFusion(k, r) == 1) return k;
        }
        return 1;
    default: return 0;
    }
}

int TableauClasse::FusionDerniereColonne(int c, int r) const {
    if (!DansGrille(c, r) || CaseFusion(c, r) == 0) return 0;
    int fin = c;
    for (int k = c + 1; k <= colonneNb_ && CaseFusion(k, r) == 2; ++k) fin = k;
    return fin;
}

void TableauClasse::CaseTexteChange(int c, int r, std::string_view texte) {
    if (CaseTableau* x = CaseAChanger(c, r)) x->Texte = std::string(texte);
}

}  // namespace korv::grid
