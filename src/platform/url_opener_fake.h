#pragma once
// URL opener for tests: records the addresses and answers as told.

#include <string>
#include <string_view>
#include <vector>

#include "platform/url_opener.h"

namespace korv::platform {

class OuvreurUrlFactice final : public OuvreurUrl {
public:
    bool Ouvrir(std::string_view adresse) override {
        ouvertes.emplace_back(adresse);
        return accepte;
    }

    std::vector<std::string> ouvertes;
    bool accepte = true;  // false: as if no browser were installed
};

}  // namespace korv::platform
