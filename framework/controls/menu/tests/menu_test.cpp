// The menu model over the list-keeping port: command ids issued and given back, the order of aItems after
// insertions and deletions, the searches of DoAction and FindItem, states, images, styles and POPUP_REQUESTSTATE.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fake_menu_port.h"
#include "framework/controls/menu/menu.h"
#include "framework/controls/menu/menu_ids.h"
#include "framework/controls/menu/menu_item.h"
#include "framework/core/object/vp_class.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/tests/fake_image_list_port.h"
#include "runtime/core/block.h"
#include "runtime/core/send.h"
#include "tests/support/function_call.h"

namespace vorpex::testing {
namespace {

using rt::Value;

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerGraphics();
        registerMenus();
    }
    void TearDown() override {
        for (auto it = made.rbegin(); it != made.rend(); ++it) rt::send(*it, "End");
    }
    Value newMenu(Value parent = Value(), bool popup = false) {
        made.push_back(rt::send(classCall(TMenu::classRecord()), "Create", {parent, Value(popup)}));
        return made.back();
    }
    // An item created as a program does: TMenuItem():Create(oMenu, nPos, nType, cText, nId, bClick, xSub, xImage).
    static Value item(const Value& menu, const std::string& text, Value id = Value(), Value position = Value(-1)) {
        return rt::send(classCall(TMenuItem::classRecord()), "Create",
                        {menu, position, Value(), Value(text), id, Value(), Value(), Value()});
    }
    static int64_t num(const Value& v) { return v.asInteger(); }
    static intptr_t handle(const Value& v) { return static_cast<intptr_t>(rt::send(v, "Handle").asInteger()); }
    static std::vector<std::string> texts(const Value& menu) {
        std::vector<std::string> out;
        for (const Value& i : rt::send(menu, "aItems").asArray()->items) out.push_back(rt::send(i, "cText").asString());
        return out;
    }
    std::vector<std::string> nativeTexts(const Value& menu) {
        std::vector<std::string> out;
        for (const auto& i : port.menus.at(handle(menu))) out.push_back(i.text);
        return out;
    }

    FakeMenuPort port;
    FakeImageListPort images;
    std::vector<Value> made;
};

TEST_F(MenuTest, AutomaticIdsStartAfterTheLastIssuedAndOnlyTheLastAutomaticOneGoesBack) {
    Value menu = newMenu();
    const int64_t base = menu::menuIds().last();
    Value a = item(menu, "A");
    EXPECT_EQ(num(rt::send(a, "nId")), base + 1);
    rt::send(a, "End");
    EXPECT_EQ(num(rt::send(item(menu, "B"), "nId")), base + 1);  // given back, issued again

    // An explicit id equal to the counter is not the counter's to take back.
    Value explicitItem = item(menu, "X", Value(base + 1));
    rt::send(explicitItem, "End");
    EXPECT_EQ(num(rt::send(item(menu, "C"), "nId")), base + 2);

    // Ending an item that was not the last issued keeps the counter, so the next id is new.
    Value d = item(menu, "D");
    rt::send(rt::send(menu, "aItems").asArray()->items[0], "End");  // B
    EXPECT_EQ(num(rt::send(item(menu, "E"), "nId")), num(rt::send(d, "nId")) + 1);
}

TEST_F(MenuTest, AnEndedItemLeavesItsMenuSoNoTwoLiveItemsShareAnId) {
    Value menu = newMenu();
    Value a = item(menu, "A");
    Value b = item(menu, "B");
    const int64_t idB = num(rt::send(b, "nId"));
    rt::send(b, "End");
    EXPECT_EQ(texts(menu), (std::vector<std::string>{"A"}));
    EXPECT_EQ(nativeTexts(menu), (std::vector<std::string>{"A"}));
    int clicks = 0;
    Value c = item(menu, "C");
    ASSERT_EQ(num(rt::send(c, "nId")), idB);
    rt::send(c, "_OnClick", {Value(rt::makeBlock([&clicks](rt::Args) { ++clicks; return Value(); }))});
    EXPECT_TRUE(rt::send(menu, "DoAction", {Value(idB)}).asLogical());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(port.ids(handle(menu)), (std::vector<int64_t>{num(rt::send(a, "nId")), idB}));
}

TEST_F(MenuTest, ItemsTakeTheirPlaceByPositionOrBeforeAGivenCommandId) {
    Value menu = newMenu();
    item(menu, "A", Value(10));
    item(menu, "B", Value(11));
    item(menu, "C", Value(12));
    struct Case {
        const char* what;
        Value position;
        Value byPosition;
        bool inserted;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"at the end", Value(-1), Value(), true, {"A", "B", "C", "new"}},
        {"first", Value(0), Value(true), true, {"new", "A", "B", "C"}},
        {"before the second", Value(1), Value(), true, {"A", "new", "B", "C"}},
        {"before id 12", Value(12), Value(false), true, {"A", "B", "new", "C"}},
        {"before id 10", Value(10), Value(false), true, {"new", "A", "B", "C"}},
        {"before an id not in the menu", Value(1005), Value(false), false, {"A", "B", "C"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Value loose = rt::send(classCall(TMenuItem::classRecord()), "New");
        rt::send(loose, "_cText", {Value("new")});
        rt::send(loose, "_nId", {Value(50)});
        EXPECT_EQ(rt::send(menu, "Insert", {loose, c.position, c.byPosition}).asLogical(), c.inserted);
        EXPECT_EQ(texts(menu), c.expected);
        EXPECT_EQ(nativeTexts(menu), c.expected);
        if (c.inserted) {
            const auto at = std::find(c.expected.begin(), c.expected.end(), "new") - c.expected.begin();
            EXPECT_TRUE(rt::send(menu, "Delete", {Value(static_cast<int64_t>(at + 1))}).asLogical());
        }
    }
    // Positions the native menu rejects change nothing.
    for (int position : {0, 4}) EXPECT_FALSE(rt::send(menu, "Delete", {Value(position)}).asLogical());
    EXPECT_EQ(texts(menu), (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(MenuTest, DoActionAndFindItemSearchDepthFirstInOrder) {
    Value bar = newMenu();
    Value file = item(bar, "File", Value(1101));
    Value fileMenu = rt::send(file, "AddMenu");
    Value open = item(fileMenu, "Open", Value(1102));
    Value recent = item(fileMenu, "Recent", Value(1103));
    Value recentMenu = rt::send(recent, "AddMenu");
    Value first = item(recentMenu, "first.dbf", Value(1104));
    Value edit = item(bar, "Edit", Value(1105));
    Value sameId = item(bar, "Late twin", Value(1104));  // after the submenu in order: never found first

    std::vector<std::string> clicked;
    for (const Value& i : {open, first, edit, sameId})
        rt::send(i, "_OnClick", {Value(rt::makeBlock([&clicked](rt::Args a) {
                     clicked.push_back(rt::send(a[0], "cText").asString() + " in " +
                                       std::to_string(rt::send(a[1], "Handle").asInteger()));
                     return Value();
                 }))});
    const std::string inRecent = " in " + std::to_string(handle(recentMenu));
    EXPECT_TRUE(rt::send(bar, "DoAction", {Value(1104)}).asLogical());
    EXPECT_TRUE(rt::send(bar, "DoAction", {Value(1105)}).asLogical());
    EXPECT_FALSE(rt::send(bar, "DoAction", {Value(1101)}).asLogical());  // an item with a submenu does not act
    EXPECT_FALSE(rt::send(bar, "DoAction", {Value(999)}).asLogical());
    EXPECT_EQ(clicked, (std::vector<std::string>{"first.dbf" + inRecent, "Edit in " + std::to_string(handle(bar))}));

    struct Case {
        int64_t id;
        intptr_t inMenu;
        Value expected;
    };
    const std::vector<Case> cases = {
        {1104, 0, first},                      // by id, through two submenus, before the later twin
        {1101, 0, file},                       // an item's own id before its submenu
        {1, handle(fileMenu), recent},         // a pop-up entry by position in the menu with that handle
        {2, handle(fileMenu), Value()},        // beyond its last item
        {0, handle(recentMenu), first},
        {2, handle(bar), sameId},
        {3, handle(bar), Value()},              // the menu has three items
        {2000, handle(bar), Value()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const Value found = rt::send(bar, "FindItem", {Value(c.id), Value(static_cast<int64_t>(c.inMenu))});
        EXPECT_TRUE(found.sameAs(c.expected) || (found.isNil() && c.expected.isNil()));
    }
}

TEST_F(MenuTest, StatesReachTheNativeItemAndTheDefaultIsTheLastOne) {
    Value menu = newMenu(Value(), true);
    Value a = rt::send(menu, "AddItem", {Value("Open\tCtrl+O"), Value("Opens"), Value(), Value(true), Value(),
                                         Value(true), Value(), Value(true)});
    Value b = rt::send(menu, "AddItem", {Value("Save")});
    rt::send(b, "_lDefault", {Value(true)});
    Value separator = rt::send(classCall(TMenuItem::classRecord()), "Create",
                               {menu, Value(-1), Value(menu::kTypeSeparator), Value("ignored")});
    EXPECT_EQ(rt::send(separator, "cText").asString(), "");
    EXPECT_EQ(num(rt::send(menu, "nSeparators")), 1);
    EXPECT_EQ(num(rt::send(menu, "nRMargin")), 1);  // a TAB: a shortcut column

    const menu::NativeItem* open = port.byId(handle(menu), num(rt::send(a, "nId")));
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->state & (menu::kStateGrayed | menu::kStateChecked), menu::kStateGrayed | menu::kStateChecked);
    EXPECT_EQ(num(rt::send(a, "nState")), menu::kStateGrayed | menu::kStateChecked);
    EXPECT_EQ(rt::send(a, "cMessage").asString(), "Opens");
    EXPECT_EQ(num(rt::send(menu, "GetDefault")), num(rt::send(b, "nId")));

    rt::send(separator, "End");
    EXPECT_EQ(num(rt::send(menu, "nSeparators")), 0);
}

TEST_F(MenuTest, ImagesAreAddedOnceWhateverTheirCaseAndTurnOwnerDrawingOn) {
    Value bar = newMenu();
    Value file = item(bar, "File");
    Value sub = rt::send(file, "AddMenu");
    Value open = item(sub, "Open");
    EXPECT_EQ(num(rt::send(open, "AddImage", {Value("glyph24")})), 1);
    EXPECT_EQ(num(rt::send(bar, "AddImage", {Value("GLYPH24")})), 1);  // the top menu's list, once
    EXPECT_EQ(num(rt::send(bar, "AddImage", {Value("no such image")})), 0);
    EXPECT_EQ(images.lists.at(handle(rt::send(bar, "oImageList"))).images.size(), 1u);
    EXPECT_TRUE(rt::send(open, "oImageList").sameAs(rt::send(bar, "oImageList")));

    EXPECT_FALSE(rt::send(sub, "lOwnerDraw").asLogical());
    rt::send(open, "_nImage", {Value(1)});
    EXPECT_TRUE(rt::send(sub, "lOwnerDraw").asLogical());
    EXPECT_EQ(port.byId(handle(sub), num(rt::send(open, "nId")))->type & menu::kTypeOwnerDraw, menu::kTypeOwnerDraw);
}

TEST_F(MenuTest, AStyleReachesEveryItemOfEverySubmenu) {
    Value bar = newMenu();
    Value file = item(bar, "File");
    Value sub = rt::send(file, "AddMenu");
    Value open = item(sub, "Open");
    rt::send(bar, "_nStyle", {Value(2)});
    for (const Value& i : {file, open}) {
        SCOPED_TRACE(rt::send(i, "cText").asString());
        EXPECT_EQ(num(rt::send(i, "nStyle")), 2);
        EXPECT_EQ(port.byId(handle(bar), num(rt::send(i, "nId")))->type & menu::kTypeOwnerDraw, menu::kTypeOwnerDraw);
    }
    // An item added later draws in the menu's style too, and a submenu made under it takes the style.
    Value late = item(sub, "Late");
    EXPECT_EQ(num(rt::send(late, "nStyle")), 2);
    EXPECT_EQ(num(rt::send(rt::send(late, "AddMenu"), "nStyle")), 2);
    rt::send(bar, "_nStyle", {Value(0)});
    EXPECT_EQ(port.byId(handle(bar), num(rt::send(open, "nId")))->type & menu::kTypeOwnerDraw, 0);
}

TEST_F(MenuTest, APopupAsksEachItemWhetherItIsEnabledBeforeItOpens) {
    Value popup = rt::send(classCall(XPopupMenu::classRecord()), "Create");
    made.push_back(popup);
    EXPECT_TRUE(rt::send(popup, "lPopup").asLogical());
    bool allowed = false;
    Value a = item(popup, "Cut");
    Value sub = rt::send(item(popup, "More"), "AddMenu");
    Value inner = item(sub, "Paste");
    for (const Value& i : {a, inner})
        rt::send(i, "_OnCheckState", {Value(rt::makeBlock([&allowed](rt::Args) { return Value(allowed); }))});

    const Value answered = rt::testing::call("POPUP_REQUESTSTATE", {Value(static_cast<int64_t>(handle(popup)))});
    EXPECT_TRUE(answered.sameAs(popup));
    for (const Value& i : {a, inner}) {
        EXPECT_FALSE(rt::send(i, "lEnabled").asLogical());
        EXPECT_EQ(port.byId(handle(popup), num(rt::send(i, "nId")))->state & menu::kStateGrayed, menu::kStateGrayed);
    }
    allowed = true;
    rt::testing::call("POPUP_REQUESTSTATE", {Value(static_cast<int64_t>(handle(popup)))});
    EXPECT_TRUE(rt::send(a, "lEnabled").asLogical());
    EXPECT_TRUE(rt::testing::call("POPUP_REQUESTSTATE", {Value(12345)}).isNil());

    // An ended pop-up is no longer asked.
    const intptr_t h = handle(popup);
    rt::send(popup, "End");
    made.pop_back();
    EXPECT_TRUE(rt::testing::call("POPUP_REQUESTSTATE", {Value(static_cast<int64_t>(h))}).isNil());
    EXPECT_EQ(port.find(h), nullptr);
}

}  // namespace
}  // namespace vorpex::testing
