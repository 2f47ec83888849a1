#include "programme/texte_illisible.h"

#include "plan/boite_riche.h"
#include "platform/message_box.h"

namespace korv::programme {

std::optional<std::string> TexteRicheCharger(plan::BoiteTexteRiche& boite, std::string_view texte) {
    if (boite.TexteRtfFixer(texte)) return std::nullopt;
    boite.TexteRtfFixer("");
    return boite.TexteRtf();
}

void TexteIllisibleDire(platform::BoiteMessage* messages) {
    if (messages) messages->Afficher("Impossible de lire le fichier RTF", platform::style::Ok, platform::kTitreProduit);
}

}  // namespace korv::programme
