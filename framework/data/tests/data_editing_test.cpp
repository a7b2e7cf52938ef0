// The edit cycle of a DBF data set over a real shared table: every way in and out of edit and append mode,
// vetoes by each event, the locks each path leaves (checked from a second handle, as another user would), the
// lock and append loops with their time-outs and alerts, deleted records reused, and fields written through
// the set.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/data/data_set/lock_wait.h"
#include "framework/data/tests/data_set_fixture.h"
#include "runtime/core/block.h"
#include "runtime/core/settings.h"
#include "runtime/rdd/work_areas.h"
#include "tests/support/settings_guard.h"

namespace vorpex::data {
namespace {

using rt::Value;
using rt::rdd::WorkArea;
using rt::rdd::WorkAreas;
using testing::ask;
using testing::ControlStub;

Value block(std::function<Value()> body) {
    return Value(rt::makeBlock([body](rt::Args) { return body(); }));
}
Value returns(Value v) { return block([v] { return v; }); }

class Editing : public testing::DataSetFixture {
protected:
    void SetUp() override {
        DataSetFixture::SetUp();
        previousSleeper = setLockSleeper([this](int ms) { slept += ms; });
    }
    void TearDown() override {
        setLockSleeper(previousSleeper);
        DataSetFixture::TearDown();
    }
    // What another user sees: the table read through a handle of its own.
    std::string nameAt(int rec) {
        WorkArea* other = otherUser();
        other->goTo(static_cast<uint32_t>(rec));
        const Value v = other->fieldGet(1);
        return v.isString() ? v.asString().substr(0, v.asString().find_last_not_of(' ') + 1) : std::string();
    }
    uint32_t recordsSeenByOthers() { return otherUser()->lastRec(); }
    // True when another user can lock every record: nothing was left locked.
    bool noLocksLeft() {
        WorkArea* other = otherUser();
        const uint32_t n = other->lastRec();
        for (uint32_t r = 1; r <= n; ++r) {
            if (!other->lockRecord(r)) return false;
            other->unlockRecord(r);
        }
        return true;
    }
    void closeAll() {
        rt::testing::call("DBCLOSEALL");
        other_ = nullptr;
    }
    WorkArea* otherUser() {
        if (!other_) other_ = openArea("OTHER");
        other_->commit();
        return other_;
    }

    int slept = 0;
    Sleeper previousSleeper;

private:
    WorkArea* other_ = nullptr;
};

TEST_F(Editing, EachWayThroughTheCycleEndsBrowsingWithNoLockLeft) {
    struct Case {
        const char* name;
        std::function<Value(const Value& set)> run;
        bool result;
        uint32_t records;     // after the case
        std::string record2;  // NOMBRE of record 2 after the case
        std::string last;     // NOMBRE of the last record
    };
    const auto put = [](const Value& set, const char* name) { ask(set, "FieldPut", {Value(1), Value(name)}); };
    const Case cases[] = {
        {"edit, update", [&](const Value& s) { ask(s, "Edit"); put(s, "EDITED"); return ask(s, "Update"); },
         true, 10, "EDITED", "E10"},
        {"edit locked, cancel", [&](const Value& s) { ask(s, "Edit", {Value(true)}); put(s, "EDITED"); return ask(s, "Cancel"); },
         true, 10, "E2", "E10"},
        {"append, cancel", [&](const Value& s) { ask(s, "AddNew"); put(s, "NEW"); return ask(s, "Cancel"); },
         true, 10, "E2", "E10"},
        {"append, update", [&](const Value& s) { ask(s, "AddNew"); put(s, "NEW"); return ask(s, "Update"); },
         true, 11, "E2", "NEW"},
        {"edit vetoed by OnPreSave", [&](const Value& s) {
             ask(s, "_OnPreSave", {returns(Value(false))});
             ask(s, "Edit"); put(s, "EDITED"); return ask(s, "Update"); },
         false, 10, "E2", "E10"},
        {"append vetoed by OnPreSave", [&](const Value& s) {
             ask(s, "_OnPreSave", {returns(Value(false))});
             ask(s, "AddNew"); put(s, "NEW"); return ask(s, "Update"); },
         false, 10, "E2", "E10"},
        {"append vetoed by OnPreAppend", [&](const Value& s) {
             ask(s, "_OnPreAppend", {returns(Value(false))});
             ask(s, "AddNew"); put(s, "NEW"); return ask(s, "Update"); },
         false, 10, "E2", "E10"},
        {"append of a value the field refuses", [&](const Value& s) {
             ask(s, "AddNew"); ask(s, "FieldPut", {Value(2), Value("old")}); return ask(s, "Update"); },
         false, 10, "E2", "E10"},
        {"edit of a value the field refuses", [&](const Value& s) {
             ask(s, "Edit"); put(s, "EDITED"); ask(s, "FieldPut", {Value(2), Value("old")}); return ask(s, "Update"); },
         false, 10, "E2", "E10"},
        {"delete", [&](const Value& s) { return ask(s, "Delete"); }, true, 10, "E2", "E10"},
        {"delete vetoed by OnPreDelete", [&](const Value& s) {
             ask(s, "_OnPreDelete", {returns(Value(false))}); return ask(s, "Delete"); },
         false, 10, "E2", "E10"},
        {"fast edit, fast update", [&](const Value& s) { ask(s, "FastEdit"); put(s, "FAST"); return ask(s, "FastUpdate"); },
         true, 10, "FAST", "E10"},
        {"fast edit, fast cancel", [&](const Value& s) { ask(s, "FastEdit"); put(s, "FAST"); return ask(s, "FastCancel"); },
         true, 10, "E2", "E10"},
        {"fast append, fast update", [&](const Value& s) { ask(s, "FastAddNew"); put(s, "FAST"); return ask(s, "FastUpdate"); },
         true, 11, "E2", "FAST"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        closeAll();
        makeTable(10);
        const Value set = openSet();
        ask(set, "GoTo", {Value(2)});
        EXPECT_EQ(c.run(set).asLogical(), c.result);
        EXPECT_EQ(num(ask(set, "nEditRecord")), 0);
        EXPECT_FALSE(ask(set, "lOnEdit").asLogical());
        EXPECT_FALSE(ask(set, "lOnAppend").asLogical());
        EXPECT_TRUE(noLocksLeft());
        EXPECT_EQ(recordsSeenByOthers(), c.records);
        EXPECT_EQ(nameAt(2), c.record2);
        EXPECT_EQ(nameAt(static_cast<int>(c.records)), c.last);
        ask(set, "End");
        closeAll();
    }
}

TEST_F(Editing, DeleteMarksTheRecordAndFastCancelOfAnAppendDeletesIt) {
    const Value set = openSet();
    ask(set, "GoTo", {Value(4)});
    std::vector<int> after;
    ask(set, "_OnPostChange", {Value(rt::makeBlock([&](rt::Args a) {
        after = {num(rt::arg(a, 1)), num(rt::arg(a, 2)), num(rt::arg(a, 3))};
        return Value();
    }))});
    ASSERT_TRUE(ask(set, "Delete").asLogical());
    EXPECT_TRUE(ask(set, "Deleted").asLogical());
    EXPECT_EQ(after, (std::vector<int>{9, 4, 4}));
    ASSERT_TRUE(ask(set, "FastAddNew").asLogical());
    const int appended = num(ask(set, "Recno"));
    EXPECT_EQ(appended, 11);
    ASSERT_TRUE(ask(set, "FastCancel").asLogical());
    WorkArea* other = otherUser();
    other->goTo(11);
    EXPECT_TRUE(other->deleted());
    EXPECT_TRUE(noLocksLeft());
}

TEST_F(Editing, HiddenDeletedRecordsMoveTheSetToTheNextRecord) {
    rt::testing::SettingsGuard keep;
    rt::settings().deleted = true;
    const Value set = openSet();
    ask(set, "GoTo", {Value(4)});
    ASSERT_TRUE(ask(set, "Delete").asLogical());
    EXPECT_EQ(num(ask(set, "Recno")), 5);
}

TEST_F(Editing, ControlsAreUnlockedWhileEditingAndToldOfEveryStep) {
    const Value set = openSet();
    const Value ctl(ControlStub::classRecord().instantiate());
    ask(set, "AddLinkedControl", {ctl});
    auto& got = static_cast<ControlStub&>(*ctl.asObject()).got;
    ask(set, "GoTo", {Value(2), Value(false)});
    got.clear();
    ASSERT_TRUE(ask(set, "AddNew").asLogical());
    ask(set, "FieldPut", {Value(1), Value("NEW")});
    ASSERT_TRUE(ask(set, "Update").asLogical());
    EXPECT_EQ(got, (std::vector<std::string>{"GetData", "UnLock", "Lock", "SetData", "Refresh 8 11 2"}));
    got.clear();
    ASSERT_TRUE(ask(set, "Edit").asLogical());
    ASSERT_TRUE(ask(set, "Cancel").asLogical());
    EXPECT_EQ(got, (std::vector<std::string>{"UnLock", "Lock", "Refresh"}));
    got.clear();
    ASSERT_TRUE(ask(set, "Edit").asLogical());
    ASSERT_TRUE(ask(set, "Update").asLogical());
    EXPECT_EQ(got, (std::vector<std::string>{"UnLock", "Lock", "SetData", "Refresh 10 11"}));
}

TEST_F(Editing, RefusalsReportTheirTextsAndLeaveTheSetBrowsing) {
    ask(source, "_lDisplayErrors", {Value(false)});
    const Value set = openSet();
    bool cancelled = false;
    ask(set, "_OnCancel", {block([&] { cancelled = true; return Value(); })});
    EXPECT_FALSE(ask(set, "Cancel").asLogical());
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(wasShown("Invalid use of 'Cancel', set must be on 'Edit' or 'AddNew' mode"));

    ask(set, "GoTo", {Value(3)});
    ASSERT_TRUE(ask(set, "Edit").asLogical());
    ask(set, "FieldPut", {Value(1), Value("MOVED")});
    ask(set, "GoTo", {Value(5)});
    EXPECT_FALSE(ask(set, "Update").asLogical());
    EXPECT_TRUE(wasShown("The current row has changed since last 'Edit' operation, 'Update' canceled"));
    EXPECT_FALSE(ask(set, "lOnEdit").asLogical());
    EXPECT_EQ(nameAt(3), "E3");
    EXPECT_EQ(nameAt(5), "E5");

    ask(set, "GoBottom");
    ask(set, "Skip");
    EXPECT_FALSE(ask(set, "Edit").asLogical());
    EXPECT_TRUE(wasShown("Empty set, 'Edit' not allowed"));

    const Value readOnly = newSet();
    ask(readOnly, "_lReadOnly", {Value(true)});
    ASSERT_TRUE(ask(readOnly, "Open").asLogical());
    EXPECT_FALSE(ask(readOnly, "AddNew").asLogical());
    EXPECT_FALSE(ask(readOnly, "Edit").asLogical());
    EXPECT_FALSE(ask(readOnly, "CanEdit").asLogical());
    EXPECT_TRUE(wasShown("Read only set, 'AddNew' not allowed"));
    EXPECT_TRUE(wasShown("Read only set, 'Edit' not allowed"));
}

// Another user holds record 2: a set gives up after the source's time-out, 5 s = 10 tries of 0.5 s.
TEST_F(Editing, ARecordLockedByAnotherUserIsRefusedAfterTheTimeOut) {
    ask(source, "_lDisplayErrors", {Value(false)});
    const Value set = openSet();
    ask(set, "GoTo", {Value(2)});
    ASSERT_TRUE(ask(set, "Edit").asLogical());
    ask(set, "FieldPut", {Value(1), Value("MINE")});
    ASSERT_TRUE(otherUser()->lockRecord(2));
    EXPECT_FALSE(ask(set, "Update").asLogical());
    EXPECT_EQ(slept, 10 * kLockPollMs);
    EXPECT_TRUE(wasShown("Record locked by another user"));
    EXPECT_FALSE(ask(set, "lOnEdit").asLogical());
    EXPECT_EQ(nameAt(2), "E2");

    slept = 0;
    EXPECT_FALSE(ask(set, "Edit", {Value(true)}).asLogical());
    EXPECT_EQ(slept, 10 * kLockPollMs);
    EXPECT_EQ(num(ask(set, "nEditRecord")), 0);

    slept = 0;  // a direct write takes the lock for the moment of the write: refused as well
    const Value nombre = ask(set, "oFieldByName", {Value("NOMBRE")});
    EXPECT_TRUE(ask(nombre, "_Value", {Value("DIRECT")}).isNil());
    EXPECT_EQ(slept, 10 * kLockPollMs);
    EXPECT_EQ(nameAt(2), "E2");
    otherUser()->unlockRecord(2);
    EXPECT_EQ(ask(nombre, "_Value", {Value("DIRECT")}).asString(), "DIRECT");
    EXPECT_EQ(nameAt(2), "DIRECT");
    EXPECT_TRUE(noLocksLeft());
}

TEST_F(Editing, WaitingForEverAlertsAfterTheFirstTryAndThenEveryTimeOut) {
    struct Case {
        int sourceTimeOut;
        int sleepsBeforeThirdAlert;
    };
    for (const Case c : {Case{5, 21}, Case{0, 3}}) {
        SCOPED_TRACE(c.sourceTimeOut);
        ask(source, "_nTimeOut", {Value(c.sourceTimeOut)});
        const Value set = openSet();
        ask(set, "GoTo", {Value(2)});
        ASSERT_TRUE(otherUser()->lockRecord(2));
        shown.clear();
        titles.clear();
        slept = 0;
        onAlert = [&] {
            if (titles.size() == 3) otherUser()->unlockRecord(2);
        };
        EXPECT_TRUE(ask(set, "RecLock", {Value(), Value(0)}).asLogical());
        onAlert = nullptr;
        EXPECT_EQ(slept, c.sleepsBeforeThirdAlert * kLockPollMs);
        ASSERT_EQ(titles.size(), 3u);
        EXPECT_EQ(titles[0], "Record lock error on alias " + ask(set, "cAlias").asString());
        EXPECT_NE(shown[0].find("the program will not stop until it locks the record"), std::string::npos);
        EXPECT_TRUE(ask(set, "IsRecordLocked").asLogical());
        ask(set, "RecUnLock");
        EXPECT_FALSE(ask(set, "IsRecordLocked").asLogical());
        ask(set, "End");
    }
}

TEST_F(Editing, FileLockAndAppendWaitForTheOtherUsersFileLock) {
    ask(source, "_lDisplayErrors", {Value(false)});
    const Value set = openSet();
    ASSERT_TRUE(otherUser()->lockFile());
    EXPECT_FALSE(ask(set, "FilLock").asLogical());
    EXPECT_TRUE(wasShown("File locked by another user"));
    EXPECT_FALSE(ask(set, "Append").asLogical());
    EXPECT_TRUE(wasShown("Append error on alias EMPLEADO"));
    ASSERT_TRUE(ask(set, "AddNew").asLogical());
    EXPECT_FALSE(ask(set, "Update").asLogical());
    EXPECT_EQ(recordsSeenByOthers(), 10u);
    otherUser()->unlockAll();
    EXPECT_TRUE(ask(set, "FilLock").asLogical());
    EXPECT_TRUE(ask(set, "FilUnlock").asLogical());
    EXPECT_TRUE(noLocksLeft());
}

TEST_F(Editing, ReusedDeletedRecordsKeepTheirNumbers) {
    const Value set = openSet();
    ask(set, "_lReUseDel", {Value(true)});
    ask(set, "GoTo", {Value(4)});
    ASSERT_TRUE(ask(set, "Delete").asLogical());
    EXPECT_EQ(num(ask(set, "Recno")), 5);  // on to the next record
    EXPECT_EQ(nameAt(4), "");
    ASSERT_TRUE(ask(set, "AddNew").asLogical());
    ask(set, "FieldPut", {Value(1), Value("REUSED")});
    ASSERT_TRUE(ask(set, "Update").asLogical());
    EXPECT_EQ(num(ask(set, "Recno")), 4);
    EXPECT_FALSE(ask(set, "Deleted").asLogical());
    EXPECT_EQ(nameAt(4), "REUSED");
    EXPECT_EQ(recordsSeenByOthers(), 10u);
    EXPECT_TRUE(noLocksLeft());
    // Nothing deleted left: the next append adds a record.
    ASSERT_TRUE(ask(set, "AddNew").asLogical());
    ASSERT_TRUE(ask(set, "Update").asLogical());
    EXPECT_EQ(num(ask(set, "Recno")), 11);
}

// Another program reused the record between the search and the lock: it is not taken twice.
TEST_F(Editing, ARecordAnotherUserRecalledIsNotReusedAgain) {
    const Value set = openSet();
    ask(set, "_lReUseDel", {Value(true)});
    ask(set, "GoTo", {Value(4)});
    ASSERT_TRUE(ask(set, "Delete").asLogical());
    WorkArea* other = otherUser();
    other->goTo(4);
    ASSERT_TRUE(other->lockRecord(4));
    EXPECT_FALSE(ask(set, "Recall").asLogical());  // locked by the other user: not taken
    ASSERT_TRUE(other->recall());
    other->unlockRecord(4);
    EXPECT_FALSE(ask(set, "Recall").asLogical());  // no longer deleted
}

TEST_F(Editing, FieldsWriteThroughTheRealSet) {
    const Value set = openSet();
    ask(set, "GoTo", {Value(6)});
    const Value nombre = ask(set, "oFieldByName", {Value("NOMBRE")});
    const Value edad = ask(set, "oFieldByName", {Value("EDAD")});
    // Browsing: straight to the table, under a lock of the moment.
    EXPECT_EQ(ask(nombre, "_Value", {Value("BROWSE")}).asString(), "BROWSE");
    EXPECT_EQ(nameAt(6), "BROWSE");
    EXPECT_TRUE(noLocksLeft());
    // A value of the wrong type is logged, reported, and not claimed.
    shown.clear();
    EXPECT_TRUE(ask(edad, "_Value", {Value("old")}).isNil());
    EXPECT_TRUE(wasShown("VORPEX Fieldput error: Data type error: EDAD on field 'EDAD'. Expected type 'N', got type 'C' (old)"));
    EXPECT_EQ(num(ask(edad, "Value")), 26);
    // Editing: into the buffer only, modified until posted.
    ask(set, "Load");
    ASSERT_TRUE(ask(set, "Edit").asLogical());
    EXPECT_FALSE(ask(edad, "lModified").asLogical());
    ask(edad, "_Value", {Value(60)});
    EXPECT_TRUE(ask(edad, "lModified").asLogical());
    EXPECT_EQ(num(ask(edad, "Value")), 60);
    EXPECT_EQ(num(ask(set, "FieldGet", {Value(2), Value(false)})), 26);  // the table still has the old one
    ASSERT_TRUE(ask(set, "Update").asLogical());
    EXPECT_FALSE(ask(edad, "lModified").asLogical());
    EXPECT_EQ(num(ask(edad, "Value")), 60);
    // Blank marks every editable table field (each has a default) for writing.
    ask(set, "Blank");
    EXPECT_TRUE(ask(nombre, "lModified").asLogical());
    ask(nombre, "_lEditable", {Value(false)});
    ask(set, "Blank");
    EXPECT_FALSE(ask(nombre, "lModified").asLogical());
}

TEST_F(Editing, AWriteTheSetSeesOnlyInItsBufferGoesToTheControlBoundToTheField) {
    const Value set = openSet();
    const Value ctl(ControlStub::classRecord().instantiate());
    ask(set, "AddLinkedControl", {ctl});
    auto& got = static_cast<ControlStub&>(*ctl.asObject()).got;
    got.clear();
    ASSERT_TRUE(ask(set, "Edit").asLogical());
    ask(set, "FieldPut", {Value(1), Value("X"), Value(true)});  // lKeepControls
    ask(set, "FieldPut", {Value(1), Value("Y")});
    EXPECT_EQ(got, (std::vector<std::string>{"UnLock"}));  // the stub is bound to no field
    EXPECT_EQ(ask(set, "FieldGet", {Value(1)}).asString(), "Y");
}

}  // namespace
}  // namespace vorpex::data
