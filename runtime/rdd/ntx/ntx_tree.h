// The B-tree of one NTX file: page cache, navigation by key, rank and key number, and maintenance with
// splits and merges. Keys are byte strings of the header's key size; equal keys are kept in record order.
// Opened shared, every operation takes the file's index lock and re-reads the header first, dropping the
// cached pages when another process changed the file (the header's version moved).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ntx_header.h"
#include "ntx_page.h"
#include "page_file.h"

namespace rt::ntx {

// Deeper than any tree of 32-bit record numbers can be: a path this long means the pages loop.
inline constexpr size_t maxTreeDepth = 40;

// The pages from the root down to an item: a fixed array, so that a descent never allocates.
class PagePath {
public:
    struct Step {
        uint32_t page;
        uint32_t idx;
    };
    bool empty() const { return size_ == 0; }
    size_t size() const { return size_; }
    bool full() const { return size_ == maxTreeDepth; }
    void clear() { size_ = 0; }
    // The caller checks full() first (a deeper path is a loop in the file).
    void push_back(Step s) { steps_[size_++] = s; }
    void pop_back() { --size_; }
    Step& back() { return steps_[size_ - 1]; }
    const Step& back() const { return steps_[size_ - 1]; }
    Step& operator[](size_t i) { return steps_[i]; }
    const Step& operator[](size_t i) const { return steps_[i]; }

private:
    std::array<Step, maxTreeDepth> steps_;
    uint8_t size_ = 0;
};

// A place in the tree: the pages from the root down to the current item. Branch steps hold the child index
// taken, the last step the item index. The key and record are kept so that the place can be found again
// after the tree changed.
struct NtxPosition {
    using Step = PagePath::Step;
    PagePath path;
    std::string key;
    uint32_t recno = 0;
    uint64_t generation = 0;
    bool valid() const { return !path.empty(); }
};

class NtxTree {
public:
    struct Options {
        bool readOnly = false;
        bool shared = false;
        size_t cacheBytes = size_t(256) << 20;
    };

    // Throws NtxError: open failure, or corruption (bad signature, bad header, unreadable root).
    static std::unique_ptr<NtxTree> open(const std::string& path, Options options);
    ~NtxTree();

    const NtxHeader& header() const { return header_; }
    const std::string& path() const { return file_.path(); }
    uint16_t keySize() const { return header_.keySize; }
    // Changes whenever the tree's content may have changed, here or in another process.
    uint64_t generation();

    // Maintenance. insert answers false when the order is unique and the key is present already.
    bool insert(std::string_view key, uint32_t recno);
    bool remove(std::string_view key, uint32_t recno);
    // Writes cached changes and the header; with no changes held open (beginChanges), marks the file whole.
    void flush();
    void close();
    // Closes the file without writing anything: it is about to be rebuilt.
    void abandon();
    // Brackets changes that span more than one call (a table record written, then its keys): the file reads
    // as half-written from the first until every bracket is closed and the changes are flushed.
    void beginChanges();
    void endChanges();
    // True when the file was left half-written by a writer that stopped: every call then reports the
    // corrupt-index error until the file is rebuilt.
    bool stale() const { return stale_; }
    // Throws the corrupt-index error when stale.
    void requireInStep() const;
    // ORDDESCEND on an existing file changes only the header flag; navigation reverses in the order layer.
    void setDescendingFlag(bool on);

    // Navigation. Each answers whether the position is on an entry afterwards (false: past the end).
    bool first(NtxPosition& pos);
    bool last(NtxPosition& pos);
    bool next(NtxPosition& pos);
    bool prev(NtxPosition& pos);
    // The first entry whose key, compared on the prefix's length, is not below (strict: above) the prefix.
    bool seek(NtxPosition& pos, std::string_view prefix, bool strict);
    // The entry with this key and record, or false (position then undefined).
    bool find(NtxPosition& pos, std::string_view key, uint32_t recno);
    // The entry with this key and record or, when absent, the first entry after where it would be.
    bool seekEntry(NtxPosition& pos, std::string_view key, uint32_t recno, bool& exact);
    // 1-based key number of the entry; 0 when the position is not on one.
    uint64_t rank(NtxPosition& pos);
    bool gotoRank(NtxPosition& pos, uint64_t n);
    uint64_t keyCount();

    // Byte comparison in the file's order (reversed for a descending file).
    int compare(std::string_view a, std::string_view b) const;
    int comparePrefix(std::string_view key, std::string_view prefix) const;

    // Checks every reachable page: structure, key order, uniform depth, no page reached twice. Throws a
    // corrupt-index NtxError; answers the number of keys.
    uint64_t verify();

private:
    NtxTree() = default;
    class Guard;

    NtxPage& page(uint32_t offset);
    NtxPage& allocPage();
    void releasePage(NtxPage& p);
    void refresh();
    void writeHeader();
    void writeDirty();
    void writePages(const std::vector<NtxPage*>& pages);
    void openWindow();
    void closeWindow();
    bool leftHalfWritten();
    void modified();
    void trimCache();

    bool firstIn(NtxPosition& pos, uint32_t from);
    bool lastIn(NtxPosition& pos, uint32_t from);
    bool climbNext(NtxPosition& pos);
    bool climbPrev(NtxPosition& pos);
    bool stepNext(NtxPosition& pos);
    bool stepPrev(NtxPosition& pos);
    // A non-null leafPath receives the path at the leaf where the descent stopped, before any climb.
    bool seekIn(NtxPosition& pos, std::string_view prefix, bool strict, PagePath* leafPath = nullptr);
    bool findIn(NtxPosition& pos, std::string_view key, uint32_t recno);
    bool settle(NtxPosition& pos, bool onEntry);
    // After another change of the tree: back to the saved key and record, or the entry after them.
    bool relocate(NtxPosition& pos, bool& exact);
    bool entryAtOrAfter(NtxPosition& pos, std::string_view key, uint32_t recno, bool& exact);
    uint64_t subtreeSize(uint32_t offset, uint32_t parent, size_t slot, int depth);
    bool settleStep(NtxPosition& pos, bool onEntry, bool forward);
    void splitUp(PagePath& path);
    void rebalance(PagePath& path);
    void pushDepth(PagePath& path, uint32_t page, uint32_t idx);
    // Where a key absent from the tree goes: the leaf path of the last full-key seek that missed.
    const PagePath* insertHint(std::string_view key) const;
    int compareFull(std::string_view a, uint32_t ra, std::string_view b, uint32_t rb) const;
    uint64_t verifyPage(uint32_t offset, int depth, int& leafDepth, std::string& lastKey, uint32_t& lastRec,
                        bool& haveLast, std::vector<bool>& seen);

    PageFile file_;
    Options options_;
    NtxHeader header_;
    // Cached pages by page number (offset / page size): page numbers are dense, so a vector is the map.
    std::vector<std::unique_ptr<NtxPage>> cache_;
    size_t cached_ = 0;
    void dropCache();
    void remember(std::unique_ptr<NtxPage> p);
    struct Subtree {
        uint64_t keys;
        uint32_t parent;
        size_t slot;
    };
    std::unordered_map<uint32_t, Subtree> sizes_;
    // A seek for a whole key that found no entry with it leaves the leaf path where it stopped: while the tree
    // stays as it was, inserting that key goes there without a second descent (the import's seek, then append).
    struct MissedSeek {
        PagePath path;
        std::string key;
        uint64_t generation = 0;
    };
    MissedSeek missed_;
    uint64_t fileEnd_ = 0;
    uint64_t generation_ = 1;
    bool headerDirty_ = false;
    bool changedSinceFlush_ = false;
    bool windowOpen_ = false;  // this handle's changes are open (see openWindow)
    int holds_ = 0;            // open beginChanges brackets
    bool stale_ = false;
};

}  // namespace rt::ntx
