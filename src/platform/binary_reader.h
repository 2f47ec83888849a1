#pragma once
// Bounds-checked little-endian reader over a byte buffer: the one way the
// program reads its binary files (scenes, plan documents, coded texts).
// Every read checks what remains; a short or damaged buffer throws
// ReadError with the offset, and never reads outside the buffer.

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace korv {

class ReadError : public std::runtime_error {
public:
    ReadError(const std::string& what, std::size_t offset);
    std::size_t offset() const { return offset_; }

private:
    std::size_t offset_;
};

// Descriptor of a dynamic array written by the record rule: a 16-bit
// dimension count (0 = empty array, nothing follows), then per dimension a
// 32-bit element count and a 32-bit lower bound.
struct ArrayShape {
    std::int32_t count = 0;
    std::int32_t lowerBound = 1;
    // 0 when the file gave no dimension (an empty array), else 1.
    std::int16_t dimensions = 0;
};

class BinaryReader {
public:
    explicit BinaryReader(std::span<const std::uint8_t> data) : data_(data) {}
    explicit BinaryReader(std::string_view data)
        : data_(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()) {}

    std::uint8_t u8();
    std::int16_t i16();
    std::uint16_t u16();
    std::int32_t i32();
    double f64();

    // `ChaineFichier`: 32-bit length, then the bytes.
    std::string fileString();
    // String inside a record read whole: unsigned 16-bit length, then the bytes.
    std::string shortString();
    // One-dimensional dynamic array descriptor; `minElementSize` lets the
    // reader refuse a count that cannot fit in what remains.
    ArrayShape arrayShape(std::size_t minElementSize);

    std::span<const std::uint8_t> bytes(std::size_t n);
    void skip(std::size_t n) { (void)bytes(n); }

    // Count read from the file, checked to be in [0, maxCount] and to fit in
    // what remains at `minElementSize` bytes per element.
    std::int32_t checkedCount(std::int64_t count, std::size_t minElementSize, std::int64_t maxCount,
                              std::string_view what) const;

    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ == data_.size(); }
    void seek(std::size_t pos);

    [[noreturn]] void fail(const std::string& what) const;

private:
    void need(std::size_t n, std::string_view what) const;

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

}  // namespace korv
