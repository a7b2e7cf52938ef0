// The standard controls' decisions without windows: label sizes and flags, what a click does to its form,
// button styles, the edit's value text, alignment, colours, limit and the overwrite selection.
#include <gtest/gtest.h>

#include "framework/controls/control_rules.h"

namespace vorpex::stdctl {
namespace {

using rt::Value;

TEST(LabelRules, InsetAndSize) {
    const int64_t insets[] = {0, 1, 1, 2, 2, 2, 2, 1, 0};
    for (int64_t style = 0; style < 9; ++style) EXPECT_EQ(labelInset(style), insets[style]) << style;
    // Measured text 40 x 13 from the inset corner: text plus one, plus twice the inset with a border.
    EXPECT_EQ(labelExtent(0, 40, 13), (Extent{41, 14}));
    EXPECT_EQ(labelExtent(2, 42, 15), (Extent{45, 18}));
}

TEST(LabelRules, DrawTextFlags) {
    EXPECT_EQ(labelMeasureFlags(false, 0), 0x400u);
    EXPECT_EQ(labelMeasureFlags(true, 2), 0x400u | 0x10u | 2u);
    EXPECT_EQ(labelMeasureFlags(false, 6), 0x400u | 1u);
    EXPECT_EQ(labelPaintFlags(true, false), 0x10u);
    EXPECT_EQ(labelPaintFlags(false, true), 0u);
    EXPECT_EQ(labelPaintFlags(false, false), 0x8000u);  // a fixed single line too long ends in "..."
    EXPECT_TRUE(hasLineBreak("a\r\nb"));
    EXPECT_FALSE(hasLineBreak("a\nb"));
}

TEST(ButtonRules, ClickOutcome) {
    struct Case {
        int64_t modalResult;
        Value answer;
        bool closes;
    } cases[] = {
        {1, false, false}, {1, Value(), true}, {1, 5, true}, {1, true, true},
        {0, true, false},  {0, Value(), false}, {2, Value(), true}, {-3, "x", true},
    };
    for (const Case& c : cases) EXPECT_EQ(clickCloses(c.modalResult, c.answer), c.closes) << c.modalResult;
}

TEST(ButtonRules, SelfDrawnCheckBoxLayout) {
    // A control 100 x 30 with an average character width of 6: the text keeps 6 + 13 pixels from the box.
    struct Case {
        int64_t alignment, vAlignment;
        CheckBoxLayout expected;
    } cases[] = {
        {0, 0, {{87, 1, 100, 14}, {0, 0, 81, 30}}},
        {0, 1, {{87, 8, 100, 21}, {0, 0, 81, 30}}},
        {0, 2, {{87, 15, 100, 28}, {0, 0, 81, 30}}},
        {2, 0, {{0, 1, 13, 14}, {19, 0, 100, 30}}},
        {6, 1, {{0, 8, 13, 21}, {19, 0, 100, 30}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(checkBoxLayout(100, 30, 6, c.alignment, c.vAlignment), c.expected) << c.alignment << "/" << c.vAlignment;
    EXPECT_EQ(checkTextTop(30, 13, 0), 0);
    EXPECT_EQ(checkTextTop(30, 13, 1), 8);
    EXPECT_EQ(checkTextTop(30, 13, 2), 17);
}

TEST(ButtonRules, StyleBits) {
    const int64_t base = 0x50000000;
    EXPECT_EQ(buttonAlignmentStyle(base | kBsRight, 0), base | kBsLeft);
    EXPECT_EQ(buttonAlignmentStyle(base | kBsLeft, 2), base | kBsRight);
    EXPECT_EQ(buttonAlignmentStyle(base | kBsLeft | kBsRight, 6), base);
    EXPECT_EQ(buttonVAlignmentStyle(base, 0), base | kBsTop);
    EXPECT_EQ(buttonVAlignmentStyle(base | kBsTop, 2), base | kBsBottom);
    EXPECT_EQ(buttonVAlignmentStyle(base | kBsTop | kBsBottom, 1), base);
    EXPECT_EQ(buttonImageStyle(base, 0, 77), base | kBsBitmap);
    EXPECT_EQ(buttonImageStyle(base | kBsBitmap, 0, 0), base);
    EXPECT_EQ(buttonImageStyle(base, 1, 77), base | kBsIcon);
    EXPECT_EQ(buttonImageStyle(base, 3, 77), base);
    EXPECT_TRUE(outside(-1, 5, 80, 25));
    EXPECT_TRUE(outside(80, 5, 80, 25));
    EXPECT_TRUE(outside(5, 25, 80, 25));
    EXPECT_FALSE(outside(79, 24, 80, 25));
}

TEST(EditRules, ValueText) {
    struct Case {
        Value value;
        bool raw;
        const char* text;
    } cases[] = {
        {12, false, "12"},        {"abc   ", false, "abc"}, {"abc   ", true, "abc   "}, {true, false, ".T."},
        {Value(), false, ""},     {"  lead", false, "  lead"}, {"N\xFA\xF1" "ez ", false, "N\xFA\xF1" "ez"},
    };
    for (const Case& c : cases) EXPECT_EQ(editText(c.value, c.raw), c.text);
}

TEST(EditRules, AlignmentStyles) {
    EXPECT_EQ(editAlignmentStyle(0x50000000, 6), 0x50000001);
    EXPECT_EQ(editAlignmentStyle(0x50000001, 2), 0x50000002);
    EXPECT_EQ(editAlignmentStyle(0x50000002, Value()), 0x50000000);  // NIL counts as left
    EXPECT_EQ(editAlignmentStyle(0x50000002, 3), std::nullopt);      // ignored: nothing stored
}

TEST(EditRules, ColoursAndLimit) {
    EXPECT_EQ(colorSet(false, true), ColorSet::Disabled);
    EXPECT_EQ(colorSet(true, true), ColorSet::Focused);
    EXPECT_EQ(colorSet(true, false), ColorSet::Normal);
    EXPECT_EQ(maxLengthAnswer(0, false, 0), 0);
    EXPECT_EQ(maxLengthAnswer(0, true, 30000), 0);  // no limit of the program's own
    EXPECT_EQ(maxLengthAnswer(10, true, 10), 10);
    EXPECT_EQ(maxLengthAnswer(10, true, 0x7FFFFFFE), -1);
    EXPECT_EQ(maxLengthAnswer(10, false, 0), 10);
}

TEST(EditRules, OverwriteSelection) {
    struct Case {
        const char* text;
        Selection current;
        int64_t character;
        std::optional<Selection> expected;
    } cases[] = {
        {"abcd", {1, 1}, 'x', Selection{1, 2}},    // in the middle: replaces
        {"abcd", {4, 4}, 'x', std::nullopt},       // at the end: appends
        {"abcd", {1, 3}, 'x', std::nullopt},       // a selection is replaced as it is
        {"abcd", {1, 1}, 8, std::nullopt},         // Backspace never selects ahead
        {"abcd", {1, 1}, ' ', Selection{1, 2}},    // the space bar types too
        {"ab\r\ncd", {2, 2}, 'x', std::nullopt},   // never splits CR/LF: inserted at the line's end
        {"ab\r\ncd", {4, 4}, 0xE9, Selection{4, 5}},  // an accented letter from a dead key
        {"abcd", {1, 1}, 13, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(overwriteSelection(c.text, c.current, c.character), c.expected) << c.text;
}

TEST(EditRules, StyleSetterArguments) {
    EXPECT_TRUE(setterFlag(Value()));  // a missing argument means true
    EXPECT_FALSE(setterFlag(false));
    EXPECT_FALSE(storedFlag(Value()));  // a stored NIL (masked edit, memo) means false
    EXPECT_TRUE(storedFlag(true));
}

}  // namespace
}  // namespace vorpex::stdctl
