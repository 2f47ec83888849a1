#include "formula/convertisseur_monnaie.h"

#include <cmath>
#include <string_view>

#include "formula/monnaies.h"
#include "platform/settings.h"

namespace korv::formula {

namespace {

double TauxLu(const platform::MagasinReglages& reglages, std::string_view nom) {
    const auto taux = reglages.LireReel(kReglagesMonnaieApplication, kReglagesMonnaieSection, nom);
    return taux && std::isfinite(*taux) ? *taux : 0.0;
}

}  // namespace

ConvertisseurMonnaie::ConvertisseurMonnaie(const platform::MagasinReglages& reglages)
    : usd_(TauxLu(reglages, kReferenceUsd)), sek_(TauxLu(reglages, kReferenceSek)) {}

double ConvertisseurMonnaie::Taux(int code) const {
    switch (code) {
    case kCodeUsd: return usd_;
    case kCodeSek: return sek_;
    default: return 0;
    }
}

std::optional<double> ConvertisseurMonnaie::Convertit(double montant, int de, int vers) const {
    const double tauxDe = Taux(de);
    const double tauxVers = Taux(vers);
    if (!(tauxDe > 0) || !(tauxVers > 0)) return std::nullopt;
    const double r = montant * tauxVers / tauxDe;
    if (!std::isfinite(r)) return std::nullopt;
    return r;
}

}  // namespace korv::formula
