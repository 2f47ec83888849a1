// The font dialog over a rich-text box's selection.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "plan/qt_boite_riche.h"
#include "plan/qt_texte_riche_police.h"
#include "plan/texte_riche_police.h"
#include "platform/qt_test_app.h"

namespace korv::plan {
namespace {

const std::vector<std::string> kPolices{"Arial", "Times New Roman"};

BoiteRicheDocument& Boite() {
    static BoiteRicheDocument* b = [] {
        platform::ApplicationTest();
        return new BoiteRicheDocument;
    }();
    b->TexteRtfFixer(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 arial;}{\\f1 Zapf;}}{\\colortbl;\\red255\\green0\\blue0;}"
        "\\pard\\qc\\plain\\f0\\fs28\\b\\cf1 gras\\b0  plain\\par"
        "\\pard\\plain\\f1\\fs20 autre\\par}");
    return *b;
}

TEST(TexteRichePolice, OpensOnTheSelectionMixedValuesGreyed) {
    BoiteRicheDocument& b = Boite();
    b.SelectionFixer(0, 4);
    TexteRichePolice d;
    d.FormInit(b, kPolices);
    EXPECT_TRUE(d.Ouvert());
    EXPECT_EQ(d.ListePoliceTexte(), "Arial") << "the list entry, found whatever its case";
    EXPECT_EQ(d.ListeTailleTexte(), "14");
    EXPECT_EQ(d.PoliceGras(), 1);
    EXPECT_EQ(d.ParagrapheAlignementTexte(), "Centr\xe9");
    EXPECT_EQ(d.CouleurTexte(), "255");
    EXPECT_EQ(d.PoliceCourante().taille, 14.0);

    b.SelectionFixer(0, 16);
    d.FormInit(b, kPolices);
    EXPECT_EQ(d.PoliceGras(), 2);
    EXPECT_EQ(d.ListePoliceTexte(), "");
    EXPECT_EQ(d.ListeTailleTexte(), "");
    EXPECT_EQ(d.ParagrapheAlignementTexte(), "");
    EXPECT_EQ(d.CouleurTexte(), "");
    EXPECT_EQ(d.PoliceItalique(), 0);
}

TEST(TexteRichePolice, OkAppliesWhatIsSetAndLeavesMixedValues) {
    BoiteRicheDocument& b = Boite();
    b.SelectionFixer(0, 16);
    TexteRichePolice d;
    d.choisirCouleur = [](std::int32_t& c) {
        EXPECT_EQ(c, 0) << "a mixed colour starts from black";
        c = 0x00FF00;
        return true;
    };
    d.FormInit(b, kPolices);
    d.PoliceItaliqueClick(1);
    d.ListeTailleChange("0");
    d.ListeTailleClick(2);  // 14
    d.CouleurClick();
    d.BtnOkClick();
    EXPECT_FALSE(d.Ouvert());
    EXPECT_EQ(b.SelGras(), std::nullopt) << "greyed: bold left as it was";
    EXPECT_EQ(b.SelItalique(), std::optional<bool>(true));
    EXPECT_EQ(b.SelTaille(), std::optional<double>(14.0));
    EXPECT_EQ(b.SelPolice(), std::nullopt) << "no font chosen";
    EXPECT_EQ(b.SelAlignement(), std::nullopt);
    EXPECT_EQ(b.SelCouleur(), std::optional<std::int32_t>(0x00FF00));
}

TEST(TexteRichePolice, CancelChangesNothing) {
    BoiteRicheDocument& b = Boite();
    b.SelectionFixer(0, 4);
    const std::string avant = b.TexteRtf();
    TexteRichePolice d;
    d.FormInit(b, kPolices);
    d.PoliceGrasClick(0);
    d.ListePoliceClick(1);
    d.BtnAnnulerClick();
    EXPECT_FALSE(d.Ouvert());
    EXPECT_EQ(b.TexteRtf(), avant);
}

TEST(TexteRichePolice, TheWindowShowsTheSelectionAndItsOkApplies) {
    BoiteRicheDocument& b = Boite();
    b.SelectionFixer(0, 16);
    QtTexteRichePolice fenetre;
    fenetre.FormInit(b, kPolices);
    EXPECT_EQ(fenetre.windowTitle(), QStringLiteral("Edition de texte"));
    EXPECT_EQ(fenetre.TexteApercu()->text(), QStringLiteral("Texte texte texte texte texte texte texte texte texte texte "));
    const auto cases = fenetre.findChildren<QCheckBox*>();
    ASSERT_EQ(cases.size(), 3);
    EXPECT_EQ(cases[0]->checkState(), Qt::PartiallyChecked) << "mixed bold";
    cases[1]->click();  // Italique
    fenetre.BtnOk()->click();
    EXPECT_EQ(b.SelItalique(), std::optional<bool>(true));
    EXPECT_EQ(b.SelGras(), std::nullopt);
}

}  // namespace
}  // namespace korv::plan
