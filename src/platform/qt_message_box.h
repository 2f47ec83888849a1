#pragma once
// BoiteMessage shown with QMessageBox, over the active window.

#include "platform/message_box.h"

namespace korv::platform {

class QtBoiteMessage final : public BoiteMessage {
public:
    int Afficher(std::string_view texte, int style, std::string_view titre = {}) override;
};

}  // namespace korv::platform
