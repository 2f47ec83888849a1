#include "engine/dialogues_communs.h"

#include "engine/moteur.h"
#include "engine/scene.h"
#include "platform/colour_dialog.h"
#include "platform/file_dialog.h"

namespace korv::engine {

namespace {

using Appel = bool (platform::DialogueFichier::*)(platform::DemandeFichier&);

bool Montre(platform::DialogueFichier* dialogue, platform::DemandeFichier& demande, Appel appel) {
    demande.NomFichier = ChaineCToChaineBasic(demande.NomFichier);
    demande.TitreFichier = ChaineCToChaineBasic(demande.TitreFichier);
    if (ChaineCToChaineBasic(demande.Filtre).empty()) demande.Filtre = std::string(platform::kFiltreDefaut);
    if (demande.IndexFiltre < 1) demande.IndexFiltre = 1;
    demande.Options &= platform::options_fichier::Masque;
    if (dialogue != nullptr && (dialogue->*appel)(demande)) return true;
    platform::AnnuleDemande(demande);
    return false;
}

}  // namespace

std::string ChaineCToChaineBasic(std::string_view texte) {
    return std::string(texte.substr(0, texte.find('\0')));
}

bool VBGetOpenFileName(platform::DialogueFichier* dialogue, platform::DemandeFichier& demande) {
    return Montre(dialogue, demande, &platform::DialogueFichier::Ouvrir);
}

bool VBGetSaveFileName(platform::DialogueFichier* dialogue, platform::DemandeFichier& demande) {
    return Montre(dialogue, demande, &platform::DialogueFichier::Enregistrer);
}

bool VBGetOpenFileName(Moteur& moteur, platform::DemandeFichier& demande) {
    return VBGetOpenFileName(moteur.Dialogues(), demande);
}

bool VBGetSaveFileName(Moteur& moteur, platform::DemandeFichier& demande) {
    return VBGetSaveFileName(moteur.Dialogues(), demande);
}

bool VBChooseColor(platform::DialogueCouleur* dialogue, EnteteScene& entete, std::int32_t& couleur) {
    if (dialogue == nullptr) return false;
    return dialogue->Choisir(couleur, entete.couleursPerso);
}

}  // namespace korv::engine
