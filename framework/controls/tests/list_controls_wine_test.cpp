// Combo boxes and list boxes on real windows under Wine: the items read back from the window with
// LB_GETTEXT / CB_GETLBTEXT after every kind of change, before and after the window exists; the selection
// events; the drop-down's edit part adopted as an in-place editor; the list box printing itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/controls.h"
#include "framework/controls/list/combo_box.h"
#include "framework/controls/list/list_box.h"
#include "framework/core/control/tests/control_fixture.h"
#include "runtime/core/block.h"
#include "runtime/core/send.h"
#include "tests/support/memory_canvas.h"

namespace vorpex::testing {
namespace {

using rt::Value;
using Texts = std::vector<std::string>;

Texts windowTexts(HWND h, bool combo) {
    Texts texts;
    const LRESULT count = SendMessageA(h, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char buffer[128] = "";
        SendMessageA(h, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
        texts.emplace_back(buffer);
    }
    return texts;
}

Texts modelTexts(const Value& control) {
    Texts texts;
    const Value items = rt::send(control, "aItems");  // a copy: held here while it is read
    for (const Value& v : items.asArray()->items) texts.push_back(v.asString());
    return texts;
}

Value texts(std::initializer_list<const char*> list) {
    std::vector<Value> v;
    for (const char* t : list) v.emplace_back(t);
    return Value::array(std::move(v));
}

class ListControls : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        registerStandardControls();
        makeForm();
    }
    Value listBox(const std::function<void(const Value&)>& before = {}) {
        return makeControl(TListBox::classRecord(), form, 10, 10, 150, 120, before);
    }
    Value comboBox(const std::function<void(const Value&)>& before = {}) {
        return makeControl(TComboBox::classRecord(), form, 170, 10, 150, 24, before);
    }
    // The control tells its parent that the user changed the selection.
    static void userSelects(const Value& control, int index, bool combo) {
        HWND h = hwndOf(control);
        SendMessageA(h, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), combo ? CBN_SELCHANGE : LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(h));
    }
};

TEST_F(ListControls, ListBoxModelAndWindowAgreeAfterEveryChange) {
    Value list = listBox([](const Value& l) {
        rt::send(l, "SetItems", {texts({"dos", "tres"})});
        rt::send(l, "InsertItem", {1, Value("uno")});  // before the window: lands where asked
    });
    HWND h = hwndOf(list);
    EXPECT_EQ(windowTexts(h, false), (Texts{"uno", "dos", "tres"}));
    EXPECT_EQ(SendMessageA(h, LB_GETCURSEL, 0, 0), 0) << "the stored index is selected";

    struct Step {
        const char* what;
        std::function<Value()> change;
        bool result;
        Texts expected;
    } steps[] = {
        {"insert at the count", [&] { return rt::send(list, "InsertItem", {3, Value("x")}); }, true,
         {"uno", "dos", "x", "tres"}},
        {"append", [&] { return rt::send(list, "AddItem", {Value("cuatro")}); }, true,
         {"uno", "dos", "x", "tres", "cuatro"}},
        {"modify the second", [&] { return rt::send(list, "ModifyItem", {2, Value("y")}); }, true,
         {"uno", "y", "x", "tres", "cuatro"}},
        {"modify the last but one", [&] { return rt::send(list, "ModifyItem", {4, Value("z")}); }, true,
         {"uno", "y", "x", "z", "cuatro"}},
        {"delete 0", [&] { return rt::send(list, "DeleteItem", {0}); }, false, {"uno", "y", "x", "z", "cuatro"}},
        {"delete past the end", [&] { return rt::send(list, "DeleteItem", {6}); }, false,
         {"uno", "y", "x", "z", "cuatro"}},
        {"delete the first", [&] { return rt::send(list, "DeleteItem", {1}); }, true, {"y", "x", "z", "cuatro"}},
        {"new items", [&] { return rt::send(list, "SetItems", {texts({"a", "b"})}); }, true, {"a", "b"}},
        {"reset", [&] { return rt::send(list, "Reset"); }, true, {}},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(s.change().asLogical(), s.result) << s.what;
        EXPECT_EQ(windowTexts(h, false), s.expected) << s.what;
        EXPECT_EQ(modelTexts(list), s.expected) << s.what;
    }
}

TEST_F(ListControls, ListBoxSelectionAndItsHelpers) {
    Value list = listBox([](const Value& l) {
        rt::send(l, "_aItems", {texts({"uno", "dos", "tres"})});
        rt::send(l, "_lUseTabStops", {true});
    });
    std::vector<int64_t> changes;
    rt::send(list, "_OnChange", {Value(rt::makeBlock([&changes](rt::Args a) {
                     changes.push_back(rt::arg(a, 1).asInteger());
                     return Value();
                 }))});
    userSelects(list, 2, false);
    EXPECT_EQ(changes, std::vector<int64_t>{3}) << "fired once, with the 1-based position";
    EXPECT_EQ(rt::send(list, "nIndex").asInteger(), 3);
    EXPECT_EQ(rt::send(list, "GetText").asString(), "tres");
    EXPECT_EQ(rt::send(list, "FindStringEx", {Value("dos")}).asInteger(), 2);
    EXPECT_EQ(rt::send(list, "FindString", {Value("zz")}).asInteger(), 0);
    EXPECT_TRUE(rt::send(list, "SelectString", {Value("un")}).asLogical());
    EXPECT_EQ(rt::send(list, "nIndex").asInteger(), 1);

    EXPECT_TRUE(rt::send(list, "SetTabStops", {Value::array({4, 8})}).asLogical());
    EXPECT_FALSE(rt::send(list, "SetSelItems", {Value::array({1})}).asLogical()) << "single selection";
    const int itemHeight = static_cast<int>(SendMessageA(hwndOf(list), LB_GETITEMHEIGHT, 0, 0));
    const Value rect = rt::send(list, "GetItemRect", {2});
    ASSERT_EQ(rect.asArray()->size(), 4u);
    EXPECT_EQ(rect.asArray()->at1(1).asInteger(), 0) << "left";
    EXPECT_EQ(rect.asArray()->at1(2).asInteger(), itemHeight) << "top";
    EXPECT_GT(rect.asArray()->at1(3).asInteger(), 100) << "right";
    EXPECT_EQ(rect.asArray()->at1(4).asInteger(), 2 * itemHeight) << "bottom";

    Value multiple = makeControl(TListBox::classRecord(), form, 10, 140, 150, 100, [](const Value& l) {
        rt::send(l, "_aItems", {texts({"a", "b", "c", "d"})});
        rt::send(l, "_lMultipleSel", {true});
    });
    EXPECT_TRUE(rt::send(multiple, "SetSelItems", {Value::array({2, 4})}).asLogical());
    const Value selected = rt::send(multiple, "GetSelItems");
    ASSERT_EQ(selected.asArray()->size(), 2u);
    EXPECT_EQ(selected.asArray()->at1(1).asInteger(), 2);
    EXPECT_EQ(selected.asArray()->at1(2).asInteger(), 4);
}

TEST_F(ListControls, ComboBoxItemsSortingAndSelection) {
    Value list = comboBox([](const Value& c) {
        rt::send(c, "_nStyle", {1});
        rt::send(c, "SetItems", {Value::array({texts({"x", "y"})})});  // a one-element array holding the items
    });
    HWND h = hwndOf(list);
    EXPECT_EQ(windowTexts(h, true), (Texts{"x", "y"}));
    EXPECT_EQ(rt::send(list, "nIndex").asInteger(), 1) << "a drop-down list starts on its first item";
    EXPECT_EQ(SendMessageA(h, CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(rt::send(list, "InsertItem", {2, Value("  m")}).asLogical());
    EXPECT_EQ(windowTexts(h, true), (Texts{"x", "m", "y"})) << "sent without its leading blanks";
    EXPECT_EQ(rt::send(list, "GetText", {2}).asString(), "m");
    EXPECT_TRUE(rt::send(list, "ModifyItem", {2, Value("n")}).asLogical());
    EXPECT_EQ(windowTexts(h, true), (Texts{"x", "n", "y"}));
    EXPECT_FALSE(rt::send(list, "DeleteItem", {4}).asLogical());

    std::vector<std::pair<int64_t, int64_t>> changes;
    Value answer(false);
    rt::send(list, "_OnChange", {Value(rt::makeBlock([&](rt::Args a) {
                     changes.emplace_back(rt::arg(a, 1).asInteger(), rt::arg(a, 2).asInteger());
                     return answer;
                 }))});
    userSelects(list, 2, true);
    EXPECT_EQ(changes, (std::vector<std::pair<int64_t, int64_t>>{{3, 1}}));
    EXPECT_EQ(SendMessageA(h, CB_GETCURSEL, 0, 0), 0) << "a false OnChange keeps the previous selection";
    answer = Value();
    userSelects(list, 1, true);
    EXPECT_EQ(rt::send(list, "nIndex").asInteger(), 2);
    EXPECT_EQ(changes.size(), 2u);

    Value sorted = makeControl(TComboBox::classRecord(), form, 170, 50, 150, 24,
                               [](const Value& c) { rt::send(c, "_lSort", {true}); });
    rt::send(sorted, "AddItem", {Value("b")});
    rt::send(sorted, "AddItem", {Value("a")});
    EXPECT_EQ(modelTexts(sorted), (Texts{"a", "b"}));
    EXPECT_EQ(windowTexts(hwndOf(sorted), true), (Texts{"a", "b"}));
    rt::send(sorted, "_cText", {Value("b")});
    EXPECT_EQ(rt::send(sorted, "nIndex").asInteger(), 2);
    const Value rect = rt::send(sorted, "GetDroppedControlRect");
    ASSERT_EQ(rect.asArray()->size(), 4u);
    EXPECT_LT(rect.asArray()->at1(1).asInteger(), rect.asArray()->at1(3).asInteger()) << "left before right";
    EXPECT_LT(rect.asArray()->at1(2).asInteger(), rect.asArray()->at1(4).asInteger()) << "top before bottom";
}

TEST_F(ListControls, DropDownAdoptsItsEditPart) {
    Value combo = comboBox([](const Value& c) { rt::send(c, "_aItems", {texts({"uno", "dos"})}); });
    const Value editField = rt::send(combo, "oEditField");
    ASSERT_TRUE(editField.isObject());
    EXPECT_EQ(rt::send(editField, "ClassName").asString(), "TInplaceEdit");
    HWND edit = hwndOf(editField);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(hwndOf(combo), &info);
    EXPECT_EQ(edit, info.hwndItem);
    EXPECT_EQ(rt::send(combo, "GetEditCtrl").asInteger(), reinterpret_cast<intptr_t>(edit));

    std::vector<int64_t> keys;
    rt::send(combo, "_OnKeyDown", {Value(rt::makeBlock([&keys](rt::Args a) {
                      keys.push_back(rt::arg(a, 1).asInteger());
                      return Value();
                  }))});
    SendMessageA(edit, WM_KEYDOWN, VK_F4 + 1, 0);
    EXPECT_EQ(keys, std::vector<int64_t>{VK_F4 + 1}) << "a key in the edit part reaches the combo box";

    rt::send(combo, "_nMaxLength", {5});
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 5);
    rt::send(combo, "_cText", {Value("dos")});
    EXPECT_EQ(rt::send(combo, "nIndex").asInteger(), 2);
    DestroyWindow(hwndOf(combo));
    pump();
    EXPECT_TRUE(controlOfWindow(reinterpret_cast<intptr_t>(edit)).isNil()) << "the link goes with the window";
}

TEST_F(ListControls, ListBoxPrintsItsSelectedItemInTheHighlightColour) {
    Value list = listBox([](const Value& l) { rt::send(l, "_aItems", {texts({"uno", "dos", "tres"})}); });
    HWND h = hwndOf(list);
    rt::send(list, "_nIndex", {2});
    RECT client{};
    GetClientRect(h, &client);
    MemoryCanvas canvas(client.right, client.bottom, RGB(0, 0, 0));
    SendMessageA(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT | PRF_ERASEBKGND);
    const int itemHeight = static_cast<int>(SendMessageA(h, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(canvas.at(client.right - 3, itemHeight + itemHeight / 2), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(canvas.at(client.right - 3, itemHeight / 2), GetSysColor(COLOR_WINDOW)) << "erased, not left black";
}

}  // namespace
}  // namespace vorpex::testing
