// The order against a small in-memory table that plays the work area's part: a buffer of the current
// record, the change notifications in the order the area sends them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "runtime/rdd/failure.h"
#include "runtime/rdd/ntx/ntx_order.h"
#include "tests/support/temp_folder.h"

namespace rt::ntx {
namespace {

using rt::testing::TempFolder;

struct Row {
    std::string name;
    int number = 0;
    bool deleted = false;
};

struct FakeTable {
    std::vector<Row> rows;  // record n is rows[n - 1]
    Row buffer;             // the buffered record (blank when on no record)
    uint32_t current = 0;

    void load(uint32_t recno) {
        current = recno;
        buffer = recno >= 1 && recno <= rows.size() ? rows[recno - 1] : Row{};
    }
    OrderSource source(bool withFor) {
        OrderSource s;
        s.key = [this] { return Value(buffer.name + std::string(8 - std::min<size_t>(8, buffer.name.size()), ' ')); };
        if (withFor) s.condition = [this] { return !buffer.deleted; };
        s.forEach = [this](const std::function<bool(uint32_t)>& visit) {
            for (uint32_t r = 1; r <= rows.size(); ++r) {
                load(r);
                if (!visit(r)) break;
            }
        };
        s.recordCount = [this] { return static_cast<uint32_t>(rows.size()); };
        return s;
    }
    // What the work area does for APPEND + FIELDPUT + flush.
    uint32_t append(NtxOrder& o, const std::string& name) {
        rows.push_back({});
        uint32_t r = static_cast<uint32_t>(rows.size());
        load(r);
        o.appended(r);
        o.beforeChange(r);
        buffer.name = name;
        rows[r - 1] = buffer;
        o.afterChange(r);
        return r;
    }
    void change(NtxOrder& o, uint32_t r, const std::string& name, bool deleted) {
        load(r);
        o.beforeChange(r);
        buffer.name = name;
        buffer.deleted = deleted;
        rows[r - 1] = buffer;
        o.afterChange(r);
    }
    // Records in key order as the model sees them (by padded name, then record number).
    std::vector<uint32_t> model(bool withFor, bool descending) const {
        std::vector<uint32_t> v;
        for (uint32_t r = 1; r <= rows.size(); ++r)
            if (!withFor || !rows[r - 1].deleted) v.push_back(r);
        std::stable_sort(v.begin(), v.end(), [&](uint32_t a, uint32_t b) {
            const auto& x = rows[a - 1].name;
            const auto& y = rows[b - 1].name;
            return descending ? x > y : x < y;
        });
        return v;
    }
};

std::vector<uint32_t> walk(NtxOrder& o, FakeTable& t, bool backwards = false) {
    std::vector<uint32_t> out;
    for (uint32_t r = backwards ? o.last() : o.first(); r != 0 && out.size() < 100000;
         r = backwards ? o.previous(r) : o.next(r)) {
        t.load(r);
        out.push_back(r);
    }
    if (backwards) std::reverse(out.begin(), out.end());
    return out;
}

std::string name3(int i) {
    char b[8];
    std::snprintf(b, sizeof b, "N%03d", i);
    return b;
}

OrderSpec spec(const TempFolder& dir, const std::string& file) {
    OrderSpec s;
    s.path = dir.file(file);
    s.keyText = "NAME";
    return s;
}

TEST(NtxOrder, CreatesWithConditionAndWalksBothWaysAndReversed) {
    TempFolder dir;
    FakeTable t;
    for (int i = 0; i < 500; ++i) t.rows.push_back({name3((i * 37) % 200), i, i % 7 == 0});
    OrderSpec s = spec(dir, "names.ntx");
    s.forText = "!DELETED()";
    std::vector<uint64_t> progress;
    s.progress = [&](uint64_t done, uint64_t total) {
        progress.push_back(done);
        EXPECT_EQ(total, 500u);
    };
    s.progressEvery = 100;
    auto o = NtxOrder::create(s, t.source(true));
    EXPECT_EQ(progress, (std::vector<uint64_t>{100, 200, 300, 400, 500, 500}));
    EXPECT_EQ(o->name(), "names");
    EXPECT_EQ(o->forText(), "!DELETED()");
    auto model = t.model(true, false);
    EXPECT_EQ(walk(*o, t), model);
    EXPECT_EQ(walk(*o, t, true), model);
    EXPECT_EQ(o->keyCount(), model.size());

    o->setDescending(true);
    EXPECT_TRUE(o->descending());
    auto reversed = t.model(true, true);
    // Equal keys keep record order in the file; reversed they come last-record first.
    std::vector<uint32_t> expect(model.rbegin(), model.rend());
    EXPECT_EQ(walk(*o, t), expect);
    for (uint32_t k : {1u, 17u, static_cast<uint32_t>(expect.size())}) {
        uint32_t r = o->keyGoto(k);
        ASSERT_EQ(r, expect[k - 1]);
        t.load(r);
        EXPECT_EQ(o->keyNo(r), k);
    }
    (void)reversed;
}

TEST(NtxOrder, SeeksSoftLastAndScopes) {
    TempFolder dir;
    FakeTable t;
    for (const char* n : {"ANA", "BETO", "BETO", "CARLA", "DIEGO", "DIEGO", "DIEGO", "ELSA"})
        t.rows.push_back({n, 0, false});
    auto o = NtxOrder::create(spec(dir, "s.ntx"), t.source(false));
    struct Case {
        const char* key;
        bool soft, last;
        uint32_t recno;
        bool found;
    };
    const Case cases[] = {
        {"BETO", false, false, 2, true},  {"BETO", false, true, 3, true},  {"DI", false, true, 7, true},
        {"BZ", false, false, 0, false},   {"BZ", true, false, 4, false},   {"ZZ", true, false, 0, false},
        {"", false, false, 1, true},      {"A", true, true, 1, true},
    };
    for (const auto& c : cases) {
        auto r = o->seek(Value(c.key), c.soft, c.last);
        EXPECT_EQ(r.recno, c.recno) << c.key << " soft=" << c.soft << " last=" << c.last;
        EXPECT_EQ(r.found, c.found) << c.key;
    }
    // Scope B..D: counts, numbers and walks stay inside; seeks outside fail.
    o->setScope(0, Value("B"));
    o->setScope(1, Value("D"));
    EXPECT_EQ(o->scope(0).asString(), "B");
    EXPECT_EQ(o->keyCount(), 6u);
    EXPECT_EQ(walk(*o, t), (std::vector<uint32_t>{2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(walk(*o, t, true), (std::vector<uint32_t>{2, 3, 4, 5, 6, 7}));
    t.load(4);
    EXPECT_EQ(o->keyNo(4), 3u);
    EXPECT_EQ(o->keyGoto(1), 2u);
    EXPECT_EQ(o->keyGoto(7), 0u);
    EXPECT_FALSE(o->seek(Value("ELSA"), false, false).found);
    EXPECT_FALSE(o->seek(Value("ANA"), false, false).found);
    o->setScope(0, Value());
    o->setScope(1, Value());
    EXPECT_EQ(o->keyCount(), 8u);
}

TEST(NtxOrder, FollowsAppendsEditsDeletesAndRebuilds) {
    TempFolder dir;
    FakeTable t;
    for (int i = 0; i < 200; ++i) t.rows.push_back({name3(i % 50), i, false});
    OrderSpec s = spec(dir, "m.ntx");
    s.forText = "!DELETED()";
    auto o = NtxOrder::create(s, t.source(true));
    std::mt19937 rng(11);
    for (int step = 0; step < 2000; ++step) {
        int what = static_cast<int>(rng() % 4);
        if (what == 0) {
            t.append(*o, name3(static_cast<int>(rng() % 60)));
        } else {
            uint32_t r = 1 + rng() % t.rows.size();
            Row row = t.rows[r - 1];
            if (what == 1) row.name = name3(static_cast<int>(rng() % 60));
            if (what == 2) row.deleted = !row.deleted;
            t.change(*o, r, row.name, row.deleted);
        }
    }
    // An append with no field assigned still enters the order with its blank key.
    t.rows.push_back({});
    uint32_t blank = static_cast<uint32_t>(t.rows.size());
    t.load(blank);
    o->appended(blank);
    EXPECT_EQ(walk(*o, t), t.model(true, false));
    EXPECT_EQ(o->tree().verify(), t.model(true, false).size());
    // Reopened from disk, the file agrees too.
    o.reset();
    auto bind = [&](const NtxHeader& h) {
        EXPECT_EQ(h.keyExpr, "NAME");
        return t.source(h.forExpr == "!DELETED()");
    };
    o = NtxOrder::open(spec(dir, "m.ntx"), bind);
    EXPECT_EQ(walk(*o, t), t.model(true, false));
    // PACK: the table renumbers, the order rebuilds.
    std::vector<Row> kept;
    for (const auto& r : t.rows)
        if (!r.deleted) kept.push_back(r);
    t.rows = kept;
    o->rebuild();
    EXPECT_EQ(walk(*o, t), t.model(true, false));
}

TEST(NtxOrder, UniqueKeepsTheFirstRecordOfEachKey) {
    TempFolder dir;
    FakeTable t;
    for (const char* n : {"B", "A", "B", "C", "A"}) t.rows.push_back({n, 0, false});
    OrderSpec s = spec(dir, "u.ntx");
    s.unique = true;
    auto o = NtxOrder::create(s, t.source(false));
    EXPECT_EQ(walk(*o, t), (std::vector<uint32_t>{2, 1, 4}));
    t.append(*o, "B");  // a second B stays out
    t.append(*o, "D");
    EXPECT_EQ(walk(*o, t), (std::vector<uint32_t>{2, 1, 4, 7}));
}

TEST(NtxOrder, KeySizeMismatchAndDamageAreCorruptIndexErrors) {
    TempFolder dir;
    FakeTable t;
    t.rows.push_back({"A", 0, false});
    NtxOrder::create(spec(dir, "k.ntx"), t.source(false)).reset();
    auto wrongSize = [&](const NtxHeader&) {
        OrderSource src = t.source(false);
        src.key = [] { return Value("ABC"); };  // 3 bytes against the file's 8
        return src;
    };
    try {
        NtxOrder::open(spec(dir, "k.ntx"), wrongSize);
        ADD_FAILURE() << "mismatch not reported";
    } catch (const rdd::Failure& f) {
        EXPECT_EQ(f.error.genCode, eg::Corruption);
        EXPECT_EQ(f.error.filename, dir.file("k.ntx"));
    }
    try {
        NtxOrder::open(spec(dir, "missing.ntx"), wrongSize);
        ADD_FAILURE() << "missing file not reported";
    } catch (const rdd::Failure& f) {
        EXPECT_EQ(f.error.genCode, eg::Open);
    }
}

TEST(NtxOrder, TemporaryOrdersRemoveTheirFile) {
    TempFolder dir;
    FakeTable t;
    t.rows.push_back({"A", 0, false});
    OrderSpec s = spec(dir, "_123.ntx");
    s.temporary = true;
    auto o = NtxOrder::create(s, t.source(false));
    EXPECT_TRUE(std::filesystem::exists(s.path));
    o.reset();
    EXPECT_FALSE(std::filesystem::exists(s.path));
}

}  // namespace
}  // namespace rt::ntx
