#pragma once
// The answers of the scene and system services that grid tests do not look
// at: no display, no mouse, a fixed clock and language. A test's bench
// derives from these and answers the names, kinds and grids of its scene.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "formula/services.h"

namespace korv::grid::test {

class SceneSansAffichage : public formula::ServicesScene {
public:
    std::int16_t PageCourante() const override { return 1; }
    std::int16_t ObjetEntierA1(std::int16_t, std::int16_t) const override { return 0; }
    std::string ObjetTexteDecode(std::int16_t, std::int16_t) const override { return {}; }
    void ObjetTexteChange(std::int16_t, std::int16_t, std::string_view) override {}
    std::optional<formula::EntreeAffichee> ObjetAffiche(std::int16_t, std::int16_t) const override {
        return std::nullopt;
    }
    std::int32_t DernierSourisX() const override { return 0; }
    double EchelleEcranY() const override { return 1; }
    std::int16_t TexteNLigneVersNPage(std::int16_t, std::int16_t, std::int32_t) const override { return 1; }
    std::optional<double> PositionSurChemin(std::int16_t, std::int16_t) const override { return std::nullopt; }
    void Reaffiche(std::int16_t, std::int16_t) override {}
};

// A question answers Yes unless the bench says otherwise.
class SystemeFixe : public formula::ServicesSysteme {
public:
    std::int16_t LangueCourante() const override { return 1; }
    std::int32_t Temps() const override { return 0; }
    std::int32_t DebutPageTemps() const override { return 0; }
    double Hasard() override { return 0.5; }
    std::int32_t BitsParPixel() const override { return 32; }
    std::int32_t Question(std::string_view, std::int32_t, std::string_view) override { return 6; }
    std::string CommandeStatutLibelle(double) const override { return {}; }
};

}  // namespace korv::grid::test
