// The standard controls on real windows under Wine, on the control tests' minimal form: clicks and their
// veto, the form's modal result, Enter, default and cancel registration, images; edit values in code page
// 1252, the change protocol, limits, password characters, colours, overwrite mode; memo lines; label sizes.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/controls/button/button.h"
#include "framework/controls/controls.h"
#include "framework/controls/edit/memo.h"
#include "framework/controls/label/label.h"
#include "framework/core/control/tests/control_fixture.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/window/object_link.h"
#include "framework/graphics/font/font.h"
#include "runtime/core/block.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

rt::NativeMethod fn(std::function<Value(rt::Object&, rt::Args)> f) {
    return [f](rt::Object& self, const rt::Method&, rt::Args a) { return f(self, a); };
}

// The minimal form with what a button asks of its form: a modal result, Close, default and cancel buttons.
const rt::Class& closingFormClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("TTestClosingForm", &XTestForm::classRecord(), rt::factoryOf<XTestForm>());
        b.addData("nModalResult", 0);
        b.addData("oDefaultButton");
        b.addData("oCancelButton");
        b.addData("nCloses", 0);
        b.addMethod("Close", fn([](rt::Object& s, rt::Args) {
            rt::send(s, "_nCloses", {rt::send(s, "nCloses").asInteger() + 1});
            return Value();
        }));
        return b.create();
    }();
    return c;
}

// An edit that hides lPassword as the masked edit does: NIL by default.
const rt::Class& maskLikeClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("TTestMaskLike", &TEdit::classRecord(), rt::factoryOf<TEdit>());
        b.addProperty({.name = "lPassword", .scope = rt::scope::Hidden});
        b.record().redeclareField(b.record().fieldPosition("FlPassword"), Value(), "L");
        return b.create();
    }();
    return c;
}

class StandardControls : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        registerStandardControls();
        form = Value(closingFormClass().instantiate());
        rt::send(form, "New");
        rt::send(form, "SetBounds", {0, 0, 400, 300});
        rt::send(form, "Create");
    }
    void TearDown() override {
        XEdit::setInsertMode(true);
        ControlTest::TearDown();
    }
    Value make(const rt::Class& cls, int left, int top, int width, int height,
               const std::function<void(const Value&)>& before = {}) {
        return makeControl(cls, form, left, top, width, height, before);
    }
    static std::string text(const Value& c) {
        char buf[4096] = {};
        GetWindowTextA(hwndOf(c), buf, sizeof buf);
        return buf;
    }
    static void type(const Value& c, const std::string& chars) {
        for (unsigned char ch : chars) SendMessageA(hwndOf(c), WM_CHAR, ch, 1);
    }
    static LRESULT msg(const Value& c, UINT m, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(hwndOf(c), m, w, l); }
};

// ---- button

TEST_F(StandardControls, ClickDecisionTable) {
    struct Case {
        int64_t modalResult;
        bool viaCancel;
        Value answer;
        bool closes;
        int64_t formResult;
    } cases[] = {
        {1, false, false, false, 0}, {1, false, Value(), true, 1}, {1, false, 5, true, 1},
        {0, false, true, false, 0},  {0, true, Value(), true, 2},
    };
    for (const Case& c : cases) {
        rt::send(form, "_nModalResult", {0});
        rt::send(form, "_nCloses", {0});
        int clicks = 0;
        Value button = make(TButton::classRecord(), 10, 10, 80, 25, [&](const Value& b) {
            rt::send(b, "_nModalResult", {c.modalResult});
            if (c.viaCancel) rt::send(b, "_lCancel", {true});
            rt::send(b, "_OnClick", {counter(clicks, c.answer)});
        });
        msg(button, BM_CLICK);
        EXPECT_EQ(clicks, 1);
        EXPECT_EQ(rt::send(form, "nCloses").asInteger(), c.closes ? 1 : 0) << c.modalResult;
        EXPECT_EQ(rt::send(form, "nModalResult").asInteger(), c.formResult) << c.modalResult;
        rt::send(button, "End");
    }
}

TEST_F(StandardControls, AHandlerThatEndsTheButtonDoesNotBreakTheClick) {
    Value button = make(TButton::classRecord(), 10, 10, 80, 25);
    rt::send(button, "_nModalResult", {1});
    std::weak_ptr<rt::Object> watch = button.asObject();
    rt::send(button, "_OnClick", {Value(rt::makeBlock([](rt::Args a) {
        rt::send(rt::arg(a, 0), "End");
        return Value();
    }))});
    button = Value();  // the window's link is all that holds it now
    rt::send(rt::Value(watch.lock()), "Click");
    EXPECT_EQ(rt::send(form, "nCloses").asInteger(), 1);
    EXPECT_EQ(rt::send(form, "nModalResult").asInteger(), 1);
}

TEST_F(StandardControls, EnterOnAFocusedButtonClicksOnce) {
    int clicks = 0;
    Value button = make(TButton::classRecord(), 10, 10, 80, 25, [&](const Value& b) {
        rt::send(b, "_OnClick", {counter(clicks)});
    });
    msg(button, WM_KEYDOWN, VK_RETURN, 1);
    msg(button, WM_CHAR, VK_RETURN, 1);
    msg(button, WM_KEYUP, VK_RETURN, 0xC0000001);
    EXPECT_EQ(clicks, 1);
}

TEST_F(StandardControls, CancelDefaultAndTheirForm) {
    Value ok = make(TButton::classRecord(), 10, 10, 80, 25, [](const Value& b) { rt::send(b, "_lDefault", {true}); });
    Value cancel = make(TButton::classRecord(), 100, 10, 80, 25, [](const Value& b) {
        rt::send(b, "_nModalResult", {1});
        rt::send(b, "_lCancel", {true});
    });
    EXPECT_TRUE(rt::send(form, "oDefaultButton").sameAs(ok));
    EXPECT_TRUE(rt::send(form, "oCancelButton").sameAs(cancel));
    EXPECT_EQ(rt::send(cancel, "nModalResult").asInteger(), 2);
    rt::send(cancel, "_lCancel", {false});
    EXPECT_EQ(rt::send(cancel, "nModalResult").asInteger(), 2);
    EXPECT_TRUE(rt::send(form, "oCancelButton").isNil());
    EXPECT_NE(GetWindowLongA(hwndOf(ok), GWL_STYLE) & BS_DEFPUSHBUTTON, 0);
    // Made the default after creation: Enter goes to it from now on.
    Value other = make(TButton::classRecord(), 200, 10, 80, 25);
    rt::send(other, "_lDefault", {true});
    EXPECT_TRUE(rt::send(form, "oDefaultButton").sameAs(other));
    rt::send(ok, "_lDefault", {false});
    EXPECT_TRUE(rt::send(form, "oDefaultButton").sameAs(other));
}

TEST_F(StandardControls, CancelPressSlidOffGivesTheFocusBackToARefusingEdit) {
    rt::send(form, "Show");
    SetForegroundWindow(hwndOf(form));
    pump();
    int exits = 0, clicks = 0;
    Value edit = make(TEdit::classRecord(), 10, 50, 200, 22, [&](const Value& e) {
        rt::send(e, "_OnExit", {counter(exits, false)});
    });
    Value cancel = make(TButton::classRecord(), 10, 10, 80, 25, [&](const Value& b) {
        rt::send(b, "_lCancel", {true});
        rt::send(b, "_OnClick", {counter(clicks)});
    });
    rt::send(edit, "SetFocus");
    pump();
    ASSERT_EQ(GetFocus(), hwndOf(edit));
    msg(cancel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(GetFocus(), hwndOf(cancel));  // taken without asking the edit
    EXPECT_EQ(exits, 0);
    msg(cancel, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    pump();
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(GetFocus(), hwndOf(edit));
}

TEST_F(StandardControls, ImagesAndPushedState) {
    Value button = make(TButton::classRecord(), 10, 10, 80, 25);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    const Value h(static_cast<long long>(reinterpret_cast<intptr_t>(bitmap)));
    rt::send(button, "SetImage", {0, h});
    EXPECT_EQ(rt::send(button, "GetImage", {0}).asInteger(), h.asInteger());
    EXPECT_NE(GetWindowLongA(hwndOf(button), GWL_STYLE) & BS_BITMAP, 0);
    rt::send(button, "_lPushed", {true});
    EXPECT_NE(msg(button, BM_GETSTATE) & BST_PUSHED, 0);
    rt::send(button, "End");
    DeleteObject(bitmap);
}

// ---- edit

TEST_F(StandardControls, EditValuesRoundTripWithoutOnChange) {
    int changes = 0;
    Value edit = make(TEdit::classRecord(), 10, 50, 200, 22, [&](const Value& e) {
        rt::send(e, "_OnChange", {counter(changes)});
    });
    const std::string spanish = "A\xF1o de N\xFA\xF1" "ez: \xBFs\xED?";  // code page 1252
    struct Case {
        Value value;
        std::string shown;
    } cases[] = {{spanish, spanish}, {12, "12"}, {"abc   ", "abc"}, {true, ".T."}, {Value(), ""}};
    for (const Case& c : cases) {
        rt::send(edit, "_Value", {c.value});
        EXPECT_EQ(text(edit), c.shown);
        EXPECT_EQ(rt::send(edit, "Value").asString(), c.shown);
    }
    EXPECT_EQ(changes, 0);
    type(edit, "x");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(rt::send(edit, "Value").asString(), "x");
}

TEST_F(StandardControls, EditLimitAndSelection) {
    Value edit = make(TEdit::classRecord(), 10, 50, 200, 22);
    EXPECT_EQ(rt::send(edit, "nMaxLength").asInteger(), 0);
    rt::send(edit, "_nMaxLength", {5});
    EXPECT_EQ(rt::send(edit, "nMaxLength").asInteger(), 5);
    type(edit, "abcdefg");
    EXPECT_EQ(text(edit), "abcde");
    rt::send(edit, "SetSel", {1, 3});
    EXPECT_EQ(rt::send(edit, "GetSelText").asString(), "bc");  // read from what was typed
    auto start = std::make_shared<Value>(), end = std::make_shared<Value>();
    rt::send(edit, "GetSel", {Value::reference(start), Value::reference(end)});
    EXPECT_EQ(start->asInteger(), 1);
    EXPECT_EQ(end->asInteger(), 3);
}

TEST_F(StandardControls, PasswordCharacterAndMaskedEdits) {
    Value edit = make(TEdit::classRecord(), 10, 50, 200, 22);
    rt::send(edit, "_cPasswordChar", {"#"});
    EXPECT_EQ(rt::send(edit, "cPasswordChar").asString(), "*");  // not a password field yet: not kept
    rt::send(edit, "_lPassword", {true});
    rt::send(edit, "_cPasswordChar", {"#"});
    EXPECT_EQ(msg(edit, EM_GETPASSWORDCHAR), '#');
    // Classes that hide lPassword keep it NIL: never created as password fields.
    for (const rt::Class* cls : {&maskLikeClass(), &TMemo::classRecord()}) {
        Value masked = make(*cls, 10, 80, 200, 40);
        EXPECT_EQ(GetWindowLongA(hwndOf(masked), GWL_STYLE) & ES_PASSWORD, 0) << cls->name();
        EXPECT_EQ(msg(masked, EM_GETPASSWORDCHAR), 0) << cls->name();
    }
}

TEST_F(StandardControls, ColoursFollowDisabledThenFocused) {
    Value edit = make(TEdit::classRecord(), 10, 50, 200, 22);
    rt::send(edit, "_nClrTextDisabled", {Value(static_cast<long long>(RGB(1, 2, 3)))});
    rt::send(edit, "_nClrPaneFocus", {Value(static_cast<long long>(RGB(200, 220, 240)))});
    HDC dc = CreateCompatibleDC(nullptr);
    const Value hdc(static_cast<long long>(reinterpret_cast<intptr_t>(dc)));
    rt::send(edit, "SetFocus", {true});
    EXPECT_EQ(rt::send(edit, "GetCtlColor", {hdc}).asInteger(), rt::send(rt::send(edit, "oBrushFocus"), "Handle").asInteger());
    EXPECT_EQ(GetBkColor(dc), RGB(200, 220, 240));
    rt::send(edit, "Disable");
    EXPECT_EQ(rt::send(edit, "GetCtlColor", {hdc}).asInteger(),
              rt::send(rt::send(edit, "oBrushDisabled"), "Handle").asInteger());
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    // A new focus colour ends the old brush.
    auto old = reinterpret_cast<HGDIOBJ>(rt::send(rt::send(edit, "oBrushFocus"), "Handle").asInteger());
    rt::send(edit, "_nClrPaneFocus", {Value(static_cast<long long>(RGB(9, 9, 9)))});
    EXPECT_EQ(GetObjectType(old), 0u);
    DeleteDC(dc);
}

TEST_F(StandardControls, OverwriteModeReplacesButNeverSplitsALineBreak) {
    Value edit = make(TEdit::classRecord(), 10, 50, 200, 22);
    rt::send(edit, "_Value", {"abcd"});
    rt::send(edit, "_lInsert", {false});
    rt::send(edit, "SetSel", {1, 1});
    type(edit, "x");
    EXPECT_EQ(text(edit), "axcd");
    rt::send(edit, "SetSel", {4, 4});
    type(edit, "y");
    EXPECT_EQ(text(edit), "axcdy");  // at the end it appends
    rt::send(edit, "SetSel", {1, 1});
    type(edit, "\b");
    EXPECT_EQ(text(edit), "xcdy");  // Backspace deletes behind, never ahead

    Value memo = make(TMemo::classRecord(), 10, 80, 200, 80);
    rt::send(memo, "_Value", {"ab\r\ncd"});
    rt::send(memo, "SetSel", {2, 2});
    type(memo, "x\xE9");
    EXPECT_EQ(text(memo), "abx\xE9\r\ncd");
    EXPECT_TRUE(rt::send(Value(TEdit::classRecord().instantiate()), "lInsert").asLogical() == false);
}

// ---- memo

TEST_F(StandardControls, MemoFiresTheUsersFirstChangeAfterAProgramSet) {
    int changes = 0;
    Value memo = make(TMemo::classRecord(), 10, 80, 200, 80, [&](const Value& m) {
        rt::send(m, "_OnChange", {counter(changes)});
    });
    rt::send(memo, "_Value", {"x"});
    EXPECT_EQ(changes, 0);
    rt::send(memo, "SetSel", {1, 1});
    type(memo, "y");
    EXPECT_EQ(changes, 1);
}

TEST_F(StandardControls, MemoLines) {
    // Scrolled sideways rather than wrapped, so that a line is a line of the text.
    Value memo = make(TMemo::classRecord(), 10, 80, 300, 120, [](const Value& m) { rt::send(m, "_lAutoHScroll", {true}); });
    const std::string longLine(300, 'z');
    rt::send(memo, "_Value", {"uno\r\ndos\r\n" + longLine});
    EXPECT_EQ(rt::send(memo, "nLineCount").asInteger(), 3);
    EXPECT_EQ(rt::send(memo, "GetLine", {2}).asString(), "dos");
    EXPECT_EQ(rt::send(memo, "GetLine", {3}).asString(), longLine);  // whole, not cut at 256
    rt::send(memo, "ReplaceLine", {-1, "tres"});
    EXPECT_EQ(text(memo), "uno\r\ndos\r\ntres");
    rt::send(memo, "_nLine", {2});
    EXPECT_EQ(rt::send(memo, "nLine").asInteger(), 2);
    rt::send(memo, "_nColumn", {3});
    EXPECT_EQ(rt::send(memo, "nColumn").asInteger(), 3);
    rt::send(memo, "_nColumn", {999});  // past the line's end: the caret stays
    EXPECT_EQ(rt::send(memo, "nLine").asInteger(), 2);
    EXPECT_EQ(rt::send(memo, "nColumn").asInteger(), 3);
    EXPECT_FALSE(rt::send(memo, "SetTabStops", {Value::array({})}).asLogical());
    EXPECT_TRUE(rt::send(memo, "SetTabStops", {Value::array({16, 32})}).asLogical());
    // {left, top, right, bottom}, as SetRect takes it: a memo wider than high has right beyond bottom.
    auto rect = rt::send(memo, "GetRect").asArray();
    EXPECT_GT(rect->items[2].asInteger(), rect->items[3].asInteger());
    EXPECT_GT(rect->items[3].asInteger(), rect->items[1].asInteger());
}

// ---- label

// Measured with the font it paints with (a large one here, so that the system font would not pass).
TEST_F(StandardControls, LabelSizesItselfToItsText) {
    const Value font = rt::send(Value(TFont::classRecord().instantiate()), "Create", {"Arial", 20});
    Value label = make(TLabel::classRecord(), 10, 10, 90, 18, [&](const Value& l) {
        rt::send(l, "_cText", {"N\xFAmero:"});
        rt::send(l, "_oFont", {font});
    });
    HWND h = hwndOf(label);
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(handleOf(font)));
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, "N\xFAmero:", -1, &r, DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    RECT placed = placeOf(label);
    EXPECT_EQ(placed.right - placed.left, r.right + 1);
    EXPECT_EQ(placed.bottom - placed.top, r.bottom + 1);
    const LONG oneLine = placed.bottom - placed.top;

    rt::send(label, "_cText", {"a\r\nb"});
    EXPECT_TRUE(rt::send(label, "lMultiLine").asLogical());
    placed = placeOf(label);
    EXPECT_GE(placed.bottom - placed.top, 2 * oneLine - 2);
    const RECT before = placed;
    rt::send(label, "_cText", {""});
    placed = placeOf(label);
    EXPECT_EQ(placed.right - placed.left, before.right - before.left);
    EXPECT_EQ(placed.bottom - placed.top, before.bottom - before.top);
    EXPECT_TRUE(rt::send(label, "lMultiLine").asLogical());
    EXPECT_EQ(msg(label, WM_ERASEBKGND), 1);
}

}  // namespace
}  // namespace vorpex::testing
