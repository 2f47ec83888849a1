#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <string>

#include "engine/moteur.h"
#include "plan/arbre_plan.h"
#include "plan/textes_fenetres.h"
#include "plan/methode/etapes_methode.h"
#include "platform/cp1252.h"
#include "platform/url_opener_fake.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

// The fixed nodes, in order: key|text|parent|image (texts in UTF-8, the
// trailing blank of "tableau ANVAR " kept).
constexpr const char* kNoeudsFixes =
        "SOM|Corvanne Rarevive Zaru||9\n"
        "METMENU|Rédaction Rarevive Zaru|SOM|3\n"
        "METSOMMAIRE|Sommaire|METMENU|6\n"
        "TABSWOT|outil tableau SWOT|METAUTO.7|7\n"
        "TABRD|outil R&D, budget par étapes|METAUTO.423|7\n"
        "TABANVAR|outil R&D, tableau ANVAR |TABRD|7\n"
        "TABCONC|outil produits concurrents|METAUTO.342|7\n"
        "TABPLANACTION|outil calendrier du projet|METAUTO.5|7\n"
        "TABUNIT|outil coût de revient unitaire|METAUTO.433|7\n"
        "TABEFF|outil effectifs prévisionnels|METAUTO.61|7\n"
        "TDBPAC$2|outil plan d'action commercial|METAUTO.443|7\n"
        "TABREC01|outil prévisions résumées|METAUTO.11|7\n"
        "TABREC0605|outil budget des ventes|METAUTO.441|7\n"
        "OUTILS|Outils|METMENU|1\n"
        "LIENURL|Outils|OUTILS|6\n"
        "PREV|Dossier financier|SOM|4\n"
        "PREVISION|1. Prévisionnel|PREV|1\n"
        "VENTE|1.1. Ventes|PREVISION|7\n"
        "VENTEENC|1.1.1 Encaissement des ventes|VENTE|7\n"
        "ACHAT|1.2. Coût d'achat des ventes|PREVISION|7\n"
        "ACHATDEC|1.2.1. Décaissement des achats|ACHAT|7\n"
        "FDFRAIS|1.3. Frais généraux|PREVISION|7\n"
        "INVEST|1.4. Investissements|PREVISION|7\n"
        "AMORT|1.5. Amortissements|PREVISION|7\n"
        "EMP|1.6. Emprunts|PREVISION|7\n"
        "EMPDET|1.6.1. Remboursements|EMP|7\n"
        "PERSO|1.7. Personnel|PREVISION|7\n"
        "PERSODEC|1.7.1. Décaissement des salaires|PERSO|7\n"
        "BFR|1.8. Besoin en fond de roulement|PREVISION|7\n"
        "RESULTAT|1.9. Compte de résultat|PREVISION|7\n"
        "RESANA|1.9.1. Répartition analytique|RESULTAT|7\n"
        "FINANCE|1.10. Plan de financement|PREVISION|7\n"
        "TVA|1.11. T.V.A.|PREVISION|7\n"
        "TRESO|1.12. Trésorerie|PREVISION|7\n"
        "MNUTDB|2. Tableau de bord|PREV|1\n"
        "TDBVENTE|2.1. Ventes|MNUTDB|7\n"
        "TDBVENTEENC|2.1.1. Encaissement des ventes|TDBVENTE|7\n"
        "TDBVENTEDET|2.1.2. Suivi par produit|TDBVENTE|7\n"
        "TDBACHAT|2.2. Achats|MNUTDB|7\n"
        "TDBACHATDEC|2.2.1. Décaissement des achats|TDBACHAT|7\n"
        "TDBACHATDET|2.2.2. Suivi par produit|TDBACHAT|7\n"
        "TDBFRAIS|2.3. Frais généraux|MNUTDB|7\n"
        "TDBPERSO|2.4. Personnel|MNUTDB|7\n"
        "TDBPERSODEC|2.4.1. Décaissement du personnel|TDBPERSO|7\n"
        "TDBEXPLOIT|2.5. Compte d'exploitation|MNUTDB|7\n"
        "TDBEMP|2.5.1. Emprunts|TDBEXPLOIT|7\n"
        "TDBBFR|2.6. Suivi du plan de financement|MNUTDB|7\n"
        "TDBTRESO|2.7. Trésorerie|MNUTDB|7\n"
        "TDBTVA|2.7.1. T.V.A.|TDBTRESO|7\n"
        "TDBSYN|2.8. Synthèse|MNUTDB|7\n"
        "MNUOUTIL|3. Outils|PREV|1\n"
        "TDBPAC|Plan d'action commercial|MNUOUTIL|7\n"
        "TDBSEUIL|Seuil de rentabilité|MNUOUTIL|7\n"
        "TDBCOM|Suivi du carnet de commandes|MNUOUTIL|7\n"
        "TDBECH|Echéancier|MNUOUTIL|7\n"
        "BILDON$2|Analyse du bilan|MNUOUTIL|1\n"
        "BILDON|Saisie du bilan|BILDON$2|7\n"
        "BILANA|Analyse du bilan|BILDON$2|7\n"
        "RENTANA|Analyse de la rentabilité|BILDON$2|7\n"
        "EXPL|Exemples|SOM|5\n";

// The tree on the composed program's default method outline: the 60 fixed
// nodes exactly, and one node per step under "METMENU" or its parent step.
TEST(ArbrePlan, InstantaneDesNoeuds) {
    PiloteProgramme p;
    plan::MethodeEtapes& etapes = p.Programme().Etapes();
    if (etapes.NombreEtapes() == 0) etapes.MethodePlanDefautCreer();
    ASSERT_GT(etapes.NombreEtapes(), 0);
    const std::vector<plan::NoeudArbre> noeuds = p.Programme().ArbrePlan();

    std::string fixes;
    std::set<std::string> cles;
    int nEtapes = 0;
    for (const plan::NoeudArbre& n : noeuds) {
        EXPECT_TRUE(cles.insert(n.cle).second) << "key twice: " << n.cle;
        EXPECT_TRUE(n.parent.empty() || cles.count(n.parent)) << n.cle << " before its parent " << n.parent;
        if (n.cle.rfind("METAUTO.", 0) == 0) {
            ++nEtapes;
            const int i = etapes.NumeroEtape(n.cle.substr(8));
            ASSERT_GT(i, 0) << n.cle;
            const plan::EtapeMethode& e = etapes.Etape(i);
            EXPECT_EQ(n.image, e.NombreEnfants > 0 ? 1 : 6) << n.cle;
            EXPECT_EQ(n.parent, e.Parent == 0 ? std::string("METMENU") : "METAUTO." + etapes.Etape(e.Parent).Code)
                << n.cle;
            EXPECT_EQ(n.texte, etapes.EtapeNumeroTexte(i)) << n.cle;
            continue;
        }
        fixes += n.cle + "|" + platform::Cp1252VersUtf8(n.texte) + "|" + n.parent + "|" + std::to_string(n.image) + "\n";
    }
    EXPECT_EQ(fixes, kNoeudsFixes);
    // Step nodes read with their section numbers (chapter 3 renumbered);
    // unnumbered steps with their title alone.
    const std::pair<const char*, const char*> textes[] = {
        {"METAUTO.0", "Introduction"},
        {"METAUTO.1", "1. Présentation générale du projet"},
        {"METAUTO.32", "3.1. L'environnement"},
        {"METAUTO.321", "3.1.1. L'état de l'art de la technologie"},
        {"METAUTO.423", "4.2.3. Programme de R&D"},
    };
    for (const auto& [cle, texte] : textes) {
        const auto n = std::find_if(noeuds.begin(), noeuds.end(), [&](const plan::NoeudArbre& x) { return x.cle == cle; });
        ASSERT_NE(n, noeuds.end()) << cle;
        EXPECT_EQ(platform::Cp1252VersUtf8(n->texte), texte) << cle;
    }
    EXPECT_EQ(nEtapes, etapes.NombreEtapes());
    // The steps come between "Sommaire" and the first tool.
    ASSERT_GT(noeuds.size(), 4u);
    EXPECT_EQ(noeuds[3].cle.rfind("METAUTO.", 0), 0u);
    // Expanded pictures: the root and the three folders of the file.
    for (const plan::NoeudArbre& n : noeuds) {
        const int attendue = n.cle == "SOM" ? 10 : (n.cle == "PREVISION" || n.cle == "MNUTDB" || n.cle == "MNUOUTIL") ? 2 : 0;
        EXPECT_EQ(n.imageOuverte, attendue) << n.cle;
    }
}

TEST(ArbrePlan, CibleDesClics) {
    struct Cas {
        const char* cle;
        const char* etape;
        const char* cible;
    };
    const Cas cas[] = {
        {"TDBPAC$2", "", "TDBPAC"},     {"TDBPAC", "", "TDBPAC"},
        {"METAUTO.33", "33", "METSOUSMENU"}, {"METAUTO.12", "12", "TABIDENT"},
        {"METAUTO.5", "5", "METAUTOMET"},    {"METAUTO.1", "1", "METSOUSMENU1"},
        {"METAUTO.44", "44", "METSOUSMENU"}, {"LIENURL", "", "LIENURL"},
        {"VENTE", "12", "VENTE"},
    };
    for (const Cas& c : cas) EXPECT_EQ(plan::CibleNoeud(c.cle, c.etape), c.cible) << c.cle;
}

constexpr const char* kScene = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
page
object kind=fond name="TDBPAC" rect=0,0,9600,7200
page
object kind=fond name="TABIDENT" rect=0,0,9600,7200
page
object kind=fond name="METAUTOMET" rect=0,0,9600,7200
)S";

// Node clicks on the composed program: the page of the key, a step's page
// after the step became current, the web nodes through the address opener
// and its failure box; outside play nothing.
TEST(ArbrePlan, ClicsSurLeProgramme) {
    PiloteProgramme p;
    p.ChargerScene(kScene);
    p.ExecuterJusqua(100);
    if (p.Programme().Etapes().NombreEtapes() == 0) p.Programme().Etapes().MethodePlanDefautCreer();
    auto& r = p.Programme().Recepteur();
    struct Cas {
        const char* cle;
        int page;
    };
    const Cas cas[] = {{"TDBPAC$2", 2}, {"DEBUT", 1}, {"TDBPAC", 2}, {"METAUTO.12", 3}, {"METAUTO.5", 4}, {"SOM", 4}};
    for (const Cas& c : cas) {
        r.NoeudPlan(c.cle);
        p.ExecuterJusqua(p.Horloge().Maintenant() + 50);
        EXPECT_EQ(p.Moteur().jeu.PageCourante, c.page) << c.cle;
    }
    EXPECT_EQ(p.Programme().Etapes().EtapeCouranteCode(), "5");
    EXPECT_TRUE(p.Messages().messages.empty());
    // Changing the step is the guided method's own, and fails nowhere.
    EXPECT_EQ(p.JournalErreurs(), "");

    p.Navigateur().accepte = true;
    r.NoeudPlan("LIENURL");
    r.NoeudPlan("EXPL");
    EXPECT_EQ(p.Navigateur().ouvertes,
              (std::vector<std::string>{std::string(plan::kAdresseSite), std::string(plan::kAdresseExemples)}));
    p.Navigateur().Terminer(true);
    EXPECT_TRUE(p.Messages().messages.empty());
    const std::string echec = platform::Utf8VersCp1252("Le programme n'a pas pu lancer le navigateur internet.\r\n"
                                                       "Connectez vous manuellement à:\r\n") +
                              std::string(plan::kAdresseEditeur);
    // Nothing launched, or a launcher that ends with a failure once
    // started (no browser set up): the box, either way.
    p.Navigateur().accepte = false;
    r.NoeudPlan("LIENURL");
    ASSERT_EQ(p.Messages().messages.size(), 1u);
    EXPECT_EQ(p.Messages().messages.back().texte, echec);
    p.Navigateur().accepte = true;
    r.NoeudPlan("EXPL");
    EXPECT_EQ(p.Messages().messages.size(), 1u);
    p.Navigateur().Terminer(false);
    ASSERT_EQ(p.Messages().messages.size(), 2u);
    EXPECT_EQ(p.Messages().messages.back().texte, echec);
    EXPECT_EQ(p.Messages().messages.back().titre, platform::kTitreProduit);
    EXPECT_EQ(p.Messages().messages.back().style, platform::style::Ok + platform::style::Critique);
    p.Messages().messages.pop_back();

    // An opening that fails with an error ends the click quietly: no box,
    // nothing in ERROR.TXT, and the next click works.
    p.Navigateur().lance = true;
    r.NoeudPlan("EXPL");
    EXPECT_EQ(p.Messages().messages.size(), 1u);
    EXPECT_EQ(p.JournalErreurs(), "");
    p.Navigateur().lance = false;
    r.NoeudPlan("DEBUT");
    p.ExecuterJusqua(p.Horloge().Maintenant() + 50);
    EXPECT_EQ(p.Moteur().jeu.PageCourante, 1);
    r.NoeudPlan("METAUTO.5");
    p.ExecuterJusqua(p.Horloge().Maintenant() + 50);
    EXPECT_EQ(p.Moteur().jeu.PageCourante, 4);

    // Outside play a click does nothing.
    p.Moteur().jeu.ModeProgramme = 0;
    r.NoeudPlan("DEBUT");
    p.ExecuterJusqua(p.Horloge().Maintenant() + 50);
    EXPECT_EQ(p.Moteur().jeu.PageCourante, 4);
}

// The About box's link through the program: opened, or the failure box.
TEST(ArbrePlan, LienDeLaBoiteAPropos) {
    PiloteProgramme p;
    p.ChargerScene(kScene);
    p.ExecuterJusqua(100);
    auto& r = p.Programme().Recepteur();
    r.LienInternet(plan::kAdresseProduit);
    EXPECT_EQ(p.Navigateur().ouvertes, std::vector<std::string>{std::string(plan::kAdresseProduit)});
    EXPECT_TRUE(p.Messages().messages.empty());
    p.Navigateur().Terminer(false);  // no browser took it
    ASSERT_EQ(p.Messages().messages.size(), 1u);
    EXPECT_EQ(p.Messages().messages.back().texte.substr(0, 54),
              "Le programme n'a pas pu lancer le navigateur internet.");
    p.Navigateur().accepte = false;
    r.LienInternet(plan::kAdresseProduit);
    ASSERT_EQ(p.Messages().messages.size(), 2u);
    EXPECT_EQ(p.Messages().messages.back().texte.substr(0, 54),
              "Le programme n'a pas pu lancer le navigateur internet.");
    p.Navigateur().lance = true;
    r.LienInternet(plan::kAdresseProduit);
    EXPECT_EQ(p.Messages().messages.size(), 2u);
    EXPECT_EQ(p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::programme
