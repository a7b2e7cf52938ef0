// One open DBF table and its memo file: records by number, field values, appending, deleting, packing.
// Navigation, filters, orders and locks are the work area's; this layer only stores.
//
// Consistency on disk: a record is written before the header count that includes it, so a table cut short
// at any moment opens with every record written before. An exclusive table counts the record being appended
// when the next one is appended or the table commits; it stores records through a mapped view of the file
// (in the system's file cache at once, with no call per record) and trims the file to its records when it
// closes. Shared tables write through at once, because other handles read them.
#pragma once
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dbf_header.h"
#include "file.h"
#include "memo_file.h"
#include "runtime/core/value.h"

namespace rt::rdd {

struct TableOptions {
    bool shared = false;
    bool readOnly = false;
    MemoKind memoKind = MemoKind::Dbt;  // used when the header does not tell (version 0x83 is DBT, 0xF5 FPT)
};

struct CreateOptions {
    MemoKind memoKind = MemoKind::Dbt;
    uint32_t memoBlockSize = 64;  // FPT only; DBT blocks are 512 bytes
};

class Table {
public:
    // Opens; throws Failure (Open with the OS code, or Corruption naming the file).
    static std::unique_ptr<Table> open(const std::string& path, const TableOptions& options);
    // Creates a table file (and its memo file when there are memo fields); throws Failure.
    static void create(const std::string& path, std::vector<Field> fields, const CreateOptions& options);

    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const std::string& path() const { return path_; }
    const std::vector<Field>& fields() const { return header_.fields; }
    int fieldIndex(std::string_view name) const;  // 0-based, -1 when absent
    bool shared() const { return shared_; }
    bool readOnly() const { return readOnly_; }
    uint16_t recordLength() const { return header_.recordLength; }
    const DbfHeader& header() const { return header_; }
    File& file() { return dbf_; }

    // The record count; a shared table reads it again from the file when asked to refresh.
    uint32_t recCount(bool refresh = false);

    // Makes `recno` the buffered record (0 or beyond the count: the blank phantom record). Writes the
    // buffered record first when it was changed. A record inside the read-ahead window (the usual step of a
    // sequential pass) is copied from it inline.
    void load(uint32_t recno) {
        flushRecord();
        if (!loadAhead(recno)) loadFromFile(recno);
    }
    // load() of a record inside the read-ahead window while nothing is waiting to be written; false (nothing
    // done) otherwise. Never fails.
    bool loadAhead(uint32_t recno) {
        if (dirty_ || recno - cacheFirst_ >= cacheCount_ || recno - 1 >= header_.recCount) return false;
        std::memcpy(buf_.data(), cache_.data() + static_cast<size_t>(recno - cacheFirst_) * buf_.size(), buf_.size());
        bufRec_ = lastRead_ = recno;
        return true;
    }
    uint32_t loaded() const { return bufRec_; }
    bool isPhantom() const { return bufRec_ == 0; }
    const char* record() const { return buf_.data(); }
    bool deleted() const { return buf_[0] == '*'; }

    Value get(size_t field);
    // The value of a numeric field whose bytes start at p, as get() answers it.
    static Value numberValue(const Field& f, const char* p);
    // Throws Failure on a type mismatch (DataType) or a number too wide for the field (DataWidth).
    void put(size_t field, const Value& v);
    // put() for a value the caller has passed through checkType() already.
    void putChecked(size_t field, const Value& v);
    // Throws Failure (DataType) when the value cannot go into the field.
    void checkType(size_t field, const Value& v) const;
    void setDeleted(bool on);
    // Writes the record whole from raw bytes (import and copy paths); the deleted flag comes with it.
    void putRaw(const char* bytes);

    // Appends a blank record and buffers it; answers its number. The caller holds whatever lock it needs.
    uint32_t appendBlank();
    // Copies `count` record images from record `first` on into `out` (a bulk read for copying and sorting).
    // Throws Failure (Corruption) when the file holds fewer.
    void readImages(uint32_t first, uint32_t count, char* out);
    // Maps every record the table holds into `view` for reading, after writing and counting what is pending,
    // so a bulk pass reads the records where the system's file cache keeps them, with no copy. False when
    // there are none or the system grants no view (the caller reads them with readImages).
    bool viewRecords(FileView& view);
    // Appends whole record images at once (an exclusive table's bulk path, for copying and sorting): the
    // records are written before the count that includes them. Throws Failure.
    void appendImages(const char* images, uint32_t count);
    // Writes the buffered record when changed.
    void flushRecord() {
        if (dirty_) writeBuffered();
    }
    // Writes everything pending, the header date and count; with `toDisk` asks the OS to sync.
    void commit(bool toDisk = false);
    void pack();
    void zap();

    // Memo text of a field of the buffered record (for copying tables).
    std::string memoText(size_t field);
    bool changed() const { return dirty_; }

private:
    Table() = default;
    void loadFromFile(uint32_t recno);
    void writeBuffered();
    uint64_t recordOffset(uint32_t recno) const {
        return header_.headerLength + static_cast<uint64_t>(recno - 1) * header_.recordLength;
    }
    void readRecord(uint32_t recno, char* out);
    void writeRecord(uint32_t recno, const char* bytes);
    // The record's place in the view when the view covers it (and, for a record being appended, the end
    // marker's byte after it), else moveView's answer. Only exclusive writable tables ever map a view.
    char* viewSlot(uint32_t recno) {
        const uint64_t at = recordOffset(recno);
        const uint64_t end = at + header_.recordLength + (recno > diskCount_ ? 1 : 0);
        return view_.covers(at, end) ? view_.at(at) : moveView(recno);
    }
    char* moveView(uint32_t recno);
    void countAppended();
    void closeView();
    void writeCount();
    void touch();
    void requireWritable();
    void putNumber(const Field& f, char* p, const Value& v);
    static void putMemoBlock(const Field& f, char* p, uint32_t block);
    [[noreturn]] void corrupt(const std::string& what, const std::string& file = {}) const;

    std::string path_;
    File dbf_;
    std::unique_ptr<MemoFile> memo_;
    DbfHeader header_;
    bool shared_ = false;
    bool readOnly_ = false;
    bool touched_ = false;

    std::vector<char> buf_;
    uint32_t bufRec_ = 0;
    bool dirty_ = false;
    uint32_t diskCount_ = 0;  // records whose bytes are on disk and counted in the header

    // Exclusive tables write records through a view of the file when the system grants one; the record being
    // appended (number diskCount_ + 1) lives there, or else in pending_ until it is counted.
    FileView view_;
    size_t window_ = 0;  // the size of view_ when it was mapped (see viewSlot)
    FileView head_;      // the header's first bytes, for the record count
    std::vector<char> pending_;
    // Exclusive tables: read-ahead window of consecutive records.
    std::vector<char> cache_;
    uint32_t cacheFirst_ = 0, cacheCount_ = 0;
    uint32_t lastRead_ = 0;  // the record read last, to tell a sequential pass from a jump
};

}  // namespace rt::rdd
