// The progress bar and the framework-painted containers on real windows under Wine, over the control tests'
// minimal form: what the progress bar sends to its window (read back through a logging window procedure),
// its jump without animation on newer systems, and its notification.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "framework/controls/controls.h"
#include "framework/controls/progress_bar/progress_bar.h"
#include "framework/core/control/tests/control_fixture.h"
#include "framework/core/native/windows_version.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

// The progress-bar messages that reached a window, with their parameters, in order.
struct Sent {
    UINT message;
    WPARAM w;
    LPARAM l;
    bool operator==(const Sent&) const = default;
};
std::vector<Sent> sentLog;
WNDPROC previousProc = nullptr;

LRESULT CALLBACK loggingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m >= PBM_SETRANGE && m <= PBM_SETBARCOLOR) sentLog.push_back({m, w, l});
    return CallWindowProcA(previousProc, h, m, w, l);
}

void startLogging(HWND h) {
    sentLog.clear();
    previousProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(loggingProc)));
}

WindowsVersion version(uint32_t major) { return WindowsVersion{.major = major, .minor = 1, .platformId = 2}; }

class ContainerControls : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        registerStandardControls();
        form = Value(XTestForm::classRecord().instantiate());
        rt::send(form, "New");
        rt::send(form, "SetBounds", {0, 0, 400, 300});
        rt::send(form, "Create");
        previousVersion = setWindowsVersionSource({});
    }
    void TearDown() override {
        setWindowsVersionSource(previousVersion);
        ControlTest::TearDown();
    }
    Value bar(const std::function<void(const Value&)>& before = {}) {
        return makeControl(TProgressBar::classRecord(), form, 10, 10, 200, 20, before);
    }
    void pretend(uint32_t major) {
        setWindowsVersionSource([major] { return version(major); });
    }
    static LRESULT pos(const Value& c) { return SendMessageA(hwndOf(c), PBM_GETPOS, 0, 0); }
    WindowsVersionSource previousVersion;
};

TEST_F(ContainerControls, ProgressBarSendsWhatWasStoredBeforeItsWindow) {
    int changes = 0;
    Value b = bar([&](const Value& c) {
        rt::send(c, "_nMax", {50});
        rt::send(c, "_nMin", {5});
        rt::send(c, "_nValue", {20});
        rt::send(c, "_nStep", {7});
        rt::send(c, "_nOrientation", {5});
        rt::send(c, "_lSmooth", {true});
        rt::send(c, "_OnChange", {counter(changes)});
    });
    const LONG style = GetWindowLongA(hwndOf(b), GWL_STYLE);
    EXPECT_TRUE(style & PBS_VERTICAL);
    EXPECT_TRUE(style & PBS_SMOOTH);
    PBRANGE range{};
    SendMessageA(hwndOf(b), PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 5);
    EXPECT_EQ(range.iHigh, 50);
    EXPECT_EQ(pos(b), 20);
    EXPECT_EQ(changes, 1);  // Create's SetPos notifies
    const Value r = rt::send(b, "GetRange");
    EXPECT_EQ(r.asArray()->at1(1).asInteger(), 5);
    EXPECT_EQ(r.asArray()->at1(2).asInteger(), 50);
    // Stepping by the stored step.
    rt::send(b, "StepIt");
    EXPECT_EQ(pos(b), 27);
    EXPECT_EQ(rt::send(b, "nValue").asInteger(), 27);
}

TEST_F(ContainerControls, ProgressBarRangeBeforeWindowIsStoredOnly) {
    Value b(TProgressBar::classRecord().instantiate());
    rt::send(b, "New", {form});
    rt::send(b, "_nMax", {30});
    const Value r = rt::send(b, "GetRange");
    EXPECT_EQ(r.asArray()->at1(1).asInteger(), 0);
    EXPECT_EQ(r.asArray()->at1(2).asInteger(), 30);
    EXPECT_EQ(rt::send(b, "GetPos").asInteger(), 0);
    rt::send(b, "End");
}

TEST_F(ContainerControls, ProgressBarSetPosSequences) {
    struct Case {
        uint32_t major;
        int64_t position;
        std::vector<Sent> sent;
    };
    const Case cases[] = {
        {5, 40, {{PBM_SETPOS, 40, 0}}},
        {6, 40, {{PBM_SETPOS, 40, 0}, {PBM_SETPOS, 41, 0}, {PBM_SETPOS, 40, 0}}},
        // At the end the range is widened for a moment so that "one past" exists, then restored.
        {6, 100,
         {{PBM_SETPOS, 100, 0}, {PBM_SETRANGE32, 0, 101}, {PBM_SETPOS, 101, 0}, {PBM_SETRANGE32, 0, 100},
          {PBM_SETPOS, 100, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "version " << c.major << " position " << c.position);
        pretend(c.major);
        Value b = bar();
        startLogging(hwndOf(b));
        int changes = 0;
        rt::send(b, "_OnChange", {counter(changes)});
        EXPECT_EQ(rt::send(b, "SetPos", {c.position}).asInteger(), c.position);
        EXPECT_EQ(sentLog, c.sent);
        EXPECT_EQ(pos(b), c.position);
        PBRANGE range{};
        SendMessageA(hwndOf(b), PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
        EXPECT_EQ(range.iHigh, 100);
        EXPECT_EQ(changes, 1);
        rt::send(b, "SetPos", {Value(5), Value(false)});
        EXPECT_EQ(pos(b), 5);
        EXPECT_EQ(changes, 1);
    }
}

TEST_F(ContainerControls, ProgressBarStepItNotifiesOnlyOnNewerSystems) {
    for (uint32_t major : {5u, 6u}) {
        SCOPED_TRACE(major);
        pretend(major);
        Value b = bar();
        int changes = 0;
        rt::send(b, "_OnChange", {counter(changes)});
        rt::send(b, "StepIt");
        EXPECT_EQ(pos(b), 10);
        EXPECT_EQ(changes, major >= 6 ? 1 : 0);
    }
}

TEST_F(ContainerControls, ProgressBarKeepsAValueBeyondItsRange) {
    Value b = bar();
    rt::send(b, "_nValue", {150});
    EXPECT_EQ(rt::send(b, "nValue").asInteger(), 150);
    EXPECT_EQ(pos(b), 100);
    EXPECT_EQ(rt::send(b, "GetPos").asInteger(), 100);
    rt::send(b, "DeltaPos", {-30});
    EXPECT_EQ(pos(b), 70);
    rt::send(b, "SetBarColor", {RGB(255, 0, 0)});
    EXPECT_EQ(SendMessageA(hwndOf(b), PBM_SETBARCOLOR, 0, RGB(0, 255, 0)), static_cast<LRESULT>(RGB(255, 0, 0)));
}

}  // namespace
}  // namespace vorpex::testing
