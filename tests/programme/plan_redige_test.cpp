// The written plan printed and exported on the composed program: the
// contents built into its page object with page numbers that pagination
// fills, the steps in order on their pages, the current page's print and
// export commands, and the contents box that TEXTERECHERCHEPAGE searches.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "formula/fonctions_texte_riche.h"
#include "formula/variables.h"
#include "plan/boite_riche.h"
#include "plan/entree_page.h"
#include "engine/recherche.h"
#include "engine/scripts_moteur.h"
#include "plan/methode/etapes_methode.h"
#include "platform/cp1252.h"
#include "grid/feuille.h"
#include "print/feuille_imprimee.h"
#include "print/texte_travail.h"
#include "rtf/lecteur.h"
#include "print/travail.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

constexpr const char* kScene = R"S(
scene
page
object kind=fond name="ACCUEIL" rect=0,0,9600,7200
object kind=rtf name="SOMMAIRE" rect=0,0,600,600 G3=2 text=""
object kind=rtf name="NOTES" rect=0,600,600,600 G3=2 text="{\\rtf1 Mes notes}"
object kind=rtf name="PREFACE" rect=0,1200,600,600 G3=2 text=""
object kind=action name="IMPRIME" A1=20 text="QUE DUMMY=IMPRIMEOBJET('ACCUEIL';'NOTES';0)"
page
object kind=fond name="METAUTOMET" rect=0,0,9600,7200
object kind=rtf name="MET" rect=0,0,600,600 G3=2 text="{\\rtf1 Explications}"
object kind=action name="PANNEAU" A1=16 text="METAUTO"
page
object kind=fond name="IMPRIMEPAGE" rect=0,0,9600,7200
object kind=action name="DEBUT" text="QUE DUMMY=IMPRIMEPREPAREDEBUT(1)"
object kind=action name="FIN" text="QUE DUMMY=IMPRIMEPREPAREFIN(1)"
page
object kind=fond name="TABRD" rect=0,0,9600,7200
object kind=tableau name="RD" rect=600,600,4800,600 G1=2
  grid cols=2 rows=2 coloffset=1 rowoffset=1
  column 1 width=2400 print=0,1,0,0,0,0,0,0
  column 2 width=2400 print=0,1,0,0,0,0,0,0
  row 1 height=300 print=0,1,0,0,0,0,0,0
  row 2 height=300 print=0,1,0,0,0,0,0,0
  cell col=1 row=1 text="Budget"
  cell col=2 row=2 text="5"
  attribute col=2 row=2 editable=1 bg=16777215
object kind=action name="IMPRIME" A1=20 text="QUE DUMMY=IMPRIMEOBJET('TABRD';'RD';0)"
page
object kind=fond name="TABANVAR" rect=0,0,9600,7200
object kind=tableau name="RD" rect=600,600,4800,600 G1=2
  grid cols=1 rows=2 coloffset=1 rowoffset=1
object kind=action name="IMPRIME" A1=20 text="QUE DUMMY=IMPRIMEOBJET('TABANVAR';'RD';0)"
)S";

constexpr const char* kPlanRedige =
    "QUE DUMMY=IMPRIMEPREPAREDEBUT(1)\r\n"
    "QUE DUMMY=MAJSOMMAIRE('ACCUEIL';'SOMMAIRE';1)\r\n"
    "QUE DUMMY=IMPRIMEOBJET('ACCUEIL';'PREFACE';0)\r\n"
    "QUE DUMMY=IMPRIMEOBJET('ACCUEIL';'SOMMAIRE';0)\r\n"
    "QUE DUMMY=IMPRIMESAUTEPAGE(0)\r\n"
    "QUE DUMMY=IMPRIMEOBJET('ORVANE';'REDACTIONNEL';0)\r\n"
    "QUE DUMMY=IMPRIMEPREPAREFIN(1)";

std::string Utf8(const std::u32string& t) { return platform::Cp1252VersUtf8(platform::U32VersCp1252(t)); }

// Each printed text piece: its printed page number and its plain text;
// `texte` receives the text each piece belongs to.
std::vector<std::pair<int, std::string>> Morceaux(const print::ImpressionTravail& t,
                                                  std::vector<int>* texte = nullptr) {
    std::vector<std::pair<int, std::string>> r;
    for (const auto& e : t.Elements) {
        if (e.Genre != print::GenreElement::Contenu || e.ObjetTableau != 0 || e.ObjetGraphique != 0) continue;
        if (e.ElementTexte < 1 || static_cast<std::size_t>(e.ElementTexte) > t.Elements.size()) continue;
        print::TexteTravail b;
        if (!b.DefinirRtf(t.Elements[static_cast<std::size_t>(e.ElementTexte - 1)].Texte)) continue;
        const std::u32string brut = b.TexteBrut();
        const auto debut = static_cast<std::size_t>(std::max(e.CaractereDebut, 0));
        const std::size_t fin = e.CaractereFin < 0 ? brut.size() : static_cast<std::size_t>(e.CaractereFin);
        if (debut >= brut.size()) continue;
        r.emplace_back(print::NumeroImprime(t, e.Page), Utf8(brut.substr(debut, fin - debut)));
        if (texte) texte->push_back(e.ElementTexte);
    }
    return r;
}

std::vector<std::string> Lignes(const std::string& texte) {
    std::vector<std::string> r(1);
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] == '\r') continue;
        if (texte[i] == '\n') {
            r.emplace_back();
        } else {
            r.back() += texte[i];
        }
    }
    return r;
}

class PlanRedigeProgramme : public ::testing::Test {
protected:
    void SetUp() override {
        p.ChargerScene(kScene);
        p.ExecuterJusqua(100);
        // The outline the program builds at start-up.
        if (p.Programme().Etapes().NombreEtapes() == 0) p.Programme().Etapes().MethodePlanDefautCreer();
    }
    void Ecrire(std::string_view code, std::string_view texte) {
        plan::MethodeEtapes& e = p.Programme().Etapes();
        ASSERT_GT(e.NumeroEtape(code), 0) << code;
        e.Etape(e.NumeroEtape(code)).TexteRedige = plan::TexteRtfArial10(platform::Utf8VersCp1252(texte), false);
    }
    void Executer(std::string_view script) { p.Moteur().ScriptsDuMoteur().ProgScriptExecute(script, 1, -1, ""); }
    const print::ImpressionTravail& Travail() { return p.Programme().TravailImpression(); }

    PiloteProgramme p;
};

// Every numbered contents line shows the page where its step's title is
// printed, and a contents longer than a page keeps each line once.
TEST_F(PlanRedigeProgramme, EachContentsLineShowsThePageOfItsStepsTitle) {
    plan::MethodeEtapes& e = p.Programme().Etapes();
    for (int i = 1; i <= e.NombreEtapes(); ++i) {
        // Long texts: most steps start on a page of their own.
        Ecrire(e.Etape(i).Code, std::string(4000, 'x') + " fin de " + e.Etape(i).Code);
    }
    // A preface of 40 lines: the contents that follows it goes on over the
    // next page.
    std::string preface = "{\\rtf1 ";
    for (int i = 0; i < 40; ++i) preface += "ligne\\par ";
    p.Moteur().scene.Page(1).Objet(4).texte = preface + "}";
    Executer(kPlanRedige);
    std::vector<int> textes;
    const auto morceaux = Morceaux(Travail(), &textes);
    ASSERT_FALSE(morceaux.empty()) << p.JournalErreurs();

    // The contents, over two pages.
    std::string contenu;
    std::set<int> pagesContenu;
    int sommaire = 0;
    std::size_t k = 0;
    for (std::size_t j = 0; j < morceaux.size(); ++j) {
        if (sommaire == 0 && morceaux[j].second.find("Introduction \t") != std::string::npos) sommaire = textes[j];
        if (sommaire == 0 || textes[j] != sommaire) continue;
        contenu += morceaux[j].second;
        pagesContenu.insert(morceaux[j].first);
        k = j + 1;
    }
    EXPECT_EQ(pagesContenu.size(), 2u) << contenu;

    std::map<std::string, int> lignes;  // a contents line without its page: its page
    int numerotees = 0;
    for (const std::string& l : Lignes(contenu)) {
        if (l.empty()) continue;
        const auto tab = l.find('\t');
        ASSERT_NE(tab, std::string::npos) << l;
        std::string titre = l.substr(0, tab);
        while (!titre.empty() && titre.back() == ' ') titre.pop_back();
        const std::string t = titre.substr(titre.find_first_not_of(' '));
        EXPECT_EQ(lignes.count(t), 0u) << "twice: " << t;
        const std::string page = l.substr(tab + 1);
        lignes[t] = page.empty() ? 0 : std::stoi(page.substr(5));
        if (!page.empty()) ++numerotees;
        EXPECT_TRUE(page.empty() || page.starts_with("page ")) << l;
    }
    // Every step is listed once (3.1. is never listed).
    EXPECT_EQ(lignes.size(), 44u);
    EXPECT_GE(numerotees, 30);
    // Each numbered line: the page where the step's title is printed.
    for (const auto& [titre, page] : lignes) {
        if (page == 0) continue;
        int trouvee = 0;
        for (std::size_t j = k; j < morceaux.size(); ++j) {
            const auto& [pageMorceau, texte] = morceaux[j];
            if (texte.find(titre + "\r\n") != std::string::npos) {
                trouvee = pageMorceau;
                break;
            }
        }
        EXPECT_EQ(trouvee, page) << titre;
    }
}

// The print of a method page goes through the scene's own start and end of
// job around a summary entry and the step; the page's own print lines
// elsewhere. The method page keeps its text.
TEST_F(PlanRedigeProgramme, PrintingTheCurrentPage) {
    Ecrire("42", "Notre produit");
    p.Programme().Etapes().EtapeCouranteCode() = "42";
    engine::SauteALaPage(p.Moteur(), 2);
    p.ExecuterJusqua(200);
    p.Programme().Recepteur().MenuPlan(plan::CommandePlan::ImprimerPage);
    const auto m = Morceaux(Travail());
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].second, "La strat\xC3\xA9gie produit\r\n\r\nNotre produit\r\n");
    EXPECT_EQ(Travail().ModeImpressionExport, 0);
    EXPECT_EQ(p.Moteur().scene.Page(2).Objet(2).texte, "{\\rtf1 Explications}");

    engine::SauteALaPage(p.Moteur(), 1);
    p.ExecuterJusqua(300);
    p.Programme().Recepteur().MenuPlan(plan::CommandePlan::ImprimerPage);
    const auto n = Morceaux(Travail());
    ASSERT_EQ(n.size(), 1u);
    EXPECT_EQ(n[0].second, "Mes notes");
    EXPECT_EQ(p.JournalErreurs(), "");
    EXPECT_TRUE(p.Messages().messages.empty());
}

// A step's table page is copied in mode 2, and a grid printed later in the
// same job in the job's own mode (printing: the larger font).
TEST_F(PlanRedigeProgramme, AfterAStepsTablesTheJobKeepsItsMode) {
    p.Programme().Etapes().EtapeCouranteCode() = "423";
    Executer("QUE DUMMY=IMPRIMEPREPAREDEBUT(1)\r\n"
             "QUE DUMMY=IMPRIMEOBJET('ORVANE';'PAGEMETHODE';0)\r\n"
             "QUE DUMMY=IMPRIMEOBJET('TABRD';'RD';0)");
    const auto& f = Travail().feuilles;
    ASSERT_EQ(f.size(), 2u) << p.JournalErreurs();
    ASSERT_NE(f[0]->Feuille(), nullptr);
    EXPECT_EQ(f[0]->Feuille()->taillePolice, 8) << "the step's table, mode 2";
    EXPECT_EQ(f[1]->Feuille()->taillePolice, 10) << "the job's grid, mode 1";
    EXPECT_EQ(Travail().ModeImpressionExport, 1);
}

// The contents and the steps are composed apart: the writing box keeps the
// step being written and the edit box stays as it was.
TEST_F(PlanRedigeProgramme, TheWritingAndEditBoxesAreLeftAlone) {
    Ecrire("42", "Notre produit");
    p.Programme().Etapes().EtapeCouranteCode() = "42";
    engine::SauteALaPage(p.Moteur(), 2);
    p.ExecuterJusqua(200);
    plan::BoiteTexteRiche& redaction = p.Redaction().Boite();
    const std::string avant = redaction.TexteRtf();
    const std::string edition = p.BoiteEditionRiche().TexteRtf();
    Executer(kPlanRedige);
    EXPECT_EQ(redaction.TexteRtf(), avant);
    EXPECT_EQ(p.BoiteEditionRiche().TexteRtf(), edition);
    print::TexteTravail b;
    ASSERT_TRUE(b.DefinirRtf(avant));
    EXPECT_EQ(b.TexteBrut(), U"Notre produit");
}

// The written plan and a method page exported to RTF: read back by our
// reader, the titles and texts in order, a page break before each chapter,
// no placeholder left.
TEST_F(PlanRedigeProgramme, TheWrittenPlanAndAMethodPageAreExported) {
    Ecrire("21", "Fondée en 2020");
    Ecrire("423", "Trois prototypes");
    const auto dossier = std::filesystem::path(p.DossierProgramme()) / "sortie";
    std::filesystem::create_directories(dossier);
    const auto lire = [](const std::filesystem::path& f) {
        std::ifstream in(f, std::ios::binary);
        const std::string octets{std::istreambuf_iterator<char>(in), {}};
        const auto l = rtf::LireRtf(octets);
        EXPECT_TRUE(l.document.has_value()) << l.erreur;
        return l.document ? rtf::TexteUtf8(l.document->TexteBrut()) : std::string();
    };
    p.RepondreFichier((dossier / "plan.rtf").string());
    Executer("QUE DUMMY=EXPORTEDEBUT(3)\r\n"
             "QUE DUMMY=MAJSOMMAIRE('ACCUEIL';'SOMMAIRE';0)\r\n"
             "QUE DUMMY=EXPORTEOBJET('ACCUEIL';'RTF_SOMMAIRE')\r\n"
             "QUE DUMMY=EXPORTEOBJET('ORVANE';'REDACTIONNEL')\r\n"
             "QUE DUMMY=EXPORTEFIN(0)");
    const std::string plan = lire(dossier / "plan.rtf");
    std::size_t depuis = plan.find("2.1.1. Programme de R&D");  // after the contents' own lines
    ASSERT_NE(depuis, std::string::npos) << plan;
    depuis = plan.find("1. L'entreprise au", depuis);
    ASSERT_NE(depuis, std::string::npos) << plan;
    for (const std::string& t : {std::string("1.1. Historique"), std::string("Fondée en 2020"),
                                 std::string("2. Strat"), std::string("2.1. La stratégie produit"),
                                 std::string("2.1.1. Programme de R&D"), std::string("Trois prototypes")}) {
        const std::size_t q = plan.find(t, depuis);
        EXPECT_NE(q, std::string::npos) << t << "\n" << plan;
        if (q != std::string::npos) depuis = q;
    }
    EXPECT_EQ(plan.find("<"), std::string::npos) << plan;

    // The method page of step 423 through "Exporter cette page au format RTF".
    p.Programme().Etapes().EtapeCouranteCode() = "423";
    engine::SauteALaPage(p.Moteur(), 2);
    p.ExecuterJusqua(200);
    p.RepondreFichier((dossier / "page.rtf").string());
    p.Programme().Recepteur().MenuPlan(plan::CommandePlan::ExporterPageRtf);
    EXPECT_EQ(lire(dossier / "page.rtf"), "Programme de R&D\r\n\r\nTrois prototypes\r\n");
    EXPECT_EQ(Travail().ModeImpressionExport, 0);
    EXPECT_EQ(p.JournalErreurs(), "");
}

// The contents box holds the contents built last; TEXTERECHERCHEPAGE finds
// its placeholders one after the other and wraps round.
TEST_F(PlanRedigeProgramme, TheContentsBoxIsSearched) {
    Ecrire("21", "a");
    Ecrire("423", "b");
    Executer("QUE DUMMY=MAJSOMMAIRE('ACCUEIL';'SOMMAIRE';1)");
    const std::string contenu = p.Moteur().scene.Page(1).Objet(2).texte;
    print::TexteTravail b;
    ASSERT_TRUE(b.DefinirRtf(contenu));
    const std::u32string brut = b.TexteBrut();
    const auto premiere = brut.find(U"<NUMERO DE PAGE RUBRIQUE");
    const auto seconde = brut.find(U"<NUMERO DE PAGE RUBRIQUE", premiere + 1);
    ASSERT_NE(seconde, std::u32string::npos);
    formula::BoiteSommaire& boite = p.Programme().BoiteSommaire();
    EXPECT_EQ(boite.TexteBrut(), brut);
    auto chercher = [this, &boite] {
        Executer("QUE PASSEVALEUR = TEXTERECHERCHEPAGE('<numero de page')");
        EXPECT_EQ(p.Moteur().ScriptsDuMoteur().Variables().PasseValeur, "0");
        return static_cast<std::size_t>(boite.SelectionDebut());
    };
    EXPECT_EQ(chercher(), premiere);
    EXPECT_EQ(chercher(), seconde);
    std::size_t derniere = seconde;
    for (std::size_t q = seconde; q != std::u32string::npos; q = brut.find(U"<NUMERO DE PAGE RUBRIQUE", q + 1)) {
        derniere = q;
    }
    while (chercher() != derniere) {
    }
    EXPECT_EQ(chercher(), premiere) << "round again";
    // The on-screen contents: no placeholder to find.
    Executer("QUE DUMMY=MAJSOMMAIRE('ACCUEIL';'SOMMAIRE';0)");
    print::TexteTravail sans;
    ASSERT_TRUE(sans.DefinirRtf(p.Moteur().scene.Page(1).Objet(2).texte));
    EXPECT_EQ(sans.TexteBrut().find(U"<"), std::u32string::npos);
    // Numbers count listed steps only: chapter 4 is the second listed.
    EXPECT_NE(sans.TexteBrut().find(U"          2.1.1. Programme de R&D\r\n"), std::u32string::npos);
    EXPECT_EQ(p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::programme
