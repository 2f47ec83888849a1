#include "plan/separateurs.h"

namespace korv::plan {

PointeurSeparateur PointeurApresDeplacement(const BandesSeparateurs& b, PointeurSeparateur pointeur, std::int32_t x,
                                            std::int32_t y) noexcept {
    using P = PointeurSeparateur;
    if (b.planVisible) {
        const bool dans = x >= b.planDroite && x <= b.sceneGauche;
        if (pointeur == P::OuestEst && !dans) pointeur = P::Defaut;
        else if (pointeur != P::OuestEst && dans) pointeur = P::OuestEst;
    } else if (pointeur == P::OuestEst) {
        pointeur = P::Defaut;
    }
    if (b.redactionVisible) {
        const bool dans = y >= b.sceneBas && y <= b.redactionHaut;
        if (pointeur != P::NordSud && dans) pointeur = P::NordSud;
        else if (pointeur == P::NordSud && !dans) pointeur = P::Defaut;
    } else if (pointeur == P::NordSud) {
        pointeur = P::Defaut;
    }
    return pointeur;
}

std::optional<TailleGlissee> TailleApresGlissement(const BandesSeparateurs& b, PointeurSeparateur pointeur,
                                                   std::int32_t x, std::int32_t y) noexcept {
    if (pointeur == PointeurSeparateur::OuestEst && b.planVisible) {
        const std::int32_t minimum = 4 * b.twipsX;
        return TailleGlissee{true, x <= minimum ? minimum : x};
    }
    if (pointeur == PointeurSeparateur::NordSud && b.redactionVisible) {
        const std::int32_t minimum = 4 * b.twipsY;
        return TailleGlissee{false, y >= b.clientHauteur - minimum ? minimum : b.clientHauteur - y};
    }
    return std::nullopt;
}

DeplacementSeparateurs DeplacementDessous(const BandesSeparateurs& b, PointeurSeparateur pointeur, int boutons,
                                          std::int32_t x, std::int32_t y) noexcept {
    if (boutons == 0) return {PointeurApresDeplacement(b, pointeur, x, y), std::nullopt};
    if (boutons == 1) return {pointeur, TailleApresGlissement(b, pointeur, x, y)};
    return {pointeur, std::nullopt};
}

}  // namespace korv::plan
