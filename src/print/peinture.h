#pragma once
// What painting one printed page needs before any device is touched: which
// items of the page are drawn, in list order, with their centring offsets,
// and the header and footer texts with their page numbers and tabs filled in.
// The Qt painter walks this plan; keeping it device-free lets the rules be
// checked without a printer. Lengths are twips; no Qt here.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "print/travail.h"

namespace korv::print {

// Vertical centring offset of a page: half the room the page's content leaves
// in its body frame, halves to even, never negative.
std::int32_t DetermineDecalageHauteur(const ImpressionTravail& t, std::int32_t page);
// Horizontal centring offset of item `index` (1-based) in the body frame of its
// page, unrounded, never negative; 0 for an index out of the list.
double DetermineDecalageLargeur(const ImpressionTravail& t, std::int32_t index);

// "<#NUMERO DE PAGE>" and "<#NOMBRE DE PAGES>" (case-sensitive) replaced by the
// numbers printed for `page` and for the last page.
void RemplaceNumeroPage(std::string& texte, const ImpressionTravail& t, std::int32_t page);
// Every "<TABULATION>" replaced by `tabulation` (a tab character in plain
// text, the tab control word in RTF).
void RemplaceTabulations(std::string& texte, std::string_view tabulation = "\t");

// The preview's zoom box read as a percentage within 1..1000; text that is
// not a number reads as 1.
double ZoomApercu(std::string_view texte);

enum class DessinGenre : std::uint8_t { Tableau, Graphique, Texte };

// One item of a page as painting draws it.
struct Dessin {
    std::int32_t index = 0;  // 1-based in the item list
    DessinGenre genre = DessinGenre::Texte;
    Rectangle rectangle;           // twips, vertical offset applied (not to header/footer)
    double decalageHorizontal = 0;  // twips, already added to a title's edges
    std::string texte;              // texts: the source to lay out, markers replaced
    bool rtf = true;                // false for a title in plain text
};

// The items of `page` to draw, in list order. Items that name no grid, no
// chart and no text are left out.
std::vector<Dessin> PlanPage(const ImpressionTravail& t, std::int32_t page);

}  // namespace korv::print
