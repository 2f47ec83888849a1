// Zones of a grid as formulas and scripts use them: marking cells valid or
// invalid for recalculation and asking what a zone holds. Cells outside the
// grid are passed over.

#include <algorithm>

#include "grid/tableau.h"

namespace korv::grid {

namespace {

bool EstFormule(const std::string& texte) { return !texte.empty() && texte.front() == '='; }

}  // namespace

void TableauClasse::InvalidationZoneRendValide(std::uint8_t c1, std::uint8_t l1, std::uint8_t c2, std::uint8_t l2) {
    for (int r = std::max<int>(l1, 1); r <= std::min<int>(l2, ligneNb_); ++r) {
        for (int c = std::max<int>(c1, 1); c <= std::min<int>(c2, colonneNb_); ++c) CaseInvalidationStockeeChange(c, r, 1);
    }
}

void TableauClasse::InvalidationZoneRendInvalide(std::uint8_t c1, std::uint8_t l1, std::uint8_t c2,
                                                 std::uint8_t l2) {
    for (int r = std::max<int>(l1, 1); r <= std::min<int>(l2, ligneNb_); ++r) {
        for (int c = std::max<int>(c1, 1); c <= std::min<int>(c2, colonneNb_); ++c) CaseInvalidationStockeeChange(c, r, 2);
    }
}

std::int16_t TableauClasse::ZoneContientSaisie(int& c1, int& r1, int& c2, int& r2) const {
    if (c1 != 0 && r1 == 0 && r2 == 0) {
        r1 = 1;
        r2 = ligneNb_;
    } else if (r1 != 0 && c1 == 0 && c2 == 0) {
        c1 = 1;
        c2 = colonneNb_;
    }
    // A last column or row of 0 stands for the first one.
    const int cFin = c2 == 0 ? c1 : c2;
    const int rFin = r2 == 0 ? r1 : r2;
    for (int r = std::max(r1, 1); r <= std::min(rFin, ligneNb_); ++r) {
        for (int c = std::max(c1, 1); c <= std::min(cFin, colonneNb_); ++c) {
            const CaseTableau& x = CaseInterne(c, r);
            const auto& a = x.Attribut();
            if (!EstFormule(x.Texte) && a.Editable != 0 && !x.Texte.empty()) return 1;
            if (x.ResultatType == resultat::kEntreeSurFormule) return 1;
            if (a.CouleurFond >= -23 && a.CouleurFond < -18) return 1;
        }
    }
    return 0;
}

std::int16_t TableauClasse::ZoneEstElleVide(int c1, int r1, int c2, int r2) const {
    for (int r = std::max(r1, 1); r <= std::min(r2, ligneNb_); ++r) {
        for (int c = std::max(c1, 1); c <= std::min(c2, colonneNb_); ++c) {
            const CaseTableau& x = CaseInterne(c, r);
            if (!EstFormule(x.Texte) && x.Attribut().Editable != 0 && !x.Texte.empty()) return 1;
            if (x.ResultatType == resultat::kEntreeSurFormule && !x.Valeur.empty()) return 1;
        }
    }
    return 0;
}

bool TableauClasse::ZoneEstPlanAction(int c1, int r1, int c2, int r2) const {
    for (int r = std::max(r1, 1); r <= std::min(r2, ligneNb_); ++r) {
        for (int c = std::max(c1, 1); c <= std::min(c2, colonneNb_); ++c) {
            const std::int32_t fond = CaseInterne(c, r).Attribut().CouleurFond;
            if (fond < -23 || fond > -18) return false;
        }
    }
    return true;
}

}  // namespace korv::grid
