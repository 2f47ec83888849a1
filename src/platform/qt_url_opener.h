#pragma once
// OuvreurUrl over QDesktopServices::openUrl (xdg-open on Linux desktops).

#include "platform/url_opener.h"

namespace korv::platform {

class QtOuvreurUrl final : public OuvreurUrl {
public:
    // False as well for a text that is no valid address.
    bool Ouvrir(std::string_view adresse) override;
};

}  // namespace korv::platform
