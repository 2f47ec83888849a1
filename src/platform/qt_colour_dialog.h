#pragma once
// DialogueCouleur over QColorDialog (Qt's own dialog: the custom colours
// live in it, and a desktop dialog would not show them).

#include "platform/colour_dialog.h"

namespace korv::platform {

class QtDialogueCouleur final : public DialogueCouleur {
public:
    bool Choisir(std::int32_t& couleurRGB, CouleursPerso& couleursPerso) override;
};

}  // namespace korv::platform
