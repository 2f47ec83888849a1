#include "plan/arbre_plan.h"

#include <array>

#include "plan/methode/etapes_methode.h"
#include "platform/cp1252.h"

namespace korv::plan {

namespace {

struct Fixe {
    std::string_view cle, texte, parent;  // texte in UTF-8 here
    int image;
    int imageOuverte = 0;
};

// Nodes 1 to 3, before the steps.
constexpr std::array<Fixe, 3> kDebut{{
    {"SOM", "Corvanne Rarevive Zaru", "", 9, 10},
    {"METMENU", "Rédaction Rarevive Zaru", "SOM", 3},
    {"METSOMMAIRE", "Sommaire", "METMENU", 6},
}};

// Nodes 4 to 60, after the steps.
constexpr std::array<Fixe, 57> kSuite{{
    {"TABSWOT", "outil tableau SWOT", "METAUTO.7", 7},
    {"TABRD", "outil R&D, budget par étapes", "METAUTO.423", 7},
    {"TABANVAR", "outil R&D, tableau ANVAR ", "TABRD", 7},
    {"TABCONC", "outil produits concurrents", "METAUTO.342", 7},
    {"TABPLANACTION", "outil calendrier du projet", "METAUTO.5", 7},
    {"TABUNIT", "outil coût de revient unitaire", "METAUTO.433", 7},
    {"TABEFF", "outil effectifs prévisionnels", "METAUTO.61", 7},
    {"TDBPAC$2", "outil plan d'action commercial", "METAUTO.443", 7},
    {"TABREC01", "outil prévisions résumées", "METAUTO.11", 7},
    {"TABREC0605", "outil budget des ventes", "METAUTO.441", 7},
    {"OUTILS", "Outils", "METMENU", 1},
    {"LIENURL", "Outils", "OUTILS", 6},
    {"PREV", "Dossier financier", "SOM", 4},
    {"PREVISION", "1. Prévisionnel", "PREV", 1, 2},
    {"VENTE", "1.1. Ventes", "PREVISION", 7},
    {"VENTEENC", "1.1.1 Encaissement des ventes", "VENTE", 7},
    {"ACHAT", "1.2. Coût d'achat des ventes", "PREVISION", 7},
    {"ACHATDEC", "1.2.1. Décaissement des achats", "ACHAT", 7},
    {"FDFRAIS", "1.3. Frais généraux", "PREVISION", 7},
    {"INVEST", "1.4. Investissements", "PREVISION", 7},
    {"AMORT", "1.5. Amortissements", "PREVISION", 7},
    {"EMP", "1.6. Emprunts", "PREVISION", 7},
    {"EMPDET", "1.6.1. Remboursements", "EMP", 7},
    {"PERSO", "1.7. Personnel", "PREVISION", 7},
    {"PERSODEC", "1.7.1. Décaissement des salaires", "PERSO", 7},
    {"BFR", "1.8. Besoin en fond de roulement", "PREVISION", 7},
    {"RESULTAT", "1.9. Compte de résultat", "PREVISION", 7},
    {"RESANA", "1.9.1. Répartition analytique", "RESULTAT", 7},
    {"FINANCE", "1.10. Plan de financement", "PREVISION", 7},
    {"TVA", "1.11. T.V.A.", "PREVISION", 7},
    {"TRESO", "1.12. Trésorerie", "PREVISION", 7},
    {"MNUTDB", "2. Tableau de bord", "PREV", 1, 2},
    {"TDBVENTE", "2.1. Ventes", "MNUTDB", 7},
    {"TDBVENTEENC", "2.1.1. Encaissement des ventes", "TDBVENTE", 7},
    {"TDBVENTEDET", "2.1.2. Suivi par produit", "TDBVENTE", 7},
    {"TDBACHAT", "2.2. Achats", "MNUTDB", 7},
    {"TDBACHATDEC", "2.2.1. Décaissement des achats", "TDBACHAT", 7},
    {"TDBACHATDET", "2.2.2. Suivi par produit", "TDBACHAT", 7},
    {"TDBFRAIS", "2.3. Frais généraux", "MNUTDB", 7},
    {"TDBPERSO", "2.4. Personnel", "MNUTDB", 7},
    {"TDBPERSODEC", "2.4.1. Décaissement du personnel", "TDBPERSO", 7},
    {"TDBEXPLOIT", "2.5. Compte d'exploitation", "MNUTDB", 7},
    {"TDBEMP", "2.5.1. Emprunts", "TDBEXPLOIT", 7},
    {"TDBBFR", "2.6. Suivi du plan de financement", "MNUTDB", 7},
    {"TDBTRESO", "2.7. Trésorerie", "MNUTDB", 7},
    {"TDBTVA", "2.7.1. T.V.A.", "TDBTRESO", 7},
    {"TDBSYN", "2.8. Synthèse", "MNUTDB", 7},
    {"MNUOUTIL", "3. Outils", "PREV", 1, 2},
    {"TDBPAC", "Plan d'action commercial", "MNUOUTIL", 7},
    {"TDBSEUIL", "Seuil de rentabilité", "MNUOUTIL", 7},
    {"TDBCOM", "Suivi du carnet de commandes", "MNUOUTIL", 7},
    {"TDBECH", "Echéancier", "MNUOUTIL", 7},
    {"BILDON$2", "Analyse du bilan", "MNUOUTIL", 1},
    {"BILDON", "Saisie du bilan", "BILDON$2", 7},
    {"BILANA", "Analyse du bilan", "BILDON$2", 7},
    {"RENTANA", "Analyse de la rentabilité", "BILDON$2", 7},
    {"EXPL", "Exemples", "SOM", 5},
}};

void Ajouter(std::vector<NoeudArbre>& noeuds, const Fixe& f) {
    noeuds.push_back({std::string(f.cle), platform::Utf8VersCp1252(f.texte), std::string(f.parent), f.image,
                      f.imageOuverte});
}

// `PlanArbreAjouteEtapes`: the step, then its sub-steps in table order.
void AjouterEtape(std::vector<NoeudArbre>& noeuds, const MethodeEtapes& etapes,
                  const std::function<std::string(int)>& numeroTexte, int i, const std::string& parent, int profondeur) {
    const EtapeMethode& e = etapes.Etape(i);
    std::string cle = std::string(kPrefixeEtape) + e.Code;
    if (e.NombreEnfants <= 0) {
        noeuds.push_back({cle, numeroTexte(i), parent, 6, 0});
        return;
    }
    noeuds.push_back({cle, numeroTexte(i), parent, 1, 0});
    // A step table whose parents loop is no tree: its depth stops it.
    if (profondeur > etapes.NombreEtapes()) return;
    for (int j = 1; j <= etapes.NombreEtapes(); ++j) {
        if (etapes.Etape(j).Parent == i) AjouterEtape(noeuds, etapes, numeroTexte, j, cle, profondeur + 1);
    }
}

}  // namespace

std::vector<NoeudArbre> PlanArbreRemplir(const MethodeEtapes& etapes,
                                         const std::function<std::string(int)>& numeroTexte) {
    std::vector<NoeudArbre> noeuds;
    for (const Fixe& f : kDebut) Ajouter(noeuds, f);
    for (int i = 1; i <= etapes.NombreEtapes(); ++i) {
        if (etapes.Etape(i).Parent == 0) AjouterEtape(noeuds, etapes, numeroTexte, i, "METMENU", 0);
    }
    for (const Fixe& f : kSuite) Ajouter(noeuds, f);
    return noeuds;
}

std::string CibleNoeud(std::string_view cle, std::string_view codeEtape) {
    if (cle == "TDBPAC$2") return "TDBPAC";
    if (cle.substr(0, kPrefixeEtape.size()) != kPrefixeEtape) return std::string(cle);
    if (codeEtape == "12") return "TABIDENT";
    if (codeEtape == "1") return "METSOUSMENU1";
    for (std::string_view c : {"2", "3", "4", "6", "32", "33", "34", "42", "43", "44"}) {
        if (codeEtape == c) return "METSOUSMENU";
    }
    return "METAUTOMET";
}

}  // namespace korv::plan
