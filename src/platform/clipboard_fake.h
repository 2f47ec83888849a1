#pragma once
// Clipboard for tests: a text held in memory.

#include <string>
#include <string_view>

#include "platform/clipboard.h"

namespace korv::platform {

class PressePapierFactice final : public PressePapier {
public:
    std::string Texte() override { return texte; }
    void TexteFixer(std::string_view t) override {
        texte = std::string(t);
        ++ecritures;
    }

    std::string texte;
    int ecritures = 0;
};

}  // namespace korv::platform
