// The method's pages built for the current step on the composed program:
// menu pages list the step's sub-steps with their titles and seen marks,
// automatic pages read the step's texts from the files beside the scene
// folder (named as a scene names them: drive, upper case, "\"), cut the
// learn-more text into its menu and its sections, fold the tabs of the
// texts the step lacks, and the method-text boxes are hidden, placed and
// emptied as pages change.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "display/fenetre.h"
#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "engine/recherche.h"
#include "engine/texte_casse.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"
#include "plan/methode/etapes_methode.h"
#include "programme/pilote_programme.h"
#include "rtf/lecteur.h"

#include <QImage>

namespace korv::programme {
namespace {

namespace fs = std::filesystem;
using testsupport::PiloteProgramme;

constexpr const char* kScene = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
page
object kind=fond name="METMENU" rect=0,0,9600,7200
object kind=texte name="METTITRE" rect=600,300,8400,400 text="ancien"
object kind=texte name="INVISTEXT1" rect=600,900,8400,400
object kind=texte name="INVISTEXT2" rect=600,1500,8400,400
object kind=texte name="INVISLIGN12" rect=600,2100,8400,400 G4=3
page
object kind=fond name="METSOUSMENU" rect=0,0,9600,7200
object kind=texte name="METTITRE" rect=600,300,8400,400
object kind=texte name="MetTitreEnfant" rect=600,700,8400,400
object kind=texte name="METTITREENFANTFOND" rect=600,700,8400,400 G4=3
object kind=texte name="INVISTEXT1" rect=600,1200,8400,400
object kind=texte name="INVISTEXT2" rect=600,1600,8400,400
object kind=texte name="INVISTEXT3" rect=600,2000,8400,400
object kind=texte name="INVISTEXT4" rect=600,2400,8400,400
object kind=texte name="INVISTEXT5" rect=600,2800,8400,400 text="garde"
object kind=image name="INVISVUES1" rect=300,1200,300,300
object kind=image name="INVISVUES2" rect=300,1600,300,300
object kind=image name="INVISLIGN5" rect=300,2800,300,300
object kind=image name="INVISSANSNUMERO" rect=300,3200,300,300 G4=7
object kind=image name="VUPASVU" rect=9000,300,300,300
object kind=action name="COCHE" A1=11 B3=1 text="QUE PASSEVALEUR = CHANGEVUPASVU()"
object kind=bouton name="B" rect=0,6000,1200,600 C1=1 D1=12632256
  element page=3 object=15 param=0 events=2
object kind=rtf name="TITREMETAUTOSOUS1" rect=600,4400,8400,400 G3=2
page
object kind=fond name="METAUTOMET" rect=0,0,9600,7200
object kind=texte name="METTITRE" rect=600,300,8400,400
object kind=rtf name="TEXTEMET" rect=600,900,8400,3000
object kind=tableau name="ONGLETAUTO" rect=600,6300,8400,600
  grid cols=7 rows=2
object kind=image name="VUPASVU" rect=9000,300,300,300
object kind=rtf name="REDACTION" rect=600,4000,8400,1500
object kind=action name="PANNEAU" A1=16 text="METAUTO"
  element page=4 object=6 param=0 events=0
page
object kind=fond name="METAUTOSAV" rect=0,0,9600,7200
object kind=rtf name="TEXTEMET" rect=600,900,8400,3000
object kind=rtf name="MENUSAV" rect=600,4200,8400,1500
page
object kind=fond name="METAUTOEXP" rect=0,0,9600,7200
object kind=rtf name="TEXTEMET" rect=600,900,8400,3000 text="{\\rtf1 avant}"
page
object kind=fond name="METAUTOTXT" rect=0,0,9600,7200
object kind=rtf name="TEXTEMET" rect=600,900,8400,3000 file="X.RTF"
page
object kind=fond name="EXPLICGENERIQUE" rect=0,0,9600,7200
object kind=texte name="EXPLICTITRE" rect=600,300,8400,400
object kind=rtf name="TEXTEMET" rect=600,900,8400,3000
page
object kind=fond name="PANNEAULU" rect=0,0,9600,7200
object kind=rtf name="R" rect=600,900,8400,3000
object kind=action name="PANNEAU" A1=16 A3=2 text="PANNEAULU,R"
  element page=9 object=2 param=0 events=0
page
object kind=fond name="PANNEAUHORS" rect=0,0,9600,7200
object kind=action name="PANNEAU" A1=16 text="METAUTO"
  element page=10 object=99 param=0 events=0
page
object kind=fond name="PANNEAUVIDE" rect=0,0,9600,7200
object kind=action name="PANNEAU" A1=16 text="METAUTO"
)S";

enum Page {
    kDebut = 1,
    kMenu,
    kSousMenu,
    kAutoMet,
    kAutoSav,
    kAutoExp,
    kAutoTxt,
    kAide,
    kPanneauLu,
    kPanneauHors,
    kPanneauVide
};

class MethodePages : public ::testing::Test {
protected:
    MethodePages() : racine_(p.DossierProgramme()) {
        Ecrire("boulertf.txt", "{\\b *}");
        Ecrire("TEXTES/V21/MET42.RTF", "{\\rtf1 Strat\\'e9gie produit}");
        Ecrire("TEXTES/V21/sav42.rtf",
               "{\\rtf1 (boule) Les prix\\par (boule) Les brevets\\'a4\\par Prix\\'a4\\par Brevets}");
        Ecrire("TEXTES/Aide/42.rtf", "{\\rtf1 Aide du 42}");
        // Nested deeper than any text the reader takes.
        Ecrire("TEXTES/V21/MET7.RTF", "{\\rtf1 " + std::string(300, '{'));
        fs::create_directories(racine_ / "IMAGES" / "Tableau");
        for (const char* image : {"vu.bmp", "PASVU.BMP", "Vu01.bmp", "PASVU01.BMP"}) {
            const fs::path chemin = racine_ / "IMAGES" / "Tableau" / image;
            QImage(4, 4, QImage::Format_RGB32).save(QString::fromStdString(chemin.string()), "BMP");
        }
        fs::create_directories(racine_ / "scene");
        p.Moteur().Plan().PlanAffaireInitialisations();  // as the start-up does
        p.ChargerScene(kScene);
        // The scene folder as a loaded scene names it.
        std::string dossier = "C:" + engine::MajusculeCp1252((racine_ / "scene").string());
        for (char& c : dossier) c = c == '/' ? '\\' : c;
        p.Moteur().scene.entete.repertoireScene = dossier + "\\";
        p.ExecuterJusquARepos();
    }
    void Ecrire(const fs::path& relatif, const std::string& octets) {
        fs::create_directories((racine_ / relatif).parent_path());
        std::ofstream(racine_ / relatif, std::ios::binary) << octets;
    }
    void Aller(const char* code, int page) {
        p.Moteur().Plan().MethodeChanger(code);
        engine::SauteALaPage(p.Moteur(), page);
        p.ExecuterJusquARepos();
        ASSERT_EQ(p.Moteur().jeu.PageCourante, page);
    }
    engine::ObjetPage& Objet(int page, std::string_view nom) {
        return p.Moteur().scene.Page(page).Objet(engine::NumeroObjet(p.Moteur().scene, page, nom));
    }
    plan::MethodeEtapes& Etapes() { return p.Programme().Etapes(); }
    std::string Titre(const char* code) { return Etapes().EtapeNumeroTexte(Etapes().NumeroEtape(code)); }
    // The path, as the platform resolves it, relative to the test's folder.
    std::string Relatif(const std::string& nom) {
        std::string n = nom;
        const std::string base = engine::MajusculeCp1252(racine_.string());
        std::string prefixe = "C:" + base;
        for (char& c : prefixe) c = c == '/' ? '\\' : c;
        if (engine::MajusculeCp1252(n).rfind(prefixe, 0) == 0) n = n.substr(prefixe.size());
        return n;
    }

    PiloteProgramme p;
    fs::path racine_;
};

// A tagged text as shown: its tags dropped (the display adds its own layout
// tags in front when it shows the object); "bold" when it holds <Gras1>.
std::string Tags(const std::string& t) {
    std::string r = t.find("<Gras1>") != std::string::npos ? "bold:" : "";
    bool dans = false;
    for (const char c : t) {
        if (c == '<') dans = true;
        if (!dans) r += c;
        if (c == '>') dans = false;
    }
    return r;
}

std::string Brut(const std::string& rtfTexte) {
    const auto lu = rtf::LireRtf(rtfTexte);
    return lu.document ? rtf::TexteUtf8(lu.document->TexteBrut()) : std::string("<illisible>");
}

TEST_F(MethodePages, TheMainMenuListsTheTenChaptersAndHidesNoLine) {
    Aller("", kMenu);
    EXPECT_EQ(Tags(Objet(kMenu, "METTITRE").texte), "") << "no current step: no title";
    EXPECT_EQ(Tags(Objet(kMenu, "INVISTEXT1").texte), "bold:" + Titre("0"));
    EXPECT_EQ(Tags(Objet(kMenu, "INVISTEXT2").texte), "bold:" + Titre("1"));
    EXPECT_EQ(Objet(kMenu, "INVISLIGN12").G[3], 3) << "the main menu's lines keep their condition";
}

TEST_F(MethodePages, ASubMenuShowsItsStepTheParentAndAsManyLinesAsSubSteps) {
    Etapes().Etape(Etapes().NumeroEtape("421")).Vu = 1;
    Aller("42", kSousMenu);
    EXPECT_EQ(Tags(Objet(kSousMenu, "METTITRE").texte), "bold:" + Titre("4"));
    EXPECT_EQ(Tags(Objet(kSousMenu, "MetTitreEnfant").texte), "bold:4.2. La strat\xe9gie produit");
    EXPECT_EQ(Objet(kSousMenu, "MetTitreEnfant").G[3], 0);
    EXPECT_EQ(Objet(kSousMenu, "METTITREENFANTFOND").G[3], 0);
    EXPECT_EQ(Tags(Objet(kSousMenu, "METTITREENFANTFOND").texte), "") << "a longer name takes the condition only";
    struct Ligne {
        const char* nom;
        std::string texte;
        int condition;
    };
    const Ligne lignes[] = {
        {"INVISTEXT1", "bold:" + Titre("421"), 0}, {"INVISTEXT2", "bold:" + Titre("422"), 0},
        {"INVISTEXT3", "bold:" + Titre("423"), 0}, {"INVISTEXT4", "bold:" + Titre("424"), 0},
        {"INVISTEXT5", "garde", 3},
    };
    for (const Ligne& l : lignes) {
        EXPECT_EQ(Tags(Objet(kSousMenu, l.nom).texte), l.texte) << l.nom;
        EXPECT_EQ(Objet(kSousMenu, l.nom).G[3], l.condition) << l.nom;
    }
    EXPECT_EQ(Objet(kSousMenu, "INVISLIGN5").G[3], 3);
    EXPECT_EQ(Objet(kSousMenu, "INVISSANSNUMERO").G[3], 7) << "no number: left alone";
    EXPECT_EQ(Relatif(Objet(kSousMenu, "INVISVUES1").fichier), "\\IMAGES\\TABLEAU\\VU01.BMP");
    EXPECT_EQ(Relatif(Objet(kSousMenu, "INVISVUES2").fichier), "\\IMAGES\\TABLEAU\\PASVU01.BMP");
    EXPECT_EQ(Relatif(Objet(kSousMenu, "VUPASVU").fichier), "\\IMAGES\\TABLEAU\\PASVU.BMP")
        << "step 42 is not seen while 422 is not";

    Aller("4", kSousMenu);
    EXPECT_EQ(Tags(Objet(kSousMenu, "METTITRE").texte), "bold:" + Titre("4"));
    EXPECT_EQ(Objet(kSousMenu, "MetTitreEnfant").G[3], 3) << "a chapter has no parent title";
    EXPECT_EQ(Objet(kSousMenu, "METTITREENFANTFOND").G[3], 3);
    EXPECT_EQ(Tags(Objet(kSousMenu, "INVISTEXT4").texte), "bold:" + Titre("44"));
    EXPECT_EQ(Objet(kSousMenu, "INVISTEXT4").G[3], 0);
}

TEST_F(MethodePages, AStepPageReadsItsTextFoldsTheMissingTabsAndShowsItsMark) {
    Etapes().Etape(Etapes().NumeroEtape("42")).Vu = 1;
    Aller("42", kAutoMet);
    EXPECT_EQ(Tags(Objet(kAutoMet, "METTITRE").texte), "bold:4.2. La strat\xe9gie produit");
    const engine::ObjetPage& texte = Objet(kAutoMet, "TEXTEMET");
    EXPECT_EQ(Relatif(texte.fichier), "\\SCENE\\..\\TEXTES\\V21\\MET42.RTF");
    EXPECT_EQ(Brut(texte.texte), "Stratégie produit");
    EXPECT_EQ(Relatif(Objet(kAutoMet, "VUPASVU").fichier), "\\IMAGES\\TABLEAU\\VU.BMP");
    EXPECT_TRUE(p.Messages().messages.empty());

    grid::TableauClasse* onglets = p.Programme().Grilles().Cherche(kAutoMet, 4);
    ASSERT_NE(onglets, nullptr);
    // MET and SAV exist, EXP not; 42 has no tool table.
    const std::int16_t plie42[] = {0, 0, -1, 0, -1, 0, 0};
    for (int c = 1; c <= 7; ++c) EXPECT_EQ(onglets->Colonne(c).Pliee, plie42[c - 1]) << "column " << c;

    // Step 11: no text at all, but its tool table.
    Aller("11", kAutoMet);
    const std::int16_t plie11[] = {0, -1, -1, -1, 0, 0, 0};
    for (int c = 1; c <= 7; ++c) EXPECT_EQ(onglets->Colonne(c).Pliee, plie11[c - 1]) << "column " << c;
    EXPECT_EQ(Brut(Objet(kAutoMet, "TEXTEMET").texte), "Stratégie produit") << "a missing text leaves the text";
    EXPECT_EQ(Relatif(Objet(kAutoMet, "TEXTEMET").fichier), "\\SCENE\\..\\TEXTES\\V21\\MET11.RTF");
    EXPECT_TRUE(p.Messages().messages.empty()) << "a missing file is no error";
    EXPECT_EQ(p.JournalErreurs(), "");
}

TEST_F(MethodePages, ADamagedTextIsSaidOnceAndShowsNothing) {
    Aller("42", kAutoMet);
    Aller("7", kAutoMet);
    ASSERT_EQ(p.Messages().messages.size(), 1u);
    EXPECT_EQ(p.Messages().messages[0].texte, "Impossible de lire le fichier RTF");
    EXPECT_EQ(p.Messages().messages[0].titre, "Corvanne Rarevive Zaru");
    EXPECT_EQ(Objet(kAutoMet, "TEXTEMET").texte, "");
}

TEST_F(MethodePages, TheLearnMoreTextIsCutIntoItsMenuWithBulletsAndItsSections) {
    Aller("42", kAutoSav);
    const std::string menu = Objet(kAutoSav, "MENUSAV").texte;
    EXPECT_NE(menu.find("{\\b *}"), std::string::npos) << menu;
    EXPECT_EQ(Brut(menu), "* Les prix\r\n* Les brevets\r\n");
    EXPECT_EQ(Brut(Objet(kAutoSav, "TEXTEMET").texte), "\r\nPrix\xc2\xa4\r\nBrevets");
    // Both boxes show them, over their objects.
    EXPECT_TRUE(p.MenuSav().visible);
    EXPECT_EQ(p.MenuSav().boite.Texte(), "* Les prix\r\n* Les brevets\r\n");
    EXPECT_EQ(p.MenuSav().x, 40);
    EXPECT_EQ(p.MenuSav().y, 280);
    EXPECT_EQ(p.MenuSav().largeur, 560);
    EXPECT_EQ(p.MenuSav().hauteur, 100);
    EXPECT_TRUE(p.TexteMethode().visible);
    EXPECT_EQ(p.TexteMethode().x, 40);
}

TEST_F(MethodePages, HelpTextsTheTextlessPageAndTheHelpTitle) {
    Etapes().ExplicationTitre = "Le produit";
    Aller("42", kAide);
    const std::string titre = Objet(kAide, "EXPLICTITRE").texte;
    EXPECT_TRUE(titre.ends_with("<Taille11><Gras1><HorizontalAligneGauche>Le produit")) << titre;
    EXPECT_EQ(Relatif(Objet(kAide, "TEXTEMET").fichier), "\\SCENE\\..\\TEXTES\\aide\\42.RTF");
    EXPECT_EQ(Brut(Objet(kAide, "TEXTEMET").texte), "Aide du 42");

    Aller("42", kAutoTxt);
    EXPECT_EQ(Objet(kAutoTxt, "TEXTEMET").fichier, "");
    EXPECT_EQ(Objet(kAutoTxt, "TEXTEMET").texte, "");

    Aller("42", kAutoExp);
    EXPECT_EQ(Relatif(Objet(kAutoExp, "TEXTEMET").fichier), "\\SCENE\\..\\TEXTES\\V21\\EXP42.RTF");
    EXPECT_EQ(Objet(kAutoExp, "TEXTEMET").texte, "{\\rtf1 avant}");
}

TEST_F(MethodePages, ThePagesExportAndPrintFollowItsWritingPanel) {
    struct Cas {
        int page;
        bool actif;
    };
    const Cas cas[] = {{kAutoMet, true}, {kPanneauLu, false}, {kDebut, false}, {kPanneauHors, true}};
    for (const Cas& c : cas) {
        Aller("42", c.page);
        EXPECT_EQ(p.Fenetre().actifs[engine::Menu::ExporterPageRtf], c.actif) << c.page;
        EXPECT_EQ(p.Fenetre().actifs[engine::Menu::ImprimerPage], c.actif) << c.page;
    }
}

// A panel naming an object the page does not have, or naming none, is not
// placed: it stays where the last page put it.
TEST_F(MethodePages, APanelTargetOutsideThePageOrNoneIsIgnored) {
    for (const int page : {kPanneauHors, kPanneauVide}) {
        Aller("42", kAutoMet);
        const int x = p.Redaction().x, y = p.Redaction().y, l = p.Redaction().largeur, h = p.Redaction().hauteur;
        ASSERT_EQ(y, 267) << "4000 twips";
        Aller("42", page);
        EXPECT_EQ(p.Redaction().x, x) << page;
        EXPECT_EQ(p.Redaction().y, y) << page;
        EXPECT_EQ(p.Redaction().largeur, l) << page;
        EXPECT_EQ(p.Redaction().hauteur, h) << page;
    }
    EXPECT_EQ(p.JournalErreurs(), "");
}

TEST_F(MethodePages, TheMethodBoxesAreHiddenOnOtherPagesAndEmptiedOnEachChange) {
    Aller("42", kAutoSav);
    ASSERT_TRUE(p.MenuSav().visible);
    ASSERT_NE(p.MenuSav().boite.Texte(), "");
    Aller("42", kDebut);
    EXPECT_FALSE(p.MenuSav().visible);
    EXPECT_FALSE(p.TexteMethode().visible);
    EXPECT_EQ(p.MenuSav().boite.Texte(), "");
    EXPECT_EQ(p.TexteMethode().boite.Texte(), "");
}

// The explanation box lower than its object keeps its height and is centred
// on it; as high or higher, it takes the object's height. Both boxes follow
// the page's scroll (150 twips down: 10 pixels).
TEST_F(MethodePages, TheMethodBoxesFollowTheirObjectsWhenThePageScrolls) {
    Aller("42", kAutoSav);
    struct Cas {
        int hauteurBoite;
        int y;
        int hauteur;
    };
    const Cas cas[] = {{50, (900 + (3000 - 750) / 2) / 15 - 10, 50}, {200, 60 - 10, 200}, {300, 60 - 10, 200}};
    for (const Cas& c : cas) {
        p.TexteMethode().hauteur = c.hauteurBoite;
        display::MajFenetreAffichageDecalage(p.Programme().Affichage(), 150, 0);
        EXPECT_EQ(p.TexteMethode().x, 40) << c.hauteurBoite;
        EXPECT_EQ(p.TexteMethode().y, c.y) << c.hauteurBoite;
        EXPECT_EQ(p.TexteMethode().largeur, 560) << c.hauteurBoite;
        EXPECT_EQ(p.TexteMethode().hauteur, c.hauteur) << c.hauteurBoite;
        EXPECT_EQ(p.MenuSav().y, 280 - 10);
        EXPECT_EQ(p.MenuSav().hauteur, 100);
    }
}

// A step title edited on its menu page is kept by its step and shown again
// the next time the page is built.
TEST_F(MethodePages, AStepTitleEditedOnTheMenuStaysWithItsStep) {
    Aller("42", kSousMenu);
    const auto t = p.Horloge().Maintenant() + 10;
    p.Clic(t, 1000, 4600);
    p.ExecuterJusqua(t + 100);
    auto& boite = p.BoiteEdition();
    ASSERT_TRUE(boite.visible);
    auto& riche = p.BoiteEditionRiche();
    EXPECT_EQ(riche.Texte(), "Ad\xe9quation produit/march\xe9");
    boite.PrendreFocus();
    riche.FocusDonner();
    riche.SelectionFixer(riche.Longueur(), 0);
    riche.Taper(" !");
    ASSERT_TRUE(boite.Touche(13, 0));
    const int i421 = Etapes().NumeroEtape("421");
    EXPECT_EQ(Brut(Etapes().Etape(i421).TitreRTF), "Adéquation produit/marché !");
    Aller("", kDebut);
    Aller("42", kSousMenu);
    EXPECT_EQ(Brut(Objet(kSousMenu, "TITREMETAUTOSOUS1").texte), "Adéquation produit/marché !");
    EXPECT_EQ(p.JournalErreurs(), "");
}

TEST_F(MethodePages, TickingTheStepChangesItsMarksPicture) {
    Aller("421", kSousMenu);
    ASSERT_EQ(Relatif(Objet(kSousMenu, "VUPASVU").fichier), "\\IMAGES\\TABLEAU\\PASVU.BMP");
    for (const char* image : {"\\IMAGES\\TABLEAU\\VU.BMP", "\\IMAGES\\TABLEAU\\PASVU.BMP"}) {
        const auto t = p.Horloge().Maintenant() + 10;
        p.Clic(t, 300, 6300);
        p.ExecuterJusqua(t + 100);
        EXPECT_EQ(Relatif(Objet(kSousMenu, "VUPASVU").fichier), image);
    }
    EXPECT_EQ(p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::programme
