// The application object and its loops under Wine, with stub forms: the hidden window, Run and the main form's
// succession, modal runs, breaks and quit messages leaving loops, idle release of destroyed windows' objects,
// the hidden window's notifications and hot keys.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/core/app/application.h"
#include "framework/core/app/hot_key_table.h"
#include "framework/core/app/message_loop.h"
#include "framework/core/app/tests/stub_form.h"
#include "framework/core/gdi/message_box.h"
#include "framework/core/object/event.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/block.h"
#include "runtime/core/callback_guard.h"
#include "runtime/core/error.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {
namespace {

using testing::handleOf;
using testing::makeStubForm;
using testing::postAction;
using testing::setAction;

rt::Value app() { return rt::publicVar("Application"); }
rt::Value property(const char* name) { return rt::send(app(), name); }

void drainQueue() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message != WM_QUIT) DispatchMessageA(&m);
    }
}

struct ApplicationTest : ::testing::Test {
    void SetUp() override {
        rt::resetForTests();
        testing::destroyedForms().clear();
        setMessageBoxHook([this](const MessageBoxRequest& r) {
            boxes.push_back(r);
            return 1;
        });
        initializeApplication();
        ASSERT_TRUE(app().isObject());
    }
    void TearDown() override {
        rt::Value a = app();
        if (a.isObject()) {
            std::vector<rt::Value> forms = rt::send(a, "aForms").asArray()->items;
            for (const rt::Value& f : forms) DestroyWindow(handleOf(f));
            rt::send(a, "End");
        }
        drainQueue();
        windowLinks().freeReleased();
        rt::clearPendingBreak();
        hotKeys().clear();
        setMessageBoxHook({});
    }
    std::vector<MessageBoxRequest> boxes;
};

TEST_F(ApplicationTest, InitializeMakesOneApplicationWithAHiddenWindowNamedAfterItsClass) {
    HWND h = reinterpret_cast<HWND>(property("Handle").asInteger());
    ASSERT_TRUE(IsWindow(h));
    char name[64] = {};
    GetClassNameA(h, name, sizeof name);
    EXPECT_STREQ(name, "TApplication");
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_TRUE(rt::send(rt::Value(TApplication::classRecord().instantiate()), "Initialize").sameAs(app()));
    EXPECT_EQ(property("cTitle").asString(), "");
    EXPECT_EQ(property("aArguments").asArray()->size(), 0u);
    std::string dir = property("cDirectory").asString();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '\\');
    EXPECT_EQ(property("cFileName").asString().rfind(dir, 0), 0u);
    EXPECT_EQ(property("CurrentDir").asString().back(), '\\');
    EXPECT_EQ(property("DecimalSeparator").asString(), ".");

    rt::send(app(), "_cTitle", {rt::Value("Vorpex")});
    rt::send(app(), "MessageBox", {rt::Value("hola")});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "hola");
    EXPECT_EQ(boxes[0].caption, "Vorpex");
    EXPECT_EQ(boxes[0].type, 64u);
}

TEST_F(ApplicationTest, RunWithoutFormsReturnsAtOnce) {
    EXPECT_TRUE(rt::send(app(), "Run").isNil());
}

TEST_F(ApplicationTest, ClosingTheMainFormPromotesAVisibleFormAndClosingTheLastEndsRun) {
    rt::Value a = makeStubForm("a"), b = makeStubForm("b");
    setAction(a, [](const rt::Value& f) { DestroyWindow(handleOf(f)); });
    setAction(b, [](const rt::Value& f) {
        EXPECT_TRUE(rt::send(app(), "oMainForm").sameAs(f));  // promoted when a closed
        DestroyWindow(handleOf(f));
    });
    postAction(a);
    postAction(b);
    rt::send(app(), "Run");
    EXPECT_TRUE(property("oMainForm").isNil());
    EXPECT_EQ(property("aForms").asArray()->size(), 0u);
    EXPECT_FALSE(IsWindow(handleOf(b)));
}

TEST_F(ApplicationTest, ClosingTheMainFormWithOnlyHiddenFormsLeftDestroysThemAndEndsRun) {
    rt::Value a = makeStubForm("a"), h1 = makeStubForm("h1", false), h2 = makeStubForm("h2", false);
    setAction(a, [](const rt::Value& f) { DestroyWindow(handleOf(f)); });
    postAction(a);
    rt::send(app(), "Run");
    EXPECT_EQ(testing::destroyedForms(), (std::vector<std::string>{"h1", "h2"}));
    EXPECT_FALSE(IsWindow(handleOf(h1)));
    EXPECT_FALSE(IsWindow(handleOf(h2)));
    EXPECT_TRUE(property("lTerminate").asLogical());
}

TEST_F(ApplicationTest, ModalRunEndsWhenItsFormIsHiddenAndReenablesTheOthers) {
    rt::Value main = makeStubForm("main"), other = makeStubForm("other"), dialog = makeStubForm("dialog", false);
    bool othersDisabled = false;
    setAction(dialog, [&](const rt::Value& f) {
        othersDisabled = !IsWindowEnabled(handleOf(main)) && !IsWindowEnabled(handleOf(other));
        rt::send(f, "_nModalResult", {rt::Value(1)});
        ShowWindow(handleOf(f), SW_HIDE);  // what closing a modal form does
    });
    postAction(dialog);
    rt::Value result = formShowModal(*dialog.asObject(), {});
    EXPECT_EQ(result.asInteger(), 1);
    EXPECT_TRUE(othersDisabled);
    EXPECT_TRUE(IsWindowEnabled(handleOf(main)));
    EXPECT_TRUE(IsWindowEnabled(handleOf(other)));
    EXPECT_TRUE(rt::send(dialog, "lModal").asLogical());
}

TEST_F(ApplicationTest, BreakInAHandlerLeavesTheModalLoopAndTheFormsAreReenabled) {
    rt::Value main = makeStubForm("main"), dialog = makeStubForm("dialog", false);
    auto previous = rt::setErrorHandler([](rt::Error&) { return rt::ErrorAnswer{rt::ErrorAction::Break, {}}; });
    setAction(dialog, [](const rt::Value&) {
        rt::Error e;
        e.description = "failure inside a handler";
        rt::raise(e);
    });
    postAction(dialog);
    EXPECT_THROW(formShowModal(*dialog.asObject(), {}), rt::Break);
    rt::setErrorHandler(previous);
    EXPECT_TRUE(IsWindowEnabled(handleOf(main)));
    EXPECT_FALSE(rt::breakPending());
    // The window procedure returned normally: the dialog still answers messages.
    EXPECT_EQ(SendMessageA(handleOf(dialog), WM_GETTEXTLENGTH, 0, 0), 6);
}

TEST_F(ApplicationTest, QuitMessageEndsNestedLoopsAndRun) {
    rt::Value main = makeStubForm("main"), dialog = makeStubForm("dialog", false);
    bool modalReturned = false;
    setAction(main, [&](const rt::Value&) {
        postAction(dialog);
        formShowModal(*dialog.asObject(), {});
        modalReturned = true;
    });
    setAction(dialog, [](const rt::Value&) { PostQuitMessage(3); });
    postAction(main);
    rt::send(app(), "Run");
    EXPECT_TRUE(modalReturned);
    EXPECT_TRUE(IsWindow(handleOf(main)));  // Run ended because of the quit message, not the window
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));  // not left for later loops
}

int64_t g_target = 0;
int g_ticks = 0;

// Ends the run once the destroyed form's object is gone (or after enough tries to tell that it never goes).
void CALLBACK endWhenReleased(HWND h, UINT, UINT_PTR, DWORD) {
    if (rt::Object::liveCount() == g_target || ++g_ticks > 100) DestroyWindow(h);
}

void CALLBACK endRun(HWND h, UINT, UINT_PTR id, DWORD) {
    KillTimer(h, id);
    DestroyWindow(h);
}

TEST_F(ApplicationTest, WindowDestroyedByItsOwnHandlerIsReleasedAtTheNextIdlePass) {
    rt::Value main = makeStubForm("main"), doomed = makeStubForm("doomed");
    const int64_t withBoth = rt::Object::liveCount();
    int64_t afterDestroy = -1;
    setAction(doomed, [&](const rt::Value& f) {
        DestroyWindow(handleOf(f));
        afterDestroy = rt::Object::liveCount();  // unlinked and off the list, yet held until the idle pass
    });
    postAction(doomed);
    doomed = rt::Value();
    // The idle pass runs when the queue is empty; a timer wakes the loop afterwards.
    g_target = withBoth - 1;
    g_ticks = 0;
    SetTimer(handleOf(main), 1, 20, endWhenReleased);
    rt::send(app(), "Run");
    EXPECT_EQ(afterDestroy, withBoth);
    EXPECT_LE(g_ticks, 100);
    main = rt::Value();
    windowLinks().freeReleased();
    EXPECT_EQ(rt::Object::liveCount(), withBoth - 2);  // both forms gone: nothing else held them
}

TEST_F(ApplicationTest, HiddenWindowNotificationsFireTheApplicationEvents) {
    rt::Value percent, section;
    auto& self = *app().asObject();
    assignEvent(self, XApplication::OnCompacting, rt::Value(rt::makeBlock([&](rt::Args a) {
                    percent = rt::arg(a, 1);
                    return rt::Value(0);
                })));
    assignEvent(self, XApplication::OnSettingChange, rt::Value(rt::makeBlock([&](rt::Args a) {
                    section = rt::arg(a, 1);
                    return rt::Value(7);
                })));
    HWND h = reinterpret_cast<HWND>(property("Handle").asInteger());
    EXPECT_EQ(SendMessageA(h, WM_COMPACTING, 32768, 0), 0);
    EXPECT_DOUBLE_EQ(percent.asDouble(), 50.0);
    EXPECT_EQ(SendMessageA(h, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl")), 7);
    EXPECT_EQ(section.asString(), "intl");
    EXPECT_EQ(SendMessageA(h, WM_TIMECHANGE, 0, 0), 0);  // unassigned: default processing
}

// Keys as the keyboard produces them (SendInput), so that GetKeyboardState sees the modifiers.
UINT pressKeys(std::initializer_list<std::pair<WORD, bool>> strokes) {
    std::vector<INPUT> keys;
    for (auto [key, up] : strokes) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = key;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        keys.push_back(in);
    }
    return SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

TEST_F(ApplicationTest, HotKeyFiresOnlyForItsExactModifiers) {
    rt::Value main = makeStubForm("main");
    HWND h = handleOf(main);
    SetForegroundWindow(h);
    SetFocus(h);
    int ctrlF5 = 0;
    auto set = [](int key, int modifiers, rt::Value block) {
        const rt::Value args[] = {rt::Value(key), rt::Value(modifiers), block};
        hotKeys().set(args);
    };
    set(VK_F5, 8, rt::Value(rt::makeBlock([&](rt::Args) {
            ++ctrlF5;
            return rt::Value();
        })));
    set(VK_F6, 0, rt::Value(rt::makeBlock([h](rt::Args) {
            DestroyWindow(h);  // the last key: ends the run
            return rt::Value();
        })));
    UINT sent = pressKeys({{VK_CONTROL, false}, {VK_SHIFT, false}, {VK_F5, false}, {VK_F5, true}, {VK_SHIFT, true},
                           {VK_F5, false}, {VK_F5, true}, {VK_CONTROL, true}, {VK_F6, false}, {VK_F6, true}});
    if (sent != 10) GTEST_SKIP() << "SendInput is not available here";
    // A safety net, not a measurement: if the keys never arrive, the loop still ends.
    SetTimer(h, 2, 5000, endRun);
    rt::send(app(), "Run");
    EXPECT_EQ(ctrlF5, 1);  // Ctrl+Shift+F5 is another key
}

}  // namespace
}  // namespace vorpex
