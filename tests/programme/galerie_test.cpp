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
#include <memory>
#include <string>

#include "display/affichage.h"
#include "display/couleurs.h"
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
        // HALO_ADDITION (40, 160): the additive blend draws nothing here.
        {"additive halo leaves the page", 72, 184, Ciel(184)},
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

}  // namespace
}  // namespace korv::display
