// LOGDISPLAY under Wine: the log window appears on first use as a topmost tool window captioned "Log" that
// the application does not list (it never becomes the main form), lines land in its memo with the shared
// indentation, its timer writes the separator, and a closed log window is made again.
#include "framework/core/form/tests/form_fixture.h"

#include "framework/core/debug/debug_log.h"
#include "framework/core/debug/log_window.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "tests/support/function_call.h"

namespace vorpex::testing {
namespace {

using rt::Value;

std::string textOf(intptr_t h) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(reinterpret_cast<HWND>(h))) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(reinterpret_cast<HWND>(h), text.data(), static_cast<int>(text.size()))));
    return text;
}

using rt::testing::call;

TEST_F(FormTest, LogDisplayOpensAnUnlistedLogWindowAndWritesTheSeparatorLater) {
    resetLogIndent();
    call("LOGDISPLAY", {"uno", 2});
    LogWindowState log = logWindowState();
    ASSERT_NE(log.form, 0);
    HWND h = reinterpret_cast<HWND>(log.form);
    EXPECT_EQ(textOf(log.form), "Log");
    EXPECT_TRUE(GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(rt::send(app(), "oMainForm").isNil());
    EXPECT_EQ(rt::send(app(), "aForms").asArray()->size(), 0u);

    call("LOGINCINDENT");
    call("LOGDISPLAY", {"dos"});
    call("LOGDECINDENT");
    EXPECT_EQ(textOf(log.memo), "uno 2\r\n  dos\r\n");

    const Value form = controlOfWindow(log.form);
    const Value timer = rt::send(form, "aComponents").asArray()->items.at(0);
    EXPECT_TRUE(rt::send(timer, "lEnabled").asLogical());
    SendMessageA(reinterpret_cast<HWND>(rt::send(timer, "Handle").asInteger()), WM_TIMER, 1, 0);
    RECT client;
    GetClientRect(reinterpret_cast<HWND>(log.memo), &client);
    EXPECT_EQ(textOf(log.memo), "uno 2\r\n  dos\r\n" + std::string(static_cast<size_t>(client.right / 8), '-') + "\r\n");
    EXPECT_FALSE(rt::send(timer, "lEnabled").asLogical());

    closeLogWindow();
    pump();
    call("LOGDISPLAY", {"tres"});
    LogWindowState again = logWindowState();
    ASSERT_NE(again.form, 0);
    EXPECT_EQ(textOf(again.memo), "tres\r\n");
    closeLogWindow();
}

}  // namespace
}  // namespace vorpex::testing
