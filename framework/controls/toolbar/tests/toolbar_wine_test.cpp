// The tool bar on a real form under Wine: native buttons read back with TB_GETBUTTON and TB_GETBUTTONINFO,
// clicks arriving as WM_COMMAND, states, deletion, tips asked for by the bar (also for a button already gone),
// access keys through the form, and the size the bar takes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/controls.h"
#include "framework/controls/toolbar/toolbar.h"
#include "framework/core/form/tests/form_fixture.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/block.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

class ToolbarWineTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        registerStandardControls();
        form = plainForm();
    }
    Value newBar(std::vector<Value> buttons, int64_t align = 2) {
        Value bar = rt::send(classCall(TToolBar::classRecord()), "New", {form});
        rt::send(bar, "_nAlign", {Value(align)});
        for (const Value& text : buttons) {
            Value button = text.isNil() ? rt::send(bar, "AddSeparator", {Value(8)}) : rt::send(bar, "AddItem", {text});
            if (!text.isNil())
                rt::send(button, "_OnClick", {Value(rt::makeBlock([this, text](rt::Args) {
                             clicks.push_back(text.asString());
                             return Value();
                         }))});
        }
        return rt::send(bar, "Create", {form});
    }
    static TBBUTTON button(HWND bar, int index) {
        TBBUTTON b{};
        SendMessageA(bar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&b));
        return b;
    }
    static std::string tipFor(HWND form, HWND bar, int id, int room) {
        char text[80] = "unchanged";
        NMTBGETINFOTIPA tip{};
        tip.hdr = {bar, static_cast<UINT_PTR>(GetDlgCtrlID(bar)), static_cast<UINT>(TBN_GETINFOTIPA)};
        tip.pszText = text;
        tip.cchTextMax = room;
        tip.iItem = id;
        SendMessageA(form, WM_NOTIFY, tip.hdr.idFrom, reinterpret_cast<LPARAM>(&tip));
        return text;
    }
    Value form;
    std::vector<std::string> clicks;
};

TEST_F(ToolbarWineTest, NativeButtonsAreBuiltFromTheItemsAndClicksArriveAsCommands) {
    Value bar = newBar({Value("&Abrir"), Value(), Value("Guardar")});
    HWND h = hwndOf(bar);
    ASSERT_TRUE(IsWindow(h));
    ASSERT_EQ(SendMessageA(h, TB_BUTTONCOUNT, 0, 0), 3);
    struct Expected {
        int command, bitmap;
        BYTE style;
    };
    const Expected expected[] = {{30001, -2, BTNS_AUTOSIZE}, {30002, 8, BTNS_SEP}, {30003, -2, BTNS_AUTOSIZE}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const TBBUTTON b = button(h, i);
        EXPECT_EQ(b.idCommand, expected[i].command);
        EXPECT_EQ(b.iBitmap, expected[i].bitmap);
        EXPECT_EQ(b.fsStyle, expected[i].style);
        EXPECT_TRUE(b.fsState & TBSTATE_ENABLED);
    }
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_STYLE | TBIF_TEXT;
    char text[32] = {};
    info.pszText = text;
    info.cchText = sizeof text;
    ASSERT_GE(SendMessageA(h, TB_GETBUTTONINFOA, 30003, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_TRUE(info.fsStyle & BTNS_AUTOSIZE);
    EXPECT_STREQ(text, "Guardar");

    HWND f = hwndOf(form);
    for (int id : {30000, 30001, 30002, 30003, 30004}) SendMessageA(f, WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(h));
    EXPECT_EQ(clicks, (std::vector<std::string>{"&Abrir", "Guardar"}));
}

TEST_F(ToolbarWineTest, StatesReachTheNativeButtonsAndDeletingRenumbers) {
    Value bar = newBar({Value("Uno"), Value("Dos"), Value("Tres")});
    HWND h = hwndOf(bar);
    const Value dos = rt::send(bar, "aItems").asArray()->items[1];
    rt::send(dos, "_lEnabled", {Value(false)});
    rt::send(dos, "_lChecked", {Value(true)});
    EXPECT_FALSE(SendMessageA(h, TB_ISBUTTONENABLED, 30002, 0));
    pump();  // checking is posted
    EXPECT_TRUE(SendMessageA(h, TB_ISBUTTONCHECKED, 30002, 0));
    SendMessageA(hwndOf(form), WM_COMMAND, MAKEWPARAM(30002, 0), reinterpret_cast<LPARAM>(h));
    EXPECT_TRUE(clicks.empty());  // a disabled button does not click

    // BtnDisable acts on the window only: the item still clicks when asked.
    rt::send(bar, "BtnDisable", {Value(3)});
    EXPECT_FALSE(SendMessageA(h, TB_ISBUTTONENABLED, 30003, 0));
    rt::send(rt::send(bar, "aItems").asArray()->items[2], "Click");
    EXPECT_EQ(clicks, (std::vector<std::string>{"Tres"}));

    for (int position : {0, 4}) rt::send(bar, "DeleteItem", {Value(position)});
    EXPECT_EQ(SendMessageA(h, TB_BUTTONCOUNT, 0, 0), 3);
    rt::send(bar, "DeleteItem", {Value(1)});
    ASSERT_EQ(SendMessageA(h, TB_BUTTONCOUNT, 0, 0), 2);
    EXPECT_EQ(button(h, 0).idCommand, 30001);
    EXPECT_EQ(rt::send(dos, "nIndex").asInteger(), 1);
    EXPECT_FALSE(button(h, 0).fsState & TBSTATE_ENABLED);  // rebuilt from the item, still disabled
}

TEST_F(ToolbarWineTest, TipsAreCopiedWithinTheirRoomAndAGoneButtonGetsNone) {
    Value bar = newBar({Value("Abrir"), Value("Cerrar")});
    rt::send(rt::send(bar, "aItems").asArray()->items[0], "_cTooltip", {Value("Abre un archivo")});
    rt::send(rt::send(bar, "aItems").asArray()->items[1], "_cTooltip", {Value()});
    HWND h = hwndOf(bar), f = hwndOf(form);
    EXPECT_EQ(tipFor(f, h, 30001, 80), "Abre un archivo");
    EXPECT_EQ(tipFor(f, h, 30001, 5), "Abre");
    EXPECT_EQ(tipFor(f, h, 30002, 80), "");  // no tip
    rt::send(bar, "DeleteItem", {Value(2)});
    EXPECT_EQ(tipFor(f, h, 30002, 80), "");  // asked after the button went
}

TEST_F(ToolbarWineTest, AnAccessKeyClicksTheFirstButtonWithItAndAmpersandsDoubledAreNone) {
    newBar({Value("&Abrir"), Value("&Archivar"), Value("Tom && Jerry")});
    HWND f = hwndOf(form);
    SendMessageA(f, WM_SYSCHAR, 'a', 0);
    SendMessageA(f, WM_SYSCHAR, '&', 0);
    EXPECT_EQ(clicks, (std::vector<std::string>{"&Abrir"}));
}

TEST_F(ToolbarWineTest, TheBarSizesItselfToItsButtons) {
    Value bar = newBar({Value("Uno"), Value("Dos")}, 0);  // not aligned: a top bar spans its form
    HWND h = hwndOf(bar);
    RECT last{}, client{};
    SendMessageA(h, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&last));
    GetWindowRect(h, &client);
    EXPECT_EQ(client.right - client.left, last.right + 3);
    EXPECT_EQ(client.bottom - client.top, last.bottom + 2);
    EXPECT_EQ(rt::send(bar, "nWidth").asInteger(), last.right + 3);
    // All hidden: 3 by 2.
    for (const Value& b : rt::send(bar, "aItems").asArray()->items) rt::send(b, "_lVisible", {Value(false)});
    pump();
    rt::send(bar, "Adjust");
    GetWindowRect(h, &client);
    EXPECT_EQ(client.right - client.left, 3);
    EXPECT_EQ(client.bottom - client.top, 2);
}

}  // namespace
}  // namespace vorpex::testing
