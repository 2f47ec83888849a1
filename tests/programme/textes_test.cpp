// Texts and rich texts played on the program's own composition: what is
// drawn is what a click reaches.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "display/affichage.h"
#include "display/couleurs.h"
#include "engine/moteur.h"
#include "engine/objets_affiches.h"
#include "engine/recherche.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

constexpr display::Couleur kRouge = display::Rgb(255, 0, 0);

// The bounding box of the pixels of one colour inside `zone`.
QRect Boite(const display::Surface& s, const QRect& zone, display::Couleur c) {
    QRect r;
    for (int y = zone.top(); y <= zone.bottom(); ++y) {
        for (int x = zone.left(); x <= zone.right(); ++x) {
            if (s.Pixel(x, y) == c) r |= QRect(x, y, 1, 1);
        }
    }
    return r;
}

std::string Exemple() {
    std::ifstream f(KORV_SAMPLE_SCENE, std::ios::binary);
    EXPECT_TRUE(f.good());
    return {std::istreambuf_iterator<char>(f), {}};
}

// The centre of a pixel box, in page twips (15 twips a pixel).
int Twips(int pixel) { return pixel * 15 + 7; }

TEST(TextesProgramme, ClickingALinkFiresItsElementAndTheRestOfTheTextDoesNot) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=texte name="T" rect=600,600,4500,900 text="Voir conditions ici"
  element page=2 object=1 param=0 text="conditions" events=2
page
object kind=fond name="CONDITIONS" rect=0,0,9600,7200
)S");
    p.ExecuterJusquARepos();
    const display::Surface& tampon = p.Programme().Affichage().PageTampon;
    const QRect lien = Boite(tampon, QRect(40, 40, 300, 60), kRouge);
    ASSERT_FALSE(lien.isEmpty()) << "the link is drawn in red";
    ASSERT_EQ(p.Moteur().jeu.PageCourante, 1);

    // "Voir", left of the link: nothing happens.
    p.Clic(p.Horloge().Maintenant() + 10, Twips(lien.left() - 20), Twips(lien.center().y()));
    p.ExecuterJusqua(p.Horloge().Maintenant() + 100);
    EXPECT_EQ(p.Moteur().jeu.PageCourante, 1);

    p.Clic(p.Horloge().Maintenant() + 10, Twips(lien.center().x()), Twips(lien.center().y()));
    p.ExecuterJusqua(p.Horloge().Maintenant() + 100);
    EXPECT_EQ(p.Moteur().jeu.PageCourante, 2);
    EXPECT_EQ(p.JournalErreurs(), "");
}

// Clicks one after the other, each run to rest before the next.
void Cliquer(PiloteProgramme& p, int x, int y) {
    p.Clic(p.Horloge().Maintenant() + 10, x, y);
    p.ExecuterJusqua(p.Horloge().Maintenant() + 600);
}

std::string Trace(PiloteProgramme& p) {
    std::string r;
    for (const auto& l : p.Lignes()) r += l + "\n";
    return r;
}

// The sample: its buttons show their captions, and its welcome text, shown
// by its timer, links to the gallery.
TEST(TextesProgramme, TheSamplesCaptionsAndWelcomeLink) {
    PiloteProgramme p;
    p.ChargerScene(Exemple());
    p.ExecuterJusquARepos();
    const display::Surface& tampon = p.Programme().Affichage().PageTampon;
    ASSERT_EQ(p.Moteur().jeu.PageCourante, 1);
    // "Imprimer" on its grey button: dark letters inside the button.
    EXPECT_FALSE(Boite(tampon, QRect(40 + 4, 400 + 6, 160 - 12, 40 - 12), display::kNoir).isEmpty())
        << "the caption shows";

    p.ExecuterJusqua(3500);
    const QRect lien = Boite(tampon, QRect(40, 260, 360, 50), kRouge);
    ASSERT_FALSE(lien.isEmpty()) << "the link is drawn in red";
    Cliquer(p, Twips(lien.center().x()), Twips(lien.center().y()));
    EXPECT_EQ(p.Moteur().jeu.PageCourante, engine::NumeroDePage(p.Moteur().scene, "GALERIE")) << Trace(p);
}

// A button that searches a word in a text, pressed again and again, walks
// from match to match and wraps to the first: the real search, started on
// the line after the selected one.
TEST(TextesProgramme, RepeatedSearchWalksFromMatchToMatch) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=texte name="T" rect=600,600,6000,3000 text="un<Cr>mot deux<Cr>trois<Cr>quatre mot<Cr>cinq"
object kind=bouton name="CHERCHE" rect=600,6000,1500,600 C1=1 D1=12632256 text="Chercher"
  element page=1 object=2 param=8 value="mot" events=2
)S");
    p.DeclenchementReel();
    p.ExecuterJusquARepos();
    engine::Moteur& m = p.Moteur();
    auto selection = [&] {
        const int k = engine::ObjetAfficheNObjetVersNAffiche(m.affiches, 1, 2);
        return k < 1 ? -1 : static_cast<int>(m.affiches.Entree(k).ligneSelectionnee);
    };
    ASSERT_EQ(selection(), 0);
    std::vector<int> vues;
    for (int i = 0; i < 4; ++i) {
        Cliquer(p, 1350, 6300);
        vues.push_back(selection());
    }
    EXPECT_EQ(vues, (std::vector<int>{2, 4, 2, 4}));
    EXPECT_EQ(p.JournalErreurs(), "");
}

// A link over three lines fires from its own words only: a click above the
// text, over where its last line lies across, does nothing (an empty third
// rectangle merged into the second once stretched the zone to the page's
// top); a click on its last line fires it.
TEST(TextesProgramme, ALinkOverThreeLinesFiresFromItsWordsOnly) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=texte name="T" rect=1500,3000,4500,1500 text="Voir <Lien1>la page<Cr>des conditions<Cr>de vente<Lien0> ici"
  element page=2 object=1 param=0 text="la pagedes conditionsde vente" events=2
page
object kind=fond name="CONDITIONS" rect=0,0,9600,7200
)S");
    p.ExecuterJusquARepos();
    const display::Surface& tampon = p.Programme().Affichage().PageTampon;
    // The link's last line: the red of its third line of text.
    const QRect lien = Boite(tampon, QRect(100, 200, 300, 100), kRouge);
    ASSERT_FALSE(lien.isEmpty());
    const QRect troisieme = Boite(tampon, QRect(100, lien.bottom() - 10, 300, 11), kRouge);
    ASSERT_FALSE(troisieme.isEmpty());
    p.Clic(p.Horloge().Maintenant() + 10, Twips(troisieme.center().x()), 1200);
    p.ExecuterJusqua(p.Horloge().Maintenant() + 100);
    EXPECT_EQ(p.Moteur().jeu.PageCourante, 1) << "a click above the text";
    p.Clic(p.Horloge().Maintenant() + 10, Twips(troisieme.center().x()), Twips(troisieme.center().y()));
    p.ExecuterJusqua(p.Horloge().Maintenant() + 100);
    EXPECT_EQ(p.Moteur().jeu.PageCourante, 2) << "a click on the link's last line";
}

// A text coded again for a new width (the window resized) keeps its link
// single: the words after the link take the text's colour back, not the
// link's red.
TEST(TextesProgramme, TheLinkAloneStaysRedWhenTheTextIsCodedAgain) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene width=640 height=480
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=texte name="T" rect=600,600,6000,900 D2=8388608 text="Ouvrez la galerie pour voir les images."
  element page=2 object=1 param=0 text="galerie" events=2
page
object kind=fond name="GALERIE" rect=0,0,9600,7200
)S");
    p.ExecuterJusquARepos();
    const display::Surface& tampon = p.Programme().Affichage().PageTampon;
    // Red pixels on the line right of the link's zone (its rectangle 1).
    const auto rougeApresLeLien = [&](const QRect& ligne) {
        int droite = -1;
        for (const engine::EvenementAttente& e : p.Moteur().attente.entrees) {
            if (e.TypeObjet == engine::kTypeZoneLien && e.Etat != -1) droite = e.Zone.Droite1 / 15;
        }
        if (droite < 0) return -1;
        int n = 0;
        for (int y = ligne.top(); y <= ligne.bottom(); ++y) {
            for (int x = droite + 2; x <= ligne.right(); ++x) n += tampon.Pixel(x, y) == kRouge;
        }
        return n;
    };
    EXPECT_EQ(rougeApresLeLien(QRect(40, 40, 400, 60)), 0) << "first drawing";

    // The window grows to 800 x 600 pixels of page: the text is coded again
    // for its wider object.
    p.FenetreAffichage().mesures = {0, 0, 12015, 9015};
    p.Programme().Recepteur().Redimensionnement();
    p.ExecuterJusqua(p.Horloge().Maintenant() + 100);
    ASSERT_EQ(p.Moteur().scene.entete.pageLargeur, 800);
    EXPECT_EQ(rougeApresLeLien(QRect(50, 50, 500, 60)), 0) << "after a new coding";
    EXPECT_EQ(p.JournalErreurs(), "");
}

// The sample's rich text of two pages: its buttons turn them.
TEST(TextesProgramme, TheSamplesRichTextTurnsItsPages) {
    PiloteProgramme p;
    p.ChargerScene(Exemple());
    p.ExecuterJusquARepos();
    const display::Surface& tampon = p.Programme().Affichage().PageTampon;
    const int riche = engine::NumeroDePage(p.Moteur().scene, "TEXTE_RICHE");
    ASSERT_GT(riche, 0);
    const QRect texte(40, 40, 560, 280);

    Cliquer(p, 6300 + 1200, 5150 + 300);  // "Texte riche"
    ASSERT_EQ(p.Moteur().jeu.PageCourante, riche);
    const QImage page1 = tampon.Image().copy(texte);
    EXPECT_FALSE(Boite(tampon, texte, display::kNoir).isEmpty()) << "page 1 shows its text";

    Cliquer(p, 600 + 900, 5100 + 225);  // "Suivante"
    const QImage page2 = tampon.Image().copy(texte);
    EXPECT_NE(page2, page1);
    EXPECT_FALSE(Boite(tampon, texte, display::kNoir).isEmpty()) << "page 2 shows its text";

    Cliquer(p, 2700 + 900, 5100 + 225);  // "Précédente"
    EXPECT_EQ(tampon.Image().copy(texte), page1) << Trace(p);
    // The shown button waits for its clicks: "Suivante" is back and turns again.
    Cliquer(p, 600 + 900, 5100 + 225);
    EXPECT_EQ(tampon.Image().copy(texte), page2) << Trace(p);
}

// The piece of a long text an object shows (0 when it is not shown).
int MorceauAffiche(engine::Moteur& m, int page, int objet) {
    const int n = engine::ObjetAfficheNObjetVersNAffiche(m.affiches, page, objet);
    return n > 0 ? m.affiches.Entree(n).morceauTexte : 0;
}

bool Montre(engine::Moteur& m, int page, int objet) {
    return engine::ObjetAfficheNObjetVersNAffiche(m.affiches, page, objet) > 0;
}

// The sample's REACTIONS page: its timer turns the paged text on each of
// its three beats (its intervals "1000,500" taken in turn and again from
// the start: at 1000, 1500 and 2500 ms), keeps the last page on the third,
// then shows its end text; the next and previous buttons follow.
TEST(TextesProgramme, TheSamplesTimerTurnsItsPagedText) {
    PiloteProgramme p;
    p.ChargerScene(Exemple());
    p.ExecuterJusquARepos();
    engine::Moteur& m = p.Moteur();
    const display::Surface& tampon = p.Programme().Affichage().PageTampon;
    p.Clic(p.Horloge().Maintenant() + 10, 6300 + 1200, 4400 + 300);  // "Réactions"
    const int page = engine::NumeroDePage(m.scene, "REACTIONS");
    // The clock stepped until the page shows: its timer starts then.
    std::int64_t debut = 0;
    while (m.jeu.PageCourante != page && p.Horloge().Maintenant() < 2000) {
        p.ExecuterJusqua(p.Horloge().Maintenant() + 1);
        debut = p.Horloge().Maintenant();
    }
    ASSERT_EQ(m.jeu.PageCourante, page) << Trace(p);
    const int pages = engine::NumeroObjet(m.scene, page, "PAGES");
    const int fin = engine::NumeroObjet(m.scene, page, "FIN_BATTEMENT");
    const int suivante = engine::NumeroObjet(m.scene, page, "PAGE_SUIVANTE");
    const int precedente = engine::NumeroObjet(m.scene, page, "PAGE_PRECEDENTE");
    EXPECT_TRUE(Montre(m, page, engine::NumeroObjet(m.scene, page, "RELAIS_PRET"))) << "the relay fired on the show";

    // PAGES at 600,300 4200x900 twips.
    const QRect texte(40, 20, 280, 60);
    p.ExecuterJusqua(debut + 900);
    EXPECT_EQ(MorceauAffiche(m, page, pages), 1);
    // Its colour (D2 = 128) is dark red.
    EXPECT_FALSE(Boite(tampon, texte, display::Rgb(128, 0, 0)).isEmpty()) << "\"Première page\" shows";
    const QImage page1 = tampon.Image().copy(texte);
    EXPECT_TRUE(Montre(m, page, suivante));
    EXPECT_FALSE(Montre(m, page, precedente)) << "no page before the first";
    EXPECT_FALSE(Montre(m, page, fin));

    p.ExecuterJusqua(debut + 1100);
    EXPECT_EQ(MorceauAffiche(m, page, pages), 2) << Trace(p);
    const QImage page2 = tampon.Image().copy(texte);
    EXPECT_NE(page2, page1);
    EXPECT_TRUE(Montre(m, page, precedente));
    EXPECT_FALSE(Montre(m, page, fin));

    p.ExecuterJusqua(debut + 1600);
    EXPECT_EQ(MorceauAffiche(m, page, pages), 3);
    const QImage page3 = tampon.Image().copy(texte);
    EXPECT_NE(page3, page2);
    EXPECT_FALSE(Montre(m, page, suivante)) << "no page after the last";
    EXPECT_FALSE(Montre(m, page, fin)) << "two beats so far";

    p.ExecuterJusqua(debut + 2100);
    EXPECT_EQ(MorceauAffiche(m, page, pages), 3);
    EXPECT_FALSE(Montre(m, page, fin));
    p.ExecuterJusqua(debut + 2600);
    EXPECT_EQ(MorceauAffiche(m, page, pages), 3) << "the third beat keeps the last page";
    EXPECT_EQ(tampon.Image().copy(texte), page3);
    EXPECT_TRUE(Montre(m, page, fin)) << "the end text after the last beat";
    EXPECT_FALSE(Boite(tampon, QRect(360, 20, 240, 30), display::kNoir).isEmpty()) << "\"Le chronomètre a fini.\"";
    p.ExecuterJusqua(debut + 5000);
    EXPECT_EQ(MorceauAffiche(m, page, pages), 3) << "the timer is done";

    // The user turns back with "Précédente".
    Cliquer(p, 2700 + 900, 1350 + 225);
    EXPECT_EQ(MorceauAffiche(m, page, pages), 2);
    EXPECT_EQ(tampon.Image().copy(texte), page2);
    EXPECT_TRUE(Montre(m, page, suivante));
    EXPECT_TRUE(Montre(m, page, precedente));
    EXPECT_EQ(p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::programme
