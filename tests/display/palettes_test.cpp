#include "display/palettes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/images_bmp_fabrique.h"
#include "display/surface_application.h"

namespace korv::display {
namespace {

TEST(Palettes, TableDeCouleursDuFichier) {
    test::ApplicationAffichage();
    test::DossierTemporaire dossier;
    test::EcrireFichier(dossier.Nom("DEFAUT.PAL"), test::FabriquerBmp(3, 2, 4).octets);
    test::EcrireFichier(dossier.Nom("VRAI.BMP"), test::FabriquerBmp(3, 2, 24).octets);
    test::EcrireFichier(dossier.Nom("ABIME.PAL"), {'B', 'M', 0, 0});
    std::vector<std::string> journal;
    const JournalAffichage j = [&](std::string_view m) { journal.emplace_back(m); };

    const auto palette = PaletteFichierCreer(dossier.Nom("defaut.pal"), j);
    ASSERT_TRUE(palette.has_value());
    ASSERT_EQ(palette->couleurs.size(), 16u);
    EXPECT_EQ(palette->couleurs[0], kBlanc);
    EXPECT_EQ(palette->couleurs[2], Rgb(255, 0, 0));
    EXPECT_EQ(palette->couleurs[4], Rgb(0, 0, 255));

    const auto sansTable = PaletteFichierCreer(dossier.Nom("VRAI.BMP"), j);
    ASSERT_TRUE(sansTable.has_value());
    EXPECT_TRUE(sansTable->couleurs.empty());

    EXPECT_FALSE(PaletteFichierCreer(dossier.Nom("ABSENT.PAL"), j).has_value());
    EXPECT_TRUE(journal.empty());
    EXPECT_FALSE(PaletteFichierCreer(dossier.Nom("ABIME.PAL"), j).has_value());
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0].rfind("PaletteFichierCreer : A104 : ", 0), 0u) << journal[0];
}

TEST(Palettes, GardeeEtSelectionneeSeulementSurEcranAPalette) {
    EtatPalette etat;
    const Palette p{{kNoir, kBlanc}};
    for (const bool ecranPalette : {false, true}) {
        const SystemeAffichage systeme{true, ecranPalette};
        etat.Remplacer(systeme, p);
        etat.PaletteActuelleAssignerAuxFenetres(systeme);
        EXPECT_EQ(etat.PaletteActuelle(), p);
        EXPECT_EQ(etat.Selectionnee(), ecranPalette);
        // A page whose palette file is missing: released, none made.
        etat.Remplacer(systeme, std::nullopt);
        etat.PaletteActuelleAssignerAuxFenetres(systeme);
        EXPECT_FALSE(etat.PaletteActuelle().has_value());
        EXPECT_FALSE(etat.Selectionnee());
    }
}

}  // namespace
}  // namespace korv::display
