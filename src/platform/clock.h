#pragma once
// Time source of the play loop: monotonic 64-bit milliseconds, so that tests
// drive timers, held-button repeats and tooltips with a fake clock.

#include <cstdint>

namespace korv::platform {

class Horloge {
public:
    virtual ~Horloge() = default;
    // Monotonic milliseconds; never goes back.
    virtual std::int64_t Maintenant() const = 0;
};

// std::chrono::steady_clock (on Linux: milliseconds since boot).
class HorlogeSysteme final : public Horloge {
public:
    std::int64_t Maintenant() const override;
};

// Clock driven by the test. Going back would break the monotonic promise the
// play loop relies on, so Regler and Avancer refuse it (std::invalid_argument).
class HorlogeFactice final : public Horloge {
public:
    explicit HorlogeFactice(std::int64_t depart = 0) : maintenant_(depart) {}
    std::int64_t Maintenant() const override { return maintenant_; }
    void Regler(std::int64_t ms);
    void Avancer(std::int64_t ms);

private:
    std::int64_t maintenant_;
};

// The 32-bit tick count a script reads: the low 32 bits of the clock as a
// signed Long, so it goes negative after 2^31 ms and wraps after 2^32 ms.
constexpr std::int32_t TickCount32(std::int64_t ms) noexcept {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms)));
}

}  // namespace korv::platform
