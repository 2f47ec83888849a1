// The cell under the mouse for the tooltip timer, the switch of the scroll
// thumbs, and the text search in a cell.

#include <gtest/gtest.h>

#include "grille_fabrique.h"
#include "platform/grid_tooltip_timer.h"

namespace korv::grid {
namespace {

TEST(TableauBulles, CaseContientTexteLooksInTheValueTheEntryAndTheScript) {
    GrilleEnregistrement e = test::Enregistrement(3, 2);
    test::Texte(e, 1, 1, "Chiffre d'affaires");
    // An editable cell keeps the value it was saved with.
    e.resultats.push_back({2, 1, 0, "Total annuel"});
    test::Attribut(e, 2, 1).editable = -1;
    test::Attribut(e, 3, 1).script = "SUR CLIC\r\nQUE PASSEVALEUR = ABC";
    test::Texte(e, 1, 2, "\xC9t\xE9");  // cp1252 "Été"
    auto g = test::Grille(e);
    struct Cas {
        int c, r;
        const char* texte;
        bool attendu;
    } cas[] = {
        {1, 1, "AFFAIRES", true},   // entry, any case
        {2, 1, "annuel", true},     // value
        {3, 1, "abc", true},        // script only, texts empty
        {3, 1, "xyz", false},
        {1, 2, "\xE9t\xC9", true},  // accented letters fold too
        {2, 2, "", false},          // an empty cell holds nothing, not even ""
        {1, 1, "", true},
        {4, 1, "a", false},         // outside the grid
        {0, 0, "a", false},
    };
    for (const Cas& k : cas) {
        EXPECT_EQ(g->CaseContientTexte(static_cast<std::uint8_t>(k.c), static_cast<std::uint8_t>(k.r), k.texte),
                  k.attendu)
            << k.c << "," << k.r << " " << k.texte;
    }
}

TEST(TableauBulles, AnotherCellStopsTheTooltipTimerOnce) {
    auto g = test::Grille(test::Enregistrement(2, 2));
    platform::ChronoBulleTableauFactice chrono;
    g->ChronoBulle(&chrono);
    EXPECT_EQ(g->DerniereCaseSurvolee(), std::pair(0, 0));
    chrono.actif = true;
    EXPECT_FALSE(g->InfoBulleGere(0, 0)) << "the same cell";
    EXPECT_TRUE(chrono.actif);
    EXPECT_TRUE(g->InfoBulleGere(2, 1));
    EXPECT_FALSE(chrono.actif);
    EXPECT_EQ(g->DerniereCaseSurvolee(), std::pair(2, 1));
    chrono.actif = true;
    EXPECT_FALSE(g->InfoBulleGere(2, 1));
    EXPECT_TRUE(chrono.actif);
    // An entry hides the tooltip of the cell.
    g->CaseUtilisateurChange(1, 1, "x", false);
    EXPECT_FALSE(chrono.actif);
    EXPECT_EQ(g->DerniereCaseSurvolee(), std::pair(0, 0));
    // Without a timer the cell is still noted.
    g->ChronoBulle(nullptr);
    EXPECT_TRUE(g->InfoBulleGere(-1, -1));
    EXPECT_EQ(g->DerniereCaseSurvolee(), std::pair(-1, -1));
}

TEST(TableauBulles, TheThumbSwitch) {
    auto g = test::Grille(test::Enregistrement(1, 1));
    EXPECT_FALSE(g->MajAutoAscenseurDesactivee());
    g->MajAutoAscenseurDesactive();
    EXPECT_TRUE(g->MajAutoAscenseurDesactivee());
    g->MajAutoAscenseurActive();
    EXPECT_FALSE(g->MajAutoAscenseurDesactivee());
}

}  // namespace
}  // namespace korv::grid
