#pragma once
// Settings store in memory, for tests; same matching rules as the INI one.

#include <map>
#include <string>
#include <tuple>

#include "platform/settings.h"

namespace korv::platform {

class MagasinReglagesFactice final : public MagasinReglages {
public:
    std::optional<std::string> LireTexte(std::string_view application, std::string_view section,
                                         std::string_view cle) const override;
    [[nodiscard]] bool EcrireTexte(std::string_view application, std::string_view section, std::string_view cle,
                                   std::string_view valeur) override;

    // Makes every later write fail, to test the callers' handling.
    bool refuseEcriture = false;
    std::size_t Nombre() const { return valeurs_.size(); }

private:
    // Keyed by the lower-case names.
    using Cle = std::tuple<std::string, std::string, std::string>;
    std::map<Cle, std::string> valeurs_;
};

}  // namespace korv::platform
