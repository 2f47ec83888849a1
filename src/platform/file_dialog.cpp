#include "platform/file_dialog.h"

#include "platform/cp1252.h"

namespace korv::platform {

namespace {

std::string_view NomSeul(std::string_view chemin) {
    const auto barre = chemin.find_last_of("/\\");
    return barre == std::string_view::npos ? chemin : chemin.substr(barre + 1);
}

std::string_view Extension(std::string_view nom) {
    const auto point = nom.rfind('.');
    return point == std::string_view::npos ? std::string_view{} : nom.substr(point + 1);
}

}  // namespace

void AccepteDemande(DemandeFichier& demande, std::string nomComplet) {
    demande.TitreFichier = std::string(NomSeul(nomComplet));
    demande.NomFichier = std::move(nomComplet);
    std::int32_t options = demande.Options & options_fichier::Masque & ~options_fichier::ExtensionDifferente;
    std::string_view defaut = demande.ExtensionDefaut;
    if (!defaut.empty() && defaut.front() == '.') defaut.remove_prefix(1);
    if (!defaut.empty() && !EgalSansCasseCp1252(Extension(demande.TitreFichier), defaut))
        options |= options_fichier::ExtensionDifferente;
    demande.Options = options;
}

void AnnuleDemande(DemandeFichier& demande) {
    demande.NomFichier.clear();
    demande.TitreFichier.clear();
    demande.Options = 0;
}

}  // namespace korv::platform
