// Two programs on one shared table, each through a data set of its own: a record one edits under lock is
// refused to the other within its time-out, and appends and edits made at the same time lose nothing. The
// other program is this test program again: forked natively, started as a second process on Windows, where it
// runs only the TwoUsersChild test with its role in the environment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <chrono>
#include <string>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "framework/data/data_set/lock_wait.h"
#include "framework/data/tests/data_set_fixture.h"

namespace vorpex::data {
namespace {

using rt::Value;
using testing::ask;

constexpr const char* kRoleVariable = "VORPEX_DATA_SECOND_USER";  // "<role>|<folder>"
constexpr int kRounds = 15;

int processId() {
#ifdef _WIN32
    return static_cast<int>(GetCurrentProcessId());
#else
    return static_cast<int>(getpid());
#endif
}

// A program's own data set on the table in `folder`, with a short poll so contention costs milliseconds.
Value openAsAUser(const std::string& folder) {
    registerDataSets();
    for (const char* quiet : {"MSGALERT", "LOGDEBUG"})
        rt::registerFunction(quiet, [](rt::Args) { return Value(); });
    setLockSleeper([](int) { std::this_thread::sleep_for(std::chrono::milliseconds(5)); });
    const Value source = ask(rt::testing::call("TNTXDATASOURCE"), "New");
    ask(source, "_cConnect", {Value(folder)});
    ask(source, "_lDisplayErrors", {Value(false)});
    const Value set = ask(rt::testing::call("TDBFDATASET"), "Create", {Value(), source, Value("empleado")});
    return ask(set, "Open").asLogical() ? set : Value();
}

// The roles of the second program; each answers 0 when it saw what it should.
int playRole(const std::string& role, const std::string& folder) {
    const Value set = openAsAUser(folder);
    if (!set.isObject()) return 10;
    ask(set, "GoTo", {Value(2)});
    if (role == "refused") return ask(set, "Edit", {Value(true)}).asLogical() ? 11 : 0;
    if (role == "granted") return ask(set, "Edit", {Value(true)}).asLogical() && ask(set, "Cancel").asLogical() ? 0 : 12;
    // "work": appends and increments of record 1, interleaved with the other program's.
    int failures = 0;
    for (int i = 0; i < kRounds; ++i) {
        ask(set, "AddNew");
        ask(set, "FieldPut", {Value(1), Value(std::to_string(processId() % 100000) + "-" + std::to_string(i))});
        if (!ask(set, "Update").asLogical()) ++failures;
        ask(set, "GoTo", {Value(1)});
        if (!ask(set, "Edit", {Value(true)}).asLogical()) {
            ++failures;
            continue;
        }
        ask(set, "FieldPut", {Value(2), Value(ask(set, "FieldGet", {Value(2)}).asInteger() + 1)});
        if (!ask(set, "Update").asLogical()) ++failures;
    }
    return failures;
}

// Starts the second program in `role`; join() waits for it and answers its exit code.
class SecondUser {
public:
    SecondUser(const std::string& role, const std::string& folder) {
#ifdef _WIN32
        const std::string value = role + "|" + folder;
        SetEnvironmentVariableA(kRoleVariable, value.c_str());
        char exe[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        std::string line = std::string("\"") + exe + "\" --gtest_filter=TwoUsersChild.*";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        started_ = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_);
        SetEnvironmentVariableA(kRoleVariable, nullptr);
#else
        pid_ = fork();
        // The child leaves the areas it inherited alone: their locks belong to the parent's open files.
        if (pid_ == 0) _exit(playRole(role, folder));
#endif
    }
    int join() {
#ifdef _WIN32
        if (!started_) return 98;
        WaitForSingleObject(info_.hProcess, INFINITE);
        DWORD code = 97;
        GetExitCodeProcess(info_.hProcess, &code);
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
        return static_cast<int>(code);
#else
        int status = 0;
        waitpid(pid_, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
#endif
    }

private:
#ifdef _WIN32
    PROCESS_INFORMATION info_{};
    bool started_ = false;
#else
    pid_t pid_ = -1;
#endif
};

using TwoUsers = testing::DataSetFixture;

TEST_F(TwoUsers, ARecordEditedUnderLockIsRefusedToTheOtherProgram) {
    const Value set = openSet();
    ask(set, "GoTo", {Value(2)});
    ASSERT_TRUE(ask(set, "Edit", {Value(true)}).asLogical());
    EXPECT_EQ(SecondUser("refused", dir.path().string()).join(), 0);
    ask(set, "FieldPut", {Value(1), Value("FIRST")});
    ASSERT_TRUE(ask(set, "Update").asLogical());
    EXPECT_EQ(SecondUser("granted", dir.path().string()).join(), 0);
}

TEST_F(TwoUsers, AppendsAndEditsAtTheSameTimeLoseNothing) {
    rt::testing::call("DBCLOSEALL");
    const std::string folder = dir.path().string();
    SecondUser other("work", folder);
    const int mine = playRole("work", folder);
    EXPECT_EQ(other.join(), 0);
    EXPECT_EQ(mine, 0);
    const Value set = openSet();
    EXPECT_EQ(num(ask(set, "RecCount")), 10 + 2 * kRounds);
    ask(set, "GoTo", {Value(1)});
    EXPECT_EQ(num(ask(set, "FieldGet", {Value(2)})), 21 + 2 * kRounds);
    std::set<std::string> names;
    for (int r = 11; r <= 10 + 2 * kRounds; ++r) {
        ask(set, "GoTo", {Value(r)});
        names.insert(ask(set, "FieldGet", {Value(1)}).asString());
    }
    EXPECT_EQ(names.size(), static_cast<size_t>(2 * kRounds));  // no record written over another
}

// The second program's side on Windows: runs only when started by SecondUser.
TEST(TwoUsersChild, PlaysItsRole) {
    const char* given = std::getenv(kRoleVariable);
    if (!given) GTEST_SKIP() << "runs only as the second program";
    const std::string value = given;
    const size_t bar = value.find('|');
    std::exit(playRole(value.substr(0, bar), value.substr(bar + 1)));
}

}  // namespace
}  // namespace vorpex::data
