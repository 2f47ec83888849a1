// The bounds-checked reader: little-endian values, the two string forms,
// array descriptors and counts, and what it does with too few bytes.

#include "platform/binary_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "platform/binary_writer.h"

namespace korv {
namespace {

std::string Octets(std::initializer_list<int> valeurs) {
    std::string s;
    for (int v : valeurs) s.push_back(static_cast<char>(v));
    return s;
}

TEST(BinaryReader, ValuesAreLittleEndian) {
    const std::string octets = Octets({0xFE, 0x34, 0x12, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12, 0x00, 0x00, 0x00,
                                       0x00, 0x00, 0x00, 0xF8, 0x3F});
    BinaryReader r(octets);
    EXPECT_EQ(r.u8(), 0xFE);
    EXPECT_EQ(r.u16(), 0x1234);
    EXPECT_EQ(r.i16(), -1);
    EXPECT_EQ(r.i32(), 0x12345678);
    EXPECT_EQ(r.f64(), 1.5);
    EXPECT_TRUE(r.atEnd());

    const std::string octetsNegatifs = Octets({0x00, 0x80, 0x7F, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80});
    BinaryReader negatif(octetsNegatifs);
    EXPECT_EQ(negatif.i16(), std::numeric_limits<std::int16_t>::min());
    EXPECT_EQ(negatif.i32(), -129);
    EXPECT_EQ(negatif.i32(), std::numeric_limits<std::int32_t>::min());
}

TEST(BinaryReader, StringsOfBothForms) {
    const std::string octets = Octets({3, 0, 0, 0, 'a', 0xE9, 'z', 2, 0, 0x80, 0, 0, 0, 0, 0});
    BinaryReader r(octets);
    EXPECT_EQ(r.fileString(), "a\xE9z");
    EXPECT_EQ(r.shortString(), std::string("\x80\0", 2)) << "every byte value is kept";
    EXPECT_EQ(r.fileString(), "");
    EXPECT_TRUE(r.atEnd());
}

// Each case reads from too few or damaged bytes: ReadError, never a read
// outside the buffer, and the position where the fault was found.
TEST(BinaryReader, ShortOrDamagedInputThrows) {
    struct Cas {
        const char* nom;
        std::string octets;
        std::function<void(BinaryReader&)> lecture;
        std::size_t decalage;
    };
    const Cas cas[] = {
        {"empty u8", "", [](BinaryReader& r) { r.u8(); }, 0},
        {"one byte for i16", Octets({1}), [](BinaryReader& r) { r.i16(); }, 0},
        {"three bytes for i32", Octets({1, 2, 3}), [](BinaryReader& r) { r.i32(); }, 0},
        {"seven bytes for f64", std::string(7, '\0'), [](BinaryReader& r) { r.f64(); }, 0},
        {"file string longer than the rest", Octets({5, 0, 0, 0, 'a', 'b'}), [](BinaryReader& r) { r.fileString(); }, 4},
        {"negative file string length", Octets({0xFF, 0xFF, 0xFF, 0xFF, 'a'}),
         [](BinaryReader& r) { r.fileString(); }, 4},
        {"huge file string length", Octets({0xFF, 0xFF, 0xFF, 0x7F, 'a'}), [](BinaryReader& r) { r.fileString(); }, 4},
        {"short string longer than the rest", Octets({0xFF, 0xFF, 'a'}), [](BinaryReader& r) { r.shortString(); }, 2},
        {"bytes beyond the end", Octets({1, 2}), [](BinaryReader& r) { r.bytes(3); }, 0},
        {"skip beyond the end", Octets({1, 2}), [](BinaryReader& r) { r.skip(3); }, 0},
        {"seek beyond the end", Octets({1, 2}), [](BinaryReader& r) { r.seek(3); }, 0},
        {"two-dimensional array", Octets({2, 0, 1, 0, 0, 0, 1, 0, 0, 0}),
         [](BinaryReader& r) { r.arrayShape(1); }, 2},
        {"negative dimension count", Octets({0xFF, 0xFF}), [](BinaryReader& r) { r.arrayShape(1); }, 2},
        {"negative element count", Octets({1, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0}),
         [](BinaryReader& r) { r.arrayShape(1); }, 10},
        {"more elements than bytes", Octets({1, 0, 3, 0, 0, 0, 1, 0, 0, 0, 9, 9, 9, 9, 9}),
         [](BinaryReader& r) { r.arrayShape(2); }, 10},
        {"descriptor cut short", Octets({1, 0, 3, 0, 0, 0}), [](BinaryReader& r) { r.arrayShape(1); }, 6},
    };
    for (const Cas& c : cas) {
        BinaryReader r(c.octets);
        try {
            c.lecture(r);
            ADD_FAILURE() << c.nom << ": no error";
        } catch (const ReadError& e) {
            EXPECT_EQ(e.offset(), c.decalage) << c.nom;
            EXPECT_NE(std::string(e.what()).find("octet"), std::string::npos) << c.nom << ": " << e.what();
        }
        EXPECT_LE(r.position(), c.octets.size()) << c.nom;
    }
}

TEST(BinaryReader, ArrayDescriptorKeepsCountBoundAndDimensions) {
    const std::string octetsVide = Octets({0, 0});
    BinaryReader vide(octetsVide);
    const ArrayShape v = vide.arrayShape(4);
    EXPECT_EQ(v.count, 0);
    EXPECT_EQ(v.lowerBound, 1);
    EXPECT_EQ(v.dimensions, 0);
    EXPECT_TRUE(vide.atEnd());

    // Count 2 from 0, then room for exactly two 2-byte elements.
    const std::string octetsDeux = Octets({1, 0, 2, 0, 0, 0, 0, 0, 0, 0, 1, 1, 2, 2});
    BinaryReader r(octetsDeux);
    const ArrayShape a = r.arrayShape(2);
    EXPECT_EQ(a.count, 2);
    EXPECT_EQ(a.lowerBound, 0);
    EXPECT_EQ(a.dimensions, 1);
    EXPECT_EQ(r.remaining(), 4u);

    const std::string octetsDecrits = Octets({1, 0, 0, 0, 0, 0, 7, 0, 0, 0});
    BinaryReader decritVide(octetsDecrits);
    const ArrayShape d = decritVide.arrayShape(8);
    EXPECT_EQ(d.count, 0);
    EXPECT_EQ(d.lowerBound, 7);
    EXPECT_EQ(d.dimensions, 1);
}

TEST(BinaryReader, CheckedCountLimits) {
    const std::string dix(10, '\0');
    const BinaryReader r(dix);
    EXPECT_EQ(r.checkedCount(5, 2, 100, "cases"), 5);
    EXPECT_EQ(r.checkedCount(0, 100, 100, "cases"), 0);
    EXPECT_EQ(r.checkedCount(1000, 0, 1000, "cases"), 1000) << "no size: only the limit applies";
    EXPECT_THROW(r.checkedCount(6, 2, 100, "cases"), ReadError) << "beyond what remains";
    EXPECT_THROW(r.checkedCount(-1, 1, 100, "cases"), ReadError);
    EXPECT_THROW(r.checkedCount(101, 0, 100, "cases"), ReadError);
    EXPECT_THROW(r.checkedCount(std::int64_t{1} << 40, 1, INT32_MAX, "cases"), ReadError);
}

// The count messages name what was counted in French: "de" is elided
// before a vowel, accented or not.
TEST(BinaryReader, CountMessagesElideDeBeforeAVowel) {
    const std::string dix(10, '\0');
    const BinaryReader r(dix);
    const auto message = [&](std::int64_t n, std::int64_t max, std::string_view quoi) {
        try {
            r.checkedCount(n, 2, max, quoi);
        } catch (const ReadError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    const struct {
        std::int64_t n;
        std::string_view quoi;
        std::string attendu;
    } cas[] = {
        {6, "attributs de cases", "nombre d'attributs de cases au-delà de la fin du fichier"},
        {6, "éléments de tableau", "nombre d'éléments de tableau au-delà de la fin du fichier"},
        {6, "objets", "nombre d'objets au-delà"},
        {6, "pages", "nombre de pages au-delà"},
        {6, "résultats de cases", "nombre de résultats de cases au-delà"},
        {-1, "attributs", "nombre négatif d'attributs"},
        {-1, "jetons", "nombre négatif de jetons"},
        {101, "éléments", "trop d'éléments"},
        {101, "plis", "trop de plis"},
    };
    for (const auto& c : cas) {
        const std::string m = message(c.n, 100, c.quoi);
        EXPECT_EQ(m.substr(0, c.attendu.size()), c.attendu) << m;
    }
}

TEST(BinaryReader, PositionSeekAndBytes) {
    const std::string octets = Octets({1, 2, 3, 4});
    BinaryReader r(octets);
    r.skip(1);
    const auto b = r.bytes(2);
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(b[0], 2);
    EXPECT_EQ(b[1], 3);
    EXPECT_EQ(r.position(), 3u);
    EXPECT_EQ(r.remaining(), 1u);
    r.seek(0);
    EXPECT_EQ(r.u8(), 1);
    r.seek(4);
    EXPECT_TRUE(r.atEnd());
    EXPECT_THROW(r.u8(), ReadError);
}

TEST(BinaryReader, WriterMirror) {
    BinaryWriter w;
    w.u8(200);
    w.i16(-2);
    w.i32(-70000);
    w.f64(-0.25);
    w.fileString("abc");
    w.shortString("\xE9");
    w.arrayShape(0);
    w.arrayShape(3);
    w.arrayShape(0, 5, true);
    w.arrayShape(2, -1, false);
    BinaryReader r(w.data());
    EXPECT_EQ(r.u8(), 200);
    EXPECT_EQ(r.i16(), -2);
    EXPECT_EQ(r.i32(), -70000);
    EXPECT_EQ(r.f64(), -0.25);
    EXPECT_EQ(r.fileString(), "abc");
    EXPECT_EQ(r.shortString(), "\xE9");
    const ArrayShape a0 = r.arrayShape(0);
    EXPECT_EQ(a0.dimensions, 0);
    const ArrayShape a3 = r.arrayShape(0);
    EXPECT_EQ(a3.count, 3);
    EXPECT_EQ(a3.lowerBound, 1);
    const ArrayShape d = r.arrayShape(0);
    EXPECT_EQ(d.dimensions, 1);
    EXPECT_EQ(d.count, 0);
    EXPECT_EQ(d.lowerBound, 5);
    const ArrayShape n = r.arrayShape(0);
    EXPECT_EQ(n.count, 2);
    EXPECT_EQ(n.lowerBound, -1);
    EXPECT_TRUE(r.atEnd());
    EXPECT_THROW(BinaryWriter().shortString(std::string(65536, 'x')), std::length_error);
}

}  // namespace
}  // namespace korv
