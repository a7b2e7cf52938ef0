#include "commands.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <fstream>
#include <numeric>
#include <vector>

#include "failure.h"
#include "runtime/lib/date.h"
#include "work_areas.h"

namespace rt::rdd {

namespace {

int& fileError() {
    static int code = 0;
    return code;
}

// Longest numeric text kept for a part (more digits than any numeric field can hold).
constexpr size_t kNumberPart = 40;

size_t partLimit(const Field& f) {
    switch (f.type) {
    case 'C': return f.length;
    case 'N': return kNumberPart;
    case 'D': return 8;
    case 'L': return 1;
    default: return 0;  // memo fields take nothing from a delimited line
    }
}

// Fills a record image from the parts of one line, field by field, with each part's text as the field holds
// it; the record is then put whole, so a failure never leaves half a record.
class RecordBuilder {
public:
    explicit RecordBuilder(const Table& t) : fields_(t.fields()), image_(t.recordLength(), ' ') {}

    void reset() {
        std::fill(image_.begin(), image_.end(), ' ');
        part_.clear();
        index_ = 0;
        any_ = false;
    }
    void add(char c) {
        any_ = true;
        if (index_ < fields_.size() && part_.size() < partLimit(fields_[index_])) part_.push_back(c);
    }
    void endPart() {
        any_ = true;
        if (index_ < fields_.size()) store(fields_[index_]);
        part_.clear();
        ++index_;
    }
    bool any() const { return any_; }
    const char* image() const { return image_.data(); }

private:
    void store(const Field& f) {
        char* p = image_.data() + f.offset;
        switch (f.type) {
        case 'C': std::memcpy(p, part_.data(), part_.size()); break;
        case 'N': storeNumber(f, p); break;
        case 'D': {
            Date d = rt::stod(part_);
            std::memcpy(p, dtos(d).data(), 8);
            break;
        }
        case 'L': *p = (!part_.empty() && std::strchr("TtYy", part_[0])) ? 'T' : 'F'; break;
        default: break;
        }
    }
    void storeNumber(const Field& f, char* p) {
        double d = 0;
        std::string text = part_;
        size_t a = text.find_first_not_of(' ');
        if (a != std::string::npos) d = std::strtod(text.c_str() + a, nullptr);
        char out[64];
        int w = std::snprintf(out, sizeof out, "%*.*f", static_cast<int>(f.length), static_cast<int>(f.decimals), d);
        // A number wider than the field leaves it blank (zero) rather than overflowing into the next one.
        if (w > 0 && static_cast<uint32_t>(w) <= f.length) std::memcpy(p, out, f.length);
    }

    const std::vector<Field>& fields_;
    std::string image_;
    std::string part_;
    size_t index_ = 0;
    bool any_ = false;
};

// The numeric value of a stored N field; blank or unreadable text sorts as zero, as the field reads.
double storedNumber(const char* p, size_t length) {
    std::string_view s(p, length);
    size_t a = s.find_first_not_of(' ');
    if (a == std::string_view::npos) return 0;
    double d = 0;
    std::from_chars(s.data() + a, s.data() + s.size(), d);
    return d;
}

// Record numbers (0-based) in ascending key order; equal keys keep their table order, so sorting twice gives
// the same table.
std::vector<uint32_t> sortedOrder(const std::vector<char>& records, uint32_t len, const Field& key) {
    const size_t count = records.size() / len;
    const char* base = records.data() + key.offset;
    std::vector<uint32_t> order(count);
    if (key.type == 'N' && key.decimals == 0 && key.length <= 9) {
        // Whole numbers of up to nine digits: key and record number packed in one integer sort fastest, and
        // the record number in the low half keeps equal keys in table order.
        std::vector<uint64_t> packed(count);
        for (uint32_t i = 0; i < count; ++i) {
            const int64_t k = static_cast<int64_t>(storedNumber(base + static_cast<size_t>(i) * len, key.length));
            packed[i] = static_cast<uint64_t>(k + 1'000'000'000) << 32 | i;
        }
        std::sort(packed.begin(), packed.end());
        for (size_t i = 0; i < count; ++i) order[i] = static_cast<uint32_t>(packed[i]);
        return order;
    }
    if (key.type == 'N') {
        std::vector<std::pair<double, uint32_t>> keyed(count);
        for (uint32_t i = 0; i < count; ++i) keyed[i] = {storedNumber(base + static_cast<size_t>(i) * len, key.length), i};
        std::sort(keyed.begin(), keyed.end());
        for (size_t i = 0; i < count; ++i) order[i] = keyed[i].second;
        return order;
    }
    // Character, date ("yyyymmdd", blank first) and logical fields order by their stored bytes.
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        int c = std::memcmp(base + static_cast<size_t>(a) * len, base + static_cast<size_t>(b) * len, key.length);
        return c < 0 || (c == 0 && a < b);
    });
    return order;
}

bool appendImage(WorkArea& area, const char* image) {
    if (!area.append(false)) return false;
    return withErrorHandler(
        [&] {
            area.table().putRaw(image);
            area.flush();
            area.unlockRecord(area.recno());
            return true;
        },
        false);
}

}  // namespace

int64_t appendFromDelimited(WorkArea& area, std::istream& in) {
    RecordBuilder b(area.table());
    int64_t added = 0;
    std::vector<char> chunk(1 << 16);
    bool ended = false;
    auto finishLine = [&]() -> bool {
        if (!b.any()) return true;
        b.endPart();
        if (!appendImage(area, b.image())) return false;
        ++added;
        b.reset();
        return true;
    };
    b.reset();
    while (!ended && in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        std::streamsize got = in.gcount();
        for (std::streamsize i = 0; i < got; ++i) {
            char c = chunk[static_cast<size_t>(i)];
            if (c == '\n') {
                if (!finishLine()) return -1;
            } else if (c == '\r') {
                // Part of a CR/LF line end.
            } else if (c == '\x1A') {
                ended = true;
                break;
            } else if (c == ' ') {
                b.endPart();
            } else {
                b.add(c);
            }
        }
    }
    if (!finishLine()) return -1;
    return added;
}

int64_t appendFromDelimited(WorkArea& area, const std::string& file) {
    std::string path = WorkAreas::withExtension(file, ".txt");
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Failure f{makeError(eg::Open, sub::Open, "Open error", path, fileExists(path) ? oserr::Access : oserr::NotFound)};
        f.error.canDefault = true;
        ErrorAnswer a = raise(f.error);
        (void)a;
        return -1;
    }
    return appendFromDelimited(area, in);
}

bool sortTo(WorkArea& area, const std::string& target, const std::string& field) {
    int fi = area.fieldPos(field);
    return withErrorHandler(
        [&] {
            if (fi == 0) fail(eg::Arg, sub::Arg, "Unknown sort field " + field, area.table().path());
            Table& src = area.table();
            const uint32_t len = src.recordLength();
            std::vector<size_t> memoFields;
            for (size_t i = 0; i < src.fields().size(); ++i)
                if (src.fields()[i].type == 'M') memoFields.push_back(i);

            std::vector<char> records;
            records.reserve(static_cast<size_t>(src.recCount()) * len);
            std::vector<std::vector<std::string>> memos;
            area.goTop();
            while (!area.eof()) {
                records.insert(records.end(), src.record(), src.record() + len);
                if (!memoFields.empty()) {
                    memos.emplace_back();
                    for (size_t m : memoFields) memos.back().push_back(src.memoText(m));
                }
                area.skip(1);
            }
            const std::vector<uint32_t> order =
                sortedOrder(records, len, src.fields()[static_cast<size_t>(fi - 1)]);

            std::string path = WorkAreas::withExtension(target);
            CreateOptions co;
            co.memoKind = src.header().version == dbfver::WithFpt ? MemoKind::Fpt : MemoKind::Dbt;
            Table::create(path, src.fields(), co);
            TableOptions to;
            to.memoKind = co.memoKind;
            auto out = Table::open(path, to);
            for (uint32_t i : order) {
                char* image = records.data() + static_cast<size_t>(i) * len;
                // Memo pointers name blocks of the source's memo file: the texts are written anew below.
                for (size_t m : memoFields) std::memset(image + src.fields()[m].offset, ' ', 10);
                out->appendBlank();
                out->putRaw(image);
                out->setDeleted(false);
                for (size_t k = 0; k < memoFields.size(); ++k) out->put(memoFields[k], Value(memos[i][k]));
            }
            out->commit(true);
            return true;
        },
        false);
}

bool fileExistsCmd(const std::string& path) { return fileExists(resolveCase(path)); }

int fileErase(const std::string& path) {
    fileError() = eraseFile(resolveCase(path));
    return fileError() == 0 ? 0 : -1;
}

int fileRename(const std::string& from, const std::string& to) {
    std::string target = resolveCase(to);
    fileError() = renameFile(resolveCase(from), target);
    return fileError() == 0 ? 0 : -1;
}

int lastFileError() { return fileError(); }

}  // namespace rt::rdd
