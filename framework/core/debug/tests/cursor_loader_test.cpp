// The cursor loader under Wine, with the framework's cursors as the program's own resources: a resource cursor
// is built once and handed out again, a system cursor is the system's shared one, and a missing name loads
// nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/core/debug/cursor_loader.h"
#include "framework/core/debug/debug_functions.h"
#include "runtime/core/runtime.h"

namespace vorpex {
namespace {

TEST(CursorLoader, ResourceAndSystemCursors) {
    HINSTANCE program = GetModuleHandleA(nullptr);
    HCURSOR drag = win::loadFrameworkCursor(program, "VP_CUR_DRAG");
    ASSERT_NE(drag, nullptr);
    EXPECT_EQ(win::loadFrameworkCursor(program, "VP_CUR_DRAG"), drag);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(drag, &info));
    EXPECT_FALSE(info.fIcon);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);

    EXPECT_EQ(win::loadFrameworkCursor(nullptr, IDC_ARROW), LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(win::loadFrameworkCursor(program, "VP_NO_SUCH_CURSOR"), nullptr);

    registerDebugFunctions();
    const rt::Value args[] = {rt::Value(reinterpret_cast<intptr_t>(program)), rt::Value("VP_CUR_DRAG")};
    EXPECT_EQ((*rt::findFunction("LOADCURSORA"))(args).asInteger(), reinterpret_cast<intptr_t>(drag));
}

}  // namespace
}  // namespace vorpex
