#include "ntx_header.h"

#include <cstring>

#include "ntx_error.h"

namespace rt::ntx {

namespace {

// Field positions in page 0.
constexpr size_t offSignature = 0, offVersion = 2, offRoot = 4, offFree = 8, offItemSize = 12, offKeySize = 14,
                 offKeyDec = 16, offMaxItems = 18, offHalfPage = 20, offKeyExpr = 22, offUnique = 278,
                 offDescend = 280, offForExpr = 282, offTagName = 538, tagNameSize = 12;

uint16_t get16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t get32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}
void put16(unsigned char* p, uint16_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}
void put32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

std::string getText(const unsigned char* p, size_t cap) {
    size_t n = 0;
    while (n < cap && p[n] != 0) ++n;
    return std::string(reinterpret_cast<const char*>(p), n);
}

void putText(unsigned char* p, const std::string& s, size_t cap) {
    std::memcpy(p, s.data(), std::min(s.size(), cap - 1));  // always leaves the terminating zero
}

}  // namespace

uint16_t maxItemsFor(uint16_t keySize) {
    int items = (pageSize - 4) / (keySize + 10) - 1;
    items -= items % 2;
    return static_cast<uint16_t>(items < 2 ? 2 : items);
}

NtxHeader NtxHeader::forKey(uint16_t size, uint16_t decimals, std::string keyExpr, std::string forExpr,
                            bool unique, bool descending) {
    NtxHeader h;
    h.keySize = size;
    h.keyDecimals = decimals;
    h.itemSize = static_cast<uint16_t>(size + 8);
    h.maxItems = maxItemsFor(size);
    h.halfPage = h.maxItems / 2;
    h.keyExpr = std::move(keyExpr);
    h.forExpr = std::move(forExpr);
    h.unique = unique;
    h.descending = descending;
    return h;
}

std::array<unsigned char, pageSize> NtxHeader::encode() const {
    std::array<unsigned char, pageSize> b{};
    put16(&b[offSignature], signature);
    put16(&b[offVersion], version);
    put32(&b[offRoot], root);
    put32(&b[offFree], freePage);
    put16(&b[offItemSize], itemSize);
    put16(&b[offKeySize], keySize);
    put16(&b[offKeyDec], keyDecimals);
    put16(&b[offMaxItems], maxItems);
    put16(&b[offHalfPage], halfPage);
    putText(&b[offKeyExpr], keyExpr, exprCapacity);
    b[offUnique] = unique ? 1 : 0;
    b[offDescend] = descending ? 1 : 0;
    putText(&b[offForExpr], forExpr, exprCapacity);
    putText(&b[offTagName], tagName, tagNameSize);
    return b;
}

NtxHeader NtxHeader::decode(const unsigned char* p, const std::string& file) {
    NtxHeader h;
    h.signature = get16(p + offSignature);
    if (h.signature != 6 && h.signature != 7) throwCorrupt(file, "bad signature");
    h.version = get16(p + offVersion);
    h.root = get32(p + offRoot);
    h.freePage = get32(p + offFree);
    h.itemSize = get16(p + offItemSize);
    h.keySize = get16(p + offKeySize);
    h.keyDecimals = get16(p + offKeyDec);
    h.maxItems = get16(p + offMaxItems);
    h.halfPage = get16(p + offHalfPage);
    h.keyExpr = getText(p + offKeyExpr, exprCapacity);
    h.unique = p[offUnique] != 0;
    h.descending = p[offDescend] != 0;
    h.forExpr = getText(p + offForExpr, exprCapacity);
    h.tagName = getText(p + offTagName, tagNameSize);
    if (h.keySize == 0 || h.keySize > maxKeySize) throwCorrupt(file, "key size out of range");
    if (h.itemSize != h.keySize + 8) throwCorrupt(file, "item size does not match the key size");
    // The item table (count + max + 1 offsets) and the items themselves must fit the page.
    size_t need = 2 + (static_cast<size_t>(h.maxItems) + 1) * (2 + h.itemSize);
    if (h.maxItems < 2 || need > pageSize) throwCorrupt(file, "page capacity does not fit a page");
    if (h.root == 0 || h.root % pageSize != 0) throwCorrupt(file, "root page offset invalid");
    if (h.freePage % pageSize != 0) throwCorrupt(file, "free page offset invalid");
    if (h.keyExpr.empty()) throwCorrupt(file, "empty key expression");
    if (h.halfPage == 0 || h.halfPage > h.maxItems) h.halfPage = h.maxItems / 2;
    return h;
}

}  // namespace rt::ntx
