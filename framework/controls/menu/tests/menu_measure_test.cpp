// The measure rules of owner-drawn items as tables: item sizes per style, the shared layout that only grows,
// and where labels and shortcuts go.
#include <gtest/gtest.h>

#include <vector>

#include "framework/controls/menu/menu_measure.h"

namespace vorpex::menu {
namespace {

MeasureInput item(int64_t style, const char* text, int64_t labelWidth, bool popup = true) {
    MeasureInput in;
    in.style = style;
    in.popup = popup;
    in.checkWidth = 13;
    in.barHeight = 19;
    const ItemText parts = splitItemText(text);
    in.label = parts.label;
    in.shortcut = parts.shortcut;
    in.labelSize = {labelWidth, 13};
    in.shortcutSize = {parts.shortcut.empty() ? 0 : 40, 13};
    return in;
}

TEST(MenuMeasure, EachStyleSizesItsItemsByItsRule) {
    struct Case {
        const char* what;
        MeasureInput in;
        ItemSize size;
        SharedLayout layout;
    };
    MeasureInput withImage = item(1, "Abrir", 30);
    withImage.hasImage = true;
    withImage.imageWidth = withImage.imageHeight = 16;
    MeasureInput smallImage = withImage;
    smallImage.imageWidth = 10;
    MeasureInput captioned = item(4, "Abrir", 30);
    captioned.hasMessage = true;
    captioned.messageSize = {200, 26};
    MeasureInput separator4 = item(4, "", 0);
    separator4.separator = true;
    MeasureInput oldWindows = item(0, "Abrir\tCtrl+A", 30);
    oldWindows.newWindows = false;
    MeasureInput systemImage = item(0, "Abrir", 30);
    systemImage.hasImage = true;
    systemImage.imageWidth = systemImage.imageHeight = 20;
    const std::vector<Case> cases = {
        {"style 0 pop-up", item(0, "Abrir", 30), {13 + 38, 17}, {13, 38, 0}},
        {"style 0 with shortcut", item(0, "Abrir\tCtrl+A", 30), {13 + 38 + 48, 17}, {13, 38, 48}},
        {"style 0 shortcut on old Windows", oldWindows, {13 + 38, 17}, {13, 38, 0}},
        {"style 0 image", systemImage, {13 + 28 + 38, 20}, {41, 38, 0}},
        {"style 0 bar", item(0, "Archivo", 40, false), {40, 17}, {0, 40, 0}},
        {"style 1 no image: the 24 column", item(1, "Abrir", 30), {24 + 38 + 4, 19}, {24, 38, 0}},
        {"style 1 image", withImage, {24 + 38 + 4, 19}, {24, 38, 0}},
        {"style 1 narrow image widened", smallImage, {42 + 38 + 4, 19}, {42, 38, 0}},
        {"style 3 taller", item(3, "Abrir", 30), {2 + 24 + 38 + 4, 21}, {24, 38, 0}},
        {"style 1 bar", item(1, "Archivo", 40, false), {40, 19}, {0, 40, 0}},
        {"style 4 pop-up", item(4, "Abrir", 30), {38 + 24 + 6, 23}, {24, 38, 0}},
        {"style 4 with message", captioned, {200 + 24 + 6, 23 + 26}, {24, 38, 0}},
        {"style 4 separator", separator4, {24 + 6, 5}, {24, 0, 0}},
        {"unknown style", item(7, "Abrir", 30), {0, 0}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SharedLayout layout;
        EXPECT_EQ(measureItem(c.in, layout), c.size);
        EXPECT_EQ(layout.margin, c.layout.margin);
        EXPECT_EQ(layout.maxWidth, c.layout.maxWidth);
        EXPECT_EQ(layout.rightMargin, c.layout.rightMargin);
    }
}

TEST(MenuMeasure, TheLayoutOnlyGrowsSoALongItemWidensEveryItem) {
    for (int64_t style = 0; style <= 4; ++style) {
        SCOPED_TRACE(style);
        SharedLayout layout;
        const ItemSize shortItem = measureItem(item(style, "Ver", 20), layout);
        const ItemSize longItem = measureItem(item(style, "Ver todo\tF5", 90), layout);
        const ItemSize shortAgain = measureItem(item(style, "Ver", 20), layout);
        EXPECT_GT(longItem.width, shortItem.width);
        EXPECT_EQ(shortAgain.width, longItem.width);  // measured again, it lines up with the widest
        EXPECT_EQ(layout.maxWidth, 98);
        if (style != 0) {
            EXPECT_GE(layout.margin, 24);  // a pop-up without images still gets the column
        }
    }
}

TEST(MenuMeasure, LabelsAndShortcutsGoWhereTheStyleSays) {
    const SharedLayout layout{24, 60, 48};
    EXPECT_EQ(labelLeft(0, 100, layout), 124);
    EXPECT_EQ(labelLeft(2, 100, layout), 132);
    EXPECT_EQ(labelLeft(4, 100, layout), 134);
    EXPECT_EQ(shortcutLeft(0, 100, 300, layout), 184);
    EXPECT_EQ(shortcutLeft(3, 100, 300, layout), 192);
    EXPECT_EQ(shortcutLeft(4, 100, 300, layout), 252);
    EXPECT_EQ(splitItemText("Abrir\tCtrl+A\tx").shortcut, "Ctrl+A\tx");
}

}  // namespace
}  // namespace vorpex::menu
