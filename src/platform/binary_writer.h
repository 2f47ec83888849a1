#pragma once
// Little-endian writer, the mirror of BinaryReader: used by the scene
// writer, the plan document and the tests' fixtures.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace korv {

class BinaryWriter {
public:
    void u8(std::uint8_t v) { buf_.push_back(static_cast<char>(v)); }
    void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
    void u16(std::uint16_t v);
    void i32(std::int32_t v);
    void f64(double v);
    void bytes(std::span<const std::uint8_t> b);
    void zeros(std::size_t n) { buf_.append(n, '\0'); }

    // `ChaineFichier`: 32-bit length, then the bytes.
    void fileString(std::string_view s);
    // String inside a record: 16-bit length, then the bytes. Throws
    // std::length_error above 65535 bytes rather than truncate.
    void shortString(std::string_view s);
    // Dynamic array descriptor: 0 dimensions for an empty array, else one
    // dimension with its count and lower bound 1.
    void arrayShape(std::size_t count);
    // The same with a given lower bound; `describeEmpty` writes the one
    // dimension even for an empty array, as some writers did.
    void arrayShape(std::size_t count, std::int32_t lowerBound, bool describeEmpty);

    const std::string& data() const { return buf_; }
    std::string take() { return std::move(buf_); }
    std::size_t size() const { return buf_.size(); }

private:
    std::string buf_;
};

}  // namespace korv
