#pragma once
// What the mouse finds in the method texts: the line of the learn-more menu
// under it and the section of the method text that holds that line, the
// glossary word under it (a run of underlined characters, clicked where it
// is also red), and the word's definition in the glossary text, found by the
// word or by its number. All positions are 0-based positions of a
// document's plain text (paragraph ends as CR LF); the texts are our
// rich-text model, so nothing here needs a window.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rtf/document.h"

namespace korv::plan {

// What a mouse move over a reacting line or word answers (the hand cursor).
inline constexpr int kSurvolActif = 255;

// `GlossaireMarque`: the character at `position` is red (colour 255) and
// underlined, the attribute the method texts mark glossary words with.
bool GlossaireMarque(const rtf::Document& texte, std::int32_t position);

// `MouseMoveTexteMethode` once the character under the mouse is known (-1:
// none): 255 over a character of code 32 or more, else 0.
int MenuSavSurvol(std::u32string_view texteBrut, std::int32_t caractere);
// `MouseMoveTexteGlossaire`: 255 over a glossary character, else 0.
int GlossaireSurvol(const rtf::Document& texte, std::int32_t caractere);

// `MenuSavLigneTexte`: the run of characters of code 32 or more around
// `position`; empty on a line end.
std::u32string MenuSavLigneTexte(std::u32string_view texteBrut, std::int32_t position);

// The section (1-based) of a "¤"-paged text that holds the menu line, found
// trimmed and without regard to case; nothing when the text lacks it. An
// empty line is found at the start (section 1).
std::optional<int> MenuSavSection(std::u32string_view texteBrut, std::u32string_view ligne);

// `MousedownTexteGlossaire`'s word: the underlined run around `caractere`
// when that character is a glossary character; nothing for a character at
// 0 or before, or one that is not marked.
std::optional<std::u32string> GlossaireMot(const rtf::Document& texte, std::int32_t caractere);

// `GlossaireBulleAfficher`'s search: the entry "word*...:definition¤" of the
// glossary text, the word compared without regard to case.
struct DefinitionGlossaire {
    enum class Etat : std::uint8_t {
        Trouvee,
        MotAbsent,  // no "word*" in the glossary: the bubble's text is emptied
        Incomplete  // no ":" after it, or no "¤" after the ":" (or right after it)
    };
    Etat etat = Etat::MotAbsent;
    rtf::Document definition;  // the characters between ":" and "¤", formatted
};
DefinitionGlossaire GlossaireDefinitionChercher(const rtf::Document& glossaire, std::u32string_view mot);

// `GlossaireAfficheDefinition`'s piece: piece n of the "¤"-paged glossary
// text; nothing when that piece is empty.
std::optional<rtf::Document> GlossaireMorceau(const rtf::Document& glossaire, int n);

// Letters compared without regard to case, as the searches above do (the
// Latin-1 letters and "œ"); -1 when absent. `depuis` is 0-based.
std::int64_t ChercherSansCasse(std::u32string_view texte, std::u32string_view cherche, std::size_t depuis = 0);

}  // namespace korv::plan
