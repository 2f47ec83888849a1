#include "formula/valeur.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fakes.h"

namespace korv::formula {
namespace {

TEST(Valeur, TextForms) {
    struct Cas {
        Valeur v;
        std::string texte;
    };
    const Cas cas[] = {
        {Valeur{}, ""},
        {Valeur::Nul(), ""},
        {Valeur::Booleen(true), "Vrai"},
        {Valeur::Booleen(false), "Faux"},
        {Valeur::Entier(-32768), "-32768"},
        {Valeur::Long(2147483647), "2147483647"},
        {Valeur::Double(1.5), "1,5"},
        {Valeur::Double(-0.25), "-0,25"},
        {Valeur::Double(20), "20"},
        {Valeur::Double(0.1 + 0.2), "0,3"},
        {Valeur::Double(1e15), "1E+15"},
        {Valeur::Double(123456789012345.0), "123456789012345"},
        {Valeur::Double(0.0001), "0,0001"},
        {Valeur::Double(0.000015), "1,5E-05"},
        {Valeur::Date(45306), "15/01/2024"},
        {Valeur::Date(45306.5), "15/01/2024 12:00:00"},
        {Valeur::Date(0.75), "18:00:00"},
        {Valeur::Chaine("'OUI'"), "'OUI'"},
    };
    for (const auto& c : cas) EXPECT_EQ(c.v.EnTexte(), c.texte) << ::testing::PrintToString(c.v);
}

TEST(Valeur, NumericConversions) {
    EXPECT_EQ(Valeur{}.EnDouble(), 0);
    EXPECT_EQ(Valeur::Booleen(true).EnDouble(), -1);
    EXPECT_EQ(Valeur::Chaine(" 1,5 ").EnDouble(), 1.5);
    EXPECT_EQ(Valeur::Chaine("1.5").EnDouble(), 1.5);
    EXPECT_EQ(Valeur::Chaine("-2E3").EnDouble(), -2000);
    // Halves go to the even neighbour.
    EXPECT_EQ(Valeur::Double(2.5).EnEntier(), 2);
    EXPECT_EQ(Valeur::Double(3.5).EnEntier(), 4);
    EXPECT_EQ(Valeur::Double(-2.5).EnLong(), -2);
    EXPECT_EQ(Valeur::Double(32767.4).EnEntier(), 32767);
    EXPECT_EQ(Valeur::Double(255.5).EnLong(), 256);
    EXPECT_EQ(Valeur::Date(45306).EnDate(), 45306);
    EXPECT_EQ(Valeur::Chaine("15/01/2024").EnDate(), 45306);
    EXPECT_EQ(Valeur::Chaine("45306").EnDate(), 45306);
    EXPECT_TRUE(Valeur::Chaine("2").EstNumerique());
    EXPECT_TRUE(Valeur{}.EstNumerique());
    EXPECT_FALSE(Valeur::Chaine("'2'").EstNumerique());
    EXPECT_FALSE(Valeur::Nul().EstNumerique());
}

TEST(Valeur, FailedConversionsThrowTheirErrorNumber) {
    struct Cas {
        const char* nom;
        std::function<void()> f;
        int numero;
    };
    const Cas cas[] = {
        {"Null to double", [] { (void)Valeur::Nul().EnDouble(); }, erreur::kUsageNul},
        {"text to double", [] { (void)Valeur::Chaine("abc").EnDouble(); }, erreur::kTypeIncompatible},
        {"quoted number", [] { (void)Valeur::Chaine("'4'").EnDouble(); }, erreur::kTypeIncompatible},
        {"error value", [] { (void)Valeur::Erreur(1).EnDouble(); }, erreur::kTypeIncompatible},
        {"integer overflow", [] { (void)Valeur::Double(32767.5).EnEntier(); }, erreur::kDepassement},
        {"long overflow", [] { (void)Valeur::Double(3e9).EnLong(); }, erreur::kDepassement},
        {"byte overflow", [] { (void)Valeur::Double(256).EnOctet(); }, erreur::kDepassement},
        {"date out of range", [] { (void)Valeur::Date(3e6); }, erreur::kDepassement},
        {"text no date", [] { (void)Valeur::Chaine("32/01/2024").EnDate(); }, erreur::kTypeIncompatible},
    };
    for (const auto& c : cas) {
        try {
            c.f();
            ADD_FAILURE() << c.nom << ": no error";
        } catch (const ErreurExecution& e) {
            EXPECT_EQ(e.numero(), c.numero) << c.nom;
        }
    }
}

TEST(Valeur, CopiesOfATextAreIndependentValues) {
    const std::string longue(100, 'x');
    Valeur a = Valeur::Chaine(longue);
    Valeur b = a;  // shares the text
    EXPECT_EQ(b, a);
    a = Valeur::Double(2);  // the copy keeps its text
    EXPECT_EQ(b.chaine(), longue);
    Valeur c = std::move(b);
    EXPECT_EQ(c.chaine(), longue);
    EXPECT_TRUE(b.estChaine());  // moved from: an empty text
    EXPECT_EQ(b.chaine(), "");
    const Valeur& memeValeur = c;
    c = memeValeur;  // self-assignment keeps the text
    EXPECT_EQ(c.chaine(), longue);
    Valeur d = Valeur::Chaine("");
    EXPECT_EQ(d, Valeur::Chaine(std::string{}));
    EXPECT_NE(d, Valeur{});
    EXPECT_NE(Valeur::Chaine("1"), Valeur::Double(1));
    EXPECT_EQ(Valeur::Chaine("ab"), Valeur::Chaine("ab"));
    // Raw numeric reads of a text give 0, as before the compact layout.
    EXPECT_EQ(Valeur::Chaine("7").reel(), 0);
    std::vector<Valeur> pile{Valeur::Chaine(longue), Valeur::Long(3)};
    pile.resize(40);
    EXPECT_EQ(pile[0].chaine(), longue);
    EXPECT_EQ(pile[1], Valeur::Long(3));
    EXPECT_LE(sizeof(Valeur), 16u);
}

TEST(Valeur, QuotedFormulaStrings) {
    EXPECT_TRUE(EstChaine("'a'"));
    EXPECT_TRUE(EstChaine("  ''  "));
    EXPECT_FALSE(EstChaine("'"));
    EXPECT_FALSE(EstChaine("'a"));
    EXPECT_EQ(ChaineAvecCoerc("l'an"), "'l''an'");
    EXPECT_EQ(ChaineSansCoerc("'l''an'"), "l'an");
    EXPECT_EQ(ChaineSansCoerc("  'x'  "), "x");
    // Unquoted text comes back unchanged, blanks included.
    EXPECT_EQ(ChaineSansCoerc("  abc "), "  abc ");
    EXPECT_EQ(ChaineSansCoerc(ChaineAvecCoerc("a''b'")), "a''b'");
    EXPECT_EQ(Majuscules("\xE9t\xE9 abc"), "\xC9T\xC9 ABC");
}

}  // namespace
}  // namespace korv::formula
