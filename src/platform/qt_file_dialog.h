#pragma once
// DialogueFichier over QFileDialog (Qt's own dialog, so that the case-free
// patterns and the hidden filter details behave the same on every desktop).
// Paths are taken and given as they are: callers pass folder and file names
// already resolved for this system.

#include "platform/file_dialog.h"

namespace korv::platform {

class QtDialogueFichier final : public DialogueFichier {
public:
    bool Ouvrir(DemandeFichier& demande) override { return Montre(demande, false); }
    bool Enregistrer(DemandeFichier& demande) override { return Montre(demande, true); }

private:
    bool Montre(DemandeFichier& demande, bool enregistrer);
};

}  // namespace korv::platform
