#pragma once
// One rich text added at the end of another, as a rich-text box takes an
// RTF text inserted at its caret: the inserted text's fonts and colours
// join the tables of the text it goes into (the same font or colour is
// reused, another one numbered after the last), and its first paragraph
// continues the paragraph the caret is in.

#include "rtf/document.h"

namespace korv::rtf {

// `source` appended to `cible`. An empty last paragraph of `cible` takes
// the format of the first paragraph of `source`.
void AjouterDocument(Document& cible, const Document& source);

// Plain text appended at the end of `cible` in the format of its last
// character; each CR LF (or CR, or LF) ends a paragraph.
void AjouterTexte(Document& cible, std::u32string_view texte);

}  // namespace korv::rtf
