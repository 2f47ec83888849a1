#include "rtf/marqueurs.h"

#include <gtest/gtest.h>

#include "outils.h"

namespace korv::rtf {
namespace {

TEST(Marqueurs, TableDesPages) {
    const std::u32string t = U"A\u00A4\r\nB\u00A4C";
    EXPECT_EQ(NombreMarqueurs(t), 2);
    const LimitesMorceau attendu[] = {{0, -1}, {0, 1}, {4, 5}, {6, -1}, {6, -1}, {6, -1}};
    for (int n = 0; n < 6; ++n) EXPECT_EQ(MorceauLimites(t, n), attendu[n]) << "page " << n;
}

TEST(Marqueurs, MarqueurSansRetourALaLigne) {
    // Page 2 of "A¤B" is "B", its first character kept.
    const std::u32string t = U"A\u00A4B";
    EXPECT_EQ(MorceauLimites(t, 1), (LimitesMorceau{0, 1}));
    EXPECT_EQ(MorceauLimites(t, 2), (LimitesMorceau{2, -1}));
}

TEST(Marqueurs, SansMarqueur) {
    EXPECT_EQ(NombreMarqueurs(U"abc"), 0);
    EXPECT_EQ(MorceauLimites(U"abc", 1), (LimitesMorceau{0, -1}));
    EXPECT_EQ(MorceauLimites(U"", 3), (LimitesMorceau{0, -1}));
}

TEST(Marqueurs, NombreDePages) {
    const struct {
        const char32_t* texte;
        int pages;
    } cas[] = {{U"", 1}, {U"abc", 1}, {U"A\u00A4B", 2}, {U"A\u00A4B\u00A4", 2}, {U"A\u00A4B\u00A4\r\n", 2},
               {U"A\u00A4\r\nB\u00A4C", 3}, {U"\u00A4", 1}};
    for (const auto& c : cas) EXPECT_EQ(NombrePages(c.texte), c.pages) << test::Utf8(c.texte);
}

TEST(Marqueurs, PositionsUnAUn) {
    const std::u32string t = U"A\u00A4\r\nB\u00A4C";
    EXPECT_EQ(TexteMarqueurPosition(t, 1), (PositionsMorceau{1, 1}));
    EXPECT_EQ(TexteMarqueurPosition(t, 2), (PositionsMorceau{5, 5}));
    EXPECT_EQ(TexteMarqueurPosition(t, 3), (PositionsMorceau{7, 7}));
    EXPECT_EQ(TexteMarqueurPosition(t, 9), (PositionsMorceau{7, 7}));
    EXPECT_EQ(TexteMarqueurPosition(U"", 1), (PositionsMorceau{1, 0}));
}

TEST(Marqueurs, PageDuCurseur) {
    const std::u32string t = U"A\u00A4\r\nB\u00A4C";
    EXPECT_FALSE(MorceauCourantLimites(t, 0).has_value());
    EXPECT_EQ(MorceauCourantLimites(t, 1), (LimitesMorceau{0, 1}));
    EXPECT_EQ(MorceauCourantLimites(t, 4), (LimitesMorceau{4, 5}));
    EXPECT_EQ(MorceauCourantLimites(t, 7), (LimitesMorceau{6, -1}));
    EXPECT_EQ(MorceauCourantLimites(t, 99), (LimitesMorceau{6, -1}));
}

TEST(Marqueurs, ExtraitDUnePage) {
    const Document d = test::Lu(R"({\rtf1 {\b A}\'a4\par\qc B\'a4C\par D})");
    const std::u32string t = d.TexteBrut();
    ASSERT_EQ(t, U"A\u00A4\r\nB\u00A4C\r\nD");
    const LimitesMorceau p1 = MorceauLimites(t, 1);
    const Document e1 = Extrait(d, p1.debut, p1.fin);
    EXPECT_EQ(test::Brut(e1), "A");
    EXPECT_TRUE(e1.paragraphes[0].morceaux[0].format.gras);
    const LimitesMorceau p2 = MorceauLimites(t, 2);
    const Document e2 = Extrait(d, p2.debut, p2.fin);
    EXPECT_EQ(test::Brut(e2), "B");
    EXPECT_EQ(e2.paragraphes[0].format.alignement, Alignement::Centre);
    const LimitesMorceau p3 = MorceauLimites(t, 3);
    EXPECT_EQ(test::Brut(Extrait(d, p3.debut, p3.fin)), "C|D");
    EXPECT_EQ(test::Brut(Extrait(d, 0, -1)), "A¤|B¤C|D");
    EXPECT_EQ(test::Brut(Extrait(d, 50, -1)), "");
}

// Printed or exported, a rich text runs on without its markers: a marker
// alone on its line goes with its line end, one that ends a line of text
// leaves the line as it ends.
TEST(Marqueurs, RetiresPourLImpression) {
    const struct {
        const char* rtf;
        const char* brut;
    } cas[] = {
        {R"({\rtf1 A\'a4\par B})", "A|B"},
        {R"({\rtf1 A\par\'a4\par B})", "A|B"},
        {R"({\rtf1 A\par{\b\'a4}\'a4\par B\'a4C})", "A|BC"},
        {R"({\rtf1 A\par\'a4\par\page B})", "A|B"},
        {R"({\rtf1 \'a4})", ""},
        {R"({\rtf1 A\par\par B})", "A||B"},
        {R"({\rtf1 \'a4\par A\'a4})", "A"},
    };
    for (const auto& c : cas) {
        Document d = test::Lu(c.rtf);
        MarqueursRetirer(d);
        EXPECT_EQ(test::Brut(d), c.brut) << c.rtf;
        EXPECT_EQ(NombreMarqueurs(d.TexteBrut()), 0) << c.rtf;
    }
    // The paragraphs kept keep their format, and a page break its place.
    Document d = test::Lu(R"({\rtf1\pard\qc{\b A}\'a4\par\pard\'a4\page\pard\qr B})");
    MarqueursRetirer(d);
    ASSERT_EQ(d.paragraphes.size(), 2u);
    EXPECT_EQ(d.paragraphes[0].format.alignement, Alignement::Centre);
    EXPECT_TRUE(d.paragraphes[0].morceaux.at(0).format.gras);
    EXPECT_TRUE(d.paragraphes[0].sautPage);
    EXPECT_EQ(d.paragraphes[1].format.alignement, Alignement::Droite);
}

// A page break that ended a paragraph of markers alone is kept: on the
// paragraph before, or, when none is before, on the emptied paragraph.
TEST(Marqueurs, RetiresEnGardantLesSautsDePage) {
    const struct {
        const char* rtf;
        const char* brut;
        const char* sauts;  // per paragraph kept: 'p' ended by a page break, '.' not
    } cas[] = {
        {R"({\rtf1 A\par\'a4\page B})", "A|B", "p."},
        {R"({\rtf1 \'a4\page A})", "|A", "p."},
        {R"({\rtf1 \'a4\par\'a4\page A})", "|A", "p."},
        {R"({\rtf1 \'a4\par\page A})", "|A", "p."},
        {R"({\rtf1 \'a4\par A})", "A", "."},
    };
    for (const auto& c : cas) {
        Document d = test::Lu(c.rtf);
        MarqueursRetirer(d);
        EXPECT_EQ(test::Brut(d), c.brut) << c.rtf;
        std::string sauts;
        for (const auto& p : d.paragraphes) sauts += p.sautPage ? 'p' : '.';
        EXPECT_EQ(sauts, c.sauts) << c.rtf;
    }
}

}  // namespace
}  // namespace korv::rtf
