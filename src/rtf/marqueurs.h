#pragma once
// Pages of a rich text: its plain text (paragraphs joined by CR LF) is cut
// by the page marker "¤"; a CR LF right after a marker belongs to it.
// Positions are 0-based indexes of the plain text; a range is [debut, fin),
// fin -1 meaning to the end of the text.

#include <cstdint>
#include <optional>
#include <string_view>

#include "rtf/document.h"

namespace korv::rtf {

inline constexpr char32_t kMarqueurPage = U'\u00A4';

struct LimitesMorceau {
    std::int32_t debut = 0;
    std::int32_t fin = -1;
    bool operator==(const LimitesMorceau&) const = default;
};

// `TexteRicheNbMarqueurPage`: the number of markers.
int NombreMarqueurs(std::u32string_view texteBrut);

// `TexteRicheMorceauLimites`: page n (1-based) of the text; 0 gives the
// whole text. A page number beyond the last page gives the last page, which
// ends at the end of the text.
LimitesMorceau MorceauLimites(std::u32string_view texteBrut, int n);

// The number of pages a reader can turn to: the markers, plus one when
// text follows the last marker ("A¤B" has two pages, "A¤B¤" two as well).
int NombrePages(std::u32string_view texteBrut);

// `TexteMarqueurPosition`: the 1-based first and last positions of page n
// (a page beyond the last gives the last; an empty text gives 1 and 0).
struct PositionsMorceau {
    std::int32_t debut = 1;
    std::int32_t fin = 0;
    bool operator==(const PositionsMorceau&) const = default;
};
PositionsMorceau TexteMarqueurPosition(std::u32string_view texteBrut, int n);

// The page number (1-based) that holds the caret position.
int MorceauDuCurseur(std::u32string_view texteBrut, std::int32_t curseur);

// `TexteRicheMorceauCourantLimites`: the limits of the page that holds the
// caret; nothing when the caret is at 0.
std::optional<LimitesMorceau> MorceauCourantLimites(std::u32string_view texteBrut, std::int32_t curseur);

// The part [debut, fin) of a document (plain-text positions, fin -1 to the
// end), with its tables; a paragraph cut keeps its format. Positions inside
// a paragraph end's CR LF belong to the paragraph before it.
Document Extrait(const Document& document, std::int32_t debut, std::int32_t fin);

// The document as printed or exported, where pages are not turned: without
// its markers. A paragraph that held only markers goes with its paragraph
// end, which belongs to the marker, but its page break stays (on the
// paragraph before, or on the emptied paragraph when it is the first); a
// marker that ends a paragraph of text leaves that paragraph as it ends.
void MarqueursRetirer(Document& document);

}  // namespace korv::rtf
