// Sharing and locks with the Windows rules: between two work areas of this process and, natively, between
// two processes.
#include "runtime/rdd/commands.h"
#include "test_support.h"
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace rt::rdd::test {
namespace {

class LockTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        create("t.dbf", fields({{"N", 'N', 6, 0}}));
        WorkArea* a = open("t.dbf");
        for (int i = 1; i <= 3; ++i) {
            a->append();
            a->fieldPut(1, Value(i));
        }
        areas().closeAll();
    }
    WorkArea* use(bool shared, const std::string& alias) {
        UseOptions o;
        o.newArea = true;
        o.shared = shared;
        o.alias = alias;
        return areas().use(path("t.dbf"), o) ? areas().current() : nullptr;
    }
};

TEST_F(LockTest, OpenConflictsFollowTheWindowsShareRules) {
    struct Case {
        bool firstShared, secondShared, secondOpens;
    };
    const Case cases[] = {{true, true, true}, {true, false, false}, {false, true, false}, {false, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.firstShared) + "/" + std::to_string(c.secondShared));
        areas().closeAll();
        ASSERT_NE(use(c.firstShared, "FIRST"), nullptr);
        ErrorLog log;
        WorkArea* second = use(c.secondShared, "SECOND");
        EXPECT_EQ(second != nullptr, c.secondOpens);
        EXPECT_EQ(areas().netErr(), !c.secondOpens);
        if (c.secondOpens) continue;
        ASSERT_EQ(log.seen.size(), 1u);
        EXPECT_EQ(log.seen[0].genCode, eg::Open);
        EXPECT_EQ(log.seen[0].osCode, 32);
        EXPECT_TRUE(log.seen[0].canDefault);
    }
}

TEST_F(LockTest, RecordLocksAddUpPerAreaAndConflictBetweenAreas) {
    WorkArea* a = use(true, "A");
    WorkArea* b = use(true, "B");
    EXPECT_TRUE(a->lockRecord(1));
    EXPECT_TRUE(a->lockRecord(3));
    EXPECT_EQ(a->lockList(), (std::vector<uint32_t>{1, 3}));
    EXPECT_FALSE(b->lockRecord(1));
    EXPECT_TRUE(b->lockRecord(2));
    EXPECT_FALSE(b->lockFile());  // A holds records
    a->unlockRecord(1);
    EXPECT_EQ(a->lockList(), (std::vector<uint32_t>{3}));
    EXPECT_TRUE(b->lockRecord(1));
    a->unlockAll();
    b->unlockAll();
    EXPECT_TRUE(a->lockFile());
    EXPECT_FALSE(b->lockRecord(2));
    EXPECT_TRUE(a->lockRecord(2));  // the file lock covers every record
    a->unlockAll();
    EXPECT_TRUE(b->lockRecord(2));
}

TEST_F(LockTest, SharedWritesNeedTheRecordLockAndReachTheOtherArea) {
    WorkArea* a = use(true, "A");
    WorkArea* b = use(true, "B");
    a->goTo(2);
    ErrorLog log;
    EXPECT_FALSE(a->fieldPut(1, Value(20)));
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].genCode, eg::Unlocked);
    ASSERT_TRUE(a->lockRecord(2));
    EXPECT_TRUE(a->fieldPut(1, Value(20)));
    a->unlockRecord(2);  // writes before releasing
    b->goTo(2);
    EXPECT_EQ(b->fieldGet(1).asInt(), 20);
}

TEST_F(LockTest, AppendLocksTheNewRecordAndOthersSeeIt) {
    WorkArea* a = use(true, "A");
    WorkArea* b = use(true, "B");
    ASSERT_TRUE(a->append());
    EXPECT_EQ(a->recno(), 4u);
    EXPECT_EQ(a->lockList(), (std::vector<uint32_t>{4}));
    EXPECT_TRUE(a->fieldPut(1, Value(4)));
    a->commit();
    EXPECT_FALSE(b->lockRecord(4));
    EXPECT_EQ(b->lastRec(), 4u);
    b->goBottom();
    EXPECT_EQ(b->fieldGet(1).asInt(), 4);
    ASSERT_TRUE(b->append());
    EXPECT_EQ(b->recno(), 5u);
}

TEST_F(LockTest, AppendBlockedByAFileLockRaisesAppendLockAndSetsNetErr) {
    WorkArea* a = use(true, "A");
    WorkArea* b = use(true, "B");
    ASSERT_TRUE(a->lockFile());
    ErrorLog log;
    EXPECT_FALSE(b->append());
    EXPECT_TRUE(areas().netErr());
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].genCode, eg::AppendLock);
    EXPECT_TRUE(log.seen[0].canDefault);
    EXPECT_EQ(b->lastRec(), 3u);
    a->unlockAll();
    EXPECT_TRUE(b->append());
    EXPECT_FALSE(areas().netErr());
}

// NETERR means another user holds the table; a table that is not there is an ordinary open failure.
TEST_F(LockTest, MissingTableSetsNoNetErr) {
    ErrorLog log;
    UseOptions o;
    o.newArea = true;
    o.shared = true;
    EXPECT_FALSE(areas().use(path("missing.dbf"), o));
    EXPECT_FALSE(areas().netErr());
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].osCode, 2);
}

TEST_F(LockTest, RenameAndEraseRefuseAFileHeldOpenOrAnExistingTarget) {
    writeFile("other.dbf", "x");
    EXPECT_EQ(fileRename(path("t.dbf"), path("other.dbf")), -1);
    EXPECT_EQ(lastFileError(), 80);
    WorkArea* a = use(true, "A");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(fileRename(path("t.dbf"), path("moved.dbf")), -1);
    EXPECT_EQ(lastFileError(), 32);
    EXPECT_EQ(fileErase(path("t.dbf")), -1);
    EXPECT_EQ(lastFileError(), 32);
    EXPECT_FALSE(fileExistsCmd(path("moved.dbf")));
    areas().closeAll();
    EXPECT_EQ(fileRename(path("t.dbf"), path("moved.dbf")), 0);
    EXPECT_EQ(lastFileError(), 0);
    EXPECT_TRUE(fileExistsCmd(path("MOVED.DBF")));
    EXPECT_EQ(fileErase(path("Moved.Dbf")), 0);
    EXPECT_EQ(fileErase(path("moved.dbf")), -1);
    EXPECT_EQ(lastFileError(), 2);
}

#ifndef _WIN32
// Runs `body` in a child process and answers its exit code.
int inChild(const std::function<int()>& body) {
    pid_t pid = fork();
    if (pid == 0) _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

TEST_F(LockTest, LocksAndExclusiveOpensConflictAcrossProcesses) {
    WorkArea* a = use(true, "A");
    ASSERT_TRUE(a->lockRecord(2));
    std::string file = path("t.dbf");
    auto child = [file](bool shared, const std::function<int(WorkArea&)>& then) {
        return inChild([&] {
            ErrorLog quiet;
            UseOptions o;
            o.newArea = true;  // the inherited areas share the parent's open files: leave them alone
            o.shared = shared;
            if (!WorkAreas::instance().use(file, o)) return WorkAreas::instance().netErr() ? 32 : 1;
            return then(*WorkAreas::instance().current());
        });
    };
    EXPECT_EQ(child(false, [](WorkArea&) { return 0; }), 32);
    EXPECT_EQ(child(true, [](WorkArea& w) { return w.lockRecord(2) ? 1 : 0; }), 0);
    EXPECT_EQ(child(true, [](WorkArea& w) { return w.lockRecord(3) ? 0 : 1; }), 0);
    EXPECT_EQ(child(true, [](WorkArea& w) { return w.lockFile() ? 1 : 0; }), 0);
    a->unlockAll();
    EXPECT_EQ(child(true, [](WorkArea& w) { return w.lockFile() ? 0 : 1; }), 0);
    // A child appending in turn: the count follows, records are not overwritten.
    EXPECT_EQ(child(true, [](WorkArea& w) { return w.append() && w.fieldPut(1, Value(77)) && w.commit() ? 0 : 1; }), 0);
    EXPECT_EQ(a->lastRec(), 4u);
    a->goBottom();
    EXPECT_EQ(a->fieldGet(1).asInt(), 77);
}
#endif

}  // namespace
}  // namespace rt::rdd::test
