#pragma once
// The main window's tooltip timer as the grids drive it: started when the
// mouse comes to rest on a cell with a tooltip, stopped when it moves to
// another cell; its tick asks the grid for the tooltip of the cell still
// under the mouse.

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

namespace korv::platform {

class ChronoBulleTableau {
public:
    virtual ~ChronoBulleTableau() = default;
    // Hands the call to the timer and starts it, its interval counted from now.
    virtual void Demarrer(std::function<void()> appel) = 0;
    virtual void Arreter() = 0;
    virtual bool Actif() const = 0;
    // The mouse in page twips; empty when it cannot be told.
    virtual std::optional<std::pair<std::int32_t, std::int32_t>> SourisPage() const = 0;
};

// For tests: the tick is run by hand, the mouse is where the test puts it.
class ChronoBulleTableauFactice final : public ChronoBulleTableau {
public:
    void Demarrer(std::function<void()> a) override {
        appel = std::move(a);
        actif = true;
        ++demarrages;
    }
    void Arreter() override { actif = false; }
    bool Actif() const override { return actif; }
    std::optional<std::pair<std::int32_t, std::int32_t>> SourisPage() const override { return souris; }
    void Top() {
        if (actif && appel) appel();
    }

    std::function<void()> appel;
    bool actif = false;
    int demarrages = 0;
    std::optional<std::pair<std::int32_t, std::int32_t>> souris;
};

}  // namespace korv::platform
