// The navigator's decisions: button states as a table of set views, commands to buttons, and the views and
// actions over a real set, where hidden records and filters must not leave buttons enabled.
#include "framework/data/data_controls/navigator_rules.h"

#include "framework/data/tests/data_set_fixture.h"
#include "runtime/core/settings.h"

namespace vorpex::data::testing {
namespace {

using rt::Value;

TEST(NavigatorRules, ButtonStatesFollowTheView) {
    struct Case {
        const char* what;
        NavigatorView view;
        std::array<bool, 7> states;  // first, previous, next, last, insert, delete, edit
    };
    const Case cases[] = {
        {"middle", {false, true, true, true}, {true, true, true, true, true, true, true}},
        {"first", {false, true, false, true}, {false, false, true, true, true, true, true}},
        {"last", {false, true, true, false}, {true, true, false, false, true, true, true}},
        {"only record", {false, true, false, false}, {false, false, false, false, true, true, true}},
        {"empty view", {false, false, false, false}, {false, false, false, false, true, false, false}},
        {"read-only", {true, true, true, true}, {true, true, true, true, false, false, false}},
        {"past the end", {false, false, true, true}, {true, true, false, false, true, false, false}},
    };
    for (const Case& c : cases) EXPECT_EQ(movingButtonStates(c.view), c.states) << c.what;
}

TEST(NavigatorRules, OnlyAClickOnOneOfTheTenButtonsIsACommand) {
    const struct {
        int64_t notify, id;
        int button;
    } cases[] = {{0, 30001, 1}, {0, 30010, 10}, {0, 30000, 0}, {0, 30011, 0}, {1, 30003, 0}, {0, 1, 0}};
    for (const auto& c : cases) EXPECT_EQ(navigatorButtonOf(c.notify, c.id), c.button) << c.id;
    EXPECT_STREQ(navigatorButtonName(kNavUpdate), "Update");
    EXPECT_STREQ(navigatorBitmap(kNavUpdate), "VP_BMP_OK");
    EXPECT_STREQ(navigatorButtonName(11), "");
}

class NavigatorViewTest : public DataSetFixture {
protected:
    void TearDown() override {
        rt::settings().deleted = false;
        DataSetFixture::TearDown();
    }
};

TEST_F(NavigatorViewTest, EdgesComeFromVisibleRecordsAndTheSetStaysPut) {
    const Value set = openSet();
    NavigatorView v = navigatorViewOf(set);
    EXPECT_FALSE(v.hasPrevious);
    EXPECT_TRUE(v.hasNext);
    EXPECT_EQ(num(ask(set, "Recno")), 1);

    ask(set, "GoTo", {Value(10)});
    ask(set, "Delete");
    rt::settings().deleted = true;  // record 10 is hidden but the natural order still counts it
    ask(set, "GoTo", {Value(9)});
    v = navigatorViewOf(set);
    EXPECT_TRUE(v.hasPrevious);
    EXPECT_FALSE(v.hasNext);
    EXPECT_EQ(num(ask(set, "Recno")), 9);

    ask(set, "SetFilter", {Value("EDAD > 99")});
    v = navigatorViewOf(set);
    EXPECT_FALSE(v.onRecord);
    EXPECT_EQ(movingButtonStates(v), (std::array<bool, 7>{false, false, false, false, true, false, false}));
}

TEST_F(NavigatorViewTest, ReadOnlySetAndAnEditingSetIsNotMoved) {
    const Value set = newSet();
    ask(set, "_lReadOnly", {Value(true)});
    ASSERT_TRUE(ask(set, "Open").asLogical());
    EXPECT_TRUE(navigatorViewOf(set).readOnly);
    ask(set, "Close");
    ask(set, "_lReadOnly", {Value(false)});
    ASSERT_TRUE(ask(set, "Open").asLogical());
    ask(set, "GoTo", {Value(4)});
    ask(set, "Edit");
    const NavigatorView v = navigatorViewOf(set);
    EXPECT_FALSE(v.hasNext || v.hasPrevious);
    EXPECT_EQ(num(ask(set, "Recno")), 4);
    ask(set, "Cancel");
}

TEST_F(NavigatorViewTest, ActionsRunOnTheSetAndDeleteKeepsNoLock) {
    const Value set = openSet();
    runNavigatorAction(set, kNavLast);
    EXPECT_EQ(num(ask(set, "Recno")), 10);
    runNavigatorAction(set, kNavPrevious);
    EXPECT_EQ(num(ask(set, "Recno")), 9);
    runNavigatorAction(set, kNavFirst);
    runNavigatorAction(set, kNavNext);
    EXPECT_EQ(num(ask(set, "Recno")), 2);
    EXPECT_TRUE(runNavigatorAction(set, kNavDelete).asLogical());
    EXPECT_FALSE(ask(set, "IsRecordLocked", {Value(2)}).asLogical());
    rt::rdd::WorkArea* other = openArea("OTHER");
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(other->lockRecord(2));  // another user can take it at once

    runNavigatorAction(set, kNavInsert);
    EXPECT_TRUE(ask(set, "lOnAppend").asLogical());
    runNavigatorAction(set, kNavCancel);
    EXPECT_FALSE(ask(set, "lOnAppend").asLogical());
    EXPECT_EQ(num(ask(set, "RecCount")), 10);
}

}  // namespace
}  // namespace vorpex::data::testing
