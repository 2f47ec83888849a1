#include "grid/fonctions_cases.h"

#include <algorithm>
#include <utility>

#include "grid/grille_selection.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"

namespace korv::grid {

namespace {

namespace f = fonction_cases;
using formula::PileValeurs;
using formula::Valeur;

}  // namespace

FonctionsCases::FonctionsCases(const AccesGrilles& acces, platform::BoiteMessage& messages, MarqueVuEtape& methode,
                               BoiteEnTetePied& enTetePied, NomObjet nomObjet,
                               formula::ServicesFonctionsAction* suivant)
    : acces_(acces),
      messages_(messages),
      methode_(methode),
      enTetePied_(enTetePied),
      nomObjet_(std::move(nomObjet)),
      suivant_(suivant) {}

bool FonctionsCases::EvalueFonctionAction(int code, PileValeurs& pile, int& n) {
    switch (code) {
    case f::CaseChangeVariable: CaseChangeVariable(pile, n); return true;
    case f::ZoneCaseChangeVariable: ZoneCaseChangeVariable(pile, n); return true;
    case f::RevelerLigne: RevelerOuCacher(pile, n, true); return true;
    case f::CacherLigne: RevelerOuCacher(pile, n, false); return true;
    case f::ChangeVuPasVu: ChangeVuPasVu(); return true;
    case f::AjouteNumeroPage: AjouteNumeroPage(pile, n); return true;
    default: return suivant_ != nullptr && suivant_->EvalueFonctionAction(code, pile, n);
    }
}

// (page; object; column; row; text): the page name stays as the value.
void FonctionsCases::CaseChangeVariable(PileValeurs& pile, int& n) {
    constexpr int k = 5;
    if (n < k) return;
    TableauClasse* g = GrilleNommee(acces_, pile, n, k);
    if (g == nullptr) return;
    const std::uint8_t c = Argument(pile, n, 3, k).EnOctet();
    const std::uint8_t r = Argument(pile, n, 4, k).EnOctet();
    const std::string texte = TexteArgument(Argument(pile, n, 5, k));
    const std::int16_t page = g->Page();
    acces_.grilles.ParcouruRecalculReinitTous();
    // A cell outside the grid is passed over by the grid; the page is
    // recomputed all the same.
    g->CaseUtilisateurChange(c, r, texte, true);
    acces_.grilles.RecalculerPage(page);
    n -= k - 1;
}

// (page; object; column 1; row 1; column 2; row 2; text): every cell of the
// zone, column by column, then the page recomputed even when the zone is
// empty. The page name stays as the value.
void FonctionsCases::ZoneCaseChangeVariable(PileValeurs& pile, int& n) {
    constexpr int k = 7;
    if (n < k) return;
    TableauClasse* g = GrilleNommee(acces_, pile, n, k);
    if (g == nullptr) return;
    const int c1 = Argument(pile, n, 3, k).EnOctet();
    const int r1 = Argument(pile, n, 4, k).EnOctet();
    const int c2 = Argument(pile, n, 5, k).EnOctet();
    const int r2 = Argument(pile, n, 6, k).EnOctet();
    const std::string texte = TexteArgument(Argument(pile, n, 7, k));
    const std::int16_t page = g->Page();
    const std::int16_t objet = g->Objet();
    acces_.grilles.ParcouruRecalculReinitTous();
    // Only the part of the zone within the grid is entered: a script's
    // coordinates may reach past its last row or column.
    const int cFin = std::min<int>(c2, g->ColonneNb());
    const int rFin = std::min<int>(r2, g->LigneNb());
    bool grilleLa = true;
    for (int c = std::max(c1, 1); grilleLa && c <= cFin; ++c) {
        for (int r = std::max(r1, 1); r <= rFin; ++r) {
            g->CaseUtilisateurChange(static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r), texte, true);
            // A cell's script that rebuilt the scene's grids ends the entry.
            grilleLa = acces_.grilles.Cherche(page, objet) == g;
            if (!grilleLa) break;
        }
    }
    acces_.grilles.RecalculerPage(page);
    n -= k - 1;
}

// (page; object; cell 1; cell 2): the rows of two named cells.
void FonctionsCases::RevelerOuCacher(PileValeurs& pile, int& n, bool reveler) {
    constexpr int k = 4;
    if (n < k) return;
    TableauClasse* g = GrilleNommee(acces_, pile, n, k);
    if (g == nullptr) return;
    const int r1 = LigneNommee(*g, Argument(pile, n, 3, k));
    const int r2 = r1 == 0 ? 0 : LigneNommee(*g, Argument(pile, n, 4, k));
    if (r1 != 0 && r2 != 0) {
        if (reveler) {
            g->LigneRevelerConsultation(r1, r2, messages_);
        } else {
            // `SelectionActuellePremierDernierVersHautBas`: the rows to hide
            // are those of the selection, corners in order.
            SelectionTableau s = g->Selection();
            SelectionDepuisPremiereDerniere(*g, s, acces_.EnJeu());
            g->SelectionChange(s);
            g->LignesCacherConsultation(r1, r2, g->LigneAfficheeVersStockee(s.HautGaucheLigne),
                                        g->LigneAfficheeVersStockee(s.BasDroiteLigne));
        }
    }
    Resultat(pile, n, k, Valeur::Entier(0));
}

// No argument and no change of the stack.
void FonctionsCases::ChangeVuPasVu() {
    methode_.EtapeVuBascule();
    if (!acces_.EnJeu()) return;
    const std::int16_t page = acces_.scene.PageCourante();
    const int nombre = acces_.scene.ObjetNb(page);
    for (int o = 1; o <= nombre; ++o) {
        const auto objet = static_cast<std::int16_t>(o);
        if (nomObjet_(page, objet) == "VUPASVU") methode_.EtapeImageVuPasVu(page, objet);
    }
}

// (which): 1 the page number, 2 the page count, anything else no field; the
// argument stays as the value.
void FonctionsCases::AjouteNumeroPage(PileValeurs& pile, int n) {
    if (n < 1) return;
    const Valeur& quel = Argument(pile, n, 1, 1);
    // A value that is no number names no field (and is no error).
    const double champ = quel.EstNumerique() ? quel.EnDouble() : 0.0;
    enTetePied_.SelectionVider();
    if (champ == 1) {
        enTetePied_.SelectionRemplacer(kChampNumeroPage);
    } else if (champ == 2) {
        enTetePied_.SelectionRemplacer(kChampNombrePages);
    }
}

}  // namespace korv::grid
