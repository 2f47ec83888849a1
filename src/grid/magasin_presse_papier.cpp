// Copy and paste between the grids of the current page and the clipboard.

#include <string>

#include "grid/grille_presse_papier.h"
#include "grid/magasin_grilles.h"
#include "platform/clipboard.h"

namespace korv::grid {

namespace {
std::uint8_t U8(int v) { return static_cast<std::uint8_t>(v); }
}  // namespace

bool MagasinGrilles::CopierParUtilisateur() {
    if (!services_.pressePapier || !services_.pageCourante) return false;
    const std::int16_t page = services_.pageCourante();
    bool copie = false;
    for (auto& [cle, g] : grilles_) {
        if (cle.first != page || !g->SelectionEstValide()) continue;
        const SelectionTableau& s = g->Selection();
        TableauClasse& grille = *g;
        services_.pressePapier->TexteFixer(TextePressePapier(
            grille, s.HautGaucheColonne, s.HautGaucheLigne, s.BasDroiteColonne, s.BasDroiteLigne,
            [this, &grille](int c, int r) { return TexteAffiche(grille, c, r); }));
        copie = true;
    }
    return copie;
}

void MagasinGrilles::CollerParUtilisateur() {
    if (!services_.pressePapier || !services_.pageCourante) return;
    const std::int16_t page = services_.pageCourante();
    bool colle = false;
    for (auto& [cle, g] : grilles_) {
        if (cle.first != page || !g->SelectionEstValide()) continue;
        const SelectionTableau& s = g->Selection();
        const std::string texte = services_.pressePapier->Texte();
        if (services_.planModifie) services_.planModifie();
        if (!CollerConsultation(*g, s.HautGaucheColonne, s.HautGaucheLigne, texte)) return;
        colle = true;
    }
    if (colle && EnJeu()) {
        RecalculePage(page);
        if (services_.majFenetre) services_.majFenetre();
    }
}

bool MagasinGrilles::CollerConsultation(TableauClasse& g, int colonne, int ligne, std::string_view texte) {
    ParcouruRecalculReinitTous();
    int c = colonne, l = ligne;
    std::size_t i = 0;
    while (i < texte.size()) {
        const char x = texte[i];
        if (x == '\t') {
            ++c;
            ++i;
            continue;
        }
        // Rows end with CR, and also with a lone LF as other programs here write them.
        if (x == '\r' || (x == '\n' && (i == 0 || texte[i - 1] != '\r'))) {
            ++l;
            c = colonne;
            ++i;
            continue;
        }
        if (static_cast<unsigned char>(x) < 32) {
            ++i;
            continue;
        }
        std::size_t fin = texte.find_first_of("\t\r\n", i);
        if (fin == std::string_view::npos) fin = texte.size();
        const std::string_view valeur = texte.substr(i, fin - i);
        i = fin;
        // Beyond the grid's 255 columns or rows the values are dropped.
        const int sc = g.ColonneAfficheeVersStockee(c);
        const int sr = g.LigneAfficheeVersStockee(l);
        if (sc < 1 || sc > g.ColonneNb() || sr < 1 || sr > g.LigneNb()) continue;
        if (g.Colonne(sc).Pliee != 0 || g.Ligne(sr).Pliee != 0 || !g.CaseEstEditable(sc, sr)) continue;
        g.CaseUtilisateurChange(U8(sc), U8(sr), valeur, false);
        if (Declenche(g, sc, sr, "SUR FINEDITION")) return false;
        if (g.CaseCouleurFond(sc, sr) == -14) g.CaseTexteChange(sc, sr, valeur);
    }
    return true;
}

}  // namespace korv::grid
