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
#include "runtime/rdd/file.h"

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
    // Writes the file (replacing any file of that name), opened with the given sharing. Answers the number of
    // keys written (fewer than added for a unique order).
    uint64_t write(const std::string& path, rdd::Share share = rdd::Share::Exclusive);
    size_t runCount() const { return runs_.size(); }

private:
    class Source;
    class MemorySource;
    class MergeSource;
    class FileSource;
    class PageWriter;
    struct CloseFile {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    // A temporary sort file: gone when its owner is, on every path.
    using TempFile = std::unique_ptr<std::FILE, CloseFile>;

    static TempFile newTempFile();
    void spill();
    void sortBuffer();
    bool less(const unsigned char* a, const unsigned char* b) const;
    // Every entry to write, in key order without a unique order's duplicates; `count` tells how many.
    std::unique_ptr<Source> sortedEntries(uint64_t& count);
    // A unique order's entries from the merged runs, duplicates dropped, through a temporary file.
    std::unique_ptr<Source> withoutDuplicates(Source& sorted, uint64_t& count);
    // Writes a subtree of `height` levels holding the next n entries; answers its page offset.
    uint32_t writeSubtree(PageWriter& writer, Source& entries, uint64_t n, int height);
    const unsigned char* take(Source& entries) const;

    NtxHeader header_;
    size_t budget_;
    size_t entrySize_;
    std::vector<unsigned char> buffer_;  // entries: key bytes then the record number
    std::vector<uint32_t> order_;
    std::vector<TempFile> runs_;
    uint64_t added_ = 0;
};

}  // namespace rt::ntx
