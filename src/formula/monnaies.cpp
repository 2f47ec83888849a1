#include "formula/monnaies.h"

#include "formula/nombres.h"
#include "formula/services.h"
#include "formula/valeur.h"
#include "platform/message_box.h"
#include "platform/settings.h"

namespace korv::formula {

namespace {

struct Defaut {
    std::string_view nom;
    double taux;
};

constexpr std::array<Defaut, TableMonnaies::kNombre> kDefauts{{
    {"Euro", 1},
    {"Schiling Autrichien", 13.7603},
    {"Franc Belge", 40.3399},
    {"Deutsche Mark", 1.95583},
    {"Couronne Danoise", 7.46038},
    {"Pesetas", 166.386},
    {"Mark Finlandais", 5.94573},
    {"Franc Fran\xE7" "ais", 6.55957},
    {"Livre sterling", 0.6},
    {"Drachme", 336.09},
    {"Pound", 0.787564},
    {"Lire", 1936.27},
    {"Franc Luxembourgeois", 40.3399},
    {"Florin", 2.20371},
    {"Escudo", 200.482},
    {"Couronne Su\xE9" "doise", 8.25},
    {"Dollar US", 0.9106},
    {"KF", 6.55957 / 1000},  // French francs counted in thousands
    {"A personnaliser", 1},  // the user's own currency
}};

bool DansTable(std::uint8_t index) { return index >= 1 && index <= TableMonnaies::kNombre; }

constexpr std::array<std::string_view, 2> kReferences{kReferenceUsd, kReferenceSek};

}  // namespace

TableMonnaies::TableMonnaies() { MonnaiesInitialiser(); }

void TableMonnaies::MonnaiesInitialiser() {
    for (std::size_t i = 0; i < entrees_.size(); ++i) entrees_[i] = {kDefauts[i].taux, std::string(kDefauts[i].nom)};
}

void TableMonnaies::MonnaieDefinir(std::uint8_t index, double taux, std::string_view nom,
                                   platform::BoiteMessage& boite) {
    if (!DansTable(index)) return;
    if (!(taux > 0)) {
        boite.Afficher(kMessageTauxInterdit, platform::style::Ok, platform::kTitreProduit);
        return;
    }
    entrees_[index - 1u] = {taux, std::string(nom)};
}

double TableMonnaies::MonnaieTauxGet(std::uint8_t index) const {
    return DansTable(index) ? entrees_[index - 1u].taux : 1.0;
}

double TableMonnaies::MonnaieTauxVarGet(const Valeur& index) const {
    if (index.estNul() || index.estErreur() || !index.EstNumerique()) return 0;
    const double n = index.EnDouble();
    if (!(n >= 1 && n <= kNombre)) return 0;
    return entrees_[static_cast<std::size_t>(ArrondiPair(n)) - 1].taux;
}

void TableMonnaies::MonnaieTauxSet(std::uint8_t index, double taux) {
    if (DansTable(index) && taux > 0) entrees_[index - 1u].taux = taux;
}

std::string TableMonnaies::MonnaieNomGet(std::uint8_t index) const {
    return DansTable(index) ? entrees_[index - 1u].nom : std::string();
}

void TableMonnaies::MonnaieNomSet(std::uint8_t index, std::string_view nom) {
    if (DansTable(index)) entrees_[index - 1u].nom = std::string(nom);
}

std::string TableMonnaies::MonnaiePlanSymbole(ServicesScene& scene) {
    const std::int16_t page = scene.NumeroDePage("PREVISION");
    if (page <= 0) return {};
    const std::int16_t objet = scene.NumeroObjet(page, "COMPTE");
    if (objet <= 0) return {};
    ServiceGrille* grille = scene.Grille(page, objet);
    if (grille == nullptr || grille->ColonneNb() < 1 || grille->LigneNb() < 2) return {};
    return MonnaieSymboleDuNom(grille->CaseValeurInternePendantCalcul(1, 2).EnTexte());
}

std::string TableMonnaies::MonnaieSymboleDuNom(std::string nom) {
    if (nom == "Franc Fran\xE7" "ais") return "FF";
    if (nom == "Euro") return "\x80";
    if (nom == "Dollar US") return "$";
    return nom;
}

bool TableMonnaies::EuroMonnaieRegConserve(std::string_view action, platform::MagasinReglages& reglages) {
    bool ecrit = true;
    if (action == "CONSERVE") {
        for (std::size_t i = 0; i < kReferences.size(); ++i) {
            sauvegarde_[i] = EuroMonnaieRegGet(reglages, kReferences[i]).value_or(std::string());
        }
    } else if (action == "REMET") {
        for (std::size_t i = 0; i < kReferences.size(); ++i) {
            if (sauvegarde_[i].empty()) continue;
            if (EuroMonnaieRegSet(reglages, kReferences[i], sauvegarde_[i])) {
                sauvegarde_[i].clear();
            } else {
                ecrit = false;
            }
        }
    }
    return ecrit;
}

bool TableMonnaies::ConversionDebut(const Valeur& a, const Valeur& b, platform::MagasinReglages& reglages) {
    EuroMonnaieRegConserve("CONSERVE", reglages);
    const bool sek = EuroMonnaieTauxConversionChange(reglages, kReferenceSek, MonnaieTauxVarGet(b));
    const bool usd = EuroMonnaieTauxConversionChange(reglages, kReferenceUsd, MonnaieTauxVarGet(a));
    return sek && usd;
}

std::optional<std::string> EuroMonnaieRegGet(const platform::MagasinReglages& reglages, std::string_view nom) {
    return reglages.LireTexte(kReglagesMonnaieApplication, kReglagesMonnaieSection, nom);
}

bool EuroMonnaieRegSet(platform::MagasinReglages& reglages, std::string_view nom, std::string_view valeur) {
    return reglages.EcrireTexte(kReglagesMonnaieApplication, kReglagesMonnaieSection, nom, valeur);
}

bool EuroMonnaieTauxConversionChange(platform::MagasinReglages& reglages, std::string_view nom, double taux) {
    return reglages.EcrireReel(kReglagesMonnaieApplication, kReglagesMonnaieSection, nom, taux);
}

}  // namespace korv::formula
