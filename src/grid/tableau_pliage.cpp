// Folding and unfolding rows and columns, the reveal and removal of rows
// of a growing block in play, and the fold flags kept in cells.

#include <algorithm>

#include "formula/nombres.h"
#include "grid/tableau.h"
#include "platform/message_box.h"

namespace korv::grid {

namespace {

constexpr std::int16_t kPliee = -1;

bool EstFormule(const std::string& texte) { return !texte.empty() && texte.front() == '='; }

bool CouleurAMarque(std::int32_t couleur) { return couleur >= -23 && couleur <= -18; }

}  // namespace

void TableauClasse::ZonePlier(std::uint8_t c1, std::uint8_t l1, std::uint8_t c2, std::uint8_t l2) {
    if (l1 != 0) {
        for (int r = l1; r <= std::min<int>(l2, ligneNb_); ++r) L(r).Pliee = kPliee;
    }
    if (c1 != 0) {
        for (int c = c1; c <= std::min<int>(c2, colonneNb_); ++c) C(c).Pliee = kPliee;
    }
    TailleCalculMaj();
}

void TableauClasse::ZoneDeplier(std::uint8_t c1, std::uint8_t l1, std::uint8_t c2, std::uint8_t l2) {
    if (l1 != 0) {
        for (int r = l1; r <= std::min<int>(l2, ligneNb_); ++r) L(r).Pliee = 0;
    }
    if (c1 != 0) {
        for (int c = c1; c <= std::min<int>(c2, colonneNb_); ++c) C(c).Pliee = 0;
    }
    TailleCalculMaj();
}

void TableauClasse::DeplierTout() {
    ZoneDeplier(1, 1, static_cast<std::uint8_t>(colonneNb_), static_cast<std::uint8_t>(ligneNb_));
}

void TableauClasse::MemorisePliageLigne() {
    for (auto& l : lignes_) l.Marque1 = l.Pliee;
}

void TableauClasse::LigneRevelerConsultation(int r1, int r2, platform::BoiteMessage& messages) {
    for (int r = std::max(r1, 1); r <= std::min(r2, ligneNb_); ++r) {
        if (Ligne(r).Pliee == kPliee) {
            ZoneDeplier(0, static_cast<std::uint8_t>(r), 0, static_cast<std::uint8_t>(r));
            return;
        }
    }
    messages.Afficher("Le nombre de lignes maximum a \xe9t\xe9 atteint", platform::style::Ok);
}

void TableauClasse::LignesCacherConsultation(int d, int f, int a, int b) {
    if (d < 1 || f < 1 || a < 1 || b < 1 || a > b || d > f) return;
    // A block reaching past the last row is cut at it, so that nothing is
    // read or written outside the grid.
    f = std::min(f, ligneNb_);
    if (d > f) return;
    a = std::max(a, d);
    b = std::min(b, f);
    b = std::max(b, d);
    a = std::min(a, f);
    ResetMarquesToutes();

    const int n = b - a + 1;
    for (int r = a; r <= f - n; ++r) {
        for (int c = 1; c <= colonneNb_; ++c) {
            const CaseTableau& source = CaseInterne(c, r + n);
            CaseTableau& x = CaseInterne(c, r);
            // A formula stays where it is; only its value moves up.
            if (EstFormule(source.Texte)) {
                x.Valeur = source.Valeur;
                // A user's entry over a formula moves with its value, so
                // that no row keeps an entry that was not made there.
                if (EstFormule(x.Texte) && (source.ResultatType == resultat::kEntreeSurFormule ||
                                            x.ResultatType == resultat::kEntreeSurFormule)) {
                    x.ResultatType = source.ResultatType == resultat::kEntreeSurFormule ? resultat::kEntreeSurFormule
                                                                                         : resultat::kACalculer;
                    if (x.ResultatType == resultat::kACalculer) LigneACalculer(r);
                }
            } else {
                x.Texte = source.Texte;
            }
            const auto& s = source.Attribut();
            if (x.Attribut().CouleurFond != s.CouleurFond || x.Attribut().Fusion != s.Fusion) {
                auto& propre = x.AttributModifiable();
                propre.CouleurFond = s.CouleurFond;
                propre.Fusion = s.Fusion;
            }
            RecalculInvaliderRecursivement(c, r, true);
        }
    }

    for (int r = std::max(f - n + 1, d); r <= f; ++r) {
        for (int c = 1; c <= colonneNb_; ++c) {
            CaseTableau& x = CaseInterne(c, r);
            if (CouleurAMarque(x.Attribut().CouleurFond)) {
                auto& attribut = x.AttributModifiable();
                attribut.CouleurFond = -18;
                attribut.Fusion = 0;
            }
            if (x.Attribut().Editable != 0 && !EstFormule(x.Texte)) x.Texte.clear();
            // An entry over a formula is cleared too: the formula computes again.
            if (x.Attribut().Editable != 0 && EstFormule(x.Texte) && x.ResultatType == resultat::kEntreeSurFormule) {
                x.Valeur.clear();
                x.ResultatType = resultat::kACalculer;
                LigneACalculer(r);
            }
            // What read the cleared entries computes again when the row is
            // shown once more.
            RecalculInvaliderRecursivement(c, r, true);
        }
    }

    for (int i = 0; i < n; ++i) {
        for (int r = f; r >= d + 1; --r) {
            if (Ligne(r).Pliee != kPliee) {
                L(r).Pliee = kPliee;
                break;
            }
        }
    }

    if (EnJeu()) env_->PageCouranteRecalculSansInit();
}

void TableauClasse::PliageLignesMemoriser(int r1, int r2, int c) {
    for (int r = std::max(r1, 1); r <= std::min(r2, ligneNb_); ++r) {
        if (CaseTableau* x = CaseAChanger(c, r)) x->Texte.assign(1, Ligne(r).Pliee != 0 ? '1' : '0');
    }
}

void TableauClasse::PliageLignesRememorer(int r1, int r2, int c) {
    if (c < 1 || c > colonneNb_) return;
    for (int r = std::max(r1, 1); r <= std::min(r2, ligneNb_); ++r) {
        const auto v = formula::LitNombre(CaseInterne(c, r).Texte);
        L(r).Pliee = v && *v != 0 ? kPliee : std::int16_t{0};
    }
}

}  // namespace korv::grid
