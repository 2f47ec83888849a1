// Documents of the program's 2.x versions opened on the composed program: a
// small handmade 2.2 document through "Ouvrir un plan d'affaires...", its
// figures on today's pages and recalculated, the scene's conversion script
// run on its own cell, the converted plan's name and state; PAGECHARGE,
// part saves, versions 2.0 and 2.1 and damaged documents told and refused.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "formula/variables.h"
#include "engine/demarrage.h"
#include "engine/moteur.h"
#include "engine/scripts_moteur.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"
#include "plan/document/chargeur_ancien.h"
#include "plan/document/document_plan.h"
#include "plan/etat_plan.h"
#include "plan/methode/etapes_methode.h"
#include "platform/binary_writer.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;
namespace fs = std::filesystem;

// VENTE: a figure and its double, a kept text, a button whose script loads
// the part of NOUVELLE. NOUVELLE: a page no old document knows. CHARGEV2:
// the scratch grid and the conversion grid, whose cells count the events
// they receive (units on cell (1, 2), hundreds and thousands elsewhere).
constexpr const char* kScene = R"S(
scene
start text=<<FIN
DECLARE CONV
QUE CONV = 0
FIN
page
object kind=fond name="VENTE" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,4800,450
  grid cols=2 rows=1
  column 1 width=2400
  column 2 width=2400
  row 1 height=450
  cell col=1 row=1 text="0"
  cell col=2 row=1 text="=VENTE.G.Case[1,1]*2"
  attribute col=1 row=1 editable=-1 type=1
  attribute col=2 row=1 type=1
object kind=rtf name="T" rect=600,2000,6000,1500 G3=2 text="{\\rtf1 texte de la scene}"
object kind=action name="CHARGE" A1=11 B3=1 text="QUE PASSEVALEUR = PAGECHARGE('NOUVELLE')"
object kind=bouton name="B1" rect=0,6000,1200,600 C1=1 D1=12632256
  element page=1 object=4 param=0 events=2
page
object kind=fond name="NOUVELLE" rect=0,0,9600,7200
object kind=tableau name="H" rect=600,600,2400,450
  grid cols=1 rows=1
  column 1 width=2400
  row 1 height=450
  cell col=1 row=1 text="0"
  attribute col=1 row=1 editable=-1 type=1
page
object kind=fond name="CHARGEV2" rect=0,0,9600,7200
object kind=tableau name="DUMMY" rect=0,0,1200,450
  grid cols=1 rows=1
  column 1 width=1200
  row 1 height=450
object kind=tableau name="Objetid2" rect=0,600,2400,900
  grid cols=2 rows=2
  column 1 width=1200
  column 2 width=1200
  row 1 height=450
  row 2 height=450
  attribute col=1 row=2 script="SUR CHARGEV2\r\nQUE CONV = CONV + 1"
  attribute col=1 row=1 script="SUR CHARGEV2\r\nQUE CONV = CONV + 100"
  attribute col=2 row=1 script="SUR CHARGEV2\r\nQUE CONV = CONV + 1000"
)S";

// A document of `version` written from the 2.2 layout: every grid record
// empty but for the entries `entrees` gives its cell (1, 1) ("NAME k" for
// item k of the entry), every rich text "{\rtf1 NAME k}", then 45 steps.
std::string Lire(const fs::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

std::string DocumentAncien(std::int32_t version, std::int16_t genre,
                           const std::map<std::string, std::string>& entrees) {
    BinaryWriter w;
    w.i32(version);
    w.i16(genre);
    w.i16(0);
    for (const plan::EntreeAncienne& e : plan::EntreesD22()) {
        int k = 0;
        for (const plan::ElementAncien& x : e.elements) {
            const std::string nom = e.nom + " " + std::to_string(++k);
            if (x.genre == plan::GenreElementAncien::Texte) {
                w.fileString("{\\rtf1 " + nom + "}");
                continue;
            }
            w.u8(1);
            w.u8(1);
            w.zeros(2 * (std::size_t{x.colonnes} + x.lignes));
            if (const auto it = entrees.find(nom); it != entrees.end()) {
                w.u8(1);
                w.u8(1);
                w.fileString(it->second);
            }
            w.zeros(5);
            if (version > 22) w.u8(0);
        }
    }
    for (int i = 1; i <= 45; ++i) {
        w.fileString(i == 45 ? "{\\rtf1 redige}" : "");
        w.fileString("");
        w.i16(0);
    }
    return w.take();
}

class DocumentAncienTest : public ::testing::Test {
protected:
    DocumentAncienTest() {
        p.Moteur().Plan().PlanAffaireInitialisations();
        p.ChargerScene(kScene);
        p.ExecuterJusquARepos();
        // The plan open before: a figure on each page, saved.
        G().CaseUtilisateurChange(1, 1, "7", true);
        H().CaseUtilisateurChange(1, 1, "8", true);
        Etat().PlanAffaireModifieFixer(false);
        p.Messages().messages.clear();
    }
    grid::TableauClasse& G() { return *p.Programme().Grilles().Grille(1, 2); }
    grid::TableauClasse& H() { return *p.Programme().Grilles().Grille(2, 2); }
    std::string& T() { return p.Moteur().scene.Page(1).Objet(3).texte; }
    plan::EtatPlan& Etat() { return p.Programme().Plan(); }
    std::string Conversions() { return p.Moteur().ScriptsDuMoteur().Variables().VarValeur("CONV").EnTexte(); }
    std::string Ecrire(const char* nom, const std::string& octets) {
        const std::string chemin = (fs::path(p.DossierProgramme()) / nom).string();
        std::ofstream(chemin, std::ios::binary) << octets;
        return chemin;
    }
    void Ouvrir(const std::string& chemin) {
        p.RepondreFichier(chemin);
        p.Programme().Recepteur().MenuFichier(plan::CommandeFichier::Ouvrir);
    }
    std::vector<std::string> Messages() {
        std::vector<std::string> v;
        for (const auto& m : p.Messages().messages) v.push_back(m.texte);
        return v;
    }

    PiloteProgramme p;
};

const std::string kBoite22 =
    "Vous lisez un fichier SELVO version 2.2\r\nIl sera converti au format de la version 2.3\r\n"
    "lors du prochain enregistrement.\r\n\r\nSi vous aviez saisi le haut de bilan d'ouverture\r\n"
    "vous pouvez d\xE9sormais compl\xE9ter le bas\r\ndu bilan.";

TEST_F(DocumentAncienTest, AVersion22DocumentOpenedFromTheMenuIsConverted) {
    const std::string chemin = Ecrire("ancien.tvr", DocumentAncien(22, 1, {{"VENTE 1", "21"}}));
    p.FenetreAffichage().progression.clear();
    Ouvrir(chemin);
    EXPECT_EQ(Messages(), std::vector<std::string>{kBoite22});
    EXPECT_EQ(p.Messages().messages.front().titre, "Corvanne Rarevive Zaru");
    EXPECT_EQ(G().Case(1, 1)->Texte, "21");
    EXPECT_EQ(G().CaseResultatInterne(2, 1), "42") << "recalculated after the conversion";
    EXPECT_EQ(T(), "{\\rtf1 VENTE 2}");
    EXPECT_EQ(H().Case(1, 1)->Texte, "") << "the plan open before is gone from every page";
    EXPECT_EQ(p.Programme().Etapes().Etape(45).TexteRedige, "{\\rtf1 redige}");
    EXPECT_EQ(Conversions(), "1") << "the conversion event, on cell (1, 2) alone";
    EXPECT_EQ(Etat().NomFichierPlan, chemin);
    EXPECT_EQ(p.FenetreDocument().legende, "Corvanne Rarevive Zaru (" + chemin + ")");
    EXPECT_TRUE(p.FenetreDocument().enregistrerActif);
    EXPECT_TRUE(Etat().PlanAffaireModifie()) << "converted: to be saved in today's version";
    EXPECT_FALSE(p.Programme().Document().ChargementPlanEnCours());
    const auto& progression = p.FenetreAffichage().progression;
    ASSERT_FALSE(progression.empty());
    EXPECT_EQ(progression.front(), "ouvre Chargement d'un plan d'affaire");
    EXPECT_EQ(progression.back(), "ferme");
    EXPECT_NE(std::find(progression.begin(), progression.end(), "50"), progression.end());
    EXPECT_NE(std::find(progression.begin(), progression.end(), "100"), progression.end());

    // Saved under a new name it is today's document, and opens as saved.
    const std::string nouveau = (fs::path(p.DossierProgramme()) / "converti.tvr").string();
    p.RepondreFichier(nouveau);
    p.Programme().Recepteur().MenuFichier(plan::CommandeFichier::EnregistrerSous);
    EXPECT_FALSE(Etat().PlanAffaireModifie());
    G().CaseUtilisateurChange(1, 1, "3", true);
    Etat().PlanAffaireModifieFixer(true);
    p.Messages().messages.clear();
    p.RepondreMessage(7);  // not saved before the open
    Ouvrir(nouveau);
    EXPECT_EQ(G().Case(1, 1)->Texte, "21");
    EXPECT_EQ(T(), "{\\rtf1 VENTE 2}");
    EXPECT_EQ(Messages().size(), 1u) << "the save question alone: no conversion";
    EXPECT_EQ(Conversions(), "1");
    EXPECT_FALSE(Etat().PlanAffaireModifie());
}

// Refused old documents: their message, after the 2.2 box where the version
// is one the program converts; the plan, its name and state unchanged.
TEST_F(DocumentAncienTest, OldDocumentsItCannotTakeAreToldAndChangeNothing) {
    const std::string bon = DocumentAncien(22, 1, {{"VENTE 1", "21"}});
    const std::string erreur = "Une erreur est survenue pendant le chargement";
    const struct {
        const char* nom;
        std::string octets;
        std::vector<std::string> messages;
    } cas[] = {
        {"partie", DocumentAncien(22, 2, {}),
         {kBoite22,
          "Ce fichier est une sauvegarde partielle d'un plan d'affaire\r\n"
          "La version TOVRA 2.3 ne charge que les sauvegardes compl\xE8tes du SELVO 2.2"}},
        {"version 2.0", DocumentAncien(2, 1, {}), {"Version de fichier inconnue, ouverture impossible."}},
        {"version 2.1", DocumentAncien(21, 1, {}), {"Version de fichier inconnue, ouverture impossible."}},
        {"coupe dans les pages", bon.substr(0, bon.size() / 2), {kBoite22, erreur}},
        {"coupe avant le genre", bon.substr(0, 5), {kBoite22, erreur}},
        {"genre inconnu", DocumentAncien(22, 3, {}), {kBoite22, erreur}},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.nom);
        p.Messages().messages.clear();
        Ouvrir(Ecrire("refuse.tvr", k.octets));
        EXPECT_EQ(Messages(), k.messages);
        EXPECT_EQ(G().Case(1, 1)->Texte, "7");
        EXPECT_EQ(H().Case(1, 1)->Texte, "8");
        EXPECT_EQ(T(), "{\\rtf1 texte de la scene}");
        EXPECT_EQ(Conversions(), "0");
        EXPECT_TRUE(Etat().NomFichierPlan.empty());
        EXPECT_FALSE(Etat().PlanAffaireModifie());
        EXPECT_FALSE(p.Programme().Document().ChargementPlanEnCours());
    }
}

// A converted plan is saved in a new file: "Enregistrer" and the quit
// question's "Oui" say that the older file is kept and show the save dialog
// at its name; the older file stays byte for byte. (The quit question used
// to come back without end, and "Oui" could never save.)
TEST_F(DocumentAncienTest, AConvertedPlanIsSavedInANewFileAndTheOlderOneKept) {
    const std::string ancien = DocumentAncien(22, 1, {{"VENTE 1", "21"}});
    const std::string chemin = Ecrire("ancien.tvr", ancien);
    Ouvrir(chemin);
    ASSERT_TRUE(Etat().PlanAffaireModifie());
    const std::string refus =
        "L'\xE9" "crasement d'un fichier .tvr de version ant\xE9rieure \xE0 la version actuelle est interdit.";
    const std::string question = "Voulez-vous enregistrer les modifications apport\xE9" "es au fichier '" + chemin + "' ?";

    // "Enregistrer", the dialog cancelled: nothing written.
    p.Messages().messages.clear();
    p.Dialogues().appels.clear();
    p.Programme().Recepteur().MenuFichier(plan::CommandeFichier::Enregistrer);
    EXPECT_EQ(Messages(), std::vector<std::string>{refus});
    ASSERT_EQ(p.Dialogues().appels.size(), 1U);
    EXPECT_TRUE(p.Dialogues().appels[0].enregistrer);
    EXPECT_EQ(p.Dialogues().appels[0].demande.NomFichier, chemin);
    EXPECT_TRUE(Etat().PlanAffaireModifie());
    EXPECT_EQ(Etat().NomFichierPlan, chemin);

    // Quitting: "Oui", the box, the dialog; saved, and the program ends.
    const std::string nouveau = (fs::path(p.DossierProgramme()) / "nouveau.tvr").string();
    p.Messages().messages.clear();
    p.RepondreMessage(6);
    p.RepondreFichier(nouveau);
    EXPECT_TRUE(engine::Fin(p.Moteur(), false, true));
    EXPECT_EQ(Messages(), (std::vector<std::string>{question, refus}));
    EXPECT_EQ(Etat().NomFichierPlan, nouveau);
    EXPECT_FALSE(Etat().PlanAffaireModifie());
    EXPECT_EQ(Lire(chemin), ancien);
    EXPECT_EQ(Lire(nouveau), p.Programme().Document().Octets(0));
}

// PAGECHARGE of a 2.2 document, whatever its kind: the complete-plan box.
TEST_F(DocumentAncienTest, APartLoadOfAnOldDocumentIsRefused) {
    std::int64_t t = 100;
    for (const std::int16_t genre : {std::int16_t{1}, std::int16_t{2}}) {
        SCOPED_TRACE(genre);
        p.Messages().messages.clear();
        p.RepondreFichier(Ecrire("partie.tvr", DocumentAncien(22, genre, {{"VENTE 1", "21"}})));
        p.Clic(t, 600, 6300);
        p.ExecuterJusqua(t + 100);
        t += 200;
        EXPECT_EQ(Messages(),
                  (std::vector<std::string>{kBoite22, "Ce fichier est une sauvegarde d'un plan d'affaire complet"}));
        EXPECT_EQ(G().Case(1, 1)->Texte, "7");
        EXPECT_EQ(H().Case(1, 1)->Texte, "8");
        EXPECT_EQ(Conversions(), "0");
        EXPECT_FALSE(Etat().PlanAffaireModifie());
    }
}

}  // namespace
}  // namespace korv::programme
