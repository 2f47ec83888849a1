#pragma once
// The currency converter that a grid's zone conversion uses. Its codes 15
// and 16 stand for the reference rates "USD" and "SEK" of the settings
// store (units per euro), which the currency table's conversion bracket
// sets; they are read once, when the converter is made.

#include <optional>

namespace korv::platform {
class MagasinReglages;
}

namespace korv::formula {

class ConvertisseurMonnaie {
public:
    static constexpr int kCodeUsd = 15;
    static constexpr int kCodeSek = 16;

    explicit ConvertisseurMonnaie(const platform::MagasinReglages& reglages);

    // The rate of a code; 0 for another code and for a value that is
    // missing, no number or not finite.
    double Taux(int code) const;
    // `montant` in the currency of code `de`, expressed in that of `vers`:
    // montant × Taux(vers) / Taux(de). Nothing when either rate is not above
    // 0 (a rate of 0 is never a divisor) or the result is not finite.
    std::optional<double> Convertit(double montant, int de, int vers) const;

private:
    double usd_ = 0;
    double sek_ = 0;
};

}  // namespace korv::formula
