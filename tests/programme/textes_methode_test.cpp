// The method texts under the mouse on the composed program, as the main
// window's two method-text boxes show them: a line of the learn-more menu
// turns the method text to its section, a glossary word shows its
// definition in the tooltip as rich text, both show the hand, the script's
// glossary bubble shows the numbered definition, and the script's scroll
// reaches the method-text box.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <utility>
#include <string>

#include "display/affichage.h"
#include "display/texte_riche.h"
#include "engine/moteur.h"
#include "engine/objets_affiches.h"
#include "formula/variables.h"
#include "platform/cp1252.h"
#include "programme/pilote_programme.h"
#include "rtf/lecteur.h"
#include "rtf/qt_document.h"

namespace korv::programme {
namespace {

namespace fs = std::filesystem;
using testsupport::PiloteProgramme;

// MENUSAV at (600, 600), TEXTEMET at (4200, 600), their texts and the
// glossary's file put in by the fixture ("@" names), with a hover style so that the
// mouse moves reach them. "marge" is the glossary word of the second section.
// The page is no automatic method page, so that the texts stay the
// fixture's own.
constexpr const char* kScene = R"S(
scene
start text=<<FIN
DECLARE MAJS
QUE MAJS = 0
FIN
page
object kind=fond name="TEXTESMETHODE" rect=0,0,9600,7200
object kind=rtf name="MENUSAV" rect=600,600,3000,2400 H2=1 text="@MENU"
object kind=rtf name="TEXTEMET" rect=4200,600,4800,4800 H2=1 text="@TEXTE"
object kind=action name="COMPTE" A1=11 B3=1 text="QUE MAJS = MAJS + 1"
object kind=action name="TEXTEMETHODEMAJ" A1=11 B3=1 text=""
  element page=1 object=4 param=0 events=16
object kind=action name="A1" A1=11 B3=1 text="VAPAGE $GLOSSAIRE"
object kind=bouton name="B1" rect=600,6000,1200,600 C1=1 D1=12632256
  element page=1 object=6 param=0 events=2
object kind=bouton name="PISTE" rect=9150,600,300,3000 C1=2 D1=12632256 clip=1
  element page=1 object=9 param=5 events=0
object kind=sprite name="CURSEUR" rect=9150,1800,300,300 C1=8 G2=5 G3=1 G4=16 file="@IMAGE"
object kind=bouton name="DEFILE" rect=2400,6000,1200,600 C1=1 D1=12632256
  element page=1 object=3 param=3 value="@DEFILE" events=2
page
object kind=fond name="GLOSSAIRE" rect=0,0,9600,7200
object kind=rtf name="TEXTE" rect=600,600,8400,6000 file="@GLOSSAIRE"
)S";

constexpr const char* kMenu =
    R"({\rtf1\ansi{\fonttbl{\f0\fswiss Arial;}}\f0\fs20 Le march\'e9\par Les concurrents\par Le prix})";
constexpr const char* kTexte =
    R"({\rtf1\ansi{\fonttbl{\f0\fswiss Arial;}}{\colortbl;\red255\green0\blue0;}\f0\fs20 Introduction\'a4\par )"
    R"(Le march\'e9 : sa {\cf1\ul marge} nette.\'a4\par Les concurrents directs\'a4\par Le prix de vente})";
constexpr const char* kGlossaire = R"({\rtf1\ansi Chiffre d'affaires* : les ventes de l'ann\'e9e.\'a4\par )"
                                   R"(Marge* (f.) : ce qui reste {\b apr\'e8s} les achats.\'a4\par})";

constexpr int kMenuGauche = 600, kMenuHaut = 600, kTexteGauche = 4200;

class TextesMethode : public ::testing::Test {
protected:
    explicit TextesMethode(const char* defile = "50%") {
        std::string scene = kScene;
        const std::string image = (fs::path(KORV_SAMPLE_SCENE).parent_path() / "images" / "BOUTON.BMP").string();
        scene.replace(scene.find("@IMAGE"), 6, image);
        for (const auto& [nom, texte] : {std::pair{"@MENU", kMenu}, {"@TEXTE", kTexte}}) {
            std::string echappe;
            for (const char c : std::string_view(texte)) echappe += c == '\\' ? std::string("\\\\") : std::string(1, c);
            scene.replace(scene.find(nom), std::string_view(nom).size(), echappe);
        }
        const std::string glossaire = p.DossierProgramme() + "/GLOSSAIRE.RTF";
        std::ofstream(glossaire, std::ios::binary) << kGlossaire;
        scene.replace(scene.find("@GLOSSAIRE"), 10, glossaire);
        scene.replace(scene.find("@DEFILE"), 7, defile);
        p.ChargerScene(scene);
        p.ExecuterJusquARepos();
        const rtf::Document ligne = *rtf::LireTexteRiche(R"({\rtf1{\fonttbl{\f0\fswiss Arial;}}\f0\fs20 A})");
        hauteurLigne = rtf::HauteurPixels(ligne, 3000, 15) * 15;
    }
    // The middle of line i (from 0) of a text shown from that top.
    std::int32_t Ligne(int i, int haut) const { return haut + i * hauteurLigne + hauteurLigne / 2; }
    // The top of the method-text box (page twips): a text shorter than its
    // panel is centred on it.
    int TexteHaut() { return p.TexteMethode().y * 15; }
    // The plain text the method-text box shows, UTF-8.
    std::string TexteMontre() { return platform::Cp1252VersUtf8(p.TexteMethode().boite.Texte()); }
    void Clic(int x, int y) {
        const auto t = p.Horloge().Maintenant() + 1000;
        p.Clic(t, x, y);
        p.ExecuterJusqua(t + 1000);
    }
    void Bouger(int x, int y) {
        const auto t = p.Horloge().Maintenant() + 10;
        p.Souris(t, 3, 0, 0, x, y);
        p.ExecuterJusqua(t + 50);
    }
    int SectionMontree() {
        auto& m = p.Programme().Moteur();
        const int n = engine::ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 3);
        return n > 0 ? m.affiches.Entree(n).morceauTexte : -1;
    }
    formula::Valeur Variable(const char* nom) { return p.Moteur().ScriptsDuMoteur().Variables().VarValeur(nom); }
    std::string BulleTexte() {
        const auto d = rtf::LireTexteRiche(p.Bulle().rtf);
        return d ? platform::Cp1252VersUtf8(platform::U32VersCp1252(d->TexteBrut())) : "";
    }
    // The first point of the line, from its left, where the method text
    // reacts to the mouse; nothing when none.
    std::optional<int> MotGlossaire(int y) {
        for (int x = kTexteGauche; x < kTexteGauche + 4800; x += 15) {
            if (p.Moteur().Plan().MouseMoveTexteGlossaire(x, y) == 255) return x + 30;
        }
        return std::nullopt;
    }

    PiloteProgramme p;
    std::int32_t hauteurLigne = 0;
};

TEST_F(TextesMethode, AMenuLineTurnsTheMethodTextToTheSectionThatHoldsIt) {
    ASSERT_GT(hauteurLigne, 60);
    ASSERT_TRUE(p.MenuSav().visible);
    ASSERT_TRUE(p.TexteMethode().visible);
    EXPECT_EQ(TexteMontre().rfind("Introduction", 0), 0u) << TexteMontre();
    struct Cas {
        int ligne;
        int section;
        const char* montre;  // the start of what the method-text box shows
    };
    // "Le marché" stands in section 2, "Les concurrents" in 3, "Le prix" in 4.
    const Cas cas[] = {{1, 3, "Les concurrents directs"}, {0, 2, "Le marché : sa marge nette."}, {2, 4, "Le prix de vente"}};
    int majs = std::stoi(Variable("MAJS").EnTexte());  // fired once with the page
    for (const Cas& c : cas) {
        Clic(kMenuGauche + 300, Ligne(c.ligne, kMenuHaut));
        EXPECT_EQ(SectionMontree(), c.section) << "line " << c.ligne;
        EXPECT_EQ(Variable("MAJS").EnTexte(), std::to_string(++majs)) << "TEXTEMETHODEMAJ fired again";
        // The box shows that section, and that section only.
        EXPECT_EQ(TexteMontre().rfind(c.montre, 0), 0u) << TexteMontre();
        EXPECT_EQ(TexteMontre().find("Introduction"), std::string::npos) << TexteMontre();
        EXPECT_TRUE(p.TexteMethode().visible);
    }

    // A click past a line's end finds an empty line, which every text holds
    // at its start: section 1.
    Clic(kMenuGauche + 2900, Ligne(0, kMenuHaut));
    EXPECT_EQ(SectionMontree(), 1);
}

// The sprite that follows the method text (condition word 16) goes back to
// the top of its track when a menu line turns the text, created again after
// the page's sprites were deleted, and when the window is laid out.
TEST_F(TextesMethode, TheMethodTextsSpriteGoesBackToTheTopOfItsTrack) {
    auto& voisins = p.Moteur().Declenchement().Voisins();
    const auto haut = [&]() -> std::optional<int> {
        const int n = voisins.SpriteNObjetVersNSprite(1, 9);
        if (n < 1) return std::nullopt;
        return voisins.Sprite(n).y;
    };
    ASSERT_EQ(haut(), 1800 / 15) << "shown where its object stands";
    Clic(kMenuGauche + 300, Ligne(1, kMenuHaut));
    ASSERT_EQ(SectionMontree(), 3);
    EXPECT_EQ(haut(), 600 / 15);

    ASSERT_TRUE(p.Moteur().scene.ObjetExiste(1, 9));
    const int n = voisins.SpriteNObjetVersNSprite(1, 9);
    p.Moteur().Ecran().SpriteDeplacer(n, 9150 / 15, 2400 / 15);
    ASSERT_EQ(haut(), 2400 / 15);
    p.Moteur().Ecran().MajTailleFenetre(true);
    EXPECT_EQ(haut(), 600 / 15);
}

TEST_F(TextesMethode, TheHandShowsOverMenuLinesAndGlossaryWordsOnly) {
    auto& fenetre = p.Fenetre();
    struct Cas {
        int x, y;
        bool main;
    };
    const Cas cas[] = {
        {kMenuGauche + 100, Ligne(1, kMenuHaut), true},    // on a menu line
        {kMenuGauche + 2900, Ligne(1, kMenuHaut), false},  // past its end
        {kTexteGauche + 100, Ligne(0, TexteHaut()), false}, // the method text, no glossary word
    };
    for (const Cas& c : cas) {
        Bouger(c.x, c.y);
        EXPECT_EQ(fenetre.curseur == engine::FormeCurseur::Pointe, c.main) << c.x << "," << c.y;
    }
    Clic(kMenuGauche + 300, Ligne(0, kMenuHaut));  // section 2, with "marge"
    const std::optional<int> mot = MotGlossaire(Ligne(0, TexteHaut()));
    ASSERT_TRUE(mot.has_value());
    Bouger(*mot, Ligne(0, TexteHaut()));
    EXPECT_EQ(fenetre.curseur, engine::FormeCurseur::Pointe);
}

TEST_F(TextesMethode, AGlossaryWordShowsItsDefinitionAsRichTextWhereItWasClicked) {
    Clic(kMenuGauche + 300, Ligne(0, kMenuHaut));
    const int y = Ligne(0, TexteHaut());
    const std::optional<int> x = MotGlossaire(y);
    ASSERT_TRUE(x.has_value());
    EXPECT_FALSE(p.Bulle().visible);
    Clic(*x, y);
    ASSERT_TRUE(p.Bulle().visible);
    EXPECT_EQ(BulleTexte(), " ce qui reste après les achats.");
    EXPECT_NE(p.Bulle().rtf.find("\\b"), std::string::npos) << "its bold word kept";
    EXPECT_EQ(p.Bulle().x, *x / 15);
    EXPECT_EQ(p.Bulle().y, y / 15);
}

TEST_F(TextesMethode, TheScriptsGlossaryBubbleShowsTheNumberedDefinition) {
    auto& variables = p.Moteur().ScriptsDuMoteur().Variables();
    struct Cas {
        std::optional<formula::Valeur> valeur;  // none: the variable is not declared
        std::optional<std::string> definition;
    };
    const Cas cas[] = {
        {std::nullopt, std::nullopt},
        {formula::Valeur::Chaine("2"), "Marge* (f.) : ce qui reste après les achats."},
        {formula::Valeur::Entier(1), "Chiffre d'affaires* : les ventes de l'année."},
        {formula::Valeur::Chaine("marge"), std::nullopt},  // not a number: no bubble
        {formula::Valeur::Entier(9), std::nullopt},       // the last piece is empty
    };
    for (const Cas& c : cas) {
        if (c.valeur) {
            std::string nom = "MOTGLOSSAIRE";
            if (!variables.VarLet(nom, *c.valeur)) {
                ASSERT_TRUE(variables.VarCree(nom, *c.valeur, 1));
            }
        }
        p.Bulle().visible = false;
        Clic(1200, 6300);
        EXPECT_EQ(p.Bulle().visible, c.definition.has_value()) << (c.valeur ? c.valeur->EnTexte() : "none");
        if (c.definition) {
            EXPECT_EQ(BulleTexte(), *c.definition);
            EXPECT_EQ(p.Bulle().x, 1200 / 15);
            EXPECT_EQ(p.Bulle().y, 6300 / 15);
        }
    }
    EXPECT_EQ(p.JournalErreurs(), "") << "a word that names no piece is no error either";
}

// The rich-text trigger's scroll of the method text moves the method-text
// box: a share of its text's height, or pixels as written.
class DefilementTexteMethode : public TextesMethode, public ::testing::WithParamInterface<const char*> {
protected:
    DefilementTexteMethode() : TextesMethode(GetParam()) {}
};

TEST_P(DefilementTexteMethode, TheScriptsScrollMovesTheMethodTextBox) {
    const std::string valeur = GetParam();
    const std::optional<rtf::Document> montre = rtf::LireTexteRiche(p.TexteMethode().boite.TexteRtf());
    ASSERT_TRUE(montre.has_value());
    const std::int32_t hauteur = display::TexteRicheHauteurMesure(*montre, 4800, 15);
    ASSERT_GT(hauteur, 0);
    const int attendu = valeur.back() == '%' ? static_cast<int>(std::nearbyint(std::stod(valeur) / 100.0 * hauteur))
                                             : std::stoi(valeur);
    p.TexteMethode().defilement = -12345;
    Clic(3000, 6300);
    EXPECT_EQ(p.TexteMethode().defilement, attendu);
    EXPECT_EQ(p.JournalErreurs(), "");
}

INSTANTIATE_TEST_SUITE_P(Valeurs, DefilementTexteMethode, ::testing::Values("50%", "100%", "30"));

}  // namespace
}  // namespace korv::programme
