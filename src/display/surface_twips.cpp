#include "display/surface_twips.h"

#include <limits>
#include <stdexcept>

namespace korv::display {

std::int32_t PixelsDepuisTwips(std::int64_t twips, std::int32_t twipsParPixel) {
    if (twipsParPixel <= 0) throw std::invalid_argument("PixelsDepuisTwips: twips per pixel must be positive");
    const std::int64_t p = twipsParPixel;
    std::int64_t q = twips / p;
    std::int64_t r = twips % p;
    if (r < 0) {  // floor division, so that 0 <= r < p
        r += p;
        --q;
    }
    if (2 * r > p || (2 * r == p && (q & 1) != 0)) ++q;
    if (q > std::numeric_limits<std::int32_t>::max() || q < std::numeric_limits<std::int32_t>::min()) {
        throw std::out_of_range("PixelsDepuisTwips: value beyond 32-bit pixels");
    }
    return static_cast<std::int32_t>(q);
}

}  // namespace korv::display
