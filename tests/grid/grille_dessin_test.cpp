// Cell drawing, hit testing, clipboard text and key moves on grids built
// from records, with a pen that records what is drawn.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/grille_dessin.h"
#include "grid/grille_presse_papier.h"
#include "grid/grille_selection.h"
#include "grid/magasin_grilles.h"
#include "grille_fabrique.h"

namespace korv::grid {
namespace {

struct Trait {
    std::string quoi;
    std::int32_t x1, y1, x2, y2, couleur;
};

class PinceauEnregistreur final : public PinceauGrille {
public:
    std::int32_t PixelX() const override { return 15; }
    std::int32_t PixelY() const override { return 15; }
    void Pointille(bool) override {}
    void Clip(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override { ++clips; }
    void ClipEnlever() override { --clips; }
    void Boite(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d, std::int32_t k) override {
        traits.push_back({"boite", a, b, c, d, k});
    }
    void Cadre(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d, std::int32_t k, int) override {
        traits.push_back({"cadre", a, b, c, d, k});
    }
    void Ligne(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d, std::int32_t k, int) override {
        traits.push_back({"ligne", a, b, c, d, k});
    }
    void Inverser(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) override {
        traits.push_back({"inverse", a, b, c, d, 0});
    }
    void Texte(int, int, int, int, std::string_view t, const PoliceCase&, std::int32_t k, AlignementCase a) override {
        textes.push_back(std::string(t));
        couleurs.push_back(k);
        alignements.push_back(a);
    }
    // Seven pixels a character.
    int LargeurTexte(std::string_view t, const PoliceCase&) override { return 7 * static_cast<int>(t.size()); }
    void MarqueBulle(std::int32_t, std::int32_t) override { ++marques; }
    void Image(std::string_view f, std::int32_t, std::int32_t, std::int32_t, std::int32_t, int dx, int dy) override {
        images.push_back(std::string(f) + "@" + std::to_string(dx) + "," + std::to_string(dy));
    }
    int Nombre(std::string_view quoi, std::int32_t couleur) const {
        int n = 0;
        for (const Trait& t : traits) n += t.quoi == quoi && t.couleur == couleur;
        return n;
    }
    std::vector<Trait> traits;
    std::vector<std::string> textes;
    std::vector<std::int32_t> couleurs;
    std::vector<AlignementCase> alignements;
    std::vector<std::string> images;
    int marques = 0;
    int clips = 0;
};

std::string TexteBrut(const TableauClasse& g, int c, int r) {
    const CaseTableau* x = g.Case(c, r);
    return x ? x->Texte : std::string();
}

constexpr std::int32_t kGris100 = 100 + 100 * 256 + 100 * 65536;

TEST(DessinGrille, FrameBitsDrawTheirSidesAndTheRestOfTheTextInBlack) {
    auto e = test::Enregistrement(2, 2);
    e.decalageColonne = 1, e.decalageLigne = 1;
    test::Texte(e, 1, 1, std::string("\x05") + "Cadre");
    auto& a = test::Attribut(e, 1, 1);
    a.couleurFond = -20;
    a.couleurTexte = 255;
    auto g = test::Grille(e);
    PinceauEnregistreur p;
    DessinGrille d(*g, p, [&](int c, int r) { return TexteBrut(*g, c, r); }, true);
    d.CaseAfficher(1, 1, false, true);
    EXPECT_EQ(p.Nombre("ligne", kGris100), 4) << "top and bottom, two lines each";
    ASSERT_EQ(p.textes.size(), 1u);
    EXPECT_EQ(p.textes[0], "Cadre");
    EXPECT_EQ(p.couleurs[0], 0);
    EXPECT_EQ(p.alignements[0], AlignementCase::Gauche) << "plan-action cells are left-aligned";
    EXPECT_EQ(p.clips, 0) << "own setup removes its clip";
}

TEST(DessinGrille, ContinuationCellsAndTheirOwner) {
    auto e = test::Enregistrement(4, 1);
    e.decalageColonne = 1, e.decalageLigne = 1;
    test::Texte(e, 2, 1, "\xA4Titre<br>suite");
    test::Attribut(e, 3, 1).couleurFond = -16;
    test::Attribut(e, 1, 1).couleurFond = -16;
    auto g = test::Grille(e);
    PinceauEnregistreur p;
    DessinGrille d(*g, p, [&](int c, int r) { return TexteBrut(*g, c, r); }, true);
    // No owner to the left: nothing at all, not even the selection.
    d.CaseAfficher(1, 1, false, true);
    EXPECT_TRUE(p.traits.empty());
    EXPECT_TRUE(p.textes.empty());
    // The continuation cell redraws its owner: the text without "¤", line
    // breaks as CR, left-aligned across both cells.
    d.CaseAfficher(3, 1, false, true);
    ASSERT_EQ(p.textes.size(), 1u);
    EXPECT_EQ(p.textes[0], "Titre\rsuite");
    EXPECT_EQ(p.alignements[0], AlignementCase::Gauche);
}

TEST(DessinGrille, AnOwnerInTheLastColumnStopsAtTheGrid) {
    auto e = test::Enregistrement(255, 1, 40, 300);
    e.decalageColonne = 1, e.decalageLigne = 1;
    test::Texte(e, 255, 1, "\xA4" "fin");
    auto g = test::Grille(e, 20000, 1000);
    PinceauEnregistreur p;
    DessinGrille d(*g, p, [&](int c, int r) { return TexteBrut(*g, c, r); }, true);
    d.Affiche(true);
    EXPECT_EQ(p.clips, 0);
}

// A figure wider than its cell shows "###", never its last digits alone;
// a figure that fits, a word and a text cell show as they are.
TEST(DessinGrille, AFigureTooWideForItsCellShowsHashes) {
    auto e = test::Enregistrement(4, 1);  // 80 pixels a column: 74 for the text, 10 characters
    e.decalageColonne = 1, e.decalageLigne = 1;
    test::Attribut(e, 1, 1).typeAffichage = 1;
    test::Attribut(e, 2, 1).typeAffichage = 1;
    test::Attribut(e, 3, 1).typeAffichage = 2;
    test::Attribut(e, 4, 1).typeAffichage = 0;
    auto g = test::Grille(e);
    const std::string large = "123 456 789 012 346 000 000 000 000 000,0";
    const std::string textes[] = {large, "15 000,0", "-1 234 567,0 %", large};
    PinceauEnregistreur p;
    DessinGrille d(*g, p, [&](int c, int) { return textes[c - 1]; }, true);
    for (int c = 1; c <= 4; ++c) d.CaseAfficher(c, 1, false, true);
    ASSERT_EQ(p.textes.size(), 4u);
    EXPECT_EQ(p.textes[0], "###");
    EXPECT_EQ(p.textes[1], "15 000,0");
    EXPECT_EQ(p.textes[2], "###");
    EXPECT_EQ(p.textes[3], large) << "a text cell is cut, as texts are";
}

TEST(DessinGrille, SelectionLook) {
    auto e = test::Enregistrement(3, 1);
    e.decalageColonne = 1, e.decalageLigne = 1;
    auto g = test::Grille(e);
    SelectionTableau s;
    s.Valide = -1;
    s.HautGaucheLigne = s.BasDroiteLigne = 1;
    s.HautGaucheColonne = 1;
    s.BasDroiteColonne = 2;
    g->SelectionChange(s);
    PinceauEnregistreur p;
    DessinGrille d(*g, p, [&](int c, int r) { return TexteBrut(*g, c, r); }, true);
    d.Affiche(false);
    int inverses = 0, coins = 0;
    for (const Trait& t : p.traits) {
        inverses += t.quoi == "inverse";
        coins += t.quoi == "boite" && t.couleur == 150 + 150 * 256 + 150 * 65536;
    }
    EXPECT_EQ(inverses, 1) << "every selected cell but the first";
    EXPECT_EQ(coins, 1);
}

TEST(DessinGrille, CellPicturesByTheirFileAttribute) {
    struct Cas {
        const char* fichier;
        const char* affiche;
        const char* image;  // "" draws none
    };
    const Cas cas[] = {
        {"'IMG\\A.BMP'", "x", "IMG\\A.BMP@0,0"},
        {"B.BMP,3,-2", "x", "B.BMP@3,-2"},
        {"?,vide.bmp;1;2,plein.bmp;4;5", "0,0", "vide.bmp@1,2"},
        {"?,vide.bmp;1;2,plein.bmp;4;5", "12", "plein.bmp@4,5"},
        {"?", "sign\xE9", "../images/tableau/flst0102.bmp@2,2"},
        {"?", "\xE0 confirmer", "../images/tableau/flst0101.bmp@2,2"},
        {"?", "autre", ""},
        {"?seul", "1", ""},
    };
    for (const Cas& k : cas) {
        auto e = test::Enregistrement(1, 1);
        e.decalageColonne = 1, e.decalageLigne = 1;
        test::Texte(e, 1, 1, k.affiche);
        test::Attribut(e, 1, 1).fichier = k.fichier;
        auto g = test::Grille(e);
        PinceauEnregistreur p;
        DessinGrille d(*g, p, [&](int c, int r) { return TexteBrut(*g, c, r); }, true);
        d.CaseAfficher(1, 1, false, true);
        if (*k.image == 0) {
            EXPECT_TRUE(p.images.empty()) << k.fichier;
        } else {
            ASSERT_EQ(p.images.size(), 1u) << k.fichier;
            EXPECT_EQ(p.images[0], k.image) << k.fichier;
        }
    }
}

TEST(SelectionGrille, HitTestReportsCellsAndNearbyBorders) {
    auto e = test::Enregistrement(3, 3);
    e.decalageColonne = 1, e.decalageLigne = 1;
    auto g = test::Grille(e);
    const std::int32_t droite1 = g->ColonneDroite(1);
    SelectionTableau s = PointVersSelection(*g, droite1 - 5, g->LigneHaut(2) + 100);
    EXPECT_EQ(s.HautGaucheColonne, 1);
    EXPECT_EQ(s.HautGaucheLigne, 2);
    EXPECT_EQ(s.CadreColonne, 2) << "within 15 twips of the line after column 1";
    s = PointVersSelection(*g, -500, -500);
    EXPECT_EQ(s.Valide, 0);
}

TEST(SelectionGrille, ScrollButtonPercentages) {
    // Five columns of which two show: scrolled by two of four steps.
    auto e = test::Enregistrement(5, 1, 1200, 300);
    e.decalageColonne = 3, e.decalageLigne = 1;
    auto g = test::Grille(e, 2400, 300);
    const auto x = PourcentageAscenseur(*g, true);
    ASSERT_TRUE(x.has_value());
    EXPECT_DOUBLE_EQ(*x, -g->CorrespondanceColonnes().Bas() * 25.0);
    EXPECT_GT(*x, 0.0);
    // One row: the button stays, no division by zero.
    EXPECT_FALSE(PourcentageAscenseur(*g, false).has_value());
    auto seule = test::Enregistrement(1, 1);
    EXPECT_FALSE(PourcentageAscenseur(*test::Grille(seule), true).has_value());
}

TEST(PressePapierGrille, RowsTabsFoldsAndLineBreaks) {
    auto e = test::Enregistrement(2, 3);
    e.decalageColonne = 1, e.decalageLigne = 1;
    test::Texte(e, 1, 1, "1");
    test::Texte(e, 2, 1, "a\r\nb");
    test::Texte(e, 1, 2, "plie");
    test::Texte(e, 1, 3, "\xA4" "3");
    test::Texte(e, 2, 3, "0");
    test::Attribut(e, 2, 3).couleurFond = -14;
    e.lignes[1].pliee = -1;
    auto g = test::Grille(e);
    const std::string t =
        TextePressePapier(*g, 1, 1, 2, 3, [&](int c, int r) { return r == 3 && c == 2 ? "?" : TexteBrut(*g, c, r); });
    EXPECT_EQ(t, "1\ta b\r\n3\t0\r\n");
}

TEST(ToucheGrille, MovesStopAtTheLastRowOfAFullGrid) {
    auto e = test::Enregistrement(2, 255, 1200, 300);
    e.decalageColonne = 1, e.decalageLigne = 250;
    auto g = test::Grille(e, 3000, 3000);
    MagasinGrilles m(ServicesGrilles{});
    SelectionTableau s;
    s.Valide = -1;
    s.PremiereLigne = s.DerniereLigne = s.HautGaucheLigne = s.BasDroiteLigne = 1;
    s.PremiereColonne = s.DerniereColonne = s.HautGaucheColonne = s.BasDroiteColonne = 1;
    g->SelectionChange(s);
    for (int i = 0; i < 300; ++i) m.AppuieToucheGrille(*g, 40, 0);
    EXPECT_GE(g->DecalageLigne(), 1);
    const int r = g->LigneAfficheeVersStockee(g->Selection().HautGaucheLigne);
    EXPECT_EQ(r, 255);
    for (int i = 0; i < 300; ++i) m.AppuieToucheGrille(*g, 38, 0);
    EXPECT_EQ(g->LigneAfficheeVersStockee(g->Selection().HautGaucheLigne), 1);
}

}  // namespace
}  // namespace korv::grid
