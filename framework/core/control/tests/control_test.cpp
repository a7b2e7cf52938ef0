// Controls with real windows under Wine: creation, ids, scaling, fonts and cursors, visibility and alignment,
// tool tips, and a container routing its children's commands, notifications and colour requests.
#include "framework/core/control/tests/control_fixture.h"

#include <commctrl.h>
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/block.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

LONG_PTR styleOf(const Value& c) { return GetWindowLongPtrA(ControlTest::hwndOf(c), GWL_STYLE); }

TEST_F(ControlTest, ControlsTakeIdsFromTheFormInCreationOrder) {
    makeForm();
    Value a = makeControl(TControl::classRecord(), form, 0, 0, 10, 10);
    Value b = makeControl(TControl::classRecord(), form, 0, 20, 10, 10);
    Value c = makeControl(TStdControl::classRecord(), form, 0, 40, 10, 10);
    EXPECT_EQ(rt::send(a, "nId").asInteger(), 101);
    EXPECT_EQ(rt::send(b, "nId").asInteger(), 102);
    EXPECT_EQ(rt::send(c, "nId").asInteger(), 103);
    EXPECT_EQ(GetDlgItem(hwndOf(form), 101), hwndOf(a));
    auto list = rt::send(form, "aControls").asArray();
    ASSERT_EQ(list->size(), 3u);
    EXPECT_TRUE(list->items[0].sameAs(a));
    EXPECT_TRUE(list->items[2].sameAs(c));
    EXPECT_EQ(getControlFromHandle(reinterpret_cast<intptr_t>(hwndOf(b))), b.asObject());
}

TEST_F(ControlTest, ScaledOnceAtFirstCreationAndKeptWhenCreatedAgain) {
    makeForm();
    struct Case {
        int scale;
        RECT expected;
    } cases[] = {{100, {10, 10, 110, 30}}, {125, {13, 13, 138, 38}}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.scale);
        app.setScale(k.scale);
        Value c = makeControl(TControl::classRecord(), form, 10, 10, 100, 20);
        RECT r = placeOf(c);
        EXPECT_EQ(r.left, k.expected.left);
        EXPECT_EQ(r.top, k.expected.top);
        EXPECT_EQ(r.right, k.expected.right);
        EXPECT_EQ(r.bottom, k.expected.bottom);
        rt::send(c, "Destroy");
        EXPECT_EQ(handleOf(c), 0);
        rt::send(c, "Create");
        r = placeOf(c);
        EXPECT_EQ(r.left, k.expected.left) << "not scaled again";
        EXPECT_EQ(r.right - r.left, k.expected.right - k.expected.left);
        EXPECT_EQ(rt::send(c, "nWidth").asInteger(), k.expected.right - k.expected.left);
    }
}

TEST_F(ControlTest, HiddenBeforeCreationStaysHiddenUntilShown) {
    makeForm();
    int shown = 0;
    Value c = makeControl(TControl::classRecord(), form, 0, 0, 10, 10, [&](const Value& c) {
        rt::send(c, "_lVisible", {Value(false)});
        rt::send(c, "_OnShow", {counter(shown)});
    });
    EXPECT_FALSE(styleOf(c) & WS_VISIBLE);
    rt::send(form, "Show");
    EXPECT_FALSE(IsWindowVisible(hwndOf(c)));
    rt::send(c, "Show");
    EXPECT_TRUE(styleOf(c) & WS_VISIBLE);
    EXPECT_EQ(shown, 1);
    rt::send(form, "Hide");
}

TEST_F(ControlTest, DestroyedWindowLeavesTheObjectUnlinkedAndOutOfItsParent) {
    makeForm();
    int destroyed = 0, freed = 0;
    Value c = makeControl(TControl::classRecord(), form, 0, 0, 10, 10, [&](const Value& c) {
        rt::send(c, "_OnDestroy", {counter(destroyed)});
        rt::send(c, "_OnDestroyed", {counter(freed)});
        rt::send(c, "_cText", {Value("kept")});
    });
    HWND h = hwndOf(c);
    SetWindowTextA(h, "changed in the window");
    rt::send(c, "Destroy");
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(handleOf(c), 0);
    EXPECT_EQ(getControlFromHandle(reinterpret_cast<intptr_t>(h)), nullptr);
    EXPECT_EQ(rt::send(form, "aControls").asArray()->size(), 0u);
    EXPECT_EQ(rt::send(c, "cText").asString(), "changed in the window");
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(freed, 0) << "Destroy without lFree keeps the object's resources";
    rt::send(c, "End");
    EXPECT_EQ(freed, 1) << "End without a window still frees";
}

TEST_F(ControlTest, FreeLeavesTheSharedArrowCursorAlone) {
    makeForm();
    Value arrow = rt::send(rt::publicVar("Screen"), "oCursorArrow");
    ASSERT_TRUE(arrow.isObject());
    Value c = makeControl(TControl::classRecord(), form, 0, 0, 10, 10);
    EXPECT_TRUE(rt::send(c, "oCursor").sameAs(arrow));
    rt::send(c, "End");
    EXPECT_NE(handleOf(arrow), 0);
    Value next = makeControl(TControl::classRecord(), form, 0, 0, 10, 10);
    EXPECT_NE(handleOf(rt::send(next, "oCursor")), 0);
}

TEST_F(ControlTest, FontEqualToTheInheritedOneIsNotKept) {
    Value appFont = createByClassName("TFont", "Create", {Value("Arial"), Value(10)});
    app.setFont(appFont);
    makeForm();
    // A STATIC keeps the font it is given, so the window tells which font it got.
    Value c = makeControl(systemControlClass("STATIC"), form, 0, 0, 10, 10);
    EXPECT_EQ(SendMessageA(hwndOf(c), WM_GETFONT, 0, 0), handleOf(appFont));

    Value same = createByClassName("TFont", "Create", {Value("Arial"), Value(10)});
    rt::send(c, "SetFont", {same});
    EXPECT_TRUE(rt::send(c, "lParentFont").asLogical());
    EXPECT_TRUE(rt::send(c, "oFont").sameAs(appFont)) << "the inherited font, no own one";
    EXPECT_EQ(SendMessageA(hwndOf(c), WM_GETFONT, 0, 0), handleOf(appFont));

    Value other = createByClassName("TFont", "Create", {Value("Courier New"), Value(14)});
    rt::send(c, "_oFont", {other});
    EXPECT_FALSE(rt::send(c, "lParentFont").asLogical());
    EXPECT_EQ(rt::send(other, "nCount").asInteger(), 1);
    EXPECT_EQ(SendMessageA(hwndOf(c), WM_GETFONT, 0, 0), handleOf(other));
    rt::send(c, "_lParentFont", {Value(true)});
    EXPECT_EQ(SendMessageA(hwndOf(c), WM_GETFONT, 0, 0), handleOf(appFont));
}

TEST_F(ControlTest, HidingAClientChildLeavesTheLayoutButHidingATopChildRealigns) {
    makeForm(false, 200, 100);
    RECT client;
    GetClientRect(hwndOf(form), &client);
    auto aligned = [&](int align, int height) {
        return makeControl(TControl::classRecord(), form, 0, 0, 50, height,
                           [&](const Value& c) { rt::send(c, "_nAlign", {Value(align)}); });
    };
    Value top = aligned(ctl::alTOP, 20);
    Value second = aligned(ctl::alTOP, 30);
    Value rest = aligned(ctl::alCLIENT, 5);
    EXPECT_EQ(placeOf(second).top, 20);
    EXPECT_EQ(placeOf(rest).top, 50);
    EXPECT_EQ(placeOf(rest).bottom, client.bottom);
    // Knock the second child out of place: only a new alignment puts it back.
    SetWindowPos(hwndOf(second), nullptr, 0, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    rt::send(rest, "Hide");
    EXPECT_EQ(placeOf(second).top, 77);
    rt::send(top, "Hide");
    EXPECT_EQ(placeOf(second).top, 0);
}

TEST_F(ControlTest, ContainerLaysOutAlignedChildrenAndAnchors) {
    makeForm(false, 500, 400);
    Value box = makeControl(TWinControl::classRecord(), form, 0, 0, 200, 100);
    auto child = [&](int align, int w, int h) {
        return makeControl(TControl::classRecord(), box, 0, 0, w, h,
                           [&](const Value& c) { rt::send(c, "_nAlign", {Value(align)}); });
    };
    Value a = child(ctl::alTOP, 50, 20);
    Value b = child(ctl::alTOP, 50, 30);
    Value c = child(ctl::alCLIENT, 5, 5);
    Value d = child(ctl::alLEFT, 10, 40);
    auto expectPlace = [&](const Value& v, RECT e) {
        RECT r = placeOf(v);
        EXPECT_EQ(r.left, e.left);
        EXPECT_EQ(r.top, e.top);
        EXPECT_EQ(r.right - r.left, e.right);
        EXPECT_EQ(r.bottom - r.top, e.bottom);
    };
    expectPlace(a, {0, 0, 200, 20});
    expectPlace(b, {0, 20, 200, 30});
    expectPlace(c, {0, 50, 200, 50});
    expectPlace(d, {-1, -1, 10, 0});

    // Anchors follow the container's new width; a margin that is negative stays negative.
    Value panel = makeControl(TWinControl::classRecord(), form, 0, 150, 300, 100);
    auto anchored = [&](int left, int anchors) {
        return makeControl(TControl::classRecord(), panel, left, 10, 100, 20,
                           [&](const Value& c) { rt::send(c, "_nAnchors", {Value(anchors)}); });
    };
    Value both = anchored(10, ctl::kAnchorLeft | ctl::kAnchorRight | ctl::kAnchorTop);
    Value right = anchored(10, ctl::kAnchorRight | ctl::kAnchorTop);
    Value neither = anchored(10, ctl::kAnchorTop);
    Value outside = anchored(250, ctl::kAnchorRight | ctl::kAnchorTop);
    rt::send(panel, "_nWidth", {Value(400)});
    expectPlace(both, {10, 10, 200, 20});
    expectPlace(right, {110, 10, 100, 20});
    expectPlace(neither, {60, 10, 100, 20});
    expectPlace(outside, {350, 10, 100, 20});
    rt::send(panel, "_nWidth", {Value(299)});
    expectPlace(neither, {9, 10, 100, 20});
}

TEST_F(ControlTest, CommandsRouteToChildrenMenusAndNowhere) {
    makeForm();
    int clicks = 0, menuActions = 0, popupActions = 0;
    Value button = makeControl(TStdControl::classRecord(), form, 0, 0, 50, 20, [&](const Value& c) {
        rt::send(c, "_cWinClassName", {Value("BUTTON")});
        rt::send(c, "_OnClick", {counter(clicks)});
    });
    auto menuObject = [](int& count) {
        static const rt::Class& cls = []() -> const rt::Class& {
            rt::ClassBuilder b("TTESTMENU", nullptr, nullptr);
            b.addData("aItems", Value::array({Value(1)}));
            b.addData("Handle", 0);
            b.addData("bAction");
            b.addMethod("DoAction", [](rt::Object& s, const rt::Method&, rt::Args a) {
                return rt::evalIfBlock(rt::send(s, "bAction"), a);
            });
            return b.create();
        }();
        Value m(cls.instantiate());
        rt::send(m, "_bAction", {counter(count)});
        return m;
    };
    rt::send(form, "_oMenu", {menuObject(menuActions)});
    HWND f = hwndOf(form);
    const auto id = rt::send(button, "nId").asInteger();
    auto command = [&](int64_t code, HWND sender) {
        return SendMessageA(f, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(sender));
    };
    command(BN_CLICKED, hwndOf(button));
    EXPECT_EQ(clicks, 1);
    command(1, nullptr);  // an accelerator
    EXPECT_EQ(menuActions, 0);
    command(0, nullptr);  // a menu command
    EXPECT_EQ(menuActions, 1);
    command(BN_SETFOCUS, hwndOf(button));
    EXPECT_EQ(clicks, 1) << "only BN_CLICKED clicks";

    // While a pop-up menu's loop runs, menu commands belong to the form's pop-up.
    rt::send(form, "_oPopup", {menuObject(popupActions)});
    SendMessageA(f, WM_EXITMENULOOP, 1, 0);
    command(0, nullptr);
    EXPECT_EQ(popupActions, 1);
    EXPECT_EQ(menuActions, 1);

    // A raw child window has no object: nothing happens, nothing breaks.
    HWND raw = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, f, nullptr, nullptr, nullptr);
    EXPECT_EQ(command(BN_CLICKED, raw), 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(menuActions, 1);
    EXPECT_EQ(popupActions, 1);

    // A button inside a group box reaches its OnClick through the box.
    Value box = makeControl(TWinControl::classRecord(), form, 100, 100, 150, 100);
    int inner = 0;
    Value mark = makeControl(TStdControl::classRecord(), box, 10, 10, 80, 20, [&](const Value& c) {
        rt::send(c, "_cWinClassName", {Value("BUTTON")});
        rt::send(c, "_OnClick", {counter(inner)});
    });
    SendMessageA(hwndOf(box), WM_COMMAND, MAKEWPARAM(rt::send(mark, "nId").asInteger(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwndOf(mark)));
    EXPECT_EQ(inner, 1);
}

TEST_F(ControlTest, NotificationsReachTheSendersObjectAndForeignOnesNothing) {
    makeForm();
    Value probe = makeControl(probeControlClass(), form, 0, 0, 10, 10,
                              [](const Value& c) { rt::send(c, "_cName", {Value("probe")}); });
    NMHDR n{hwndOf(probe), 5, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(SendMessageA(hwndOf(form), WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&n)), 7);
    EXPECT_EQ(journal(), (std::vector<std::string>{"Notify probe"}));
    HWND raw = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, hwndOf(form), nullptr, nullptr, nullptr);
    NMHDR foreign{raw, 6, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(SendMessageA(hwndOf(form), WM_NOTIFY, 6, reinterpret_cast<LPARAM>(&foreign)), 0);
    EXPECT_EQ(journal().size(), 1u);
}

TEST_F(ControlTest, ColourRequestsAnswerTheChildsBrushOrTheContainersForRawChildren) {
    makeForm();
    rt::send(form, "_nClrPane", {Value(0x0000FF)});
    Value child = makeControl(TControl::classRecord(), form, 0, 0, 10, 10,
                              [](const Value& c) { rt::send(c, "_nClrPane", {Value(0x00FF00)}); });
    HWND raw = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, hwndOf(form), nullptr, nullptr, nullptr);
    HDC dc = GetDC(hwndOf(form));
    auto ask = [&](HWND w) {
        return SendMessageA(hwndOf(form), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(w));
    };
    EXPECT_EQ(ask(hwndOf(child)), handleOf(rt::send(child, "oBrush")));
    EXPECT_EQ(GetBkColor(dc), 0x00FF00u);
    EXPECT_EQ(ask(raw), handleOf(rt::send(form, "oBrush")));
    EXPECT_EQ(GetBkColor(dc), 0x0000FFu);
    ReleaseDC(hwndOf(form), dc);
    // A brush-less child asks its parent; a parent without that method (the Application) answers nothing.
    rt::send(child, "_oBrush", {Value()});
    dc = GetDC(hwndOf(form));
    EXPECT_EQ(ask(hwndOf(child)), handleOf(rt::send(form, "oBrush")));
    ReleaseDC(hwndOf(form), dc);
    Value lone(TControl::classRecord().instantiate());
    rt::send(lone, "_oParent", {app.object});
    EXPECT_TRUE(rt::send(lone, "GetCtlColor", {Value(0)}).isNil());
}

TEST_F(ControlTest, ToolTipZonesAreRemovedWithTheirControlAndByEmptyText) {
    Value tip = makeTestTip();
    app.setTooltip(tip);
    makeForm();
    Value c = makeControl(TControl::classRecord(), form, 0, 0, 50, 50);
    rt::send(c, "SetTooltip", {Value("one"), Value::array({0, 0, 10, 10})});
    rt::send(c, "SetTooltip", {Value("nine"), Value::array({10, 0, 20, 10}), Value(9)});
    rt::send(c, "SetTooltip", {Value("three"), Value::array({20, 0, 30, 10})});
    EXPECT_EQ(toolCount(tip), 3);
    rt::send(c, "SetTooltip", {Value("")});
    EXPECT_EQ(toolCount(tip), 0) << "the zone with its own id goes too";

    rt::send(c, "_cTooltip", {Value("whole")});
    EXPECT_EQ(toolCount(tip), 1);
    rt::send(c, "Destroy");
    EXPECT_EQ(toolCount(tip), 0) << "a destroyed window keeps no tool";
    rt::send(c, "Create");
    EXPECT_EQ(toolCount(tip), 1) << "and the new window registers anew";
    DestroyWindow(hwndOf(tip));
}

TEST_F(ControlTest, TipTextRequestsAreAnsweredWithTheCurrentText) {
    Value tip = makeTestTip();
    app.setTooltip(tip);
    makeForm();
    Value c = makeControl(probeControlClass(), form, 0, 0, 50, 50,
                          [](const Value& c) { rt::send(c, "_cTooltip", {Value("first")}); });
    NMTTDISPINFOA info{};
    info.hdr = {hwndOf(tip), reinterpret_cast<UINT_PTR>(hwndOf(c)), static_cast<UINT>(TTN_GETDISPINFOA)};
    info.uFlags = TTF_IDISHWND;
    SendMessageA(hwndOf(form), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, "first");
    rt::send(c, "_cTooltip", {Value("second")});
    info.lpszText = nullptr;
    SendMessageA(hwndOf(form), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(info.lpszText, "second");

    // A zone's text comes from the control itself (here GetTooltip), also as UTF-16.
    NMTTDISPINFOA zone{};
    zone.hdr = {hwndOf(tip), 2, static_cast<UINT>(TTN_GETDISPINFOA)};
    EXPECT_EQ(SendMessageA(hwndOf(c), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&zone)), 0);
    EXPECT_STREQ(zone.lpszText, "zone 2");
    NMTTDISPINFOW wide{};
    wide.hdr = {hwndOf(tip), 3, static_cast<UINT>(TTN_GETDISPINFOW)};
    SendMessageA(hwndOf(c), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&wide));
    ASSERT_NE(wide.lpszText, nullptr);
    EXPECT_EQ(std::wstring(wide.lpszText), L"zone 3");
    DestroyWindow(hwndOf(tip));
}

TEST_F(ControlTest, StylesAndBordersReachTheWindow) {
    makeForm();
    Value c = makeControl(TStdControl::classRecord(), form, 0, 0, 50, 50, [](const Value& c) {
        rt::send(c, "_cWinClassName", {Value("STATIC")});
        rt::send(c, "_lBorder", {Value(true)});
    });
    EXPECT_TRUE(GetWindowLongPtrA(hwndOf(c), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(styleOf(c) & WS_BORDER);
    EXPECT_TRUE(styleOf(c) & WS_TABSTOP);
    rt::send(c, "_l3D", {Value(false)});
    EXPECT_TRUE(styleOf(c) & WS_BORDER);
    EXPECT_FALSE(GetWindowLongPtrA(hwndOf(c), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(rt::send(c, "HasStyle", {Value(static_cast<long long>(WS_BORDER))}).asLogical());
    rt::send(c, "ChangeCtlStyle", {Value(static_cast<long long>(SS_CENTER)), Value(true)});
    EXPECT_TRUE(styleOf(c) & SS_CENTER);
    rt::send(c, "Hide");
    rt::send(c, "RemoveStyle", {Value(static_cast<long long>(SS_CENTER))});
    EXPECT_FALSE(styleOf(c) & WS_VISIBLE) << "writing the style does not show a hidden control";
}

}  // namespace
}  // namespace vorpex::testing
