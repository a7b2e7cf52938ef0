// Input and focus with a visible form under Wine: the focus protocol with validation, the tab order through
// containers, arrow and Tab keys, the mouse click route and drags, the busy cursor, dropped files, the state
// request and the pop-up menu's one-at-a-time rule.
#include "framework/core/control/tests/control_fixture.h"

#include <shlobj.h>

#include <cstring>

#include "framework/core/window/object_link.h"
#include "runtime/core/block.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

// One visible form serves every test (showing a top-level window costs Wine a moment without a window
// manager); each test empties it afterwards.
class InputTest : public ControlTest {
protected:
    static inline Value sharedForm;

    void SetUp() override {
        ControlTest::SetUp();
        if (sharedForm.isNil() || !IsWindow(hwndOf(sharedForm))) sharedForm = makeForm(true, 400, 300);
        form = sharedForm;
        SetForegroundWindow(hwndOf(form));
    }
    void TearDown() override {
        HWND f = hwndOf(form);
        while (HWND child = GetWindow(f, GW_CHILD)) DestroyWindow(child);
        pump();
        clearEvents(*form.asObject());
        rt::send(form, "_oActiveControl", {Value()});
        form = Value();  // kept for the next test
        ControlTest::TearDown();
    }
    static void TearDownTestSuite() {
        if (HWND h = hwndOf(sharedForm)) DestroyWindow(h);
        sharedForm = Value();
    }
    Value named(const rt::Class& cls, const char* name, int left, int top, int width = 80, int height = 20,
                const Value& parent = {}) {
        return makeControl(cls, parent.isNil() ? form : parent, left, top, width, height,
                           [&](const Value& c) { rt::send(c, "_cName", {Value(name)}); });
    }
    Value edit(const char* name, int top, const Value& parent = {}) {
        return named(systemControlClass("EDIT"), name, 10, top, 80, 20, parent);
    }
    Value button(const char* name, int top, const Value& parent = {}) {
        return named(systemControlClass("BUTTON"), name, 10, top, 80, 20, parent);
    }
    static Value journalBlock(std::function<std::string(rt::Args)> line, Value answer = {}) {
        return Value(rt::makeBlock([line, answer](rt::Args a) {
            journal().push_back(line(a));
            return answer;
        }));
    }
    static std::string nameOf(const Value& v) { return sendIfUnderstood(v, "cName").asString(); }
    static void focus(const Value& c) {
        SetFocus(hwndOf(c));
        pump();
    }
    static HWND focused() { return GetFocus(); }
};

TEST_F(InputTest, FocusMovesWithChangeFocusGotFocusAndEnterInThatOrderUnlessExitSaysNo) {
    Value one = edit("one", 10), two = edit("two", 40);
    rt::send(form, "_OnChangeFocus", {journalBlock([](rt::Args a) {
                 return "OnChangeFocus " + nameOf(rt::arg(a, 1)) + " -> " + nameOf(rt::arg(a, 2));
             })});
    rt::send(two, "_OnEnter", {journalBlock([](rt::Args a) { return "OnEnter two <- " + nameOf(rt::arg(a, 1)); })});
    focus(one);
    journal().clear();
    focus(two);
    EXPECT_EQ(focused(), hwndOf(two));
    EXPECT_EQ(journal(), (std::vector<std::string>{"OnChangeFocus one -> two", "GotFocus two", "OnEnter two <- one"}));
    EXPECT_TRUE(rt::send(two, "lFocused").asLogical());
    EXPECT_TRUE(rt::send(form, "oActiveControl").sameAs(two));

    int exits = 0;
    rt::send(two, "_OnExit", {counter(exits, Value(false))});
    focus(one);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(focused(), hwndOf(two)) << "OnExit said no: the focus stays";
    clearEvents(*two.asObject());
    clearEvents(*form.asObject());
}

TEST_F(InputTest, FailedValidationKeepsTheFocusAndTheClickedButtonDoesNotClick) {
    Value one = edit("one", 10);
    int clicks = 0, exits = 0;
    Value ok = named(systemControlClass("BUTTON"), "ok", 10, 60);
    rt::send(ok, "_OnClick", {counter(clicks)});
    focus(one);
    rt::send(one, "_OnExit", {counter(exits, Value(false))});
    // As real input comes: messages posted meanwhile run before the button-up.
    SendMessageA(hwndOf(ok), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    pump();
    SendMessageA(hwndOf(ok), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    pump();
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(focused(), hwndOf(one));
    EXPECT_EQ(clicks, 0);

    clearEvents(*one.asObject());
    SendMessageA(hwndOf(ok), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    pump();
    SendMessageA(hwndOf(ok), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    pump();
    EXPECT_EQ(focused(), hwndOf(ok));
    EXPECT_EQ(clicks, 1) << "a plain click clicks once";
    clearEvents(*ok.asObject());
}

TEST_F(InputTest, TabOrderLeavesAGroupBoxForTheNextTabStopAndRespectsExit) {
    Value first = edit("first", 10);
    Value box = makeControl(TWinControl::classRecord(), form, 100, 10, 150, 100);
    Value inner1 = button("inner1", 10, box), inner2 = button("inner2", 40, box);
    Value last = edit("last", 150);
    focus(inner2);
    const Value next = rt::send(form, "GoNextControl");
    EXPECT_EQ(next.asInteger(), reinterpret_cast<intptr_t>(hwndOf(last)));
    EXPECT_EQ(focused(), hwndOf(last));
    rt::send(form, "GoPrevControl");
    EXPECT_EQ(focused(), hwndOf(inner2));

    int exits = 0;
    rt::send(inner2, "_OnExit", {counter(exits, Value(false))});
    EXPECT_EQ(rt::send(form, "GoNextControl").asInteger(), 0);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(focused(), hwndOf(inner2));
    clearEvents(*inner2.asObject());
    (void)first;
    (void)inner1;
}

TEST_F(InputTest, ArrowsMoveTheFocusOnlyForControlsThatDoNotWantThemAndTabAlwaysMoves) {
    Value b1 = button("b1", 10), b2 = button("b2", 40), e = edit("e", 70);
    focus(b1);
    SendMessageA(hwndOf(b1), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(focused(), hwndOf(b2));
    SendMessageA(hwndOf(b2), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(focused(), hwndOf(b1));
    focus(e);
    SendMessageA(hwndOf(e), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(focused(), hwndOf(e)) << "an edit keeps its arrows";
    EXPECT_EQ(SendMessageA(hwndOf(e), WM_CHAR, VK_TAB, 0), 0);
    EXPECT_EQ(focused(), hwndOf(b1)) << "Tab wraps to the first tab stop";
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(hwndOf(b1), WM_CHAR, VK_TAB, 0);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(focused(), hwndOf(e)) << "Shift+Tab goes back";
}

TEST_F(InputTest, ClickIsAPressAndReleaseOnTheSameSelfDrawnControl) {
    int clicks = 0, ups = 0;
    Value pad = named(probeControlClass(), "pad", 10, 10, 60, 60);
    Value other = named(probeControlClass(), "other", 200, 10, 60, 60);
    rt::send(pad, "_OnClick", {counter(clicks)});
    rt::send(pad, "_OnLButtonUp", {counter(ups)});
    HWND h = hwndOf(pad);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(6, 5));
    EXPECT_EQ(clicks, 1);
    // Released over another control: no click, but the button-up event still fires.
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ups, 2);
    clearEvents(*pad.asObject());
    (void)other;
}

TEST_F(InputTest, DragStartsOnlyWhenOnBeginDragSaysTrueAndDropsOnlyOnObjects) {
    Value source = named(probeControlClass(), "source", 10, 10, 60, 60);
    Value target = named(probeControlClass(), "target", 200, 10, 60, 60);
    CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 100, 200, 60, 60, hwndOf(form), nullptr,
                               nullptr, nullptr);
    int overs = 0, ends = 0;
    std::vector<int64_t> moves;
    Value begin(true);
    rt::send(source, "_OnBeginDrag", {Value(rt::makeBlock([&](rt::Args) { return begin; }))});
    rt::send(source, "_OnMouseMove", {Value(rt::makeBlock([&](rt::Args a) {
                 moves.push_back(rt::arg(a, 2).asInteger());
                 moves.push_back(rt::arg(a, 3).asInteger());
                 return Value();
             }))});
    rt::send(target, "_OnDragOver", {counter(overs, Value(true))});
    rt::send(target, "_OnEndDrag", {counter(ends)});
    HWND h = hwndOf(source);

    begin = Value(1);  // anything but true: no drag
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 5));
    EXPECT_NE(GetCapture(), h);
    EXPECT_EQ(overs, 0);
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));

    begin = Value(true);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 5));
    EXPECT_EQ(GetCapture(), h);
    EXPECT_EQ(overs, 1);
    // Over a window without an object: refused quietly.
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 200));
    EXPECT_EQ(overs, 1);
    // Left of and above the control while captured: negative, not near 65,535.
    moves.clear();
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, -2));
    EXPECT_EQ(moves, (std::vector<int64_t>{-5, -2}));
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    EXPECT_EQ(ends, 1);
    EXPECT_NE(GetCapture(), h);
    clearEvents(*source.asObject());
    clearEvents(*target.asObject());
}

TEST_F(InputTest, BusyApplicationShowsTheWaitCursor) {
    Value pad = named(probeControlClass(), "pad", 10, 10, 60, 60);
    HWND h = hwndOf(pad);
    app.setBusy(true);
    EXPECT_EQ(SendMessageA(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    app.setBusy(false);
    EXPECT_EQ(SendMessageA(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
    EXPECT_EQ(reinterpret_cast<intptr_t>(GetCursor()), handleOf(rt::send(pad, "oCursor")));
}

HDROP makeDrop(const std::vector<std::string>& files, POINT p, bool outside) {
    size_t size = sizeof(DROPFILES) + 1;
    for (const auto& f : files) size += f.size() + 1;
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* d = static_cast<DROPFILES*>(GlobalLock(g));
    d->pFiles = sizeof(DROPFILES);
    d->pt = p;
    d->fNC = outside;
    d->fWide = FALSE;
    char* names = reinterpret_cast<char*>(d) + sizeof(DROPFILES);
    for (const auto& f : files) {
        std::memcpy(names, f.c_str(), f.size() + 1);
        names += f.size() + 1;
    }
    GlobalUnlock(g);
    return static_cast<HDROP>(g);
}

TEST_F(InputTest, DroppedFilesArriveWithTheirWholeNamesOnlyInsideTheClientArea) {
    Value target = makeControl(systemControlClass("STATIC"), form, 10, 10, 100, 100,
                               [](const Value& c) { rt::send(c, "_lDragAcceptFiles", {Value(true)}); });
    const std::string longName = "C:\\" + std::string(300, 'x') + ".txt";
    Value files, point;
    int drops = 0;
    rt::send(target, "_OnDropFiles", {Value(rt::makeBlock([&](rt::Args a) {
                 ++drops;
                 files = rt::arg(a, 1);
                 point = rt::arg(a, 2);
                 return Value();
             }))});
    SendMessageA(hwndOf(target), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({"C:\\a.txt", longName}, {3, 4}, false)), 0);
    ASSERT_EQ(drops, 1);
    auto list = files.asArray();
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ(list->items[0].asString(), "C:\\a.txt");
    EXPECT_EQ(list->items[1].asString(), longName);
    EXPECT_EQ(point.asArray()->at1(1).asInteger(), 3);
    EXPECT_EQ(point.asArray()->at1(2).asInteger(), 4);

    SendMessageA(hwndOf(target), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({"C:\\b.txt"}, {3, 4}, true)), 0);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(rt::send(target, "aDropFiles").asArray()->size(), 2u);
    clearEvents(*target.asObject());
}

TEST_F(InputTest, StateRequestDisablesTheFocusedControlAndMovesOnWithoutAskingIt) {
    Value one = edit("one", 10), two = edit("two", 40);
    int exits = 0;
    rt::send(one, "_OnExit", {counter(exits, Value(false))});
    rt::send(one, "_OnCheckState", {Value(rt::makeBlock([](rt::Args) { return Value(false); }))});
    focus(one);
    rt::send(one, "RequestState");
    EXPECT_FALSE(IsWindowEnabled(hwndOf(one)));
    EXPECT_FALSE(rt::send(one, "lEnabled").asLogical());
    EXPECT_EQ(focused(), hwndOf(two));
    EXPECT_EQ(exits, 0);
    clearEvents(*one.asObject());
}

const rt::Class& menuClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        rt::ClassBuilder b("TTESTPOPUP", nullptr, nullptr);
        b.addData("Handle", 0);
        b.addMethod("DoAction", [](rt::Object&, const rt::Method&, rt::Args a) {
            journal().push_back("DoAction " + std::to_string(rt::arg(a, 0).asInteger()));
            return Value();
        });
        return b.create();
    }();
    return c;
}

Value popupMenu() {
    HMENU m = CreatePopupMenu();
    AppendMenuA(m, MF_STRING, 7, "Seven");
    Value menu(menuClass().instantiate());
    rt::send(menu, "_Handle", {handleValue(m)});
    return menu;
}

TEST_F(InputTest, OnlyOnePopupMenuAtATimeAndTheMarkIsClearedAfterwards) {
    Value pad = named(probeControlClass(), "pad", 10, 10, 60, 60);
    Value first = popupMenu(), second = popupMenu();
    Value during;
    onTimer = [&](const Value& control) {
        during = rt::send(control, "ShowPopupMenu", {second, Value(5), Value(5)});
        EndMenu();
    };
    SetTimer(hwndOf(pad), 1, 30, nullptr);
    EXPECT_FALSE(rt::send(pad, "ShowPopupMenu", {first, Value(5), Value(5)}).asLogical());
    EXPECT_TRUE(during.asLogical()) << "refused while the first is tracked";
    onTimer = [](const Value&) { EndMenu(); };
    SetTimer(hwndOf(pad), 1, 30, nullptr);
    EXPECT_FALSE(rt::send(pad, "ShowPopupMenu", {second, Value(5), Value(5)}).asLogical());
    EXPECT_TRUE(rt::send(form, "oPopup").isNil());
    DestroyMenu(reinterpret_cast<HMENU>(handleOf(first)));
    DestroyMenu(reinterpret_cast<HMENU>(handleOf(second)));
}

}  // namespace
}  // namespace vorpex::testing
