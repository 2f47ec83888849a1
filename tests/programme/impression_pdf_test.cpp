// The sample's print buttons as a user presses them, printed from the
// preview to a PDF file through the program's own printer and text
// measurer; the file is read back with poppler's pdfinfo and pdftotext.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "display/graphiques.h"
#include "engine/moteur.h"
#include "engine/recherche.h"
#include "print/plage_impression.h"
#include "print/qt_imprimante.h"
#include "print/qt_mesureur.h"
#include "print/qt_peintre_imprimante.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

// A poppler tool's standard output; fails the test when it cannot run.
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

int PagesPdf(const QString& chemin) {
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(Poppler("pdfinfo", {chemin}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString TextePage(const QString& chemin, int page) {
    const QString n = QString::number(page);
    return Poppler("pdftotext", {"-layout", "-f", n, "-l", n, chemin, "-"});
}

void Cliquer(PiloteProgramme& p, const char* page, const char* objet) {
    engine::Moteur& m = p.Moteur();
    const int n = engine::NumeroDePage(m.scene, page);
    ASSERT_EQ(m.jeu.PageCourante, n) << page;
    const int o = engine::NumeroObjet(m.scene, n, objet);
    ASSERT_GT(o, 0) << objet;
    const engine::ObjetPage& r = m.scene.Page(n).Objet(o);
    const int x = r.gauche + r.largeur / 2, y = r.haut + r.hauteur / 2;
    const std::int64_t t = p.Horloge().Maintenant();
    p.Souris(t + 10, testsupport::genre_souris::Enfonce, 1, 0, x, y);
    p.Souris(t + 130, testsupport::genre_souris::Relache, 1, 0, x, y);
    p.ExecuterJusqua(t + 500);
}

struct Impression {
    int pages = -1;           // the preview's "/N"
    int bandesPrevisions = 0; // the forecast's printed pieces
    std::string erreur;
};

// Presses the start page's "Imprimer", then `bouton`; the preview prints
// all its pages into `pdf`.
Impression Imprimer(const QString& pdf, const char* bouton) {
    print::QtImprimante imprimante;
    imprimante.FichierPdf(pdf);
    print::QtMesureur mesureur;
    PiloteProgramme p(&imprimante, &mesureur);
    std::ifstream f(KORV_SAMPLE_SCENE, std::ios::binary);
    p.ChargerScene(std::string(std::istreambuf_iterator<char>(f), {}));
    p.ExecuterJusquARepos();
    Impression r;
    p.Apercu().reponse = [&](print::ContexteApercu& c) {
        const print::ImpressionTravail& t = c.travail;
        r.pages = t.NombreDePages;
        const int previsions = static_cast<int>(t.feuilles.size());  // the last grid copied
        for (const auto& e : t.Elements) r.bandesPrevisions += e.ObjetTableau == previsions ? 1 : 0;
        print::QtPeintreImprimante peintre(imprimante.Printer(), t,
                                           [](const grid::ContenuGraphique& g, QImage& cible, const QRect& rect) {
                                               display::GraphiqueDessiner(g, cible, rect);
                                           });
        r.erreur = print::ImprimerPlage(peintre, t.NombreDePages,
                                        print::PlageAImprimer(t.NombreDePages, print::ChoixPages::Toutes, "", "", ""));
    };
    Cliquer(p, "DEBUT", "VERS_IMPRESSION");
    Cliquer(p, "IMPRESSION", bouton);
    EXPECT_EQ(p.Apercu().ouvertures, 1) << bouton;
    EXPECT_EQ(p.JournalErreurs(), "");
    return r;
}

TEST(ImpressionPdf, TheSamplesPrintButtonsPrintNumberedPagesWithoutMarkers) {
    testsupport::ApplicationProgramme();
    struct Cas {
        const char* bouton;
        bool couverture;  // first page without header: numbers start on page 2
        const char* premierTexte;
    };
    for (const Cas c : {Cas{"IMPRIMER_PLAN", true, "Boulangerie de quartier"},
                        Cas{"IMPRIMER_PREVISIONS", false, "Échéance d'emprunt"}}) {
        QTemporaryDir dossier;
        const QString pdf = dossier.filePath("plan.pdf");
        const Impression r = Imprimer(pdf, c.bouton);
        ASSERT_EQ(r.erreur, "") << c.bouton;
        ASSERT_GE(r.pages, c.couverture ? 2 : 1) << c.bouton;
        EXPECT_EQ(PagesPdf(pdf), r.pages) << c.bouton;
        EXPECT_TRUE(TextePage(pdf, 1).contains(QString::fromUtf8(c.premierTexte))) << c.bouton;
        QString tout;
        int etiquettes = 0;
        for (int page = 1; page <= r.pages; ++page) {
            const QString texte = TextePage(pdf, page);
            tout += texte;
            etiquettes += static_cast<int>(texte.count(QStringLiteral("Échéance d'emprunt")));
            const int numero = c.couverture ? page - 1 : page;
            const int nombre = c.couverture ? r.pages - 1 : r.pages;
            const QString attendu = QStringLiteral("Page %1 / %2").arg(numero).arg(nombre);
            if (c.couverture && page == 1) {
                EXPECT_FALSE(texte.contains(QStringLiteral("Page "))) << "the cover has no header";
                EXPECT_FALSE(texte.contains(QStringLiteral("Document de travail"))) << "nor footer";
            } else {
                EXPECT_TRUE(texte.contains(attendu)) << c.bouton << " page " << page << ":\n" << texte.toStdString();
                EXPECT_TRUE(texte.contains(QStringLiteral("Boulangerie de quartier"))) << page;
            }
        }
        for (const char* reste : {"<#", "<TABULATION>", "NUMERO DE PAGE RUBRIQUE", "TITRETABLEAU", "\u00A4"})
            EXPECT_FALSE(tout.contains(QString::fromUtf8(reste))) << c.bouton << ": " << reste;
        // The rich text's screen pages run on, its page marker left out.
        if (c.couverture) {
            EXPECT_TRUE(tout.contains(QStringLiteral("Fin de la première page.\n"))) << tout.toStdString();
        }
        // The forecast's label column repeats on every band.
        EXPECT_GE(r.bandesPrevisions, 3) << c.bouton;
        EXPECT_EQ(etiquettes, r.bandesPrevisions) << c.bouton;
    }
}

// The left and right ends, in points, of the first word `mot` on `page`;
// {-1, -1} when it is not there.
std::pair<double, double> BordsMot(const QString& pdf, int page, const QString& mot) {
    const QString n = QString::number(page);
    const QString html = Poppler("pdftotext", {"-bbox", "-f", n, "-l", n, pdf, "-"});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("xMin=\"([0-9.]+)\"[^>]*xMax=\"([0-9.]+)\"[^>]*>%1</word>")
                               .arg(QRegularExpression::escape(mot)))
            .match(html);
    if (!m.hasMatch()) return {-1, -1};
    return {m.captured(1).toDouble(), m.captured(2).toDouble()};
}

double Milieu(std::pair<double, double> b) { return (b.first + b.second) / 2; }

// The cash grid's texts sit in their cells as on the screen: its default
// texts centred in their columns (3600, 2400 and 2400 twips wide), its
// numbers against the right edge.
TEST(ImpressionPdf, ThePrintedGridCentresItsTextsAsTheScreenDoes) {
    testsupport::ApplicationProgramme();
    QTemporaryDir dossier;
    const QString pdf = dossier.filePath("plan.pdf");
    const Impression r = Imprimer(pdf, "IMPRIMER_PLAN");
    ASSERT_EQ(r.erreur, "");
    const int page = 3;  // the cover, the presentation, then the grids
    const double poste = Milieu(BordsMot(pdf, page, QStringLiteral("Poste")));
    const double apport = Milieu(BordsMot(pdf, page, QStringLiteral("Apport")));
    const double montant = Milieu(BordsMot(pdf, page, QStringLiteral("Montant")));
    const double montantFin = BordsMot(pdf, page, QStringLiteral("Montant")).second;
    const auto somme = BordsMot(pdf, page, QStringLiteral("24000,00"));
    ASSERT_GT(poste, 0) << TextePage(pdf, page).toStdString();
    ASSERT_GT(montant, 0);
    ASSERT_GT(somme.first, 0);
    // Column 1 is 180 points wide, column 2 120: their middles lie 150 points apart.
    EXPECT_NEAR(montant - poste, 150, 3);
    EXPECT_NEAR(apport, poste, 3);
    // The total ends three pixels (2.25 points) short of column 2's right edge.
    EXPECT_NEAR(somme.second, poste + 90 + 120 - 2.25, 2);
    EXPECT_GT(somme.second, montantFin);
}

// The header's tab stop, 7200 twips (360 points) from its left edge, holds
// the page number on paper.
TEST(ImpressionPdf, TheHeadersPageNumberStandsAtItsTabStop) {
    testsupport::ApplicationProgramme();
    QTemporaryDir dossier;
    const QString pdf = dossier.filePath("plan.pdf");
    const Impression r = Imprimer(pdf, "IMPRIMER_PLAN");
    ASSERT_EQ(r.erreur, "");
    const auto debut = BordsMot(pdf, 2, QStringLiteral("Boulangerie"));
    const auto page = BordsMot(pdf, 2, QStringLiteral("Page"));
    ASSERT_GT(debut.first, 0);
    ASSERT_GT(page.first, 0);
    EXPECT_NEAR(page.first - debut.first, 360, 2);
}

// Where no printer is installed the printer is a PDF printer without a
// file: printing from the preview says so, and the printer the user then
// chooses prints the same job.
TEST(ImpressionPdf, APrintWithoutAPrinterFailsAndTheLaterChoicePrints) {
    testsupport::ApplicationProgramme();
    QTemporaryDir dossier;
    const QString pdf = dossier.filePath("plan.pdf");
    print::QtImprimante imprimante;
    imprimante.Printer().setOutputFormat(QPrinter::PdfFormat);
    imprimante.Printer().setOutputFileName({});
    print::QtMesureur mesureur;
    PiloteProgramme p(&imprimante, &mesureur);
    std::ifstream f(KORV_SAMPLE_SCENE, std::ios::binary);
    p.ChargerScene(std::string(std::istreambuf_iterator<char>(f), {}));
    p.ExecuterJusquARepos();
    std::string sansImprimante, apresChoix = "not printed";
    int pages = -1;
    p.Apercu().reponse = [&](print::ContexteApercu& c) {
        const print::ImpressionTravail& t = c.travail;
        pages = t.NombreDePages;
        const auto imprimer = [&] {
            print::QtPeintreImprimante peintre(imprimante.Printer(), t);
            return print::ImprimerPlage(peintre, t.NombreDePages,
                                        print::PlageAImprimer(t.NombreDePages, print::ChoixPages::Toutes, "", "", ""));
        };
        sansImprimante = imprimer();
        imprimante.FichierPdf(pdf);
        apresChoix = imprimer();
    };
    Cliquer(p, "DEBUT", "VERS_IMPRESSION");
    Cliquer(p, "IMPRESSION", "IMPRIMER_PREVISIONS");
    ASSERT_EQ(p.Apercu().ouvertures, 1);
    EXPECT_NE(sansImprimante.find("n'a pas pu commencer"), std::string::npos) << sansImprimante;
    EXPECT_EQ(apresChoix, "");
    ASSERT_GE(pages, 1);
    EXPECT_EQ(PagesPdf(pdf), pages);
}

}  // namespace
}  // namespace korv::programme
