#include "print/qt_peinture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include <QApplication>

#include "feuille_factice.h"
#include "grid/feuille.h"

namespace korv::print {
namespace {

void Application() {
    if (QApplication::instance() != nullptr) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char nom[] = "print_tests";
    static char* argv[] = {nom, nullptr};
    new QApplication(argc, argv);
}

class FeuilleReelle final : public FeuilleImprimee {
public:
    FeuilleReelle() {
        f.Texte(1, 1, "Titre");
        f.Nombre(2, 1, 12.5);
    }
    int DerniereLigne() const override { return 2; }
    int DerniereColonne() const override { return 1; }
    bool LigneTitre(int l) const override { return l == 1; }
    int ColonnesTitre() const override { return 0; }
    std::int32_t HauteurLigne(int) const override { return kHauteurLigneDefaut; }
    std::int32_t LargeurColonne(int) const override { return kLargeurColonneDefaut; }
    bool SautApresLigne(int) const override { return false; }
    bool SautApresColonne(int) const override { return false; }
    const grid::Feuille* Feuille() const override { return &f; }
    grid::Feuille f;
};

// The first column holding a dark pixel, or -1.
int PremiereColonneSombre(const QImage& im) {
    for (int x = 0; x < im.width(); ++x)
        for (int y = 0; y < im.height(); ++y)
            if (qGray(im.pixel(x, y)) < 128) return x;
    return -1;
}

// Page 1 of the job painted at screen scale (15 twips a pixel) over white.
QImage PagePeinte(const ImpressionTravail& t, int largeur, int hauteur) {
    QImage im(largeur, hauteur, QImage::Format_RGB32);
    im.fill(Qt::white);
    QPainter p(&im);
    VuePage v;
    v.pixelsParTwip = 1.0 / 15.0;
    PeindrePage(t, 1, p, v);
    p.end();
    return im;
}

// A grid piece of sheet 1 on page 1: rows and columns from 1, at
// (1500, 1500) in default-sized cells.
ImpressionElement PieceGrille(int lignes, int colonnes) {
    ImpressionElement g;
    g.Page = 1;
    g.ObjetTableau = 1;
    g.PremLig = 1;
    g.DernLig = lignes;
    g.PremCol = 1;
    g.DernCol = colonnes;
    g.rectangle = {1500, 1500, 1500 + colonnes * kLargeurColonneDefaut, 1500 + lignes * kHauteurLigneDefaut};
    return g;
}

ImpressionTravail TravailGrille(bool sansBords) {
    ImpressionTravail t;
    t.feuilles.push_back(std::make_unique<FeuilleReelle>());
    ImpressionElement corps;
    corps.Page = 1;
    corps.Genre = GenreElement::Corps;
    corps.rectangle = {0, 0, 9000, 9000};
    t.Elements.push_back(corps);
    ImpressionElement g;
    g.Page = 1;
    g.ObjetTableau = 1;
    g.PremLig = 2;
    g.DernLig = 2;
    g.PremCol = 1;
    g.DernCol = 1;
    g.SansBords = sansBords;
    g.rectangle = {1500, 1500, 1500 + kLargeurColonneDefaut, 1500 + 2 * kHauteurLigneDefaut};
    t.Elements.push_back(g);
    return t;
}

TEST(QtPeinture, AGridAtTwiceTheZoomStartsAtTwiceItsPlaceAndScrollingMovesIt) {
    Application();
    const ImpressionTravail t = TravailGrille(false);
    struct Cas {
        double zoom;
        double defilementTwips;
        int attendu;
    };
    for (const Cas c : {Cas{100, 0, 100}, Cas{200, 0, 200}, Cas{200, 150, 180}}) {
        QImage im(800, 800, QImage::Format_RGB32);
        im.fill(Qt::white);
        QPainter p(&im);
        VuePage v;
        v.pixelsParTwip = c.zoom / 100.0 / 15.0;
        v.defilement = QPointF(c.defilementTwips * c.zoom / 100.0 / 15.0, 0);
        PeindrePage(t, 1, p, v);
        p.end();
        EXPECT_EQ(PremiereColonneSombre(im), c.attendu) << c.zoom;
    }
}

TEST(QtPeinture, HeaderTextIsDrawnInItsPlaceOnEveryPageOfItsOwn) {
    Application();
    ImpressionTravail t;
    t.PremierNumero = 1;
    t.NombreDePages = 2;
    t.EnTetePied.EnTetePremierePage = true;
    t.EnTetePied.EnTeteTexte = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Page <#NUMERO DE PAGE>}";
    t.EnTeteRectangle = {3000, 1500, 9000, 1900};
    ImpressionElement h;
    h.Page = 2;
    h.Genre = GenreElement::EnTete;
    h.ElementTexte = -1;
    t.Elements.push_back(h);
    QImage im(800, 800, QImage::Format_RGB32);
    im.fill(Qt::white);
    QPainter p(&im);
    VuePage v;
    v.pixelsParTwip = 1.0 / 15.0;
    PeindrePage(t, 1, p, v);  // nothing on page 1
    EXPECT_EQ(PremiereColonneSombre(im), -1);
    PeindrePage(t, 2, p, v);
    p.end();
    const int x = PremiereColonneSombre(im);
    EXPECT_GE(x, 200);
    EXPECT_LT(x, 220);
}

TEST(QtPeinture, AGridWithoutBordersHasNoFrame) {
    Application();
    const ImpressionTravail t = TravailGrille(true);
    const QImage im = PagePeinte(t, 800, 800);
    // No frame line at the grid's left edge (x 100): the first ink is the
    // title text, set in from the edge.
    EXPECT_GT(PremiereColonneSombre(im), 100);
}

// A number cell's text placed by the sheet's alignment code: 2 left, 3
// centred, 4 right, 1 (general) right as a number.
TEST(QtPeinture, AGridCellIsPlacedByItsAlignmentCode) {
    Application();
    struct Cas {
        int code;
        int debutMin, debutMax;  // the text's first dark column, pixels
    };
    // The cell spans x 100 to 177; the text is kept 3 pixels off its edges.
    for (const Cas c : {Cas{2, 103, 106}, Cas{3, 118, 135}, Cas{4, 140, 170}, Cas{1, 140, 170}}) {
        ImpressionTravail t = TravailGrille(true);
        auto& f = static_cast<FeuilleReelle&>(*t.feuilles.front()).f;
        f.Alignement(grid::PlageFeuille{2, 1, 2, 1}, c.code, true, 2);
        const QImage im = PagePeinte(t, 800, 800);
        // Row 2 only (y 117 to 134): the title row above keeps its own alignment.
        const int x = PremiereColonneSombre(im.copy(0, 118, im.width(), 15));
        EXPECT_GE(x, c.debutMin) << c.code;
        EXPECT_LE(x, c.debutMax) << c.code;
    }
}

// A sheet copy painted with its formats: a title row above the frame, a
// grey row, a border, a red text, a centred text over a merged run. At 15
// twips a pixel a column is 77 pixels wide and a row 17 high; the piece
// starts at (100, 100).
TEST(QtPeinture, AGridPaintsTheFormatsOfItsSheet) {
    Application();
    auto classeur = std::make_unique<grid::Classeur>();
    grid::Feuille& f = classeur->FeuilleNumero(1);
    f.titreImpression = "Titre";
    f.Texte(1, 1, "Titre");
    f.Police(grid::PlageFeuille{1, 1, 1, 1}, grid::PoliceFeuille{"ARIAL", 10, true});
    f.Texte(2, 2, "M");
    f.Alignement(grid::PlageFeuille{2, 2, 2, 3}, 3, true, 2);
    f.fusions.push_back({2, 2, 2, 3});
    f.Bords(grid::PlageFeuille{2, 1, 3, 1}, grid::BordsFeuille{-1, 1, -1, -1});
    const std::int32_t gris = 200 | 200 << 8 | 200 << 16;
    f.Remplir(grid::PlageFeuille{3, 1, 3, 3}, grid::RemplissageFeuille{1, gris, gris});
    f.Texte(3, 3, "X");
    f.CouleurTexte(grid::PlageFeuille{3, 3, 3, 3}, 0x0000FF);
    ImpressionTravail t;
    t.feuilles.push_back(FeuilleDuClasseur(std::move(classeur), 1));
    ImpressionElement g = PieceGrille(3, 3);
    t.Elements.push_back(g);

    const auto sombre = [](QRgb c) { return qGray(c) < 128; };
    const auto rouge = [](QRgb c) { return qRed(c) > 180 && qGreen(c) < 100 && qBlue(c) < 100; };
    const auto grise = [](QRgb c) { return c == qRgb(200, 200, 200); };
    struct Cas {
        const char* quoi;
        bool sansBords;
        QRect zone;
        bool (*critere)(QRgb);
        bool attendu;  // some pixel of the zone meets the test
        std::pair<int, int> lignesFixes;
    };
    const Cas cas[] = {
        {"no line above the title row", false, QRect(110, 98, 200, 3), +sombre, false, {0, 0}},
        {"the frame's top edge under it", false, QRect(130, 116, 10, 3), +sombre, true, {0, 0}},
        {"the border right of column 1", false, QRect(175, 121, 3, 8), +sombre, true, {0, 0}},
        {"no border without borders", true, QRect(175, 121, 3, 8), +sombre, false, {0, 0}},
        {"the grey row", true, QRect(180, 136, 20, 4), +grise, true, {0, 0}},
        {"the red text", false, QRect(255, 135, 76, 16), +rouge, true, {0, 0}},
        {"the merged run's text across its middle", false, QRect(240, 118, 30, 15), +sombre, true, {0, 0}},
        {"and not in its first column's middle", false, QRect(195, 118, 30, 15), +sombre, false, {0, 0}},
        // A piece that starts with the rows repeated on every piece shows them once.
        {"row 1 repeated: the grey row in its place", true, QRect(180, 136, 20, 4), +grise, true, {1, 1}},
        {"and no row below it", true, QRect(180, 153, 20, 10), +grise, false, {1, 1}},
    };
    for (const Cas& c : cas) {
        t.Elements.front().SansBords = c.sansBords;
        f.lignesFixes = c.lignesFixes;
        const QImage im = PagePeinte(t, 500, 300);
        bool trouve = false;
        for (int x = c.zone.left(); x <= c.zone.right(); ++x)
            for (int y = c.zone.top(); y <= c.zone.bottom(); ++y) trouve = trouve || c.critere(im.pixel(x, y));
        EXPECT_EQ(trouve, c.attendu) << c.quoi;
    }
}

// A cell's fill prints the shade of its pattern: the share of the
// foreground colour over the background (black over white here, but for
// the red case).
TEST(QtPeinture, AFillPrintsTheShadeOfItsPattern) {
    Application();
    constexpr std::int32_t kNoir = 0, kBlanc = 0xFFFFFF, kRouge = 0x0000FF;
    struct Cas {
        int motif;
        std::int32_t avant;
        QRgb attendu;
    };
    for (const Cas c : {Cas{0, kNoir, qRgb(255, 255, 255)}, Cas{1, kNoir, qRgb(0, 0, 0)},
                        Cas{2, kNoir, qRgb(128, 128, 128)}, Cas{3, kNoir, qRgb(64, 64, 64)},
                        Cas{4, kNoir, qRgb(191, 191, 191)}, Cas{17, kNoir, qRgb(223, 223, 223)},
                        Cas{18, kNoir, qRgb(239, 239, 239)}, Cas{3, kRouge, qRgb(255, 64, 64)}}) {
        auto classeur = std::make_unique<grid::Classeur>();
        classeur->FeuilleNumero(1).Remplir(grid::PlageFeuille{1, 1, 1, 1},
                                           grid::RemplissageFeuille{c.motif, c.avant, kBlanc});
        ImpressionTravail t;
        t.feuilles.push_back(FeuilleDuClasseur(std::move(classeur), 1));
        ImpressionElement g = PieceGrille(1, 1);
        g.SansBords = true;
        t.Elements.push_back(g);
        const QImage im = PagePeinte(t, 300, 300);
        // The cell spans x 100 to 177 and y 100 to 117.
        EXPECT_EQ(QColor(im.pixel(138, 108)), QColor(c.attendu)) << c.motif << " " << c.avant;
    }
}

}  // namespace
}  // namespace korv::print

#include <QFile>
#include <QTemporaryDir>

#include "print/qt_imprimante.h"
#include "print/qt_peintre_imprimante.h"

namespace korv::print {
namespace {

int PagesPdf(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray d = f.readAll();
    // The page tree's count, which the writer leaves uncompressed.
    const qsizetype i = d.indexOf("/Count ");
    if (i < 0) return -1;
    return d.mid(i + 7, 6).split('\n').front().trimmed().toInt();
}

TEST(QtPeinture, PagesTwoToThreeOfAJobGoToAPdfOfTwoPages) {
    Application();
    QTemporaryDir dossier;
    QtImprimante imprimante;
    const QString chemin = dossier.filePath("plage.pdf");
    imprimante.FichierPdf(chemin);
    ImpressionTravail t = TravailGrille(false);
    t.NombreDePages = 4;
    QtPeintreImprimante peintre(imprimante.Printer(), t);
    EXPECT_EQ(ImprimerPlage(peintre, t.NombreDePages, PlageAImprimer(4, ChoixPages::DeA, "3", "2", "")), "");
    EXPECT_EQ(PagesPdf(chemin), 2);
}

TEST(QtPeinture, APrinterThatCannotStartGivesAMessageAndNoFile) {
    Application();
    QtImprimante imprimante;
    imprimante.FichierPdf("/nonexistent-folder/x/plage.pdf");
    const ImpressionTravail t = TravailGrille(false);
    QtPeintreImprimante peintre(imprimante.Printer(), t);
    EXPECT_EQ(ImprimerPlage(peintre, 1, {1, 1}), "L'impression n'a pas pu commencer.");
    EXPECT_FALSE(QFile::exists("/nonexistent-folder/x/plage.pdf"));
}

}  // namespace
}  // namespace korv::print

#include <QScreen>

#include "print/qt_apercu.h"

namespace korv::print {
namespace {

TEST(QtApercuFenetre, AnEmptyJobClosesTheWindowAfterPaginatingOnce) {
    Application();
    QtImprimante imprimante;
    QtApercu apercu(nullptr, imprimante, {});
    ImpressionTravail t;
    int paginations = 0;
    ContexteApercu c{t, [&paginations] {
                         ++paginations;
                         return 0;
                     }};
    apercu.Montrer(c);  // returns: the window closed itself
    EXPECT_EQ(paginations, 1);
}

// On a screen smaller than the window's usual size (the test platform's is
// 800 by 600) the window fits in it, its scroll bars in sight.
TEST(QtApercuFenetre, TheWindowFitsTheScreen) {
    Application();
    QtImprimante imprimante;
    QtApercu apercu(nullptr, imprimante, {});
    ImpressionTravail t;
    QSize taille, ecran;
    ContexteApercu c{t, [&] {
                         if (const QWidget* w = QApplication::activeModalWidget()) {
                             taille = w->size();
                             ecran = w->screen()->availableGeometry().size();
                         }
                         return 0;
                     }};
    apercu.Montrer(c);
    ASSERT_TRUE(taille.isValid());
    EXPECT_LE(taille.width(), ecran.width());
    EXPECT_LE(taille.height(), ecran.height());
}

TEST(QtApercuFenetre, ThePageBoxFallsBackToTheFirstPage) {
    struct Cas {
        const char* texte;
        std::int32_t page;
    };
    for (const Cas c : {Cas{"3", 3}, Cas{"0", 1}, Cas{"99", 1}, Cas{"abc", 1}, Cas{" 5 ", 5}})
        EXPECT_EQ(PageDemandee(c.texte, 5), c.page) << c.texte;
}

}  // namespace
}  // namespace korv::print

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace korv::print {
namespace {

// A job of three pages on an A4-like page image, the grid on page 1.
ImpressionTravail TravailTroisPages() {
    ImpressionTravail t = TravailGrille(false);
    t.ImprimanteDroite = 11000;
    t.ImprimanteBas = 16000;
    return t;
}

struct FenetreDeTest {
    explicit FenetreDeTest(ImpressionTravail& t)
        : contexte{t, [&t, this] {
                       ++paginations;
                       t.NombreDePages = 3;
                       return t.NombreDePages;
                   }},
          fenetre(nullptr, contexte, imprimante, {}) {
        fenetre.resize(600, 500);
        fenetre.Activer();
    }
    int paginations = 0;
    QtImprimante imprimante;
    ContexteApercu contexte;
    QtFenetreApercu fenetre;
};

QImage Affichage(const QtFenetreApercu& f) {
    QImage im(f.Affichage()->size(), QImage::Format_RGB32);
    QPainter p(&im);
    f.PeindreAffichage(p);
    return im;
}

TEST(QtApercuFenetre, TheLayoutFollowsTheWindowAndTheZoomAndReturnsToTheTopLeft) {
    Application();
    ImpressionTravail t = TravailTroisPages();
    FenetreDeTest w(t);
    QtFenetreApercu& f = w.fenetre;
    EXPECT_EQ(w.paginations, 1);
    EXPECT_EQ(f.NombrePages()->text(), "/3");
    EXPECT_EQ(f.BarrePages()->maximum(), 3);
    // The window's widgets are where the layout of its measures puts them.
    const DispositionApercu attendu = ApercuDisposer(f.Mesures(), "100");
    EXPECT_EQ(f.Affichage()->geometry(), QRect(5, static_cast<int>(std::lround(attendu.affichage.haut / 15)),
                                                std::lround(11000 / 15.0), std::lround(16000 / 15.0)));
    EXPECT_EQ(f.BarreVerticale()->geometry().right(), f.width() - 1);
    EXPECT_EQ(f.BarreHorizontale()->geometry().bottom(), f.height() - 1);
    EXPECT_EQ(f.BarreHorizontale()->maximum(), attendu.horizontale.maximum);
    EXPECT_EQ(f.BarreVerticale()->maximum(), attendu.verticale.maximum);
    EXPECT_EQ(f.BarreHorizontale()->singleStep(), 15);
    EXPECT_EQ(f.BarreHorizontale()->pageStep(), 150);

    f.BarreHorizontale()->setValue(100);
    f.BarreVerticale()->setValue(50);
    f.Zoom()->setCurrentText("200");
    emit f.Zoom()->lineEdit()->returnPressed();
    EXPECT_EQ(f.Affichage()->width(), std::lround(22000 / 15.0));
    EXPECT_EQ(f.BarreHorizontale()->value(), 0);
    EXPECT_EQ(f.BarreVerticale()->value(), 0);
    // A zoom that is no number lays the page out at 1 %, one above 1000 at 1000 %.
    f.Zoom()->setCurrentText("abc");
    emit f.Zoom()->lineEdit()->returnPressed();
    EXPECT_EQ(f.Affichage()->width(), std::lround(110 / 15.0));
    f.Zoom()->setCurrentText("1500");
    emit f.Zoom()->lineEdit()->returnPressed();
    EXPECT_EQ(f.Affichage()->width(), std::lround(110000 / 15.0));
    // A larger window, shown: the bars follow its edges.
    f.show();
    f.resize(800, 700);
    EXPECT_EQ(f.BarreVerticale()->geometry().right(), 799);
    EXPECT_EQ(f.BarreHorizontale()->geometry().bottom(), 699);
}

TEST(QtApercuFenetre, ScrollingOneUnitMovesThePageTenTwips) {
    Application();
    ImpressionTravail t = TravailTroisPages();
    FenetreDeTest w(t);
    QtFenetreApercu& f = w.fenetre;
    const int avant = PremiereColonneSombre(Affichage(f));
    ASSERT_EQ(avant, 100);  // the grid at 1500 twips
    f.BarreHorizontale()->setValue(30);  // 300 twips: 20 pixels
    EXPECT_EQ(PremiereColonneSombre(Affichage(f)), 80);
    f.Zoom()->setCurrentText("200");
    emit f.Zoom()->lineEdit()->returnPressed();
    EXPECT_EQ(PremiereColonneSombre(Affichage(f)), 200);
    f.BarreHorizontale()->setValue(30);  // not zoomed: still 20 pixels
    EXPECT_EQ(PremiereColonneSombre(Affichage(f)), 180);
}

TEST(QtApercuFenetre, ThePageBoxAndBarTurnThePages) {
    Application();
    ImpressionTravail t = TravailTroisPages();
    FenetreDeTest w(t);
    QtFenetreApercu& f = w.fenetre;
    struct Cas {
        const char* texte;
        int page;
    };
    for (const Cas c : {Cas{"2", 2}, Cas{"0", 1}, Cas{"3", 3}, Cas{"99", 1}, Cas{"abc", 1}}) {
        f.NumeroPage()->setText(c.texte);
        emit f.NumeroPage()->returnPressed();
        EXPECT_EQ(f.BarrePages()->value(), c.page) << c.texte;
        EXPECT_EQ(f.NumeroPage()->text(), QString::number(c.page)) << c.texte;
    }
    // Page 2 holds nothing: the grid of page 1 is gone.
    f.BarrePages()->setValue(2);
    EXPECT_EQ(f.NumeroPage()->text(), "2");
    EXPECT_EQ(PremiereColonneSombre(Affichage(f)), -1);
    // Enter in the boxes presses no button; Fermer closes the window.
    EXPECT_FALSE(f.Imprimer()->autoDefault());
    EXPECT_FALSE(f.Fermer()->autoDefault());
    f.show();
    f.Fermer()->click();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(w.paginations, 1);
}

}  // namespace
}  // namespace korv::print

namespace korv::print {
namespace {

// A chart is drawn at the screen's size of its rectangle, then stretched
// over it on the device: on a printer its texts keep their size against it.
TEST(QtPeinture, AChartIsDrawnAtScreenSizeAndStretchedOverItsRectangle) {
    Application();
    ImpressionTravail t;
    t.graphiques.emplace_back();
    ImpressionElement g;
    g.Page = 1;
    g.ObjetGraphique = 1;
    g.rectangle = {1500, 1500, 1500 + 4500, 1500 + 3000};
    t.Elements.push_back(g);
    struct Cas {
        double pixelsParTwip;
    };
    for (const Cas c : {Cas{1.0 / 15}, Cas{600.0 / 1440}, Cas{2.0 / 15}}) {
        QSize taille;
        const DessinGraphique noir = [&taille](const grid::ContenuGraphique&, QImage& cible, const QRect& r) {
            taille = r.size();
            cible.fill(Qt::black);
        };
        const int w = static_cast<int>(std::lround(9000 * c.pixelsParTwip));
        QImage im(w, w, QImage::Format_RGB32);
        im.fill(Qt::white);
        QPainter p(&im);
        VuePage v;
        v.pixelsParTwip = c.pixelsParTwip;
        PeindrePage(t, 1, p, v, noir);
        p.end();
        EXPECT_EQ(taille, QSize(300, 200)) << c.pixelsParTwip;
        const int x0 = static_cast<int>(std::lround(1500 * c.pixelsParTwip));
        const int x1 = static_cast<int>(std::lround(6000 * c.pixelsParTwip));
        EXPECT_EQ(PremiereColonneSombre(im), x0) << c.pixelsParTwip;
        EXPECT_LT(qGray(im.pixel(x1 - 2, x0 + 2)), 128) << c.pixelsParTwip;
        EXPECT_GT(qGray(im.pixel(x1 + 2, x0 + 2)), 128) << c.pixelsParTwip;
    }
}

}  // namespace
}  // namespace korv::print
