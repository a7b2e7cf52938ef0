// TMutex over a fake port: open before create, an existing mutex (opened, or found by the creation of two
// instances starting together) sets lExisting and still fires OnCreate, a failure fires OnFail, the name
// comes from the application's title when the mutex is made, and the handle is closed exactly once.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/timer/mutex.h"
#include "framework/core/timer/mutex_port.h"
#include "runtime/core/block.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {
namespace {

struct FakeMutexes {
    std::map<std::string, intptr_t> existing;  // opened by name
    MutexCreation onCreate{100, false};
    std::vector<std::string> log;
    std::vector<intptr_t> closed;
};

struct FakePort : MutexPort {
    FakeMutexes* m;
    explicit FakePort(FakeMutexes* mutexes) : m(mutexes) {}
    intptr_t open(const std::string& name) override {
        m->log.push_back("open " + name);
        auto it = m->existing.find(name);
        return it == m->existing.end() ? 0 : it->second;
    }
    MutexCreation create(const std::string& name, int64_t timeout) override {
        m->log.push_back("create " + name + " " + std::to_string(timeout));
        return m->onCreate;
    }
    void close(intptr_t handle) override { m->closed.push_back(handle); }
};

const rt::Class& titledApplication() {
    static const rt::Class& c = []() -> const rt::Class& {
        rt::ClassBuilder b("TTITLEDAPP", nullptr, nullptr);
        b.addData("cTitle", "");
        return b.create();
    }();
    return c;
}

struct MutexTest : ::testing::Test {
    void SetUp() override {
        previous = setMutexPort(std::make_unique<FakePort>(&fake));
        rt::declarePublic("Application");
    }
    void TearDown() override {
        rt::publicVar("Application") = rt::Value();
        setMutexPort(std::move(previous));
    }
    // A mutex made as TMutex():Create(args) with handlers that record which event fired.
    rt::Value make(std::vector<rt::Value> args) {
        rt::Value m(TMutex::classRecord().instantiate());
        for (const char* event : {"OnCreate", "OnFail"}) {
            std::string name = event;
            rt::send(m, "_" + name, {rt::Value(rt::makeBlock([this, name](rt::Args) {
                         fired.push_back(name);
                         return rt::Value();
                     }))});
        }
        return rt::send(m, rt::Symbol::intern("Create"), rt::Args(args));
    }
    FakeMutexes fake;
    std::unique_ptr<MutexPort> previous;
    std::vector<std::string> fired;
};

TEST_F(MutexTest, ANewMutexIsCreatedAfterTheOpenFindsNone) {
    rt::Value m = make({"App", 500});
    EXPECT_EQ(fake.log, (std::vector<std::string>{"open App", "create App 500"}));
    EXPECT_FALSE(rt::send(m, "lExisting").asLogical());
    EXPECT_EQ(rt::send(m, "Handle").asInteger(), 100);
    EXPECT_EQ(fired, (std::vector<std::string>{"OnCreate"}));
}

TEST_F(MutexTest, AnExistingMutexSetsLExistingAndStillFiresOnCreate) {
    struct Case {
        const char* how;
        bool opened;
    };
    for (const Case& c : {Case{"opened", true}, Case{"found by the creation", false}}) {
        fake = FakeMutexes{};
        fired.clear();
        if (c.opened) fake.existing["App"] = 7;
        fake.onCreate = {8, true};  // two instances started together: neither could open it
        rt::Value m = make({"App"});
        EXPECT_TRUE(rt::send(m, "lExisting").asLogical()) << c.how;
        EXPECT_EQ(rt::send(m, "Handle").asInteger(), c.opened ? 7 : 8) << c.how;
        EXPECT_EQ(fired, (std::vector<std::string>{"OnCreate"})) << c.how;
    }
}

TEST_F(MutexTest, NoHandleFiresOnFail) {
    fake.onCreate = {0, false};
    rt::Value m = make({"App"});
    EXPECT_FALSE(rt::send(m, "lExisting").asLogical());
    EXPECT_EQ(fired, (std::vector<std::string>{"OnFail"}));
}

TEST_F(MutexTest, WithoutANameTheApplicationTitleOfTheMomentIsUsed) {
    rt::Value app(titledApplication().instantiate());
    rt::publicVar("Application") = app;
    rt::send(app, "_cTitle", {"Asistencias"});
    rt::Value m = make({});
    EXPECT_EQ(rt::send(m, "cName").asString(), "Asistencias");
    EXPECT_EQ(fake.log.front(), "open Asistencias");
}

TEST_F(MutexTest, TheHandleIsClosedOnceByDestroyOrWhenTheObjectEnds) {
    {
        rt::Value m = make({"A"});
        rt::send(m, "Destroy");
        rt::send(m, "Destroy");
        EXPECT_EQ(rt::send(m, "Handle").asInteger(), 0);
    }
    EXPECT_EQ(fake.closed, (std::vector<intptr_t>{100}));
    fake.onCreate = {101, false};
    { rt::Value m = make({"B"}); }  // never destroyed: the end of the object closes it
    EXPECT_EQ(fake.closed, (std::vector<intptr_t>{100, 101}));
    fake.onCreate = {102, false};
    rt::Value again = make({"C"});
    fake.onCreate = {103, false};
    rt::send(again, "Create", {"C"});  // a second Create does not leak the first handle
    EXPECT_EQ(fake.closed, (std::vector<intptr_t>{100, 101, 102}));
}

}  // namespace
}  // namespace vorpex
