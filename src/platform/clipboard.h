#pragma once
// The system clipboard, text only. Texts are Windows-1252 bytes as the
// engine keeps them; the Qt side converts at its edge.

#include <string>
#include <string_view>

namespace korv::platform {

class PressePapier {
public:
    virtual ~PressePapier() = default;
    // The clipboard's text; empty when it holds none.
    virtual std::string Texte() = 0;
    // Replaces whatever the clipboard held by the text.
    virtual void TexteFixer(std::string_view texte) = 0;
};

}  // namespace korv::platform
