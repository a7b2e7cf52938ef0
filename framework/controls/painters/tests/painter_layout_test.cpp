// The further painters' arithmetic, without a device context.
#include "framework/controls/painters/painter_layout.h"

#include <gtest/gtest.h>

namespace vorpex::painters {
namespace {

TEST(Gripper, ShapeFollowsAlignmentAndStyles) {
    struct Case {
        int64_t align;
        bool themed;
        std::optional<Rect> expected;
    } cases[] = {
        {1, true, Rect{17, 31, 23, 69}},  // upright 6 x 38 in 40 x 100
        {3, false, Rect{19, 34, 21, 66}},  // upright 2 x 32
        {2, true, Rect{1, 47, 39, 53}},   // lying 38 x 6
        {4, false, Rect{4, 49, 36, 51}},  // lying 32 x 2
        {0, true, std::nullopt},          // no themed gripper
        {0, false, Rect{0, 0, 40, 100}},  // the classic outline round the whole client area
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.align * 10 + c.themed);
        EXPECT_EQ(gripperRect(40, 100, c.align, c.themed), c.expected);
    }
    // Halving is an arithmetic shift: a client narrower than the gripper centres it one pixel further left.
    EXPECT_EQ(gripperRect(3, 10, 1, false), (Rect{0, -11, 2, 21}));
    EXPECT_EQ(gripperRect(1, 100, 1, true)->left, -3);
    EXPECT_EQ(gripperPart(1), 1);
    EXPECT_EQ(gripperPart(2), 2);
}

TEST(TrackBar, CustomDrawAnswers) {
    using B = TrackBarBackground;
    struct Case {
        int64_t code;
        unsigned stage, part;
        bool transparent;
        TrackBarAnswer expected;
    } cases[] = {
        {-2, kPrePaint, 0, true, {}},                                  // not a custom draw: no answer
        {kCustomDrawCode, kPrePaint, 0, true, {32}},                   // asks for every part
        {kCustomDrawCode, kPrePaint, 0, false, {}},                    // opaque: Windows draws alone
        {kCustomDrawCode, kItemPrePaint, kThumbPart, true, {0}},       // the thumb is left to Windows
        {kCustomDrawCode, kItemPrePaint, kChannelPart, true, {0, B::ClippedToThumbBottom}},
        {kCustomDrawCode, kItemPrePaint, 1, true, {0, B::Whole}},      // the tics
        {kCustomDrawCode, 2, 0, true, {0}},                            // post-paint
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stage * 10 + c.part);
        EXPECT_EQ(trackBarCustomDraw(c.code, c.stage, c.part, c.transparent), c.expected);
    }
}

TEST(ExplorerBar, GroupsStackWithTheirIconsAndControls) {
    const std::vector<ExplorerGroup> items = {
        {true, false, false, std::nullopt},  // collapsed: 25
        {false, true, true, 50},             // hidden: no room at all
        {true, true, false, 50},             // collapsed with an icon: 32, its control ignored
        {true, false, true, 50},             // expanded: 25 + 50 + 2
        {true, false, true, std::nullopt},   // expanded without a control: 25
    };
    const ExplorerBarLayout layout = explorerBarLayout({0, 0, 200, 100}, -30, 400, 10, items);
    EXPECT_EQ(layout.pane, (Rect{0, -30, 200, 370}));
    ASSERT_EQ(layout.groups.size(), 5u);
    EXPECT_EQ(layout.groups[0], (Rect{10, -20, 190, 5}));
    EXPECT_FALSE(layout.groups[1]);
    EXPECT_EQ(layout.groups[2], (Rect{10, 15, 190, 47}));
    EXPECT_EQ(layout.groups[3], (Rect{10, 57, 190, 134}));
    EXPECT_EQ(layout.groups[4], (Rect{10, 144, 190, 169}));

    // No room between the spacings: nothing is laid out, the pane still is.
    const ExplorerBarLayout narrow = explorerBarLayout({0, 0, 20, 100}, 0, 0, 10, items);
    EXPECT_EQ(narrow.pane, (Rect{0, 0, 20, 100}));
    for (const auto& g : narrow.groups) EXPECT_FALSE(g);
}

TEST(ExplorerBar, GlyphsArePackedOneBitDibs) {
    for (bool collapse : {true, false}) {
        const PackedGlyph& g = explorerGlyph(collapse);
        const uint8_t header[] = {40, 0, 0, 0, 8, 0, 0, 0, 8, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0,
                                  32, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0};
        EXPECT_TRUE(std::equal(std::begin(header), std::end(header), g.begin()));
        const uint8_t colours[] = {0, 0, 0, 0, 255, 255, 255, 0};
        EXPECT_TRUE(std::equal(std::begin(colours), std::end(colours), g.begin() + 40));
        // Bottom-up rows: the stored rows read backwards are the glyph from the top.
        const uint8_t top[8] = {0xF7, 0xE3, 0xC9, 0x9C, 0xF7, 0xE3, 0xC9, 0x9C};
        for (int row = 0; row < 8; ++row) {
            const uint8_t expected = collapse ? top[row] : top[7 - row];
            EXPECT_EQ(g[48 + 4 * (7 - row)], expected) << row;
            EXPECT_EQ(g[48 + 4 * (7 - row) + 1] | g[48 + 4 * (7 - row) + 2] | g[48 + 4 * (7 - row) + 3], 0);
        }
    }
}

OptionItem option(int64_t type, std::vector<OptionItem> children = {}, bool expanded = false) {
    OptionItem item;
    item.type = type;
    item.children = std::move(children);
    item.expanded = expanded;
    return item;
}

OptionListMetrics metrics(int64_t hot = 0, int64_t bottom = 1000) {
    OptionListMetrics m;
    m.client = {0, 0, 200, bottom};
    m.left = 5;
    m.top = 3;
    m.itemHeight = 18;
    m.imageWidth = 16;
    m.imageHeight = 16;
    m.hotItem = hot;
    return m;
}

TEST(OptionList, IndexCountsRowsAndCollapsedChildren) {
    const OptionItem leaf = option(1);
    const OptionItem withChildren = option(1, {leaf, leaf});
    // A collapsed item whose three children have children of their own: its row and its three children.
    const std::vector<OptionItem> items = {option(1, {withChildren, withChildren, withChildren}), option(kSeparator),
                                           option(2, {leaf, option(1, {leaf})}, true), option(kTextItem)};
    const auto rows = optionListRows(items, metrics(), {});
    ASSERT_EQ(rows.size(), 6u);
    const int64_t indexes[] = {1, 5, 6, 7, 8, 10};
    const int64_t lefts[] = {5, 5, 5, 5 + 18, 5 + 18, 5};
    const int64_t tops[] = {3, 23, 33, 53, 73, 93};  // each row 18 high (the separator 8) and 2 apart
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].index, indexes[i]);
        EXPECT_EQ(rows[i].row.top, tops[i]);
        EXPECT_EQ(rows[i].row.left, 0);  // the hot background spans the client area
        EXPECT_EQ(rows[i].glyph.left, rows[i].item->type == kSeparator || rows[i].item->type == kTextItem ? 0 : lefts[i]);
    }
    EXPECT_EQ(rows[1].contents, (Rect{5, 27, 190, 31}));  // the etched line's top, 6 short on the right
    EXPECT_EQ(rows[2].contents.left, 5 + 17);                   // text after the radio glyph
    EXPECT_EQ(rows[5].contents.left, 5);                        // a plain text takes no glyph room
}

TEST(OptionList, HotRowsAndImageItems) {
    OptionItem disabled = option(1);
    disabled.enabled = false;
    const std::vector<OptionItem> items = {option(kImageItem), option(kSeparator), disabled, option(1)};
    for (int64_t hot : {1, 2, 3, 4}) {
        const auto rows = optionListRows(items, metrics(hot), {});
        SCOPED_TRACE(hot);
        // A separator or a disabled row is never hot.
        for (const OptionRow& r : rows) EXPECT_EQ(r.hot, r.index == hot && (hot == 1 || hot == 4));
    }
    OptionListMetrics tall = metrics();
    tall.imageWidth = 24;
    tall.imageHeight = 30;
    const auto rows = optionListRows({option(kImageItem, {option(1)}, true)}, tall, {});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].row.height(), 30);                   // the image's height wins over the item height
    EXPECT_EQ(rows[0].image, (Point{5, 3}));
    EXPECT_EQ(rows[0].contents.left, 5 + 28);              // image width + 4
    EXPECT_EQ(rows[1].glyph.left, 5 + 28);                 // children indented by the same step
    EXPECT_EQ(rows[1].row.top, 3 + 30 + 2);
}

TEST(OptionList, MultiLineRowsAndTheBottomEdge) {
    OptionItem tall = option(1);
    tall.multiline = true;
    OptionItem shortText = tall;
    const auto measure = [](const OptionItem& item, int64_t left, int64_t right) {
        EXPECT_LT(left, right);
        return item.text == "tall" ? int64_t{40} : int64_t{10};
    };
    tall.text = "tall";
    shortText.text = "short";
    const auto rows = optionListRows({tall, shortText, option(1)}, metrics(), measure);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].row.height(), 18);      // the background keeps the item height
    EXPECT_EQ(rows[0].contents.height(), 40);  // the text takes what it needs
    EXPECT_EQ(rows[1].row.top, 3 + 40 + 2);    // and pushes the next row down
    EXPECT_EQ(rows[1].textOffset, (18 - 10) >> 1);
    EXPECT_EQ(rows[2].row.top, 45 + 18 + 2);

    // Rows stop once one would start below the client area, at every level.
    const std::vector<OptionItem> many(10, option(1, {option(1), option(1)}, true));
    const auto clipped = optionListRows(many, metrics(0, 100), {});
    ASSERT_EQ(clipped.size(), 5u);  // tops 3, 23, 43, 63, 83; the child at 103 is not drawn, nor what follows
    EXPECT_EQ(clipped.back().row.top, 83);
}

TEST(OptionList, AnItemInsideItselfStopsAtTheDepthBound) {
    // Built like a list that contains itself: as deep as the bound allows and one level more.
    OptionItem nested = option(1);
    for (int depth = 0; depth < kMaxOptionDepth + 4; ++depth) nested = option(1, {nested}, true);
    const auto rows = optionListRows({nested}, metrics(), {});
    EXPECT_EQ(rows.size(), static_cast<size_t>(kMaxOptionDepth));
}

TEST(Tabs, OutlineAndOverlap) {
    EXPECT_EQ(tabHeight(13, 0), 18);
    EXPECT_EQ(tabHeight(13, 16), 21);
    // Hanging down (orientation 1): the wide edge at the top.
    const TabOutline down = tabOutline(10, 0, 6, 40, 0, false, 18, 1);
    EXPECT_EQ(down.points, (std::array<Point, 4>{Point{10, 0}, Point{16, 18}, Point{59, 18}, Point{65, 0}}));
    EXPECT_EQ(down.nextX, 59);  // the next tab overlaps by the padding
    // Pointing up (orientation 0), with an image: 16 + 5 more room.
    const TabOutline up = tabOutline(0, 2, 4, 30, 16, true, 20, 0);
    EXPECT_EQ(up.points, (std::array<Point, 4>{Point{0, 20}, Point{4, 2}, Point{55, 2}, Point{59, 20}}));
}

TEST(SplitButton, StateTable) {
    struct Case {
        bool isDefault, hot, pressed, disabled, flat, themed;
        SplitButtonState expected;
    } cases[] = {
        {false, false, false, false, false, true, {0x2010, 1, 0, false}},
        {true, false, false, false, false, true, {0x2010, 5, 0, false}},
        {true, true, false, false, false, true, {0x2010, 2, 1, false}},
        {false, true, true, false, false, true, {0x2210, 3, 2, false}},  // pressed and themed: no shift
        {false, false, true, false, true, true, {0x2210, 3, 2, true}},   // pressed and flat
        {false, false, true, true, false, false, {0x2210, 3, 2, true}},  // pressed wins over disabled
        {false, true, false, true, false, false, {0x2110, 4, 3, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected.themeState * 10 + c.expected.image);
        EXPECT_EQ(splitButtonState(c.isDefault, c.hot, c.pressed, c.disabled, c.flat, c.themed), c.expected);
    }
}

TEST(SplitButton, ImageAndCaptionPlacement) {
    const Rect inner{0, 0, 100, 76};
    // Image above, margin -1, caption centred: three equal gaps of (76 - 16 - 12) / 3 = 16.
    const auto centred = splitButtonContent(inner, 16, 16, true, 40, 12, true, -1, 0, 1);
    EXPECT_EQ(centred.image, (Point{42, 16}));
    EXPECT_EQ(centred.text.top, 16 + 16 + 16);
    EXPECT_EQ(inner.bottom - centred.text.bottom, 16);
    // With the caption at the top of its area it sits right under the image.
    const auto top = splitButtonContent(inner, 16, 16, true, 40, 12, true, -1, 0, 0);
    EXPECT_EQ(top.text.top, 32);
    struct Case {
        int64_t orientation;
        Point image;
        Rect text;
    } cases[] = {
        {1, {42, 56}, {0, 0, 100, 56}},   // image below
        {2, {4, 30}, {20, 0, 100, 76}},   // image left
        {3, {80, 30}, {0, 0, 80, 76}},    // image right
        {7, {42, 30}, {0, 0, 100, 76}},   // unknown: the image centred, the caption where it was
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.orientation);
        const auto content = splitButtonContent(inner, 16, 16, true, 40, 12, true, 4, c.orientation, 0);
        EXPECT_EQ(content.image, c.image);
        EXPECT_EQ(content.text, c.text);
    }
    // Without a caption the image is centred; without images the caption keeps the whole area.
    EXPECT_EQ(splitButtonContent(inner, 16, 16, true, 0, 0, false, 4, 2, 0).image, (Point{42, 30}));
    const auto textOnly = splitButtonContent(inner, 0, 0, false, 40, 12, true, 4, 0, 2);
    EXPECT_FALSE(textOnly.image);
    EXPECT_EQ(textOnly.text, (Rect{0, 64, 100, 76}));
}

}  // namespace
}  // namespace vorpex::painters
