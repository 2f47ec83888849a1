#pragma once
// The play loop's way of letting the window system run: once without
// blocking between two firings, or blocked until the next due time when
// nothing is due, so that a page that only waits costs no CPU.

#include <cstdint>
#include <limits>

namespace korv::platform {

class Horloge;

// A deadline that never comes: the wait then ends only by a window event or
// a wake-up.
inline constexpr std::int64_t kJamais = std::numeric_limits<std::int64_t>::max();

class PompeEvenements {
public:
    virtual ~PompeEvenements() = default;

    // Runs the window events already pending, once; never blocks.
    virtual void TraiterEnAttente() = 0;

    // Blocks until `horloge` reaches `echeanceMs`, until window events have
    // been handled, or until Reveiller, whichever comes first, running the
    // events meanwhile. It may return before any of these (the caller
    // re-reads its state and waits again); it never busy-waits. A deadline
    // already passed only runs the pending events.
    virtual void AttendreJusqua(std::int64_t echeanceMs, const Horloge& horloge) = 0;

    // Ends the current wait as soon as the running event handler returns.
    // Called with no wait in progress, it makes the next wait return without
    // blocking, so a wake-up given just before a wait is not lost.
    virtual void Reveiller() = 0;
};

}  // namespace korv::platform
