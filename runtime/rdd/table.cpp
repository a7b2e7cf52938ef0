#include "table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "failure.h"
#include "runtime/core/symbol.h"
#include "runtime/lib/date.h"
#include "runtime/rdd/byte_order.h"

namespace rt::rdd {

namespace {

constexpr size_t kReadAhead = 64 * 1024;
// The view an exclusive table writes through starts small and doubles while the writes go on from where the
// last view ended (an import, a pass of edits), up to the largest; a jump starts small again. Each view costs
// a mapping and, once the writes stream, one call that makes all its pages present. A process killed
// mid-append leaves at most the largest view (rounded up to the file's growth step) of zero-filled space after
// the end marker, which the next close that writes trims.
constexpr size_t kFirstViewWindow = 64 * 1024;
constexpr size_t kLargestViewWindow = 16 << 20;

bool knownVersion(uint8_t v) { return v == 0x03 || v == 0x83 || v == 0x8B || v == dbfver::WithFpt; }

std::string memoPathFor(const std::string& dbf, MemoKind kind) {
    size_t slash = dbf.find_last_of("/\\");
    size_t dot = dbf.find_last_of('.');
    std::string base = (dot == std::string::npos || (slash != std::string::npos && dot < slash)) ? dbf
                                                                                                 : dbf.substr(0, dot);
    std::string ext = memoExtension(kind);
    // Follow the spelling of the table's own extension, so "EMP.DBF" pairs with "EMP.DBT".
    if (dot != std::string::npos && dot + 1 < dbf.size() && std::isupper(static_cast<unsigned char>(dbf[dot + 1])))
        ext = upper(ext);
    return resolveCase(base + "." + ext);
}

std::string_view trimmed(const char* p, size_t n) {
    std::string_view s(p, n);
    size_t a = s.find_first_not_of(' ');
    if (a == std::string_view::npos) return {};
    size_t b = s.find_last_not_of(' ');
    return s.substr(a, b - a + 1);
}

// A memo field's block number: ten digits, or four binary bytes in a FoxPro-kind table (blank in a record
// that was appended blank).
uint32_t memoBlockOf(const char* p, size_t n) {
    if (n == 4) return std::string_view(p, 4) == "    " ? 0 : getLE32(p);
    std::string_view s = trimmed(p, n);
    uint32_t block = 0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), block);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() ? block : 0;
}

}  // namespace

Table::~Table() {
    try {
        if (!readOnly_) {
            commit();
            closeView();
        }
    } catch (...) {
        // Closing must not throw; what could not be written was reported by the writes before.
    }
}

std::unique_ptr<Table> Table::open(const std::string& path, const TableOptions& o) {
    std::unique_ptr<Table> t(new Table());
    t->path_ = path;
    t->shared_ = o.shared;
    t->readOnly_ = o.readOnly;
    if (int os = t->dbf_.open(path, !o.readOnly, o.shared ? Share::Shared : Share::Exclusive); os != 0) {
        Failure f{makeError(eg::Open, sub::Open, "Open error", path, os)};
        f.error.canRetry = true;
        f.error.canDefault = true;
        throw f;
    }
    char prefix[kDbfPrefix];
    size_t got = t->dbf_.readAt(0, prefix, sizeof prefix);
    std::string fault;
    auto h = decodePrefix(std::string_view(prefix, got), fault);
    if (h && !knownVersion(h->version)) fault = "not a DBF table (version byte)";
    if (!h || !fault.empty()) t->corrupt(fault);
    std::string descriptors(h->headerLength - kDbfPrefix, '\0');
    descriptors.resize(t->dbf_.readAt(kDbfPrefix, descriptors.data(), descriptors.size()));
    if (!decodeFields(*h, descriptors, fault) || !checkSize(*h, t->dbf_.size(), fault)) t->corrupt(fault);
    t->header_ = std::move(*h);
    t->diskCount_ = t->header_.recCount;
    t->buf_.assign(t->header_.recordLength, ' ');
    if (!t->header_.hasMemo()) return t;

    MemoKind kind = t->header_.version == dbfver::WithFpt ? MemoKind::Fpt
                    : t->header_.version == dbfver::WithDbt ? MemoKind::Dbt
                                                          : o.memoKind;
    std::string memoPath = memoPathFor(path, kind);
    int os = 0;
    t->memo_ = MemoFile::open(memoPath, kind, !o.readOnly, o.shared ? Share::Shared : Share::Exclusive, os, fault);
    if (!t->memo_ && os != 0) {
        Failure f{makeError(eg::Open, sub::Open, "Open error", memoPath, os)};
        f.error.canRetry = true;
        f.error.canDefault = true;
        throw f;
    }
    if (!t->memo_) t->corrupt(fault, memoPath);
    return t;
}

void Table::create(const std::string& path, std::vector<Field> fields, const CreateOptions& o) {
    if (std::string fault = layoutFields(fields); !fault.empty()) fail(eg::Create, sub::Create, fault, path);
    DbfHeader h;
    h.fields = std::move(fields);
    bool memo = h.hasMemo();
    h.version = !memo ? dbfver::Plain : o.memoKind == MemoKind::Fpt ? dbfver::WithFpt : dbfver::WithDbt;
    Ymd now = ymdFromJulian(today().julian);
    h.year = now.year;
    h.month = now.month;
    h.day = now.day;
    std::vector<uint8_t> bytes = encodeHeader(h);
    bytes.push_back(kEofMarker);
    File f;
    if (int os = f.create(path, Share::Exclusive); os != 0) fail(eg::Create, sub::Create, "Create error", path, os);
    if (!f.writeAt(0, bytes.data(), bytes.size())) fail(eg::Write, sub::Write, "Write error", path, oserr::Other);
    if (!memo) return;
    std::string memoPath = memoPathFor(path, o.memoKind);
    int os = 0;
    if (!MemoFile::create(memoPath, o.memoKind, o.memoBlockSize, os))
        fail(eg::Create, sub::Create, "Create error", memoPath, os);
}

int Table::fieldIndex(std::string_view name) const {
    for (size_t i = 0; i < header_.fields.size(); ++i)
        if (equalsIgnoreCase(header_.fields[i].name, name)) return static_cast<int>(i);
    return -1;
}

void Table::corrupt(const std::string& what, const std::string& file) const {
    fail(eg::Corruption, sub::Corruption, "Corruption detected: " + what, file.empty() ? path_ : file);
}

void Table::requireWritable() {
    if (readOnly_) fail(eg::ReadOnly, sub::ReadOnly, "Write to a read-only table", path_);
}

uint32_t Table::recCount(bool refresh) {
    if (!refresh || !shared_) return header_.recCount;
    char c[4];
    if (dbf_.readAt(4, c, 4) != 4) return header_.recCount;
    uint32_t n = static_cast<uint8_t>(c[0]) | static_cast<uint8_t>(c[1]) << 8 | static_cast<uint8_t>(c[2]) << 16 |
                 static_cast<uint32_t>(static_cast<uint8_t>(c[3])) << 24;
    uint64_t size = dbf_.size();
    uint64_t onDisk = size > header_.headerLength ? (size - header_.headerLength) / header_.recordLength : 0;
    header_.recCount = diskCount_ = static_cast<uint32_t>(std::min<uint64_t>(n, onDisk));
    return header_.recCount;
}

void Table::readRecord(uint32_t recno, char* out) {
    const uint32_t len = header_.recordLength;
    // A sequential pass reads from the read-ahead window first: writes keep the window's copy current.
    if (recno - cacheFirst_ < cacheCount_) {
        lastRead_ = recno;
        std::memcpy(out, cache_.data() + static_cast<size_t>(recno - cacheFirst_) * len, len);
        return;
    }
    const uint64_t at = recordOffset(recno);
    if (view_.covers(at, at + len)) {
        std::memcpy(out, view_.at(at), len);
        return;
    }
    if (recno > diskCount_ && !pending_.empty()) {
        std::memcpy(out, pending_.data(), len);
        return;
    }
    // Read ahead only along a sequential pass: a jump (a seek's record) reads its record alone and keeps the
    // window the pass is reading from.
    const bool sequential = recno == lastRead_ + 1 || cacheCount_ == 0;
    lastRead_ = recno;
    if (shared_ || recno > diskCount_ || !sequential) {
        if (dbf_.readAt(at, out, len) != len)
            corrupt("record " + std::to_string(recno) + " beyond the end of the file");
        return;
    }
    uint32_t want = std::max<uint32_t>(1, static_cast<uint32_t>(kReadAhead / len));
    want = std::min(want, diskCount_ - recno + 1);
    cache_.resize(static_cast<size_t>(want) * len);
    size_t got = dbf_.readAt(at, cache_.data(), cache_.size());
    cacheFirst_ = recno;
    cacheCount_ = static_cast<uint32_t>(got / len);
    if (cacheCount_ == 0) corrupt("record " + std::to_string(recno) + " beyond the end of the file");
    std::memcpy(out, cache_.data(), len);
}

void Table::writeRecord(uint32_t recno, const char* bytes) {
    const uint32_t len = header_.recordLength;
    const uint64_t at = recordOffset(recno);
    if (char* slot = viewSlot(recno))
        std::memcpy(slot, bytes, len);
    else if (recno > diskCount_)
        std::memcpy(pending_.data(), bytes, len);
    else if (!dbf_.writeAt(at, bytes, len))
        fail(eg::Write, sub::Write, "Write error", path_, oserr::Other);
    if (recno >= cacheFirst_ && recno < cacheFirst_ + cacheCount_)
        std::memcpy(cache_.data() + static_cast<size_t>(recno - cacheFirst_) * len, bytes, len);
}

void Table::loadFromFile(uint32_t recno) {
    if (recno == 0 || recno > header_.recCount) {
        std::fill(buf_.begin(), buf_.end(), ' ');
        bufRec_ = 0;
        return;
    }
    readRecord(recno, buf_.data());
    bufRec_ = recno;
}

void Table::writeBuffered() {
    dirty_ = false;
    writeRecord(bufRec_, buf_.data());
}

void Table::touch() {
    if (touched_) return;
    touched_ = true;
    Ymd now = ymdFromJulian(today().julian);
    char d[3] = {static_cast<char>(now.year - 1900), static_cast<char>(now.month), static_cast<char>(now.day)};
    dbf_.writeAt(1, d, 3);
}

void Table::writeCount() {
    if (head_.mapped()) {
        putLE32(head_.at(4), diskCount_);
        return;
    }
    char c[4];
    putLE32(c, diskCount_);
    if (!dbf_.writeAt(4, c, 4)) fail(eg::Write, sub::Write, "Write error", path_, oserr::Other);
}

// The record's place in the exclusive table's view, or null where writes go through the file (a shared or
// read-only table, or a system that grants no view). Appends that stream on from the view's end lengthen it
// where the system can, so the records written stay mapped: a later pass over them (the import edits each
// scratch record it appended) reads and writes them with no fault. Otherwise the view moves to a record it
// does not cover: appends take a window beyond the end, growing the file, plus the end marker's byte; edits
// of stored records take up to a window within the file, so a sequential pass of edits costs one mapping per
// window.
char* Table::moveView(uint32_t recno) {
    if (shared_ || readOnly_) return nullptr;
    const uint32_t len = header_.recordLength;
    const uint64_t at = recordOffset(recno);
    const bool appending = recno > diskCount_;
    const bool streaming = view_.mapped() && at >= view_.begin() && at <= view_.end();
    window_ = streaming ? std::min(window_ * 2, kLargestViewWindow) : kFirstViewWindow;
    uint64_t length = std::max<size_t>(1, window_ / len) * len + 1;
    if (appending && streaming && view_.extend(dbf_, static_cast<size_t>(at + length - view_.begin()), true))
        return view_.at(at);
    if (!appending) {
        // The record being appended may live only in the view that is about to move: count it first.
        countAppended();
        length = std::min<uint64_t>(length, recordOffset(diskCount_ + 1) - at);
    }
    if (!view_.map(dbf_, at, static_cast<size_t>(length), streaming)) return nullptr;
    if (appending && !head_.mapped()) head_.map(dbf_, 0, 8);
    return view_.at(at);
}

// Counts the record being appended: its bytes and the end marker after it are stored before the count.
void Table::countAppended() {
    if (diskCount_ == header_.recCount) return;
    const uint32_t len = header_.recordLength;
    const uint64_t end = recordOffset(header_.recCount) + len;
    const char eof = static_cast<char>(kEofMarker);
    if (view_.covers(end, end + 1)) {
        *view_.at(end) = eof;
    } else {
        // Its bytes are in pending_, or already in the file through a view since dropped.
        pending_.push_back(eof);
        const uint64_t from = pending_.size() > 1 ? end - len : end;
        if (!dbf_.writeAt(from, pending_.data(), pending_.size()))
            fail(eg::Write, sub::Write, "Write error", path_, oserr::Other);
    }
    pending_.clear();
    diskCount_ = header_.recCount;
    writeCount();
}

// Drops the views and trims what an appending view added beyond the end marker.
void Table::closeView() {
    if (!view_.mapped() && !head_.mapped()) return;
    view_.unmap();
    head_.unmap();
    const uint64_t end = header_.headerLength + static_cast<uint64_t>(diskCount_) * header_.recordLength + 1;
    if (dbf_.size() > end) dbf_.truncate(end);
}

uint32_t Table::appendBlank() {
    requireWritable();
    flushRecord();
    touch();
    const uint32_t len = header_.recordLength;
    std::fill(buf_.begin(), buf_.end(), ' ');
    if (shared_) {
        uint32_t n = recCount(true);
        std::vector<char> bytes(buf_);
        bytes.push_back(static_cast<char>(kEofMarker));
        if (!dbf_.writeAt(header_.headerLength + static_cast<uint64_t>(n) * len, bytes.data(), bytes.size()))
            fail(eg::Write, sub::Write, "Write error", path_, oserr::Other);
        diskCount_ = header_.recCount = n + 1;
        writeCount();
    } else {
        // Only the record being written is uncounted: a process killed now loses at most that one. Its bytes
        // reach the file when the buffer is written, which comes before anything counts it.
        countAppended();
        ++header_.recCount;
        if (!viewSlot(header_.recCount)) pending_.assign(buf_.begin(), buf_.end());
        dirty_ = true;
    }
    bufRec_ = header_.recCount;
    return bufRec_;
}

void Table::readImages(uint32_t first, uint32_t count, char* out) {
    flushRecord();
    const uint32_t len = header_.recordLength;
    // What the file counts comes in one read; the record being appended, if asked for, from where it is kept.
    const uint32_t onDisk = first <= diskCount_ ? std::min(count, diskCount_ - first + 1) : 0;
    const size_t bytes = static_cast<size_t>(onDisk) * len;
    if (onDisk && dbf_.readAt(recordOffset(first), out, bytes) != bytes)
        corrupt("record " + std::to_string(first) + " beyond the end of the file");
    for (uint32_t r = first + onDisk; r < first + count; ++r)
        readRecord(r, out + static_cast<size_t>(r - first) * len);
}

bool Table::viewRecords(FileView& view) {
    flushRecord();
    if (!readOnly_ && !shared_) countAppended();
    if (diskCount_ != header_.recCount || diskCount_ == 0) return false;
    return view.mapRead(dbf_, recordOffset(1), static_cast<size_t>(diskCount_) * header_.recordLength);
}

void Table::appendImages(const char* images, uint32_t count) {
    requireWritable();
    if (shared_) fail(eg::Shared, sub::Shared, "Exclusive open required", path_);
    flushRecord();
    countAppended();
    touch();
    const uint64_t at = recordOffset(diskCount_ + 1);
    const size_t bytes = static_cast<size_t>(count) * header_.recordLength;
    const char eof = static_cast<char>(kEofMarker);
    if (!dbf_.writeAt(at, images, bytes) || !dbf_.writeAt(at + bytes, &eof, 1))
        fail(eg::Write, sub::Write, "Write error", path_, oserr::Other);
    diskCount_ = header_.recCount = diskCount_ + count;
    writeCount();
}

void Table::commit(bool toDisk) {
    flushRecord();
    countAppended();
    if (touched_ && !readOnly_) {
        if (!shared_) writeCount();
        if (toDisk) {
            closeView();  // a view's stores reach the disk through the file's own flush once it is gone
            dbf_.flush();
            if (memo_) memo_->file().flush();
        }
    }
}

Value Table::numberValue(const Field& f, const char* p) {
    std::string_view s = trimmed(p, f.length);
    if (f.decimals == 0) {
        int64_t i = 0;
        auto r = std::from_chars(s.data(), s.data() + s.size(), i);
        if (r.ec == std::errc() && r.ptr == s.data() + s.size()) return Value::integer(i, static_cast<int>(f.length));
    }
    std::string text(s);
    double d = text.empty() ? 0.0 : std::strtod(text.c_str(), nullptr);
    if (f.decimals == 0 && std::fabs(d) < 9e15) return Value::integer(static_cast<int64_t>(d), static_cast<int>(f.length));
    return Value::number(d, static_cast<int>(f.length), static_cast<int>(f.decimals));
}

Value Table::get(size_t field) {
    const Field& f = header_.fields.at(field);
    const char* p = buf_.data() + f.offset;
    switch (f.type) {
    case 'C': return Value(std::string(p, f.length));
    case 'N': return numberValue(f, p);
    case 'D': return Value(stod(std::string_view(p, f.length)));
    case 'L': return Value(*p == 'T' || *p == 't' || *p == 'Y' || *p == 'y');
    case 'M': return Value(memoText(field));
    default: return Value();
    }
}

std::string Table::memoText(size_t field) {
    const Field& f = header_.fields.at(field);
    if (!memo_ || f.type != 'M') return {};
    uint32_t block = memoBlockOf(buf_.data() + f.offset, f.length);
    std::string text, fault;
    if (!memo_->read(block, text, fault)) corrupt(fault, memo_->file().path());
    return text;
}

void Table::putNumber(const Field& f, char* p, const Value& v) {
    const Number& n = v.asNumber();
    if (n.isInteger && f.decimals == 0) {
        // The common case, right-aligned without the cost of a format parser.
        char digits[24];
        auto r = std::to_chars(digits, digits + sizeof digits, n.integer);
        size_t w = static_cast<size_t>(r.ptr - digits);
        if (w > f.length) fail(eg::DataWidth, sub::DataWidth, "Data width error: " + f.name, path_);
        std::memset(p, ' ', f.length - w);
        std::memcpy(p + f.length - w, digits, w);
        return;
    }
    char text[64];
    int w = 0;
    if (std::isfinite(n.asDouble()))
        w = std::snprintf(text, sizeof text, "%*.*f", static_cast<int>(f.length), static_cast<int>(f.decimals),
                          n.asDouble());
    else
        w = 64;
    // The text is padded to the field's width, so anything but that width does not fit (or was cut short).
    if (w < 0 || static_cast<uint32_t>(w) != f.length || static_cast<size_t>(w) >= sizeof text)
        fail(eg::DataWidth, sub::DataWidth, "Data width error: " + f.name, path_);
    std::memcpy(p, text, static_cast<size_t>(w));
}

void Table::putMemoBlock(const Field& f, char* p, uint32_t block) {
    if (f.length == 4) {
        putLE32(p, block);
        return;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%10u", block);
    if (block == 0) std::memset(text, ' ', 10);
    std::memcpy(p, text, std::min<size_t>(f.length, 10));
}

void Table::checkType(size_t field, const Value& value) const {
    const Field& f = header_.fields.at(field);
    const Value& v = value.deref();
    bool typeOk = (f.type == 'C' && v.isString()) || (f.type == 'N' && v.isNumber()) ||
                  (f.type == 'D' && v.isDate()) || (f.type == 'L' && v.isLogical()) ||
                  (f.type == 'M' && v.isString());
    if (!typeOk) fail(eg::DataType, sub::DataType, "Data type error: " + f.name, path_);
}

void Table::put(size_t field, const Value& value) {
    checkType(field, value);
    putChecked(field, value);
}

void Table::putChecked(size_t field, const Value& value) {
    requireWritable();
    const Field& f = header_.fields.at(field);
    const Value& v = value.deref();
    char* p = buf_.data() + f.offset;
    if (bufRec_ == 0) return;  // the phantom record takes no values
    switch (f.type) {
    case 'C': {
        const std::string& s = v.asString();
        size_t n = std::min<size_t>(s.size(), f.length);
        std::memcpy(p, s.data(), n);
        std::memset(p + n, ' ', f.length - n);
        break;
    }
    case 'N': putNumber(f, p, v); break;
    case 'D': std::memcpy(p, dtos(v.asDate()).data(), 8); break;
    case 'L': *p = v.asLogical() ? 'T' : 'F'; break;
    case 'M': {
        uint32_t block = 0;
        if (!memo_ || !memo_->write(v.asString(), memoBlockOf(p, f.length), block))
            fail(eg::Write, sub::Write, "Write error", memo_ ? memo_->file().path() : path_, oserr::Other);
        putMemoBlock(f, p, block);
        break;
    }
    }
    touch();
    dirty_ = true;
}

void Table::setDeleted(bool on) {
    requireWritable();
    if (bufRec_ == 0) return;
    buf_[0] = on ? '*' : ' ';
    touch();
    dirty_ = true;
}

void Table::putRaw(const char* bytes) {
    requireWritable();
    if (bufRec_ == 0) return;
    std::memcpy(buf_.data(), bytes, buf_.size());
    touch();
    dirty_ = true;
}

void Table::pack() {
    requireWritable();
    commit();
    closeView();  // Windows truncates no file that a view maps
    touch();
    const uint32_t len = header_.recordLength;
    const uint32_t perChunk = std::max<uint32_t>(1, static_cast<uint32_t>((1u << 20) / len));
    std::vector<char> chunk(static_cast<size_t>(perChunk) * len);
    uint32_t kept = 0;
    // Records only move toward the start, over records already read, so a stop half-way loses none.
    for (uint32_t r = 1; r <= diskCount_; r += perChunk) {
        uint32_t n = std::min(perChunk, diskCount_ - r + 1);
        uint64_t at = header_.headerLength + static_cast<uint64_t>(r - 1) * len;
        if (dbf_.readAt(at, chunk.data(), static_cast<size_t>(n) * len) != static_cast<size_t>(n) * len)
            corrupt("record " + std::to_string(r) + " beyond the end of the file");
        size_t out = 0;
        for (uint32_t i = 0; i < n; ++i) {
            const char* rec = chunk.data() + static_cast<size_t>(i) * len;
            if (*rec == '*') continue;
            if (out != static_cast<size_t>(i) * len) std::memmove(chunk.data() + out, rec, len);
            out += len;
        }
        if (out && !dbf_.writeAt(header_.headerLength + static_cast<uint64_t>(kept) * len, chunk.data(), out))
            fail(eg::Write, sub::Write, "Write error", path_, oserr::Other);
        kept += static_cast<uint32_t>(out / len);
    }
    diskCount_ = header_.recCount = kept;
    writeCount();
    uint64_t end = header_.headerLength + static_cast<uint64_t>(kept) * len;
    char eof = static_cast<char>(kEofMarker);
    dbf_.writeAt(end, &eof, 1);
    dbf_.truncate(end + 1);
    cacheCount_ = 0;
    bufRec_ = 0;
    std::fill(buf_.begin(), buf_.end(), ' ');
}

void Table::zap() {
    requireWritable();
    dirty_ = false;
    view_.unmap();
    head_.unmap();
    pending_.clear();
    touch();
    diskCount_ = header_.recCount = 0;
    writeCount();
    char eof = static_cast<char>(kEofMarker);
    dbf_.writeAt(header_.headerLength, &eof, 1);
    dbf_.truncate(header_.headerLength + 1u);
    if (memo_ && !memo_->zap()) fail(eg::Write, sub::Write, "Write error", memo_->file().path(), oserr::Other);
    cacheCount_ = 0;
    bufRec_ = 0;
    std::fill(buf_.begin(), buf_.end(), ' ');
}

}  // namespace rt::rdd
