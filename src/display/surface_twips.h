#pragma once
// Page units: objects are placed in twips, surfaces are drawn in pixels.

#include <cstdint>

namespace korv::display {

// twips / twipsParPixel rounded to the nearest whole pixel, halves to the
// even neighbour (7.5 -> 8, 6.5 -> 6, -7.5 -> -8), in 64-bit arithmetic so
// that no page value overflows. A twipsParPixel of 0 or less is a
// programming error (std::invalid_argument).
std::int32_t PixelsDepuisTwips(std::int64_t twips, std::int32_t twipsParPixel);

}  // namespace korv::display
