#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_dialog_fake.h"
#include "platform/file_dialog_filter.h"

namespace korv::platform {
namespace {

TEST(FiltreFichier, ConversionVersQt) {
    struct Cas {
        std::string filtre;
        std::vector<std::string> qt;
    };
    const Cas cas[] = {
        // Windows-1252 label, upper-case pattern.
        {"sc\xE8nes (*.sce)|*.SCE", {"sc\xE8nes (*.sce) (*.[sS][cC][eE])"}},
        // The default: pattern with a leading space; "*.*" means every file.
        {"Tous (*.*)| *.*", {"Tous (*.*) (*)"}},
        {"Plans (*.tvr)|*.tvr|Tous|*.*", {"Plans (*.tvr) (*.[tT][vV][rR])", "Tous (*)"}},
        {"Images|*.bmp;*.GIF; *.pcx ;", {"Images (*.[bB][mM][pP] *.[gG][iI][fF] *.[pP][cC][xX])"}},
        // A final "|" and empty pairs are ignored; a label alone means every file.
        {"Textes|*.txt|", {"Textes (*.[tT][xX][tT])"}},
        {"Textes|*.txt||", {"Textes (*.[tT][xX][tT])"}},
        {"Tout", {"Tout (*)"}},
        {"|*.rtf", {"*.rtf (*.[rR][tT][fF])"}},
        {"", {}},
        {"   ", {}},
        // Characters Qt cannot carry in a pattern match any character instead;
        // brackets stay literal; a line break in a label becomes a space.
        {"Divers|mon fichier(1).d\xE9;a,b;x[1]", {"Divers ([mM][oO][nN]?[fF][iI][cC][hH][iI][eE][rR]?1?.[dD]? [aA]?[bB] [xX][[]1[]])"}},
        {"Deux\r\nlignes|*.A1", {"Deux  lignes (*.[aA]1)"}},
    };
    for (const Cas& c : cas) EXPECT_EQ(FiltresQt(c.filtre), c.qt) << testing::PrintToString(c.filtre);
}

TEST(FiltreFichier, AnalyseGardeLibellesEtMotifs) {
    const auto filtres = AnalyseFiltre(" Sc\xE8nes |*.SCE;*.sc2|Tous (*.*)| *.*");
    ASSERT_EQ(filtres.size(), 2u);
    EXPECT_EQ(filtres[0].libelle, "Sc\xE8nes");
    EXPECT_EQ(filtres[0].motifs, (std::vector<std::string>{"*.SCE", "*.sc2"}));
    EXPECT_EQ(filtres[1].libelle, "Tous (*.*)");
    EXPECT_EQ(filtres[1].motifs, (std::vector<std::string>{"*"}));
}

// The extension a chosen filter gives a name typed without one.
TEST(FiltreFichier, ExtensionDuFiltreChoisi) {
    struct Cas {
        std::string filtre;
        std::vector<std::string> extensions;
    };
    const Cas cas[] = {
        {"Excel 5/7 (*.xls)|*.xls|Texte d\xE9limit\xE9 (*.txt)|*.txt", {"xls", "txt"}},
        {"Sc\xE8nes|*.SCE;*.sc2|Tous (*.*)| *.*", {"SCE", ""}},
        {"Tout|*|Motifs|a*.t?t|Double|*.tar.gz|Vide|*.", {"", "", "", ""}},
    };
    for (const Cas& c : cas) {
        std::vector<std::string> extensions;
        for (const FiltreFichier& f : AnalyseFiltre(c.filtre)) extensions.push_back(ExtensionDuFiltre(f));
        EXPECT_EQ(extensions, c.extensions) << c.filtre;
    }
}

TEST(FiltreFichier, PositionDuFiltreChoisi) {
    EXPECT_EQ(PositionFiltre(1, 3), 0u);
    EXPECT_EQ(PositionFiltre(3, 3), 2u);
    EXPECT_EQ(PositionFiltre(4, 3), 0u);
    EXPECT_EQ(PositionFiltre(0, 3), 0u);
    EXPECT_EQ(PositionFiltre(-2, 3), 0u);
    EXPECT_EQ(PositionFiltre(1, 0), 0u);
}

TEST(DemandeFichier, ValeursParDefaut) {
    const DemandeFichier d;
    EXPECT_EQ(d.Filtre, "Tous (*.*)| *.*");
    EXPECT_EQ(d.IndexFiltre, 1);
    EXPECT_EQ(d.Options, 0);
    EXPECT_TRUE(d.NomFichier.empty());
    EXPECT_TRUE(d.TitreFichier.empty());
}

TEST(DemandeFichier, ResultatsDAcceptation) {
    struct Cas {
        std::string nom;
        std::int32_t options;
        std::string extension;
        std::string titre;
        std::int32_t optionsRendues;
    };
    using namespace options_fichier;
    const Cas cas[] = {
        {"/home/u/plans/Mon plan.tvr", 0, "", "Mon plan.tvr", 0},
        {"C:\\PLANS\\ESSAI.TVR", ConfirmeEcrasement, "tvr", "ESSAI.TVR", ConfirmeEcrasement},
        {"/tmp/essai.txt", 0, "tvr", "essai.txt", ExtensionDifferente},
        {"/tmp/essai", 0, ".tvr", "essai", ExtensionDifferente},
        {"essai.tvr", ExtensionDifferente, "tvr", "essai.tvr", 0},
        // Flags outside the mask are dropped.
        {"/tmp/a.sce", 0x20 | 0x40 | 0x80 | FichierDoitExister | 0x20000, "", "a.sce", FichierDoitExister},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        DemandeFichier d;
        d.Options = c.options;
        d.ExtensionDefaut = c.extension;
        AccepteDemande(d, c.nom);
        EXPECT_EQ(d.NomFichier, c.nom);
        EXPECT_EQ(d.TitreFichier, c.titre);
        EXPECT_EQ(d.Options, c.optionsRendues);
    }
}

TEST(DialogueFichierFactice, ReponsesEnFileEtAnnulation) {
    DialogueFichierFactice dialogue;
    dialogue.reponses = {std::string("/plans/essai.tvr"), std::nullopt};

    DemandeFichier ouvrir;
    ouvrir.Filtre = "sc\xE8nes (*.sce)|*.SCE";
    ouvrir.Options = options_fichier::FichierDoitExister;
    EXPECT_TRUE(dialogue.Ouvrir(ouvrir));
    EXPECT_EQ(ouvrir.NomFichier, "/plans/essai.tvr");
    EXPECT_EQ(ouvrir.TitreFichier, "essai.tvr");
    EXPECT_EQ(ouvrir.Options, options_fichier::FichierDoitExister);

    // Cancel empties the names and the flags.
    DemandeFichier enregistrer;
    enregistrer.NomFichier = "ancien.tvr";
    enregistrer.TitreFichier = "ancien.tvr";
    enregistrer.Options = options_fichier::ConfirmeEcrasement;
    EXPECT_FALSE(dialogue.Enregistrer(enregistrer));
    EXPECT_EQ(enregistrer.NomFichier, "");
    EXPECT_EQ(enregistrer.TitreFichier, "");
    EXPECT_EQ(enregistrer.Options, 0);

    // Nothing queued: Cancel.
    DemandeFichier encore;
    encore.NomFichier = "x";
    EXPECT_FALSE(dialogue.Ouvrir(encore));
    EXPECT_EQ(encore.NomFichier, "");

    ASSERT_EQ(dialogue.appels.size(), 3u);
    EXPECT_FALSE(dialogue.appels[0].enregistrer);
    EXPECT_EQ(dialogue.appels[0].demande.Filtre, "sc\xE8nes (*.sce)|*.SCE");
    EXPECT_TRUE(dialogue.appels[1].enregistrer);
    EXPECT_EQ(dialogue.appels[1].demande.NomFichier, "ancien.tvr");  // recorded as passed
}

}  // namespace
}  // namespace korv::platform
