// One B-tree page in memory. On disk a page is a count, a table of item offsets and the items (child page,
// record number, key); the rightmost child sits in the item after the last. In memory the items are kept in
// key order in flat arrays, so inserts and removals shift arrays instead of walking the offset table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ntx_header.h"

namespace rt::ntx {

struct NtxPage {
    uint32_t offset = 0;
    uint16_t keySize = 0;
    std::vector<uint32_t> child;  // count + 1 entries; all 0 on a leaf
    std::vector<uint32_t> recno;  // count entries
    std::string keys;             // count * keySize bytes
    bool dirty = false;
    bool fresh = false;  // allocated since the last write: nothing on disk links it yet

    size_t count() const { return recno.size(); }
    bool leaf() const { return child.empty() || child[0] == 0; }
    std::string_view key(size_t i) const { return std::string_view(keys).substr(i * keySize, keySize); }

    void insertItem(size_t i, std::string_view k, uint32_t rec, uint32_t leftChild);
    // Removes item i and the child to its left (on a leaf the child is 0 anyway).
    void removeItem(size_t i);
    // Removes item i and the child to its right.
    void removeItemAndRight(size_t i);
    void setItem(size_t i, std::string_view k, uint32_t rec);

    // Encodes with the canonical offset table for a file with this header.
    void encode(const NtxHeader& h, unsigned char* out) const;
    // Decodes and checks a page read from disk; throws a corrupt-index NtxError naming `file`.
    static NtxPage decode(const NtxHeader& h, uint32_t offset, const unsigned char* in, const std::string& file);
};

}  // namespace rt::ntx
