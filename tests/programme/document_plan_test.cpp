// Plan documents on the composed program: figures typed, saved, a new plan,
// the document opened again; the save question's answers; saves that fail
// at every byte; damaged documents refused without a change; the version
// word's questions; no message box under the progress window; where the
// dialogs start; a page's part saved and loaded by scripts; the bytes of
// the format's own cases.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "engine/demarrage.h"
#include "engine/moteur.h"
#include "engine/scripts_moteur.h"
#include "formula/variables.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"
#include "plan/document/document_plan.h"
#include "plan/etat_plan.h"
#include "plan/methode/etapes_methode.h"
#include "platform/binary_reader.h"
#include "platform/binary_writer.h"
#include "platform/cp1252.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;
namespace fs = std::filesystem;

// Page 1: grid G (an entry and its double), a rich text kept in the plan,
// buttons whose scripts save and load page 2's part and mark the plan
// changed. Page 2 ("AUTRE"): grid H with one entry.
constexpr const char* kScene = R"S(
scene
start text=<<FIN
DECLARE VU
QUE VU = 0
FIN
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,4800,900
  grid cols=2 rows=1
  column 1 width=2400
  column 2 width=2400
  row 1 height=450
  cell col=1 row=1 text="0"
  cell col=2 row=1 text="=DEBUT.G.Case[1,1]*2"
  attribute col=1 row=1 editable=-1 type=1
  attribute col=2 row=1 type=1 script="SUR RECALCCHANGE\r\nQUE VU = VU + 1"
object kind=rtf name="R" rect=600,2000,6000,1500 G3=2 text="{\\rtf1 texte de la scene}"
object kind=action name="SAUVE" A1=11 B3=1 text="QUE PASSEVALEUR = PAGESAUVE('AUTRE')"
object kind=bouton name="B1" rect=0,6000,1200,600 C1=1 D1=12632256
  element page=1 object=4 param=0 events=2
object kind=action name="CHARGE" A1=11 B3=1 text="QUE PASSEVALEUR = PAGECHARGE('AUTRE')"
object kind=bouton name="B2" rect=1500,6000,1200,600 C1=1 D1=12632256
  element page=1 object=6 param=0 events=2
object kind=action name="MODIFIE" A1=11 B3=1 text="CHANGESELVO"
object kind=bouton name="B3" rect=3000,6000,1200,600 C1=1 D1=12632256
  element page=1 object=8 param=0 events=2
page
object kind=fond name="AUTRE" rect=0,0,9600,7200
object kind=tableau name="H" rect=600,600,2400,450
  grid cols=1 rows=1
  column 1 width=2400
  row 1 height=450
  cell col=1 row=1 text="0"
  attribute col=1 row=1 editable=-1 type=1
)S";

std::string Lire(const fs::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

class DocumentPlanTest : public ::testing::Test {
protected:
    DocumentPlanTest() {
        p.Moteur().Plan().PlanAffaireInitialisations();
        p.ChargerScene(kScene);
        p.ExecuterJusquARepos();
    }
    grid::TableauClasse& G() { return *p.Programme().Grilles().Grille(1, 2); }
    grid::TableauClasse& H() { return *p.Programme().Grilles().Grille(2, 2); }
    std::string& R() { return p.Moteur().scene.Page(1).Objet(3).texte; }
    plan::DocumentPlan& D() { return p.Programme().Document(); }
    plan::EtatPlan& Etat() { return p.Programme().Plan(); }
    std::string Chemin(const char* nom) { return (fs::path(p.DossierProgramme()) / nom).string(); }
    void Saisir(const char* texte) {
        G().CaseUtilisateurChange(1, 1, texte, true);
        G().RecalculAvecInit();
        R() = std::string("{\\rtf1 ") + texte + "}";
        Etat().PlanAffaireModifieFixer(true);
    }
    void Clic(std::int64_t t, int x) {
        p.Clic(t, x, 6300);
        p.ExecuterJusqua(t + 100);
    }
    std::string Dernier() { return p.Messages().messages.empty() ? "" : p.Messages().messages.back().texte; }

    PiloteProgramme p;
};

TEST_F(DocumentPlanTest, SavedFiguresGoWithANewPlanAndComeBackRecalculatedWhenOpened) {
    const std::string chemin = Chemin("plan.tvr");
    Saisir("21");
    EXPECT_EQ(G().CaseResultatInterne(2, 1), "42");

    p.RepondreFichier(chemin);
    p.Programme().Recepteur().MenuFichier(plan::CommandeFichier::EnregistrerSous);
    ASSERT_TRUE(fs::exists(chemin));
    EXPECT_EQ(p.FenetreDocument().legende, "Corvanne Rarevive Zaru (" + chemin + ")");
    EXPECT_TRUE(p.FenetreDocument().enregistrerActif);
    EXPECT_FALSE(Etat().PlanAffaireModifie());
    EXPECT_EQ(Etat().NomFichierPlan, chemin);

    p.Programme().Recepteur().MenuFichier(plan::CommandeFichier::Nouveau);
    EXPECT_EQ(G().Case(1, 1)->Texte, "") << "the figures are gone";
    EXPECT_EQ(G().CaseResultatInterne(2, 1), "0");
    EXPECT_EQ(R(), "{\\rtf1 texte de la scene}") << "the scene's own text comes back";
    EXPECT_EQ(p.FenetreDocument().legende, "Corvanne Rarevive Zaru");
    EXPECT_FALSE(p.FenetreDocument().enregistrerActif);
    EXPECT_TRUE(Etat().NomFichierPlan.empty());

    p.RepondreFichier(chemin);
    p.Programme().Recepteur().MenuFichier(plan::CommandeFichier::Ouvrir);
    EXPECT_EQ(G().Case(1, 1)->Texte, "21");
    EXPECT_EQ(G().CaseResultatInterne(2, 1), "42") << "recalculated after the load";
    EXPECT_EQ(R(), "{\\rtf1 21}");
    EXPECT_EQ(Etat().NomFichierPlan, chemin);
    EXPECT_FALSE(Etat().PlanAffaireModifie());
    EXPECT_TRUE(p.Messages().messages.empty()) << Dernier();

    // "Enregistrer" then writes the same name without a question.
    Saisir("5");
    p.Programme().Recepteur().MenuFichier(plan::CommandeFichier::Enregistrer);
    EXPECT_TRUE(p.Messages().messages.empty()) << Dernier();
    EXPECT_EQ(Lire(chemin), D().Octets(0));
    EXPECT_FALSE(Etat().PlanAffaireModifie());
}

// A document's load is no user's edit: the grids' recalculation after it
// does not run the cells' RECALCCHANGE scripts.
TEST_F(DocumentPlanTest, TheRecalculationAfterALoadRunsNoChangeScripts) {
    const std::string chemin = Chemin("vu.tvr");
    Saisir("21");
    ASSERT_EQ(D().PlanAffaireEnregistrer(chemin, false, 0, false), plan::kEnregistre);
    D().PlanAffaireNouveau();
    auto& variables = p.Moteur().ScriptsDuMoteur().Variables();
    const std::string avant = variables.VarValeur("VU").EnTexte();
    ASSERT_NE(avant, "0") << "an edit runs the script";
    D().PlanAffaireOuvrir(chemin, false, 0);
    EXPECT_EQ(G().CaseResultatInterne(2, 1), "42");
    EXPECT_EQ(variables.VarValeur("VU").EnTexte(), avant);
    EXPECT_FALSE(D().ChargementPlanEnCours());
}

TEST_F(DocumentPlanTest, TheSaveQuestionsThreeAnswers) {
    const std::string chemin = Chemin("q.tvr");
    Saisir("3");
    // Yes: the dialog, then saved (before, the question came back forever).
    p.RepondreMessage(6);
    p.RepondreFichier(chemin);
    EXPECT_EQ(p.Moteur().Plan().DialogueFichierEnregistrerDemande(), plan::kEnregistre);
    EXPECT_TRUE(fs::exists(chemin));
    EXPECT_FALSE(Etat().PlanAffaireModifie());
    EXPECT_EQ(p.Messages().messages.size(), 1U);

    Saisir("4");
    p.RepondreMessage(7);
    EXPECT_EQ(p.Moteur().Plan().DialogueFichierEnregistrerDemande(), plan::kNonEnregistre);
    EXPECT_TRUE(Etat().PlanAffaireModifie());

    p.RepondreMessage(2);
    EXPECT_EQ(p.Moteur().Plan().DialogueFichierEnregistrerDemande(), plan::kAnnule);

    // Yes, the overwrite of the named file declined: the question again.
    p.RepondreMessage(6);
    p.RepondreMessage(7);
    p.RepondreMessage(2);
    EXPECT_EQ(p.Moteur().Plan().DialogueFichierEnregistrerDemande(), plan::kAnnule);
    EXPECT_NE(Dernier().find("Voulez-vous enregistrer"), std::string::npos);
    EXPECT_EQ(Lire(chemin), [&] {
        Saisir("3");
        return D().Octets(0);
    }()) << "the file kept what the first save wrote";
}

// Quitting a modified plan: "Oui" saves it once (the question used to come
// back without end) and the program ends; "Annuler" keeps it running.
TEST_F(DocumentPlanTest, QuittingAModifiedPlanAsksOnceAndSaves) {
    const std::string chemin = Chemin("fin.tvr");
    Saisir("6");
    p.RepondreMessage(2);
    EXPECT_FALSE(engine::Fin(p.Moteur(), false, true));
    EXPECT_FALSE(fs::exists(chemin));
    const std::size_t questions = p.Messages().messages.size();
    p.RepondreMessage(6);
    p.RepondreFichier(chemin);
    EXPECT_TRUE(engine::Fin(p.Moteur(), false, true));
    EXPECT_EQ(p.Messages().messages.size(), questions + 1) << "one question";
    EXPECT_EQ(Lire(chemin), D().Octets(0));
    EXPECT_FALSE(Etat().PlanAffaireModifie());
}

TEST_F(DocumentPlanTest, ASaveThatFailsAtAnyByteLeavesThePreviousDocumentWhole) {
    const std::string chemin = Chemin("sur.tvr");
    Saisir("7");
    p.RepondreFichier(chemin);
    ASSERT_EQ(D().PlanAffaireEnregistrer("", true, 0, true), plan::kEnregistre);
    const std::string avant = Lire(chemin);
    Saisir("8");
    const std::size_t taille = D().Octets(0).size();
    for (std::size_t k = 0; k < taille; ++k) {
        p.Fichiers().echecApres = k;
        p.Fichiers().ecrits = 0;
        const std::size_t messages = p.Messages().messages.size();
        p.RepondreMessage(1);  // the failure told, and read
        ASSERT_EQ(D().PlanAffaireEnregistrer(chemin, false, 0, false), plan::kAnnule) << k;
        ASSERT_EQ(Lire(chemin), avant) << k;
        ASSERT_EQ(p.Messages().messages.size(), messages + 1) << "the failure is told";
        ASSERT_TRUE(Etat().PlanAffaireModifie());
    }
    EXPECT_NE(Dernier().find(platform::Utf8VersCp1252("n'a pas pu être enregistré")), std::string::npos);
    EXPECT_NE(Dernier().find("\r\nLe disque est plein."), std::string::npos) << Dernier();
    std::size_t fichiers = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(p.DossierProgramme())) {
        if (e.path().filename().string().rfind(".sur.tvr", 0) == 0) ++fichiers;
    }
    EXPECT_EQ(fichiers, 0U) << "no temporary file is left behind";
    p.Fichiers().echecApres.reset();
    EXPECT_EQ(D().PlanAffaireEnregistrer(chemin, false, 0, false), plan::kEnregistre);
    EXPECT_EQ(Lire(chemin), D().Octets(0));
}

// An older plan is never overwritten, whatever follows its version word; a
// file of under four bytes holds none and is overwritten after the question.
TEST_F(DocumentPlanTest, AnOlderOrShortFileBeforeTheSave) {
    auto Version = [](std::int32_t v, std::size_t suite) {
        BinaryWriter w;
        w.i32(v);
        w.zeros(suite);
        return w.take();
    };
    const struct {
        const char* nom;
        std::string octets;
        bool refuse;
    } cas[] = {
        {"229 et son genre", Version(229, 2), true},
        {"229 seul, quatre octets", Version(229, 0), true},
        {"-1 seul", Version(-1, 0), true},
        {"deux octets", "ab", false},
        {"trois octets", std::string("\x2C\x01\x00", 3), false},
        {"300 seul", Version(300, 0), false},
    };
    Saisir("1");
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const std::string chemin = Chemin("existant.tvr");
        std::ofstream(chemin, std::ios::binary | std::ios::trunc) << c.octets;
        p.Messages().messages.clear();
        if (c.refuse) {
            EXPECT_EQ(D().PlanAffaireEnregistrer(chemin, false, 0, false), plan::kAnnule);
            EXPECT_EQ(Lire(chemin), c.octets) << "an older plan is never overwritten";
            ASSERT_FALSE(p.Messages().messages.empty());
            EXPECT_EQ(p.Messages().messages.front().texte.find(platform::Utf8VersCp1252("L'écrasement")), 0U);
        } else {
            p.RepondreMessage(6);
            EXPECT_EQ(D().PlanAffaireEnregistrer(chemin, false, 0, true), plan::kEnregistre);
            ASSERT_EQ(p.Messages().messages.size(), 1U);
            EXPECT_NE(p.Messages().messages.back().texte.find("existe"), std::string::npos);
            EXPECT_EQ(Lire(chemin), D().Octets(0));
        }
    }
}

// Every truncation of the document (except those that end the step section
// on a step boundary), huge and negative lengths, cells outside their grid,
// an unknown kind: refused, and the open plan unchanged.
TEST_F(DocumentPlanTest, DamagedDocumentsAreRefusedAndChangeNothing) {
    Saisir("9");
    const std::string bon = D().Octets(0);
    const plan::MethodeEtapes& etapes = p.Programme().Etapes();
    std::size_t pas = bon.size();
    std::vector<std::size_t> limites{pas};
    for (int i = etapes.NombreEtapes(); i >= 1; --i) {
        pas -= 10 + etapes.Etape(i).TexteRedige.size() + etapes.Etape(i).TitreRTF.size();
        limites.push_back(pas);
    }
    const std::size_t debutEtapes = pas;
    Saisir("11");
    const std::string texte = R();
    auto Inchange = [&](const std::string& cas) {
        EXPECT_EQ(G().Case(1, 1)->Texte, "11") << cas;
        EXPECT_EQ(R(), texte) << cas;
    };
    for (std::size_t n = 0; n < bon.size(); ++n) {
        if (std::find(limites.begin(), limites.end(), n) != limites.end()) continue;
        ASSERT_FALSE(D().Charger(bon.substr(0, n), 0).empty()) << n;
        Inchange("coupe a " + std::to_string(n));
    }
    // A section ending on a step boundary loads: later steps keep their defaults.
    EXPECT_EQ(D().Charger(bon.substr(0, debutEtapes), 0), "");
    EXPECT_EQ(G().Case(1, 1)->Texte, "9");
    Saisir("11");

    auto Remplace = [&](std::size_t pos, std::int32_t v, int taille) {
        std::string s = bon;
        for (int i = 0; i < taille; ++i) s[pos + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        return s;
    };
    // Offsets: header 8; G: 2 offsets, 2+1 folds, list A (1,1) "9"; R's text after G.
    const std::size_t listeA = 8 + 2 + 6;
    const std::size_t texteR = [&] {
        BinaryReader in(bon);
        in.skip(listeA);
        while (in.u8() != 0) {
            in.u8();
            (void)in.fileString();
        }
        for (int l = 0; l < 5; ++l) {
            for (std::uint8_t c = in.u8(); c != 0; c = in.u8()) {
                in.u8();
                if (l == 0) in.u8(), (void)in.fileString();
                if (l == 1) (void)in.fileString();
                if (l == 3) in.i32();
                if (l == 4) in.u8();
            }
        }
        return in.position();
    }();
    const struct {
        const char* nom;
        std::string octets;
    } cas[] = {
        {"longueur enorme", Remplace(texteR, 0x7FFFFFFF, 4)},
        {"longueur negative", Remplace(texteR, -5, 4)},
        {"colonne hors de la grille", Remplace(listeA, 3, 1)},
        {"ligne hors de la grille", Remplace(listeA + 1, 2, 1)},
        {"genre inconnu", Remplace(4, 3, 2)},
        {"genre inconnu 0", Remplace(4, 0, 2)},
        {"marque vu 2", Remplace(bon.size() - 2, 2, 2)},
        {"marque vu -2", Remplace(bon.size() - 2, -2, 2)},
        {"marque vu 32767", Remplace(bon.size() - 2, 32767, 2)},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(D().Charger(c.octets, 0), "Une erreur est survenue pendant le chargement") << c.nom;
        Inchange(c.nom);
    }
    // Through the open: the one message, nothing reset, the name unchanged.
    const std::string chemin = Chemin("abime.tvr");
    std::ofstream(chemin, std::ios::binary) << cas[0].octets;
    p.Messages().messages.clear();
    D().PlanAffaireOuvrir(chemin, false, 0);
    ASSERT_EQ(p.Messages().messages.size(), 1U);
    EXPECT_EQ(Dernier(), "Une erreur est survenue pendant le chargement");
    EXPECT_EQ(p.Messages().messages.back().titre, "Corvanne Rarevive Zaru");
    Inchange("ouverture");
    EXPECT_TRUE(Etat().NomFichierPlan.empty());
    EXPECT_TRUE(Etat().PlanAffaireModifie());
    EXPECT_FALSE(D().ChargementPlanEnCours());
    // A missing file says so and is not created.
    D().PlanAffaireOuvrir(Chemin("absent.tvr"), false, 0);
    EXPECT_EQ(Dernier(), "Le fichier '" + Chemin("absent.tvr") + "' est introuvable.");
    EXPECT_FALSE(fs::exists(Chemin("absent.tvr")));
}

// The version word of a document: today's opens without a word; 2.0 and
// 2.1 are refused; every other version not converted asks whether to open
// it. "Non" leaves the plan as it was; "Oui" reads 230 (with its two boxes)
// and 250 as today's documents, and refuses 0 to 20.
TEST_F(DocumentPlanTest, EachVersionWordAsksOrNotThenLoadsOrNot) {
    Saisir("21");
    const std::string bon = D().Octets(0);
    const std::string question = platform::Utf8VersCp1252(
        "Votre fichier a été réalisé avec une version précédente du QBP.\r\n"
        "Voulez vous l'ouvrir sous la nouvelle version QBP 3.2 ?");
    const std::string inconnue = "Version de fichier inconnue, ouverture impossible.";
    const std::string taux = "TRES IMPORTANT: Votre taux de charge patronale";
    const std::string conseil = platform::Utf8VersCp1252("TRES IMPORTANT: Après avoir suivi nos recommandations");
    constexpr int kAucune = 0, kOui = 6, kNon = 7;
    const struct {
        std::int32_t version;
        int reponse;
        std::vector<std::string> debuts;  // of the messages shown, in order
        bool lu;
    } cas[] = {
        {300, kAucune, {}, true},
        {250, kOui, {question}, true},
        {250, kNon, {question}, false},
        {230, kOui, {question, taux, conseil}, true},
        {230, kNon, {question}, false},
        {301, kOui, {question}, true},
        {1, kOui, {question, inconnue}, false},
        {3, kOui, {question, inconnue}, false},
        {1, kNon, {question}, false},
        {0, kOui, {question, inconnue}, false},
        {-1, kOui, {question, inconnue}, false},
        {20, kOui, {question, inconnue}, false},
        {2, kAucune, {inconnue}, false},
        {21, kAucune, {inconnue}, false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(std::to_string(c.version) + " " + std::to_string(c.reponse));
        Saisir("11");
        Etat().PlanAffaireModifieFixer(false);
        std::string octets = bon;
        for (int i = 0; i < 4; ++i) octets[static_cast<std::size_t>(i)] = static_cast<char>((c.version >> (8 * i)) & 0xFF);
        const std::string chemin = Chemin("version.tvr");
        std::ofstream(chemin, std::ios::binary | std::ios::trunc) << octets;
        p.Messages().messages.clear();
        if (c.reponse != kAucune) p.RepondreMessage(c.reponse);
        D().PlanAffaireOuvrir(chemin, false, 0);
        std::vector<std::string> debuts;
        for (std::size_t i = 0; i < p.Messages().messages.size(); ++i) {
            const std::string& texte = p.Messages().messages[i].texte;
            debuts.push_back(i < c.debuts.size() ? texte.substr(0, c.debuts[i].size()) : texte);
        }
        EXPECT_EQ(debuts, c.debuts);
        if (!c.debuts.empty() && c.debuts.front() == question) {
            EXPECT_EQ(p.Messages().messages.front().style, platform::style::OuiNon | platform::style::Question);
        }
        EXPECT_EQ(G().Case(1, 1)->Texte, c.lu ? "21" : "11");
        EXPECT_EQ(R(), c.lu ? "{\\rtf1 21}" : "{\\rtf1 11}");
        EXPECT_EQ(Etat().NomFichierPlan, c.lu ? chemin : "");
        EXPECT_FALSE(p.FenetreAffichage().progressionOuverte);
        EXPECT_FALSE(D().ChargementPlanEnCours());
        Etat().NomFichierPlan.clear();
    }
}

// The progress window stays over any other window: no message box of an
// open, a save or a new plan is shown while it is open.
TEST_F(DocumentPlanTest, NoMessageBoxIsShownUnderTheProgressWindow) {
    Saisir("21");
    const std::string bon = D().Octets(0);
    std::vector<std::string> caches;
    p.Messages().observateur = [&](const platform::MessageAffiche& m) {
        if (p.FenetreAffichage().progressionOuverte) caches.push_back(m.texte);
    };
    auto Ouvrir = [&](const std::string& octets) {
        const std::string chemin = Chemin("ouvert.tvr");
        std::ofstream(chemin, std::ios::binary | std::ios::trunc) << octets;
        D().PlanAffaireOuvrir(chemin, false, 0);
    };
    auto Version = [&](std::int32_t v) {
        std::string s = bon;
        for (int i = 0; i < 4; ++i) s[static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
        return s;
    };
    std::mt19937 hasard(20261211);
    auto Hasard = [&](std::size_t n, std::int32_t version) {
        BinaryWriter w;
        w.i32(version);
        for (std::size_t i = 4; i < n; ++i) w.u8(static_cast<std::uint8_t>(hasard()));
        return w.take();
    };
    const struct {
        const char* nom;
        std::function<void()> action;
    } cas[] = {
        {"octets au hasard", [&] { Ouvrir(Hasard(3000, static_cast<std::int32_t>(hasard()))); }},
        {"octets au hasard, version 300", [&] { Ouvrir(Hasard(3000, 300)); }},
        {"octets au hasard, version 250", [&] { Ouvrir(Hasard(3000, 250)); }},
        {"octets au hasard, version 22", [&] { Ouvrir(Hasard(3000, 22)); }},
        {"fichier coupe", [&] { Ouvrir(bon.substr(0, bon.size() / 2)); }},
        {"version 230", [&] { Ouvrir(Version(230)); }},
        {"version 1", [&] { Ouvrir(Version(1)); }},
        {"partie pour un plan complet", [&] { Ouvrir(D().Octets(2)); }},
        {"enregistrement en echec", [&] {
             p.Fichiers().echecApres = 10;
             p.Fichiers().ecrits = 0;
             (void)D().PlanAffaireEnregistrer(Chemin("echec.tvr"), false, 0, false);
             p.Fichiers().echecApres.reset();
         }},
        {"nouveau plan", [&] {
             Etat().NomFichierPlan.clear();
             Etat().PlanAffaireModifieFixer(true);
             p.RepondreMessage(6);
             p.RepondreFichier(Chemin("nouveau.tvr"));
             p.Programme().Recepteur().MenuFichier(plan::CommandeFichier::Nouveau);
         }},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        caches.clear();
        p.Messages().messages.clear();
        p.FenetreAffichage().progression.clear();
        c.action();
        EXPECT_FALSE(p.Messages().messages.empty()) << "a message";
        EXPECT_EQ(caches, std::vector<std::string>{});
        EXPECT_FALSE(p.FenetreAffichage().progressionOuverte);
    }
    // After the boxes of a 230 document the window comes back for the recalculation.
    p.FenetreAffichage().progression.clear();
    Ouvrir(Version(230));
    const auto& progression = p.FenetreAffichage().progression;
    const auto retour = std::find(progression.begin() + 1, progression.end(), "ouvre Chargement d'un plan d'affaire");
    ASSERT_NE(retour, progression.end());
    EXPECT_NE(std::find(retour, progression.end(), "100"), progression.end());
}

// The dialogs start where the user last was: at first where the program
// starts them; "Enregistrer sous" at the plan's own file; after an open or
// a save, in the folder of that file.
TEST_F(DocumentPlanTest, TheDialogsStartInTheLastFolderUsed) {
    const fs::path a = fs::path(p.DossierProgramme()) / "a";
    const fs::path b = fs::path(p.DossierProgramme()) / "b";
    fs::create_directories(a);
    fs::create_directories(b);
    const std::string planA = (a / "plan.tvr").string();
    const std::string planB = (b / "autre.tvr").string();
    Saisir("2");
    const struct {
        const char* nom;
        plan::CommandeFichier commande;
        std::optional<std::string> reponse;
        std::string repertoire;
        std::string nomInitial;
    } cas[] = {
        {"premier ouvrir", plan::CommandeFichier::Ouvrir, std::nullopt, "", ""},
        {"premier enregistrer sous", plan::CommandeFichier::EnregistrerSous, planA, "", ""},
        {"sous, le plan nomme", plan::CommandeFichier::EnregistrerSous, std::nullopt, a.string(), planA},
        {"ouvrir apres l'enregistrement", plan::CommandeFichier::Ouvrir, planB, a.string(), ""},
        {"ouvrir apres l'ouverture", plan::CommandeFichier::Ouvrir, std::nullopt, b.string(), ""},
        {"sous, le plan ouvert", plan::CommandeFichier::EnregistrerSous, std::nullopt, b.string(), planB},
        {"nouveau", plan::CommandeFichier::Nouveau, std::nullopt, "", ""},
        {"sous, sans nom", plan::CommandeFichier::EnregistrerSous, std::nullopt, b.string(), ""},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        if (c.reponse == planB) fs::copy_file(planA, planB, fs::copy_options::overwrite_existing);
        Etat().PlanAffaireModifieFixer(false);
        const std::size_t appels = p.Dialogues().appels.size();
        p.RepondreFichier(c.reponse);
        p.Programme().Recepteur().MenuFichier(c.commande);
        if (c.commande == plan::CommandeFichier::Nouveau) {
            EXPECT_EQ(p.Dialogues().appels.size(), appels);
            p.Dialogues().reponses.clear();
            continue;
        }
        ASSERT_EQ(p.Dialogues().appels.size(), appels + 1);
        const platform::DemandeFichier& d = p.Dialogues().appels.back().demande;
        EXPECT_EQ(d.RepertoireInitial, c.repertoire);
        EXPECT_EQ(d.NomFichier, c.nomInitial);
    }
    EXPECT_TRUE(p.Messages().messages.empty()) << Dernier();
}

TEST_F(DocumentPlanTest, ScriptsSaveAndLoadOnePagesPartAndMarkThePlanChanged) {
    const std::string chemin = Chemin("partie.tvr");
    H().CaseUtilisateurChange(1, 1, "12", true);
    p.RepondreFichier(chemin);
    Clic(100, 600);  // PAGESAUVE('AUTRE')
    const std::string octets = Lire(chemin);
    ASSERT_GE(octets.size(), 8U);
    BinaryReader in(octets);
    EXPECT_EQ(in.i32(), 300);
    EXPECT_EQ(in.i16(), 2) << "a part";
    EXPECT_EQ(in.i16(), 2) << "of page 2";
    EXPECT_EQ(octets.size(), 8U + 2 + 2 * 2 + 1 + 1 + 4 + 2 + 1 + 5) << "H's record alone";

    H().CaseUtilisateurChange(1, 1, "99", true);
    Etat().PlanAffaireModifieFixer(false);
    p.RepondreFichier(chemin);
    Clic(300, 2100);  // PAGECHARGE('AUTRE')
    EXPECT_EQ(H().Case(1, 1)->Texte, "12");
    EXPECT_TRUE(Etat().PlanAffaireModifie()) << "a part load changes the plan";
    EXPECT_TRUE(Etat().NomFichierPlan.empty());

    // A whole plan is not a part.
    const std::string complet = Chemin("complet.tvr");
    ASSERT_EQ(D().PlanAffaireEnregistrer(complet, false, 0, false), plan::kEnregistre);
    H().CaseUtilisateurChange(1, 1, "1", true);
    p.RepondreFichier(complet);
    Clic(500, 2100);
    EXPECT_EQ(Dernier(), "Ce fichier est une sauvegarde d'un plan d'affaire complet");
    EXPECT_EQ(H().Case(1, 1)->Texte, "1");

    Etat().PlanAffaireModifieFixer(false);
    Clic(700, 3600);  // CHANGESELVO
    EXPECT_TRUE(Etat().PlanAffaireModifie());
}

// The format's own cases, byte for byte.
TEST(DocumentPlanFormat, TheFormatsOwnCases) {
    PiloteProgramme p;
    p.Moteur().Plan().PlanAffaireInitialisations();
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=rtf name="LIBRE" rect=0,0,600,600 text="non garde"
page
object kind=fond name="chargeV2" rect=0,0,9600,7200
object kind=rtf name="T" rect=0,0,600,600 G3=2 text="jamais"
)S");
    p.ExecuterJusquARepos();
    plan::DocumentPlan& d = p.Programme().Document();
    const plan::MethodeEtapes& e = p.Programme().Etapes();
    ASSERT_EQ(e.NombreEtapes(), 45);
    std::size_t k = 0;
    for (int i = 1; i <= e.NombreEtapes(); ++i) k += 4 + e.Etape(i).TexteRedige.size() + 4 + e.Etape(i).TitreRTF.size() + 2;
    const std::string plan = d.Octets(0);
    EXPECT_EQ(plan.size(), 8 + k) << "no grids, no kept texts: the header and the steps; CHARGEV2 skipped";
    EXPECT_EQ(plan.substr(0, 8), std::string("\x2C\x01\x00\x00\x01\x00\x00\x00", 8));
    EXPECT_EQ(d.Charger(plan, 0), "") << "and skipped when read";
    // A part of the CHARGEV2 page holds no page record.
    EXPECT_EQ(d.Octets(2), std::string("\x2C\x01\x00\x00\x02\x00\x02\x00", 8));
}

TEST(DocumentPlanFormat, AnEmptyGridAnEmptyTextAndTheBildonPart) {
    PiloteProgramme p;
    p.Moteur().Plan().PlanAffaireInitialisations();
    p.ChargerScene(R"S(
scene
page
object kind=fond name="BILDON" rect=0,0,9600,7200
object kind=rtf name="T" rect=0,0,600,600 G3=2 text=""
object kind=tableau name="G" rect=0,0,2400,900
  grid cols=3 rows=2
page
object kind=fond name="RENTANA" rect=0,0,9600,7200
object kind=rtf name="U" rect=0,0,600,600 G3=2 text="u"
page
object kind=fond name="BILANA" rect=0,0,9600,7200
object kind=rtf name="V" rect=0,0,600,600 G3=2 text="vv"
)S");
    p.ExecuterJusquARepos();
    plan::DocumentPlan& d = p.Programme().Document();
    const std::string partie = d.Octets(1);
    // Its offsets (1, 1), five fold flags, six empty lists.
    const std::string grille = std::string("\x01\x01", 2) + std::string(2 * 3 + 2 * 2, '\0') + std::string(6, '\0');
    const std::string attendu = std::string("\x2C\x01\x00\x00\x02\x00\x01\x00", 8) + std::string(4, '\0') + grille +
                                std::string("\x02\x00\x00\x00vv", 6) + std::string("\x01\x00\x00\x00u", 5);
    EXPECT_EQ(partie, attendu) << "BILDON, then BILANA, then RENTANA; an empty text is 00 00 00 00";
    EXPECT_EQ(d.Charger(partie, 1), "");
    // Write, read, write: the same bytes.
    const std::string plan = d.Octets(0);
    EXPECT_EQ(d.Charger(plan, 0), "");
    EXPECT_EQ(d.Octets(0), plan);
}

}  // namespace
}  // namespace korv::programme
