#include "ntx_page.h"

#include <cstring>

#include "ntx_error.h"
#include "runtime/rdd/byte_order.h"

namespace rt::ntx {

void NtxPage::insertItem(size_t i, std::string_view k, uint32_t rec, uint32_t leftChild) {
    if (child.empty()) child.push_back(0);
    keys.insert(i * keySize, k.data(), keySize);
    recno.insert(recno.begin() + static_cast<ptrdiff_t>(i), rec);
    child.insert(child.begin() + static_cast<ptrdiff_t>(i), leftChild);
    dirty = true;
}

void NtxPage::removeItem(size_t i) {
    keys.erase(i * keySize, keySize);
    recno.erase(recno.begin() + static_cast<ptrdiff_t>(i));
    child.erase(child.begin() + static_cast<ptrdiff_t>(i));
    dirty = true;
}

void NtxPage::removeItemAndRight(size_t i) {
    keys.erase(i * keySize, keySize);
    recno.erase(recno.begin() + static_cast<ptrdiff_t>(i));
    child.erase(child.begin() + static_cast<ptrdiff_t>(i + 1));
    dirty = true;
}

void NtxPage::setItem(size_t i, std::string_view k, uint32_t rec) {
    keys.replace(i * keySize, keySize, k.data(), keySize);
    recno[i] = rec;
    dirty = true;
}

void NtxPage::encode(const NtxHeader& h, unsigned char* out) const {
    std::memset(out, 0, pageSize);
    const size_t n = count();
    rdd::putLE16(out, static_cast<uint16_t>(n));
    const size_t base = 2 + 2 * (static_cast<size_t>(h.maxItems) + 1);
    for (size_t slot = 0; slot <= h.maxItems; ++slot)
        rdd::putLE16(out + 2 + 2 * slot, static_cast<uint16_t>(base + slot * h.itemSize));
    for (size_t i = 0; i <= n; ++i) {
        unsigned char* item = out + base + i * h.itemSize;
        rdd::putLE32(item, i < child.size() ? child[i] : 0);
        if (i == n) break;
        rdd::putLE32(item + 4, recno[i]);
        std::memcpy(item + 8, keys.data() + i * keySize, keySize);
    }
}

NtxPage NtxPage::decode(const NtxHeader& h, uint32_t offset, const unsigned char* in, const std::string& file) {
    NtxPage p;
    p.offset = offset;
    p.keySize = h.keySize;
    const size_t n = rdd::getLE16(in);
    if (n > h.maxItems) throwCorrupt(file, "item count beyond page capacity");
    const size_t tableEnd = 2 + 2 * (static_cast<size_t>(h.maxItems) + 1);
    p.child.resize(n + 1);
    p.recno.resize(n);
    p.keys.resize(n * h.keySize);
    for (size_t i = 0; i <= n; ++i) {
        size_t at = rdd::getLE16(in + 2 + 2 * i);
        if (at < tableEnd || at + h.itemSize > pageSize) throwCorrupt(file, "item offset outside the page");
        p.child[i] = rdd::getLE32(in + at);
        if (p.child[i] % pageSize != 0) throwCorrupt(file, "page offset not on a page boundary");
        if (p.child[i] == offset) throwCorrupt(file, "page links to itself");
        if (i == n) break;
        p.recno[i] = rdd::getLE32(in + at + 4);
        std::memcpy(p.keys.data() + i * h.keySize, in + at + 8, h.keySize);
    }
    // A page is either a leaf or has every child: navigation relies on it.
    bool leaf = p.child[0] == 0;
    for (uint32_t c : p.child)
        if ((c == 0) != leaf) throwCorrupt(file, "page mixes leaf and branch items");
    // Keys out of order would send seeks astray without a sign; one comparison per key when the page is read.
    for (size_t i = 1; i < n; ++i) {
        int c = std::memcmp(p.keys.data() + (i - 1) * h.keySize, p.keys.data() + i * h.keySize, h.keySize);
        if (h.descending ? c < 0 : c > 0) throwCorrupt(file, "keys out of order in a page");
    }
    return p;
}

}  // namespace rt::ntx
