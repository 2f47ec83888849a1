// The written plan with its contents printed to a PDF file through the
// program's own printer and text measurer, read back with pdftotext: each
// numbered contents line names the page whose footer shows that number and
// which holds the step's title.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "display/graphiques.h"
#include "engine/fichier_nom.h"
#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "engine/recherche.h"
#include "engine/scripts_moteur.h"
#include "plan/methode/etapes_methode.h"
#include "platform/cp1252.h"
#include "print/plage_impression.h"
#include "print/qt_imprimante.h"
#include "print/qt_mesureur.h"
#include "print/qt_peintre_imprimante.h"
#include "programme/pilote_programme.h"
#include "rtf/lecteur.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

constexpr const char* kScene = R"S(
scene
page
object kind=fond name="ACCUEIL" rect=0,0,9600,7200
object kind=rtf name="SOMMAIRE" rect=0,0,600,600 G3=2 text=""
object kind=rtf name="PIED" rect=0,600,600,600 G3=2 text="{\\rtf1\\pard\\qc Page <#NUMERO DE PAGE>\\par}"
object kind=rtf name="PREFACE" rect=0,1200,600,600 G3=2 text=""
page
object kind=fond name="METAUTOMET" rect=0,0,9600,7200
object kind=rtf name="MET" rect=0,0,600,600 G3=2 text=""
)S";

constexpr const char* kScript =
    "QUE DUMMY=IMPRIMEPREPAREDEBUT(1)\r\n"
    "QUE DUMMY=IMPRIMEMARGES(10;15;10;15;5;5)\r\n"
    "QUE DUMMY=IMPRIMEPIEDDEPAGE('ACCUEIL';'PIED';-1;0)\r\n"
    "QUE DUMMY=MAJSOMMAIRE('ACCUEIL';'SOMMAIRE';1)\r\n"
    "QUE DUMMY=IMPRIMEOBJET('ACCUEIL';'PREFACE';0)\r\n"
    "QUE DUMMY=IMPRIMEOBJET('ACCUEIL';'SOMMAIRE';0)\r\n"
    "QUE DUMMY=IMPRIMESAUTEPAGE(0)\r\n"
    "QUE DUMMY=IMPRIMEOBJET('ORVANE';'REDACTIONNEL';0)\r\n"
    "QUE DUMMY=IMPRIMEPREPAREFIN(1)";

QString Poppler(const QString& outil, const QStringList& arguments) {
    QProcess p;
    p.start(outil, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << outil.toStdString() << " did not run (poppler-utils is one of the packages `make deps` "
                      << "installs): " << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Checks the printed written plan: the cover rule, the contents' pages,
// each numbered contents line once, naming the printed page number of the
// page (after the contents) whose text starts a line with the step's number
// and title. Gives the count of numbered lines.
int LignesSommaireVerifier(const QString& pdf, int pages, int pagesSommaire) {
    // The printed number of each PDF page (the first, the contents' cover,
    // has no footer) and its text.
    std::map<int, QString> textes, brut;
    std::map<int, int> numeroImprime;
    const QRegularExpression pied(QStringLiteral("Page (\\d+)\\s*$"));
    for (int k = 1; k <= pages; ++k) {
        const QString n = QString::number(k);
        textes[k] = Poppler("pdftotext", {"-layout", "-f", n, "-l", n, pdf, "-"});
        brut[k] = Poppler("pdftotext", {"-f", n, "-l", n, pdf, "-"});
        const auto m = pied.match(textes[k].trimmed());
        numeroImprime[k] = m.hasMatch() ? m.captured(1).toInt() : 0;
    }
    EXPECT_EQ(numeroImprime[1], 0) << "the cover rule";
    EXPECT_EQ(numeroImprime[2], 1);

    // Contents lines: "4.2.3. Programme de R&D    page 12".
    const QRegularExpression ligne(QStringLiteral("^\\s*((?:\\d\\.)+) (.*\\S)\\s+page (\\d+)\\s*$"),
                                   QRegularExpression::MultilineOption);
    // The contents' pages: those with contents lines, from the first.
    QString contenu;
    int dernierePageContenu = 0;
    for (int k = 1; k <= pages && ligne.match(textes[k]).hasMatch(); ++k) {
        contenu += textes[k];
        dernierePageContenu = k;
    }
    EXPECT_EQ(dernierePageContenu, pagesSommaire) << "the contents' pages";
    int numerotees = 0;
    std::set<QString> vues;
    for (auto it = ligne.globalMatch(contenu); it.hasNext();) {
        const auto m = it.next();
        const QString numero = m.captured(1);
        EXPECT_TRUE(vues.insert(numero).second) << "twice: " << numero.toStdString();
        const int attendu = m.captured(3).toInt();
        // The page (after the contents) whose text starts a line with the
        // step's number and title.
        const QRegularExpression titre(QStringLiteral("^\\s*") + QRegularExpression::escape(numero + " ") +
                                           QRegularExpression::escape(m.captured(2).left(12)),
                                       QRegularExpression::MultilineOption);
        int trouvee = 0;
        for (int k = dernierePageContenu + 1; k <= pages && trouvee == 0; ++k) {
            if (titre.match(brut[k]).hasMatch()) trouvee = numeroImprime[k];
        }
        std::string ou;
        for (int k = 1; k <= pages; ++k) {
            if (textes[k].contains(m.captured(2).left(8))) ou += " " + std::to_string(k);
        }
        EXPECT_EQ(trouvee, attendu) << numero.toStdString() << " " << m.captured(2).toStdString() << " on" << ou;
        ++numerotees;
    }
    return numerotees;
}

TEST(PlanRedigePdf, EachNumberedContentsLineShowsThePageOfItsStepsTitle) {
    testsupport::ApplicationProgramme();
    QTemporaryDir dossier;
    const QString pdf = dossier.filePath("redige.pdf");
    print::QtImprimante imprimante;
    imprimante.FichierPdf(pdf);
    print::QtMesureur mesureur;
    PiloteProgramme p(&imprimante, &mesureur);
    p.ChargerScene(kScene);
    p.ExecuterJusqua(100);
    plan::MethodeEtapes& e = p.Programme().Etapes();
    if (e.NombreEtapes() == 0) e.MethodePlanDefautCreer();
    // Texts of different lengths: some steps share a page, most do not.
    for (int i = 1; i <= e.NombreEtapes(); ++i) {
        std::string texte;
        for (int k = 0; k < 250 + 150 * (i % 3); ++k) texte += "mot ";
        e.Etape(i).TexteRedige = plan::TexteRtfArial10(texte, false);
    }
    // A preface of 40 lines before the contents: the contents goes on over
    // the next page.
    std::string preface = "{\\rtf1 ";
    for (int i = 0; i < 40; ++i) preface += "ligne\\par ";
    p.Moteur().scene.Page(1).Objet(4).texte = preface + "}";
    int pages = 0;
    std::string erreur;
    p.Apercu().reponse = [&](print::ContexteApercu& c) {
        const print::ImpressionTravail& t = c.travail;
        pages = t.NombreDePages;
        print::QtPeintreImprimante peintre(imprimante.Printer(), t,
                                           [](const grid::ContenuGraphique& g, QImage& cible, const QRect& r) {
                                               display::GraphiqueDessiner(g, cible, r);
                                           });
        erreur = print::ImprimerPlage(peintre, t.NombreDePages,
                                      print::PlageAImprimer(t.NombreDePages, print::ChoixPages::Toutes, "", "", ""));
    };
    p.Moteur().ScriptsDuMoteur().ProgScriptExecute(kScript, 1, -1, "");
    ASSERT_EQ(erreur, "");
    ASSERT_GT(pages, 10);
    EXPECT_EQ(p.JournalErreurs(), "");

    EXPECT_GE(LignesSommaireVerifier(pdf, pages, 2), 20);
}


// The sample itself: its "Imprimer le plan rédigé" button prints every
// step written into, with its contents; its "Exporter le
// plan rédigé" button and "Exporter cette page au format RTF" on a method
// page give files our reader reads back, titles and texts in order, and
// "Imprimer cette page" prints that page.
TEST(PlanRedigePdf, TheSamplesWrittenPlanPrintedAndExported) {
    testsupport::ApplicationProgramme();
    QTemporaryDir dossier;
    const QString pdf = dossier.filePath("exemple.pdf");
    print::QtImprimante imprimante;
    imprimante.FichierPdf(pdf);
    print::QtMesureur mesureur;
    PiloteProgramme p(&imprimante, &mesureur);
    p.Moteur().Plan().PlanAffaireInitialisations();
    std::ifstream f(KORV_SAMPLE_SCENE, std::ios::binary);
    p.ChargerScene(std::string(std::istreambuf_iterator<char>(f), {}));
    p.Moteur().scene.entete.repertoireScene = engine::FichierNomChemin(KORV_SAMPLE_SCE);
    p.ExecuterJusquARepos();
    plan::MethodeEtapes& e = p.Programme().Etapes();
    if (e.NombreEtapes() == 0) e.MethodePlanDefautCreer();
    ASSERT_GT(e.NombreEtapes(), 40);
    for (int i = 1; i <= e.NombreEtapes(); ++i) {
        std::string texte = "Texte de " + e.Etape(i).Code + " ";
        for (int k = 0; k < 250 + 150 * (i % 3); ++k) texte += "mot ";
        e.Etape(i).TexteRedige = plan::TexteRtfArial10(texte, false);
    }
    int pages = 0;
    std::string erreur;
    p.Apercu().reponse = [&](print::ContexteApercu& c) {
        const print::ImpressionTravail& t = c.travail;
        pages = t.NombreDePages;
        print::QtPeintreImprimante peintre(imprimante.Printer(), t,
                                           [](const grid::ContenuGraphique& g, QImage& cible, const QRect& r) {
                                               display::GraphiqueDessiner(g, cible, r);
                                           });
        erreur = print::ImprimerPlage(peintre, t.NombreDePages,
                                      print::PlageAImprimer(t.NombreDePages, print::ChoixPages::Toutes, "", "", ""));
    };
    engine::Moteur& m = p.Moteur();
    auto cliquer = [&](std::string_view page, std::string_view objet) {
        const int n = engine::NumeroDePage(m.scene, std::string(page));
        ASSERT_GT(n, 0) << page;
        engine::SauteALaPage(m, n);
        p.ExecuterJusquARepos();
        const int o = engine::NumeroObjet(m.scene, n, std::string(objet));
        ASSERT_GT(o, 0) << objet;
        const engine::ObjetPage& r = m.scene.Page(n).Objet(o);
        const std::int64_t t = p.Horloge().Maintenant();
        p.Clic(t + 10, r.gauche + r.largeur / 2, r.haut + r.hauteur / 2);
        p.ExecuterJusqua(t + 400);
        p.ExecuterJusquARepos();
    };
    cliquer("IMPRESSION", "IMPRIMER_REDIGE");
    ASSERT_EQ(erreur, "");
    ASSERT_GT(pages, 20);
    // Every step written: its 54 lines fill one page; half the steps share a
    // page with the one before.
    EXPECT_GE(LignesSommaireVerifier(pdf, pages, 1), 20);

    const auto lire = [](const std::filesystem::path& chemin) {
        std::ifstream in(chemin, std::ios::binary);
        const auto l = rtf::LireRtf(std::string(std::istreambuf_iterator<char>(in), {}));
        EXPECT_TRUE(l.document.has_value()) << chemin << ": " << l.erreur;
        return l.document ? rtf::TexteUtf8(l.document->TexteBrut()) : std::string();
    };
    const std::filesystem::path sortie = dossier.path().toStdString();
    p.RepondreFichier((sortie / "plan.rtf").string());
    cliquer("EXPORTER", "EXPORTER_REDIGE");
    const std::string plan = lire(sortie / "plan.rtf");
    // After the contents, each step's title then its text, in the steps' order.
    std::size_t depuis = 0;
    for (int i = 1; i <= e.NombreEtapes(); ++i) {
        const plan::EtapeMethode& etape = e.Etape(i);
        const std::size_t texte = plan.find("Texte de " + etape.Code + " ", depuis);
        ASSERT_NE(texte, std::string::npos) << etape.Code << "\n" << plan.substr(0, 3000);
        // The step's title stands between the text before and its own.
        const std::size_t titre = plan.rfind(platform::Cp1252VersUtf8(etape.Titre).substr(0, 10), texte);
        EXPECT_TRUE(titre != std::string::npos && titre >= depuis) << etape.Code;
        depuis = texte;
    }
    EXPECT_EQ(plan.find("<NUMERO"), std::string::npos);

    // A method page of the sample: its title and the step's own text.
    e.EtapeCouranteCode() = "423";
    engine::SauteALaPage(m, engine::NumeroDePage(m.scene, "METAUTOMET"));
    p.ExecuterJusquARepos();
    p.RepondreFichier((sortie / "page.rtf").string());
    p.Programme().Recepteur().MenuPlan(plan::CommandePlan::ExporterPageRtf);
    const std::string page = lire(sortie / "page.rtf");
    const int k = e.NumeroEtape("423");
    const std::size_t titre = page.find(platform::Cp1252VersUtf8(e.Etape(k).Titre));
    EXPECT_EQ(titre, 0u) << page.substr(0, 300);
    EXPECT_NE(page.find("Texte de 423 mot", titre), std::string::npos) << page.substr(0, 300);
    // "Imprimer cette page" from the same page: its lines go to the preview.
    pages = 0;
    p.Programme().Recepteur().MenuPlan(plan::CommandePlan::ImprimerPage);
    p.ExecuterJusquARepos();
    EXPECT_EQ(erreur, "");
    EXPECT_GE(pages, 1);
    EXPECT_TRUE(p.Messages().messages.empty());
    EXPECT_EQ(p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::programme
