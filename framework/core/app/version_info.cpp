#include "framework/core/app/version_info.h"

#include <algorithm>

namespace vorpex {

namespace {

constexpr uint32_t kFixedSignature = 0xFEEF04BD;
constexpr size_t kFixedSize = 52;  // VS_FIXEDFILEINFO
constexpr size_t kHeaderSize = 6;  // wLength, wValueLength, wType

// One entry of the block: a header, a key, a value and children, every part 32-bit aligned from the start of
// the block. Offsets are checked against `end`, which never exceeds the parent's end.
struct Entry {
    size_t start = 0;
    size_t end = 0;
    uint16_t valueLength = 0;
    uint16_t type = 0;
    std::u16string key;
    size_t value = 0;
    size_t children = 0;
};

class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    uint16_t u16(size_t at) const { return static_cast<uint16_t>(bytes_[at] | bytes_[at + 1] << 8); }
    uint32_t u32(size_t at) const { return u16(at) | static_cast<uint32_t>(u16(at + 2)) << 16; }
    size_t size() const { return bytes_.size(); }

    // Text from `at` up to a NUL or `end`; `next` is set past the NUL (or to `end`). False without a NUL.
    bool text(size_t at, size_t end, std::u16string& out, size_t& next) const {
        out.clear();
        for (; at + 2 <= end; at += 2) {
            char16_t c = static_cast<char16_t>(u16(at));
            if (c == 0) {
                next = at + 2;
                return true;
            }
            out += c;
        }
        next = end;
        return false;
    }

    std::optional<Entry> entry(size_t start, size_t limit) const {
        if (start + kHeaderSize > limit) return std::nullopt;
        Entry e;
        e.start = start;
        size_t length = u16(start);
        if (length < kHeaderSize || start + length > limit) return std::nullopt;
        e.end = start + length;
        e.valueLength = u16(start + 2);
        e.type = u16(start + 4);
        size_t afterKey = 0;
        if (!text(start + kHeaderSize, e.end, e.key, afterKey)) return std::nullopt;
        e.value = std::min(align(afterKey), e.end);
        // A text value counts characters, a binary one bytes.
        size_t valueBytes = e.type == 1 ? size_t(e.valueLength) * 2 : e.valueLength;
        e.children = std::min(align(e.value + valueBytes), e.end);
        return e;
    }

    static size_t align(size_t at) { return (at + 3) & ~size_t(3); }

private:
    std::span<const uint8_t> bytes_;
};

void readFixedPart(const Reader& r, const Entry& root, VersionInfo& info) {
    if (root.valueLength < kFixedSize || root.value + kFixedSize > root.end) return;
    if (r.u32(root.value) != kFixedSignature) return;
    uint32_t ms = r.u32(root.value + 8), ls = r.u32(root.value + 12);
    info.hasFixedPart = true;
    info.version = (ms >> 16) + (ms & 0xFFFF) * 0.1;
    info.release = static_cast<int>(ls >> 16);
    info.build = static_cast<int>(ls & 0xFFFF);
}

std::u16string* fieldFor(VersionInfo& info, const std::u16string& key) {
    if (key == u"FileVersion") return &info.fileVersion;
    if (key == u"FileDescription") return &info.description;
    if (key == u"CompanyName") return &info.company;
    if (key == u"LegalCopyright") return &info.copyright;
    if (key == u"LegalTrademarks") return &info.trademarks;
    if (key == u"Comments") return &info.comments;
    return nullptr;
}

void readStringTable(const Reader& r, const Entry& table, VersionInfo& info) {
    for (size_t at = table.children; at < table.end;) {
        auto s = r.entry(at, table.end);
        if (!s) return;
        if (std::u16string* field = fieldFor(info, s->key)) {
            std::u16string value;
            size_t next = 0;
            r.text(s->value, s->end, value, next);
            *field = value;
        }
        at = Reader::align(s->end);
    }
}

}  // namespace

std::optional<VersionInfo> parseVersionInfo(std::span<const uint8_t> block) {
    Reader r(block);
    auto root = r.entry(0, r.size());
    if (!root || root->key != u"VS_VERSION_INFO") return std::nullopt;
    VersionInfo info;
    readFixedPart(r, *root, info);
    for (size_t at = root->children; at < root->end;) {
        auto child = r.entry(at, root->end);
        if (!child) break;
        if (child->key == u"StringFileInfo") {
            // Only the first string table counts.
            if (auto table = r.entry(child->children, child->end)) readStringTable(r, *table, info);
            break;
        }
        at = Reader::align(child->end);
    }
    return info;
}

}  // namespace vorpex
