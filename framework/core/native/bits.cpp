#include "framework/core/native/bits.h"

namespace vorpex {

namespace {
int64_t signed16(int64_t n) { return static_cast<int16_t>(static_cast<uint16_t>(n & 0xFFFF)); }
int64_t signed32(int64_t n) { return static_cast<int32_t>(static_cast<uint32_t>(n & 0xFFFFFFFF)); }
}  // namespace

int64_t makeLong(int64_t low, int64_t high) {
    const uint32_t bits = (static_cast<uint32_t>(high & 0xFFFF) << 16) | static_cast<uint32_t>(low & 0xFFFF);
    return static_cast<int32_t>(bits);
}

int64_t makeWord(int64_t low, int64_t high) { return ((high & 0xFF) << 8) | (low & 0xFF); }

int64_t makeLongLong(int64_t low, int64_t high) {
    const uint64_t bits = (static_cast<uint64_t>(high) << 32) | static_cast<uint32_t>(low & 0xFFFFFFFF);
    return static_cast<int64_t>(bits);
}

int64_t lowByte(int64_t n) { return n & 0xFF; }
int64_t highByte(int64_t n) { return (n >> 8) & 0xFF; }
int64_t lowWord(int64_t n) { return signed16(n); }
int64_t highWord(int64_t n) { return signed16(n >> 16); }
int64_t lowLong(int64_t n) { return signed32(n); }
int64_t highLong(int64_t n) { return signed32(static_cast<int64_t>(static_cast<uint64_t>(n) >> 32)); }

int64_t andAll(std::span<const int64_t> values) {
    if (values.empty()) return 0;
    int64_t r = values.front();
    for (int64_t v : values.subspan(1)) r &= v;
    return r;
}

int64_t orAll(std::span<const int64_t> values) {
    int64_t r = 0;
    for (int64_t v : values) r |= v;
    return r;
}

int64_t xorAll(std::span<const int64_t> values) {
    int64_t r = 0;
    for (int64_t v : values) r ^= v;
    return r;
}

int64_t excludeBits(std::span<const int64_t> values) {
    if (values.empty()) return 0;
    int64_t r = values.front();
    for (int64_t v : values.subspan(1)) r &= ~v;
    return r;
}

// A shift by the type's width or more is undefined in C++; by definition here it empties the number.
int64_t shiftRight(int64_t n, int64_t bits) {
    const unsigned count = static_cast<unsigned>(bits & 0xFF);
    if (count >= 64) return 0;
    return static_cast<int64_t>(static_cast<uint64_t>(n) >> count);
}

int64_t shiftLeft(int64_t n, int64_t bits) {
    const unsigned count = static_cast<unsigned>(bits & 0xFF);
    if (count >= 64) return 0;
    return static_cast<int64_t>(static_cast<uint64_t>(n) << count);
}

}  // namespace vorpex
