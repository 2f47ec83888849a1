#pragma once
// Open and save dialogs. A DemandeFichier goes in with the caller's choices
// and comes back with the chosen file. All texts are Windows-1252 bytes.

#include <cstdint>
#include <string>
#include <string_view>

namespace korv::platform {

// Dialog flags the program passes and reads back.
namespace options_fichier {
inline constexpr std::int32_t LectureSeule = 0x1;
inline constexpr std::int32_t ConfirmeEcrasement = 0x2;
inline constexpr std::int32_t CacheLectureSeule = 0x4;
inline constexpr std::int32_t SelectionMultiple = 0x200;
inline constexpr std::int32_t ExtensionDifferente = 0x400;
inline constexpr std::int32_t CheminDoitExister = 0x800;
inline constexpr std::int32_t FichierDoitExister = 0x1000;
// Flags a caller may pass; the others are dropped.
inline constexpr std::int32_t Masque = 0x1FF1F;
}  // namespace options_fichier

inline constexpr std::string_view kFiltreDefaut = "Tous (*.*)| *.*";

struct DemandeFichier {
    std::string NomFichier;    // in: initial name; out: full path of the file chosen
    std::string TitreFichier;  // out: the name alone
    std::int32_t Options = 0;  // in: flags (options_fichier); out: flags returned
    std::string Filtre{kFiltreDefaut};  // "label|patterns|label|patterns..."
    std::int32_t IndexFiltre = 1;       // 1-based
    std::string RepertoireInitial;
    std::string TitreDialogue;
    std::string ExtensionDefaut;  // without the dot, added to a name typed without one
};

class DialogueFichier {
public:
    virtual ~DialogueFichier() = default;
    // True when the user chose a file; on cancel the names are emptied and
    // Options is 0.
    virtual bool Ouvrir(DemandeFichier& demande) = 0;
    virtual bool Enregistrer(DemandeFichier& demande) = 0;
};

// The results every implementation writes: `nomComplet` chosen (TitreFichier
// is the part after the last '/' or '\'; Options keeps the passed flags
// within the mask and tells whether the extension differs from
// ExtensionDefaut), or the cancel state.
void AccepteDemande(DemandeFichier& demande, std::string nomComplet);
void AnnuleDemande(DemandeFichier& demande);

}  // namespace korv::platform
