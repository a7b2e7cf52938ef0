// The scroll bar on real windows under Wine: stored state pushed at creation, the user's scroll actions
// reported to its container (a panel, a group box, the form) and acted on by the bar with its events, and
// the scroll-information functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/controls.h"
#include "framework/controls/panel/containers.h"
#include "framework/controls/scroll_bar/scroll_bar.h"
#include "framework/core/control/tests/control_fixture.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

SCROLLINFO infoOf(HWND bar) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(bar, SB_CTL, &si);
    return si;
}

class ScrollBars : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        registerStandardControls();
        makeForm();
    }
    // A vertical bar 0..10 with a page of 3 (last position 8) inside `parent`.
    Value makeBar(const Value& parent) {
        return makeControl(XScrollBar::classRecord(), parent, 5, 5, 16, 100, [](const Value& b) {
            rt::send(b, "_nOrientation", {5});
            rt::send(b, "_nMax", {10});
            rt::send(b, "_nPage", {3});
            rt::send(b, "_nPos", {2});
        });
    }
    // What the bar's window does when the user acts on it: it tells its parent window.
    static void userScrolls(const Value& bar, int action) {
        HWND h = hwndOf(bar);
        SendMessageA(GetParent(h), WM_VSCROLL, static_cast<WPARAM>(action), reinterpret_cast<LPARAM>(h));
    }
    // Records OnChange's arguments and answers `answer`.
    Value changeRecorder(std::vector<std::pair<int64_t, int64_t>>& seen, Value answer = {}) {
        return Value(rt::makeBlock([&seen, answer](rt::Args a) {
            seen.emplace_back(rt::arg(a, 1).asInteger(), rt::arg(a, 2).asInteger());
            return answer;
        }));
    }
};

TEST_F(ScrollBars, StateStoredBeforeTheWindowIsPushedIntoIt) {
    Value bar = makeBar(form);
    HWND h = hwndOf(bar);
    EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & SBS_VERT);
    const SCROLLINFO si = infoOf(h);
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, 10);
    EXPECT_EQ(si.nPage, 3u);
    EXPECT_EQ(si.nPos, 2);
    Value horizontal = makeControl(XScrollBar::classRecord(), form, 5, 120, 100, 16);
    EXPECT_FALSE(GetWindowLongA(hwndOf(horizontal), GWL_STYLE) & SBS_VERT);

    // An assignment beyond the end stores where the window keeps it, and tells nobody.
    int changes = 0;
    rt::send(bar, "_OnChange", {counter(changes)});
    rt::send(bar, "_nPos", {50});
    EXPECT_EQ(rt::send(bar, "nPos").asInteger(), 8);
    EXPECT_EQ(infoOf(h).nPos, 8);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(rt::send(bar, "SetPos", {3, true}).asInteger(), 3);
    EXPECT_EQ(changes, 1) << "SetPos fires OnChange only when asked";
}

TEST_F(ScrollBars, UserActionsMoveABarInsideAnyContainer) {
    Value panel = makeControl(TPanel::classRecord(), form, 10, 10, 200, 150);
    Value group = makeControl(TGroupBox::classRecord(), form, 220, 10, 150, 150);
    for (const Value& parent : {panel, group, form}) {
        SCOPED_TRACE(rt::send(parent, "ClassName").asString());
        Value bar = makeBar(parent);
        std::vector<std::pair<int64_t, int64_t>> changes;
        rt::send(bar, "_OnChange", {changeRecorder(changes)});
        userScrolls(bar, SB_LINEDOWN);
        EXPECT_EQ(infoOf(hwndOf(bar)).nPos, 3);
        userScrolls(bar, SB_PAGEDOWN);
        EXPECT_EQ(infoOf(hwndOf(bar)).nPos, 6);
        userScrolls(bar, SB_PAGEDOWN);  // only two more positions are left
        EXPECT_EQ(rt::send(bar, "nPos").asInteger(), 8);
        userScrolls(bar, SB_LINEDOWN);
        EXPECT_EQ(infoOf(hwndOf(bar)).nPos, 8);
        const std::vector<std::pair<int64_t, int64_t>> expected{{3, 2}, {6, 3}, {8, 6}, {8, 8}};
        EXPECT_EQ(changes, expected) << "OnChange hears where the bar really goes";
    }
}

TEST_F(ScrollBars, EventsChangeTheStepOrTheTargetOrVetoTheMove) {
    Value bar = makeBar(form);
    int ups = 0;
    rt::send(bar, "_OnUp", {counter(ups, Value(2))});
    rt::send(bar, "_nPos", {6});
    userScrolls(bar, SB_LINEUP);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(infoOf(hwndOf(bar)).nPos, 4) << "the answer is the step";

    int tracks = 0;
    rt::send(bar, "_OnThumbTrack", {counter(tracks, Value(1))});
    userScrolls(bar, SB_THUMBTRACK);
    EXPECT_EQ(tracks, 1);
    EXPECT_EQ(infoOf(hwndOf(bar)).nPos, 1) << "the answer is the target";

    std::vector<std::pair<int64_t, int64_t>> changes;
    rt::send(bar, "_OnChange", {changeRecorder(changes, Value(false))});
    userScrolls(bar, SB_PAGEDOWN);
    EXPECT_EQ(infoOf(hwndOf(bar)).nPos, 1) << "a false OnChange keeps the thumb";
    EXPECT_EQ(rt::send(bar, "nPos").asInteger(), 1);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], (std::pair<int64_t, int64_t>{4, 1}));

    // End of scroll and the jumps to an end are not the bar's to act on.
    rt::send(bar, "_OnChange", {Value()});
    for (int action : {SB_ENDSCROLL, SB_TOP, SB_BOTTOM}) userScrolls(bar, action);
    EXPECT_EQ(infoOf(hwndOf(bar)).nPos, 1);
}

TEST_F(ScrollBars, ScrollInformationFunctions) {
    Value bar = makeBar(form);
    const Value h(static_cast<long long>(reinterpret_cast<intptr_t>(hwndOf(bar))));
    auto call = [](const char* name, std::vector<Value> args) { return (*rt::findFunction(name))(args); };
    EXPECT_EQ(call("SETSCROLLINFO", {h, 2, Value(), Value(), Value(), 5}).asInteger(), 5);
    const Value all = call("GETSCROLLINFO", {h, 2});
    ASSERT_TRUE(all.asArray());
    std::vector<int64_t> parts;
    for (const Value& v : all.asArray()->items) parts.push_back(v.asInteger());
    EXPECT_EQ(parts, (std::vector<int64_t>{0, 10, 3, 5, 5})) << "only the position changed";
    EXPECT_EQ(call("SETSCROLLRANGE", {h, 2, 0, 4}).asInteger(), 2) << "the range pulls the position in";
    EXPECT_EQ(call("GETSCROLLPAGE", {h, 2}).asInteger(), 3);
    EXPECT_EQ(call("SETSCROLLPAGE", {h, 2, 1}).asInteger(), 2);
    EXPECT_EQ(call("SETSCROLLPOS", {h, 2, 4}).asInteger(), 4);
    EXPECT_EQ(call("GETSCROLLPOS", {h, 2}).asInteger(), 4);
    rt::send(bar, "UpdateInfo");
    EXPECT_EQ(rt::send(bar, "nMax").asInteger(), 4);
    EXPECT_EQ(rt::send(bar, "nPage").asInteger(), 1);
    EXPECT_EQ(rt::send(bar, "nPos").asInteger(), 4);
    // Wrong arguments give the neutral answers.
    EXPECT_EQ(call("GETSCROLLPOS", {Value("x"), 2}).asInteger(), 0);
    EXPECT_EQ(call("SETSCROLLPOS", {h, 9, 1}).asInteger(), 0);
    EXPECT_TRUE(call("GETSCROLLRANGE", {Value(), 2}).asArray()->items.empty());
    EXPECT_FALSE(call("SHOWSCROLLBAR", {Value(), 2, true}).asLogical());
}

}  // namespace
}  // namespace vorpex::testing
