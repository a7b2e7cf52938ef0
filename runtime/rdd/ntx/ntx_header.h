// The NTX file header (page 0): where the tree starts, the key's shape, and the expressions as text.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace rt::ntx {

inline constexpr uint32_t pageSize = 1024;
inline constexpr uint16_t maxKeySize = 256;
inline constexpr size_t exprCapacity = 256;  // key and FOR texts, zero-terminated

struct NtxHeader {
    uint16_t signature = 6;
    uint16_t version = 0;     // bumped by every change: readers in other processes drop their cached pages
    uint32_t root = 0;
    uint32_t freePage = 0;    // head of the list of released pages, 0 = none
    uint16_t itemSize = 0;    // key size + 8 (child page and record number)
    uint16_t keySize = 0;
    uint16_t keyDecimals = 0;
    uint16_t maxItems = 0;
    uint16_t halfPage = 0;
    std::string keyExpr;
    bool unique = false;
    bool descending = false;
    std::string forExpr;
    std::string tagName;

    // A header for a new file with a key of `size` bytes: page capacity chosen so that the item table and
    // items fit one page, an even count so a split leaves two halves.
    static NtxHeader forKey(uint16_t size, uint16_t decimals, std::string keyExpr, std::string forExpr,
                            bool unique, bool descending);

    std::array<unsigned char, pageSize> encode() const;
    // Throws a corrupt-index NtxError naming `file` when the header cannot describe a usable tree.
    static NtxHeader decode(const unsigned char* page, const std::string& file);
};

// Items that fit one page with a key of this size.
uint16_t maxItemsFor(uint16_t keySize);

}  // namespace rt::ntx
