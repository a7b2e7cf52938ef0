// WindowProc with real windows under Wine: objects answering messages, result rules, superclassed controls,
// lifetime of objects unlinked inside their own handlers, and the window-to-object look-up.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/callback_guard.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/error.h"
#include "runtime/core/frame.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {
namespace {

constexpr UINT kVorpex = WM_USER + 1;
constexpr int kButtonId = 101;

// What the probe classes' methods saw and what they answer.
struct Probe {
    rt::Value answer;                // answer of HandleEvent for WM_GETTEXTLENGTH
    std::vector<int64_t> command;    // last WMCommand arguments
    rt::Value commandSender;         // the control found from WMCommand's lParam
    bool destroyInHandler = false;
    bool raiseInHandler = false;
} probe;

rt::Value callByName(const char* name, const rt::Value& argument) {
    const rt::Value args[] = {argument};
    return (*rt::findFunction(name))(args);
}

const rt::Class& formClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        rt::ClassBuilder b("TPROBEFORM", nullptr, nullptr);
        b.addData("Handle", 0);
        b.addMethod("ClassName", [](rt::Object&, const rt::Method&, rt::Args) { return rt::Value("TProbeForm"); });
        b.addMethod("Link", linkMethod);
        b.addMethod("Unlink", unlinkMethod);
        b.addMethod("RegisterClass", registerClassMethod);
        b.addMethod("HandleEvent", [](rt::Object&, const rt::Method&, rt::Args a) -> rt::Value {
            return rt::arg(a, 0).asInteger() == WM_GETTEXTLENGTH ? probe.answer : rt::Value();
        });
        b.addMethod("WMCommand", [](rt::Object&, const rt::Method&, rt::Args a) -> rt::Value {
            probe.command.clear();
            for (const rt::Value& v : a) probe.command.push_back(v.asInteger());
            probe.commandSender = callByName("GETCONTROLFROMHANDLE", a[1]);
            return rt::Value(0);
        });
        b.addMethod("WMVorpex", [](rt::Object& self, const rt::Method&, rt::Args a) -> rt::Value {
            if (probe.raiseInHandler) {
                rt::Error e;
                e.description = "raised in a handler";
                rt::raise(e);  // the default handler answers break
            }
            if (probe.destroyInHandler) DestroyWindow(reinterpret_cast<HWND>(rt::arg(a, 2).asInteger()));
            (void)self;
            return rt::Value(42);
        });
        b.addMethod("WMNCDestroy", [](rt::Object& self, const rt::Method&, rt::Args) -> rt::Value {
            rt::send(self, "Unlink");
            return rt::Value();
        });
        return b.create();
    }();
    return c;
}

const rt::Class& buttonClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        rt::ClassBuilder b("TPROBEBUTTON", nullptr, nullptr);
        b.addData("Handle", 0);
        b.addData("cWinClassName", "BUTTON");
        b.addMethod("ClassName", [](rt::Object&, const rt::Method&, rt::Args) { return rt::Value("TProbeButton"); });
        b.addMethod("Link", linkMethod);
        b.addMethod("RegisterClass", registerClassMethod);
        return b.create();
    }();
    return c;
}

// Link, create, end the creation: the order the framework's controls and forms follow.
HWND createLinked(rt::ObjectPtr o, const char* cls, DWORD style, HWND parent, int id = 0) {
    EXPECT_TRUE(rt::send(rt::Value(o), "RegisterClass").asLogical());
    rt::send(rt::Value(o), "Link");
    HWND h = CreateWindowExA(0, cls, "Hello", style, 10, 10, 200, 100, parent,
                             reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), GetModuleHandleA(nullptr), nullptr);
    windowCreationEnded();
    rt::send(rt::Value(o), "_Handle", {rt::Value(reinterpret_cast<intptr_t>(h))});
    return h;
}

struct WindowProcTest : ::testing::Test {
    void SetUp() override {
        registerWindowFunctions();
        probe = Probe{};
        baseline = rt::Object::liveCount();
    }
    void TearDown() override {
        if (form && IsWindow(form)) DestroyWindow(form);
        windowLinks().freeReleased();
        rt::clearPendingBreak();
    }
    HWND makeForm(rt::ObjectPtr& o) {
        o = formClass().instantiate();
        form = createLinked(o, "TProbeForm", WS_OVERLAPPEDWINDOW, nullptr);
        return form;
    }
    HWND form = nullptr;
    int64_t baseline = 0;
};

TEST_F(WindowProcTest, WindowClassIsNamedAfterClassNameAndMessagesReachTheObject) {
    rt::ObjectPtr o;
    HWND h = makeForm(o);
    ASSERT_NE(h, nullptr);
    char name[64] = {};
    GetClassNameA(h, name, sizeof name);
    EXPECT_STREQ(name, "TProbeForm");
    EXPECT_EQ(SendMessageA(h, kVorpex, 0, 0), 42);
    EXPECT_EQ(getControlFromHandle(reinterpret_cast<intptr_t>(h)), o);
}

TEST_F(WindowProcTest, MethodAnswersBecomeResultsAndNilLetsTheDefaultRun) {
    rt::ObjectPtr o;
    HWND h = makeForm(o);  // title "Hello": the default WM_GETTEXTLENGTH answers 5
    struct Case {
        rt::Value answer;
        LRESULT result;
    } cases[] = {{rt::Value(), 5}, {rt::Value(0), 0}, {rt::Value(false), 0},
                 {rt::Value(true), 1}, {rt::Value(2.7), 2}, {rt::Value(9), 9}};
    for (const Case& c : cases) {
        probe.answer = c.answer;
        EXPECT_EQ(SendMessageA(h, WM_GETTEXTLENGTH, 0, 0), c.result) << c.answer.typeCode();
    }
}

TEST_F(WindowProcTest, SuperclassedButtonStillClicksAndItsCommandReachesTheForm) {
    rt::ObjectPtr o, b = buttonClass().instantiate();
    HWND h = makeForm(o);
    HWND button = createLinked(b, "TProbeButton", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, h, kButtonId);
    ASSERT_NE(button, nullptr);
    char name[64] = {};
    GetClassNameA(button, name, sizeof name);
    EXPECT_STREQ(name, "TProbeButton");

    SendMessageA(button, BM_CLICK, 0, 0);  // handled by the button's own procedure, unhandled by the object
    ASSERT_EQ(probe.command.size(), 4u);
    EXPECT_EQ(LOWORD(probe.command[0]), kButtonId);
    EXPECT_EQ(HIWORD(probe.command[0]), BN_CLICKED);
    EXPECT_EQ(probe.command[1], reinterpret_cast<intptr_t>(button));
    EXPECT_EQ(probe.command[3], WM_COMMAND);
    EXPECT_EQ(probe.commandSender.asObject(), b);
    char text[16] = {};
    GetWindowTextA(button, text, sizeof text);  // the button's procedure keeps serving the rest
    EXPECT_STREQ(text, "Hello");
}

TEST_F(WindowProcTest, ExistingControlIsSubclassedByLinkAndRestoredByUnlink) {
    rt::ObjectPtr o;
    HWND h = makeForm(o);
    HWND edit = CreateWindowExA(0, "EDIT", "abc", WS_CHILD, 0, 0, 50, 20, h, nullptr, nullptr, nullptr);
    LONG_PTR own = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    rt::ObjectPtr wrapper = formClass().instantiate();
    rt::send(rt::Value(wrapper), "_Handle", {rt::Value(reinterpret_cast<intptr_t>(edit))});
    rt::send(rt::Value(wrapper), "Link");
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), windowProcAddress());
    EXPECT_EQ(SendMessageA(edit, kVorpex, 0, 0), 42);
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), 3);  // NIL: the edit's own procedure answers
    rt::send(rt::Value(wrapper), "Unlink");
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), own);
    EXPECT_EQ(SendMessageA(edit, kVorpex, 0, 0), 0);
}

TEST_F(WindowProcTest, WindowDestroyedInItsOwnHandlerKeepsItsObjectUntilTheIdlePass) {
    {
        rt::ObjectPtr o;
        HWND h = makeForm(o);
        probe.destroyInHandler = true;
        o.reset();  // from now on only the link holds the object
        EXPECT_EQ(SendMessageA(h, kVorpex, 0, 0), 42);  // the handler ran to its end on a live object
        EXPECT_FALSE(IsWindow(h));
    }
    form = nullptr;
    EXPECT_EQ(rt::Object::liveCount(), baseline + 1);
    windowLinks().freeReleased();
    EXPECT_EQ(rt::Object::liveCount(), baseline);
}

TEST_F(WindowProcTest, BreakInAHandlerBecomesPendingInsteadOfUnwindingThroughWindows) {
    rt::ObjectPtr o;
    HWND h = makeForm(o);
    auto previous = rt::setErrorHandler([](rt::Error&) { return rt::ErrorAnswer{rt::ErrorAction::Break, {}}; });
    probe.raiseInHandler = true;
    EXPECT_EQ(SendMessageA(h, kVorpex, 0, 0), 0);  // default processing of an unknown message
    rt::setErrorHandler(previous);
    EXPECT_TRUE(rt::breakPending());
    EXPECT_THROW(rt::rethrowPendingBreak(), rt::Break);
}

TEST_F(WindowProcTest, NoObjectForZeroOrForeignWindows) {
    HWND plain = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(plain, GWLP_USERDATA, 0x1234);  // somebody else's data
    for (intptr_t h : {intptr_t(0), reinterpret_cast<intptr_t>(GetDesktopWindow()), reinterpret_cast<intptr_t>(plain)})
        EXPECT_TRUE(callByName("GETCONTROLFROMHANDLE", rt::Value(h)).isNil()) << h;
    DestroyWindow(plain);
}


// The click's road as forms and controls travel it: the button's WM_COMMAND reaches the form's WMCommand, which
// finds the control by its window and fires the control's OnClick, bound by name to a method of the form.
const EventRef kOnClick{"OnClick"};
rt::Value g_clickSender;

const rt::Class& clickButtonClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("TClickButton", &TComponent::classRecord(), nullptr);
        b.addData("Handle", 0);
        b.addData("cWinClassName", "BUTTON");
        b.addEvent("OnClick", rt::scope::Published, "oSender");
        b.addMethod("Link", linkMethod);
        b.addMethod("RegisterClass", registerClassMethod);
        return b.create();
    }();
    return c;
}

const rt::Class& clickFormClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("TClickForm", &TComponent::classRecord(), nullptr);
        b.addData("Handle", 0);
        b.addMethod("Link", linkMethod);
        b.addMethod("RegisterClass", registerClassMethod);
        b.addMethod("WMCommand", [](rt::Object&, const rt::Method&, rt::Args a) -> rt::Value {
            rt::ObjectPtr control = getControlFromHandle(static_cast<intptr_t>(rt::arg(a, 1).asInteger()));
            if (!control || HIWORD(rt::arg(a, 0).asInteger()) != BN_CLICKED) return rt::Value();
            fireEvent(*control, kOnClick);
            return rt::Value(0);
        });
        b.addMethod("Button1Click", [](rt::Object&, const rt::Method&, rt::Args a) -> rt::Value {
            g_clickSender = rt::arg(a, 0);
            return rt::Value();
        });
        return b.create();
    }();
    return c;
}

TEST_F(WindowProcTest, ButtonClickReachesTheFormsHandlerMethodWithTheButtonAsSender) {
    rt::ObjectPtr f = clickFormClass().instantiate(), b = clickButtonClass().instantiate();
    form = createLinked(f, "TClickForm", WS_OVERLAPPEDWINDOW, nullptr);
    HWND button = createLinked(b, "TClickButton", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, form, kButtonId);
    {
        rt::FrameGuard setUp(f.get(), &f->objectClass(), rt::Symbol::intern("CreateForm"));  // the form binds
        assignEvent(*b, kOnClick, rt::Value("Button1Click"));
    }
    g_clickSender = rt::Value();
    SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(g_clickSender.asObject(), b);
}

// An MDI frame: its client window is created and linked, and the frame's default processing goes through
// DefFrameProc from then on (which keeps the client filling the frame).
const rt::Class& mdiClientClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        rt::ClassBuilder b("TPROBEMDICLIENT", nullptr, nullptr);
        b.addData("Handle", 0);
        b.addData("oParent");
        b.addData("nId", 0);
        b.addData("nExStyle", 0);
        b.addMethod("CreateMDIClient", createMdiClientMethod);
        return b.create();
    }();
    return c;
}

TEST_F(WindowProcTest, MdiClientIsCreatedLinkedAndServesTheFramesDefaultProcessing) {
    rt::ObjectPtr frame;
    HWND h = makeForm(frame);
    rt::ObjectPtr client = mdiClientClass().instantiate();
    rt::send(rt::Value(client), "_oParent", {rt::Value(frame)});
    ASSERT_TRUE(rt::send(rt::Value(client), "CreateMDIClient").asLogical());
    HWND hClient = reinterpret_cast<HWND>(handleOf(rt::Value(client)));
    char name[32] = {};
    GetClassNameA(hClient, name, sizeof name);
    EXPECT_STREQ(name, "MDIClient");
    EXPECT_EQ(getControlFromHandle(reinterpret_cast<intptr_t>(hClient)), client);
    EXPECT_EQ(windowLinks().find(reinterpret_cast<intptr_t>(h))->mdiClient, reinterpret_cast<intptr_t>(hClient));
    SendMessageA(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(150, 90));
    RECT r{};
    GetWindowRect(hClient, &r);
    EXPECT_EQ(r.right - r.left, 150);
    EXPECT_EQ(r.bottom - r.top, 90);
}

}  // namespace
}  // namespace vorpex
