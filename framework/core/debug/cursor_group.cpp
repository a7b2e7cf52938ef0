#include "framework/core/debug/cursor_group.h"

namespace vorpex {

namespace {

// The group directory: reserved, type (2 for cursors) and count as 16-bit words, then `count` entries of
// width, height, planes, bit count (16 bits each), the image's byte size (32 bits) and its resource id (16 bits).
constexpr size_t kHeaderSize = 6;
constexpr size_t kEntrySize = 14;
constexpr size_t kBitCountAt = 6;
constexpr size_t kIdAt = 12;
constexpr uint16_t kCursorType = 2;

uint16_t word(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

}  // namespace

std::optional<uint16_t> pickCursorImage(std::span<const uint8_t> dir, bool shadowOn) {
    if (dir.size() < kHeaderSize || word(dir, 2) != kCursorType) return std::nullopt;
    const size_t count = word(dir, 4);
    if (dir.size() < kHeaderSize + count * kEntrySize) return std::nullopt;
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = kHeaderSize + i * kEntrySize;
        const bool deep = word(dir, entry + kBitCountAt) == 32;
        if (deep == shadowOn) return word(dir, entry + kIdAt);
    }
    return std::nullopt;
}

}  // namespace vorpex
