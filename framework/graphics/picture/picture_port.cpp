#include "framework/graphics/picture/picture_port.h"

#include <string_view>

namespace vorpex::gfx {

namespace {

PicturePort* installed = nullptr;

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kBitfields = 3;

uint32_t readU32(const std::string& s, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<unsigned char>(s[at + i])) << (8 * i);
    return v;
}
uint16_t readU16(const std::string& s, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8);
}
void putU32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// The bytes between the info header and the bits: the colour table, and the three masks of a bit-field
// bitmap whose header has no room for them.
uint32_t colorTableBytes(const std::string& res, uint32_t headerSize) {
    const uint32_t used = headerSize >= 36 ? readU32(res, 32) : 0;
    const uint16_t bits = readU16(res, 14);
    const uint32_t masks = headerSize == kInfoHeaderSize && readU32(res, 16) == kBitfields ? 12 : 0;
    if (used) return 4 * used + masks;
    switch (bits) {
        case 1: return 8;
        case 4: return 64;
        case 8: return 1024;
        default: return masks;
    }
}

}  // namespace

PicturePort& picturePort() { return installed ? *installed : platformPicturePort(); }
void setPicturePort(PicturePort* port) { installed = port; }

bool oleReadsFormat(const std::string& bytes) {
    static constexpr std::string_view kPng{"\x89PNG\r\n\x1a\n", 8}, kTiffIntel{"II*\0", 4}, kTiffMotorola{"MM\0*", 4};
    const std::string_view head(bytes);
    return !head.starts_with(kPng) && !head.starts_with(kTiffIntel) && !head.starts_with(kTiffMotorola);
}

std::optional<std::string> bitmapFileFromResource(const std::string& res) {
    if (res.size() < kInfoHeaderSize) return std::nullopt;
    const uint32_t headerSize = readU32(res, 0);
    if (headerSize < kInfoHeaderSize || headerSize > res.size()) return std::nullopt;
    const uint64_t offset = uint64_t{headerSize} + kFileHeaderSize + colorTableBytes(res, headerSize);
    const uint64_t fileSize = (res.size() + kFileHeaderSize + 3) / 4 * 4;
    if (offset > res.size() + kFileHeaderSize || fileSize > UINT32_MAX) return std::nullopt;
    std::string file = "BM";
    putU32(file, static_cast<uint32_t>(fileSize));
    putU32(file, 0);
    putU32(file, static_cast<uint32_t>(offset));
    return file + res;
}

}  // namespace vorpex::gfx
