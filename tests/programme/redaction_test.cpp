// Typing into texts on the program's own composition: the edit box over a
// tagged or rich text, its keys, the writing box over its placeholder and
// the rich-text toolbars.

#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "engine/recherche.h"
#include "plan/barre_rtf.h"
#include "plan/etat_plan.h"
#include "plan/redaction.h"
#include "programme/pilote_programme.h"
#include "rtf/lecteur.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

const char* const kScene = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=texte name="TITRE" rect=600,300,4500,900 G3=2 I2=40 text="<Gras1><Taille12>Bonjour"
object kind=rtf name="RICHE" rect=600,1500,8400,1200 G3=2 C1=2 D1=14745599 text=<<FIN
{\rtf1\ansi\deff0{\fonttbl{\f0 Arial;}}\pard\plain\f0\fs24 Un texte\par}
FIN
object kind=texte name="SWOT" rect=600,3000,4500,900 G3=2 text="forces"
object kind=texte name="NOTE" rect=5400,3000,3600,900 G3=2 A3=1 text="note"
object kind=bouton name="SUITE" rect=600,6000,2400,600 C1=1 C2=60 D1=12632256 text="Suite"
  element page=2 object=1 param=0 events=2
page
object kind=fond name="ECRIRE" rect=0,0,9600,7200
object kind=rtf name="NOTES" rect=600,600,8400,2700 G3=2 text=<<FIN
{\rtf1\ansi\deff0{\fonttbl{\f0 Arial;}}\pard\plain\f0\fs24 Mes notes\par}
FIN
object kind=action name="PANNEAU" A1=16 text="ECRIRE,NOTES"
  element page=2 object=2 param=0 events=0
object kind=rtf name="FIGE" rect=600,3600,8400,900 G3=2 A3=2 text=<<FIN
{\rtf1\ansi\deff0{\fonttbl{\f0 Arial;}}\pard\plain\f0\fs24 Fig\'e9\par}
FIN
object kind=bouton name="RETOUR" rect=600,6000,2400,600 C1=1 C2=60 D1=12632256 text="Retour"
  element page=1 object=1 param=0 events=2
page
object kind=fond name="LIRE" rect=0,0,9600,7200
object kind=action name="PANNEAU" A1=16 text="ECRIRE,FIGE"
  element page=2 object=4 param=0 events=0
)S";

// A page position in twips from a pixel of the page.
int Twips(int pixel) { return pixel * 15 + 7; }

struct Banc {
    PiloteProgramme p;
    Banc() {
        p.Polices().familles = {{"Arial", false}, {"Times New Roman", false}, {"Courier New", false}};
        p.ChargerScene(kScene);
        p.ExecuterJusquARepos();
    }
    void Cliquer(int xPixel, int yPixel) {
        p.Clic(p.Horloge().Maintenant() + 10, Twips(xPixel), Twips(yPixel));
        p.ExecuterJusqua(p.Horloge().Maintenant() + 200);
    }
    void Page(int page) {
        engine::SauteALaPage(p.Moteur(), page);
        p.ExecuterJusquARepos();
    }
    const engine::ObjetPage& Objet(int page, int objet) { return p.Moteur().scene.Page(page).Objet(objet); }
    plan::BarresRTF& Barres() { return p.Programme().Barres(); }
};

rtf::Document Lu(const std::string& texte) {
    auto lu = rtf::LireRtf(texte);
    EXPECT_TRUE(lu.document) << lu.erreur;
    return lu.document ? *lu.document : rtf::Document{};
}

std::string Brut(const rtf::Document& d) { return rtf::TexteUtf8(d.TexteBrut()); }

// Whether every character of `mot` (UTF-8) stands in a bold run, and the
// rest of the text in plain ones.
bool SeulMotGras(const rtf::Document& d, const std::string& mot) {
    std::string gras;
    for (const auto& p : d.paragraphes) {
        for (const auto& m : p.morceaux) {
            if (m.format.gras) gras += rtf::TexteUtf8(m.texte);
        }
    }
    return gras == mot;
}

TEST(RedactionEdition, ATaggedTextIsEditedAfterItsTagsAndKeepsThem) {
    Banc b;
    b.Cliquer(100, 40);
    auto& boite = b.p.BoiteEdition();
    ASSERT_TRUE(boite.visible);
    EXPECT_EQ(boite.fond, 0xFFFFFF);
    EXPECT_EQ(boite.longueurMax, 40) << "the object's I2";
    EXPECT_EQ(boite.texte, "Bonjour") << "the tags stay out of the box";
    EXPECT_EQ(boite.debut, 7) << "caret at the end";
    boite.PrendreFocus();
    boite.Taper(" \xe0 tous");
    EXPECT_TRUE(boite.Touche(13, 0)) << "Enter ends the edit of an ordinary text";
    EXPECT_FALSE(boite.visible);
    // The tags before the text, the layout's included, come back unchanged.
    const std::string& t = b.Objet(1, 2).texte;
    EXPECT_TRUE(t.ends_with("<Gras1><Taille12>Bonjour \xe0 tous")) << t;
    EXPECT_EQ(t.find("Bonjour"), t.rfind('>') + 1);
    EXPECT_TRUE(b.p.Programme().Plan().PlanAffaireModifie());
    EXPECT_EQ(b.p.JournalErreurs(), "");
}

TEST(RedactionEdition, ARichTextTypedWithAccentsAndABoldWordIsReadBackThroughItsRtf) {
    Banc b;
    b.Cliquer(100, 110);
    auto& boite = b.p.BoiteEdition();
    auto& riche = b.p.BoiteEditionRiche();
    ASSERT_TRUE(boite.visible);
    EXPECT_EQ(riche.Texte(), "Un texte");
    EXPECT_EQ(b.Barres().Boite(1), &riche) << "toolbar 1 serves the edit box";
    EXPECT_TRUE(b.Barres().Etat(1).visible);
    EXPECT_EQ(boite.x, 40);
    EXPECT_EQ(boite.y, 100);
    EXPECT_EQ(boite.largeur, 560);
    EXPECT_EQ(boite.fond, 14745599) << "the object's own background (C1 = 2)";

    boite.PrendreFocus();
    riche.FocusDonner();
    riche.SelectionFixer(riche.Longueur(), 0);
    riche.Taper(" \xe9t\xe9 \xe0 \xe7" "a \x80 ");
    riche.Taper("gras");
    riche.SelectionFixer(riche.Longueur() - 4, 4);
    b.Barres().GrasMouseDown(1);
    ASSERT_TRUE(boite.Touche(13, 0));

    EXPECT_FALSE(b.Barres().Etat(1).visible);
    EXPECT_EQ(b.Barres().Boite(1), nullptr);
    const rtf::Document d = Lu(b.Objet(1, 3).texte);
    EXPECT_EQ(Brut(d), "Un texte été à ça € gras");
    EXPECT_TRUE(SeulMotGras(d, "gras"));
    EXPECT_EQ(b.p.JournalErreurs(), "");
}

TEST(RedactionEdition, KeysEndTheEditByTheObjectsModeAndName) {
    struct Cas {
        const char* nom;
        int x, y;
        int code, maj;
        bool fin;
    };
    // TITRE: ordinary; SWOT: Ctrl+Enter only; NOTE: A3 = 1, Ctrl+Enter only.
    const Cas cas[] = {
        {"ordinary Enter", 100, 40, 13, 0, true},     {"ordinary Tab", 100, 40, 9, 0, true},
        {"ordinary Ctrl+Enter", 100, 40, 13, 2, false}, {"SWOT Enter", 100, 210, 13, 0, false},
        {"SWOT Ctrl+Enter", 100, 210, 13, 2, true},   {"SWOT Tab", 100, 210, 9, 0, false},
        {"mode Enter", 400, 210, 13, 0, false},       {"mode Tab", 400, 210, 9, 0, false},
        {"mode Ctrl+Enter", 400, 210, 13, 2, true},   {"ordinary letter", 100, 40, 65, 0, false},
    };
    for (const Cas& c : cas) {
        Banc b;
        b.Cliquer(c.x, c.y);
        auto& boite = b.p.BoiteEdition();
        ASSERT_TRUE(boite.visible) << c.nom;
        boite.PrendreFocus();
        boite.Taper("x");
        EXPECT_EQ(boite.Touche(c.code, c.maj), c.fin) << c.nom;
        EXPECT_EQ(boite.visible, !c.fin) << c.nom;
        if (c.fin) {
            const std::string& t = b.Objet(1, c.y == 40 ? 2 : (c.x == 100 ? 4 : 5)).texte;
            EXPECT_EQ(t.back(), 'x') << c.nom << ": the text is stored before the key, which adds nothing";
        }
    }
}

// A tagged text as its reader sees it: its words and line breaks, without
// the layout the drawing adds to it.
std::string MotsEtSauts(const std::string& t) {
    std::string r;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] != '<') {
            r += t[i];
            continue;
        }
        const auto fin = t.find('>', i);
        if (fin == std::string::npos) break;
        if (t.compare(i, fin - i + 1, "<Cr>") == 0) r += "|";
        i = fin;
    }
    return r;
}

TEST(RedactionEdition, LinesTypedIntoANoteStayLinesOfItsTaggedText) {
    // The note ends with Ctrl+Enter so that Enter makes lines: each line
    // break typed (as the box gives it, LF or CR LF) is a line of the text
    // drawn, not two lines run together.
    struct Cas {
        const char* nom;
        const char* frappe;
    };
    const Cas cas[] = {{"LF", "un\ndeux\ntrois"}, {"CR LF", "un\r\ndeux\r\ntrois"}, {"CR", "un\rdeux\rtrois"}};
    for (const Cas& c : cas) {
        Banc b;
        b.Cliquer(400, 210);
        auto& boite = b.p.BoiteEdition();
        ASSERT_TRUE(boite.visible) << c.nom;
        boite.PrendreFocus();
        boite.SelectionFixer(0, static_cast<int>(boite.texte.size()));
        boite.Taper(c.frappe);
        ASSERT_TRUE(boite.Touche(13, 2)) << c.nom;
        const std::string& t = b.Objet(1, 5).texte;
        EXPECT_EQ(MotsEtSauts(t), "un|deux|trois") << c.nom << ": " << t;
        EXPECT_EQ(t.find_first_of("\r\n"), std::string::npos) << c.nom;

        // Edited again, the text the drawing laid out takes the new line
        // into its layout: a line of its own, not the last one run on.
        b.Cliquer(400, 210);
        ASSERT_TRUE(boite.visible) << c.nom;
        boite.PrendreFocus();
        boite.SelectionFixer(static_cast<int>(boite.texte.size()), 0);
        boite.Taper(std::string(c.frappe).substr(2, c.frappe[2] == '\r' && c.frappe[3] == '\n' ? 2 : 1) + "quatre");
        ASSERT_TRUE(boite.Touche(13, 2)) << c.nom;
        const std::string& u = b.Objet(1, 5).texte;
        EXPECT_EQ(MotsEtSauts(u), "un|deux|trois|quatre") << c.nom << ": " << u;
        const auto ligne4 = u.find("<LigneNumero4>");
        ASSERT_NE(ligne4, std::string::npos) << c.nom << ": " << u;
        EXPECT_LT(ligne4, u.find("quatre")) << c.nom << ": " << u;
        EXPECT_EQ(b.p.JournalErreurs(), "") << c.nom;
    }
}

TEST(RedactionEdition, TheOpenBoxFollowsThePageWhenItScrolls) {
    Banc b;
    b.Cliquer(100, 110);
    ASSERT_TRUE(b.p.BoiteEdition().visible);
    b.p.Programme().Recepteur().Defilement(4, 20);
    EXPECT_EQ(b.p.BoiteEdition().x, 36);
    EXPECT_EQ(b.p.BoiteEdition().y, 80);
    EXPECT_EQ(b.p.BoiteEdition().ouvertures, 1) << "moved, not opened again";
}

TEST(RedactionEdition, LeavingTheBoxMarksThePlanModifiedEvenUnchanged) {
    Banc b;
    b.Cliquer(100, 40);
    b.p.Programme().Plan().PlanAffaireModifieFixer(false);
    b.p.BoiteEdition().PrendreFocus();
    b.p.BoiteEdition().PerdreFocus();
    EXPECT_TRUE(b.p.Programme().Plan().PlanAffaireModifie());
}

TEST(RedactionEdition, AClickElsewhereEndsTheEditWithoutItsEndEvent) {
    Banc b;
    b.Cliquer(100, 40);
    b.p.BoiteEdition().Taper("!");
    b.Cliquer(300, 300);
    EXPECT_FALSE(b.p.BoiteEdition().visible);
    EXPECT_TRUE(b.Objet(1, 2).texte.ends_with("<Gras1><Taille12>Bonjour!"));
}

TEST(RedactionBoite, ThePanelLiesOverItsPlaceholderWithTheObjectsText) {
    Banc b;
    b.Page(2);
    auto& panneau = b.p.Redaction();
    ASSERT_TRUE(panneau.visible);
    EXPECT_EQ(panneau.x, 40);
    EXPECT_EQ(panneau.y, 40);
    EXPECT_EQ(panneau.largeur, 560);
    EXPECT_EQ(panneau.hauteur, 180);
    EXPECT_EQ(panneau.boite.Texte(), "Mes notes");
    EXPECT_FALSE(panneau.boite.Verrouille());
    EXPECT_EQ(b.Barres().Boite(0), &panneau.boite);
    EXPECT_TRUE(b.Barres().Etat(0).visible);
    EXPECT_EQ(b.Barres().Etat(0).police, "Arial") << "the toolbar shows the selection's state once built";
    EXPECT_TRUE(b.p.Programme().Redaction().AUneSource());
}

TEST(RedactionBoite, AWrittenTextGoesBackToItsObjectOnAPageChange) {
    Banc b;
    b.Page(2);
    auto& boite = b.p.Redaction().boite;
    boite.FocusDonner();
    boite.SelectionFixer(boite.Longueur(), 0);
    boite.Taper(" \xe0 relire");
    boite.SelectionFixer(4, 5);
    b.Barres().GrasMouseDown(0);
    b.Page(1);
    const rtf::Document d = Lu(b.Objet(2, 2).texte);
    EXPECT_EQ(Brut(d), "Mes notes à relire");
    EXPECT_TRUE(SeulMotGras(d, "notes"));
    EXPECT_FALSE(b.p.Redaction().visible);
    EXPECT_FALSE(b.p.Programme().Redaction().AUneSource());
    EXPECT_EQ(b.Barres().Boite(0), nullptr);
}

TEST(RedactionBoite, ATextTheUserEmptiedIsStoredToo) {
    Banc b;
    b.Page(2);
    b.p.Redaction().boite.TexteRtfFixer("");
    b.Page(1);
    EXPECT_EQ(Brut(Lu(b.Objet(2, 2).texte)), "");
}

TEST(RedactionBoite, TheInterfaceStoresKeepsOrDetachesAndTakesAReloadedText) {
    Banc b;
    b.Page(2);
    plan::Redaction& r = b.p.Programme().Redaction();
    auto& boite = b.p.Redaction().boite;
    boite.SelectionFixer(0, 0);
    boite.Taper("A ");
    r.TexteSauver(false);
    EXPECT_EQ(Brut(Lu(b.Objet(2, 2).texte)), "A Mes notes");
    EXPECT_TRUE(r.AUneSource()) << "the box still serves its object";

    b.p.Moteur().scene.Page(2).Objet(2).texte = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard Charg\\'e9\\par}";
    r.ObjetRecharge(2, 3);
    EXPECT_EQ(boite.Texte(), "A Mes notes") << "another object of the page";
    r.ObjetRecharge(2, 2);
    EXPECT_EQ(boite.Texte(), "Charg\xe9");

    r.TexteSauver(true);
    EXPECT_FALSE(r.AUneSource());
    boite.Taper("perdu ");
    r.TexteSauver(true);
    EXPECT_EQ(Brut(Lu(b.Objet(2, 2).texte)), "Chargé") << "a detached box stores nothing";
}

TEST(RedactionBoite, EndingTheEditInProgressStoresMarksThePlanWhenFocusedAndKeepsTheSource) {
    Banc b;
    b.Page(2);
    auto& boite = b.p.Redaction().boite;
    b.p.Programme().Plan().PlanAffaireModifieFixer(false);
    boite.FocusDonner();
    boite.Taper("Z");
    b.p.Moteur().Plan().PlanAffaireEditionValider();
    EXPECT_TRUE(b.p.Programme().Plan().PlanAffaireModifie());
    EXPECT_FALSE(boite.AFocus()) << "the page frame takes the focus";
    EXPECT_EQ(Brut(Lu(b.Objet(2, 2).texte)), "ZMes notes");
    b.p.Programme().Plan().PlanAffaireModifieFixer(false);
    boite.Taper("Y");
    b.p.Moteur().Plan().PlanAffaireEditionValider();
    EXPECT_EQ(Brut(Lu(b.Objet(2, 2).texte)), "ZYMes notes") << "the box still serves its object";
    EXPECT_FALSE(b.p.Programme().Plan().PlanAffaireModifie()) << "no box had the focus";
}

// Written, then left for elsewhere on the page: quitting asks about saving,
// although nothing has the focus by then.
TEST(RedactionBoite, LeavingTheWritingBoxMarksThePlanModified) {
    Banc b;
    b.Page(2);
    b.p.Programme().Plan().PlanAffaireModifieFixer(false);
    auto& boite = b.p.Redaction().boite;
    boite.FocusDonner();
    boite.Taper("Z");
    boite.PerdreFocus();
    EXPECT_TRUE(b.p.Programme().Plan().PlanAffaireModifie());
    b.p.RepondreMessage(2);
    b.p.Programme().Recepteur().MenuQuitter();
    ASSERT_EQ(b.p.Messages().messages.size(), 1u);
    EXPECT_TRUE(b.p.Messages().messages[0].texte.starts_with("Voulez-vous enregistrer")) << b.p.Messages().messages[0].texte;
    EXPECT_FALSE(b.p.Moteur().fin.demandee) << "Cancel plays on";
}

TEST(RedactionBoite, ThePanelFollowsThePageWhenItScrolls) {
    Banc b;
    b.Page(2);
    b.p.Programme().Recepteur().Defilement(5, 10);
    EXPECT_EQ(b.p.Redaction().x, 35);
    EXPECT_EQ(b.p.Redaction().y, 30);
}

TEST(RedactionBoite, TheSamplesWritingPageIsReachedFromTheStartAndLeftBack) {
    PiloteProgramme p;
    std::ifstream f(KORV_SAMPLE_SCENE, std::ios::binary);
    p.ChargerScene(std::string(std::istreambuf_iterator<char>(f), {}));
    p.ExecuterJusquARepos();
    ASSERT_EQ(p.Moteur().jeu.PageCourante, 1);
    const auto cliquer = [&p](int x, int y) {
        p.Clic(p.Horloge().Maintenant() + 10, x, y);
        p.ExecuterJusqua(p.Horloge().Maintenant() + 600);
    };
    cliquer(7800, 300);  // "Rédaction"
    const int page = engine::NumeroDePage(p.Moteur().scene, "REDACTION");
    ASSERT_EQ(p.Moteur().jeu.PageCourante, page);
    ASSERT_TRUE(p.Redaction().visible);
    auto& boite = p.Redaction().boite;
    EXPECT_EQ(boite.Texte(), "\xc9" "crivez ici le r\xe9sum\xe9 de votre projet.");
    boite.FocusDonner();
    boite.SelectionFixer(0, 0);
    boite.Taper("Mon ");
    cliquer(1800, 6300);  // "Retour"
    EXPECT_EQ(p.Moteur().jeu.PageCourante, 1);
    EXPECT_FALSE(p.Redaction().visible);
    const int notes = engine::NumeroObjet(p.Moteur().scene, page, "NOTES");
    EXPECT_EQ(Brut(Lu(p.Moteur().scene.Page(page).Objet(notes).texte)), "Mon Écrivez ici le résumé de votre projet.");
    EXPECT_EQ(p.JournalErreurs(), "");
}

TEST(RedactionBoite, AReadOnlyObjectLocksTheBoxWithoutToolbar) {
    Banc b;
    b.Page(3);
    auto& panneau = b.p.Redaction();
    ASSERT_TRUE(panneau.visible);
    EXPECT_TRUE(panneau.boite.Verrouille());
    EXPECT_EQ(panneau.boite.Texte(), "Fig\xe9");
    EXPECT_FALSE(b.Barres().Etat(0).visible);
    EXPECT_EQ(b.Barres().Boite(0), nullptr);
    b.Barres().SautePageClick(0);
    EXPECT_EQ(panneau.boite.Texte(), "Fig\xe9");
}

TEST(RedactionBoite, FocusIntoTheWritingBoxEndsAnOpenEditUnvalidated) {
    Banc b;
    b.Page(2);
    b.Cliquer(100, 280);  // FIGE, a rich text of the page
    ASSERT_TRUE(b.p.BoiteEdition().visible);
    b.p.Redaction().boite.FocusDonner();
    EXPECT_FALSE(b.p.BoiteEdition().visible);
}

TEST(RedactionBoite, CopyAndPasteGoToTheWritingBoxWhileFocused) {
    Banc b;
    b.Page(2);
    auto& boite = b.p.Redaction().boite;
    boite.FocusDonner();
    b.p.Programme().Recepteur().MenuCopier();
    b.p.Programme().Recepteur().MenuColler();
    EXPECT_EQ(boite.copies, 1);
    EXPECT_EQ(boite.collages, 1);
    EXPECT_EQ(b.p.JournalErreurs(), "");
}

// The toolbar against selections of the writing box.
struct BancBarre : Banc {
    plan::BoiteRicheDocument* boite = nullptr;
    BancBarre() {
        Page(2);
        boite = &p.Redaction().boite;
        boite->FocusDonner();
        boite->TexteRtfFixer(
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 arial;}{\\f2 Zapf Chancery;}}"
            "{\\colortbl;\\red255\\green0\\blue0;}"
            "\\pard\\plain\\f0\\fs24\\b gras\\b0  plain\\par"
            "\\pard\\qc\\plain\\f1\\fs28 minuscule\\par"
            "\\pard\\plain\\f2\\fs20\\cf1 inconnue\\par}");
    }
    void Selectionner(int debut, int longueur) {
        boite->SelectionFixer(debut, longueur);
        Barres().MAJMenuRTF(0);
    }
};

TEST(RedactionBarre, StylesShowMixedAndAClickGivesOrTakesTheStyle) {
    BancBarre b;
    b.Selectionner(0, 10);  // "gras plain"
    EXPECT_TRUE(b.Barres().Etat(0).gras.mixte);
    EXPECT_EQ(b.Barres().Etat(0).gras.valeur, 0);
    b.Barres().GrasMouseDown(0);
    EXPECT_EQ(b.boite->SelGras(), std::optional<bool>(true)) << "a mixed button makes the whole selection bold";
    EXPECT_EQ(b.Barres().Etat(0).gras.valeur, 1);
    EXPECT_FALSE(b.Barres().Etat(0).gras.mixte);
    b.Barres().GrasMouseDown(0);
    EXPECT_EQ(b.boite->SelGras(), std::optional<bool>(false)) << "a pressed button takes bold away";
    b.Barres().ItaliqueMouseDown(0);
    b.Barres().SouligneMouseDown(0);
    EXPECT_EQ(b.boite->SelItalique(), std::optional<bool>(true));
    EXPECT_EQ(b.boite->SelSouligne(), std::optional<bool>(true));
}

TEST(RedactionBarre, ListsAndButtonsFollowTheSelection) {
    struct Cas {
        const char* nom;
        int debut, longueur;
        const char* police;
        int index;
        const char* taille;
        bool alignementMixte;
        int gauche, centre;
        int couleur;
        std::int32_t fond;
    };
    const Cas cas[] = {
        {"Arial", 0, 4, "Arial", 0, "12", false, 1, 0, 0, 0},
        {"arial selects Arial", 12, 5, "Arial", 0, "14", false, 0, 1, 0, 0},
        {"unknown font as written", 22, 4, "Zapf Chancery", -1, "10", false, 1, 0, 0, 0x0000FF},
        {"mixed", 0, 28, "", -1, "", true, 1, 0, 1, 0},
    };
    for (const Cas& c : cas) {
        BancBarre b;
        b.Selectionner(c.debut, c.longueur);
        const plan::EtatBarreRTF& e = b.Barres().Etat(0);
        EXPECT_EQ(e.police, c.police) << c.nom;
        EXPECT_EQ(e.policeIndex, c.index) << c.nom;
        EXPECT_EQ(e.taille, c.taille) << c.nom;
        EXPECT_EQ(e.aligGauche.mixte, c.alignementMixte) << c.nom;
        if (!c.alignementMixte) {
            EXPECT_EQ(e.aligGauche.valeur, c.gauche) << c.nom;
            EXPECT_EQ(e.aligCentre.valeur, c.centre) << c.nom;
        }
        EXPECT_EQ(e.couleur, c.couleur) << c.nom;
        EXPECT_EQ(e.couleurFond, c.fond) << c.nom;
    }
    BancBarre b;
    b.Selectionner(12, 5);
    EXPECT_EQ(b.boite->SelPolice(), std::optional<std::string>("Arial")) << "the list entry is written back";
}

TEST(RedactionBarre, SizesApplyAsTypedAndSizesUnderOnePointAreIgnored) {
    BancBarre b;
    b.Selectionner(0, 4);
    b.Barres().TailleChange(0, "1");
    EXPECT_EQ(b.boite->SelTaille(), std::optional<double>(1.0));
    b.Barres().TailleChange(0, "14");
    EXPECT_EQ(b.boite->SelTaille(), std::optional<double>(14.0));
    for (const char* rien : {"", "0", ".", "0.5", "x"}) {
        b.Barres().TailleChange(0, rien);
        EXPECT_EQ(b.boite->SelTaille(), std::optional<double>(14.0)) << '"' << rien << '"';
    }
    b.Barres().TailleChange(0, "10.5pt");
    EXPECT_EQ(b.boite->SelTaille(), std::optional<double>(10.5));
    b.Barres().TailleClick(0, 10);
    EXPECT_EQ(b.boite->SelTaille(), std::optional<double>(48.0));
}

TEST(RedactionBarre, FontsAlignmentsAndColours) {
    BancBarre b;
    b.Selectionner(0, 28);
    b.Barres().PoliceClick(0, 1);
    EXPECT_EQ(b.boite->SelPolice(), std::optional<std::string>("Times New Roman"));
    b.Barres().PoliceChange(0, "Courier New");
    EXPECT_EQ(b.boite->SelPolice(), std::optional<std::string>("Courier New"));
    b.Barres().AligDroiteMouseDown(0);
    EXPECT_EQ(b.boite->SelAlignement(), std::optional<int>(plan::kAligneDroite));
    EXPECT_EQ(b.Barres().Etat(0).aligDroite.valeur, 1);
    EXPECT_EQ(b.Barres().Etat(0).aligGauche.valeur, 0);

    // Mixed colours: the dialog opens on black; the colour chosen goes on
    // the whole selection; a cancel changes nothing.
    b.p.DialogueCouleur().reponses.push_back({0x00FF00, {}});
    b.Barres().CouleurMouseUp(0);
    ASSERT_EQ(b.p.DialogueCouleur().appels.size(), 1u);
    EXPECT_EQ(b.p.DialogueCouleur().appels[0].couleur, 0);
    EXPECT_EQ(b.boite->SelCouleur(), std::optional<std::int32_t>(0x00FF00));
    b.Barres().CouleurMouseUp(0);
    EXPECT_EQ(b.boite->SelCouleur(), std::optional<std::int32_t>(0x00FF00));
    EXPECT_EQ(b.Barres().Etat(0).couleurFond, 0x00FF00);

    const rtf::Document d = Lu(b.boite->TexteRtf());
    EXPECT_EQ(d.PoliceNumero(d.paragraphes[0].morceaux[0].format.police)->nom, "Courier New")
        << "our writer takes the chosen font";
}

TEST(RedactionBarre, APageBreakGoesAtTheSelectionsStartAndKeepsIt) {
    BancBarre b;
    b.Selectionner(1, 2);
    b.Barres().SautePageClick(0);
    EXPECT_EQ(b.boite->Texte().substr(0, 28), "g<...nouvelle page...>ras pl");
}

TEST(RedactionBarre, NoBoxRegisteredDoesNothing) {
    Banc b;
    b.Barres().GrasMouseDown(1);
    b.Barres().SautePageClick(1);
    b.Barres().MAJMenuRTF(1);
    EXPECT_FALSE(b.Barres().Etat(1).visible);
    EXPECT_EQ(b.p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::programme
