// GDI wrappers drawing into a memory bitmap, and message boxes answered through the hook, under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "framework/core/gdi/gdi_functions.h"
#include "framework/core/gdi/message_box.h"
#include "framework/core/gdi/win_gdi.h"
#include "runtime/core/runtime.h"
#include "tests/support/function_call.h"
#include "tests/support/memory_canvas.h"

namespace vorpex {
namespace {

rt::Value call(std::string_view name, std::vector<rt::Value> args = {}) {
    registerGdiFunctions();
    return rt::testing::call(name, std::move(args));
}

int64_t num(const void* h) { return static_cast<int64_t>(reinterpret_cast<intptr_t>(h)); }

// A 32x32 memory canvas, cleared to white.
class MemoryDcTest : public ::testing::Test {
protected:
    COLORREF at(int x, int y) const { return canvas.at(x, y); }

    testing::MemoryCanvas canvas{32, 32, RGB(255, 255, 255)};
    HDC dc = canvas.dc();
};

TEST_F(MemoryDcTest, RaisedAndSunkenBoxes) {
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    ASSERT_NE(light, dark);
    call("DRAWRAISEDBOX", {num(dc), rt::Value::array({0, 0, 9, 9})});
    EXPECT_EQ(at(5, 0), light);
    EXPECT_EQ(at(0, 5), light);
    EXPECT_EQ(at(5, 9), dark);
    EXPECT_EQ(at(9, 5), dark);
    call("DRAWSUNKENBOX", {num(dc), rt::Value::array({0, 0, 9, 9})});
    EXPECT_EQ(at(5, 0), dark);
    EXPECT_EQ(at(9, 5), light);
}

TEST_F(MemoryDcTest, DrawBoxTakesThePenAsSixthArgument) {
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    call("DRAWBOX", {num(dc), rt::Value::array({2, 2, 20, 20}), 0, 0, 0, num(red)});
    EXPECT_EQ(at(2, 10), RGB(255, 0, 0));
    EXPECT_EQ(at(20, 10), RGB(255, 0, 0));
    EXPECT_EQ(at(10, 20), RGB(255, 0, 0));
    EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), red);  // the previous pen is back
    call("DRAWBOX", {num(dc), rt::Value::array({4, 4, 10, 10})});
    EXPECT_EQ(at(4, 7), RGB(0, 0, 0));
    DeleteObject(red);
}

TEST_F(MemoryDcTest, FillsFromShortArraysAndGradients) {
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    call("FILLRECT", {num(dc), rt::Value::array({0, 0, 4}), num(blue)});
    EXPECT_EQ(at(1, 1), RGB(255, 255, 255));  // the missing bottom reads as 0: an empty rectangle
    EXPECT_TRUE(call("FILLRECT", {num(dc), rt::Value::array({0, 0, 4, 4}), num(blue)}).asLogical());
    EXPECT_EQ(at(1, 1), RGB(0, 0, 255));
    EXPECT_FALSE(call("FILLRECT", {num(dc), "0,0,4,4", num(blue)}).asLogical());
    DeleteObject(blue);

    ASSERT_TRUE(call("VP_GRADIENTFILLH", {num(dc), rt::Value::array({0, 10, 32, 20}), RGB(255, 0, 0), RGB(0, 0, 255)})
                    .asLogical());
    EXPECT_GT(GetRValue(at(0, 15)), 200);
    EXPECT_GT(GetBValue(at(31, 15)), 200);
}

TEST_F(MemoryDcTest, TextAlignSucceedsFromTheDefaultAlignment) {
    ASSERT_EQ(GetTextAlign(dc), 0u);  // the previous alignment is 0, yet the call succeeds
    EXPECT_TRUE(call("SETTEXTALIGN", {num(dc), TA_CENTER}).asLogical());
    EXPECT_EQ(GetTextAlign(dc) & TA_CENTER, static_cast<UINT>(TA_CENTER));
}

TEST_F(MemoryDcTest, DrawTextNeverWritesIntoTheCallersText) {
    const std::string text = "A rather long text for a tiny rectangle";
    const rt::Value v(text);
    const int64_t height =
        call("DRAWTEXT", {num(dc), v, rt::Value::array({0, 0, 20, 16}),
                          DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING}).asInteger();
    EXPECT_GT(height, 0);
    EXPECT_EQ(v.asString(), text);
    EXPECT_EQ(call("DRAWTEXT", {num(dc), 5, rt::Value::array({0, 0, 20, 16})}).asInteger(), 0);
}

TEST(GdiFunctions, InflateRectReturnsTheInflatedRectangle) {
    const rt::Value r = rt::Value::array({10, 10, 20, 20});
    const rt::Value answer = call("INFLATERECT", {r, 2, 3});
    EXPECT_TRUE(answer.sameAs(r));
    EXPECT_EQ(rectFrom(r), (Rect{8, 7, 22, 23}));
    EXPECT_EQ(call("INFLATERECT", {"x", 1, 1}).asArray()->size(), 0u);
}

TEST(GdiFunctions, DrawItemRecord) {
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_LISTBOX;
    d.CtlID = 1001;
    d.itemID = static_cast<UINT>(-1);
    d.rcItem = {1, 2, 3, 4};
    d.itemData = 42;
    auto a = call("VP_DRAWITEMSTRUCT", {num(&d)}).asArray();
    ASSERT_TRUE(a && a->size() == 9);
    EXPECT_EQ(a->at1(1).asInteger(), ODT_LISTBOX);
    EXPECT_EQ(a->at1(3).asInteger(), 0);
    EXPECT_EQ(rectFrom(a->at1(8)), (Rect{1, 2, 3, 4}));
    EXPECT_EQ(a->at1(9).asInteger(), 42);
}

TEST(GdiFunctions, SystemErrorText) {
    EXPECT_FALSE(call("VP_GETSYSERROR", {ERROR_FILE_NOT_FOUND}).asString().empty());
    EXPECT_EQ(call("VP_GETSYSERROR", {"2"}).asString(), "");
    EXPECT_GT(win::screenColors(), 0);
}

TEST(GdiFunctions, ResourceLookupUsesTheRegisteredModulesInOrder) {
    win::setResourceModules([] { return std::vector<intptr_t>{reinterpret_cast<intptr_t>(GetModuleHandleA("user32.dll")), 0, 99}; });
    const auto modules = win::resourceModules();
    ASSERT_EQ(modules.size(), 1u);  // the first empty slot ends the list
    EXPECT_NE(call("VP_LOADCURSOR", {32512}).asInteger(), 0);  // IDC_ARROW lives in user32
    EXPECT_EQ(call("VP_LOADIMAGE", {"NO_SUCH_BITMAP", IMAGE_BITMAP, 0, 0, 0}).asInteger(), 0);
    win::setResourceModules(nullptr);
    EXPECT_EQ(win::resourceModules().front(), GetModuleHandleA(nullptr));
}

// A real window is active; every box answered through the hook, none waits for a person.
TEST(MessageBoxes, AnsweredThroughTheHookOwnedByTheActiveWindow) {
    HWND window = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    SetActiveWindow(window);
    std::vector<MessageBoxRequest> shown;
    auto previous = setMessageBoxHook([&](const MessageBoxRequest& r) {
        shown.push_back(r);
        return mb::IdYes;
    });
    EXPECT_TRUE(call("MSGYESNO", {"Continue?", "Caption"}).asLogical());
    EXPECT_EQ(call("MESSAGEBOX", {0, "x", "", 0}).asInteger(), mb::IdYes);
    EXPECT_EQ(call("MSGBOX", {"x", "c", MB_OK | MB_TASKMODAL}).asInteger(), mb::IdYes);
    setMessageBoxHook(previous);
    DestroyWindow(window);

    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, "Continue?");
    EXPECT_EQ(shown[0].type, 0x24u);
    EXPECT_EQ(shown[1].owner, reinterpret_cast<intptr_t>(window));
    EXPECT_EQ(shown[1].type, 0x40u);
    EXPECT_EQ(shown[1].caption, "win_gdi_tests");  // no Application object: the program's name
    EXPECT_EQ(shown[2].owner, 0);                  // task-modal boxes have no owner
}

}  // namespace
}  // namespace vorpex
