// Copying formulas along a selection with their references following,
// shifting the formulas that read moved cells, and copying values to the
// right.

#include <algorithm>
#include <set>
#include <tuple>

#include "formula/valeur.h"
#include "grid/formule_decale.h"
#include "grid/tableau.h"

namespace korv::grid {

namespace {

// A formula read from the scene's formula block keeps no source text: its
// "=#" cannot be rewritten or compiled again.
bool FormuleSansSource(std::string_view texte) { return texte == "=#"; }

}  // namespace

void TableauClasse::FormuleRecopierVersBas() { FormuleRecopier(true); }

void TableauClasse::FormuleRecopierVersDroite() { FormuleRecopier(false); }

void TableauClasse::FormuleRecopier(bool versBas) {
    const SelectionTableau& s = selection_;
    const int cs = ColonneAfficheeVersStockee(s.HautGaucheColonne);
    const int rs = LigneAfficheeVersStockee(s.HautGaucheLigne);
    if (!DansGrille(cs, rs)) return;
    const std::string source = CaseInterne(cs, rs).Texte;
    if (FormuleSansSource(source)) return;
    const std::string noms = ListeFonctionsADecaler();
    const int premier = versBas ? s.HautGaucheLigne : s.HautGaucheColonne;
    const int dernier = versBas ? s.BasDroiteLigne : s.BasDroiteColonne;
    for (int p = premier + 1; p <= dernier; ++p) {
        const int c = versBas ? cs : ColonneAfficheeVersStockee(p);
        const int r = versBas ? LigneAfficheeVersStockee(p) : rs;
        if (!DansGrille(c, r)) continue;
        const DecalageZone zone{0, 0, kMaxLignesColonnes, kMaxLignesColonnes, c - cs, r - rs};
        CaseEditeurChange(c, r, FormuleDecale(source, noms, ".", zone, false));
    }
}

void TableauClasse::FormulesDecale(std::string_view prefixe, int c1, int r1, int c2, int r2, int dc, int dr) {
    if (env_) env_->TableauxReferencesRecreer();
    ResetMarquesToutes();
    const std::string noms = ListeFonctionsADecaler();
    const DecalageZone zone{c1, r1, c2, r2, dc, dr};
    // Each formula is rewritten once, however many cells of the zone it reads.
    std::set<std::tuple<const TableauClasse*, int, int>> faites;
    for (int r = std::max(r1, 1); r <= std::min(r2, ligneNb_); ++r) {
        for (int c = std::max(c1, 1); c <= std::min(c2, colonneNb_); ++c) {
            const std::vector<ReferenceDeCase> dependants = CaseInterne(c, r).ReferencesDe;
            for (const ReferenceDeCase& d : dependants) {
                TableauClasse* g = (d.page == page_ && d.objet == objet_) ? this
                                   : env_                                ? env_->Grille(d.page, d.objet)
                                                                         : nullptr;
                if (!g || !g->DansGrille(d.colonne, d.ligne)) continue;
                if (!faites.emplace(g, d.colonne, d.ligne).second) continue;
                const std::string texte = g->CaseEditeur(d.colonne, d.ligne);
                if (FormuleSansSource(texte)) continue;
                g->CaseEditeurChange(d.colonne, d.ligne, FormuleDecale(texte, noms, prefixe, zone, true));
            }
        }
    }
    if (env_) env_->TableauxReferencesRecreer();
    ResetMarquesToutes();
}

void TableauClasse::ValeurRecopierVersDroite() {
    const SelectionTableau& s = selection_;
    const int cs = ColonneAfficheeVersStockee(s.HautGaucheColonne);
    const int r1 = LigneAfficheeVersStockee(s.HautGaucheLigne);
    const int r2 = LigneAfficheeVersStockee(s.BasDroiteLigne);
    if (cs == 0 || r1 == 0 || r2 == 0) return;
    for (int r = r1; r <= r2; ++r) {
        const formula::Valeur v =
            CaseValeurInternePendantCalcul(static_cast<std::uint8_t>(cs), static_cast<std::uint8_t>(r));
        // An error value has no text a cell could take as an entry.
        if (v.estErreur()) continue;
        const std::string texte = v.EnTexte();
        const int ligneAffichee = LigneStockeeVersAffichee(r);
        for (int c = 1; c <= colonneNb_; ++c) {
            if (c == cs || !CaseEstEditable(c, r)) continue;
            if (!CaseAfficheeDansSelection(ColonneStockeeVersAffichee(c), ligneAffichee)) continue;
            CaseUtilisateurChange(static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r), texte, true);
        }
    }
}

}  // namespace korv::grid
