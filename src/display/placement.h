#pragma once
// Page placement in play mode: a page is put back to its designed geometry
// before each layout, then fitted to the visible surface when the surface
// is at least as large as the designed page, every object moved and
// stretched in proportion. Fitting always starts from the designed values,
// so fitting twice to the same surface gives the same page.

#include <cstdint>

namespace korv::display {

class AffichagePage;

// `PagePlacer`: largeur and hauteur are the visible surface's inner size in
// twips. Scaled values are held within 16-bit page coordinates. Page 0, or a
// designed page size not known yet (play not started), does nothing.
void PagePlacer(AffichagePage& a, int page, std::int32_t largeur, std::int32_t hauteur, bool redessiner);

// `PageTailleInitialeRestaurer`: the page and its objects as designed.
void PageTailleInitialeRestaurer(AffichagePage& a, int page);

}  // namespace korv::display
