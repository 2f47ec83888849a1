#pragma once
// Small helpers shared by the windows of this folder.

class QPixmap;
class QWidget;

namespace korv::plan {

// Twips to whole pixels, rounded half to even; a non-positive twips-per-
// pixel counts as 15.
int PixelsDepuisTwips(int twips, int twipsParPixel) noexcept;

// Centres a top-level window on its screen (on the primary screen when it
// has none yet).
void CentrerSurEcran(QWidget& fenetre);

// The product's picture of the About box and the splash window, drawn.
QPixmap ImageProduit(int cote);

}  // namespace korv::plan
