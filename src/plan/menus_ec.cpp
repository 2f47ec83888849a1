#include "plan/menus_ec.h"

#include <string>

#include "platform/cp1252.h"

namespace korv::plan {

namespace {

std::vector<ElementMenu> Construire() {
    using E = EtatMenu;
    struct Ligne {
        int niveau;
        std::string_view nom;
        std::string_view legende;  // UTF-8 here, Windows-1252 in the table
        EtatMenu etat = E::Normal;
    };
    const std::string quitterPlan = "Quitter" + std::string(32, ' ') + "Alt+F4";
    const Ligne lignes[] = {
        {1, "MnuFichier", "&Fichier"},
        {2, "MnuQuitter", "Quitter (Alt+F4)"},
        {1, "MnuEdition", "Editon"},
        {2, "MnuEditionAnnuler", "Impossible d'annuler", E::Inactif},
        {2, "dummy1", "-"},
        {2, "MnuEditionRechercheRemplace", "Rechercher/Remplacer"},
        {2, "dummy10", "-"},
        {2, "TableauRecalculReference", "Recompiler expressions et références"},
        {2, "TableauxRecalculerTous", "Recalculer tout"},
        {2, "MnuOrvCompileScripts", "Recompiler scripts"},
        {1, "MnuFenetres", "Fenêtres"},
        {2, "MnuAfficherBarreTitre", "Afficher barre de titre"},
        {1, "MnuJeu", "Jeu"},
        {2, "MnuJeuJouer", "Jouer    (F5)"},
        {2, "MnuJeuArreter", "Arrêter  (ESC)", E::Inactif},
        {2, "MnuJeuArreterSurCettePage", "Arrêter sur cette page (SHIFT+ESC)", E::Inactif},
        {1, "MnuCtx", "Menus contextuels", E::Cache},
        {2, "MnuCtxClick", ""},
        {1, "MnuOrvFichier", "Fichier"},
        {2, "Orvmnu1", "Nouveau plan d'affaires"},
        {2, "dummy2", "-"},
        {2, "OrvMnu2", "Ouvrir un plan d'affaires..."},
        {2, "OrvMnu4", "Enregistrer le plan d'affaires sous..."},
        {2, "OrvMnu5", "Enregistrer", E::Inactif},
        {2, "dummy3", "-"},
        {2, "OrvMnuExporter", "Exporter..."},
        {2, "MnuExporterPageRTF", "Exporter cette page au format RTF"},
        {2, "dummy4", "-"},
        {2, "OrvMnuConfigPrint", "Configuration de l'imprimante..."},
        {2, "MnuOrvImprimerPage", "Imprimer cette page", E::Inactif},
        {2, "OrvMnuImprimer", "Imprimer le plan d'affaires..."},
        {2, "dummy6", "-"},
        {2, "OrvMnu8", quitterPlan},
        {1, "MnuOrvEditer", "Edition"},
        {2, "MnuOrvCopier", "Copier"},
        {2, "MnuOrvColler", "Coller"},
        {1, "MnuOrvAffichage", "Affichage"},
        {2, "MnuOrvAfficherPlan", "Fenêtre plan"},
        {1, "MnuOrvAide", "?"},
        {2, "Orvmnu12", "A propos de Corvanne Rarevive Zaru"},
    };
    std::vector<ElementMenu> arbre;
    arbre.reserve(std::size(lignes));
    for (const Ligne& l : lignes) {
        arbre.push_back({l.niveau, std::string(l.nom), platform::Utf8VersCp1252(l.legende), l.etat});
    }
    return arbre;
}

}  // namespace

const std::vector<ElementMenu>& ArbreMenus() {
    static const std::vector<ElementMenu> arbre = Construire();
    return arbre;
}

std::string_view NomMenu(engine::Menu menu) noexcept {
    switch (menu) {
        case engine::Menu::Fichier: return "MnuFichier";
        case engine::Menu::Fenetres: return "MnuFenetres";
        case engine::Menu::Edition: return "MnuEdition";
        case engine::Menu::Jeu: return "MnuJeu";
        case engine::Menu::Aide: return "MnuOrvAide";
        case engine::Menu::FichierPlan: return "MnuOrvFichier";
        case engine::Menu::AfficherBarreTitre: return "MnuAfficherBarreTitre";
        case engine::Menu::ExporterPageRtf: return "MnuExporterPageRTF";
        case engine::Menu::ImprimerPage: return "MnuOrvImprimerPage";
        case engine::Menu::AfficherPlan: return "MnuOrvAfficherPlan";
    }
    return {};
}

}  // namespace korv::plan
