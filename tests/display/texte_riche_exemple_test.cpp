// The sample scene's rich text of two pages, played with the real page
// display: its next and previous buttons turn the pages.

#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "description.h"
#include "display/affichage.h"
#include "display/dessin.h"
#include "display/texte_riche.h"
#include "engine/declencheurs_objets.h"
#include "engine/declencheurs_texte_riche.h"
#include "engine/moteur.h"
#include "engine/recherche.h"
#include "surface_application.h"

namespace korv::display {
namespace {

TEST(TexteRicheExemple, LesDeuxPagesSeTournent) {
    test::ApplicationAffichage();
    std::ifstream f(KORV_SAMPLE_SCENE, std::ios::binary);
    ASSERT_TRUE(f.good());
    const std::string description{std::istreambuf_iterator<char>(f), {}};

    engine::Moteur m;
    m.scene = scenetool::ConstruitScene(description, engine::FormeObjets::Bloc);
    AffichagePage a(m);
    TexteRicheAffichage riche(a);
    riche.Brancher();
    m.Services().affichage = &a;
    const int page = engine::NumeroDePage(m.scene, "TEXTE_RICHE");
    ASSERT_GT(page, 0);
    const int texte = engine::NumeroObjet(m.scene, page, "PRESENTATION");
    const int suivante = engine::NumeroObjet(m.scene, page, "SUIVANTE");
    const int precedente = engine::NumeroObjet(m.scene, page, "PRECEDENTE");
    ASSERT_GT(texte, 0);
    EXPECT_EQ(a.TexteNbPage(page, texte), 2);

    m.jeu.ModeProgramme = engine::kModeJeu;
    m.jeu.PageCourante = static_cast<std::int16_t>(page);
    a.SurfacesDimensionner(640, 480);
    a.PageTampon.Remplir(kBlanc);
    MajDessinObjet(a, page, texte, OptionsDessin{});
    const engine::EtatTexte etat = [&m](int p, int o) { return engine::EtatTexteDuJeu(m, p, o); };
    const QRect zone(40, 40, 560, 280);
    const QImage page1 = a.PageTampon.Image().copy(zone);
    int encre = 0;
    for (int y = 0; y < page1.height(); ++y) {
        for (int x = 0; x < page1.width(); ++x) encre += page1.pixel(x, y) != qRgb(255, 255, 255);
    }
    EXPECT_GT(encre, 500) << "page 1 shows its text";
    EXPECT_NE(engine::PageSuivanteRelieABoutonExiste(m.scene, page, suivante, etat), 0);
    EXPECT_EQ(engine::PagePrecedenteRelieABoutonExiste(m.scene, page, precedente, etat), 0);

    // "Suivante": page 2, drawn in the object's place; no page after it.
    engine::DeclencheTexteRTF(m, page, texte, "", 1, 1, 1);
    const QImage page2 = a.PageTampon.Image().copy(zone);
    EXPECT_NE(page2, page1);
    EXPECT_EQ(engine::PageSuivanteRelieABoutonExiste(m.scene, page, suivante, etat), 0);
    EXPECT_NE(engine::PagePrecedenteRelieABoutonExiste(m.scene, page, precedente, etat), 0);
    engine::DeclencheTexteRTF(m, page, texte, "", 1, 1, 1);
    EXPECT_EQ(a.PageTampon.Image().copy(zone), page2) << "the last page stays";

    // "Précédente": back to page 1.
    engine::DeclencheTexteRTF(m, page, texte, "", 2, 1, 1);
    EXPECT_EQ(a.PageTampon.Image().copy(zone), page1);
}

}  // namespace
}  // namespace korv::display
