// Byte order of two keys. Keys are short and of one width, so an inline loop over eight bytes at a time beats
// a call into the library's memcmp, which the tree makes a dozen times or more per seek and the builder's
// sort some twenty times per key.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace rt::ntx {

inline int compareKeyBytes(const void* left, const void* right, size_t n) {
    auto a = static_cast<const unsigned char*>(left);
    auto b = static_cast<const unsigned char*>(right);
    for (; n >= 8; a += 8, b += 8, n -= 8) {
        uint64_t x, y;
        std::memcpy(&x, a, 8);
        std::memcpy(&y, b, 8);
        if (x == y) continue;
        if constexpr (std::endian::native == std::endian::little) {
            x = __builtin_bswap64(x);
            y = __builtin_bswap64(y);
        }
        return x < y ? -1 : 1;
    }
    for (; n; --n, ++a, ++b)
        if (*a != *b) return *a < *b ? -1 : 1;
    return 0;
}

}  // namespace rt::ntx
