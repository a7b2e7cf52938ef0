#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "runtime/rdd/ntx/ntx_builder.h"
#include "runtime/rdd/ntx/ntx_error.h"
#include "runtime/rdd/ntx/ntx_tree.h"
#include "runtime/rdd/ntx/tests/ntx_test_keys.h"
#include "tests/support/temp_folder.h"

namespace rt::ntx {
namespace {

using test_keys::key6;

using rt::testing::TempFolder;
using Entry = std::pair<std::string, uint32_t>;

NtxHeader header(uint16_t size, bool unique = false, bool descending = false) {
    return NtxHeader::forKey(size, 0, "KEYFIELD", "", unique, descending);
}

std::unique_ptr<NtxTree> buildTree(const std::string& path, const std::vector<Entry>& entries, NtxHeader h,
                                   size_t budget = size_t(64) << 20, NtxTree::Options o = {}) {
    NtxBuilder b(h, budget);
    for (const auto& [k, r] : entries) b.add(k, r);
    b.write(path);
    return NtxTree::open(path, o);
}

// The entries in tree order, walked forwards.
std::vector<Entry> walk(NtxTree& t) {
    std::vector<Entry> out;
    NtxPosition pos;
    for (bool on = t.first(pos); on; on = t.next(pos)) out.emplace_back(pos.key, pos.recno);
    return out;
}

std::vector<Entry> walkBack(NtxTree& t) {
    std::vector<Entry> out;
    NtxPosition pos;
    for (bool on = t.last(pos); on; on = t.prev(pos)) out.emplace_back(pos.key, pos.recno);
    std::reverse(out.begin(), out.end());
    return out;
}

std::vector<Entry> sortedModel(std::vector<Entry> v, bool descending, bool unique) {
    std::stable_sort(v.begin(), v.end(), [&](const Entry& a, const Entry& b) {
        if (a.first != b.first) return descending ? a.first > b.first : a.first < b.first;
        return a.second < b.second;
    });
    if (unique)
        v.erase(std::unique(v.begin(), v.end(), [](const Entry& a, const Entry& b) { return a.first == b.first; }),
                v.end());
    return v;
}

TEST(NtxTree, BuildsBalancedTreesOfEverySize) {
    TempFolder dir;
    // Sizes around page capacity (28 items for a 24-byte key) and a few levels deep.
    for (int n : {0, 1, 2, 28, 29, 30, 57, 841, 842, 5000, 30000}) {
        std::mt19937 rng(n);
        std::vector<Entry> entries;
        for (int i = 1; i <= n; ++i) entries.emplace_back(key6(static_cast<int>(rng() % 100000)) + std::string(18, 'x'), i);
        auto t = buildTree(dir.file("b.ntx"), entries, header(24));
        auto model = sortedModel(entries, false, false);
        EXPECT_EQ(t->verify(), static_cast<uint64_t>(n));
        EXPECT_EQ(t->keyCount(), static_cast<uint64_t>(n));
        EXPECT_EQ(walk(*t), model) << n;
        EXPECT_EQ(walkBack(*t), model) << n;
    }
}

TEST(NtxTree, RanksAndKeyGotoAgree) {
    TempFolder dir;
    std::vector<Entry> entries;
    for (int i = 1; i <= 3000; ++i) entries.emplace_back(key6((i * 7919) % 3001), i);
    auto t = buildTree(dir.file("r.ntx"), entries, header(6));
    auto model = sortedModel(entries, false, false);
    NtxPosition pos;
    uint64_t n = 1;
    for (bool on = t->first(pos); on; on = t->next(pos), ++n) ASSERT_EQ(t->rank(pos), n);
    for (uint64_t k : {1ull, 2ull, 28ull, 29ull, 1500ull, 2999ull, 3000ull}) {
        ASSERT_TRUE(t->gotoRank(pos, k));
        EXPECT_EQ(Entry(pos.key, pos.recno), model[k - 1]);
    }
    EXPECT_FALSE(t->gotoRank(pos, 0));
    EXPECT_FALSE(t->gotoRank(pos, 3001));
}

TEST(NtxTree, SeeksPrefixesSoftAndStrict) {
    TempFolder dir;
    std::vector<Entry> entries = {{"AB1", 1}, {"AB2", 2}, {"AC1", 3}, {"AC1", 4}, {"B00", 5}};
    for (bool descending : {false, true}) {
        auto t = buildTree(dir.file("s.ntx"), entries, header(3, false, descending));
        NtxPosition pos;
        struct Case {
            const char* prefix;
            bool strict;
            const char* key;  // nullptr: past the end
            uint32_t recno;
        };
        std::vector<Case> cases = descending
            ? std::vector<Case>{{"AC", false, "AC1", 3}, {"AC", true, "AB2", 2}, {"AB", true, nullptr, 0},
                                {"Z", false, "B00", 5}, {"AA", false, nullptr, 0}, {"AC1", false, "AC1", 3}}
            : std::vector<Case>{{"AC", false, "AC1", 3}, {"AC", true, "B00", 5}, {"AB", true, "AC1", 3},
                                {"Z", false, nullptr, 0}, {"AA", false, "AB1", 1}, {"AC1", false, "AC1", 3}};
        for (const auto& c : cases) {
            bool on = t->seek(pos, c.prefix, c.strict);
            ASSERT_EQ(on, c.key != nullptr) << c.prefix << " desc=" << descending;
            if (!on) continue;
            EXPECT_EQ(pos.key, c.key) << c.prefix << " desc=" << descending;
            EXPECT_EQ(pos.recno, c.recno) << c.prefix << " desc=" << descending;
        }
    }
}

// Random inserts and removals against a model, with splits, borrows, merges and root collapse. Most inserts
// follow a seek, as an import's do: of the same key (present or not, soft or strict), of another key, or of
// the same key with a removal between, so that an insert goes where a missed seek left off only when that
// still holds.
void runModel(bool unique, bool descending, uint16_t keySize, int ops, int keyRange) {
    TempFolder dir;
    std::string path = dir.file("m.ntx");
    auto t = buildTree(path, {}, header(keySize, unique, descending));
    std::mt19937 rng(keySize * 31 + unique * 7 + descending);
    std::vector<Entry> model;
    uint32_t nextRec = 1;
    auto keyOf = [&](int v) { return key6(v) + std::string(keySize - 6, 'k'); };
    for (int op = 0; op < ops; ++op) {
        bool add = model.empty() || rng() % 100 < 60;
        if (add) {
            std::string k = keyOf(static_cast<int>(rng() % keyRange));
            NtxPosition seen;
            switch (rng() % 5) {
            case 0: break;
            case 1: t->seek(seen, k, false); break;
            case 2: t->seek(seen, k, true); break;
            case 3: t->seek(seen, keyOf(static_cast<int>(rng() % keyRange)), false); break;
            case 4:
                t->seek(seen, k, false);
                if (!model.empty()) {
                    size_t i = rng() % model.size();
                    ASSERT_TRUE(t->remove(model[i].first, model[i].second));
                    model.erase(model.begin() + static_cast<ptrdiff_t>(i));
                }
                break;
            }
            bool dup = std::any_of(model.begin(), model.end(), [&](const Entry& e) { return e.first == k; });
            bool inserted = t->insert(k, nextRec);
            ASSERT_EQ(inserted, !(unique && dup));
            if (inserted) model.emplace_back(k, nextRec);
            ++nextRec;
        } else {
            size_t i = rng() % model.size();
            ASSERT_TRUE(t->remove(model[i].first, model[i].second));
            model.erase(model.begin() + static_cast<ptrdiff_t>(i));
        }
        if (op % 500 == 499) {
            ASSERT_EQ(t->verify(), model.size());
            ASSERT_EQ(walk(*t), sortedModel(model, descending, false));
        }
    }
    EXPECT_FALSE(t->remove(keyOf(keyRange + 1), 1));
    // Everything written survives close and reopen.
    t->close();
    t = NtxTree::open(path, {});
    EXPECT_EQ(t->verify(), model.size());
    EXPECT_EQ(walk(*t), sortedModel(model, descending, false));
    // Draining to empty collapses the root back to one leaf and reuses released pages.
    for (const auto& e : model) ASSERT_TRUE(t->remove(e.first, e.second));
    EXPECT_EQ(t->keyCount(), 0u);
    NtxPosition pos;
    EXPECT_FALSE(t->first(pos));
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(t->insert(keyOf(i), static_cast<uint32_t>(i + 1)));
    EXPECT_EQ(t->verify(), 100u);
}

TEST(NtxTree, MaintenanceMatchesModel) {
    struct Case {
        bool unique, descending;
        uint16_t keySize;
        int keyRange;
    };
    for (Case c : {Case{false, false, 24, 400}, Case{true, false, 24, 3000}, Case{false, true, 10, 50},
                   Case{true, true, 200, 5000}}) {
        SCOPED_TRACE(::testing::Message() << "unique=" << c.unique << " desc=" << c.descending << " size=" << c.keySize);
        runModel(c.unique, c.descending, c.keySize, 6000, c.keyRange);
    }
}

TEST(NtxTree, ExternalRunsGiveTheSameFileAsMemory) {
    TempFolder dir;
    std::vector<Entry> entries;
    std::mt19937 rng(5);
    for (uint32_t i = 1; i <= 20000; ++i) entries.emplace_back(key6(static_cast<int>(rng() % 5000)), i);
    for (bool unique : {false, true}) {
        NtxBuilder small(header(6, unique), 16 * 1024);
        NtxBuilder big(header(6, unique));
        for (const auto& [k, r] : entries) {
            small.add(k, r);
            big.add(k, r);
        }
        EXPECT_GT(small.runCount(), 5u);
        uint64_t n1 = small.write(dir.file("runs.ntx"));
        uint64_t n2 = big.write(dir.file("mem.ntx"));
        EXPECT_EQ(n1, n2);
        auto a = NtxTree::open(dir.file("runs.ntx"), {});
        auto b = NtxTree::open(dir.file("mem.ntx"), {});
        EXPECT_EQ(walk(*a), walk(*b));
        EXPECT_EQ(walk(*a), sortedModel(entries, false, unique));
    }
}

TEST(NtxTree, SharedHandlesSeeEachOthersChanges) {
    TempFolder dir;
    std::string path = dir.file("sh.ntx");
    std::vector<Entry> entries;
    for (uint32_t i = 1; i <= 200; ++i) entries.emplace_back(key6(static_cast<int>(i * 10)), i);
    buildTree(path, entries, header(6)).reset();
    NtxTree::Options shared;
    shared.shared = true;
    auto a = NtxTree::open(path, shared);
    auto b = NtxTree::open(path, shared);
    NtxPosition pos;
    ASSERT_TRUE(b->seek(pos, key6(500), false));
    EXPECT_EQ(pos.recno, 50u);
    uint64_t before = b->generation();
    // Another handle adds a key right after b's position and removes b's own entry.
    ASSERT_TRUE(a->insert(key6(505), 999));
    ASSERT_TRUE(a->remove(key6(500), 50));
    EXPECT_NE(b->generation(), before);
    ASSERT_TRUE(b->next(pos));  // b's entry is gone: its successor is where it stands now
    EXPECT_EQ(pos.recno, 999u);
    ASSERT_TRUE(b->next(pos));
    EXPECT_EQ(pos.recno, 51u);
    EXPECT_EQ(b->keyCount(), 200u);
    EXPECT_EQ(b->verify(), 200u);
}

}  // namespace
}  // namespace rt::ntx
