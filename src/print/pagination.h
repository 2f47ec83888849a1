#pragma once
// `ApercuPaginer`: the job laid out on printer pages. The list of things to
// print is walked once, in order, with a cursor on the current page: texts
// are cut where the measurer stops, grids into column bands that fit the
// body's width and row pieces that fit its height (repeating their title
// columns and rows), charts take the rest of a page or 85 % of it; header
// and footer shrink the body of every page. Every walk ends: a column, a
// row or a line bigger than the body gets a band, a piece or a page of its
// own, clipped.

#include <cstdint>

#include "print/mesureur.h"
#include "print/travail.h"

namespace korv::print {

// The body of a page without header and footer. Both vertical margins come
// off the height and both horizontal ones off the width, as scenes expect.
Rectangle ImprimantePageGeometrie(const ImpressionTravail& t);

// The bottom a header or footer text reaches on the page, 0 for a text that
// formats nothing.
std::int32_t EnTetePiedMesure(const ImpressionTravail& t, MesureurTexte& m, std::string_view texte);

// Paginates the job from an empty item list (a second pagination gives the
// same items). Returns the page count; 0 for an empty job, which the
// preview closes on.
std::int32_t ApercuPaginer(ImpressionTravail& t, MesureurTexte& m, std::int32_t twipsParPixelY);

// The rectangle of rows and columns of a sheet placed from (gauche, haut),
// with the title rows and columns it repeats.
Rectangle TableauMorceauDimension(const FeuilleImprimee& f, int premCol, int premLig, int dernCol, int dernLig,
                                  std::int32_t gauche, std::int32_t haut);

// The tab marker of texts, replaced by a tab before any measuring.
inline constexpr std::u32string_view kMarqueurTabulation = U"<TABULATION>";

}  // namespace korv::print
