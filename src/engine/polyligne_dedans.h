#pragma once
// Point-in-polygon test of an object's polyline, in page twips. The points
// are held in page pixels and scaled by the twips per pixel here, in 32 bits.

#include <cstdint>
#include <span>

#include "engine/scene.h"

namespace korv::engine {

// Crossing count of a horizontal ray to the right of (x, y): inside when
// odd. The polygon is closed from the last point back to the first, whatever
// the polyline's closed flag. No point, or a scale below one twip per pixel,
// gives false.
bool PolylignePointDedans(std::span<const PolylignePoint> points, std::int32_t twipsParPixelX,
                          std::int32_t twipsParPixelY, std::int32_t x, std::int32_t y);

// The same on the path of (page, objet); false outside the page tables.
bool PolylignePointDedans(const Scene& scene, int page, int objet, std::int32_t twipsParPixelX,
                          std::int32_t twipsParPixelY, std::int32_t x, std::int32_t y);

}  // namespace korv::engine
