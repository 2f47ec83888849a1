#pragma once
// Opening a web address in the desktop's browser. Addresses are UTF-8 (the
// engine converts its Windows-1252 texts at its edge).

#include <string_view>

namespace korv::platform {

class OuvreurUrl {
public:
    virtual ~OuvreurUrl() = default;
    // Hands the address to the desktop; false when no browser could be
    // started for it.
    virtual bool Ouvrir(std::string_view adresse) = 0;
};

}  // namespace korv::platform
