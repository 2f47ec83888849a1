#include "engine/polyligne_dedans.h"

#include <algorithm>

namespace korv::engine {

bool PolylignePointDedans(std::span<const PolylignePoint> points, std::int32_t twipsParPixelX,
                          std::int32_t twipsParPixelY, std::int32_t x, std::int32_t y) {
    if (points.empty() || twipsParPixelX < 1 || twipsParPixelY < 1) return false;
    struct P {
        std::int64_t x, y;
    };
    const auto twips = [&](const PolylignePoint& p) {
        return P{std::int64_t{p.x} * twipsParPixelX, std::int64_t{p.y} * twipsParPixelY};
    };
    const std::int64_t px = x, py = y;
    const std::size_t n = points.size();
    P p1 = twips(points[0]);
    int croisements = 0;
    for (std::size_t i = 0; i <= n; ++i) {
        const P p2 = twips(points[i < n ? i : 0]);
        // Half-open in y, so a vertex shared by an edge above and an edge
        // below is crossed once.
        if (py > std::min(p1.y, p2.y) && py <= std::max(p1.y, p2.y) && px <= std::max(p1.x, p2.x) && p1.y != p2.y) {
            const double xi = static_cast<double>(py - p1.y) * static_cast<double>(p2.x - p1.x) /
                                  static_cast<double>(p2.y - p1.y) +
                              static_cast<double>(p1.x);
            if (p1.x == p2.x || static_cast<double>(px) <= xi) ++croisements;
        }
        p1 = p2;
    }
    return croisements % 2 == 1;
}

bool PolylignePointDedans(const Scene& scene, int page, int objet, std::int32_t twipsParPixelX,
                          std::int32_t twipsParPixelY, std::int32_t x, std::int32_t y) {
    if (!scene.ObjetExiste(page, objet)) return false;
    return PolylignePointDedans(scene.Page(page).Objet(objet).chemin.points, twipsParPixelX, twipsParPixelY, x, y);
}

}  // namespace korv::engine
