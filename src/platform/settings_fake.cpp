#include "platform/settings_fake.h"

#include "platform/cp1252.h"

namespace korv::platform {

namespace {

std::string Minuscule(std::string_view nom) {
    std::string sortie(nom);
    for (char& c : sortie) c = static_cast<char>(MinusculeCp1252(static_cast<std::uint8_t>(c)));
    return sortie;
}

}  // namespace

std::optional<std::string> MagasinReglagesFactice::LireTexte(std::string_view application, std::string_view section,
                                                             std::string_view cle) const {
    VerifieNoms(application, section, cle);
    const auto it = valeurs_.find({Minuscule(application), Minuscule(section), Minuscule(cle)});
    if (it == valeurs_.end()) return std::nullopt;
    return it->second;
}

bool MagasinReglagesFactice::EcrireTexte(std::string_view application, std::string_view section,
                                         std::string_view cle, std::string_view valeur) {
    VerifieNoms(application, section, cle);
    if (refuseEcriture) return false;
    valeurs_[{Minuscule(application), Minuscule(section), Minuscule(cle)}] = std::string(valeur);
    return true;
}

}  // namespace korv::platform
