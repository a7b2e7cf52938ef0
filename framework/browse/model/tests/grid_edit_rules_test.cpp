// The cell editor's arithmetic: edit types as editor modes, the button's pixels, seeking and stepping through
// the list, and where the drop list opens.
#include <gtest/gtest.h>

#include "framework/browse/model/grid_edit_rules.h"

namespace vorpex::browse::testing {
namespace {

TEST(GridEditRules, EditTypesGiveModesAndReadOnly) {
    struct Case {
        int64_t type, mode;
        bool readOnly;
    } cases[] = {{0, kPlainEditor, false},    {1, kPlainEditor, false}, {2, kEllipsisEditor, false},
                 {3, kListEditor, false},     {4, kEllipsisEditor, true}, {5, kListEditor, true},
                 {9, kPlainEditor, false},    {-1, kPlainEditor, false}};
    for (const Case& c : cases) {
        const EditorKind kind = editorKind(c.type);
        EXPECT_EQ(kind.mode, c.mode) << c.type;
        EXPECT_EQ(kind.readOnly, c.readOnly) << c.type;
    }
}

TEST(GridEditRules, ButtonTakesTheRightmostSixteenPixels) {
    EXPECT_FALSE(onEditButton(kEllipsisEditor, 84, 100));
    EXPECT_TRUE(onEditButton(kEllipsisEditor, 85, 100));
    EXPECT_TRUE(onEditButton(kListEditor, 99, 100));
    EXPECT_FALSE(onEditButton(kPlainEditor, 99, 100)) << "a plain editor has no button";
}

TEST(GridEditRules, TypedPrefixFindsTheFirstItemInAnyCase) {
    const std::vector<std::string> items{"Alba", "bruno", "Brenda", "BRUNA", "Carla"};
    struct Case {
        const char* prefix;
        int64_t found;
    } cases[] = {{"B", 2}, {"br", 2}, {"BRE", 3}, {"BRUNA", 4}, {"c", 5}, {"BX", 0}, {"Alba ", 0}, {"", 1}};
    for (const Case& c : cases) EXPECT_EQ(findListPrefix(items, c.prefix), c.found) << c.prefix;
    EXPECT_EQ(findListPrefix({}, "A"), 0);
}

TEST(GridEditRules, UpAndDownStayInsideTheList) {
    EXPECT_EQ(steppedListIndex(1, 3, false), 1);
    EXPECT_EQ(steppedListIndex(1, 3, true), 2);
    EXPECT_EQ(steppedListIndex(3, 3, true), 3);
    EXPECT_EQ(steppedListIndex(0, 3, true), 1) << "a value not in the list steps to the first item";
    EXPECT_EQ(steppedListIndex(2, 0, true), 0) << "an empty list has no item to show";
}

TEST(GridEditRules, DropListGeometry) {
    const ScreenRect work{0, 0, 1280, 1000};
    DropListInput in{.editor = {300, 200, 400, 220}, .workArea = work, .itemHeight = 16, .itemCount = 4,
                     .widestText = 40, .scrollBarWidth = 17};
    DropListPlacement p = dropListPlacement(in);
    EXPECT_EQ(p.listHeight, 64) << "every item fits: the list shrinks to them";
    EXPECT_EQ(p.listWidth, 103);
    EXPECT_EQ(p.form.left, 300);
    EXPECT_EQ(p.form.top, 220);
    EXPECT_EQ(p.form.width(), 105);
    EXPECT_EQ(p.form.height(), 66);
    EXPECT_FALSE(p.above);

    in.itemCount = 20;
    in.widestText = 150;
    p = dropListPlacement(in);
    EXPECT_EQ(p.listHeight, 118);
    EXPECT_EQ(p.listWidth, 173) << "the widest text, its padding and the scroll bar";
    EXPECT_EQ(p.form.right, 405) << "widened to the left: the right edges stay aligned";

    in.editor = {10, 200, 110, 220};
    p = dropListPlacement(in);
    EXPECT_EQ(p.form.left, 10) << "no room on the left: widened to the right";

    in.editor = {300, 900, 400, 920};
    p = dropListPlacement(in);
    EXPECT_TRUE(p.above);
    EXPECT_EQ(p.form.bottom, 896) << "above the cell when it would reach the bottom of the work area";
}

}  // namespace
}  // namespace vorpex::browse::testing
