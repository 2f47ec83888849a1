#include "formula/variables.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes.h"

namespace korv::formula::test {
namespace {

TEST(Variables, CreationRules) {
    TableVariables t;
    struct Cas {
        const char* nom;
        bool cree;
    };
    const Cas cas[] = {
        {"total", true},  {" marge ", true}, {"A<B", true},   {"X&Y;Z", true}, {"SI", true},
        {"", false},      {"   ", false},    {"A B", false},  {"A.B", false},  {"A-B", false},
        {"A,B", false},   {"A/B", false},    {"A+B", false},  {"A*B", false},  {"A^B", false},
        {"A>B", false},   {"A=B", false},    {"L'A", false},  {"(A)", false},  {"ET", false},
        {"ou", false},    {"ENT", false},    {"HASARD", false}, {"PASSEVALEUR", false},
        {"DATEADDMOIS", false}, {"REGLAGENOMBRECOULEURMONITEUR", false}, {"TOTAL", false},
    };
    for (const auto& c : cas) EXPECT_EQ(t.VarCree(c.nom, Valeur::Entier(0), 1), c.cree) << c.nom;
    EXPECT_EQ(t.VarRang("TOTAL"), 1);
    EXPECT_EQ(t.VarRang("MARGE"), 2);
    EXPECT_EQ(t.VarRang("total"), 0);  // exact comparison
}

TEST(Variables, DeclaringTwiceKeepsTheOldValue) {
    TableVariables t;
    ASSERT_TRUE(t.VarCree("V", Valeur::Double(1), 1));
    EXPECT_FALSE(t.VarCree("v", Valeur::Double(2), 0));
    EXPECT_EQ(t.VarValeur("V"), Valeur::Double(1));
    EXPECT_EQ(t.NombreVariables(), 1);
}

TEST(Variables, AssignAndRead) {
    TableVariables t;
    ASSERT_TRUE(t.VarCree("V", Valeur::Entier(0), 1));
    std::string nom = "  v ";
    EXPECT_TRUE(t.VarLet(nom, Valeur::Chaine("'x'")));
    EXPECT_EQ(nom, "V");
    EXPECT_EQ(t.VarValeur("V"), Valeur::Chaine("'x'"));
    std::string inconnu = "W";
    EXPECT_FALSE(t.VarLet(inconnu, Valeur::Double(1)));
    EXPECT_EQ(t.NombreVariables(), 1);
    EXPECT_EQ(t.VarValeur("W"), Valeur::Nul());
    std::string passe = "passeValeur";
    EXPECT_TRUE(t.VarLet(passe, Valeur::Double(2.5)));
    EXPECT_EQ(t.PasseValeur, "2,5");
    EXPECT_EQ(t.VarRang("PASSEVALEUR"), 0);
}

TEST(Variables, DeletingMovesTheLastEntry) {
    TableVariables t;
    for (const char* n : {"V1", "V2", "V3", "V4", "V5"}) ASSERT_TRUE(t.VarCree(n, Valeur::Entier(0), 1));
    t.VarSupprimer(2);
    EXPECT_EQ(t.NombreVariables(), 4);
    EXPECT_EQ(t.Entree(2).nom, "V5");
    EXPECT_EQ(t.VarRang("V5"), 2);
    EXPECT_EQ(t.VarRang("V2"), 0);
    t.VarSupprimer(0);
    t.VarSupprimer(9);
    EXPECT_EQ(t.NombreVariables(), 4);
    t.VarSupprimerToutes();
    EXPECT_EQ(t.NombreVariables(), 0);
}

TEST(Variables, LargeTablesFindTheSameEntries) {
    // Past a few entries names are hashed: deletions and long names must
    // still find each variable at its own rank.
    TableVariables t;
    for (int i = 1; i <= 40; ++i) {
        ASSERT_TRUE(t.VarCree("CHIFFRE_D_AFFAIRES_ANNEE_" + std::to_string(i), Valeur::Long(i), 1));
    }
    EXPECT_EQ(t.VarRang("CHIFFRE_D_AFFAIRES_ANNEE_17"), 17);
    EXPECT_FALSE(t.VarCree("CHIFFRE_D_AFFAIRES_ANNEE_17", Valeur{}, 1));
    t.VarSupprimer(17);
    EXPECT_EQ(t.VarRang("CHIFFRE_D_AFFAIRES_ANNEE_17"), 0);
    EXPECT_EQ(t.VarRang("CHIFFRE_D_AFFAIRES_ANNEE_40"), 17);
    EXPECT_EQ(t.VarValeur("CHIFFRE_D_AFFAIRES_ANNEE_40"), Valeur::Long(40));
    EXPECT_EQ(t.VarValeur("CHIFFRE_D_AFFAIRES_ANNEE_41"), Valeur::Nul());
    for (int i = 39; i > 10; --i) t.VarSupprimer(i);
    EXPECT_EQ(t.NombreVariables(), 10);
    EXPECT_EQ(t.VarRang("CHIFFRE_D_AFFAIRES_ANNEE_5"), 5);
    EXPECT_EQ(t.VarRang("CHIFFRE_D_AFFAIRES_ANNEE_39"), 0);
}

TEST(Variables, LocalsGoGlobalsStay) {
    TableVariables t;
    t.VarCree("G1", Valeur::Entier(1), 1);
    t.VarCree("L1", Valeur::Entier(2), 0);
    t.VarCree("L2", Valeur::Entier(3), 0);
    t.VarCree("G2", Valeur::Entier(4), 1);
    t.VarCree("L3", Valeur::Entier(5), 0);
    t.VarLocalesSupprimer();
    ASSERT_EQ(t.NombreVariables(), 2);
    EXPECT_EQ(t.VarValeur("G1"), Valeur::Entier(1));
    EXPECT_EQ(t.VarValeur("G2"), Valeur::Entier(4));
}

TEST(Variables, TableIsFullAt32000) {
    TableVariables t;
    for (int i = 0; i < TableVariables::kMaxVariables; ++i) ASSERT_TRUE(t.VarCree("V" + std::to_string(i), {}, 0));
    EXPECT_FALSE(t.VarCree("ENCORE", {}, 0));
}

TEST(Variables, WordClassification) {
    TableVariables t;
    t.VarCree("NB", Valeur::Double(1), 1);
    t.VarCree("TXT", Valeur::Chaine("'abc'"), 1);
    struct Cas {
        const char* mot;
        TypeMot type;
    };
    const Cas cas[] = {
        {"12", TypeMot::Aucun},          {"1.5", TypeMot::Aucun},
        {"1E-5", TypeMot::Aucun},        {"NB", TypeMot::VariableNombre},
        {"TXT", TypeMot::VariableChaine}, {"TEMPS", TypeMot::VariableSysteme},
        {"HASARD", TypeMot::VariableSysteme}, {"FOO", TypeMot::Aucun},
        {"PAGE.OBJET.CASE[1,2]", TypeMot::ReferenceObjet}, {"PAGE.TEXTE", TypeMot::ReferenceObjet},
        {"'PAGE.OBJET'", TypeMot::Aucun}, {"'1.5'", TypeMot::Aucun},
        {"PAGE.T.TEXTECHANGE['A.B']", TypeMot::ReferenceObjet}, {"PAGE.G.COLONNETRI['3']", TypeMot::ReferenceObjet},
    };
    for (const auto& c : cas) EXPECT_EQ(t.VarQuelType(c.mot), c.type) << c.mot;
    std::string nom = "TXT";
    t.VarLet(nom, Valeur::Double(3));
    EXPECT_EQ(t.VarQuelType("TXT"), TypeMot::VariableNombre);
}

TEST(Variables, SystemValues) {
    Environnement env;
    env.systeme.temps = 5;
    env.systeme.debutPage = 2147483600;  // the tick wrapped since the page began
    env.systeme.tirages = {0.0, 0.99999999, 1.0, -0.5};
    env.variables.PasseValeur = "abc";
    EXPECT_EQ(VarSystemeValeur("LANGUE", env.services), Valeur::Entier(1));
    EXPECT_EQ(VarSystemeValeur("TEMPS", env.services), Valeur::Long(5));
    EXPECT_EQ(VarSystemeValeur("TEMPSDEBUTPAGE", env.services), Valeur::Long(-2147483595));
    EXPECT_EQ(VarSystemeValeur("VOLUME", env.services), Valeur::Entier(0));
    EXPECT_EQ(VarSystemeValeur("HASARD", env.services), Valeur::Double(1));
    EXPECT_EQ(VarSystemeValeur("HASARD", env.services), Valeur::Double(100));
    EXPECT_EQ(VarSystemeValeur("HASARD", env.services), Valeur::Double(100));  // never 101
    EXPECT_EQ(VarSystemeValeur("HASARD", env.services), Valeur::Double(1));    // never 0
    EXPECT_EQ(VarSystemeValeur("SONACTIF", env.services), Valeur::Booleen(false));
    EXPECT_EQ(VarSystemeValeur("IMPRIMANTE", env.services), Valeur::Booleen(false));
    EXPECT_EQ(VarSystemeValeur("PASSEVALEUR", env.services), Valeur::Chaine("abc"));
    EXPECT_EQ(VarSystemeValeur("REGLAGENOMBRECOULEURMONITEUR", env.services), Valeur::Long(32));
    EXPECT_EQ(VarSystemeValeur("AUTRE", env.services), Valeur{});
}

}  // namespace
}  // namespace korv::formula::test
