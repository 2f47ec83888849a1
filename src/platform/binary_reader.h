#pragma once
// Bounds-checked little-endian reader over a byte buffer: the one way the
// program reads its binary files (scenes, plan documents, coded texts).
// Every read checks what remains; a short or damaged buffer throws
// ReadError with the offset, and never reads outside the buffer.

#include <climits>
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

    // The fixed-size reads are inline: a scene holds millions of them, and
    // only the failure path (building the message) is out of line.
    std::uint8_t u8() {
        need(1, "un octet");
        return data_[pos_++];
    }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::uint16_t u16() {
        need(2, "un entier");
        const auto v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    std::int32_t i32() {
        need(4, "un entier long");
        const std::uint8_t* p = data_.data() + pos_;
        const auto v = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                       (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
        pos_ += 4;
        return static_cast<std::int32_t>(v);
    }
    double f64();

    // `ChaineFichier`: 32-bit length, then the bytes.
    std::string fileString();
    // String inside a record read whole: unsigned 16-bit length, then the bytes.
    std::string shortString() { return std::string(shortStringView()); }
    // The same string's bytes, left in the buffer: for a reader that builds
    // the string where it is kept.
    std::string_view shortStringView() {
        const std::uint16_t n = u16();
        need(n, "une chaîne");
        const char* p = reinterpret_cast<const char*>(data_.data() + pos_);
        pos_ += n;
        return {p, n};
    }
    // One-dimensional dynamic array descriptor; `minElementSize` lets the
    // reader refuse a count that cannot fit in what remains.
    ArrayShape arrayShape(std::size_t minElementSize) {
        const std::int16_t dims = i16();
        if (dims == 0) return ArrayShape{0, 1, 0};
        if (dims != 1) [[unlikely]] failDimensions(dims);
        ArrayShape s;
        s.dimensions = 1;
        const std::int32_t count = i32();
        s.lowerBound = i32();
        s.count = checkedCount(count, minElementSize, INT32_MAX, "éléments de tableau");
        return s;
    }

    std::span<const std::uint8_t> bytes(std::size_t n);
    void skip(std::size_t n) { (void)bytes(n); }

    // Count read from the file, checked to be in [0, maxCount] and to fit in
    // what remains at `minElementSize` bytes per element.
    std::int32_t checkedCount(std::int64_t count, std::size_t minElementSize, std::int64_t maxCount,
                              std::string_view what) const {
        if (count < 0 || count > maxCount ||
            (minElementSize > 0 && static_cast<std::uint64_t>(count) > remaining() / minElementSize)) [[unlikely]] {
            failCount(count, maxCount, what);
        }
        return static_cast<std::int32_t>(count);
    }

    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ == data_.size(); }
    void seek(std::size_t pos);

    [[noreturn]] void fail(const std::string& what) const;

private:
    void need(std::size_t n, const char* what) const {
        if (n > remaining()) [[unlikely]] failEnd(what);
    }
    [[noreturn, gnu::cold]] void failEnd(const char* what) const;
    [[noreturn, gnu::cold]] void failCount(std::int64_t count, std::int64_t maxCount, std::string_view what) const;
    [[noreturn, gnu::cold]] void failDimensions(std::int16_t dims) const;

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

}  // namespace korv
