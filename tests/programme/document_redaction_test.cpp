// Plan documents and typed texts together on the composed program: rich
// texts typed into the edit box and the writing box survive a save, a new
// plan and an open; an edit still open when the user saves or quits is
// taken first; an open while the writing box is shown gives it the loaded
// text.

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "engine/demarrage.h"
#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"
#include "plan/barre_rtf.h"
#include "plan/document/document_plan.h"
#include "plan/etat_plan.h"
#include "programme/pilote_programme.h"
#include "rtf/lecteur.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;
namespace fs = std::filesystem;

// Page 1: grid G (one entry cell), a rich text kept in the plan (RICHE).
// Page 2: NOTES, a rich text kept in the plan under the writing box.
const char* const kScene = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,4800,450
  grid cols=2 rows=1
  column 1 width=2400
  column 2 width=2400
  row 1 height=450
  cell col=1 row=1 text="0"
  attribute col=1 row=1 editable=-1 type=1 bg=16777215
  attribute col=2 row=1 type=1 bg=16777215
object kind=rtf name="RICHE" rect=600,1500,8400,1200 G3=2 text=<<FIN
{\rtf1\ansi\deff0{\fonttbl{\f0 Arial;}}\pard\plain\f0\fs24 Un texte\par}
FIN
page
object kind=fond name="ECRIRE" rect=0,0,9600,7200
object kind=rtf name="NOTES" rect=600,600,8400,2700 G3=2 text=<<FIN
{\rtf1\ansi\deff0{\fonttbl{\f0 Arial;}}\pard\plain\f0\fs24 Mes notes\par}
FIN
object kind=action name="PANNEAU" A1=16 text="ECRIRE,NOTES"
  element page=2 object=2 param=0 events=0
)S";

rtf::Document Lu(const std::string& texte) {
    auto lu = rtf::LireRtf(texte);
    EXPECT_TRUE(lu.document) << lu.erreur;
    return lu.document ? *lu.document : rtf::Document{};
}

std::string Brut(const std::string& rtf) { return rtf::TexteUtf8(Lu(rtf).TexteBrut()); }

// The bold characters of a rich text (UTF-8).
std::string Gras(const std::string& rtf) {
    std::string gras;
    for (const auto& p : Lu(rtf).paragraphes) {
        for (const auto& m : p.morceaux) {
            if (m.format.gras) gras += rtf::TexteUtf8(m.texte);
        }
    }
    return gras;
}

class DocumentRedaction : public ::testing::Test {
protected:
    DocumentRedaction() {
        p.Moteur().Plan().PlanAffaireInitialisations();
        p.Polices().familles = {{"Arial", false}};
        p.ChargerScene(kScene);
        p.ExecuterJusquARepos();
    }
    void Avancer() {
        t_ += 50;
        p.ExecuterJusqua(t_);
    }
    void Clic(int x, int y) {
        t_ += 10;
        p.Clic(t_, x, y);
        Avancer();
    }
    void Page(int page) {
        engine::SauteALaPage(p.Moteur(), page);
        p.ExecuterJusquARepos();
        t_ = p.Horloge().Maintenant();
    }
    // Selects cell (1, 1) of G and types the figures by replacement, the
    // box left open.
    void TaperCase(std::string_view chiffres) {
        Clic(1800, 825);
        for (char k : chiffres) {
            p.Frappe(t_, k, k);
            Avancer();
        }
    }
    // Opens the edit box over RICHE and types at its end, `gras` in bold.
    void TaperRiche(const char* texte, const char* gras) {
        Clic(1500, 1650);
        ASSERT_TRUE(p.BoiteEdition().visible);
        auto& riche = p.BoiteEditionRiche();
        p.BoiteEdition().PrendreFocus();
        riche.FocusDonner();
        riche.SelectionFixer(riche.Longueur(), 0);
        riche.Taper(texte);
        riche.Taper(gras);
        const int n = static_cast<int>(std::string_view(gras).size());
        riche.SelectionFixer(riche.Longueur() - n, n);
        p.Programme().Barres().GrasMouseDown(1);
    }
    grid::TableauClasse& G() { return *p.Programme().Grilles().Grille(1, 2); }
    const std::string& Riche() { return p.Moteur().scene.Page(1).Objet(3).texte; }
    const std::string& Notes() { return p.Moteur().scene.Page(2).Objet(2).texte; }
    plan::DocumentPlan& D() { return p.Programme().Document(); }
    std::string Chemin(const char* nom) { return (fs::path(p.DossierProgramme()) / nom).string(); }
    void Menu(plan::CommandeFichier c) { p.Programme().Recepteur().MenuFichier(c); }

    PiloteProgramme p;
    std::int64_t t_ = 100;
};

TEST_F(DocumentRedaction, RichTextsTypedInBothBoxesSurviveASaveANewPlanAndAnOpen) {
    const std::string chemin = Chemin("textes.tvr");
    TaperRiche(" \xe9t\xe9 \xe0 \xe7" "a \x80 ", "gras");
    ASSERT_TRUE(p.BoiteEdition().Touche(13, 0));
    ASSERT_EQ(Brut(Riche()), "Un texte été à ça € gras");

    Page(2);
    auto& boite = p.Redaction().boite;
    ASSERT_TRUE(p.Redaction().visible);
    boite.FocusDonner();
    boite.SelectionFixer(boite.Longueur(), 0);
    boite.Taper(" \xe0 relire, \x80 re\xe7u");
    boite.SelectionFixer(4, 5);
    p.Programme().Barres().GrasMouseDown(0);

    p.RepondreFichier(chemin);
    Menu(plan::CommandeFichier::EnregistrerSous);
    ASSERT_TRUE(fs::exists(chemin));
    EXPECT_EQ(Brut(Notes()), "Mes notes à relire, € reçu") << "the writing box is stored by the save";

    Menu(plan::CommandeFichier::Nouveau);
    EXPECT_EQ(Brut(Riche()), "Un texte");
    EXPECT_EQ(Brut(Notes()), "Mes notes");
    // A new plan starts on the first page; back on the writing page, the box
    // shows the new plan's text.
    Page(2);
    EXPECT_EQ(boite.Texte(), "Mes notes") << "the box shows the new plan's text";

    p.RepondreFichier(chemin);
    Menu(plan::CommandeFichier::Ouvrir);
    EXPECT_EQ(Brut(Riche()), "Un texte été à ça € gras");
    EXPECT_EQ(Gras(Riche()), "gras");
    EXPECT_EQ(Brut(Notes()), "Mes notes à relire, € reçu");
    EXPECT_EQ(Gras(Notes()), "notes");
    Page(2);
    ASSERT_TRUE(p.Redaction().visible);
    EXPECT_EQ(boite.Texte(), "Mes notes \xe0 relire, \x80 re\xe7u") << "the box takes the loaded text";
    EXPECT_TRUE(p.Messages().messages.empty());
    EXPECT_EQ(p.JournalErreurs(), "");
}

// The writing box shown while a document opens takes the document's text,
// not what it held before (which would overwrite the load when stored).
TEST_F(DocumentRedaction, AnOpenWhileTheWritingBoxIsShownGivesItTheLoadedText) {
    const std::string chemin = Chemin("notes.tvr");
    Page(2);
    auto& boite = p.Redaction().boite;
    boite.FocusDonner();
    boite.SelectionFixer(0, 0);
    boite.Taper("Sauv\xe9 ");
    ASSERT_EQ(D().PlanAffaireEnregistrer(chemin, false, 0, false), plan::kEnregistre);
    boite.SelectionFixer(0, 0);
    boite.Taper("Perdu ");
    p.RepondreMessage(7);  // not saved
    p.RepondreFichier(chemin);
    Menu(plan::CommandeFichier::Ouvrir);
    EXPECT_EQ(boite.Texte(), "Sauv\xe9 Mes notes");
    EXPECT_EQ(Brut(Notes()), "Sauvé Mes notes");
    Page(1);
    EXPECT_EQ(Brut(Notes()), "Sauvé Mes notes") << "leaving the page stores the loaded text back";
}

// What the user typed without ending the edit goes into the document the
// File menu or the quit question saves.
TEST_F(DocumentRedaction, AnEditStillOpenIsTakenIntoTheSavedDocument) {
    struct Cas {
        const char* nom;
        bool quitter;
    };
    for (const Cas c : {Cas{"Enregistrer sous", false}}) {
        SCOPED_TRACE(c.nom);
        PiloteProgramme& q = p;
        const std::string cellule = Chemin(c.quitter ? "case_fin.tvr" : "case.tvr");
        const std::string texte = Chemin(c.quitter ? "texte_fin.tvr" : "texte.tvr");
        D().PlanAffaireNouveau();

        TaperCase("37");
        ASSERT_TRUE(q.BoiteEdition().visible);
        q.RepondreFichier(cellule);
        if (c.quitter) {
            q.RepondreMessage(6);
            EXPECT_TRUE(engine::Fin(q.Moteur(), false, true));
        } else {
            Menu(plan::CommandeFichier::EnregistrerSous);
        }
        EXPECT_FALSE(q.BoiteEdition().visible);

        D().PlanAffaireNouveau();
        TaperRiche(" \xe0 garder", "");
        ASSERT_TRUE(q.BoiteEdition().visible);
        q.RepondreFichier(texte);
        if (c.quitter) {
            q.RepondreMessage(6);
            EXPECT_TRUE(engine::Fin(q.Moteur(), false, true));
        } else {
            Menu(plan::CommandeFichier::EnregistrerSous);
        }

        D().PlanAffaireNouveau();
        ASSERT_EQ(G().Case(1, 1)->Texte, "");
        D().PlanAffaireOuvrir(cellule, false, 0);
        EXPECT_EQ(G().Case(1, 1)->Texte, "37");
        D().PlanAffaireOuvrir(texte, false, 0);
        EXPECT_EQ(Brut(Riche()), "Un texte à garder");
    }
    EXPECT_EQ(p.JournalErreurs(), "");
}

// The edit box over a rich text it cannot read says so once and shows it
// empty; an edit ended untouched leaves the text as it was, what is typed
// replaces it.
TEST_F(DocumentRedaction, ARichTextTheEditBoxCannotReadIsKeptUnlessTyped) {
    const std::string abime = "{\\rtf1\\ansi Perdu " + std::string(300, '{') + "x" + std::string(300, '}') + "}";
    p.Moteur().scene.Page(1).Objet(3).texte = abime;
    Clic(1500, 1650);
    ASSERT_TRUE(p.BoiteEdition().visible);
    ASSERT_EQ(p.Messages().messages.size(), 1u);
    EXPECT_EQ(p.Messages().messages[0].texte, "Impossible de lire le fichier RTF");
    EXPECT_EQ(p.BoiteEditionRiche().Texte(), "");
    ASSERT_TRUE(p.BoiteEdition().Touche(13, 0));
    EXPECT_FALSE(p.BoiteEdition().visible);
    EXPECT_EQ(Riche(), abime);

    TaperRiche("Neuf", "");
    EXPECT_EQ(p.Messages().messages.size(), 2u) << "said again for the new edit";
    ASSERT_TRUE(p.BoiteEdition().Touche(13, 0));
    EXPECT_EQ(Brut(Riche()), "Neuf");
}

// A page-number field put into the writing box by a button changes the plan
// as typing does: quitting asks to save, and the saved plan keeps the field.
TEST(DocumentRedactionChamp, APageNumberFieldPutByAButtonIsSavedOnQuit) {
    const char* const scene = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=rtf name="ENTETE" rect=600,3000,8400,900 G3=2 text=<<FIN
{\rtf1\ansi\deff0{\fonttbl{\f0 Arial;}}\pard\plain\f0\fs24 Page \par}
FIN
object kind=action name="PANNEAU" A1=16 text="DEBUT,ENTETE"
  element page=1 object=2 param=0 events=0
object kind=action name="CHAMP" A1=11 B3=1 text="QUE PASSEVALEUR = AJOUTENUMEROPAGE(1)"
object kind=bouton name="B" rect=600,600,1200,600 C1=1 D1=12632256
  element page=1 object=4 param=0 events=2
)S";
    PiloteProgramme p;
    p.Moteur().Plan().PlanAffaireInitialisations();
    p.Polices().familles = {{"Arial", false}};
    p.ChargerScene(scene);
    p.ExecuterJusquARepos();
    const std::string chemin = (fs::path(p.DossierProgramme()) / "champ.tvr").string();
    auto& boite = p.Redaction().boite;
    ASSERT_TRUE(p.Redaction().visible);
    ASSERT_FALSE(p.Programme().Plan().PlanAffaireModifie());
    boite.SelectionFixer(5, 0);
    p.Clic(p.Horloge().Maintenant() + 10, 900, 900);
    p.ExecuterJusqua(p.Horloge().Maintenant() + 200);
    ASSERT_EQ(boite.Texte(), "Page <#NUMERO DE PAGE>");
    EXPECT_TRUE(p.Programme().Plan().PlanAffaireModifie());

    p.RepondreMessage(6);
    p.RepondreFichier(chemin);
    p.Programme().Recepteur().MenuQuitter();
    EXPECT_EQ(p.Messages().messages.size(), 1u) << "the save question";
    EXPECT_TRUE(p.Messages().reponses.empty());
    EXPECT_TRUE(p.Dialogues().reponses.empty());
    EXPECT_EQ(p.JournalErreurs(), "");
    ASSERT_TRUE(fs::exists(chemin));
    // Another run of the program opens the saved plan.
    PiloteProgramme q;
    q.Moteur().Plan().PlanAffaireInitialisations();
    q.ChargerScene(scene);
    q.ExecuterJusquARepos();
    q.Programme().Document().PlanAffaireOuvrir(chemin, false, 0);
    EXPECT_EQ(Brut(q.Moteur().scene.Page(1).Objet(2).texte), "Page <#NUMERO DE PAGE>");
}

}  // namespace
}  // namespace korv::programme
