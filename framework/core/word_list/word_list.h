// WordList: words mapped to numbers, compared without regard to letter case and only as whole words. The data
// set keeps the index of its field names in one. The object layer reaches a list only through a numeric handle
// and the functions VP_WLCREATE, VP_WLADD, VP_WLSEARCH and VP_WLFREE.
//
// Folding: each byte is reduced to its low 7 bits, then 96..127 become 64..95, so small letters match capitals
// (and a byte above 127 matches the 7-bit character it reduces to). Words are whole byte strings: a byte that
// folds to 0 is a character like any other, never the end of the word.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace vorpex {

class WordList {
public:
    WordList() = default;
    ~WordList();
    WordList(const WordList&) = delete;
    WordList& operator=(const WordList&) = delete;

    static constexpr unsigned char fold(unsigned char c) {
        c &= 0x7F;
        return c >= 96 ? static_cast<unsigned char>(c - 32) : c;
    }

    // False for an empty word and for a word already there (whose first number then stays).
    bool add(std::string_view word, int64_t number);
    // 0 for an empty or absent word.
    int64_t search(std::string_view word) const;

    // Chains alive in every list of the process: a list that frees everything brings it back where it was.
    static size_t liveChains();

private:
    struct Chain;
    struct Walk;
    static Walk walk(Chain* chain, std::string_view rest);

    // One root slot per folded first character; folded values run from 0 to 95.
    std::array<std::unique_ptr<Chain>, 96> root_;
};

// The lists the object layer holds by handle. A handle is never reused, so a stale one finds nothing; 0 and any
// number that is not a live list's handle find nothing either.
int64_t createWordList();
WordList* findWordList(int64_t handle);
bool freeWordList(int64_t handle);

// VP_WLCREATE, VP_WLADD, VP_WLSEARCH and VP_WLFREE become callable by name. Safe to call more than once.
void registerWordListFunctions();

}  // namespace vorpex
