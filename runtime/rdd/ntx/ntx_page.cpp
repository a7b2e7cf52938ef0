#include "ntx_page.h"

#include <stdexcept>

#include "ntx_error.h"
#include "runtime/rdd/byte_order.h"

namespace rt::ntx {

NtxPage::NtxPage(uint32_t offset_, uint16_t keySize, uint16_t maxItems)
    : offset(offset_), keySize_(keySize), capacity_(static_cast<uint16_t>(maxItems + 1)) {
    const size_t bytes = (2 * static_cast<size_t>(capacity_) + 1) * sizeof(uint32_t) +
                         static_cast<size_t>(capacity_) * keySize_;
    buf_ = std::make_unique<unsigned char[]>(bytes);  // zeroed: an empty leaf
}

void NtxPage::insertItem(size_t i, std::string_view k, uint32_t rec, uint32_t leftChild) {
    if (count_ >= capacity_) throw std::length_error("NTX page full");
    const size_t tail = count_ - i;
    std::memmove(keys() + (i + 1) * keySize_, keys() + i * keySize_, tail * keySize_);
    std::memcpy(keys() + i * keySize_, k.data(), keySize_);
    std::memmove(recnos() + i + 1, recnos() + i, tail * sizeof(uint32_t));
    recnos()[i] = rec;
    std::memmove(children() + i + 1, children() + i, (tail + 1) * sizeof(uint32_t));
    children()[i] = leftChild;
    ++count_;
    dirty = true;
}

void NtxPage::removeItem(size_t i) {
    const size_t tail = count_ - i - 1;
    std::memmove(keys() + i * keySize_, keys() + (i + 1) * keySize_, tail * keySize_);
    std::memmove(recnos() + i, recnos() + i + 1, tail * sizeof(uint32_t));
    std::memmove(children() + i, children() + i + 1, (tail + 1) * sizeof(uint32_t));
    --count_;
    dirty = true;
}

void NtxPage::removeItemAndRight(size_t i) {
    const size_t tail = count_ - i - 1;
    std::memmove(keys() + i * keySize_, keys() + (i + 1) * keySize_, tail * keySize_);
    std::memmove(recnos() + i, recnos() + i + 1, tail * sizeof(uint32_t));
    std::memmove(children() + i + 1, children() + i + 2, tail * sizeof(uint32_t));
    --count_;
    dirty = true;
}

void NtxPage::setItem(size_t i, std::string_view k, uint32_t rec) {
    std::memcpy(keys() + i * keySize_, k.data(), keySize_);
    recnos()[i] = rec;
    dirty = true;
}

void NtxPage::dropFront(size_t from) {
    const size_t n = count_ - from;
    std::memmove(keys(), keys() + from * keySize_, n * keySize_);
    std::memmove(recnos(), recnos() + from, n * sizeof(uint32_t));
    std::memmove(children(), children() + from, (n + 1) * sizeof(uint32_t));
    count_ = static_cast<uint16_t>(n);
    dirty = true;
}

void NtxPage::appendFrom(const NtxPage& other, size_t from, size_t n, bool withFirstChild) {
    if (count_ + n > capacity_) throw std::length_error("NTX page full");
    std::memcpy(keys() + count_ * keySize_, other.keyData(from), n * keySize_);
    std::memcpy(recnos() + count_, other.recnos() + from, n * sizeof(uint32_t));
    const size_t firstChild = withFirstChild ? 0 : 1;
    std::memcpy(children() + count_ + firstChild, other.children() + from + firstChild,
                (n + 1 - firstChild) * sizeof(uint32_t));
    count_ = static_cast<uint16_t>(count_ + n);
    dirty = true;
}

void NtxPage::clear(uint32_t link) {
    count_ = 0;
    children()[0] = link;
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
        rdd::putLE32(item, child(i));
        if (i == n) break;
        rdd::putLE32(item + 4, recno(i));
        std::memcpy(item + 8, keyData(i), keySize_);
    }
}

std::unique_ptr<NtxPage> NtxPage::decode(const NtxHeader& h, uint32_t offset, const unsigned char* in,
                                         const std::string& file) {
    auto p = std::make_unique<NtxPage>(offset, h.keySize, h.maxItems);
    const size_t n = rdd::getLE16(in);
    if (n > h.maxItems) throwCorrupt(file, "item count beyond page capacity");
    const size_t tableEnd = 2 + 2 * (static_cast<size_t>(h.maxItems) + 1);
    p->count_ = static_cast<uint16_t>(n);
    for (size_t i = 0; i <= n; ++i) {
        size_t at = rdd::getLE16(in + 2 + 2 * i);
        if (at < tableEnd || at + h.itemSize > pageSize) throwCorrupt(file, "item offset outside the page");
        const uint32_t c = rdd::getLE32(in + at);
        if (c % pageSize != 0) throwCorrupt(file, "page offset not on a page boundary");
        if (c == offset) throwCorrupt(file, "page links to itself");
        p->children()[i] = c;
        if (i == n) break;
        p->recnos()[i] = rdd::getLE32(in + at + 4);
        std::memcpy(p->keys() + i * h.keySize, in + at + 8, h.keySize);
    }
    // A page is either a leaf or has every child: navigation relies on it.
    const bool leaf = p->leaf();
    for (size_t i = 0; i <= n; ++i)
        if ((p->child(i) == 0) != leaf) throwCorrupt(file, "page mixes leaf and branch items");
    // Keys out of order would send seeks astray without a sign; one comparison per key when the page is read.
    for (size_t i = 1; i < n; ++i) {
        int c = std::memcmp(p->keyData(i - 1), p->keyData(i), h.keySize);
        if (h.descending ? c < 0 : c > 0) throwCorrupt(file, "keys out of order in a page");
    }
    return p;
}

}  // namespace rt::ntx
