// Conversion of the amounts entered in a zone from one currency to
// another, as new entries.

#include <algorithm>

#include "formula/convertisseur_monnaie.h"
#include "formula/nombres.h"
#include "grid/tableau.h"

namespace korv::grid {

namespace {

constexpr std::uint8_t kTypeNombre = 1;

bool EstFormule(const std::string& texte) { return !texte.empty() && texte.front() == '='; }

}  // namespace

void TableauClasse::ZoneMonnaieConvertir(int c1, int r1, int c2, int r2, const platform::MagasinReglages& reglages) {
    using formula::ConvertisseurMonnaie;
    // Made for each conversion: the rates are those the conversion bracket
    // has just written into the store.
    const ConvertisseurMonnaie convertisseur(reglages);
    if (!(convertisseur.Taux(ConvertisseurMonnaie::kCodeUsd) > 0) ||
        !(convertisseur.Taux(ConvertisseurMonnaie::kCodeSek) > 0)) {
        return;
    }
    for (int c = std::max(c1, 1); c <= std::min(c2, colonneNb_); ++c) {
        for (int r = std::max(r1, 1); r <= std::min(r2, ligneNb_); ++r) {
            const CaseTableau& x = CaseInterne(c, r);
            if (x.Attribut().TypeAffichage != kTypeNombre) continue;
            // Only what the user entered is an amount; computed values follow it.
            std::string montant;
            if (!EstFormule(x.Texte)) {
                montant = x.Texte;
            } else if (x.ResultatType == resultat::kEntreeSurFormule) {
                montant = x.Valeur;
            }
            const auto valeur = formula::LitNombre(montant);
            if (!valeur) continue;
            const auto converti =
                convertisseur.Convertit(*valeur, ConvertisseurMonnaie::kCodeSek, ConvertisseurMonnaie::kCodeUsd);
            if (!converti) continue;
            CaseUtilisateurChange(static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r),
                                  formula::FormatNombre(*converti), true);
        }
    }
}

}  // namespace korv::grid
