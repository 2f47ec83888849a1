#include <gtest/gtest.h>

#include "platform/colour_dialog_fake.h"

namespace korv::platform {
namespace {

TEST(Couleur, Colorref) {
    EXPECT_EQ(VersColorref({0x12, 0x34, 0x56}), 0x00563412);
    EXPECT_EQ(DepuisColorref(0x00563412), (Rvb{0x12, 0x34, 0x56}));
    EXPECT_EQ(VersColorref({255, 255, 255}), 0x00FFFFFF);
    // A system colour mark in the high byte is not part of the colour.
    EXPECT_EQ(DepuisColorref(static_cast<std::int32_t>(0x80000005u)), (Rvb{0x05, 0, 0}));
}

TEST(Couleur, FacticeChoixAnnulationEtCouleursPerso) {
    DialogueCouleurFactice dialogue;
    CouleursPerso definies{};
    definies[0] = 0x0000FF;
    dialogue.reponses.push_back({0x00FF00, std::nullopt});
    dialogue.reponses.push_back({std::nullopt, definies});  // defines a colour, then cancels

    CouleursPerso perso{};
    perso.fill(0x00FFFFFF);
    std::int32_t couleur = 0x123456;
    EXPECT_TRUE(dialogue.Choisir(couleur, perso));
    EXPECT_EQ(couleur, 0x00FF00);
    EXPECT_EQ(perso[0], 0x00FFFFFF);

    EXPECT_FALSE(dialogue.Choisir(couleur, perso));
    EXPECT_EQ(couleur, 0x00FF00);  // unchanged on cancel
    EXPECT_EQ(perso, definies);    // custom colours kept all the same

    EXPECT_FALSE(dialogue.Choisir(couleur, perso));  // nothing queued

    ASSERT_EQ(dialogue.appels.size(), 3u);
    EXPECT_EQ(dialogue.appels[0].couleur, 0x123456);
    EXPECT_EQ(dialogue.appels[0].couleursPerso[5], 0x00FFFFFF);
}

}  // namespace
}  // namespace korv::platform
