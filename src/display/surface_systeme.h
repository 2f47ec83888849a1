#pragma once
// Facts about the system the page display imitates, fixed at start-up.

namespace korv::display {

struct SystemeAffichage {
    // Drawing as on the Windows NT family: the additive blend and the
    // lightening or darkening of rectangles are not drawn there.
    bool SystemeWindowsNT = true;
    // An 8-bit screen that needs palettes. Our surfaces are always true
    // colour, so this only keeps the program's choices testable.
    bool EcranPalette = false;
};

}  // namespace korv::display
