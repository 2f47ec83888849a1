#pragma once
// The currency table (`Monnaies`): 19 entries, each a display name and a
// rate in units of that currency per euro. It holds fixed defaults after
// MonnaiesInitialiser (start-up, new plan, plans of the 2.x format) and
// what formulas store until the next reset; it is not saved with the plan.
//
// The table also brackets a conversion of grid amounts: the currency
// converter (convertisseur_monnaie.h) reads two reference rates, "USD" and
// "SEK", from the settings store. ConversionDebut saves them and puts the
// rates of the two chosen entries in their place; ConversionFin writes the
// saved values back.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korv::platform {
class BoiteMessage;
class MagasinReglages;
}  // namespace korv::platform

namespace korv::formula {

class ServicesScene;
class Valeur;

struct Monnaie {
    double taux = 1;  // units for one euro, always above 0
    std::string nom;  // cp1252
    bool operator==(const Monnaie&) const = default;
};

// Where the converter's reference rates live in the settings store: one
// 8-byte double each.
inline constexpr std::string_view kReglagesMonnaieApplication = "FERNOLIT";
inline constexpr std::string_view kReglagesMonnaieSection = "REF";
inline constexpr std::string_view kReferenceUsd = "USD";
inline constexpr std::string_view kReferenceSek = "SEK";

inline constexpr std::string_view kMessageTauxInterdit =
    "Un taux de conversion \xE9gal \xE0 z\xE9ro ou n\xE9gatif n'est pas autoris\xE9";

class TableMonnaies {
public:
    static constexpr int kNombre = 19;

    TableMonnaies();  // the defaults

    // Every entry back to its default name and rate.
    void MonnaiesInitialiser();
    // Index outside 1..19: nothing. A rate not above 0 (NaN included) shows
    // kMessageTauxInterdit and changes nothing.
    void MonnaieDefinir(std::uint8_t index, double taux, std::string_view nom, platform::BoiteMessage& boite);

    // 1.0 out of range.
    double MonnaieTauxGet(std::uint8_t index) const;
    // The rate of a dynamic index (a number, or a text holding one, from 1
    // to 19, rounded half to even); 0 for anything else, Null included.
    double MonnaieTauxVarGet(const Valeur& index) const;
    // Stored only for an index of 1..19 and a rate above 0; silently
    // ignored otherwise.
    void MonnaieTauxSet(std::uint8_t index, double taux);
    // "" out of range.
    std::string MonnaieNomGet(std::uint8_t index) const;
    void MonnaieNomSet(std::uint8_t index, std::string_view nom);

    // The symbol of the plan's currency, from cell (1, 2) of grid "COMPTE"
    // on page "PREVISION": "FF", "\x80" (euro sign) or "$" for the three
    // names it knows, the name itself otherwise; "" without that grid.
    static std::string MonnaiePlanSymbole(ServicesScene& scene);
    // The symbol of a currency name of the plan's account grid.
    static std::string MonnaieSymboleDuNom(std::string nom);

    // --- the conversion bracket ------------------------------------------------
    // "CONSERVE" saves the two reference values as they stand ("" for a
    // missing one); "REMET" writes back each saved value that is not empty
    // and empties it. Any other action does nothing. False when a write
    // failed (that saved value is then kept, to be written back later).
    bool EuroMonnaieRegConserve(std::string_view action, platform::MagasinReglages& reglages);
    // The start of a conversion (formula function CONVINIT): saves the
    // reference values, then writes the rate of entry `b` as "SEK" and of
    // entry `a` as "USD" (0 for an index out of range; the converter then
    // refuses to convert). False when a write failed.
    bool ConversionDebut(const Valeur& a, const Valeur& b, platform::MagasinReglages& reglages);
    // The end (CONVFIN): the saved values written back.
    bool ConversionFin(platform::MagasinReglages& reglages) { return EuroMonnaieRegConserve("REMET", reglages); }

    // Saved reference values ("" when none), "USD" then "SEK".
    const std::array<std::string, 2>& Sauvegarde() const { return sauvegarde_; }

private:
    std::array<Monnaie, kNombre> entrees_;
    std::array<std::string, 2> sauvegarde_;
};

// A reference value in the store's own form (the text of an 8-byte double);
// nothing when it does not exist.
std::optional<std::string> EuroMonnaieRegGet(const platform::MagasinReglages& reglages, std::string_view nom);
[[nodiscard]] bool EuroMonnaieRegSet(platform::MagasinReglages& reglages, std::string_view nom,
                                     std::string_view valeur);
[[nodiscard]] bool EuroMonnaieTauxConversionChange(platform::MagasinReglages& reglages, std::string_view nom,
                                                   double taux);

}  // namespace korv::formula
