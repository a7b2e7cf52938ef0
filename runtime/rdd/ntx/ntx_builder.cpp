#include "ntx_builder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <queue>

#include "key_compare.h"
#include "ntx_error.h"
#include "ntx_page.h"
#include "page_file.h"

namespace rt::ntx {

namespace {

uint32_t recOf(const unsigned char* e, size_t keySize) {
    uint32_t r;
    std::memcpy(&r, e + keySize, 4);
    return r;
}

// Capacity of a tree of `height` levels whose pages hold `cap` items.
uint64_t treeCapacity(int height, uint64_t cap) {
    uint64_t c = 0;
    for (int h = 0; h < height; ++h) {
        c = (cap + 1) * c + cap;
        if (c > (uint64_t(1) << 40)) return c;
    }
    return c;
}

}  // namespace

// Sorted entries, one at a time, duplicates of a unique order already dropped.
class NtxBuilder::Source {
public:
    virtual ~Source() = default;
    virtual const unsigned char* next() = 0;
};

class NtxBuilder::MemorySource : public Source {
public:
    MemorySource(const std::vector<unsigned char>& buf, const std::vector<uint32_t>& order, size_t entrySize)
        : buf_(buf), order_(order), entrySize_(entrySize) {}
    const unsigned char* next() override {
        if (i_ >= order_.size()) return nullptr;
        return buf_.data() + size_t(order_[i_++]) * entrySize_;
    }

private:
    const std::vector<unsigned char>& buf_;
    const std::vector<uint32_t>& order_;
    size_t entrySize_;
    size_t i_ = 0;
};

// K-way merge of the spilled runs and the last in-memory chunk.
class NtxBuilder::MergeSource : public Source {
public:
    MergeSource(const NtxBuilder& b, const std::vector<TempFile>& runs, std::unique_ptr<Source> memory)
        : b_(b), memory_(std::move(memory)) {
        for (const TempFile& f : runs) {
            std::rewind(f.get());
            inputs_.push_back({f.get(), std::vector<unsigned char>(b.entrySize_)});
        }
        inputs_.push_back({nullptr, std::vector<unsigned char>(b.entrySize_)});
        for (size_t i = 0; i < inputs_.size(); ++i)
            if (advance(i)) heap_.push(i);
    }
    const unsigned char* next() override {
        if (heap_.empty()) return nullptr;
        size_t i = heap_.top();
        heap_.pop();
        current_ = inputs_[i].entry;
        if (advance(i)) heap_.push(i);
        return current_.data();
    }

private:
    struct Input {
        std::FILE* file;  // owned by the builder's runs
        std::vector<unsigned char> entry;
    };
    bool advance(size_t i) {
        Input& in = inputs_[i];
        if (in.file) return std::fread(in.entry.data(), 1, in.entry.size(), in.file) == in.entry.size();
        const unsigned char* e = memory_->next();
        if (!e) return false;
        std::memcpy(in.entry.data(), e, in.entry.size());
        return true;
    }
    struct Greater {
        const MergeSource* m;
        bool operator()(size_t a, size_t b) const {
            return m->b_.less(m->inputs_[b].entry.data(), m->inputs_[a].entry.data());
        }
    };
    const NtxBuilder& b_;
    std::unique_ptr<Source> memory_;
    std::vector<Input> inputs_;
    std::vector<unsigned char> current_;
    std::priority_queue<size_t, std::vector<size_t>, Greater> heap_{Greater{this}};
};

// Entries read back from a temporary file it owns.
class NtxBuilder::FileSource : public Source {
public:
    FileSource(TempFile file, size_t entrySize) : file_(std::move(file)), entry_(entrySize) {
        std::rewind(file_.get());
    }
    const unsigned char* next() override {
        return std::fread(entry_.data(), 1, entry_.size(), file_.get()) == entry_.size() ? entry_.data() : nullptr;
    }

private:
    TempFile file_;
    std::vector<unsigned char> entry_;
};

// Writes pages in post-order at increasing offsets through one large buffer.
class NtxBuilder::PageWriter {
public:
    PageWriter(PageFile& f, const NtxHeader& h) : file_(f), header_(h) {}
    uint32_t put(const NtxPage& p) {
        uint32_t off = next_;
        next_ += pageSize;
        size_t at = buf_.size();
        buf_.resize(at + pageSize);
        p.encode(header_, buf_.data() + at);
        if (buf_.size() >= (size_t(4) << 20)) drain();
        return off;
    }
    void drain() {
        if (buf_.empty()) return;
        file_.write(bufStart_, buf_.data(), buf_.size());
        bufStart_ += buf_.size();
        buf_.clear();
    }

private:
    PageFile& file_;
    const NtxHeader& header_;
    uint64_t next_ = pageSize;
    uint64_t bufStart_ = pageSize;
    std::vector<unsigned char> buf_;
};

NtxBuilder::NtxBuilder(NtxHeader header, size_t memoryBudget)
    : header_(std::move(header)), budget_(std::max<size_t>(memoryBudget, 4096)),
      entrySize_(header_.keySize + 4u) {}

NtxBuilder::~NtxBuilder() = default;

NtxBuilder::TempFile NtxBuilder::newTempFile() {
    TempFile f(std::tmpfile());
    if (!f) throw NtxError(eg::Create, {}, "Cannot create a temporary sort file");
    return f;
}

bool NtxBuilder::less(const unsigned char* a, const unsigned char* b) const {
    int c = compareKeyBytes(a, b, header_.keySize);
    if (header_.descending) c = -c;
    if (c != 0) return c < 0;
    return recOf(a, header_.keySize) < recOf(b, header_.keySize);
}

void NtxBuilder::add(std::string_view key, uint32_t recno) {
    size_t at = buffer_.size();
    buffer_.resize(at + entrySize_);
    std::memcpy(buffer_.data() + at, key.data(), std::min<size_t>(key.size(), header_.keySize));
    if (key.size() < header_.keySize) std::memset(buffer_.data() + at + key.size(), ' ', header_.keySize - key.size());
    std::memcpy(buffer_.data() + at + header_.keySize, &recno, 4);
    ++added_;
    if (buffer_.size() + (buffer_.size() / entrySize_) * 4 >= budget_) spill();
}

void NtxBuilder::sortBuffer() {
    size_t n = buffer_.size() / entrySize_;
    order_.resize(n);
    for (size_t i = 0; i < n; ++i) order_[i] = static_cast<uint32_t>(i);
    const unsigned char* base = buffer_.data();
    std::sort(order_.begin(), order_.end(),
              [&](uint32_t a, uint32_t b) { return less(base + size_t(a) * entrySize_, base + size_t(b) * entrySize_); });
}

void NtxBuilder::spill() {
    sortBuffer();
    TempFile f = newTempFile();
    for (uint32_t i : order_)
        if (std::fwrite(buffer_.data() + size_t(i) * entrySize_, 1, entrySize_, f.get()) != entrySize_)
            throw NtxError(eg::Write, {}, "Cannot write a temporary sort file");
    std::fflush(f.get());
    runs_.push_back(std::move(f));
    buffer_.clear();
    order_.clear();
}

std::unique_ptr<NtxBuilder::Source> NtxBuilder::sortedEntries(uint64_t& count) {
    sortBuffer();
    auto memory = std::make_unique<MemorySource>(buffer_, order_, entrySize_);
    if (runs_.empty()) {
        if (header_.unique) {
            const unsigned char* base = buffer_.data();
            auto same = [&](uint32_t a, uint32_t b) {
                return std::memcmp(base + size_t(a) * entrySize_, base + size_t(b) * entrySize_, header_.keySize) == 0;
            };
            order_.erase(std::unique(order_.begin(), order_.end(), same), order_.end());
        }
        count = order_.size();
        return memory;
    }
    auto merged = std::make_unique<MergeSource>(*this, runs_, std::move(memory));
    if (!header_.unique) {
        count = added_;  // every entry is kept: stream straight from the merge
        return merged;
    }
    return withoutDuplicates(*merged, count);
}

std::unique_ptr<NtxBuilder::Source> NtxBuilder::withoutDuplicates(Source& sorted, uint64_t& count) {
    // The page layout needs the count up front, so the kept entries go through a file first.
    TempFile f = newTempFile();
    std::vector<unsigned char> prev;
    count = 0;
    while (const unsigned char* e = sorted.next()) {
        if (!prev.empty() && std::memcmp(prev.data(), e, header_.keySize) == 0) continue;
        prev.assign(e, e + entrySize_);
        if (std::fwrite(e, 1, entrySize_, f.get()) != entrySize_)
            throw NtxError(eg::Write, {}, "Cannot write a temporary sort file");
        ++count;
    }
    return std::make_unique<FileSource>(std::move(f), entrySize_);
}

const unsigned char* NtxBuilder::take(Source& entries) const {
    const unsigned char* e = entries.next();
    if (!e) throw NtxError(eg::Read, {}, "Sorted entries ended early");
    return e;
}

// Even split of n entries into a subtree of the given height: all leaves at one depth, none empty.
uint32_t NtxBuilder::writeSubtree(PageWriter& writer, Source& entries, uint64_t n, int height) {
    NtxPage p(0, header_.keySize, header_.maxItems);
    auto keyOf = [&](const unsigned char* e) {
        return std::string_view(reinterpret_cast<const char*>(e), header_.keySize);
    };
    if (height == 1) {
        for (uint64_t i = 0; i < n; ++i) {
            const unsigned char* e = take(entries);
            p.insertItem(i, keyOf(e), recOf(e, header_.keySize), 0);
        }
        return writer.put(p);
    }
    const uint64_t sub = treeCapacity(height - 1, header_.maxItems);
    const uint64_t k = (n + 1 + sub) / (sub + 1);  // children
    const uint64_t rest = n - (k - 1);
    for (uint64_t c = 0; c < k; ++c) {
        const uint64_t size = rest / k + (c < rest % k ? 1 : 0);
        const uint32_t childOff = writeSubtree(writer, entries, size, height - 1);
        if (c + 1 == k) {
            p.setChild(p.count(), childOff);
            break;
        }
        const unsigned char* e = take(entries);
        p.insertItem(p.count(), keyOf(e), recOf(e, header_.keySize), childOff);
    }
    return writer.put(p);
}

uint64_t NtxBuilder::write(const std::string& path, rdd::Share share) {
    uint64_t count = 0;
    std::unique_ptr<Source> entries = sortedEntries(count);
    int height = 1;
    while (treeCapacity(height, header_.maxItems) < count) ++height;

    PageFile file = PageFile::open(path, PageFile::OpenMode::Create, share);
    PageWriter writer(file, header_);
    NtxHeader h = header_;
    h.root = writeSubtree(writer, *entries, count, height);
    h.freePage = 0;
    writer.drain();
    // The header goes last: a file cut short before it has no valid header and reads as damaged.
    auto head = h.encode();
    file.write(0, head.data(), pageSize);
    entries.reset();
    buffer_.clear();
    order_.clear();
    return count;
}

}  // namespace rt::ntx
