// TTimer with real message-only windows under Wine: firing, the handler rule for starting, WMTimer only while
// enabled and never re-entered, a method name bound to the object that created the timer, membership in the
// owner's components, and the objects released once the timer ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/timer/services.h"
#include "framework/core/timer/timer.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/block.h"
#include "runtime/core/frame.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {
namespace {

// Serves messages until `done` holds; a generous bound only keeps a broken timer from hanging the run.
bool pumpUntil(const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 20000) return false;
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return true;
}

// An owner that records what its timers tell it and answers the method a timer is bound to by name.
struct OwnerLog {
    std::vector<std::string> calls;
};
OwnerLog g_owner;

class XOwner : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            VPClass b("XTimerOwner", &TComponent::classRecord(), rt::factoryOf<XOwner>());
            auto record = [](const char* what) {
                return [what](rt::Object&, const rt::Method&, rt::Args) -> rt::Value {
                    g_owner.calls.push_back(what);
                    return {};
                };
            };
            b.addMethod("InsertComponent", record("insert"));
            b.addMethod("RemoveComponent", record("remove"));
            b.addMethod("Tick", record("tick"));
            return b.create();
        }();
        return c;
    }
};

rt::Value newTimer() { return rt::Value(TTimer::classRecord().instantiate()); }
XTimer& timerOf(const rt::Value& t) { return *rt::objectAs<XTimer>(t); }
HWND windowOf(const rt::Value& t) { return reinterpret_cast<HWND>(timerOf(t).Handle()); }

rt::Value counter(int& count) {
    return rt::Value(rt::makeBlock([&count](rt::Args) {
        ++count;
        return rt::Value();
    }));
}

struct TimerTest : ::testing::Test {
    void SetUp() override {
        registerServiceClasses();
        g_owner = OwnerLog{};
        baseline = rt::Object::liveCount();
    }
    void TearDown() override { windowLinks().freeReleased(); }
    int64_t baseline = 0;
};

TEST_F(TimerTest, AnEnabledTimerWithAHandlerFiresAndEndsCleanly) {
    int count = 0;
    {
        rt::Value t = rt::send(newTimer(), "Create", {rt::Value(), 20, counter(count)});
        HWND h = windowOf(t);
        ASSERT_TRUE(IsWindow(h));
        EXPECT_EQ(GetParent(h), nullptr);
        char cls[32] = {};
        GetClassNameA(h, cls, sizeof cls);
        EXPECT_STREQ(cls, "TTimer");
        EXPECT_FALSE(timerOf(t).running());  // lEnabled is false until set
        rt::send(t, "_lEnabled", {true});
        EXPECT_TRUE(pumpUntil([&] { return count >= 3; }));
        rt::send(t, "Disable");
        const int seen = count;
        EXPECT_FALSE(timerOf(t).running());
        SendMessageA(h, WM_TIMER, 1, 0);  // a late tick of a disabled timer fires nothing
        EXPECT_EQ(count, seen);
        rt::send(t, "End");
        EXPECT_FALSE(IsWindow(h));
    }
    windowLinks().freeReleased();
    EXPECT_EQ(rt::Object::liveCount(), baseline);
}

TEST_F(TimerTest, WithoutAHandlerItNeverStartsAndAHandlerTakesEffectAtTheNextChange) {
    rt::Value t = rt::send(newTimer(), "Create");
    rt::send(t, "_lEnabled", {true});
    EXPECT_FALSE(timerOf(t).running());
    int count = 0;
    rt::send(t, "_OnTimer", {counter(count)});
    EXPECT_FALSE(timerOf(t).running());
    rt::send(t, "SetInterval", {30});
    EXPECT_TRUE(timerOf(t).running());
    rt::send(t, "_nInterval", {0});  // no interval, no timer
    EXPECT_FALSE(timerOf(t).running());
    rt::send(t, "End");
}

TEST_F(TimerTest, AHandlerThatServesMessagesIsNotEnteredAgain) {
    rt::Value t = rt::send(newTimer(), "Create");
    int depth = 0, maxDepth = 0, calls = 0;
    HWND h = windowOf(t);
    rt::send(t, "_OnTimer", {rt::Value(rt::makeBlock([&](rt::Args) {
                 ++calls;
                 maxDepth = std::max(maxDepth, ++depth);
                 SendMessageA(h, WM_TIMER, 1, 0);  // as a handler calling ProcessMessages would meet it
                 --depth;
                 return rt::Value();
             }))});
    rt::send(t, "Enable");
    SendMessageA(h, WM_TIMER, 1, 0);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(maxDepth, 1);
    rt::send(t, "End");
}

TEST_F(TimerTest, TheOwnerListsItAndAMethodNameBindsToTheCreator) {
    {
        rt::Value owner(XOwner::classRecord().instantiate());
        rt::Value t;
        {
            // Create sent by the owner's code, as a form's set-up does.
            rt::FrameGuard setup(owner.asObject().get(), &owner.asObject()->objectClass(),
                                 rt::Symbol::intern("CreateForm"));
            t = rt::send(newTimer(), "Create", {owner, 10, "Tick"});
        }
        EXPECT_EQ(g_owner.calls, (std::vector<std::string>{"insert"}));
        EXPECT_TRUE(timerOf(t).oParent() == owner.asObject());
        rt::send(t, "Enable");
        EXPECT_TRUE(pumpUntil([] { return g_owner.calls.size() >= 2; }));
        EXPECT_EQ(g_owner.calls.back(), "tick");
        rt::send(t, "End");
        EXPECT_EQ(g_owner.calls.back(), "remove");
    }
    windowLinks().freeReleased();
    EXPECT_EQ(rt::Object::liveCount(), baseline);
}

TEST_F(TimerTest, ClockFunctionsByName) {
    auto call = [](const char* name, std::initializer_list<rt::Value> args = {}) {
        return (*rt::findFunction(name))(rt::Args(args.begin(), args.size()));
    };
    EXPECT_GT(call("QUERYPERFORMANCEFREQUENCY").asInteger(), 0);
    const int64_t a = call("QUERYPERFORMANCECOUNTER").asInteger();
    call("SLEEP", {1});
    EXPECT_GE(call("QUERYPERFORMANCECOUNTER").asInteger(), a);
    EXPECT_GT(call("GETTICKCOUNT").asInteger(), 0);
    rt::Value t = rt::send(newTimer(), "Create");
    const rt::Value h = rt::send(t, "Handle");
    EXPECT_EQ(call("SETTIMER", {h, 5, 1000}).asInteger(), 5);
    EXPECT_TRUE(call("KILLTIMER", {h, 5}).asLogical());
    EXPECT_FALSE(call("KILLTIMER", {h, 5}).asLogical());
    rt::send(t, "End");
}

}  // namespace
}  // namespace vorpex
