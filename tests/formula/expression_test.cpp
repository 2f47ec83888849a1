#include "formula/expression.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes.h"
#include "outils.h"
#include "platform/binary_reader.h"
#include "platform/binary_writer.h"

namespace korv::formula::test {
namespace {

class Enregistrements : public ::testing::Test {
protected:
    void SetUp() override {
        env.variables.VarCree("N", Valeur::Double(1), 1);
        const auto p = env.scene.AjoutePage("PAGE1");
        env.scene.AjouteObjet(p, "T1", 12);
        env.scene.AjouteObjet(p, "IMAGE", 2);
        env.scene.AjouteObjet(p, "T2", 12);
        env.scene.GrilleDe(1, 1).noms["TOTAL"] = {4, 7};
    }

    ExpressionClasse Compile(const std::string& texte) {
        ExpressionClasse e;
        EXPECT_TRUE(e.Code(texte, env.services)) << texte;
        e.ReferenceVersCree();
        return e;
    }

    Environnement env;
};

TEST_F(Enregistrements, RecordRoundTripIsByteExact) {
    for (const char* texte : {"2+3*4", "SI(N>1) ALORS('oui') SINON('l''autre')", "PAGE1.T1.Case[2,3]+PAGE1.T1.Somme[1,1,3,4]",
                              "-N&'\xE9t\xE9'", "PAGE1.T1.Case[255,255]*1E-5"}) {
        const ExpressionClasse e = Compile(texte);
        BinaryWriter w;
        e.EcritDansFichier(w);
        ExpressionClasse lu;
        BinaryReader r(w.data());
        lu.LitDansFichier(r);
        EXPECT_TRUE(r.atEnd()) << texte;
        EXPECT_EQ(lu.Enregistrement(), e.Enregistrement()) << texte;
        BinaryWriter w2;
        lu.EcritDansFichier(w2);
        EXPECT_EQ(w2.data(), w.data()) << texte;
        EXPECT_EQ(lu.Evalue(env.services), ExpressionClasse(e).Evalue(env.services)) << texte;
    }
}

// Formulas below, at and beyond the token and reference counts kept
// inside the formula itself.
TEST_F(Enregistrements, BlockElementRoundTrip) {
    for (const char* texte :
         {"N", "1+2*N", "PAGE1.T1.Case[TOTAL]+SI(1) ALORS(2)",
          "PAGE1.T1.Case[1,1]+PAGE1.T1.Case[1,2]+PAGE1.T1.Case[1,3]+PAGE1.T1.Case[1,4]",
          "PAGE1.T1.Case[1,1]+PAGE1.T1.Case[1,2]+PAGE1.T1.Case[1,3]+PAGE1.T1.Case[1,4]+PAGE1.T2.Somme[1,1,2,2]"}) {
        SCOPED_TRACE(texte);
        const ExpressionClasse e = Compile(texte);
        ExpressionUDT element;
        element.colonne = 3;
        element.ligne = 9;
        e.EcritValeursDansUDT(element);
        BinaryWriter w;
        EcritExpressionUDT(w, element);
        BinaryReader r(w.data());
        const ExpressionUDT lu = LitExpressionUDT(r);
        ExpressionClasse copie;
        copie.LitValeursDansUDT(lu);
        EXPECT_EQ(copie.Enregistrement(), e.Enregistrement());
        EXPECT_EQ(lu.colonne, 3);
        EXPECT_EQ(lu.ligne, 9);
        BinaryWriter w2;
        EcritExpressionUDT(w2, lu);
        EXPECT_EQ(w2.data(), w.data());
        ExpressionClasse deplacee(std::move(copie));
        EXPECT_EQ(deplacee.Enregistrement(), e.Enregistrement());
        EXPECT_EQ(deplacee.Evalue(env.services), ExpressionClasse(e).Evalue(env.services));
    }
}

TEST_F(Enregistrements, BlockElementKeepsItsArrayDescriptors) {
    // Hand-laid elements: token arrays from 0 or 5, an empty reference array
    // with or without its one dimension.
    const auto element = [](std::int32_t borneJetons, bool refsDecrites, std::int32_t borneRefs) {
        BinaryWriter w;
        w.u8(2), w.u8(3);
        w.i16(1);
        w.i16(1), w.i32(1), w.i32(borneJetons);
        w.u8(4), w.u16(kTagDouble), w.f64(7.5);
        w.i16(0);
        w.i16(0);
        if (refsDecrites) {
            w.i16(1), w.i32(0), w.i32(borneRefs);
        } else {
            w.i16(0);
        }
        return w.take();
    };
    for (const std::string& octets : {element(0, true, 0), element(5, true, 1), element(1, false, 1),
                                      element(-3, true, 42)}) {
        BinaryReader r(octets);
        const ExpressionUDT lu = LitExpressionUDT(r);
        EXPECT_TRUE(r.atEnd());
        ASSERT_EQ(lu.expression.jetons.size(), 1u);
        EXPECT_EQ(std::get<double>(lu.expression.jetons[0].valeur), 7.5);
        BinaryWriter w;
        EcritExpressionUDT(w, lu);
        EXPECT_EQ(w.data(), octets);
    }
}

TEST_F(Enregistrements, EmptyFormulaIsSixBytes) {
    ExpressionClasse e;
    BinaryWriter w;
    e.EcritDansFichier(w);
    EXPECT_EQ(w.data(), std::string("\0\0\0\0\0\0", 6));
}

TEST_F(Enregistrements, DamagedRecordLeavesTheFormula) {
    const ExpressionClasse e = Compile("1+2");
    BinaryWriter w;
    e.EcritDansFichier(w);
    const std::string complet = w.data();
    for (std::size_t n = 0; n < complet.size(); ++n) {
        ExpressionClasse cible = Compile("N*2");
        BinaryReader r(std::string_view(complet).substr(0, n));
        EXPECT_THROW(cible.LitDansFichier(r), ReadError) << n;
        EXPECT_EQ(Liste(cible), "N 2 *");
    }
}

TEST_F(Enregistrements, ReferencesFromTokens) {
    const ExpressionClasse e = Compile(
        "PAGE1.T1.Case[2,3] + PAGE1.T1.Case[2,3] + PAGE1.T2.Somme[1,2,3,4] + PAGE1.T1.Texte + PAGE1.T1.Case[INCONNU]"
        " + NOPAGE.T1.Case[1,1] + PAGE1.T1.CaseResultatType[5,6] + PAGE1.T1.Max[3.1.2.9]");
    const std::vector<ExpressionReference> attendu{
        {1, 1, 2, 3, 2, 3}, {1, 1, 2, 3, 2, 3}, {1, 3, 1, 2, 3, 4}, {1, 1, 0, 0, 0, 0},
        {1, 1, 5, 6, 5, 6}, {1, 1, 3, 1, 2, 9},
    };
    EXPECT_THAT(e.References(), ::testing::ElementsAreArray(attendu));
    EXPECT_EQ(e.NombreDeReferenceVers(), 6);
}

TEST_F(Enregistrements, ShortOrForeignPackedTextsMakeNoReference) {
    // Packed texts that the packer never writes, as a damaged file may hold.
    ExpressionClasse e(ExpressionEnregistrement{
        {{7, std::string("\x01\x01", 2)},
         {7, std::string("\x01\x01\x0A\x02", 4)},
         {7, std::string("\x01\x01\x0C\x01\x02\x03", 6)},
         {7, 1.0},
         {5, std::string("\x01\x01\x0A\x02\x03", 5)}},
        0,
        {}});
    e.ReferenceVersCree();
    EXPECT_TRUE(e.References().empty());
    EXPECT_FALSE(e.ExpressionReferenceEstElleActive(std::string("\x01\x01\x0A\x02", 4)));
    EXPECT_FALSE(e.ExpressionReferenceEstElleActive(""));
}

TEST_F(Enregistrements, DependantsAreRegisteredCellByCell) {
    const ExpressionClasse e = Compile("PAGE1.T1.Somme[1,2,2,3] + PAGE1.T2.Case[5,5] + PAGE1.T1.Somme[3,1,2,1]");
    e.AjouteReferenceDe(1, 2, 7, 8, env.scene);
    std::vector<std::vector<int>> t1;
    for (const auto& a : env.scene.GrilleDe(1, 1).appels) t1.push_back(a.args);
    // Rows outer, columns inner; the zone with column 1 above column 2 adds nothing.
    EXPECT_EQ(t1, (std::vector<std::vector<int>>{
                      {1, 2, 1, 2, 7, 8}, {2, 2, 1, 2, 7, 8}, {1, 3, 1, 2, 7, 8}, {2, 3, 1, 2, 7, 8}}));
    ASSERT_EQ(env.scene.GrilleDe(1, 3).appels.size(), 1u);
    EXPECT_EQ(env.scene.GrilleDe(1, 3).appels[0].args, (std::vector<int>{5, 5, 1, 2, 7, 8}));
}

TEST_F(Enregistrements, ReferencesToObjectsThatAreNoGridArePassedOver) {
    ExpressionClasse e(ExpressionEnregistrement{
        {}, 0, {{1, 2, 1, 1, 1, 1}, {9, 9, 1, 1, 1, 1}, {-1, 0, 1, 1, 1, 1}, {1, 1, 255, 255, 255, 255}}});
    EXPECT_NO_THROW(e.AjouteReferenceDe(1, 1, 1, 1, env.scene));
    ASSERT_EQ(env.scene.GrilleDe(1, 1).appels.size(), 1u);
    EXPECT_EQ(env.scene.GrilleDe(1, 1).appels[0].args, (std::vector<int>{255, 255, 1, 1, 1, 1}));
}

TEST_F(Enregistrements, ReferenceCoveringTheOwnerCell) {
    ExpressionClasse e;
    e.ChangeCaseReference(1, 1, 2, 3);
    const auto packe = [](std::initializer_list<int> octets) {
        std::string s;
        for (int o : octets) s.push_back(static_cast<char>(o));
        return s;
    };
    EXPECT_TRUE(e.ExpressionReferenceEstElleActive(packe({1, 1, 10, 2, 3})));
    EXPECT_TRUE(e.ExpressionReferenceEstElleActive(packe({1, 1, 26, 2, 3})));
    EXPECT_FALSE(e.ExpressionReferenceEstElleActive(packe({1, 1, 10, 3, 2})));
    EXPECT_FALSE(e.ExpressionReferenceEstElleActive(packe({1, 2, 10, 2, 3})));
    EXPECT_FALSE(e.ExpressionReferenceEstElleActive(packe({1, 1, 2, 2, 3})));
    EXPECT_TRUE(e.ExpressionReferenceEstElleActive(packe({1, 1, 12, 1, 1, 2, 3})));
    EXPECT_TRUE(e.ExpressionReferenceEstElleActive(packe({1, 1, 14, 2, 3, 9, 9})));
    EXPECT_FALSE(e.ExpressionReferenceEstElleActive(packe({1, 1, 13, 3, 1, 9, 9})));
    EXPECT_FALSE(e.ExpressionReferenceEstElleActive(packe({1, 1, 13, 1, 4, 9, 9})));
    EXPECT_TRUE(ProprieteKORReferenceTElleSelonValeurDAuMoinsUneCase(25));
    EXPECT_FALSE(ProprieteKORReferenceTElleSelonValeurDAuMoinsUneCase(15));
}

}  // namespace
}  // namespace korv::formula::test
