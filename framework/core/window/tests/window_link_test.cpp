#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "framework/core/window/object_link.h"
#include "framework/core/window/window_link.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/object.h"
#include "runtime/core/send.h"

namespace vorpex {
namespace {

constexpr intptr_t kFramework = 0x1000, kPlain = 0x2000, kButtonProc = 0x3000, kOwnProc = 0x4000;

// Windows as plain records. A "foreign" window refuses user data, as a window of another process does.
class FakePort final : public WindowPort {
public:
    struct Window {
        intptr_t userData = 0;
        intptr_t procedure = kOwnProc;
        bool child = false;
        bool foreign = false;
    };
    std::map<intptr_t, Window> windows;
    std::map<std::string, intptr_t> classes{{"BUTTON", kButtonProc}, {"TMYFORM", kFramework}};

    intptr_t userData(intptr_t h) override { return windows[h].userData; }
    void setUserData(intptr_t h, intptr_t v) override {
        if (!windows[h].foreign) windows[h].userData = v;
    }
    intptr_t procedure(intptr_t h) override { return windows[h].procedure; }
    void setProcedure(intptr_t h, intptr_t p) override { windows[h].procedure = p; }
    bool isChild(intptr_t h) override { return windows[h].child; }
    intptr_t classProcedure(std::string_view name) override {
        auto it = classes.find(std::string(name));
        return it == classes.end() ? 0 : it->second;
    }
    intptr_t frameworkProcedure() override { return kFramework; }
    intptr_t plainProcedure() override { return kPlain; }
};

// A window-owning object as the framework's classes present it: Handle, cWinClassName, aControls.
const rt::Class& ownerClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        rt::ClassBuilder b("TLINKPROBE", nullptr, nullptr);
        b.addData("Handle", 0);
        b.addData("cWinClassName", "");
        b.addData("aControls", rt::Value::array());
        return b.create();
    }();
    return c;
}

rt::ObjectPtr makeOwner(intptr_t handle, const char* base = "") {
    rt::ObjectPtr o = ownerClass().instantiate();
    rt::send(rt::Value(o), "_Handle", {rt::Value(static_cast<long long>(handle))});
    rt::send(rt::Value(o), "_cWinClassName", {rt::Value(base)});
    return o;
}

struct LinkFixture : ::testing::Test {
    FakePort port;
    LinkRegistry links{port};
    int64_t baseline = rt::Object::liveCount();
};

TEST_F(LinkFixture, PendingRecordIsAdoptedByTheNextWindowCreated) {
    port.windows[10].child = true;
    WindowLink* r = links.link(makeOwner(0), 0, false, "BUTTON");
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(links.hasPending());
    EXPECT_EQ(links.adopt(10), r);  // WM_NCCREATE
    links.clearPending();           // creation returned
    EXPECT_EQ(links.find(10), r);
    EXPECT_EQ(r->previousProcedure, kButtonProc);  // unhandled messages go to the wrapped class
    EXPECT_TRUE(r->child);
    EXPECT_EQ(links.liveCount(), 1u);
    EXPECT_EQ(links.releasedCount(), 0u);
}

TEST_F(LinkFixture, RecordOfAFailedCreationIsNeverAdoptedLater) {
    links.link(makeOwner(0), 0, false, "");
    links.clearPending();  // CreateWindow failed: no WM_NCCREATE took the record
    EXPECT_EQ(links.adopt(20), nullptr);
    EXPECT_EQ(links.find(20), nullptr);
    EXPECT_EQ(links.freeReleased(), 1u);
    EXPECT_EQ(rt::Object::liveCount(), baseline);

    // Two links without a creation between them: the first record is dropped, the second one waits.
    links.link(makeOwner(0), 0, false, "");
    WindowLink* second = links.link(makeOwner(0), 0, false, "");
    EXPECT_EQ(links.adopt(21), second);
    EXPECT_EQ(links.freeReleased(), 1u);
}

TEST_F(LinkFixture, ExistingWindowIsAttachedThenSubclassedAndUnlinkRestoresIt) {
    port.windows[30] = {};
    auto owner = makeOwner(30);
    WindowLink* r = links.link(owner, 30, false, "");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(port.windows[30].procedure, kFramework);
    EXPECT_EQ(r->previousProcedure, kOwnProc);
    EXPECT_EQ(links.link(owner, 30, false, ""), r);  // linked twice: one record, one subclassing
    EXPECT_EQ(r->previousProcedure, kOwnProc);

    EXPECT_TRUE(links.unlink(30));
    EXPECT_EQ(port.windows[30].procedure, kOwnProc);
    EXPECT_EQ(port.windows[30].userData, 0);
    EXPECT_EQ(links.find(30), nullptr);
    EXPECT_FALSE(links.unlink(30));
}

TEST_F(LinkFixture, WindowThatRefusesTheRecordIsNotSubclassed) {
    port.windows[40].foreign = true;
    EXPECT_EQ(links.link(makeOwner(40), 40, false, ""), nullptr);
    EXPECT_EQ(port.windows[40].procedure, kOwnProc);  // the control keeps its own procedure
    EXPECT_EQ(links.liveCount(), 0u);
    links.freeReleased();
    EXPECT_EQ(rt::Object::liveCount(), baseline);
}

TEST_F(LinkFixture, ForeignOrStaleUserDataIsNeverTrusted) {
    port.windows[50].userData = 0x1234;  // some other program's data
    EXPECT_EQ(links.find(50), nullptr);
    EXPECT_EQ(links.adopt(50), nullptr);  // no pending record either

    WindowLink* r = links.link(makeOwner(51), 51, false, "");
    port.windows[52].userData = reinterpret_cast<intptr_t>(r);  // our record, but copied to another window
    EXPECT_EQ(links.find(52), nullptr);
    links.unlink(51);
    port.windows[51].userData = reinterpret_cast<intptr_t>(r);  // a detached record left behind
    EXPECT_EQ(links.find(51), nullptr);
}

TEST_F(LinkFixture, ObjectUnlinkedInItsOwnHandlerLivesUntilTheIdlePassAfterTheCall) {
    port.windows[60] = {};
    {
        WindowLink* r = links.link(makeOwner(60), 60, false, "");
        LinkRegistry::CallScope call(*r);  // a window procedure frame is running on the record
        links.unlink(60);
        EXPECT_EQ(links.freeReleased(), 0u);  // a nested loop's idle pass must not free it
        EXPECT_EQ(rt::Object::liveCount(), baseline + 1);
        EXPECT_EQ(r->previousProcedure, kOwnProc);  // still readable for default processing
    }
    EXPECT_EQ(links.freeReleased(), 1u);
    EXPECT_EQ(links.freeReleased(), 0u);  // freeing twice frees nothing twice
    EXPECT_EQ(rt::Object::liveCount(), baseline);
}

TEST_F(LinkFixture, AdoptedWindowFallsBackToThePlainProcedureWhenUnlinked) {
    links.link(makeOwner(0), 0, false, "TMYFORM");  // the class's own procedure is the framework's
    WindowLink* r = links.adopt(70);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->previousProcedure, 0);
    port.windows[70].procedure = kFramework;
    links.unlink(70);
    EXPECT_EQ(port.windows[70].procedure, kPlain);
}

TEST_F(LinkFixture, ObjectLevelLinkReadsPropertiesAndUnlinksChildrenThroughAControls) {
    port.windows[81].child = port.windows[82].child = port.windows[83].child = true;
    auto form = makeOwner(80);
    auto panel = makeOwner(81);
    auto button = makeOwner(82, "BUTTON");
    auto unlinked = makeOwner(83);
    rt::send(rt::Value(form), "aControls").asArray()->items = {rt::Value(panel), rt::Value("not an object")};
    rt::send(rt::Value(panel), "aControls").asArray()->items = {rt::Value(button), rt::Value(unlinked)};
    for (auto& o : {form, panel, button}) ASSERT_NE(linkObject(links, *o, false), nullptr);
    EXPECT_EQ(links.find(82)->previousProcedure, kOwnProc);  // an existing window: its actual procedure

    EXPECT_TRUE(controlFromHandle(links, 82).asObject() == button);
    EXPECT_TRUE(controlFromHandle(links, 0).isNil());
    EXPECT_TRUE(controlFromHandle(links, 999).isNil());
    EXPECT_EQ(handleOf(rt::Value()), 0);
    EXPECT_EQ(handleOf(rt::Value(form)), 80);

    unlinkObject(links, *form, true);
    EXPECT_EQ(links.liveCount(), 0u);
    EXPECT_EQ(links.releasedCount(), 3u);
}

TEST_F(LinkFixture, TerminateReleasesEveryRecord) {
    port.windows[90] = {};
    links.link(makeOwner(90), 90, false, "");
    links.link(makeOwner(0), 0, false, "");  // pending, never adopted
    links.terminate();
    EXPECT_EQ(links.liveCount(), 0u);
    EXPECT_FALSE(links.hasPending());
    EXPECT_EQ(rt::Object::liveCount(), baseline);
    EXPECT_EQ(links.find(90), nullptr);
}

}  // namespace
}  // namespace vorpex
