// The user's reset of a zone (the Delete key) as the grid store does it,
// and the cell scripts compiled once per change of their text.

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "banc_calcul.h"
#include "engine/scene.h"
#include "grid/magasin_grilles.h"
#include "grille_fabrique.h"
#include "platform/message_box.h"

namespace korv::grid {
namespace {

// Page 1, object 1: a 2 × 2 grid whose first row is editable.
struct Suppression : ::testing::Test {
    void SetUp() override {
        ServicesGrilles s;
        s.enJeu = [] { return true; };
        s.calcul = &banc;
        s.redessine = [this](std::int16_t, std::int16_t) { ++dessins; };
        s.majFenetre = [this] { ++copies; };
        s.planModifie = [this] { ++modifications; };
        s.validerEdition = [this] { ++validations; };
        s.demandeOui = [this](std::string_view texte) {
            questions.emplace_back(texte);
            return oui;
        };
        magasin = std::make_unique<MagasinGrilles>(std::move(s));
        engine::Scene scene;
        scene.pages.resize(1);
        engine::ObjetPage tableau;
        tableau.type = 12;
        tableau.largeur = 2400;
        tableau.hauteur = 1000;
        tableau.grille = test::Enregistrement(2, 2);
        scene.pages[0].objets = {tableau};
        magasin->Construit(scene);
        G().CaseEstEditableChange(1, 1, true);
        G().CaseEstEditableChange(2, 1, true);
        G().CaseUtilisateurChange(1, 1, "a", true);
        G().CaseUtilisateurChange(2, 1, "b", true);
    }
    TableauClasse& G() { return *magasin->Cherche(1, 1); }

    test::BancCalcul banc;
    std::unique_ptr<MagasinGrilles> magasin;
    std::vector<std::string> questions;
    bool oui = false;
    int dessins = 0, copies = 0, modifications = 0, validations = 0;
};

TEST_F(Suppression, AResetAsksFirstAndAnswerNoChangesNothing) {
    magasin->SupprimerConsultation(G(), 1, 1, 2, 1);
    EXPECT_EQ(G().CaseEditeur(1, 1), "a");
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find("ces cases"), std::string::npos);
    EXPECT_EQ(validations + modifications + dessins + copies, 0) << "No: nothing taken, marked or drawn";
}

TEST_F(Suppression, AResetTakesTheEditMarksThePlanAndRedrawsThePage) {
    oui = true;
    magasin->SupprimerConsultation(G(), 1, 1, 1, 1);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find("cette case"), std::string::npos);
    EXPECT_EQ(G().CaseEditeur(1, 1), "");
    EXPECT_EQ(G().CaseEditeur(2, 1), "b");
    EXPECT_EQ(validations, 1);
    EXPECT_EQ(modifications, 1);
    EXPECT_EQ(dessins, 1) << "the page's grid drawn again";
    EXPECT_EQ(copies, 1);
}

TEST_F(Suppression, AZoneOutsideTheGridIsNotEvenAsked) {
    oui = true;
    for (auto [c1, r1, c2, r2] : {std::array{0, 1, 1, 1}, std::array{1, 1, 3, 1}, std::array{1, 1, 1, 3}}) {
        magasin->SupprimerConsultation(G(), c1, r1, c2, r2);
    }
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(G().CaseEditeur(1, 1), "a");
}

TEST(ScriptCase, CompiledAtItsFirstEventAndAgainOnlyAfterAChange) {
    test::BancCalcul banc;
    TableauClasse& t = banc.Ajoute(1, 1, 1, 1);
    t.CaseScriptChange(1, 1, "SUR RECALCUL\nQUE A");
    EXPECT_TRUE(banc.compilations.empty()) << "nothing compiled before the first event";
    for (int i = 0; i < 3; ++i) (void)t.DeclencheSur(1, 1, "SUR RECALCUL");
    EXPECT_EQ(banc.compilations.size(), 1u);
    EXPECT_EQ(banc.evenements.size(), 3u);

    t.CaseScriptChange(1, 1, "SUR RECALCUL\nQUE A = 1");
    (void)t.DeclencheSur(1, 1, "SUR RECALCUL");
    (void)t.DeclencheSur(1, 1, "SUR CLIC");
    ASSERT_EQ(banc.compilations.size(), 2u);
    EXPECT_EQ(banc.compilations[1], "SUR RECALCUL\nQUE A = 1");
    EXPECT_EQ(banc.evenements.back().first, "SUR RECALCUL\nQUE A = 1") << "the new text runs";

    t.ScriptRecoderTous();
    EXPECT_EQ(banc.compilations.size(), 3u) << "compiled again on request";
}

}  // namespace
}  // namespace korv::grid
