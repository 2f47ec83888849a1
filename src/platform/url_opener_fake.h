#pragma once
// URL opener for tests: records the addresses and answers as told.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/url_opener.h"

namespace korv::platform {

class OuvreurUrlFactice final : public OuvreurUrl {
public:
    void Ouvrir(std::string_view adresse, std::function<void()> siEchec) override {
        ouvertes.emplace_back(adresse);
        if (lance) throw std::runtime_error("ouverture impossible");
        if (!accepte) {
            siEchec();
            return;
        }
        enCours.push_back(std::move(siEchec));
    }
    // The launchers started so far end; when they fail, each reports it.
    void Terminer(bool reussi) {
        std::vector<std::function<void()>> fins = std::move(enCours);
        enCours.clear();
        if (reussi) return;
        for (auto& f : fins) f();
    }

    std::vector<std::string> ouvertes;
    std::vector<std::function<void()>> enCours;  // launched, not ended yet
    bool accepte = true;  // false: nothing can be launched for the address
    bool lance = false;   // true: the opening fails with an exception
};

}  // namespace korv::platform
