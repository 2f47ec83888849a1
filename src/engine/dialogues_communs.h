#pragma once
// The open, save and colour dialogs as the engine calls them. The platform
// dialogs disable the program's other windows while they are up and turn
// the "|"-separated filters into their own; these wrappers give missing
// choices their defaults, keep the flags within what a caller may pass and
// leave the cancel state whatever a dialog did.

#include <cstdint>
#include <string>
#include <string_view>

namespace korv::platform {
class DialogueCouleur;
class DialogueFichier;
struct DemandeFichier;
}  // namespace korv::platform

namespace korv::engine {

class Moteur;
struct EnteteScene;

// `ChaineCToChaineBasic`: the text before the first NUL.
std::string ChaineCToChaineBasic(std::string_view texte);

// `VBGetOpenFileName` / `VBGetSaveFileName`: true when the user chose a file;
// then NomFichier is the full path, TitreFichier the name alone and Options
// the flags returned. On cancel, or without a dialog, both names are empty,
// Options is 0 and the result is false. An empty filter is "Tous (*.*)| *.*"
// and a filter index below 1 is 1.
bool VBGetOpenFileName(platform::DialogueFichier* dialogue, platform::DemandeFichier& demande);
bool VBGetSaveFileName(platform::DialogueFichier* dialogue, platform::DemandeFichier& demande);
bool VBGetOpenFileName(Moteur& moteur, platform::DemandeFichier& demande);
bool VBGetSaveFileName(Moteur& moteur, platform::DemandeFichier& demande);

// `VBChooseColor`: `couleur` (0x00BBGGRR) is the initial colour and receives
// the chosen one; true when the user pressed OK. The 16 custom colours live
// in the scene header for the whole run, so the ones the user defines are
// offered again at the next call, even after a Cancel.
bool VBChooseColor(platform::DialogueCouleur* dialogue, EnteteScene& entete, std::int32_t& couleur);

}  // namespace korv::engine
