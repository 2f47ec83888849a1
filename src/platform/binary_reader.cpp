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

void BinaryReader::failEnd(const char* what) const {
    fail("fin de fichier inattendue en lisant " + std::string(what));
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

void BinaryReader::failCount(std::int64_t count, std::int64_t maxCount, std::string_view what) const {
    if (count < 0) fail("nombre négatif " + De(what));
    if (count > maxCount) fail("trop " + De(what));
    fail("nombre " + De(what) + " au-delà de la fin du fichier");
}

void BinaryReader::failDimensions(std::int16_t dims) const {
    fail("tableau de " + std::to_string(dims) + " dimensions");
}

}  // namespace korv
