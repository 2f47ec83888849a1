#pragma once
// Opening a web address in the desktop's browser. Addresses are UTF-8 (the
// engine converts its Windows-1252 texts at its edge).

#include <functional>
#include <string_view>

namespace korv::platform {

class OuvreurUrl {
public:
    virtual ~OuvreurUrl() = default;
    // Hands the address to the desktop. `siEchec` runs once when no browser
    // could be started for it: at once when nothing could be launched, or
    // later, from the event loop, when the desktop's launcher ends with a
    // failure. It never runs once the opener is gone.
    virtual void Ouvrir(std::string_view adresse, std::function<void()> siEchec) = 0;
};

}  // namespace korv::platform
