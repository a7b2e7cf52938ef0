// The tool tips' decisions without windows: who owns a registered or tracking tool, which title and which
// text a tip shows.
#include <gtest/gtest.h>

#include "framework/controls/tooltip/tip_rules.h"

namespace vorpex::tip {
namespace {

using rt::Value;

TEST(TipRules, ToolOwnerAndId) {
    const intptr_t control = 0x1234, form = 0x99;
    // A zone is the control's own, under its id; the whole control is its form's, under the control's window.
    EXPECT_EQ(registeredTool(control, form, 3), (ToolKey{kSubclass, control, 3}));
    EXPECT_EQ(registeredTool(control, form, std::nullopt), (ToolKey{0x111, form, control}));
    // The tracking tool has the same owner and id as the whole-control tool but tracks instead of
    // subclassing: showing twice replaces it.
    EXPECT_EQ(trackingTool(control, form), (ToolKey{0x21, form, control}));
}

TEST(TipRules, TitleAndText) {
    struct Case {
        Value ownTitle, ownIcon, controlTitle, controlIcon;
        std::optional<Title> expected;
    } cases[] = {
        {"Aviso", 2, "Otro", 1, Title{"Aviso", 2}},
        {"", 2, "Del control", 1, Title{"Del control", 1}},
        {Value(), Value(), "Del control", Value(), Title{"Del control", 0}},
        {"", 2, "", 1, std::nullopt},
        {Value(), 3, Value(), 1, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tipTitle(c.ownTitle, c.ownIcon, c.controlTitle, c.controlIcon), c.expected)
            << c.ownTitle.asString() << "/" << c.controlTitle.asString();
    EXPECT_EQ(trackingText("propio", "del control"), "propio");
    EXPECT_EQ(trackingText("", "del control"), "");  // an own empty text is still the tip's text
    EXPECT_EQ(trackingText(Value(), "del control"), "del control");
    EXPECT_EQ(trackingText(Value(), Value()), "");
}

}  // namespace
}  // namespace vorpex::tip
