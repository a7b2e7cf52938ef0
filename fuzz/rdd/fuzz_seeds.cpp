// Writes the seed corpora of the table-engine fuzz targets from tables the engine itself builds: every field
// type (C narrow and wide, N with and without decimals, F, D, L, M with DBT, FPT and binary FPT block numbers),
// and NTX orders over keys of each type (ascending, descending, unique, with a FOR condition, one deep enough
// for a branch page). Usage: fuzz_seeds <folder>; it fills <folder>/dbf (fuzz_dbf_open), <folder>/ntx
// (ntx_fuzz) and <folder>/order (fuzz_table_order).
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "runtime/core/error.h"
#include "runtime/lib/date.h"
#include "runtime/lib/library.h"
#include "runtime/rdd/ntx/order_functions.h"
#include "runtime/rdd/table.h"
#include "runtime/rdd/table_functions.h"
#include "runtime/rdd/work_areas.h"
#include "table_order_ops.h"

namespace {

namespace fs = std::filesystem;
using namespace rt::rdd;
using rt::Value;
using vorpex_fuzz::Op;

struct Schema {
    const char* name;
    std::vector<Field> fields;
    MemoKind memo = MemoKind::Dbt;
    int records = 8;
    bool binaryMemo = false;  // memo block numbers as four binary bytes (FoxPro)
    std::vector<std::pair<const char*, const char*>> keys;  // key expression, FOR condition
};

std::vector<Schema> schemas() {
    const std::vector<Field> every = {{"NAME", 'C', 12, 0},  {"AMOUNT", 'N', 9, 2}, {"QTY", 'N', 5, 0},
                                      {"DAY", 'D', 8, 0},    {"FLAG", 'L', 1, 0},   {"RATE", 'N', 7, 3},
                                      {"NOTES", 'M', 10, 0}};
    const std::vector<std::pair<const char*, const char*>> keys = {
        {"UPPER(NAME)", ""}, {"AMOUNT", ""}, {"DAY", ""}, {"FLAG", ""}, {"NAME+DTOS(DAY)", ""},
        {"STR(QTY,5)+NAME", "!DELETED()"}, {"RATE", "QTY > 0"}};
    return {
        {"dbt", every, MemoKind::Dbt, 8, false, keys},
        {"fpt", every, MemoKind::Fpt, 8, false, {{"LEFT(NOTES+SPACE(8),8)", ""}, {"QTY", ""}}},
        {"fpt4", every, MemoKind::Fpt, 6, true, {{"NAME", ""}}},
        {"wide", {{"BIG", 'C', 300, 0}, {"BIGNUM", 'N', 20, 4}, {"STAMP", 'D', 8, 0}}, MemoKind::Dbt, 5, false,
         {{"LEFT(BIG,20)", ""}, {"BIGNUM", ""}}},
        {"deep", {{"CODE", 'C', 6, 0}, {"N", 'N', 4, 0}}, MemoKind::Dbt, 150, false, {{"CODE", ""}, {"N", ""}}},
    };
}

Value sample(const Field& f, int r) {
    if (r % 5 == 4) return Value();  // left blank
    switch (f.type) {
    case 'N': return Value((r * 37 % 23 - 7) * (f.decimals ? 1.25 : 1.0));
    case 'D': return Value(rt::Date{rt::julianFromYmd(1998 + r % 30, 1 + r % 12, 1 + r * 7 % 28)});
    case 'L': return Value(r % 3 == 0);
    case 'M': return Value(r % 2 ? "memo text of record " + std::to_string(r) : std::string());
    default: {
        char text[16];
        std::snprintf(text, sizeof text, "%c%05d", 'A' + r * 7 % 26, r * 7919 % 100000);
        return Value(std::string(text));
    }
    }
}

void fill(WorkArea& a, const Schema& s) {
    for (int r = 0; r < s.records; ++r) {
        a.append();
        for (size_t f = 0; f < s.fields.size(); ++f)
            if (Value v = sample(s.fields[f], r); !v.isNil()) a.fieldPut(f + 1, v);
        if (r % 4 == 3) a.deleteRecord();
    }
    a.commit();
}

// The dBASE IV float type is stored as numeric text: the sixth field becomes F in the header.
void markFloat(std::string& table, const Schema& s) {
    if (s.fields.size() > 5 && s.fields[5].type == 'N') table[32 + 5 * 32 + 11] = 'F';
}

// FoxPro keeps memo block numbers as four binary bytes: the ten-digit fields are rewritten so.
std::string binaryMemoBlocks(const std::string& table) {
    const size_t headerLength = uint8_t(table[8]) | uint8_t(table[9]) << 8;
    const size_t recordLength = uint8_t(table[10]) | uint8_t(table[11]) << 8;
    const uint32_t count = uint8_t(table[4]) | uint8_t(table[5]) << 8;
    size_t memoOffset = 1, fieldAt = 32;
    for (; table[fieldAt + 11] != 'M'; fieldAt += 32) memoOffset += uint8_t(table[fieldAt + 16]);
    std::string out = table.substr(0, headerLength);
    out[fieldAt + 16] = 4;
    out[10] = static_cast<char>(recordLength - 6);
    for (uint32_t r = 0; r < count; ++r) {
        std::string rec = table.substr(headerLength + r * recordLength, recordLength);
        const uint32_t block = static_cast<uint32_t>(std::strtoul(rec.substr(memoOffset, 10).c_str(), nullptr, 10));
        std::string bin(4, '\0');
        for (int i = 0; i < 4; ++i) bin[i] = static_cast<char>(block >> (8 * i));
        out += rec.substr(0, memoOffset) + bin + rec.substr(memoOffset + 10);
    }
    return out + '\x1A';
}

// Scripts that reach every operation: a plain tour, changes under a scope, both with failing calls, and
// changes from two areas.
std::vector<std::string> scripts() {
    auto op = [](Op o) { return static_cast<char>(o); };
    std::string tour = {op(Op::GoTop), op(Op::Skip), 2, op(Op::KeyNo), op(Op::KeyCount), op(Op::SeekCurrent),
                        op(Op::Seek), 0, 3, 'A', 'B', 'C', op(Op::Seek), 5, 0, 9, 0, op(Op::KeyGoto), 3,
                        op(Op::WalkForward), op(Op::WalkBackward), op(Op::GoBottom), op(Op::Skip), char(-3),
                        op(Op::GoTo), 4, op(Op::Descend), op(Op::WalkForward), op(Op::Focus), 0, op(Op::GoTop),
                        op(Op::Focus), 1, op(Op::SetDeleted), op(Op::WalkForward)};
    std::string writes = {op(Op::Append), op(Op::Replace), 0, 4, 'Z', 'E', 'T', 'A', op(Op::Replace), 1, 0, 0x39,
                          0x05, op(Op::Replace), 3, 0x20, 0x01, op(Op::Replace), 4, 1, op(Op::Commit),
                          op(Op::GoTo), 2, op(Op::Replace), 0, 2, 'A', 'A', op(Op::Delete), op(Op::GoTo), 3,
                          op(Op::Recall), op(Op::Replace), 2, 0, 7, 0, op(Op::Append), op(Op::Append),
                          op(Op::Replace), 6, 5, 'm', 'e', 'm', 'o', '!', op(Op::Scope), 2, 1, 'A',
                          op(Op::WalkForward), op(Op::Scope), 1, op(Op::Scope), 0, op(Op::GoTop), op(Op::Delete),
                          op(Op::WalkForward), op(Op::Rebuild), op(Op::WalkBackward)};
    // Errors on purpose: a value of the wrong type, and PACK (refused on a shared table).
    std::string faults = {op(Op::ReplaceWrong), 0, 1, 0, 5, 0, op(Op::GoTop), op(Op::Delete), op(Op::Pack)};
    // Shared, records locked one by one, and a second area writing the same files as another process would.
    std::string two = {op(Op::GoTo), 2, op(Op::Lock), op(Op::Replace), 0, 3, 'K', 'A', 'Y', op(Op::OtherArea),
                       op(Op::Append), op(Op::Replace), 0, 3, 'B', 'E', 'E', op(Op::GoTo), 3, op(Op::Lock),
                       op(Op::Delete), op(Op::WalkForward), op(Op::Unlock), op(Op::OtherArea), op(Op::SeekCurrent),
                       op(Op::Append), op(Op::Replace), 2, 0, 9, 0, op(Op::KeyCount), op(Op::WalkBackward),
                       op(Op::OtherArea), op(Op::WalkForward), op(Op::Unlock)};
    return {tour, writes, writes + faults + tour, two};
}

std::string memoPath(const std::string& table, MemoKind kind) {
    return fs::path(table).replace_extension(memoExtension(kind)).string();
}

void writeSeeds(const fs::path& out, const Schema& s) {
    const std::string work = (out / "work").string();
    fs::create_directories(work);
    const std::string table = work + "/" + s.name + ".dbf";
    CreateOptions co;
    co.memoKind = s.memo;
    Table::create(table, s.fields, co);
    WorkAreas& areas = WorkAreas::instance();
    if (!areas.use(table, {})) throw std::runtime_error(std::string("cannot open ") + s.name);
    fill(*areas.current(), s);
    std::vector<std::string> indexes;
    for (size_t k = 0; k < s.keys.size(); ++k) {
        rt::ntx::IndexRequest r;
        r.bag = work + "/" + s.name + std::to_string(k) + ".ntx";
        r.key = s.keys[k].first;
        r.forCond = s.keys[k].second;
        r.descending = k == 2;
        r.unique = k == 1;
        if (!rt::ntx::ordCreate(*areas.current(), r)) throw std::runtime_error("cannot index " + r.key);
        indexes.push_back(r.bag);
    }
    areas.closeAll();

    std::string dbf = vorpex_fuzz::readFile(table);
    markFloat(dbf, s);
    if (s.binaryMemo) dbf = binaryMemoBlocks(dbf);
    const std::string memo = vorpex_fuzz::readFile(memoPath(table, s.memo));
    const uint8_t fpt = s.memo == MemoKind::Fpt ? 1 : 0;
    vorpex_fuzz::writeFile((out / "dbf" / s.name).string(), vorpex_fuzz::joinInput(fpt, {dbf}, memo));
    const auto all = scripts();
    for (size_t k = 0; k < indexes.size(); ++k) {
        const std::string ntx = vorpex_fuzz::readFile(indexes[k]);
        const std::string tag = std::string(s.name) + "-" + std::to_string(k);
        vorpex_fuzz::writeFile((out / "ntx" / tag).string(), ntx);
        for (size_t n = 0; n < all.size(); ++n) {
            // Shared opening (with a file lock) and SET DELETED take turns across the seeds; the last script
            // is shared with record locks.
            uint8_t flags = fpt | ((k + n) % 2 ? 2 | 8 : 0) | (n == 2 ? 4 : 0);
            if (n == 3) flags = fpt | 2;
            vorpex_fuzz::writeFile((out / "order" / (tag + "-" + std::to_string(n))).string(),
                                   vorpex_fuzz::joinInput(flags, {dbf, memo, ntx}, all[n]));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <folder>\n");
        return 2;
    }
    const fs::path out = argv[1];
    for (const char* sub : {"dbf", "ntx", "order"}) fs::create_directories(out / sub);
    rt::registerLibraryFunctions();
    registerTableFunctions();
    rt::ntx::registerOrderFunctions();
    try {
        for (const Schema& s : schemas()) writeSeeds(out, s);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fuzz_seeds: %s\n", e.what());
        return 1;
    } catch (const Failure& f) {
        std::fprintf(stderr, "fuzz_seeds: %s\n", rt::describe(f.error).c_str());
        return 1;
    }
    fs::remove_all(out / "work");
    return 0;
}
