#include "zip.h"

#include <array>

namespace xl {

namespace {

std::array<uint32_t, 256> makeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void put16(std::string& out, uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::string& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// 1 January 1980 00:00, the earliest time a zip entry can carry: the same bytes on every run.
constexpr uint16_t kDosTime = 0, kDosDate = (0 << 9) | (1 << 5) | 1;

// The fields local headers and directory entries share, from "version needed" to the name's length.
void putEntryFacts(std::string& out, uint32_t crc, uint32_t size, size_t nameLength) {
    put16(out, 20);  // version needed: 2.0
    put16(out, 0);   // flags
    put16(out, 0);   // method: stored
    put16(out, kDosTime);
    put16(out, kDosDate);
    put32(out, crc);
    put32(out, size);  // compressed
    put32(out, size);  // uncompressed
    put16(out, static_cast<uint32_t>(nameLength));
    put16(out, 0);  // extra field length
}

}  // namespace

uint32_t crc32(std::string_view bytes) {
    static const std::array<uint32_t, 256> table = makeCrcTable();
    uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : bytes) c = table[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void StoredZip::add(std::string_view name, std::string_view bytes) {
    const uint32_t crc = crc32(bytes);
    const uint32_t size = static_cast<uint32_t>(bytes.size());
    const uint32_t offset = static_cast<uint32_t>(entries_.size());

    put32(entries_, 0x04034b50);
    putEntryFacts(entries_, crc, size, name.size());
    entries_.append(name);
    entries_.append(bytes);

    put32(directory_, 0x02014b50);
    put16(directory_, 20);  // made by: version 2.0
    putEntryFacts(directory_, crc, size, name.size());
    put16(directory_, 0);  // comment length
    put16(directory_, 0);  // disk number
    put16(directory_, 0);  // internal attributes
    put32(directory_, 0);  // external attributes
    put32(directory_, offset);
    directory_.append(name);
    ++count_;
}

std::string StoredZip::finish() const {
    std::string out = entries_ + directory_;
    put32(out, 0x06054b50);
    put16(out, 0);  // this disk
    put16(out, 0);  // disk of the directory
    put16(out, count_);
    put16(out, count_);
    put32(out, static_cast<uint32_t>(directory_.size()));
    put32(out, static_cast<uint32_t>(entries_.size()));
    put16(out, 0);  // comment length
    return out;
}

}  // namespace xl
