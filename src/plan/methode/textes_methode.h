#pragma once
// The files of the guided method and what is made of them: the paths of a
// step's explanation texts and seen-mark pictures beside the scene's folder,
// the bullet file, a learn-more text cut into its menu and its sections,
// and the chapter number text. Names are Windows-1252 bytes in the scene's
// Windows style; the platform resolves them ignoring case.

#include <span>
#include <string>
#include <string_view>

namespace korv::rtf {
struct Document;
}

namespace korv::plan {

// `EtapeFichierTexteChemin`: the explanation text of kind "MET", "EXP" or
// "SAV" of a step, or the help text of kind "AIDE", beside the scene folder
// (which ends with its separator).
std::string EtapeFichierTexteChemin(std::string_view dossierScene, std::string_view code, std::string_view genre);

// A seen-mark picture ("..\IMAGES\TABLEAU\VU.BMP"...) after the scene
// folder, upper-cased, and a scene folder named SCENE stepped out of
// ("\SCENE\..\" becomes "\").
std::string ImageMethodeChemin(std::string_view dossierScene, std::string_view relatif);
// The "\SCENE\..\" replacement alone.
std::string SceneRemonter(std::string nom);

// The four pictures of the seen marks.
inline constexpr std::string_view kImageVu = "..\\IMAGES\\TABLEAU\\VU.BMP";
inline constexpr std::string_view kImagePasVu = "..\\IMAGES\\TABLEAU\\PASVU.BMP";
inline constexpr std::string_view kImageVuSousEtape = "..\\IMAGES\\TABLEAU\\VU01.BMP";
inline constexpr std::string_view kImagePasVuSousEtape = "..\\IMAGES\\TABLEAU\\PASVU01.BMP";

// The whole bytes of a method file; "" when it is missing or unreadable (a
// step without a text of some kind is normal, never an error).
std::string FichierMethodeLire(std::string_view nom);

// The bullet file of the program's folder.
std::string BouleFichierChemin(std::string_view dossierProgramme);

// A learn-more text cut at its first "¤": the text before it, with a
// paragraph end added and each "(boule)" replaced by the bullet, is the menu
// (RTF); what follows the marker stays as the sections (RTF). A text
// without a marker is all menu.
struct MenuSavTextes {
    std::string menu;
    std::string sections;
};
MenuSavTextes MenuSavConstruire(const rtf::Document& texte, std::string_view boule);

// `NumeroRubriqueTexte`: "2.1." for (2, 1, 0); the first 0 ends it.
std::string NumeroRubriqueTexte(std::span<const int> niveaux);

// The steps that have tool tables (the tab bar's fifth column).
bool EtapeAOutils(std::string_view code);

}  // namespace korv::plan
