#include "ntx_tree.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "key_compare.h"
#include "ntx_error.h"

namespace rt::ntx {

namespace {

constexpr size_t maxDepth = maxTreeDepth;
// Where writers and readers of a shared file serialise (a byte far past any real file size).
constexpr uint64_t lockOffset = 1000000000ULL;
// Every writer with changes not yet whole on disk holds a shared lock here (see openWindow).
constexpr uint64_t windowByte = lockOffset + 1;

inline int compareBytes(const char* a, const char* b, size_t n) { return compareKeyBytes(a, b, n); }

int bytes(std::string_view a, std::string_view b) { return compareBytes(a.data(), b.data(), std::min(a.size(), b.size())); }

std::vector<uint32_t> childrenOf(const NtxPage& p) {
    std::vector<uint32_t> out(p.count() + 1);
    for (size_t i = 0; i <= p.count(); ++i) out[i] = p.child(i);
    return out;
}

}  // namespace

// Brackets one public operation. Shared: takes the index lock (exclusive for writers) and re-reads the header;
// a writer publishes its changes and a new version before unlocking.
class NtxTree::Guard {
public:
    Guard(NtxTree& t, bool write) : t_(t), write_(write) {
        if (write && t.options_.readOnly) throw NtxError(eg::ReadOnly, t.path(), "Index is read-only");
        if (t.options_.shared) {
            t.file_.lock(lockOffset, 1, write, true);
            locked_ = true;
        }
        try {
            if (locked_) t.refresh();
            t.requireInStep();
            t.trimCache();
            if (write) t.openWindow();
        } catch (...) {
            if (locked_) t.file_.unlock(lockOffset, 1);
            throw;
        }
    }
    ~Guard() {
        if (!locked_) return;
        try {
            if (write_ && std::uncaught_exceptions() == 0) t_.flush();
        } catch (...) {
            // A failed write leaves the window open: the file reads as stale until rebuilt.
        }
        t_.file_.unlock(lockOffset, 1);
    }

private:
    NtxTree& t_;
    bool write_;
    bool locked_ = false;
};

std::unique_ptr<NtxTree> NtxTree::open(const std::string& path, Options options) {
    std::unique_ptr<NtxTree> t(new NtxTree());
    t->options_ = options;
    t->file_ = PageFile::open(path, options.readOnly ? PageFile::OpenMode::ReadOnly : PageFile::OpenMode::ReadWrite,
                              options.shared ? rdd::Share::Shared : rdd::Share::Exclusive);
    // Shared: under the index lock, so that no writer is half-way through closing its changes.
    if (options.shared) t->file_.lock(lockOffset, 1, false, true);
    struct Unlock {
        NtxTree& t;
        ~Unlock() {
            if (t.options_.shared) t.file_.unlock(lockOffset, 1);
        }
    } unlock{*t};
    std::array<unsigned char, pageSize> buf{};
    if (t->file_.read(0, buf.data(), pageSize) != pageSize) throwCorrupt(path, "file shorter than its header");
    t->header_ = NtxHeader::decode(buf.data(), path);
    t->fileEnd_ = t->file_.size();
    t->stale_ = t->leftHalfWritten();
    if (!t->stale_) t->page(t->header_.root);  // an unreadable root is reported now rather than at the first seek
    return t;
}

// A writer marks the file as changing (the header's update counter made odd) before its first change reaches
// the disk, and holds a shared lock on the window byte until every change, and the table records they point
// to, are written; then the last writer out makes the counter even again. Other tools that read the file
// see an ordinary counter.
void NtxTree::openWindow() {
    if (windowOpen_ || options_.readOnly) return;
    file_.lock(windowByte, 1, false, true);
    windowOpen_ = true;
    if (header_.version % 2 == 0) {
        ++header_.version;
        writeHeader();
    }
}

void NtxTree::closeWindow() {
    file_.unlock(windowByte, 1);
    windowOpen_ = false;
    if (file_.lock(windowByte, 1, true, false)) {  // no other writer has changes open
        if (header_.version % 2 == 1) ++header_.version;
        file_.unlock(windowByte, 1);
    }
    writeHeader();
}

// An odd counter that no live writer answers for: a writer stopped (was killed) between its first change and
// the end of its changes, so the file may miss keys of records the table has, or hold keys of records it
// never got. Called with the index lock held in shared mode, so no writer is half-way through its end.
bool NtxTree::leftHalfWritten() {
    if (header_.version % 2 == 0 || windowOpen_) return false;
    if (!file_.lock(windowByte, 1, true, false)) return false;
    file_.unlock(windowByte, 1);
    return true;
}

void NtxTree::requireInStep() const {
    if (stale_) throwCorrupt(path(), "a writer stopped before its changes were complete; rebuild the index");
}

void NtxTree::beginChanges() {
    Guard g(*this, true);
    ++holds_;
}

void NtxTree::endChanges() {
    if (holds_ == 0) return;
    --holds_;
    if (holds_ == 0 && options_.shared) {
        Guard g(*this, true);  // its end writes the changes and closes the window
    }
}

void NtxTree::abandon() {
    file_.close();
    dropCache();
    windowOpen_ = false;
    holds_ = 0;
}

NtxTree::~NtxTree() {
    try {
        close();
    } catch (...) {
    }
}

void NtxTree::close() {
    if (!file_.isOpen()) return;
    holds_ = 0;
    if (!options_.readOnly) flush();
    file_.close();
    dropCache();
}

uint64_t NtxTree::generation() {
    if (options_.shared) {
        Guard g(*this, false);
    }
    return generation_;
}

void NtxTree::refresh() {
    std::array<unsigned char, pageSize> buf{};
    if (file_.read(0, buf.data(), pageSize) != pageSize) throwCorrupt(path(), "file shorter than its header");
    NtxHeader h = NtxHeader::decode(buf.data(), path());
    if (h.version == header_.version && h.root == header_.root && h.freePage == header_.freePage) return;
    header_ = h;
    dropCache();
    sizes_.clear();
    fileEnd_ = file_.size();
    ++generation_;
    if (leftHalfWritten()) stale_ = true;
}

void NtxTree::trimCache() {
    // Whole-cache eviction between operations keeps the code free of page pinning.
    if (cached_ * (pageSize + 256) <= options_.cacheBytes) return;
    if (!options_.readOnly) writeDirty();
    dropCache();
}

void NtxTree::dropCache() {
    cache_.clear();
    cached_ = 0;
}

void NtxTree::remember(std::unique_ptr<NtxPage> p) {
    size_t slot = p->offset / pageSize;
    if (slot >= cache_.size()) cache_.resize(std::max(slot + 1, cache_.size() * 2));
    if (!cache_[slot]) ++cached_;
    cache_[slot] = std::move(p);
}

NtxPage& NtxTree::page(uint32_t offset) {
    const size_t slot = offset / pageSize;
    if (slot < cache_.size() && cache_[slot] && offset % pageSize == 0) return *cache_[slot];
    if (offset == 0 || offset % pageSize != 0 || uint64_t(offset) + pageSize > fileEnd_)
        throwCorrupt(path(), "page offset outside the file");
    std::array<unsigned char, pageSize> buf{};
    if (file_.read(offset, buf.data(), pageSize) != pageSize) throwCorrupt(path(), "page offset outside the file");
    remember(NtxPage::decode(header_, offset, buf.data(), path()));
    return *cache_[slot];
}

NtxPage& NtxTree::allocPage() {
    uint32_t offset;
    if (header_.freePage != 0) {
        // A released page holds no items and links only the next released page: anything else means the list
        // was damaged, and reusing the page would tear a live one out of the tree.
        offset = header_.freePage;
        if (offset == header_.root) throwCorrupt(path(), "free list reaches the root page");
        NtxPage& old = page(offset);
        const uint32_t next = old.child(0);
        if (old.count() != 0) throwCorrupt(path(), "free list reaches a page in use");
        if (next == offset) throwCorrupt(path(), "loop in the free list");
        header_.freePage = next;
    } else {
        if (fileEnd_ + pageSize > 0xFFFFFFFFULL) throw NtxError(eg::Limit, path(), "Index file too large");
        offset = static_cast<uint32_t>(fileEnd_);
        fileEnd_ += pageSize;
    }
    auto p = std::make_unique<NtxPage>(offset, header_.keySize, header_.maxItems);
    p->dirty = true;
    p->fresh = true;
    headerDirty_ = true;
    NtxPage& ref = *p;
    remember(std::move(p));
    return ref;
}

void NtxTree::releasePage(NtxPage& p) {
    p.clear(header_.freePage);  // released pages chain through their first child slot
    header_.freePage = p.offset;
    headerDirty_ = true;
}

void NtxTree::modified() {
    ++generation_;
    sizes_.clear();
    changedSinceFlush_ = true;
    headerDirty_ = true;
}

void NtxTree::writeDirty() {
    // New pages first, then the pages that link them: a reader never follows a link to a page not yet written.
    std::vector<NtxPage*> fresh, linking;
    for (auto& p : cache_) {  // in page order: the writes go out sequentially
        if (p && p->dirty) (p->fresh ? fresh : linking).push_back(p.get());
    }
    writePages(fresh);
    writePages(linking);
}

void NtxTree::writePages(const std::vector<NtxPage*>& pages) {
    // Pages that lie side by side go out in one call (a tree built by appends is mostly new pages at the end).
    constexpr size_t kRunPages = 64;
    std::vector<unsigned char> run;
    size_t first = 0;  // index in `pages` of the run's first page
    auto emit = [&](size_t end) {
        if (run.empty()) return;
        file_.write(pages[first]->offset, run.data(), run.size());
        for (size_t i = first; i < end; ++i) pages[i]->dirty = pages[i]->fresh = false;
        run.clear();
        first = end;
    };
    for (size_t i = 0; i < pages.size(); ++i) {
        const bool adjacent = !run.empty() && pages[i]->offset == pages[first]->offset + run.size();
        if (!adjacent || run.size() == kRunPages * pageSize) emit(i);
        const size_t at = run.size();
        run.resize(at + pageSize);  // zeroed, as a lone page's buffer is
        pages[i]->encode(header_, run.data() + at);
    }
    emit(pages.size());
}

void NtxTree::writeHeader() {
    auto buf = header_.encode();
    file_.write(0, buf.data(), pageSize);
    headerDirty_ = false;
}

void NtxTree::flush() {
    if (options_.readOnly || !file_.isOpen() || stale_) return;
    writeDirty();
    if (changedSinceFlush_) {
        header_.version += 2;  // tells readers in other processes to drop what they cached; keeps the parity
        changedSinceFlush_ = false;
        headerDirty_ = true;
    }
    // The header, with its counter, goes last.
    if (windowOpen_ && holds_ == 0)
        closeWindow();
    else if (headerDirty_)
        writeHeader();
}

void NtxTree::setDescendingFlag(bool on) {
    Guard g(*this, true);
    header_.descending = on;
    modified();
}

int NtxTree::compare(std::string_view a, std::string_view b) const {
    int c = bytes(a, b);
    return header_.descending ? -c : c;
}

int NtxTree::comparePrefix(std::string_view key, std::string_view prefix) const {
    int c = compareBytes(key.data(), prefix.data(), std::min(key.size(), prefix.size()));
    if (c == 0 && key.size() < prefix.size()) c = -1;
    return header_.descending ? -c : c;
}

int NtxTree::compareFull(std::string_view a, uint32_t ra, std::string_view b, uint32_t rb) const {
    int c = compare(a, b);
    if (c != 0) return c;
    return ra < rb ? -1 : ra > rb ? 1 : 0;
}

// ---- navigation ----

namespace {

// The first item of the page for which `past` holds; items are sorted, so it holds for a tail of them.
template <class Past>
size_t firstPast(const NtxPage& p, Past past) {
    size_t lo = 0, hi = p.count();
    while (lo < hi) {
        size_t mid = (lo + hi) / 2;
        if (past(mid))
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

}  // namespace

void NtxTree::pushDepth(PagePath& steps, uint32_t pageOffset, uint32_t idx) {
    if (steps.full()) throwCorrupt(path(), "loop in the page chain");
    steps.push_back({pageOffset, idx});
}

bool NtxTree::settle(NtxPosition& pos, bool onEntry) {
    if (!onEntry) {
        pos.path.clear();
        return false;
    }
    const auto& s = pos.path.back();
    NtxPage& p = page(s.page);
    pos.key.assign(p.key(s.idx));
    pos.recno = p.recno(s.idx);
    pos.generation = generation_;
    return true;
}

bool NtxTree::firstIn(NtxPosition& pos, uint32_t from) {
    uint32_t off = from;
    for (;;) {
        NtxPage& p = page(off);
        pushDepth(pos.path, off, 0);
        if (p.leaf()) return p.count() > 0 || climbNext(pos);
        off = p.child(0);
    }
}

bool NtxTree::lastIn(NtxPosition& pos, uint32_t from) {
    uint32_t off = from;
    for (;;) {
        NtxPage& p = page(off);
        if (p.leaf()) {
            if (p.count() == 0) {
                pushDepth(pos.path, off, 0);
                return climbPrev(pos);
            }
            pushDepth(pos.path, off, static_cast<uint32_t>(p.count() - 1));
            return true;
        }
        pushDepth(pos.path, off, static_cast<uint32_t>(p.count()));
        off = p.lastChild();
    }
}

bool NtxTree::climbNext(NtxPosition& pos) {
    pos.path.pop_back();
    while (!pos.path.empty()) {
        auto& s = pos.path.back();
        if (s.idx < page(s.page).count()) return true;
        pos.path.pop_back();
    }
    return false;
}

bool NtxTree::climbPrev(NtxPosition& pos) {
    pos.path.pop_back();
    while (!pos.path.empty()) {
        auto& s = pos.path.back();
        if (s.idx > 0) {
            --s.idx;
            return true;
        }
        pos.path.pop_back();
    }
    return false;
}

bool NtxTree::stepNext(NtxPosition& pos) {
    auto& s = pos.path.back();
    NtxPage& p = page(s.page);
    if (!p.leaf()) {
        ++s.idx;
        return firstIn(pos, p.child(s.idx));
    }
    if (++s.idx < p.count()) return true;
    return climbNext(pos);
}

bool NtxTree::stepPrev(NtxPosition& pos) {
    auto& s = pos.path.back();
    NtxPage& p = page(s.page);
    if (!p.leaf()) return lastIn(pos, p.child(s.idx));
    if (s.idx > 0) {
        --s.idx;
        return true;
    }
    return climbPrev(pos);
}

bool NtxTree::seekIn(NtxPosition& pos, std::string_view prefix, bool strict, PagePath* leafPath) {
    pos.path.clear();
    // Keys compare on the prefix's length: a prefix at least as long as the key compares on the key's.
    const size_t n = std::min<size_t>(prefix.size(), header_.keySize);
    const int sign = header_.descending ? -1 : 1;
    const int stop = strict ? 1 : 0;  // first item whose comparison reaches this
    const bool longer = prefix.size() > header_.keySize;
    uint32_t off = header_.root;
    for (;;) {
        NtxPage& p = page(off);
        const size_t lo = firstPast(p, [&](size_t i) {
            int c = compareBytes(p.keyData(i), prefix.data(), n);
            if (c == 0 && longer) c = -1;
            return sign * c >= stop;
        });
        pushDepth(pos.path, off, static_cast<uint32_t>(lo));
        if (p.leaf()) {
            if (leafPath) *leafPath = pos.path;
            return lo < p.count() || climbNext(pos);
        }
        off = p.child(lo);
    }
}

bool NtxTree::findIn(NtxPosition& pos, std::string_view key, uint32_t recno) {
    // Direct descent on (key, record), which is where this writer keeps equal keys...
    pos.path.clear();
    uint32_t off = header_.root;
    for (;;) {
        NtxPage& p = page(off);
        const size_t lo = firstPast(p, [&](size_t i) { return compareFull(p.key(i), p.recno(i), key, recno) >= 0; });
        if (lo < p.count() && p.recno(lo) == recno && bytes(p.key(lo), key) == 0) {
            pushDepth(pos.path, off, static_cast<uint32_t>(lo));
            return true;
        }
        pushDepth(pos.path, off, static_cast<uint32_t>(lo));
        if (p.leaf()) break;
        off = p.child(lo);
    }
    // ...then a walk over the equal keys, for files whose writer ordered them otherwise.
    bool on = seekIn(pos, key, false);
    while (on) {
        const auto& s = pos.path.back();
        NtxPage& p = page(s.page);
        if (bytes(p.key(s.idx), key) != 0) return false;
        if (p.recno(s.idx) == recno) return true;
        on = stepNext(pos);
    }
    return false;
}

bool NtxTree::relocate(NtxPosition& pos, bool& exact) {
    exact = false;
    if (pos.generation == generation_ && pos.valid()) {
        exact = true;
        return true;
    }
    if (pos.key.empty()) {
        pos.path.clear();
        return false;
    }
    std::string key = pos.key;
    return entryAtOrAfter(pos, key, pos.recno, exact);
}

bool NtxTree::entryAtOrAfter(NtxPosition& pos, std::string_view key, uint32_t recno, bool& exact) {
    exact = false;
    if (findIn(pos, key, recno)) {
        exact = true;
        return settle(pos, true);
    }
    // Gone: the first entry after it.
    pos.path.clear();
    uint32_t off = header_.root;
    for (;;) {
        NtxPage& p = page(off);
        const size_t lo = firstPast(p, [&](size_t i) { return compareFull(p.key(i), p.recno(i), key, recno) > 0; });
        pushDepth(pos.path, off, static_cast<uint32_t>(lo));
        if (p.leaf()) return settle(pos, lo < p.count() || climbNext(pos));
        off = p.child(lo);
    }
}

bool NtxTree::first(NtxPosition& pos) {
    Guard g(*this, false);
    pos.path.clear();
    return settle(pos, firstIn(pos, header_.root));
}

bool NtxTree::last(NtxPosition& pos) {
    Guard g(*this, false);
    pos.path.clear();
    return settle(pos, lastIn(pos, header_.root));
}

bool NtxTree::next(NtxPosition& pos) {
    Guard g(*this, false);
    bool exact;
    bool on = relocate(pos, exact);
    if (!on) return false;
    if (!exact) return true;  // the entry went away; its successor is the next one
    return settleStep(pos, stepNext(pos), true);
}

bool NtxTree::prev(NtxPosition& pos) {
    Guard g(*this, false);
    bool exact;
    bool on = relocate(pos, exact);
    if (!on) {
        pos.path.clear();
        return settle(pos, lastIn(pos, header_.root));
    }
    return settleStep(pos, stepPrev(pos), false);
}

// One step of a walk must move on in key order, to another entry: pages linked from two places or keys out
// of order would otherwise give the same keys twice or skip some, silently.
bool NtxTree::settleStep(NtxPosition& pos, bool onEntry, bool forward) {
    if (onEntry) {
        const auto& s = pos.path.back();
        const NtxPage& p = page(s.page);
        const int c = compare(p.key(s.idx), pos.key);
        if (forward ? c < 0 : c > 0) throwCorrupt(path(), "keys out of order");
        if (c == 0 && (header_.unique || p.recno(s.idx) == pos.recno)) throwCorrupt(path(), "key repeated");
    }
    return settle(pos, onEntry);
}

bool NtxTree::seek(NtxPosition& pos, std::string_view prefix, bool strict) {
    Guard g(*this, false);
    missed_.generation = 0;
    const bool wholeKey = !strict && prefix.size() == header_.keySize;
    const bool on = settle(pos, seekIn(pos, prefix, strict, wholeKey ? &missed_.path : nullptr));
    if (wholeKey && !(on && bytes(pos.key, prefix) == 0)) {
        missed_.key.assign(prefix);
        missed_.generation = generation_;
    }
    return on;
}

bool NtxTree::find(NtxPosition& pos, std::string_view key, uint32_t recno) {
    Guard g(*this, false);
    return settle(pos, findIn(pos, key, recno));
}

bool NtxTree::seekEntry(NtxPosition& pos, std::string_view key, uint32_t recno, bool& exact) {
    Guard g(*this, false);
    return entryAtOrAfter(pos, key, recno, exact);
}

// ---- key numbers ----

uint64_t NtxTree::subtreeSize(uint32_t offset, uint32_t parent, size_t slot, int depth) {
    if (depth > static_cast<int>(maxDepth)) throwCorrupt(path(), "loop in the page chain");
    auto it = sizes_.find(offset);
    if (it != sizes_.end()) {
        // A page hangs from one slot of one parent; counted from another, it is linked from two places.
        if (it->second.parent != parent || it->second.slot != slot)
            throwCorrupt(path(), "page linked from two places");
        return it->second.keys;
    }
    NtxPage& p = page(offset);
    uint64_t n = p.count();
    if (!p.leaf()) {
        std::vector<uint32_t> children = childrenOf(p);  // the reference may not survive loading the children
        for (size_t c = 0; c < children.size(); ++c) n += subtreeSize(children[c], offset, c, depth + 1);
    }
    sizes_[offset] = {n, parent, slot};
    return n;
}

uint64_t NtxTree::keyCount() {
    Guard g(*this, false);
    return subtreeSize(header_.root, 0, 0, 0);
}

uint64_t NtxTree::rank(NtxPosition& pos) {
    Guard g(*this, false);
    bool exact;
    if (!relocate(pos, exact)) return 0;
    uint64_t r = 0;
    for (size_t d = 0; d < pos.path.size(); ++d) {
        const auto s = pos.path[d];
        bool lastStep = d + 1 == pos.path.size();
        std::vector<uint32_t> children = childrenOf(page(s.page));
        bool leaf = children.empty() || children[0] == 0;
        r += s.idx;
        if (leaf) continue;
        size_t upto = lastStep ? s.idx + 1 : s.idx;  // on a branch item, its left subtree precedes it too
        for (size_t c = 0; c < upto; ++c) r += subtreeSize(children[c], s.page, c, static_cast<int>(d) + 1);
    }
    return r + 1;
}

bool NtxTree::gotoRank(NtxPosition& pos, uint64_t n) {
    Guard g(*this, false);
    pos.path.clear();
    if (n == 0 || n > subtreeSize(header_.root, 0, 0, 0)) return settle(pos, false);
    uint32_t off = header_.root;
    for (;;) {
        std::vector<uint32_t> children = childrenOf(page(off));
        size_t count = page(off).count();
        if (children.empty() || children[0] == 0) {
            pushDepth(pos.path, off, static_cast<uint32_t>(n - 1));
            return settle(pos, n - 1 < count);
        }
        bool descended = false;
        for (size_t j = 0; j <= count; ++j) {
            uint64_t s = subtreeSize(children[j], off, j, static_cast<int>(pos.path.size()) + 1);
            if (n <= s) {
                pushDepth(pos.path, off, static_cast<uint32_t>(j));
                off = children[j];
                descended = true;
                break;
            }
            n -= s;
            if (j < count) {
                if (n == 1) {
                    pushDepth(pos.path, off, static_cast<uint32_t>(j));
                    return settle(pos, true);
                }
                --n;
            }
        }
        if (!descended) return settle(pos, false);
    }
}

// ---- maintenance ----

const PagePath* NtxTree::insertHint(std::string_view key) const {
    if (missed_.generation != generation_ || missed_.path.empty() || key != missed_.key) return nullptr;
    return &missed_.path;
}

bool NtxTree::insert(std::string_view key, uint32_t recno) {
    Guard g(*this, true);
    PagePath path;
    if (const PagePath* hint = insertHint(key)) {
        // With no entry of this key, the descent for (key, recno) takes the same slots as the seek's did.
        path = *hint;
    } else {
        if (header_.unique) {
            NtxPosition probe;
            if (seekIn(probe, key, false) && bytes(page(probe.path.back().page).key(probe.path.back().idx), key) == 0)
                return false;
        }
        uint32_t off = header_.root;
        for (;;) {
            NtxPage& p = page(off);
            const size_t lo =
                firstPast(p, [&](size_t i) { return compareFull(p.key(i), p.recno(i), key, recno) > 0; });
            pushDepth(path, off, static_cast<uint32_t>(lo));
            if (p.leaf()) break;
            off = p.child(lo);
        }
    }
    page(path.back().page).insertItem(path.back().idx, key, recno, 0);
    modified();
    splitUp(path);
    return true;
}

void NtxTree::splitUp(PagePath& path) {
    for (size_t d = path.size(); d-- > 0;) {
        NtxPage& n = page(path[d].page);
        if (n.count() <= header_.maxItems) return;
        // The left half moves to a new page; the middle item goes up between the two.
        const size_t mid = n.count() / 2;
        NtxPage& left = allocPage();
        left.appendFrom(n, 0, mid, true);
        const std::string sepKey(n.key(mid));
        const uint32_t sepRec = n.recno(mid);
        n.dropFront(mid + 1);
        if (d == 0) {
            NtxPage& root = allocPage();
            root.setChild(0, n.offset);
            root.insertItem(0, sepKey, sepRec, left.offset);
            header_.root = root.offset;
            headerDirty_ = true;
            return;
        }
        page(path[d - 1].page).insertItem(path[d - 1].idx, sepKey, sepRec, left.offset);
    }
}

bool NtxTree::remove(std::string_view key, uint32_t recno) {
    Guard g(*this, true);
    NtxPosition pos;
    if (!findIn(pos, key, recno)) return false;
    PagePath& path = pos.path;
    const uint32_t nodeOff = path.back().page;
    const uint32_t i = path.back().idx;
    NtxPage& node = page(nodeOff);
    if (node.leaf()) {
        node.removeItem(i);
    } else {
        // Replace by the predecessor, the last key of the left subtree's rightmost leaf.
        uint32_t off = node.child(i);
        for (;;) {
            NtxPage& p = page(off);
            if (p.leaf()) {
                if (p.count() == 0) throwCorrupt(this->path(), "empty leaf page");
                pushDepth(path, off, static_cast<uint32_t>(p.count() - 1));
                break;
            }
            pushDepth(path, off, static_cast<uint32_t>(p.count()));
            off = p.lastChild();
        }
        NtxPage& leaf = page(path.back().page);
        const size_t li = path.back().idx;
        const std::string predKey(leaf.key(li));
        const uint32_t predRec = leaf.recno(li);
        leaf.removeItem(li);
        page(nodeOff).setItem(i, predKey, predRec);
    }
    modified();
    rebalance(path);
    return true;
}

void NtxTree::rebalance(PagePath& path) {
    // Cached pages are owned by unique_ptrs and stay put until the next operation, so references hold.
    const size_t half = header_.halfPage;
    for (size_t d = path.size() - 1; d > 0; --d) {
        NtxPage& node = page(path[d].page);
        if (node.count() >= half) break;
        NtxPage& parent = page(path[d - 1].page);
        const size_t j = path[d - 1].idx;
        if (j > 0) {
            NtxPage& left = page(parent.child(j - 1));
            if (left.count() > half) {  // borrow through the parent from the left sibling
                const size_t last = left.count() - 1;
                node.insertItem(0, parent.key(j - 1), parent.recno(j - 1), left.lastChild());
                parent.setItem(j - 1, left.key(last), left.recno(last));
                left.removeItemAndRight(last);
                return;
            }
        }
        if (j < parent.count()) {
            NtxPage& right = page(parent.child(j + 1));
            if (right.count() > half) {  // borrow from the right sibling
                node.insertItem(node.count(), parent.key(j), parent.recno(j), node.lastChild());
                node.setChild(node.count(), right.child(0));
                parent.setItem(j, right.key(0), right.recno(0));
                right.removeItem(0);
                return;
            }
        }
        // Merge with a sibling and the separator between them; the parent loses one item.
        const size_t s = j > 0 ? j - 1 : j;
        if (s >= parent.count()) break;  // an only child: nothing to merge with
        NtxPage& l = page(parent.child(s));
        NtxPage& r = page(parent.child(s + 1));
        // A header whose half-page mark is near the capacity would overfill the merged page: keep both.
        if (l.count() + 1 + r.count() > header_.maxItems) break;
        l.insertItem(l.count(), parent.key(s), parent.recno(s), l.lastChild());
        l.setChild(l.count(), r.child(0));
        l.appendFrom(r, 0, r.count(), false);
        parent.removeItemAndRight(s);
        releasePage(r);
    }
    NtxPage& root = page(header_.root);
    if (root.count() == 0 && !root.leaf()) {
        const uint32_t only = root.child(0);
        releasePage(root);
        header_.root = only;
        headerDirty_ = true;
    }
}

// ---- verification ----

uint64_t NtxTree::verifyPage(uint32_t offset, int depth, int& leafDepth, std::string& lastKey, uint32_t& lastRec,
                             bool& haveLast, std::vector<bool>& seen) {
    if (depth > static_cast<int>(maxDepth)) throwCorrupt(path(), "loop in the page chain");
    size_t slot = offset / pageSize;
    if (slot < seen.size()) {
        if (seen[slot]) throwCorrupt(path(), "page reached twice");
        seen[slot] = true;
    }
    // Pages stay put in the cache for the whole operation, so the reference outlives loading the children.
    const NtxPage& snapshot = page(offset);
    bool leaf = snapshot.leaf();
    if (leaf) {
        if (leafDepth < 0) leafDepth = depth;
        if (leafDepth != depth) throwCorrupt(path(), "leaves at different depths");
    }
    uint64_t n = snapshot.count();
    for (size_t i = 0; i <= snapshot.count(); ++i) {
        if (!leaf) n += verifyPage(snapshot.child(i), depth + 1, leafDepth, lastKey, lastRec, haveLast, seen);
        if (i == snapshot.count()) break;
        std::string_view k = snapshot.key(i);
        if (haveLast) {
            int c = compare(lastKey, k);
            if (c > 0 || (c == 0 && header_.unique)) throwCorrupt(path(), "keys out of order");
        }
        lastKey.assign(k);
        lastRec = snapshot.recno(i);
        haveLast = true;
    }
    return n;
}

uint64_t NtxTree::verify() {
    Guard g(*this, false);
    std::vector<bool> seen(static_cast<size_t>(fileEnd_ / pageSize) + 1, false);
    int leafDepth = -1;
    std::string lastKey;
    uint32_t lastRec = 0;
    bool haveLast = false;
    return verifyPage(header_.root, 0, leafDepth, lastKey, lastRec, haveLast, seen);
}

}  // namespace rt::ntx
