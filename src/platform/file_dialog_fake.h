#pragma once
// Scripted open/save dialog for tests: each call takes the next queued
// answer (a full path, or nothing for Cancel); with none queued it cancels.
// Every request is recorded as it arrived.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_dialog.h"

namespace korv::platform {

struct AppelDialogueFichier {
    bool enregistrer = false;  // false: open dialog
    DemandeFichier demande;    // as the caller passed it
};

class DialogueFichierFactice final : public DialogueFichier {
public:
    bool Ouvrir(DemandeFichier& demande) override { return Repond(demande, false); }
    bool Enregistrer(DemandeFichier& demande) override { return Repond(demande, true); }

    std::deque<std::optional<std::string>> reponses;
    std::vector<AppelDialogueFichier> appels;

private:
    bool Repond(DemandeFichier& demande, bool enregistrer);
};

}  // namespace korv::platform
