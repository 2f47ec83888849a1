#include "programme/exportation_programme.h"

#include <cmath>

#include "display/affichage.h"
#include "engine/dialogues_communs.h"
#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "platform/message_box.h"
#include "print/ajout_objets.h"
#include "print/imprimante.h"
#include "programme/impression_programme.h"

namespace korv::programme {

std::int64_t LargeurUtileTableaux(print::Imprimante& imprimante) {
    const print::CaracteristiquesImprimante c = imprimante.Caracteristiques();
    double decalage = 0;
    if (c.largeurPixels > 0 && c.largeurMm > 0) {
        const double mm = c.decalageXPixels / (c.largeurPixels / c.largeurMm);
        decalage = std::nearbyint(mm * 56.7);  // half to even
    }
    return static_cast<std::int64_t>(std::nearbyint(c.echelleGauche + c.echelleLargeur - decalage));
}

ExportationProgramme::ExportationProgramme(engine::Moteur& moteur, display::AffichagePage& affichage,
                                           ImpressionProgramme& impression, platform::BoiteMessage* messages,
                                           platform::DialogueFichier* dialogues)
    : run_(impression.TravailModifiable(), impression.SourcesExport(),
           Environnement(moteur, affichage, impression.Imprimante(), messages, dialogues)) {}

print::EnvironnementExport ExportationProgramme::Environnement(engine::Moteur& moteur,
                                                               display::AffichagePage& affichage,
                                                               print::Imprimante& imprimante,
                                                               platform::BoiteMessage* messages,
                                                               platform::DialogueFichier* dialogues) {
    print::EnvironnementExport e;
    e.progressionOuvre = [&affichage] { display::MessageFenetreOuvre(affichage, "Exportation", "En cours..."); };
    e.progressionFerme = [&affichage] { display::MessageFenetreFerme(affichage); };
    e.enregistrer = [dialogues](platform::DemandeFichier& d) { return engine::VBGetSaveFileName(dialogues, d); };
    e.ecraser = [messages] {
        return messages != nullptr &&
               messages->Afficher(print::kQuestionEcraser, platform::style::OuiNon, platform::kTitreProduit) ==
                   platform::Code(platform::Reponse::Oui);
    };
    e.echec = [messages](std::string_view message) {
        if (messages != nullptr) {
            messages->Afficher(message, platform::style::Ok + platform::style::Critique, platform::kTitreProduit);
        }
    };
    e.pageReafficher = [&moteur] {
        if (moteur.jeu.PageCourante > 0) engine::SauteALaPage(moteur, moteur.jeu.PageCourante);
    };
    e.largeurUtile = [&imprimante] { return LargeurUtileTableaux(imprimante); };
    return e;
}

void ExportationProgramme::SautDePageAjouter() { run_.TexteAjouter(print::kMarqueurNouvellePage); }

}  // namespace korv::programme
