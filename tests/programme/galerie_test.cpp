// The sample scene's GALERIE page as the program draws it: the scene built
// by the scene tool, loaded and played by the program's composition (the
// real engine and page display), then probed pixel by pixel on the visible
// page. The expected colours come from the pictures' own definitions (the
// sky bands and field stripes of FOND.BMP, the ball, star and sunset) and
// the objects' fields.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "display/affichage.h"
#include "display/couleurs.h"
#include "engine/fichier_nom.h"
#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "engine/recherche.h"
#include "engine/scene_charge.h"
#include "platform/message_box_fake.h"
#include "platform/settings_fake.h"
#include "programme/pilote_programme.h"
#include "programme/programme.h"

namespace korv::display {
namespace {

namespace fs = std::filesystem;

struct Galerie {
    fs::path dossier = fs::temp_directory_path() / ("galerie_" + std::to_string(::getpid()));
    platform::BoiteMessageFactice messages;
    platform::MagasinReglagesFactice reglages;
    testsupport::FenetreAffichageFactice fenetre;
    engine::Moteur moteur;
    std::unique_ptr<programme::Programme> composition;
    int page = 0;

    Galerie() {
        testsupport::ApplicationProgramme();
        fs::create_directories(dossier);
        moteur.dossierProgramme = dossier.string();  // where the error log goes
        programme::Plateforme plateforme;
        plateforme.messages = &messages;
        plateforme.reglages = &reglages;
        plateforme.fenetreAffichage = &fenetre;
        composition = std::make_unique<programme::Programme>(moteur, plateforme);
        engine::ServicesChargement chargement;
        chargement.majTailleFenetre = [this] { moteur.Ecran().MajTailleFenetre(true); };
        if (!engine::SceneCharge(moteur.scene, KORV_SAMPLE_SCE, chargement)) return;
        moteur.jeu.ModeProgramme = engine::kModeJeu;
        page = engine::NumeroDePage(moteur.scene, "GALERIE");
        if (page > 0) engine::SauteALaPage(moteur, page);
    }
    ~Galerie() {
        composition.reset();
        std::error_code ec;
        fs::remove_all(dossier, ec);
    }
};

// Sky band of FOND.BMP at page row y (rows 0 to 399).
Couleur Ciel(int y) {
    const int i = y * 30 / 400;
    return Rgb(static_cast<std::uint8_t>(40 + 5 * i), static_cast<std::uint8_t>(90 + 4 * i),
               static_cast<std::uint8_t>(200 + i));
}

bool Proche(Couleur a, Couleur b, int tolerance) {
    const auto ecart = [](int x, int y) { return std::abs(x - y); };
    return ecart(CouleurComposanteRouge(a), CouleurComposanteRouge(b)) <= tolerance &&
           ecart(CouleurComposanteVerte(a), CouleurComposanteVerte(b)) <= tolerance &&
           ecart(CouleurComposanteBleue(a), CouleurComposanteBleue(b)) <= tolerance;
}

TEST(Galerie, LaPageTelleQueLeProgrammeLaDessine) {
    Galerie g;
    ASSERT_GT(g.page, 0) << "sample scene " << KORV_SAMPLE_SCE;
    EXPECT_EQ(g.moteur.jeu.PageCourante, g.page);
    const AffichagePage& affichage = g.composition->Affichage();
    const Surface& ecran = affichage.PageEcran;
    ASSERT_EQ(ecran.Image().width(), 640);
    ASSERT_EQ(ecran.Image().height(), 480);

    struct Sonde {
        const char* quoi;
        int x, y;
        Couleur attendu;
        int tolerance = 0;  // the JPEG's colours pass through YCbCr
    };
    const Sonde sondes[] = {
        {"sky, band 7", 320, 100, Ciel(100)},
        {"sky, band 0", 10, 10, Ciel(10)},
        {"field, dark stripe", 330, 402, Rgb(60, 140, 60)},
        {"field, light stripe", 300, 402, Rgb(90, 170, 70)},
        // LUTIN_MASQUE (40, 40): the mask decides, white highlight kept.
        {"masked ball: corner shows the sky", 40, 40, Ciel(40)},
        {"masked ball: red", 63, 63, Rgb(220, 30, 30)},
        {"masked ball: yellow spot", 68, 68, Rgb(250, 210, 40)},
        {"masked ball: white highlight stays", 57, 57, kBlanc},
        // ETOILE_SANS_MASQUE (120, 40): every white pixel is transparent.
        {"star without mask: hole shows the sky", 143, 63, Ciel(63)},
        {"star without mask: corner shows the sky", 121, 41, Ciel(41)},
        {"star without mask: inner ring", 150, 63, Rgb(120, 160, 250)},
        {"star without mask: arm", 155, 63, Rgb(30, 60, 200)},
        // ETOILE_OPAQUE (200, 40): drawn whole.
        {"opaque star: hole is white", 223, 63, kBlanc},
        {"opaque star: corner is white", 200, 40, kBlanc},
        {"opaque star: arm", 235, 63, Rgb(30, 60, 200)},
        // PHOTO (280, 40), 64 x 48 as it is; PHOTO_ETIREE (380, 40) twice as large.
        {"photo: first block", 284, 44, Rgb(240, 120, 60), 3},
        {"photo: the sun", 324, 60, Rgb(250, 220, 90), 3},
        {"photo: last block", 340, 84, Rgb(100, 70, 120), 3},
        {"stretched photo: sun", 380 + 88, 40 + 40, Rgb(250, 220, 90), 3},
        {"stretched photo: bottom-left block", 384, 128, Rgb(30, 70, 120), 3},
        {"stretched photo: right of the picture", 510, 60, Ciel(60)},
        // HALO_TRANSPARENT (40, 160): its white centre shows the sky, its
        // rings lie on it.
        {"transparent halo: white centre shows the sky", 72, 184, Ciel(184)},
        {"transparent halo: a ring", 76, 183, Rgb(180, 209, 4)},
        // ASSOMBRI (420, 160): no shading either, only its black outline.
        {"shaded box: outline", 420, 170, kNoir},
        {"shaded box: inside", 480, 190, Ciel(190)},
        // Buttons: the face in the button colour.
        {"raised button face", 150, 300, Rgb(192, 192, 192)},
        {"pressed button face", 300, 300, Rgb(250, 220, 120)},
        {"return button face", 150, 420, Rgb(192, 192, 192)},
        // CADRE_OMBRE (420, 280): filled, with a red outline.
        {"framed box: fill", 480, 310, Rgb(250, 220, 120)},
        {"framed box: red outline", 420, 310, Rgb(200, 0, 0)},
    };
    for (const Sonde& s : sondes) {
        const Couleur obtenu = ecran.Pixel(s.x, s.y);
        EXPECT_TRUE(Proche(obtenu, s.attendu, s.tolerance))
            << s.quoi << " at (" << s.x << ", " << s.y << "): 0x" << std::hex << obtenu << " instead of 0x"
            << s.attendu;
    }
    // What the window shows is the page buffer.
    EXPECT_TRUE(affichage.PageTampon.Image() == ecran.Image());
}

// The box of the pixels of one colour in a box of a surface.
QRect Boite(const Surface& s, const QRect& dans, Couleur c) {
    QRect r;
    for (int y = dans.top(); y <= dans.bottom(); ++y) {
        for (int x = dans.left(); x <= dans.right(); ++x) {
            if (s.Pixel(x, y) == c) r = r.united(QRect(x, y, 1, 1));
        }
    }
    return r;
}

// The buttons' captions sit in the middle of their faces, clear of the
// picture at the left of the first.
TEST(Galerie, LegendesAuMilieuDesBoutons) {
    Galerie g;
    ASSERT_GT(g.page, 0);
    const Surface& ecran = g.composition->Affichage().PageEcran;
    // BOUTON_RELIEF (40, 280, 160 x 40), BOUTON_ENFONCE (220, 280, 160 x 40).
    for (const int gauche : {40, 220}) {
        const QRect legende = Boite(ecran, QRect(gauche + 5, 285, 150, 30), kNoir);
        ASSERT_FALSE(legende.isEmpty()) << gauche;
        EXPECT_NEAR(legende.center().x(), gauche + 80, 6) << gauche;
        EXPECT_NEAR(legende.center().y(), 300, 4) << gauche;
    }
}

// In a window of 800 x 600 pixels the page is fitted to it: the background
// picture covers the whole page as the objects spread over it.
TEST(Galerie, LeFondSuitLaPageAgrandie) {
    testsupport::PiloteProgramme p;
    p.FenetreAffichage().mesures = {0, 0, 12015, 9015};
    std::ifstream f(KORV_SAMPLE_SCENE, std::ios::binary);
    ASSERT_TRUE(f.good());
    p.ChargerScene(std::string(std::istreambuf_iterator<char>(f), {}));
    // The pictures beside the built sample, as loading the scene file names them.
    engine::Scene& scene = p.Moteur().scene;
    scene.entete.repertoireScene = fs::path(KORV_SAMPLE_SCE).parent_path().string() + "/";
    for (auto& page : scene.pages) {
        for (auto& o : page.objets) {
            if (!o.fichier.empty()) o.fichier = engine::NomFichierAbsolu(o.fichier, scene.entete.repertoireScene);
        }
    }
    p.ExecuterJusquARepos();
    ASSERT_EQ(p.Moteur().scene.entete.pageLargeur, 800);
    // The "Galerie" button, moved with the page to (525, 500) pixels.
    p.Clic(p.Horloge().Maintenant() + 10, 9000, 7700);
    p.ExecuterJusqua(p.Horloge().Maintenant() + 600);
    ASSERT_EQ(p.Moteur().jeu.PageCourante, engine::NumeroDePage(p.Moteur().scene, "GALERIE"));
    const Surface& tampon = p.Programme().Affichage().PageTampon;
    ASSERT_EQ(tampon.Image().width(), 800);
    ASSERT_EQ(tampon.Image().height(), 600);
    for (const QPoint champ : {QPoint(10, 590), QPoint(790, 590), QPoint(700, 520)}) {
        const Couleur c = tampon.Pixel(champ.x(), champ.y());
        EXPECT_GT(CouleurComposanteVerte(c), CouleurComposanteRouge(c) + 40) << "field at " << champ.x() << ", "
                                                                            << champ.y();
    }
    const Couleur ciel = tampon.Pixel(790, 10);
    EXPECT_GT(CouleurComposanteBleue(ciel), CouleurComposanteRouge(ciel) + 100) << "sky at the right edge";
    // The "Retour" button, moved to (50, 500), stands on the field.
    const Couleur sous = tampon.Pixel(45, 520);
    EXPECT_GT(CouleurComposanteVerte(sous), CouleurComposanteRouge(sous) + 40);
}

}  // namespace
}  // namespace korv::display
