#include "platform/binary_writer.h"

#include <bit>
#include <limits>
#include <stdexcept>

namespace korv {

void BinaryWriter::u16(std::uint16_t v) {
    buf_.push_back(static_cast<char>(v & 0xFF));
    buf_.push_back(static_cast<char>(v >> 8));
}

void BinaryWriter::i32(std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) buf_.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
}

void BinaryWriter::f64(double v) {
    auto u = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) buf_.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
}

void BinaryWriter::bytes(std::span<const std::uint8_t> b) {
    buf_.append(reinterpret_cast<const char*>(b.data()), b.size());
}

void BinaryWriter::fileString(std::string_view s) {
    if (s.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw std::length_error("chaîne trop longue");
    }
    i32(static_cast<std::int32_t>(s.size()));
    buf_.append(s);
}

void BinaryWriter::shortString(std::string_view s) {
    if (s.size() > 0xFFFF) throw std::length_error("chaîne de plus de 65535 octets");
    u16(static_cast<std::uint16_t>(s.size()));
    buf_.append(s);
}

void BinaryWriter::arrayShape(std::size_t count) { arrayShape(count, 1, false); }

void BinaryWriter::arrayShape(std::size_t count, std::int32_t lowerBound, bool describeEmpty) {
    if (count == 0 && !describeEmpty) {
        i16(0);
        return;
    }
    if (count > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw std::length_error("tableau trop grand");
    }
    i16(1);
    i32(static_cast<std::int32_t>(count));
    i32(lowerBound);
}

}  // namespace korv
