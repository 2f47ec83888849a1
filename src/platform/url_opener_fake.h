#pragma once
// URL opener for tests: records the addresses and answers as told.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/url_opener.h"

namespace korv::platform {

class OuvreurUrlFactice final : public OuvreurUrl {
public:
    bool Ouvrir(std::string_view adresse) override {
        ouvertes.emplace_back(adresse);
        if (lance) throw std::runtime_error("ouverture impossible");
        return accepte;
    }

    std::vector<std::string> ouvertes;
    bool accepte = true;  // false: as if no browser were installed
    bool lance = false;   // true: the opening fails with an exception
};

}  // namespace korv::platform
