#include "engine/polices.h"

#include "engine/texte_casse.h"
#include "platform/font_catalogue.h"

namespace korv::engine {

void PolicesListesRemplir(ListesPolicesRtf& listes, const platform::CataloguePolices& catalogue) {
    if (listes.remplies) return;
    listes.remplies = true;
    std::vector<std::string> noms;
    for (const auto& f : catalogue.Familles()) {
        if (!f.matricielle) noms.push_back(f.nom.substr(0, f.nom.find('\0')));
    }
    for (std::size_t k = 0; k < 2; ++k) {
        listes.polices[k] = noms;
        listes.tailles[k] = {"8", "9", "10", "11", "12", "14", "16", "18", "20", "24", "48"};
    }
}

std::string PoliceDefautNom(const platform::CataloguePolices& catalogue) {
    const auto familles = catalogue.Familles();
    if (familles.empty()) return {};
    for (const auto& f : familles) {
        std::string nom = MajusculeCp1252(f.nom);
        if (nom == "TIMES NEW ROMAN") return nom;
    }
    return MajusculeCp1252(familles.front().nom);
}

}  // namespace korv::engine
