#include "ntx_builder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <queue>

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
    MergeSource(const NtxBuilder& b, std::vector<std::FILE*> runs, std::unique_ptr<Source> memory)
        : b_(b), memory_(std::move(memory)) {
        for (std::FILE* f : runs) {
            std::rewind(f);
            inputs_.push_back({f, std::vector<unsigned char>(b.entrySize_)});
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
        std::FILE* file;
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

NtxBuilder::~NtxBuilder() {
    for (std::FILE* f : runs_) std::fclose(f);
}

bool NtxBuilder::less(const unsigned char* a, const unsigned char* b) const {
    int c = std::memcmp(a, b, header_.keySize);
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
    std::FILE* f = std::tmpfile();
    if (!f) throw NtxError(eg::Create, {}, "Cannot create a temporary sort file");
    runs_.push_back(f);
    for (uint32_t i : order_)
        if (std::fwrite(buffer_.data() + size_t(i) * entrySize_, 1, entrySize_, f) != entrySize_)
            throw NtxError(eg::Write, {}, "Cannot write a temporary sort file");
    std::fflush(f);
    buffer_.clear();
    order_.clear();
}

uint64_t NtxBuilder::write(const std::string& path) {
    sortBuffer();
    std::unique_ptr<Source> src = std::make_unique<MemorySource>(buffer_, order_, entrySize_);
    if (!runs_.empty()) src = std::make_unique<MergeSource>(*this, runs_, std::move(src));

    // The page layout needs the count up front; a unique order drops duplicates first (through a run file
    // when the entries did not fit memory).
    std::FILE* dedup = nullptr;
    uint64_t count = 0;
    const unsigned char* base = buffer_.data();
    if (runs_.empty()) {
        if (header_.unique) {
            auto same = [&](uint32_t a, uint32_t b) {
                return std::memcmp(base + size_t(a) * entrySize_, base + size_t(b) * entrySize_, header_.keySize) == 0;
            };
            order_.erase(std::unique(order_.begin(), order_.end(), same), order_.end());
        }
        count = order_.size();
    } else if (!header_.unique) {
        count = added_;  // every entry is kept: stream straight from the merge
    } else {
        dedup = std::tmpfile();
        if (!dedup) throw NtxError(eg::Create, path, "Cannot create a temporary sort file");
        std::vector<unsigned char> prev;
        while (const unsigned char* e = src->next()) {
            if (header_.unique && !prev.empty() && std::memcmp(prev.data(), e, header_.keySize) == 0) continue;
            if (header_.unique) prev.assign(e, e + entrySize_);
            if (std::fwrite(e, 1, entrySize_, dedup) != entrySize_)
                throw NtxError(eg::Write, path, "Cannot write a temporary sort file");
            ++count;
        }
        std::rewind(dedup);
    }

    PageFile file = PageFile::open(path, PageFile::OpenMode::Create);
    PageWriter writer(file, header_);
    size_t readAt = 0;
    std::vector<unsigned char> entry(entrySize_);
    auto take = [&]() -> const unsigned char* {
        if (runs_.empty()) return base + size_t(order_[readAt++]) * entrySize_;
        if (!dedup) {
            const unsigned char* e = src->next();
            if (!e) throw NtxError(eg::Read, path, "Sorted run ended early");
            return e;
        }
        if (std::fread(entry.data(), 1, entrySize_, dedup) != entrySize_)
            throw NtxError(eg::Read, path, "Cannot read a temporary sort file");
        return entry.data();
    };

    const uint64_t cap = header_.maxItems;
    int height = 1;
    while (treeCapacity(height, cap) < count) ++height;

    // Even split of n entries into a subtree of the given height: all leaves at one depth, none empty.
    auto build = [&](auto&& self, uint64_t n, int h) -> uint32_t {
        NtxPage p;
        p.keySize = header_.keySize;
        p.child.assign(1, 0);
        if (h == 1) {
            for (uint64_t i = 0; i < n; ++i) {
                const unsigned char* e = take();
                p.insertItem(i, std::string_view(reinterpret_cast<const char*>(e), header_.keySize),
                             recOf(e, header_.keySize), 0);
            }
            return writer.put(p);
        }
        const uint64_t sub = treeCapacity(h - 1, cap);
        const uint64_t k = (n + 1 + sub) / (sub + 1);  // children
        const uint64_t rest = n - (k - 1);
        for (uint64_t c = 0; c < k; ++c) {
            uint64_t size = rest / k + (c < rest % k ? 1 : 0);
            uint32_t childOff = self(self, size, h - 1);
            if (c + 1 == k) {
                p.child.back() = childOff;
                break;
            }
            const unsigned char* e = take();
            p.insertItem(p.count(), std::string_view(reinterpret_cast<const char*>(e), header_.keySize),
                         recOf(e, header_.keySize), childOff);
        }
        return writer.put(p);
    };
    NtxHeader h = header_;
    h.root = build(build, count, height);
    h.freePage = 0;
    writer.drain();
    if (dedup) std::fclose(dedup);
    buffer_.clear();
    order_.clear();
    auto head = h.encode();
    file.write(0, head.data(), pageSize);
    return count;
}

}  // namespace rt::ntx
