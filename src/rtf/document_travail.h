#pragma once
// A private rich-text work document: where a step of the written plan or a
// line of the table of contents is composed before it goes to the print
// job, the export box or a page object. It offers what composing needs of a
// rich-text box (clear, insert rich text at the end, insert plain text at a
// position taking the format found there, the whole RTF, the plain text,
// the first character's format, one format over the whole text, one tab
// stop) and never touches a box the user sees. Positions are those of the
// plain text (paragraphs joined by CR LF), 0-based.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rtf/document.h"

namespace korv::rtf {

// A character format as a box's selection shows it.
struct CaractereFormat {
    std::string police;              // Windows-1252 bytes
    std::int32_t tailleDemiPoints = 24;
    bool gras = false;
    bool souligne = false;
    bool italique = false;
    std::int32_t couleur = 0;        // red + 256 x green + 65536 x blue
    std::int32_t alignement = 0;     // 0 left, 1 right, 2 centre
    bool operator==(const CaractereFormat&) const = default;
};

// What an insertion changes of the format it finds (the box's font set
// before typing).
struct Retouche {
    std::optional<std::string> police;
    std::optional<std::int32_t> tailleDemiPoints;
    std::optional<bool> gras;
    std::optional<bool> souligne;
};

class DocumentTravail {
public:
    DocumentTravail() { Vider(); }

    void Vider();
    // An RTF text, or plain Windows-1252 text taken as lines. A text the
    // reader refuses leaves the document empty and answers false.
    bool DefinirRtf(std::string_view texte);
    std::string Rtf() const;
    std::u32string TexteBrut() const { return document_.TexteBrut(); }
    std::int32_t Longueur() const { return static_cast<std::int32_t>(TexteBrut().size()); }
    const Document& Modele() const { return document_; }

    // A rich text inserted after the end, with its own fonts and colours,
    // and ended by a paragraph end as a stored rich text ends. A refused
    // text inserts nothing and answers false; an empty one inserts nothing.
    bool InsererRtfFin(std::string_view rtf);
    // Plain text (CR LF starts a paragraph) inserted at `position`, in the
    // format of the character before it (of the first one at 0), changed by
    // `retouche`.
    void InsererTexte(std::int32_t position, std::u32string_view texte, const Retouche& retouche = {});
    // Every occurrence of `cherche` in the plain text replaced by `par`.
    void RemplacerTout(std::u32string_view cherche, std::u32string_view par);

    // `CaractereFormatLire`: the format of the first character.
    CaractereFormat CaractereFormatLire() const;
    // `CaractereFormatAppliquer`: the whole text takes that format.
    void CaractereFormatAppliquer(const CaractereFormat& format);
    // Every paragraph gets exactly one tab stop, at `twips`.
    void TabulationUnique(std::int32_t twips);

private:
    std::int32_t PoliceNumero(std::string_view nom);
    std::int32_t CouleurIndex(std::int32_t rgb);

    Document document_;
};

}  // namespace korv::rtf
