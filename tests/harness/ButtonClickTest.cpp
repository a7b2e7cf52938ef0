// A BUTTON child clicked with BM_CLICK notifies its parent with WM_COMMAND,
// carrying the button's id, BN_CLICKED and the button's handle.
#include "TestWindow.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Command {
    WORD id;
    WORD code;
    HWND control;
};

std::vector<Command> commands;

LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        commands.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND createButton(HWND parent, int id, int x)
{
    return CreateWindowExA(0, "BUTTON", "Aceptar", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                           x, 10, 90, 25, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

} // namespace

TEST(ButtonClick, ClickReachesParentWithButtonId)
{
    commands.clear();
    TestWindow parent(recordingProc);
    ASSERT_NE(parent.handle(), nullptr);

    HWND first = createButton(parent.handle(), 1001, 10);
    HWND second = createButton(parent.handle(), 1002, 110);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);

    SendMessageA(second, BM_CLICK, 0, 0);
    SendMessageA(first, BM_CLICK, 0, 0);

    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].id, 1002);
    EXPECT_EQ(commands[0].code, BN_CLICKED);
    EXPECT_EQ(commands[0].control, second);
    EXPECT_EQ(commands[1].id, 1001);
    EXPECT_EQ(commands[1].control, first);
}
