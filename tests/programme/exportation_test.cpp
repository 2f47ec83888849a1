// Export runs on the composed program: EXPORTEDEBUT, EXPORTEOBJET and
// EXPORTEFIN in scripts, the save dialog and the overwrite question
// answered, the files written read back (the RTF by our reader, the
// workbook by libfreexl).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "engine/recherche.h"
#include "engine/scripts_moteur.h"
#include "plan/entree_page.h"
#include "formula/variables.h"
#include "platform/message_box.h"
#include "print/classeur_xls_lu.h"
#include "print/imprimante.h"
#include "print/travail.h"
#include "programme/exportation_programme.h"
#include "programme/pilote_programme.h"
#include "rtf/document.h"
#include "rtf/lecteur.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

std::string Lire(const std::filesystem::path& f) {
    std::ifstream in(f, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string Exemple() { return Lire(KORV_SAMPLE_SCENE); }

// The plain text of an RTF file as our reader reads it (UTF-8).
std::string TexteRtf(const std::string& octets) {
    const auto l = rtf::LireRtf(octets);
    EXPECT_TRUE(l.document.has_value()) << l.erreur;
    return l.document ? rtf::TexteUtf8(l.document->TexteBrut()) : std::string();
}

class Exportation : public ::testing::Test {
protected:
    void SetUp() override {
        sortie_ = std::filesystem::path(p_.DossierProgramme()) / "sortie";
        std::filesystem::create_directories(sortie_);
    }
    std::string Chemin(const std::string& nom) const { return (sortie_ / nom).string(); }
    void Executer(const std::string& script) {
        p_.Moteur().ScriptsDuMoteur().ProgScriptExecute(script, p_.Moteur().jeu.PageCourante, -1, "");
    }
    std::int16_t Mode() { return p_.Programme().TravailImpression().ModeImpressionExport; }

    PiloteProgramme p_;
    std::filesystem::path sortie_;
};

// The File menu's "Exporter..." leads to the sample's EXPORTER page: its
// first button writes the texts with the
// grids as tables, its second the grids as sheets, in the format the chosen
// name asks for; "Retour" goes back to the start page.
TEST_F(Exportation, TheSamplesExporterPageExportsItsTextsAndTables) {
    p_.ChargerScene(Exemple());
    p_.ExecuterJusqua(100);
    p_.Programme().Recepteur().MenuPlan(plan::CommandePlan::Exporter);
    ASSERT_EQ(p_.Moteur().jeu.PageCourante, engine::NumeroDePage(p_.Moteur().scene, "EXPORTER"));
    p_.RepondreFichier(Chemin("plan.rtf"));
    p_.Clic(200, 2600, 3600);
    p_.RepondreFichier(Chemin("tableaux.xls"));
    p_.Clic(400, 7000, 3600);
    p_.RepondreFichier(Chemin("tableaux.TxT"));
    p_.Clic(600, 7000, 3600);
    p_.ExecuterJusqua(800);
    EXPECT_EQ(p_.JournalErreurs(), "");
    ASSERT_EQ(p_.Dialogues().appels.size(), 3u);
    const auto& demande = p_.Dialogues().appels[0].demande;
    EXPECT_EQ(demande.TitreDialogue, "Exporter des textes");
    EXPECT_EQ(demande.Filtre, "Texte RTF (*.rtf)|*.rtf");
    EXPECT_EQ(p_.Dialogues().appels[1].demande.TitreDialogue, "Exporter des tableaux");
    EXPECT_EQ(p_.Dialogues().appels[1].demande.Filtre, "Excel 5/7 (*.xls)|*.xls|Texte d\xE9limit\xE9 (*.txt)|*.txt");

    // The texts in order, the references replaced, the grids as tables.
    const std::string texte = TexteRtf(Lire(Chemin("plan.rtf")));
    std::size_t depuis = 0;
    for (const char* morceau :
         {"Exporter le plan d'affaires", "Présentation du projet", "Marché et clients", "Synthèse",
          "Apport : 15 000,0 € ; total des ressources : 24 000,0 €.", "Trésorerie de départ", "Emprunt",
          "Prévisions mensuelles", "Écrivez ici le résumé de votre projet."}) {
        const std::size_t k = texte.find(morceau, depuis);
        ASSERT_NE(k, std::string::npos) << morceau << "\n" << texte;
        depuis = k;
    }
    EXPECT_EQ(texte.find("$ident"), std::string::npos);
    EXPECT_EQ(texte.find("$TABLEAU_RTF"), std::string::npos);
    // The rich text's page marker separates screen pages: it is not text.
    EXPECT_NE(texte.find("Fin de la première page.\r\n"), std::string::npos) << texte;
    EXPECT_EQ(texte.find("¤"), std::string::npos) << texte;

    // One sheet per grid, named by its title, numbers as numbers.
    const auto classeur = print::test::LireAvecFreexl(Chemin("tableaux.xls"));
    ASSERT_EQ(classeur.code, FREEXL_OK);
    ASSERT_EQ(classeur.feuilles.size(), 4u);
    const std::vector<std::string> noms{classeur.feuilles[0].nom, classeur.feuilles[1].nom, classeur.feuilles[2].nom,
                                        classeur.feuilles[3].nom};
    EXPECT_EQ(noms, (std::vector<std::string>{"Trésorerie de départ", "Prévisions mensuelles",
                                              "Actions commerciales", "Résultat par année"}));
    const auto& tresorerie = classeur.feuilles[0].valeurs;
    EXPECT_EQ(tresorerie.at({0, 0}), "t:Trésorerie de départ");
    EXPECT_EQ(tresorerie.at({2, 0}), "t:Apport");
    EXPECT_EQ(tresorerie.at({2, 1}), "n:15000");
    EXPECT_EQ(tresorerie.at({4, 1}), "n:24000");
    // The grids of pages not shown yet are computed before they are copied.
    EXPECT_EQ(classeur.feuilles[2].valeurs.at({2, 1}), "n:15000");
    EXPECT_EQ(classeur.feuilles[3].valeurs.at({2, 1}), "n:-400");

    // The same sheets as tab-delimited text, an empty line between them.
    const std::string delimite = Lire(Chemin("tableaux.TxT"));
    EXPECT_EQ(delimite.rfind("Tr\xE9sorerie de d\xE9part\t\t\r\nPoste\tMontant\tPar mois\r\nApport\t", 0), 0u)
        << delimite;
    EXPECT_NE(delimite.find("\r\n\r\nPr\xE9visions mensuelles"), std::string::npos);

    EXPECT_EQ(Mode(), 0);
    p_.Clic(1000, 1000, 6300);
    p_.ExecuterJusqua(1200);
    EXPECT_EQ(p_.Moteur().jeu.PageCourante, 1);
}

constexpr const char* kScene = R"S(
scene
start text=<<FIN
DECLARE VUE
QUE VUE = 0
DECLARE MODE
QUE MODE = 0
DECLARE APRES
QUE APRES = 0
FIN
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,4800,900
  grid cols=2 rows=2
  column 1 width=2400 print=0,1,0,0,0,0,0,0
  column 2 width=2400 print=0,1,0,0,0,0,0,0
  row 1 height=300 print=0,1,0,0,0,0,0,0
  row 2 height=300 print=0,1,0,0,0,0,0,0
  cell col=1 row=1 text="Poste"
  cell col=2 row=1 text="Montant"
  cell col=1 row=2 text="Apport"
  cell col=2 row=2 text="1500"
  attribute col=1 row=1 name="POSTE" script="SUR IMPRESSION\r\nQUE MODE = EXPORTEIMPRIMEPAGE(0)"
  attribute col=2 row=2 type=1 name="APPORT"
object kind=tableau name="VIDE" rect=600,2000,4800,300
  grid cols=1 rows=1
  column 1 width=2400
  row 1 height=300
object kind=action name="MONTREE" A1=11 text="QUE VUE = VUE + 1"
object kind=rtf name="R" rect=600,3000,6000,900 G3=2 text="{\\rtf1\\ansi Apport $ident(DEBUT,G,APPORT)$ et poste $ident(DEBUT,G,POSTE)$, $ident(DEBUT,G,APPORT)"
)S";

// Two references of one text replaced by the cells' values; a reference
// that never closes stays as it is and ends the replacing.
TEST_F(Exportation, CellReferencesOfARichTextAreReplaced) {
    p_.ChargerScene(kScene);
    p_.ExecuterJusqua(100);
    p_.RepondreFichier(Chemin("r.rtf"));
    Executer("DECLARE R\r\nQUE R = EXPORTEDEBUT(3)\r\nQUE R = EXPORTEOBJET('DEBUT';'R')\r\nQUE R = EXPORTEFIN(0)");
    EXPECT_EQ(TexteRtf(Lire(Chemin("r.rtf"))), "Apport 1 500,0 et poste Poste, $ident(DEBUT,G,APPORT)");
}

// Every object after the first is set apart by two line ends, also a grid
// that becomes a sheet only.
TEST_F(Exportation, LaterObjectsAreSetApartByTwoLineEnds) {
    p_.ChargerScene(kScene);
    p_.ExecuterJusqua(100);
    p_.RepondreFichier(Chemin("s.rtf"));
    Executer(
        "DECLARE R\r\nQUE R = EXPORTEDEBUT(3)\r\nQUE R = EXPORTEOBJET('DEBUT';'R')\r\n"
        "QUE R = EXPORTEOBJET('DEBUT';'G')\r\nQUE R = EXPORTEOBJET('DEBUT';'R')\r\nQUE R = EXPORTEFIN(0)");
    const std::string r = "Apport 1 500,0 et poste Poste, $ident(DEBUT,G,APPORT)";
    EXPECT_EQ(TexteRtf(Lire(Chemin("s.rtf"))), r + "\r\n\r\n\r\n\r\n" + r);
}

// An empty grid makes no sheet and no placeholder: the sheets that follow
// keep their numbers, in the text as in the workbook.
TEST_F(Exportation, AnEmptyGridKeepsTheSheetCount) {
    p_.ChargerScene(kScene);
    p_.ExecuterJusqua(100);
    p_.RepondreFichier(Chemin("t.xls"));
    Executer(
        "DECLARE R\r\nQUE R = EXPORTEDEBUT(1)\r\nQUE R = EXPORTEOBJET('DEBUT';'VIDE')\r\n"
        "QUE R = EXPORTEOBJET('DEBUT';'G')\r\nQUE R = EXPORTEOBJET('DEBUT';'VIDE')\r\nQUE R = EXPORTEFIN(1)");
    const auto classeur = print::test::LireAvecFreexl(Chemin("t.xls"));
    ASSERT_EQ(classeur.code, FREEXL_OK);
    ASSERT_EQ(classeur.feuilles.size(), 1u);
    EXPECT_EQ(classeur.feuilles[0].valeurs.at({1, 1}), "n:1500");

    p_.RepondreFichier(Chemin("t.rtf"));
    Executer(
        "DECLARE R\r\nQUE R = EXPORTEDEBUT(3)\r\nQUE R = EXPORTEOBJET('DEBUT';'RTF_VIDE')\r\n"
        "QUE R = EXPORTEOBJET('DEBUT';'RTF_G')\r\nQUE R = EXPORTEFIN(0)");
    const std::string rtf = Lire(Chemin("t.rtf"));
    EXPECT_NE(rtf.find("\\trowd"), std::string::npos);
    EXPECT_EQ(rtf.find("$TABLEAU_RTF"), std::string::npos);
    EXPECT_NE(TexteRtf(rtf).find("Apport"), std::string::npos);
    // The document's tables hold what the tables use: font 11 Arial, colour
    // 1 black, 2 and 8 white.
    const auto lu = rtf::LireRtf(rtf);
    ASSERT_TRUE(lu.document.has_value());
    const rtf::Police* f11 = lu.document->PoliceNumero(11);
    ASSERT_NE(f11, nullptr);
    EXPECT_EQ(f11->nom, "Arial");
    ASSERT_GE(lu.document->couleurs.size(), 9u);
    const rtf::CouleurRtf noir{false, 0, 0, 0}, blanc{false, 255, 255, 255};
    EXPECT_EQ(lu.document->couleurs[1], noir);
    EXPECT_EQ(lu.document->couleurs[2], blanc);
    EXPECT_EQ(lu.document->couleurs[8], blanc);
    // Into the text, the grid is followed by its page's commentary text.
    EXPECT_NE(TexteRtf(rtf).find("Apport 1 500,0"), std::string::npos);
}

// The chosen name decides the tables' format: ".txt" in any case gives the
// delimited text, every other name a workbook.
TEST_F(Exportation, TheNameChoosesTheFormatOfTheTables) {
    p_.ChargerScene(kScene);
    p_.ExecuterJusqua(100);
    struct Cas {
        const char* nom;
        bool delimite;
    };
    for (const Cas& c : {Cas{"a.TxT", true}, Cas{"b.txt", true}, Cas{"c.xls", false}, Cas{"d.txt.xls", false},
                         Cas{"e.dat", false}}) {
        SCOPED_TRACE(c.nom);
        p_.RepondreFichier(Chemin(c.nom));
        Executer("DECLARE R\r\nQUE R = EXPORTEDEBUT(1)\r\nQUE R = EXPORTEOBJET('DEBUT';'G')\r\nQUE R = EXPORTEFIN(1)");
        const std::string octets = Lire(Chemin(c.nom));
        if (c.delimite) {
            EXPECT_EQ(octets, "Poste\tMontant\r\nApport\t1500,00\r\n");
        } else {
            EXPECT_EQ(octets.rfind("\xD0\xCF\x11\xE0", 0), 0u);
            EXPECT_EQ(print::test::LireAvecFreexl(Chemin(c.nom)).code, FREEXL_OK);
        }
    }
}

// The end of a run always closes it: after a write, a cancel, a No to the
// overwrite question or a file that cannot be written, the mode is 0, the
// progress window closed and the current page shown again; the failed
// write is told to the user, and the next run starts from nothing.
TEST_F(Exportation, EveryEndClosesTheRunAndAFailedWriteSaysSo) {
    p_.ChargerScene(kScene);
    p_.ExecuterJusqua(100);
    const std::string existant = Chemin("existant.rtf");
    std::ofstream(existant, std::ios::binary) << std::string(5000, 'x');
    const std::string script =
        "DECLARE R\r\nQUE R = EXPORTEDEBUT(4)\r\nQUE R = EXPORTEOBJET('DEBUT';'R')\r\n"
        "QUE MODE = EXPORTEIMPRIMEPAGE(0)\r\nQUE R = EXPORTEFIN(0)";
    struct Cas {
        const char* nom;
        std::optional<std::string> chemin;  // the dialog's answer
        int reponse;                        // to the overwrite question, 0 when none is asked
        bool ecrit;
        bool echec;
    };
    const Cas cas[] = {
        {"annule", std::nullopt, 0, false, false},
        {"non", existant, platform::Code(platform::Reponse::Non), false, false},
        {"oui", existant, platform::Code(platform::Reponse::Oui), true, false},
        {"dossier absent", Chemin("absent/x.rtf"), 0, false, true},
        {"un dossier", sortie_.string(), platform::Code(platform::Reponse::Oui), false, true},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const std::size_t messages = p_.Messages().messages.size();
        p_.FenetreAffichage().progression.clear();
        auto& variables = p_.Moteur().ScriptsDuMoteur().Variables();
        const std::string vues = variables.VarValeur("VUE").EnTexte();
        p_.RepondreFichier(c.chemin);
        if (c.reponse != 0) p_.RepondreMessage(c.reponse);
        Executer(script);
        EXPECT_EQ(variables.VarValeur("MODE").EnTexte(), "4");
        EXPECT_EQ(Mode(), 0);
        EXPECT_EQ(p_.FenetreAffichage().progression, (std::vector<std::string>{"ouvre Exportation", "ferme"}));
        // The page is shown again.
        EXPECT_EQ(variables.VarValeur("VUE").EnTexte(), std::to_string(std::stoi(vues) + 1));
        const auto& m = p_.Messages().messages;
        std::size_t k = messages;
        if (c.reponse != 0) {
            ASSERT_GT(m.size(), k);
            EXPECT_EQ(m[k].texte, "Voulez-vous \xE9" "craser le fichier existant ?");
            EXPECT_EQ(m[k].titre, "Corvanne Rarevive Zaru");
            ++k;
        }
        if (c.echec) {
            ASSERT_EQ(m.size(), k + 1);
            EXPECT_NE(m[k].texte.find("n'a pas pu \xEAtre \xE9" "crit"), std::string::npos) << m[k].texte;
        } else {
            EXPECT_EQ(m.size(), k);
        }
        if (c.ecrit) {
            // Exactly the new text over the longer file.
            const std::string octets = Lire(existant);
            EXPECT_EQ(octets.find('x' + std::string(10, 'x')), std::string::npos);
            EXPECT_EQ(TexteRtf(octets), "Apport 1 500,0 et poste Poste, $ident(DEBUT,G,APPORT)");
        }
    }
    // Nothing of the earlier runs remains in the next one.
    p_.RepondreFichier(Chemin("seul.rtf"));
    Executer("DECLARE R\r\nQUE R = EXPORTEOBJET('DEBUT';'G')\r\nQUE R = EXPORTEFIN(0)");
    EXPECT_EQ(TexteRtf(Lire(Chemin("seul.rtf"))), "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(sortie_), {}), 2);  // no temporary left
}

// The mode word through a run: the grid's print event reads the export
// modes 3 and 4 as 0 and 2; a grid into the text sets 3 (4 stays), a grid
// as a sheet only 1, and the run leaves it so until its end.
// The width a table band may take: the printer's right edge less its left
// offset (150 of 4660 pixels over 197.3 mm is 6.35 mm, 360 twips).
TEST(ExportationLargeur, ThePrintersRightEdgeLessItsLeftOffset) {
    print::ImprimanteFixe imprimante;
    EXPECT_EQ(LargeurUtileTableaux(imprimante), 11184 - 360);
    imprimante.page.echelleGauche = 100.5;
    imprimante.page.decalageXPixels = 0;
    EXPECT_EQ(LargeurUtileTableaux(imprimante), 11284);  // 11284.5 to even
    imprimante.page.largeurPixels = 0;  // no device values: no offset
    EXPECT_EQ(LargeurUtileTableaux(imprimante), 11284);
}

TEST_F(Exportation, TheModeWordWhileGridsAreCopied) {
    p_.ChargerScene(kScene);
    p_.ExecuterJusqua(100);
    struct Cas {
        int debut;
        const char* objet;
        const char* pendant;  // read by the grid's print event
        const char* apres;    // read by the script after the grid
    };
    for (const Cas& c : {Cas{3, "RTF_G", "0", "3"}, Cas{4, "RTF_G", "2", "4"}, Cas{1, "RTF_G", "0", "3"},
                         Cas{3, "G", "1", "1"}, Cas{4, "G", "1", "1"}}) {
        SCOPED_TRACE(std::to_string(c.debut) + " " + c.objet);
        Executer("DECLARE R\r\nQUE R = EXPORTEDEBUT(" + std::to_string(c.debut) + ")\r\nQUE R = EXPORTEOBJET('DEBUT';'" +
                 c.objet + "')\r\nQUE APRES = EXPORTEIMPRIMEPAGE(0)\r\nQUE R = EXPORTEFIN(0)");
        auto& variables = p_.Moteur().ScriptsDuMoteur().Variables();
        EXPECT_EQ(variables.VarValeur("MODE").EnTexte(), c.pendant);
        EXPECT_EQ(variables.VarValeur("APRES").EnTexte(), c.apres);
        EXPECT_EQ(Mode(), 0);
    }
}

// The action plan's table and the identity table keep their own layout in
// the RTF file: every row of fixed height for the first; for the second
// (its title one blank) no right border added where a band ends inside the
// sheet, which an ordinary table gets.
TEST_F(Exportation, TheActionPlanAndIdentityTablesKeepTheirLayout) {
    // Three columns too wide for one band: each band ends inside the sheet.
    const std::string grille = R"S(
  grid cols=3 rows=2
  column 1 width=5000 print=0,1,0,0,0,0,0,0
  column 2 width=5000 print=0,1,0,0,0,0,0,0
  column 3 width=5000 print=0,1,0,0,0,0,0,0
  row 1 height=300 print=0,1,0,0,0,0,0,0
  row 2 height=300 print=0,1,0,0,0,0,0,0
  cell col=1 row=1 text="A"
  cell col=3 row=2 text="B"
)S";
    p_.ChargerScene("scene\npage\nobject kind=fond name=\"TABPLANACTION\" rect=0,0,9600,7200\n"
                    "object kind=tableau name=\"ACTION\" rect=0,0,4800,600" + grille +
                    "page\nobject kind=fond name=\"TABIDENT\" rect=0,0,9600,7200\n"
                    "object kind=tableau name=\"IDENT\" rect=0,0,4800,600" + grille +
                    "object kind=tableau name=\"AUTRE\" rect=0,1000,4800,600" + grille);
    p_.ExecuterJusqua(100);
    p_.RepondreFichier(Chemin("modes.rtf"));
    Executer(
        "DECLARE R\r\nQUE R = IMPRIMETITRE('TABIDENT';'IDENT';' ';0)\r\nQUE R = EXPORTEDEBUT(3)\r\n"
        "QUE R = EXPORTEOBJET('TABPLANACTION';'RTF_ACTION')\r\nQUE R = EXPORTEOBJET('TABIDENT';'RTF_IDENT')\r\n"
        "QUE R = EXPORTEOBJET('TABIDENT';'RTF_AUTRE')\r\nQUE R = EXPORTEFIN(0)");
    const std::string rtf = Lire(Chemin("modes.rtf"));
    // The bands in order, each ended by its closing paragraph: three per table.
    std::vector<std::string> bandes;
    const std::string fin = "\\pard \\nowidctlpar\\adjustright {\\cgrid0 \\par }";
    for (std::size_t debut = rtf.find("\\trowd"), k;
         debut != std::string::npos && (k = rtf.find(fin, debut)) != std::string::npos;
         debut = rtf.find("\\trowd", k)) {
        bandes.push_back(rtf.substr(debut, k - debut));
    }
    ASSERT_EQ(bandes.size(), 9u) << rtf;
    EXPECT_NE(bandes[0].find("\\trrh-250"), std::string::npos);
    EXPECT_EQ(bandes[3].find("\\trrh-250"), std::string::npos);
    const std::string bordDroit = "\\clbrdrr\\brdrs\\brdrw20";
    EXPECT_EQ(bandes[3].find(bordDroit), std::string::npos) << bandes[3];
    EXPECT_NE(bandes[6].find(bordDroit), std::string::npos) << bandes[6];
}

}  // namespace
}  // namespace korv::programme
