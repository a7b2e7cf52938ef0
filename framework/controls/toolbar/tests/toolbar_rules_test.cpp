// The tool bar's decisions as tables: button records, alignment styles, which button a command, a tip request
// or an access key names, the border allowance and scaling.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/controls/toolbar/toolbar_rules.h"

namespace vorpex::toolbar {
namespace {

TEST(ToolbarRules, ButtonRecordsFollowTheButtonAndTheBar) {
    struct Case {
        const char* what;
        ButtonSpec button;
        BarSizing bar;
        ButtonRecord expected;
    };
    const BarSizing fixed{24, 22, false}, free{0, 0, false}, list{24, 22, true};
    ButtonSpec plain;
    plain.text = "Abrir";
    plain.image = 3;
    ButtonSpec noImage;
    ButtonSpec separator;
    separator.separator = true;
    separator.image = 8;
    separator.text = "ignored";
    ButtonSpec states;
    states.image = 1;
    states.enabled = false;
    states.checked = true;
    states.visible = false;
    states.group = true;
    ButtonSpec dropWithClick;
    dropWithClick.hasMenu = dropWithClick.hasClick = true;
    ButtonSpec dropOnly;
    dropOnly.hasMenu = true;
    dropOnly.autoSize = true;
    const std::vector<Case> cases = {
        {"fixed size, text and image", plain, fixed, {2, 30001, kStateEnabled, 0, "Abrir"}},
        {"no size: auto size", plain, free, {2, 30002, kStateEnabled, kStyleAutoSize, "Abrir"}},
        {"list style: auto size", plain, list, {2, 30001, kStateEnabled, kStyleAutoSize, "Abrir"}},
        {"no image, no text", noImage, fixed, {kNoImage, 30001, kStateEnabled, 0, std::nullopt}},
        {"separator keeps its width", separator, free, {8, 30005, kStateEnabled, kStyleSeparator, std::nullopt}},
        {"states", states, fixed, {0, 30001, kStateChecked | kStateHidden, kStyleGroup, std::nullopt}},
        {"drop-down with a click", dropWithClick, fixed, {kNoImage, 30001, kStateEnabled, kStyleDropDown, std::nullopt}},
        {"whole drop-down", dropOnly, fixed,
         {kNoImage, 30001, kStateEnabled, kStyleWholeDropDown | kStyleAutoSize, std::nullopt}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int64_t position = c.expected.command - kFirstCommand;
        EXPECT_EQ(buttonRecord(c.button, position, c.bar), c.expected);
    }
    EXPECT_EQ(infoStyle(plain, fixed), kStyleShowText);
    EXPECT_EQ(infoStyle(separator, fixed), kStyleSeparator);
}

TEST(ToolbarRules, AlignmentReplacesTheOtherAlignmentsAndVerticalBarsWrap) {
    struct Case {
        int64_t align, expectedBits;
        bool wraps;
    };
    const int64_t other = 0x50000000 | 8 | 64;
    for (const Case& c : std::vector<Case>{{1, 129, true}, {2, 1, false}, {3, 131, true}, {4, 3, false}, {0, 0, false}}) {
        SCOPED_TRACE(c.align);
        for (int64_t before : {0, 1, 3, 129, 131})
            EXPECT_EQ(alignedStyle(other | before, c.align), other | c.expectedBits);
        EXPECT_EQ(wraps(c.align, false), c.wraps);
        EXPECT_TRUE(wraps(c.align, true));
    }
}

TEST(ToolbarRules, CommandsAndRequestsNameOnlyButtonsTheBarStillHas) {
    struct Case {
        int64_t code, id;
        std::optional<size_t> button;
    };
    const std::vector<Case> cases = {
        {0, 30001, 0}, {0, 30003, 2}, {0, 30000, std::nullopt}, {0, 30004, std::nullopt},
        {1, 30001, std::nullopt},  // a notification, not a click
        {0, 101, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(commandButton(c.code, c.id, 3), c.button);
    }
    // A tip asked for after its button was deleted names nothing.
    EXPECT_EQ(requestedButton(30003, 3), std::optional<size_t>(2));
    EXPECT_EQ(requestedButton(30003, 2), std::nullopt);
    EXPECT_EQ(requestedButton(-718, 2), std::nullopt);
}

TEST(ToolbarRules, AccessKeysSkipDoubledAmpersandsAndTheFirstButtonWins) {
    struct Case {
        const char* text;
        std::optional<char> key;
    };
    for (const Case& c : std::vector<Case>{{"&Abrir", 'A'}, {"Gu&ardar", 'A'}, {"Tom && Jerry", std::nullopt},
                                           {"&&&x", 'X'}, {"fin&", std::nullopt}, {"", std::nullopt}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(accessKey(c.text), c.key);
    }
    const std::vector<std::string> texts = {"Nuevo", "&Abrir", "Gu&ardar", "A && B"};
    EXPECT_EQ(buttonForKey(texts, 'a'), std::optional<size_t>(1));
    EXPECT_EQ(buttonForKey(texts, '&'), std::nullopt);
    EXPECT_EQ(buttonForKey(texts, 'N'), std::nullopt);
}

TEST(ToolbarRules, BorderAllowanceAndScaling) {
    const int64_t allowance[] = {0, 1, 1, 2, 2, 2, 2, 1, 0};
    for (int64_t style = 0; style <= 8; ++style) EXPECT_EQ(borderAllowance(style), allowance[style]) << style;
    EXPECT_EQ(scaled(24, 125), 30);
    EXPECT_EQ(scaled(22, 125), 28);  // 27.5 rounds up
    EXPECT_EQ(scaled(0, 150), 0);
    EXPECT_EQ(scaled(24, 100), 24);
}

}  // namespace
}  // namespace vorpex::toolbar
