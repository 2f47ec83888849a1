// The sample's print buttons as a user presses them, printed from the
// preview to a PDF file through the program's own printer and text
// measurer; the file is read back with poppler's pdfinfo and pdftotext.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "display/graphiques.h"
#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "engine/recherche.h"
#include "engine/scripts_moteur.h"
#include "grid/feuille.h"
#include "grid/tableau.h"
#include "plan/entree_page.h"
#include "plan/methode/etapes_methode.h"
#include "print/feuille_imprimee.h"
#include "print/plage_impression.h"
#include "print/qt_imprimante.h"
#include "print/qt_mesureur.h"
#include "print/qt_peintre_imprimante.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

constexpr std::int32_t kRouge = 0x0000FF;  // 0x00BBGGRR

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
    std::vector<print::ImpressionElement> tresorerie;  // the cash grid's pieces, the first grid printed
};

// Presses the start page's "Imprimer", then `bouton`; the preview prints
// all its pages into `pdf`. `preparer` runs on the loaded sample first.
Impression Imprimer(const QString& pdf, const char* bouton,
                    const std::function<void(PiloteProgramme&)>& preparer = {}) {
    print::QtImprimante imprimante;
    imprimante.FichierPdf(pdf);
    print::QtMesureur mesureur;
    PiloteProgramme p(&imprimante, &mesureur);
    std::ifstream f(KORV_SAMPLE_SCENE, std::ios::binary);
    p.ChargerScene(std::string(std::istreambuf_iterator<char>(f), {}));
    p.ExecuterJusquARepos();
    if (preparer) preparer(p);
    Impression r;
    p.Apercu().reponse = [&](print::ContexteApercu& c) {
        const print::ImpressionTravail& t = c.travail;
        r.pages = t.NombreDePages;
        for (const auto& e : t.Elements)
            if (e.ObjetTableau == 1) r.tresorerie.push_back(e);
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

// The cash grid given print formats by a script (its title, a grey and
// bold total row, borders at the right of its first two columns) and a red
// amount prints them as the sheet copy holds them, its title once.
void FormatsTresorerie(PiloteProgramme& p) {
    engine::Moteur& m = p.Moteur();
    m.ScriptsDuMoteur().ProgScriptExecute(
        "DECLARE R\r\n"
        "QUE R = IMPRIMETITRE('DEBUT';'TRESORERIE';'Tr\xE9sorerie de d\xE9part';0)\r\n"
        "QUE R = ZONEFOND('DEBUT';'TRESORERIE';0;4;0;4)\r\n"
        "QUE R = ZONEFORMAT('DEBUT';'TRESORERIE';0;4;0;4;1)\r\n"
        "QUE R = ZONEBORD('DEBUT';'TRESORERIE';1;0;2;0)",
        m.jeu.PageCourante, -1, "");
    const int page = engine::NumeroDePage(m.scene, "DEBUT");
    const int objet = engine::NumeroObjet(m.scene, page, "TRESORERIE");
    auto* g = dynamic_cast<grid::TableauClasse*>(m.Tableaux().GrilleDe(page, objet));
    ASSERT_NE(g, nullptr);
    g->CaseCouleurTexteChange(2, 2, kRouge);
}

// A word's box on `page`, in points from the page's top left; empty when
// the word is not there.
QRectF BoiteMot(const QString& pdf, int page, const QString& mot) {
    const QString n = QString::number(page);
    const QString html = Poppler("pdftotext", {"-bbox", "-f", n, "-l", n, pdf, "-"});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                                          "yMax=\"([0-9.]+)\">%1</word>")
                               .arg(QRegularExpression::escape(mot)))
            .match(html);
    if (!m.hasMatch()) return {};
    return QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                  QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
}

// The words set in a bold font on `page`, as pdftohtml marks them.
QStringList MotsGras(const QString& pdf, int page) {
    const QString n = QString::number(page);
    const QString xml = Poppler("pdftohtml", {"-xml", "-stdout", "-i", "-q", "-f", n, "-l", n, pdf});
    QStringList mots;
    QRegularExpressionMatchIterator i = QRegularExpression(QStringLiteral("<b>([^<]*)</b>")).globalMatch(xml);
    while (i.hasNext()) mots << i.next().captured(1).split(' ', Qt::SkipEmptyParts);
    return mots;
}

// One table row of an RTF table: its cells' definitions and texts, the
// opening empty cell left out.
struct LigneRtf {
    std::vector<std::string> definitions, textes;
};

std::vector<LigneRtf> LignesRtf(const std::string& rtf) {
    std::vector<LigneRtf> r;
    for (std::size_t debut = rtf.find("\\trowd"); debut != std::string::npos; debut = rtf.find("\\trowd", debut + 1)) {
        const std::size_t fin = rtf.find("\\row", debut + 6);
        if (fin == std::string::npos) break;
        const std::string ligne = rtf.substr(debut, fin - debut);
        const std::size_t pard = ligne.find("\\pard");
        LigneRtf l;
        for (std::size_t a = 0, b; (b = ligne.find("\\cellx", a)) < pard; a = b + 6)
            l.definitions.push_back(ligne.substr(a, b - a));
        for (std::size_t a = pard, b; (b = ligne.find("\\cell ", a)) != std::string::npos; a = b + 6)
            l.textes.push_back(ligne.substr(a, b - a));
        if (!l.definitions.empty()) l.definitions.erase(l.definitions.begin());
        if (!l.textes.empty()) l.textes.erase(l.textes.begin());
        r.push_back(std::move(l));
    }
    return r;
}

// The colour of the page image at a point given in points (the image at 144
// dots per inch: two pixels a point).
QColor Pixel(const QImage& page, QPointF points) {
    return page.pixelColor(static_cast<int>(points.x() * 2), static_cast<int>(points.y() * 2));
}

TEST(ImpressionPdf, ThePrintedGridShowsItsFormatsAndItsTitleOnce) {
    testsupport::ApplicationProgramme();
    QTemporaryDir dossier;
    const QString pdf = dossier.filePath("plan.pdf");
    const Impression r = Imprimer(pdf, "IMPRIMER_PLAN", FormatsTresorerie);
    ASSERT_EQ(r.erreur, "");
    ASSERT_FALSE(r.tresorerie.empty());
    const int page = r.tresorerie.front().Page;
    const QString texte = TextePage(pdf, page);
    EXPECT_EQ(texte.count(QStringLiteral("Trésorerie de départ")), 1) << texte.toStdString();
    EXPECT_EQ(texte.count(QStringLiteral("Trésorerie")), 1) << texte.toStdString();

    ASSERT_EQ(Poppler("pdftoppm", {"-png", "-r", "144", "-f", QString::number(page), "-l", QString::number(page),
                                   "-singlefile", pdf, dossier.filePath("page")}),
              "");
    const QImage image(dossier.filePath("page.png"));
    ASSERT_FALSE(image.isNull());

    // The red amount, and the black one below it.
    auto encre = [&](const QString& mot, auto&& couleur) {
        const QRectF b = BoiteMot(pdf, page, mot);
        int n = 0;
        for (double x = b.left(); x < b.right(); x += 0.5)
            for (double y = b.top(); y < b.bottom(); y += 0.5) n += couleur(Pixel(image, {x, y})) ? 1 : 0;
        return n;
    };
    const auto rouge = [](QColor c) { return c.red() > 180 && c.green() < 100 && c.blue() < 100; };
    EXPECT_GT(encre(QStringLiteral("15000,00"), rouge), 5);
    EXPECT_EQ(encre(QStringLiteral("9000,00"), rouge), 0);

    // The borders at the right of columns 1 (180 points wide, its label
    // centred) and 2 (120 points), on the rows in between.
    const QRectF poste = BoiteMot(pdf, page, QStringLiteral("Poste"));
    const QRectF apport = BoiteMot(pdf, page, QStringLiteral("Apport"));
    ASSERT_FALSE(poste.isEmpty());
    ASSERT_FALSE(apport.isEmpty());
    auto trait = [&](double x) {
        for (double d = -2; d <= 2; d += 0.5)
            if (qGray(Pixel(image, {x + d, apport.center().y()}).rgb()) < 128) return true;
        return false;
    };
    EXPECT_TRUE(trait(poste.center().x() + 90));
    EXPECT_TRUE(trait(poste.center().x() + 90 + 120));
    EXPECT_FALSE(trait(poste.center().x() + 45)) << "no line inside a column";

    // The same grid exported as an RTF table: the rows printed bold and grey
    // are the ones exported bold and shaded.
    PiloteProgramme p;
    std::ifstream f(KORV_SAMPLE_SCENE, std::ios::binary);
    p.ChargerScene(std::string(std::istreambuf_iterator<char>(f), {}));
    p.ExecuterJusquARepos();
    FormatsTresorerie(p);
    const std::string chemin = dossier.filePath("tresorerie.rtf").toStdString();
    p.RepondreFichier(chemin);
    p.Moteur().ScriptsDuMoteur().ProgScriptExecute(
        "DECLARE R\r\nQUE R = EXPORTEDEBUT(3)\r\nQUE R = EXPORTEOBJET('DEBUT';'RTF_TRESORERIE')\r\n"
        "QUE R = EXPORTEFIN(0)",
        p.Moteur().jeu.PageCourante, -1, "");
    std::ifstream lu(chemin, std::ios::binary);
    const std::vector<LigneRtf> lignes = LignesRtf(std::string(std::istreambuf_iterator<char>(lu), {}));
    const QStringList gras = MotsGras(pdf, page);
    struct Cas {
        const char* libelle;
        const char* montant;  // as printed
        bool grasGris;
    };
    for (const Cas c : {Cas{"Apport", "15000,00", false}, Cas{"Emprunt", "9000,00", false},
                        Cas{"Total", "24000,00", true}}) {
        SCOPED_TRACE(c.libelle);
        const LigneRtf* exportee = nullptr;
        for (const LigneRtf& l : lignes)
            if (!l.textes.empty() && l.textes.front().find(c.libelle) != std::string::npos) exportee = &l;
        ASSERT_NE(exportee, nullptr);
        ASSERT_EQ(exportee->definitions.size(), 3u);
        ASSERT_EQ(exportee->textes.size(), 3u);
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(exportee->definitions[k].find("\\clshdng") != std::string::npos, c.grasGris) << k;
            EXPECT_EQ(exportee->textes[k].find("\\b ") != std::string::npos, c.grasGris) << k;
        }
        for (const char* mot : {c.libelle, c.montant}) {
            const QRectF b = BoiteMot(pdf, page, QString::fromLatin1(mot));
            ASSERT_FALSE(b.isEmpty()) << mot;
            EXPECT_EQ(gras.contains(QString::fromLatin1(mot)), c.grasGris) << mot;
            // Left of the word, inside its cell.
            const QColor fond = Pixel(image, {b.left() - 4, b.center().y()});
            EXPECT_EQ(fond.red() == 200 && fond.green() == 200 && fond.blue() == 200, c.grasGris)
                << mot << " " << fond.name().toStdString();
        }
    }
    EXPECT_EQ(p.JournalErreurs(), "");
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

// A step's table page with a grid holding one user entry, whose print script
// titles it; the method page and the page-print scripts around it.
constexpr const char* kSceneTitre = R"S(
scene
page
object kind=fond name="TDBPAC" rect=0,0,9600,7200
object kind=tableau name="PAC" rect=600,600,4800,900 G1=2
  grid cols=2 rows=3 coloffset=1 rowoffset=1
  column 1 width=2400 print=0,1,0,0,0,0,0,0
  column 2 width=2400 print=0,1,0,0,0,0,0,0
  row 1 height=300 print=0,1,0,0,0,0,0,0
  row 2 height=300 print=0,1,0,0,0,0,0,0
  row 3 height=300 print=0,1,0,0,0,0,0,0
  cell col=1 row=1 text="Action"
  cell col=1 row=2 text="Salon"
  cell col=2 row=2 text="5"
  attribute col=2 row=2 editable=1 bg=16777215
object kind=action name="IMPRIME" A1=20 text=<<END
QUE DUMMY=IMPRIMETITRE('TDBPAC';'PAC';'Plan commercial';0)
QUE DUMMY=IMPRIMEOBJET('TDBPAC';'PAC';0)
END
page
object kind=fond name="METAUTOMET" rect=0,0,9600,7200
object kind=rtf name="MET" rect=0,0,600,600 G3=2 text=""
object kind=action name="PANNEAU" A1=16 text="METAUTO"
page
object kind=fond name="IMPRIMEPAGE" rect=0,0,9600,7200
object kind=action name="DEBUT" text="QUE DUMMY=IMPRIMEPREPAREDEBUT(1)"
object kind=action name="FIN" text="QUE DUMMY=IMPRIMEPREPAREFIN(1)"
)S";

// The scene above on the program, each preview printing all its pages into `pdf`.
class ImpressionSceneTitre {
public:
    explicit ImpressionSceneTitre(const QString& pdf) {
        imprimante_.FichierPdf(pdf);
        p.ChargerScene(kSceneTitre);
        p.ExecuterJusqua(100);
        p.Apercu().reponse = [this](print::ContexteApercu& c) {
            const print::ImpressionTravail& t = c.travail;
            pages = t.NombreDePages;
            print::QtPeintreImprimante peintre(imprimante_.Printer(), t);
            erreur = print::ImprimerPlage(
                peintre, t.NombreDePages, print::PlageAImprimer(t.NombreDePages, print::ChoixPages::Toutes, "", "", ""));
        };
    }

private:
    print::QtImprimante imprimante_;
    print::QtMesureur mesureur_;

public:
    PiloteProgramme p{&imprimante_, &mesureur_};
    int pages = -1;
    std::string erreur = "not printed";
};

// Whatever mode the job was started in, the grid's title prints once, in
// the same place above the table.
TEST(ImpressionPdf, AGridsTitlePrintsOnceInEveryMode) {
    testsupport::ApplicationProgramme();
    QTemporaryDir dossier;
    QRectF titreImpression;  // where the title stands in mode 1
    for (const int mode : {1, 0, 2, 3, 4}) {
        SCOPED_TRACE(mode);
        const QString pdf = dossier.filePath(QStringLiteral("mode%1.pdf").arg(mode));
        ImpressionSceneTitre s(pdf);
        s.p.Moteur().ScriptsDuMoteur().ProgScriptExecute(
            "DECLARE R\r\nQUE R = IMPRIMEPREPAREDEBUT(" + std::to_string(mode) +
                ")\r\nQUE R = IMPRIMETITRE('TDBPAC';'PAC';'Plan commercial';0)\r\n"
                "QUE R = IMPRIMEOBJET('TDBPAC';'PAC';0)\r\nQUE R = IMPRIMEPREPAREFIN(1)",
            1, -1, "");
        ASSERT_EQ(s.erreur, "");
        ASSERT_EQ(s.pages, 1);
        const QString texte = TextePage(pdf, 1);
        EXPECT_EQ(texte.count(QStringLiteral("Plan commercial")), 1) << texte.toStdString();
        EXPECT_EQ(texte.count(QStringLiteral("Salon")), 1) << texte.toStdString();
        // Where the sheet's title row does not hold it, the title stands in
        // that row's place in its own font.
        const QRectF titre = BoiteMot(pdf, 1, QStringLiteral("Plan"));
        const QRectF entete = BoiteMot(pdf, 1, QStringLiteral("Action"));
        ASSERT_FALSE(titre.isEmpty());
        ASSERT_FALSE(entete.isEmpty());
        EXPECT_LT(titre.bottom(), entete.top()) << "above the table";
        if (mode == 1) titreImpression = titre;
        EXPECT_NEAR(titre.top(), titreImpression.top(), 3);
        EXPECT_NEAR(titre.left(), titreImpression.left(), 3);
        EXPECT_EQ(s.p.JournalErreurs(), "");
    }
}

// "Imprimer cette page" on step 443's method page prints its table page in
// mode 2: the titled grid prints its title.
TEST(ImpressionPdf, AStepsTablePagePrintedFromItsMethodPageShowsTheGridsTitle) {
    testsupport::ApplicationProgramme();
    QTemporaryDir dossier;
    const QString pdf = dossier.filePath("etape.pdf");
    ImpressionSceneTitre s(pdf);
    plan::MethodeEtapes& e = s.p.Programme().Etapes();
    if (e.NombreEtapes() == 0) e.MethodePlanDefautCreer();
    ASSERT_GT(e.NumeroEtape("443"), 0);
    e.EtapeCouranteCode() = "443";
    engine::Moteur& m = s.p.Moteur();
    engine::SauteALaPage(m, engine::NumeroDePage(m.scene, "METAUTOMET"));
    s.p.ExecuterJusquARepos();
    s.p.Programme().Recepteur().MenuPlan(plan::CommandePlan::ImprimerPage);
    s.p.ExecuterJusquARepos();
    ASSERT_EQ(s.erreur, "");
    ASSERT_GE(s.pages, 1);
    const auto& feuilles = s.p.Programme().TravailImpression().feuilles;
    ASSERT_EQ(feuilles.size(), 1u);
    EXPECT_EQ(feuilles.front()->Feuille()->taillePolice, 8) << "the table page's copy, mode 2";
    QString tout;
    for (int page = 1; page <= s.pages; ++page) tout += TextePage(pdf, page);
    EXPECT_EQ(tout.count(QStringLiteral("Plan commercial")), 1) << tout.toStdString();
    EXPECT_EQ(tout.count(QStringLiteral("Salon")), 1) << tout.toStdString();
    EXPECT_EQ(s.p.JournalErreurs(), "");
    EXPECT_TRUE(s.p.Messages().messages.empty());
}

}  // namespace
}  // namespace korv::programme
