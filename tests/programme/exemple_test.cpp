// The sample scene as a new user of the program meets it: every button does
// what its caption says, every page has a way back, nothing lies under
// another object. Played on the program's own composition, the mouse going
// in through the main window's receiver.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "display/affichage.h"
#include "display/couleurs.h"
#include "display/surface.h"
#include "engine/fichier_nom.h"
#include "engine/moteur.h"
#include "engine/objets_affiches.h"
#include "engine/recherche.h"
#include "engine/scene.h"
#include "grid/tableau.h"
#include "plan/entree_page.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;
namespace genre = testsupport::genre_souris;
constexpr int kGauche = 1;
constexpr int kPixel = 15;  // twips

// The sample scene, its pictures named from its own folder as loading a
// scene file names them; played to rest on its start page.
void ChargerExemple(PiloteProgramme& p) {
    std::ifstream f(KORV_SAMPLE_SCENE, std::ios::binary);
    ASSERT_TRUE(f.good());
    p.ChargerScene(std::string(std::istreambuf_iterator<char>(f), {}));
    engine::Scene& scene = p.Moteur().scene;
    const std::string base = engine::FichierNomChemin(KORV_SAMPLE_SCENE);
    scene.entete.repertoireScene = base;
    for (auto& page : scene.pages) {
        for (auto& o : page.objets) {
            if (!o.fichier.empty()) o.fichier = engine::NomFichierAbsolu(o.fichier, base);
        }
    }
    p.ExecuterJusquARepos();
}

// A press and, `dureeMs` later, its release, as a hand clicks; then the
// play runs a while.
void Cliquer(PiloteProgramme& p, int x, int y, int dureeMs = 120) {
    const std::int64_t t = p.Horloge().Maintenant();
    p.Souris(t + 10, genre::Enfonce, kGauche, 0, x, y);
    p.Souris(t + 10 + dureeMs, genre::Relache, kGauche, 0, x, y);
    p.ExecuterJusqua(t + 10 + dureeMs + 300);
}

// The middle of an object's rectangle (twips).
struct Point {
    int x, y;
};
Point Milieu(const engine::Moteur& m, int page, std::string_view nom) {
    const int o = engine::NumeroObjet(m.scene, page, std::string(nom));
    EXPECT_GT(o, 0) << nom;
    if (o < 1) return {0, 0};
    const engine::ObjetPage& r = m.scene.Page(page).Objet(o);
    return {r.gauche + r.largeur / 2, r.haut + r.hauteur / 2};
}

int Page(const engine::Moteur& m, std::string_view nom) { return engine::NumeroDePage(m.scene, std::string(nom)); }

bool Montre(const engine::Moteur& m, int page, std::string_view nom) {
    const int o = engine::NumeroObjet(m.scene, page, std::string(nom));
    return o > 0 && engine::ObjetAfficheNObjetVersNAffiche(m.affiches, page, o) > 0;
}

// Where an object is shown now (twips).
engine::ObjetAffiche Affiche(const engine::Moteur& m, int page, std::string_view nom) {
    const int o = engine::NumeroObjet(m.scene, page, std::string(nom));
    const int n = o > 0 ? engine::ObjetAfficheNObjetVersNAffiche(m.affiches, page, o) : 0;
    EXPECT_GT(n, 0) << nom << " is not shown";
    return n > 0 ? m.affiches.Entree(n) : engine::ObjetAffiche{};
}

// Goes from the start page to a page through its button, and checks that
// its "Retour" leads back.
void Aller(PiloteProgramme& p, std::string_view bouton, std::string_view page) {
    engine::Moteur& m = p.Moteur();
    const Point b = Milieu(m, Page(m, "DEBUT"), bouton);
    Cliquer(p, b.x, b.y);
    ASSERT_EQ(m.jeu.PageCourante, Page(m, page)) << bouton << p.JournalErreurs();
}

// A slide show: a press anywhere shows the next slide, and the release of
// that press clicks nothing on the slide it brought (nor on the start page
// that the last slide leads to).
TEST(Exemple, EachPressOfTheSlideShowShowsTheNextSlide) {
    PiloteProgramme p;
    ChargerExemple(p);
    engine::Moteur& m = p.Moteur();
    const Point imprimer = Milieu(m, Page(m, "DEBUT"), "VERS_IMPRESSION");
    Aller(p, "VERS_DIAPO", "DIAPOAUTO_1");

    Cliquer(p, 4800, 3600);
    EXPECT_EQ(m.jeu.PageCourante, Page(m, "DIAPOAUTO_2")) << "the second slide stays after the release";
    // A long press: its release comes long after the page has changed.
    Cliquer(p, imprimer.x, imprimer.y, 900);
    EXPECT_EQ(m.jeu.PageCourante, Page(m, "DEBUT")) << "released over \"Imprimer\", which the press never saw";
    Cliquer(p, imprimer.x, imprimer.y);
    EXPECT_EQ(m.jeu.PageCourante, Page(m, "IMPRESSION")) << "a click of its own works";
    EXPECT_EQ(p.JournalErreurs(), "");
}

// The ball: its text comes with the drop, not while it is dragged, and the
// ball stays in the page however far the mouse goes.
TEST(Exemple, TheBallShowsItsTextWhenDroppedAndStaysInThePage) {
    PiloteProgramme p;
    ChargerExemple(p);
    engine::Moteur& m = p.Moteur();
    Aller(p, "VERS_GLISSER", "GLISSER");
    const int page = m.jeu.PageCourante;

    std::int64_t t = p.Horloge().Maintenant();
    p.Souris(t + 10, genre::Enfonce, kGauche, 0, 1560, 1560);
    p.Souris(t + 30, genre::Deplace, kGauche, 0, 2800, 2200);
    p.Souris(t + 50, genre::Deplace, kGauche, 0, 4000, 3000);
    p.ExecuterJusqua(t + 300);
    EXPECT_EQ(Affiche(m, page, "PION").gauche, 243 * kPixel) << "it follows the mouse";
    EXPECT_FALSE(Montre(m, page, "DEPOSE")) << "still held: not dropped yet";
    p.Souris(t + 400, genre::Relache, kGauche, 0, 4000, 3000);
    p.ExecuterJusqua(t + 600);
    EXPECT_TRUE(Montre(m, page, "DEPOSE")) << "dropped";

    // Dragged far past the bottom-left corner of the window: it stops at the
    // page's edge, whole (48 pixels), and can be taken again.
    t = p.Horloge().Maintenant();
    p.Souris(t + 10, genre::Enfonce, kGauche, 0, 243 * kPixel + 360, 176 * kPixel + 360);
    p.Souris(t + 30, genre::Deplace, kGauche, 0, -6000, 20000);
    p.Souris(t + 50, genre::Relache, kGauche, 0, -6000, 20000);
    p.ExecuterJusqua(t + 300);
    engine::ObjetAffiche e = Affiche(m, page, "PION");
    EXPECT_EQ(e.gauche, 0);
    EXPECT_EQ(e.haut, (480 - 48) * kPixel);
    // And past the top-right one.
    t = p.Horloge().Maintenant();
    p.Souris(t + 10, genre::Enfonce, kGauche, 0, 360, e.haut + 360);
    p.Souris(t + 30, genre::Deplace, kGauche, 0, 30000, -3000);
    p.Souris(t + 50, genre::Relache, kGauche, 0, 30000, -3000);
    p.ExecuterJusqua(t + 300);
    e = Affiche(m, page, "PION");
    EXPECT_EQ(e.gauche, (640 - 48) * kPixel);
    EXPECT_EQ(e.haut, 0);
    // Back inside, it moves freely again.
    t = p.Horloge().Maintenant();
    p.Souris(t + 10, genre::Enfonce, kGauche, 0, e.gauche + 360, 360);
    p.Souris(t + 30, genre::Deplace, kGauche, 0, 4000, 3000);
    p.Souris(t + 50, genre::Relache, kGauche, 0, 4000, 3000);
    p.ExecuterJusqua(t + 300);
    EXPECT_EQ(Affiche(m, page, "PION").gauche, 243 * kPixel);
    EXPECT_EQ(Affiche(m, page, "PION").haut, 176 * kPixel);
    EXPECT_EQ(p.JournalErreurs(), "");
}

// The ball dropped half over the place of its "Pion déposé." text stays
// whole over that text when the text shows, and taken away again it leaves
// the text whole: the text came over the ball, and the ball's next move put
// back the white page it had saved from under itself.
TEST(Exemple, TheBallDroppedOverItsTextStaysOverItAndLeavesItWhole) {
    PiloteProgramme p;
    ChargerExemple(p);
    engine::Moteur& m = p.Moteur();
    Aller(p, "VERS_GLISSER", "GLISSER");
    const int page = m.jeu.PageCourante;
    const display::AffichagePage& a = p.Programme().Affichage();
    // The ball's corner at (100, 300) pixels: its lower half lies over the
    // text's box (pixels 40..400 by 320..350); (124, 334) is in both.
    constexpr int kX = 124, kY = 334;
    const display::Couleur fondTexte = display::Rgb(255, 255, 224);

    std::int64_t t = p.Horloge().Maintenant();
    p.Souris(t + 10, genre::Enfonce, kGauche, 0, 1560, 1560);
    p.Souris(t + 30, genre::Deplace, kGauche, 0, 1860, 4860);
    p.ExecuterJusqua(t + 200);
    ASSERT_FALSE(Montre(m, page, "DEPOSE"));
    const display::Couleur balle = a.PageEcran.Pixel(kX, kY);
    ASSERT_NE(balle, fondTexte);
    p.Souris(t + 300, genre::Relache, kGauche, 0, 1860, 4860);
    p.ExecuterJusqua(t + 500);
    ASSERT_TRUE(Montre(m, page, "DEPOSE"));
    EXPECT_EQ(a.PageEcran.Pixel(kX, kY), balle) << "the ball hidden under its text";
    EXPECT_EQ(a.PageTampon.Pixel(kX, kY), balle);

    // Taken away: the text's box is whole where the ball lay, before the
    // next drop shows the text again.
    t = p.Horloge().Maintenant();
    p.Souris(t + 10, genre::Enfonce, kGauche, 0, 1860, 4860);
    p.Souris(t + 30, genre::Deplace, kGauche, 0, 6000, 1500);
    p.ExecuterJusqua(t + 200);
    EXPECT_EQ(a.PageEcran.Pixel(kX, kY), fondTexte) << "a hole in the text's box";
    EXPECT_EQ(a.PageTampon.Pixel(kX, kY), fondTexte);
    p.Souris(t + 300, genre::Relache, kGauche, 0, 6000, 1500);
    p.ExecuterJusqua(t + 500);
    EXPECT_EQ(p.JournalErreurs(), "");
}

// Distance (pixels) from a point to the drawn outline of a path object.
double DistanceAuChemin(const engine::ObjetPage& o, double x, double y) {
    double d = 1e9;
    const auto& pts = o.chemin.points;
    for (std::size_t i = 1; i < pts.size(); ++i) {
        const double ax = pts[i - 1].x, ay = pts[i - 1].y, bx = pts[i].x, by = pts[i].y;
        const double l2 = (bx - ax) * (bx - ax) + (by - ay) * (by - ay);
        const double t = l2 > 0 ? std::clamp(((x - ax) * (bx - ax) + (y - ay) * (by - ay)) / l2, 0.0, 1.0) : 0.0;
        d = std::min(d, std::hypot(x - (ax + t * (bx - ax)), y - (ay + t * (by - ay))));
    }
    return d;
}

// The star runs with its centre on the drawn circuit, and "Retour" leads
// back to the start page.
TEST(Exemple, TheStarRunsCentredOnTheDrawnCircuitAndRetourLeadsBack) {
    PiloteProgramme p;
    ChargerExemple(p);
    engine::Moteur& m = p.Moteur();
    Aller(p, "VERS_CHEMINS", "CHEMINS");
    const int page = m.jeu.PageCourante;
    const engine::ObjetPage& circuit = m.scene.Page(page).Objet(engine::NumeroObjet(m.scene, page, "CIRCUIT"));
    ASSERT_GT(circuit.chemin.points.size(), 2u);
    // The star's picture: 48 pixels square.
    for (int pas = 0; pas < 8; ++pas) {
        p.ExecuterJusqua(p.Horloge().Maintenant() + 6 * 60);
        const engine::ObjetAffiche e = Affiche(m, page, "ETOILE");
        const double cx = e.gauche / double(kPixel) + 24, cy = e.haut / double(kPixel) + 24;
        EXPECT_LE(DistanceAuChemin(circuit, cx, cy), 2.0) << "beat " << pas * 6 << ": centre (" << cx << ", " << cy << ")";
    }
    const Point retour = Milieu(m, page, "RETOUR");
    Cliquer(p, retour.x, retour.y);
    EXPECT_EQ(m.jeu.PageCourante, Page(m, "DEBUT"));
    EXPECT_EQ(p.JournalErreurs(), "");
}

// The visible page of the program (pixels).
const display::Surface& Ecran(PiloteProgramme& p) { return p.Programme().Affichage().PageEcran; }

// The pixels of a colour in a box of the visible page, both corners
// included, clipped to the page.
std::vector<std::pair<int, int>> PixelsDeCouleur(PiloteProgramme& p, display::Couleur c, int x1, int y1, int x2,
                                                int y2) {
    const display::Surface& e = Ecran(p);
    std::vector<std::pair<int, int>> r;
    for (int y = std::max(0, y1); y <= std::min(y2, e.Hauteur() - 1); ++y) {
        for (int x = std::max(0, x1); x <= std::min(x2, e.Largeur() - 1); ++x) {
            if (e.Pixel(x, y) == c) r.emplace_back(x, y);
        }
    }
    return r;
}

// The sample played in the program's default window: 800 x 600 pixels of
// page surface for its 640 x 480 page.
void ChargerExempleAgrandi(PiloteProgramme& p) {
    p.FenetreAffichage().mesures = {0, 0, 12015, 9015};
    ChargerExemple(p);
    ASSERT_EQ(p.Moteur().scene.entete.pageLargeur, 800);
    ASSERT_EQ(p.Moteur().scene.entete.pageHauteur, 600);
}

// In a window larger than the page, the star still runs with its centre on
// the circuit drawn on the page: its picture's hole, ringed in light blue,
// lies on the circuit's grey line wherever the star has gone.
TEST(Exemple, TheStarRunsOnItsDrawnCircuitInALargerWindow) {
    PiloteProgramme p;
    ChargerExempleAgrandi(p);
    engine::Moteur& m = p.Moteur();
    Aller(p, "VERS_CHEMINS", "CHEMINS");
    const int page = m.jeu.PageCourante;
    const display::Couleur gris = display::Rgb(128, 128, 128), anneau = display::Rgb(120, 160, 250);
    // The circuit as drawn now, before the star has run over most of it.
    const std::vector<std::pair<int, int>> circuit = PixelsDeCouleur(p, gris, 0, 0, 799, 599);
    int droite = 0;
    for (const auto& point : circuit) droite = std::max(droite, point.first);
    ASSERT_NEAR(droite, 650, 2) << "the circuit grown with the page (its right end 520 pixels as designed)";

    for (int pas = 0; pas < 6; ++pas) {
        p.ExecuterJusqua(p.Horloge().Maintenant() + 6 * 60);
        const engine::ObjetAffiche e = Affiche(m, page, "ETOILE");
        // The ring of the star drawn last: around the middle of its place.
        const int mx = (e.gauche + e.droite) / 2 / kPixel, my = (e.haut + e.bas) / 2 / kPixel;
        double sx = 0, sy = 0;
        int n = 0;
        for (const auto& [x, y] : PixelsDeCouleur(p, anneau, mx - 15, my - 15, mx + 15, my + 15)) {
            if (std::hypot(x - mx, y - my) > 15) continue;
            sx += x, sy += y, ++n;
        }
        ASSERT_GT(n, 100) << "beat " << pas * 6 << ": the star's ring, drawn at the page's scale";
        const double cx = sx / n, cy = sy / n;
        double d = 1e9;
        for (const auto& [x, y] : circuit) d = std::min(d, std::hypot(x - cx, y - cy));
        EXPECT_LE(d, 2.0) << "beat " << pas * 6 << ": centre (" << cx << ", " << cy << ")";
    }
    EXPECT_EQ(p.JournalErreurs(), "");
}

// In a window larger than the page, the ball is drawn at the page's scale,
// is taken where it is drawn, and dragged far past the window's corners it
// stops against the page's edges, whole.
TEST(Exemple, TheBallIsTakenWhereDrawnAndReachesThePagesEdgesInALargerWindow) {
    PiloteProgramme p;
    ChargerExempleAgrandi(p);
    engine::Moteur& m = p.Moteur();
    Aller(p, "VERS_GLISSER", "GLISSER");
    const int page = m.jeu.PageCourante;
    const display::Couleur rouge = display::Rgb(220, 30, 30), noir = display::Rgb(0, 0, 0);
    // The box of the ball's red and its black rim, within a box of the page.
    struct Boite {
        int x1 = 1 << 20, y1 = 1 << 20, x2 = -1, y2 = -1;
    };
    const auto balle = [&](int x1, int y1, int x2, int y2) {
        Boite b;
        for (display::Couleur c : {rouge, noir}) {
            for (const auto& [x, y] : PixelsDeCouleur(p, c, x1, y1, x2, y2)) {
                b.x1 = std::min(b.x1, x), b.y1 = std::min(b.y1, y), b.x2 = std::max(b.x2, x), b.y2 = std::max(b.y2, y);
            }
        }
        return b;
    };
    const Boite depart = balle(0, 0, 400, 300);
    ASSERT_GE(depart.x2 - depart.x1 + 1, 55) << "drawn at the page's scale (44 pixels as designed)";
    ASSERT_GE(depart.y2 - depart.y1 + 1, 55);

    // A drag that ends far past a corner of the window; the press is on the
    // ball's drawn right edge, beyond its size as designed.
    const auto glisser = [&](int xPression, int yPression, int x, int y) {
        const std::int64_t t = p.Horloge().Maintenant();
        p.Souris(t + 10, genre::Enfonce, kGauche, 0, xPression * kPixel, yPression * kPixel);
        p.Souris(t + 30, genre::Deplace, kGauche, 0, x, y);
        p.Souris(t + 50, genre::Relache, kGauche, 0, x, y);
        p.ExecuterJusqua(t + 300);
    };
    glisser(depart.x2 - 1, (depart.y1 + depart.y2) / 2, 30000, 30000);
    EXPECT_TRUE(Montre(m, page, "DEPOSE")) << "the press took the ball, the release dropped it";
    const Boite basDroite = balle(400, 300, 799, 599);
    EXPECT_GE(basDroite.x2, 795) << "against the right edge";
    EXPECT_GE(basDroite.y2, 595) << "against the bottom edge";
    EXPECT_GE(basDroite.x2 - basDroite.x1 + 1, 55) << "whole";
    EXPECT_GE(basDroite.y2 - basDroite.y1 + 1, 55);
    EXPECT_LT(balle(0, 0, 399, 299).x2, 0) << "gone from its start";

    glisser(basDroite.x1 + 1, (basDroite.y1 + basDroite.y2) / 2, -30000, -30000);
    const Boite hautGauche = balle(0, 0, 400, 300);
    EXPECT_LE(hautGauche.x1, 4) << "against the left edge";
    EXPECT_LE(hautGauche.y1, 4) << "against the top edge";
    EXPECT_GE(hautGauche.x2 - hautGauche.x1 + 1, 55) << "whole";
    EXPECT_LT(balle(400, 300, 799, 599).x2, 0) << "gone from the corner";
    EXPECT_EQ(p.JournalErreurs(), "");
}

// Every page leads back to the start page: through an element that jumps
// to another page, an action that goes back (type 4) or one that jumps to a
// named page (type 10), page after page.
TEST(Exemple, EveryPageLeadsBackToTheStartPage) {
    PiloteProgramme p;
    ChargerExemple(p);
    const engine::Scene& scene = p.Moteur().scene;
    constexpr int kRetour = 4, kSaut = 10;
    const int debut = engine::NumeroDePage(scene, "DEBUT");
    // The pages each page leads to; 0 stands for the page before.
    const auto suivantes = [&](int page) {
        std::vector<int> r;
        for (const engine::ObjetPage& o : scene.Page(page).objets) {
            for (const engine::ObjetPageElement& e : o.elements) {
                if (e.PageCible != page) {
                    r.push_back(e.PageCible);
                    continue;
                }
                if (!scene.ObjetExiste(page, e.ObjetCible)) continue;
                const engine::ObjetPage& cible = scene.Page(page).Objet(e.ObjetCible);
                if (cible.Type() != engine::TypeObjet::Action) continue;
                if (cible.A1 == kRetour) r.push_back(0);
                if (cible.A1 == kSaut) r.push_back(engine::NumeroDePage(scene, cible.texte));
            }
        }
        return r;
    };
    for (int page = 1; page <= scene.PageNb(); ++page) {
        if (page == debut) continue;
        std::vector<int> vues{page};
        bool retour = false;
        for (std::size_t i = 0; i < vues.size() && !retour; ++i) {
            for (int s : suivantes(vues[i])) {
                retour = retour || s == debut || s == 0;
                if (s > 0 && std::find(vues.begin(), vues.end(), s) == vues.end()) vues.push_back(s);
            }
        }
        EXPECT_TRUE(retour) << scene.Page(page).Objet(1).nom << " has no way back";
    }
}

// "Aide": hovering shows the hint, leaving hides it, and the button stays.
TEST(Exemple, HoveringAideShowsItsHintAndLeavingHidesIt) {
    PiloteProgramme p;
    ChargerExemple(p);
    engine::Moteur& m = p.Moteur();
    const int debut = m.jeu.PageCourante;
    const Point aide = Milieu(m, debut, "AIDE");
    ASSERT_FALSE(Montre(m, debut, "INDICE"));
    std::int64_t t = p.Horloge().Maintenant();
    p.Souris(t + 10, genre::Deplace, 0, 0, aide.x, aide.y);
    p.ExecuterJusqua(t + 200);
    EXPECT_TRUE(Montre(m, debut, "INDICE")) << "the hint shows";
    EXPECT_TRUE(Montre(m, debut, "AIDE"));
    t = p.Horloge().Maintenant();
    p.Souris(t + 10, genre::Deplace, 0, 0, aide.x, aide.y - 1500);
    p.ExecuterJusqua(t + 200);
    EXPECT_FALSE(Montre(m, debut, "INDICE")) << "the hint goes";
    EXPECT_TRUE(Montre(m, debut, "AIDE")) << "the button stays";
    // And again.
    t = p.Horloge().Maintenant();
    p.Souris(t + 10, genre::Deplace, 0, 0, aide.x, aide.y);
    p.ExecuterJusqua(t + 200);
    EXPECT_TRUE(Montre(m, debut, "INDICE"));
    EXPECT_EQ(p.JournalErreurs(), "");
}

// The start page's buttons lie apart: one click runs one button's action.
TEST(Exemple, TheStartPagesClickZonesDoNotOverlap) {
    PiloteProgramme p;
    ChargerExemple(p);
    engine::Moteur& m = p.Moteur();
    p.ExecuterJusqua(p.Horloge().Maintenant() + 4000);  // the welcome text shown too
    std::vector<const engine::EvenementAttente*> clics;
    for (const engine::EvenementAttente& e : m.attente.entrees) {
        if (e.EvenementsAttendus & 2) clics.push_back(&e);
    }
    ASSERT_GE(clics.size(), 12u);
    const auto nom = [&](const engine::EvenementAttente& e) { return m.scene.Page(e.Page).Objet(e.Objet).nom; };
    for (std::size_t i = 0; i < clics.size(); ++i) {
        for (std::size_t j = i + 1; j < clics.size(); ++j) {
            const engine::EvenementAttente& a = *clics[i];
            const engine::EvenementAttente& b = *clics[j];
            if (a.Objet == b.Objet) continue;  // one text's links
            const bool separes = a.Gauche + a.Largeur <= b.Gauche || b.Gauche + b.Largeur <= a.Gauche ||
                                 a.Haut + a.Hauteur <= b.Haut || b.Haut + b.Hauteur <= a.Haut;
            EXPECT_TRUE(separes) << nom(a) << " and " << nom(b);
        }
    }

    // "Texte riche" turns to its page and says nothing else; "Bonjour" greets.
    const Point texte = Milieu(m, m.jeu.PageCourante, "VERS_TEXTE_RICHE");
    const Point bonjour = Milieu(m, m.jeu.PageCourante, "BONJOUR");
    Cliquer(p, texte.x, texte.y);
    EXPECT_EQ(m.jeu.PageCourante, Page(m, "TEXTE_RICHE"));
    EXPECT_TRUE(p.Messages().messages.empty()) << "no greeting from a button beneath";
    const Point retour = Milieu(m, m.jeu.PageCourante, "RETOUR");
    Cliquer(p, retour.x, retour.y);
    ASSERT_EQ(m.jeu.PageCourante, Page(m, "DEBUT"));
    p.RepondreMessage(1);
    Cliquer(p, bonjour.x, bonjour.y);
    ASSERT_EQ(p.Messages().messages.size(), 1u);
    EXPECT_EQ(p.Messages().messages[0].texte, "Bienvenue, Visiteur !");
    EXPECT_EQ(p.JournalErreurs(), "");
}

// FINANCES scrolls its sixteen columns with its own buttons: the thumb
// dragged along its track, "<" and ">", and the thumb follows the grid
// whatever scrolled it.
// The commercial action plan, reached from the plan tree: every figure of
// its share column is a figure shown alike, the total the sum of the shares.
TEST(Exemple, TheDashboardReachedFromThePlanTreeShowsItsSharesAsFigures) {
    PiloteProgramme p;
    ChargerExemple(p);
    engine::Moteur& m = p.Moteur();
    p.Programme().Recepteur().NoeudPlan("TDBPAC$2");
    p.ExecuterJusqua(p.Horloge().Maintenant() + 300);
    const int page = Page(m, "TDBPAC");
    ASSERT_EQ(m.jeu.PageCourante, page) << p.JournalErreurs();
    auto* g = dynamic_cast<grid::TableauClasse*>(m.Tableaux().GrilleDe(page, engine::NumeroObjet(m.scene, page, "PAC")));
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->CaseValeurAAfficher(3, 2), "62,5");
    EXPECT_EQ(g->CaseValeurAAfficher(3, 3), "37,5");
    EXPECT_EQ(g->CaseValeurAAfficher(3, 4), "100,0");
}

TEST(Exemple, TheForecastGridScrollsWithItsButtons) {
    PiloteProgramme p;
    ChargerExemple(p);
    engine::Moteur& m = p.Moteur();
    Aller(p, "VERS_FINANCES", "FINANCES");
    const int page = m.jeu.PageCourante;
    auto* g = dynamic_cast<grid::TableauClasse*>(m.Tableaux().GrilleDe(page, engine::NumeroObjet(m.scene, page, "PREVISIONS")));
    ASSERT_NE(g, nullptr);
    const int debut = g->DecalageColonne();
    const engine::ObjetAffiche pouce = Affiche(m, page, "CURSEUR_MOIS");
    const engine::ObjetPage& piste = m.scene.Page(page).Objet(engine::NumeroObjet(m.scene, page, "PISTE_MOIS"));
    EXPECT_EQ(pouce.gauche, piste.gauche) << "the thumb starts at the track's left end";

    // The thumb dragged to the track's right end: the last columns show.
    std::int64_t t = p.Horloge().Maintenant();
    p.Souris(t + 10, genre::Enfonce, kGauche, 0, pouce.gauche + 200, pouce.haut + 150);
    p.Souris(t + 30, genre::Deplace, kGauche, 0, 9600, pouce.haut + 150);
    p.Souris(t + 50, genre::Relache, kGauche, 0, 9600, pouce.haut + 150);
    p.ExecuterJusqua(t + 300);
    const int fin = g->DecalageColonne();
    EXPECT_GT(fin, debut + 8) << "scrolled to the end";
    EXPECT_GT(Affiche(m, page, "CURSEUR_MOIS").gauche, piste.gauche + piste.largeur - 800);

    // "<" scrolls back one month, and the thumb moves left with the grid.
    const int avant = Affiche(m, page, "CURSEUR_MOIS").gauche;
    const Point gauche = Milieu(m, page, "MOIS_PRECEDENTS");
    Cliquer(p, gauche.x, gauche.y, 100);
    EXPECT_EQ(g->DecalageColonne(), fin - 1);
    EXPECT_LT(Affiche(m, page, "CURSEUR_MOIS").gauche, avant);

    // ">" twice forward.
    const Point droite = Milieu(m, page, "MOIS_SUIVANTS");
    const int milieu = g->DecalageColonne();
    Cliquer(p, gauche.x, gauche.y, 100);
    Cliquer(p, gauche.x, gauche.y, 100);
    EXPECT_EQ(g->DecalageColonne(), milieu - 2);
    Cliquer(p, droite.x, droite.y, 100);
    EXPECT_EQ(g->DecalageColonne(), milieu - 1);
    EXPECT_EQ(p.JournalErreurs(), "");
}

// An investment typed into a month of the forecast computes the
// depreciation row again at once: its three years read the investments by
// their coordinates, not through references, and showed the old charges
// until the page was shown again. A full recalculation must find nothing
// left to change.
TEST(Exemple, AnInvestmentTypedIntoAMonthChangesTheDepreciationAtOnce) {
    struct Cas {
        int colonne;  // a month shown when the page opens
        const char* saisie;
    };
    const Cas cas[] = {{6, "1200"}, {4, "2 400"}, {5, "600,5"}};
    PiloteProgramme p;
    ChargerExemple(p);
    engine::Moteur& m = p.Moteur();
    Aller(p, "VERS_FINANCES", "FINANCES");
    const int page = m.jeu.PageCourante;
    const int objet = engine::NumeroObjet(m.scene, page, "PREVISIONS");
    auto* g = dynamic_cast<grid::TableauClasse*>(m.Tableaux().GrilleDe(page, objet));
    ASSERT_NE(g, nullptr);
    const engine::ObjetPage& rect = m.scene.Page(page).Objet(objet);
    constexpr int kInvestissements = 5, kAmortissements = 6;
    auto annees = [g] {
        std::vector<std::string> v;
        for (int c : {2, 15, 16}) v.push_back(g->CaseResultatInterne(c, kAmortissements));
        return v;
    };
    for (const Cas& c : cas) {
        const std::vector<std::string> avant = annees();
        const int x = rect.gauche + (g->ColonneGauche(c.colonne) + g->ColonneDroite(c.colonne)) / 2;
        const int y = rect.haut + (g->LigneHaut(kInvestissements) + g->LigneBas(kInvestissements)) / 2;
        Cliquer(p, x, y);
        std::int64_t t = p.Horloge().Maintenant();
        for (char k : std::string_view(c.saisie)) {
            const int code = k == ',' ? 0xBC : k;
            p.Frappe(t += 20, code, k);
        }
        p.ExecuterJusqua(t += 50);
        ASSERT_TRUE(p.BoiteEdition().visible) << c.saisie;
        p.BoiteEdition().Terminer(13);
        p.ExecuterJusqua(t + 100);
        const std::vector<std::string> apres = annees();
        EXPECT_NE(apres[0], avant[0]) << "year 1 after " << c.saisie << " in column " << c.colonne;
        EXPECT_NE(apres[1], avant[1]) << "year 2 after " << c.saisie << " in column " << c.colonne;
        g->RecalculAvecInit();
        EXPECT_EQ(apres, annees()) << c.saisie << " in column " << c.colonne;
    }
    EXPECT_EQ(p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::programme

namespace korv::programme {
namespace {

// The printing page: its title, help text and buttons lie apart on the
// page, its hidden header, footer and cover texts are not shown, and
// "Retour" leads back.
TEST(Exemple, ThePrintingPagesObjectsLieApartAndRetourLeadsBack) {
    PiloteProgramme p;
    ChargerExemple(p);
    engine::Moteur& m = p.Moteur();
    Aller(p, "VERS_IMPRESSION", "IMPRESSION");
    const int page = m.jeu.PageCourante;
    std::vector<engine::ObjetAffiche> montres;
    for (int n = 1; n <= m.affiches.Nombre(); ++n) {
        const engine::ObjetAffiche& a = m.affiches.Entree(n);
        if (a.page == page && m.scene.Page(page).Objet(a.objet).Type() != engine::TypeObjet::Fond) montres.push_back(a);
    }
    const auto nom = [&](const engine::ObjetAffiche& a) { return m.scene.Page(page).Objet(a.objet).nom; };
    std::vector<std::string> noms;
    for (const auto& a : montres) noms.push_back(nom(a));
    std::sort(noms.begin(), noms.end());
    EXPECT_EQ(noms, (std::vector<std::string>{"AIDE_IMPRESSION", "IMPRIMER_PLAN", "IMPRIMER_PREVISIONS",
                                              "IMPRIMER_REDIGE", "RETOUR", "TITRE_IMPRESSION"}));
    for (std::size_t i = 0; i < montres.size(); ++i) {
        for (std::size_t j = i + 1; j < montres.size(); ++j) {
            const engine::ObjetAffiche& a = montres[i];
            const engine::ObjetAffiche& b = montres[j];
            const bool separes = a.droite < b.gauche || b.droite < a.gauche || a.bas < b.haut || b.bas < a.haut;
            EXPECT_TRUE(separes) << nom(a) << " and " << nom(b);
        }
    }
    const Point retour = Milieu(m, page, "RETOUR");
    Cliquer(p, retour.x, retour.y);
    EXPECT_EQ(m.jeu.PageCourante, Page(m, "DEBUT"));
    EXPECT_EQ(p.Apercu().ouvertures, 0) << "no print without its button";
    EXPECT_EQ(p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::programme

namespace korv::programme {
namespace {

grid::TableauClasse* Grille(engine::Moteur& m, int page, std::string_view nom) {
    return dynamic_cast<grid::TableauClasse*>(
        m.Tableaux().GrilleDe(page, engine::NumeroObjet(m.scene, page, std::string(nom))));
}

// Types a text into a grid cell as a user does: a click on the cell, the
// keys, then Enter.
void Saisir(PiloteProgramme& p, int page, std::string_view objet, int colonne, int ligne, std::string_view texte) {
    engine::Moteur& m = p.Moteur();
    grid::TableauClasse* g = Grille(m, page, objet);
    ASSERT_NE(g, nullptr) << objet;
    const engine::ObjetPage& rect = m.scene.Page(page).Objet(engine::NumeroObjet(m.scene, page, std::string(objet)));
    Cliquer(p, rect.gauche + (g->ColonneGauche(colonne) + g->ColonneDroite(colonne)) / 2,
            rect.haut + (g->LigneHaut(ligne) + g->LigneBas(ligne)) / 2);
    std::int64_t t = p.Horloge().Maintenant();
    for (char k : texte) p.Frappe(t += 20, k == ',' ? 0xBC : static_cast<unsigned char>(k), k);
    p.ExecuterJusqua(t += 50);
    ASSERT_TRUE(p.BoiteEdition().visible) << objet << " " << colonne << "," << ligne;
    p.BoiteEdition().Terminer(13);
    p.ExecuterJusqua(t + 300);
}

// The visible page's pixels in an object's rectangle.
std::vector<display::Couleur> Pixels(PiloteProgramme& p, int page, std::string_view objet) {
    const engine::Moteur& m = p.Moteur();
    const engine::ObjetPage& o = m.scene.Page(page).Objet(engine::NumeroObjet(m.scene, page, std::string(objet)));
    const display::Surface& e = p.Programme().Affichage().PageEcran;
    std::vector<display::Couleur> v;
    for (int y = o.haut / kPixel; y < (o.haut + o.hauteur) / kPixel; ++y) {
        for (int x = o.gauche / kPixel; x < (o.gauche + o.largeur) / kPixel; ++x) v.push_back(e.Pixel(x, y));
    }
    return v;
}

std::vector<std::string> Colonne(grid::TableauClasse& g, int colonne, int premiere, int derniere) {
    std::vector<std::string> v;
    for (int r = premiere; r <= derniere; ++r) {
        v.push_back(g.CaseValeurAAfficher(static_cast<std::uint8_t>(colonne), static_cast<std::uint8_t>(r)));
    }
    return v;
}

// The currency page, from the start page's "Monnaies": the 19 entries of
// the table with their rates, the last one typed in place (a refused rate
// leaves the table and the cell as they were), amounts converted from one
// entry's currency to another's and shown at once, "Retour", and the page
// after a new plan.
TEST(Exemple, TheCurrencyPageShowsTheTableTakesTheLastEntryAndConvertsAmounts) {
    PiloteProgramme p;
    ChargerExemple(p);
    engine::Moteur& m = p.Moteur();
    Aller(p, "VERS_MONNAIES", "MONNAIES");
    const int page = m.jeu.PageCourante;
    grid::TableauClasse* table = Grille(m, page, "TABLE");
    grid::TableauClasse* conversion = Grille(m, page, "CONVERSION");
    grid::TableauClasse* montants = Grille(m, page, "MONTANTS");
    ASSERT_TRUE(table && conversion && montants);

    // Entries 1 to 10 on the left, 11 to 19 on the right.
    const auto entrees = [table](int decalage) {
        std::vector<std::string> v = Colonne(*table, decalage, 2, 11);
        for (const std::string& s : Colonne(*table, decalage + 3, 2, 10)) v.push_back(s);
        return v;
    };
    EXPECT_EQ(entrees(1), (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12",
                                                    "13", "14", "15", "16", "17", "18", "19"}));
    EXPECT_EQ(entrees(2),
              (std::vector<std::string>{"Euro", "Schiling Autrichien", "Franc Belge", "Deutsche Mark",
                                        "Couronne Danoise", "Pesetas", "Mark Finlandais", "Franc Fran\xE7" "ais",
                                        "Livre sterling", "Drachme", "Pound", "Lire", "Franc Luxembourgeois",
                                        "Florin", "Escudo", "Couronne Su\xE9" "doise", "Dollar US", "KF",
                                        "A personnaliser"}));
    EXPECT_EQ(entrees(3),
              (std::vector<std::string>{"1", "13,7603", "40,3399", "1,95583", "7,46038", "166,386", "5,94573",
                                        "6,55957", "0,6", "336,09", "0,787564", "1936,27", "40,3399", "2,20371",
                                        "200,482", "8,25", "0,9106", "0,00655957", "1"}));

    // The last entry typed in place: the table takes it, and the cell shows
    // what the table holds.
    struct Cas {
        int colonne;
        const char* saisie;
        const char* nom;
        double taux;
        const char* montre;
    };
    const Cas cas[] = {
        {5, "Rouble", "Rouble", 1, "Rouble"},
        {6, "95,5", "Rouble", 95.5, "95,5"},
        {6, "0", "Rouble", 95.5, "95,5"},  // refused: a rate divides
        {6, "-2", "Rouble", 95.5, "95,5"},
    };
    for (const Cas& c : cas) {
        Saisir(p, page, "TABLE", c.colonne, 10, c.saisie);
        EXPECT_EQ(m.Monnaies.MonnaieNomGet(19), c.nom) << c.saisie;
        EXPECT_EQ(m.Monnaies.MonnaieTauxGet(19), c.taux) << c.saisie;
        EXPECT_EQ(table->CaseValeurAAfficher(static_cast<std::uint8_t>(c.colonne), 10), c.montre) << c.saisie;
    }
    EXPECT_TRUE(p.Messages().messages.empty());

    // "Convertir": the amounts go from the first entry's currency to the
    // second's at the rate shown, their total follows, and the second entry
    // becomes the first; then on to the entry just typed, and back to francs.
    struct Conversion {
        const char* vers;  // "": as it stands
        std::vector<std::string> avant;  // names and rate before the click
        std::vector<std::string> montants;  // after it
    };
    const std::string francs = "Franc Fran\xE7" "ais";
    const Conversion conversions[] = {
        {"", {francs, "Euro", "0,152449"}, {"5 488,16", "6 860,21", "1 295,82", "13 644,19"}},
        {"19", {"Euro", "Rouble", "95,5"}, {"524 119,72", "655 149,65", "123 750,49", "1 303 019,86"}},
        {"8", {"Rouble", francs, "0,068687"}, {"36 000,00", "45 000,00", "8 500,00", "89 500,00"}},
    };
    EXPECT_EQ(Colonne(*montants, 2, 1, 4),
              (std::vector<std::string>{"36 000,00", "45 000,00", "8 500,00", "89 500,00"}));
    const Point convertir = Milieu(m, page, "CONVERTIR");
    for (const Conversion& c : conversions) {
        if (*c.vers != '\0') Saisir(p, page, "CONVERSION", 2, 3, c.vers);
        EXPECT_EQ(Colonne(*conversion, 3, 2, 4), c.avant) << c.vers;
        p.FenetreAffichage().progression.clear();
        Cliquer(p, convertir.x, convertir.y);
        EXPECT_EQ(Colonne(*montants, 2, 1, 4), c.montants) << c.vers;
        EXPECT_EQ(Colonne(*conversion, 3, 2, 4), (std::vector<std::string>{c.avant[1], c.avant[1], "1"})) << c.vers;
        EXPECT_EQ(p.FenetreAffichage().progression,
                  (std::vector<std::string>{"ouvre Conversion de l'unit\xE9 mon\xE9taire", "ferme"}));
        EXPECT_EQ(m.jeu.ConversionEnCours, 0);
        // The screen shows them: as the page shows them drawn afresh.
        const std::vector<display::Couleur> vus = Pixels(p, page, "MONTANTS"), nommes = Pixels(p, page, "CONVERSION");
        const Point retour = Milieu(m, page, "RETOUR");
        Cliquer(p, retour.x, retour.y);
        Aller(p, "VERS_MONNAIES", "MONNAIES");
        EXPECT_EQ(Pixels(p, page, "MONTANTS"), vus) << c.vers;
        EXPECT_EQ(Pixels(p, page, "CONVERSION"), nommes) << c.vers;
    }
    EXPECT_EQ(conversion->DecalageLigne(), 1) << "no row went out of sight";
    // A number outside the table converts nothing and says so.
    Saisir(p, page, "CONVERSION", 2, 3, "25");
    p.FenetreAffichage().progression.clear();
    p.RepondreMessage(1);
    Cliquer(p, convertir.x, convertir.y);
    ASSERT_EQ(p.Messages().messages.size(), 1u);
    EXPECT_EQ(p.Messages().messages[0].texte, "Tapez le num\xE9ro d'une monnaie de la table, de 1 \xE0 19.");
    EXPECT_EQ(Colonne(*montants, 2, 1, 4), conversions[2].montants);
    EXPECT_EQ(Colonne(*conversion, 3, 2, 3), (std::vector<std::string>{francs, ""}));
    EXPECT_TRUE(p.FenetreAffichage().progression.empty());
    // The entry chosen for a conversion renamed and given a new rate: its
    // name and the rate of change follow.
    Saisir(p, page, "CONVERSION", 2, 3, "19");
    Saisir(p, page, "TABLE", 5, 10, "Rouble russe");
    Saisir(p, page, "TABLE", 6, 10, "100");
    EXPECT_EQ(Colonne(*conversion, 3, 2, 4), (std::vector<std::string>{francs, "Rouble russe", "15,244902"}));

    const Point retour = Milieu(m, page, "RETOUR");
    Cliquer(p, retour.x, retour.y);
    EXPECT_EQ(m.jeu.PageCourante, Page(m, "DEBUT"));
    EXPECT_EQ(p.JournalErreurs(), "");

    // A new plan gives the table its defaults back, and the page its two
    // entries; the amounts typed are gone.
    p.RepondreMessage(7);  // the plan is not saved
    p.Programme().Recepteur().MenuFichier(plan::CommandeFichier::Nouveau);
    Aller(p, "VERS_MONNAIES", "MONNAIES");
    EXPECT_EQ(entrees(2).back(), "A personnaliser");
    EXPECT_EQ(entrees(3).back(), "1");
    EXPECT_EQ(Colonne(*conversion, 3, 2, 4), (std::vector<std::string>{francs, "Euro", "0,152449"}));
    EXPECT_EQ(Colonne(*montants, 2, 1, 4), (std::vector<std::string>{"", "", "", "0,00"}));
    EXPECT_EQ(p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::programme
