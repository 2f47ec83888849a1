// The engine's open, save and colour dialogs over scripted platform dialogs.

#include "engine/dialogues_communs.h"

#include <gtest/gtest.h>

#include "engine/moteur.h"
#include "engine/scene.h"
#include "platform/colour_dialog_fake.h"
#include "platform/file_dialog_fake.h"

namespace korv::engine {
namespace {

using platform::DemandeFichier;
namespace options = platform::options_fichier;

TEST(DialoguesCommuns, FileDialogDefaultsAndResults) {
    platform::DialogueFichierFactice dialogue;
    dialogue.reponses = {"/home/u/PLANS/A.BPX", std::nullopt};

    DemandeFichier d;
    d.Filtre.clear();
    d.IndexFiltre = 0;
    d.Options = 0x7FFFFFFF;
    d.NomFichier = std::string("INIT.BPX\0\0\0\0", 12);  // a padded buffer
    ASSERT_TRUE(VBGetOpenFileName(&dialogue, d));
    const auto& passe = dialogue.appels.at(0).demande;
    EXPECT_FALSE(dialogue.appels[0].enregistrer);
    EXPECT_EQ(passe.Filtre, platform::kFiltreDefaut);
    EXPECT_EQ(passe.IndexFiltre, 1);
    EXPECT_EQ(passe.Options, options::Masque);
    EXPECT_EQ(passe.NomFichier, "INIT.BPX");
    EXPECT_EQ(d.NomFichier, "/home/u/PLANS/A.BPX");
    EXPECT_EQ(d.TitreFichier, "A.BPX");

    // Cancel empties both names and the flags.
    d.Options = options::ConfirmeEcrasement;
    EXPECT_FALSE(VBGetSaveFileName(&dialogue, d));
    EXPECT_TRUE(dialogue.appels.at(1).enregistrer);
    EXPECT_EQ(d.NomFichier, "");
    EXPECT_EQ(d.TitreFichier, "");
    EXPECT_EQ(d.Options, 0);
}

TEST(DialoguesCommuns, NoDialogServiceCancels) {
    Moteur m;
    DemandeFichier d;
    d.NomFichier = "A.BPX";
    d.TitreFichier = "A.BPX";
    d.Options = options::LectureSeule;
    EXPECT_FALSE(VBGetOpenFileName(m, d));
    EXPECT_EQ(d.NomFichier, "");
    EXPECT_EQ(d.TitreFichier, "");
    EXPECT_EQ(d.Options, 0);
}

TEST(DialoguesCommuns, ColourDialogKeepsCustomColoursInHeader) {
    platform::DialogueCouleurFactice dialogue;
    EnteteScene h;
    h.couleursPerso.fill(0xFFFFFF);
    platform::CouleursPerso definies = h.couleursPerso;
    definies[0] = 0x0000FF;
    definies[15] = 0x00FF00;
    // The user defines two colours and cancels, then picks a colour.
    dialogue.reponses.push_back({std::nullopt, definies});
    dialogue.reponses.push_back({0x123456, std::nullopt});

    std::int32_t couleur = 0x112233;
    EXPECT_FALSE(VBChooseColor(&dialogue, h, couleur));
    EXPECT_EQ(couleur, 0x112233);
    EXPECT_EQ(h.couleursPerso, definies);

    EXPECT_TRUE(VBChooseColor(&dialogue, h, couleur));
    EXPECT_EQ(couleur, 0x123456);
    ASSERT_EQ(dialogue.appels.size(), 2u);
    EXPECT_EQ(dialogue.appels[1].couleur, 0x112233);
    EXPECT_EQ(dialogue.appels[1].couleursPerso, definies);  // offered again

    EXPECT_FALSE(VBChooseColor(nullptr, h, couleur));
    EXPECT_EQ(couleur, 0x123456);
}

}  // namespace
}  // namespace korv::engine
