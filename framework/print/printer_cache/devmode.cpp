#include "framework/print/printer_cache/devmode.h"

#include <algorithm>
#include <cstring>

namespace vorpex::print {

namespace {

uint16_t shortAt(const uint8_t* p, size_t offset) { return static_cast<uint16_t>(p[offset] | (p[offset + 1] << 8)); }

struct Rule {
    size_t offset;
    uint32_t writeBits;
    uint32_t neededBit;  // 0: written and read whatever dmFields lists
    bool userPaper;      // also sets dmPaperSize to DMPAPER_USER
};

Rule ruleOf(Setting s) {
    using namespace dm;
    switch (s) {
        case Setting::Orientation: return {kOrientation, kOrientationBit, 0, false};
        case Setting::PaperSizeType: return {kPaperSize, kPaperSizeBit, 0, false};
        case Setting::PaperLength: return {kPaperLength, kPaperSizeBit | kPaperLengthBit, 0, true};
        case Setting::PaperWidth: return {kPaperWidth, kPaperSizeBit | kPaperWidthBit, 0, true};
        case Setting::Copies: return {kCopies, kCopiesBit, kCopiesBit, false};
        case Setting::DefaultBin: return {kDefaultSource, kDefaultSourceBit, kDefaultSourceBit, false};
        case Setting::Color: return {kColor, kColorBit, kColorBit, false};
        case Setting::Duplex: return {kDuplex, kDuplexBit, kDuplexBit, false};
        case Setting::PrintQuality: return {kPrintQuality, kPrintQualityBit, kPrintQualityBit, false};
        case Setting::Collate: return {kCollate, kCollateBit, kCollateBit, false};
    }
    return {};
}

}  // namespace

std::optional<DevMode> DevMode::copyOf(const void* record, size_t available) {
    if (!record || available < dm::kFields + 4) return std::nullopt;
    const auto* p = static_cast<const uint8_t*>(record);
    const size_t publicSize = shortAt(p, dm::kSize);
    const size_t total = publicSize + shortAt(p, dm::kDriverExtra);
    // The header must at least hold dmFields, and the whole record must lie in the block.
    if (publicSize < dm::kFields + 4 || total > available) return std::nullopt;
    DevMode copy;
    copy.bytes_.assign(p, p + total);
    return copy;
}

DevMode DevMode::blank(uint16_t size, uint16_t driverExtra) {
    DevMode m;
    m.bytes_.assign(static_cast<size_t>(size) + driverExtra, 0);
    m.bytes_[dm::kSize] = static_cast<uint8_t>(size);
    m.bytes_[dm::kSize + 1] = static_cast<uint8_t>(size >> 8);
    m.bytes_[dm::kDriverExtra] = static_cast<uint8_t>(driverExtra);
    m.bytes_[dm::kDriverExtra + 1] = static_cast<uint8_t>(driverExtra >> 8);
    return m;
}

// A record too short to hold dmFields lists nothing and takes no bits.
uint32_t DevMode::fields() const {
    if (bytes_.size() < dm::kFields + 4) return 0;
    uint32_t f;
    std::memcpy(&f, bytes_.data() + dm::kFields, 4);
    return f;
}

void DevMode::setFields(uint32_t f) {
    if (bytes_.size() < dm::kFields + 4) return;
    std::memcpy(bytes_.data() + dm::kFields, &f, 4);
}

std::string DevMode::deviceName() const {
    const char* p = reinterpret_cast<const char*>(bytes_.data());
    return std::string(p, strnlen(p, std::min<size_t>(32, bytes_.size())));
}

int16_t DevMode::readShort(size_t offset) const {
    if (offset + 2 > bytes_.size()) return 0;
    return static_cast<int16_t>(shortAt(bytes_.data(), offset));
}

void DevMode::writeShort(size_t offset, int64_t value) {
    if (!covers(offset)) return;
    const auto v = static_cast<uint16_t>(static_cast<int16_t>(value));
    bytes_[offset] = static_cast<uint8_t>(v);
    bytes_[offset + 1] = static_cast<uint8_t>(v >> 8);
}

int64_t applySetting(DevMode& mode, Setting setting, std::optional<int64_t> value) {
    const Rule rule = ruleOf(setting);
    if (rule.neededBit && !(mode.fields() & rule.neededBit)) return 0;
    if (!mode.covers(rule.offset)) return 0;
    if (value) {
        if (rule.userPaper) mode.writeShort(dm::kPaperSize, dm::kUserPaper);
        mode.writeShort(rule.offset, *value);
        mode.setFields(mode.fields() | rule.writeBits);
    }
    const int64_t field = mode.readShort(rule.offset);
    return setting == Setting::Collate ? (field != 0) : field;
}

int64_t tenthsOfMm(int64_t pixels, int64_t dpi) { return dpi > 0 ? pixels * 254 / dpi : 0; }

std::vector<std::string> fixedWidthNames(const std::vector<uint8_t>& block, size_t count, size_t width) {
    std::vector<std::string> names;
    for (size_t i = 0; i < count && (i + 1) * width <= block.size(); ++i) {
        const char* field = reinterpret_cast<const char*>(block.data() + i * width);
        names.emplace_back(field, strnlen(field, width));
    }
    return names;
}

}  // namespace vorpex::print
