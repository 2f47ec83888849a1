#pragma once
// Questions about tagged and coded texts that need no drawing: lines,
// pages, pieces, vertical placement, the plain text, search, language
// variants.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "text/balises.h"
#include "text/source.h"

namespace korv::text {

// --- Language variants (one per scene language, separated by "|") ---

// `TexteTraduction`: the variant of `langue` (1-based) among `nbLangues`;
// the whole text when that language has no separator of its own.
std::string TexteTraduction(std::string_view texte, int langue, int nbLangues);
// `TexteTraductionExisteVraimentDansLangue` on a text.
bool TexteTraductionExiste(std::string_view texte, int langue, int nbLangues);

// --- Lines of a coded text ---

// `TexteBasLigne`: the "<Y>" following "<LigneNumero" line ">"; minus
// one pixel (-twipsParPixelY) when either is missing.
std::int32_t TexteBasLigne(std::string_view texte, std::int64_t ligne, std::int32_t twipsParPixelY);
// `TexteHautLigne`: the bottom of the line before, plus one pixel.
std::int32_t TexteHautLigne(std::string_view texte, std::int64_t ligne, std::int32_t twipsParPixelY);
// `TexteQuelleLigneNCar`: the line a position belongs to (0 without markers).
std::int64_t TexteQuelleLigneNCar(std::string_view texte, Position position);
// `TexteNLigneVersNCar`: position of "<LigneNumero" line ">", 0 when absent.
Position TexteNLigneVersNCar(std::string_view texte, std::int64_t ligne);
// `TexteBienParametre`: the text was coded for this width.
bool TexteBienParametre(std::string_view texte, std::int32_t largeur);

// `NCarTexteMorceauDetermine`: first and last position of the piece of a
// text page (page >= 1), or of `nbLignes` lines from `ligne`, else the whole text.
std::pair<Position, Position> NCarTexteMorceauDetermine(std::string_view texte, std::int64_t page,
                                                        std::int64_t ligne, std::int64_t nbLignes);

struct RectangleVertical {
    std::int32_t haut = 0;
    std::int32_t bas = 0;
};

// `TexteDecalageVerticalDetermine`: the offset that places the piece in the
// rectangle by its vertical alignment; `formatage` becomes the format in
// force before the piece.
std::int32_t TexteDecalageVerticalDetermine(std::int32_t decalage, std::string_view texte, RectangleVertical r,
                                            std::pair<Position, Position> plage, std::uint8_t alignementDefaut,
                                            FormatageTexte& formatage, std::int32_t twipsParPixelY);

// `TexteADecouperQuelleLigneY`: the line of the shown piece at y (0 when none).
std::int64_t TexteADecouperQuelleLigneY(std::string_view texte, std::int64_t page, std::int64_t ligne,
                                        std::int64_t nbLignes, RectangleVertical r, std::int32_t& decalage,
                                        std::uint8_t alignementDefaut, const FormatageTexte& depart, std::int32_t y,
                                        std::int32_t twipsParPixelY);

// --- Plain text ---

// `TexteDecodeSeul`: the text without its tags; page breaks and "<Cr>"
// give CR LF when `retours`; "<PageNumero..." tags kept when `pages`.
std::string TexteDecodeSeul(std::string_view texte, bool retours, bool pages);
// `TexteNCarDecodeVersNCarCode`: position in the tagged text of the n-th
// plain character; -1 past the end.
Position TexteNCarDecodeVersNCarCode(std::string_view texte, Position n);

// --- Walks over a text in memory or a coded file ---

// `TexteNbPage` of a text: the "<PageNombre" of its first 1024 bytes, at least 1.
int TexteNbPage(SourceTexte& source);
// `TexteNLigneVersNPage`: the page holding a line (0 when not found).
int TexteNLigneVersNPage(SourceTexte& source, std::int64_t ligne);
// `TexteNLigneVersNCar` over a source, read by windows (`TexteLongNLigneVersNPos`).
Position TexteLongNLigneVersNPos(SourceTexte& source, std::int64_t ligne);
// `TexteRecherche`: the line where `cherche` is found after `depuisLigne`,
// wrapping once to the start; 0 when not found.
std::int64_t TexteRecherche(SourceTexte& source, std::string_view cherche, std::int64_t depuisLigne);

// `TexteLongMorceau`: a self-contained piece of a coded file for a page or
// a line: its "<Zone>" and "<PageNombre>" tags, the format tags in force,
// then up to 20480 bytes from the marker.
std::string TexteLongMorceau(SourceTexte& source, std::int64_t page, std::int64_t ligne);
// `TexteLongFormatagePrecedent`: the format tags in force before
// `position`, looked up over the whole text before it.
std::string TexteLongFormatagePrecedent(SourceTexte& source, Position position);

}  // namespace korv::text
