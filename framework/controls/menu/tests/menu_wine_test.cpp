// Menus on a real form under Wine: a bar built with the menu-building functions is the form's native menu, a
// command reaches its item's OnClick once through the form, a pop-up asks OnCheckState when the form is told
// it opens, and an ended item leaves the native menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/controls/menu/menu.h"
#include "framework/core/form/tests/form_fixture.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/block.h"
#include "runtime/core/send.h"
#include "tests/support/function_call.h"

namespace vorpex::testing {
namespace {

using rt::Value;
using rt::testing::call;

class MenuWineTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        registerMenus();
    }
    static HMENU menuOf(const Value& menu) { return reinterpret_cast<HMENU>(rt::send(menu, "Handle").asInteger()); }
    static std::string textAt(HMENU menu, int position) {
        char text[64] = {};
        GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
        return text;
    }
};

TEST_F(MenuWineTest, ABuiltBarIsTheFormsMenuAndACommandClicksItsItemOnce) {
    Value form = plainForm();
    HWND h = hwndOf(form);
    int opened = 0;
    Value sender, menuSeen;
    const Value bar = call("VP_MENUBEGIN", {form});
    call("VP_MENUITEM", {Value("&Archivo")});
    call("VP_MENUBEGIN");
    const Value open = call("VP_MENUITEM", {Value("&Abrir\tCtrl+A"), Value(rt::makeBlock([&](rt::Args a) {
                                                ++opened;
                                                sender = a[0];
                                                menuSeen = a[1];
                                                return Value();
                                            }))});
    const Value close = call("VP_MENUITEM", {Value("&Cerrar")});
    call("VP_MENUEND");
    call("VP_MENUITEM", {Value("A&yuda")});
    call("VP_MENUEND");

    ASSERT_EQ(GetMenu(h), menuOf(bar));
    EXPECT_EQ(GetMenuItemCount(menuOf(bar)), 2);
    EXPECT_EQ(textAt(menuOf(bar), 1), "A&yuda");
    HMENU file = GetSubMenu(menuOf(bar), 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(textAt(file, 0), "&Abrir\tCtrl+A");
    const UINT openId = static_cast<UINT>(rt::send(open, "nId").asInteger());
    EXPECT_EQ(GetMenuItemID(file, 0), openId);

    SendMessageA(h, WM_COMMAND, MAKEWPARAM(openId, 0), 0);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(sender.sameAs(open));
    EXPECT_TRUE(menuSeen.sameAs(rt::send(rt::send(bar, "aItems").asArray()->items[0], "oSubMenu")));

    // Properties reach the native item at once; an ended item leaves the native menu.
    rt::send(close, "_lChecked", {Value(true)});
    rt::send(close, "_cText", {Value("&Salir")});
    const UINT closeId = static_cast<UINT>(rt::send(close, "nId").asInteger());
    EXPECT_TRUE(GetMenuState(file, closeId, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(textAt(file, 1), "&Salir");
    rt::send(close, "End");
    EXPECT_EQ(GetMenuItemCount(file), 1);
}

TEST_F(MenuWineTest, APopupAsksOnCheckStateWhenTheFormIsToldItOpens) {
    Value form = plainForm();
    HWND h = hwndOf(form);
    const Value popup = rt::send(classCall(XPopupMenu::classRecord()), "Create", {form});
    bool allowed = false;
    const Value cut = rt::send(popup, "AddItem", {Value("Cortar")});
    rt::send(cut, "_OnCheckState", {Value(rt::makeBlock([&allowed](rt::Args) { return Value(allowed); }))});
    const UINT cutId = static_cast<UINT>(rt::send(cut, "nId").asInteger());
    HMENU hPopup = menuOf(popup);
    EXPECT_FALSE(GetMenuState(hPopup, cutId, MF_BYCOMMAND) & MF_GRAYED);

    SendMessageA(h, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), 0);
    EXPECT_TRUE(GetMenuState(hPopup, cutId, MF_BYCOMMAND) & MF_GRAYED);
    allowed = true;
    SendMessageA(h, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), 0);
    EXPECT_FALSE(GetMenuState(hPopup, cutId, MF_BYCOMMAND) & MF_GRAYED);
    rt::send(popup, "End");
    EXPECT_FALSE(IsMenu(hPopup));
}

}  // namespace
}  // namespace vorpex::testing
