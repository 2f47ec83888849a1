// Integer arithmetic at the edges of the 16-bit range: a result that fits
// stays an Integer, one past it widens to a Long.

#include <gtest/gtest.h>

#include "fakes.h"
#include "formula/expression.h"

namespace korv::formula::test {
namespace {

TEST(BornesEntieres, IntegerResultsKeepTheirTypeUpToTheEdges) {
    Environnement env;
    env.variables.VarCree("GRAND", Valeur::Entier(32767), 1);
    env.variables.VarCree("PLANCHER", Valeur::Entier(-32768), 1);
    env.variables.VarCree("UN", Valeur::Entier(1), 1);
    env.variables.VarCree("RIEN", Valeur{}, 1);
    struct Cas {
        const char* formule;
        Valeur attendu;
    };
    const Cas cas[] = {
        {"GRAND+RIEN", Valeur::Entier(32767)},
        {"GRAND-UN+UN", Valeur::Entier(32767)},
        {"GRAND*UN", Valeur::Entier(32767)},
        {"GRAND+UN", Valeur::Long(32768)},
        {"PLANCHER+RIEN", Valeur::Entier(-32768)},
        {"PLANCHER+UN-UN", Valeur::Entier(-32768)},
        {"PLANCHER*UN", Valeur::Entier(-32768)},
        {"PLANCHER-UN", Valeur::Long(-32769)},
    };
    for (const Cas& c : cas) {
        ExpressionClasse e;
        ASSERT_TRUE(e.Code(c.formule, env.services)) << c.formule;
        EXPECT_EQ(e.Evalue(env.services), c.attendu) << c.formule;
    }
}

}  // namespace
}  // namespace korv::formula::test
