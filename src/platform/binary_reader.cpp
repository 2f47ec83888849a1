#include "platform/binary_reader.h"

#include <bit>
#include <cstring>

namespace korv {

namespace {

// "de" before a noun, elided before a vowel as French writes it: "de pages",
// "d'attributs", "d'éléments" (the texts are UTF-8 here).
std::string De(std::string_view nom) {
    static constexpr std::string_view kVoyelles = "aeiouAEIOU";
    // Accented vowels: the second byte of their two-byte UTF-8 forms.
    static constexpr std::string_view kVoyellesAccentuees = "\xa0\xa2\xa8\xa9\xaa\xab\xae\xaf\xb4\xb9\xbb\xbc"
                                                             "\x80\x82\x88\x89\x8a\x8b\x8e\x8f\x94\x99\x9b\x9c";
    bool voyelle = !nom.empty() && kVoyelles.find(nom[0]) != std::string_view::npos;
    if (nom.size() >= 2 && nom[0] == '\xc3') voyelle = kVoyellesAccentuees.find(nom[1]) != std::string_view::npos;
    return (voyelle ? "d'" : "de ") + std::string(nom);
}

}  // namespace

ReadError::ReadError(const std::string& what, std::size_t offset)
    : std::runtime_error(what), offset_(offset) {}

void BinaryReader::fail(const std::string& what) const {
    throw ReadError(what + " (octet " + std::to_string(pos_) + ")", pos_);
}

void BinaryReader::need(std::size_t n, std::string_view what) const {
    if (n > remaining()) {
        fail("fin de fichier inattendue en lisant " + std::string(what));
    }
}

void BinaryReader::seek(std::size_t pos) {
    if (pos > data_.size()) fail("position hors du fichier");
    pos_ = pos;
}

std::span<const std::uint8_t> BinaryReader::bytes(std::size_t n) {
    need(n, "des octets");
    auto out = data_.subspan(pos_, n);
    pos_ += n;
    return out;
}

std::uint8_t BinaryReader::u8() {
    need(1, "un octet");
    return data_[pos_++];
}

std::uint16_t BinaryReader::u16() {
    need(2, "un entier");
    auto v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
}

std::int16_t BinaryReader::i16() { return static_cast<std::int16_t>(u16()); }

std::int32_t BinaryReader::i32() {
    need(4, "un entier long");
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | data_[pos_ + static_cast<std::size_t>(i)];
    pos_ += 4;
    return static_cast<std::int32_t>(v);
}

double BinaryReader::f64() {
    need(8, "un réel");
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | data_[pos_ + static_cast<std::size_t>(i)];
    pos_ += 8;
    return std::bit_cast<double>(v);
}

std::string BinaryReader::fileString() {
    const std::int32_t n = i32();
    if (n < 0) fail("longueur de chaîne négative");
    need(static_cast<std::size_t>(n), "une chaîne");
    auto b = bytes(static_cast<std::size_t>(n));
    return std::string(reinterpret_cast<const char*>(b.data()), b.size());
}

std::string BinaryReader::shortString() {
    const std::uint16_t n = u16();
    need(n, "une chaîne");
    auto b = bytes(n);
    return std::string(reinterpret_cast<const char*>(b.data()), b.size());
}

std::int32_t BinaryReader::checkedCount(std::int64_t count, std::size_t minElementSize,
                                        std::int64_t maxCount, std::string_view what) const {
    if (count < 0) fail("nombre négatif " + De(what));
    if (count > maxCount) fail("trop " + De(what));
    if (minElementSize > 0 &&
        static_cast<std::uint64_t>(count) > remaining() / minElementSize) {
        fail("nombre " + De(what) + " au-delà de la fin du fichier");
    }
    return static_cast<std::int32_t>(count);
}

ArrayShape BinaryReader::arrayShape(std::size_t minElementSize) {
    const std::int16_t dims = i16();
    if (dims == 0) return ArrayShape{0, 1, 0};
    if (dims != 1) fail("tableau de " + std::to_string(dims) + " dimensions");
    ArrayShape s;
    s.dimensions = 1;
    const std::int32_t count = i32();
    s.lowerBound = i32();
    s.count = checkedCount(count, minElementSize, INT32_MAX, "éléments de tableau");
    return s;
}

}  // namespace korv
