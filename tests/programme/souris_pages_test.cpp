#include <gtest/gtest.h>

#include "engine/moteur.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

constexpr int kEnfonce = 1, kRelache = 2, kGauche = 1;

// "B" runs an outside program and then goes to page 2, where "C" lies
// under the point the user presses while the program runs; "C" leads to
// page 3.
constexpr const char* kScene = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="B" rect=600,600,1200,600 clip=1
  element page=1 object=3 param=0 events=2
  element page=2 object=1 param=0 events=2
object kind=action name="PROG" A1=1 B3=1 text="outil"
page
object kind=fond name="SUITE" rect=0,0,9600,7200
object kind=bouton name="C" rect=600,3000,1200,600 clip=1
  element page=3 object=1 param=0 events=2
page
object kind=fond name="MAUVAISE" rect=0,0,9600,7200
)S";

// A press made on one page and released on the next is no click on the
// next page's object under the pointer, also when the press waited in the
// queue that the page change emptied.
TEST(SourisPages, AReleaseWhosePressTheNewPageDroppedClicksNothing) {
    struct Cas {
        const char* nom;
        std::int64_t relache;  // when the button is released
        int pageAttendue;
    };
    const Cas cas[] = {
        // Press and release while the program runs: both dropped with the page.
        {"released while the program runs", 180, 2},
        // Pressed while it runs, released on page 2.
        {"released on the next page", 1000, 2},
    };
    for (const Cas& c : cas) {
        PiloteProgramme p;
        p.ChargerScene(kScene);
        p.Lanceur().resteActif = 8;
        p.Clic(100, 900, 900);
        p.Souris(150, kEnfonce, kGauche, 0, 900, 3300);
        p.Souris(c.relache, kRelache, kGauche, 0, 900, 3300);
        p.ExecuterJusqua(1500);
        EXPECT_EQ(p.Moteur().jeu.PageCourante, c.pageAttendue) << c.nom;

        // The next whole click on "C" is one.
        p.Clic(1600, 900, 3300);
        p.ExecuterJusqua(2000);
        EXPECT_EQ(p.Moteur().jeu.PageCourante, 3) << c.nom;
        EXPECT_EQ(p.JournalErreurs(), "") << c.nom;
    }
}

}  // namespace
}  // namespace korv::programme
