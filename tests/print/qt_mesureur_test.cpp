#include "print/qt_mesureur.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "print/qt_imprimante.h"

namespace korv::print {
namespace {

QApplication& Application() {
    static QApplication* a = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char nom[] = "print_tests";
        static char* argv[] = {nom, nullptr};
        return new QApplication(argc, argv);
    }();
    return *a;
}

const std::string kTexte =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\pard\\plain\\f0\\fs24 "
    "Premier paragraphe assez long pour occuper plusieurs lignes sur une largeur de quelques centimetres "
    "seulement, afin que la mesure le coupe.\\par Second paragraphe.\\par Troisieme.\\par}";

TEST(QtMeasurer, WholeTextInATallRectangle) {
    Application();
    QtMesureur m;
    const std::int32_t n = m.Longueur(kTexte);
    ASSERT_GT(n, 100);
    const MesureTexte r = m.Mesurer(kTexte, {0, 1000, 11000, 20000}, 0, false);
    EXPECT_EQ(r.fin, n);
    // 12-point lines at 1440 dots per inch: about 276 twips each.
    EXPECT_GT(r.bas, 1000 + 3 * 200);
    EXPECT_LT(r.bas, 1000 + 8 * 400);
}

TEST(QtMeasurer, PiecesChainAndEveryMeasureGoesOn) {
    Application();
    QtMesureur m;
    const std::int32_t n = m.Longueur(kTexte);
    std::int32_t debut = 0;
    int pieces = 0;
    while (debut < n && pieces < 100) {
        // A rectangle two lines high, narrow: several pieces.
        const MesureTexte r = m.Mesurer(kTexte, {0, 0, 3000, 600}, debut, true);
        ASSERT_GT(r.fin, debut);
        EXPECT_LE(r.bas, 600);
        debut = r.fin;
        ++pieces;
    }
    EXPECT_EQ(debut, n);
    EXPECT_GT(pieces, 2);
    // A rectangle lower than a line formats nothing, or one clipped line
    // when the text must go on.
    EXPECT_EQ(m.Mesurer(kTexte, {0, 0, 3000, 10}, 0, false).fin, 0);
    EXPECT_GT(m.Mesurer(kTexte, {0, 0, 3000, 10}, 0, true).fin, 0);
}

// Paragraph spacing and indents are twips on the page, whatever the
// resolution the text is laid out at.
std::string Mots() {
    std::string s;
    for (int i = 0; i < 20; ++i) s += "xx ";
    return s;
}

TEST(QtMeasurer, SpacingAndIndentsAreTwips) {
    Application();
    QtMesureur m;
    // A short paragraph, then twenty short words that fit on one line of
    // 10000 twips.
    const auto bas = [&m](const std::string& premier, const std::string& second) {
        const std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\pard" + premier +
                                "\\plain\\f0\\fs24 A\\par\\pard" + second + "\\plain\\f0\\fs24 " +
                                Mots() + "\\par}";
        return m.Mesurer(rtf, {0, 0, 11000, 20000}, 0, false).bas;
    };
    const std::int32_t sans = bas("", "");
    EXPECT_NEAR(bas("", "\\sb480") - sans, 480, 20);
    EXPECT_NEAR(bas("\\sa240", "") - sans, 240, 20);
    EXPECT_EQ(bas("", "\\li1000"), sans);
    EXPECT_GT(bas("", "\\li9000"), sans);
}

TEST(QtMeasurer, ATabStopIsTwips) {
    Application();
    QtMesureur m;
    // A contents line: its page number after a stop at 8500 twips stays on
    // the line within 9600 twips; a stop beyond the width sends it below.
    const auto bas = [&m](const std::string& tabulation) {
        const std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\pard" + tabulation +
                                "\\plain\\f0\\fs20 1. Titre\\tab page 12\\par}";
        return m.Mesurer(rtf, {0, 0, 9600, 20000}, 0, false).bas;
    };
    const std::int32_t uneLigne = bas("\\tx2000");
    EXPECT_EQ(bas("\\tx8500"), uneLigne);
    EXPECT_GT(bas("\\tx9500"), uneLigne);
}

TEST(QtPrinter, PdfPageGivesItsDeviceValues) {
    Application();
    QTemporaryDir dossier;
    QtImprimante imprimante;
    imprimante.FichierPdf(dossier.filePath("sortie.pdf"));
    const CaracteristiquesImprimante c = imprimante.Caracteristiques();
    EXPECT_GT(c.largeurPixels, 0);
    EXPECT_GT(c.hauteurPixels, c.largeurPixels);  // portrait
    EXPECT_GT(c.largeurMm, 100);
    EXPECT_GE(c.decalageXPixels, 0);
    // The scale is the printable extent in twips.
    EXPECT_NEAR(c.echelleLargeur, c.largeurMm * 1440 / 25.4, 10);
}

}  // namespace
}  // namespace korv::print
