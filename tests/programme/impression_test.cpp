// A print script run in play on the composed program: the job's items for
// the sample's pages (a rich text, the cash grid, the forecast grid in bands
// repeating its label column, the chart), paginated headless.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/moteur.h"
#include "engine/scripts_moteur.h"
#include "engine/recherche.h"
#include "print/texte_travail.h"
#include "print/travail.h"
#include "rtf/document.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

std::string Exemple() {
    std::ifstream f(KORV_SAMPLE_SCENE, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// Content items as "page:kind", kind T (text), G<first col>-<last col>
// (grid piece) or C (chart).
std::vector<std::string> Contenus(const print::ImpressionTravail& t) {
    std::vector<std::string> r;
    for (const auto& e : t.Elements) {
        if (e.Genre == print::GenreElement::TitreTableau) {
            r.push_back(std::to_string(e.Page) + ":titre");
            continue;
        }
        if (e.Genre != print::GenreElement::Contenu) continue;
        std::string s = std::to_string(e.Page) + ":";
        if (e.ObjetTableau != 0) {
            s += "G" + std::to_string(e.ObjetTableau) + "c" + std::to_string(e.PremCol) + "-" +
                 std::to_string(e.DernCol) + "r" + std::to_string(e.PremLig) + "-" + std::to_string(e.DernLig);
        } else if (e.ObjetGraphique != 0) {
            s += "C";
        } else {
            s += "T";
        }
        r.push_back(s);
    }
    return r;
}

constexpr const char* kScript =
    "DECLARE R\r\n"
    "QUE R = IMPRIMEPREPAREDEBUT(1)\r\n"
    "QUE R = IMPRIMEMARGES(20;15;20;15;5;5)\r\n"
    "QUE R = IMPRIMEOBJET('TEXTE_RICHE';'PRESENTATION';'TITRE';1)\r\n"
    "QUE R = IMPRIMESAUTEPAGE(0)\r\n"
    "QUE R = IMPRIMEOBJET('DEBUT';'TRESORERIE';0)\r\n"
    "QUE R = IMPRIMEOBJET('FINANCES';'PREVISIONS';0)\r\n"
    "QUE R = IMPRIMEOBJET('GRAPHIQUE';'COURBE';0)\r\n"
    "QUE R = IMPRIMESAUTEPAGE(0)\r\n"
    "QUE R = IMPRIMEPREPAREFIN(1)";

TEST(Impression, APrintScriptPaginatesTheSamplesPages) {
    PiloteProgramme p;
    p.ChargerScene(Exemple());
    p.ExecuterJusqua(100);
    p.Moteur().ScriptsDuMoteur().ProgScriptExecute(kScript, 1, -1, "");
    const print::ImpressionTravail& t = p.Programme().TravailImpression();

    // The margins in twips; the A4 page of the headless composition.
    EXPECT_DOUBLE_EQ(t.MargeGauche, 1134);
    EXPECT_EQ(t.ModeImpressionExport, 1);
    EXPECT_TRUE(t.ApercuPrepare);
    // The text (its page marker is not a page break), a page break, the two
    // grids with their titles, the chart on a page of its own; the final
    // break is dropped. The body is 7782 twips wide (both side margins and
    // the left offset come off the width): the cash grid's 8400 twips make
    // two bands, and the forecast's 2400-twip label column repeats before
    // every band of four 1250-twip months, the later bands from row 2.
    const std::vector<std::string> attendu = {"1:T",           "2:titre",         "2:G1c1-2r1-4",
                                              "2:G1c3-3r2-4",  "2:titre",         "2:G2c2-5r1-10",
                                              "2:G2c6-9r2-10", "2:G2c10-13r2-10", "3:G2c14-16r2-10",
                                              "4:C"};
    EXPECT_EQ(Contenus(t), attendu);
    EXPECT_EQ(t.NombreDePages, 4);
    ASSERT_EQ(t.feuilles.size(), 2u);
    EXPECT_EQ(t.feuilles[1]->ColonnesTitre(), 1);
    ASSERT_EQ(t.graphiques.size(), 1u);
    EXPECT_FALSE(t.graphiques[0].contenu.series.empty());
    // The progress window opened at the start and closed at the end.
    const auto& progression = p.FenetreAffichage().progression;
    ASSERT_FALSE(progression.empty());
    EXPECT_EQ(progression.front().rfind("ouvre ", 0), 0u);
    EXPECT_EQ(progression.back(), "ferme");
    // Nothing in the error log.
    EXPECT_EQ(p.JournalErreurs(), "");
}

// A cell reference in a rich text prints the cell's display text.
TEST(Impression, CellReferencesReadTheScenesGrids) {
    PiloteProgramme p;
    p.ChargerScene(Exemple());
    p.ExecuterJusqua(100);
    engine::Scene& scene = p.Moteur().scene;
    const int page = engine::NumeroDePage(scene, "TEXTE_RICHE");
    const int objet = engine::NumeroObjet(scene, page, "PRESENTATION");
    ASSERT_GT(objet, 0);
    scene.Page(page).Objet(objet).texte =
        "Total : $ident(DEBUT,TRESORERIE,TOTAL)$ ; inconnu : $ident(DEBUT,TRESORERIE,AUCUNE)$.";
    p.Moteur().ScriptsDuMoteur().ProgScriptExecute(
        "DECLARE R\r\nQUE R = IMPRIMEPREPAREDEBUT(1)\r\n"
        "QUE R = IMPRIMEOBJET('TEXTE_RICHE';'PRESENTATION';0)\r\nQUE R = IMPRIMEPREPAREFIN(1)",
        1, -1, "");
    const print::ImpressionTravail& t = p.Programme().TravailImpression();
    ASSERT_EQ(t.TextesAImprimer.size(), 1u);
    print::TexteTravail texte;
    texte.DefinirRtf(std::get<std::string>(t.TextesAImprimer[0]));
    EXPECT_EQ(rtf::TexteUtf8(texte.TexteBrut()), "Total : 24 000,0 ; inconnu : .");
}

// A printed grid keeps its rows' and columns' sizes; with a print title in
// the sheet's first row, each grid row's height goes one sheet row down and
// the title row is a pixel's square of twips (225) taller than a plain row.
TEST(Impression, PrintedRowsAndColumnsKeepTheGridsSizes) {
    struct Cas {
        const char* titre;  // script text; empty: no title
        std::vector<std::int32_t> hauteurs;  // sheet rows 1..
    };
    for (const Cas& c : {Cas{"", {300, 600, 900}}, Cas{"Budget", {480, 300, 600, 900}}}) {
        SCOPED_TRACE(c.titre);
        PiloteProgramme p;
        p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,4800,1800
  grid cols=2 rows=3
  column 1 width=2400 print=0,1,0,0,0,0,0,0
  column 2 width=1200 print=0,1,0,0,0,0,0,0
  row 1 height=300 print=0,1,0,0,0,0,0,0
  row 2 height=600 print=0,1,0,0,0,0,0,0
  row 3 height=900 print=0,1,0,0,0,0,0,0
  cell col=1 row=1 text="A"
  cell col=1 row=2 text="B"
  cell col=1 row=3 text="C"
)S");
        p.ExecuterJusqua(100);
        p.Moteur().ScriptsDuMoteur().ProgScriptExecute(
            std::string("DECLARE R\r\nQUE R = IMPRIMETITRE('DEBUT';'G';'") + c.titre +
                "';0)\r\nQUE R = IMPRIMEPREPAREDEBUT(1)\r\nQUE R = IMPRIMEOBJET('DEBUT';'G';0)\r\n"
                "QUE R = IMPRIMEPREPAREFIN(1)",
            1, -1, "");
        const print::ImpressionTravail& t = p.Programme().TravailImpression();
        ASSERT_EQ(t.feuilles.size(), 1u);
        const print::FeuilleImprimee& f = *t.feuilles[0];
        ASSERT_EQ(f.DerniereLigne(), static_cast<int>(c.hauteurs.size()));
        std::vector<std::int32_t> hauteurs;
        for (int r = 1; r <= f.DerniereLigne(); ++r) hauteurs.push_back(f.HauteurLigne(r));
        EXPECT_EQ(hauteurs, c.hauteurs);
        EXPECT_EQ(f.LargeurColonne(1), 2400);
        EXPECT_EQ(f.LargeurColonne(2), 1200);
        EXPECT_EQ(p.JournalErreurs(), "");
    }
}

TEST(Impression, OutsidePlayNothingIsAdded) {
    PiloteProgramme p;
    p.ChargerScene(Exemple());
    p.ExecuterJusqua(100);
    p.Moteur().jeu.ModeProgramme = 0;
    p.Moteur().ScriptsDuMoteur().ProgScriptExecute(kScript, 1, -1, "");
    EXPECT_TRUE(p.Programme().TravailImpression().TextesAImprimer.empty());
    EXPECT_TRUE(p.Programme().TravailImpression().Elements.empty());
}

}  // namespace
}  // namespace korv::programme

namespace korv::programme {
namespace {

// The end of a print script opens the preview modally; the window's first
// activation paginates, a second asks for nothing more.
TEST(Impression, TheEndOfAPrintScriptOpensThePreviewWhichPaginatesOnce) {
    PiloteProgramme p;
    p.ChargerScene(Exemple());
    p.ExecuterJusqua(100);
    std::size_t elements = 0;
    p.Apercu().reponse = [&elements](print::ContexteApercu& c) {
        elements = c.travail.Elements.size();
        EXPECT_EQ(c.paginer(), 4);
        EXPECT_EQ(c.travail.Elements.size(), elements);
    };
    p.Moteur().ScriptsDuMoteur().ProgScriptExecute(kScript, 1, -1, "");
    EXPECT_EQ(p.Apercu().ouvertures, 1);
    EXPECT_FALSE(p.Apercu().prepareAvant);
    EXPECT_EQ(p.Apercu().pages, 4);
    EXPECT_GT(elements, 0u);
    EXPECT_EQ(p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::programme

namespace korv::programme {
namespace {

// The grid and chart copies the items point at outlive the closed preview
// (they are painted from until then) and are replaced by the next job's.
TEST(Impression, TheJobsCopiesOutliveThePreviewUntilTheNextJob) {
    PiloteProgramme p;
    p.ChargerScene(Exemple());
    p.ExecuterJusqua(100);
    const print::ImpressionTravail& t = p.Programme().TravailImpression();
    for (int job = 1; job <= 2; ++job) {
        p.Moteur().ScriptsDuMoteur().ProgScriptExecute(kScript, 1, -1, "");
        EXPECT_EQ(p.Apercu().ouvertures, job);
        ASSERT_EQ(t.feuilles.size(), 2u) << job;
        ASSERT_EQ(t.graphiques.size(), 1u) << job;
        for (const auto& e : t.Elements) {
            EXPECT_LE(e.ObjetTableau, 2) << job;
            if (e.ObjetTableau > 0) {
                EXPECT_NE(t.feuilles[static_cast<std::size_t>(e.ObjetTableau - 1)], nullptr);
            }
            EXPECT_LE(e.ObjetGraphique, 1) << job;
        }
    }
    EXPECT_EQ(p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::programme
