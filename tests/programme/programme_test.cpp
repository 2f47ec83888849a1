#include <gtest/gtest.h>

#include <set>
#include <string>

#include "display/affichage.h"
#include "engine/declenchement.h"
#include "engine/moteur.h"
#include "engine/services_neutres.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;

// The composed program uses a real module for every service; the modules
// still to come are stood in for by name, and this list only shrinks.
TEST(Programme, EveryServiceIsARealModuleOrAListedStandIn) {
    PiloteProgramme p;
    const std::set<std::string, std::less<>> aVenir = {
        "document du plan", "edition de texte", "graphiques", "grilles", "impression et exportation",
        "methode guidee", "polylignes", "sprites", "textes balises", "textes riches"};
    EXPECT_EQ(p.Programme().ModulesAVenirNoms(), aVenir);

    auto& s = p.Moteur().Services();
    EXPECT_EQ(dynamic_cast<engine::AffichageNeutre*>(s.affichage), nullptr);
    EXPECT_EQ(dynamic_cast<engine::PlanAffaireNeutre*>(s.plan), nullptr);
    EXPECT_EQ(dynamic_cast<engine::GrillesNeutre*>(s.grilles), nullptr);
    EXPECT_EQ(dynamic_cast<engine::EditionTexteNeutre*>(s.edition), nullptr);
    EXPECT_EQ(&p.Moteur().Ecran(), static_cast<engine::Affichage*>(&p.Programme().Affichage()));
    EXPECT_NE(s.messages, nullptr);
    EXPECT_NE(s.dialogues, nullptr);
    EXPECT_NE(s.horloge, nullptr);
    EXPECT_NE(s.pompe, nullptr);
    EXPECT_NE(s.fenetre, nullptr);
    EXPECT_NE(p.Moteur().Declenchement().Configuration().voisins, nullptr);
}

TEST(Programme, AStandInSaysSoOnceInTheErrorLog) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=action name="IMPRIME" A1=11 text="QUE PASSEVALEUR = IMPRIMEPREPAREDEBUT(1)"
object kind=bouton name="B" rect=600,600,1200,600 C1=1 D1=12632256
  element page=1 object=2 param=0 events=2
)S");
    p.Clic(100, 900, 900);
    p.Clic(200, 900, 900);
    p.ExecuterJusqua(300);
    const std::string journal = p.JournalErreurs();
    const std::string ligne = "impression et exportation (ImprimePrepareDebut)";
    ASSERT_NE(journal.find(ligne), std::string::npos) << journal;
    EXPECT_EQ(journal.find(ligne), journal.rfind(ligne)) << "reported once";
}

// A script's PASSEVALEUR is the value the next trigger hands over.
TEST(Programme, PassValueReachesTheNextTrigger) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=action name="S" A1=11 text="QUE PASSEVALEUR = 'abc'"
object kind=bouton name="B" rect=600,600,1200,600 C1=1 D1=12632256
  element page=1 object=2 param=0 events=2
object kind=texte name="T" rect=0,3000,600,600 B3=1
  element page=1 object=1 param=0 value=".PasseValeur" events=0
)S");
    p.Clic(100, 900, 900);
    p.ExecuterJusqua(200);
    EXPECT_EQ(engine::ValeurElement(p.Moteur(), 1, 4, 1), "abc");
}

// Closing a foreground page puts back the pixels it covered.
TEST(Programme, ClosingTheForegroundPageRestoresWhatItCovered) {
    PiloteProgramme p;
    p.ChargerScene(R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=bouton name="BASE" rect=0,0,3000,3000 C1=2 D1=255
object kind=bouton name="AP" rect=600,600,1200,1200 C1=2 D1=65280 F1=1
object kind=bouton name="FERMER" rect=6000,0,900,600 C1=1 D1=12632256
  element page=1 object=5 param=0 events=2
object kind=action name="FERME" A1=6 B3=1
)S");
    p.ExecuterJusquARepos();
    const display::Surface& tampon = p.Programme().Affichage().PageTampon;
    const display::Couleur base = tampon.Pixel(20, 20);

    ASSERT_NE(tampon.Pixel(80, 80), base) << "the foreground button covers the base";
    p.Clic(p.Horloge().Maintenant() + 10, 6300, 300);
    p.ExecuterJusqua(p.Horloge().Maintenant() + 100);
    EXPECT_EQ(tampon.Pixel(80, 80), base);
    EXPECT_EQ(p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::programme
