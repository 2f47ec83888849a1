#include "display/palettes.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "platform/path_resolver.h"

namespace korv::display {

std::optional<Palette> PaletteFichierCreer(std::string_view fichier, const JournalAffichage& journal,
                                           platform::ResolveurChemins* resolveur) {
    const auto chemin = resolveur ? resolveur->Resoudre(fichier) : platform::ResoudreChemin(fichier);
    std::error_code ec;
    if (!chemin || !std::filesystem::is_regular_file(*chemin, ec)) return std::nullopt;
    std::string erreur;
    const QImage image = DecoderImage(*chemin, erreur, true);
    if (image.isNull()) {
        if (journal) journal("PaletteFichierCreer : A104 : " + std::string(fichier) + " (" + erreur + ")");
        return std::nullopt;
    }
    Palette palette;
    for (const QRgb c : image.colorTable()) palette.couleurs.push_back(DepuisQRgb(c));
    return palette;
}

void EtatPalette::Remplacer(const SystemeAffichage& systeme, std::optional<Palette> palette) {
    PaletteLiberer(systeme);
    actuelle_ = std::move(palette);
}

void EtatPalette::PaletteActuelleAssignerAuxFenetres(const SystemeAffichage& systeme) {
    if (systeme.EcranPalette && actuelle_) selectionnee_ = true;
}

void EtatPalette::PaletteLiberer(const SystemeAffichage& systeme) {
    (void)systeme;
    selectionnee_ = false;
    actuelle_.reset();
}

}  // namespace korv::display
