#include "engine/actions_web.h"

#include <array>

#include "engine/declenchement.h"
#include "engine/moteur.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "platform/url_opener.h"

namespace korv::engine {

namespace {

// Hosts: the public sites of each kind, and the product's own sites.
constexpr std::string_view kSiteCreation = "https://bpifrance-creation.fr";
constexpr std::string_view kSiteFormalites = "https://formalites.entreprises.gouv.fr";
constexpr std::string_view kSiteRecherche = "https://www.enseignementsup-recherche.gouv.fr";
constexpr std::string_view kSiteTechnopole = "https://www.technopole-corvanne.example";
constexpr std::string_view kSiteCollectivite = "https://www.collectivite-corvanne.example";
constexpr std::string_view kSiteEconomie = "https://economie.collectivite-corvanne.example";
constexpr std::string_view kSiteRegional = "https://region.corvanne.example";
constexpr std::string_view kSiteProduit = "https://www.corvanne.example";

struct LienWeb {
    std::string_view motCle;
    std::string_view site;
    std::string_view chemin;
};

constexpr std::array<LienWeb, 12> kLiens{{
    {"CREER", kSiteCreation, "/"},
    {"DEMARRER", kSiteCreation, "/"},
    {"BUREAU", kSiteFormalites, "/"},
    {"JEI", kSiteRecherche, "/cid5738/le-statut-de-la-jeune-entreprise-innovante-jei.html"},
    {"CIR", kSiteRecherche, "/cid20358/le-credit-d-impot-recherche-cir.html"},
    {"VESK", kSiteTechnopole, "/PageGe/CadreContenu.php3?IdCours=105"},
    {"TECHNO", kSiteCollectivite, "/"},
    {"ORV", kSiteEconomie, "/"},
    {"SELVO", kSiteRegional, "/"},
    {"SELVOGLOSSAIRE", kSiteProduit, "/glossaire/cadre.php3"},
    {"SELVOMONNAIES", kSiteProduit, "/monnaies/page.php3"},
    {"SELVOEXEMPLES", kSiteProduit, "/exemples/page.php3"},
}};

}  // namespace

std::string AdresseLienWeb(std::string_view motCle) {
    for (const auto& lien : kLiens) {
        if (lien.motCle == motCle) return std::string(lien.site) + std::string(lien.chemin);
    }
    return std::string(kSiteProduit) + "/";
}

void LienInternetOuvrir(Moteur& moteur, std::string_view adresse) {
    // The address that failed, so that the user can open it by hand.
    const std::string texte = platform::Utf8VersCp1252("Le programme n'a pas pu lancer le navigateur internet.") + "\r\n" +
                              platform::Utf8VersCp1252("Connectez vous manuellement à:") + "\r\n" + std::string(adresse);
    auto echec = [&moteur, texte] {
        // Also reached later from the event loop, when the launcher ends:
        // a box that cannot show ends there.
        try {
            if (auto* boite = moteur.Messages()) boite->Afficher(texte, platform::style::Ok | platform::style::Critique);
        } catch (...) {
        }
    };
    auto* navigateur = moteur.Declenchement().Configuration().navigateur;
    if (!navigateur) {
        echec();
        return;
    }
    navigateur->Ouvrir(platform::Cp1252VersUtf8(adresse), echec);
}

}  // namespace korv::engine
