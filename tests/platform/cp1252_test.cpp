#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/cp1252.h"

namespace korv::platform {
namespace {

TEST(Cp1252, Bloc80a9FEtAccents) {
    struct Cas {
        std::uint8_t octet;
        char32_t point;
        const char* utf8;
    };
    const Cas cas[] = {
        {0x80, U'€', "€"}, {0x82, U'‚', "‚"}, {0x83, U'ƒ', "ƒ"}, {0x84, U'„', "„"},
        {0x85, U'…', "…"}, {0x86, U'†', "†"}, {0x87, U'‡', "‡"}, {0x88, U'ˆ', "ˆ"},
        {0x89, U'‰', "‰"}, {0x8A, U'Š', "Š"}, {0x8B, U'‹', "‹"}, {0x8C, U'Œ', "Œ"},
        {0x8E, U'Ž', "Ž"}, {0x91, U'‘', "‘"}, {0x92, U'’', "’"}, {0x93, U'“', "“"},
        {0x94, U'”', "”"}, {0x95, U'•', "•"}, {0x96, U'–', "–"}, {0x97, U'—', "—"},
        {0x98, U'˜', "˜"}, {0x99, U'™', "™"}, {0x9A, U'š', "š"}, {0x9B, U'›', "›"},
        {0x9C, U'œ', "œ"}, {0x9E, U'ž', "ž"}, {0x9F, U'Ÿ', "Ÿ"},
        // The five bytes the code page leaves undefined keep their value.
        {0x81, U'\u0081', "\u0081"}, {0x8D, U'\u008D', "\u008D"}, {0x8F, U'\u008F', "\u008F"},
        {0x90, U'\u0090', "\u0090"}, {0x9D, U'\u009D', "\u009D"},
        // Latin-1 range and ASCII.
        {0xE9, U'é', "é"}, {0xE8, U'è', "è"}, {0xE0, U'à', "à"}, {0xE7, U'ç', "ç"},
        {0xA0, U'\u00A0', "\u00A0"}, {0xFF, U'ÿ', "ÿ"}, {0x00, U'\0', ""},
        {0x41, U'A', "A"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(testing::Message() << "octet 0x" << std::hex << int(c.octet));
        EXPECT_EQ(Cp1252VersPointCode(c.octet), c.point);
        ASSERT_TRUE(PointCodeVersCp1252(c.point).has_value());
        EXPECT_EQ(*PointCodeVersCp1252(c.point), c.octet);
        const std::string octet(1, static_cast<char>(c.octet));
        const std::string utf8 = c.octet == 0 ? std::string(1, '\0') : std::string(c.utf8);
        EXPECT_EQ(Cp1252VersUtf8(octet), utf8);
        EXPECT_EQ(Utf8VersCp1252(utf8), octet);
    }
}

TEST(Cp1252, TousLesOctetsFontLAllerRetour) {
    std::string tous;
    for (int i = 0; i < 256; ++i) tous.push_back(static_cast<char>(i));
    EXPECT_EQ(Utf8VersCp1252(Cp1252VersUtf8(tous)), tous);
    EXPECT_EQ(U32VersCp1252(Cp1252VersU32(tous)), tous);
    // Each character maps to a distinct byte: the table is a bijection.
    const std::u32string points = Cp1252VersU32(tous);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(PointCodeVersCp1252(points[static_cast<std::size_t>(i)]), i);
}

TEST(Cp1252, CaracteresSansOctetDeviennentPointDInterrogation) {
    // U+0080 and U+009F are C1 controls whose bytes hold € and Ÿ.
    for (char32_t c : {U'\u0080', U'\u009F', U'\u0100', U'ł', U'\u20AD', U'😀', U'\uFFFD'})
        EXPECT_FALSE(PointCodeVersCp1252(c).has_value()) << std::hex << static_cast<std::uint32_t>(c);
    EXPECT_EQ(Utf8VersCp1252("a\u0142b\U0001F600c"), "a?b?c");
    EXPECT_EQ(U32VersCp1252(U"\u0080€"), "?\x80");
}

TEST(Cp1252, Utf8MalFormeDonneUnPointDInterrogationParOctet) {
    struct Cas {
        std::string entree;
        std::string attendu;
    };
    const Cas cas[] = {
        {"\xC3", "?"},                    // sequence cut at the end
        {"\xC3" "A", "?A"},               // continuation missing
        {"\x80" "a", "?a"},               // stray continuation byte
        {"\xC0\xA9", "??"},               // overlong form of ')'
        {"\xED\xA0\x80", "???"},          // surrogate
        {"\xF4\x90\x80\x80", "????"},     // beyond U+10FFFF
        {"\xFF\xFE", "??"},
        {"\xE2\x82\xAC\xE2\x82", "\x80??"},  // € then a cut sequence
    };
    for (const Cas& c : cas) EXPECT_EQ(Utf8VersCp1252(c.entree), c.attendu) << testing::PrintToString(c.entree);
}

TEST(Cp1252, ComparaisonSansCasse) {
    EXPECT_TRUE(EgalSansCasseCp1252("Sc\xE8ne \x8A\x8C\x8E\x9F", "SC\xC8NE \x9A\x9C\x9E\xFF"));
    EXPECT_TRUE(EgalSansCasseCp1252("ABCxyz", "abcXYZ"));
    EXPECT_FALSE(EgalSansCasseCp1252("\xD7", "\xF7"));  // × and ÷ are not letters
    EXPECT_FALSE(EgalSansCasseCp1252("abc", "abcd"));
}

}  // namespace
}  // namespace korv::platform
