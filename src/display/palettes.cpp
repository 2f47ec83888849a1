#include "display/palettes.h"

#include <string>

#include "platform/path_resolver.h"

namespace korv::display {

std::optional<Palette> PaletteFichierCreer(std::string_view fichier, const JournalAffichage& journal) {
    if (!platform::FichierExiste(fichier)) return std::nullopt;
    const auto chemin = platform::ResoudreChemin(fichier);
    std::string erreur;
    const QImage image = chemin ? DecoderImage(*chemin, erreur, true) : QImage();
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
