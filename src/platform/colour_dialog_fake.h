#pragma once
// Scripted colour dialog for tests: each call takes the next queued answer;
// with none queued it cancels. Every call is recorded as it arrived.

#include <deque>
#include <optional>
#include <vector>

#include "platform/colour_dialog.h"

namespace korv::platform {

struct ReponseCouleur {
    std::optional<std::int32_t> couleur;  // nothing: Cancel
    std::optional<CouleursPerso> couleursPerso;  // custom colours the user left
};

struct AppelDialogueCouleur {
    std::int32_t couleur = 0;
    CouleursPerso couleursPerso{};
};

class DialogueCouleurFactice final : public DialogueCouleur {
public:
    bool Choisir(std::int32_t& couleurRGB, CouleursPerso& couleursPerso) override;

    std::deque<ReponseCouleur> reponses;
    std::vector<AppelDialogueCouleur> appels;
};

}  // namespace korv::platform
