// Creates an NTX file from unsorted (key, record) pairs: sorts them in memory, or in sorted runs on
// temporary files merged at the end when they exceed the memory budget, and writes the pages bottom-up in
// one sequential pass (children before their parent, the root last), every leaf at the same depth.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ntx_header.h"

namespace rt::ntx {

class NtxBuilder {
public:
    explicit NtxBuilder(NtxHeader header, size_t memoryBudget = size_t(256) << 20);
    ~NtxBuilder();
    NtxBuilder(const NtxBuilder&) = delete;
    NtxBuilder& operator=(const NtxBuilder&) = delete;

    // The key must be exactly the header's key size.
    void add(std::string_view key, uint32_t recno);
    uint64_t added() const { return added_; }
    // Writes the file (replacing any file of that name). Answers the number of keys written (fewer than
    // added for a unique order).
    uint64_t write(const std::string& path);
    size_t runCount() const { return runs_.size(); }

private:
    class Source;
    class MemorySource;
    class MergeSource;
    class PageWriter;

    void spill();
    void sortBuffer();
    bool less(const unsigned char* a, const unsigned char* b) const;

    NtxHeader header_;
    size_t budget_;
    size_t entrySize_;
    std::vector<unsigned char> buffer_;  // entries: key bytes then the record number
    std::vector<uint32_t> order_;
    std::vector<std::FILE*> runs_;
    std::vector<uint64_t> runLengths_;
    uint64_t added_ = 0;
};

}  // namespace rt::ntx
