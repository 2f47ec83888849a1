// A header written in the writing box, its page number put in by a page
// script, printed to a PDF file through the program's own printer and text
// measurer and read back with pdftotext, page by page.

#include <gtest/gtest.h>

#include <string>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "engine/recherche.h"
#include "print/plage_impression.h"
#include "print/qt_imprimante.h"
#include "print/qt_mesureur.h"
#include "print/qt_peintre_imprimante.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

// Page 1: the header text under the writing box and the button that puts
// the page-number field in. Page 2: three texts printed on a page each
// under that header.
constexpr const char* kScene = R"S(
scene
page
object kind=fond name="ENTETES" rect=0,0,9600,7200
object kind=rtf name="ENTETE" rect=600,3000,8400,900 G3=2 text=<<FIN
{\rtf1\ansi\deff0{\fonttbl{\f0 Arial;}}\pard\plain\f0\fs24 Folio  du plan\par}
FIN
object kind=action name="PANNEAU" A1=16 text="ENTETES,ENTETE"
  element page=1 object=2 param=0 events=0
object kind=action name="NUMERO" A1=11 B3=1 text="QUE PASSEVALEUR = AJOUTENUMEROPAGE(1)"
object kind=bouton name="CHAMP" rect=600,600,1200,600 C1=1 D1=12632256
  element page=1 object=4 param=0 events=2
page
object kind=fond name="IMPRESSION" rect=0,0,9600,7200
object kind=rtf name="T1" rect=600,600,4800,600 G3=2 text="{\\rtf1 Premier texte\\par}"
object kind=rtf name="T2" rect=600,1500,4800,600 G3=2 text="{\\rtf1 Second texte\\par}"
object kind=rtf name="T3" rect=600,2400,4800,600 G3=2 text="{\\rtf1 Dernier texte\\par}"
object kind=action name="IMPRIME" A1=11 B3=1 text="QUE DUMMY=IMPRIMEPREPAREDEBUT(1)\r\nQUE DUMMY=IMPRIMEENTETE('ENTETES';'ENTETE';-1;-1)\r\nQUE DUMMY=IMPRIMEOBJET('IMPRESSION';'T1';0)\r\nQUE DUMMY=IMPRIMESAUTEPAGE(0)\r\nQUE DUMMY=IMPRIMEOBJET('IMPRESSION';'T2';0)\r\nQUE DUMMY=IMPRIMESAUTEPAGE(0)\r\nQUE DUMMY=IMPRIMEOBJET('IMPRESSION';'T3';0)\r\nQUE DUMMY=IMPRIMEPREPAREFIN(1)"
object kind=bouton name="IMPRIMER" rect=600,6000,1200,600 C1=1 D1=12632256
  element page=2 object=5 param=0 events=2
)S";

QString TextePage(const QString& pdf, int page) {
    const QString n = QString::number(page);
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {"-layout", "-f", n, "-l", n, pdf, "-"});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext did not run (poppler-utils is one of the packages `make deps` installs): "
                      << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(NumeroPagePdf, AFieldPutInTheWritingBoxNumbersThePrintedHeaders) {
    testsupport::ApplicationProgramme();
    QTemporaryDir dossier;
    const QString pdf = dossier.filePath("entetes.pdf");
    print::QtImprimante imprimante;
    imprimante.FichierPdf(pdf);
    print::QtMesureur mesureur;
    PiloteProgramme p(&imprimante, &mesureur);
    p.ChargerScene(kScene);
    p.ExecuterJusquARepos();
    std::string erreur = "not printed";
    int pages = -1;
    p.Apercu().reponse = [&](print::ContexteApercu& c) {
        const print::ImpressionTravail& t = c.travail;
        pages = t.NombreDePages;
        print::QtPeintreImprimante peintre(imprimante.Printer(), t);
        erreur = print::ImprimerPlage(peintre, t.NombreDePages,
                                      print::PlageAImprimer(t.NombreDePages, print::ChoixPages::Toutes, "", "", ""));
    };
    engine::Moteur& m = p.Moteur();
    const auto cliquer = [&](const char* objet) {
        const engine::ObjetPage& o = m.scene.Page(m.jeu.PageCourante).Objet(
            engine::NumeroObjet(m.scene, m.jeu.PageCourante, objet));
        p.Clic(p.Horloge().Maintenant() + 10, o.gauche + o.largeur / 2, o.haut + o.hauteur / 2);
        p.ExecuterJusqua(p.Horloge().Maintenant() + 300);
    };

    // The caret between "Folio " and " du plan", as a user would put it.
    auto& boite = p.Redaction().boite;
    ASSERT_TRUE(p.Redaction().visible);
    boite.SelectionFixer(6, 0);
    cliquer("CHAMP");
    ASSERT_EQ(boite.Texte(), "Folio <#NUMERO DE PAGE> du plan");
    // Leaving the page keeps the box's text in the header's object.
    engine::SauteALaPage(m, 2);
    p.ExecuterJusquARepos();
    cliquer("IMPRIMER");
    ASSERT_EQ(p.Apercu().ouvertures, 1);
    ASSERT_EQ(erreur, "");
    ASSERT_EQ(pages, 3);
    const char* const corps[] = {"Premier texte", "Second texte", "Dernier texte"};
    for (int page = 1; page <= 3; ++page) {
        const QString texte = TextePage(pdf, page);
        EXPECT_TRUE(texte.contains(QString::fromLatin1(corps[page - 1]))) << page << ":\n" << texte.toStdString();
        const QRegularExpressionMatch entete =
            QRegularExpression(QStringLiteral("Folio\\s+(\\S+)\\s+du plan")).match(texte);
        ASSERT_TRUE(entete.hasMatch()) << page << ":\n" << texte.toStdString();
        EXPECT_EQ(entete.captured(1), QString::number(page)) << texte.toStdString();
    }
    EXPECT_EQ(p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::programme
