// Two processes share one index file: a writer in a child process inserts while this process reads. The
// index lock keeps every read consistent and the header's version makes the reader drop stale pages.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "runtime/rdd/ntx/ntx_builder.h"
#include "runtime/rdd/ntx/ntx_tree.h"
#include "tests/support/temp_folder.h"

namespace rt::ntx {
namespace {

std::string key8(int n) {
    char b[16];
    std::snprintf(b, sizeof b, "%08d", n);
    return b;
}

TEST(NtxProcesses, ReaderSeesWriterInAnotherProcess) {
    rt::testing::TempFolder dir;
    const std::string path = dir.file("shared.ntx");
    NtxBuilder b(NtxHeader::forKey(8, 0, "CODE", "", false, false));
    for (int i = 0; i < 1000; ++i) b.add(key8(i * 2), static_cast<uint32_t>(i + 1));
    b.write(path);

    NtxTree::Options shared;
    shared.shared = true;
    auto reader = NtxTree::open(path, shared);
    ASSERT_EQ(reader->keyCount(), 1000u);

    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int status = 0;
        try {
            auto writer = NtxTree::open(path, shared);
            for (int i = 0; i < 600; ++i)
                if (!writer->insert(key8(i * 2 + 1), static_cast<uint32_t>(2000 + i))) status = 1;
        } catch (...) {
            status = 2;
        }
        _exit(status);
    }
    // Read while the writer works: every read sees a whole tree, the count only grows.
    uint64_t last = 1000;
    for (int i = 0; i < 200; ++i) {
        uint64_t n = reader->verify();
        EXPECT_GE(n, last);
        last = n;
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(reader->keyCount(), 1600u);
    NtxPosition pos;
    ASSERT_TRUE(reader->seek(pos, key8(599), false));
    EXPECT_EQ(pos.recno, 2000u + 299u);
    EXPECT_EQ(reader->verify(), 1600u);
}

}  // namespace
}  // namespace rt::ntx
