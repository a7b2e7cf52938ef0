// A printer's device mode (the Win32 DEVMODEA record) held as bytes, with the settings the printer object
// reads and writes. The layout is fixed by the platform; keeping it as offsets lets the rules be tested
// without Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorpex::print {

namespace dm {
// Byte offsets of the DEVMODEA fields used here.
inline constexpr size_t kDeviceName = 0;
inline constexpr size_t kSize = 36;
inline constexpr size_t kDriverExtra = 38;
inline constexpr size_t kFields = 40;
inline constexpr size_t kOrientation = 44;
inline constexpr size_t kPaperSize = 46;
inline constexpr size_t kPaperLength = 48;
inline constexpr size_t kPaperWidth = 50;
inline constexpr size_t kCopies = 54;
inline constexpr size_t kDefaultSource = 56;
inline constexpr size_t kPrintQuality = 58;
inline constexpr size_t kColor = 60;
inline constexpr size_t kDuplex = 62;
inline constexpr size_t kYResolution = 64;
inline constexpr size_t kCollate = 68;
// The size of the public part in the current record layout; drivers may report another.
inline constexpr size_t kClassicSize = 156;

// dmFields bits.
inline constexpr uint32_t kOrientationBit = 0x1;
inline constexpr uint32_t kPaperSizeBit = 0x2;
inline constexpr uint32_t kPaperLengthBit = 0x4;
inline constexpr uint32_t kPaperWidthBit = 0x8;
inline constexpr uint32_t kCopiesBit = 0x100;
inline constexpr uint32_t kDefaultSourceBit = 0x200;
inline constexpr uint32_t kPrintQualityBit = 0x400;
inline constexpr uint32_t kColorBit = 0x800;
inline constexpr uint32_t kDuplexBit = 0x1000;
inline constexpr uint32_t kYResolutionBit = 0x2000;
inline constexpr uint32_t kCollateBit = 0x8000;

inline constexpr int64_t kUserPaper = 256;  // DMPAPER_USER
}  // namespace dm

class DevMode {
public:
    // A copy of the record at `record`: its public part of dmSize bytes and the driver's private part of
    // dmDriverExtra bytes after it. `available` bounds what may be read (the size of the block that holds the
    // record, when known). Nothing when the header is implausible.
    static std::optional<DevMode> copyOf(const void* record, size_t available = SIZE_MAX);
    // A record of `size` bytes laid out by the caller (tests and stand-ins).
    static DevMode blank(uint16_t size, uint16_t driverExtra);

    const uint8_t* data() const { return bytes_.data(); }
    uint8_t* data() { return bytes_.data(); }
    size_t size() const { return bytes_.size(); }
    uint16_t dmSize() const { return static_cast<uint16_t>(readShort(dm::kSize)); }
    uint16_t driverExtra() const { return static_cast<uint16_t>(readShort(dm::kDriverExtra)); }
    uint32_t fields() const;
    void setFields(uint32_t f);
    std::string deviceName() const;

    // A 16-bit field of the public part; reads 0 and writes nothing past dmSize.
    bool covers(size_t offset) const { return offset + 2 <= dmSize() && offset + 2 <= bytes_.size(); }
    int16_t readShort(size_t offset) const;
    void writeShort(size_t offset, int64_t value);

private:
    std::vector<uint8_t> bytes_;
};

enum class Setting { Orientation, PaperSizeType, PaperLength, PaperWidth, Copies, DefaultBin, Color, Duplex,
                     PrintQuality, Collate };

// Reads one setting, writing `value` first when given (with its dmFields bits). A setting the driver must
// list in dmFields reads 0 and is not written when it is not listed.
int64_t applySetting(DevMode& mode, Setting setting, std::optional<int64_t> value);

// Pixels to tenths of a millimetre at `dpi` (integer division); 0 without a resolution.
int64_t tenthsOfMm(int64_t pixels, int64_t dpi);

// Names from a block of `count` fixed-width fields (64 for paper names, 24 for bins), each cut at its first
// NUL or at the field's end: a full field has no terminator.
std::vector<std::string> fixedWidthNames(const std::vector<uint8_t>& block, size_t count, size_t width);

}  // namespace vorpex::print
