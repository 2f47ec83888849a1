#pragma once
// The rich-text model as our RTF reader produces it and our writer writes
// it: a font table, a colour table and paragraphs of character runs. It
// holds no Qt type, so the reader is covered by the builds without Qt; the
// Qt layer turns it into a QTextDocument and back.
//
// Text is held as Unicode code points. The plain text of a document is its
// paragraphs joined by CR LF, the form every position of a rich text counts
// in (page markers, caret, selections).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korv::rtf {

enum class Alignement : std::uint8_t { Gauche, Centre, Droite, Justifie };
enum class PositionVerticale : std::uint8_t { Normale, Exposant, Indice };

// Characters of a run. Sizes in half-points, offsets in half-points (\up is
// positive, \dn negative); the font is the number of the font table, the
// colour an index of the colour table (0: the automatic colour).
struct FormatCaractere {
    std::int32_t police = 0;
    std::int32_t taille = 24;
    bool gras = false;
    bool italique = false;
    bool souligne = false;
    bool barre = false;
    std::int32_t couleur = 0;
    std::int32_t decalage = 0;
    PositionVerticale position = PositionVerticale::Normale;
    bool operator==(const FormatCaractere&) const = default;
};

// Paragraph layout, twips.
struct FormatParagraphe {
    Alignement alignement = Alignement::Gauche;
    std::int32_t retraitGauche = 0;
    std::int32_t retraitDroit = 0;
    std::int32_t retraitPremiereLigne = 0;
    std::int32_t espaceAvant = 0;
    std::int32_t espaceApres = 0;
    // Tab stops (\tx), in the order they were set.
    std::vector<std::int32_t> tabulations;
    bool operator==(const FormatParagraphe&) const = default;
};

// Inside a run, a tab is U+0009 and a line break inside the paragraph U+000B.
inline constexpr char32_t kTabulation = U'\t';
inline constexpr char32_t kSautLigne = U'\v';

struct Morceau {
    FormatCaractere format;
    std::u32string texte;
    bool operator==(const Morceau&) const = default;
};

struct Paragraphe {
    FormatParagraphe format;
    std::vector<Morceau> morceaux;
    // Ended by a page break (\page) instead of a paragraph end.
    bool sautPage = false;
    bool operator==(const Paragraphe&) const = default;
};

struct Police {
    std::int32_t numero = 0;
    std::string famille = "fnil";  // the family control word: froman, fswiss, fnil, ...
    std::int32_t jeu = 0;          // \fcharset
    std::string nom;               // Windows-1252 bytes
    bool operator==(const Police&) const = default;
};

inline constexpr std::int32_t kJeuAnsi = 0;     // \fcharset0
inline constexpr std::int32_t kJeuDefaut = 1;   // \fcharset1: the document's code page
inline constexpr std::int32_t kJeuSymbole = 2;  // \fcharset2

// A font whose bytes are glyphs rather than Windows-1252 characters: the
// symbol character set, or a font named Symbol or Wingdings.
bool PoliceDeSymboles(const Police& police);
// Whether the name begins with "Wingdings", in any case.
bool PoliceWingdings(const Police& police);

struct CouleurRtf {
    bool automatique = true;
    std::uint8_t rouge = 0;
    std::uint8_t vert = 0;
    std::uint8_t bleu = 0;
    bool operator==(const CouleurRtf&) const = default;
};

struct Document {
    std::vector<Police> polices;
    std::vector<CouleurRtf> couleurs;
    std::int32_t policeDefaut = 0;  // \deffN
    // Never empty once read: an empty text is one empty paragraph.
    std::vector<Paragraphe> paragraphes;
    bool operator==(const Document&) const = default;

    // The plain text: paragraphs joined by CR LF (a page break counts as a
    // paragraph end).
    std::u32string TexteBrut() const;
    // Whether the plain text is empty (formatting alone counts as empty).
    bool EstVide() const;
    // The font of that number, or null.
    const Police* PoliceNumero(std::int32_t numero) const;
};

// Positions of the plain text (CR LF counts 2) and of a QTextDocument
// holding the same document (a paragraph end counts 1, a character beyond
// U+FFFF counts 2), each way. Positions past the end map to the end; a
// position between CR and LF maps to the paragraph end.
std::int32_t PositionDocumentQt(const Document& document, std::int32_t positionBrute);
std::int32_t PositionBrute(const Document& document, std::int32_t positionQt);

// UTF-8 of a text (for tools and logs; the engine converts through
// Windows-1252).
std::string TexteUtf8(std::u32string_view texte);

// A document of plain text: each line (CR LF, CR or LF) a paragraph, in the
// default format with one font "Arial".
Document DocumentDepuisTexte(std::u32string_view texte);

}  // namespace korv::rtf
