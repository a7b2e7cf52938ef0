// The tool tip and the balloon over real comctl32 tip windows under Wine: registration of whole controls and
// zones with the texts asked for when shown, the tracking tip of Show, titles and styles.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "framework/controls/controls.h"
#include "framework/controls/edit/edit.h"
#include "framework/controls/tooltip/tooltip.h"
#include "framework/core/control/tests/control_fixture.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

class ToolTips : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        registerStandardControls();
        makeForm();
        edit = makeControl(TEdit::classRecord(), form, 10, 10, 120, 22);
    }
    void TearDown() override {
        for (Value* t : {&tip, &balloon})
            if (t->isObject()) rt::send(*t, "End");
        ControlTest::TearDown();
    }
    Value makeTip(const rt::Class& cls) {
        Value t(cls.instantiate());
        rt::send(t, "New");
        rt::send(t, "Create", {form});
        return t;
    }
    // The text the tip window shows for a tool (asked of its owner when the text comes by callback).
    static std::string textOf(const Value& tipObject, HWND owner, UINT_PTR id) {
        char buffer[256] = "";
        TTTOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.hwnd = owner;
        info.uId = id;
        info.lpszText = buffer;
        SendMessageA(hwndOf(tipObject), TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&info));
        return buffer;
    }
    static bool hasTool(const Value& tipObject, HWND owner, UINT_PTR id) {
        TTTOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.hwnd = owner;
        info.uId = id;
        return SendMessageA(hwndOf(tipObject), TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
    }
    static UINT_PTR idOf(const Value& control) { return reinterpret_cast<UINT_PTR>(hwndOf(control)); }

    Value edit, tip, balloon;
};

TEST_F(ToolTips, WindowMadeTopmostWithItsStyles) {
    tip = makeTip(TToolTip::classRecord());
    balloon = makeTip(TBalloon::classRecord());
    HWND t = hwndOf(tip), b = hwndOf(balloon);
    ASSERT_TRUE(IsWindow(t));
    char cls[64] = "";
    GetClassNameA(t, cls, sizeof cls);
    EXPECT_STREQ(cls, TOOLTIPS_CLASSA);
    EXPECT_TRUE(GetWindowLongA(t, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongA(t, GWL_STYLE) & TTS_BALLOON);
    EXPECT_TRUE(GetWindowLongA(b, GWL_STYLE) & TTS_BALLOON);
    EXPECT_TRUE(GetWindowLongA(b, GWL_STYLE) & TTS_NOPREFIX);
    EXPECT_EQ(SendMessageA(t, TTM_GETMAXTIPWIDTH, 0, 0), 32768);

    rt::send(tip, "_lAlwaysTip", {true});
    EXPECT_TRUE(GetWindowLongA(t, GWL_STYLE) & TTS_ALWAYSTIP);
    rt::send(tip, "_lAlwaysTip", {false});
    EXPECT_FALSE(GetWindowLongA(t, GWL_STYLE) & TTS_ALWAYSTIP);
    // The close button belongs to windows made afterwards.
    rt::send(tip, "_lCloseButton", {true});
    EXPECT_FALSE(GetWindowLongA(t, GWL_STYLE) & TTS_CLOSE);
    EXPECT_EQ(rt::send(tip, "nCtlStyle").asInteger(), TTS_NOPREFIX | TTS_CLOSE);
}

TEST_F(ToolTips, WholeControlShowsItsCurrentText) {
    tip = makeTip(TToolTip::classRecord());
    balloon = makeTip(TBalloon::classRecord());
    app.setTooltip(tip);
    rt::send(app.object, "_oBalloon", {balloon});
    rt::send(edit, "_cTooltip", {Value("N\xFAmero de empleado")});
    rt::send(edit, "_cBalloon", {Value("Escriba el n\xFAmero")});
    // Setting the texts registered the edit with the application's tip and balloon.
    HWND owner = hwndOf(form);
    EXPECT_EQ(toolCount(tip), 1);
    EXPECT_EQ(toolCount(balloon), 1);
    EXPECT_EQ(textOf(tip, owner, idOf(edit)), "N\xFAmero de empleado");
    EXPECT_EQ(textOf(balloon, owner, idOf(edit)), "Escriba el n\xFAmero") << "a balloon reads cBalloon";
    rt::send(edit, "_cTooltip", {Value("Otro texto")});
    EXPECT_EQ(textOf(tip, owner, idOf(edit)), "Otro texto") << "no new registration needed";
    rt::send(tip, "DelTool", {edit});
    EXPECT_EQ(toolCount(tip), 0);
}

TEST_F(ToolTips, ZonesBelongToTheControlAndGoByTheirId) {
    tip = makeTip(TToolTip::classRecord());
    rt::send(tip, "AddTool", {edit, Value::array({0, 0, 10, 10}), Value(4)});
    rt::send(tip, "AddTool", {edit, Value::array({10, 0, 20, 10}), Value(7)});
    EXPECT_EQ(toolCount(tip), 2);
    EXPECT_TRUE(hasTool(tip, hwndOf(edit), 4));
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = hwndOf(edit);
    info.uId = 7;
    ASSERT_TRUE(SendMessageA(hwndOf(tip), TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(info.rect.left, 10);
    EXPECT_EQ(info.rect.right, 20);
    rt::send(tip, "DelTool", {edit, Value(4)});
    EXPECT_EQ(toolCount(tip), 1);
    EXPECT_TRUE(hasTool(tip, hwndOf(edit), 7)) << "only the zone with that id goes";
    rt::send(tip, "AddTool", {Value("not a control")});
    EXPECT_EQ(toolCount(tip), 1);
}

TEST_F(ToolTips, ShowTracksOneToolPerControl) {
    tip = makeTip(TToolTip::classRecord());
    rt::send(tip, "_cText", {Value("Guardado")});
    rt::send(tip, "_cTitle", {Value("Aviso")});
    rt::send(tip, "Show", {Value(5), Value(6), edit});
    rt::send(tip, "Show", {Value(), Value(), edit});
    EXPECT_EQ(toolCount(tip), 1) << "showing again does not pile up tools";
    EXPECT_EQ(textOf(tip, hwndOf(form), idOf(edit)), "Guardado");
    // Without a text of its own the tip shows the control's, for the tip's parent by default.
    rt::send(tip, "_cText", {Value()});
    rt::send(edit, "_cTooltip", {Value("Del control")});
    rt::send(tip, "_oParent", {edit});
    rt::send(tip, "Show");
    EXPECT_EQ(toolCount(tip), 1);
    EXPECT_EQ(textOf(tip, hwndOf(form), idOf(edit)), "Del control");
}

TEST_F(ToolTips, NotificationsFireTheEvents) {
    tip = makeTip(TToolTip::classRecord());
    int shown = 0, hidden = 0;
    rt::send(tip, "_OnShow", {counter(shown)});
    rt::send(tip, "_OnHide", {counter(hidden)});
    for (int code : {int(TTN_SHOW), int(TTN_POP), int(TTN_POP), -1}) {
        NMHDR header{hwndOf(tip), 0, static_cast<UINT>(code)};
        rt::send(tip, "Notify", {Value(0), handleValue(&header)});
    }
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(hidden, 2);
}

}  // namespace
}  // namespace vorpex::testing
