#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
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

std::vector<unsigned char> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::string& path, const std::vector<unsigned char>& b) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

uint16_t u16(const std::vector<unsigned char>& b, size_t o) { return static_cast<uint16_t>(b[o] | b[o + 1] << 8); }
uint32_t u32(const std::vector<unsigned char>& b, size_t o) {
    return b[o] | b[o + 1] << 8 | b[o + 2] << 16 | static_cast<uint32_t>(b[o + 3]) << 24;
}
void set16(std::vector<unsigned char>& b, size_t o, uint16_t v) {
    b[o] = static_cast<unsigned char>(v);
    b[o + 1] = static_cast<unsigned char>(v >> 8);
}
void set32(std::vector<unsigned char>& b, size_t o, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[o + i] = static_cast<unsigned char>(v >> (8 * i));
}

// A reader written from the published NTX layout alone (header fields at fixed offsets; pages of a count,
// an offset table and items of child page, record number, key), to check the files against something that
// is not our own tree code.
struct RawReader {
    std::vector<unsigned char> b;
    std::vector<std::pair<std::string, uint32_t>> keys;
    void walk(uint32_t page) {
        const uint16_t keySize = u16(b, 14);
        const uint16_t n = u16(b, page);
        for (uint16_t i = 0; i <= n; ++i) {
            const size_t item = page + u16(b, page + 2 + 2 * i);
            if (uint32_t child = u32(b, item)) walk(child);
            if (i < n) keys.emplace_back(std::string(reinterpret_cast<const char*>(&b[item + 8]), keySize), u32(b, item + 4));
        }
    }
};

std::string makeIndex(const TempFolder& dir, int n) {
    std::string path = dir.file("c.ntx");
    NtxBuilder b(NtxHeader::forKey(6, 0, "STR(NUMERO,6)", "!DELETED()", false, false));
    for (int i = 1; i <= n; ++i) b.add(key6((i * 37) % n), static_cast<uint32_t>(i));
    b.write(path);
    return path;
}

TEST(NtxLayout, FilesFollowThePublishedLayout) {
    TempFolder dir;
    std::string path = makeIndex(dir, 500);
    RawReader r{readAll(path), {}};
    EXPECT_EQ(u16(r.b, 0), 6);                  // signature
    EXPECT_EQ(u16(r.b, 12), 14);                // item size: key + child + record
    EXPECT_EQ(u16(r.b, 14), 6);                 // key size
    EXPECT_EQ(u16(r.b, 18), maxItemsFor(6));    // items per page
    EXPECT_EQ(u16(r.b, 20), maxItemsFor(6) / 2);
    EXPECT_STREQ(reinterpret_cast<const char*>(&r.b[22]), "STR(NUMERO,6)");
    EXPECT_STREQ(reinterpret_cast<const char*>(&r.b[282]), "!DELETED()");
    EXPECT_EQ(r.b.size() % pageSize, 0u);
    r.walk(u32(r.b, 4));
    ASSERT_EQ(r.keys.size(), 500u);
    for (size_t i = 1; i < r.keys.size(); ++i) ASSERT_LT(r.keys[i - 1].first, r.keys[i].first);
    EXPECT_EQ(r.keys.front().first, "000000");
}

// Every damaged file is reported as a corrupt index naming the file, within a bounded number of steps.
TEST(NtxCorruption, DamagedFilesAreReportedNotFollowed) {
    struct Case {
        const char* name;
        std::function<void(std::vector<unsigned char>&)> damage;
    };
    const std::vector<Case> cases = {
        {"bad signature", [](auto& b) { set16(b, 0, 0x4242); }},
        {"root outside the file", [](auto& b) { set32(b, 4, 0x7FFFFC00); }},
        {"root not on a page", [](auto& b) { set32(b, 4, 1500); }},
        {"key size beyond the item", [](auto& b) { set16(b, 14, 9); }},
        {"page capacity too large", [](auto& b) { set16(b, 18, 500); }},
        {"item count beyond capacity", [](auto& b) { set16(b, u32(b, 4), 0xFFFF); }},
        {"item offset outside the page", [](auto& b) { set16(b, u32(b, 4) + 2, 1020); }},
        {"child loops to the root", [](auto& b) {
             uint32_t root = u32(b, 4);
             set32(b, root + u16(b, root + 2), root);
         }},
        {"child outside the file", [](auto& b) {
             uint32_t root = u32(b, 4);
             set32(b, root + u16(b, root + 2), 0x10000000);
         }},
        {"leaf and branch items mixed", [](auto& b) {
             uint32_t root = u32(b, 4);
             set32(b, root + u16(b, root + 2), 0);
         }},
        {"truncated", [](auto& b) { b.resize(pageSize + 100); }},
        {"empty key expression", [](auto& b) { b[22] = 0; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        std::string path = makeIndex(dir, 2000);
        auto bytes = readAll(path);
        c.damage(bytes);
        writeAll(path, bytes);
        try {
            auto t = NtxTree::open(path, {});
            NtxPosition pos;
            int steps = 0;
            for (bool on = t->first(pos); on && steps < 100000; on = t->next(pos)) ++steps;
            t->keyCount();
            t->verify();
            t->insert("999999", 1);
            ADD_FAILURE() << "damage not detected";
        } catch (const NtxError& e) {
            EXPECT_TRUE(e.corrupt()) << e.what();
            EXPECT_EQ(e.file(), path);
            Error err = e.toError("DBSEEK");
            EXPECT_EQ(err.genCode, eg::Corruption);
            EXPECT_EQ(err.filename, path);
        }
    }
}

TEST(NtxCorruption, SharedSubtreesAreCaughtByVerify) {
    // Two branch items pointing at one child: walks would repeat keys; verify names the damage.
    TempFolder dir;
    std::string path = makeIndex(dir, 2000);
    auto b = readAll(path);
    uint32_t root = u32(b, 4);
    uint32_t first = u32(b, root + u16(b, root + 2));
    set32(b, root + u16(b, root + 4), first);
    writeAll(path, b);
    auto t = NtxTree::open(path, {});
    EXPECT_THROW(t->verify(), NtxError);
}

TEST(NtxCorruption, HalfPageMarkAtCapacityNeverOverfillsAPage) {
    // A header may claim that pages are half full only when full; merging two such siblings would hold twice
    // a page's items, more than a page can be written with. Removals keep the tree whole and sorted instead.
    TempFolder dir;
    const int n = 2000;
    std::string path = makeIndex(dir, n);
    auto b = readAll(path);
    set16(b, 20, u16(b, 18));  // half-page mark := items per page
    writeAll(path, b);
    auto t = NtxTree::open(path, {});
    int removed = 0;
    for (int i = 1; i <= n; i += 3, ++removed) ASSERT_TRUE(t->remove(key6((i * 37) % n), static_cast<uint32_t>(i)));
    t->close();
    t = NtxTree::open(path, {});
    EXPECT_EQ(t->verify(), static_cast<uint64_t>(n - removed));
}

}  // namespace
}  // namespace rt::ntx
