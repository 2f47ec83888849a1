// Cell attributes: the record classes, the attribute record, and cells that
// share the default attributes until they change one.

#include "grid/case_attribut.h"

#include <gtest/gtest.h>

#include <functional>

#include "grid/tableau.h"
#include "platform/binary_reader.h"
#include "platform/binary_writer.h"
#include "engine/scene_octets.h"

namespace korv::grid {
namespace {

TEST(CaseAttribut, RecordClasses) {
    struct Cas {
        const char* nom;
        std::function<void(TableauCaseAttributClasse&)> change;
        bool standard, complet, partiel, reduit;
    };
    const Cas cas[] = {
        {"defaults", [](auto&) {}, true, false, false, false},
        {"name only", [](auto& a) { a.Nom = "TOTAL"; }, false, true, false, true},
        {"background only", [](auto& a) { a.CouleurFond = 255; }, false, false, true, true},
        {"invalidation only", [](auto& a) { a.Invalidation = 2; }, false, false, true, false},
        {"editable only", [](auto& a) { a.Editable = -1; }, false, false, true, false},
        {"display type and script", [](auto& a) { a.TypeAffichage = 1, a.Script = "SUR CLIC"; }, false, true, false,
         true},
    };
    for (const auto& c : cas) {
        TableauCaseAttributClasse a;
        c.change(a);
        EXPECT_EQ(a.EstStandard(), c.standard) << c.nom;
        EXPECT_EQ(a.EstComplet(), c.complet) << c.nom;
        EXPECT_EQ(a.EstPartiel(), c.partiel) << c.nom;
        EXPECT_EQ(a.EstReduit(), c.reduit) << c.nom;
    }
}

TEST(CaseAttribut, RecordReadsAndWritesTheSameBytes) {
    test::Octets o;
    o.i(-1).b(2).sl("SUR CLIC\r\nFIN").sl("DOC.TXT").l(-14).l(255).sl("TOTAL").i(3).b(1).sl("Aide").b(83).b(2);
    BinaryReader in(o.data());
    TableauCaseAttributClasse a;
    a.LitDansFichier(in);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(a.CouleurFond, -14);
    EXPECT_EQ(a.Nom, "TOTAL");
    EXPECT_EQ(a.Invalidation, 83);
    BinaryWriter out;
    a.EcritDansFichier(out);
    EXPECT_EQ(out.data(), std::string(o.data().begin(), o.data().end()));

    // A record cut short leaves the object as it was.
    test::Octets court;
    court.i(0).b(1).sl("S").l(500);
    BinaryReader in2(court.data());
    EXPECT_THROW(a.LitDansFichier(in2), ReadError);
    EXPECT_EQ(a.Nom, "TOTAL");
}

TEST(CaseAttribut, CopieTakesEveryStoredField) {
    TableauCaseAttributClasse s;
    s.Editable = -1, s.TypeAffichage = 3, s.SousFormat = 2, s.CouleurFond = 5, s.Script = "S", s.Fichier = "F";
    s.CouleurTexte = 6, s.Nom = "N", s.Bulle = "B", s.Invisible = 1, s.Invalidation = 9, s.Fusion = 2;
    TableauCaseAttributClasse d;
    d.Copie(s);
    EXPECT_EQ(d, s);
}

TEST(CaseAttribut, CellsShareTheDefaultsUntilOneChanges) {
    TableauClasse t;
    t.ColonneNbChange(3);
    t.LigneNbChange(3);
    for (int c = 1; c <= 3; ++c) {
        for (int r = 1; r <= 3; ++r) {
            ASSERT_FALSE(t.Case(c, r)->AttributPropre());
            EXPECT_EQ(&t.Attribut(c, r), &AttributDefaut());
        }
    }
    t.CaseCouleurFondChange(2, 2, 16777215);  // the default value: nothing to copy
    EXPECT_FALSE(t.Case(2, 2)->AttributPropre());

    t.CaseNomChange(2, 2, "total");
    EXPECT_TRUE(t.Case(2, 2)->AttributPropre());
    EXPECT_EQ(t.CaseNom(2, 2), "TOTAL");
    EXPECT_EQ(AttributDefaut().Nom, "") << "the shared defaults never change";
    EXPECT_FALSE(t.Case(2, 1)->AttributPropre());
    EXPECT_EQ(t.CaseNom(2, 1), "");
}

}  // namespace
}  // namespace korv::grid
