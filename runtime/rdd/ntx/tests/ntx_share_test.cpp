// Tables and NTX indexes go through one file layer: a second open meets the same share rules and a second
// handle's lock meets the same conflicts, whether the file is a table or an index, natively and on Windows.
#include <gtest/gtest.h>

#include <string>

#include "runtime/rdd/file.h"
#include "runtime/rdd/ntx/ntx_builder.h"
#include "runtime/rdd/ntx/ntx_error.h"
#include "runtime/rdd/ntx/ntx_tree.h"
#include "runtime/rdd/ntx/page_file.h"
#include "tests/support/temp_folder.h"

namespace rt::ntx {
namespace {

using rdd::File;
using rdd::LockKind;
using rdd::Share;

std::string shareName(Share s) { return s == Share::Shared ? "shared" : "exclusive"; }

NtxTree::Options treeOptions(Share share) {
    NtxTree::Options o;
    o.shared = share == Share::Shared;
    return o;
}

// The OS code of opening an index as a tree: 0, or the open failure's code.
int openTree(const std::string& path, Share share) {
    try {
        NtxTree::open(path, treeOptions(share));
        return 0;
    } catch (const NtxError& e) {
        return e.osCode();
    }
}

class NtxSharing : public ::testing::Test {
protected:
    void SetUp() override {
        File table;
        ASSERT_EQ(table.create(tablePath, Share::Exclusive), 0);
        ASSERT_TRUE(table.writeAt(0, "a table's bytes", 15));
        NtxBuilder builder(NtxHeader::forKey(6, 0, "KEYFIELD", "", false, false), 4096);
        builder.add("000001", 1);
        builder.write(indexPath);
    }

    rt::testing::TempFolder dir;
    const std::string tablePath = dir.file("t.dbf");
    const std::string indexPath = dir.file("t.ntx");
};

TEST_F(NtxSharing, ASecondOpenMeetsTheTablesShareRules) {
    struct Case {
        Share first, second;
        int os;
    };
    const Case cases[] = {{Share::Shared, Share::Shared, 0},
                          {Share::Shared, Share::Exclusive, rdd::oserr::Sharing},
                          {Share::Exclusive, Share::Shared, rdd::oserr::Sharing},
                          {Share::Exclusive, Share::Exclusive, rdd::oserr::Sharing}};
    for (const Case& c : cases) {
        SCOPED_TRACE(shareName(c.first) + " then " + shareName(c.second));
        File table;
        ASSERT_EQ(table.open(tablePath, true, c.first), 0);
        EXPECT_EQ(File().open(tablePath, true, c.second), c.os);

        const auto tree = NtxTree::open(indexPath, treeOptions(c.first));
        EXPECT_EQ(openTree(indexPath, c.second), c.os);
        // The index's own handles and the table layer's see each other: one set of rules, not two.
        EXPECT_EQ(File().open(indexPath, true, c.second), c.os);
    }
}

TEST_F(NtxSharing, ASecondHandlesLockMeetsTheTablesConflicts) {
    struct Case {
        LockKind held, asked;
        bool granted;
    };
    const Case cases[] = {{LockKind::Shared, LockKind::Shared, true},
                          {LockKind::Shared, LockKind::Exclusive, false},
                          {LockKind::Exclusive, LockKind::Shared, false},
                          {LockKind::Exclusive, LockKind::Exclusive, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(int(c.held)) + " held, " + std::to_string(int(c.asked)) + " asked");
        File tableHolder, tableAsker;
        ASSERT_EQ(tableHolder.open(tablePath, true, Share::Shared), 0);
        ASSERT_EQ(tableAsker.open(tablePath, true, Share::Shared), 0);
        ASSERT_TRUE(tableHolder.lock(100, 1, c.held));
        EXPECT_EQ(tableAsker.lock(100, 1, c.asked), c.granted);

        PageFile indexHolder = PageFile::open(indexPath, PageFile::OpenMode::ReadWrite, Share::Shared);
        PageFile indexAsker = PageFile::open(indexPath, PageFile::OpenMode::ReadWrite, Share::Shared);
        ASSERT_TRUE(indexHolder.lock(100, 1, c.held == LockKind::Exclusive, false));
        EXPECT_EQ(indexAsker.lock(100, 1, c.asked == LockKind::Exclusive, false), c.granted);
        File indexThroughTheTableLayer;
        ASSERT_EQ(indexThroughTheTableLayer.open(indexPath, true, Share::Shared), 0);
        EXPECT_EQ(indexThroughTheTableLayer.lock(100, 1, c.asked), c.granted);
        indexHolder.unlock(100, 1);
        EXPECT_TRUE(indexAsker.lock(100, 1, c.asked == LockKind::Exclusive, false)) << "free once released";
    }
}

}  // namespace
}  // namespace rt::ntx
