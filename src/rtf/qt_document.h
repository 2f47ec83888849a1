#pragma once
// The rich-text model on QTextDocument: our RTF document laid out by Qt in
// pixels of a screen of `twipsParPixel` twips per pixel, and read back from
// a QTextDocument (a text the user edited) into our model. Twips values
// (indents, spacing), font numbers, colour indexes and raised offsets ride
// along as properties of the Qt formats, so that a document goes to Qt and
// back unchanged.

#include <cstdint>
#include <string>
#include <string_view>

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QTextCharFormat>
#include <QTextDocument>

#include "rtf/document.h"

namespace korv::rtf {

// Fills `q` (emptied first) with the document. Fonts are drawn without
// antialiasing; the document has no margin of its own.
void VersDocumentQt(const Document& d, QTextDocument& q, std::int32_t twipsParPixel);

// Reads a QTextDocument back into the model. Fonts and colours that the
// tables lack are added to them.
Document DepuisDocumentQt(const QTextDocument& q, std::int32_t twipsParPixel);

// The RTF content of a rich-text box, as its TextRTF property: set from an
// RTF text (a plain text is taken as lines; a refused RTF text empties the
// box, answers false and says why in `erreur`), and read as our writer
// writes it.
bool DefinirTexteRtf(QTextDocument& q, std::string_view texte, std::int32_t twipsParPixel,
                     std::string* erreur = nullptr);
std::string TexteRtf(const QTextDocument& q, std::int32_t twipsParPixel);

// A font or a colour the user chose for characters: the number of the
// document's tables they came with no longer holds.
void PoliceFormatFixer(QTextCharFormat& f, const QString& famille);
void CouleurFormatFixer(QTextCharFormat& f, const QColor& couleur);

// The height in pixels of the document laid out at that width (twips).
std::int32_t HauteurPixels(const Document& d, std::int32_t largeurTwips, std::int32_t twipsParPixel);

// Renders the part [debut, fin) (plain-text positions, fin -1 to the end) of
// the document into the rectangle `rect` (pixels) of `image`: laid out at
// the rectangle's width and cut at its edges, black text on what the image
// holds, at the resolution of a screen of `twipsParPixel`.
void Rendre(const Document& d, QImage& image, const QRect& rect, std::int32_t debut, std::int32_t fin,
            std::int32_t twipsParPixel);

// The character under a point (pixels from the top-left corner of the part
// [debut, fin) rendered at `largeurPixels` as `Rendre` renders it), as a
// rich-text box answers EM_CHARFROMPOS: the nearest line, then the character
// whose cell holds the point (past a line's end, its end). A plain-text
// position of the whole document; -1 for an empty part.
std::int32_t PositionAuPoint(const Document& d, std::int32_t largeurPixels, std::int32_t debut, std::int32_t fin,
                             int x, int y, std::int32_t twipsParPixel);
// The same on a QTextDocument as laid out (a point of its layout): a
// position of that document; -1 when it has no line.
int PositionQtAuPoint(QTextDocument& q, QPointF point);

}  // namespace korv::rtf
