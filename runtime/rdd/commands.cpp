#include "commands.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>
#include <fstream>
#include <numeric>
#include <utility>
#include <vector>

#include "failure.h"
#include "runtime/core/settings.h"
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
        used_ = 0;
        any_ = false;
    }
    // Adds the text [p, p + n) to the part under way, cut at what its field can take. A character field's
    // text goes straight to its place in the record; other parts are kept for their conversion.
    void add(const char* p, size_t n) {
        any_ = true;
        if (index_ >= fields_.size()) return;
        const Field& f = fields_[index_];
        if (f.type == 'C') {
            const size_t take = std::min<size_t>(n, f.length - used_);
            std::memcpy(image_.data() + f.offset + used_, p, take);
            used_ += take;
            return;
        }
        const size_t limit = partLimit(f);
        if (part_.size() < limit) part_.append(p, std::min(n, limit - part_.size()));
    }
    void endPart() {
        any_ = true;
        if (index_ < fields_.size()) store(fields_[index_]);
        part_.clear();
        used_ = 0;
        ++index_;
    }
    bool any() const { return any_; }
    const char* image() const { return image_.data(); }

private:
    void store(const Field& f) {
        char* p = image_.data() + f.offset;
        switch (f.type) {
        case 'C': break;  // copied as it came
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
    size_t used_ = 0;  // bytes of the character field under way already in the record
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

// An unsigned integer that orders as the number does: negatives have every bit flipped, the rest only the
// sign bit.
uint64_t orderedBits(double d) {
    const uint64_t bits = std::bit_cast<uint64_t>(d + 0.0);  // + 0.0 makes -0 sort as 0
    return bits >> 63 ? ~bits : bits | (uint64_t{1} << 63);
}

using KeyedRecord = std::pair<uint64_t, uint32_t>;

// Least-significant-byte-first radix sort by the bits [fromBit, 64) of each item's key: stable, so equal keys
// keep their table order. A byte that every key shares costs one counting pass and no move.
template <class Item, class KeyOf>
void radixSort(std::vector<Item>& items, int fromBit, KeyOf keyOf) {
    std::vector<Item> spare(items.size());
    for (int shift = fromBit; shift < 64; shift += 8) {
        std::array<size_t, 256> at{};
        for (const Item& it : items) ++at[(keyOf(it) >> shift) & 0xFF];
        if (std::find(at.begin(), at.end(), items.size()) != at.end()) continue;
        size_t sum = 0;
        for (size_t& n : at) sum += std::exchange(n, sum);
        for (const Item& it : items) spare[at[(keyOf(it) >> shift) & 0xFF]++] = it;
        items.swap(spare);
    }
}

// An N field without decimals of up to nine digits holds integers that fit 32 bits: the key and the record
// number then share one 64-bit word, half the memory of a separate key and twice as many items per cache line.
// Answers false, leaving `order` alone, when a stored value is not a plain integer (the general path sorts it).
bool sortIntegers(const char* base, size_t count, uint32_t len, const Field& key, std::vector<uint32_t>& order) {
    if (key.decimals != 0 || key.length > 9) return false;
    std::vector<uint64_t> packed(count);
    for (uint32_t i = 0; i < count; ++i) {
        std::string_view s(base + static_cast<size_t>(i) * len, key.length);
        const size_t a = s.find_first_not_of(' ');
        int32_t v = 0;
        if (a != std::string_view::npos) {
            auto r = std::from_chars(s.data() + a, s.data() + s.size(), v);
            if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return false;
        }
        const uint32_t ordered = static_cast<uint32_t>(v) ^ 0x80000000u;  // negatives below the rest
        packed[i] = uint64_t{ordered} << 32 | i;
    }
    radixSort(packed, 32, [](uint64_t p) { return p; });
    for (size_t i = 0; i < count; ++i) order[i] = static_cast<uint32_t>(packed[i]);
    return true;
}

// Record numbers (0-based) in ascending key order; equal keys keep their table order, so sorting twice gives
// the same table.
std::vector<uint32_t> sortedOrder(const char* records, size_t count, uint32_t len, const Field& key) {
    const char* base = records + key.offset;
    std::vector<uint32_t> order(count);
    if (key.type == 'N' && sortIntegers(base, count, len, key, order)) return order;
    if (key.type == 'N') {
        std::vector<KeyedRecord> keyed(count);
        for (uint32_t i = 0; i < count; ++i)
            keyed[i] = {orderedBits(storedNumber(base + static_cast<size_t>(i) * len, key.length)), i};
        radixSort(keyed, 0, [](const KeyedRecord& k) { return k.first; });
        for (size_t i = 0; i < count; ++i) order[i] = keyed[i].second;
        return order;
    }
    // Character, date ("yyyymmdd", blank first) and logical fields order by their stored bytes.
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        return std::memcmp(base + static_cast<size_t>(a) * len, base + static_cast<size_t>(b) * len, key.length) < 0;
    });
    return order;
}

// The visible records of an area in its current order, with the texts of their memo fields.
struct RecordSet {
    uint32_t length = 0;
    std::vector<size_t> memoFields;
    std::vector<char> images;   // the records copied, unless `view` maps them
    FileView view;              // natural order: the table's own records, read where the file cache keeps them
    bool dropDeleted = false;   // `view` also holds the deleted records, which SET DELETED hides
    std::vector<std::vector<std::string>> memos;  // per record, one text per memo field

    const char* data() const { return view.mapped() ? view.at(view.begin()) : images.data(); }
    size_t count() const { return (view.mapped() ? view.end() - view.begin() : images.size()) / length; }
};

// Natural order with nothing to evaluate per record: the records are mapped from the file whole (a copy of a
// large table into fresh memory costs more than the sort), or else read a megabyte at a time with the deleted
// ones dropped when SET DELETED hides them. The area ends at EOF, as after a scan.
void readNatural(WorkArea& area, RecordSet& set) {
    area.flush();
    Table& src = area.table();
    const uint32_t total = src.recCount(true);
    const bool hideDeleted = settings().deleted;
    if (src.viewRecords(set.view)) {
        set.dropDeleted = hideDeleted;
        area.goTo(total + 1);
        return;
    }
    const uint32_t perChunk = std::max<uint32_t>(1, (1u << 20) / set.length);
    set.images.resize(static_cast<size_t>(total) * set.length);
    size_t kept = 0;
    for (uint32_t first = 1; first <= total; first += perChunk) {
        const uint32_t n = std::min(perChunk, total - first + 1);
        char* chunk = set.images.data() + kept;
        src.readImages(first, n, chunk);
        if (!hideDeleted) {
            kept += static_cast<size_t>(n) * set.length;
            continue;
        }
        for (uint32_t i = 0; i < n; ++i) {
            const char* image = chunk + static_cast<size_t>(i) * set.length;
            if (*image == '*') continue;
            std::memmove(set.images.data() + kept, image, set.length);
            kept += set.length;
        }
    }
    set.images.resize(kept);
    area.goTo(total + 1);
}

void readVisible(WorkArea& area, RecordSet& set) {
    Table& src = area.table();
    set.length = src.recordLength();
    for (size_t i = 0; i < src.fields().size(); ++i)
        if (src.fields()[i].type == 'M') set.memoFields.push_back(i);
    if (set.memoFields.empty() && !area.filtered() && !area.controlling()) {
        readNatural(area, set);
        return;
    }
    set.images.reserve(static_cast<size_t>(src.recCount()) * set.length);
    for (area.goTop(); !area.eof(); area.skip(1)) {
        set.images.insert(set.images.end(), src.record(), src.record() + set.length);
        if (set.memoFields.empty()) continue;
        set.memos.emplace_back();
        for (size_t m : set.memoFields) set.memos.back().push_back(src.memoText(m));
    }
}

// Appends the records to an empty exclusive table in the given order, undeleted. Without memo fields they go
// out a megabyte at a time; memo texts are written anew record by record, because the stored pointers name
// blocks of the source's memo file.
void writeInOrder(Table& out, RecordSet& set, const std::vector<uint32_t>& order) {
    const size_t len = set.length;
    if (set.memoFields.empty()) {
        const size_t perChunk = std::max<size_t>(1, (1u << 20) / len);
        const char* records = set.data();
        std::vector<char> chunk(perChunk * len);
        for (size_t done = 0; done < order.size(); done += perChunk) {
            char* to = chunk.data();
            for (size_t k = done; k < std::min(order.size(), done + perChunk); ++k) {
                const char* image = records + static_cast<size_t>(order[k]) * len;
                if (set.dropDeleted && *image == '*') continue;
                std::memcpy(to, image, len);
                *to = ' ';
                to += len;
            }
            if (to != chunk.data()) out.appendImages(chunk.data(), static_cast<uint32_t>((to - chunk.data()) / len));
        }
        return;
    }
    for (uint32_t i : order) {
        char* image = set.images.data() + static_cast<size_t>(i) * len;
        for (size_t m : set.memoFields) std::memset(image + out.fields()[m].offset, ' ', 10);
        out.appendBlank();
        out.putRaw(image);
        out.setDeleted(false);
        for (size_t k = 0; k < set.memoFields.size(); ++k) out.put(set.memoFields[k], Value(set.memos[i][k]));
    }
}

// The characters a delimited line is cut at: line ends, the blank between parts and the end-of-file mark.
constexpr std::array<bool, 256> kDelimitedStops = [] {
    std::array<bool, 256> stops{};
    for (unsigned char c : {'\n', ' ', '\r', '\x1A'}) stops[c] = true;
    return stops;
}();
bool delimitedStop(char c) { return kDelimitedStops[static_cast<unsigned char>(c)]; }

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
        const char* p = chunk.data();
        const char* const end = p + in.gcount();
        while (p < end) {
            // The text up to the next character that means something goes to the part whole.
            const char* stop = p;
            while (stop < end && !delimitedStop(*stop)) ++stop;
            if (stop > p) b.add(p, static_cast<size_t>(stop - p));
            if (stop == end) break;
            p = stop + 1;
            if (*stop == '\n') {
                if (!finishLine()) return -1;
            } else if (*stop == ' ') {
                b.endPart();
            } else if (*stop == '\x1A') {
                ended = true;
                break;
            }
            // A CR is part of a CR/LF line end: it is skipped.
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
            RecordSet set;
            readVisible(area, set);
            const std::vector<uint32_t> order =
                sortedOrder(set.data(), set.count(), src.recordLength(), src.fields()[static_cast<size_t>(fi - 1)]);

            std::string path = WorkAreas::withExtension(target);
            CreateOptions co;
            co.memoKind = src.header().version == dbfver::WithFpt ? MemoKind::Fpt : MemoKind::Dbt;
            Table::create(path, src.fields(), co);
            TableOptions to;
            to.memoKind = co.memoKind;
            auto out = Table::open(path, to);
            writeInOrder(*out, set, order);
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
