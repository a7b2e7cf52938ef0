// One B-tree page in memory. On disk a page is a count, a table of item offsets and the items (child page,
// record number, key); the rightmost child sits in the item after the last. In memory the items are kept in
// key order in one flat buffer sized for a full page plus the item that makes it split: children, record
// numbers and keys each in their own run of it, so inserts and removals shift bytes within the buffer and
// never allocate, and a search reads keys that lie side by side.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "ntx_header.h"

namespace rt::ntx {

class NtxPage {
public:
    // An empty leaf with room for `maxItems` items and the one an insert adds before the page splits.
    NtxPage(uint32_t offset, uint16_t keySize, uint16_t maxItems);

    uint32_t offset = 0;
    bool dirty = false;
    bool fresh = false;  // allocated since the last write: nothing on disk links it yet

    size_t count() const { return count_; }
    size_t capacity() const { return capacity_; }
    uint16_t keySize() const { return keySize_; }
    bool leaf() const { return children()[0] == 0; }
    const char* keyData(size_t i) const { return keys() + i * keySize_; }
    std::string_view key(size_t i) const { return std::string_view(keyData(i), keySize_); }
    uint32_t recno(size_t i) const { return recnos()[i]; }
    // Children 0..count; all 0 on a leaf.
    uint32_t child(size_t i) const { return children()[i]; }
    uint32_t lastChild() const { return children()[count_]; }
    void setChild(size_t i, uint32_t c) {
        children()[i] = c;
        dirty = true;
    }

    // Throws std::length_error past the capacity (the tree splits or refuses a merge before that).
    void insertItem(size_t i, std::string_view k, uint32_t rec, uint32_t leftChild);
    // Removes item i and the child to its left (on a leaf the child is 0 anyway).
    void removeItem(size_t i);
    // Removes item i and the child to its right.
    void removeItemAndRight(size_t i);
    void setItem(size_t i, std::string_view k, uint32_t rec);
    // Keeps items [from, count) and the children around them: the left part of a split went elsewhere.
    void dropFront(size_t from);
    // Appends items [from, from + n) of `other` and its children after them (the first goes to this page's last
    // child slot only when `withFirstChild`): splits and merges.
    void appendFrom(const NtxPage& other, size_t from, size_t n, bool withFirstChild);
    // No items, one child slot holding `link` (a released page chains the free list through it).
    void clear(uint32_t link);

    // Encodes with the canonical offset table for a file with this header.
    void encode(const NtxHeader& h, unsigned char* out) const;
    // Decodes and checks a page read from disk; throws a corrupt-index NtxError naming `file`.
    static std::unique_ptr<NtxPage> decode(const NtxHeader& h, uint32_t offset, const unsigned char* in,
                                           const std::string& file);

private:
    uint32_t* children() { return reinterpret_cast<uint32_t*>(buf_.get()); }
    const uint32_t* children() const { return reinterpret_cast<const uint32_t*>(buf_.get()); }
    uint32_t* recnos() { return children() + capacity_ + 1; }
    const uint32_t* recnos() const { return children() + capacity_ + 1; }
    char* keys() { return reinterpret_cast<char*>(recnos() + capacity_); }
    const char* keys() const { return reinterpret_cast<const char*>(recnos() + capacity_); }

    uint16_t keySize_;
    uint16_t capacity_;
    uint16_t count_ = 0;
    std::unique_ptr<unsigned char[]> buf_;
};

}  // namespace rt::ntx
