#include "platform/message_box_fake.h"

#include <stdexcept>

namespace korv::platform {

int BoiteMessageFactice::Afficher(std::string_view texte, int style, std::string_view titre) {
    const StyleDecode decode = DecodeStyle(style);
    MessageAffiche m;
    m.texte = std::string(texte);
    m.style = style;
    m.titre = std::string(titre.empty() ? kTitreProduit : titre);
    if (reponses.empty()) {
        m.reponse = Code(decode.ReponseDefaut());
        m.parDefaut = true;
    } else {
        m.reponse = reponses.front();
        reponses.pop_front();
        if (!decode.Accepte(m.reponse)) {
            throw std::logic_error("boîte de message factice : réponse " + std::to_string(m.reponse) +
                                   " impossible pour le style " + std::to_string(style));
        }
    }
    messages.push_back(m);
    return m.reponse;
}

}  // namespace korv::platform
