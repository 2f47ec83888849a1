#pragma once
// Rich texts laid out in twips, as the printer page is measured and painted:
// on a device of 1440 dots per inch, where a document's pixel is a twip.
// Qt scales a paragraph's spacing before and after (not its indents) from
// the screen's logical resolution to the device's, so the spacing goes in
// divided by that scale.

class QImage;
class QTextDocument;

namespace korv::rtf {
struct Document;
}

namespace korv::print {

// How much Qt enlarges a paragraph's spacing on the 1440-dpi device
// (15 on a screen of 96 logical dpi).
double EchelleEspacement();

// Lays `d` out in `q` at 1440 dpi, `resolution` standing for the device;
// `resolution` must outlive the layout.
void MettreEnPageTwips(const rtf::Document& d, QTextDocument& q, QImage& resolution);

}  // namespace korv::print
