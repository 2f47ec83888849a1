#pragma once
// Scripted event pump for tests, driven by a fake clock. A wait moves the
// clock straight to its deadline, or to the next scripted input when that
// comes first, and delivers the inputs whose time has come; nothing sleeps.
//
// Stop hook: before each wait (and each run of pending events) the pump asks
// `arreter` with the instant it is about to move the clock to (the current
// time for TraiterEnAttente). When it answers true, `surArret` runs and the
// call returns at once, the clock untouched. A play driver uses this to end
// play there (its surArret sets JeuFinDemande to -1, which the play loop's
// wait reads on return) or to hand control back to the test.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

#include "platform/clock.h"
#include "platform/event_pump.h"

namespace korv::platform {

class PompeEvenementsFactice final : public PompeEvenements {
public:
    explicit PompeEvenementsFactice(HorlogeFactice& horloge) : horloge_(horloge) {}

    // Queues an input, delivered once the clock has reached `instantMs`:
    // inputs in time order, those of one instant in the order queued. An
    // instant already past is delivered at the next call.
    void Programmer(std::int64_t instantMs, std::function<void()> livraison);
    std::size_t EntreesEnAttente() const { return entrees_.size(); }
    std::optional<std::int64_t> ProchaineEntree() const;

    std::function<bool(std::int64_t instantVise)> arreter;
    std::function<void()> surArret;

    // Delivers the inputs due now.
    void TraiterEnAttente() override;
    // Moves the fake clock to min(deadline, next input) and delivers what is
    // due. `horloge` must be the clock given to the constructor. A wait that
    // could never end (no deadline, no input, no stop hook) throws
    // std::logic_error instead of hanging the test.
    void AttendreJusqua(std::int64_t echeanceMs, const Horloge& horloge) override;
    // Makes the current or next wait return without moving the clock.
    void Reveiller() override { reveille_ = true; }

    int NombreAttentes() const { return attentes_; }

private:
    bool Arret(std::int64_t instantVise);
    void Livrer();

    HorlogeFactice& horloge_;
    // Keyed by (instant, order queued).
    std::map<std::pair<std::int64_t, std::uint64_t>, std::function<void()>> entrees_;
    std::uint64_t numero_ = 0;
    bool reveille_ = false;
    int attentes_ = 0;
};

}  // namespace korv::platform
