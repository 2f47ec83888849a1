#pragma once
// Small helpers shared by the windows of this folder.

class QWidget;

namespace korv::plan {

// Twips to whole pixels, rounded half to even; a non-positive twips-per-
// pixel counts as 15.
int PixelsDepuisTwips(int twips, int twipsParPixel) noexcept;

// Centres a top-level window on its screen (on the primary screen when it
// has none yet).
void CentrerSurEcran(QWidget& fenetre);

}  // namespace korv::plan
