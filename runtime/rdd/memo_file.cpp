#include "memo_file.h"

#include <chrono>
#include <thread>
#include <vector>

#include "runtime/rdd/byte_order.h"

namespace rt::rdd {

namespace {

// Appending a memo moves the file's next-free pointer: writers sharing the file take this byte for the
// moment of the move.
constexpr uint64_t kMemoAllocLock = 1000000000ULL;

class AllocLock {
public:
    AllocLock(File& f, bool shared) : file_(f), shared_(shared) {
        if (!shared_) return;
        for (int i = 0; i < 200 && !held_; ++i) {
            held_ = file_.lock(kMemoAllocLock, 1);
            if (!held_) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    ~AllocLock() {
        if (held_) file_.unlock(kMemoAllocLock, 1);
    }
    bool ok() const { return !shared_ || held_; }

private:
    File& file_;
    bool shared_;
    bool held_ = false;
};

class DbtFile final : public MemoFile {
public:
    bool read(uint32_t block, std::string& text, std::string& fault) override {
        text.clear();
        if (block == 0) return true;
        uint64_t size = file_.size();
        uint64_t at = static_cast<uint64_t>(block) * 512;
        if (at >= size) {
            fault = "memo block beyond the end of the memo file";
            return false;
        }
        std::vector<char> chunk(4096);
        while (at < size) {
            size_t got = file_.readAt(at, chunk.data(), chunk.size());
            if (got == 0) break;
            text.append(chunk.data(), got);
            size_t end = text.find("\x1A\x1A");
            if (end != std::string::npos) {
                text.resize(end);
                return true;
            }
            at += got;
        }
        // No double terminator before the end of the file: some writers end with a single one.
        size_t end = text.find('\x1A');
        if (end != std::string::npos) text.resize(end);
        return true;
    }

    bool write(const std::string& text, uint32_t oldBlock, uint32_t& block) override {
        block = 0;
        if (text.empty()) return true;
        uint32_t need = blocksFor(text.size() + 2);
        if (oldBlock != 0 && blocksFor(oldLength(oldBlock) + 2) >= need) return put(oldBlock, text, block);
        AllocLock lock(file_, shared_);
        if (!lock.ok()) return false;
        uint8_t head[4] = {};
        if (file_.readAt(0, head, 4) != 4) return false;
        uint32_t next = getLE32(head);
        uint64_t endBlock = (file_.size() + 511) / 512;
        if (next < 1 || next < endBlock) next = static_cast<uint32_t>(endBlock < 1 ? 1 : endBlock);
        if (!put(next, text, block)) return false;
        putLE32(head, next + need);
        return file_.writeAt(0, head, 4);
    }

    bool zap() override { return file_.truncate(0) && writeHeader(); }

    bool writeHeader() {
        std::vector<uint8_t> h(512, 0);
        putLE32(h.data(), 1);
        h[16] = 0x03;  // dBASE III memo version
        return file_.writeAt(0, h.data(), h.size());
    }

    bool check(std::string& fault) {
        uint8_t head[4] = {};
        if (file_.readAt(0, head, 4) != 4 || file_.size() < 512) {
            fault = "memo file shorter than its header";
            return false;
        }
        return true;
    }

    static uint32_t blocksFor(size_t bytes) { return static_cast<uint32_t>((bytes + 511) / 512); }

private:
    size_t oldLength(uint32_t b) {
        std::string old, fault;
        return read(b, old, fault) ? old.size() : 0;
    }

    bool put(uint32_t at, const std::string& text, uint32_t& block) {
        std::string data = text + "\x1A\x1A";
        data.resize(static_cast<size_t>(blocksFor(data.size())) * 512, '\0');
        if (!file_.writeAt(static_cast<uint64_t>(at) * 512, data.data(), data.size())) return false;
        block = at;
        return true;
    }
};

class FptFile final : public MemoFile {
public:
    bool read(uint32_t block, std::string& text, std::string& fault) override {
        text.clear();
        if (block == 0) return true;
        uint64_t size = file_.size();
        uint64_t at = static_cast<uint64_t>(block) * blockSize_;
        uint8_t head[8];
        if (at < 512 || at + 8 > size || file_.readAt(at, head, 8) != 8) {
            fault = "memo block outside the memo file";
            return false;
        }
        uint32_t length = getBE32(head + 4);
        if (length > size - at - 8) {
            fault = "memo length runs past the end of the memo file";
            return false;
        }
        text.resize(length);
        if (file_.readAt(at + 8, text.data(), length) != length) {
            fault = "memo could not be read";
            return false;
        }
        return true;
    }

    bool write(const std::string& text, uint32_t oldBlock, uint32_t& block) override {
        block = 0;
        if (text.empty()) return true;
        uint32_t need = blocksFor(text.size() + 8);
        if (oldBlock != 0) {
            std::string old, fault;
            if (read(oldBlock, old, fault) && blocksFor(old.size() + 8) >= need) return put(oldBlock, text, block);
        }
        AllocLock lock(file_, shared_);
        if (!lock.ok()) return false;
        uint8_t head[4] = {};
        if (file_.readAt(0, head, 4) != 4) return false;
        uint32_t next = getBE32(head);
        uint64_t endBlock = (file_.size() + blockSize_ - 1) / blockSize_;
        if (next < endBlock) next = static_cast<uint32_t>(endBlock);
        if (!put(next, text, block)) return false;
        putBE32(head, next + need);
        return file_.writeAt(0, head, 4);
    }

    bool zap() override { return file_.truncate(0) && writeHeader(); }

    bool writeHeader() {
        std::vector<uint8_t> h(512, 0);
        putBE32(h.data(), blocksFor(512));
        h[6] = static_cast<uint8_t>(blockSize_ >> 8);
        h[7] = static_cast<uint8_t>(blockSize_);
        return file_.writeAt(0, h.data(), h.size());
    }

    bool check(std::string& fault) {
        uint8_t head[8] = {};
        if (file_.size() < 512 || file_.readAt(0, head, 8) != 8) {
            fault = "memo file shorter than its header";
            return false;
        }
        blockSize_ = static_cast<uint32_t>(head[6]) << 8 | head[7];
        if (blockSize_ == 0) {
            fault = "memo block size is zero";
            return false;
        }
        return true;
    }

    uint32_t blocksFor(size_t bytes) const { return static_cast<uint32_t>((bytes + blockSize_ - 1) / blockSize_); }

private:
    bool put(uint32_t at, const std::string& text, uint32_t& block) {
        std::vector<uint8_t> data(static_cast<size_t>(blocksFor(text.size() + 8)) * blockSize_, 0);
        putBE32(data.data(), 1);  // text memo
        putBE32(data.data() + 4, static_cast<uint32_t>(text.size()));
        std::copy(text.begin(), text.end(), data.begin() + 8);
        if (!file_.writeAt(static_cast<uint64_t>(at) * blockSize_, data.data(), data.size())) return false;
        block = at;
        return true;
    }
};

}  // namespace

const char* memoExtension(MemoKind kind) { return kind == MemoKind::Fpt ? "fpt" : "dbt"; }

std::unique_ptr<MemoFile> MemoFile::open(const std::string& path, MemoKind kind, bool writable, Share share,
                                         int& osCode, std::string& fault) {
    std::unique_ptr<MemoFile> m;
    bool ok = false;
    if (kind == MemoKind::Fpt) {
        auto f = std::make_unique<FptFile>();
        osCode = f->file().open(path, writable, share);
        ok = osCode == 0 && f->check(fault);
        m = std::move(f);
    } else {
        auto d = std::make_unique<DbtFile>();
        osCode = d->file().open(path, writable, share);
        ok = osCode == 0 && d->check(fault);
        m = std::move(d);
    }
    if (!ok) return nullptr;
    m->shared_ = share == Share::Shared;
    return m;
}

std::unique_ptr<MemoFile> MemoFile::create(const std::string& path, MemoKind kind, uint32_t blockSize, int& osCode) {
    if (kind == MemoKind::Fpt) {
        auto f = std::make_unique<FptFile>();
        f->blockSize_ = blockSize == 0 ? 64 : blockSize;
        if ((osCode = f->file().create(path, Share::Exclusive)) != 0) return nullptr;
        if (!f->writeHeader()) {
            osCode = oserr::Other;
            return nullptr;
        }
        return f;
    }
    auto d = std::make_unique<DbtFile>();
    if ((osCode = d->file().create(path, Share::Exclusive)) != 0) return nullptr;
    if (!d->writeHeader()) {
        osCode = oserr::Other;
        return nullptr;
    }
    return d;
}

}  // namespace rt::rdd
