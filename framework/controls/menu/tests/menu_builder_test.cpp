// The menu-building functions: the tree they build, what they do without a menu begun, the bar attached to its
// owner at the end, and a stack that an interrupted build does not leave dirty.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_menu_port.h"
#include "framework/controls/menu/menu.h"
#include "framework/controls/menu/menu_builder.h"
#include "framework/core/object/component.h"
#include "framework/core/object/vp_class.h"
#include "framework/graphics/graphics.h"
#include "runtime/core/block.h"
#include "runtime/core/send.h"
#include "tests/support/function_call.h"
#include "tests/support/recording_handler.h"

namespace vorpex::testing {
namespace {

using rt::Value;
using rt::testing::call;

// An owner that shows a bar: it keeps the menu given to SetMenu.
class XBarOwner : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            VPClass b("XMenuBarOwner", &TComponent::classRecord(), rt::factoryOf<XBarOwner>());
            kShown = b.addData("oShown");
            b.addMethod("SetMenu", [](rt::Object& o, const rt::Method&, rt::Args a) -> Value {
                o.field(kShown) = rt::arg(a, 0);
                return rt::arg(a, 0);
            });
            return b.create();
        }();
        return c;
    }
    static inline int kShown = -1;
};

class MenuBuilderTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerGraphics();
        registerMenus();
        owner = rt::send(classCall(XBarOwner::classRecord()), "New");
    }
    static std::vector<std::string> texts(const Value& menu) {
        std::vector<std::string> out;
        for (const Value& i : rt::send(menu, "aItems").asArray()->items) out.push_back(rt::send(i, "cText").asString());
        return out;
    }
    FakeMenuPort port;
    Value owner;
};

TEST_F(MenuBuilderTest, BuildsTheTreeInReadingOrderAndAttachesTheBar) {
    int saved = 0;
    const Value bar = call("VP_MENUBEGIN", {owner, Value(false), Value("Main")});
    call("VP_MENUITEM", {Value("&File")});
    call("VP_MENUBEGIN");
    call("VP_MENUITEM", {Value("&Save\tCtrl+S"), Value(rt::makeBlock([&saved](rt::Args) { ++saved; return Value(); })),
                         Value(), Value(false), Value(true), Value(), Value(), Value(true), Value(), Value(),
                         Value("Saves the file")});
    call("VP_MENUSEPARATOR", {Value("Files")});
    call("VP_MENUEND");
    call("VP_MENUITEM", {Value("Help"), Value(), Value(), Value(), Value(), Value(), Value(), Value(), Value(),
                         Value(), Value(), Value(true)});
    EXPECT_TRUE(rt::send(owner, "oShown").isNil());
    call("VP_MENUEND");
    EXPECT_EQ(menu::menuBuildDepth(), 0u);

    EXPECT_TRUE(rt::send(owner, "oShown").sameAs(bar));
    EXPECT_EQ(rt::send(bar, "cMessage").asString(), "Main");
    EXPECT_EQ(texts(bar), (std::vector<std::string>{"&File", "Help"}));
    const Value file = rt::send(bar, "aItems").asArray()->items[0];
    const Value sub = rt::send(file, "oSubMenu");
    EXPECT_EQ(texts(sub), (std::vector<std::string>{"&Save\tCtrl+S", ""}));
    const Value save = rt::send(sub, "aItems").asArray()->items[0];
    EXPECT_FALSE(rt::send(save, "lEnabled").asLogical());
    EXPECT_TRUE(rt::send(save, "lChecked").asLogical());
    EXPECT_TRUE(rt::send(save, "lDefault").asLogical());
    EXPECT_EQ(rt::send(save, "cMessage").asString(), "Saves the file");
    EXPECT_EQ(rt::send(rt::send(sub, "aItems").asArray()->items[1], "cMessage").asString(), "Files");
    EXPECT_TRUE(rt::send(rt::send(bar, "aItems").asArray()->items[1], "lRight").asLogical());
    EXPECT_TRUE(rt::send(bar, "DoAction", {rt::send(save, "nId")}).asLogical());
    EXPECT_EQ(saved, 1);
    rt::send(bar, "End");
}

TEST_F(MenuBuilderTest, WithoutAMenuBegunNothingIsBuiltAndAPopupIsNotAttached) {
    EXPECT_TRUE(call("VP_MENUITEM", {Value("lost")}).isNil());
    EXPECT_TRUE(call("VP_MENUSEPARATOR").isNil());
    call("VP_MENUEND");
    EXPECT_EQ(menu::menuBuildDepth(), 0u);

    const Value popup = call("VP_MENUBEGIN", {owner, Value(true)});
    call("VP_MENUITEM", {Value("Copy")});
    call("VP_MENUEND");
    EXPECT_TRUE(rt::send(owner, "oShown").isNil());
    EXPECT_TRUE(rt::send(popup, "lPopup").asLogical());

    // VP_MENUADD pushes a given menu as it is.
    rt::send(popup, "_cMessage", {Value("kept")});
    EXPECT_TRUE(call("VP_MENUADD", {popup, Value(), Value(), Value("other")}).sameAs(popup));
    call("VP_MENUITEM", {Value("Paste")});
    call("VP_MENUEND");
    EXPECT_EQ(texts(popup), (std::vector<std::string>{"Copy", "Paste"}));
    EXPECT_EQ(rt::send(popup, "cMessage").asString(), "kept");
    rt::send(popup, "End");
}

TEST_F(MenuBuilderTest, ASubmenuWithNoItemToOpenItIsAnErrorAndAnInterruptedBuildLeavesNoMenuBehind) {
    {
        rt::testing::RecordingHandler errors;  // answers Default: the build goes on without the submenu
        menu::MenuBuildScope scope;
        const Value empty = call("VP_MENUBEGIN", {owner});
        EXPECT_TRUE(call("VP_MENUBEGIN").isNil());
        ASSERT_EQ(errors.seen.size(), 1u);
        EXPECT_EQ(errors.seen[0].operation, "VP_MENUBEGIN");
        EXPECT_EQ(menu::menuBuildDepth(), 1u);
        rt::send(empty, "End");
    }
    EXPECT_EQ(menu::menuBuildDepth(), 0u);  // the scope took the half-built menu off

    // A break out of the build (the error handler's quit) unwinds through the scope too.
    rt::testing::RecordingHandler breaks(rt::ErrorAction::Break);
    try {
        menu::MenuBuildScope scope;
        call("VP_MENUBEGIN", {owner, Value(true)});
        call("VP_MENUBEGIN");
        FAIL() << "no break";
    } catch (const rt::Break&) {
    }
    EXPECT_EQ(menu::menuBuildDepth(), 0u);
    const Value fresh = call("VP_MENUBEGIN", {owner, Value(true)});
    EXPECT_TRUE(rt::send(fresh, "oParent").sameAs(owner));  // a menu of its own, not a stale one's submenu
    call("VP_MENUEND");
    rt::send(fresh, "End");
}

}  // namespace
}  // namespace vorpex::testing
