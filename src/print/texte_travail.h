#pragma once
// The working rich-text box of the print job (`TexteRTFTravail`), on our
// rich-text model: set and read the whole RTF, read the plain text, replace
// a range of the plain text by plain text (which takes the format at the
// insertion point), and read a range as RTF. Positions are those of the
// plain text (paragraphs joined by CR LF), 0-based.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rtf/document.h"

namespace korv::print {

class TexteTravail {
public:
    TexteTravail() { Vider(); }
    // An RTF text, or plain Windows-1252 text taken as lines; a refused RTF
    // text leaves the box empty and answers false.
    bool DefinirRtf(std::string_view texte);
    void Vider();
    const rtf::Document& Document() const { return document_; }
    rtf::Document& Document() { return document_; }
    std::u32string TexteBrut() const { return document_.TexteBrut(); }
    std::string Rtf() const;
    // [debut, fin) as RTF; fin -1 to the end.
    std::string RtfPlage(std::int32_t debut, std::int32_t fin) const;
    // Replaces [debut, debut + longueur) by `texte`.
    void Remplacer(std::int32_t debut, std::int32_t longueur, std::u32string_view texte);

private:
    rtf::Document document_;
};

// Each cell reference "$ident" + one character + reference + one character
// + "$" of the box's plain text from `depuis` replaced by the text `valeur`
// gives for the reference (nothing: an empty text). The scan goes forward
// past each value, and stops at a reference that never closes.
void ReferencesRemplacer(TexteTravail& boite, std::size_t depuis,
                         const std::function<std::optional<std::string>(const std::string& reference)>& valeur);

// Every occurrence of `cherche` in the plain text of an RTF text replaced by
// `remplace`; `decalages` receives, for each one in order, its position in
// the text as it was before it and the change of length. Nothing found: the
// text is returned unchanged.
struct Remplacement {
    std::int32_t position = 0;
    std::int32_t decalage = 0;
};
std::string RemplacerDansRtf(std::string_view rtf, std::u32string_view cherche, std::u32string_view remplace,
                             std::vector<Remplacement>* decalages = nullptr);

// A plain-text range shifted by the replacements made before or inside it.
std::int32_t PositionDecalee(std::int32_t position, const std::vector<Remplacement>& decalages);

}  // namespace korv::print
