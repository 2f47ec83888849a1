#include "print/pagination.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "feuille_factice.h"
#include "print/texte_travail.h"
#include "rtf/document.h"

namespace korv::print::test {
namespace {

constexpr std::int32_t kPixel = 15;

// A job on a page of that printable extent, no margins, no offsets.
ImpressionTravail Travail(double largeur, double hauteur) {
    ImpressionTravail t;
    t.EchelleLargeur = largeur;
    t.EchelleHauteur = hauteur;
    t.PremierNumero = 1;
    return t;
}

int AjouteFeuille(ImpressionTravail& t, std::unique_ptr<FeuilleFactice> f) {
    t.feuilles.push_back(std::move(f));
    const int n = static_cast<int>(t.feuilles.size());
    t.TextesAImprimer.emplace_back(EntreeTableau{n});
    return n;
}

std::string Brut(const std::string& rtf) {
    TexteTravail t;
    t.DefinirRtf(rtf);
    return rtf::TexteUtf8(t.TexteBrut());
}

// Items as "page:genre" plus the content's range.
struct Piece {
    std::int32_t page, debut, fin;
    bool operator==(const Piece&) const = default;
};
std::vector<Piece> PiecesTexte(const ImpressionTravail& t) {
    std::vector<Piece> r;
    for (const auto& e : t.Elements) {
        if (e.Genre == GenreElement::Contenu && e.ObjetTableau == 0 && e.ObjetGraphique == 0) {
            r.push_back({e.Page, e.CaractereDebut, e.CaractereFin});
        }
    }
    return r;
}
struct Morceau {
    std::int32_t page, premCol, dernCol, premLig, dernLig;
    bool operator==(const Morceau&) const = default;
};
std::vector<Morceau> Morceaux(const ImpressionTravail& t) {
    std::vector<Morceau> r;
    for (const auto& e : t.Elements) {
        if (e.ObjetTableau != 0) r.push_back({e.Page, e.PremCol, e.DernCol, e.PremLig, e.DernLig});
    }
    return r;
}
std::ostream& operator<<(std::ostream& o, const Piece& p) { return o << p.page << ":" << p.debut << "-" << p.fin; }
std::ostream& operator<<(std::ostream& o, const Morceau& m) {
    return o << m.page << ":c" << m.premCol << "-" << m.dernCol << ",r" << m.premLig << "-" << m.dernLig;
}

TEST(Pagination, PageGeometry) {
    struct Cas {
        double haut, bas, gauche, droite, ox, oy;
        Rectangle r;
    };
    const Cas cas[] = {
        // Both margins come off the height and the width.
        {850.5, 850.5, 1134, 1134, 360.045, 360.045, {774, 490, 8556, 14057}},
        // A margin inside the unprintable edge: the edge.
        {100, 0, 0, 0, 360, 200, {360, 200, 10824, 15818}},
    };
    for (const auto& c : cas) {
        ImpressionTravail t = Travail(11184, 16118);
        t.MargeHaut = c.haut;
        t.MargeBas = c.bas;
        t.MargeGauche = c.gauche;
        t.MargeDroite = c.droite;
        t.DecalageXTwips = c.ox;
        t.DecalageYTwips = c.oy;
        EXPECT_EQ(ImprimantePageGeometrie(t), c.r);
    }
}

TEST(Pagination, HeaderAndFooterMeasuresAndPages) {
    MesureurFixe m(100, 300);
    ImpressionTravail t = Travail(12000, 16000);
    t.MargeHaut = 1000;  // the body's top at 1000 (both margins off the height)
    t.EcartEnTete = 200;
    t.EcartPied = 100;
    ImprimeEnTeteFixe(t, "En-tete", true, false);  // not on page 1
    ImprimePiedDePageFixe(t, "Pied", true, true);
    ImprimeEnTeteFixe(t, "En-tete", true, false);
    t.TextesAImprimer.emplace_back(std::string("Page un"));
    t.TextesAImprimer.emplace_back(std::string(marqueur::SautDePage));
    t.TextesAImprimer.emplace_back(std::string("Page deux"));
    EXPECT_EQ(ApercuPaginer(t, m, kPixel), 2);
    // The extent is the bottom the text reaches, top margin included.
    EXPECT_EQ(t.EnTetePied.EnTeteHauteur, 1300);
    EXPECT_EQ(t.EnTeteRectangle, (Rectangle{0, 1000, 12000, 2300}));
    EXPECT_EQ(t.EnTetePied.PiedHauteur, 1300);
    EXPECT_EQ(t.PiedRectangle, (Rectangle{0, 13700, 12000, 15000}));
    std::vector<std::pair<std::int32_t, GenreElement>> genres;
    for (const auto& e : t.Elements) genres.emplace_back(e.Page, e.Genre);
    const std::vector<std::pair<std::int32_t, GenreElement>> attendu = {
        {1, GenreElement::Pied}, {1, GenreElement::Corps}, {1, GenreElement::Contenu},
        {2, GenreElement::EnTete}, {2, GenreElement::Pied}, {2, GenreElement::Corps}, {2, GenreElement::Contenu}};
    EXPECT_EQ(genres, attendu);
    EXPECT_EQ(t.Elements[1].rectangle, (Rectangle{0, 1000, 12000, 15000 - 100 - 1300}));
    EXPECT_EQ(t.Elements[5].rectangle.haut, 2300 + 200);
    // An empty header measures 0 and is never placed.
    ImprimeEnTeteFixe(t, "", true, true);
    ApercuPaginer(t, m, kPixel);
    EXPECT_EQ(t.EnTetePied.EnTeteHauteur, 0);
    for (const auto& e : t.Elements) EXPECT_NE(e.Genre, GenreElement::EnTete);
}

TEST(Pagination, TextsChainTheirRangesOverPages) {
    MesureurFixe m(10, 1000);  // 3 lines to a page of 3000
    ImpressionTravail t = Travail(12000, 3000);
    t.TextesAImprimer.emplace_back(std::string(80, 'x'));
    t.TextesAImprimer.emplace_back(std::string("suite"));
    EXPECT_EQ(ApercuPaginer(t, m, kPixel), 4);
    EXPECT_EQ(PiecesTexte(t), (std::vector<Piece>{{1, 0, 30}, {2, 30, 60}, {3, 60, 80}, {3, 0, 0}, {4, 0, 5}}));
    // Later pieces point at the first, which holds the text.
    EXPECT_EQ(t.Elements[1].ElementTexte, 2);
    EXPECT_EQ(t.Elements[3].ElementTexte, 2);
    EXPECT_EQ(t.Elements[3].Texte, "");
    EXPECT_EQ(t.Elements[5].rectangle, (Rectangle{0, 0, 12000, 2000}));
    // The next text starts one pixel below; nothing fits, it goes on.
    EXPECT_EQ(t.Elements[6].rectangle.haut, 2000 + kPixel);
}

TEST(Pagination, GridBandsRepeatTheTitleColumn) {
    MesureurFixe m(100, 300);
    ImpressionTravail t = Travail(12000, 16000);
    auto f = std::make_unique<FeuilleFactice>(4, 7, 300, 3000);
    f->colonnesTitre = 1;
    f->largeurs[1] = 2000;
    AjouteFeuille(t, std::move(f));
    EXPECT_EQ(ApercuPaginer(t, m, kPixel), 1);
    ASSERT_EQ(t.TextesAImprimer.size(), 3u);
    EXPECT_EQ(std::get<TableauAImprimer>(t.TextesAImprimer[1]), (TableauAImprimer{1, 1, 2, 4}));
    EXPECT_EQ(std::get<TableauAImprimer>(t.TextesAImprimer[2]), (TableauAImprimer{1, 2, 5, 7}));
    EXPECT_EQ(Morceaux(t), (std::vector<Morceau>{{1, 2, 4, 1, 4}, {1, 5, 7, 2, 4}}));
    // Each band's rectangle has the title column's width too.
    EXPECT_EQ(t.Elements[1].rectangle, (Rectangle{0, 0, 11000, 1200}));
    EXPECT_EQ(t.Elements[2].rectangle, (Rectangle{0, 1200 + 150, 11000, 1350 + 900}));
    // A column break set in the grid ends a band only when the band is full.
    ImpressionTravail u = Travail(12000, 16000);
    auto g = std::make_unique<FeuilleFactice>(4, 7, 300, 3000);
    g->colonnesTitre = 1;
    g->largeurs[1] = 2000;
    g->sautsColonnes = {3};
    AjouteFeuille(u, std::move(g));
    ApercuPaginer(u, m, kPixel);
    EXPECT_EQ(Morceaux(u), (std::vector<Morceau>{{1, 2, 3, 1, 4}, {1, 4, 6, 2, 4}, {1, 7, 7, 2, 4}}));
    // Columns that fill the body exactly make one band.
    ImpressionTravail v = Travail(12000, 16000);
    AjouteFeuille(v, std::make_unique<FeuilleFactice>(4, 4, 300, 3000));
    ApercuPaginer(v, m, kPixel);
    EXPECT_EQ(Morceaux(v), (std::vector<Morceau>{{1, 1, 4, 1, 4}}));
}

TEST(Pagination, GridPiecesRepeatTheTitleRows) {
    MesureurFixe m(100, 300);
    ImpressionTravail t = Travail(12000, 3000);
    auto f = std::make_unique<FeuilleFactice>(20, 2);
    f->titres = {2};
    AjouteFeuille(t, std::move(f));
    EXPECT_EQ(ApercuPaginer(t, m, kPixel), 3);
    EXPECT_EQ(Morceaux(t), (std::vector<Morceau>{{1, 1, 2, 1, 10}, {2, 1, 2, 11, 19}, {3, 1, 2, 20, 20}}));
    EXPECT_EQ(t.Elements[1].rectangle, (Rectangle{0, 0, 2000, 3000}));
    EXPECT_EQ(t.Elements[3].rectangle, (Rectangle{0, 0, 2000, 300 + 9 * 300}));
}

TEST(Pagination, AGridThatDoesNotFitBelowATextMovesWhole) {
    MesureurFixe m(100, 1000);
    ImpressionTravail t = Travail(12000, 3000);
    t.TextesAImprimer.emplace_back(std::string("Avant"));
    t.TextesAImprimer.emplace_back(std::string(marqueur::TitreTableau));
    t.TextesAImprimer.emplace_back(std::string("Titre"));
    AjouteFeuille(t, std::make_unique<FeuilleFactice>(8, 2));
    EXPECT_EQ(ApercuPaginer(t, m, kPixel), 2);
    EXPECT_EQ(Morceaux(t), (std::vector<Morceau>{{2, 1, 2, 1, 8}}));
    // The title follows its grid to its page.
    const auto& titre = t.Elements[2];
    ASSERT_EQ(titre.Genre, GenreElement::TitreTableau);
    EXPECT_EQ(titre.Page, 2);
    EXPECT_EQ(titre.rectangle.haut, 1000 + kPixel + 6 * kPixel);
    EXPECT_EQ(titre.rectangle.bas, 2400);
}

TEST(Pagination, ARowBreakMovesTheCut) {
    MesureurFixe m(100, 300);
    ImpressionTravail t = Travail(12000, 4000);
    auto f = std::make_unique<FeuilleFactice>(60, 2, 100);
    f->sautsLignes = {30};
    AjouteFeuille(t, std::move(f));
    EXPECT_EQ(ApercuPaginer(t, m, kPixel), 2);
    EXPECT_EQ(Morceaux(t), (std::vector<Morceau>{{1, 1, 2, 1, 30}, {2, 1, 2, 31, 60}}));
}

TEST(Pagination, ChartsStartAPageAndTakeTheirShare) {
    MesureurFixe m(100, 1000);
    ImpressionTravail t = Travail(12000, 10000);
    t.graphiques.resize(2);
    t.graphiques[0].Tag = "75% PAGE";
    t.TextesAImprimer.emplace_back(EntreeGraphique{1});
    t.TextesAImprimer.emplace_back(std::string("Texte"));
    t.TextesAImprimer.emplace_back(EntreeGraphique{2});
    EXPECT_EQ(ApercuPaginer(t, m, kPixel), 2);
    EXPECT_EQ(t.Elements[1].rectangle, (Rectangle{0, 0, 12000, 8500}));  // 85 % of 10000
    EXPECT_EQ(t.Elements[1].ObjetGraphique, 1);
    EXPECT_EQ(t.Elements[2].Page, 1);  // the text below it
    EXPECT_EQ(t.Elements[4].ObjetGraphique, 2);
    EXPECT_EQ(t.Elements[4].Page, 2);
    EXPECT_EQ(t.Elements[4].rectangle, (Rectangle{0, 0, 12000, 10000}));
}

TEST(Pagination, SummaryPageNumbers) {
    MesureurFixe m(100, 1000);
    ImpressionTravail t = Travail(12000, 6000);
    const std::string sommaire =
        "<NUMERO DE PAGE RUBRIQUE A>\r\n<NUMERO DE PAGE RUBRIQUE B>\r\n<NUMERO DE PAGE RUBRIQUE C>";
    t.TextesAImprimer.emplace_back(std::string("Imprimer cette page <NUMERO DE PAGE RUBRIQUE X>"));
    t.TextesAImprimer.emplace_back(sommaire);
    for (const char* e : {"SAUTDEPAGE", "MAJPAGESOMMAIRE <NUMERO DE PAGE RUBRIQUE A>", "a", "SAUTDEPAGE",
                          "MAJPAGESOMMAIRE <NUMERO DE PAGE RUBRIQUE B>", "b",
                          "MAJPAGESOMMAIRE <NUMERO DE PAGE RUBRIQUE C>", "c"}) {
        t.TextesAImprimer.emplace_back(std::string(e));
    }
    EXPECT_EQ(ApercuPaginer(t, m, kPixel), 3);
    // Page 1 is an unnumbered cover: page 3 is numbered 2. The second entry
    // of a page gets no number; a placeholder no entry filled is removed.
    EXPECT_EQ(Brut(t.Elements[2].Texte), "page 1\r\npage 2\r\n");
    EXPECT_EQ(Brut(t.Elements[1].Texte), "Imprimer cette page ");
    t.EnTetePied.PiedAffiche = true;
    t.EnTetePied.PiedPremierePage = true;
    ApercuPaginer(t, m, kPixel);
    EXPECT_EQ(Brut(t.Elements[2].Texte), "page 2\r\npage 3\r\n");
}

// A page number written into a text cut over pages shifts the ranges of
// its later pieces, so that no line is lost or printed twice.
TEST(Pagination, PageNumbersShiftTheLaterPieces) {
    MesureurFixe m(10, 1000);  // 3 lines to a page
    ImpressionTravail t = Travail(12000, 3000);
    t.TextesAImprimer.emplace_back(std::string("<NUMERO DE PAGE RUBRIQUE A>\r\nLIGNE2\r\nLIGNE3\r\nLIGNE4"));
    t.TextesAImprimer.emplace_back(std::string("MAJPAGESOMMAIRE <NUMERO DE PAGE RUBRIQUE A>"));
    EXPECT_EQ(ApercuPaginer(t, m, kPixel), 2);
    const auto pieces = PiecesTexte(t);
    ASSERT_EQ(pieces.size(), 2u);
    const std::string texte = Brut(t.Elements[1].Texte);
    EXPECT_EQ(texte, "page 1\r\nLIGNE2\r\nLIGNE3\r\nLIGNE4");
    EXPECT_EQ(texte.substr(0, static_cast<std::size_t>(pieces[0].fin)), "page 1\r\n");
    EXPECT_EQ(texte.substr(static_cast<std::size_t>(pieces[1].debut)), "LIGNE2\r\nLIGNE3\r\nLIGNE4");
}

TEST(Pagination, TabMarkersReplacedBeforeMeasuring) {
    MesureurFixe m(100, 1000);
    ImpressionTravail t = Travail(12000, 3000);
    t.TextesAImprimer.emplace_back(std::string("A<TABULATION>B"));
    ApercuPaginer(t, m, kPixel);
    EXPECT_EQ(Brut(t.Elements[1].Texte), "A\tB");
    EXPECT_EQ(t.Elements[1].CaractereFin, 3);
}

// Every case that could loop for ever ends, the oversized thing on a band,
// a piece or a page of its own.
TEST(Pagination, EveryWalkEnds) {
    MesureurFixe m(10, 1000);
    {
        ImpressionTravail t = Travail(12000, 16000);
        auto f = std::make_unique<FeuilleFactice>(3, 3);
        f->largeurs[2] = 20000;
        AjouteFeuille(t, std::move(f));
        ApercuPaginer(t, m, kPixel);
        EXPECT_EQ(Morceaux(t), (std::vector<Morceau>{{1, 1, 1, 1, 3}, {1, 2, 2, 2, 3}, {1, 3, 3, 2, 3}}));
    }
    {
        ImpressionTravail t = Travail(12000, 3000);
        auto f = std::make_unique<FeuilleFactice>(6, 2);
        f->hauteurs[3] = 50000;
        AjouteFeuille(t, std::move(f));
        EXPECT_EQ(ApercuPaginer(t, m, kPixel), 3);
        EXPECT_EQ(Morceaux(t), (std::vector<Morceau>{{1, 1, 2, 1, 2}, {2, 1, 2, 3, 3}, {3, 1, 2, 4, 6}}));
    }
    {
        // Title rows taller than the page.
        ImpressionTravail t = Travail(12000, 3000);
        auto f = std::make_unique<FeuilleFactice>(4, 2, 300);
        f->titres = {2};
        f->hauteurs[2] = 5000;
        AjouteFeuille(t, std::move(f));
        EXPECT_EQ(ApercuPaginer(t, m, kPixel), 4);  // a row to a page under the clipped titles
    }
    {
        // A line taller than the body: a page for each line, clipped.
        MesureurFixe haut(10, 5000);
        ImpressionTravail t = Travail(12000, 3000);
        t.TextesAImprimer.emplace_back(std::string(25, 'x'));
        EXPECT_EQ(ApercuPaginer(t, haut, kPixel), 3);
        EXPECT_EQ(PiecesTexte(t), (std::vector<Piece>{{1, 0, 10}, {2, 10, 20}, {3, 20, 25}}));
    }
    {
        // Nothing but page breaks: the empty job.
        ImpressionTravail t = Travail(12000, 3000);
        for (int i = 0; i < 3; ++i) t.TextesAImprimer.emplace_back(std::string(marqueur::SautDePage));
        EXPECT_EQ(ApercuPaginer(t, m, kPixel), 0);
        EXPECT_EQ(t.NombreDePages, 0);
    }
    {
        ImpressionTravail t = Travail(0, 0);  // a printer without a page
        t.TextesAImprimer.emplace_back(std::string(25, 'x'));
        AjouteFeuille(t, std::make_unique<FeuilleFactice>(3, 3));
        EXPECT_GE(ApercuPaginer(t, m, kPixel), 1);
    }
}

TEST(Pagination, ASecondPaginationGivesTheSameItems) {
    MesureurFixe m(10, 1000);
    ImpressionTravail t = Travail(5000, 3000);
    t.TextesAImprimer.emplace_back(std::string("Un texte de quelques lignes"));
    AjouteFeuille(t, std::make_unique<FeuilleFactice>(12, 9));
    const std::int32_t pages = ApercuPaginer(t, m, kPixel);
    const auto elements = t.Elements;
    const auto liste = t.TextesAImprimer.size();
    EXPECT_EQ(ApercuPaginer(t, m, kPixel), pages);
    EXPECT_EQ(t.Elements, elements);
    EXPECT_EQ(t.TextesAImprimer.size(), liste);
}

TEST(Pagination, AnEmptyJobHasNoPages) {
    MesureurFixe m(10, 1000);
    ImpressionTravail t = Travail(12000, 3000);
    EXPECT_EQ(ApercuPaginer(t, m, kPixel), 0);
    EXPECT_TRUE(t.ApercuPrepare);
    ASSERT_EQ(t.Elements.size(), 1u);  // page 1's body
    EXPECT_EQ(t.Elements[0].Genre, GenreElement::Corps);
}

}  // namespace
}  // namespace korv::print::test
