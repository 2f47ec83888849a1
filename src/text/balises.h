#pragma once
// Tagged text: the sequence reader, the tag parsers and the format state.
//
// A tag is "<", a name of letters A-Z in either case, an optional argument
// and ">"; everything else is plain text. Positions are 1-based byte
// positions into the Windows-1252 text, 0 meaning "none", as every reader
// of stored coded texts counts them.

#include <cstdint>
#include <string>
#include <string_view>

namespace korv::text {

using Position = std::int64_t;

// `InStr`: first occurrence of `cherche` beginning at or after `debut`; 0 when absent.
Position InStr(Position debut, std::string_view texte, std::string_view cherche);
// `RInstr`: last occurrence beginning at or before `debut` (cut to the
// text's length); 0 when absent or when `debut` is below 1.
Position RInstr(Position debut, std::string_view texte, std::string_view cherche);
// `Mid` with a 1-based start; empty outside the text.
std::string_view Mid(std::string_view texte, Position debut, Position longueur);

// `TextePrepareNCarSequenceSuivante`: the last character of the sequence
// starting at `position` (moved into 1 .. length + 1 first). A run of text
// ends before the next "<"; a tag ends at its ">", nested "<" ">" pairs
// included. 0 when a tag never closes.
Position TextePrepareNCarSequenceSuivante(std::string_view texte, Position& position);
// `TextePrepareSequenceSuivante`: that sequence; empty at the end or for an unclosed tag.
std::string_view TextePrepareSequenceSuivante(std::string_view texte, Position& position);

// A sequence is a tag when it has more than two characters, "<" first and ">" last.
bool EstBalise(std::string_view sequence);
// `TexteCodeSequence`: the letters right after "<".
std::string_view TexteCodeSequence(std::string_view sequence);
// `TexteArgumentSequence`: what follows the name up to the closing ">", trimmed of blanks.
std::string_view TexteArgumentSequence(std::string_view sequence);

// Case-insensitive comparison of tag names (ASCII letters).
bool NomEgal(std::string_view a, std::string_view b);
std::string Majuscules(std::string_view texte);

// `Val`: the leading number of a text (blanks skipped, sign, digits,
// decimal point, exponent, "&H" hexadecimal); 0 when there is none.
double Val(std::string_view texte);
// Val rounded to the nearest integer (halves to even) and held within 32 bits.
std::int32_t ValEntier(std::string_view texte);

// `FormatageTexte`: the format state of tagged text. Colours are 32-bit
// RGB with red in the low byte.
struct FormatageTexte {
    std::string police;  // upper case
    std::int16_t taille = 11;
    bool gras = false;
    bool italique = false;
    bool souligne = false;
    bool indice = false;
    bool exposant = false;
    std::int32_t couleur = 0;
    std::uint8_t relief = 0;
    bool lienOuvert = false;
    std::uint8_t alignementH = 0;  // 0 left, 1 centre, 2 right, 3 justified
    std::uint8_t alignementV = 0;  // 0 top, 1 bottom, 2 centre
    bool operator==(const FormatageTexte&) const = default;
};

// The vertical alignment code of a "VerticalAligne" argument ("1" centre,
// "2" top, "3" bottom); other arguments leave `courant`.
std::uint8_t AlignementVerticalDepuisArgument(std::string_view argument, std::uint8_t courant);

// `TexteAppliqueFormatagePrecedent`: the format in force at `position`:
// for each format tag, the last one beginning at or before it; the
// horizontal alignment is the last of the four alignment tags.
void TexteAppliqueFormatagePrecedent(std::string_view texte, Position position, FormatageTexte& formatage);

// `TexteParametresAffichageCode`: "<Zone" + width + ">".
std::string TexteParametresAffichageCode(std::int32_t largeur);

}  // namespace korv::text
