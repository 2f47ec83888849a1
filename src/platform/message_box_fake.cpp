#include "platform/message_box_fake.h"

#include <cstdio>
#include <stdexcept>

namespace korv::platform {

int BoiteMessageFactice::Afficher(std::string_view texte, int style, std::string_view titre) {
    const StyleDecode decode = DecodeStyle(style);
    MessageAffiche m;
    m.texte = std::string(texte);
    m.style = style;
    m.titre = std::string(titre.empty() ? kTitreProduit : titre);
    if (observateur) observateur(m);
    if (reponses.empty()) {
        if (parDefautDeSuite_ >= limiteParDefaut) {
            // Said here too, once: the program under test may catch the exception.
            if (parDefautDeSuite_++ == limiteParDefaut) std::fprintf(stderr, "boîte de message factice : plus de %zu réponses par défaut de suite, dernier message : %s\n",
                         limiteParDefaut, m.texte.c_str());
            throw std::logic_error("boîte de message factice : plus de " + std::to_string(limiteParDefaut) +
                                   " réponses par défaut de suite (une question sans fin ?)");
        }
        ++parDefautDeSuite_;
        m.reponse = Code(decode.ReponseDefaut());
        m.parDefaut = true;
    } else {
        parDefautDeSuite_ = 0;
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
