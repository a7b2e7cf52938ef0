#include "ntx_header.h"

#include <cstring>

#include "ntx_error.h"
#include "runtime/rdd/byte_order.h"

namespace rt::ntx {

namespace {

// Field positions in page 0.
constexpr size_t offSignature = 0, offVersion = 2, offRoot = 4, offFree = 8, offItemSize = 12, offKeySize = 14,
                 offKeyDec = 16, offMaxItems = 18, offHalfPage = 20, offKeyExpr = 22, offUnique = 278,
                 offDescend = 280, offForExpr = 282, offTagName = 538, tagNameSize = 12;

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
    rdd::putLE16(&b[offSignature], signature);
    rdd::putLE16(&b[offVersion], version);
    rdd::putLE32(&b[offRoot], root);
    rdd::putLE32(&b[offFree], freePage);
    rdd::putLE16(&b[offItemSize], itemSize);
    rdd::putLE16(&b[offKeySize], keySize);
    rdd::putLE16(&b[offKeyDec], keyDecimals);
    rdd::putLE16(&b[offMaxItems], maxItems);
    rdd::putLE16(&b[offHalfPage], halfPage);
    putText(&b[offKeyExpr], keyExpr, exprCapacity);
    b[offUnique] = unique ? 1 : 0;
    b[offDescend] = descending ? 1 : 0;
    putText(&b[offForExpr], forExpr, exprCapacity);
    putText(&b[offTagName], tagName, tagNameSize);
    return b;
}

NtxHeader NtxHeader::decode(const unsigned char* p, const std::string& file) {
    NtxHeader h;
    h.signature = rdd::getLE16(p + offSignature);
    if (h.signature != 6 && h.signature != 7) throwCorrupt(file, "bad signature");
    h.version = rdd::getLE16(p + offVersion);
    h.root = rdd::getLE32(p + offRoot);
    h.freePage = rdd::getLE32(p + offFree);
    h.itemSize = rdd::getLE16(p + offItemSize);
    h.keySize = rdd::getLE16(p + offKeySize);
    h.keyDecimals = rdd::getLE16(p + offKeyDec);
    h.maxItems = rdd::getLE16(p + offMaxItems);
    h.halfPage = rdd::getLE16(p + offHalfPage);
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
