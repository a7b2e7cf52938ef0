// Writers killed (SIGKILL) at random moments while they append under an index, with the table open exclusive
// and shared, committing every 50 records. Afterwards the table opens, and the index the killed run left is
// either in step with the table (one key per record, each the key of its record, in order) or is reported as
// a corrupt index when it opens, and a rebuild then puts it in step. Never silently out of step.
//
// VORPEX_KILL_RUNS sets the kills per mode (a few by default; scripts/kill-index.sh runs many).
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "runtime/core/error.h"
#include "runtime/rdd/ntx/ntx_order.h"
#include "runtime/rdd/ntx/order_functions.h"
#include "runtime/rdd/work_areas.h"
#include "tests/support/temp_folder.h"

namespace rt::ntx {
namespace {

using rdd::UseOptions;
using rdd::WorkArea;
using rdd::WorkAreas;

constexpr int baseRecords = 500;
constexpr int commitEvery = 50;

// Keys spread over the whole tree, so that appends split pages everywhere.
std::string codeOf(int n) {
    char b[16];
    std::snprintf(b, sizeof b, "%010u", static_cast<unsigned>(n) * 2654435761u);
    return b;
}

WorkArea* useTable(const std::string& path, bool shared) {
    UseOptions o;
    o.newArea = true;
    o.shared = shared;
    return WorkAreas::instance().use(path, o) ? WorkAreas::instance().current() : nullptr;
}

void appendRecord(WorkArea& a, int n) {
    a.append();
    a.fieldPut(1, Value(codeOf(n)));
    a.fieldPut(2, Value(n));
}

// The child: appends until killed. Any error it meets ends it with a status the parent reports.
[[noreturn]] void writeUntilKilled(const std::string& table, const std::string& index, bool shared, int ready) {
    setErrorHandler([](Error&) -> ErrorAnswer { _exit(3); });
    WorkArea* a = useTable(table, shared);
    if (!a || !ordListAdd(*a, index)) _exit(4);
    const char go = 'g';
    if (write(ready, &go, 1) != 1) _exit(5);
    for (int n = static_cast<int>(a->lastRec()) + 1; n < 1000000; ++n) {
        appendRecord(*a, n);
        if (n % commitEvery == 0) {
            a->commit();
            a->unlockAll();
        }
    }
    _exit(0);
}

struct Outcome {
    bool inStep = false;    // the index opened and agreed with the table
    bool reported = false;  // the index reported itself as corrupt when it opened
    std::string fault;      // what was wrong, when neither
};

class KillTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = setErrorHandler([this](Error& e) {
            errors.push_back(e);
            return ErrorAnswer{ErrorAction::Default, Value()};
        });
    }
    void TearDown() override {
        WorkAreas::instance().closeAll();
        setErrorHandler(previous_);
    }

    // A table of baseRecords records with its index, kept as the start of every run.
    void makeBase() {
        const std::vector<rdd::Field> fields = {{"CODE", 'C', 10, 0}, {"SEQ", 'N', 8, 0}};
        rdd::Table::create(base("t.dbf"), fields, {});
        WorkArea* a = useTable(base("t.dbf"), false);
        ASSERT_NE(a, nullptr);
        for (int n = 1; n <= baseRecords; ++n) appendRecord(*a, n);
        IndexRequest r;
        r.bag = base("t.ntx");
        r.key = "CODE";
        ASSERT_TRUE(ordCreate(*a, r));
        WorkAreas::instance().closeAll();
        ASSERT_TRUE(errors.empty());
    }

    std::string base(const std::string& name) const { return dir.file("base_" + name); }
    std::string live(const std::string& name) const { return dir.file(name); }

    void killOneWriter(bool shared, std::mt19937& rng) {
        for (const char* name : {"t.dbf", "t.ntx"})
            std::filesystem::copy_file(base(name), live(name), std::filesystem::copy_options::overwrite_existing);
        int pipeFds[2];
        ASSERT_EQ(pipe(pipeFds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeFds[0]);
            writeUntilKilled(live("t.dbf"), live("t.ntx"), shared, pipeFds[1]);
        }
        close(pipeFds[1]);
        char go = 0;
        const bool started = read(pipeFds[0], &go, 1) == 1;
        close(pipeFds[0]);
        if (started) std::this_thread::sleep_for(std::chrono::microseconds(rng() % 40000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(started) << "the writer stopped before it began, status " << status;
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself, status " << status;
    }

    // The table must open with every counted record whole; the index must agree with it or say it cannot.
    Outcome check() {
        Outcome out;
        errors.clear();
        WorkArea* a = useTable(live("t.dbf"), false);
        if (!a) return {false, false, "the table does not open"};
        if (!ordListAdd(*a, live("t.ntx"))) {
            const bool corrupt = !errors.empty() && errors.back().genCode == eg::Corruption &&
                                 errors.back().filename == live("t.ntx");
            if (!corrupt) return {false, false, "the index fails to open without a corrupt-index error"};
            out.reported = true;
            errors.clear();
            if (!ordListRebuild(*a)) return {false, true, "the rebuild fails"};
        }
        out.fault = disagreement(*a);
        out.inStep = out.fault.empty();
        WorkAreas::instance().closeAll();
        return out;
    }

    // Walks the order: every record once, each under its own key, keys ascending.
    std::string disagreement(WorkArea& a) {
        const uint32_t records = a.lastRec();
        std::set<uint32_t> seen;
        std::string previous;
        for (a.goTop(); !a.eof() && seen.size() <= records; a.skip(1)) {
            const uint32_t r = a.recno();
            const std::string code = a.fieldGet(1).asString();
            if (!seen.insert(r).second) return "record " + std::to_string(r) + " twice in the order";
            if (code < previous) return "keys out of order at record " + std::to_string(r);
            previous = code;
        }
        if (!errors.empty()) return "walking the order: " + errors.front().description;
        if (seen.size() != records)
            return std::to_string(seen.size()) + " keys for " + std::to_string(records) + " records";
        if (a.keyCount() != records) return "ORDKEYCOUNT " + std::to_string(a.keyCount());
        for (uint32_t r = 1; r <= records; ++r) {
            a.setFocus(0);
            a.goTo(r);
            const Value code = a.fieldGet(1);
            a.setFocus(1);
            if (!a.seek(code, false)) return "the key of record " + std::to_string(r) + " is missing";
        }
        return {};
    }

    rt::testing::TempFolder dir;
    std::vector<Error> errors;
    ErrorHandler previous_;
};

int killsPerMode() {
    const char* v = std::getenv("VORPEX_KILL_RUNS");
    const int n = v ? std::atoi(v) : 0;
    return n > 0 ? n : 6;
}

TEST_F(KillTest, TheIndexAKilledWriterLeavesIsInStepOrSaysItIsNot) {
    makeBase();
    std::mt19937 rng(20261210);
    for (bool shared : {false, true}) {
        int inStep = 0, reported = 0;
        for (int run = 1; run <= killsPerMode(); ++run) {
            SCOPED_TRACE((shared ? "shared, run " : "exclusive, run ") + std::to_string(run));
            killOneWriter(shared, rng);
            if (HasFatalFailure()) return;
            const Outcome o = check();
            EXPECT_TRUE(o.fault.empty()) << o.fault;
            inStep += o.inStep && !o.reported;
            reported += o.reported;
        }
        std::printf("%s: %d kills, index in step %d, reported on open %d\n", shared ? "shared" : "exclusive",
                    killsPerMode(), inStep, reported);
    }
}

}  // namespace
}  // namespace rt::ntx
