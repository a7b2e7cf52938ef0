// Memo files: the DBT of dBASE III (512-byte blocks, text ended by 0x1A 0x1A) and the FPT of FoxPro (block
// size in the header, big-endian block headers). A memo field of the table holds the first block number.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "file.h"

namespace rt::rdd {

enum class MemoKind { Dbt = 1, Fpt = 2 };

class MemoFile {
public:
    virtual ~MemoFile() = default;

    // Opens an existing memo file; null with `fault` (damage) or `osCode` (could not open) set.
    static std::unique_ptr<MemoFile> open(const std::string& path, MemoKind kind, bool writable, Share share,
                                          int& osCode, std::string& fault);
    static std::unique_ptr<MemoFile> create(const std::string& path, MemoKind kind, uint32_t blockSize, int& osCode);

    // The text stored from `block`; false with `fault` when the block lies outside the file or is damaged.
    virtual bool read(uint32_t block, std::string& text, std::string& fault) = 0;
    // Stores `text`, reusing the blocks of `oldBlock` when it fits there; answers the first block (0 for an
    // empty text) or false when the file could not be written.
    virtual bool write(const std::string& text, uint32_t oldBlock, uint32_t& block) = 0;
    // Empties the file (ZAP).
    virtual bool zap() = 0;

    File& file() { return file_; }
    uint32_t blockSize() const { return blockSize_; }

protected:
    File file_;
    uint32_t blockSize_ = 512;
    bool shared_ = false;
};

// Default extension of the memo file for a kind ("dbt", "fpt").
const char* memoExtension(MemoKind kind);

}  // namespace rt::rdd
