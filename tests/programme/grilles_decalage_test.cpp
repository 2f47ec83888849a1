#include <gtest/gtest.h>

#include <string>

#include "engine/moteur.h"
#include "formula/monnaies.h"
#include "formula/valeur.h"
#include "grid/tableau.h"
#include "platform/settings_fake.h"
#include "programme/pilote_programme.h"

namespace korv::programme {
namespace {

using formula::Valeur;
using testsupport::PiloteProgramme;

// Page DEBUT: grid T1 (object 2), 4 × 4 number cells, column 1 holding
// 1..4; grid T2 (object 3), 2 × 5, column 1 holding 10..50. Every cell is
// editable except T1 (4, 1).
constexpr const char* kScene = R"S(
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="T1" rect=0,0,6000,3000
  grid cols=4 rows=4
  cell col=1 row=1 text="1"
  cell col=1 row=2 text="2"
  cell col=1 row=3 text="3"
  cell col=1 row=4 text="4"
  attribute col=1 row=1 editable=-1 type=1
  attribute col=1 row=2 editable=-1 type=1
  attribute col=1 row=3 editable=-1 type=1
  attribute col=1 row=4 editable=-1 type=1
  attribute col=2 row=1 editable=-1 type=1
  attribute col=2 row=2 editable=-1 type=1
  attribute col=2 row=3 editable=-1 type=1
  attribute col=2 row=4 editable=-1 type=1
  attribute col=3 row=1 editable=-1 type=1
  attribute col=4 row=1 editable=0 type=1
object kind=tableau name="T2" rect=0,3600,3000,3000
  grid cols=2 rows=5
  cell col=1 row=1 text="10"
  cell col=1 row=2 text="20"
  cell col=1 row=3 text="30"
  cell col=1 row=4 text="40"
  cell col=1 row=5 text="50"
  attribute col=1 row=1 editable=-1 type=1
  attribute col=1 row=2 editable=-1 type=1
  attribute col=1 row=3 editable=-1 type=1
  attribute col=1 row=4 editable=-1 type=1
  attribute col=1 row=5 editable=-1 type=1
)S";

class GrillesDecalage : public testing::Test {
protected:
    void SetUp() override {
        p.ChargerScene(kScene);
        t1 = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 2));
        t2 = dynamic_cast<grid::TableauClasse*>(p.Moteur().Tableaux().GrilleDe(1, 3));
        ASSERT_NE(t1, nullptr);
        ASSERT_NE(t2, nullptr);
        ASSERT_EQ(t1->LigneAfficheeVersStockee(3), 3) << "displayed and stored indexes agree here";
    }

    static void Selectionne(grid::TableauClasse& t, int c1, int r1, int c2, int r2) {
        grid::SelectionTableau s;
        s.Valide = 1;
        s.HautGaucheColonne = s.PremiereColonne = static_cast<std::int16_t>(c1);
        s.HautGaucheLigne = s.PremiereLigne = static_cast<std::int16_t>(r1);
        s.BasDroiteColonne = s.DerniereColonne = static_cast<std::int16_t>(c2);
        s.BasDroiteLigne = s.DerniereLigne = static_cast<std::int16_t>(r2);
        t.SelectionChange(s);
    }

    void Recalcule() {
        p.Moteur().Tableaux().ReferencesRecreer(p.Moteur().scene);
        p.Moteur().Tableaux().ParcouruRecalculReinitTous();
        t1->RecalculSansInit();
        t2->RecalculSansInit();
    }

    PiloteProgramme p;
    grid::TableauClasse* t1 = nullptr;
    grid::TableauClasse* t2 = nullptr;
};

TEST_F(GrillesDecalage, FillDownRewritesTheRowsAndTheCopiesCompute) {
    t1->CaseEditeurChange(2, 1, "=DEBUT.T1.Case[1.1]*10+DEBUT.T2.Case[1.1]");
    Selectionne(*t1, 2, 1, 2, 4);
    t1->FormuleRecopierVersBas();
    EXPECT_EQ(t1->CaseEditeur(2, 2), "=DEBUT.T1.Case[1.2]*10+DEBUT.T2.Case[1.2]");
    EXPECT_EQ(t1->CaseEditeur(2, 4), "=DEBUT.T1.Case[1.4]*10+DEBUT.T2.Case[1.4]");
    Recalcule();
    EXPECT_EQ(t1->CaseValeurInternePendantCalcul(2, 1), Valeur::Double(20));
    EXPECT_EQ(t1->CaseValeurInternePendantCalcul(2, 3), Valeur::Double(60));
    EXPECT_EQ(t1->CaseValeurInternePendantCalcul(2, 4), Valeur::Double(80));
}

TEST_F(GrillesDecalage, AbsoluteRowsOfAFillStillNameTheirCell) {
    t1->CaseEditeurChange(2, 1, "=DEBUT.T1.Case[1.1]+DEBUT.T2.Case[1.$1]");
    Selectionne(*t1, 2, 1, 2, 4);
    t1->FormuleRecopierVersBas();
    EXPECT_EQ(t1->CaseEditeur(2, 3), "=DEBUT.T1.Case[1.3]+DEBUT.T2.Case[1.$1]");
    Recalcule();
    EXPECT_EQ(t1->CaseValeurInternePendantCalcul(2, 1), Valeur::Double(11));
    EXPECT_EQ(t1->CaseValeurInternePendantCalcul(2, 3), Valeur::Double(13));
}

TEST_F(GrillesDecalage, FillRightRewritesTheColumns) {
    t1->CaseEditeurChange(2, 1, "=DEBUT.T2.Case[1.2]+DEBUT.T2.Case[$1.2]");
    Selectionne(*t1, 2, 1, 3, 1);
    t1->FormuleRecopierVersDroite();
    EXPECT_EQ(t1->CaseEditeur(3, 1), "=DEBUT.T2.Case[2.2]+DEBUT.T2.Case[$1.2]") << "an absolute column stays";
    EXPECT_EQ(t1->CaseEditeur(2, 2), "") << "only the first row is filled";
}

TEST_F(GrillesDecalage, FillWithOneRowOrAFormulaWithoutSourceChangesNothing) {
    t1->CaseEditeurChange(2, 1, "=DEBUT.T1.Case[1.1]");
    Selectionne(*t1, 2, 1, 2, 1);
    t1->FormuleRecopierVersBas();
    EXPECT_EQ(t1->CaseEditeur(2, 2), "");

    // A formula of the scene's formula block shows "=#": it has no text to copy.
    t1->CaseEditeurChange(3, 1, "=#");
    Selectionne(*t1, 3, 1, 3, 3);
    t1->FormuleRecopierVersBas();
    EXPECT_EQ(t1->CaseEditeur(3, 2), "");
}

TEST_F(GrillesDecalage, FormulasReadingAMovedZoneFollowItOnce) {
    // T1 (2, 1) reads T2 (1, 2) twice and T2 (1, 4); (2, 2) reads T2 (1, 1), outside the zone.
    t1->CaseEditeurChange(2, 1, "=DEBUT.T2.Case[1.2]+DEBUT.T2.Case[1.2]+DEBUT.T2.Somme[1.3.1.4]");
    t1->CaseEditeurChange(2, 2, "=DEBUT.T2.Case[1.1]");
    t1->CaseEditeurChange(2, 3, "=#");
    Recalcule();
    t2->FormulesDecale("DEBUT.T2.", 1, 2, 2, 5, 0, 1);
    EXPECT_EQ(t1->CaseEditeur(2, 1), "=DEBUT.T2.Case[1.3]+DEBUT.T2.Case[1.3]+DEBUT.T2.Somme[1.4.1.5]");
    EXPECT_EQ(t1->CaseEditeur(2, 2), "=DEBUT.T2.Case[1.1]");
    Recalcule();
    EXPECT_EQ(t1->CaseValeurInternePendantCalcul(2, 1), Valeur::Double(30 + 30 + 40 + 50));
}

TEST_F(GrillesDecalage, ValuesCopiedRightOnlyIntoEditableCells) {
    Selectionne(*t1, 1, 1, 4, 2);
    t1->ValeurRecopierVersDroite();
    EXPECT_EQ(t1->CaseEditeur(2, 1), "1");
    EXPECT_EQ(t1->CaseEditeur(3, 1), "1");
    EXPECT_EQ(t1->CaseEditeur(4, 1), "") << "not editable";
    EXPECT_EQ(t1->CaseEditeur(2, 2), "2");
    EXPECT_EQ(t1->CaseEditeur(3, 2), "") << "a cell without attributes of its own is not editable";

    // A number cell holding no number reads as an error value: nothing to copy.
    t1->CaseUtilisateurChange(1, 3, "abc", true);
    t1->CaseUtilisateurChange(2, 3, "7", true);
    Selectionne(*t1, 1, 3, 2, 3);
    t1->ValeurRecopierVersDroite();
    EXPECT_EQ(t1->CaseEditeur(2, 3), "7");
}

void MetTaux(platform::MagasinReglagesFactice& reglages, double usd, double sek) {
    ASSERT_TRUE(reglages.EcrireReel(formula::kReglagesMonnaieApplication, formula::kReglagesMonnaieSection,
                                    formula::kReferenceUsd, usd));
    ASSERT_TRUE(reglages.EcrireReel(formula::kReglagesMonnaieApplication, formula::kReglagesMonnaieSection,
                                    formula::kReferenceSek, sek));
}

TEST_F(GrillesDecalage, CurrencyConversionTurnsEnteredAmountsOnly) {
    // T1: (1, r) plain amounts; (2, 1) a formula entered over; (2, 2) a computed formula; (3, 1) text.
    t1->CaseEditeurChange(2, 1, "=DEBUT.T1.Case[1.1]");
    t1->CaseEditeurChange(2, 2, "=DEBUT.T1.Case[1.2]");
    Recalcule();
    t1->CaseUtilisateurChange(2, 1, "250", true);
    t1->CaseTypeChange(3, 1, 0);
    t1->CaseUtilisateurChange(3, 1, "100", true);
    platform::MagasinReglagesFactice reglages;
    MetTaux(reglages, 2, 8);
    t1->ZoneMonnaieConvertir(1, 1, 4, 4, reglages);
    EXPECT_EQ(t1->CaseEditeur(1, 1), "0,25");
    EXPECT_EQ(t1->CaseEditeur(1, 4), "1");
    EXPECT_EQ(t1->CaseResultatInterne(2, 1), "62,5") << "the entry over the formula";
    EXPECT_EQ(t1->CaseResultatType(2, 1), 1);
    EXPECT_EQ(t1->CaseResultatInterne(2, 2), "2") << "a computed value is not an amount";
    EXPECT_EQ(t1->CaseEditeur(3, 1), "100") << "a text cell";
}

TEST_F(GrillesDecalage, CurrencyConversionWithARateOfZeroChangesNothing) {
    for (const auto& [usd, sek] : {std::pair{0.0, 8.0}, std::pair{2.0, 0.0}, std::pair{-1.0, 8.0}}) {
        platform::MagasinReglagesFactice reglages;
        MetTaux(reglages, usd, sek);
        t1->ZoneMonnaieConvertir(1, 1, 4, 4, reglages);
        EXPECT_EQ(t1->CaseEditeur(1, 1), "1") << usd << " " << sek;
        EXPECT_EQ(t1->CaseEditeur(1, 4), "4");
    }
    platform::MagasinReglagesFactice vide;
    t1->ZoneMonnaieConvertir(0, 0, 255, 255, vide);
    EXPECT_EQ(t1->CaseEditeur(1, 2), "2");
}

}  // namespace
}  // namespace korv::programme
