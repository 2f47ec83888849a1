#include "engine/liste_std.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace korv::engine {
namespace {

TEST(ListeStd, AddingKeepsTheListWithinSixtyThousandCharacters) {
    std::string liste = ListeStdVide();
    EXPECT_TRUE(ListeStdElementAjoute(liste, "A"));
    EXPECT_EQ(liste, "A");  // no leading ","
    EXPECT_TRUE(ListeStdElementAjoute(liste, "B"));
    EXPECT_EQ(liste, "A,B");

    std::string longue(59990, 'x');
    std::string refusee = longue;
    EXPECT_FALSE(ListeStdElementAjoute(refusee, std::string(10, 'y')));
    EXPECT_EQ(refusee, longue);
    EXPECT_TRUE(ListeStdElementAjoute(longue, std::string(9, 'y')));
    EXPECT_EQ(longue.size(), 60000u);

    // The limit holds for a first element too.
    std::string vide;
    EXPECT_FALSE(ListeStdElementAjoute(vide, std::string(60001, 'z')));
    EXPECT_EQ(vide, "");
    EXPECT_TRUE(ListeStdElementAjoute(vide, std::string(60000, 'z')));
}

TEST(ListeStd, CountsElementsIncludingEmptyOnes) {
    const std::pair<std::string, std::int32_t> cas[] = {
        {"", 0}, {",", 2}, {"A", 1}, {"A,B,C", 3}, {"A,,B", 3}, {"A,B,", 3},
    };
    for (const auto& [liste, nombre] : cas) EXPECT_EQ(ListeStdElementNombre(liste), nombre) << liste;
}

TEST(ListeStd, BothElementFunctionsWrapAndStartAtOne) {
    struct Cas {
        std::string liste;
        std::int32_t n;
        std::string attendu;
    };
    const Cas cas[] = {
        {"A,B,C", 1, "A"},
        {"A,B,C", 3, "C"},
        {"A,B,C", 4, "A"},
        {"A,B,C", 5, "B"},  // element 5 of three is element 2
        {"A,B", 3, "A"},
        {"A,B,C", INT_MAX, "A"},
        {"A,B,C", 0, "A"},  // 0 and below: element 1
        {"A,B,C", -4, "A"},
        {"A,B,C", INT_MIN, "A"},
        {"A,,B", 2, ""},
        {"A,B,", 3, ""},
        {",", 2, ""},
        {"ABC", 7, "ABC"},
        {"", 2, ""},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(ListeStdElementValeur(c.liste, c.n), c.attendu) << c.liste << " #" << c.n;
        EXPECT_EQ(ListeAVirguleElementValeur(c.liste, c.n), c.attendu) << c.liste << " #" << c.n;
    }
}

TEST(ListeStd, ReplacesEveryOccurrence) {
    struct Cas {
        std::string texte, cherche, remplace, attendu;
    };
    const Cas cas[] = {
        {"a.b.c", ".", "\\", "a\\b\\c"},
        {"aaa", "aa", "b", "ba"},          // from the left, no overlap
        {"aXa", "a", "aa", "aaXaa"},       // a replacement holding the text is not searched again
        {"ABC", "b", "x", "ABC"},          // case-sensitive
        {"abc", "", "x", "abc"},           // nothing to search
        {"\xE9t\xE9", "\xE9", "e", "ete"}, // cp1252 bytes
        {"", "a", "b", ""},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(ChaineRemplaceCaracteres(c.texte, c.cherche, c.remplace), c.attendu) << c.texte;
    }
}

TEST(ListeStd, SwapExchangesValues) {
    std::string a = "un", b = "deux";
    Swap(a, b);
    EXPECT_EQ(a, "deux");
    EXPECT_EQ(b, "un");
    int x = 1, y = 2;
    Swap(x, y);
    EXPECT_EQ(x, 2);
    EXPECT_EQ(y, 1);
}

}  // namespace
}  // namespace korv::engine
