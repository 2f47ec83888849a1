#pragma once
// The main window's grid scrolling timer as a grid drives it while the user
// drags a selection past the grid's edge, and where the mouse is meanwhile.

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

namespace korv::platform {

class ChronoDefilementTableau {
public:
    virtual ~ChronoDefilementTableau() = default;
    // Hands the step to the timer and starts it at that interval.
    virtual void Demarrer(std::function<void()> pas, int intervalleMs) = 0;
    virtual void Intervalle(int intervalleMs) = 0;
    virtual bool Actif() const = 0;
    // The mouse in page twips; empty when it cannot be told.
    virtual std::optional<std::pair<std::int32_t, std::int32_t>> SourisPage() const = 0;
};

// For tests: the step is run by hand, the mouse is where the test puts it.
class ChronoDefilementTableauFactice final : public ChronoDefilementTableau {
public:
    void Demarrer(std::function<void()> p, int ms) override {
        pas = std::move(p);
        intervalle = ms;
        actif = true;
    }
    void Intervalle(int ms) override { intervalle = ms; }
    bool Actif() const override { return actif; }
    std::optional<std::pair<std::int32_t, std::int32_t>> SourisPage() const override { return souris; }
    void Top() {
        if (actif && pas) pas();
    }

    std::function<void()> pas;
    int intervalle = 0;
    bool actif = false;
    std::optional<std::pair<std::int32_t, std::int32_t>> souris;
};

}  // namespace korv::platform
