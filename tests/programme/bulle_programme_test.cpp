// The tooltip's life on the composed program: a cell's tooltip, shown at the
// tooltip timer's tick, goes at the first mouse move more than 100 ms later
// over the page, the plan tree or the writing box, in play only.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "engine/moteur.h"
#include "programme/pilote_programme.h"
#include "support/entree_jeu.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;
namespace genre = testsupport::genre_souris;

constexpr const char* kScene = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="G" rect=600,600,2400,600 H2=6
  grid cols=1 rows=2 coloffset=1 rowoffset=1
  column 1 width=2400
  row 1 height=300
  row 2 height=300
  attribute col=1 row=2 tooltip="Montant hors taxes" bg=16777215
)S";

enum class Source { Page, Arbre, Redaction };

TEST(BulleProgramme, CacheeAuPremierDeplacementPlusDeCentMsApresSurLaPageLArbreEtLaRedaction) {
    struct Cas {
        Source source;
        bool enJeu;
        bool visibleApres;  // after the move 101 ms after it was shown
    };
    const Cas cas[] = {
        {Source::Page, true, false},   {Source::Arbre, true, false},   {Source::Redaction, true, false},
        {Source::Page, false, true},   {Source::Arbre, false, true},   {Source::Redaction, false, true},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(static_cast<int>(c.source) * 10 + c.enJeu);
        PiloteProgramme p;
        p.ChargerScene(kScene);
        p.Souris(100, genre::Deplace, 0, 0, 1200, 1050);
        p.ExecuterJusqua(150);
        p.ChronoBulle().souris = std::pair(1200, 1050);
        p.ChronoBulle().Top();
        ASSERT_TRUE(p.Bulle().visible);
        if (!c.enJeu) p.Moteur().jeu.ModeProgramme = 0;

        int x = 1210;
        const auto deplacer = [&](std::int64_t instant) {
            switch (c.source) {
            case Source::Page:
                p.Souris(instant, genre::Deplace, 0, 0, x += 15, 1050);
                p.ExecuterJusqua(instant);
                break;
            case Source::Arbre:
                p.ExecuterJusqua(instant);
                p.Programme().Recepteur().DeplacementBulle();
                break;
            case Source::Redaction:
                p.ExecuterJusqua(instant);
                p.Redaction().boite.DeplacerSouris();
                break;
            }
        };
        deplacer(200);
        deplacer(250);  // exactly 100 ms: it stays
        EXPECT_TRUE(p.Bulle().visible);
        deplacer(251);
        EXPECT_EQ(p.Bulle().visible, c.visibleApres);
        EXPECT_EQ(p.JournalErreurs(), "");
    }
}

}  // namespace
}  // namespace korv::programme
