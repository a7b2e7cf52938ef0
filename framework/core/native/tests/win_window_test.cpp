// Window wrappers against real windows (under Wine in the test run).
#include <gtest/gtest.h>
#include <windows.h>

#include "call.h"
#include "framework/core/native/geometry.h"
#include "framework/core/native/win_window.h"

namespace vorpex {
namespace {

using testing::byRef;
using testing::call;

std::vector<int64_t> items(const rt::Value& v) {
    std::vector<int64_t> out;
    if (auto a = v.asArray())
        for (const auto& item : a->items) out.push_back(item.asInteger());
    return out;
}

int64_t handleOf(HWND h) { return static_cast<int64_t>(reinterpret_cast<intptr_t>(h)); }

// A top-level window made through the callables, as a program makes one.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        call("REGISTERCLASS", {kClass, 0, 0, COLOR_WINDOW + 1});
        window = make(0, WS_OVERLAPPEDWINDOW);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        for (HWND h : made) DestroyWindow(h);
        UnregisterClassA(kClass, win::programInstance());
    }
    HWND make(HWND owner, int64_t style, int width = 300, int height = 200) {
        const rt::Value h = call("CREATEWINDOW", {kClass, "Hello", style, 0, 40, 30, width, height,
                                                  handleOf(owner), 0});
        HWND w = win::toHwnd(static_cast<intptr_t>(h.asInteger()));
        if (w) made.insert(made.begin(), w);
        return w;
    }

    static constexpr const char* kClass = "VorpexNativeTestWindow";
    HWND window = nullptr;
    std::vector<HWND> made;
};

TEST_F(WindowTest, ClientRectInItsThreeForms) {
    RECT expected{};
    GetClientRect(window, &expected);
    const std::vector<int64_t> want{0, 0, expected.right, expected.bottom};
    EXPECT_GT(expected.right, 0);

    EXPECT_EQ(items(call("GETCLIENTRECT", {handleOf(window)})), want);

    const rt::Value given = rt::Value::array({});
    const rt::Value filled = call("GETCLIENTRECT", {handleOf(window), given});
    EXPECT_TRUE(filled.sameAs(given));
    EXPECT_EQ(items(given), want);

    rt::RefCell l, t, r, b;
    EXPECT_EQ(items(call("GETCLIENTRECT", {handleOf(window), byRef(l), byRef(t), byRef(r), byRef(b)})), want);
    EXPECT_EQ((std::vector<int64_t>{l->asInteger(), t->asInteger(), r->asInteger(), b->asInteger()}), want);
}

TEST_F(WindowTest, WindowTextAndState) {
    EXPECT_EQ(call("GETWINDOWTEXT", {handleOf(window)}).asString(), "Hello");
    EXPECT_TRUE(call("SETWINDOWTEXT", {handleOf(window), "Adiós"}).asLogical());
    EXPECT_EQ(call("GETWINDOWTEXT", {handleOf(window)}).asString(), "Adiós");
    EXPECT_FALSE(call("SETWINDOWTEXT", {handleOf(window), 5}).asLogical());
    EXPECT_TRUE(call("ISWINDOW", {handleOf(window)}).asLogical());
    EXPECT_FALSE(call("ISWINDOWVISIBLE", {handleOf(window)}).asLogical());
    EXPECT_FALSE(call("ISWINDOW", {"not a handle"}).asLogical());
    EXPECT_EQ(call("GETCLASSNAME", {handleOf(window)}).asString(), kClass);
    EXPECT_TRUE(call("GETCLASSINFO", {kClass}).asLogical());
    EXPECT_FALSE(call("GETCLASSINFO", {"NoSuchClassHere"}).asLogical());
}

TEST_F(WindowTest, CenterOnAReferenceWindow) {
    HWND reference = make(0, WS_OVERLAPPEDWINDOW, 501, 301);
    SetWindowPos(reference, nullptr, 100, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(call("CENTERWINDOW", {handleOf(window), handleOf(reference)}).asLogical());
    RECT ref{}, own{};
    GetWindowRect(reference, &ref);
    GetWindowRect(window, &own);
    EXPECT_EQ(own.left, (ref.left + ref.right - (own.right - own.left)) >> 1);
    EXPECT_EQ(own.top, (ref.top + ref.bottom - (own.bottom - own.top)) >> 1);
}

TEST_F(WindowTest, HiddenOwnedWindowCentresOnTheOwnersMonitor) {
    HWND dialog = make(window, WS_POPUP | WS_CAPTION, 200, 100);
    ASSERT_FALSE(IsWindowVisible(dialog));
    ASSERT_TRUE(call("CENTERWINDOW", {handleOf(dialog)}).asLogical());
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info));
    RECT own{};
    GetWindowRect(dialog, &own);
    const Point expected = centredOn(win::toRect(info.rcMonitor), own.right - own.left, own.bottom - own.top);
    EXPECT_EQ(own.left, expected.x);
    EXPECT_EQ(own.top, expected.y);
}

TEST_F(WindowTest, PointConversionWritesBack) {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const rt::Value point = rt::Value::array({5, 6});
    EXPECT_EQ(items(call("CLIENTTOSCREEN", {handleOf(window), point})),
              (std::vector<int64_t>{origin.x + 5, origin.y + 6}));
    EXPECT_EQ(items(point), (std::vector<int64_t>{origin.x + 5, origin.y + 6}));
    rt::RefCell x, y;
    call("SCREENTOCLIENT", {handleOf(window), byRef(x, origin.x + 1), byRef(y, origin.y + 2)});
    EXPECT_EQ(x->asInteger(), 1);
    EXPECT_EQ(y->asInteger(), 2);
}

TEST_F(WindowTest, SendMessageToNoWindowSendsNothing) {
    EXPECT_EQ(call("SENDMESSAGE", {0, WM_SETTEXT, 0, "x"}).asInteger(), 0);
    EXPECT_FALSE(call("POSTMESSAGE", {0, WM_NULL, 0, 0}).asLogical());
}

TEST_F(WindowTest, SendMessageNeverWritesIntoTheRuntimesString) {
    const std::string blanks(3, ' ');
    const rt::Value buffer(blanks);  // shorter than the text: the platform must not write past it
    EXPECT_EQ(call("SENDMESSAGE", {handleOf(window), WM_GETTEXT, 100, buffer}).asInteger(), 5);
    EXPECT_EQ(buffer.asString(), blanks);

    // Passed by reference the variable receives what the platform wrote, within its own length.
    rt::RefCell cell;
    const rt::Value ref = byRef(cell, std::string(8, ' '));
    EXPECT_EQ(call("SENDMESSAGE", {handleOf(window), WM_GETTEXT, 8, ref}).asInteger(), 5);
    EXPECT_EQ(cell->asString(), std::string("Hello\0  ", 8));

    EXPECT_EQ(call("SENDMESSAGE", {handleOf(window), WM_SETTEXT, 0, "Changed"}).asInteger(), 1);
    EXPECT_EQ(call("GETWINDOWTEXT", {handleOf(window)}).asString(), "Changed");
}

TEST_F(WindowTest, TextCannotBePosted) {
    EXPECT_FALSE(call("POSTMESSAGE", {handleOf(window), WM_SETTEXT, 0, "x"}).asLogical());
    EXPECT_TRUE(call("POSTMESSAGE", {handleOf(window), WM_NULL, 0, 0}).asLogical());
}

TEST_F(WindowTest, WindowLongsAndMoves) {
    EXPECT_EQ(call("GETWINDOWLONG", {handleOf(window), GWL_STYLE}).asInteger() & WS_CAPTION, WS_CAPTION);
    ASSERT_TRUE(call("MOVEWINDOW", {handleOf(window), 10, 20, 250, 150, false}).asLogical());
    EXPECT_EQ(items(call("GETWINDOWRECT", {handleOf(window)})), (std::vector<int64_t>{10, 20, 260, 170}));
}

}  // namespace
}  // namespace vorpex
