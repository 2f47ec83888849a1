#pragma once
// The system clipboard through QClipboard (text format).

#include <string>
#include <string_view>

#include "platform/clipboard.h"

namespace korv::platform {

class QtPressePapier final : public PressePapier {
public:
    std::string Texte() override;
    void TexteFixer(std::string_view texte) override;
};

}  // namespace korv::platform
