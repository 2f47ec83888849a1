#pragma once
// Settings store: the few values the program keeps between runs, by
// application, section and key (where a Windows program uses the registry).
// Names and values are Windows-1252 bytes. As in the registry, names are
// matched without regard to case, and a value keeps the spelling of its
// first writing.

#include <optional>
#include <string>
#include <string_view>

namespace korv::platform {

class MagasinReglages {
public:
    virtual ~MagasinReglages() = default;

    // Nothing when the value does not exist. Empty names throw
    // std::invalid_argument (see VerifieNoms).
    virtual std::optional<std::string> LireTexte(std::string_view application, std::string_view section,
                                                 std::string_view cle) const = 0;
    // False when the value could not be stored.
    [[nodiscard]] virtual bool EcrireTexte(std::string_view application, std::string_view section,
                                           std::string_view cle, std::string_view valeur) = 0;

    // 8-byte doubles are kept as their shortest exact text, so they read back
    // bit for bit. Nothing when missing or not a number.
    std::optional<double> LireReel(std::string_view application, std::string_view section,
                                   std::string_view cle) const;
    [[nodiscard]] bool EcrireReel(std::string_view application, std::string_view section, std::string_view cle,
                                  double valeur);

    std::string LireTexteOuDefaut(std::string_view application, std::string_view section, std::string_view cle,
                                  std::string_view defaut) const;
};

// Throws std::invalid_argument when a name is empty: there is no such value.
void VerifieNoms(std::string_view application, std::string_view section, std::string_view cle);

// The text form of a stored double and its reading (the whole text must be
// the number; "nan" and "inf" included).
std::string TexteReel(double valeur);
std::optional<double> ReelDepuisTexte(std::string_view texte);

}  // namespace korv::platform
