// The up-down control on real windows under Wine: its buddy edit, its steps offered to OnChange, its range,
// accelerations and styles.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "framework/controls/controls.h"
#include "framework/controls/edit/edit.h"
#include "framework/controls/updown/updown.h"
#include "framework/core/control/tests/control_fixture.h"
#include "runtime/core/block.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

class UpDownTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        registerStandardControls();
        makeForm();
    }
    Value edit(const char* text, int left = 20, int width = 80) {
        return makeControl(TEdit::classRecord(), form, left, 20, width, 22,
                           [&](const Value& e) { rt::send(e, "_cText", {Value(text)}); });
    }
    Value upDown(const Value& buddy, const std::function<void(const Value&)>& before = {}) {
        return makeControl(TUpDown::classRecord(), form, 120, 20, 16, 22, [&](const Value& u) {
            rt::send(u, "_nMax", {Value(100)});
            if (!buddy.isNil()) rt::send(u, "_oBuddy", {buddy});
            if (before) before(u);
        });
    }
    static LONG style(const Value& control) { return GetWindowLongA(hwndOf(control), GWL_STYLE); }
    // One step up, as the arrow keys give it.
    static void stepUp(const Value& control) {
        SendMessageA(hwndOf(control), WM_KEYDOWN, VK_UP, 0);
        SendMessageA(hwndOf(control), WM_KEYUP, VK_UP, 0);
        pump();
    }
};

TEST_F(UpDownTest, StartsAtTheBuddysNumberAndKeepsItsWidth) {
    Value text = edit("7");
    Value spin = upDown(text);
    EXPECT_EQ(rt::send(spin, "nValue").asInteger(), 7);
    EXPECT_TRUE(rt::send(spin, "GetBuddy").sameAs(text));
    RECT r{};
    GetWindowRect(hwndOf(text), &r);
    EXPECT_NEAR(r.right - r.left, 80, 2) << "attaching takes back the room it was given";
    for (int again = 0; again < 2; ++again) rt::send(spin, "_oBuddy", {text});
    GetWindowRect(hwndOf(text), &r);
    EXPECT_NEAR(r.right - r.left, 80, 2) << "attaching the same buddy again does not widen it again";
    EXPECT_TRUE(style(spin) & UDS_ALIGNRIGHT);
    // The range reaches the window and the getters read it back.
    rt::send(spin, "_nMin", {Value(-5)});
    EXPECT_EQ(rt::send(spin, "nMin").asInteger(), -5);
    EXPECT_EQ(rt::send(spin, "nMax").asInteger(), 100);
}

TEST_F(UpDownTest, OnChangeMayRefuseAStep) {
    // With a buddy: the control reads its position back from the buddy's text (Wine answers an error for the
    // position of a control without one, and the stored value stands then).
    Value text = edit("10");
    Value spin = upDown(text);
    int steps = 0;
    Value refuse(true);
    rt::send(spin, "_OnChange", {Value(rt::makeBlock([&](rt::Args a) {
                 ++steps;
                 EXPECT_EQ(rt::arg(a, 1).asInteger(), rt::send(spin, "GetPos").asInteger()) << "the position before the step";
                 EXPECT_EQ(rt::arg(a, 2).asInteger(), 1);
                 return refuse;
             }))});
    stepUp(spin);
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(rt::send(spin, "GetPos").asInteger(), 10) << "refused";
    refuse = Value();
    stepUp(spin);
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(rt::send(spin, "GetPos").asInteger(), 11) << "allowed";
    EXPECT_EQ(rt::send(text, "GetText").asString(), "11");
}

TEST_F(UpDownTest, SetPosRefusedByADisabledOrReadOnlyBuddy) {
    Value text = edit("3");
    Value spin = upDown(text);
    rt::send(text, "_lReadOnly", {Value(true)});
    EXPECT_TRUE(rt::send(spin, "SetPos", {Value(9)}).isNil());
    EXPECT_EQ(rt::send(spin, "GetPos").asInteger(), 3);
    rt::send(text, "_lReadOnly", {Value(false)});
    rt::send(text, "Disable");
    EXPECT_TRUE(rt::send(spin, "SetPos", {Value(9)}).isNil());
    rt::send(text, "Enable");
    EXPECT_EQ(rt::send(spin, "SetPos", {Value(9)}).asInteger(), 9);
    EXPECT_EQ(rt::send(spin, "GetPos").asInteger(), 9);
}

TEST_F(UpDownTest, Accelerations) {
    Value spin = upDown(Value(), [](const Value& u) {
        rt::send(u, "_nAccelTime", {Value(2)});
        rt::send(u, "_nIncrement", {Value(5)});
    });
    EXPECT_EQ(rt::send(spin, "nAccelTime").asInteger(), 2);
    EXPECT_EQ(rt::send(spin, "nIncrement").asInteger(), 5);
    const Value pairs = Value::array({Value::array({Value(0), Value(1)}), Value("not a pair"),
                                      Value::array({Value(2), Value(10)})});
    rt::send(spin, "_aAccels", {pairs});
    EXPECT_EQ(rt::send(spin, "nAccelCount").asInteger(), 3);
    const Value got = rt::send(spin, "GetAccels");
    ASSERT_TRUE(got.isArray());
    ASSERT_EQ(got.asArray()->size(), 2u);
    EXPECT_EQ(got.asArray()->at1(2).asArray()->at1(2).asInteger(), 10);
    rt::send(spin, "_aAccels", {Value::array({Value("none")})});
    EXPECT_TRUE(rt::send(spin, "SetAccels").isNil()) << "no element was a pair";
    rt::send(spin, "_aAccels", {Value::array()});
    EXPECT_FALSE(rt::send(spin, "SetAccels").asLogical());
}

TEST_F(UpDownTest, StylesAndOrientation) {
    Value spin = upDown(Value());
    struct Case {
        const char* setter;
        LONG bit;
    } cases[] = {{"SetWrap", UDS_WRAP}, {"SetAutoBuddy", UDS_AUTOBUDDY}, {"SetNoThousands", UDS_NOTHOUSANDS},
                 {"SetSyncBuddy", UDS_SETBUDDYINT}, {"SetArrowKeys", UDS_ARROWKEYS}, {"SetHotTrack", UDS_HOTTRACK}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setter);
        EXPECT_TRUE(rt::send(spin, c.setter, {Value(true)}).asLogical());
        EXPECT_TRUE(style(spin) & c.bit);
        EXPECT_FALSE(rt::send(spin, c.setter, {Value(false)}).asLogical());
        EXPECT_FALSE(style(spin) & c.bit);
        EXPECT_FALSE(rt::send(spin, c.setter).asLogical()) << "without a value: the stored one";
    }
    rt::send(spin, "SetBuddyAlign", {Value(1)});
    EXPECT_TRUE(style(spin) & UDS_ALIGNLEFT);
    EXPECT_FALSE(style(spin) & UDS_ALIGNRIGHT);
    rt::send(spin, "SetBuddyAlign", {Value(0)});
    EXPECT_FALSE(style(spin) & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT));

    // Turning either way swaps width and height where the control stands.
    rt::send(spin, "SetBounds", {Value(120), Value(20), Value(16), Value(30)});
    const struct {
        int orientation;
        bool horizontal;
        int width, height;
    } turns[] = {{4, true, 30, 16}, {5, false, 16, 30}};
    for (const auto& turn : turns) {
        EXPECT_EQ(rt::send(spin, "SetOrientation", {Value(turn.orientation)}).asInteger(), turn.orientation);
        EXPECT_EQ((style(spin) & UDS_HORZ) != 0, turn.horizontal);
        const RECT place = placeOf(spin);
        EXPECT_EQ(place.left, 120);
        EXPECT_EQ(place.top, 20);
        EXPECT_EQ(place.right - place.left, turn.width);
        EXPECT_EQ(place.bottom - place.top, turn.height);
    }
    EXPECT_EQ(rt::send(spin, "SetOrientation").asInteger(), 5) << "without a value nothing changes";
}

}  // namespace
}  // namespace vorpex::testing
