#include "platform/settings.h"

#include <charconv>
#include <stdexcept>
#include <system_error>

namespace korv::platform {

std::optional<double> MagasinReglages::LireReel(std::string_view application, std::string_view section,
                                                std::string_view cle) const {
    const auto texte = LireTexte(application, section, cle);
    if (!texte) return std::nullopt;
    return ReelDepuisTexte(*texte);
}

bool MagasinReglages::EcrireReel(std::string_view application, std::string_view section, std::string_view cle,
                                 double valeur) {
    return EcrireTexte(application, section, cle, TexteReel(valeur));
}

std::string MagasinReglages::LireTexteOuDefaut(std::string_view application, std::string_view section,
                                               std::string_view cle, std::string_view defaut) const {
    auto texte = LireTexte(application, section, cle);
    return texte ? std::move(*texte) : std::string(defaut);
}

void VerifieNoms(std::string_view application, std::string_view section, std::string_view cle) {
    if (application.empty() || section.empty() || cle.empty())
        throw std::invalid_argument("réglage : nom d'application, de section ou de clé vide");
}

std::string TexteReel(double valeur) {
    char tampon[64];
    const auto r = std::to_chars(tampon, tampon + sizeof tampon, valeur);
    return std::string(tampon, r.ptr);
}

std::optional<double> ReelDepuisTexte(std::string_view texte) {
    double valeur = 0;
    const char* fin = texte.data() + texte.size();
    const auto r = std::from_chars(texte.data(), fin, valeur);
    if (r.ec != std::errc() || r.ptr != fin) return std::nullopt;
    return valeur;
}

}  // namespace korv::platform
