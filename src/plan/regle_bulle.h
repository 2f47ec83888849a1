#pragma once
// The tooltip's life on mouse moves: the moment the tooltip was shown is
// noted, and a mouse move over the page surface, the plan tree or the
// writing box hides it once more than 100 ms have passed since. A tooltip
// thus survives the small moves that come with it and goes at the first
// later one. Time is the platform clock's, so tests drive it.

#include <cstdint>
#include <optional>

namespace korv::platform {
class FenetreBulle;
class Horloge;
}  // namespace korv::platform

namespace korv::plan {

class RegleBulle {
public:
    // Either may be null: without a tooltip there is nothing to hide, and
    // without a clock a shown tooltip goes at the first move.
    RegleBulle(platform::FenetreBulle* bulle, const platform::Horloge* horloge) noexcept
        : bulle_(bulle), horloge_(horloge) {}

    static constexpr std::int64_t kDelaiMs = 100;

    // The tooltip was just shown (again): its time starts now.
    void Montree();
    // A mouse move: hides the shown tooltip when now is more than 100 ms
    // after it was shown. A tooltip whose showing was never noted goes.
    void Deplacement();

private:
    platform::FenetreBulle* bulle_;
    const platform::Horloge* horloge_;
    std::optional<std::int64_t> montree_;
};

}  // namespace korv::plan
