#include "platform/file_dialog_fake.h"

namespace korv::platform {

bool DialogueFichierFactice::Repond(DemandeFichier& demande, bool enregistrer) {
    appels.push_back({enregistrer, demande});
    std::optional<std::string> reponse;
    if (!reponses.empty()) {
        reponse = std::move(reponses.front());
        reponses.pop_front();
    }
    if (!reponse) {
        AnnuleDemande(demande);
        return false;
    }
    AccepteDemande(demande, std::move(*reponse));
    return true;
}

}  // namespace korv::platform
