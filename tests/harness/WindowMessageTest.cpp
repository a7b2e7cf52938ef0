// A message sent to a window reaches the test's own window procedure, and the
// procedure's answer comes back to the sender.
#include "TestWindow.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kAsk = WM_APP + 7;

LRESULT CALLBACK answeringProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kAsk)
        return static_cast<LRESULT>(wParam) * 100 + lParam;
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

TEST(WindowMessage, ProcedureAnswersCustomMessage)
{
    TestWindow window(answeringProc);
    ASSERT_NE(window.handle(), nullptr) << "CreateWindowEx failed: " << GetLastError();

    struct Case { WPARAM wParam; LPARAM lParam; LRESULT expected; };
    const Case cases[] = {{0, 0, 0}, {4, 2, 402}, {1000, -1, 99999}};
    for (const Case& c : cases)
        EXPECT_EQ(SendMessageA(window.handle(), kAsk, c.wParam, c.lParam), c.expected)
            << "wParam " << c.wParam << ", lParam " << c.lParam;
}

TEST(WindowMessage, UnhandledMessagesReachDefaultProcedure)
{
    TestWindow window(answeringProc);
    ASSERT_NE(window.handle(), nullptr);

    ASSERT_TRUE(SetWindowTextA(window.handle(), "Vorpex demo"));
    char text[32] = {};
    EXPECT_EQ(SendMessageA(window.handle(), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 11);
    EXPECT_STREQ(text, "Vorpex demo");
}
