// The written plan printed and exported, its table of contents and the
// step marks, and the lines that print or export the current page, on a
// small scene and a recording print job.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "engine/scene.h"
#include "formula/travail_impression_fake.h"
#include "plan/methode/etapes_methode.h"
#include "plan/methode/lignes_page.h"
#include "plan/methode/redaction_imprimee.h"
#include "plan/methode/sommaire.h"
#include "plan/methode/textes_methode.h"
#include "platform/cp1252.h"
#include "rtf/document_travail.h"
#include "rtf/lecteur.h"

namespace korv::plan {
namespace {

engine::ObjetPage Objet(engine::TypeObjet type, std::string nom, std::string texte = {}, std::int16_t action = 0) {
    engine::ObjetPage o;
    o.type = static_cast<std::uint8_t>(type);
    o.nom = std::move(nom);
    o.texte = std::move(texte);
    o.A1 = action;
    return o;
}

engine::PageScene Page(std::string nom, std::vector<engine::ObjetPage> objets) {
    engine::PageScene p;
    p.objets.push_back(Objet(engine::TypeObjet::Fond, std::move(nom)));
    for (auto& o : objets) p.objets.push_back(std::move(o));
    return p;
}

// The plain text of a rich text, UTF-8, CR LF as "|".
std::string Brut(std::string_view rtf) {
    rtf::DocumentTravail d;
    EXPECT_TRUE(d.DefinirRtf(rtf));
    std::string r = platform::Cp1252VersUtf8(platform::U32VersCp1252(d.TexteBrut()));
    for (std::size_t p = r.find("\r\n"); p != std::string::npos; p = r.find("\r\n", p)) r.replace(p, 2, "|");
    return r;
}

std::string Rtf(std::string_view texte) { return TexteRtfArial10(platform::Utf8VersCp1252(texte), false); }

// A scene with the method text page and the two table pages of step 423
// (whose grid RD has entries when the test says so), the default outline,
// and a print job that records every call with the job's mode at the time.
class RedactionImprimeeTest : public ::testing::Test {
protected:
    void SetUp() override {
        using T = engine::TypeObjet;
        scene.pages.push_back(Page("ACCUEIL", {}));
        scene.pages.push_back(Page("METAUTOMET", {Objet(T::TexteRtf, "MET", "texte de la page")}));
        scene.pages.push_back(Page("TABRD", {Objet(T::Tableau, "RD"), Objet(T::Action, "P", "imprime TABRD", 20),
                                             Objet(T::Action, "E", "exporte TABRD", 21)}));
        scene.pages.push_back(Page("TABANVAR", {Objet(T::Tableau, "RD"), Objet(T::Action, "E", "exporte TABANVAR", 21),
                                                Objet(T::Action, "P", "imprime TABANVAR", 20)}));
        etapes.MethodePlanDefautCreer();
        for (int i = 1; i <= etapes.NombreEtapes(); ++i) etapes.Etape(i).TexteRedige = Rtf("");
        ServicesRedactionImprimee s;
        s.scene = &scene;
        s.etapes = &etapes;
        s.travail = &travail;
        s.modeFixer = [this](std::int16_t m) { travail.mode = m; };
        s.scriptExecuter = [this](std::string_view script) {
            travail.appels.push_back("script " + std::string(script) + " mode " + std::to_string(travail.mode));
        };
        s.grilleSaisie = [this](int page, int objet) { return objet == 2 && saisies.contains(page); };
        s.exportTexteAjouter = [this](std::string_view t) { travail.appels.push_back("export " + std::string(t)); };
        s.texteMethodeLire = [this](std::string_view code, std::string_view genre) -> std::optional<std::string> {
            const auto f = fichiers.find(std::string(genre) + std::string(code));
            if (f == fichiers.end()) return std::nullopt;
            return f->second;
        };
        s.signaler = [this](std::string_view m) { messages.emplace_back(m); };
        redaction = std::make_unique<RedactionImprimee>(std::move(s));
    }

    void Ecrire(std::string_view code, std::string_view texte) {
        etapes.Etape(etapes.NumeroEtape(code)).TexteRedige = Rtf(texte);
    }
    std::string& Met() { return scene.Page(2).Objet(2).texte; }

    // The calls, MET's text shown as plain text after each object of page 2.
    std::vector<std::string> Appels() const { return travail.appels; }

    engine::Scene scene;
    MethodeEtapes etapes;
    formula::TravailImpressionFactice travail;
    std::set<int> saisies;
    std::map<std::string, std::string> fichiers;
    std::vector<std::string> messages;
    std::unique_ptr<RedactionImprimee> redaction;
};

// The print job as the written plan fills it: each step object recorded
// with the text MET held when it was handed on.
class TravailTexteMet final : public formula::TravailImpression {
public:
    explicit TravailTexteMet(engine::Scene& scene, formula::TravailImpressionFactice& suite)
        : scene_(scene), suite_(suite) {}
    void ImprimePrepareDebut(std::uint8_t) override {}
    void ImprimeMargesFixe(double, double, double, double, double, double) override {}
    void ImprimeEnTeteFixe(std::string_view, bool, bool) override {}
    void ImprimePiedDePageFixe(std::string_view, bool, bool) override {}
    void ImpressionPremierNumeroFixe(std::int32_t) override {}
    void ApercuDejaPrepare(bool) override {}
    void ImprimeAjouteObjet(int page, int objet, std::string_view texte,
                            std::span<const formula::Valeur> options) override {
        if (page == -1) {
            suite_.ImprimeAjouteObjet(page, objet, texte, options);
        } else {
            suite_.appels.push_back("objet " + Brut(scene_.Page(page).Objet(objet).texte));
        }
    }
    void ImprimeAjoutePage(std::uint8_t a) override { suite_.ImprimeAjoutePage(a); }
    void Imprime() override {}
    void MessageFenetreFerme() override {}
    std::int16_t Mode() const override { return suite_.mode; }
    void ExportationFenetreOuvre(std::int16_t) override {}
    void ExporteTextesOuTableaux(std::int16_t) override {}
    void MethodeTextesExporte(std::string_view) override {}
    void TexteRTFInsereTableaux(int page, int objet, bool rtf) override {
        suite_.appels.push_back(std::string(rtf ? "rtf " : "texte ") + Brut(scene_.Page(page).Objet(objet).texte));
    }
    void RedactionImprimeExporte(std::string_view, bool) override {}
    std::int16_t NumeroEtape(std::string_view) override { return 0; }
    void EtapeImprimeExporte(std::int16_t, bool) override {}
    void SommaireMettreAJour(int, int, std::int16_t) override {}

private:
    engine::Scene& scene_;
    formula::TravailImpressionFactice& suite_;
};

class PlanRedige : public RedactionImprimeeTest {
protected:
    void SetUp() override {
        RedactionImprimeeTest::SetUp();
        ServicesRedactionImprimee s;
        s.scene = &scene;
        s.etapes = &etapes;
        s.travail = &met;
        s.modeFixer = [this](std::int16_t m) { travail.mode = m; };
        s.scriptExecuter = [this](std::string_view script) {
            travail.appels.push_back("script " + std::string(script) + " mode " + std::to_string(travail.mode));
        };
        s.grilleSaisie = [this](int page, int objet) { return objet == 2 && saisies.contains(page); };
        s.exportTexteAjouter = [this](std::string_view t) { travail.appels.push_back("export " + std::string(t)); };
        s.texteMethodeLire = [this](std::string_view code, std::string_view genre) -> std::optional<std::string> {
            const auto f = fichiers.find(std::string(genre) + std::string(code));
            if (f == fichiers.end()) return std::nullopt;
            return f->second;
        };
        s.signaler = [this](std::string_view m) { messages.emplace_back(m); };
        redaction = std::make_unique<RedactionImprimee>(std::move(s));
    }
    TravailTexteMet met{scene, travail};
};

TEST(NumerosRubrique, AdvanceByCodeLengthAndRead) {
    struct Cas {
        std::vector<const char*> codes;
        const char* texte;
    };
    const Cas cas[] = {
        {{}, ""},
        {{"0"}, ""},
        {{"0", "1", "11", "12"}, "1.2."},
        {{"1", "2", "21", "211"}, "2.1.1."},
        {{"1", "11", "111", "2"}, "2."},
        {{"1", "11", "111", "12"}, "1.2."},
        {{"11", "111"}, ""},           // no chapter yet: the text stops at the first 0
        {{"1", "1234"}, "1."},          // longer codes leave the numbers
    };
    for (const Cas& c : cas) {
        NumerosRubrique n;
        for (const char* code : c.codes) n.Avancer(code);
        EXPECT_EQ(NumeroRubriqueTexte(n.niveaux), c.texte) << c.codes.size();
    }
}

TEST_F(RedactionImprimeeTest, ContentMarksTheStepAndItsParentsButNeverStep31) {
    Ecrire("423", "Notre programme");
    Ecrire("31", "Une étude");
    Ecrire("22", "   \r\n  ");  // blanks only: no content
    saisies.insert(3);        // TABRD has entries: step 423 has a filled table
    Ecrire("423", "");
    redaction->SommaireEtapesMarquer();
    std::vector<std::string> listees, avecContenu;
    for (int i = 1; i <= etapes.NombreEtapes(); ++i) {
        if (etapes.Etape(i).EnSommaire == -1) listees.push_back(etapes.Etape(i).Code);
        if (etapes.Etape(i).AContenu == -1) avecContenu.push_back(etapes.Etape(i).Code);
    }
    EXPECT_EQ(listees, (std::vector<std::string>{"3", "4", "42", "423"}));
    EXPECT_EQ(avecContenu, (std::vector<std::string>{"31", "423"}));
    // Recomputed from scratch.
    saisies.clear();
    Ecrire("31", "");
    redaction->SommaireEtapesMarquer();
    for (int i = 1; i <= etapes.NombreEtapes(); ++i) {
        EXPECT_EQ(etapes.Etape(i).EnSommaire, 0) << etapes.Etape(i).Code;
        EXPECT_EQ(etapes.Etape(i).AContenu, 0) << etapes.Etape(i).Code;
    }
}

TEST_F(RedactionImprimeeTest, TablePagesAndTheirMainGrid) {
    EXPECT_EQ(redaction->EtapeTableauxPages(etapes.Etape(etapes.NumeroEtape("423"))), (std::vector<int>{3, 4}));
    EXPECT_EQ(redaction->EtapeTableauxPages(etapes.Etape(etapes.NumeroEtape("22"))), (std::vector<int>{0}));
    // A page missing from the scene: none at all.
    EXPECT_EQ(redaction->EtapeTableauxPages(etapes.Etape(etapes.NumeroEtape("7"))), (std::vector<int>{0}));
    saisies = {3, 4};
    EXPECT_TRUE(redaction->TableauPageEstSaisie(3));
    EXPECT_TRUE(redaction->TableauPageEstSaisie(4));      // TABANVAR's main grid is RD too
    EXPECT_FALSE(redaction->TableauPageEstSaisie(2));     // not a table page
    EXPECT_FALSE(redaction->TableauPageEstSaisie(99));
    const std::pair<const char*, const char*> table[] = {
        {"TABSWOT", "SWOT"}, {"TABIDENT", "IDENT"}, {"TABANVAR", "RD"}, {"TABRD", "RD"}, {"TABCONC", "CONC"},
        {"TABPLANACTION", "ACTION"}, {"TABUNIT", "PU"}, {"TDBPAC", "PAC"}, {"TABEFF", "EFF"},
        {"TABREC01", "TABLEAU"}, {"TABREC0605", "RES"}, {"TABAUTRE", ""},
    };
    for (const auto& [page, grille] : table) EXPECT_EQ(TableauPageGrille(page), grille) << page;
}

TEST_F(PlanRedige, AStepPrintsTitleTextAndItsFilledTablesInModeTwoThenTheJobsMode) {
    Ecrire("423", "Notre programme");
    saisies = {4};  // only TABANVAR has entries
    travail.mode = 1;
    redaction->EtapeImprimeExporte(etapes.NumeroEtape("423"), false, "4.2.3. ");
    EXPECT_EQ(Appels(), (std::vector<std::string>{
                            "ImprimeAjouteObjet -1 5 4.2.3. []",
                            "objet 4.2.3. Programme de R&D||Notre programme|",
                            "script imprime TABANVAR mode 2",
                        }));
    EXPECT_EQ(travail.mode, 1) << "the job's own mode comes back";
    EXPECT_EQ(Met(), "texte de la page") << "the method page keeps its text";

    travail.appels.clear();
    travail.mode = 0;
    saisies = {3, 4};
    redaction->EtapeImprimeExporte(etapes.NumeroEtape("423"), true, "");
    EXPECT_EQ(Appels(), (std::vector<std::string>{
                            "rtf Programme de R&D||Notre programme|",
                            "script exporte TABRD mode 0",
                            "script exporte TABANVAR mode 0",
                        }));
}

TEST_F(PlanRedige, WithoutTheMethodPageOrAStepTheUserIsTold) {
    redaction->EtapeImprimeExporte(0, false, "");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("tape"), std::string::npos);
    scene.Page(2).Objet(2).nom = "AUTRE";
    redaction->EtapeImprimeExporte(1, false, "");
    redaction->RedactionImprimeExporte("REDACTIONNEL", false);
    redaction->MethodeTextesExporte("");
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_NE(messages[1].find("METAUTOMET"), std::string::npos);
    EXPECT_TRUE(travail.appels.empty());
}

TEST_F(PlanRedige, TheWrittenPlanNumbersItsStepsAndBreaksBeforeChapters) {
    for (const char* code : {"1", "11", "12", "2", "21", "31", "423"}) Ecrire(code, std::string("texte ") + code);
    redaction->RedactionImprimeExporte("REDACTIONNEL", false);
    EXPECT_EQ(Appels(), (std::vector<std::string>{
                            "ImprimeAjouteObjet -1 5 1. []",
                            "objet 1. Présentation générale du projet||texte 1|",
                            "ImprimeAjouteObjet -1 5 1.1. []",
                            "objet 1.1. Executive Summary||texte 11|",
                            "ImprimeAjoutePage 0",
                            "ImprimeAjouteObjet -1 5 1.2. []",
                            "objet 1.2. Fiche d'identité de l'entreprise||texte 12|",
                            "ImprimeAjoutePage 0",
                            "ImprimeAjouteObjet -1 5 2. []",
                            "objet 2. L'entreprise au ../../..||texte 2|",
                            "ImprimeAjouteObjet -1 5 2.1. []",
                            "objet 2.1. Historique||texte 21|",
                            "ImprimeAjoutePage 0",
                            "ImprimeAjouteObjet -1 5 3. []",
                            "objet 3. Le Marché|||",
                            "ImprimeAjouteObjet -1 5 3.1. []",
                            "objet L'étude de marché||texte 31|",  // no number, no contents line of its own
                            "ImprimeAjoutePage 0",
                            "ImprimeAjouteObjet -1 5 4. []",
                            "objet 4. Stratégies de développement et plans d'action|||",
                            "ImprimeAjouteObjet -1 5 4.2. []",
                            "objet 4.1. La stratégie produit|||",
                            "ImprimeAjouteObjet -1 5 4.2.3. []",
                            "objet 4.1.1. Programme de R&D||texte 423|",
                        }));

    travail.appels.clear();
    redaction->RedactionImprimeExporte("REDACTIONNEL", true);
    std::vector<std::string> exportes;
    for (const auto& a : travail.appels) {
        if (a.starts_with("rtf ") || a.starts_with("export ")) exportes.push_back(a.substr(0, 9));
    }
    ASSERT_EQ(exportes.size(), 14u);
    EXPECT_EQ(exportes[1], "rtf 1.1. ");
    EXPECT_EQ(exportes[2], "export <.");
}

TEST_F(PlanRedige, TheShortPlanPrintsTheIntroductionWhenWrittenAndTheFirstChapterSteps) {
    redaction->RedactionImprimeExporte("REDACSYNTHETIQUE", false);
    EXPECT_EQ(Appels(), (std::vector<std::string>{
                            "ImprimeAjouteObjet -1 5 1.1. []",
                            "objet Executive Summary|||",
                            "ImprimeAjoutePage 0",
                            "ImprimeAjouteObjet -1 5 1.2. []",
                            "objet Fiche d'identité de l'entreprise|||",
                            "ImprimeAjoutePage 0",
                        }));
    travail.appels.clear();
    Ecrire("0", "Bonjour");
    redaction->RedactionImprimeExporte("REDACSYNTHETIQUE", false);
    EXPECT_EQ(travail.appels.size(), 9u);
    EXPECT_EQ(travail.appels[1], "objet Introduction||Bonjour|");
    travail.appels.clear();
    redaction->RedactionImprimeExporte("REDACSYNTHETIQUE", true);
    redaction->RedactionImprimeExporte("AUTRE", false);
    EXPECT_TRUE(travail.appels.empty());
}

TEST_F(PlanRedige, MethodTextsWithTheirOptionalPartsAndChapterBreaks) {
    fichiers["MET1"] = Rtf("Expliquer le projet ¤ (boule) point");
    fichiers["SAV1"] = Rtf("plus loin");
    fichiers["EXP1"] = Rtf("un exemple");
    redaction->MethodeTextesExporte("SAVOIRPLUS,EXEMPLE");
    ASSERT_EQ(travail.appels.size(), 45u);
    EXPECT_EQ(travail.appels[0], "texte  Introduction||");
    EXPECT_EQ(travail.appels[1],
              "texte 1. Présentation générale du projet||Expliquer le projet  - point||en savoir plus:||plus "
              "loin||exemple:||un exemple|");
    EXPECT_EQ(travail.appels[2], "texte 1.1. Executive Summary||");
    EXPECT_EQ(travail.appels[4], "texte <...nouvelle page...>2. L'entreprise au ../../..||");
    travail.appels.clear();
    redaction->MethodeTextesExporte("");
    EXPECT_EQ(travail.appels[1], "texte 1. Présentation générale du projet||Expliquer le projet  - point|");
    EXPECT_EQ(Met(), "texte de la page");
}

TEST_F(RedactionImprimeeTest, TheContentsListsNumberedLinesWithTheirPlaceholders) {
    for (const char* code : {"0", "11", "12", "21", "31", "423"}) Ecrire(code, "x");
    // An underlined title keeps its look but the placeholder is not underlined.
    etapes.Etape(etapes.NumeroEtape("21")).TitreRTF = R"({\rtf1{\fonttbl{\f0 Arial;}}\ul\b Notre histoire\par})";
    // The empty title of older documents: the default title, kept.
    etapes.Etape(etapes.NumeroEtape("12")).TitreRTF = std::string(114, 'x');
    scene.Page(1).objets.push_back(Objet(engine::TypeObjet::TexteRtf, "SOMMAIRE"));
    redaction->SommaireMettreAJour(1, 2, true);
    const std::string contenu = scene.Page(1).Objet(2).texte;
    EXPECT_EQ(Brut(contenu),
              "Introduction <TABULATION><NUMERO DE PAGE RUBRIQUE 0.>|"
              "|1. Présentation générale du projet <TABULATION><NUMERO DE PAGE RUBRIQUE 1.>|"
              "    1.1. Executive Summary <TABULATION><NUMERO DE PAGE RUBRIQUE 1.1.>|"
              "    1.2. Fiche d'identité de l'entreprise <TABULATION><NUMERO DE PAGE RUBRIQUE 1.2.>|"
              "|2. L'entreprise au ../../.. <TABULATION><NUMERO DE PAGE RUBRIQUE 2.>|"
              "    2.1. Notre histoire <TABULATION><NUMERO DE PAGE RUBRIQUE 2.1.>|"
              "|3. Le Marché <TABULATION><NUMERO DE PAGE RUBRIQUE 3.>|"
              "|4. Stratégies de développement et plans d'action <TABULATION><NUMERO DE PAGE RUBRIQUE 4.>|"
              "    4.1. La stratégie produit <TABULATION><NUMERO DE PAGE RUBRIQUE 4.2.>|"
              "          4.1.1. Programme de R&D <TABULATION><NUMERO DE PAGE RUBRIQUE 4.2.3.>|");
    EXPECT_EQ(etapes.Etape(etapes.NumeroEtape("12")).TitreRTF, etapes.Etape(etapes.NumeroEtape("12")).Titre);
    EXPECT_EQ(Brut(redaction->Sommaire().Rtf()), Brut(contenu)) << "the contents box holds the contents";

    const auto lu = rtf::LireTexteRiche(contenu);
    ASSERT_TRUE(lu.has_value());
    for (const auto& p : lu->paragraphes) {
        if (p.morceaux.empty()) continue;
        EXPECT_EQ(p.format.tabulations, (std::vector<std::int32_t>{8500}));
        for (const auto& m : p.morceaux) {
            if (m.texte.find(U"<NUMERO") != std::u32string::npos) {
                EXPECT_FALSE(m.format.souligne);
            }
        }
    }
    // The underlined bold title's line: its text underlined and bold.
    const auto& ligne21 = lu->paragraphes[7];
    EXPECT_TRUE(ligne21.morceaux.front().format.souligne);
    EXPECT_TRUE(ligne21.morceaux.front().format.gras);

    // Without page numbers: no placeholder, no tab stop.
    redaction->SommaireMettreAJour(1, 2, false);
    const auto sans = rtf::LireTexteRiche(scene.Page(1).Objet(2).texte);
    ASSERT_TRUE(sans.has_value());
    EXPECT_EQ(Brut(scene.Page(1).Objet(2).texte).find("<"), std::string::npos);
    for (const auto& p : sans->paragraphes) EXPECT_TRUE(p.format.tabulations.empty());

    // Nothing written: an empty contents.
    for (const char* code : {"0", "11", "12", "21", "31", "423"}) Ecrire(code, "");
    redaction->SommaireMettreAJour(1, 2, true);
    EXPECT_EQ(Brut(scene.Page(1).Objet(2).texte), "");
}

TEST(LignesPage, PrintAndExportLinesOfTheCurrentPage) {
    using T = engine::TypeObjet;
    struct Cas {
        const char* nom;
        std::vector<engine::ObjetPage> objets;
        const char* impression;
        const char* exportation;
        int panneau;  // object 1 is the page's own
    };
    const auto action = [](std::int16_t type, const char* texte) { return Objet(T::Action, "A", texte, type); };
    const Cas cas[] = {
        // A print line becomes its export line.
        {"TRESO",
         {action(20, "QUE DUMMY=IMPRIMEOBJET('Treso';'Tab';0)"), action(16, "X,Y")},
         "QUE DUMMY=IMPRIMEOBJET('Treso';'Tab';0)",
         "QUE DUMMY=EXPORTEDEBUT(4)\r\nQUE DUMMY=EXPORTEOBJET('TRESO';'RTF_TAB')\r\nQUE DUMMY=EXPORTEFIN(0)", 0},
        // Step 42's method page.
        {"METAUTOMET",
         {action(16, "METAUTOMET,MET")},
         "QUE DUMMY=IMPRIMESAUTEPAGE(2)\r\nQUE DUMMY=IMPRIMEOBJET('ORVANE';'PAGEMETHODE42';0)",
         "QUE DUMMY=EXPORTEDEBUT(4)\r\nQUE DUMMY=EXPORTEOBJET('ORVANE';'PAGEMETHODE42')\r\nQUE DUMMY=EXPORTEFIN(0)", 2},
        {"METSOMMAIRE",
         {action(16, "SOMMAIRE,TEXTE")},
         "QUE DUMMY=IMPRIMESAUTEPAGE(2)\r\nQUE DUMMY=IMPRIMEOBJET('SOMMAIRE';'TEXTE';0)",
         "QUE DUMMY=EXPORTEDEBUT(4)\r\nQUE DUMMY=EXPORTEOBJET('SOMMAIRE';'TEXTE')\r\nQUE DUMMY=EXPORTEFIN(0)", 2},
        // A one-element panel text gives the same name twice.
        {"NOTES",
         {action(16, "NOTES")},
         "QUE DUMMY=IMPRIMEOBJET('NOTES';'NOTES';0)",
         "QUE DUMMY=EXPORTEDEBUT(4)\r\nQUE DUMMY=EXPORTEOBJET('NOTES';'NOTES')\r\nQUE DUMMY=EXPORTEFIN(0)", 2},
        {"VIDE", {action(16, "")}, "QUE DUMMY=IMPRIMEOBJET('';'';0)",
         "QUE DUMMY=EXPORTEDEBUT(4)\r\nQUE DUMMY=EXPORTEOBJET('';'')\r\nQUE DUMMY=EXPORTEFIN(0)", 2},
        // A print action using a group is not exported; its panel is.
        {"GROUPES",
         {action(20, "QUE DUMMY=IMPRIMEGRP(1)"), action(16, "P,O")},
         "QUE DUMMY=IMPRIMEGRP(1)",
         "QUE DUMMY=EXPORTEDEBUT(4)\r\nQUE DUMMY=EXPORTEOBJET('P';'O')\r\nQUE DUMMY=EXPORTEFIN(0)", 3},
        {"GRPSEUL", {action(20, "que dummy=imprimegrp(1)")}, "que dummy=imprimegrp(1)", "", 0},
        {"RIEN", {Objet(T::TexteRtf, "T")}, "", "", 0},
    };
    for (const Cas& c : cas) {
        const engine::PageScene page = Page(c.nom, c.objets);
        const LignesPage impression = LignesImpressionPage(page, "42");
        EXPECT_EQ(impression.lignes, c.impression) << c.nom;
        const LignesPage exportation = ScriptExportPage(page, "42");
        EXPECT_EQ(exportation.lignes, c.exportation) << c.nom;
        EXPECT_EQ(exportation.panneau, c.panneau) << c.nom;
    }
    EXPECT_EQ(ScriptExportDepuisImpression("que dummy=imprimeobjet('a';'b';0)\r\nque x=imprimeobjet('c';'d';0;'titre')"),
              "QUE DUMMY=EXPORTEOBJET('A';'RTF_B')\r\nQUE X=EXPORTEOBJET('C';'RTF_D';'RTF_TITRE')");
}

}  // namespace
}  // namespace korv::plan
