// Frames and merged runs of plan-action cells, a zone's background code
// and its automatic greying.

#include <algorithm>
#include <string>

#include "formula/nombres.h"
#include "grid/tableau.h"

namespace korv::grid {

namespace {

constexpr std::uint8_t kCoteHaut = 1;
constexpr std::uint8_t kCoteDroit = 2;
constexpr std::uint8_t kCoteBas = 4;
constexpr std::uint8_t kCoteGauche = 8;
// Only the four sides are frame bits: more would push the leading
// character out of the control range and into the text.
constexpr std::uint8_t kCotes = kCoteHaut | kCoteDroit | kCoteBas | kCoteGauche;
constexpr std::uint8_t kPremierImprimable = 32;

constexpr std::uint8_t kNonFusionnee = 0;
constexpr std::uint8_t kDebutFusion = 1;
constexpr std::uint8_t kSuiteFusion = 2;

constexpr std::uint8_t kEtatValide = 1;
constexpr std::uint8_t kEtatGrise = 2;

bool EstPlanAction(std::int32_t fond) { return fond >= -23 && fond <= -18; }

bool EstCaractereCadre(const std::string& texte) {
    return !texte.empty() && static_cast<unsigned char>(texte.front()) < kPremierImprimable;
}

// The frame bits a content starts with, and what follows them.
struct ContenuCadre {
    std::uint8_t bits = 0;
    std::string reste;
};

ContenuCadre Decoupe(const std::string& texte) {
    if (!EstCaractereCadre(texte)) return {0, texte};
    return {static_cast<std::uint8_t>(texte.front()), texte.substr(1)};
}

void MarqueFusion(CaseTableau* x, std::uint8_t marque) {
    if (x && x->Attribut().Fusion != marque) x->AttributModifiable().Fusion = marque;
}

// The number a display text stands for: the French form first ("0,5"),
// else its leading number ("0,00 €" reads as 0).
double ValeurAffichee(const std::string& texte) {
    if (const auto v = formula::LitNombre(texte)) return *v;
    return formula::Val(texte);
}

bool ZoneDansGrille(const TableauClasse& g, int c1, int r1, int c2, int r2) {
    return c1 >= 1 && c1 <= g.ColonneNb() && c2 >= 1 && c2 <= g.ColonneNb() && r1 >= 1 && r1 <= g.LigneNb() &&
           r2 >= 1 && r2 <= g.LigneNb();
}

}  // namespace

// ----------------------------------------------------------------- frames

void TableauClasse::CadreCaseAjoute(int c, int r, std::uint8_t bits) {
    CaseTableau* x = CaseAChanger(c, r);
    bits &= kCotes;
    if (!x || bits == 0 || !EstPlanAction(x->Attribut().CouleurFond)) return;
    const ContenuCadre contenu = Decoupe(x->Texte);
    const auto nouveaux = static_cast<char>(contenu.bits | bits);
    x->Texte = nouveaux + contenu.reste;
}

void TableauClasse::CadreCaseEnleve(int c, int r, std::uint8_t bits) {
    CaseTableau* x = CaseAChanger(c, r);
    bits &= kCotes;
    if (!x || bits == 0 || !EstPlanAction(x->Attribut().CouleurFond)) return;
    ContenuCadre contenu = Decoupe(x->Texte);
    if (contenu.bits == 0) return;
    const auto restants = static_cast<std::uint8_t>(contenu.bits & ~bits);
    x->Texte = restants == 0 ? std::move(contenu.reste) : static_cast<char>(restants) + contenu.reste;
}

bool TableauClasse::CadreCaseExiste(int c, int r, std::uint8_t bits) const {
    if (!DansGrille(c, r)) return false;
    const CaseTableau& x = CaseInterne(c, r);
    return EstPlanAction(x.Attribut().CouleurFond) && EstCaractereCadre(x.Texte) &&
           (static_cast<unsigned char>(x.Texte.front()) & bits) != 0;
}

bool TableauClasse::CadreZoneExiste(int c1, int r1, int c2, int r2) const {
    if (!ZoneDansGrille(*this, c1, r1, c2, r2)) return false;
    for (int r = r1; r <= r2; ++r) {
        if (CadreCaseExiste(c1, r, kCoteGauche) || CadreCaseExiste(c2, r, kCoteDroit)) return true;
    }
    for (int c = c1; c <= c2; ++c) {
        if (CadreCaseExiste(c, r1, kCoteHaut) || CadreCaseExiste(c, r2, kCoteBas)) return true;
    }
    return false;
}

void TableauClasse::CadreZoneMettre(int c1, int r1, int c2, int r2) {
    if (!ZoneDansGrille(*this, c1, r1, c2, r2)) return;
    for (int r = r1; r <= r2; ++r) {
        CadreCaseAjoute(c1, r, kCoteGauche);
        CadreCaseAjoute(c2, r, kCoteDroit);
    }
    for (int c = c1; c <= c2; ++c) {
        CadreCaseAjoute(c, r1, kCoteHaut);
        CadreCaseAjoute(c, r2, kCoteBas);
    }
}

void TableauClasse::CadreZoneEnlever(int c1, int r1, int c2, int r2) {
    if (!ZoneDansGrille(*this, c1, r1, c2, r2)) return;
    for (int r = r1; r <= r2; ++r) {
        CadreCaseEnleve(c1, r, kCoteGauche);
        CadreCaseEnleve(c2, r, kCoteDroit);
    }
    for (int c = c1; c <= c2; ++c) {
        CadreCaseEnleve(c, r1, kCoteHaut);
        CadreCaseEnleve(c, r2, kCoteBas);
    }
}

void TableauClasse::CadreZoneChanger(int c1, int r1, int c2, int r2) {
    if (!ZoneDansGrille(*this, c1, r1, c2, r2)) return;
    if (CadreZoneExiste(c1, r1, c2, r2)) {
        CadreZoneEnlever(c1, r1, c2, r2);
    } else {
        CadreZoneMettre(c1, r1, c2, r2);
    }
}

// ----------------------------------------------------------------- merges

bool TableauClasse::FusionZoneExiste(int c1, int r1, int c2, int r2) const {
    if (!ZoneDansGrille(*this, c1, r1, c2, r2)) return false;
    for (int r = r1; r <= r2; ++r) {
        for (int c = c1; c <= c2; ++c) {
            if (CaseFusion(c, r) != kNonFusionnee) return true;
        }
    }
    return false;
}

void TableauClasse::FusionZoneMettre(int c1, int r1, int c2, int r2) {
    if (!ZoneDansGrille(*this, c1, r1, c2, r2)) return;
    for (int r = r1; r <= r2; ++r) {
        // A row with a cell of another kind stays as it is, and so does
        // the run it may cut.
        if (!ZoneEstPlanAction(c1, r, c2, r)) continue;
        for (int c = c1; c <= c2; ++c) MarqueFusion(CaseAChanger(c, r), c == c1 ? kDebutFusion : kSuiteFusion);
        if (CaseFusion(c2 + 1, r) == kSuiteFusion) MarqueFusion(CaseAChanger(c2 + 1, r), kDebutFusion);
    }
}

void TableauClasse::FusionZoneEnlever(int c1, int r1, int c2, int r2) {
    if (!ZoneDansGrille(*this, c1, r1, c2, r2)) return;
    for (int r = r1; r <= r2; ++r) {
        for (int c = c1; c <= c2; ++c) MarqueFusion(CaseAChanger(c, r), kNonFusionnee);
        // What is left of a run cut on the right starts anew.
        if (CaseFusion(c2 + 1, r) == kSuiteFusion) MarqueFusion(CaseAChanger(c2 + 1, r), kDebutFusion);
    }
}

void TableauClasse::FusionZoneChanger(int c1, int r1, int c2, int r2) {
    if (!ZoneDansGrille(*this, c1, r1, c2, r2)) return;
    if (FusionZoneExiste(c1, r1, c2, r2)) {
        FusionZoneEnlever(c1, r1, c2, r2);
    } else {
        FusionZoneMettre(c1, r1, c2, r2);
    }
}

// ------------------------------------------------------- colour and grey

void TableauClasse::ZoneChangeFond(int c1, int r1, int c2, int r2, std::uint8_t code) {
    if (!ZoneDansGrille(*this, c1, r1, c2, r2)) return;
    const std::int32_t fond = -static_cast<std::int32_t>(code);
    const bool planAction = EstPlanAction(fond);
    for (int r = r1; r <= r2; ++r) {
        for (int c = c1; c <= c2; ++c) {
            if (planAction && !EstPlanAction(CaseCouleurFond(c, r))) continue;
            CaseCouleurFondChange(static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r), fond);
        }
    }
}

void TableauClasse::ZoneGriseAuto(int tc1, int tr1, int tc2, int tr2, int c1, int r1, int c2, int r2,
                                  std::uint8_t mode) {
    // A row whose figure, just left of the test zone, is 0 says nothing
    // through its empty cells.
    const int temoin = tc1 - 1;
    const bool temoinExiste = temoin >= 1 && temoin < colonneNb_;
    bool drapeau = false;
    bool fini = false;
    for (int r = std::max(tr1, 1); r <= std::min(tr2, ligneNb_) && !fini; ++r) {
        const bool ligneNulle =
            temoinExiste &&
            ValeurAffichee(CaseValeurAAfficher(static_cast<std::uint8_t>(temoin), static_cast<std::uint8_t>(r))) == 0;
        for (int c = std::max(tc1, 1); c <= std::min(tc2, colonneNb_) && !fini; ++c) {
            const bool parle =
                !ligneNulle || !CaseValeurAAfficher(static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r)).empty();
            if (!parle) continue;
            const auto etat = static_cast<std::uint8_t>(CaseInvalidationStockee(c, r) & invalidation::kEtat);
            if (mode == 6) {
                drapeau = etat != kEtatValide;
                fini = !drapeau;
            } else if (etat == kEtatGrise) {
                drapeau = true;
                fini = true;
            }
        }
    }
    std::uint8_t etat = 0;
    if (((mode == 1 || mode == 3) && drapeau) || ((mode == 2 || mode == 4) && !drapeau)) {
        etat = kEtatGrise;
    } else if (mode == 1 || mode == 2 || (mode == 6 && drapeau)) {
        etat = kEtatValide;
    } else {
        return;
    }
    for (int r = std::max(r1, 1); r <= std::min(r2, ligneNb_); ++r) {
        for (int c = std::max(c1, 1); c <= std::min(c2, colonneNb_); ++c) CaseInvalidationStockeeChange(c, r, etat);
    }
}

}  // namespace korv::grid
