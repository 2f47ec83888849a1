#pragma once
// Hand-laid scene bytes for the reader's tests, written field by field from
// the file layout rather than through the program's own writer.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace korv::test {

class Octets {
public:
    Octets& b(std::uint8_t v) { d_.push_back(v); return *this; }
    Octets& i(std::int16_t v) { return b(static_cast<std::uint8_t>(v & 0xFF)).b(static_cast<std::uint8_t>((v >> 8) & 0xFF)); }
    Octets& l(std::int32_t v) {
        for (int k = 0; k < 4; ++k) b(static_cast<std::uint8_t>((static_cast<std::uint32_t>(v) >> (8 * k)) & 0xFF));
        return *this;
    }
    Octets& d(double v) {
        std::uint64_t u;
        std::memcpy(&u, &v, 8);
        for (int k = 0; k < 8; ++k) b(static_cast<std::uint8_t>((u >> (8 * k)) & 0xFF));
        return *this;
    }
    Octets& z(std::size_t n) { d_.insert(d_.end(), n, 0); return *this; }
    // `ChaineFichier`: 32-bit length.
    Octets& sl(std::string_view s) { l(static_cast<std::int32_t>(s.size())); return raw(s); }
    // String inside a record: 16-bit length.
    Octets& ss(std::string_view s) { i(static_cast<std::int16_t>(s.size())); return raw(s); }
    Octets& raw(std::string_view s) { d_.insert(d_.end(), s.begin(), s.end()); return *this; }
    // Dynamic array descriptor, one dimension from 1.
    Octets& tab(std::int32_t n) {
        if (n == 0) return i(0);
        return i(1).l(n).l(1);
    }

    const std::vector<std::uint8_t>& data() const { return d_; }
    std::size_t size() const { return d_.size(); }

private:
    std::vector<std::uint8_t> d_;
};

}  // namespace korv::test
