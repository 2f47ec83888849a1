#include "rtf/qt_document.h"

#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>

#include <gtest/gtest.h>

#include "outils.h"
#include "rtf/ecrivain.h"

namespace korv::rtf {
namespace {

// Fonts need the GUI application.
QGuiApplication& Application() {
    static int argc = 1;
    static char nom[] = "rtf_tests";
    static char* argv[] = {nom, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

class DocumentQt : public ::testing::Test {
protected:
    void SetUp() override { (void)Application(); }
};

TEST_F(DocumentQt, AllerEtRetourParQt) {
    const char* textes[] = {
        R"({\rtf1 })",
        R"({\rtf1 A\par\par })",
        R"({\rtf1\deff1{\fonttbl{\f0\fswiss Arial;}{\f1\froman\fcharset0 Times New Roman;}})"
        R"({\colortbl;\red255\green0\blue0;}a{\b b\b0 c}{\i\ul\strike\cf1\f0\fs32 d})"
        R"({\up4 e}{\dn f}{\super g}{\sub h\plain i}})",
        R"({\rtf1\pard\qc\li100\ri200\fi-50\sb10\sa20 a\par\qr b\page\pard\qj c\tab d\line e\u8594?\par})",
        R"({\rtf1\pard\tx8500 a\tab b\par\pard\tx100\tx2000 c})",
        R"({\rtf1\fs32 A\par\par\plain\par B})",
    };
    for (const char* t : textes) {
        const Document d = test::Lu(t);
        QTextDocument q;
        VersDocumentQt(d, q, 15);
        EXPECT_EQ(DepuisDocumentQt(q, 15), d) << t;
    }
}

TEST_F(DocumentQt, FormatsVisiblesParQt) {
    const Document d = test::Lu(R"({\rtf1{\fonttbl{\f0 Arial;}}{\colortbl;\red255\green0\blue0;})"
                                R"(\pard\qc\li300 {\b\cf1\fs40 Titre}\par\pard A\line B})");
    QTextDocument q;
    VersDocumentQt(d, q, 15);
    ASSERT_EQ(q.blockCount(), 2);
    const QTextBlock b = q.begin();
    EXPECT_EQ(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(b.blockFormat().leftMargin(), 20.0);
    const QTextCharFormat f = b.begin().fragment().charFormat();
    EXPECT_EQ(f.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(f.fontPointSize(), 20.0);
    EXPECT_EQ(f.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(b.next().text(), QString("A") + QChar(QChar::LineSeparator) + "B");

    // A tab stop at 8500 twips is 8500 / 15 pixels from the margin.
    QTextDocument t;
    VersDocumentQt(test::Lu(R"({\rtf1\pard\tx8500 a\tab b})"), t, 15);
    ASSERT_EQ(t.begin().blockFormat().tabPositions().size(), 1);
    EXPECT_DOUBLE_EQ(t.begin().blockFormat().tabPositions()[0].position, 8500.0 / 15);
}

// An empty text in Arial 10: the box's caret writes in Arial 10, what is
// typed takes that size, and the empty box gives its size back.
TEST_F(DocumentQt, UnTexteVideGardeSaTaille) {
    const Document d = test::Lu(R"({\rtf1{\fonttbl{\f0\fswiss Arial;}}\pard\plain\f0\fs20\par})");
    QTextDocument q;
    VersDocumentQt(d, q, 15);
    QTextCursor c(&q);
    EXPECT_DOUBLE_EQ(c.charFormat().fontPointSize(), 10.0);
    EXPECT_EQ(DepuisDocumentQt(q, 15), d);
    c.insertText("Texte");
    const Document tape = DepuisDocumentQt(q, 15);
    ASSERT_EQ(tape.paragraphes.size(), 1u);
    ASSERT_EQ(tape.paragraphes[0].morceaux.size(), 1u);
    EXPECT_EQ(tape.paragraphes[0].morceaux[0].texte, U"Texte");
    EXPECT_EQ(tape.paragraphes[0].morceaux[0].format.taille, 20);
}

TEST_F(DocumentQt, UnTexteEditeSeRelit) {
    // A text typed into a QTextDocument, without our properties.
    QTextDocument q;
    QTextCursor c(&q);
    QTextCharFormat gras;
    gras.setFontWeight(QFont::Bold);
    gras.setFontFamilies({QString("Verdana")});
    gras.setFontPointSize(11);
    gras.setForeground(QColor(0, 0, 255));
    c.insertText(QString::fromUtf8("Écrit "), gras);
    QTextBlockFormat centre;
    centre.setAlignment(Qt::AlignHCenter);
    c.insertBlock(centre);
    c.insertText("fin");
    const Document d = DepuisDocumentQt(q, 15);
    ASSERT_EQ(d.paragraphes.size(), 2u);
    const FormatCaractere& f = d.paragraphes[0].morceaux[0].format;
    EXPECT_TRUE(f.gras);
    EXPECT_EQ(f.taille, 22);
    ASSERT_NE(d.PoliceNumero(f.police), nullptr);
    EXPECT_EQ(d.PoliceNumero(f.police)->nom, "Verdana");
    EXPECT_EQ(d.couleurs.at(static_cast<std::size_t>(f.couleur)), (CouleurRtf{false, 0, 0, 255}));
    EXPECT_EQ(d.paragraphes[1].format.alignement, Alignement::Centre);
    EXPECT_EQ(test::Brut(d), "Écrit |fin");
}

TEST_F(DocumentQt, HauteurEtRendu) {
    const Document un = test::Lu(R"({\rtf1 Ligne})");
    const Document trois = test::Lu(R"({\rtf1 Ligne\par Ligne\par Ligne})");
    const std::int32_t h1 = HauteurPixels(un, 3000, 15);
    EXPECT_GT(h1, 5);
    EXPECT_EQ(HauteurPixels(trois, 3000, 15), 3 * h1);
    // A narrow width wraps the words.
    EXPECT_GT(HauteurPixels(test::Lu(R"({\rtf1 un deux trois quatre cinq six})"), 300, 15), h1);

    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    Rendre(trois, image, QRect(10, 10, 100, h1), 0, -1, 15);
    // Only the rectangle is drawn into, in black and white.
    int noirs = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (p == qRgb(255, 255, 255)) continue;
            EXPECT_TRUE(x >= 10 && x < 110 && y >= 10 && y < 10 + h1) << x << "," << y;
            if (p == qRgb(0, 0, 0)) ++noirs;
        }
    }
    EXPECT_GT(noirs, 10);
}

}  // namespace
}  // namespace korv::rtf

namespace korv::rtf {
namespace {

TEST_F(DocumentQt, PositionsDuTexteEtDeQt) {
    // "A¤", CR LF, "B😀C": plain positions count CR LF 2, Qt the end 1 and
    // the emoji 2.
    const Document d = test::Lu(R"({\rtf1 A\'a4\par B\u-10179?\u-8704?C})");
    QTextDocument q;
    VersDocumentQt(d, q, 15);
    const QString qt = q.toPlainText();
    const std::u32string brut = d.TexteBrut();
    const struct {
        std::int32_t brute, qt;
    } cas[] = {{0, 0}, {1, 1}, {2, 2}, {4, 3}, {5, 4}, {6, 6}, {7, 7}};
    for (const auto& c : cas) {
        EXPECT_EQ(PositionDocumentQt(d, c.brute), c.qt) << c.brute;
        EXPECT_EQ(PositionBrute(d, c.qt), c.brute) << c.qt;
        if (c.brute < static_cast<std::int32_t>(brut.size()) && brut[static_cast<std::size_t>(c.brute)] != U'\r') {
            // The same character at both positions.
            EXPECT_EQ(QString::fromUcs4(&brut[static_cast<std::size_t>(c.brute)], 1).at(0), qt.at(c.qt)) << c.brute;
        }
    }
    EXPECT_EQ(PositionDocumentQt(d, 3), 2) << "between CR and LF: the paragraph end";
    EXPECT_EQ(PositionDocumentQt(d, 99), 7);
    EXPECT_EQ(PositionBrute(d, -5), 0);
}

}  // namespace
}  // namespace korv::rtf

namespace korv::rtf {
namespace {

TEST_F(DocumentQt, ProprieteTexteRtf) {
    QTextDocument q;
    const std::string rtf = EcrireRtf(test::Lu(test::Fichier("lo_paragraphes.rtf")));
    ASSERT_TRUE(DefinirTexteRtf(q, rtf, 15));
    EXPECT_EQ(q.blockCount(), 3);
    EXPECT_EQ(TexteRtf(q, 15), rtf) << "read back as written";

    std::string erreur;
    EXPECT_FALSE(DefinirTexteRtf(q, "{\\rtf1 " + std::string(300, '{'), 15, &erreur));
    EXPECT_TRUE(q.isEmpty());
    EXPECT_FALSE(erreur.empty());
    EXPECT_TRUE(DefinirTexteRtf(q, "ligne 1\r\nligne 2", 15));
    EXPECT_EQ(q.toPlainText(), "ligne 1\nligne 2");
}

// The character under a point, on the layout `Rendre` draws: the nearest
// line, the character whose cell holds the point, a line's end past its text,
// and positions of the whole document when a later section is drawn.
TEST_F(DocumentQt, CaractereSousUnPoint) {
    const Document d = test::Lu(R"({\rtf1{\fonttbl{\f0\fswiss Arial;}}\f0\fs20 Premier\par Second\u164?\par Suite})");
    const std::u32string brut = d.TexteBrut();  // Premier|Second¤|Suite: the marker at 15, "Suite" from 18
    const std::int32_t hauteurLigne = HauteurPixels(test::Lu(R"({\rtf1{\fonttbl{\f0\fswiss Arial;}}\f0\fs20 A})"), 4500, 15);
    ASSERT_GT(hauteurLigne, 4);
    const std::int32_t bas = hauteurLigne / 2;
    struct Cas {
        int x, y;
        std::int32_t debut, fin;
        std::int32_t attendu;
    };
    const Cas cas[] = {
        {0, 0, 0, -1, 0},                            // the first character
        {1, bas, 0, -1, 0},
        {290, bas, 0, -1, 7},                        // past the first line: its end (the CR)
        {0, hauteurLigne + bas, 0, -1, 9},           // "S" of the second line
        {0, 10 * hauteurLigne, 0, -1, 18},           // below the text: the last line
        {-5, -5, 0, -1, 0},                          // above and left: the first character
        {0, bas, 18, -1, 18},                        // the section after the marker drawn alone
        {290, bas, 18, -1, 23},                      // past its end: the end of the text
    };
    for (const Cas& c : cas) {
        const std::int32_t p = PositionAuPoint(d, 300, c.debut, c.fin, c.x, c.y, 15);
        EXPECT_EQ(p, c.attendu) << c.x << "," << c.y << " from " << c.debut;
    }
    // A character in the middle of the first line is one of its letters.
    const std::int32_t milieu = PositionAuPoint(d, 300, 0, -1, 20, bas, 15);
    EXPECT_GT(milieu, 0);
    EXPECT_LT(milieu, 7);
    EXPECT_EQ(brut.substr(15, 3), U"\u00A4\r\n");
}

}  // namespace
}  // namespace korv::rtf

